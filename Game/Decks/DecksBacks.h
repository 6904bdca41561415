// DecksBacks.h - the card backs: the 16 standard backs with their deck-side
// pictures, the player's own back pictures, and pointing the generator's
// back slots at the player's choice.
//
// Standard backs and sides lie in "Data/CardBacks"; every back also gets the
// overlay picture "Back Overlay" of that folder. Backs 16-31 are the
// player's own pictures (paths kept in the player's options); their side is
// "Side Dark Gray 2".
#pragma once

constexpr int kDecksNumStandardBacks = 16;
constexpr int kDecksNumBacks = 32;

struct StandardCardBack {
  char back[24];
  char side[24];
};

// The table of the 16 standard backs.
const StandardCardBack& DecksGetStandardBack(int back);
// Points the generator's back slot (8) at the player's back, its deck-side
// slot (10) at the matching side, and the overlay slot (9) at "Back
// Overlay" unless noOverlay.
void DecksControlSetBackElements(bool noOverlay);
// "Data\Main\0156.dat", the card shadow.
const char* DecksControlGetCardShadowFilename();
