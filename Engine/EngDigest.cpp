// EngDigest.cpp - SHA-256 over libtomcrypt (see EngDigest.h).
#include "Engine/EngDigest.h"

#include <tomcrypt.h>

#include <cstdio>

struct EngSha256::State {
  hash_state hash;
};

EngSha256::EngSha256() : state_(new State) { sha256_init(&state_->hash); }

EngSha256::~EngSha256() = default;

void EngSha256::Add(const void* bytes, std::size_t count) {
  if (!bytes || count == 0) return;
  sha256_process(&state_->hash, static_cast<const unsigned char*>(bytes), static_cast<unsigned long>(count));
}

std::string EngSha256::HexDigest() {
  unsigned char digest[32];
  sha256_done(&state_->hash, digest);
  sha256_init(&state_->hash);
  std::string hex;
  char pair[3];
  for (const unsigned char byte : digest) {
    std::snprintf(pair, sizeof pair, "%02x", byte);
    hex += pair;
  }
  return hex;
}
