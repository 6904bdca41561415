// Options.h - "Options", the screen that holds the nine option pages:
// 0 General, 1 Display, 2 Decks, 3 Sets (table boards), 4 Cameras,
// 5 Lights, 6 Startup, 7 Keys, 8 System. It has a title, a page choice
// ("Type", bound to the player's page byte) and "Back"; the chosen page's
// rows are added below them into the same window and bound by the page's
// Starting callback, which looks its buttons up in "Options".
//
// Opened from the main menu it shows its title and Back; opened from play
// it hides both, narrows the page choice and lets the page's Done (or
// Escape) return to the game. Changing page first applies the page that is
// left (sound hook and volume, settings file).
//
// OptionsControlMoveButtons places a page's frame, title and Done below the
// page choice; it remembers the three it was last given, and forgets them
// whenever the rows they belong to are removed (a page change, a screen
// change), so that it never moves buttons that are gone.
//
// State: the screen's handles and the remembered frame, title and Done.
#pragma once

#include <cstdint>

class MWinButton;
class MWinCollection;
class MWinWindow;
struct MWinCallbackRecord;

constexpr int kOptionsNumPages = 9;
enum OptionsPage : int {
  kOptionsGeneral = 0,
  kOptionsDisplay = 1,
  kOptionsDecks = 2,
  kOptionsSets = 3,
  kOptionsCameras = 4,
  kOptionsLights = 5,
  kOptionsStartup = 6,
  kOptionsKeys = 7,
  kOptionsSystem = 8,
};

MWinCollection* OptionsAddCollectionToDesktop();
void OptionsCreateCB();
// Forgets the handles and the remembered bottom buttons.
void OptionsClearButtonHandles();
bool OptionsGetButtonHandlesNormal(const char* collection, const char* window);
bool OptionsGetButtonHandles();

void OptionsControlStartingCB();
// While the Lights page is shown: its update.
void OptionsControlUpdateCB();
// "Type": shows the chosen page (with a record, the page shown so far is
// applied first). Without "Type": "No type button".
void OptionsTypeCB(MWinCallbackRecord* record, std::uint32_t user1, std::uint32_t user2);
// "Back": applies the open page's settings and writes them; with a record
// also saves the player and leaves.
void OptionsControlBackCB(MWinCallbackRecord* record, std::uint32_t user1, std::uint32_t user2);
// Lays out a page's bottom area; a missing argument takes the one given
// before. Without all three and "Type": "Internal Error", nothing moves.
void OptionsControlMoveButtons(MWinButton* frame, MWinButton* title, MWinButton* done);
// A page's bottom area, laid out by OptionsControlMoveButtons while the page
// is shown in Options; on its own screen the rows stay as they are built.
void OptionsLayOutPage(MWinButton* frame, MWinButton* title, MWinButton* done);
// The drawing after the toolkit's windows: the open page's preview.
void OptionsControlRender();
// After a display-mode change (the System page's Change, which leaves the
// page up in the main menu; Alt+Enter; a resize): the System page, when it
// is shown, is built and started again, so that its choices start from the
// mode now running and a change back can be asked for at once.
void OptionsControlAfterModeChange();

// The page byte as a page, 0-8 whatever the profile holds.
int OptionsGetPage();
// The current screen is Options (a page then looks its buttons up there).
bool OptionsIsCurrent();
// The collection a page's buttons are in: "Options" while it is current,
// else the page's own.
const char* OptionsPageCollection(const char* own);
// The program is in the main menu (program mode 2): the options are not
// over a game.
bool OptionsInMainMenu();
