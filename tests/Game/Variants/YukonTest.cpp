// YukonTest.cpp - the Yukon family: its rows in the shared suites, moving
// any face-up card with what lies on it, and a position played to the win.
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameYukon, .faceMode = 3, .foundations = 4, .tableaus = 7,
     .rules = "pick f0 t0 / drop f10 t1 / space t17", .slots = "0 3 4", .tableauMarker = 13,
     .faces = "T: u du5 d2u5 d3u5 d4u5 d5u5 d6u5", .deepest = "T: d6u18", .insideFrame = true},
    {.game = kGameDoubleYukon, .deckSize = 104, .dealt = 104, .faceMode = 3, .speed = 2.0f,
     .foundations = 8, .tableaus = 10, .rules = "pick f0 t0 / drop f10 t1 / space t17",
     .slots = "0 3 4", .tableauMarker = 13,
     .faces = "T: u5 du6 d2u6 d3u6 d4u6 d5u6 d6u6 d7u6 d8u6 d9u6", .deepest = "T: d9u20", .insideFrame = true},
    {.game = kGameRussianCardolia, .faceMode = 3, .foundations = 4, .tableaus = 7,
     .rules = "pick f0 t0 / drop f10 t2 / space t17", .slots = "0 3 4", .tableauMarker = 13,
     .faces = "T: u du5 d2u5 d3u5 d4u5 d5u5 d6u5", .deepest = "T: d6u18", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(Yukon, kRows);

class YukonTest : public VariantTest {};

// Any face-up card moves with everything on it, in or out of sequence; the
// card it lands on decides (other colour in Yukon, the same suit in Russian
// Cardolia).
TEST_F(YukonTest, AnyFaceUpCardMovesWithWhatLiesOnIt) {
  struct Case {
    int game;
    const char* target;
    bool moves;
  };
  const Case cases[] = {{kGameYukon, "8c*", true},         {kGameYukon, "8d*", false},
                        {kGameRussianCardolia, "8h*", true}, {kGameRussianCardolia, "8c*", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(GenGameTable[c.game].name);
    ASSERT_TRUE(VariantTable(c.game, std::string("T0: 5s 7h* 2c* Kd*; T1: ") + c.target));
    VariantMove(kWhereTableau, 1, kWhereTableau + 1);
    EXPECT_EQ(g_GenLive.tableaus[1].numCards, c.moves ? 4 : 1);
    // The face-down card left on top is turned over.
    EXPECT_EQ(FixturePile(kWhereTableau), c.moves ? "5s*" : "5s 7h* 2c* Kd*");
  }
}

TEST_F(YukonTest, NearWonPositionEndsInOneWin) {
  ASSERT_TRUE(VariantTable(kGameDoubleYukon, VariantFoundationsUpTo(8, 12) +
                                                 "T0: Ks* Kh*; T3: Kd*; T5: Kc* Kd* Ks* Kh* Kc*"));
  VariantMove(kWhereTableau, -1, kWhereFoundation);
  VariantMove(kWhereTableau, -1, kWhereFoundation + 1);
  VariantMove(kWhereTableau + 3, -1, kWhereFoundation + 2);
  for (int f = 3; f < 8; ++f) {
    EXPECT_FALSE(g_GenLive.gameOver);
    VariantMove(kWhereTableau + 5, -1, kWhereFoundation + f);
  }
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
