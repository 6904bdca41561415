// DecksBacks.cpp - the standard card backs table, the generator's back
// slots set from the player's choice, and the card shadow's file (see
// DecksBacks.h).
#include "Game/Decks/DecksBacks.h"

#include "Game/Decks/CardsGenerate.h"
#include "Game/UserRecord.h"

namespace {

constexpr char kBacksFolder[] = "Data\\CardBacks";
constexpr char kOwnBackSide[] = "Side Dark Gray 2";

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

void DecksControlSetBackElements(bool noOverlay) {
  int back = g_UserRecord.currentCardBack;
  if (back < 0 || back >= kDecksNumBacks) back = 0;
  if (back >= kDecksNumStandardBacks && !g_UserRecord.cardBackPaths[back - kDecksNumStandardBacks][0]) {
    back = 0;  // an emptied own slot falls back to the first standard back
  }
  if (back < kDecksNumStandardBacks) {
    CardsGenerateSetElementPathAndFilename(kGenSlotBack, kBacksFolder, DecksGetStandardBack(back).back);
    CardsGenerateSetElementPathAndFilename(kGenSlotDeckSide, kBacksFolder, DecksGetStandardBack(back).side);
  } else {
    CardsGenerateSetElementFilename(kGenSlotBack, g_UserRecord.cardBackPaths[back - kDecksNumStandardBacks]);
    CardsGenerateSetElementPathAndFilename(kGenSlotDeckSide, kBacksFolder, kOwnBackSide);
  }
  if (noOverlay) {
    CardsGenerateSetElementPathAndFilename(kGenSlotBackOverlay, nullptr, nullptr);
  } else {
    CardsGenerateSetElementPathAndFilename(kGenSlotBackOverlay, kBacksFolder, "Back Overlay");
  }
}

const char* DecksControlGetCardShadowFilename() { return "Data\\Main\\0156.dat"; }
