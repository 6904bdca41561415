// FuzzGame.h - the card game as the saved-game and picture targets see it:
// a player, the game core set up as the tests set it up, a few games in
// play to save, and play after a resume that checks what must hold.
//
// The games are the test fixtures' variants (tests/Game/FixturePlay.cpp),
// each under the game number whose deck it is compared with; a variant
// written later joins the list in FuzzGame.cpp with its own set-up.
//
// State: the bases' records and files, made once per process on first use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct FuzzGameBase {
  const char* name;
  void (*setup)();
  int game;        // the game number (decides the deck, e.g. a Spider's suits)
  unsigned deal;
};

int FuzzGameBaseCount();
const FuzzGameBase& FuzzGameBaseAt(int index);

// Makes base index the current game (its number and set-up); the first call
// sets the core and a player up.
void FuzzGameUse(int index);

// The base's game after a few moves, as the files hold it: the record image
// (4,070,740 bytes, version 4.3), the saved game file (".c3o") and the
// picture file (".c3m") written by the game's own save.
const std::string& FuzzGameImage(int index);
const std::string& FuzzGameSavedFile(int index);
const std::string& FuzzGamePicture(int index);

// The names of the current game's two files (game paths).
std::string FuzzGameSavedFileName();
std::string FuzzGamePictureName();

// Plays the live game a little (quick moves, drags, the deck, undo, redo;
// choices from seed), every animation played out, checking after each step
// that no card is lost or carried and that the record stays sound.
void FuzzGamePlay(unsigned seed);

// The cards in every pile of the live game (the deal group excluded).
int FuzzGameCountCards();
// Every pile in use as text, to tell whether the live game changed.
std::string FuzzGameDescribe();
