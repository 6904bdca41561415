// RecordBlocks.cpp - enciphered record-block files (see RecordBlocks.h).
#include "App/RecordBlocks.h"

#include <cstdlib>
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngFile.h"

bool RecordBlockImage::AppendEnciphered(const void* plain, std::size_t size) {
  unsigned char* block = EngEncryptionEncrypt(plain, size);
  if (!block) return false;
  bytes_.insert(bytes_.end(), block, block + size + kEngEncryptionCounterSize);
  std::free(block);
  return true;
}

void RecordBlockImage::AppendRaw(const std::uint8_t* bytes, std::size_t size) {
  bytes_.insert(bytes_.end(), bytes, bytes + size);
}

bool RecordBlockImage::WriteReplacing(const char* path) const {
  return !bytes_.empty() && EngFileWriteReplacing(path, bytes_.data(), bytes_.size());
}

bool RecordBlockDecipher(const std::uint8_t* block, std::size_t size, void* plain) {
  // The decipherer works in place and terminates the plain bytes; a record
  // of the usual sizes is worked on the stack.
  constexpr std::size_t kSmall = 512;
  const std::size_t whole = size + kEngEncryptionCounterSize + 1;
  unsigned char small[kSmall];
  std::vector<unsigned char> large;
  unsigned char* work = small;
  if (whole > kSmall) {
    large.resize(whole);
    work = large.data();
  }
  std::memcpy(work, block, whole - 1);
  work[whole - 1] = 0;
  if (!EngEncryptionDecrypt(work, size)) return false;
  std::memcpy(plain, work, size);
  return true;
}

bool RecordBlockReadFile(const char* where, const char* path, std::vector<std::uint8_t>* bytes) {
  bytes->clear();
  EngFile file;
  if (!file.OpenForReading(path, false)) {
    DebugError(where, "Could not open file <%s>", path);
    return false;
  }
  const long size = file.GetSize();
  if (size < 0 || static_cast<unsigned long>(size) > kRecordBlocksMaxFileSize) {
    DebugError(where, "File too large <%s>", path);
    return false;
  }
  bytes->resize(static_cast<std::size_t>(size));
  if (size > 0 && !file.Read(bytes->data(), bytes->size())) {
    DebugError(where, "Could not read file <%s>", path);
    bytes->clear();
    return false;
  }
  return true;
}
