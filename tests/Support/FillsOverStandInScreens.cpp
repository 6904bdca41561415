// FillsOverStandInScreens.cpp - the import tables of a test program that
// links the real player data and shell over the stand-in screens: the card
// core's table from the player data, the player data's from the screens'
// stand-in and the shell. Filled before any test runs; this object is linked
// into every such program (an object library).
#include "App/AppGameImports.h"
#include "Shell/ShellFills.h"
#include "tests/Support/AppImportsStandIn.h"

namespace {

bool FillTables() {
  AppFillGameImports();
  AppImportsFillStandIn();
  ShellFillAppImports();
  return true;
}

[[maybe_unused]] const bool g_filled = FillTables();

}  // namespace
