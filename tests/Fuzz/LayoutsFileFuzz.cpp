// LayoutsFileFuzz.cpp - the layouts file "Data\Main\0110.dat": any bytes as
// the file, read at start-up, then every game's card scale and values asked
// for as the variant set-ups ask.
#include <cmath>
#include <fstream>
#include <iterator>

#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "tests/Fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  FuzzWriteFile("Data/Main/0110.dat", data, size);
  GenGameLayoutsLoad();
  FUZZ_CHECK(GenGameLayoutsIsLoaded());
  // Every game's scale, and every value of a few games (each missing value
  // is a logged message; all of them for every game made this slow).
  const int first = size > 0 ? data[0] % kGenNumGames : 0;
  for (int game = 0; game < kGenNumGames; ++game) {
    GenSetCurGame(game);
    GenGameLayoutsGetCurGameCardScaleX();
    GenGameLayoutsGetCurGameCardScaleY();
    if ((game - first + kGenNumGames) % kGenNumGames >= 4) continue;
    for (int n = -1; n <= 7; ++n) {
      GenGameLayoutsGetCurGameXVar(n);
      GenGameLayoutsGetCurGameYVar(n);
    }
  }
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  std::ifstream in(CARDOLIA_SOURCE_DIR "/Data/Main/0110.dat", std::ios::binary);
  const std::string layouts((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return {
      {"layouts.dat", layouts},
      {"small.dat", "Klondike_CS: 0.9 1.1\r\nKlondike_X_0: 1.25\nKlondike_Y_0: -0.5\n"
                    "FreeCell_X_6: 3\nSpider_CS: 0.8 0.8\nYukon_Y_7: 1\n"},
  };
}
