// EngEncryptionBlowfish.h - the Blowfish block cipher (published algorithm,
// 16 rounds, standard initial tables), used by EngEncryptionEncryptData2.
// Local to the encryption unit.
#pragma once

#include <cstddef>
#include <cstdint>

struct EngBlowfishKey {
  std::uint32_t p[18];
  std::uint32_t s[4][256];
};

// The standard key schedule over the key bytes taken cyclically (length > 0).
void EngBlowfishSetKey(EngBlowfishKey* key, const unsigned char* bytes, std::size_t length);
// Enciphers one block given as its two 32-bit halves.
void EngBlowfishEncryptBlock(const EngBlowfishKey& key, std::uint32_t* left,
                             std::uint32_t* right);
