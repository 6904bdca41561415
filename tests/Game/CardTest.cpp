// CardTest.cpp - the card record: numbers, scale, matrix, hit test, copies
// and the compact form.
#include <cmath>

#include "Game/Card.h"
#include "Game/CardGroup.h"
#include "Game/CardsSettings.h"
#include "tests/Game/GameFixture.h"

namespace {

using CardTest = GameTest;

TEST_F(CardTest, CardNumbersFollowSuitAndRank) {
  struct Case { int suit, rank, number; } cases[] = {
      {0, 1, 1}, {0, 13, 13}, {1, 1, 15}, {3, 13, 55}, {2, 14, 29},  // 14 reads as the ace
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CardsGetNumberFromSuitAndRank(c.suit, c.rank), c.number) << c.suit << "/" << c.rank;
  }
  EXPECT_EQ(CardsGetNumberFromSuitAndRank(4, 1), -1);
  EXPECT_TRUE(LogContains("Invalid suit/rank [4/1]"));

  Card card;
  EXPECT_EQ(card.number, -1);  // rank -1: no number
  card.SetSuitAndRank(1, 5);
  card.SetSuitAndRank(-1, 0);  // neither replaces; the number is recomputed
  EXPECT_EQ(card.suit, 1);
  EXPECT_EQ(card.rank, 5);
  EXPECT_EQ(card.number, 19);
}

TEST_F(CardTest, OnlyAnExactUnitScaleSwitchesTheScaleOff) {
  Card card;
  const float unit[3] = {1, 1, 1};
  const float nearly[3] = {1, 1, 1.0001f};
  card.SetPositionRotationAndScale(nullptr, nullptr, nearly);
  EXPECT_EQ(card.hasScale, 1);
  card.SetPositionRotationAndScale(nullptr, nullptr, unit);
  EXPECT_EQ(card.hasScale, 0);
}

// Where the corner (1, 2, 3) of a card's model lands in the world: scaled
// first, then turned about Y, Z and X (a quarter turn takes +x to -z about
// Y, +x to +y about Z and +y to +z about X), then moved to the card's
// place. Worked out by hand from those turns, not from matrices.
TEST_F(CardTest, ACornerIsScaledThenTurnedAboutYZAndXThenMoved) {
  constexpr float q = 1.5707964f;
  const struct Case {
    const char* what;
    float rot[3];
    float scale[3];
    float world[3];
  } cases[] = {
      {"scaled only", {0, 0, 0}, {2, 3, 4}, {12, 26, 42}},
      {"a quarter about X", {q, 0, 0}, {1, 1, 1}, {11, 17, 32}},
      {"a quarter about Y", {0, q, 0}, {1, 1, 1}, {13, 22, 29}},
      {"a quarter about Z", {0, 0, q}, {1, 1, 1}, {8, 21, 33}},
      // (2, 6, 12) scaled; (12, 6, -2) about Y; (-6, 12, -2) about Z;
      // (-6, 2, 12) about X.
      {"scaled, then a quarter about Y, Z and X", {q, q, q}, {2, 3, 4}, {4, 22, 42}},
  };
  const float pos[3] = {10, 20, 30};
  const float corner[3] = {1, 2, 3};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Card card;
    card.SetPositionRotationAndScale(pos, c.rot, c.scale);
    // Row vectors: the corner times the matrix.
    const float* m = card.matrix.m;
    for (int axis = 0; axis < 3; ++axis) {
      const float world = corner[0] * m[axis] + corner[1] * m[4 + axis] + corner[2] * m[8 + axis] + m[12 + axis];
      EXPECT_NEAR(world, c.world[axis], 1e-4) << "axis " << axis;
    }
  }
}

TEST_F(CardTest, HitTestEdgesAreOutsideAndTurnedCardsTurnTheirArea) {
  CardsSetCardSize(4, 6, 0.1f, 0, 0, 0);  // half width 2, half height 3
  Card card;
  const float pos[3] = {10, 20, 0};
  card.SetPositionAndRotation(pos, nullptr);
  struct Case { float x, y; bool inside; } flat[] = {
      {10, 20, true}, {11.9f, 22.9f, true}, {12, 20, false}, {8, 20, false}, {10, 23, false},
      {10, 17, false},
  };
  for (const Case& c : flat) EXPECT_EQ(card.IsScreenPointInside(c.x, c.y), c.inside) << c.x << "," << c.y;

  // A quarter turn makes the card 6 wide and 4 high.
  const float quarter[3] = {0, 0, 1.5707964f};
  card.SetPositionAndRotation(pos, quarter);
  EXPECT_TRUE(card.IsScreenPointInside(12.5f, 20));
  EXPECT_FALSE(card.IsScreenPointInside(10, 22.5f));

  // The owner's position is added.
  CardGroup group;
  group.SetupCardGroup({.maxCards = 10, .x = 100, .where = 200});
  Card loose;
  CardsSetupCard(&loose, 1, 0, 1, 0, 0, 0);
  group.AddCardToGroup(&loose, false, false, true);
  EXPECT_TRUE(group.cards[0].IsScreenPointInside(101, 1));
  EXPECT_FALSE(group.cards[0].IsScreenPointInside(1, 1));
}

TEST_F(CardTest, CopiesKeepTheSlotsPlacementUnlessAsked) {
  Card slot, moving;
  CardsSetupCard(&slot, 0, 0, 2, 5, 6, 7);
  CardsSetupCard(&moving, 1, 3, 12, 50, 60, 70);
  moving.rot[2] = 0.25f;

  Card target = slot;
  CardsCopyCard(&target, &moving, false, false);
  EXPECT_EQ(target.suit, 3);
  EXPECT_EQ(target.rank, 12);
  EXPECT_FLOAT_EQ(target.pos[0], 5);
  EXPECT_FLOAT_EQ(target.rot[2], 0);
  CardsCopyCard(&target, &moving, false, true);
  EXPECT_FLOAT_EQ(target.pos[0], 5);
  EXPECT_FLOAT_EQ(target.rot[2], 0.25f);
  CardsCopyCard(&target, &moving, true, false);
  EXPECT_FLOAT_EQ(target.pos[0], 50);

  Card a = slot, b = moving;
  CardsSwapCards(&a, &b, false);
  EXPECT_EQ(a.suit, 3);
  EXPECT_FLOAT_EQ(a.pos[0], 5);  // each slot keeps its place
  EXPECT_EQ(b.suit, 0);
  EXPECT_FLOAT_EQ(b.pos[0], 50);
}

TEST_F(CardTest, SpacingFactorsStayWithinTheVariation) {
  CardsSetSpacingVariation(0, 0);
  Card a, b;
  CardsSetupCard(&a, 1, 0, 1, 0, 0, 0);
  CardsSetupCard(&b, 1, 0, 1, 0, 0, 0);
  EXPECT_EQ(a.hSpacing, 0);
  EXPECT_EQ(b.vSpacing, 0);
  CardsSetSpacingVariation(0.3f, 0.3f);
  for (int i = 0; i < 200; ++i) {
    CardsSetupCard(&a, 1, 0, 1, 0, 0, 0);
    EXPECT_GE(a.hSpacing, 0.7f);
    EXPECT_LE(a.hSpacing, 1.0f / 0.7f + 1e-5f);
  }
}

TEST_F(CardTest, CompactCardRoundTrip) {
  Card card;
  const float pos[3] = {1.5f, -2.5f, 0.25f};
  const float rot[3] = {0.1f, 0.2f, 0.3f};
  const float scale[3] = {1, 2, 1};
  CardsSetupCard(&card, 1, 2, 11, 4, 5, 6);
  card.SetPositionRotationAndScale(pos, rot, scale);
  card.hSpacing = 0.9f;
  card.highlighted = 1;
  card.gameWords[1] = -77;
  CardCompact compact;
  ASSERT_TRUE(card.FillCompactCard(&compact));
  EXPECT_EQ(compact.bytes[0], 2);
  EXPECT_EQ(compact.bytes[1], 11);
  EXPECT_EQ(compact.bytes[88] | (compact.bytes[89] << 8), 2 * 14 + 11);
  Card back;
  ASSERT_TRUE(back.SetupFromCompactCard(&compact));
  EXPECT_EQ(back.suit, 2);
  EXPECT_EQ(back.rank, 11);
  EXPECT_EQ(back.number, card.number);
  EXPECT_FLOAT_EQ(back.pos[1], -2.5f);
  EXPECT_FLOAT_EQ(back.rot[2], 0.3f);
  EXPECT_EQ(back.hasScale, 1);
  EXPECT_FLOAT_EQ(back.hSpacing, 0.9f);
  EXPECT_EQ(back.gameWords[1], -77);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(back.matrix.m[i], card.matrix.m[i], 1e-6);
  EXPECT_FALSE(card.FillCompactCard(nullptr));
  EXPECT_FALSE(back.SetupFromCompactCard(nullptr));
}

}  // namespace
