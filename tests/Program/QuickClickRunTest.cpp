// Clicks as a quick player or an input tool makes them: the press, the
// release and a move away in one instant. Each is a click on the toolkit's
// button it was made on: Continue Player at the player selection, then the
// main menu's New Game round after round, the first time without a saved
// game, then with the one the last round left behind; every other round
// where the pointer rests since the menu came back, without a move first.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/Program/PlayRun.h"
#include "tests/Support/NewPlayerDeck.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr int kRounds = 6;

class QuickClickRunTest : public TempDirTest {};

std::string Why(ProgramHarness& h, const std::string& name) { return playrun::WhatWasShown(h, name); }

TEST_F(QuickClickRunTest, APressReleasedAndLeftAtOnceIsAClick) {
  ProgramHarness h(dir_ + "/home");
  std::string noDeck;
  ASSERT_TRUE(TestUseNewPlayerDeck(h.UserFolder(), &noDeck)) << noDeck;
  ASSERT_TRUE(h.StartDisplay(kWidth, kHeight));
  playrun::WritePlayer(h.UserFolder());  // Ann, with Klondike chosen
  ASSERT_TRUE(h.StartProgram());
  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 30));
  ASSERT_TRUE(playrun::WaitForPixel(h, 220, 400, playrun::IsButtonGreen, 30)) << Why(h, "QuickClickUsers");
  h.ClickAndMoveAwayVirtual(220, 400);
  ASSERT_TRUE(playrun::WaitForPixel(h, 343, 449, playrun::IsButtonGreen, 240))
      << "Continue Player took no quick click\n" << Why(h, "QuickClickUsers");

  const std::string saved = h.UserFolder() + "/SavedGames/Ann_Klondike.c3o";
  const auto drawn = [](playrun::Rgb c) { return c.r + c.g + c.b > 60; };
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    EXPECT_EQ(std::filesystem::exists(saved), round > 0) << "the rounds after the first leave a game";
    // The odd rounds click where the last round's click left the pointer,
    // still on New Game (a fifth of its width right of its middle).
    if (round % 2 == 0) {
      h.ClickAndMoveAwayVirtual(343, 449);
    } else {
      h.ClickHereAndMoveAway();
    }
    // The table: the menu's New Game gives way to the table's cloth.
    ASSERT_TRUE(ProgramHarness::WaitUntil(
        [&] {
          return !playrun::IsButtonGreen(playrun::Split(h.PixelVirtual(343, 449))) &&
                 drawn(playrun::Split(h.PixelVirtual(320, 300)));
        },
        120, 0.1))
        << "New Game took no quick click\n" << Why(h, "QuickClickMenu");
    // Escape leaves the table (keeping the game) for the menu.
    h.Key("Escape");
    ASSERT_TRUE(playrun::WaitForPixel(h, 343, 449, playrun::IsButtonGreen, 120)) << Why(h, "QuickClickTable");
  }
  h.ClickVirtual(612, 458);
  EXPECT_EQ(h.WaitForExit(60), 0);
}

}  // namespace
