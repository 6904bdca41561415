// GenBytes.h - little-endian field writers and readers for the game's file
// images (cards, card groups, the game record).
//
// Each helper reads or writes one field at a byte offset of a buffer the
// caller sized; nothing here checks bounds: the image writers use fixed
// offsets inside fixed-size images. Floats are stored as their IEEE-754 bits.
#pragma once

#include <cstdint>
#include <cstring>

inline void GenPutU8(uint8_t* b, int off, uint8_t v) { b[off] = v; }
inline void GenPutI8(uint8_t* b, int off, int v) { b[off] = static_cast<uint8_t>(static_cast<int8_t>(v)); }
inline void GenPutU16(uint8_t* b, int off, uint16_t v) {
  b[off] = static_cast<uint8_t>(v);
  b[off + 1] = static_cast<uint8_t>(v >> 8);
}
inline void GenPutI16(uint8_t* b, int off, int v) { GenPutU16(b, off, static_cast<uint16_t>(static_cast<int16_t>(v))); }
inline void GenPutU32(uint8_t* b, int off, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[off + i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void GenPutI32(uint8_t* b, int off, int32_t v) { GenPutU32(b, off, static_cast<uint32_t>(v)); }
inline void GenPutF32(uint8_t* b, int off, float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, 4);
  GenPutU32(b, off, bits);
}
inline void GenPutF32s(uint8_t* b, int off, const float* v, int n) {
  for (int i = 0; i < n; ++i) GenPutF32(b, off + 4 * i, v[i]);
}

inline uint8_t GenGetU8(const uint8_t* b, int off) { return b[off]; }
inline int GenGetI8(const uint8_t* b, int off) { return static_cast<int8_t>(b[off]); }
inline int GenGetI16(const uint8_t* b, int off) {
  return static_cast<int16_t>(static_cast<uint16_t>(b[off] | (b[off + 1] << 8)));
}
inline uint32_t GenGetU32(const uint8_t* b, int off) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(b[off + i]) << (8 * i);
  return v;
}
inline int32_t GenGetI32(const uint8_t* b, int off) { return static_cast<int32_t>(GenGetU32(b, off)); }
inline float GenGetF32(const uint8_t* b, int off) {
  uint32_t bits = GenGetU32(b, off);
  float v;
  std::memcpy(&v, &bits, 4);
  return v;
}
inline void GenGetF32s(const uint8_t* b, int off, float* v, int n) {
  for (int i = 0; i < n; ++i) v[i] = GenGetF32(b, off + 4 * i);
}
