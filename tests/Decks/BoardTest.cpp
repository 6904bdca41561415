// Table boards: the ".brd" reader takes keys at the start of a line only,
// bounds its texts, skips the tail of an over-long line and keeps the
// template's values for anything out of range; boards are written through a
// temporary file and never over an existing one; the list and the current
// index; the gradient, tiling and table-rectangle arithmetic.
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

#include "Engine/EngTga.h"
#include "Game/Decks/Board.h"
#include "Game/Decks/Sets.h"
#include "Game/GameImports.h"
#include "Game/UserRecord.h"
#include "tests/Decks/DecksFixture.h"

namespace {

namespace fs = std::filesystem;

class BoardTest : public DecksTest {
 protected:
  static BoardSet Parse(const std::string& text) {
    BoardSet b = SetsGetTemplate();
    SetsParseBoardText(text.data(), static_cast<int>(text.size()), &b);
    return b;
  }
};

TEST_F(BoardTest, TheReaderTakesOnlyWellFormedLines) {
  const BoardSet t = SetsGetTemplate();
  const std::string longName(2000, 'x');
  struct Case {
    std::string text;
    std::function<bool(const BoardSet&)> holds;
  };
  const Case cases[] = {
      {"TABLE_SHAPE: 3\n", [](const BoardSet& b) { return b.tableShape == 3; }},
      // A key inside a value is text, not a key.
      {"BG_FILENAME: /home/a/BG_TYPE: 2/pic.jpg\r\n",
       [&](const BoardSet& b) { return b.bgType == t.bgType && std::strcmp(b.bgFilename, "/home/a/BG_TYPE: 2/pic.jpg") == 0; }},
      {"  BG_TYPE: 1\n", [&](const BoardSet& b) { return b.bgType == t.bgType; }},
      // Texts are bounded to their fields; an over-long line's tail is no line.
      {"BG_STD_TEX: " + longName + "TABLE_SHAPE: 4\n",
       [&](const BoardSet& b) { return std::strlen(b.bgStdTex) == 63 && b.tableShape == t.tableShape; }},
      {"TABLE_FILENAME: " + longName + "\n", [](const BoardSet& b) { return std::strlen(b.tableFilename) == 511; }},
      // Out of range kinds, shapes, tilings and gradients keep the template's.
      {"BG_TYPE: 3\nTABLE_SHAPE: 12\nTABLE_TILING: 5 1\nBG_GRADIENT_TYPE: -1\n",
       [&](const BoardSet& b) {
         return b.bgType == t.bgType && b.tableShape == t.tableShape && b.tableTiling[0] == t.tableTiling[0] &&
                b.bgGradientType == t.bgGradientType;
       }},
      {"BG_COL_2: 0.100 0.200 0.300\nTABLE_COL_2: 0.1 0.2 0.3\n",
       [](const BoardSet& b) { return b.bgCol2[2] == 0.3f && b.tableCol2[0] == 0.1f; }},
      {"TABLE_COL_1: nan 0 0\nBG_COL_1: 0.5 2 0\n",
       [&](const BoardSet& b) { return b.tableCol1[0] == t.tableCol1[0] && b.bgCol1[0] == t.bgCol1[0]; }},
      // CR LF, CR CR LF and LF read alike.
      {"TABLE_SHAPE: 5\r\r\nTABLE_TILING: 2 0\nBG_TYPE: 1\r\n",
       [](const BoardSet& b) { return b.tableShape == 5 && b.tableTiling[0] == 2 && b.bgType == 1; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    EXPECT_TRUE(c.holds(Parse(c.text)));
  }
}

TEST_F(BoardTest, BoardsAreCreatedSavedAndDeletedWithoutLosingOne) {
  ASSERT_EQ(SetsCreateBoard("Mine"), 1);
  const std::string file = UserBoards() + "/Mine.brd";
  ASSERT_TRUE(fs::exists(file));
  Write(file, "TABLE_SHAPE: 7\r\n");
  EXPECT_EQ(SetsCreateBoard("Mine"), -1);  // creating never replaces
  EXPECT_EQ(SetsCreateBoard("../Out"), 0);
  EXPECT_EQ(SetsGetBoards(), 15);
  g_UserRecord.currentBoard = SetsFindBoard("Mine");
  ASSERT_EQ(g_UserRecord.currentBoard, 14);
  ASSERT_TRUE(SetsLoadCurrentBoard());
  EXPECT_EQ(SetsGetCurrentBoard().tableShape, 7);
  SetsGetCurrentBoard().tableShape = 9;
  EXPECT_TRUE(SetsSaveCurrentBoard());
  ASSERT_TRUE(SetsLoadCurrentBoard());
  EXPECT_EQ(SetsGetCurrentBoard().tableShape, 9);
  // A write that cannot be made is reported as such, and the edits stay.
  fs::permissions(UserBoards(), fs::perms::owner_read | fs::perms::owner_exec);
  SetsGetCurrentBoard().tableShape = 10;
  const bool saved = SetsSaveCurrentBoard();
  fs::permissions(UserBoards(), fs::perms::owner_all);
  if (::geteuid() != 0) {  // root writes anyway
    EXPECT_FALSE(saved);
    EXPECT_EQ(SetsGetCurrentBoard().tableShape, 10);
  }
  EXPECT_EQ(SetsDeleteCurrentBoard(), 14);
  EXPECT_FALSE(fs::exists(file));
}

TEST_F(BoardTest, TheListHoldsBuiltInsThenLowerCaseBrdFilesUpToFifty) {
  for (int i = 0; i < 40; ++i) Write(UserBoards() + "/b" + std::to_string(100 + i) + ".brd", "");
  Write(UserBoards() + "/CAPS.BRD", "");
  Write(UserBoards() + "/x.brd.bak", "");
  EXPECT_EQ(SetsGetBoards(), 50);
  EXPECT_EQ(std::string(SetsGetBoardName(14)), "b100");
  EXPECT_EQ(SetsFindBoard("CAPS"), -1);
  const struct {
    int stored, kept;
  } cases[] = {{20, 20}, {60, 49}, {-3, 49}, {0, 0}};
  for (const auto& c : cases) {
    g_UserRecord.currentBoard = c.stored;
    SetsGetBoards();
    EXPECT_EQ(g_UserRecord.currentBoard, c.kept);
  }
  // Without a boards folder a stored index outside the built-ins is bounded
  // before it reads anything.
  fs::remove_all(UserBoards());
  g_UserRecord.currentBoard = -5;
  EXPECT_EQ(SetsGetBoards(), 14);
  EXPECT_EQ(g_UserRecord.currentBoard, 13);
}

TEST_F(BoardTest, GradientsTilingAndTheTableRectangle) {
  EngTga image;
  ASSERT_TRUE(image.CreateWithColour(256, 256, 32, 200 / 255.0f, 200 / 255.0f, 200 / 255.0f, 1));
  BoardSet b = SetsGetTemplate();
  b.tableGradientType = 1;
  b.tableCol1[0] = b.tableCol1[1] = b.tableCol1[2] = 0.5f;
  ASSERT_TRUE(BoardApplyGradientToData(b, kBoardTable, &image));
  EXPECT_EQ(image.GetPixelFromTop(10, 10) & 0xFF, 199u);  // 255 - 128 x 55 / 127, cut
  b.tableCol1[0] = b.tableCol1[1] = b.tableCol1[2] = 1;
  ASSERT_TRUE(BoardApplyGradientToData(b, kBoardTable, &image));
  EXPECT_EQ(image.GetPixelFromTop(10, 10) & 0xFFFFFF, 0xFFFFFFu);
  EngTga small;
  ASSERT_TRUE(small.Create(128, 128, 32));
  EXPECT_FALSE(BoardApplyGradientToData(b, kBoardTable, &small));

  // Tiling 2 0: two cells side by side, the right one mirrored.
  EngTga tiled;
  ASSERT_TRUE(tiled.CreateWithColour(256, 256, 32, 0.5f, 0.5f, 0.5f, 1));
  b.tableType = 2;
  const std::string picture = dir_ + "/halves.tga";
  EngTga halves;
  ASSERT_TRUE(halves.Create(64, 64, 32));
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) halves.SetPixelFromTop(x, y, x < 32 ? 0xFF000000u : 0xFFFFFFFFu);
  ASSERT_TRUE(halves.SaveToFile(picture.c_str()));
  std::snprintf(b.tableFilename, sizeof(b.tableFilename), "%s", picture.c_str());
  b.tableTiling[0] = 2;
  b.tableTiling[1] = 0;
  ASSERT_TRUE(BoardApplyTextureToData(b, kBoardTable, &tiled));
  EXPECT_EQ(tiled.GetPixelFromTop(10, 100) & 0xFFFFFF, 0u);          // left cell, left half dark
  EXPECT_EQ(tiled.GetPixelFromTop(128 + 10, 100) & 0xFFFFFF, 0xFFFFFFu);  // right cell mirrored
  b.tableFilename[0] = 'X';
  EXPECT_FALSE(BoardApplyTextureToData(b, kBoardTable, &tiled));

  float x, y, w, h;
  BoardSetupTableRect(100, 50, 40, 20, true, true);
  BoardGetTableRect(&x, &y, &w, &h);
  EXPECT_EQ(x, 80);
  EXPECT_EQ(y, 40);
  BoardSetupTableRect(100, 50, 40, 20, false, false);
  BoardGetTableRect(&x, &y, &w, &h);
  EXPECT_EQ(x, 100);
  EXPECT_EQ(y, 50);
}

}  // namespace
