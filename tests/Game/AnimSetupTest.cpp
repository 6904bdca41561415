// AnimSetupTest.cpp - moves by pile pair, the deal set-up, the start delay,
// the landing sounds and effects, and the one-shot finish callbacks.
#include <string>

#include "Engine/EngProgram.h"
#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/CardsSettings.h"
#include "Game/GenGameTable.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/UserRecord.h"
#include "tests/Game/GameFixture.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

class AnimSetupTest : public GameTest {
 protected:
  const CardsAnimSlot& Slot() { return *CardsAnimGetSlot(0); }
};

const char kSuitRun[] = "Kh* Qh* Jh* Th* 9h* 8h* 7h* 6h* 5h* 4h* 3h* 2h* Ah*";

TEST_F(AnimSetupTest, AWholeSuitGoesUpTimedAtItsOwnSpeed) {
  ASSERT_TRUE(FixtureBuild(std::string("T0: 5c ") + kSuitRun + "; F0:"));
  ASSERT_TRUE(AnimSetupMoveNCardsFromTableauToFoundation(13, 0, 0, 3.0f));
  EXPECT_EQ(Slot().timed, 1);
  EXPECT_FLOAT_EQ(Slot().entries[0].speed, 0.2f);
  EXPECT_FLOAT_EQ(Slot().entries[12].speed, 0.2f);
  EXPECT_GT(Slot().entries[0].startSound, 0);
  ASSERT_TRUE(RunAnimations());
  // The top card goes first, so the ace ends at the bottom of the foundation.
  EXPECT_EQ(FixturePile(kWhereFoundation), "Ah* 2h* 3h* 4h* 5h* 6h* 7h* 8h* 9h* Th* Jh* Qh* Kh*");
  EXPECT_EQ(FixturePile(kWhereTableau), "5c");

  ASSERT_TRUE(FixtureBuild("T0: 3s* 2s*; F0: As*"));
  ASSERT_TRUE(AnimSetupMoveNCardsFromTableauToFoundation(1, 0, 0, 1.0f));
  EXPECT_EQ(Slot().timed, 0);
  EXPECT_FLOAT_EQ(Slot().entries[0].speed, 1.3f);
  ASSERT_TRUE(RunAnimations());
  EXPECT_EQ(FixturePile(kWhereFoundation), "As* 2s*");
}

TEST_F(AnimSetupTest, BadPilesAndCountsStartNothing) {
  ASSERT_TRUE(FixtureBuild("T0: 3s*; T1:; F0:; C0:; W:"));
  struct Case { bool (*call)(); const char* where; const char* message; } cases[] = {
      {[] { return AnimSetupMoveNCardsFromTableauToFoundation(2, 0, 0, 1); }, "AnimSetupMoveNCardsFromTableauToFoundation", "Parameter Error"},
      {[] { return AnimSetupMoveNCardsFromTableauToFoundation(1, 2, 0, 1); }, "AnimSetupMoveNCardsFromTableauToFoundation", "Parameter Error"},
      {[] { return AnimSetupMoveCardFromTableauToCell(1, 0, 1); }, "AnimSetupMoveCardFromTableauToCell", "Parameter Error"},
      {[] { return AnimSetupMoveNCardsFromTableauToTableau(1, 0, 5, 1); }, "AnimSetupMoveNCardsFromTableauToTableau", "Parameter Error"},
      {[] { return AnimSetupMoveNCardsFromWasteToTableau(1, 0, 1); }, "AnimSetupMoveNCardsFromWasteToTableau", "Parameter Error"},
      {[] { return AnimSetupMoveAllCardsFromReserveToDeck(3, 1); }, "AnimSetupMoveAllCardsFromReserveToDeck", "Parameter Error"},
      {[] { return AnimSetupMoveNCardsFromDeckToWaste(1, 1); }, "AnimSetupMoveNCardsFromDeckToWaste", "Not enough cards in deck"},
  };
  for (const auto& c : cases) {
    ClearLog();
    EXPECT_FALSE(c.call()) << c.where;
    EXPECT_TRUE(LogContains(std::string("( ") + c.where + " )")) << c.where;
    EXPECT_TRUE(LogContains(c.message)) << c.where;
    EXPECT_FALSE(CardsAnimIsAnimating());
  }
}

// The move by pair of kinds reaches the set-up of its pair with the piles
// named: a card goes from pile 1 of the source kind to pile 0 of the target
// kind (the deck and the waste are pile 0 of theirs). A pair without a set-up starts
// nothing and reports nothing.
TEST_F(AnimSetupTest, AMoveByItsPairOfKindsReachesThatPairsSetUp) {
  struct Case {
    int fromKind, toKind;
    const char* piles;
  };
  const Case cases[] = {
      {kWhereDeck, kWhereWaste, "D: 5c; W:"},     {kWhereDeck, kWhereFoundation, "D: 5c; F0:; F1:"},
      {kWhereDeck, kWhereTableau, "D: 5c; T0:; T1:"}, {kWhereDeck, kWhereFan, "D: 5c; N0:; N1:"},
      {kWhereDeck, kWhereReserve, "D: 5c; R0:; R1:"}, {kWhereDeck, kWhereCell, "D: 5c; C0:; C1:"},
      {kWhereTableau, kWhereTableau, "T0:; T1: 5c*"}, {kWhereTableau, kWhereFoundation, "T0:; T1: 5c*; F0:; F1:"},
      {kWhereTableau, kWhereCell, "T0:; T1: 5c*; C0:; C1:"}, {kWhereTableau, kWhereReserve, "T0:; T1: 5c*; R0:; R1:"},
      {kWhereFan, kWhereFoundation, "N0:; N1: 5c*; F0:; F1:"}, {kWhereFan, kWhereCell, "N0:; N1: 5c*; C0:; C1:"},
      {kWhereFan, kWhereFan, "N0:; N1: 5c*"},     {kWhereCell, kWhereFoundation, "C0:; C1: 5c*; F0:; F1:"},
      {kWhereCell, kWhereTableau, "C0:; C1: 5c*; T0:; T1:"}, {kWhereCell, kWhereReserve, "C0:; C1: 5c*; R0:; R1:"},
      {kWhereFoundation, kWhereTableau, "F0:; F1: 5c*; T0:; T1:"}, {kWhereWaste, kWhereFoundation, "W: 5c*; F0:; F1:"},
      {kWhereWaste, kWhereTableau, "W: 5c*; T0:; T1:"}, {kWhereWaste, kWhereReserve, "W: 5c*; R0:; R1:"},
      {kWhereWaste, kWhereDeck, "W: 5c*; D:"},    {kWhereReserve, kWhereFoundation, "R0:; R1: 5c*; F0:; F1:"},
      {kWhereReserve, kWhereTableau, "R0:; R1: 5c*; T0:; T1:"}, {kWhereReserve, kWhereFan, "R0:; R1: 5c*; N0:; N1:"},
      {kWhereReserve, kWhereCell, "R0:; R1: 5c*; C0:; C1:"},
  };
  auto pileOne = [](int kind) { return kind == kWhereDeck || kind == kWhereWaste ? kind : kind + 1; };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.piles);
    ASSERT_TRUE(FixtureBuild(c.piles));
    const int from = pileOne(c.fromKind), to = c.toKind;
    EXPECT_TRUE(AnimSetupHasMove(c.fromKind, c.toKind));
    ASSERT_TRUE(AnimSetupMove({.fromKind = c.fromKind, .from = from - c.fromKind, .toKind = c.toKind,
                               .to = to - c.toKind}));
    ASSERT_TRUE(RunAnimations());
    EXPECT_EQ(FixturePile(from), "");
    EXPECT_EQ(FixturePile(to).substr(0, 2), "5c");
  }
  ASSERT_TRUE(FixtureBuild("F0: 5c*; F1:"));
  ClearLog();
  EXPECT_FALSE(AnimSetupHasMove(kWhereFoundation, kWhereFoundation));
  EXPECT_FALSE(AnimSetupMove({.fromKind = kWhereFoundation, .toKind = kWhereFoundation, .to = 1}));
  EXPECT_FALSE(CardsAnimIsAnimating());
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(AnimSetupTest, DeckToTableausDealsWhatTheDeckHolds) {
  ASSERT_TRUE(FixtureBuild("D: 2c 3c 4c 5c 6c; T0:; T1:; T2:"));
  ASSERT_TRUE(AnimSetupMoveNCardsFromDeckToTableau(9, 1, true, 1.0f));
  ASSERT_TRUE(RunAnimations());
  EXPECT_EQ(FixturePile(kWhereTableau + 1), "6c* 3c*");  // the top card first, cycling from T1
  EXPECT_EQ(FixturePile(kWhereTableau + 2), "5c* 2c*");
  EXPECT_EQ(FixturePile(kWhereTableau), "4c*");
  EXPECT_EQ(g_GenLive.deck.numCards, 0);

  ClearLog();
  EXPECT_FALSE(AnimSetupMoveNCardsFromDeckToTableau(3, 0, true, 1.0f));  // empty deck
  EXPECT_TRUE(LogLines().empty());
  EXPECT_FALSE(CardsAnimIsAnimating());
}

TEST_F(AnimSetupTest, GathersCollectEveryCardOntoTheDeck) {
  ASSERT_TRUE(FixtureBuild("D: 9d; F0: Ah* 2h*; F1: As*; T0: Kc*"));
  ASSERT_TRUE(AnimSetupGatherAllCardsToDeck(2.0f));  // Klondike: the foundations
  ASSERT_TRUE(RunAnimations());
  EXPECT_EQ(FixturePile(kWhereDeck), "9d 2h Ah As");
  EXPECT_EQ(FixturePile(kWhereTableau), "Kc*");
}

TEST_F(AnimSetupTest, TheDealSkipsPlacesThatAreNoPilesAndLosesNoCard) {
  ASSERT_TRUE(FixtureBuild("D: Ac 2c 3c 4c 5c 6c; T0:; T1:"));
  Gen& g = g_GenLive;
  g.dealGroup.SetupCardGroup({.maxCards = 156, .numCards = 6, .setPosition = false, .where = 800});
  const int plan[6] = {200, 205, 201, 999, 200, 201};  // 205: no such pile in use; 999: nothing
  for (int k = 0; k < 6; ++k) g.dealPlan[k] = plan[k];
  ASSERT_TRUE(AnimSetupFromDeal(1));
  EXPECT_TRUE(LogContains("Unknown deal place [1] 205"));
  EXPECT_TRUE(LogContains("Unknown deal place [3] 999"));
  EXPECT_TRUE(AnimIsDealAnimating());
  ASSERT_TRUE(RunAnimations());
  // A skipped place takes no card: the next planned card gets it.
  EXPECT_EQ(FixturePile(kWhereTableau), "6c* 4c*");
  EXPECT_EQ(FixturePile(kWhereTableau + 1), "5c* 3c*");
  EXPECT_EQ(FixturePile(kWhereDeck), "Ac 2c");  // what was not dealt stays
  EXPECT_EQ(FixtureCountAllCards(), 6);

  // A plan longer than the deck stops when the deck is empty.
  ASSERT_TRUE(FixtureBuild("D: 7h; T0:"));
  for (int k = 0; k < 6; ++k) g.dealPlan[k] = 200;
  ASSERT_TRUE(AnimSetupFromDeal(0));
  ASSERT_TRUE(RunAnimations());
  EXPECT_EQ(FixturePile(kWhereTableau), "7h*");
  EXPECT_EQ(g.deck.numCards, 0);
}

TEST_F(AnimSetupTest, TheStartDelayHoldsThreeFramesAndAFifthOfASecond) {
  ASSERT_TRUE(FixtureBuild("T0: Ah* 2h*; T1:"));
  ASSERT_TRUE(CardsAnimMoveTopCard(&g_GenLive.tableaus[0], &g_GenLive.tableaus[1], -1, 1.0f, nullptr, 0));
  AnimSetStartDelay();
  for (int frame = 0; frame < 3; ++frame) {
    AdvanceTime(0.01);
    AnimTick();
    EXPECT_EQ(Slot().entries[0].state, 0) << frame;
  }
  AdvanceTime(0.15);  // 0.16 s after the third held frame
  AnimTick();
  EXPECT_EQ(Slot().entries[0].state, 0);
  AdvanceTime(0.06);
  AnimTick();
  EXPECT_EQ(Slot().entries[0].state, 1);
}

struct LandingSoundCase {
  int game;
  int target;           // the pile the card lands on
  int option;           // the player's foundation sound and effect choice
  bool sample, rankSound, effect;
};

TEST_F(AnimSetupTest, LandingSoundsAndEffectsFollowTheFoundationOption) {
  const LandingSoundCase cases[] = {
      {kGameKlondike, kWhereFoundation, 0, true, false, false},
      {kGameKlondike, kWhereFoundation, 1, true, false, true},
      {kGameKlondike, kWhereFoundation, 2, false, true, false},
      {kGameKlondike, kWhereFoundation, 3, false, true, true},
      {kGameKlondike, kWhereTableau + 1, 3, true, false, false},
      {kGameAcesUp, kWhereFoundation, 3, true, false, false},
      {kGameGolf, kWhereFoundation, 3, true, false, false},
  };
  for (const LandingSoundCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.game) + "/" + std::to_string(c.target) + "/" +
                 std::to_string(c.option));
    GenSetCurGame(c.game);
    g_UserRecord.foundationSoundEffect = static_cast<uint8_t>(c.option);
    ASSERT_TRUE(FixtureBuild("T0: 3d*; T1: 2c* 7s*; F0: Ad* 2d*"));
    SoundResetForTests();
    FoundationEffectsResetForTests();
    CardGroup* target = GenGetGroup(g_GenLive, c.target);
    AnimCardSoundCB(3, &g_GenLive.tableaus[0], nullptr, target, target->GetTopCard(), false);
    const SoundCallsForTests& calls = SoundGetCallsForTests();
    EXPECT_EQ(calls.samples, c.sample ? 1 : 0);
    if (c.sample) {
      EXPECT_EQ(calls.lastSample, 3);
    }
    EXPECT_EQ(calls.foundationSounds, c.rankSound ? 1 : 0);
    if (c.rankSound) {
      EXPECT_EQ(calls.lastRank, 2);  // the card on top of the foundation
    }
    float position[3], scale[3];
    EXPECT_EQ(FoundationEffectsGetAddedForTests(position, scale), c.effect ? 1 : 0);
    if (c.effect) {
      const CardGroup& f = g_GenLive.foundations[0];
      EXPECT_FLOAT_EQ(position[0], f.pos[0] + f.cards[1].pos[0]);
      EXPECT_FLOAT_EQ(position[2], f.pos[2] + f.cards[1].pos[2]);
      EXPECT_FLOAT_EQ(scale[0], 1.4f * CardsGetCardWidth());
      EXPECT_FLOAT_EQ(scale[1], 1.4f * CardsGetCardHeight());
      EXPECT_FLOAT_EQ(scale[2], 1.0f);
    }
  }
  // A launch plays its sample whatever lies below.
  SoundResetForTests();
  AnimCardSoundCB(7, &g_GenLive.tableaus[0], nullptr, &g_GenLive.foundations[0], nullptr, true);
  EXPECT_EQ(SoundGetCallsForTests().lastSample, 7);
  EXPECT_EQ(SoundGetCallsForTests().foundationSounds, 0);
  GenSetCurGame(kGameKlondike);
}

int g_finishRuns = 0;
bool CountFinish(int, int) {
  ++g_finishRuns;
  return false;
}

TEST_F(AnimSetupTest, FinishCallbacksRunOnce) {
  g_finishRuns = 0;
  ASSERT_TRUE(FixtureBuild("T0: Ah* 2h*; T1:"));
  ASSERT_TRUE(AnimSetupMoveNCardsFromTableauToTableau(1, 0, 1, 5.0f));
  AnimSetFinishCB(CountFinish);
  EXPECT_TRUE(AnimHasFinishCB());
  AnimSetFinishCB(CountFinish);
  EXPECT_TRUE(LogContains("Callback already specified - overwriting"));
  AnimSetPostFinishCB(CountFinish);
  ASSERT_TRUE(RunAnimations());
  EXPECT_EQ(g_finishRuns, 2);  // finish, then post-finish

  ASSERT_TRUE(AnimSetupMoveNCardsFromTableauToTableau(1, 1, 0, 5.0f));
  ASSERT_TRUE(RunAnimations());
  EXPECT_EQ(g_finishRuns, 2);  // cleared once the move had ended
}

}  // namespace
