// NearlyWon.h - a Klondike game one move from the win, written as the game
// writes a saved game, for the program tests that end a game.
#pragma once

#include <string>

#include "tests/Program/TablePoint.h"

namespace playrun {

// The last move of the nearly won game: from the top card of the first
// column (a little up its face) to the first foundation.
struct LastMove {
  ScreenPoint from, to;
};

// Deals Klondike in the test's own process, moves every card to the
// foundations by suit but the jack, queen and king of each, which go face
// up on column `suit` (the king lowest), and writes the record as the
// program's saved game file. The current folder must hold the build's
// layouts and the game's cipher must be started. False when a step fails.
bool WriteNearlyWonKlondike(const std::string& file, LastMove* move);

}  // namespace playrun
