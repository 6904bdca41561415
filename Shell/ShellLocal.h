// ShellLocal.h - the shell's state, shared by its files (see Shell.h). Not
// for use outside the shell.
#pragma once

#include <cstdint>

class EngFont;
class EngTexture;

// Reset only by GameShellResetForTests; otherwise lives for the run.
struct GameShellState {
  bool pausedByIdle = false;       // the pause screen was opened by the idle pause
  bool deckNeedsGenerating = false;  // the loading steps' answer of step 1
  double lastProgressTime = -1;    // engine seconds of the last progress text
  float pointerX = 0, pointerY = 0;          // screen pixels
  bool menuCornerHot = false;      // the pointer is over the menu corner
  uint8_t swallowRelease = 0;      // bit per button: its press closed the in-game menu
  uint8_t keyLatch[256] = {};      // a key already counted for this press
  bool volumePulse = true;         // the start of play pulses the volume (0.3 s)
  // The game could not be saved as the table was left (GameLeaving): the
  // player is to be asked, or is being asked (askingUnsaved).
  int unsavedLeaving = 0;
  bool askingUnsaved = false;
  bool askStartedToolkit = false;  // the toolkit was started for the question
  // The program's own Exit has written the player's files (the shutdown
  // writes nothing again), and waits for a notice of one not written.
  bool savedForLeaving = false;
  bool leavingAfterNotice = false;
};

GameShellState& GameShellGetState();

// The shell's fonts and textures (ShellGraphics.cpp): the game font once
// created, else null.
EngFont* GameShellFont();

// Screen ids of the registry (-1 when not registered).
int GameShellScreen(const char* collection);
// The toolkit shows a screen.
bool GameShellIsWindowOpen();
// Goes to a registered screen; one that is not registered is logged.
void GameShellGotoScreen(const char* collection);
