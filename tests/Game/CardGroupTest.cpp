// CardGroupTest.cpp - card groups: set-up checks, deck filling, gaps and
// layouts, fitting, adding and removing, the follow-up after a drag, copies
// and the stored forms.
#include <cstring>
#include <memory>
#include <vector>

#include "Engine/EngProgram.h"
#include "Game/CardGroup.h"
#include "Game/CardsSettings.h"
#include "tests/Game/GameFixture.h"

namespace {

class CardGroupTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    CardsSetCardSize(6, 9, 0.05f, 0, 0, 0);
  }
  // A column (type 2) of n face-up cards at the origin, gaps 2 (up) / 1 (down).
  void Column(CardGroup& g, int n) {
    ASSERT_TRUE(g.SetupCardGroup({.maxCards = 156, .alignType = 2, .absFaceUpGap = 2, .absFaceDownGap = 1,
                                  .where = 200}));
    for (int i = 0; i < n; ++i) {
      Card c;
      CardsSetupCard(&c, 1, i % 4, i % 13 + 1, 0, 0, 0);
      ASSERT_TRUE(g.AddCardToGroup(&c, false, false, true));
    }
  }
};

TEST_F(CardGroupTest, SetupChecksEverythingBeforeChangingAnything) {
  CardGroup g;
  ASSERT_TRUE(g.SetupCardGroup({.maxCards = 20, .numCards = 3, .x = 5, .y = 6, .z = 7, .where = 600,
                                .secondCode = 2}));
  struct Case { int max, count; bool fill; const char* message; } refused[] = {
      {157, 0, false, "Invalid max cards num [157]"},
      {0, 25, false, "Invalid num cards [25]"},       // above the kept max of 20
      {78, 78, true, "Invalid num cards to fill for deck"},
  };
  for (const Case& c : refused) {
    ClearLog();
    EXPECT_FALSE(g.SetupCardGroup({.maxCards = c.max, .numCards = c.count, .faceUp = 0, .x = 1, .y = 1,
                                   .z = 1, .alignType = 2, .fillAsDeck = c.fill, .where = 201}));
    EXPECT_TRUE(LogContains(c.message)) << c.message;
    EXPECT_EQ(g.maxCards, 20);
    EXPECT_EQ(g.numCards, 3);
    EXPECT_EQ(g.alignType, 1);
    EXPECT_EQ(g.where, 600);
    EXPECT_FLOAT_EQ(g.pos[0], 5);
  }
}

TEST_F(CardGroupTest, FillingAsADeckRepeatsTheFourSuitsInOrder) {
  CardGroup g;
  ASSERT_TRUE(g.SetupCardGroup({.maxCards = 104, .numCards = 104, .faceUp = 0, .fillAsDeck = true, .where = 400}));
  for (int i = 0; i < 104; ++i) {
    EXPECT_EQ(g.cards[i].suit, (i / 13) % 4) << i;
    EXPECT_EQ(g.cards[i].rank, i % 13 + 1) << i;
    EXPECT_EQ(g.cards[i].owner, &g);
  }
  EXPECT_EQ(g.cards[104].owner, nullptr);
}

TEST_F(CardGroupTest, GapsUseTheDefaultsOnlyWhenBothAreSet) {
  CardGroup g;
  // Relative gaps in card heights for a column: the defaults are 0.3 / 0.1.
  ASSERT_TRUE(g.SetupCardGroup({.maxCards = 156, .alignType = 2, .relFaceUpGap = 0.3f, .relFaceDownGap = 0.1f,
                                .where = 200}));
  EXPECT_FLOAT_EQ(g.faceUpGap, 0.3f * 9);
  EXPECT_FLOAT_EQ(g.faceDownGap, 0.1f * 9);
  ASSERT_TRUE(g.UpdateGroupAlignment(0, 0, 5, 0, 4));  // absolute gaps
  EXPECT_FLOAT_EQ(g.faceUpGap, 5);
  ASSERT_TRUE(g.Realign(0));  // nothing given: the defaults again
  EXPECT_FLOAT_EQ(g.faceUpGap, 0.3f * 9);

  CardGroup h;  // one default 0: the stored gaps stay
  ASSERT_TRUE(h.SetupCardGroup({.maxCards = 156, .alignType = 2, .absFaceUpGap = 3, .relFaceDownGap = 0.1f,
                                .where = 200}));
  ASSERT_TRUE(h.Realign(0));
  EXPECT_FLOAT_EQ(h.faceUpGap, 3);

  EXPECT_FALSE(h.UpdateGroupAlignment(0, 0.2f, 1, 0, 0));
  EXPECT_TRUE(LogContains("Specify only one gap parameter"));

  CardGroup fan;  // relative gaps mean nothing to a fan
  ASSERT_TRUE(fan.SetupCardGroup({.maxCards = 20, .alignType = 6, .cardsForSpacing = 5, .relFaceUpGap = 0.5f,
                                  .relFaceDownGap = 0.5f, .where = 300}));
  EXPECT_FLOAT_EQ(fan.faceUpGap, 0);
}

TEST_F(CardGroupTest, ColumnsSqueezeToTheirLimitButNeverBelowATenth) {
  CardGroup g;
  Column(g, 10);  // face-up gap 2: the last card at y = -18
  EXPECT_FLOAT_EQ(g.cards[9].pos[1], -18);
  g.bottomDepth = 12;  // limit = -12 + 9 = -3 below the group
  ASSERT_TRUE(g.Realign(0));
  EXPECT_TRUE(g.hasBottomLimit);
  EXPECT_NEAR(g.cards[9].pos[1], -3, 1e-4);  // the last card sits on the limit
  EXPECT_NEAR(g.cards[1].pos[1], -2 * 3.0f / 18, 1e-4);
  g.bottomDepth = 100;  // room enough: natural spacing
  ASSERT_TRUE(g.Realign(0));
  EXPECT_FLOAT_EQ(g.cards[9].pos[1], -18);
  g.bottomDepth = 9.5f;  // limit -0.5: the factor would be 1/36; it stops at 0.1
  ASSERT_TRUE(g.Realign(0));
  EXPECT_NEAR(g.cards[9].pos[1], -1.8f, 1e-4);
}

TEST_F(CardGroupTest, AddingAndRemovingKeepTheGroupSound) {
  CardGroup g;
  ASSERT_TRUE(g.SetupCardGroup({.maxCards = 2, .where = 100}));
  Card c;
  CardsSetupCard(&c, 1, 0, 1, 0, 0, 0);
  EXPECT_TRUE(g.AddCardToGroup(&c, false, false, true));
  EXPECT_TRUE(g.AddCardToGroup(&c, false, false, true));
  EXPECT_FALSE(g.AddCardToGroup(&c, false, false, true));
  EXPECT_TRUE(LogContains("Too many cards in group"));
  EXPECT_EQ(g.numCards, 2);
  EXPECT_FLOAT_EQ(g.pileHeight, 0.1f);
  EXPECT_TRUE(g.RemoveCardFromEnd());
  EXPECT_EQ(g.cards[1].owner, nullptr);
  EXPECT_TRUE(g.RemoveCardFromEnd());
  EXPECT_FALSE(g.RemoveCardFromEnd());
  EXPECT_TRUE(LogContains("No cards in group"));
}

TEST_F(CardGroupTest, AreaHitTestsByAlignment) {
  CardGroup stack, column, row, fan;
  stack.SetupCardGroup({.maxCards = 10, .where = 10});
  column.SetupCardGroup({.maxCards = 10, .x = 20, .alignType = 2, .absFaceUpGap = 2, .absFaceDownGap = 1,
                         .where = 200});
  row.SetupCardGroup({.maxCards = 10, .x = 40, .alignType = 3, .absFaceUpGap = 1, .absFaceDownGap = 1, .where = 600});
  fan.SetupCardGroup({.maxCards = 10, .x = 60, .alignType = 6, .cardsForSpacing = 3, .where = 300});
  float sx = -1, sy = -1;
  EXPECT_TRUE(stack.IsScreenPointInsideGroupArea(1, 4.5f, 0, 0, &sx, &sy));  // top edge counts
  EXPECT_FLOAT_EQ(sx, 0);
  EXPECT_FALSE(stack.IsScreenPointInsideGroupArea(3, 0, 0, 0, nullptr, nullptr));
  EXPECT_TRUE(column.IsScreenPointInsideGroupArea(21, -500, 7, -40, &sx, &sy));  // no limit
  EXPECT_FLOAT_EQ(sx, 20);
  EXPECT_FLOAT_EQ(sy, -40);
  EXPECT_TRUE(row.IsScreenPointInsideGroupArea(400, 1, 33, 0, &sx, &sy));
  EXPECT_FLOAT_EQ(sx, 33);
  EXPECT_FALSE(fan.IsScreenPointInsideGroupArea(60, 0, 0, 0, nullptr, nullptr));
  EXPECT_TRUE(LogContains("Group alignment 6 not implemented yet"));
}

TEST_F(CardGroupTest, FollowUpNeverOvershootsOnALongFrame) {
  CardGroup g;
  Column(g, 1);  // one card of a 156-card pile: the easing factor is huge
  g.MoveGroupTo(10, 0, 0);  // the card stays where it was in the world
  EXPECT_FLOAT_EQ(g.cards[0].pos[0], -10);
  EngProgramSetFrameTimeForTests(0.5f);
  g.TickFollow();
  EXPECT_NEAR(g.cards[0].pos[0], 0, 1e-4);  // at most all the way, never past it
  g.TickFollow();
  EXPECT_EQ(g.moved, 0);
}

TEST_F(CardGroupTest, CopiesPointTheirCardsAtThemselves) {
  CardGroup g;
  Column(g, 3);
  CardGroup copy = g;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(copy.cards[i].owner, &copy);
  EXPECT_EQ(copy.cards[3].owner, nullptr);
  CardGroup other;
  other = g;
  EXPECT_EQ(other.cards[2].owner, &other);
}

TEST_F(CardGroupTest, CompactGroupRoundTripAndBadCounts) {
  CardGroup g;
  Column(g, 5);
  g.SetOwnBottom(true, -30);
  g.gameWordB = 1234;
  auto compact = std::make_unique<CardGroupCompact>();
  ASSERT_TRUE(g.FillCompactCardGroup(compact.get()));
  EXPECT_EQ(sizeof(CardGroupCompact), 16324u);
  EXPECT_EQ(compact->bytes[24], 5);   // number of cards
  EXPECT_EQ(compact->bytes[26], 156); // max cards
  auto back = std::make_unique<CardGroup>();
  ASSERT_TRUE(back->SetupFromCompactCardGroup(compact.get()));
  EXPECT_EQ(back->numCards, 5);
  EXPECT_EQ(back->gameWordB, 1234);
  EXPECT_FLOAT_EQ(back->ownBottomY, -30);
  EXPECT_EQ(back->cards[4].owner, back.get());
  for (int i = 0; i < 5; ++i) EXPECT_EQ(FixtureCardText(back->cards[i]), FixtureCardText(g.cards[i]));

  struct Case { int offset; uint8_t value; const char* message; } bad[] = {
      {24, 157, "Invalid num cards in compact card group"},
      {26, 157, "Invalid max cards in compact card group"},
      {26, 4, "Invalid num cards in compact card group"},  // fewer places than cards
  };
  for (const Case& c : bad) {
    auto broken = std::make_unique<CardGroupCompact>(*compact);
    broken->bytes[c.offset] = c.value;
    ClearLog();
    EXPECT_FALSE(back->SetupFromCompactCardGroup(broken.get()));
    EXPECT_TRUE(LogContains(c.message));
    EXPECT_EQ(back->numCards, 5);  // nothing changed
    EXPECT_EQ(back->maxCards, 156);
  }
}

TEST_F(CardGroupTest, ImageRoundTripLeavesNoLinks) {
  CardGroup g;
  Column(g, 4);
  std::vector<uint8_t> image(kCardGroupImageSize, 0xEE);
  CardGroupWriteImage(g, image.data());
  uint32_t texture = 0, owner = 0;
  std::memcpy(&texture, &image[192], 4);
  std::memcpy(&owner, &image[196], 4);
  EXPECT_EQ(texture, 0u);
  EXPECT_EQ(owner, 0u);
  auto back = std::make_unique<CardGroup>();
  ASSERT_TRUE(CardGroupReadImage(*back, image.data()));
  EXPECT_EQ(back->numCards, 4);
  EXPECT_EQ(back->cards[3].owner, back.get());
  EXPECT_FLOAT_EQ(back->cards[3].pos[1], g.cards[3].pos[1]);
  image[4] = 157;
  EXPECT_FALSE(CardGroupReadImage(*back, image.data()));
  EXPECT_EQ(back->numCards, 4);
}

}  // namespace
