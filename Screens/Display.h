// Display.h - "Display", the player's display options: the cards' random
// turn and fade, the deck's card count, the Menu button, the game time and
// its format, the score and the clock with their transparency, and the
// battery gauge (when it shows, where, below which charge it flashes, its
// transparency). Options page 1 and a screen of its own. Every control is
// bound to its byte of the player's record; turn, fade, time format and the
// gauge are applied at once.
//
// State: the screen's handles; for the run, the gauge mode seen when the
// page first started (255 before) and whether the notice that the battery
// is now polled was shown.
#pragma once

#include <cstdint>

class MWinCollection;
class MWinWindow;
struct MWinCallbackRecord;

constexpr int kDisplayBatteryNotPolled = 5;

MWinCollection* DisplayAddCollectionToDesktop();
void DisplayCreateCB();
bool DisplayAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
void DisplayClearButtonHandles();
bool DisplayGetButtonHandlesNormal(const char* collection, const char* window);

void DisplayControlStartingCB();
// "Align": every card in play turned anew.
void DisplayControlAlignCB();
// "Spacing": the cards' fade level from the option, each card's fade anew.
void DisplayControlSpacingCB();
// "TimeFormat": the paused clock's text in the new format.
void DisplayControlTimeFormatCB();
// "ScoresTimeBlend" enabled when the time, the score or the clock is shown.
void DisplayControlUpdateBlend();
// "ShowTime": the blend as above, "TimeFormat" enabled with the time.
void DisplayControlShowTimeCB();
// Places the gauge by the position option (0 bottom, 1 top, 2 left,
// 3 right) with the transparency option as alpha; the first change from
// "not polled" to a polled mode in a run (a list event of the record, or
// forced) shows a notice once; the gauge's poll is due at once. The game
// calls the form without arguments.
void DisplayControlBatteryCB(MWinCallbackRecord* record, std::uint32_t forced, std::uint32_t user2);
void DisplayControlBatteryCB();
void DisplayControlBatteryChangedCB();
// "FlashBattery": "%d %%" of the flash level.
void DisplayControlFlashTextCB();
void DisplayControlDoneCB();

// The run's page state back to its start (tests).
void DisplayResetForTests();
