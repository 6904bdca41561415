// ScreensImports.h - what the other screens call in the deck and board
// screens (Screens/Decks/, the same library), and the import table of what
// the screens call in the program's shell above them (Shell/): one place to
// read what they need of them. The deck screens define their calls (their
// units include this header). (Deck generation and the face textures are
// the card core's, Game/Decks/.)
//
// State: the table g_ScreensImports, filled at start and kept for the run.
#pragma once

#include <cstdint>

#include "Engine/EngImport.h"

class MWinWindow;
struct MWinCallbackRecord;

// Adds the deck screens (DeckGen, Decks, Print, Publish) to the screen table.
void LoadCardsCreateDeckScreens();
// The number of the deck screen with this collection name; -1 for others.
int LoadCardsGetDeckScreenId(const char* collection);
// Whether the card decks are generated in their four-colour mode.
bool CardsDecksIsFourColor();
// Generates the current deck's missing card textures before a game starts.
void DecksControlGenerateCurrentDeck();

// ---- The board screens (registry rows "Sets" and "SetsEdit") ---------------------
void SetsCreateCB();
void SetsControlStartingCB();
void SetsEditCreateCB();
void SetsEditControlStartingCB();

// ---- Every deck and board screen's handles, cleared before each change -----------
void DeckGenClearButtonHandles();
void DecksClearButtonHandles();
void PrintClearButtonHandles();
void PublishClearButtonHandles();
void SetsClearButtonHandles();
void SetsEditClearButtonHandles();

// ---- The Options screen's pages 2 (Decks) and 3 (Sets, table boards) ----------
// Each adds its Normal rows to the Options window and binds them in its
// Starting callback; the host clears their handles when it changes page.
bool DecksAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
void DecksControlStartingCB();
// Applies the deck shown; with a record (the page's Done) also leaves.
void DecksControlClose(MWinCallbackRecord* record, std::uint32_t user1, std::uint32_t user2);
bool SetsAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
// The board's background picture over the whole screen again.
void SetsControlResetPictureRect();
// The board preview of the Sets page (main menu only).
void SetsControlRenderPreview();
// The board editor is open in place of the Sets page.
bool SetsEditControlIsOpen();
// Saves the board being edited; with a record (the editor's Done) also
// returns to the game.
void SetsEditControlDoneCB(MWinCallbackRecord* record, std::uint32_t user1, std::uint32_t user2);

// ---- The shell (Shell/): the import table ---------------------------------------
// The screens never link against the shell above them. They call it through
// this table of slots (Engine/EngImport.h), g_ScreensImports.GameMenuUndo();
// the shell fills it (ShellFillScreensImports, Shell/ShellFills.h) before
// anything runs.
struct ScreensImports {
  // The in-game menu's commands (the shell's keys run the same ones): a new
  // deal, undo, redo, the rules, the Options screen, the next autoplay level,
  // back to the main menu, out of the program (each with the game saved,
  // or left at the table when it cannot be saved).
  EngImport<void()> GameMenuNewGame{"GameMenuNewGame"};
  EngImport<void()> GameMenuUndo{"GameMenuUndo"};
  EngImport<void()> GameMenuRedo{"GameMenuRedo"};
  EngImport<void()> GameMenuHelp{"GameMenuHelp"};
  EngImport<void()> GameMenuOptions{"GameMenuOptions"};
  EngImport<void()> GameMenuChangeAutoplay{"GameMenuChangeAutoplay"};
  EngImport<void()> GameMenuExitToMainMenu{"GameMenuExitToMainMenu"};
  EngImport<void()> GameMenuExit{"GameMenuExit"};
  // Out of the program by the menu's or the player selection's Exit: the
  // player's files written first, a write that fails told before the
  // window closes.
  EngImport<void()> GameLeaveProgram{"GameLeaveProgram"};
  // Stores the program mode and the current screen (-1 none) in the player's
  // record.
  EngImport<void()> GameRememberCurrentScreen{"GameRememberCurrentScreen"};
};

extern ScreensImports g_ScreensImports;
