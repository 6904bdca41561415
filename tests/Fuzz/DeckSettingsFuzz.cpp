// DeckSettingsFuzz.cpp - a deck's settings file ("<deck>.dat" of the deck
// library): any bytes read as its text. Whatever the text, every colour is
// a finite 0..1, every real finite, and the settings written back and read
// again are written the same.
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>

#include "Game/Decks/CardsDecks.h"
#include "tests/Fuzz/FuzzSupport.h"

namespace {

bool ColourOk(const float* c) {
  for (int i = 0; i < 3; ++i) {
    if (!std::isfinite(c[i]) || c[i] < 0 || c[i] > 1) return false;
  }
  return true;
}

std::string Written(const DeckSettings& settings) {
  static char text[16384];
  const int n = CardsDecksFormatSettingsText(settings, text, sizeof(text));
  return n > 0 ? std::string(text, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  // The reader sees the file's text up to its first zero byte.
  const std::string text(reinterpret_cast<const char*>(data), size);
  DeckSettings settings;
  CardsDecksSetDefaultSettings(&settings);
  CardsDecksParseSettingsText(text.c_str(), &settings);
  const DeckGeneratorSettings& g = settings.generator;
  for (const float* colour : {g.baseColour, g.heartsColour, g.spadesColour, g.diamondsColour, g.clubsColour}) {
    FUZZ_CHECK(ColourOk(colour));
  }
  for (float real : {g.courtCardsWidth, g.courtCardsHeight, g.courtPipsX, g.courtPipsY, g.courtPipsW,
                     g.courtPipsH, g.rankX, g.rankY, g.rankW, g.rankH, g.mainPipW, g.mainPipH, g.mainPipsW,
                     g.mainPipsH, g.sidePipsX, g.sidePipsY, g.sidePipsW, g.sidePipsH}) {
    FUZZ_CHECK(std::isfinite(real));
  }
  const std::string once = Written(settings);
  FUZZ_CHECK(!once.empty());
  DeckSettings again;
  CardsDecksSetDefaultSettings(&again);
  CardsDecksParseSettingsText(once.c_str(), &again);
  FUZZ_CHECK(Written(again) == once);
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  std::ifstream in(CARDOLIA_SOURCE_DIR "/Data/DeckSettings/Standard.dat", std::ios::binary);
  const std::string standard((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return {
      {"standard.dat", standard},
      {"small.dat", "MCG_HeartsColour: 0.9 0.1 0.1\r\r\nMCG_RankX: 1e30\nMCG_SuitsTrans: 257\n"
                    "DeckName_Courts: Nothing Such\nMCG_CourtCardsWidth: nan\n"},
  };
}
