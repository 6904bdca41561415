// VariantTest.h - the shared tests every real game runs, driven by one row
// per game.
//
// A family's test file (FreeCellTest.cpp, ...) lists its games' rows and
// instantiates the shared suites for them with one line:
//
//   const VariantRow kRows[] = {{.game = kGameFreeCell, .deckSize = 52, ...}, ...};
//   INSTANTIATE_VARIANT_ROWS(FreeCell, kRows);
//
// The shared suites (one CTest case per game each):
//   VariantSetupTest   the set-up matches the row (deck, deal, counts, rule
//                      block, base rank, filled callback slots, markers,
//                      redeal counter) and GenCheckOk passes
//   VariantDealTest    a few deal numbers: the same number deals the same
//                      table, every card of the deck is dealt (each kind
//                      decks times unless the row says otherwise), the dealt
//                      face pattern, no cell holds two cards
//   VariantLayoutTest  with the deepest piles the game can reach, every pile
//                      lies on the board inside its frame and in view of
//                      the default camera (at any window size), and no two
//                      overlap
//   VariantPlayTest    50 deals of random play (VariantPlay.h), and a game
//                      saved mid-way and resumed to the same table
//
// Notation of the row's texts:
//   rules    "pick c0 f0 t1 / drop c0 f10 t1 / space t0": per section the
//            pile kinds (c cell, f foundation, t tableau, n fan, d deck,
//            w waste, r reserve) with their codes; "space" names the empty
//            tableau (t) and empty fan (n) codes. Bytes not named are 0,
//            except the deck's drop byte, 16 unless named.
//   faces    "T: u du d2u; D: d24": per kind (T tableau, N fan, C cell, R
//            reserve, F foundation, W waste, D deck) one pattern per pile
//            from pile 1 on, bottom card first: u face up, d face down, a
//            count repeats the letter ("d2u" = d d u), "~" after a letter
//            means any number of it ("u~"), "0" an empty pile, "*n" repeats
//            the pattern for n piles ("u7*4"). Kinds not named must be
//            empty, the deck excepted.
//   deepest  "T: d6u13": per kind the deepest pile a game can reach, laid
//            on every pile of that kind for the layout check.
//   mayOverlap "N": pile kinds whose piles may overlap each other.
#pragma once

#include <string>

#include "Game/GenGameTable.h"
#include "Game/GenRecord.h"
#include "tests/Game/GameFixture.h"
#include "tests/Game/Variants/VariantPlay.h"

struct VariantRow {
  int game = -1;
  int deckSize = 52;
  int dealt = 52;             // cards the deal takes from the deck
  int faceMode = 0;
  float speed = 1.0f;
  int foundations = 0, cells = 0, tableaus = 0, fans = 0, reserves = 0;
  const char* rules = "";
  int baseRank = 1;
  const char* slots = "3 4";  // the filled callback slots
  int deckMarker = 0;         // deck picture after set-up: 0 left alone, 1 redeal, 2 no more
  int redealCounter = 0;
  int tableauMarker = 0;      // empty tableau marker: 13 king, -1 the rank below the base, 0 blank
  int fanMarker = 0;          // empty fan marker, the same way
  bool deckInUse = false;
  bool wasteInUse = false;
  const char* faces = "";
  const char* deepest = "";
  // The layout keeps inside the board's wooden frame (x and y within 25.8);
  // false holds it only to the older table (x within 30, y from -30 to 35).
  bool insideFrame = false;
  // Pile kinds (letters as in faces) whose piles lie over each other by
  // design (a pyramid's rows): the layout check lets them overlap.
  const char* mayOverlap = "";
  // Optional: the expected count of each card kind (suit, rank 1-13) in a
  // deal; null means every kind deckSize / 52 times.
  void (*kinds)(int counts[4][14]) = nullptr;
  // Optional, for decks whose suits follow the deal number: checks the
  // counts of a deal in place of kinds; "" when they are right, else what is
  // wrong.
  std::string (*kindsCheck)(const int counts[4][14]) = nullptr;
};

// gtest prints rows by their game's name.
void PrintTo(const VariantRow& row, std::ostream* os);

// ---- Row helpers ------------------------------------------------------------------
// The rule block a rules text names (see above); false for a bad text.
bool VariantParseRules(const char* text, uint8_t rules[kGenNumRules]);
// The filled callback slots of the live game as "0 3 4".
std::string VariantFilledSlots();
// Compares the live game with a faces text; "" when it matches, else what
// differs.
std::string VariantCheckFaces(const char* faces);
// Lays the deepest piles of the text on every pile of the named kinds of the
// live game (blank cards, faces as given) and lays them out.
bool VariantBuildDeepest(const char* deepest);

// The real set-up of a game with the piles of the text (GameFixture.h
// notation) on an emptied deck, as the start of the undo history. False
// (with a test failure) when a step fails.
bool VariantTable(int game, const std::string& piles);

// Pile texts of foundations 0 to n - 1, each built in its suit (foundation
// f holds suit f % 4) from the ace up to rank top, face up: the start of a
// near-won position.
std::string VariantFoundationsUpTo(int n, int top);
// A drag of the card at index (-1: the top card) of a pile onto another,
// then every move it started lands.
void VariantMove(int from, int index, int to);

class VariantTest : public GameTest, public ::testing::WithParamInterface<VariantRow> {
 protected:
  void SetUp() override;
};

class VariantSetupTest : public VariantTest {};
class VariantDealTest : public VariantTest {};
class VariantLayoutTest : public VariantTest {};
class VariantPlayTest : public VariantTest {};

std::string VariantRowName(const ::testing::TestParamInfo<VariantRow>& info);

// Instantiates every shared suite for a family's rows.
#define INSTANTIATE_VARIANT_ROWS(Family, rows)                                                   \
  INSTANTIATE_TEST_SUITE_P(Family, VariantSetupTest, ::testing::ValuesIn(rows), VariantRowName); \
  INSTANTIATE_TEST_SUITE_P(Family, VariantDealTest, ::testing::ValuesIn(rows), VariantRowName);  \
  INSTANTIATE_TEST_SUITE_P(Family, VariantLayoutTest, ::testing::ValuesIn(rows), VariantRowName); \
  INSTANTIATE_TEST_SUITE_P(Family, VariantPlayTest, ::testing::ValuesIn(rows), VariantRowName)
