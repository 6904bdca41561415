// Poker.cpp - the poker games: Poker Shuffle and Poker Square (one set-up
// routine, told apart by their rows below).
//
// Nothing is dealt: the player takes the stock's top card (face up) and
// places it on one of 25 squares, the reserve piles 1 to 25 forming a 5 x 5
// square; a square takes a card only while it is empty. In Poker Shuffle a
// placed card may move on to another empty square. Each row and column
// scores as a poker hand; the game ends when the 25th card is placed.
//
// State: the ten value texts and their places on the table (g_texts), set
// by the set-up and by every score computation; read by the drawing
// (PokerRender.cpp).
//
// Layout values (Data/Main/0110.dat, under Poker Shuffle for both games):
// x 0 and y 2 the text ratio, x 2 and y 5 the text shadow's offset (table
// units); x 1 how far left of the first column the row values stand, x 3
// how far left of them the total stands, x 4 the x the square is centred
// on, x 5 the gap between squares, x 6 the stock's x, in card widths; y 0
// how far the first row lies below the top row, y 1 the gap between rows,
// y 3 how far the stock lies below the top row, in card heights.
#include "Game/Variants/Poker.h"

#include <cstdio>
#include <utility>

#include "Game/CardsSettings.h"
#include "Game/GameImports.h"
#include "Game/GameTime.h"
#include "Game/GenCallbacks.h"
#include "Game/GenDeal.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSave.h"
#include "Game/GenScores.h"
#include "Game/GenSelection.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"
#include "Game/Variants/Twenty.h"

namespace {

constexpr int kSide = 5;
constexpr int kSquares = kSide * kSide;
constexpr int kCardsLeftAtTheEnd = 52 - kSquares;

// What tells the two games apart.
struct PokerMember {
  int game;
  bool placedCardsMove;  // a placed card may move on to another empty square
};
constexpr PokerMember kMembers[] = {
    {.game = kGamePokerShuffle, .placedCardsMove = true},
    {.game = kGamePokerSquare, .placedCardsMove = false},
};

PokerScoreTexts g_texts;

bool PlanForward(int, int) { return GenPlanDealForward() != 0; }

int HighRank(int rank) { return rank == 1 ? 14 : rank; }

// Five ranks (ascending, all present) that run on, the wheel A-2-3-4-5
// included.
bool IsStraight(const int ranks[5]) {
  bool run = true;
  for (int i = 1; i < 5 && run; ++i) run = ranks[i] == ranks[i - 1] + 1;
  if (run) return true;
  return ranks[0] == 2 && ranks[1] == 3 && ranks[2] == 4 && ranks[3] == 5 && ranks[4] == 14;
}

// Square k (0-24) of the 5 x 5 square: row k / 5, column k % 5.
int SquareCode(int row, int column) { return GenReserveCode(row * kSide + column + 1); }

}  // namespace

int PokerHandValue(const int piles[5]) {
  struct Place {
    bool present;
    int rank, suit;
  };
  Place places[5];
  int present = 0;
  for (int i = 0; i < 5; ++i) {
    const CardGroup* pile = GenGetGroup(g_GenLive, piles[i]);
    places[i] = {false, 0, -1};
    if (pile && GenGetKindBase(piles[i]) == kWhereReserve && pile->numCards == 1) {
      places[i] = {true, HighRank(pile->cards[0].rank), pile->cards[0].suit};
      ++present;
    }
  }
  int pairs = 0;
  for (int i = 0; i < 5; ++i) {
    for (int j = i + 1; j < 5; ++j) {
      if (places[i].present && places[j].present && places[i].rank == places[j].rank) ++pairs;
    }
  }
  if (present == 5) {
    int ranks[5];
    bool flush = true;
    for (int i = 0; i < 5; ++i) {
      ranks[i] = places[i].rank;
      flush = flush && places[i].suit == places[0].suit;
    }
    for (int i = 1; i < 5; ++i) {  // sort ascending
      for (int j = i; j > 0 && ranks[j] < ranks[j - 1]; --j) std::swap(ranks[j], ranks[j - 1]);
    }
    const bool straight = pairs == 0 && IsStraight(ranks);
    if (flush && straight && ranks[0] == 10) return 100;
    if (flush && straight) return 75;
    if (pairs == 6) return 50;
    if (pairs == 4) return 25;
    if (flush) return 20;
    if (straight) return 15;
  }
  switch (pairs) {
    case 6: return 50;
    case 4: return 25;
    case 3: return 10;
    case 2: return 5;
    case 1: return 2;
    default: return 0;
  }
}

int PokerSquareGetScore() {
  const Gen& g = g_GenLive;
  if (g.numReserves < kSquares) return 0;  // not a poker table
  int total = 0;
  for (int line = 0; line < 2 * kSide; ++line) {
    int piles[5];
    for (int i = 0; i < kSide; ++i) {
      piles[i] = line < kSide ? SquareCode(line, i) : SquareCode(i, line - kSide);
    }
    const int value = PokerHandValue(piles);
    std::snprintf(g_texts.text[line], sizeof g_texts.text[line], "%d", value);
    total += value;
  }
  return total;
}

bool PokerSquareScoreAutoplay(int, int) {
  Gen& g = g_GenLive;
  PokerSquareGetScore();
  // The game ends once: a second call on the finished table changes nothing.
  if (g.gameOver || g.deck.numCards != kCardsLeftAtTheEnd) return false;
  g_GameImports.ScoreUpdateCurrentScore();
  // The cards left in the stock are not to be placed: it shows their backs.
  for (int k = 0; k < g.deck.numCards; ++k) g.deck.cards[k].faceUp = 0;
  g.deck.MarkChanged();
  g.deck.Refresh(false);
  g.gameOver = 1;
  GenSetGameInProgress(false);
  GameTimeGameOver();
  g_GameImports.StatsAddCurrentGame(1, 0);
  GenDeleteSavedGame();
  return false;
}

bool PokerSelection(int, int down) {
  if (g_GenLive.gameOver) return false;
  if (GenStdPickup(0, down, kWhereDeck)) return true;
  if (GenFamilyMember(kMembers).placedCardsMove && GenStdPickup(0, down, kWhereReserve)) return true;
  if (GenStdDrop(0, down, kWhereReserve)) return true;
  return GenStdDrop(0, down, kWhereFoundation);
}

const PokerScoreTexts& PokerGetScoreTexts() { return g_texts; }

void PokerSetup() {
  const bool placedCardsMove = GenFamilyMember(kMembers).placedCardsMove;
  if (!GenBeginVariantSetup(52, 0, 1, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupReserve, placedCardsMove ? kRuleAnything : kRuleNone},
                   {kRuleDropReserve, kRuleAnything}});
  GenSetLowestRank(1);
  g_GenLive.acesHigh = 1;
  GenSetDealCB(PlanForward);
  GenSetSelectionCB(PokerSelection);
  GenSetDropRuleCB(TwentyDropVeto);
  GenSetAutoplayCB(PokerSquareScoreAutoplay);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float cw = CardsGetCardWidth(), ch = CardsGetCardHeight();
  const float xGap = GenLayoutXCards(5), yGap = GenLayoutYCards(1);
  const float firstRowY = c.topRowY - GenLayoutYCards(0);
  GenSetReserveOptions(1, 0, 1, 1, 0);
  GenStdSetNReservesPosition(kSquares, GenLayoutXCards(4), firstRowY, xGap, 0, true);
  // The row positioner centred a row of 25 on x 4: put five rows of five
  // around the same centre.
  const float step = cw + xGap;
  for (int k = 0; k < kSquares; ++k) {
    const int row = k / kSide, column = k % kSide;
    const float x = GenLayoutXCards(4) + (static_cast<float>(column) - (kSide - 1) / 2.0f) * step;
    GenSetPilePosition(GenReserveCode(k + 1), x, firstRowY - static_cast<float>(row) * (ch + yGap));
  }
  GenSetDeckPosition(GenLayoutXCards(6), c.topRowY - GenLayoutYCards(3), 1, 1);

  // The value texts' places: row r's left of the square at its first
  // pile's height, column c's under the last row.
  const Gen& g = g_GenLive;
  const float rowsX = g.reserves[0].pos[0] - GenLayoutXCards(1);
  for (int r = 0; r < kSide; ++r) {
    g_texts.x[r] = rowsX;
    g_texts.y[r] = g.reserves[r * kSide].pos[1] + 0.2f * ch;
    g_texts.x[kSide + r] = g.reserves[r].pos[0];
    g_texts.y[kSide + r] = g.reserves[kSquares - 1].pos[1] - 0.5f * ch;
  }
  g_texts.totalX = rowsX - GenLayoutXCards(3);
  g_texts.totalY = g_texts.y[2] + 0.55f * ch;
  g_texts.ratioX = GenGameLayoutsGetCurGameXVar(0);
  g_texts.ratioY = GenGameLayoutsGetCurGameYVar(2);
  g_texts.shadowX = GenGameLayoutsGetCurGameXVar(2);
  g_texts.shadowY = GenGameLayoutsGetCurGameYVar(5);
  PokerSquareGetScore();
  GenSetReady();
}
