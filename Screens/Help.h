// Help.h - "Help": the rules of the current game in a scrolling script text
// (the objective and each titled rule), a row of glossary buttons for the
// terms the game uses (each opens a popup with the term's explanation), a
// button that starts the lesson of the tutorial game, and Done. A screen of
// its own opened from play (F1, or Rules in the in-game menu; the game
// clock is paused), and the main menu's page 1, where its title, frame and
// Done are hidden.
//
// The unit also holds HelpControlDoneCB, the one return from a toolkit
// screen to the game in play, which Pause, the in-game menu and About use.
//
// State: the screen's handles, the rules text (5,000 bytes, kept while the
// script shows it), the tutorial button's pulse phase.
#pragma once

class MWinCollection;
class MWinWindow;

constexpr int kHelpGlossaryButtons = 16;
constexpr int kHelpGlossaryTopics = 19;  // 0 = no topic, 1-18 the terms
constexpr int kHelpRulesTextSize = 5000;

MWinCollection* HelpAddCollectionToDesktop();
void HelpCreateCB();
bool HelpAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
void HelpClearButtonHandles();
// Looks the buttons up in the collection and window given.
bool HelpGetButtonHandlesNormal(const char* collection, const char* window);
bool HelpGetButtonHandles();

void HelpControlStartingCB();
void HelpControlTickCB();
// Builds the rules text of the current game and lays out the glossary
// buttons.
void HelpControlBuildRulesText();
void HelpControlTutorialCB();
// Back to the game in play (nothing but forgetting the handles in the main
// menu): the Escape key's state cleared, the screens stopped and the
// toolkit shut down, the idle timer reset, the game clock resumed (the
// faces shown again), program mode 3.
void HelpControlDoneCB();

// The rules text of the current game into text (size bytes): "<1<" and the
// objective heading, a line break and the objective; then for each rule
// with a title two line breaks, "<1<", the title, a line break and the
// rule's text. Blocks that do not fit are left out whole. False when one
// was left out.
bool HelpBuildRulesTextInto(char* text, int size);
// The title of a glossary topic (sub-text topic of "Help_GlossaryTitleList")
// and its explanation; null for a topic outside 1-18.
const char* HelpGlossaryTitle(int topic);
const char* HelpGlossaryText(int topic);
// The number of glossary entries of the current game: the position after
// its last topic that is not 0.
int HelpGlossaryCount();

// The glossary buttons laid out in rows from (left, top) within the
// script's right edge: a button is its text's width + 8 wide and rowHeight
// high, the next starts 10 after the text; one that would pass the right
// edge starts a new row rowHeight + 2 lower. Entries of width < 0 are not
// placed (x < 0). Returns the number of rows.
struct HelpButtonPlace {
  float x, y, w;
};
int HelpLayoutGlossary(const float* textWidths, int count, float left, float right, float top,
                       float rowHeight, HelpButtonPlace* places);
