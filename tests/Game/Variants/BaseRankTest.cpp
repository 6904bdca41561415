// BaseRankTest.cpp - the games whose deal sets the foundations' base rank:
// Agnes Bernauer, Agnes Sorel, Canfield, Penguin and New York. Their rows in
// the shared suites, the base rank, wrapping ranks, spaces, the stocks and
// reserves, and positions played to the win.
#include <string>

#include "Game/Gen.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSelection.h"
#include "Game/GameImports.h"
#include "Game/GenVariant.h"
#include "Game/UserOptions.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

const VariantRow kRows[] = {
    {.game = kGameAgnesBernauer, .dealt = 36, .speed = 0.6f, .foundations = 4, .tableaus = 7,
     .reserves = 7, .rules = "pick t1 r8 / drop f10 t1 r16 / space t18", .slots = "0 1 3 4",
     .tableauMarker = -1, .deckInUse = true,
     .faces = "T: u u2 u3 u4 u5 u6 u7; R: u*7; F: u 0*3; D: d16", .deepest = "T: u25; R: u3; F: u13",
     .insideFrame = true},
    {.game = kGameAgnesSorel, .dealt = 29, .speed = 0.6f, .foundations = 4, .tableaus = 7,
     .rules = "pick t3 r8 / drop f10 t3 r16 / space t19", .slots = "0 1 3 4", .tableauMarker = -1,
     .deckInUse = true, .faces = "T: u u2 u3 u4 u5 u6 u7; F: u 0*3; D: d23",
     .deepest = "T: u25; F: u13", .insideFrame = true},
    {.game = kGameCanfield, .dealt = 18, .foundations = 4, .tableaus = 4, .reserves = 1,
     .rules = "pick t1 r8 / drop f10 t1 w16 r16", .slots = "0 1 3 4", .deckMarker = 1,
     .deckInUse = true, .wasteInUse = true, .faces = "T: u*4; R: u13; F: u 0*3; D: d34",
     .deepest = "T: u20; R: u13; W: u34; F: u13", .insideFrame = true},
    {.game = kGamePenguin, .faceMode = 1, .foundations = 4, .cells = 7, .tableaus = 7,
     .rules = "pick f8 t2 / drop f10 t2 / space t18", .slots = "0 1 3 4", .tableauMarker = -1,
     .faces = "T: u7*7; F: u u u 0", .deepest = "T: u20; C: u; F: u13", .insideFrame = true},
    {.game = kGameNewYork, .deckSize = 104, .dealt = 9, .faceMode = 1, .speed = 0.5f,
     .foundations = 8, .tableaus = 8, .reserves = 3,
     .rules = "pick t8 r8 / drop f10 t1 r21 / space t20", .slots = "0 1 3 4 6 7", .deckMarker = 2,
     .deckInUse = true, .faces = "T: u*8; F: u 0*7; D: u95", .deepest = "T: u20; R: u20; F: u13",
     .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(BaseRank, kRows);

class BaseRankTest : public VariantTest {};

const char* const kRanks = "A23456789TJQK";

// A run of one suit up from a rank, wrapping from the king to the ace
// ("Qh* Kh* Ah* ..."), count cards long.
std::string UpFrom(char suit, int rank, int count) {
  std::string text;
  for (int k = 0; k < count; ++k) text += std::string(" ") + kRanks[(rank - 1 + k) % 13] + suit + "*";
  return text;
}

// The base rank of the foundations is the rank of the card the deal put on
// foundation 1, whatever the deal number.
TEST_F(BaseRankTest, BaseRankIsTheFirstFoundationsCard) {
  for (int game : {kGameAgnesBernauer, kGameAgnesSorel, kGameCanfield, kGamePenguin, kGameNewYork}) {
    for (unsigned deal : {3u, 40u, 99999u}) {
      SCOPED_TRACE(std::string(GenGameTable[game].name) + " deal " + std::to_string(deal));
      VariantDeal(game, deal);
      const CardGroup& first = g_GenLive.foundations[0];
      ASSERT_GE(first.numCards, 1);
      EXPECT_EQ(g_GenLive.lowestRank, first.cards[0].rank);
    }
  }
}

// Penguin puts the other three cards of the base rank on foundations 1 to 3
// and deals seven cards to every pile.
TEST_F(BaseRankTest, PenguinStartsThreeFoundationsWithTheBaseRank) {
  for (unsigned deal : {5u, 6u}) {
    VariantDeal(kGamePenguin, deal);
    const Gen& g = g_GenLive;
    const int base = g.tableaus[0].cards[0].rank;
    EXPECT_EQ(g.lowestRank, base);
    for (int f = 0; f < 3; ++f) EXPECT_EQ(g.foundations[f].cards[0].rank, base) << "foundation " << f;
    for (int t = 0; t < 7; ++t) EXPECT_EQ(g.tableaus[t].numCards, 7) << "pile " << t;
  }
}

// Which cards a space takes: the rank below the base (Agnes Bernauer,
// Penguin), none (Agnes Sorel), a single card from the stock or a reserve
// (New York), anything (Canfield, once its reserve is used up).
TEST_F(BaseRankTest, SpacesTakeWhatEachGameAllows) {
  struct SpaceCase {
    int game;
    std::string piles;
    int from;  // the pile (code) lifted from
    int card;
    bool taken;
  };
  const std::string base5 = "F0: 5h*; ";
  const SpaceCase cases[] = {
      {kGameAgnesBernauer, base5 + "T0: ; T1: 4c*", kWhereTableau + 1, 0, true},
      {kGameAgnesBernauer, base5 + "T0: ; T1: Kc*", kWhereTableau + 1, 0, false},
      {kGameAgnesSorel, base5 + "T0: ; T1: 4c*", kWhereTableau + 1, 0, false},
      {kGamePenguin, base5 + "T0: ; T1: 4c*", kWhereTableau + 1, 0, true},
      {kGamePenguin, base5 + "T0: ; T1: Kc*", kWhereTableau + 1, 0, false},
      {kGameNewYork, base5 + "T0: ; T1: 9c*", kWhereTableau + 1, 0, false},
      {kGameNewYork, base5 + "T0: ; R1: 9c*", kWhereReserve + 1, 0, true},
      {kGameNewYork, base5 + "T0: ; D: 9c*", kWhereDeck, 0, true},
      {kGameCanfield, base5 + "T0: ; T1: 9c* 8h*", kWhereTableau + 1, 0, true},
  };
  for (const SpaceCase& c : cases) {
    SCOPED_TRACE(std::string(GenGameTable[c.game].name) + ": " + c.piles);
    ASSERT_TRUE(VariantTable(c.game, c.piles));
    GenSetLowestRank(5);
    const int lifted = GenGetGroup(g_GenLive, c.from)->numCards - c.card;
    FixtureDrag(c.from, c.card, kWhereTableau);
    EXPECT_EQ(g_GenLive.tableaus[0].numCards, c.taken ? lifted : 0);
  }
}

// Agnes and New York wrap their ranks in the tableau: a king goes on an ace;
// their foundations go on from the king to the ace and stop at 13 cards.
TEST_F(BaseRankTest, RanksWrapInAgnesAndNewYork) {
  for (int game : {kGameAgnesBernauer, kGameNewYork}) {
    SCOPED_TRACE(GenGameTable[game].name);
    ASSERT_TRUE(VariantTable(game, "F0:" + UpFrom('h', 12, 2) + "; T0: Ac*; T1: Kh*; T2: Ah*"));
    GenSetLowestRank(12);
    FixtureDrag(kWhereTableau + 1, 0, kWhereTableau);
    EXPECT_EQ(FixturePile(kWhereTableau), "Ac* Kh*");
    FixtureDrag(kWhereTableau + 2, 0, kWhereFoundation);
    EXPECT_EQ(g_GenLive.foundations[0].numCards, 3) << "the ace follows the king";
  }
}

// Agnes Bernauer's stock deals one card to each reserve pile, Agnes Sorel's
// one card to each tableau pile.
TEST_F(BaseRankTest, AgnesStockDealsSeven) {
  for (int game : {kGameAgnesBernauer, kGameAgnesSorel}) {
    SCOPED_TRACE(GenGameTable[game].name);
    VariantDeal(game, 12);
    Gen& g = g_GenLive;
    const int stock = g.deck.numCards;
    CardGroup* piles = game == kGameAgnesBernauer ? g.reserves : g.tableaus;
    int before[7];
    for (int i = 0; i < 7; ++i) before[i] = piles[i].numCards;
    FixtureClick(kWhereDeck, -1, 0);
    VariantSettle();
    EXPECT_EQ(g.deck.numCards, stock - 7);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(piles[i].numCards, before[i] + 1) << "pile " << i;
  }
}

// Canfield's reserve fills a space by itself while it holds cards; the
// stock turns three cards and the waste goes back without limit.
TEST_F(BaseRankTest, CanfieldReserveFillsSpacesAndTheStockTurnsThree) {
  ASSERT_TRUE(VariantTable(kGameCanfield,
                           "F0: 5h*; T0: 9c*; T1: 8h*; T2: Qs*; T3: Js*; R0: 2c* 7d*; "
                           "D: 2d 3d 4d 6d"));
  GenSetLowestRank(5);
  FixtureDrag(kWhereTableau + 1, 0, kWhereTableau);
  VariantSettle();
  EXPECT_EQ(FixturePile(kWhereTableau + 1), "7d*") << "the reserve's top card fills the space";
  EXPECT_EQ(FixturePile(kWhereReserve), "2c*");
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  EXPECT_EQ(g_GenLive.waste.numCards, 3);
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  EXPECT_EQ(g_GenLive.waste.numCards, 4);
  for (int pass = 0; pass < 3; ++pass) {
    FixtureClick(kWhereDeck, -1, 0);
    VariantSettle();
    EXPECT_EQ(g_GenLive.deck.numCards, 4) << "pass " << pass << ": the waste went back";
    for (int turn = 0; turn < 2; ++turn) {
      FixtureClick(kWhereDeck, -1, 0);
      VariantSettle();
    }
  }
}

// New York's reserve piles take single cards from the stock only: a pile's
// card neither by a drag nor by a quick move.
TEST_F(BaseRankTest, NewYorkReservesTakeOnlyStockCards) {
  ASSERT_TRUE(VariantTable(kGameNewYork, "F0: 2h*; T0: 9c*; R0: ; R1: Kd*; D: 4s* 7c*"));
  GenSetLowestRank(2);
  FixtureDrag(kWhereTableau, 0, kWhereReserve);
  EXPECT_EQ(g_GenLive.reserves[0].numCards, 0) << "not from a pile";
  FixtureClick(kWhereTableau, 0, 1);
  VariantSettle();
  EXPECT_EQ(FixturePile(kWhereTableau), "9c*") << "nor by a quick move";
  FixtureDrag(kWhereDeck, 0, kWhereReserve + 1);
  EXPECT_EQ(FixturePile(kWhereReserve + 1), "Kd* 7c*");
  FixtureDrag(kWhereDeck, 0, kWhereReserve);
  EXPECT_EQ(FixturePile(kWhereReserve), "4s*");
}

// Which games plan their first dealt card onto foundation 1 (New York) and
// which send a single card to the foundations first in a quick move (none
// of these): two bytes of the record that read alike.
TEST_F(BaseRankTest, FirstCardToFoundationByteOnlyInNewYork) {
  const int games[] = {kGameAgnesBernauer, kGameAgnesSorel, kGameCanfield, kGamePenguin,
                       kGameNewYork, kGameSpider, kGameScorpion, kGameRougeEtNoir,
                       kGameColeopter, kGameSpiderTrap, kGameSpidersCrossing, kGameMissMilligan,
                       kGameGiant, kGameCurdsAndWhey, kGameBristol, kGameBuffaloBill};
  for (int game : games) {
    SCOPED_TRACE(GenGameTable[game].name);
    GenSetCurGame(game);
    ASSERT_TRUE(GenInit());
    EXPECT_EQ(g_GenLive.dealFirstToFoundation, game == kGameNewYork ? 1 : 0);
    EXPECT_EQ(g_GenLive.foundationsFirst, 0);
  }
  VariantDeal(kGameNewYork, 8);
  EXPECT_EQ(g_GenLive.foundations[0].numCards, 1);
  for (int t = 0; t < 8; ++t) EXPECT_EQ(g_GenLive.tableaus[t].numCards, 1) << "pile " << t;
}

// Each of these games is won by the standard autoplay step when its last
// foundation fills, whatever the player's autoplay setting; the win is
// counted once.
TEST_F(BaseRankTest, NearWonPositionsEndInOneWin) {
  struct WinCase {
    int game;
    int foundations;
    int base;
    int from;  // the pile holding the last card
  };
  const WinCase cases[] = {{kGameAgnesBernauer, 4, 7, kWhereReserve},
                           {kGameAgnesSorel, 4, 7, kWhereTableau},
                           {kGameCanfield, 4, 11, kWhereTableau},
                           {kGamePenguin, 4, 3, kWhereCell},
                           {kGameNewYork, 8, 9, kWhereTableau}};
  const char* suits = "hsdc";
  for (const WinCase& c : cases) {
    SCOPED_TRACE(GenGameTable[c.game].name);
    StatsResetForTests();
    g_UserOptions.autoplayMode[c.game] = 0;
    std::string piles;
    for (int f = 0; f < c.foundations; ++f) {
      const bool last = f == c.foundations - 1;
      piles += "F" + std::to_string(f) + ":" + UpFrom(suits[f % 4], c.base, last ? 12 : 13) + "; ";
    }
    const char lastSuit = suits[(c.foundations - 1) % 4];
    const std::string lastCard = std::string(1, kRanks[(c.base + 11) % 13]) + lastSuit + "*";
    piles += (c.from == kWhereTableau ? "T0: " : c.from == kWhereReserve ? "R0: " : "C0: ") + lastCard;
    ASSERT_TRUE(VariantTable(c.game, piles));
    GenSetLowestRank(c.base);
    FixtureDrag(c.from, 0, kWhereFoundation + c.foundations - 1);
    VariantSettle();
    EXPECT_TRUE(g_GenLive.gameOver);
    EXPECT_EQ(StatsGetAddedForTests(true), 1);
  }
}

}  // namespace
