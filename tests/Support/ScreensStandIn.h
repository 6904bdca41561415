// ScreensStandIn.h - the services above the card core that the application
// shell does not provide yet (the game screens, the screen registry, the
// main menu module, the tutorial, the battery gauge, the file chooser), as
// the card core's and the shell's tests see them.
//
// Each call does nothing or the least its callers need and records itself
// ("ScreensStart Main", "MainMenuButtonShow", ...). Screens are a fixed
// registry that only remembers the screen asked for: no toolkit screen
// opens. The game font is made from the real font file.
#pragma once

#include <string>
#include <vector>

// The calls recorded since the last reset, in order (other stand-ins add to
// the same record).
void StandInRecord(const std::string& call);
const std::vector<std::string>& StandInCalls();
bool StandInCalled(const std::string& call);
void StandInResetCalls();
// The screen the last ScreensStart / ScreensGoto asked for ("" none).
const std::string& StandInLastScreen();
