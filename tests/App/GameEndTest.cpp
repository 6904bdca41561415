// Tests of games that end in the card core reaching the player's files: a
// won game and a finished poker square are each recorded once in the
// statistics file and offered to the score table; a new game after the
// win records nothing more.
#include <string>

#include "App/Score.h"
#include "App/Stats.h"
#include "Game/Gen.h"
#include "Game/GenAutoplay.h"
#include "Game/GenRecord.h"
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

}  // namespace
