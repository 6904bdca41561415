// The deck and board screens' rules that hold without a window: a card back
// that cannot be painted gives the previous one back, chosen paths that do
// not fit their fields leave them alone, the names a new board may take,
// and print runs that write the seven sheets or, failing, leave the older
// sheets and the game's own pictures alone.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "Engine/EngLanguages.h"
#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/CardsGenerate.h"
#include "Game/Decks/DecksBacks.h"
#include "Game/Decks/DecksFiles.h"
#include "Game/Decks/LoadCards.h"
#include "Game/GameImports.h"
#include "Game/UserRecord.h"
#include "Platform/Image.h"
#include "Screens/Decks/DecksScreen.h"
#include "Screens/Decks/Print.h"
#include "Screens/Decks/SetsScreens.h"
#include "tests/Decks/DecksFixture.h"

namespace {

namespace fs = std::filesystem;

class DeckScreensTest : public DecksTest {};

TEST_F(DeckScreensTest, ABackThatCannotBePaintedGivesThePreviousOneBack) {
  ASSERT_TRUE(UseRealDecks());
  g_UserRecord.currentDeck = 0;
  g_UserRecord.currentCardBack = 2;
  DecksControlSetBackElements(false);
  ASSERT_TRUE(CardsDecksSetTextureSizeForQuality(0, 0));
  ASSERT_TRUE(CardsDecksGenerateDeckIfNeeded(0, 0, false));
  const std::string back = dir_ + "/DeckGen/2Cols/" + CardsDecksGetDeckName(0) + "/ba.tga";
  const auto painted = fs::last_write_time(back);

  // A picture of the player's own that is no picture at all.
  Write(dir_ + "/Pictures/Broken.tga", "not a picture");
  std::snprintf(g_UserRecord.cardBackPaths[0], sizeof g_UserRecord.cardBackPaths[0], "%s",
                (dir_ + "/Pictures/Broken").c_str());
  EXPECT_FALSE(DecksSelectBack(16, false, 2));
  EXPECT_EQ(g_UserRecord.currentCardBack, 2);
  EXPECT_EQ(fs::last_write_time(back), painted);
  // The generator points at the previous back again.
  const char* slot = CardsGenerateGetElementFilename(kGenSlotBack, false);
  ASSERT_NE(slot, nullptr);
  EXPECT_NE(std::string(slot).find(DecksGetStandardBack(2).back), std::string::npos);

  // A standard back is painted with its overlay and becomes current.
  EXPECT_TRUE(DecksSelectBack(5, false, 2));
  EXPECT_EQ(g_UserRecord.currentCardBack, 5);
  EXPECT_NE(CardsGenerateGetElementFilename(kGenSlotBackOverlay, false), nullptr);
  // Choosing the current back again does nothing.
  EXPECT_FALSE(DecksSelectBack(5, false, 5));
}

TEST_F(DeckScreensTest, AChosenPathThatDoesNotFitLeavesTheFieldAsItWas) {
  char field[512];
  std::strcpy(field, "/home/player/Pictures");
  const struct {
    std::size_t length;
    bool taken;
  } cases[] = {{511, true}, {512, false}, {512 + 255, false}, {0, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    std::strcpy(field, "/home/player/Pictures");
    const std::string path(c.length, 'p');
    EXPECT_EQ(DecksCopyPath(field, sizeof field, path.c_str()), c.taken);
    EXPECT_EQ(std::string(field), c.taken ? path : "/home/player/Pictures");
  }
  EXPECT_FALSE(DecksCopyPath(field, sizeof field, nullptr));
}

TEST_F(DeckScreensTest, TheNamesANewBoardMayTake) {
  const struct {
    const char* name;
    bool valid;
  } cases[] = {
      {"Garden", true},   {"x ", true},      {"Default Board 3", true}, {"", false},     {" x", false},
      {"\tx", false},     {"../x", false},   {"a/b", false},            {"a\\b", false}, {"..", false},
      {"a\x01" "b", false},
  };
  for (const auto& c : cases) EXPECT_EQ(SetsIsValidNewBoardName(c.name), c.valid) << '"' << c.name << '"';
  EXPECT_FALSE(SetsIsValidNewBoardName(std::string(64, 'b').c_str()));
  EXPECT_TRUE(SetsIsValidNewBoardName(std::string(63, 'b').c_str()));
}

// ---- Printing -----------------------------------------------------------------------------------

TEST(PrintSheetTest, SheetsCellsAndTheOrderOfTheFronts) {
  const struct {
    int size, width, height, left, top;
  } sizes[] = {{0, 2480, 3508, 142, 195}, {1, 2196, 3117, 0, 0}};
  for (const auto& s : sizes) {
    int width, height, left, top;
    PrintGetSheetGeometry(s.size, &width, &height, &left, &top);
    EXPECT_EQ(width, s.width);
    EXPECT_EQ(height, s.height);
    EXPECT_EQ(left, s.left);
    EXPECT_EQ(top, s.top);
  }
  // Size 0's last cell starts at 1606, 2273 and ends inside the page.
  EXPECT_EQ(142 + 2 * kPrintCellWidth, 1606);
  EXPECT_EQ(195 + 2 * kPrintCellHeight, 2273);
  const struct {
    int sheet, cell;
    const char* card;
  } cards[] = {{1, 0, "ah"}, {1, 8, "9h"}, {2, 3, "kh"}, {2, 4, ""},  {2, 5, "as"}, {2, 8, "4s"},
               {4, 0, "ad"}, {5, 3, "kd"}, {5, 4, ""},   {5, 5, "ac"}, {6, 8, "kc"}, {7, 0, ""}};
  for (const auto& c : cards) EXPECT_EQ(PrintGetFrontCard(c.sheet, c.cell), c.card) << c.sheet << " " << c.cell;
}

class PrintTest : public DecksTest {
 protected:
  void SetUp() override {
    DecksTest::SetUp();
    ASSERT_TRUE(EngLanguagesInit(CARDOLIA_BUILD_DIR "/Languages", "English"));
  }
  void TearDown() override {
    EngLanguagesRelease();
    DecksTest::TearDown();
  }
  static std::string Sheets() {
    std::string folder = PrintGetOutputFolder();
    for (char& c : folder) c = c == '\\' ? '/' : c;
    return folder;
  }
  // The game's own deck folder, made before the run.
  std::string GameDeck() {
    return std::string(CardsDecksGetDeckGenPath()) + "/" + CardsDecksGetDeckName(g_UserRecord.currentDeck);
  }
  static int Pictures(const std::string& folder) {
    int n = 0;
    if (!fs::is_directory(folder)) return 0;
    for (const auto& entry : fs::directory_iterator(folder)) n += entry.path().extension() == ".tga";
    return n;
  }
  static std::uint32_t Rgb(const PlatformImage& image, int x, int y) { return image.At(x, y) & 0xFFFFFFu; }
};

TEST_F(PrintTest, ARunWritesSevenSheetsAndLeavesTheGamesDeckAsItWas) {
  ASSERT_TRUE(UseRealDecks());
  g_UserRecord.currentDeck = 0;
  g_UserRecord.printOptions[1] = 1;  // cards only
  ASSERT_TRUE(LoadCardsGenerateCurrentDeckIfNeeded(false, 0) || Pictures(GameDeck()) == 54);
  ASSERT_TRUE(PrintCreateFiles());
  // The scratch folder is gone; the game's pictures are there again.
  EXPECT_FALSE(fs::exists(Sheets() + "/PrintDeck"));
  EXPECT_EQ(Pictures(GameDeck()), 54);
  PlatformImage sheet;
  ASSERT_TRUE(PlatformImageLoadFile((Sheets() + "/Card Backs.jpg").c_str(), &sheet, nullptr));
  EXPECT_EQ(sheet.width, 2196);
  EXPECT_EQ(sheet.height, 3117);
  for (int s = 1; s <= 6; ++s) {
    SCOPED_TRACE(s);
    ASSERT_TRUE(PlatformImageLoadFile((Sheets() + "/Card Fronts " + std::to_string(s) + ".jpg").c_str(), &sheet,
                                      nullptr));
    // The fifth cell's middle: white on sheets 2 and 5 only.
    const std::uint32_t middle = Rgb(sheet, kPrintCellWidth * 3 / 2, kPrintCellHeight * 3 / 2);
    const std::uint32_t corner = Rgb(sheet, kPrintCellWidth + 40, kPrintCellHeight + 60);
    if (s == 2 || s == 5) {
      EXPECT_GT(middle & 0xFF, 0xF8u);
      EXPECT_GT(corner & 0xFF, 0xF8u);
    } else {
      EXPECT_NE(middle, corner);  // a card: its pip and its base differ somewhere
    }
  }
  // No temporary file is left beside the sheets.
  for (const auto& entry : fs::directory_iterator(Sheets())) {
    EXPECT_EQ(entry.path().string().find(".tmp-"), std::string::npos) << entry.path();
  }
}

TEST_F(PrintTest, ARunThatCannotMakeItsFolderWritesNoSheetAndKeepsTheGamesDeck) {
  ASSERT_TRUE(UseRealDecks());
  g_UserRecord.currentDeck = 0;
  ASSERT_TRUE(LoadCardsGenerateCurrentDeckIfNeeded(false, 0) || Pictures(GameDeck()) == 54);
  const std::string game = GameDeck();
  // A file where the scratch folder should be: the run fails before it
  // has a folder of its own to clean up.
  Write(Sheets() + "/PrintDeck", "in the way");
  // A file of the game's deck folder that no generation makes again.
  Write(game + "/keep.txt", "kept");
  EXPECT_FALSE(PrintCreateFiles());
  EXPECT_TRUE(fs::exists(game + "/keep.txt"));
  EXPECT_EQ(GameDeck(), game);
  EXPECT_EQ(Pictures(game), 54);
  EXPECT_TRUE(fs::is_regular_file(Sheets() + "/PrintDeck"));
  EXPECT_FALSE(fs::exists(Sheets() + "/Card Backs.jpg"));
}

}  // namespace
