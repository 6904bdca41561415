// PokerTest.cpp - Poker Shuffle and Poker Square: their rows in the shared
// suites, the poker hands as a table, the square's score and its texts,
// which squares take a card, and the end at the 25th card (once).
#include <sstream>
#include <string>

#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenScores.h"
#include "Game/Variants/Poker.h"
#include "Game/GenVariant.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGamePokerShuffle, .dealt = 0, .faceMode = 1, .reserves = 25,
     .rules = "pick d0 r0 / drop r0", .slots = "0 3 4 8", .deckInUse = true,
     .faces = "D: u52", .deepest = "R: u", .insideFrame = true},
    {.game = kGamePokerSquare, .dealt = 0, .faceMode = 1, .reserves = 25,
     .rules = "pick d0 r16 / drop r0", .slots = "0 3 4 8", .deckInUse = true,
     .faces = "D: u52", .deepest = "R: u", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(Poker, kRows);

class PokerTest : public VariantTest {};

// Reserve piles 1 to 5 (the first row) as a pile text: one word per square,
// "-" for an empty one.
std::string Row(const std::string& cards) {
  std::string piles;
  std::istringstream words(cards);
  std::string word;
  for (int r = 0; words >> word; ++r) {
    piles += "R" + std::to_string(r) + ": " + (word == "-" ? "" : word + "*") + "; ";
  }
  return piles;
}

TEST_F(PokerTest, HandsScoreAsTheTableSays) {
  struct HandCase {
    const char* cards;
    int value;
  };
  const HandCase cases[] = {
      {"Th Jh Qh Kh Ah", 100}, {"Ah Kh Th Qh Jh", 100}, {"5s 6s 7s 8s 9s", 75},
      {"Ad 2d 3d 4d 5d", 75},  {"9h 9s 9d 9c 2h", 50},  {"9h 2s 9d 2c 9c", 25},
      {"2h 5h 9h Jh Kh", 20},  {"9h Ts Jd Qc Kh", 15},  {"Ah 2s 3d 4c 5h", 15},
      {"Th Js Qd Kc Ah", 15},  {"Kh As 2d 3c 4h", 0},   {"7h 7s 7d 2c 4h", 10},
      {"7h 7s 4d 4c 2h", 5},   {"7h 7s 4d 3c 2h", 2},   {"7h 8s 4d 3c 2h", 0},
      {"5h - - 9c Kd", 0},     {"- - - - -", 0},        {"7h 7s - 7d -", 10},
      {"7h 7s - 7d 7c", 50},   {"2h 3h 4h 5h -", 0},    {"7h - 7d 9d 9s", 5},
  };
  for (const HandCase& c : cases) {
    SCOPED_TRACE(c.cards);
    ASSERT_TRUE(VariantTable(kGamePokerSquare, Row(c.cards)));
    const int piles[5] = {GenReserveCode(1), GenReserveCode(2), GenReserveCode(3),
                          GenReserveCode(4), GenReserveCode(5)};
    EXPECT_EQ(PokerHandValue(piles), c.value);
  }
  // A place holding two cards is no card of the hand.
  ASSERT_TRUE(VariantTable(kGamePokerSquare, "R0: 7h* 7c*; R1: 7s*; R2: 2d*"));
  const int piles[5] = {GenReserveCode(1), GenReserveCode(2), GenReserveCode(3),
                        GenReserveCode(4), GenReserveCode(5)};
  EXPECT_EQ(PokerHandValue(piles), 0);
}

// The score adds the five rows and the five columns; each value is kept
// as the text drawn beside its row or under its column.
TEST_F(PokerTest, TheScoreAddsRowsAndColumns) {
  // Row 1: a pair of sevens; column 1: the 7 of hearts with two more 7s
  // below it (three of a kind); row 2: a flush of spades.
  ASSERT_TRUE(VariantTable(kGamePokerShuffle,
                           "R0: 7h*; R1: 7c*; R5: 7d*; R6: 2s*; R7: 5s*; R8: 9s*; R9: Js*; "
                           "R10: 7s*"));
  // Column 1 holds 7h, 7d, 7s (10); row 1 7h 7c (2); row 2 7d 2s 5s 9s Js
  // (nothing: two suits); row 3 alone.
  EXPECT_EQ(PokerSquareGetScore(), 10 + 2);
  const PokerScoreTexts& t = PokerGetScoreTexts();
  EXPECT_STREQ(t.text[0], "2");
  EXPECT_STREQ(t.text[1], "0");
  EXPECT_STREQ(t.text[5], "10");
  ASSERT_TRUE(VariantTable(kGamePokerShuffle, "R5: 4s*; R6: 2s*; R7: 5s*; R8: 9s*; R9: Js*"));
  EXPECT_EQ(PokerSquareGetScore(), 20);
  EXPECT_STREQ(t.text[1], "20");
}

// A square takes a card only while empty; in Poker Shuffle a placed card
// may move on to another empty square, in Poker Square it stays.
TEST_F(PokerTest, SquaresTakeACardOnlyWhileEmpty) {
  struct PlaceCase {
    int game;
    int from;
    int to;
    bool moves;
  };
  const PlaceCase cases[] = {
      {kGamePokerSquare, kWhereDeck, GenReserveCode(3), true},
      {kGamePokerSquare, kWhereDeck, GenReserveCode(1), false},
      {kGamePokerSquare, GenReserveCode(1), GenReserveCode(3), false},
      {kGamePokerShuffle, kWhereDeck, GenReserveCode(3), true},
      {kGamePokerShuffle, GenReserveCode(1), GenReserveCode(3), true},
      {kGamePokerShuffle, GenReserveCode(1), GenReserveCode(2), false},
  };
  for (const PlaceCase& c : cases) {
    SCOPED_TRACE(std::string(GenGameTable[c.game].name) + " " + std::to_string(c.from) + " -> " +
                 std::to_string(c.to));
    ASSERT_TRUE(VariantTable(c.game, "R0: 4h*; R1: Kc*; D: 9d* 2s*"));
    CardGroup* to = GenGetGroup(g_GenLive, c.to);
    const int before = to->numCards;
    FixtureDrag(c.from, -1 + GenGetGroup(g_GenLive, c.from)->numCards, c.to);
    VariantSettle();
    EXPECT_EQ(to->numCards, before + (c.moves ? 1 : 0));
    EXPECT_EQ(FixtureCountAllCards(), 4);
  }
}

// The 25th card ends the game with 27 cards left in the stock, which then
// shows backs only (no 26th card to place); the end is counted once,
// however often the score step runs after it.
TEST_F(PokerTest, TheTwentyFifthCardEndsTheGameOnce) {
  VariantDeal(kGamePokerSquare, 12);
  Gen& g = g_GenLive;
  for (int k = 0; k < 24; ++k) {
    FixtureDrag(kWhereDeck, g.deck.numCards - 1, GenReserveCode(k + 1));
    VariantSettle();
    ASSERT_EQ(g.reserves[k].numCards, 1) << k;
  }
  EXPECT_FALSE(g.gameOver);
  EXPECT_EQ(g.deck.numCards, 28);
  ClearLog();
  FixtureDrag(kWhereDeck, g.deck.numCards - 1, GenReserveCode(25));
  VariantSettle();
  EXPECT_EQ(g.deck.numCards, 27);
  EXPECT_TRUE(g.gameOver);
  EXPECT_EQ(VariantCheckFaces("R: u*25; D: d27"), "");
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
  PokerSquareScoreAutoplay(0, 0);
  PokerSquareScoreAutoplay(0, 0);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
  EXPECT_FALSE(LogContains("Already called"));
  // The finished table takes no more cards.
  FixtureDrag(kWhereDeck, g.deck.numCards - 1, GenReserveCode(25));
  VariantSettle();
  EXPECT_EQ(g.deck.numCards, 27);
}

// The score of a table that is not a poker square (its piles not set up) is
// 0, and reading it touches no pile that is not there.
TEST_F(PokerTest, TheScoreOfAnotherTableIsNothing) {
  VariantDeal(kGameKlondike, 3);
  EXPECT_EQ(PokerSquareGetScore(), 0);
}

}  // namespace
