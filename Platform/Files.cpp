// Files.cpp - the file-system calls of Files.h over POSIX.
#include "Files.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Cp1252.h"

std::string PlatformNativePath(const char* name) {
  std::string path = Cp1252ToUtf8(name);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

std::FILE* PlatformFileOpen(const char* name, const char* mode) {
  if (!name || !*name || !mode) return nullptr;
  char nativeMode[8] = {};
  std::size_t n = 0;
  for (const char* m = mode; *m && n < sizeof(nativeMode) - 1; ++m) {
    if (*m != 't') nativeMode[n++] = *m;
  }
  const std::string path = PlatformNativePath(name);
  // A folder opens for reading on Linux and then fails on every read: refuse
  // it here, as a file that is not there.
  if (nativeMode[0] == 'r') {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
      errno = EISDIR;
      return nullptr;
    }
  }
  return std::fopen(path.c_str(), nativeMode);
}

std::size_t PlatformTextRead(void* buffer, std::size_t size, std::FILE* stream) {
  auto* out = static_cast<unsigned char*>(buffer);
  std::size_t stored = 0;
  while (stored < size) {
    int c = std::fgetc(stream);
    if (c == EOF) break;
    if (c == '\r') {
      int next = std::fgetc(stream);
      if (next == '\n') {
        c = '\n';
      } else if (next != EOF) {
        std::ungetc(next, stream);
      }
    }
    out[stored++] = static_cast<unsigned char>(c);
  }
  return stored;
}

char* PlatformTextReadLine(char* buffer, int size, std::FILE* stream) {
  if (!std::fgets(buffer, size, stream)) return nullptr;
  std::size_t length = std::strlen(buffer);
  if (length >= 2 && buffer[length - 2] == '\r' && buffer[length - 1] == '\n') {
    buffer[length - 2] = '\n';
    buffer[length - 1] = '\0';
  }
  return buffer;
}

bool PlatformFileIsRegular(const char* name) {
  if (!name || !*name) return false;
  struct stat st {};
  return ::stat(PlatformNativePath(name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PlatformDirectoryExists(const char* name) {
  if (!name || !*name) return false;
  struct stat st {};
  return ::stat(PlatformNativePath(name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PlatformFileIsProgram(const char* name) {
  if (!PlatformFileIsRegular(name)) return false;
  return ::access(PlatformNativePath(name).c_str(), X_OK) == 0;
}

BOOL DeleteFileA(const char* name) {
  if (!name || !*name) return FALSE;
  return ::unlink(PlatformNativePath(name).c_str()) == 0;
}

BOOL CreateDirectoryA(const char* name, void*) {
  if (!name || !*name) return FALSE;
  return ::mkdir(PlatformNativePath(name).c_str(), 0755) == 0;
}

BOOL RemoveDirectoryA(const char* name) {
  if (!name || !*name) return FALSE;
  return ::rmdir(PlatformNativePath(name).c_str()) == 0;
}

namespace {

constexpr char kTemporaryMark[] = ".tmp-";
int g_folderSyncsForTests = 0;
bool g_syncToDisk = true;  // off only where a test asks (PlatformSetSyncToDiskForTests)

// A temporary name beside the destination: same folder, so rename is atomic.
// The process id keeps two running copies of the game from sharing one.
std::string TemporaryNameFor(const std::string& nativeDestination) {
  return nativeDestination + kTemporaryMark + std::to_string(::getpid());
}

// The folder part of a native path ("." for a bare name) and the rest.
void SplitPath(const std::string& path, std::string* folder, std::string* base) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    *folder = ".";
    *base = path;
  } else {
    *folder = slash == 0 ? "/" : path.substr(0, slash);
    *base = path.substr(slash + 1);
  }
}

// The process id of a temporary file's name "<base>.tmp-<digits>", or -1
// when the name is not one. With wantedBase set, only that base counts.
long TemporaryOwner(const char* name, const std::string* wantedBase) {
  const char* mark = std::strstr(name, kTemporaryMark);
  if (!mark || mark == name) return -1;
  // The last mark in the name is the one this layer appended.
  for (const char* next; (next = std::strstr(mark + 1, kTemporaryMark)) != nullptr;) mark = next;
  const char* digits = mark + sizeof kTemporaryMark - 1;
  if (!*digits || std::strlen(digits) > 9) return -1;
  long pid = 0;
  for (const char* d = digits; *d; ++d) {
    if (*d < '0' || *d > '9') return -1;
    pid = pid * 10 + (*d - '0');
  }
  if (wantedBase && wantedBase->compare(0, std::string::npos, name, mark - name) != 0) return -1;
  return pid;
}

// A temporary file is a leftover when the process that wrote it is gone
// (it was killed between writing and renaming). This process's own are
// leftovers too: its writes finish before they return, and an equal id
// means an earlier run. Another running copy's file is left alone.
bool IsLeftover(long pid) {
  if (pid <= 0) return false;
  if (pid == static_cast<long>(::getpid())) return true;
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// Deletes the leftover temporary files in a native folder, of one base name
// or (null) of every name; the number deleted.
int RemoveLeftovers(const std::string& folder, const std::string* base) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return 0;
  const int savedErrno = errno;
  int removed = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const long pid = TemporaryOwner(entry->d_name, base);
    if (!IsLeftover(pid)) continue;
    const std::string path = folder + "/" + entry->d_name;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(path.c_str()) == 0) {
      ++removed;
    }
  }
  ::closedir(dir);
  errno = savedErrno;
  return removed;
}

// Flushes a folder's entries to disk, so that a rename just made survives a
// power loss. File systems that cannot sync a folder count as synced.
bool SyncFolder(const std::string& folder) {
  if (!g_syncToDisk) return true;
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP || errno == EROFS;
  const int saved = errno;
  ::close(fd);
  errno = saved;
  if (ok) ++g_folderSyncsForTests;
  return ok;
}

bool WriteAll(int fd, const void* data, std::size_t size) {
  const auto* p = static_cast<const unsigned char*>(data);
  while (size > 0) {
    ssize_t written = ::write(fd, p, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// Copies native path to native path through a temporary file and rename.
bool CopyNative(const std::string& from, const std::string& to) {
  int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  struct stat st {};
  ::fstat(in, &st);
  const std::string temporary = TemporaryNameFor(to);
  int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC,
                   (st.st_mode & 0777) ? (st.st_mode & 0777) : 0644);
  if (out < 0) {
    int saved = errno;
    ::close(in);
    errno = saved;
    return false;
  }
  bool ok = true;
  char block[65536];
  for (;;) {
    ssize_t got = ::read(in, block, sizeof(block));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      ok = false;
      break;
    }
    if (got == 0) break;
    if (!WriteAll(out, block, static_cast<std::size_t>(got))) {
      ok = false;
      break;
    }
  }
  int saved = errno;
  ::close(in);
  if (::close(out) != 0) ok = false;
  if (ok && ::rename(temporary.c_str(), to.c_str()) != 0) ok = false;
  if (!ok) {
    saved = errno;
    ::unlink(temporary.c_str());
    errno = saved;
  }
  return ok;
}

}  // namespace

BOOL CopyFileA(const char* source, const char* destination, BOOL failIfExists) {
  if (!source || !*source || !destination || !*destination) return FALSE;
  if (failIfExists && PlatformFileIsRegular(destination)) {
    errno = EEXIST;
    return FALSE;
  }
  return CopyNative(PlatformNativePath(source), PlatformNativePath(destination));
}

BOOL MoveFileA(const char* source, const char* destination) {
  if (!source || !*source || !destination || !*destination) return FALSE;
  const std::string from = PlatformNativePath(source);
  const std::string to = PlatformNativePath(destination);
  if (::rename(from.c_str(), to.c_str()) == 0) return TRUE;
  if (errno != EXDEV) return FALSE;
  if (!CopyNative(from, to)) return FALSE;
  return ::unlink(from.c_str()) == 0;
}

namespace {

// Copies into a destination that must not exist yet (O_EXCL); a half copy
// is removed again.
bool CopyToNewFile(const std::string& from, const std::string& to) {
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (out < 0) {
    const int saved = errno;
    ::close(in);
    errno = saved;
    return false;
  }
  bool ok = true;
  char block[65536];
  for (;;) {
    const ssize_t got = ::read(in, block, sizeof block);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      ok = got == 0;
      break;
    }
    if (!WriteAll(out, block, static_cast<std::size_t>(got))) {
      ok = false;
      break;
    }
  }
  const int saved = errno;
  ::close(in);
  if (::close(out) != 0) ok = false;
  if (!ok) {
    ::unlink(to.c_str());
    errno = saved ? saved : EIO;
  }
  return ok;
}

}  // namespace

BOOL MoveFileExA(const char* source, const char* destination, DWORD flags) {
  if (flags & MOVEFILE_REPLACE_EXISTING) return MoveFileA(source, destination);
  if (!source || !*source || !destination || !*destination) {
    errno = EINVAL;
    return FALSE;
  }
  const std::string from = PlatformNativePath(source);
  const std::string to = PlatformNativePath(destination);
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return TRUE;
  if (errno == EINVAL || errno == ENOSYS) {
    // A file system without the flag: a hard link also refuses an existing name.
    if (::link(from.c_str(), to.c_str()) != 0) return FALSE;
    ::unlink(from.c_str());
    return TRUE;
  }
  if (errno != EXDEV || !(flags & MOVEFILE_COPY_ALLOWED)) return FALSE;
  if (!CopyToNewFile(from, to)) return FALSE;
  return ::unlink(from.c_str()) == 0;
}

namespace {

// Copies count bytes from the start of in to out, in the kernel where it
// can (copy_file_range), else through a buffer.
bool CopyStart(int in, int out, std::size_t count) {
  loff_t from = 0;
  while (count > 0) {
    const ssize_t copied = ::copy_file_range(in, &from, out, nullptr, count, 0);
    if (copied < 0 && errno == EINTR) continue;
    if (copied <= 0) break;  // not offered here, or the source is short
    count -= static_cast<std::size_t>(copied);
  }
  char block[65536];
  while (count > 0) {
    const ssize_t got = ::pread(in, block, count < sizeof block ? count : sizeof block, from);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      if (got == 0) errno = EIO;  // shorter than it was said to be
      return false;
    }
    if (!WriteAll(out, block, static_cast<std::size_t>(got))) return false;
    from += got;
    count -= static_cast<std::size_t>(got);
  }
  return true;
}

// The new contents (the first keep bytes of the present file, then data)
// into a temporary file, flushed, renamed over the destination, the folder
// flushed.
bool WriteReplacing(const char* name, std::size_t keep, const void* data, std::size_t size) {
  if (!name || !*name || (!data && size > 0)) {
    errno = EINVAL;
    return false;
  }
  const std::string destination = PlatformNativePath(name);
  std::string folder, base;
  SplitPath(destination, &folder, &base);
  // A write killed before its rename left its temporary file behind.
  RemoveLeftovers(folder, &base);
  int old = -1;
  if (keep > 0) {
    old = ::open(destination.c_str(), O_RDONLY | O_CLOEXEC);
    if (old < 0) return false;
  }
  const std::string temporary = TemporaryNameFor(destination);
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    const int saved = errno;
    if (old >= 0) ::close(old);
    errno = saved;
    return false;
  }
  bool ok = (old < 0 || CopyStart(old, fd, keep)) && WriteAll(fd, data, size) &&
            (!g_syncToDisk || ::fsync(fd) == 0);
  int saved = errno;
  if (old >= 0) ::close(old);
  if (::close(fd) != 0 && ok) {
    ok = false;
    saved = errno;
  }
  if (ok && ::rename(temporary.c_str(), destination.c_str()) != 0) {
    ok = false;
    saved = errno;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    errno = saved;
    return false;
  }
  // The new contents are in place; only a synced folder keeps them there.
  return SyncFolder(folder);
}

}  // namespace

bool PlatformWriteFileReplacing(const char* name, const void* data, std::size_t size) {
  return WriteReplacing(name, 0, data, size);
}

bool PlatformWriteFileReplacingKeeping(const char* name, std::size_t keep, const void* data, std::size_t size) {
  return WriteReplacing(name, keep, data, size);
}

bool PlatformGetFileStamp(const char* name, PlatformFileStamp* stamp) {
  struct stat st {};
  if (!name || !*name || !stamp || ::stat(PlatformNativePath(name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    return false;
  }
  stamp->size = static_cast<unsigned long long>(st.st_size);
  stamp->inode = static_cast<unsigned long long>(st.st_ino);
  stamp->device = static_cast<unsigned long long>(st.st_dev);
  stamp->modified = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
  stamp->changed = static_cast<long long>(st.st_ctim.tv_sec) * 1000000000LL + st.st_ctim.tv_nsec;
  return true;
}

int PlatformRemoveLeftoverTemporaries(const char* folder) {
  if (!folder || !*folder) return 0;
  return RemoveLeftovers(PlatformNativePath(folder), nullptr);
}

int PlatformFolderSyncsForTests() { return g_folderSyncsForTests; }
void PlatformSetSyncToDiskForTests(bool sync) { g_syncToDisk = sync; }

DWORD GetLastError() { return static_cast<DWORD>(errno); }
void SetLastError(DWORD code) { errno = static_cast<int>(code); }
