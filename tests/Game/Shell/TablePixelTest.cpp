// The drawn table on a real window (Mesa under Xvfb) through the test
// harness: dealt games show faces, backs and the board; the mouse carries
// cards; a resize and a lost device bring the picture back; the
// celebration dims the table and a new deal ends it; a missing picture
// ends the program with its message. Screenshots go to <build>/screenshots.
// Runs on an X server of its own.
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Game/AnimGameOver.h"
#include "Game/CardsSettings.h"
#include "Shell/Shell.h"
#include "Game/GenGameTable.h"
#include "Game/GenRecord.h"
#include "Game/GenSelection.h"
#include "Game/GenUndo.h"
#include "Game/UserRecord.h"
#include "Platform/D3D9GL.h"
#include "tests/Game/GameFixture.h"
#include "tests/Support/GameHarness.h"
#include "tests/Support/TestSupport.h"
#include "tests/Support/XServer.h"

namespace {

struct Rgb {
  int r = 0, g = 0, b = 0;
};

// The mean colour of the (2 r + 1)-pixel square around (x, y).
Rgb Mean(const std::vector<std::uint32_t>& pixels, int width, int height, int x, int y, int r) {
  Rgb sum;
  int n = 0;
  for (int py = y - r; py <= y + r; ++py) {
    for (int px = x - r; px <= x + r; ++px) {
      if (px < 0 || py < 0 || px >= width || py >= height) continue;
      const std::uint32_t p = pixels[static_cast<std::size_t>(py) * width + px];
      sum.r += (p >> 16) & 0xFF;
      sum.g += (p >> 8) & 0xFF;
      sum.b += p & 0xFF;
      ++n;
    }
  }
  if (n) sum = {sum.r / n, sum.g / n, sum.b / n};
  return sum;
}

int Difference(const Rgb& a, const Rgb& b) {
  return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

int Brightness(const Rgb& c) { return c.r + c.g + c.b; }

// The brightest less the darkest pixel of the (2 r + 1)-pixel square: a
// card back's pattern against the smooth cloth of the table.
int Contrast(const std::vector<std::uint32_t>& pixels, int width, int height, int x, int y, int r) {
  int low = 3 * 255, high = 0;
  for (int py = y - r; py <= y + r; ++py) {
    for (int px = x - r; px <= x + r; ++px) {
      if (px < 0 || py < 0 || px >= width || py >= height) continue;
      const int b = Brightness(Mean(pixels, width, height, px, py, 0));
      low = std::min(low, b);
      high = std::max(high, b);
    }
  }
  return high - low;
}

// A card face's plain paper: light and warm under the default lights (the
// point light leaves the table's far corners at about 160, 135, 110).
bool IsPaper(const Rgb& c) { return c.r > 145 && c.g > 120 && c.b > 90 && c.r - c.b < 90; }

std::string Show(const Rgb& c) {
  return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

class TablePixelTest : public TempDirTest {
 public:
  static bool CardPointOf(GameHarness& h, const CardGroup& group, int i, float fx, float fy, int* x,
                          int* y) {
    return CardPoint(h, group, i, fx, fy, x, y);
  }

 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::string noDisplay;
    ASSERT_TRUE(TestUsePrivateDisplay(&noDisplay)) << noDisplay;
  }

  // Window pixel of the point (fx, fy) of card i of the group, in half card
  // sizes from the card's centre.
  static bool CardPoint(GameHarness& h, const CardGroup& group, int i, float fx, float fy, int* x,
                        int* y) {
    const CardsSettingsRecord& s = CardsGetSettings();
    const Card& card = group.cards[i];
    return h.Project(group.pos[0] + card.pos[0] + fx * s.halfWidth,
                     group.pos[1] + card.pos[1] + fy * s.halfHeight,
                     group.pos[2] + card.pos[2], x, y);
  }

  // The colour near the right edge, half way up, of the group's top card:
  // plain paper on every face (pips and corner indexes lie elsewhere).
  static Rgb TopCardEdge(GameHarness& h, const std::vector<std::uint32_t>& pixels,
                         const CardGroup& group) {
    int x = 0, y = 0;
    CardPoint(h, group, group.numCards - 1, 0.82f, 0.0f, &x, &y);
    return Mean(pixels, h.Width(), h.Height(), x, y, 1);
  }

  static Rgb CardCentre(GameHarness& h, const std::vector<std::uint32_t>& pixels,
                        const CardGroup& group, int i, int radius) {
    int x = 0, y = 0;
    CardPoint(h, group, i, 0, 0, &x, &y);
    return Mean(pixels, h.Width(), h.Height(), x, y, radius);
  }

  // A patch of bare table below the cards.
  static Rgb Table(GameHarness& h, const std::vector<std::uint32_t>& pixels) {
    int x = 0, y = 0;
    h.Project(0, -24, 0, &x, &y);
    return Mean(pixels, h.Width(), h.Height(), x, y, 6);
  }

  // Every tableau's top card shows paper (a deal's autoplay may have
  // emptied a tableau); the picture is saved.
  static void ExpectFacesOnTableaus(GameHarness& h, const std::string& shot) {
    const std::vector<std::uint32_t> pixels = h.Pixels();
    ASSERT_FALSE(pixels.empty());
    for (int t = 0; t < g_GenLive.numTableaus; ++t) {
      if (g_GenLive.tableaus[t].numCards == 0) continue;
      const Rgb c = TopCardEdge(h, pixels, g_GenLive.tableaus[t]);
      EXPECT_TRUE(IsPaper(c)) << "tableau " << t << ": " << Show(c);
    }
    EXPECT_TRUE(HarnessWritePng(HarnessScreenshotFolder() + "/" + shot, h.Width(), h.Height(), pixels));
  }
};

TEST_F(TablePixelTest, AKlondikeDealShowsFacesBacksAndTheBoard) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  ASSERT_TRUE(h.Deal(kGameKlondike, 1));
  const std::vector<std::uint32_t> pixels = h.Pixels();
  ASSERT_FALSE(pixels.empty());
  EXPECT_TRUE(HarnessWritePng(HarnessScreenshotFolder() + "/Klondike.png", 1024, 768, pixels));
  const Rgb table = Table(h, pixels);
  Rgb face;
  for (int t = 0; t < 7; ++t) {
    face = TopCardEdge(h, pixels, g_GenLive.tableaus[t]);
    EXPECT_TRUE(IsPaper(face)) << "tableau " << t << ": " << Show(face);
    EXPECT_GT(Difference(face, table), 150) << Show(face) << " on " << Show(table);
  }
  // The deck's top card shows its back: dark, with a bold pattern the
  // table's cloth does not have.
  ASSERT_GT(g_GenLive.deck.numCards, 0);
  const Rgb back = CardCentre(h, pixels, g_GenLive.deck, g_GenLive.deck.numCards - 1, 12);
  EXPECT_FALSE(IsPaper(back)) << Show(back);
  EXPECT_GT(Difference(back, face), 150) << Show(back);
  int x = 0, y = 0;
  CardPoint(h, g_GenLive.deck, g_GenLive.deck.numCards - 1, 0.4f, -0.5f, &x, &y);
  const int backContrast = Contrast(pixels, 1024, 768, x, y, 8);
  h.Project(0, -24, 0, &x, &y);
  const int tableContrast = Contrast(pixels, 1024, 768, x, y, 8);
  EXPECT_GT(backContrast, 150);
  EXPECT_LT(tableContrast, 40);
  // An empty foundation shows its marker: the letter stands out of the
  // cloth it lies on.
  CardPoint(h, g_GenLive.foundations[0], 0, 0, 0, &x, &y);
  EXPECT_GT(Contrast(pixels, 1024, 768, x, y, 14), tableContrast + 30);
}

TEST_F(TablePixelTest, TheMouseCarriesACardAndAnIllegalDropSendsItBack) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  ASSERT_TRUE(h.Deal(kGameKlondike, 1));
  CardGroup& column = g_GenLive.tableaus[0];
  const int count = column.numCards;
  int x = 0, y = 0;
  CardPoint(h, column, count - 1, 0, 0, &x, &y);
  h.MouseMove(x, y);
  h.Frame();
  h.MouseButton(0, true);
  h.Frame();
  // Carried down to the bare table: the card is off its column and drawn
  // under the pointer.
  const int toX = x + 40, toY = y + 300;
  for (int step = 1; step <= 10; ++step) {
    h.MouseMove(x + (toX - x) * step / 10, y + (toY - y) * step / 10);
    h.Frame();
  }
  EXPECT_EQ(g_GenLive.selection.numCards, 1);
  EXPECT_EQ(column.numCards, count - 1);
  const std::vector<std::uint32_t> pixels = h.Pixels();
  const Rgb carried = TopCardEdge(h, pixels, g_GenLive.selection);
  EXPECT_TRUE(IsPaper(carried)) << Show(carried);
  EXPECT_TRUE(HarnessWritePng(HarnessScreenshotFolder() + "/KlondikeCarried.png", 1024, 768, pixels));
  // Let go there: nothing takes it, it flies home.
  h.MouseButton(0, false);
  ASSERT_TRUE(h.RunAnimations());
  EXPECT_EQ(g_GenLive.selection.numCards, 0);
  EXPECT_EQ(column.numCards, count);
  ExpectFacesOnTableaus(h, "KlondikeReturned.png");
}

// The pile holds the cards of the suit from rank first to last, face up
// (none when last is below first).
void Lay(CardGroup& pile, int suit, int first, int last) {
  pile.numCards = 0;
  pile.RelinkOwners();
  for (int rank = first; rank <= last && rank > 0; ++rank) {
    Card card;
    CardsSetupCard(&card, 1, suit, rank, 0, 0, 0);
    pile.AddCardToGroup(&card, false, false, false);
  }
  pile.Refresh(true);
  pile.MarkChanged();
}

// Presses on the top card of the pile, carries it to the top card of the
// other pile in steps and lets go (what follows is left to the caller's
// frames).
void Drag(GameHarness& h, const CardGroup& from, const CardGroup& to) {
  int x = 0, y = 0, toX = 0, toY = 0;
  TablePixelTest::CardPointOf(h, from, from.numCards - 1, 0, 0, &x, &y);
  TablePixelTest::CardPointOf(h, to, std::max(to.numCards - 1, 0), 0, 0, &toX, &toY);
  h.MouseMove(x, y);
  h.Frame();
  h.MouseButton(0, true);
  h.Frame();
  for (int step = 1; step <= 10; ++step) {
    h.MouseMove(x + (toX - x) * step / 10, y + (toY - y) * step / 10);
    h.Frame();
  }
  h.MouseButton(0, false);
}

TEST_F(TablePixelTest, ADragPutsTheBlackSevenOnTheRedEight) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  ASSERT_TRUE(h.Deal(kGameKlondike, 1));
  CardGroup& from = g_GenLive.tableaus[2];
  CardGroup& to = g_GenLive.tableaus[4];
  ASSERT_EQ(from.GetTopCard()->rank, 7);
  ASSERT_EQ(from.GetTopCard()->suit, 3);  // clubs
  ASSERT_EQ(to.GetTopCard()->rank, 8);
  ASSERT_EQ(to.GetTopCard()->suit, 0);  // hearts
  const int fromCount = from.numCards, toCount = to.numCards;
  Drag(h, from, to);
  ASSERT_TRUE(h.RunAnimations());
  EXPECT_EQ(from.numCards, fromCount - 1);
  ASSERT_EQ(to.numCards, toCount + 1);
  EXPECT_EQ(to.GetTopCard()->rank, 7);
  EXPECT_EQ(to.GetTopCard()->suit, 3);
  // Both new tops show their faces: the moved seven and the card turned up
  // under it.
  ExpectFacesOnTableaus(h, "KlondikeMoved.png");
}

TEST_F(TablePixelTest, ASpiderTableOfTwoDecksShowsEveryColumn) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1280, 720));
  ASSERT_TRUE(h.Deal(kGameSpider, 7, FixtureSpiderPlaySetup));
  int cards = g_GenLive.deck.numCards;
  for (int t = 0; t < g_GenLive.numTableaus; ++t) cards += g_GenLive.tableaus[t].numCards;
  EXPECT_EQ(cards, 104);
  ExpectFacesOnTableaus(h, "Spider.png");
}

TEST_F(TablePixelTest, AResizeAndALostDeviceBringThePictureBack) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  ASSERT_TRUE(h.Deal(kGameKlondike, 3));
  ASSERT_TRUE(h.Resize(800, 600));
  ExpectFacesOnTableaus(h, "KlondikeResized.png");
  // A lost device at the same size comes back with the same picture.
  const std::vector<std::uint32_t> before = h.Pixels();
  D3D9GLLoseDevice(3);
  for (int i = 0; i < 10; ++i) h.Frame();
  ExpectFacesOnTableaus(h, "KlondikeDeviceLost.png");
  const std::vector<std::uint32_t> after = h.Pixels();
  ASSERT_EQ(after.size(), before.size());
  std::size_t same = 0;
  for (std::size_t i = 0; i < before.size(); ++i) same += before[i] == after[i];
  EXPECT_GT(same, before.size() * 99 / 100);
}

// Frame i of a run of frames: every fourth is ticked and drawn, the others
// only ticked.
void FrameOrTick(GameHarness& h, int i, double seconds = 1.0 / 60.0) {
  if (i % 4 == 3) {
    h.Frame(seconds);
  } else {
    h.Tick(seconds);
  }
}

TEST_F(TablePixelTest, AWinFadesOutTheTableIntoTheCelebrationAndANewDealEndsIt) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  ASSERT_TRUE(h.Deal(kGameKlondike, 5));
  const std::vector<std::uint32_t> dealt = h.Pixels();
  const Rgb before = Table(h, dealt);
  // One card from the win: the last king onto its foundation.
  for (int t = 0; t < g_GenLive.numTableaus; ++t) Lay(g_GenLive.tableaus[t], 0, 0, 0);
  Lay(g_GenLive.deck, 0, 0, 0);
  Lay(g_GenLive.waste, 0, 0, 0);
  for (int f = 0; f < 4; ++f) Lay(g_GenLive.foundations[f], f, 1, f == 0 ? 12 : 13);
  Lay(g_GenLive.tableaus[0], 0, 13, 13);
  GenUndoReset();
  GenUndoRecordState();
  GenBuildPickupCandidates();
  g_UserRecord.afterWin = 0;      // the celebration,
  g_UserRecord.gatherCards = 0;   // at once (gathering 52 cards takes 17 s)
  AnimGameOverForceEffectForTests(0);
  Drag(h, g_GenLive.tableaus[0], g_GenLive.foundations[0]);
  for (int i = 0; i < 300 && !AnimGameOverIsRunning(); ++i) h.Frame();
  ASSERT_TRUE(g_GenLive.gameOver);
  ASSERT_TRUE(AnimGameOverIsRunning());
  // 0.6 s into the fade the table is at about 64 % of its brightness. The
  // fade and the phases move on the ticks; every fourth frame is drawn, as
  // the harness's animations are.
  for (int i = 0; i < 36; ++i) FrameOrTick(h, i);
  const Rgb fading = Table(h, h.Pixels());
  EXPECT_LT(Brightness(fading), Brightness(before) * 4 / 5)
      << Show(fading) << " before " << Show(before);
  EXPECT_GT(Brightness(fading), Brightness(before) * 2 / 5)
      << Show(fading) << " before " << Show(before);
  // Faded back in on the celebration's own picture, the title showing:
  // the table is gone from most of the screen.
  for (int i = 0; i < 600 && AnimGameOverGetLightsPhase() < 3; ++i) FrameOrTick(h, i, 1.0 / 30);
  ASSERT_EQ(AnimGameOverGetLightsPhase(), 3);
  const std::vector<std::uint32_t> pixels = h.Pixels();
  EXPECT_TRUE(HarnessWritePng(HarnessScreenshotFolder() + "/Celebration.png", 1024, 768, pixels));
  int changed = 0, points = 0;
  for (int y = 60; y < 768; y += 100) {
    for (int x = 60; x < 1024; x += 100, ++points) {
      if (Difference(Mean(pixels, 1024, 768, x, y, 2), Mean(dealt, 1024, 768, x, y, 2)) > 40) ++changed;
    }
  }
  EXPECT_GT(changed, points / 2);
  // Ctrl+N: the celebration ends and the next deal is on the table.
  const unsigned deal = g_GenLive.dealNumber;
  h.Key(0x11, true);
  h.Key('N', true);
  h.Frame();
  h.Key('N', false);
  h.Key(0x11, false);
  EXPECT_FALSE(AnimGameOverIsRunning());
  EXPECT_EQ(AnimGameOverGetEffect(), -1);
  EXPECT_NE(g_GenLive.dealNumber, deal);
  ASSERT_TRUE(h.RunAnimations());
  ExpectFacesOnTableaus(h, "CelebrationEnded.png");
  const Rgb after = Table(h, h.Pixels());
  EXPECT_LT(Difference(after, before), 30) << Show(after) << " before " << Show(before);
}

// The start of play loads the player's graphics; a loading step that
// fails ends the program: the "Internal Error 0x03" box, then the box of a
// premature end, and the exit code -1.
TEST_F(TablePixelTest, AMissingMarkerPictureEndsTheProgramWithItsMessage) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // The ending child skips the leak check at exit: with the network and
  // toolkit libraries in the process the leak tracer itself can crash there
  // and change the exit code this test is about.
  const char* sanitizer = std::getenv("ASAN_OPTIONS");
  const std::string before = sanitizer ? sanitizer : "";
  setenv("ASAN_OPTIONS", (before.empty() ? "detect_leaks=0" : before + ":detect_leaks=0").c_str(), 1);
  EXPECT_EXIT(
      {
        GameHarness h(dir_ + "/run");
        h.HideDataFile("Deck/CardSpace.tga");
        h.Start(640, 480);
      },
      testing::ExitedWithCode(255), "Internal Error 0x03.*terminate prematurely");
  if (sanitizer) {
    setenv("ASAN_OPTIONS", before.c_str(), 1);
  } else {
    unsetenv("ASAN_OPTIONS");
  }
}

}  // namespace
