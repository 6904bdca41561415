// EngFile.h - the engine's file object and whole-file helpers.
//
// A thin checked layer over the C runtime's buffered streams. Every misuse
// and every failure is reported once through DebugError under the
// operation's own name ("EngFile::Read") and answered with false or 0, so
// callers only test the result. Names are game paths (CP1252, '\\' allowed);
// the platform layer turns them into native paths.
//
// Text mode reads drop the '\r' of "\r\n" line ends; writes are unchanged.
#pragma once

#include <cstddef>
#include <cstdio>

class EngFile {
 public:
  EngFile() = default;
  // Opens for writing (create or truncate) or for reading; test IsOpen().
  EngFile(const char* name, bool forWriting, bool textMode);
  ~EngFile();
  EngFile(const EngFile&) = delete;
  EngFile& operator=(const EngFile&) = delete;

  // Opening an object that is already open reports "File was already opened"
  // and closes it first. A null or empty name reports "No filename specified".
  bool OpenForReading(const char* name, bool textMode);
  // As OpenForReading, but a missing file (or name) fails without a report.
  bool OpenForReadingIfExists(const char* name, bool textMode);
  // Creates or truncates.
  bool DoOpenForWriting(const char* name, bool textMode);
  bool OpenForAppending(const char* name, bool textMode);
  // Closes the stream (an object that is not open: true). For a file opened
  // for writing or appending, false ("Could not write to file") when what
  // was written did not all reach the file: a write that failed, or the
  // stream's last buffered bytes that could not be flushed (a full disk).
  // The object is closed in either case; errno tells why.
  bool Close();

  // Reads exactly size bytes; fewer is a failure ("Problem reading from file").
  bool Read(void* buffer, std::size_t size);
  // Reads one line, keeping its '\n', at most maxLength - 1 characters.
  // False at end of file, without a report.
  bool ReadLine(char* buffer, int maxLength);
  // Writes size bytes; nothing written (also for size 0) fails, a short
  // count fails except in text mode. The bytes may wait in the stream's
  // buffer: only a successful Close says they are in the file.
  bool Write(const void* data, std::size_t size);
  bool Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));

  bool Rewind();
  bool MoveToEnd();
  // The file's size in bytes (0 with a report on failure); the position is kept.
  long GetSize();

  bool IsOpen() const { return open_; }
  bool IsOpenForReading() const { return openForReading_; }
  bool IsTextMode() const { return textMode_; }

 private:
  bool Open(const char* where, const char* alreadyOpenWhere, const char* name, bool textMode,
            const char* mode, bool forReading, bool reportFailure, const char* failureFormat);

  bool open_ = false;
  bool openForReading_ = false;
  bool textMode_ = false;
  bool writeFailed_ = false;  // a failed write was reported
  std::FILE* stream_ = nullptr;
};

// True when the text may stand as one part of a file name of the player's
// making (a player, a saved game, a deck): not empty, no separator ('/',
// '\\'), no ':', no "..", no control character (below 32, or 127). Names
// that pass can neither leave their folder nor name a device.
bool EngFileIsSafeName(const char* name);
// True when name is an existing regular file (a folder is not a file).
bool EngFileExists(const char* name);
// The size of the file, 0 with "Could not open file <%s>" when it cannot be opened.
long EngFileGetFileSize(const char* name, bool textMode);
// Reads the whole file into buffer; its size must be exactly size bytes
// ("Invalid file size in <%s>"), else nothing is read.
bool EngFileOpenReadAndClose(const char* name, bool textMode, void* buffer, std::size_t size);
// Creates or truncates the file and writes size bytes; a write or close
// that fails removes the part written and answers false.
bool EngFileOpenWriteAndClose(const char* name, bool textMode, const void* data, std::size_t size);
// Replaces the file's contents safely: writes a temporary file beside it,
// flushes it to disk, renames it over the old one and flushes the folder.
// On any failure the old file is untouched ("Could not write file <%s>").
// A temporary file of the same name left by a write that was killed before
// its rename is deleted on the way.
bool EngFileWriteReplacing(const char* name, const void* data, std::size_t size);
// The same, the new contents being the first keep bytes of the present file
// followed by data: a record appended behind whole records without passing
// the file through the caller. Fails (old file untouched) when the file is
// missing or shorter than keep.
bool EngFileWriteReplacingKeeping(const char* name, std::size_t keep, const void* data, std::size_t size);
// What tells one version of a file's contents from another: the size, the
// modification and change times and the file's place (a replacing write
// makes a new one). Two equal stamps of one name: nothing wrote the file in
// between (up to the file system's clock steps).
struct EngFileStamp {
  unsigned long long size = 0;
  unsigned long long inode = 0;
  unsigned long long device = 0;
  long long modified = 0;
  long long changed = 0;
  bool operator==(const EngFileStamp&) const = default;
};
// False, without a report, for a missing file or one that is not a regular file.
bool EngFileGetStamp(const char* name, EngFileStamp* stamp);
// Deletes the temporary files that killed writes left in a folder (see
// EngFileWriteReplacing); run at start-up over the player's folders. The
// number deleted.
int EngFileRemoveLeftoverTemporaries(const char* folder);
// Deletes the file; the result is not checked.
void EngFileDelete(const char* name);
// Removes an empty folder; an empty name reports "No name specified".
void EngFileDeleteDirectory(const char* name);
bool EngFileDirectoryExists(const char* name);
// Creates one folder level (parents are not created).
bool EngFileCreateDirectory(const char* name);
bool EngFileCopyFile(const char* source, const char* destination, bool failIfExists);
// Fails without touching either file when the destination exists.
bool EngFileMoveFile(const char* source, const char* destination);
