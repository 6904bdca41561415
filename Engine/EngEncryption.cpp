// EngEncryption.cpp - AES-128 counter-mode record files over libtomcrypt,
// and the Blowfish encipherer of EngEncryptionEncryptData2.
//
// State: g_crypt, set once by EngEncryptionInit (key and set-up flag) plus the
// tests' forced counter block. Record files are written through
// EngFileWriteReplacing, so a crash mid-write never costs the player the
// previous file.
#include "Engine/EngEncryption.h"

#include <tomcrypt.h>

#include <cstdlib>
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/EngEncryptionBlowfish.h"
#include "Engine/EngFile.h"
#include "Engine/EngRand.h"

namespace {

constexpr std::size_t kKeySize = 16;

struct CryptState {
  unsigned char key[kKeySize] = {};
  bool setUp = false;
  int cipher = -1;
  bool forceCounter = false;
  unsigned char forcedCounter[kEngEncryptionCounterSize] = {};
};

CryptState g_crypt;

bool NewCounterBlock(unsigned char* block) {
  if (g_crypt.forceCounter) {
    std::memcpy(block, g_crypt.forcedCounter, kEngEncryptionCounterSize);
    return true;
  }
  return EngRandFillFromCrypto(block, kEngEncryptionCounterSize) == 0;
}

// n + extra without overflow; false when it would not fit.
bool SizePlus(std::size_t n, std::size_t extra, std::size_t* total) {
  if (n > static_cast<std::size_t>(-1) - extra) return false;
  *total = n + extra;
  return true;
}

}  // namespace

bool EngEncryptionIsSetUp() { return g_crypt.setUp; }

bool EngEncryptionInit(const char* passPhrase) {
  const std::size_t length = passPhrase ? std::strlen(passPhrase) : 0;
  if (length == 0 || length > kKeySize) {
    DebugError("EngEncryptionInit", "Invalid password");
    return false;
  }
  std::memset(g_crypt.key, 0, sizeof(g_crypt.key));
  std::memcpy(g_crypt.key, passPhrase, length);
  g_crypt.cipher = register_cipher(&aes_desc);
  if (g_crypt.cipher < 0) {
    DebugError("EngEncryptionInit", "Error registering cipher.");
    return false;
  }
  g_crypt.setUp = true;
  return true;
}

unsigned char* EngEncryptionEncrypt(const void* data, std::size_t n) {
  const char* where = "EngEncryptionEncrypt";
  if (!g_crypt.setUp) {
    DebugError(where, "Encryption not setup");
    return nullptr;
  }
  std::size_t total = 0;
  if (!data || n == 0 || !SizePlus(n, kEngEncryptionCounterSize, &total)) {
    DebugError(where, "Invalid data");
    return nullptr;
  }
  auto* out = static_cast<unsigned char*>(std::malloc(total));
  if (!out) {
    DebugError(where, "No memory");
    return nullptr;
  }
  if (!NewCounterBlock(out)) {
    // Without unpredictable counter blocks two files would share keystream.
    DebugError(where, "Could not get random counter block");
    std::free(out);
    return nullptr;
  }
  symmetric_CTR ctr;
  int err = ctr_start(g_crypt.cipher, out, g_crypt.key, kKeySize, 0, CTR_COUNTER_LITTLE_ENDIAN,
                      &ctr);
  if (err != CRYPT_OK) {
    DebugError(where, "ctr_start error: %s", error_to_string(err));
    std::free(out);
    return nullptr;
  }
  err = ctr_encrypt(static_cast<const unsigned char*>(data), out + kEngEncryptionCounterSize,
                    static_cast<unsigned long>(n), &ctr);
  if (err != CRYPT_OK) {
    DebugError(where, "ctr_encrypt error: %s", error_to_string(err));
    ctr_done(&ctr);
    std::free(out);
    return nullptr;
  }
  err = ctr_done(&ctr);
  if (err != CRYPT_OK) {
    DebugError(where, "ctr_done error: %s", error_to_string(err));
    std::free(out);
    return nullptr;
  }
  return out;
}

bool EngEncryptionDecrypt(unsigned char* buffer, std::size_t n) {
  const char* where = "EngEncryptionDecrypt";
  if (!g_crypt.setUp) {
    DebugError(where, "Encryption not setup");
    return false;
  }
  if (!buffer || n == 0) {
    DebugError(where, "Invalid data");
    return false;
  }
  unsigned char counter[kEngEncryptionCounterSize];
  std::memcpy(counter, buffer, sizeof(counter));
  symmetric_CTR ctr;
  int err = ctr_start(g_crypt.cipher, counter, g_crypt.key, kKeySize, 0, CTR_COUNTER_LITTLE_ENDIAN,
                      &ctr);
  if (err != CRYPT_OK) {
    DebugError(where, "ctr_start error: %s", error_to_string(err));
    return false;
  }
  err = ctr_setiv(counter, sizeof(counter), &ctr);
  if (err != CRYPT_OK) {
    DebugError(where, "ctr_setiv error: %s", error_to_string(err));
    ctr_done(&ctr);
    return false;
  }
  // The plain bytes move to the front: decipher, then shift down.
  err = ctr_decrypt(buffer + kEngEncryptionCounterSize, buffer + kEngEncryptionCounterSize,
                    static_cast<unsigned long>(n), &ctr);
  if (err != CRYPT_OK) {
    DebugError(where, "ctr_decrypt error: %s", error_to_string(err));
    ctr_done(&ctr);
    return false;
  }
  err = ctr_done(&ctr);
  if (err != CRYPT_OK) {
    DebugError(where, "ctr_done error: %s", error_to_string(err));
    return false;
  }
  std::memmove(buffer, buffer + kEngEncryptionCounterSize, n);
  buffer[n] = 0;
  return true;
}

bool EngEncryptionEncryptAndWriteToFile(const char* fileName, const void* data, std::size_t n) {
  unsigned char* enciphered = EngEncryptionEncrypt(data, n);
  if (!enciphered) return false;
  const bool ok = EngFileWriteReplacing(fileName, enciphered, n + kEngEncryptionCounterSize);
  std::free(enciphered);
  return ok;
}

bool EngEncryptionEncryptAndWriteToOpenFile(EngFile* file, const void* data, std::size_t n) {
  if (!file) {
    DebugError("EngEncryptionEncryptAndWriteToOpenFile", "No file");
    return false;
  }
  unsigned char* enciphered = EngEncryptionEncrypt(data, n);
  if (!enciphered) return false;
  const bool ok = file->Write(enciphered, n + kEngEncryptionCounterSize);
  std::free(enciphered);
  return ok;
}

namespace {

// Reads n + 16 bytes from an open file, deciphers them and copies n bytes
// into record (untouched on failure).
bool ReadAndDecrypt(const char* where, EngFile* file, void* record, std::size_t n) {
  std::size_t total = 0;
  if (!SizePlus(n, kEngEncryptionCounterSize + 1, &total)) return false;
  auto* buffer = static_cast<unsigned char*>(std::malloc(total));
  if (!buffer) {
    DebugError(where, "No memory");
    return false;
  }
  const bool ok = file->Read(buffer, n + kEngEncryptionCounterSize) &&
                  EngEncryptionDecrypt(buffer, n);
  if (ok) std::memcpy(record, buffer, n);
  std::free(buffer);
  return ok;
}

}  // namespace

bool EngEncryptionReadFromFileAndDecrypt(const char* fileName, void* record, std::size_t n) {
  const char* where = "EngEncryptionReadFromFileAndDecrypt";
  if (!fileName || !*fileName || !record || n == 0) return false;
  if (!EngFileExists(fileName)) return false;
  EngFile file;
  if (!file.OpenForReading(fileName, false)) return false;
  const long size = file.GetSize();
  if (size < 0 || static_cast<unsigned long>(size) != n + kEngEncryptionCounterSize) {
    DebugError(where, "Bad size in file <%s>", fileName);
    return false;
  }
  return ReadAndDecrypt(where, &file, record, n);
}

bool EngEncryptionReadFromOpenFileAndDecrypt(EngFile* file, void* record, std::size_t n) {
  if (!file || !file->IsOpen() || !record || n == 0) return false;
  return ReadAndDecrypt("EngEncryptionReadFromOpenFileAndDecrypt", file, record, n);
}

bool EngEncryptionEncryptData2(const char* key, void* data, std::size_t n) {
  const char* where = "EngEncryptionEncryptData2";
  if (!data || n < 8) {
    DebugError(where, "Invalid data (must be at least 8 bytes long).");
    return false;
  }
  const std::size_t keyLength = key ? std::strlen(key) : 0;
  if (keyLength < 8) {
    DebugError(where, "Invalid key.");
    return false;
  }
  auto* schedule = new EngBlowfishKey;
  EngBlowfishSetKey(schedule, reinterpret_cast<const unsigned char*>(key), keyLength);
  auto* bytes = static_cast<unsigned char*>(data);
  for (std::size_t at = 0; at + 8 <= n; at += 8) {
    unsigned char* b = bytes + at;
    std::uint32_t left = (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) |
                         (std::uint32_t{b[2]} << 8) | b[3];
    std::uint32_t right = (std::uint32_t{b[4]} << 24) | (std::uint32_t{b[5]} << 16) |
                          (std::uint32_t{b[6]} << 8) | b[7];
    EngBlowfishEncryptBlock(*schedule, &left, &right);
    for (int k = 0; k < 4; ++k) {
      b[k] = static_cast<unsigned char>(left >> (24 - 8 * k));
      b[4 + k] = static_cast<unsigned char>(right >> (24 - 8 * k));
    }
  }
  delete schedule;
  return true;
}

void EngEncryptionForceCounterBlockForTests(const unsigned char* block16) {
  g_crypt.forceCounter = block16 != nullptr;
  if (block16) std::memcpy(g_crypt.forcedCounter, block16, kEngEncryptionCounterSize);
}

void EngEncryptionResetForTests() {
  std::memset(g_crypt.key, 0, sizeof(g_crypt.key));
  g_crypt.setUp = false;
  g_crypt.forceCounter = false;
}
