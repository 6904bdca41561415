// ScreenRows.h - the pattern every screen is built by: a screen is one
// toolkit collection named after it, holding one window "MainWin" (0, 0,
// 640 x 480, no title bar, no frame) whose buttons come from a table of
// rows. A layout unit keeps its rows as a static table and builds them with
// these helpers; its control unit looks the buttons up again into its
// handles with a ScreenLookUp.
//
// Only the Normal layout is ever built: the toolkit's layout index is 0
// for the whole run, and an index outside 0-3 builds Normal too.
//
// No state.
#pragma once

#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinWindow.h"

class MWinHorzScrollbar;

// One button row and the settings applied right after it is created.
struct ScreenRow {
  const char* id;
  int kind;                // MWinButtonKind
  const char* texBut;      // the look: "Main", "Back1", "Panel", "MWIN_TEXBUT_NONE" ...
  const char* text;        // initial text
  float x, y, w, h;
  float colour[4];         // text colour
  float scaleX, scaleY;    // text scale
  int align;               // 0 left, 1 centre, 2 right
  const char* token;       // language token of the text, or null
  const char* text2;       // second text line, or null
};

// The row's common settings for the game's screens.
constexpr float kScreenTextColour[4] = {1, 1, 1, 0.7f};

// Adds the rows to the window and applies each button's settings (a row of
// kind MWIN_BUT_HORZSCROLLBAR becomes a horizontal scrollbar). A row that
// cannot be created is skipped and the later rows are still added; then
// "Could not add button(s) to window" is reported once (under where) and
// false returned. No window: "No window", false.
bool ScreenAddRows(const char* where, MWinWindow* window, const ScreenRow* rows, int count);

// The rows of one layout (none: count 0).
struct ScreenLayoutRows {
  const ScreenRow* rows;
  int count;
};
// The layout a screen builds under the toolkit's layout index: the index's
// own when the screen has rows for it, else Normal (0); an index outside
// 0-3 is Normal.
int ScreenLayoutFor(const ScreenLayoutRows layouts[4]);

// Creates the screen's collection on the toolkit's desktop and its window
// "MainWin", then the rows. Null when there is no desktop ("Could not get
// default desktop") or the collection cannot be made ("Could not create
// collection <name>"); the collection is returned also when its window or
// buttons failed.
MWinCollection* ScreenAddCollection(const char* name, const ScreenRow* rows, int count);
// The same for a screen with rows for several layouts: the collection is
// set to the layout ScreenLayoutFor chooses and holds that layout's rows.
MWinCollection* ScreenAddCollectionLayouts(const char* name, const ScreenLayoutRows layouts[4]);

// Looks up a screen's buttons by ID in one collection's window: the one way
// a screen fills its handles. The window is found once, when the lookup is
// made. A needed button that is not there is reported by the toolkit ("ID
// <...> not found") and clears AllFound, as a missing collection or window
// does (reported once).
class ScreenLookUp {
 public:
  explicit ScreenLookUp(const char* collection, const char* window = "MainWin");
  // A button the screen needs, or null.
  MWinButton* operator()(const char* id);
  // A needed horizontal scrollbar, or null; a button of another kind is
  // reported and counts as missing.
  MWinHorzScrollbar* Scrollbar(const char* id);
  // A button that only some layouts or hosts have: not reported when
  // missing, and AllFound stays as it is.
  MWinButton* Optional(const char* id) const;
  // True while every needed button was found.
  bool AllFound() const { return allFound_; }

 private:
  const char* collection_;
  MWinWindow* window_;
  bool allFound_;
};

// The screen's window, or null.
MWinWindow* ScreenWindow(const char* collection);

// The one empty callback, set wherever a callback must exist and nothing is
// to happen.
void DoNothingCB();
