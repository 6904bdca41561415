// SpiderTest.cpp - the Spider family with Scorpion and Rouge et Noir: their
// rows in the shared suites, the decks of fewer suits, complete suits
// leaving the table, the stock deal, Rouge et Noir's foundations, and
// positions played to the win.
#include <string>

#include "Game/Gen.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSelection.h"
#include "Game/GenVariant.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

// The counts of a deal whose suits follow the deal number: exactly `suits`
// suits, each rank of a suit as often as its ace, 13 x decks x 4 cards in
// all; with three suits the blocks spread as evenly as they can, with two
// suits they are a red and a black suit of equal size (hearts with spades
// or diamonds with clubs).
std::string CheckSuits(const int counts[4][14], int suits, int decks) {
  int blocks[4] = {};
  int present = 0, total = 0;
  for (int s = 0; s < 4; ++s) {
    for (int r = 1; r <= 13; ++r) {
      if (counts[s][r] != counts[s][1]) return "suit " + std::to_string(s) + " has uneven ranks";
      total += counts[s][r];
    }
    blocks[s] = counts[s][1];
    if (blocks[s] > 0) ++present;
  }
  if (present != suits) return std::to_string(present) + " suits in play";
  if (total != 52 * decks) return std::to_string(total) + " cards";
  int most = 0, least = 1000;
  for (int b : blocks) {
    if (b == 0) continue;
    most = std::max(most, b);
    least = std::min(least, b);
  }
  if (most - least > 1) return "the suits are not spread evenly";
  if (suits == 2 && !((blocks[0] && blocks[1]) || (blocks[2] && blocks[3]))) {
    return "not a red and a black suit of one pair";
  }
  return "";
}
std::string ThreeSuitsTwoDecks(const int c[4][14]) { return CheckSuits(c, 3, 2); }
std::string TwoSuitsTwoDecks(const int c[4][14]) { return CheckSuits(c, 2, 2); }
std::string OneSuitTwoDecks(const int c[4][14]) { return CheckSuits(c, 1, 2); }
std::string ThreeSuitsOneDeck(const int c[4][14]) { return CheckSuits(c, 3, 1); }
std::string TwoSuitsOneDeck(const int c[4][14]) { return CheckSuits(c, 2, 1); }
std::string OneSuitOneDeck(const int c[4][14]) { return CheckSuits(c, 1, 1); }

constexpr const char* kSpiderRules = "pick t2 f16 / drop t6 f16 / space t0";
constexpr const char* kSpiderFaces = "T: d5u*4 d4u*6; D: d50";
constexpr const char* kSpiderDeepest = "T: d5u24; F: u13";
constexpr const char* kSpideretteFaces = "T: u du d2u d3u d4u d5u d6u; D: d24";
constexpr const char* kSpideretteDeepest = "T: d6u20; F: u13";

constexpr VariantRow Spider(int game, std::string (*check)(const int[4][14])) {
  return {.game = game, .deckSize = 104, .dealt = 54, .faceMode = 2, .foundations = 8,
          .tableaus = 10, .rules = kSpiderRules, .slots = "0 3 4", .deckInUse = true,
          .faces = kSpiderFaces, .deepest = kSpiderDeepest,
          .insideFrame = true, .kindsCheck = check};
}

constexpr VariantRow Spiderette(int game, std::string (*check)(const int[4][14])) {
  return {.game = game, .dealt = 28, .faceMode = 3, .foundations = 4, .tableaus = 7,
          .rules = kSpiderRules, .slots = "0 3 4", .deckInUse = true, .faces = kSpideretteFaces,
          .deepest = kSpideretteDeepest, .insideFrame = true, .kindsCheck = check};
}

const VariantRow kRows[] = {
    Spider(kGameSpider, nullptr),
    Spider(kGameSpider3Suits, ThreeSuitsTwoDecks),
    Spider(kGameSpider2Suits, TwoSuitsTwoDecks),
    Spider(kGameSpider1Suit, OneSuitTwoDecks),
    {.game = kGameSpiderTripleDeck, .deckSize = 156, .dealt = 54, .faceMode = 2,
     .foundations = 12, .tableaus = 12, .rules = kSpiderRules, .slots = "0 3 4", .deckInUse = true,
     .faces = "T: d4u*6 d3u*6; D: d102", .deepest = "T: d4u24; F: u13", .insideFrame = true},
    Spiderette(kGameSpiderette, nullptr),
    Spiderette(kGameSpiderette3Suits, ThreeSuitsOneDeck),
    Spiderette(kGameSpiderette2Suits, TwoSuitsOneDeck),
    Spiderette(kGameSpiderette1Suit, OneSuitOneDeck),
    {.game = kGameScorpion, .dealt = 49, .foundations = 4, .tableaus = 7,
     .rules = "pick f16 / drop t2 f16 / space t17", .slots = "0 3 4", .tableauMarker = 13,
     .deckInUse = true, .faces = "T: d3u4*4 u7*3; D: d3", .deepest = "T: d3u30; F: u13",
     .insideFrame = true},
    {.game = kGameRougeEtNoir, .deckSize = 104, .dealt = 37, .speed = 1.5f, .foundations = 8,
     .tableaus = 10, .rules = "pick t1 / drop t1 f14 / space t17", .slots = "0 3 4 5",
     .tableauMarker = 13, .deckInUse = true,
     .faces = "T: d7u d6u d5u d4u d3u d2u du u u 0; D: d67", .deepest = "T: d7u24; F: u13",
     .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(Spider, kRows);

class SpiderTest : public VariantTest {};

// The cards of one suit from the king down to a rank, face up ("Ks* Qs* ...").
std::string SuitDown(char suit, int lowest) {
  const char* ranks = "A23456789TJQK";
  std::string text;
  for (int r = 13; r >= lowest; --r) text += std::string(" ") + ranks[r - 1] + suit + "*";
  return text;
}

// A complete suit on face-down cards leaves the pile as exactly 13 cards,
// and the card it uncovers is turned over.
TEST_F(SpiderTest, CompleteSuitLeavesAndUncoversTheCardBelow) {
  ASSERT_TRUE(VariantTable(kGameSpider, "T0: 4h 9c" + SuitDown('s', 2) + "; T1: 5d* As*"));
  FixtureDrag(kWhereTableau + 1, 1, kWhereTableau);
  VariantSettle();
  EXPECT_EQ(FixturePile(kWhereTableau), "4h 9c*");
  EXPECT_EQ(g_GenLive.foundations[0].numCards, 13);
  EXPECT_EQ(FixturePile(kWhereTableau + 1), "5d*");
  EXPECT_FALSE(g_GenLive.gameOver);
}

// Runs move together only when built in one suit; a space takes any card.
TEST_F(SpiderTest, OnlyRunsInOneSuitMoveTogether) {
  ASSERT_TRUE(VariantTable(kGameSpider, "T0: 9h* 8h* 7s*; T1: 8d*; T2: Qc* Jc*; T3: "));
  FixtureDrag(kWhereTableau, 1, kWhereTableau + 1);
  EXPECT_EQ(g_GenLive.tableaus[0].numCards, 3) << "8h 7s is no run in suit";
  FixtureDrag(kWhereTableau, 2, kWhereTableau + 1);
  EXPECT_EQ(FixturePile(kWhereTableau + 1), "8d* 7s*") << "a card on any suit one higher";
  FixtureDrag(kWhereTableau + 2, 0, kWhereTableau + 3);
  EXPECT_EQ(FixturePile(kWhereTableau + 3), "Qc* Jc*") << "a run into a space";
}

// The Spider games deal from the stock only while no pile is empty (their
// rules text says so); Rouge et Noir deals onto its spaces too, and
// Scorpion's three stock cards go to piles 1 to 3.
TEST_F(SpiderTest, StockDealsOnlyWithEveryPileFilledInTheSpiderGames) {
  struct StockCase {
    int game;
    bool dealsWithASpace;
    int pilesDealtTo;
  };
  const StockCase cases[] = {{kGameSpider, false, 10},   {kGameSpider1Suit, false, 10},
                             {kGameSpiderette, false, 7}, {kGameSpiderTripleDeck, false, 12},
                             {kGameRougeEtNoir, true, 10}, {kGameScorpion, true, 3}};
  for (const StockCase& c : cases) {
    SCOPED_TRACE(GenGameTable[c.game].name);
    VariantDeal(c.game, 7);
    Gen& g = g_GenLive;
    // Empty the last pile into the first by hand (cards are conserved).
    CardGroup& last = g.tableaus[g.numTableaus - 1];
    while (last.numCards > 0) {
      g.tableaus[0].AddCardToGroup(&last.cards[last.numCards - 1], false, false, false);
      last.RemoveCardFromEnd();
    }
    const int stock = g.deck.numCards;
    int before[kGenMaxTableaus];
    for (int t = 0; t < g.numTableaus; ++t) before[t] = g.tableaus[t].numCards;
    FixtureClick(kWhereDeck, -1, 0);
    VariantSettle();
    EXPECT_EQ(g.deck.numCards, c.dealsWithASpace ? stock - c.pilesDealtTo : stock);
    if (c.dealsWithASpace) {
      for (int t = 0; t < g.numTableaus; ++t) {
        EXPECT_EQ(g.tableaus[t].numCards, before[t] + (t < c.pilesDealtTo ? 1 : 0)) << "pile " << t;
      }
      continue;
    }
    // With the space filled the stock deals one card face up to every pile.
    last.AddCardToGroup(&g.tableaus[0].cards[g.tableaus[0].numCards - 1], false, false, false);
    g.tableaus[0].RemoveCardFromEnd();
    for (int t = 0; t < g.numTableaus; ++t) before[t] = g.tableaus[t].numCards;
    FixtureClick(kWhereDeck, -1, 0);
    VariantSettle();
    EXPECT_EQ(g.deck.numCards, stock - c.pilesDealtTo);
    for (int t = 0; t < g.numTableaus; ++t) {
      EXPECT_EQ(g.tableaus[t].numCards, before[t] + 1) << "pile " << t;
      EXPECT_TRUE(g.tableaus[t].cards[g.tableaus[t].numCards - 1].faceUp) << "pile " << t;
    }
  }
}

// The foundations only store finished suits: the send-to-foundation key
// puts no card there.
TEST_F(SpiderTest, NoCardIsSentOntoTheStoreOfFinishedSuits) {
  ASSERT_TRUE(VariantTable(kGameSpider, "F0:" + SuitDown('h', 1) + "; T0: 2h*"));
  float x, y;
  FixtureCardPlace(kWhereTableau, 0, &x, &y);
  GenSetPointerTablePoint(x, y);
  EXPECT_EQ(GenSendClickedCardToFoundation(), 0);
  EXPECT_EQ(g_GenLive.foundations[0].numCards, 13);
}

// With every suit but one home, the last one, completed by a drag, wins the
// game; the win is counted once. Every game of the family and Scorpion.
TEST_F(SpiderTest, NearWonGamesEndInOneWin) {
  const int games[] = {kGameSpider,      kGameSpider3Suits,     kGameSpider2Suits,
                       kGameSpider1Suit, kGameSpiderTripleDeck, kGameSpiderette,
                       kGameSpiderette3Suits, kGameSpiderette2Suits, kGameSpiderette1Suit,
                       kGameScorpion};
  for (int game : games) {
    SCOPED_TRACE(GenGameTable[game].name);
    StatsResetForTests();
    GenSetCurGame(game);
    ASSERT_TRUE(GenInit());
    const int foundations = g_GenLive.numFoundations;
    std::string piles;
    for (int f = 0; f < foundations - 1; ++f) {
      piles += "F" + std::to_string(f) + ":" + SuitDown("hsdc"[f % 4], 1) + "; ";
    }
    piles += "T0:" + SuitDown('c', 2) + "; T1: Ac*";
    ASSERT_TRUE(VariantTable(game, piles));
    FixtureDrag(kWhereTableau + 1, 0, kWhereTableau);
    VariantSettle();
    EXPECT_TRUE(g_GenLive.gameOver);
    EXPECT_EQ(g_GenLive.foundations[foundations - 1].numCards, 13);
    EXPECT_EQ(StatsGetAddedForTests(true), 1);
    FixtureClick(kWhereTableau, -1, 0);
    VariantSettle();
    EXPECT_EQ(StatsGetAddedForTests(true), 1);
  }
}

// Scorpion moves any face-up group whose first card fits, in suit; a space
// takes only a king or a group headed by one.
TEST_F(SpiderTest, ScorpionMovesAnyGroupAndFillsSpacesWithKings) {
  ASSERT_TRUE(VariantTable(kGameScorpion, "T0: 8h* 2c* 9d*; T1: 9h*; T2: ; T3: Qs* Kd* 4c*"));
  FixtureDrag(kWhereTableau, 0, kWhereTableau + 1);
  EXPECT_EQ(FixturePile(kWhereTableau + 1), "9h* 8h* 2c* 9d*");
  FixtureDrag(kWhereTableau + 3, 0, kWhereTableau + 2);
  EXPECT_EQ(g_GenLive.tableaus[2].numCards, 0) << "a queen into a space";
  FixtureDrag(kWhereTableau + 3, 1, kWhereTableau + 2);
  EXPECT_EQ(FixturePile(kWhereTableau + 2), "Kd* 4c*");
}

// Rouge et Noir's foundations: 1 and 2 build red cards up from the ace in
// any red suit, 3 and 4 black; 5 to 8 take one run of 13 headed by a king
// of their colour.
TEST_F(SpiderTest, RougeEtNoirFoundationsByColourAndWholeRuns) {
  struct DropCase {
    std::string piles;
    int from;        // tableau pile and card of the lift
    int fromCard;
    int foundation;  // from 0
    bool taken;
  };
  const std::string redRun = "Kh* Qs* Jd* Tc* 9h* 8s* 7d* 6c* 5h* 4s* 3d* 2c* Ah*";
  const std::string blackRun = "Ks* Qh* Jc* Td* 9s* 8h* 7c* 6d* 5s* 4h* 3c* 2d* As*";
  const DropCase cases[] = {
      {"F0: Ah*; T0: 2d*", 0, 0, 0, true},
      {"F0: Ah*; T0: 2s*", 0, 0, 0, false},
      {"F2: ; T0: Ac*", 0, 0, 2, true},
      {"F2: ; T0: Ad*", 0, 0, 2, false},
      {"F0: ; T0: 3h* 2c* Ad*", 0, 2, 0, true},
      {"F4: ; T0: 5c " + redRun, 0, 1, 4, true},
      {"F6: ; T0: 5c " + redRun, 0, 1, 6, false},
      {"F6: ; T0: 5c " + blackRun, 0, 1, 6, true},
      {"F4: ; T0: 5c " + redRun, 0, 2, 4, false},
      {"F0: ; T0: 5c " + redRun, 0, 1, 0, false},
  };
  for (const DropCase& c : cases) {
    SCOPED_TRACE(c.piles);
    ASSERT_TRUE(VariantTable(kGameRougeEtNoir, c.piles));
    const int before = g_GenLive.foundations[c.foundation].numCards;
    const int lifted = g_GenLive.tableaus[c.from].numCards - c.fromCard;
    FixtureDrag(kWhereTableau + c.from, c.fromCard, kWhereFoundation + c.foundation);
    EXPECT_EQ(g_GenLive.foundations[c.foundation].numCards, before + (c.taken ? lifted : 0));
  }
}

// A run of 13 not headed by a king is refused on foundations 5 to 8, with
// the message.
TEST_F(SpiderTest, RougeEtNoirRefusesA13CardRunWithoutAKing) {
  ASSERT_TRUE(VariantTable(kGameRougeEtNoir,
                           "F4: ; S: Qh* Js* Td* 9c* 8h* 7s* 6d* 5c* 4h* 3s* 2d* Ac* Kh*"));
  g_GenLive.selectionSource = kWhereTableau;
  ClearLog();
  GenSetCurrentHit(kWhereFoundation + 4, -1);
  EXPECT_FALSE(GenStdSelectionDrop(0, 0, kWhereFoundation, 1, 1));
  EXPECT_TRUE(LogContains("13 card sel not headed by a king"));
}

// Rouge et Noir is won by its eighth foundation: the last run dropped there.
TEST_F(SpiderTest, NearWonRougeEtNoirEndsInOneWin) {
  std::string piles;
  const char* ranks = "A23456789TJQK";
  auto upRun = [ranks](const char* suits) {
    std::string text;
    for (int r = 0; r < 13; ++r) text += std::string(" ") + ranks[r] + suits[r % 2] + "*";
    return text;
  };
  piles += "F0:" + upRun("hd") + "; F1:" + upRun("dh") + "; F2:" + upRun("sc") +
           "; F3:" + upRun("cs") + "; ";
  piles += "F4: Kh* Qs* Jh* Ts* 9h* 8s* 7h* 6s* 5h* 4s* 3h* 2s* Ah*; ";
  piles += "F5: Kd* Qc* Jd* Tc* 9d* 8c* 7d* 6c* 5d* 4c* 3d* 2c* Ad*; ";
  piles += "F6: Ks* Qh* Js* Th* 9s* 8h* 7s* 6h* 5s* 4h* 3s* 2h* As*; ";
  piles += "T0: Kc* Qd* Jc* Td* 9c* 8d* 7c* 6d* 5c* 4d* 3c* 2d* Ac*";
  ASSERT_TRUE(VariantTable(kGameRougeEtNoir, piles));
  FixtureDrag(kWhereTableau, 0, kWhereFoundation + 7);
  VariantSettle();
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
