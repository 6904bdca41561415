// LaBelleLucieTest.cpp - La Belle Lucie, Fan, Intelligence and Shamrocks:
// their rows in the shared suites, the deals, the redeal (which keeps the
// deal number), the fans' rules, Intelligence's refills, and positions
// played to the win.
#include <string>

#include "Game/Gen.h"
#include "Game/GenCallbacks.h"
#include "Game/GenDeal.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenVariant.h"
#include "Game/SolCards.h"
#include "Game/UserOptions.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

const VariantRow kRows[] = {
    {.game = kGameLaBelleLucie, .foundations = 4, .fans = 18,
     .rules = "pick n8 / drop f10 n2 / space n19", .slots = "0 3 4", .deckMarker = 1,
     .redealCounter = 2, .deckInUse = true, .faces = "N: u3*16 u2*2",
     .deepest = "N: u16; F: u13; D: d30", .insideFrame = true},
    {.game = kGameFan, .foundations = 4, .fans = 18, .rules = "pick n8 / drop f10 n2 / space n17",
     .slots = "0 3 4", .fanMarker = 13, .faces = "N: u3*16 u2*2", .deepest = "N: u16; F: u13",
     .insideFrame = true},
    {.game = kGameIntelligence, .deckSize = 104, .dealt = 62, .speed = 1.5f, .foundations = 8,
     .fans = 18, .rules = "pick n8 / drop f10 n4 / space n19", .slots = "0 3 4", .deckMarker = 1,
     .redealCounter = 2, .deckInUse = true, .faces = "N: u3*18; F: u~*8; D: d~",
     .deepest = "N: u16; F: u13; D: d50", .insideFrame = true},
    {.game = kGameShamrocks, .foundations = 4, .fans = 18, .rules = "pick n8 / drop f10 n7 / space n19",
     .slots = "0 3 4", .faces = "N: u3*17 u", .deepest = "N: u3; F: u13", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(LaBelleLucie, kRows);

class LaBelleLucieTest : public VariantTest {};

const char* const kRanks = "A23456789TJQK";
const char* const kSuits = "hsdc";

// Intelligence cuts its deal after the 54th card that is not an ace (with
// any aces right under it): a deal whose top 60 cards hold six aces deals
// 60 cards, six of them aces to the first six foundations.
TEST_F(LaBelleLucieTest, IntelligenceDealsToThe54thCardThatIsNotAnAce) {
  GenSetCurGame(kGameIntelligence);
  int found = 0;
  for (unsigned deal = 1; deal < 400 && found < 2; ++deal) {
    ASSERT_TRUE(GenInit());
    Gen& g = g_GenLive;
    g.dealNumber = deal;
    GenSetupAndShuffleDeck();
    auto card = [](int k) { return g_GenLive.deck.cards[g_GenLive.deck.numCards - 1 - k]; };
    int aces = 0;
    for (int k = 0; k < 60; ++k) aces += card(k).rank == 1 ? 1 : 0;
    if (aces != 6 || card(59).rank == 1) continue;
    int following = 0;
    while (card(60 + following).rank == 1) ++following;
    ++found;
    SCOPED_TRACE("deal " + std::to_string(deal));
    ASSERT_TRUE(GenGetCallbacks().deal(0, 0));
    EXPECT_EQ(g.dealGroup.numCards, 60 + following);
    int toFoundations = 0, fanCard = 0;
    for (int k = 0; k < g.dealGroup.numCards; ++k) {
      if (card(k).rank == 1) {
        EXPECT_EQ(g.dealPlan[k], kWhereFoundation + toFoundations++) << "card " << k;
      } else {
        EXPECT_EQ(g.dealPlan[k], kWhereFan + fanCard++ % 18) << "card " << k;
      }
    }
  }
  EXPECT_EQ(found, 2) << "no such deal among the first numbers";
}

// A redeal gathers the fans, shuffles with a number drawn from the deal
// number and the redeals left, and deals again: the deal number stays, the
// same deal redeals the same way, and the stock shows no more redeals after
// the second.
TEST_F(LaBelleLucieTest, RedealKeepsTheDealNumberAndRepeats) {
  for (int game : {kGameLaBelleLucie, kGameIntelligence}) {
    SCOPED_TRACE(GenGameTable[game].name);
    std::string redealt[2];
    for (int run = 0; run < 2; ++run) {
      VariantDeal(game, 31);
      Gen& g = g_GenLive;
      const std::string dealt = FixtureDescribeGame();
      FixtureClick(kWhereDeck, -1, 0);
      VariantSettle();
      EXPECT_EQ(g.dealNumber, 31u);
      EXPECT_EQ(GenGetRedealCounter(), 1);
      EXPECT_NE(FixtureDescribeGame(), dealt);
      EXPECT_EQ(FixtureCountAllCards(), g.deckSize);
      EXPECT_EQ(g.dealGroup.numCards, 0);
      redealt[run] = FixtureDescribeGame();
      FixtureClick(kWhereDeck, -1, 0);
      VariantSettle();
      EXPECT_EQ(GenGetRedealCounter(), 0);
      EXPECT_EQ(SolCardsGetSpaceCustomPic(), 2) << "no more redeals";
      const std::string last = FixtureDescribeGame();
      FixtureClick(kWhereDeck, -1, 0);
      VariantSettle();
      EXPECT_EQ(FixtureDescribeGame(), last) << "a third click does nothing";
    }
    EXPECT_EQ(redealt[0], redealt[1]);
  }
}

// Fans: La Belle Lucie builds down in suit, Shamrocks up or down in any
// suit to at most three cards, Intelligence up or down in suit; only Fan
// fills an empty fan, with a king.
TEST_F(LaBelleLucieTest, FansBuildAsEachGameSays) {
  struct FanCase {
    int game;
    const char* piles;
    int toAfter;
  };
  const FanCase cases[] = {
      {kGameLaBelleLucie, "N0: 9h*; N1: 8h*", 2},
      {kGameLaBelleLucie, "N0: 9h*; N1: 8s*", 1},
      {kGameLaBelleLucie, "N0: ; N1: Kh*", 0},
      {kGameFan, "N0: ; N1: Kh*", 1},
      {kGameFan, "N0: ; N1: Qh*", 0},
      {kGameShamrocks, "N0: 9h*; N1: Ts*", 2},
      {kGameShamrocks, "N0: 2c* 9h*; N1: 8s*", 3},
      {kGameShamrocks, "N0: 2c* 3c* 9h*; N1: 8s*", 3},
      {kGameIntelligence, "N0: 9h*; N1: Th*", 2},
      {kGameIntelligence, "N0: 9h*; N1: 8c*", 1},
  };
  for (const FanCase& c : cases) {
    SCOPED_TRACE(std::string(GenGameTable[c.game].name) + ": " + c.piles);
    ASSERT_TRUE(VariantTable(c.game, c.piles));
    FixtureDrag(kWhereFan + 1, 0, kWhereFan);
    EXPECT_EQ(g_GenLive.fans[0].numCards, c.toAfter);
  }
}

// Intelligence refills every empty fan, the first first, with three stock
// cards while the stock lasts.
TEST_F(LaBelleLucieTest, IntelligenceRefillsAnEmptyFan) {
  ASSERT_TRUE(VariantTable(kGameIntelligence, "F0: Ah*; N0: 2h*; N1: 5c*; D: 3s 4s 5s 6s"));
  FixtureDrag(kWhereFan, 0, kWhereFoundation);
  VariantSettle();
  EXPECT_EQ(FixturePile(kWhereFan), "6s* 5s* 4s*");
  EXPECT_EQ(FixturePile(kWhereFan + 1), "5c*");
  EXPECT_EQ(FixturePile(kWhereFan + 2), "3s*");
  EXPECT_EQ(g_GenLive.deck.numCards, 0);
}

// The four games are won by the standard autoplay step when the last
// foundation fills, whatever the player's autoplay setting.
TEST_F(LaBelleLucieTest, NearWonPositionsEndInOneWin) {
  for (int game : {kGameLaBelleLucie, kGameFan, kGameIntelligence, kGameShamrocks}) {
    SCOPED_TRACE(GenGameTable[game].name);
    StatsResetForTests();
    g_UserOptions.autoplayMode[game] = 0;
    const int foundations = game == kGameIntelligence ? 8 : 4;
    std::string piles;
    for (int f = 0; f < foundations; ++f) {
      piles += "F" + std::to_string(f) + ":";
      for (int r = 0; r < (f == foundations - 1 ? 12 : 13); ++r) {
        piles += std::string(" ") + kRanks[r] + kSuits[f % 4] + "*";
      }
      piles += "; ";
    }
    piles += "N7: Kc*";
    ASSERT_TRUE(VariantTable(game, piles));
    FixtureDrag(kWhereFan + 7, 0, kWhereFoundation + foundations - 1);
    VariantSettle();
    EXPECT_TRUE(g_GenLive.gameOver);
    EXPECT_EQ(StatsGetAddedForTests(true), 1);
  }
}

}  // namespace
