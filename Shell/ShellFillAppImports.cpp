// ShellFillAppImports.cpp - the shell's slots of the player data's import
// table (see ShellFills.h). A file of its own: tests that link the shell
// over stand-in screens use it without the screens' table.
#include "App/AppImports.h"
#include "Shell/Shell.h"
#include "Shell/ShellFills.h"

void ShellFillAppImports() {
  AppImports& t = g_AppImports;
  t.GameSetupLogLanguagesAndFolders = GameSetupLogLanguagesAndFolders;
  t.GamePreDeviceInit = GamePreDeviceInit;
  t.GamePostDeviceInit = GamePostDeviceInit;
  t.GameTickCB = GameTickCB;
  t.GameIsWorkPending = GameIsWorkPending;
  t.GameRenderCB = GameRenderCB;
  t.GameInputEventCB = GameInputEventCB;
  t.GameOnActiveChanged = GameOnActiveChanged;
  t.GameAfterModeChange = GameAfterModeChange;
  t.GameShutdown = GameShutdown;
  t.GameLogResolutionSettings = GameLogResolutionSettings;
  t.GameCreateGraphics = GameCreateGraphics;
  t.GameFreeGraphics = GameFreeGraphics;
  t.GameStartForUser = GameStartForUser;
  t.GameMenuShowInGameMenu = GameMenuShowInGameMenu;
}
