// ShellFillAllImports.cpp - every import table of the program filled in
// one call (see ShellFills.h).
#include "App/AppGameImports.h"
#include "Screens/ScreensFills.h"
#include "Shell/ShellFills.h"

void ShellFillAllImports() {
  AppFillGameImports();
  ScreensFillAppImports();
  ShellFillAppImports();
  ShellFillScreensImports();
}
