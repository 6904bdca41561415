// EngDigest.h - SHA-256 of a byte stream fed in pieces (libtomcrypt), for
// checking that a downloaded file is the one its source named.
//
// State: one running hash per EngSha256 object; no shared state.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

class EngSha256 {
 public:
  EngSha256();
  ~EngSha256();
  EngSha256(const EngSha256&) = delete;
  EngSha256& operator=(const EngSha256&) = delete;

  // Adds the next bytes; a null pointer or 0 bytes add nothing.
  void Add(const void* bytes, std::size_t count);
  // The digest as 64 lower-case hexadecimal digits; the hash starts afresh.
  std::string HexDigest();

 private:
  struct State;
  std::unique_ptr<State> state_;
};
