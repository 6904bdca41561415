// EngFile.cpp - the file object and whole-file helpers over the platform's
// file calls. State: none beyond each object's stream and flags, and the
// bounded formatting buffer of Printf.
#include "Engine/EngFile.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>

#include "Engine/Debug.h"
#include "Platform/Files.h"

EngFile::EngFile(const char* name, bool forWriting, bool textMode) {
  if (forWriting) {
    DoOpenForWriting(name, textMode);
  } else {
    OpenForReading(name, textMode);
  }
}

EngFile::~EngFile() { Close(); }

bool EngFile::Open(const char* where, const char* alreadyOpenWhere, const char* name,
                   bool textMode, const char* mode, bool forReading, bool reportFailure,
                   const char* failureFormat) {
  if (open_) {
    DebugError(alreadyOpenWhere, "File was already opened");
    Close();
  }
  if (!name || !*name) {
    if (reportFailure) DebugError(where, "No filename specified");
    return false;
  }
  stream_ = PlatformFileOpen(name, mode);
  if (!stream_) {
    if (reportFailure) DebugError(where, failureFormat, name);
    return false;
  }
  open_ = true;
  openForReading_ = forReading;
  textMode_ = textMode;
  return true;
}

bool EngFile::OpenForReading(const char* name, bool textMode) {
  return Open("EngFile::OpenForReading", "EngFile::OpenForReading", name, textMode,
              textMode ? "rt" : "rb", true, true, "Could not open file <%s>");
}

bool EngFile::OpenForReadingIfExists(const char* name, bool textMode) {
  return Open("EngFile::OpenForReadingIfExists", "EngFile::OpenForReadingIfExists", name,
              textMode, textMode ? "rt" : "rb", true, false, "");
}

bool EngFile::DoOpenForWriting(const char* name, bool textMode) {
  return Open("EngFile::DoOpenForWriting", "EngFile::OpenForWriting", name, textMode,
              textMode ? "wt" : "wb", false, true, "Could not open or create file <%s>");
}

bool EngFile::OpenForAppending(const char* name, bool textMode) {
  return Open("EngFile::OpenForAppending", "EngFile::OpenForAppending", name, textMode,
              textMode ? "at" : "ab", false, true, "Could not open or create file <%s>");
}

bool EngFile::Close() {
  bool written = true;
  if (stream_) {
    // A write error met earlier (its count taken as success in text mode)
    // stays on the stream; fclose flushes the rest and says whether that
    // went. A failure Write has reported already is not reported again.
    const bool writing = !openForReading_;
    int failure = 0;
    if (writing && std::ferror(stream_)) {
      written = false;
      failure = errno ? errno : EIO;
    }
    if (std::fclose(stream_) != 0 && writing) {
      if (written) failure = errno ? errno : EIO;
      written = false;
    }
    stream_ = nullptr;
    if (!written) {
      if (!writeFailed_) DebugError("EngFile::Close", "Could not write to file");
      errno = failure;
    }
  }
  open_ = openForReading_ = textMode_ = writeFailed_ = false;
  return written;
}

bool EngFile::Read(void* buffer, std::size_t size) {
  if (!open_) {
    DebugError("EngFile::Read", "File is not open");
    return false;
  }
  if (!openForReading_) {
    DebugError("EngFile::Read", "File is not open for reading");
    return false;
  }
  if (!buffer && size > 0) {
    DebugError("EngFile::Read", "Could not read from file");
    return false;
  }
  const std::size_t got =
      textMode_ ? PlatformTextRead(buffer, size, stream_) : std::fread(buffer, 1, size, stream_);
  if (got == 0 && size > 0) {
    DebugError("EngFile::Read", "Could not read from file");
    return false;
  }
  if (got < size) {
    DebugError("EngFile::Read", "Problem reading from file [ read %u not %u ]",
               static_cast<unsigned>(got), static_cast<unsigned>(size));
    return false;
  }
  return true;
}

bool EngFile::ReadLine(char* buffer, int maxLength) {
  if (!open_) {
    DebugError("EngFile::ReadLine", "File is not open");
    return false;
  }
  if (!openForReading_) {
    DebugError("EngFile::ReadLine", "File is not open for reading");
    return false;
  }
  if (!buffer || maxLength < 2) return false;
  if (textMode_) return PlatformTextReadLine(buffer, maxLength, stream_) != nullptr;
  return std::fgets(buffer, maxLength, stream_) != nullptr;
}

bool EngFile::Write(const void* data, std::size_t size) {
  if (!open_) {
    DebugError("EngFile::Write", "File is not open");
    return false;
  }
  if (openForReading_) {
    DebugError("EngFile::Write", "File is not open for writing");
    return false;
  }
  // Nothing written is a failure, also when nothing was asked for.
  const std::size_t written = data && size > 0 ? std::fwrite(data, 1, size, stream_) : 0;
  if (written == 0) {
    writeFailed_ = data && size > 0;
    DebugError("EngFile::Write", "Could not write to file");
    return false;
  }
  if (written < size && !textMode_) {
    writeFailed_ = true;
    DebugError("EngFile::Write", "Only wrote %u of %u bytes to file",
               static_cast<unsigned>(written), static_cast<unsigned>(size));
    return false;
  }
  return true;
}

bool EngFile::Printf(const char* format, ...) {
  static char text[8192];
  int length = 0;
  if (format) {
    std::va_list args;
    va_start(args, format);
    length = std::vsnprintf(text, sizeof(text), format, args);
    va_end(args);
  }
  if (length < 0) length = 0;
  if (static_cast<std::size_t>(length) >= sizeof(text)) length = sizeof(text) - 1;
  if (!Write(text, static_cast<std::size_t>(length))) {
    DebugError("EngFile::Printf", "Could not write to file");
    return false;
  }
  return true;
}

bool EngFile::Rewind() {
  if (!open_) {
    DebugError("EngFile::Rewind", "File is not opened");
    return false;
  }
  if (std::fseek(stream_, 0, SEEK_SET) != 0) {
    DebugError("EngFile::Rewind", "Error rewinding file");
    return false;
  }
  return true;
}

bool EngFile::MoveToEnd() {
  if (!open_) {
    DebugError("EngFile::MoveToEnd", "File is not opened");
    return false;
  }
  if (std::fseek(stream_, 0, SEEK_END) != 0) {
    DebugError("EngFile::MoveToEnd", "Error moving to end of file");
    return false;
  }
  return true;
}

long EngFile::GetSize() {
  if (!open_) {
    DebugError("EngFile::GetSize", "File is not opened");
    return 0;
  }
  const long position = std::ftell(stream_);
  std::fseek(stream_, 0, SEEK_END);
  const long size = std::ftell(stream_);
  if (position >= 0) std::fseek(stream_, position, SEEK_SET);
  if (size < 0) {
    DebugError("EngFile::GetSize", "Problem getting size");
    return 0;
  }
  return size;
}

// ---- Free functions --------------------------------------------------------

bool EngFileExists(const char* name) { return PlatformFileIsRegular(name); }

long EngFileGetFileSize(const char* name, bool textMode) {
  if (!name || !*name) {
    DebugError("EngFileGetFileSize", "No filename specified");
    return 0;
  }
  EngFile file;
  if (!file.OpenForReadingIfExists(name, textMode)) {
    DebugError("EngFileGetFileSize", "Could not open file <%s>", name);
    return 0;
  }
  return file.GetSize();
}

bool EngFileOpenReadAndClose(const char* name, bool textMode, void* buffer, std::size_t size) {
  if (!name || !*name) {
    DebugError("EngFileOpenReadAndClose", "No filename specified");
    return false;
  }
  EngFile file;
  if (!file.OpenForReadingIfExists(name, textMode)) {
    DebugError("EngFileOpenReadAndClose", "Could not open file <%s>", name);
    return false;
  }
  if (file.GetSize() != static_cast<long>(size)) {
    DebugError("EngFileOpenReadAndClose", "Invalid file size in <%s>", name);
    return false;
  }
  if (!file.Read(buffer, size)) {
    DebugError("EngFileOpenReadAndClose", "Could not read from file <%s>", name);
    return false;
  }
  return true;
}

bool EngFileOpenWriteAndClose(const char* name, bool textMode, const void* data,
                              std::size_t size) {
  if (!name || !*name) {
    DebugError("EngFileOpenWriteAndClose", "No filename specified");
    return false;
  }
  EngFile file;
  if (!file.DoOpenForWriting(name, textMode)) {
    DebugError("EngFileOpenWriteAndClose", "Could not open file <%s>", name);
    return false;
  }
  const bool written = file.Write(data, size);
  if (!file.Close() || !written) {
    DebugError("EngFileOpenWriteAndClose", "Could not write to file <%s>", name);
    EngFileDelete(name);
    return false;
  }
  return true;
}

bool EngFileWriteReplacing(const char* name, const void* data, std::size_t size) {
  if (!name || !*name) {
    DebugError("EngFileWriteReplacing", "No filename specified");
    return false;
  }
  if (!PlatformWriteFileReplacing(name, data, size)) {
    DebugError("EngFileWriteReplacing", "Could not write file <%s>", name);
    return false;
  }
  return true;
}

bool EngFileWriteReplacingKeeping(const char* name, std::size_t keep, const void* data, std::size_t size) {
  if (!name || !*name) {
    DebugError("EngFileWriteReplacingKeeping", "No filename specified");
    return false;
  }
  if (!PlatformWriteFileReplacingKeeping(name, keep, data, size)) {
    DebugError("EngFileWriteReplacingKeeping", "Could not write file <%s>", name);
    return false;
  }
  return true;
}

bool EngFileGetStamp(const char* name, EngFileStamp* stamp) {
  PlatformFileStamp platform;
  if (!stamp || !PlatformGetFileStamp(name, &platform)) return false;
  stamp->size = platform.size;
  stamp->inode = platform.inode;
  stamp->device = platform.device;
  stamp->modified = platform.modified;
  stamp->changed = platform.changed;
  return true;
}

int EngFileRemoveLeftoverTemporaries(const char* folder) {
  if (!folder || !*folder) {
    DebugError("EngFileRemoveLeftoverTemporaries", "No name specified");
    return 0;
  }
  return PlatformRemoveLeftoverTemporaries(folder);
}

void EngFileDelete(const char* name) {
  if (!name || !*name) {
    DebugError("EngFileDelete", "No filename specified");
    return;
  }
  DeleteFileA(name);
}

void EngFileDeleteDirectory(const char* name) {
  if (!name || !*name) {
    DebugError("EngFileDeleteDirectory", "No name specified");
    return;
  }
  RemoveDirectoryA(name);
}

bool EngFileDirectoryExists(const char* name) {
  if (!name || !*name) {
    DebugError("EngFileDirectoryExists", "No filename specified");
    return false;
  }
  return PlatformDirectoryExists(name);
}

bool EngFileCreateDirectory(const char* name) {
  if (!name || !*name) {
    DebugError("EngFileCreateDirectory", "No filename specified");
    return false;
  }
  if (!CreateDirectoryA(name, nullptr)) {
    DebugError("EngFileCreateDirectory", "Failed to create directory <%s>", name);
    return false;
  }
  if (!EngFileDirectoryExists(name)) {
    DebugError("EngFileCreateDirectory", "Directory was not created <%s>", name);
    return false;
  }
  return true;
}

bool EngFileCopyFile(const char* source, const char* destination, bool failIfExists) {
  if (!source || !*source || !destination || !*destination) {
    DebugError("EngFileCopyFile", "Invalid parameters");
    return false;
  }
  if (failIfExists && EngFileExists(destination)) {
    DebugError("EngFileCopyFile", "File <%s> exists", destination);
    return false;
  }
  if (!EngFileExists(source)) {
    DebugError("EngFileCopyFile", "File <%s> does not exist", source);
    return false;
  }
  if (!CopyFileA(source, destination, failIfExists) || !EngFileExists(destination)) {
    DebugError("EngFileCopyFile", "File was not copied: <%s> to <%s>", source, destination);
    return false;
  }
  return true;
}

bool EngFileMoveFile(const char* source, const char* destination) {
  if (!source || !*source || !destination || !*destination) {
    DebugError("EngFileMoveFile", "Invalid parameters");
    return false;
  }
  if (EngFileExists(destination)) {
    DebugError("EngFileMoveFile", "File <%s> exists", destination);
    return false;
  }
  if (!EngFileExists(source)) {
    DebugError("EngFileMoveFile", "File <%s> does not exist", source);
    return false;
  }
  MoveFileA(source, destination);
  if (!EngFileExists(destination)) {
    DebugError("EngFileMoveFile", "File was not moved: <%s> to <%s>", source, destination);
    return false;
  }
  if (EngFileExists(source)) {
    DebugError("EngFileMoveFile", "Existing file still exists: <%s> to <%s>", source, destination);
    return false;
  }
  return true;
}

bool EngFileIsSafeName(const char* name) {
  if (!name || !name[0]) return false;
  if (std::strstr(name, "..")) return false;
  for (const char* p = name; *p; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c < 32 || c == 127 || c == '/' || c == '\\' || c == ':') return false;
  }
  return true;
}
