// FileNameFuzz.cpp - file names: the CP1252 and UTF-8 conversions every
// path and listed name goes through, and the rule for names of the
// player's making (saved games, profiles).
#include <cstring>
#include <string>

#include "Engine/EngFile.h"
#include "Platform/Cp1252.h"
#include "Platform/Files.h"
#include "tests/Fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  const std::string text(reinterpret_cast<const char*>(data), size);
  const char* name = text.c_str();  // up to the first NUL, as the game sees it
  const std::size_t length = std::strlen(name);

  // CP1252 -> UTF-8 -> CP1252 gives the name back.
  const std::string utf8 = Cp1252ToUtf8(name);
  FUZZ_CHECK(Utf8ToCp1252(utf8.c_str()) == std::string(name, length));
  // The native path is that UTF-8 with '/' for '\\'.
  std::string expected = utf8;
  for (char& c : expected) {
    if (c == '\\') c = '/';
  }
  FUZZ_CHECK(PlatformNativePath(name) == expected);

  // Any bytes as UTF-8 (a name listed from a folder): each step moves on
  // and stays within the text.
  std::size_t at = 0;
  while (at < length) {
    char32_t code = 0;
    const std::size_t used = Utf8DecodeOne(name + at, &code);
    FUZZ_CHECK(used >= 1 && at + used <= length);
    at += used;
  }
  const std::string back = Utf8ToCp1252(name);
  FUZZ_CHECK(back.size() <= length);

  // A name the player made may not leave its folder.
  if (EngFileIsSafeName(name)) {
    FUZZ_CHECK(length > 0);
    FUZZ_CHECK(std::strpbrk(name, "/\\:") == nullptr);
    FUZZ_CHECK(std::strstr(name, "..") == nullptr);
  }
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  return {
      {"plain.txt", "SavedGames\\Ann_Klondike.c3o"},
      {"cp1252.txt", "Zo\xeb M\xfcller \x80 \x8a\x9f"},
      {"utf8.txt", "Zo\xc3\xab \xe2\x82\xac \xf0\x9f\x83\x8f"},
      {"broken-utf8.txt", "\xc3\x28 \xe2\x82 \xf0\x9f\x83 \xff\xfe"},
      {"dots.txt", "..\\Users\\..\\x"},
  };
}
