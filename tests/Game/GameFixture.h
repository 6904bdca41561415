// GameFixture.h - a compact way to build and read game positions in tests.
//
// Pile texts: one pile per line (or separated by ';'), a pile name, a colon
// and its cards from the bottom up:
//
//   "T0: 7h 6s*"      tableau 0: a face-down 7 of hearts, a face-up 6 of spades
//   "F1: Ac* 2c*"     foundation 1       "C0: Kd*"   cell 0
//   "N3: ..."  fan 3  "R0: ..." reserve 0  "D: ..." deck  "W: ..." waste
//   "S: ..."   the selection (carried cards)
//
// A card is a rank (A 2-9 T J Q K, or 10) and a suit (h s d c), with '*'
// when it lies face up. A pile that is not set up yet is set up with a plain
// layout for its kind and the kind's count grows to include it.
//
// GameTest is the test base: a fresh temporary folder, a reset game record
// (current game Klondike, no set-up routine run), reset card settings, clock
// and animation slots, a frame time of 1/60 s and an engine clock at 0 that
// AdvanceTime moves.
#pragma once

#include <initializer_list>
#include <string>

#include "Game/Card.h"
#include "tests/Support/TestSupport.h"

// Builds the piles of the text on the live record; false (with a test
// failure) on a text it cannot read.
bool FixtureBuild(const std::string& text);
// The cards of a pile in the same notation ("7h 6s*"), "" when empty.
std::string FixturePile(int where);
// "Kd*" etc. for one card.
std::string FixtureCardText(const Card& card);
// The total number of cards in every pile of the live record (to check that
// no card is lost), the deal group excluded.
int FixtureCountAllCards();

class GameTest : public TempDirTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Moves the engine clock on by seconds (the animation start delay and the
  // game clock read it).
  void AdvanceTime(double seconds);
  // Ticks the animations frame by frame until none runs (at most maxFrames);
  // true when they all ended.
  bool RunAnimations(int maxFrames = 20000);
  double now_ = 0;
};

// A loaded player of that name whose per-user folder lies in the current
// (temporary) folder, and the record-file key set.
void FixtureUsePlayer(const char* name);

// Copies the real layouts file of the source tree into the test's folder
// and loads it (the fixture variants read their layout values from it).
void FixtureUseRealLayouts();

// One rule byte of a fixture variant: the byte (kRulePickupTableau, ...)
// and its code.
struct FixtureRule {
  int byte;
  int code;
};
// The start every fixture variant shares with the real set-ups: the card
// scale, an empty record, the deck and the deal group (dealCards cards in
// the deal face mode), the rule bytes given, and a deal planned forward over
// the tableaus (slot 0).
void FixtureBeginSetup(float scaleX, float scaleY, int deckSize, int dealCards, int faceMode,
                       std::initializer_list<FixtureRule> rules);

// A table to play on: the set-up runs through GenInit (no deal), the deck is
// emptied, the piles of the text are built, and the undo history starts
// with this position. False (with a test failure) when a step fails.
bool FixtureTable(void (*setup)(), const std::string& piles);

// Fixture variants built from the real positioners (FixtureVariants.cpp).
// A Klondike-like game: 52 cards, 28 dealt in deal face mode 3 to 7
// tableaus, four foundations in the top row, deck and waste.
void FixtureKlondikeSetup();
// A FreeCell-like game: 52 cards all dealt face up to 8 tableaus, four cells
// and four foundations in the top row.
void FixtureFreeCellSetup();

// Playable forms (FixturePlay.cpp): the set-ups above plus the standard
// selection handler (a click on the deck - its release - deals one card to
// the waste, or turns the waste back when the deck is empty; any other click
// is GenStdPickupOrDrop for the kind hit) and the standard autoplay.
void FixtureKlondikePlaySetup();
void FixtureFreeCellPlaySetup();
// A Spider-like game: 104 cards, 54 dealt to 10 tableaus (the last card of
// each face up), runs lifted down in suit, dropped down in any suit, any
// card on a space; eight foundations (up in suit, by autoplay) and a deck
// that deals a card to each tableau.
void FixtureSpiderPlaySetup();
// The standard selection handler of the playable fixtures.
bool FixtureSelection(int quick, int down);

// Clicks with the pointer on the visible part of card index (or the pile's
// own place for -1) of a pile: press and release of a button; button -1
// only presses the left button.
void FixtureClick(int where, int index, int button);
// Presses on a card, drags to the place of the top card of another pile (or
// its own place when empty) and releases.
void FixtureDrag(int fromWhere, int fromIndex, int toWhere);
// The table place of a card (-1: the pile's place).
void FixtureCardPlace(int where, int index, float* x, float* y);
// A text of every pile in use ("T0: ...; F1: ...") for comparing positions.
std::string FixtureDescribeGame();
