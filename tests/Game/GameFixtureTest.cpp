// GameFixtureTest.cpp - the pile-text builder that rules tests are written
// with: what it builds must read back the same.
#include "Game/Gen.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "tests/Game/GameFixture.h"

namespace {

using GameFixtureTest = GameTest;

TEST_F(GameFixtureTest, PileTextsReadBackAsWritten) {
  ASSERT_TRUE(FixtureBuild("T0: 7h 6s*\nF1: Ac* 2c*; C0: Kd*\nN2: 10s* Jd*; R0: Qc; D: 2h 3h; W: 4s*"));
  EXPECT_EQ(FixturePile(kWhereTableau), "7h 6s*");
  EXPECT_EQ(FixturePile(kWhereFoundation + 1), "Ac* 2c*");
  EXPECT_EQ(FixturePile(kWhereCell), "Kd*");
  EXPECT_EQ(FixturePile(kWhereFan + 2), "Ts* Jd*");
  EXPECT_EQ(FixturePile(kWhereReserve), "Qc");
  EXPECT_EQ(FixturePile(kWhereDeck), "2h 3h");
  EXPECT_EQ(FixturePile(kWhereWaste), "4s*");
  // The kinds' counts include the piles named.
  EXPECT_EQ(g_GenLive.numTableaus, 1);
  EXPECT_EQ(g_GenLive.numFoundations, 2);
  EXPECT_EQ(g_GenLive.numFans, 3);
  EXPECT_EQ(FixtureCountAllCards(), 11);
  EXPECT_TRUE(GenCheckOk());
  // Building a pile again replaces its cards.
  ASSERT_TRUE(FixtureBuild("T0: Ah*"));
  EXPECT_EQ(FixturePile(kWhereTableau), "Ah*");
}

}  // namespace
