// GenAutoplayTest.cpp - autoplay by mode, the turn-over, the win and what
// follows it, and new games.
#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/Gen.h"
#include "Game/GenAutoplay.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSave.h"
#include "Game/GenRules.h"
#include "Game/GenUndo.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"
#include "tests/Game/GameFixture.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

class GenAutoplayTest : public GameTest {
 protected:
  void Table(const std::string& piles) {
    GenSetSetupOverrideForTests(FixtureFreeCellPlaySetup);
    GenSetCurGame(kGameFreeCell);
    ASSERT_TRUE(GenInit());
    ASSERT_TRUE(FixtureBuild("D: ; " + piles));
  }
  void Autoplay(int mode) {
    g_UserOptions.autoplayMode[kGameFreeCell] = static_cast<uint8_t>(mode);
    GenStdAutoplay(0, 0);
    ASSERT_TRUE(RunAnimations());
  }
};

struct ModeCase {
  int mode;
  const char* hearts;    // foundation 0 afterwards
  const char* spades;    // foundation 1 afterwards
  const char* diamonds;  // foundation 2 afterwards
};

TEST_F(GenAutoplayTest, TheModeDecidesWhichCardsGoUp) {
  // Foundations at ace, ace, 3, 4: modes 1 and 2 take only 2s and 3s (the
  // 4 of diamonds waits); the 2 of spades waits in a cell, which only modes
  // 2 and 3 empty.
  const ModeCase cases[] = {
      {0, "Ah*", "As*", "Ad* 2d* 3d*"},
      {1, "Ah* 2h*", "As*", "Ad* 2d* 3d*"},
      // Once both 2s are up the next ranks are 3 and 4: the 4 follows.
      {2, "Ah* 2h*", "As* 2s*", "Ad* 2d* 3d* 4d*"},
      {3, "Ah* 2h*", "As* 2s*", "Ad* 2d* 3d* 4d*"},
  };
  for (const ModeCase& c : cases) {
    SCOPED_TRACE(c.mode);
    Table("F0: Ah*; F1: As*; F2: Ad* 2d* 3d*; F3: Ac* 2c* 3c* 4c*; T0: 2h*; T1: 4d*; T2: 9c*; C0: 2s*");
    Autoplay(c.mode);
    EXPECT_EQ(FixturePile(kWhereFoundation), c.hearts);
    EXPECT_EQ(FixturePile(kWhereFoundation + 1), c.spades);
    EXPECT_EQ(FixturePile(kWhereFoundation + 2), c.diamonds);
  }
}

TEST_F(GenAutoplayTest, AFaceDownTopCardIsTurnedEvenWithAutoplayOff) {
  Table("T0: 9c* 5h; F0: Ah*");
  Autoplay(0);
  EXPECT_EQ(FixturePile(kWhereTableau), "9c* 5h*");
}

TEST_F(GenAutoplayTest, AFoundationOfThirteenTakesNothingWhateverItsRoom) {
  Table("F0: Ah* 2h* 3h* 4h* 5h* 6h* 7h* 8h* 9h* Th* Jh* Qh* Kh*; F1: 5d*; F2: 5d*; F3: 5d*; T0: As*");
  g_GenLive.foundations[0].maxCards = 26;
  g_GenLive.rules[kRuleDropFoundation] = kRuleUpAnySuit;  // the ace would follow the king
  Autoplay(3);
  EXPECT_EQ(FixturePile(kWhereTableau), "As*");
  EXPECT_EQ(g_GenLive.foundations[0].numCards, 13);
}

TEST_F(GenAutoplayTest, AGameWithoutFoundationsIsWonWhenAutoplayRuns) {
  Table("T0: 5h*");
  g_GenLive.numFoundations = 0;
  Autoplay(0);
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

TEST_F(GenAutoplayTest, TheLowestFoundationRankReadsTheFoundations) {
  struct Case {
    const char* foundations;
    int lowest;
    bool acesHigh;
    int expected;
  };
  const Case cases[] = {
      {"F0: Ah*; F1: As*; F2: Ad* 2d* 3d*; F3: Ac* 2c* 3c* 4c*", 1, false, 1},
      {"F0: Ah* 2h*; F1: As* 2s* 3s*; F2: Ad* 2d* 3d*; F3: Ac* 2c* 3c* 4c*", 1, false, 2},
      {"F0: Ah*; F1: Ad*; F2: Ac*; F3: ", 1, false, 13},  // an empty one: below the ace
      {"F0: Ah*; F1: ; F2: Ad*; F3: Ac*", 1, false, 1},   // ... until a later top is lower
      {"F0: ; F1: ; F2: ; F3: ", 5, false, 4},
      {"F0: 6h*; F1: 2s*; F2: 5d*; F3: 5c*", 5, false, 5},  // the 2 counts as 15 above a 5
      {"F0: ; F1: ; F2: ; F3: ", 2, true, 14},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.foundations);
    Table(c.foundations);
    g_GenLive.lowestRank = c.lowest;
    g_GenLive.acesHigh = c.acesHigh ? 1 : 0;
    EXPECT_EQ(GenGetLowestFoundationRank(), c.expected);
  }
}

TEST_F(GenAutoplayTest, ChainingNeedsAFreeFinishStep) {
  Table("T0: 9c* 5h*; T1: 8c*");
  ASSERT_TRUE(AnimSetupMoveNCardsFromTableauToTableau(1, 0, 1, 0.5f));
  AnimSetFinishCB(GenStdAutoplay);
  AnimSetPostFinishCB(GenStdAutoplay);
  EXPECT_FALSE(GenStdAutoplayCheckMove(kWhereTableau, 0, 5, -2, 0, false, GenStdAutoplay));
  EXPECT_TRUE(LogContains("Could not set autoplay callback"));
  ASSERT_TRUE(RunAnimations());
}

// ---- The win and what follows ----------------------------------------------------------

int g_celebrations = 0;
float g_celebrationSpeed = 0;
int g_mainMenus = 0;
void Celebrate(float speed) {
  ++g_celebrations;
  g_celebrationSpeed = speed;
}
void ToMainMenu() { ++g_mainMenus; }

class GenWinTest : public GenAutoplayTest {
 protected:
  void SetUp() override {
    GenAutoplayTest::SetUp();
    FixtureUseRealLayouts();
    FixtureUsePlayer("Winner");
    g_celebrations = g_mainMenus = 0;
    GenSetAfterWinHandlers(Celebrate, ToMainMenu);
    g_UserRecord.cardAnimationOn = 0;
  }
  // A game one card from the win: the king of clubs on a tableau.
  void AlmostWon() {
    GenSetCurGame(kGameFreeCell);
    GenSetSetupOverrideForTests(FixtureFreeCellPlaySetup);
    GenNewGameWithNumber(5, true);
    ASSERT_TRUE(RunAnimations());
    std::string piles = "D: ; ";
    const char* suits = "hsdc";
    for (int f = 0; f < 4; ++f) {
      piles += "F" + std::to_string(f) + ":";
      for (const char* r = "A23456789TJQK"; *r && !(f == 3 && *r == 'K'); ++r) {
        piles += " ";
        piles += *r;
        piles += suits[f];
        piles += "*";
      }
      piles += ";";
    }
    for (int t = 0; t < 8; ++t) piles += "T" + std::to_string(t) + ": ;";
    ASSERT_TRUE(FixtureBuild(piles + "T0: Kc*"));
    g_UserOptions.autoplayMode[kGameFreeCell] = 3;
  }
};

TEST_F(GenWinTest, AWonGameIsCountedOnceWhenTheNextIsDealtAtOnce) {
  g_UserRecord.gatherCards = 0;
  g_UserRecord.afterWin = 1;
  AlmostWon();
  ASSERT_TRUE(GenSaveCurrentGame());
  ASSERT_TRUE(GenSavedGameExists());
  GenStdAutoplay(0, 0);
  ASSERT_TRUE(RunAnimations());
  // Won, counted once as won and never as lost, saved game gone, and a new
  // game dealt.
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
  EXPECT_EQ(StatsGetAddedForTests(false), 0);
  EXPECT_FALSE(GenSavedGameExists());
  EXPECT_FALSE(g_GenLive.gameOver);
  EXPECT_EQ(FixtureCountAllCards(), 52);
  EXPECT_EQ(g_GenLive.foundations[3].numCards, 0);
}

TEST_F(GenWinTest, TheNewCommandCountsARunningGameAsLost) {
  AlmostWon();
  GenNewGameFromNewCommand();
  EXPECT_EQ(StatsGetAddedForTests(false), 1);
  EXPECT_TRUE(GenIsGameInProgress());
}

TEST_F(GenWinTest, TheAfterWinChoiceStartsACelebrationOrLeaves) {
  g_UserRecord.gatherCards = 1;
  g_UserRecord.afterWin = 0;
  AlmostWon();
  GenStdAutoplay(0, 0);
  ASSERT_TRUE(RunAnimations());
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_FALSE(GenIsGameInProgress());
  EXPECT_EQ(g_celebrations, 1);
  EXPECT_FLOAT_EQ(g_celebrationSpeed, 0.5f);
  // The gather put every card back on the deck.
  EXPECT_EQ(g_GenLive.deck.numCards, 52);

  g_UserRecord.afterWin = 2;
  AlmostWon();
  GenStdAutoplay(0, 0);
  ASSERT_TRUE(RunAnimations());
  EXPECT_EQ(g_mainMenus, 1);
  // A won game has nothing left to undo.
  EXPECT_FALSE(GenUndoCanUndo(nullptr));
}

}  // namespace

namespace {

TEST_F(GenAutoplayTest, FoundationsHoldingTheWholeDeckWinByCount) {
  Table("F0: Ah* 2h*; F1: As*");
  g_GenLive.deckSize = 4;
  EXPECT_FALSE(GenCheckWonByFoundationCount());
  EXPECT_FALSE(g_GenLive.gameOver);
  ASSERT_TRUE(FixtureBuild("F2: Ad*"));
  EXPECT_TRUE(GenCheckWonByFoundationCount());
  EXPECT_TRUE(g_GenLive.gameOver);
}

}  // namespace
