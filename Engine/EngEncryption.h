// EngEncryption.h - enciphered record files and the Blowfish encipherer.
//
// Record format (in memory and on disk, identical):
//   offset 0   16 bytes  counter block (initial vector), from the system's
//                        cryptographic random source
//   offset 16  n bytes   the record enciphered with AES-128 in counter mode
// So an n-byte record makes an n + 16 byte file: no header, no length, no
// checksum. The keystream is AES-128 of the counter block, then of the block
// incremented as a 128-bit little-endian integer (byte 0 lowest), and so on
// (libtomcrypt's CTR mode with its default little-endian counter).
//
// There is no integrity check: a deciphered record is only as good as its
// reader's range checks, and every reader must check counts and enumerations
// and treat a violation like a bad version.
//
// State: the 16-byte key (the pass phrase zero-padded) and the set-up flag,
// set once at start-up by EngEncryptionInit; the tests' forced counter block.
#pragma once

#include <cstddef>

class EngFile;

constexpr std::size_t kEngEncryptionCounterSize = 16;

// A null, empty or longer-than-16-character pass phrase reports "Invalid
// password" and fails. Otherwise the key is built and AES registered.
bool EngEncryptionInit(const char* passPhrase);
// True once EngEncryptionInit succeeded.
bool EngEncryptionIsSetUp();

// A new buffer of n + 16 bytes (counter block, then ciphertext) that the
// caller releases with std::free, or null (reported: "Encryption not setup",
// "Invalid data" for null data or n of 0, "No memory", "ctr_... error: %s").
unsigned char* EngEncryptionEncrypt(const void* data, std::size_t n);
// buffer holds the counter block and n enciphered bytes and has room for
// n + 17 bytes: deciphers in place so that the n plain bytes start at the
// beginning, followed by a zero byte.
bool EngEncryptionDecrypt(unsigned char* buffer, std::size_t n);

// Enciphers and writes the n + 16 bytes as the whole file, replacing it
// safely (temporary file, flushed, renamed): a failed write leaves the old
// file as it was.
bool EngEncryptionEncryptAndWriteToFile(const char* fileName, const void* data, std::size_t n);
// The same into an open file at its current position.
bool EngEncryptionEncryptAndWriteToOpenFile(EngFile* file, const void* data, std::size_t n);
// The file must be exactly n + 16 bytes ("Bad size in file <%s>"); deciphers
// it into record. A missing name, record or file, or n of 0, fails silently.
// The record is untouched on any failure.
bool EngEncryptionReadFromFileAndDecrypt(const char* fileName, void* record, std::size_t n);
// Reads the next n + 16 bytes of an open file and deciphers them into record.
bool EngEncryptionReadFromOpenFileAndDecrypt(EngFile* file, void* record, std::size_t n);

// Blowfish (16 rounds, standard tables) in ECB mode in place over every
// whole 8-byte block, halves big-endian; the last n mod 8 bytes are left as
// they are. key: 8 or more characters, used cyclically. False for data under
// 8 bytes ("Invalid data (must be at least 8 bytes long).") or a short key
// ("Invalid key.").
bool EngEncryptionEncryptData2(const char* key, void* data, std::size_t n);

// ---- Test seams -----------------------------------------------------------------
// Every following encipherment uses this counter block (null: random again).
void EngEncryptionForceCounterBlockForTests(const unsigned char* block16);
// Back to "not set up", no forced block.
void EngEncryptionResetForTests();
