// StartupDialog.h - the start-up settings dialog and the Internet tests
// shown before the game window when the configuration is due.
//
// Stand-in until the dialog is built: the configuration applies the
// settings and writes them, as after Play, without a dialog or tests.
#pragma once

// -1 the dialog was closed (quiet end), 0 no program object, 1 Play.
int StartupDialogRun();
