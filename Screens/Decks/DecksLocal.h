// DecksLocal.h - the Decks screen's state, shared by its two files
// (DecksScreen.cpp, DecksControl.cpp). Not for use outside them.
#pragma once

#include "Engine/EngTexture.h"
#include "Game/Decks/DecksBacks.h"
#include "Screens/Decks/DecksScreen.h"

class MWinButton;

struct DecksHandles {
  MWinButton* title = nullptr;
  MWinButton* bg = nullptr;
  MWinButton* set = nullptr;
  MWinButton* deck = nullptr;
  MWinButton* newDeck = nullptr;
  MWinButton* edit = nullptr;
  MWinButton* remove = nullptr;
  MWinButton* cardsBg = nullptr;
  MWinButton* print = nullptr;
  MWinButton* upload = nullptr;
  MWinButton* fourText = nullptr;
  MWinButton* four = nullptr;
  MWinButton* fourInfo = nullptr;
  MWinButton* texQualText = nullptr;
  MWinButton* texQual = nullptr;
  MWinButton* texQualNote = nullptr;
  MWinButton* texQualInfo = nullptr;
  MWinButton* backBg = nullptr;
  MWinButton* cardSel = nullptr;
  MWinButton* cards[kDecksNumBacks] = {};
  MWinButton* cardEdits[kDecksNumBacks - kDecksNumStandardBacks] = {};
  MWinButton* done = nullptr;
};

struct DecksScreenState {
  DecksHandles h;
  int savedMode = -1;
  int lastDeck = -1;
  int lastQuality = -1;
  EngTexture previews[kDecksNumPreviews];
  EngTexture backs[kDecksNumBacks];
  int waitingSlot = -1;
  char newName[32] = {};
};

DecksScreenState& DecksGetState();
// Restores the program mode found on entry (before another screen opens).
void DecksRestoreProgramMode();
