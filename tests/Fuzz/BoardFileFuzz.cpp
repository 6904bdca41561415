// BoardFileFuzz.cpp - a table board's ".brd" file in the player's boards
// folder: any bytes as the file, read over the new-board template. Every
// kind, shape, gradient and tiling stays in its range, every colour is a
// finite 0..1 and both texts stay inside their fields.
#include <cmath>
#include <cstring>
#include <string>

#include "Game/Decks/Sets.h"
#include "tests/Fuzz/FuzzSupport.h"

namespace {

bool ColourOk(const float* c) {
  for (int i = 0; i < 3; ++i) {
    if (!std::isfinite(c[i]) || c[i] < 0 || c[i] > 1) return false;
  }
  return true;
}

bool In(int value, int low, int high) { return value >= low && value <= high; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  FuzzWriteFile("board.brd", data, size);
  BoardSet board;
  FUZZ_CHECK(SetsReadBoardFile("board.brd", &board));
  FUZZ_CHECK(In(board.bgType, 0, 2) && In(board.tableType, 0, 2));
  FUZZ_CHECK(In(board.bgGradientType, 0, 7) && In(board.tableGradientType, 0, 7));
  FUZZ_CHECK(In(board.tableShape, 0, kSetsNumShapes - 1));
  for (int i = 0; i < 2; ++i) FUZZ_CHECK(In(board.bgTiling[i], 0, 4) && In(board.tableTiling[i], 0, 4));
  for (const float* colour : {board.bgCol1, board.bgCol2, board.tableCol1, board.tableCol2}) {
    FUZZ_CHECK(ColourOk(colour));
  }
  FUZZ_CHECK(strnlen(board.bgFilename, sizeof(board.bgFilename)) < sizeof(board.bgFilename));
  FUZZ_CHECK(strnlen(board.tableFilename, sizeof(board.tableFilename)) < sizeof(board.tableFilename));
  FUZZ_CHECK(strnlen(board.bgStdTex, sizeof(board.bgStdTex)) < sizeof(board.bgStdTex));
  FUZZ_CHECK(strnlen(board.tableStdTex, sizeof(board.tableStdTex)) < sizeof(board.tableStdTex));
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  return {
      {"board.brd",
       "BG_TYPE: 1\r\nBG_FILENAME: \r\nBG_STD_TEX: Velvet\r\nBG_COL_1: 0.200 0.400 0.300\r\n"
       "BG_COL_2: 0.100 0.200 0.150\r\nBG_GRADIENT_TYPE: 2\r\nBG_TILING: 1 1\r\nTABLE_TYPE: 1\r\n"
       "TABLE_FILENAME: \r\nTABLE_STD_TEX: Wood\r\nTABLE_COL_1: 0.600 0.500 0.400\r\n"
       "TABLE_COL_2: 0.500 0.400 0.300\r\nTABLE_GRADIENT_TYPE: 0\r\nTABLE_SHAPE: 3\r\n"
       "TABLE_TILING: 2 2\r\n"},
      {"odd.brd", "TABLE_SHAPE: 12\nBG_COL_1: nan 0 0\r\r\nX BG_TYPE: 2\nBG_TILING: 3\nTABLE_FILENAME: "
                  "/a/BG_TYPE: 2/b.jpg\n"},
  };
}
