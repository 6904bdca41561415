// The tutorial of Twenty in the running program: the offer and each of the
// six steps stand beside the piles they talk about (never on them), the
// time and the score wait while the lesson is read, and End closes it.
// Return answers a box as its button does; leaving the game ends the
// lesson, so the next game is played without it; R opens the rules, as the
// lesson's last box says.
//
// Where Twenty's piles lie on the screen is worked out here, in the test's
// own process: the game's layout laid out by the card core and projected
// with a new player's camera at the display's size. Screenshots go to
// <build>/screenshots.
#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "Game/CardsSettings.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenRecord.h"
#include "Game/SolCards.h"
#include "Game/UserRecord.h"
#include "tests/Program/PlayRun.h"
#include "tests/Support/NewPlayerDeck.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;

using playrun::ScreenPoint;
struct Box {
  float x = 0, y = 0, w = 0, h = 0;
  bool Holds(ScreenPoint p) const { return p.x >= x && p.x < x + w && p.y >= y && p.y < y + h; }
};

// The screen points of the piles each step of the lesson talks about:
// every foundation, the left four, the right four, the twenty piles in the
// middle (twice), the stock.
std::vector<std::vector<ScreenPoint>> StepPiles() {
  std::filesystem::current_path(CARDOLIA_BUILD_DIR);  // the build's layouts file
  GenGameLayoutsLoad();
  CardsInit();
  SolCardsSetup();
  GenSetCurGame(kGameTwenty);
  GenNewGameWithNumber(1, false);
  const Gen& g = g_GenLive;
  auto centres = [](const CardGroup* piles, int first, int count) {
    std::vector<ScreenPoint> points;
    for (int i = first; i < first + count; ++i) {
      points.push_back(playrun::ProjectTablePoint(piles[i].pos[0], piles[i].pos[1]));
    }
    return points;
  };
  return {centres(g.foundations, 0, 8), centres(g.foundations, 0, 4),  centres(g.foundations, 4, 4),
          centres(g.reserves, 0, 20),   centres(g.reserves, 0, 20),    centres(&g.deck, 0, 1)};
}

// The lesson's box: the dark teal of its panel, its extent in the 640 x 480
// space; false when no box is shown.
bool IsPanel(unsigned long c) {
  const int r = static_cast<int>((c >> 16) & 0xFF), g = static_cast<int>((c >> 8) & 0xFF),
            b = static_cast<int>(c & 0xFF);
  return r < 45 && g > r + 12 && b > r + 12;
}
bool FindBox(const std::vector<unsigned long>& pixels, Box* box) {
  if (pixels.size() != static_cast<std::size_t>(kWidth) * kHeight) return false;
  int left = kWidth, top = kHeight, right = -1, bottom = -1, count = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (!IsPanel(pixels[static_cast<std::size_t>(y) * kWidth + x])) continue;
      ++count;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  if (count < 5000) return false;
  *box = Box{left * 640.0f / kWidth, top * 480.0f / kHeight, (right - left + 1) * 640.0f / kWidth,
             (bottom - top + 1) * 480.0f / kHeight};
  return true;
}

// The status corners at the foot of the screen: the time and the score.
std::vector<unsigned long> Corners(const std::vector<unsigned long>& pixels) {
  std::vector<unsigned long> corners;
  if (pixels.size() != static_cast<std::size_t>(kWidth) * kHeight) return corners;
  for (int y = kHeight * 460 / 480; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (x < kWidth * 60 / 640 || x >= kWidth * 580 / 640) {
        corners.push_back(pixels[static_cast<std::size_t>(y) * kWidth + x]);
      }
    }
  }
  return corners;
}

// The screen between the status corners at its top and foot: what stands
// still once no card moves.
std::vector<unsigned long> Middle(const std::vector<unsigned long>& pixels) {
  if (pixels.size() != static_cast<std::size_t>(kWidth) * kHeight) return {};
  const std::size_t top = static_cast<std::size_t>(kHeight * 24 / 480) * kWidth;
  const std::size_t foot = static_cast<std::size_t>(kHeight * 456 / 480) * kWidth;
  return std::vector<unsigned long>(pixels.begin() + static_cast<std::ptrdiff_t>(top),
                                    pixels.begin() + static_cast<std::ptrdiff_t>(foot));
}

// Waits until a box is shown whose picture differs from the one before
// (another text); false after the time.
bool WaitForNewBox(ProgramHarness& h, const std::vector<unsigned long>& before, Box* box,
                   std::vector<unsigned long>* now) {
  for (int i = 0; i < 300; ++i) {
    *now = h.Pixels();
    if (FindBox(*now, box)) {
      long differing = 0;
      for (std::size_t k = 0; k < now->size() && k < before.size(); ++k) differing += (*now)[k] != before[k];
      if (before.empty() || differing > 500) return true;
    }
    ProgramHarness::Settle(0.1);
  }
  return false;
}

class TutorialRunTest : public TempDirTest {
 protected:
  // Ann, who has never played Twenty, from the start of the program to
  // Twenty's dealt table, the pointer away from it; else the screen as
  // <name>.png.
  ::testing::AssertionResult StartAtTwenty(ProgramHarness& h, const std::string& shots, const std::string& name) {
    std::string noDeck;
    if (!TestUseNewPlayerDeck(h.UserFolder(), &noDeck)) return ::testing::AssertionFailure() << noDeck;
    playrun::WritePlayer(h.UserFolder(), [](UserRecord& r) { r.menuGame = kGameTwenty; });
    if (!h.StartDisplay(kWidth, kHeight)) return ::testing::AssertionFailure() << "no X server";
    if (!h.StartProgram()) return ::testing::AssertionFailure() << "the program did not start";
    if (!playrun::StartToTable(h, shots, name)) return ::testing::AssertionFailure() << "no table; see " << name << ".png";
    h.MoveVirtual(320, 470);
    return ::testing::AssertionSuccess();
  }
};

TEST_F(TutorialRunTest, TheLessonStandsBesideItsPilesAndTheScoreWaits) {
  const std::string shots = playrun::ScreenshotFolder();
  const std::vector<std::vector<ScreenPoint>> piles = StepPiles();
  ProgramHarness h(dir_ + "/home");
  ASSERT_TRUE(StartAtTwenty(h, shots, "TutorialStart"));

  // The offer: while it is read the time and the score stand still.
  Box box;
  std::vector<unsigned long> shown;
  ASSERT_TRUE(WaitForNewBox(h, {}, &box, &shown)) << "no offer";
  h.Screenshot(shots + "TutorialOffer.png");
  const std::vector<unsigned long> corners = Corners(shown);
  bool moved = false;
  for (int i = 0; i < 30 && !moved; ++i) {  // three seconds: the clock would have counted
    ProgramHarness::Settle(0.1);
    moved = Corners(h.Pixels()) != corners;
  }
  EXPECT_FALSE(moved) << "the time or the score changed while the offer was read";
  h.ClickVirtual(box.x + box.w / 2 - 60, box.y + box.h - 25);  // Ok, left of the two buttons

  for (std::size_t step = 0; step < piles.size(); ++step) {
    SCOPED_TRACE("step " + std::to_string(step + 1));
    std::vector<unsigned long> now;
    ASSERT_TRUE(WaitForNewBox(h, shown, &box, &now)) << "the step's box did not come";
    h.Screenshot(shots + "TutorialStep" + std::to_string(step + 1) + ".png");
    for (const ScreenPoint& p : piles[step]) {
      EXPECT_FALSE(box.Holds(p)) << "the box " << box.x << ", " << box.y << " (" << box.w << " x " << box.h
                                 << ") covers the pile at " << p.x << ", " << p.y;
    }
    EXPECT_TRUE(Corners(now) == corners) << "the time or the score moved";
    shown = now;
    h.ClickVirtual(box.x + box.w / 2, box.y + box.h - 25);  // Ok
    h.MoveVirtual(320, 470);
  }
  // The closing box; End puts the lesson away.
  std::vector<unsigned long> last;
  ASSERT_TRUE(WaitForNewBox(h, shown, &box, &last)) << "no closing box";
  h.ClickVirtual(box.x + box.w / 2, box.y + box.h - 25);
  h.MoveVirtual(320, 470);
  bool gone = false;
  for (int i = 0; i < 100 && !gone; ++i) {
    ProgramHarness::Settle(0.1);
    gone = !FindBox(h.Pixels(), &box);
  }
  EXPECT_TRUE(gone) << "the lesson did not end";
  EXPECT_FALSE(h.LogHasError()) << h.LogText();
}

// Return answers the offer and the steps; Escape at the second step leaves
// Twenty, and the next game (Three Cell, chosen in the menu's list) has no
// lesson: its clock runs and no box comes. R opens its rules.
TEST_F(TutorialRunTest, LeavingTheGameEndsItsLessonAndKeysAnswerIt) {
  const std::string shots = playrun::ScreenshotFolder();
  ProgramHarness h(dir_ + "/home");
  ASSERT_TRUE(StartAtTwenty(h, shots, "TutorialLeaveStart"));

  Box box;
  std::vector<unsigned long> shown;
  ASSERT_TRUE(WaitForNewBox(h, {}, &box, &shown)) << "no offer";
  for (int step = 1; step <= 2; ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    h.Key("Return");
    std::vector<unsigned long> now;
    ASSERT_TRUE(WaitForNewBox(h, shown, &box, &now)) << "Return did not answer the box";
    shown = now;
  }
  h.Screenshot(shots + "TutorialLeaveStep2.png");

  // Leave; Three Cell stands three rows above Twenty in the list, which
  // shows its last page.
  h.Key("Escape");
  ASSERT_TRUE(playrun::WaitForMainMenu(h, 120)) << "no main menu";
  h.ClickVirtual(100, 163);
  ASSERT_TRUE(playrun::StartToTableFromMenu(h, shots, "TutorialLeaveNext")) << "see TutorialLeaveNext.png";
  h.MoveVirtual(320, 470);
  // Once the menu has gone (its Exit button, below the word: the pointer
  // may still light its New Game) and the deal has landed (a lesson would
  // show its box then), no box stands over the table and the clock counts
  // on.
  std::vector<unsigned long> last;
  int still = 0;
  bool boxShown = false;
  ASSERT_TRUE(ProgramHarness::WaitUntil(
      [&] {
        std::vector<unsigned long> now = h.Pixels();
        const std::size_t exit = static_cast<std::size_t>(kHeight * 468 / 480) * kWidth + kWidth * 600 / 640;
        if (now.size() <= exit || playrun::IsButtonGreen(playrun::Split(static_cast<long>(now[exit])))) {
          still = 0;
          return false;
        }
        boxShown = FindBox(now, &box);
        still = Middle(now) == Middle(last) ? still + 1 : 0;
        last = std::move(now);
        return boxShown || still >= 3;
      },
      120, 0.4))
      << "the next game's deal did not land";
  h.Screenshot(shots + "TutorialLeaveNext.png");
  EXPECT_FALSE(boxShown) << "a box of the lesson over the next game";
  const std::vector<unsigned long> corners = Corners(last);
  EXPECT_TRUE(ProgramHarness::WaitUntil([&] { return Corners(h.Pixels()) != corners; }, 30, 0.2))
      << "the next game's clock waits";

  h.Key("r");
  EXPECT_TRUE(playrun::WaitForPixel(h, 320, 417.5f, playrun::IsButtonGreen, 60)) << "R opened no rules";
  h.Screenshot(shots + "TutorialLeaveRules.png");
  EXPECT_FALSE(h.LogHasError()) << h.LogText();
}

}  // namespace
