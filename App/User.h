// User.h - the current player's record and per-game options, as far as the
// card game core reads them.
//
// Minimal stand-in until the application shell lands: only the fields the
// game core uses, with the defaults of a new player, in one global each for
// the run, and the loaded flag that the per-player file names need. The
// shell replaces this unit with the full profile (its file layout, loading
// and saving); UserSetLoaded stands in for its loading until then.
#pragma once

#include <cstdint>

constexpr int kUserMaxNameLength = 32;

struct UserRecord {
  char name[kUserMaxNameLength + 2] = {};  // the player's name, NUL-terminated
  float animSpeed = 1.0f;            // animation speed scale, 1.0 normal
  uint8_t cardAnimationOn = 1;       // the deal is animated
  uint8_t foundationSoundEffect = 3; // 0 sample, 1 sample + effect, 2 rank sound, 3 rank sound + effect
  uint8_t cardAngle = 0;             // random card turn, 0-3
  uint8_t cardSpacing = 0;           // random card spacing, 0-3
  uint8_t hoursAndMinutesClock = 0;  // the clock shows h:mm
  uint8_t playMovesSound = 1;        // card sounds on
  uint8_t undoLevel = 2;             // 0 no undo, 1 not into a marked state, 2 always
  uint8_t gatherCards = 1;           // the cards are gathered after a win
  uint8_t afterWin = 0;              // 0 celebration, 1 new deal, 2 main menu
  uint8_t highlightPlayable = 1;     // card highlight on
};

struct UserGameOptions {
  uint8_t autoplayMode[84] = {};     // 0 off, 1-3
  int32_t elapsedSeconds[84] = {};   // playing time of each game's game in play
};

extern UserRecord g_UserRecord;
extern UserGameOptions g_UserGameOptions;

// Whether a player is loaded; the per-player file names need one.
bool UserIsLoaded();
// Stand-in for the profile's loading: marks a player as loaded or not.
void UserSetLoaded(bool loaded);
