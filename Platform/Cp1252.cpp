// Cp1252.cpp - CP1252 <-> UTF-8. The upper half differs from Latin-1 only in
// 0x80-0x9F, which this table maps.
#include "Cp1252.h"

namespace {

// Code points of bytes 0x80-0x9F; the five undefined bytes map to themselves.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t CodePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string Cp1252ToUtf8(const char* text) {
  std::string out;
  if (!text) return out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    AppendUtf8(out, CodePointOf(*p));
  }
  return out;
}

int Cp1252FromCodePoint(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] == cp) return 0x80 + i;
  }
  return -1;
}

std::size_t Utf8DecodeOne(const char* text, char32_t* codePoint) {
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  if (!p || !*p) {
    if (codePoint) *codePoint = 0;
    return 0;
  }
  char32_t cp = 0;
  std::size_t length = 0;
  if (p[0] < 0x80) {
    cp = p[0];
    length = 1;
  } else if ((p[0] & 0xE0) == 0xC0) {
    cp = p[0] & 0x1F;
    length = 2;
  } else if ((p[0] & 0xF0) == 0xE0) {
    cp = p[0] & 0x0F;
    length = 3;
  } else if ((p[0] & 0xF8) == 0xF0) {
    cp = p[0] & 0x07;
    length = 4;
  } else {
    if (codePoint) *codePoint = 0xFFFD;
    return 1;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if ((p[i] & 0xC0) != 0x80) {  // also stops at the terminator
      if (codePoint) *codePoint = 0xFFFD;
      return i;
    }
    cp = (cp << 6) | (p[i] & 0x3F);
  }
  if (codePoint) *codePoint = cp;
  return length;
}

std::string Utf8ToCp1252(const char* text) {
  std::string out;
  if (!text) return out;
  while (*text) {
    char32_t cp = 0;
    std::size_t used = Utf8DecodeOne(text, &cp);
    int byte = Cp1252FromCodePoint(cp);
    out += byte < 0 ? '?' : static_cast<char>(byte);
    text += used;
  }
  return out;
}
