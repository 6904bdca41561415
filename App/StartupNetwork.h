// StartupNetwork.h - what the start asks of the network, done once the game
// window is up: the weekly update check when it is due, then the Internet
// tests when the start-up dialog left them due.
//
// The start decides (Program::InitCB) and goes on to the window at once;
// the program's tick then runs the two one after the other. Their waits are
// jobs on worker threads, so the window draws and takes input throughout;
// their windows and boxes are those of the updater (App/Updater.h) and the
// start-up dialog (App/StartupDialog.h). A check that placed a download on
// the desktop ends the game, as it is to be installed; the tests' outcome
// is written into the settings file when they are settled.
//
// State: what is due, what runs, and the frames seen.
#pragma once

// Start-up: what is to run once the window is up.
void StartupNetworkSchedule(bool updateCheck, bool internetTests);
// Every frame with a window (Program::TickCB). Begins with the second
// frame, so that the first is on screen before any window or box.
void StartupNetworkTick();
// True until everything scheduled has ended.
bool StartupNetworkIsBusy();
