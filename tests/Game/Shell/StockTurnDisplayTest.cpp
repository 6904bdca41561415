// Stock clicks through the running shell (a real window, the shell's own
// start-up, the mouse through the program's input callback, Ctrl+Z and
// Ctrl+Y through the key table): in every game with a stock a click on it
// is one move and one undo step, with the autoplay off and at the level a
// new player starts with; and a game left after stock turns alone counts
// as a lost game in the statistics. Runs on an X server of its own.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <span>
#include <string>

#include <gtest/gtest.h>

#include "App/Stats.h"
#include "Game/GenGameTable.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenUndo.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"
#include "tests/Game/GameFixture.h"
#include "tests/Support/GameHarness.h"
#include "tests/Support/TestSupport.h"
#include "tests/Support/XServer.h"

namespace {

constexpr int kKeyControl = 0x11;
constexpr unsigned kDeal = 7;

class StockTurnDisplayTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::string noDisplay;
    ASSERT_TRUE(TestUsePrivateDisplay(&noDisplay)) << noDisplay;
  }

  // A press and release of the left button on the top card of a pile (its
  // place when empty), where the window shows it.
  static void ClickPile(GameHarness& h, int where) {
    const CardGroup* pile = GenGetGroup(g_GenLive, where);
    ASSERT_NE(pile, nullptr);
    float x = pile->pos[0], y = pile->pos[1], z = pile->pos[2];
    if (pile->numCards > 0) {
      const Card& top = pile->cards[pile->numCards - 1];
      x += top.pos[0];
      y += top.pos[1];
      z += top.pos[2];
    }
    int px = 0, py = 0;
    ASSERT_TRUE(h.Project(x, y, z, &px, &py));
    h.MouseMove(px, py);
    h.Frame();
    h.MouseButton(0, true);
    h.Frame();
    h.MouseButton(0, false);
    h.Frame();
    ASSERT_TRUE(h.RunAnimations());
  }

  // Ctrl and a letter pressed for a frame, then let go.
  static void ControlKey(GameHarness& h, char letter) {
    h.Key(kKeyControl, true);
    h.Key(letter, true);
    h.Frame();
    h.Key(letter, false);
    h.Key(kKeyControl, false);
    h.Frame();
    ASSERT_TRUE(h.RunAnimations());
  }
};

// A game with a stock, and what its first stock click needs first: Queen of
// Italy waits for the player's base card (a click on the first column).
struct StockRow {
  int game;
  bool chooseBase = false;
};

const StockRow kStockGames[] = {
    {kGameAcesUp},        {kGameAgnesBernauer},    {kGameAgnesSorel},
    {kGameAlternations},  {kGameInterchange},      {kGameUnlimited},
    {kGameBaroness},      {kGameBristol},          {kGameBlondesAndBrunettes},
    {kGameQueenOfItaly, true},                     {kGameCanfield},
    {kGameColeopter},     {kGameKlondike},         {kGameKlondike2},
    {kGameDoubleKlondike}, {kGameLasVegas},        {kGameLasVegas2},
    {kGameThumbAndPouch}, {kGameFortyThieves},     {kGameFortyThievesEasier},
    {kGameNumberTen},     {kGameStreets},          {kGameWaningMoon},
    {kGameHarp},          {kGameGargantua},        {kGameSteps},
    {kGameGiant},         {kGameGolf},             {kGameLaBelleLucie},
    {kGameIntelligence},  {kGameScorpion},         {kGameSpider},
    {kGameSpider3Suits},  {kGameSpider2Suits},     {kGameSpider1Suit},
    {kGameSpiderTripleDeck}, {kGameSpiderette},    {kGameSpiderette3Suits},
    {kGameSpiderette2Suits}, {kGameSpiderette1Suit}, {kGameRougeEtNoir},
    {kGameMissMilligan},  {kGamePyramid},          {kGameTutsTomb},
    {kGameSpiderTrap},    {kGameSpidersCrossing},  {kGameSpidersCrossingTD},
    {kGameTwenty},        {kGameGaps},
};

// The games are dealt in a few shards, each a case of its own, so that a
// busy machine runs them side by side and no one case takes all the time.
constexpr int kShards = 4;
constexpr int kGamesPerShard = (std::size(kStockGames) + kShards - 1) / kShards;

class StockTurnGamesDisplayTest : public StockTurnDisplayTest, public ::testing::WithParamInterface<int> {};

TEST_P(StockTurnGamesDisplayTest, EveryStockClickIsOneMoveAndOneUndoStep) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(640, 480));
  g_UserRecord.undoLevel = 2;
  // Twenty has been played before: its tutorial is not offered (it would
  // take the clicks).
  g_UserOptions.gamesPlayed[kGameTwenty] = 1;
  Gen& g = g_GenLive;
  const std::span<const StockRow> all(kStockGames);
  const std::size_t first = static_cast<std::size_t>(GetParam() * kGamesPerShard);
  for (const StockRow& row : all.subspan(first, std::min<std::size_t>(kGamesPerShard, all.size() - first))) {
    const int startLevel = g_UserOptions.autoplayMode[row.game];
    for (const int level : {0, startLevel}) {
      SCOPED_TRACE(std::string(GenGameTable[row.game].name) + " autoplay " + std::to_string(level));
      g_UserOptions.autoplayMode[row.game] = static_cast<std::uint8_t>(level);
      ASSERT_TRUE(h.Deal(row.game, kDeal));
      if (row.chooseBase) ClickPile(h, kWhereTableau);
      const std::string before = FixtureDescribeGame();
      const int moves = g.moves, step = GenUndoGetIndex();
      ClickPile(h, kWhereDeck);
      const std::string after = FixtureDescribeGame();
      ASSERT_NE(after, before) << "the stock click did nothing";
      EXPECT_EQ(g.moves, moves + 1);
      EXPECT_EQ(GenUndoGetIndex(), step + 1);
      ControlKey(h, 'Z');
      EXPECT_EQ(FixtureDescribeGame(), before) << "one undo goes back to before the click";
      ControlKey(h, 'Y');
      EXPECT_EQ(FixtureDescribeGame(), after);
    }
    g_UserOptions.autoplayMode[row.game] = static_cast<std::uint8_t>(startLevel);
  }
}

INSTANTIATE_TEST_SUITE_P(Games, StockTurnGamesDisplayTest, ::testing::Range(0, kShards));

// A stock turn is a move: a game left after one turn for a new deal
// (Ctrl+N) enters the statistics as lost.
TEST_F(StockTurnDisplayTest, AGameLeftAfterAStockTurnAloneCountsAsLost) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(640, 480));
  ASSERT_TRUE(h.Deal(kGameKlondike, kDeal));
  ClickPile(h, kWhereDeck);
  ControlKey(h, 'N');
  StatsGetPrevDaysStatsForCurGame();
  std::uint32_t played = 0, won = 0;
  StatsGetTotalsForPrevDays(kGameKlondike, -1, &played, &won);
  EXPECT_EQ(played, 1u);
  EXPECT_EQ(won, 0u);
}

}  // namespace
