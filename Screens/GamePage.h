// GamePage.h - "Game", the main menu's page 0 (and a screen of its own):
// for the game chosen in the menu's list, a picture of its table drawn in
// 3D into a frame (the player's saved game face down when there is one,
// else the game's stock picture of deal 1), the number of decks, the
// difficulty and skill bars, the autoplay level to choose and a deal
// number to play. Embedded in the main menu its rows are added to the
// menu's window and looked up in "Main".
//
// Files: GamePage.cpp (rows, ratings, autoplay, deal number),
// GameSnapshot.cpp (the picture: its files, its checks and its drawing).
//
// State: the screen's handles, the bar width, the offered autoplay levels,
// the deal-number text and the number entered, the picture's viewport, the
// guard of the picture's preparation. The picture itself is the card
// core's (GenGetSaveCardDetails).
#pragma once

#include <cstdint>

class MWinCollection;
class MWinWindow;
struct SaveCardDetails;

constexpr int kGameAutoplayModes = 4;  // 0 off, 1-3

MWinCollection* GameAddCollectionToDesktop();
void GameCreateCB();
bool GameAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
void GameClearButtonHandles();
bool GameGetButtonHandlesNormal(const char* collection, const char* window);
bool GameGetButtonHandles();

void GameControlStartingCB();
// "Deck1" to "Deck3" up to the game's decks; the two bars' widths.
void GameControlShowRatings();
// The width of a rating bar for a rating 0-100 of a bar width W: the skill
// rating x W / 100, the difficulty (101 - rating) x W / 100; at least 1 and
// at most W.
float GameControlBarWidth(int rating, float barWidth, bool difficulty);

// ---- Autoplay ----------------------------------------------------------------------
// The offered levels of the current game (four flags, 0 off and 1-3).
void GameControlSetupAutoplayEntries();
void GameControlFillAutoplayList();
const char* GameControlAutoplayEntryText(int entry);
void GameControlAutoplaySelectCB();
void GameControlAutoplayInfoCB();
// The next offered level above stored (1, 2 or 3 from off; the first
// offered), else the lowest offered; -1 when none is offered. A stored
// level outside 0-3 gives the lowest.
int GameControlNextAutoplayLevel(const bool* offered, int stored);
// The in-game A key: false when the current game offers no autoplay level;
// else the next level is set and its name written into text (at least 128
// bytes).
bool GameControlCycleAutoplayLevel(char* text);

// ---- Deal number ------------------------------------------------------------------------
// A deal number as the player types it: 1 to 10 digits and nothing else,
// from 1 to 4294967295. kNone with the number, or what is wrong with the
// text (the number is then left alone).
enum class DealNumberFault { kNone, kEmpty, kNotDigits, kZero, kTooLarge };
DealNumberFault GameControlParseDealNumber(const char* text, std::uint32_t* number);
// The language token that tells the player what is wrong; null for kNone.
const char* GameControlDealNumberFaultToken(DealNumberFault fault);
void GameControlEnterDealNumberCB();
void GameControlDealNumberEnteredCB(int result);
void GameControlPlayDealNumberCB(int result);

// ---- The picture (GameSnapshot.cpp) -----------------------------------------------------
// The viewport of the picture in window pixels for "RenderBg"'s area (640 x
// 480 units) and the window size: inset 4 units, edges cut to whole units,
// each coordinate x width / 640 or x height / 480 rounded toward zero.
struct GameSnapshotViewport {
  int x, y, w, h;
};
GameSnapshotViewport GameControlSnapshotViewportFor(float x, float y, float w, float h, int width,
                                                    int height);
// The viewport from "RenderBg" when the toolkit shows the main menu (the
// player data calls it through App/AppImports.h).
void GameControlUpdateSnapshotViewport();
GameSnapshotViewport GameControlGetSnapshotViewport();
// Makes the current game's stock picture when it is missing.
void GameControlPrepareSnapshot();
// The page's start asks for the stock picture and the menu's tick makes it
// once the page has been left alone for kGameSnapshotRestMs (no input, none
// waiting, no mouse button held): a New Game pressed as the player picks
// the game deals at once, and the picture waits for the page's next showing
// (its making holds the program for a second or more).
constexpr unsigned kGameSnapshotRestMs = 1000;
void GameControlAskForSnapshot();
void GameControlTickSnapshot();
// Loads the picture: the player's own of the saved game, else the stock
// one. True when a picture is shown.
bool GameControlLoadSnapshot();
// The picture's counts fit the game record's arrays.
bool GameControlSnapshotIsValid(const SaveCardDetails& details);
void GameControlSetupSnapshotGroups();
void GameControlRenderSnapshotCards();
void GameControlRenderSnapshot();
// A picture is loaded and drawn.
bool GameControlHasSnapshot();
