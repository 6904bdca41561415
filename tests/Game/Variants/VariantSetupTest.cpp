// VariantSetupTest.cpp - every game's set-up against its row, and its deals:
// the same number deals the same table, every card of the deck in play,
// the dealt faces, at most one card in a cell.
#include <cmath>
#include <string>

#include "Game/Gen.h"
#include "Game/GenRecord.h"
#include "Game/GenVariant.h"
#include "Game/SolCards.h"
#include "tests/Game/Variants/VariantTest.h"

namespace {

// A few deal numbers, the first and the largest among them.
constexpr unsigned kDeals[] = {1, 2, 77, 4000000000u};

TEST_P(VariantSetupTest, MatchesItsRow) {
  const VariantRow& row = GetParam();
  GenSetCurGame(row.game);
  ClearLog();
  ASSERT_TRUE(GenInit());
  const Gen& g = g_GenLive;
  for (const std::string& line : LogLines()) ADD_FAILURE() << "the set-up logged: " << line;
  EXPECT_EQ(g.deckSize, row.deckSize);
  EXPECT_EQ(g.deck.numCards, row.deckSize);
  EXPECT_EQ(g.dealGroup.numCards, row.dealt);
  EXPECT_EQ(g.dealFaceMode, row.faceMode);
  EXPECT_FLOAT_EQ(g.dealSpeed, row.speed);
  EXPECT_EQ(g.numFoundations, row.foundations);
  EXPECT_EQ(g.numCells, row.cells);
  EXPECT_EQ(g.numTableaus, row.tableaus);
  EXPECT_EQ(g.numFans, row.fans);
  EXPECT_EQ(g.numReserves, row.reserves);
  uint8_t rules[kGenNumRules];
  ASSERT_TRUE(VariantParseRules(row.rules, rules)) << row.rules;
  for (int i = 0; i < kGenNumRules; ++i) EXPECT_EQ(g.rules[i], rules[i]) << "rule byte " << i;
  EXPECT_EQ(g.lowestRank, row.baseRank);
  EXPECT_EQ(VariantFilledSlots(), row.slots);
  EXPECT_EQ(g.emptySpacePicture, row.deckMarker);
  EXPECT_EQ(SolCardsGetSpaceCustomPic(), row.deckMarker);
  EXPECT_EQ(GenGetRedealCounter(), row.redealCounter);
  int tableauMarker = 0, fanMarker = 0;
  SolCardsGetSpaceRankOptions(&tableauMarker, &fanMarker);
  EXPECT_EQ(tableauMarker, row.tableauMarker);
  EXPECT_EQ(fanMarker, row.fanMarker);
  EXPECT_EQ(g.deckInUse != 0, row.deckInUse);
  EXPECT_EQ(g.wasteInUse != 0, row.wasteInUse);
  EXPECT_TRUE(GenCheckOk());
}

// The rules text names the piles the set-up makes: a title that counts
// foundations, tableau columns, cells or fans gives the count the game
// plays with.
TEST_P(VariantSetupTest, RulesTextCountsThePilesOfTheSetUp) {
  const VariantRow& row = GetParam();
  GenSetCurGame(row.game);
  ASSERT_TRUE(GenInit());
  const Gen& g = g_GenLive;
  struct Title {
    const char* key;
    int count;
  };
  const Title titles[] = {{"RuleTitle_NFoundationPiles", g.numFoundations},
                          {"RuleTitle_1FoundationPile", g.numFoundations == 1 ? 0 : -1},
                          {"RuleTitle_NTableauCols", g.numTableaus},
                          {"RuleTitle_NCells", g.numCells},
                          {"RuleTitle_NFans", g.numFans},
                          {"RuleTitle_NFanRows", g.numFans}};
  for (const GameRule& rule : GenRulesTextTable[row.game].rules) {
    for (const Title& title : titles) {
      if (std::string(rule.title) == title.key) {
        EXPECT_EQ(rule.count, title.count) << title.key;
      }
    }
  }
}

TEST_P(VariantDealTest, SameNumberSameTableEveryCardItsFaces) {
  const VariantRow& row = GetParam();
  int expected[4][14] = {};
  if (row.kinds) {
    row.kinds(expected);
  } else {
    for (int s = 0; s < 4; ++s) {
      for (int r = 1; r <= 13; ++r) expected[s][r] = row.deckSize / 52;
    }
  }
  for (unsigned deal : kDeals) {
    SCOPED_TRACE("deal " + std::to_string(deal));
    VariantDeal(row.game, deal);
    const Gen& g = g_GenLive;
    ASSERT_TRUE(g.ready);
    const std::string first = FixtureDescribeGame();
    int counts[4][14];
    VariantCountKinds(counts);
    if (row.kindsCheck) {
      EXPECT_EQ(row.kindsCheck(counts), "");
    } else {
      for (int s = 0; s < 4; ++s) {
        for (int r = 1; r <= 13; ++r) EXPECT_EQ(counts[s][r], expected[s][r]) << "suit " << s << " rank " << r;
      }
    }
    EXPECT_EQ(FixtureCountAllCards(), row.deckSize);
    EXPECT_EQ(g.dealGroup.numCards, 0);
    for (int c = 0; c < g.numCells; ++c) EXPECT_LE(g.cells[c].numCards, 1) << "cell " << c;
    EXPECT_TRUE(GenCheckOk());
    const std::string faces = VariantCheckFaces(row.faces);
    EXPECT_EQ(faces, "") << first;

    VariantDeal(row.game, deal);
    EXPECT_EQ(FixtureDescribeGame(), first) << "the same number deals the same table";
  }
  VariantDeal(row.game, kDeals[0]);
  const std::string one = FixtureDescribeGame();
  VariantDeal(row.game, kDeals[1]);
  EXPECT_NE(FixtureDescribeGame(), one) << "another number deals another table";
}

}  // namespace
