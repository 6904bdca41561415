// GenQuickMoveTest.cpp - the quick move: the order in which targets are
// tried, the Spider family's and CurdsAndWhey's searches, and a click that
// moves nothing.
#include "Game/AnimSetup.h"
#include "Game/Gen.h"
#include "Game/GenCallbacks.h"
#include "Game/GenGameTable.h"
#include "Game/GenPiles.h"
#include "Game/GenQuickMove.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSelection.h"
#include "Game/GenUndo.h"
#include "tests/Game/GameFixture.h"

namespace {

class GenQuickMoveTest : public GameTest {
 protected:
  void Table(void (*setup)(), const std::string& piles) {
    ASSERT_TRUE(FixtureTable(setup, piles));
  }
  // A right click on the card, played out.
  void Quick(int where, int index) {
    FixtureClick(where, index, 1);
    ASSERT_TRUE(RunAnimations());
  }
};

TEST_F(GenQuickMoveTest, ASingleCardTriesFoundationsFirstOnlyWhenTheVariantSaysSo) {
  Table(FixtureFreeCellPlaySetup, "T0: 2h*; T1: 3c*; F0: Ah*");
  Quick(kWhereTableau, 0);
  EXPECT_EQ(FixturePile(kWhereTableau + 1), "3c* 2h*");
  EXPECT_EQ(FixturePile(kWhereFoundation), "Ah*");
  EXPECT_EQ(GenUndoGetNumInUse(), 2);

  Table(FixtureFreeCellPlaySetup, "T0: 2h*; T1: 3c*; F0: Ah*");
  g_GenLive.foundationsFirst = 1;
  Quick(kWhereTableau, 0);
  EXPECT_EQ(FixturePile(kWhereFoundation), "Ah* 2h*");
}

TEST_F(GenQuickMoveTest, ARunGoesToTheFirstPileWithCardsBeforeASpace) {
  // Tableaus 2-7 are empty; the run fits on tableau 3 only.
  Table(FixtureFreeCellPlaySetup, "T0: 8s*; T1: 9h* 8c* 7h*; T3: 9d*");
  Quick(kWhereTableau + 1, 1);
  EXPECT_EQ(FixturePile(kWhereTableau + 3), "9d* 8c* 7h*");
  // A king goes to the first space, then a single card with no place to a
  // cell.
  Table(FixtureFreeCellPlaySetup, "T0: 3d* Kd* Qs*; T1: 5h*; T3: 9d*; T4: 9c*; T5: 9s*; T6: 9h*; T7: 2c*");
  Quick(kWhereTableau, 1);
  EXPECT_EQ(FixturePile(kWhereTableau + 2), "Kd* Qs*");
  Quick(kWhereTableau + 1, 0);
  EXPECT_EQ(FixturePile(kWhereCell), "5h*");
}

TEST_F(GenQuickMoveTest, AClickThatLiftsNothingChangesNothing) {
  Table(FixtureFreeCellPlaySetup, "T0: 9h 8s; T1: 9d*");
  const std::string before = FixtureDescribeGame();
  Quick(kWhereTableau, 1);  // face down
  EXPECT_EQ(FixtureDescribeGame(), before);
  EXPECT_EQ(GenUndoGetNumInUse(), 1);
  EXPECT_EQ(g_GenLive.selection.numCards, 0);
}

struct SpiderCase {
  const char* piles;
  int clicked;      // tableau clicked (its top card)
  int target;       // tableau the card goes to
};

TEST_F(GenQuickMoveTest, TheSpiderSearchPrefersSuitThenRankThenASpace) {
  const SpiderCase cases[] = {
      {"T0: Ks*; T1: Kh*; T2: Qh*; T3: ", 2, 1},  // same suit before plain
      {"T0: Ks*; T2: Qh*; T3: ", 2, 0},           // plain before a space
      {"T0: 5s*; T1: 5s*; T2: Qh*; T3: ", 2, 3},  // no fit: the space
      {"T0: Qs*; T1: 5s*; T2: Kh*; T3: ", 2, 3},  // a king only ever to a space
  };
  GenSetCurGame(kGameSpider1Suit);
  for (const SpiderCase& c : cases) {
    SCOPED_TRACE(c.piles);
    std::string piles = c.piles;
    for (int t = 4; t < 10; ++t) piles += "; T" + std::to_string(t) + ": Ad";
    Table(FixtureSpiderPlaySetup, piles);
    g_GenLive.rules[kRuleDropTableau] = kRuleDownSameSuit;  // whatever the set-up left
    const int before = g_GenLive.tableaus[c.target].numCards;
    Quick(kWhereTableau + c.clicked, 0);
    EXPECT_EQ(g_GenLive.tableaus[c.target].numCards, before + 1);
    EXPECT_EQ(g_GenLive.tableaus[c.clicked].numCards, 0);
    // The search leaves any rank on any suit and cards on spaces.
    EXPECT_EQ(g_GenLive.rules[kRuleDropTableau], kRuleDownAnySuit);
    EXPECT_EQ(g_GenLive.rules[kRuleDropEmptyTableau], kRuleAnything);
  }
}

TEST_F(GenQuickMoveTest, CurdsAndWheyKeepsThePlayersRulesAfterItsSearches) {
  GenSetCurGame(kGameCurdsAndWhey);
  Table(FixtureFreeCellPlaySetup, "T0: 9h*; T1: 9c*; T2: 8c*; T3: 5d*");
  g_GenLive.rules[kRuleDropTableau] = kRuleSuitRunOrSameRank;
  g_GenLive.rules[kRuleDropEmptyTableau] = kRuleKingOnly;
  g_GenLive.rules[kRulePickupTableau] = kRuleSuitRunOrSameRank;
  // In suit first: the 8 of clubs goes on the 9 of clubs, not the 9 of
  // hearts.
  Quick(kWhereTableau + 2, 0);
  EXPECT_EQ(FixturePile(kWhereTableau + 1), "9c* 8c*");
  EXPECT_EQ(g_GenLive.rules[kRuleDropTableau], kRuleSuitRunOrSameRank);
  EXPECT_EQ(g_GenLive.rules[kRuleDropEmptyTableau], kRuleKingOnly);
  // Neither search puts a 5 on a space (no spaces, then kings only): it
  // goes to a cell.
  Quick(kWhereTableau + 3, 0);
  EXPECT_EQ(FixturePile(kWhereCell), "5d*");
  // The second search builds by rank as well: a 9 on a 9.
  Table(FixtureFreeCellPlaySetup, "T0: 9h*; T1: 9c*; C0: 2c*; C1: 2c*; C2: 2c*; C3: 2c*");
  g_GenLive.rules[kRuleDropTableau] = kRuleSuitRunOrSameRank;
  g_GenLive.rules[kRuleDropEmptyTableau] = kRuleKingOnly;
  Quick(kWhereTableau, 0);
  EXPECT_EQ(FixturePile(kWhereTableau + 1), "9c* 9h*");
  EXPECT_EQ(g_GenLive.rules[kRuleDropEmptyTableau], kRuleKingOnly);
}

TEST_F(GenQuickMoveTest, NewYorkNeverQuickMovesOntoAReserveWithCards) {
  GenSetCurGame(kGameNewYork);
  Table(FixtureFreeCellPlaySetup, "T0: 5h*; R0: 9c*; C0: 2c*; C1: 2c*; C2: 2c*; C3: 2c*");
  for (int t = 1; t < 8; ++t) ASSERT_TRUE(FixtureBuild("T" + std::to_string(t) + ": Ks*"));
  g_GenLive.reservesInUse = 1;
  g_GenLive.rules[kRuleDropReserve] = kRuleAnything;
  Quick(kWhereTableau, 0);
  EXPECT_EQ(FixturePile(kWhereReserve), "9c*");
  EXPECT_EQ(FixturePile(kWhereTableau), "5h*");
  // Any other game does.
  GenSetCurGame(kGameKlondike);
  Quick(kWhereTableau, 0);
  EXPECT_EQ(FixturePile(kWhereReserve), "9c* 5h*");
}

TEST_F(GenQuickMoveTest, AMoveWithoutAnAnimationIsReportedAndNotMade) {
  Table(FixtureFreeCellPlaySetup, "N0: 8s*; T0: 9h*");
  g_GenLive.rules[kRulePickupFan] = kRuleAnything;
  Quick(kWhereFan, 0);
  EXPECT_TRUE(LogContains("where = 200 not supported yet"));
  EXPECT_EQ(FixturePile(kWhereFan), "8s*");
  EXPECT_EQ(FixturePile(kWhereTableau), "9h*");
  EXPECT_EQ(g_GenLive.selection.numCards, 0);
}

// A variant whose deck gives its top card (a press on the deck lifts it),
// and whose stock click turns a card to the waste.
bool DeckLiftingSelection(int quick, int down) {
  if (GenGetCurrentHitWhere() == kWhereDeck && down) return GenStdPickup(0, down, kWhereDeck) != 0;
  return FixtureSelection(quick, down);
}
void DeckLiftingSetup() {
  FixtureKlondikePlaySetup();
  GenSetSelectionCB(DeckLiftingSelection);
  g_GenLive.rules[kRulePickupDeck] = kRuleAnything;
}

TEST_F(GenQuickMoveTest, AQuickPressOnTheDeckSendsItsTopCardOnAndTheReleaseIsTheStockClick) {
  FixtureUseRealLayouts();  // the deck and the waste at their own places
  Table(DeckLiftingSetup, "D: 5c 9d 2h; F0: Ah*");
  Quick(kWhereDeck, -1);
  EXPECT_EQ(FixturePile(kWhereFoundation), "Ah* 2h*");
  EXPECT_EQ(FixturePile(kWhereDeck), "5c 9d");
  EXPECT_EQ(GenUndoGetNumInUse(), 2);
  // The 9 fits nowhere: the press moves nothing, the release turns it over.
  Quick(kWhereDeck, -1);
  EXPECT_EQ(FixturePile(kWhereDeck), "5c");
  EXPECT_EQ(FixturePile(kWhereWaste), "9d*");
  EXPECT_EQ(g_GenLive.selection.numCards, 0);
}

TEST_F(GenQuickMoveTest, ACheckWithNothingCarriedIsRefused) {
  Table(FixtureFreeCellPlaySetup, "T0: 9h*");
  EXPECT_FALSE(GenQuickMoveCheck(kWhereTableau, 0, 0, 1, false));
  EXPECT_TRUE(LogContains("No selection present"));
}

}  // namespace
