// UpdaterLocal.h - what the updater's files share (App/Updater.cpp,
// App/UpdaterDownload.cpp). App/ only.
#pragma once

// Lets the updater's window handle what waits: pumps until 100 pumps found
// nothing to do, resting 0.1 ms after each of those.
void UpdaterProcessPendingMessages();
// The link of the last reply (kUpdaterLinkSize bytes).
const char* UpdaterLinkBuffer();
