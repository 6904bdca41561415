// FuzzGame.cpp - the card game for the saved-game targets (see FuzzGame.h).
#include "tests/Fuzz/FuzzGame.h"

#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "Engine/EngEncryption.h"
#include "Engine/EngProgram.h"
#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/CardsSettings.h"
#include "Game/GameTime.h"
#include "Game/Gen.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenImage.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSave.h"
#include "Game/GameImports.h"
#include "Game/GenSelection.h"
#include "Game/GenSelectionLocal.h"
#include "Game/GenUndo.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"
#include "tests/Fuzz/FuzzSupport.h"
#include "tests/Game/GameFixture.h"

namespace {

const FuzzGameBase kBases[] = {
    {"klondike", FixtureKlondikePlaySetup, kGameKlondike, 21},
    {"freecell", FixtureFreeCellPlaySetup, kGameFreeCell, 5},
    {"spider-1-suit", FixtureSpiderPlaySetup, kGameSpider1Suit, 8},
    {"spider-2-suits", FixtureSpiderPlaySetup, kGameSpider2Suits, 9},
};
constexpr int kBaseCount = static_cast<int>(sizeof kBases / sizeof kBases[0]);

struct BaseFiles {
  bool made = false;
  std::string image, savedFile, picture;
};
BaseFiles g_files[kBaseCount];

// Plays the running animations out, frame by frame, then lands what is left.
void Settle() {
  for (int frame = 0; frame < 3000 && CardsAnimIsAnimating(); ++frame) AnimTick();
  GenSelEndAllAnimations();
}

void SetUpCore() {
  CardsResetSettingsForTests();
  CardsAnimCancelAll();
  GameTimeResetForTests();
  g_UserRecord = UserRecord();
  g_UserRecord.cardAnimationOn = 0;
  g_UserOptions = UserOptions();
  EngProgramSetCurrentTimeForTests(0);
  EngProgramSetFrameTimeForTests(1.0f / 60.0f);
  FixtureUseRealLayouts();
  FixtureUsePlayer("Fuzz");
  GenReset();
  AnimReset();
  AnimInit();
  GenSetCardScale(1.0f, 1.0f);
  GenSetTableHeight(0);
}

// The top card of a pile, or -1.
int TopOf(int where) {
  const CardGroup* pile = GenGetGroup(g_GenLive, where);
  return pile && pile->numCards > 0 ? pile->numCards - 1 : -1;
}

void MakeFiles(int index) {
  const FuzzGameBase& base = kBases[index];
  GenNewGameWithNumber(base.deal, true);
  Settle();
  // A few moves, so that the waste, the foundations and the history hold
  // something.
  for (int round = 0; round < 2; ++round) {
    if (g_GenLive.deckInUse) FixtureClick(kWhereDeck, -1, 0);
    Settle();
    for (int t = 0; t < g_GenLive.numTableaus; ++t) {
      const int top = TopOf(kWhereTableau + t);
      if (top >= 0) FixtureClick(kWhereTableau + t, top, 1);
      Settle();
    }
  }
  BaseFiles& files = g_files[index];
  g_GenLive.version = kGenSaveVersion;
  files.image.assign(kGenImageSize, '\0');
  GenWriteImage(g_GenLive, reinterpret_cast<std::uint8_t*>(files.image.data()));
  FUZZ_CHECK(GenSaveCurrentGame());
  files.savedFile = FuzzReadFile(FuzzNativePath(FuzzGameSavedFileName()));
  files.picture = FuzzReadFile(FuzzNativePath(FuzzGamePictureName()));
  FUZZ_CHECK(files.savedFile.size() == static_cast<std::size_t>(kGenSaveFileSize));
  FUZZ_CHECK(files.picture.size() == static_cast<std::size_t>(kGenPictureFileSize));
  files.made = true;
}

}  // namespace

int FuzzGameBaseCount() { return kBaseCount; }
const FuzzGameBase& FuzzGameBaseAt(int index) { return kBases[index % kBaseCount]; }

void FuzzGameUse(int index) {
  static const bool ready = (SetUpCore(), true);
  (void)ready;
  const FuzzGameBase& base = FuzzGameBaseAt(index);
  GenSetCurGame(base.game);
  GenSetSetupOverrideForTests(base.setup);
}

const std::string& FuzzGameImage(int index) {
  index %= kBaseCount;
  if (!g_files[index].made) {
    FuzzGameUse(index);
    MakeFiles(index);
  }
  return g_files[index].image;
}

const std::string& FuzzGameSavedFile(int index) {
  FuzzGameImage(index);
  return g_files[index % kBaseCount].savedFile;
}

const std::string& FuzzGamePicture(int index) {
  FuzzGameImage(index);
  return g_files[index % kBaseCount].picture;
}

std::string FuzzGameSavedFileName() { return GenGetSaveFilename(0); }
std::string FuzzGamePictureName() { return GenGetSaveFilename(1); }

int FuzzGameCountCards() { return FixtureCountAllCards(); }
std::string FuzzGameDescribe() { return FixtureDescribeGame(); }

void FuzzGamePlay(unsigned seed) {
  Gen& g = g_GenLive;
  std::mt19937 rng(seed);
  auto pick = [&rng](int n) { return n > 0 ? static_cast<int>(rng() % static_cast<unsigned>(n)) : 0; };
  std::vector<int> piles;
  for (int i = 0; i < g.numTableaus; ++i) piles.push_back(kWhereTableau + i);
  for (int i = 0; i < g.numFoundations; ++i) piles.push_back(kWhereFoundation + i);
  for (int i = 0; i < g.numCells; ++i) piles.push_back(kWhereCell + i);
  if (g.wasteInUse) piles.push_back(kWhereWaste);
  if (piles.empty()) return;
  const int total = FuzzGameCountCards();
  for (int step = 0; step < 8 && !g.gameOver; ++step) {
    const int from = piles[static_cast<std::size_t>(pick(static_cast<int>(piles.size())))];
    const CardGroup* pile = GenGetGroup(g, from);
    const int index = pile->numCards > 0 ? pick(pile->numCards) : -1;
    switch (pick(6)) {
      case 0:
        if (g.deckInUse) FixtureClick(kWhereDeck, -1, pick(2));
        break;
      case 1:
        if (index >= 0) FixtureClick(from, index, 1);
        break;
      case 2:
        if (index >= 0) {
          FixtureDrag(from, index, piles[static_cast<std::size_t>(pick(static_cast<int>(piles.size())))]);
        }
        break;
      case 3:
        GenUndo();
        break;
      case 4:
        GenRedo();
        break;
      default:
        if (index >= 0) FixtureClick(from, index, 0);
        break;
    }
    Settle();
    FUZZ_CHECK(FuzzGameCountCards() == total);
    FUZZ_CHECK(g.selection.numCards == 0);
    FUZZ_CHECK(GenCheckOk());
  }
}
