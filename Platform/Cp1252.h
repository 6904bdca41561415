// Cp1252.h - text inside the game is single-byte Windows-1252; the rest of the
// system (file names, window titles, keyboard text) is UTF-8. These are the
// only conversions between the two.
#pragma once

#include <cstddef>
#include <string>

// Converts a CP1252 text to UTF-8. Bytes that CP1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the same code points, as Windows does.
std::string Cp1252ToUtf8(const char* text);

// Converts a UTF-8 text to CP1252. Characters CP1252 cannot hold, and broken
// UTF-8 sequences, become '?'.
std::string Utf8ToCp1252(const char* text);

// Decodes one UTF-8 character starting at text; returns the number of bytes
// it used (at least 1 for a non-empty text, 0 at the terminator) and writes
// the code point, or U+FFFD for a broken sequence.
std::size_t Utf8DecodeOne(const char* text, char32_t* codePoint);

// The CP1252 byte for a code point, or -1 when CP1252 has none.
int Cp1252FromCodePoint(char32_t codePoint);
