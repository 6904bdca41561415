// FillsOfProgram.cpp - the import tables of a test program that links every
// layer of the game, filled as the program entry fills them, before any
// test runs. This object is linked into every such program (an object
// library).
#include "Shell/ShellFills.h"

namespace {

bool FillTables() {
  ShellFillAllImports();
  return true;
}

[[maybe_unused]] const bool g_filled = FillTables();

}  // namespace
