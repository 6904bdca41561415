// The deck and board screens' rules that hold without a window: a card back
// that cannot be painted gives the previous one back, chosen paths that do
// not fit their fields leave them alone, and the names a new board may take.
#include <cstring>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "Decks/CardsDecks.h"
#include "Decks/CardsGenerate.h"
#include "Decks/DecksBacks.h"
#include "Decks/DecksFiles.h"
#include "Decks/DecksScreen.h"
#include "Decks/SetsScreens.h"
#include "Game/GameImports.h"
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

}  // namespace
