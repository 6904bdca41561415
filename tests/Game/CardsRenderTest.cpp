// Card drawing on the recording device: the pile rule by count and top
// card's turn, faces drawn only for card numbers that name a loaded slot,
// blending around ".tga" faces only, picture names, the markers by pile
// code and the empty-space ranks.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/EngTexture.h"
#include "Engine/EngTga.h"
#include "Game/Card.h"
#include "Game/CardGroup.h"
#include "Game/CardsRender.h"
#include "Game/CardsSettings.h"
#include "Game/GenGameTable.h"
#include "Game/GenPiles.h"
#include "Game/SolCards.h"
#include "tests/Support/GraphicsTestSupport.h"

namespace {

class CardsRenderTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    Start(640, 480);
    std::vector<std::uint32_t> pixels(16 * 16, 0xFFFFFFFFu);
    ASSERT_TRUE(EngTgaWriteFileFromPixels("face.tga", 16, 16, pixels.data()));
    for (int n : {1, 2, 13}) ASSERT_TRUE(CardsGetFaceTexture(n)->LoadFromFile("face.tga", 1, 7));
    ASSERT_TRUE(CardsGetBackTexture()->LoadFromFile("face.tga", 1, 7));
    CardsResetDrawCountsForTests();
  }
  void TearDown() override {
    CardsFreeGraphics();
    GraphicsTest::TearDown();
  }
  // A stack of n aces of hearts (face up), the top card turned when asked.
  static void Stack(CardGroup* g, int n, bool topTurned) {
    g->SetupCardGroup({.maxCards = 10, .where = kWhereDeck});
    Card c;
    CardsSetupCard(&c, 1, 0, 1, 0, 0, 0);
    for (int i = 0; i < n; ++i) g->AddCardToGroup(&c, false, false, true);
    if (topTurned) g->cards[n - 1].rot[2] = 0.1f;
  }
};

TEST_F(CardsRenderTest, AStackDrawsItsSideAndAtMostItsTwoTopCards) {
  const struct {
    int count;
    bool turned;
    int faces, markers;
  } cases[] = {{0, false, 0, 1}, {1, false, 1, 0}, {2, true, 2, 0}, {2, false, 1, 0},
               {5, false, 1, 0}, {5, true, 2, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count * 10 + c.turned);
    CardGroup g;
    Stack(&g, c.count, c.turned);
    EngTexture marker;
    ASSERT_TRUE(marker.LoadFromFile("face.tga", 1, 7));
    g.emptyTexture = &marker;
    g.drawEmptySpace = 1;
    CardsResetDrawCountsForTests();
    CardsRenderGroup(&g);
    EXPECT_EQ(CardsGetDrawCountsForTests().faces, c.faces);
    EXPECT_EQ(CardsGetDrawCountsForTests().markers, c.markers);
    g.emptyTexture = nullptr;
  }
}

TEST_F(CardsRenderTest, OnlyCardNumbersOfALoadedSlotDrawAFace) {
  const struct {
    int number;
    int faces;
  } cases[] = {{1, 1}, {13, 1}, {3, 0}, {0, 0}, {-1, 0}, {-20, 0}, {56, 0}, {99, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    Card card;
    CardsSetupCard(&card, 1, 0, 1, 0, 0, 0);
    card.number = c.number;
    CardsResetDrawCountsForTests();
    CardsRenderCard(nullptr, 0, &card);
    EXPECT_EQ(CardsGetDrawCountsForTests().faces, c.faces);
  }
}

TEST_F(CardsRenderTest, BlendingWrapsTgaFacesOnly) {
  bool on = true;
  CardsBeginBlending();
  Device()->GetBlendingState(&on, nullptr, nullptr);
  EXPECT_EQ(on, CardsIsTextureExtTga());
  CardsEndBlending();
  CardsSetTextureExtToTga();
  CardsBeginBlending();
  Device()->GetBlendingState(&on, nullptr, nullptr);
  EXPECT_TRUE(on);
  CardsEndBlending();
  Device()->GetBlendingState(&on, nullptr, nullptr);
  EXPECT_FALSE(on);
}

TEST_F(CardsRenderTest, PictureNames) {
  const struct {
    int suit, rank;
    const char* name;
    bool ok;
  } cases[] = {{0, 14, "ah", true}, {0, 1, "ah", true}, {3, 10, "tc", true}, {1, 12, "qs", true},
               {2, 13, "kd", true}, {0, 0, "ba", true}, {0, -1, "ds", true}, {4, 3, "3?", false},
               {1, 15, "?s", false}};
  for (const auto& c : cases) {
    char name[3];
    EXPECT_EQ(CardsGetCardFacePicName(c.suit, c.rank, name), c.ok);
    EXPECT_STREQ(name, c.name);
  }
}

TEST_F(CardsRenderTest, EachPileGetsTheMarkerOfItsKind) {
  const struct {
    int game, where, max;
    int marker;  // the kind of the marker, or -1 for none
  } cases[] = {{kGameKlondike, 10, 13, 10},         {kGameKlondike, 21, 13, 10},
               {kGameBuffaloBill, 14, 13, 11},      {kGameRougeEtNoir, 13, 13, 10},
               {kGameRougeEtNoir, 17, 13, 11},      {kGameKlondike, 105, 1, 100},
               {kGameKlondike, 251, 20, 200},       {kGameKlondike, 300, 20, 300},
               {kGameKlondike, 400, 52, 400},       {kGameKlondike, 500, 52, 500},
               {kGameKlondike, 627, 20, 600},       {kGameKlondike, 800, 52, -1},
               {kGameKlondike, 801, 52, -1},        {kGameKlondike, 10, 0, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.where);
    GenSetCurGame(c.game);
    CardGroup g;
    g.where = c.where;
    g.maxCards = c.max;
    SolCardsSetupCardGroupModelsAndTextures(&g);
    EXPECT_EQ(g.emptyTexture, c.marker < 0 ? nullptr : SolCardsGetMarker(c.marker));
  }
  CardGroup odd;
  odd.where = 700;
  odd.maxCards = 5;
  SolCardsSetupCardGroupModelsAndTextures(&odd);
  EXPECT_TRUE(LogContains("Unexpected group 700"));
}

TEST_F(CardsRenderTest, EmptySpaceRanksByTheChoiceAndTheBaseRank) {
  const struct {
    int option, base, rank;
  } cases[] = {{0, 1, 0}, {-1, 1, 13}, {-1, 5, 4}, {-1, 14, 13}, {7, 1, 7}, {13, 3, 13}};
  for (const auto& c : cases) EXPECT_EQ(SolCardsSpaceRankFor(c.option, c.base), c.rank);
  EXPECT_FALSE(SolCardsDoSetSpaceRank(3, 401));
  EXPECT_TRUE(LogContains("Unsupported type: 401"));
}

}  // namespace
