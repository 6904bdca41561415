// GenRulesTest.cpp - the pick-up and drop rules: (rule, pile, cards) ->
// allowed, one table per rule family, through the standard pick-up and drop
// in their trial forms.
#include "Game/Gen.h"
#include "Game/GenCallbacks.h"
#include "Game/GenGameTable.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSelection.h"
#include "tests/Game/GameFixture.h"

namespace {

class GenRulesTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    g_GenLive.ready = 1;
    g_GenLive.lowestRank = 1;
  }
};

// ---- Pick-up --------------------------------------------------------------------

struct PickupCase {
  int rule;
  const char* pile;  // tableau 0, bottom first
  int index;         // the card pressed
  bool allowed;
};

const PickupCase kPickupCases[] = {
    {kRuleDownOtherColour, "9h* 8s* 7d*", 0, true},
    {kRuleDownOtherColour, "9h* 8d*", 0, false},
    {kRuleDownSameSuit, "9h* 8h* 7h*", 0, true},
    {kRuleDownSameSuit, "9h* 8s*", 0, false},
    {kRuleDownSameColour, "9h* 8d*", 0, true},
    {kRuleDownSameColour, "9h* 8s*", 0, false},
    {kRuleUpOrDownSameSuit, "5h* 6h* 5h*", 0, true},
    {kRuleUpOrDownSameSuit, "5h* 6s*", 0, false},
    {kRuleDownOtherSuit, "9h* 8d*", 0, true},
    {kRuleDownOtherSuit, "9h* 8h*", 0, false},
    {kRuleDownAnySuit, "9h* 8h*", 0, true},
    {kRuleDownAnySuit, "9h* 7h*", 0, false},
    {kRuleUpOrDownAnySuit, "9h* Ts* 9d*", 0, true},
    {kRuleUpOrDownAnySuit, "9h* 9s*", 0, false},
    {kRuleSingleCard, "9h* 8s*", 0, false},
    {kRuleSingleCard, "9h* 8s*", 1, true},
    {kRuleSuitRunOrSameRank, "9h* 8h* 7h*", 0, true},
    {kRuleSuitRunOrSameRank, "9h* 9s* 9d*", 0, true},
    {kRuleSuitRunOrSameRank, "9h* 8h* 8s*", 0, false},  // the first pair chose the suit run
    {kRuleSuitRunOrSameRank, "9h* 9s* 8s*", 0, false},  // the first pair chose one rank
    {kRuleNone, "9h*", 0, false},
    {kRuleAnything, "2c* Kh* 5d*", 0, true},  // no pair test
    {kRulePairCallback, "2c* Kh*", 0, true},  // no slot: no test
    {kRuleDownOtherColour, "9h 8s*", 0, false},  // face down
    {kRuleDownOtherColour, "9h 8s*", 1, true},
    {kRuleDownOtherColour, "Ah*", 0, true},      // a single card has no pair
};

TEST_F(GenRulesTest, PickupRulesDecideTheRunThatMayBeLifted) {
  for (const PickupCase& c : kPickupCases) {
    SCOPED_TRACE(std::string("rule ") + std::to_string(c.rule) + " " + c.pile);
    GenReset();
    g_GenLive.ready = 1;
    ASSERT_TRUE(FixtureBuild(std::string("T0: ") + c.pile));
    g_GenLive.rules[kRulePickupTableau] = static_cast<uint8_t>(c.rule);
    GenSetCurrentHit(kWhereTableau, c.index);
    EXPECT_EQ(GenStdSelectionPickup(0, 1, kWhereTableau, 1), c.allowed ? 1 : 0);
    EXPECT_EQ(g_GenLive.selection.numCards, 0);  // a trial lifts nothing
  }
}

TEST_F(GenRulesTest, ARealPressThatARuleRefusesIsTakenButLiftsNothing) {
  ASSERT_TRUE(FixtureBuild("T0: 9h* 8s*"));
  g_GenLive.rules[kRulePickupTableau] = kRuleSingleCard;
  GenSetCurrentHit(kWhereTableau, 0);
  EXPECT_EQ(GenStdSelectionPickup(0, 1, kWhereTableau, 0), 1);
  EXPECT_EQ(FixturePile(kWhereTableau), "9h* 8s*");
  EXPECT_EQ(g_GenLive.selection.numCards, 0);
  // A release, a missing hit or an unknown kind lift nothing at all.
  GenSetCurrentHit(kWhereTableau, 1);
  EXPECT_EQ(GenStdSelectionPickup(0, 0, kWhereTableau, 0), 0);
  GenSetCurrentHit(-1, -1);
  EXPECT_EQ(GenStdSelectionPickup(0, 1, kWhereTableau, 0), 0);
  GenSetCurrentHit(kWhereTableau, 1);
  EXPECT_EQ(GenStdSelectionPickup(0, 1, 700, 0), 0);
  EXPECT_TRUE(LogContains("Selection pickup not implemented [700]"));
}

TEST_F(GenRulesTest, PickupByKindTakesTheRightCards) {
  ASSERT_TRUE(FixtureBuild("R0: 9h 8s*; F0: Ah* 2h*; C0: 5c*; N0: 3d 4d*"));
  GenSetCurrentHit(kWhereReserve, 0);  // a face-down reserve card lifts its run
  EXPECT_EQ(GenStdSelectionPickup(0, 1, kWhereReserve, 0), 1);
  EXPECT_EQ(FixturePile(kWhereSelection), "9h* 8s*");
  GenCancelSelection();
  EXPECT_EQ(FixturePile(kWhereReserve), "9h 8s*");
  GenSetCurrentHit(kWhereFoundation, 0);  // a foundation gives its top card
  EXPECT_EQ(GenStdSelectionPickup(0, 1, kWhereFoundation, 0), 1);
  EXPECT_EQ(FixturePile(kWhereSelection), "2h*");
  GenCancelSelection();
  GenSetCurrentHit(kWhereFan, 0);  // a face-down fan card does not
  EXPECT_EQ(GenStdSelectionPickup(0, 1, kWhereFan, 0), 0);
  GenSetCurrentHit(kWhereCell, -1);
  EXPECT_EQ(GenStdSelectionPickup(0, 1, kWhereCell, 0), 1);
  EXPECT_EQ(FixturePile(kWhereSelection), "5c*");
  GenCancelSelection();
  EXPECT_EQ(FixturePile(kWhereCell), "5c*");
}

bool g_customCalled = false;
bool CustomOnlyHearts(int, int, int, int suit, int) {
  g_customCalled = true;
  return suit == 0;
}

TEST_F(GenRulesTest, TheCustomPickupRuleDecidesOnTheFirstCard) {
  GenSetCustomRuleCB(CustomOnlyHearts);
  g_GenLive.ready = 1;
  ASSERT_TRUE(FixtureBuild("T0: 9h* 2c*; T1: 9s* Kd*"));
  g_GenLive.rules[kRulePickupTableau] = kRuleCustom;
  GenSetCurrentHit(kWhereTableau, 0);
  EXPECT_EQ(GenStdSelectionPickup(0, 1, kWhereTableau, 1), 1);
  EXPECT_TRUE(g_customCalled);
  GenSetCurrentHit(kWhereTableau + 1, 0);
  EXPECT_EQ(GenStdSelectionPickup(0, 1, kWhereTableau, 1), 0);
}

// ---- Drop -------------------------------------------------------------------------

struct DropCase {
  const char* piles;  // the target (and any other piles)
  int target;
  int rule;           // the kind's drop rule (for empty tableaus and fans: the empty rule)
  const char* carried;
  bool allowed;
};

const DropCase kDropCases[] = {
    // On a tableau card.
    {"T0: 9h*", kWhereTableau, kRuleAnything, "2c*", true},
    {"T0: 9h*", kWhereTableau, kRuleDownOtherColour, "8s* 7h*", true},
    {"T0: 9h*", kWhereTableau, kRuleDownOtherColour, "8d*", false},
    {"T0: 9h*", kWhereTableau, kRuleDownSameSuit, "8h*", true},
    {"T0: 9h*", kWhereTableau, kRuleDownSameSuit, "8d*", false},
    {"T0: 9h*", kWhereTableau, kRuleDownSameColour, "8d*", true},
    {"T0: 9h*", kWhereTableau, kRuleUpOrDownSameSuit, "Th*", true},
    {"T0: 9h*", kWhereTableau, kRuleDownOtherSuit, "8h*", false},
    {"T0: 9h*", kWhereTableau, kRuleDownAnySuit, "8h*", true},
    {"T0: 9h*", kWhereTableau, kRuleUpOrDownAnySuit, "Tc*", true},
    {"T0: 9h*", kWhereTableau, kRuleUpOrDownAnySuit, "Jc*", false},
    {"T0: 9h*", kWhereTableau, kRuleSuitRunOrSameRank, "8h*", true},
    {"T0: 9h*", kWhereTableau, kRuleSuitRunOrSameRank, "9c*", true},
    {"T0: 9h*", kWhereTableau, kRuleSuitRunOrSameRank, "8c*", false},
    {"T0: 9h*", kWhereTableau, kRuleUpSameSuit, "Th*", true},
    {"T0: 9h*", kWhereTableau, kRuleUpAnySuit, "Tc*", true},
    {"T0: 9h*", kWhereTableau, kRuleUpOtherColour, "Td*", false},
    {"T0: 9h*", kWhereTableau, kRuleCellAnyCard, "8s*", false},  // no meaning on a card
    {"T0: 9h*", kWhereTableau, kRuleNone, "8s*", false},
    {"T0: 9h*", kWhereTableau, kRuleCustom, "8s*", false},       // no slot
    {"T0: 9h*", kWhereTableau, kRulePairCallback, "8s*", false}, // no slot
    // Empty tableaus (the empty-tableau rule).
    {"T0: ", kWhereTableau, kRuleKingOnly, "Kh* Qs*", true},
    {"T0: ", kWhereTableau, kRuleKingOnly, "Qs*", false},
    {"T0: ", kWhereTableau, kRuleBelowLowest, "Kc*", true},
    {"T0: ", kWhereTableau, kRuleNothingOnEmpty, "Kc*", false},
    {"T0: ", kWhereTableau, kRuleSingleCard, "5c*", true},
    {"T0: ", kWhereTableau, kRuleSingleCard, "5c* 4h*", false},
    {"T0: ", kWhereTableau, kRuleAnything, "5c* 4h*", true},
    {"T0: ", kWhereTableau, kRuleTableauSpace, "5c*", false},  // no slot
    // Foundations: one card at a time, the lowest rank on an empty one.
    {"F0: Ah*", kWhereFoundation, kRuleUpSameSuit, "2h*", true},
    {"F0: Ah*", kWhereFoundation, kRuleUpSameSuit, "2s*", false},
    {"F0: Ah*", kWhereFoundation, kRuleUpSameSuit, "2h* As*", false},
    {"F0: Ah*", kWhereFoundation, kRuleUpOtherColour, "2s*", true},
    {"F0: ", kWhereFoundation, kRuleUpSameSuit, "Ah*", true},
    {"F0: ", kWhereFoundation, kRuleUpSameSuit, "2h*", false},
    {"F0: ", kWhereFoundation, kRuleUpOrDownAnySuit, "7h*", true},
    {"F0: ", kWhereFoundation, kRuleDownAnySuit, "Ah*", false},
    {"F0: Ah*; F1: ", kWhereFoundation + 1, kRuleFoundationPairs, "Ah*", false},
    {"F0: As*; F1: ", kWhereFoundation + 1, kRuleFoundationPairs, "Ah*", true},
    {"F0: ; F1: ; F2: ; F3: ; F4: Kh*; F5: ", kWhereFoundation + 5, kRuleFoundationPairs, "Kh*", false},
    {"F0: Ah*; F1: ; F2: ; F3: ; F4: ; F5: ", kWhereFoundation + 5, kRuleFoundationPairs, "Kh*", true},
    {"F0: ; F1: ; F2: ; F3: ; F4: ", kWhereFoundation + 4, kRuleFoundationPairs, "Ah*", false},
    {"F0: 5h*", kWhereFoundation, kRuleFoundationPairs, "6h*", true},
    {"F0: ; F1: ; F2: ; F3: ; F4: 5h*", kWhereFoundation + 4, kRuleFoundationPairs, "4h*", true},
    // Cells: one card on an empty cell.
    {"C0: ", kWhereCell, kRuleAnything, "5c*", true},
    {"C0: ", kWhereCell, kRuleAnything, "5c* 4h*", false},
    {"C0: 9d*", kWhereCell, kRuleAnything, "5c*", false},
    {"C0: ", kWhereCell, kRuleCellAnyCard, "5c*", true},
    {"C0: ", kWhereCell, kRuleSingleCard, "5c*", true},
    {"C0: ", kWhereCell, kRuleDownAnySuit, "5c*", false},
    // Fans (the empty-fan rule when empty).
    {"N0: 9h*", kWhereFan, kRuleDownOtherColour, "8c*", true},
    {"N0: ", kWhereFan, kRuleKingOnly, "Kc*", true},
    {"N0: ", kWhereFan, kRuleKingOnly, "Qc*", false},
    {"N0: ", kWhereFan, kRuleTableauSpace, "Qc*", true},
    // Reserves, waste, deck: anything when empty, else by the rule.
    {"R0: ", kWhereReserve, kRuleNone, "5c* 4h*", false},
    {"R0: ", kWhereReserve, kRuleDownAnySuit, "5c* 4h*", true},
    {"R0: 9h*", kWhereReserve, kRuleDownAnySuit, "8c*", true},
    {"R0: 9h*", kWhereReserve, kRuleDownAnySuit, "7c*", false},
    {"W: ", kWhereWaste, kRuleDownAnySuit, "7c*", true},
    {"W: 9h*", kWhereWaste, kRuleDownAnySuit, "7c*", false},
};

class GenDropRulesTest : public GenRulesTest {
 protected:
  // Rule byte of the target's kind (the empty rule for an empty tableau or
  // fan), the carried cards lifted from a tableau that is not the target.
  bool TrialDrop(const DropCase& c) {
    GenReset();
    g_GenLive.ready = 1;
    g_GenLive.lowestRank = 1;
    EXPECT_TRUE(FixtureBuild(c.piles));
    EXPECT_TRUE(FixtureBuild(std::string("T9: ; S: ") + c.carried));
    g_GenLive.selectionSource = kWhereTableau + 9;
    const int kind = GenGetKindBase(c.target);
    CardGroup* pile = GenGetGroup(g_GenLive, c.target);
    int ruleByte = kRuleDropTableau;
    switch (kind) {
      case kWhereTableau: ruleByte = pile->numCards ? kRuleDropTableau : kRuleDropEmptyTableau; break;
      case kWhereFan: ruleByte = pile->numCards ? kRuleDropFan : kRuleDropEmptyFan; break;
      case kWhereFoundation: ruleByte = kRuleDropFoundation; break;
      case kWhereCell: ruleByte = kRuleDropCell; break;
      case kWhereReserve: ruleByte = kRuleDropReserve; break;
      case kWhereWaste: ruleByte = kRuleDropWaste; break;
      default: break;
    }
    g_GenLive.rules[ruleByte] = static_cast<uint8_t>(c.rule);
    if (kind == kWhereTableau && pile->numCards) g_GenLive.rules[kRuleDropEmptyTableau] = kRuleNothingOnEmpty;
    if (kind == kWhereFan && pile->numCards) g_GenLive.rules[kRuleDropEmptyFan] = kRuleNothingOnEmpty;
    g_GenLive.rules[kRuleDropFoundation] =
        kind == kWhereFoundation ? static_cast<uint8_t>(c.rule) : g_GenLive.rules[kRuleDropFoundation];
    g_GenLive.wasteInUse = 1;
    GenSetCurrentHit(c.target, pile->numCards - 1);
    return GenStdSelectionDrop(0, 0, kind, 1, 1);
  }
};

TEST_F(GenDropRulesTest, DropRulesDecideWhatAPileTakes) {
  for (const DropCase& c : kDropCases) {
    SCOPED_TRACE(std::string(c.piles) + " rule " + std::to_string(c.rule) + " <- " + c.carried);
    EXPECT_EQ(TrialDrop(c), c.allowed);
  }
}

TEST_F(GenDropRulesTest, BelowLowestFollowsTheLowestRank) {
  const DropCase kingCase{"T0: ", kWhereTableau, kRuleBelowLowest, "Kc*", true};
  const DropCase fourCase{"T0: ", kWhereTableau, kRuleBelowLowest, "4c*", true};
  EXPECT_TRUE(TrialDrop(kingCase));
  GenReset();
  ASSERT_TRUE(FixtureBuild("T0: "));
  EXPECT_TRUE(TrialDrop(fourCase) == false);  // lowest rank 1: only the king
  // With the lowest rank 5 the space takes a 4.
  GenReset();
  g_GenLive.ready = 1;
  ASSERT_TRUE(FixtureBuild("T0: ; T9: ; S: 4c*"));
  g_GenLive.lowestRank = 5;
  g_GenLive.selectionSource = kWhereTableau + 9;
  g_GenLive.rules[kRuleDropEmptyTableau] = kRuleBelowLowest;
  GenSetCurrentHit(kWhereTableau, -1);
  EXPECT_TRUE(GenStdSelectionDrop(0, 0, kWhereTableau, 1, 1));
}

TEST_F(GenDropRulesTest, RougeEtNoirDropsWholeRunsOnFoundations) {
  GenSetCurGame(kGameRougeEtNoir);
  const DropCase c{"F0: Ah*", kWhereFoundation, kRuleUpOrDownAnySuit, "2h* 3h*", true};
  EXPECT_TRUE(TrialDrop(c));
}

TEST_F(GenDropRulesTest, ReservesThatTakeOnlyWhileEmptyRefuseACoveredReserve) {
  GenReset();
  g_GenLive.ready = 1;
  ASSERT_TRUE(FixtureBuild("R0: 9h*; R1: ; T9: ; S: 8c*"));
  g_GenLive.selectionSource = kWhereTableau + 9;
  g_GenLive.rules[kRuleDropReserve] = kRuleDownAnySuit;
  g_GenLive.reservesDropOnlyEmpty = 1;
  GenSetCurrentHit(kWhereReserve, 0);
  EXPECT_FALSE(GenStdSelectionDrop(0, 0, kWhereReserve, 1, 1));
  GenSetCurrentHit(kWhereReserve + 1, -1);
  EXPECT_TRUE(GenStdSelectionDrop(0, 0, kWhereReserve, 1, 1));
}

bool VetoTableau0(int target) { return target != kWhereTableau; }

TEST_F(GenDropRulesTest, TheDropVetoHasTheLastWord) {
  GenReset();
  g_GenLive.ready = 1;
  GenSetDropRuleCB(VetoTableau0);
  ASSERT_TRUE(FixtureBuild("T0: 9h*; T1: 9d*; T9: ; S: 8c*"));
  g_GenLive.selectionSource = kWhereTableau + 9;
  g_GenLive.rules[kRuleDropTableau] = kRuleDownAnySuit;
  GenSetCurrentHit(kWhereTableau, 0);
  EXPECT_FALSE(GenStdSelectionDrop(0, 0, kWhereTableau, 1, 1));
  GenSetCurrentHit(kWhereTableau + 1, 0);
  EXPECT_TRUE(GenStdSelectionDrop(0, 0, kWhereTableau, 1, 1));
}

TEST_F(GenDropRulesTest, RankTestsWrapOnlyWhenAsked) {
  // Aces high: the ace sits above the king and below nothing but the 2.
  GenReset();
  g_GenLive.ready = 1;
  g_GenLive.lowestRank = 1;
  g_GenLive.acesHigh = 1;
  ASSERT_TRUE(FixtureBuild("T0: Kh*; T1: 2h*; T9: ; S: Ah*"));
  g_GenLive.selectionSource = kWhereTableau + 9;
  g_GenLive.rules[kRuleDropTableau] = kRuleUpSameSuit;
  GenSetCurrentHit(kWhereTableau, 0);
  EXPECT_TRUE(GenStdSelectionDrop(0, 0, kWhereTableau, 1, 1));
  g_GenLive.rules[kRuleDropTableau] = kRuleDownSameSuit;
  GenSetCurrentHit(kWhereTableau + 1, 0);
  EXPECT_TRUE(GenStdSelectionDrop(0, 0, kWhereTableau, 1, 1));
  // Without wrap or aces high, nothing goes on an ace and the king never
  // follows it.
  g_GenLive.acesHigh = 0;
  ASSERT_TRUE(FixtureBuild("T2: Ah*; S: Kh*"));
  g_GenLive.rules[kRuleDropTableau] = kRuleDownSameSuit;
  GenSetCurrentHit(kWhereTableau + 2, 0);
  EXPECT_FALSE(GenStdSelectionDrop(0, 0, kWhereTableau, 1, 1));
  g_GenLive.rankWrap = 1;
  EXPECT_TRUE(GenStdSelectionDrop(0, 0, kWhereTableau, 1, 1));
}

}  // namespace
