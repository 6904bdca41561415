// Tests of games that end in the card core reaching the player's files: a
// won game and a finished poker square are each recorded once in the
// statistics file and offered to the score table; a new game after the
// win records nothing more.
#include <string>

#include "App/Score.h"
#include "App/Stats.h"
#include "Game/Gen.h"
#include "Game/GenAutoplay.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenScores.h"
#include "Game/GenVariant.h"
#include "App/ScoreSystem.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"
#include "Game/Variants/Poker.h"
#include "tests/App/PlayerFixture.h"

namespace {

class GameEndTest : public PlayerTest {
 protected:
  std::size_t Records() {
    const std::string file = ReadFile(StatsPath());
    return file.size() < 32 ? 0 : (file.size() - 32) / 96;
  }
};

TEST_F(GameEndTest, AWonGameIsRecordedOnceAndEntersTheTable) {
  g_UserRecord.gatherCards = 0;
  Gen& g = g_GenLive;
  g.deckSize = 52;
  g.numFoundations = 4;
  g.moves = 60;
  for (int suit = 0; suit < 4; ++suit) {
    SetPile(g.foundations[suit], {});
    for (int rank = 1; rank <= 13; ++rank) {
      Card card;
      CardsSetupCard(&card, 1, suit, rank, 0, 0, 0);
      g.foundations[suit].AddCardToGroup(&card, false, false, false);
    }
  }
  g_UserOptions.runningScore[kGameKlondike] = 2600;
  ASSERT_TRUE(GenCheckWonByFoundationCount());
  EXPECT_EQ(Records(), 1u);
  EXPECT_EQ(g_GenLive.statsState, 2);
  ScoreReadCurrentGameScores();
  ASSERT_EQ(ScoreGetEntryCount(), 1);
  EXPECT_EQ(ScoreGetEntry(0).score, 2600u);
  // The next game abandons nothing: no loss is recorded for the won game.
  StatsAddCurrentGame(0, 1);
  EXPECT_EQ(Records(), 1u);
  EXPECT_EQ(g_UserOptions.gamesPlayed[kGameKlondike], 1u);
}

TEST_F(GameEndTest, AFinishedPokerSquareIsRecordedOnce) {
  GenSetCurGame(kGamePokerSquare);
  GenReset();
  Gen& g = g_GenLive;
  g.moves = 25;
  SetPile(g.deck, {});
  for (int i = 0; i < 27; ++i) {
    Card card;
    CardsSetupCard(&card, 0, i % 4, 1 + i % 13, 0, 0, 0);
    g.deck.AddCardToGroup(&card, false, false, false);
  }
  PokerSquareScoreAutoplay(0, 0);
  PokerSquareScoreAutoplay(0, 0);  // the finished square ends once
  EXPECT_TRUE(g.gameOver);
  EXPECT_EQ(Records(), 1u);
  EXPECT_EQ(g_UserOptions.gamesPlayed[kGamePokerSquare], 1u);
}

// The finished square scores its hands: the running score, the total the
// table shows and the score table's new row all hold the ten hands' sum,
// also after an undo (which cost 100, more than most squares score).
TEST_F(GameEndTest, AFinishedPokerSquareScoresItsHands) {
  GenSetCurGame(kGamePokerSquare);
  GenReset();
  Gen& g = g_GenLive;
  g.moves = 26;
  g.unmarkedUndos = 1;
  g.numReserves = 25;
  g.reservesInUse = 1;
  // Row by row: pairs of aces (2, 2), a flush of spades (20), nothing, two
  // pairs (5); by column: three aces (10), a pair (2), nothing, a pair (2),
  // two pairs (5). 48 in all.
  const PileCard grid[25] = {{0, 1, true},  {0, 5, true},  {2, 9, true},  {3, 1, true}, {0, 12, true},
                             {1, 1, true},  {3, 6, true},  {2, 10, true}, {2, 1, true}, {0, 13, true},
                             {1, 2, true},  {1, 4, true},  {1, 7, true},  {1, 9, true}, {1, 11, true},
                             {3, 1, true}, {2, 3, true},  {2, 4, true},  {3, 7, true}, {3, 12, true},
                             {3, 3, true},  {0, 3, true},  {0, 8, true},  {3, 8, true}, {0, 11, true}};
  for (int k = 0; k < 25; ++k) {
    CardGroup& square = g.reserves[k];
    square.SetupCardGroup({.where = GenReserveCode(k + 1), .secondCode = -1});
    Card card;
    CardsSetupCard(&card, 1, grid[k].suit, grid[k].rank, 0, 0, 0);
    square.AddCardToGroup(&card, false, false, false);
  }
  SetPile(g.deck, {});
  for (int i = 0; i < 27; ++i) {
    Card card;
    CardsSetupCard(&card, 0, i % 4, 1 + i % 13, 0, 0, 0);
    g.deck.AddCardToGroup(&card, false, false, false);
  }
  const int hands = PokerSquareGetScore();
  ASSERT_EQ(hands, 48);
  PokerSquareScoreAutoplay(0, 0);
  EXPECT_TRUE(g.gameOver);
  EXPECT_EQ(g_UserOptions.runningScore[kGamePokerSquare], hands);
  EXPECT_STREQ(ScoreGetScoreText(), std::to_string(hands).c_str());
  ScoreReadCurrentGameScores();
  ASSERT_EQ(ScoreGetEntryCount(), 1);
  EXPECT_EQ(ScoreGetEntry(0).score, static_cast<std::uint32_t>(hands));
}

}  // namespace
