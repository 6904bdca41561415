// GenSelectionTest.cpp - the move handler, the hit test, lift, drag and drop
// with the cancel that puts cards back, the candidate lists, the best drop
// candidate and the send to a foundation.
#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/CardsSettings.h"
#include "Game/GenGameTable.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSelection.h"
#include "Game/GenUndo.h"
#include "Game/UserRecord.h"
#include "tests/Game/GameFixture.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

class GenSelectionTest : public GameTest {
 protected:
  // The playable FreeCell-like variant, set up without a deal; piles then
  // filled from text.
  void Table(const std::string& piles) {
    ASSERT_TRUE(FixtureTable(FixtureFreeCellPlaySetup, piles));
  }
  void PointAt(int where, int index) {
    float x, y;
    FixtureCardPlace(where, index, &x, &y);
    GenSetPointerTablePoint(x, y);
  }
};

TEST_F(GenSelectionTest, TheHitTestFindsPilesAndCards) {
  Table("T0: 9h 8s* 7d*; T1: ; F0: Ah*; C0: 5c*");
  const CardsSettingsRecord& s = CardsGetSettings();
  struct Case {
    int where, index;          // the place pointed at (index -1: the pile's place)
    float dx, dy;              // moved off it by these fractions of a card
    bool release;
    int code, card;            // expected (0: nothing)
  };
  const Case cases[] = {
      {kWhereTableau, 2, 0, 0, false, kWhereTableau, 2},
      {kWhereTableau, 0, 0, 0.45f, false, kWhereTableau, 0},  // the visible strip
      {kWhereTableau, 0, 0, 0, false, kWhereTableau, 2},      // covered: the top card
      {kWhereFoundation, -1, 0, 0, false, kWhereFoundation, 0},
      {kWhereCell, -1, 0.4f, 0, false, kWhereCell, 0},
      {kWhereCell, -1, 0.55f, 0, false, 0, 0},                // beyond half a card
      // An empty column is hit only on a release, anywhere below its place.
      {kWhereTableau + 1, -1, 0, -3.0f, false, 0, 0},
      {kWhereTableau + 1, -1, 0, -3.0f, true, kWhereTableau + 1, -1},
      // Below a column's cards: the column, but no card of it.
      {kWhereTableau, -1, 0, -8.0f, true, kWhereTableau, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.where) + "/" + std::to_string(c.index));
    float x, y;
    FixtureCardPlace(c.where, c.index, &x, &y);
    GenSetPointerTablePoint(x + c.dx * s.width, y + c.dy * s.height);
    int code = -7, card = -7;
    EXPECT_EQ(GenHitTestPiles(&code, &card, c.release), c.code != 0);
    EXPECT_EQ(code, c.code);
    if (c.code != 0) {
      EXPECT_EQ(card, c.card);
    }
  }
}

TEST_F(GenSelectionTest, APressBesideAReserveLiftsNothingFromIt) {
  // A reserve fanned downwards answers for the whole area below its place,
  // but a press there names no card of it: nothing is lifted, least of all
  // the whole reserve with its face-down cards.
  Table("R0: 5h 4s* 3d*");
  g_GenLive.reservesInUse = 1;
  g_GenLive.reservesFannedDown = 1;
  float x, y;
  FixtureCardPlace(kWhereReserve, -1, &x, &y);
  GenSetPointerTablePoint(x, y - 6 * CardsGetSettings().height);
  int code = 0, card = 0;
  ASSERT_TRUE(GenHitTestPiles(&code, &card, false));
  EXPECT_EQ(code, kWhereReserve);
  EXPECT_EQ(card, -1);
  GenHandleSelection(0, 1, 0);
  EXPECT_EQ(g_GenLive.selection.numCards, 0);
  EXPECT_EQ(FixturePile(kWhereReserve), "5h 4s* 3d*");
  // On its cards the press lifts from the card hit, face-down cards too (the
  // bottom card shows its upper edge).
  GenSetPointerTablePoint(x, y + 0.45f * CardsGetSettings().height);
  GenHandleSelection(0, 1, 0);
  EXPECT_EQ(FixturePile(kWhereSelection), "5h* 4s* 3d*");
  GenCancelSelection();
}

TEST_F(GenSelectionTest, APressLiftsTheRunAndAReleaseDropsItOnTheBestPile) {
  Table("T0: 9h 8s* 7d*; T1: 9d*; T2: Kc*");
  FixtureClick(kWhereTableau, 1, -1);  // press on the 8
  EXPECT_EQ(FixturePile(kWhereSelection), "8s* 7d*");
  EXPECT_EQ(FixturePile(kWhereTableau), "9h");
  EXPECT_EQ(g_GenLive.selectionSource, kWhereTableau);
  // The drop list: the source, the 9 of diamonds and the five empty
  // tableaus (no cell or foundation takes two cards).
  std::vector<int> codes;
  for (int i = 0; i < GenGetDropCandidateCount(); ++i) {
    codes.push_back(GenGetDropCandidate(i)->kindBase + GenGetDropCandidate(i)->index);
  }
  EXPECT_EQ(codes, (std::vector<int>{200, 201, 203, 204, 205, 206, 207}));
  // Drag over the 9 of diamonds: it is the best candidate and lights up.
  float x, y;
  FixtureCardPlace(kWhereTableau + 1, 0, &x, &y);
  float gx, gy;
  FixtureCardPlace(kWhereTableau, 1, &gx, &gy);
  GenSetPointerTablePoint(x, y + CardsGetSettings().halfHeight * 0.9f);
  ASSERT_GE(GenGetBestDropCandidate(), 0);
  const GenCandidate* best = GenGetDropCandidate(GenGetBestDropCandidate());
  EXPECT_EQ(best->kindBase + best->index, kWhereTableau + 1);
  EXPECT_TRUE(g_GenLive.tableaus[1].cards[0].highlighted);
  GenHandleSelection(0, 0, 0);
  EXPECT_EQ(FixturePile(kWhereTableau + 1), "9d* 8s* 7d*");
  EXPECT_EQ(FixturePile(kWhereSelection), "");
  EXPECT_FALSE(g_GenLive.tableaus[1].cards[0].highlighted);
  // Autoplay turns the 9 of hearts over; then the move is recorded.
  ASSERT_TRUE(RunAnimations());
  EXPECT_EQ(FixturePile(kWhereTableau), "9h*");
  EXPECT_EQ(GenUndoGetNumInUse(), 2);
}

TEST_F(GenSelectionTest, ARefusedReleasePutsTheCardsBackExactly) {
  Table("T0: 9h 8s* 7d*; T1: 9c*; T2: Kc*");
  const std::string before = FixtureDescribeGame();
  FixtureDrag(kWhereTableau, 1, kWhereTableau + 1);  // 8 on a black 9: no
  EXPECT_EQ(FixtureDescribeGame(), before);
  EXPECT_EQ(g_GenLive.selection.numCards, 0);
  EXPECT_EQ(GenUndoGetNumInUse(), 1);
  // A release over nothing puts them back too.
  FixtureClick(kWhereTableau, 1, -1);
  GenSetPointerTablePoint(500, 500);
  GenHandleSelection(0, 0, 0);
  EXPECT_EQ(FixtureDescribeGame(), before);
  // A press on a face-down card lifts nothing.
  FixtureClick(kWhereTableau, 0, -1);
  EXPECT_EQ(g_GenLive.selection.numCards, 0);
}

TEST_F(GenSelectionTest, MoveSoundsFollowWhatTheClickDid) {
  g_UserRecord.playMovesSound = 1;
  ASSERT_TRUE(FixtureTable(FixtureKlondikePlaySetup, "T0: 9h 8s*; W: 5c*"));
  const SoundCallsForTests& calls = SoundGetCallsForTests();
  FixtureClick(kWhereTableau, 1, -1);  // lifted: the pick-up sound
  EXPECT_EQ(calls.samples, 1);
  EXPECT_EQ(calls.lastSample, kSoundPickup);
  GenSetPointerTablePoint(500, 500);   // released over nothing: back, with the drop sound
  GenHandleSelection(0, 0, 0);
  EXPECT_EQ(calls.samples, 2);
  EXPECT_EQ(calls.lastSample, kSoundDrop);
  // Released over the waste, which takes nothing: the variant's handler
  // refuses, the cards go back and nothing plays.
  FixtureDrag(kWhereTableau, 1, kWhereWaste);
  EXPECT_EQ(FixturePile(kWhereTableau), "9h 8s*");
  EXPECT_EQ(calls.samples, 3);  // only the lift's
  EXPECT_EQ(calls.lastSample, kSoundPickup);
}

TEST_F(GenSelectionTest, AFinishedDropIsNotUndoneByALaterCancel) {
  Table("T0: 9h 8s*; T1: 9d*");
  FixtureDrag(kWhereTableau, 1, kWhereTableau + 1);
  ASSERT_EQ(FixturePile(kWhereTableau + 1), "9d* 8s*");
  GenCancelSelection();
  EXPECT_EQ(FixturePile(kWhereTableau + 1), "9d* 8s*");
  EXPECT_EQ(FixturePile(kWhereTableau), "9h");
}

TEST_F(GenSelectionTest, TwoCardsNeverGoOnACellNorOnAFoundation) {
  Table("T0: 2h* As*; F0: Ah*; C1: ");
  FixtureDrag(kWhereTableau, 0, kWhereCell + 1);
  EXPECT_EQ(FixturePile(kWhereCell + 1), "");
  FixtureDrag(kWhereTableau, 0, kWhereFoundation);
  EXPECT_EQ(FixturePile(kWhereFoundation), "Ah*");
  EXPECT_EQ(FixturePile(kWhereTableau), "2h* As*");
  // One card may.
  FixtureDrag(kWhereTableau, 1, kWhereCell + 1);
  EXPECT_EQ(FixturePile(kWhereCell + 1), "As*");
}

TEST_F(GenSelectionTest, AFullPileTakesNoCardsAndLosesNone) {
  Table("T0: 2h*; F0: Ah*");
  g_GenLive.foundations[0].maxCards = 1;
  const int total = FixtureCountAllCards();
  FixtureDrag(kWhereTableau, 0, kWhereFoundation);
  EXPECT_EQ(FixturePile(kWhereFoundation), "Ah*");
  EXPECT_EQ(FixturePile(kWhereTableau), "2h*");
  EXPECT_EQ(FixtureCountAllCards(), total);
}

TEST_F(GenSelectionTest, CandidateListsHoldWhatCouldBeLiftedAndWhereItCouldGo) {
  Table("T0: 9h 8s* 7d*; T1: 9d*; T2: ; C0: ; F0: 6d*");
  GenBuildPickupCandidates();
  // Foundation 0's top, the two face-up cards of tableau 0, tableau 1's 9,
  // (the empty tableau and cells lift nothing).
  int count = GenGetPickupCandidateCount();
  EXPECT_EQ(count, 4);
  FixtureClick(kWhereTableau, 2, -1);  // the 7 of diamonds alone
  std::vector<int> codes;
  for (int i = 0; i < GenGetDropCandidateCount(); ++i) {
    const GenCandidate* c = GenGetDropCandidate(i);
    codes.push_back(c->kindBase + c->index);
    EXPECT_EQ(c->isSource, c->kindBase + c->index == kWhereTableau);
  }
  // Foundations first, then cells, then tableaus in order.
  EXPECT_EQ(codes, (std::vector<int>{10, 100, 101, 102, 103, 200, 202, 203, 204, 205, 206, 207}));
  GenCancelSelection();
}

TEST_F(GenSelectionTest, ThePickupListStopsAt156) {
  // Three decks' worth of face-up cards that may all be lifted.
  Table("");
  g_GenLive.rules[kRulePickupTableau] = kRuleAnything;
  std::string pile = "T0:";
  for (int k = 0; k < 156; ++k) pile += " 5h*";
  ASSERT_TRUE(FixtureBuild(pile + "; T1: 4c* 4c* 4c*"));
  GenBuildPickupCandidates();
  EXPECT_EQ(GenGetPickupCandidateCount(), kGenMaxPickupCandidates);
}

TEST_F(GenSelectionTest, ANonEmptyBestIsNeverReplacedByAnEmptyColumnAndTiesKeepTheFirst) {
  // Two empty columns side by side and a 9 whose top card the run touches.
  Table("T0: 9d*; T1: ; T2: ; T5: 8s*");
  FixtureClick(kWhereTableau + 5, 0, -1);
  ASSERT_EQ(g_GenLive.selection.numCards, 1);
  const CardsSettingsRecord& s = CardsGetSettings();
  CardGroup& t0 = g_GenLive.tableaus[0];
  CardGroup& t1 = g_GenLive.tableaus[1];
  // Half over the 9 (tableau 0), half over the empty tableau 1: the 9 wins
  // although the empty column lies nearer.
  GenSetPointerTablePoint((t0.pos[0] + t1.pos[0]) / 2 + 0.3f * s.width, t0.pos[1]);
  ASSERT_GE(GenGetBestDropCandidate(), 0);
  const GenCandidate* best = GenGetDropCandidate(GenGetBestDropCandidate());
  EXPECT_EQ(best->kindBase + best->index, kWhereTableau);
  // Exactly between the two empty columns: the first keeps it.
  CardGroup& t2 = g_GenLive.tableaus[2];
  GenSetPointerTablePoint((t1.pos[0] + t2.pos[0]) / 2, t1.pos[1] - s.height);
  ASSERT_GE(GenGetBestDropCandidate(), 0);
  best = GenGetDropCandidate(GenGetBestDropCandidate());
  EXPECT_EQ(best->kindBase + best->index, kWhereTableau + 1);
  GenHandleSelection(0, 0, 0);
  EXPECT_EQ(FixturePile(kWhereTableau + 1), "8s*");
}

TEST_F(GenSelectionTest, AnEmptyColumnIsReplacedOnlyByASmallerSidewaysDistance) {
  Table("T1: ; T2: 9d*; T5: 8s*");
  FixtureClick(kWhereTableau + 5, 0, -1);
  const CardsSettingsRecord& s = CardsGetSettings();
  CardGroup& t1 = g_GenLive.tableaus[1];
  CardGroup& t2 = g_GenLive.tableaus[2];
  const float gap = t2.pos[0] - t1.pos[0];
  // The run a little right of the empty column, its upper right corner on
  // the 9: that corner's sideways distance to the 9 is the larger, so the
  // column stays the best.
  const float y = t2.pos[1] - 0.8f * s.height;
  const float reach = gap - 0.9f * s.halfWidth;  // where the corner meets the 9's centre
  GenSetPointerTablePoint(t1.pos[0] + 0.3f * reach, y);
  ASSERT_GE(GenGetBestDropCandidate(), 0);
  EXPECT_EQ(GenGetDropCandidate(GenGetBestDropCandidate())->index, 1);
  // Further right the corner's sideways distance is the smaller: the 9.
  GenSetPointerTablePoint(t1.pos[0] + 0.7f * reach, y);
  ASSERT_GE(GenGetBestDropCandidate(), 0);
  EXPECT_EQ(GenGetDropCandidate(GenGetBestDropCandidate())->index, 2);
  GenHandleSelection(0, 0, 0);
  EXPECT_EQ(FixturePile(kWhereTableau + 2), "9d* 8s*");
}

TEST_F(GenSelectionTest, TheDropListStopsAt52) {
  Table("");
  std::string piles;
  for (int t = 0; t < 52; ++t) piles += "T" + std::to_string(t) + ": 9d*;";
  ASSERT_TRUE(FixtureBuild(piles + "T51: 8s*"));
  g_GenLive.rules[kRuleDropTableau] = kRuleAnything;
  FixtureClick(kWhereTableau + 51, 0, -1);
  ASSERT_EQ(g_GenLive.selection.numCards, 1);
  EXPECT_EQ(GenGetDropCandidateCount(), kGenMaxDropCandidates);
  GenCancelSelection();
}

TEST_F(GenSelectionTest, SendToFoundationMovesTheFaceUpTopCard) {
  Table("T0: 4c 2h*; T1: 9s 2s; T2: 5d*; F0: Ah*; F1: As*");
  // A face-down top card, or a card no foundation takes, stays.
  PointAt(kWhereTableau + 1, 1);
  EXPECT_EQ(GenSendClickedCardToFoundation(), 0);
  PointAt(kWhereTableau + 2, 0);
  EXPECT_EQ(GenSendClickedCardToFoundation(), 0);
  EXPECT_EQ(FixturePile(kWhereTableau + 1), "9s 2s");
  PointAt(kWhereTableau, 1);
  ASSERT_EQ(GenSendClickedCardToFoundation(), 1);
  ASSERT_TRUE(RunAnimations());
  EXPECT_EQ(FixturePile(kWhereFoundation), "Ah* 2h*");
}

TEST_F(GenSelectionTest, SendToFoundationTakesTheTopCardOfTheWaste) {
  // A hit on the waste names its top card, so the key sends the card that
  // lies face up on it, whatever lies below.
  ASSERT_TRUE(FixtureTable(FixtureKlondikePlaySetup, "W: 9c* Kd* 2h*; F0: Ah*"));
  PointAt(kWhereWaste, -1);
  ASSERT_EQ(GenSendClickedCardToFoundation(), 1);
  ASSERT_TRUE(RunAnimations());
  EXPECT_EQ(FixturePile(kWhereFoundation), "Ah* 2h*");
  EXPECT_EQ(FixturePile(kWhereWaste), "9c* Kd*");
}

TEST_F(GenSelectionTest, TheMoveHandlerWaitsForAnimationsAndAReadyRecord) {
  Table("T0: 9h 8s*; T1: 9d*");
  ASSERT_TRUE(AnimSetupMoveNCardsFromTableauToTableau(1, 0, 1, 0.5f));
  FixtureClick(kWhereTableau + 1, 0, -1);
  EXPECT_EQ(g_GenLive.selection.numCards, 0);
  ASSERT_TRUE(RunAnimations());
  g_GenLive.ready = 0;
  FixtureClick(kWhereTableau + 1, 0, -1);
  EXPECT_EQ(g_GenLive.selection.numCards, 0);
}

}  // namespace
