// CardsAnimTest.cpp - the animation engine: landing orders, the arc, cards
// taken from the middle, timed launches, set-up refusals, the end of a slot
// and its callbacks, and the forced landing that never loses a card.
#include <vector>

#include "Engine/EngProgram.h"
#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/CardsSettings.h"
#include "Game/Gen.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/UserRecord.h"
#include "tests/Game/GameFixture.h"

namespace {

class CardsAnimTest : public GameTest {
 protected:
  // The arithmetic below is written for the engine's unit speed scale; a
  // player's record scales every speed by 8.
  void SetUp() override {
    GameTest::SetUp();
    g_UserRecord.animSpeed = 1.0f;
  }
  CardGroup& T(int i) { return g_GenLive.tableaus[i]; }
  // Ticks slot 0 n times (frame time as set).
  void Tick(int n) {
    for (int i = 0; i < n; ++i) CardsAnimTick(0);
  }
  bool Finish() {
    for (int i = 0; i < 10000 && CardsAnimIsAnimating(); ++i) CardsAnimTickAll();
    return !CardsAnimIsAnimating();
  }
};

TEST_F(CardsAnimTest, LandingOrders) {
  struct Case { int together, order; const char* target; } cases[] = {
      {1, 0, "4h* 3h* 2h*"},  // one by one: the top card lands first, at the bottom
      {3, 0, "2h* 3h* 4h*"},  // whole group, order 0: kept
      {3, 1, "4h* 3h* 2h*"},  // whole group, order 1: reversed
  };
  for (const Case& c : cases) {
    GenReset();
    ASSERT_TRUE(FixtureBuild("T0: Ah* 2h* 3h* 4h*; T1:"));
    ASSERT_TRUE(CardsAnimMoveCards(3, c.together, c.order, &T(0), &T(1), -1, 2.0f, nullptr, 0));
    ASSERT_TRUE(Finish());
    EXPECT_EQ(FixturePile(kWhereTableau), "Ah*");
    EXPECT_EQ(FixturePile(kWhereTableau + 1), c.target) << c.together << "/" << c.order;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(T(1).cards[i].owner, &T(1));
  }
}

TEST_F(CardsAnimTest, ACardRisesOnItsArcAndTurnsOver) {
  ASSERT_TRUE(FixtureBuild("T0: 5c; T1: 9d*"));
  EngProgramSetFrameTimeForTests(0.25f);
  ASSERT_TRUE(CardsAnimMoveOneCard(&T(0), &T(0), -1, 1, 1.0f, nullptr, 0));  // turn in place
  Tick(2);
  const CardsAnimEntry& e = CardsAnimGetSlot(0)->entries[0];
  ASSERT_FLOAT_EQ(e.t, 0.5f);
  EXPECT_NEAR(e.posNow[2], 6.0f, 1e-4);          // 2 x (0 + 3.0) x sin(pi / 2)
  EXPECT_NEAR(e.rotNow[1], 1.5f * 3.14159265f, 1e-4);  // face down to up: pi + pi t
  EXPECT_EQ(e.drawnCard.flying, 1);
  Tick(2);
  EXPECT_FALSE(CardsAnimIsAnimating());
  EXPECT_EQ(FixturePile(kWhereTableau), "5c*");
}

TEST_F(CardsAnimTest, ACardFromTheMiddleStaysHiddenUntilTheMoveEnds) {
  ASSERT_TRUE(FixtureBuild("T0: Ah* 2h* 3h* 4h*; T1:"));
  ASSERT_TRUE(CardsAnimMoveOneCard(&T(0), &T(1), 1, -1, 1.0f, nullptr, 0));
  Tick(1);
  EXPECT_EQ(T(0).numCards, 4);
  EXPECT_EQ(T(0).cards[1].hidden, 1);
  ASSERT_TRUE(Finish());
  EXPECT_EQ(FixturePile(kWhereTableau), "Ah* 3h* 4h*");
  EXPECT_EQ(FixturePile(kWhereTableau + 1), "2h*");
  EXPECT_EQ(T(0).cards[2].owner, &T(0));
  EXPECT_EQ(T(0).cards[3].owner, nullptr);
}

TEST_F(CardsAnimTest, TimedLaunchesFollowTheRateNotTheSpeed) {
  for (float speed : {0.05f, 0.5f}) {
    GenReset();
    ASSERT_TRUE(FixtureBuild("D: Ac Ac Ac Ac Ac Ac Ac Ac Ac Ac Ac Ac; T0:"));
    ASSERT_TRUE(CardsAnimMoveCardsFromGroupToGroup(10, 1, true, 0, &g_GenLive.deck, &T(0), -1, 1,
                                                   speed, nullptr, 0));
    const CardsAnimSlot* s = CardsAnimGetSlot(0);
    ASSERT_EQ(s->timed, 1);
    Tick(10);   // 1/6 s
    EXPECT_EQ(s->cardsAdded, 0) << speed;
    Tick(20);   // 1/2 s: one card every third of a second
    EXPECT_EQ(s->cardsAdded, 1) << speed;
    Tick(40);   // 7/6 s
    EXPECT_EQ(s->cardsAdded, 3) << speed;
    ASSERT_TRUE(Finish());
    EXPECT_EQ(T(0).numCards, 10);
    EXPECT_EQ(g_GenLive.deck.numCards, 2);
  }
}

TEST_F(CardsAnimTest, SetUpRefusals) {
  ASSERT_TRUE(FixtureBuild("T0: Ah* 2h*; T1:; C0:"));
  struct Case { bool (*call)(); const char* message; } cases[] = {
      {[] { return CardsAnimMoveCards(3, 1, 0, &g_GenLive.tableaus[0], &g_GenLive.tableaus[1], -1, 1, nullptr, 0); },
       "Invalid from cards"},
      {[] { return CardsAnimMoveCards(1, 1, 0, &g_GenLive.tableaus[0], nullptr, -1, 1, nullptr, 0); },
       "Invalid \"to\" cards (1)"},
      {[] { return CardsAnimMoveCards(2, 1, 0, &g_GenLive.tableaus[0], &g_GenLive.cells[0], -1, 1, nullptr, 0); },
       "Invalid \"to\" cards (2)"},
      {[] { return CardsAnimMoveCards(2, 1, 0, &g_GenLive.tableaus[0], &g_GenLive.tableaus[1], -1, 0, nullptr, 0); },
       "Invalid num cards or speed"},
      {[] { return CardsAnimMoveCardsBetweenGroupsBegin(3, 2, 1, nullptr); }, "Moving subset of cards not supported"},
      {[] { return CardsAnimMoveCardsFromGroupToGroupEnd(false); }, "Not prepared"},
      {[] { return CardsSetupCustomAnimation(157, 1, nullptr, nullptr, nullptr, nullptr, nullptr); },
       "Invalid num cards 157"},
  };
  for (const auto& c : cases) {
    ClearLog();
    EXPECT_FALSE(c.call()) << c.message;
    EXPECT_TRUE(LogContains(c.message)) << c.message;
    EXPECT_FALSE(CardsAnimIsAnimating());
  }
  ASSERT_TRUE(CardsAnimMoveCardsBetweenGroupsBegin(1, 1, 1.0f, nullptr));
  EXPECT_TRUE(CardsAnimMoveCardsBetweenGroupsAddCard(&T(0), 1, &T(1), 0, -1, 0));
  ClearLog();
  EXPECT_FALSE(CardsAnimMoveCardsBetweenGroupsAddCard(&T(0), 0, &T(1), 1, -1, 0));
  EXPECT_TRUE(LogContains("Too many cards being added (2)"));
  ASSERT_TRUE(CardsAnimMoveCardsFromGroupToGroupEnd(false));
  ClearLog();
  EXPECT_FALSE(CardsAnimMoveCards(1, 1, 0, &T(0), &T(1), -1, 1, nullptr, 0));
  EXPECT_TRUE(LogContains("Animation already on"));
}

std::vector<int> g_calls;
void EndOne(int) { g_calls.push_back(1); }
void EndTwo(int) { g_calls.push_back(2); }
void Hook(int) { g_calls.push_back(3); }

TEST_F(CardsAnimTest, FinishCallsBothEndCallbacksThenTheHook) {
  CardsRegisterOnEndOrCancelCB(0, Hook);
  struct Case { void (*end)(); std::vector<int> calls; } cases[] = {
      {[] { while (CardsAnimIsAnimating()) CardsAnimTickAll(); }, {1, 2, 3}},
      {[] { CardsAnimFinish(0, false); }, {3}},
      {[] { CardsAnimCancel(0); }, {3}},
      {[] { CardsAnimCancelAll(); }, {}},
  };
  for (const auto& c : cases) {
    g_calls.clear();
    ASSERT_TRUE(FixtureBuild("T0: Ah* 2h*; T1:"));
    ASSERT_TRUE(CardsAnimMoveTopCard(&T(0), &T(1), -1, 5.0f, EndOne, 0));
    CardsAnimSetSecondEndCallback(0, EndTwo);
    EXPECT_TRUE(CardsAnimHasEndCallback(0));
    c.end();
    EXPECT_EQ(g_calls, c.calls);
    EXPECT_FALSE(CardsAnimIsAnimating());
  }
  CardsRegisterOnEndOrCancelCB(4, Hook);
  EXPECT_TRUE(LogContains("Bad animation number 4"));
}

TEST_F(CardsAnimTest, EndingEarlyLandsEveryCard) {
  ASSERT_TRUE(FixtureBuild("T0: Ah* 2h* 3h* 4h* 5h*; T1: Ks*"));
  ASSERT_TRUE(CardsAnimMoveCards(3, 1, 0, &T(0), &T(1), -1, 1.0f, nullptr, 0));
  EngProgramSetFrameTimeForTests(0.4f);
  Tick(3);  // the first card has landed, the second is in the air
  EXPECT_EQ(T(1).numCards, 2);
  CardsAnimFinish(0, true);
  EXPECT_FALSE(CardsAnimIsAnimating());
  EXPECT_EQ(FixturePile(kWhereTableau), "Ah* 2h*");
  EXPECT_EQ(FixturePile(kWhereTableau + 1), "Ks* 5h* 4h* 3h*");
  EXPECT_EQ(FixtureCountAllCards(), 6);
}

TEST_F(CardsAnimTest, ACardWithNoRoomLeftGoesBackToItsPile) {
  ASSERT_TRUE(FixtureBuild("T0: Ah* 2h*; C0:"));
  ASSERT_TRUE(CardsAnimMoveTopCard(&T(0), &g_GenLive.cells[0], -1, 1.0f, nullptr, 0));
  Tick(1);  // 2h is in the air
  ASSERT_TRUE(FixtureBuild("C0: Kd*"));  // meanwhile the cell is taken
  ASSERT_TRUE(Finish());                  // landing fails: the slot ends early
  EXPECT_TRUE(LogContains("Unmatched to cards"));
  EXPECT_EQ(FixturePile(kWhereTableau), "Ah* 2h*");
  EXPECT_EQ(FixturePile(kWhereCell), "Kd*");
}

TEST_F(CardsAnimTest, StopNowLandsTheRestAndKeepsTheRecordSound) {
  ASSERT_TRUE(FixtureBuild("T0: Ah* 2h* 3h*; T1:"));
  ASSERT_TRUE(CardsAnimMoveOneCard(&T(0), &T(1), 0, -1, 0.1f, nullptr, 0));
  Tick(1);
  EXPECT_EQ(T(0).cards[0].hidden, 1);
  AnimStopNow(false);
  EXPECT_FALSE(CardsAnimIsAnimating());
  EXPECT_EQ(FixturePile(kWhereTableau), "2h* 3h*");
  EXPECT_EQ(FixturePile(kWhereTableau + 1), "Ah*");
  EXPECT_FALSE(LogContains("GenCheckOk"));
}

TEST_F(CardsAnimTest, CustomAnimationsRunTheirRoutinesEveryTick) {
  static int ticks = 0, cardTicks = 0, setups = 0;
  ticks = cardTicks = setups = 0;
  ASSERT_TRUE(CardsSetupCustomAnimation(
      3, 1.0f, nullptr, [] { ++ticks; }, [](int, CardsAnimEntry*) { ++setups; },
      [](int, CardsAnimEntry*) { ++cardTicks; }, nullptr));
  EXPECT_EQ(setups, 3);
  Tick(2);
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(cardTicks, 6);
  EXPECT_TRUE(CardsAnimIsAnimating());  // no effect ends by itself
  CardsAnimFinish(0, true);
  EXPECT_FALSE(CardsAnimIsAnimating());
}

}  // namespace
