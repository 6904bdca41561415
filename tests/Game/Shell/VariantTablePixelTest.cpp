// VariantTablePixelTest.cpp - a deal of each building game's family drawn by
// the game shell on a real window (Mesa under Xvfb): every face-up top card
// of every pile shows its paper where the layout puts it, inside the board's
// wooden frame. Screenshots go to <build>/screenshots/Variant<Game>.png.
// Runs on an X server of its own.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Game/CardsSettings.h"
#include "Game/GenGameTable.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "tests/Support/GameHarness.h"
#include "tests/Support/TestSupport.h"
#include "tests/Support/XServer.h"

namespace {

// The mean colour of the 3 x 3 pixels around (x, y).
void MeanAround(const std::vector<std::uint32_t>& pixels, int width, int height, int x, int y,
                int* r, int* g, int* b) {
  int n = 0;
  *r = *g = *b = 0;
  for (int py = y - 1; py <= y + 1; ++py) {
    for (int px = x - 1; px <= x + 1; ++px) {
      if (px < 0 || py < 0 || px >= width || py >= height) continue;
      const std::uint32_t p = pixels[static_cast<std::size_t>(py) * width + px];
      *r += (p >> 16) & 0xFF;
      *g += (p >> 8) & 0xFF;
      *b += p & 0xFF;
      ++n;
    }
  }
  if (n) {
    *r /= n;
    *g /= n;
    *b /= n;
  }
}

class VariantTablePixelTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::string noDisplay;
    ASSERT_TRUE(TestUsePrivateDisplay(&noDisplay)) << noDisplay;
  }
};

TEST_F(VariantTablePixelTest, EveryFamilyShowsItsFacesInsideTheFrame) {
  const int games[] = {kGameFreeCell,    kGameEightOff,          kGameKlondike,
                       kGameDoubleKlondike, kGameYukon,          kGameHarp,
                       kGameAlternations, kGameFortyThieves,     kGameWaningMoon,
                       kGameBeleagueredCastle, kGameBakersDozen, kGameCastlesInSpain,
                       kGameMartha,      kGameKings,             kGameGrandfathersClock};
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  const float velvet = 30.0f * (1.0f - 2 * 0.07f);
  for (int game : games) {
    SCOPED_TRACE(GenGameTable[game].name);
    ASSERT_TRUE(h.Deal(game, 3));
    // The frame's inner edge on the screen: the velvet's corners projected
    // with the table's camera (the main menu has a camera of its own).
    int left = 0, top = 0, right = 0, bottom = 0;
    ASSERT_TRUE(h.Project(-velvet, velvet, 0, &left, &top));
    ASSERT_TRUE(h.Project(velvet, -velvet, 0, &right, &bottom));
    const std::vector<std::uint32_t> pixels = h.Pixels();
    ASSERT_FALSE(pixels.empty());
    EXPECT_TRUE(HarnessWritePng(HarnessScreenshotFolder() + "/Variant" + GenGameTable[game].name +
                                    ".png",
                                h.Width(), h.Height(), pixels));
    const CardsSettingsRecord& s = CardsGetSettings();
    GenForEachPileInUse(g_GenLive, [&](CardGroup& pile, int kind) {
      if (pile.numCards < 1 || kind == kWhereDeck) return;
      const Card& card = pile.cards[pile.numCards - 1];
      if (!card.faceUp) return;
      // The top card's upper edge lies below the frame's top edge, and its
      // right edge half way up shows plain paper.
      int x = 0, y = 0;
      const float cx = pile.pos[0] + card.pos[0], cy = pile.pos[1] + card.pos[1];
      ASSERT_TRUE(h.Project(cx, cy + s.halfHeight, pile.pos[2], &x, &y));
      EXPECT_GE(y, top) << "pile " << pile.where;
      ASSERT_TRUE(h.Project(cx + 0.82f * s.halfWidth, cy, pile.pos[2], &x, &y));
      EXPECT_GT(x, left);
      EXPECT_LT(x, right);
      int r, g, b;
      MeanAround(pixels, h.Width(), h.Height(), x, y, &r, &g, &b);
      EXPECT_TRUE(r > 145 && g > 120 && b > 90 && r - b < 90)
          << "pile " << pile.where << ": " << r << "," << g << "," << b;
    });
  }
}

}  // namespace
