// The end of a Poker Square in the running program: a player continues a
// square with 24 cards placed (and one undo taken), drags the 25th card
// from the stock onto the last square, and the finished square scores its
// hands: the score table gets the row, the stock shows no further card.
//
// The square is made here, in the test's own process: a deal laid out by
// the card core, 24 of its stock cards placed row by row, written as the
// game writes a saved game; the 25th card placed on a copy gives the score
// the program must reach. Screenshots go to <build>/screenshots.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "App/PrefFolder.h"
#include "App/Score.h"
#include "Engine/EngEncryption.h"
#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSaveLocal.h"
#include "Game/GenScores.h"
#include "Game/GenSelectionLocal.h"
#include "Game/SolCards.h"
#include "Game/UserRecord.h"
#include "tests/Program/PlayRun.h"
#include "tests/Support/NewPlayerDeck.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr unsigned kDeal = 777;
constexpr int kSquares = 25;

using playrun::ScreenPoint;

struct LastCard {
  ScreenPoint stock, square;
  int score = 0;  // the ten hands once the card is on the last square
};

// Places the stock's top card on square k (reserve pile k) face up.
void Place(Gen& g, int k) {
  Card card = g.deck.cards[g.deck.numCards - 1];
  card.faceUp = 1;
  g.reserves[k].AddCardToGroup(&card, false, false, true);
  g.deck.RemoveCardFromEnd();
}

// Deals Poker Square here, places 24 stock cards on the first 24 squares,
// counts one undo, writes the record as the program's saved game and works
// out where the last card goes and what the square then scores.
bool WriteSquareOneCardShort(const std::string& file, LastCard* last) {
  GenGameLayoutsLoad();
  CardsInit();
  SolCardsSetup();
  GenSetCurGame(kGamePokerSquare);
  GenNewGameWithNumber(kDeal, true);
  for (int i = 0; i < 1000 && AnimIsAnimating(); ++i) {
    AnimClearStartDelay();
    GenSelEndAllAnimations();
  }
  Gen& g = g_GenLive;
  if (g.numReserves != kSquares || g.deck.numCards != 52) return false;
  for (int k = 0; k < kSquares - 1; ++k) Place(g, k);
  g.moves = kSquares;
  g.unmarkedUndos = 1;
  GenRelayOutAllPiles(g);
  if (!GenSaveCheckGameInPlay(g) || !playrun::WriteSavedGame(g, file)) return false;

  const CardGroup& deck = g.deck;
  const Card& top = deck.cards[deck.numCards - 1];
  last->stock = playrun::ProjectTablePoint(deck.pos[0] + top.pos[0], deck.pos[1] + top.pos[1], deck.pos[2] + top.pos[2]);
  const CardGroup& square = g.reserves[kSquares - 1];
  last->square = playrun::ProjectTablePoint(square.pos[0], square.pos[1], square.pos[2]);
  Place(g, kSquares - 1);
  last->score = PokerSquareGetScore();
  return last->score > 0;
}

class PokerSquareRunTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    shots_ = playrun::ScreenshotFolder();
    std::filesystem::current_path(CARDOLIA_BUILD_DIR);  // the layouts file is the build's
    EngEncryptionInit("Mplx4QoragZn_265");
  }
  static std::string Why(ProgramHarness& h) { return playrun::WhatWasShown(h, "PokerSquareFailed"); }
  std::string shots_;
};

TEST_F(PokerSquareRunTest, TheLastCardScoresTheHandsAndLeavesNoCardToPlace) {
  ProgramHarness h(dir_ + "/home");
  std::string noDeck;
  ASSERT_TRUE(TestUseNewPlayerDeck(h.UserFolder(), &noDeck)) << noDeck;
  ASSERT_TRUE(h.StartDisplay(kWidth, kHeight));
  playrun::WritePlayer(h.UserFolder(), [](UserRecord& ann) { ann.menuGame = kGamePokerSquare; });
  LastCard last;
  ASSERT_TRUE(WriteSquareOneCardShort(h.UserFolder() + "/SavedGames/Ann_PokerSquare.c3o", &last));
  ASSERT_TRUE(h.StartProgram());
  ASSERT_TRUE(playrun::StartToSavedGame(h, "PokerSquareFailed")) << Why(h);
  // The stock's card shows its face: paper left of its middle (a back is
  // dark there, its pattern a saturated gold; the middle may hold the
  // stock's count).
  const auto paper = [](int r, int g, int b) { return r > 140 && g > 120 && b > 95; };
  const auto stockShowsPaper = [&](double seconds) {
    return h.WaitForPixelIn(last.stock.x - 20, last.stock.y - 6, last.stock.x - 9, last.stock.y + 6, paper, seconds);
  };
  ASSERT_TRUE(stockShowsPaper(120)) << "stock at " << last.stock.x << ", " << last.stock.y << "\n" << Why(h);

  ASSERT_TRUE(h.DragVirtual(last.stock.x, last.stock.y, last.square.x, last.square.y));
  h.MoveVirtual(320, 470);
  const std::string table = h.UserFolder() + "/Scores/PokerSquare.sco";
  ASSERT_TRUE(ProgramHarness::WaitUntil([&] { return std::filesystem::exists(table); }, 60, 0.1))
      << "the finished square entered no score\n" << Why(h);
  // The stock is there still, face down: no paper where its card was.
  EXPECT_TRUE(ProgramHarness::WaitUntil([&] { return !stockShowsPaper(0); }, 20, 0.1))
      << "the finished square's stock shows a card to place";
  h.Screenshot(shots_ + "PokerSquareFinished.png");

  setenv("XDG_DATA_HOME", (dir_ + "/home/data").c_str(), 1);
  PrefFolderSetup("Free Cardolia 3D", false, nullptr);
  GenSetCurGame(kGamePokerSquare);
  ScoreReadCurrentGameScores();
  ASSERT_EQ(ScoreGetEntryCount(), 1);
  EXPECT_EQ(ScoreGetEntry(0).score, static_cast<unsigned>(last.score)) << "the hands of the square";
  EXPECT_EQ(h.LogErrorLines(), "");
}

}  // namespace
