// DecksBacks.cpp - the standard card backs table (see DecksBacks.h). The
// generator's back slots are set by the Decks screen's control unit.
#include "Decks/DecksBacks.h"


namespace {

constexpr StandardCardBack kStandardBacks[kDecksNumStandardBacks] = {
    {"Back Indo Black", "Side Dark Gray"}, {"Back Indo Red", "Side Dark Red"},
    {"Back Red 1", "Side Dark Gray 2"},    {"Back Red 5", "Side Dark Gray"},
    {"Back Dondorf", "Side Dark Gray"},    {"Back Polish", "Side Dark Gray"},
    {"Back Shakespeare", "Side Dark Blue 2"}, {"Back Hedgehog", "Side Dark Gray"},
    {"Back Fruit", "Side Dark Gray"},      {"Back Bananas", "Side Dark Gray"},
    {"Back Gold Petals", "Side Dark Gray"}, {"Back Harley", "Side Dark Gray"},
    {"Back Space", "Side Dark Red"},       {"Back Classic", "Side Dark Gray"},
    {"Back Quarnix", "Side Dark Gray"},    {"Back Quarnix 2", "Side Dark Gray"},
};

}  // namespace

const StandardCardBack& DecksGetStandardBack(int back) {
  if (back < 0 || back >= kDecksNumStandardBacks) back = 0;
  return kStandardBacks[back];
}
