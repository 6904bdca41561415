// NewPlayerDeck.h - the deck a new player's first main menu makes (the
// player folder's DeckGen), made once per test run and copied into each
// program test's home, so that a run starts with its cards already made
// instead of spending most of its start making them again.
//
// It is made by the program itself, driven as a new player is: a name
// typed, Continue, the main menu (which makes the deck), Exit. The test
// command makes it first (the setup case ProgramPrepareNewPlayerDeck, which
// every program test requires); a test executable run on its own makes it
// when none is there or the program was built after it.
//
// State: <build>/test-cache/NewPlayerDeck (the folder and a stamp of the
// program it was made with), guarded by a lock file beside it.
#pragma once

#include <string>

// Makes the deck anew; false with why when the program did not make it.
bool TestPrepareNewPlayerDeck(std::string* why);
// Copies the deck into a player folder ("<folder>/DeckGen"), made first
// when missing or older than the program; false with why on failure.
bool TestUseNewPlayerDeck(const std::string& userFolder, std::string* why);
