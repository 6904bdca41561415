// LanguageFileFuzz.cpp - the language files: any bytes as a language file,
// read at start-up and then looked up the ways the screens look texts up.
#include <cstring>
#include <fstream>
#include <iterator>

#include "Engine/EngLanguages.h"
#include "tests/Fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  FuzzWriteFile("Languages/Fuzz.txt", data, size);
  if (EngLanguagesInit("Languages", "Fuzz")) {
    FUZZ_CHECK(EngLanguagesGetNumLanguages() == 1);
    int subTexts = 0;
    for (int token = 0; token < 64; ++token) {
      const char* name = EngLanguagesGetTokenName(token);
      if (!*name) break;
      FUZZ_CHECK(std::strlen(name) <= 63);
      FUZZ_CHECK(EngLanguagesGetTokenNumAndNumSubTexts(name, &subTexts) <= token);
      for (int sub = 0; sub <= subTexts; ++sub) {
        const char* text = EngLanguagesGetStringFromTokenNum(token, sub);
        FUZZ_CHECK(text != nullptr);
      }
      char buffer[256];
      EngLanguagesGetStringWithParams(name, "one", "two", buffer, sizeof buffer);
      EngLanguagesGetStringWithParam(name, std::string(300, 'x').c_str(), buffer, sizeof buffer);
    }
  }
  EngLanguagesRelease();
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  std::ifstream in(CARDOLIA_SOURCE_DIR "/Languages/English.txt", std::ios::binary);
  const std::string english((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return {
      {"english.txt", english},
      {"small.txt", "; a comment\n[Section]\nTitle=Free Cardolia 3D\nList=One#Two##Three#\n"
                    "Params=Player %1 won %2 games\\nwell done\r\nEmpty=\n=no name\n"},
  };
}
