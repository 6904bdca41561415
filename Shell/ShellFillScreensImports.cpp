// ShellFillScreensImports.cpp - the screens' import table filled with the
// shell's functions (see ShellFills.h).
#include "Screens/ScreensImports.h"
#include "Shell/Shell.h"
#include "Shell/ShellFills.h"

void ShellFillScreensImports() {
  ScreensImports& t = g_ScreensImports;
  t.GameMenuNewGame = GameMenuNewGame;
  t.GameMenuUndo = GameMenuUndo;
  t.GameMenuRedo = GameMenuRedo;
  t.GameMenuHelp = GameMenuHelp;
  t.GameMenuOptions = GameMenuOptions;
  t.GameMenuChangeAutoplay = GameMenuChangeAutoplay;
  t.GameMenuExitToMainMenu = GameMenuExitToMainMenu;
  t.GameMenuExit = GameMenuExit;
  t.GameLeaveProgram = GameLeaveProgram;
  t.GameRememberCurrentScreen = GameRememberCurrentScreen;
}
