// FuzzSupport.cpp - the work folder, the log and the edits (see
// FuzzSupport.h).
#include "tests/Fuzz/FuzzSupport.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>

#include "Engine/Debug.h"

namespace {

std::string& Folder() {
  static std::string folder;
  return folder;
}

void RemoveWorkFolder() {
  if (Folder().empty()) return;
  std::error_code ignored;
  std::filesystem::current_path("/", ignored);
  std::filesystem::remove_all(Folder(), ignored);
}

// CARDOLIA_FUZZ_WORK when set (the fuzz script's own folder), else /dev/shm
// when it can be written, else the system's temporary folder.
std::string WorkBase() {
  if (const char* base = std::getenv("CARDOLIA_FUZZ_WORK"); base && *base) return base;
  if (::access("/dev/shm", W_OK) == 0) return "/dev/shm";
  return std::filesystem::temp_directory_path().string();
}

void SetUpProcess() {
  ::setenv("CARDOLIA_HEADLESS", "1", 1);
  std::string pattern = WorkBase() + "/cardolia-fuzz-XXXXXX";
  if (!::mkdtemp(pattern.data())) std::abort();
  Folder() = pattern;
  std::filesystem::current_path(pattern);
  std::atexit(RemoveWorkFolder);
}

}  // namespace

void FuzzBeginInput() {
  static const bool ready = (SetUpProcess(), true);
  (void)ready;
  DebugResetForTests();
  // Every message is formed as always but finds no log file to go to: a
  // file written per message made the readers that report much (a layouts
  // file of bad lines) ten times slower to fuzz.
  static const std::string log = Folder() + "/no-such-folder/LogFile.txt";
  DebugSetLogFilename(log.c_str(), false);
}

const std::string& FuzzWorkFolder() { return Folder(); }

void FuzzWriteFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path path(name);
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void FuzzWriteFile(const std::string& name, const std::string& bytes) {
  FuzzWriteFile(name, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::string FuzzReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary | std::ios::ate);
  if (!in) return "";
  std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
  in.seekg(0);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

std::string FuzzNativePath(const std::string& gamePath) {
  std::string path = gamePath;
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

void FuzzApplyEdits(const std::uint8_t* data, std::size_t size, std::string* file) {
  std::size_t at = 0;
  while (at + 4 <= size && !file->empty()) {
    const std::uint32_t raw = data[at] | (data[at + 1] << 8) | (data[at + 2] << 16);
    const std::size_t offset = raw % file->size();
    const std::size_t length = data[at + 3];
    at += 4;
    if (length == 0) {
      file->resize(offset);
      continue;
    }
    const std::size_t n = std::min(std::min(length, size - at), file->size() - offset);
    std::memcpy(file->data() + offset, data + at, n);
    at += n;
  }
}

std::string FuzzEdit(std::uint32_t offset, const std::string& bytes) {
  std::string edit;
  edit += static_cast<char>(offset & 0xFF);
  edit += static_cast<char>((offset >> 8) & 0xFF);
  edit += static_cast<char>((offset >> 16) & 0xFF);
  edit += static_cast<char>(bytes.size() & 0xFF);
  return edit + bytes.substr(0, 255);
}

std::string FuzzCut(std::uint32_t offset) { return FuzzEdit(offset, "").substr(0, 4); }

std::string FuzzLe32(std::uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

std::string FuzzLeFloat(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return FuzzLe32(bits);
}
