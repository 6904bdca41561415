// RecordBlocks.h - files made of enciphered record blocks (the score tables,
// the statistics): each block is a 16-byte counter block and one enciphered
// record (Engine/EngEncryption.h), blocks follow each other with nothing
// between them.
//
// A writer builds the whole file image in memory, block by block, and
// replaces the file in one step (EngFileWriteReplacing): a failure at any
// point leaves the old file as it was. A reader takes the file's bytes and
// deciphers the blocks it wants; blocks it keeps unchanged are copied as
// they are, without enciphering them again.
//
// No state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The largest file a reader takes (far above any real table or history);
// anything larger is not read ("File too large <%s>").
constexpr std::size_t kRecordBlocksMaxFileSize = 64u << 20;

class RecordBlockImage {
 public:
  // Enciphers the record and appends the block; false when enciphering
  // failed (reported by the encryption layer).
  bool AppendEnciphered(const void* plain, std::size_t size);
  // Appends bytes that already form blocks.
  void AppendRaw(const std::uint8_t* bytes, std::size_t size);
  // Replaces the file with the image; false (old file kept) on failure.
  bool WriteReplacing(const char* path) const;
  std::size_t Size() const { return bytes_.size(); }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

// Deciphers the block at block (size + 16 bytes) into plain (size bytes).
bool RecordBlockDecipher(const std::uint8_t* block, std::size_t size, void* plain);
// Reads the whole file into bytes. False when it cannot be opened or read
// (reported under where) or is too large.
bool RecordBlockReadFile(const char* where, const char* path, std::vector<std::uint8_t>* bytes);
