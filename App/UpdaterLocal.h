// UpdaterLocal.h - what the updater's files share (App/Updater.cpp,
// App/UpdaterDownload.cpp). App/ only.
#pragma once

#include "App/Updater.h"

// Lets a window just made show itself: pumps until 100 pumps found nothing
// to do, resting 0.1 ms after each of those.
void UpdaterProcessPendingMessages();
// One frame's look after the open window: handles what waits, no rest.
void UpdaterPumpWindow();
// A message box that leaves the game's device alone (the game goes on
// after it, also in full screen).
void UpdaterBox(int kind, const char* title, const char* text);
// A language text when the language has it, else the given English.
const char* UpdaterText(const char* token, const char* english);
// The link and the file's facts of the last reply (kUpdaterLinkSize bytes).
const char* UpdaterLinkBuffer();
const UpdaterFileFacts& UpdaterFactsOfReply();

// The download (UpdaterDownload.cpp). Opens its window and starts the
// transfer; false, after a box, when the link names no file that may be
// saved (the service's link is refused) or the reply's facts do not read.
bool UpdaterStartDownload();
// Every frame while it runs: the window, the progress and Cancel.
void UpdaterDownloadTick();
// From a started download until its box has been shown.
bool UpdaterDownloadRunning();
// Whether the last download placed its file on the desktop.
bool UpdaterDownloadSucceeded();
