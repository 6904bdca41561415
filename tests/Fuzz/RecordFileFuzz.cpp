// RecordFileFuzz.cpp - the enciphered record files (profiles, options,
// statistics, scores and the saved game use them): any bytes as a record
// file of any record size, read and deciphered.
//
// Input: two bytes of record size (little-endian, 1 to 65536), then the
// file's bytes.
#include <cstring>
#include <cstdlib>
#include <memory>

#include "Engine/EngEncryption.h"
#include "Engine/EngFile.h"
#include "tests/Fuzz/FuzzSupport.h"

namespace {

constexpr char kPhrase[] = "fuzz phrase";

std::string SizeBytes(std::size_t n) {
  const std::size_t v = n - 1;
  return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  static const bool keyed = EngEncryptionInit(kPhrase);
  FUZZ_CHECK(keyed);
  if (size < 2) return 0;
  const std::size_t n = 1 + (data[0] | (data[1] << 8));
  FuzzWriteFile("record.dat", data + 2, size - 2);
  // A record that is not read stays as it was.
  std::unique_ptr<std::uint8_t[]> record(new std::uint8_t[n]);
  std::memset(record.get(), 0xA5, n);
  if (!EngEncryptionReadFromFileAndDecrypt("record.dat", record.get(), n)) {
    for (std::size_t i = 0; i < n; ++i) FUZZ_CHECK(record[i] == 0xA5);
  }
  // The same bytes deciphered in memory, where they fit.
  if (size - 2 >= kEngEncryptionCounterSize) {
    const std::size_t body = size - 2 - kEngEncryptionCounterSize;
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[size - 2 + 1]);
    std::memcpy(buffer.get(), data + 2, size - 2);
    if (body > 0 && EngEncryptionDecrypt(buffer.get(), body)) FUZZ_CHECK(buffer[body] == 0);
  }
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  EngEncryptionInit(kPhrase);
  std::vector<FuzzSeed> seeds;
  const std::size_t sizes[] = {1, 16, 64, 1000};
  for (std::size_t n : sizes) {
    std::string record(n, '\0');
    for (std::size_t i = 0; i < n; ++i) record[i] = static_cast<char>(i * 7);
    unsigned char* file = EngEncryptionEncrypt(record.data(), n);
    if (!file) continue;
    seeds.push_back({"record-" + std::to_string(n) + ".bin",
                     SizeBytes(n) + std::string(reinterpret_cast<char*>(file), n + kEngEncryptionCounterSize)});
    std::free(file);
  }
  return seeds;
}
