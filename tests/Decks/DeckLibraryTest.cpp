// The deck library: the element scan's filter and order, the deck list in
// byte order, the generated-decks path by colour mode, the canvas size per
// quality, the ace settings, and the player's own decks (created, saved,
// reloaded and deleted, with names that stay inside their folder).
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/CardsDecksLocal.h"
#include "Game/Decks/CardsGenerate.h"
#include "Game/Decks/DecksCurrent.h"
#include "Game/GameImports.h"
#include "Game/UserRecord.h"
#include "tests/Decks/DecksFixture.h"

namespace {

namespace fs = std::filesystem;

class DeckLibraryTest : public DecksTest {
 protected:
  // A data folder of the test's own: settings files and element pictures
  // named by the test (their content does not matter to the scans).
  void MakeData(const std::vector<std::string>& decks, const std::vector<std::string>& elements) {
    for (const std::string& d : decks) Write(dir_ + "/Mine/Settings/" + d, "");
    for (const char* kind : {"Element Shapes", "Element Bases", "Element Suits", "Element Ranks",
                             "Element Aces", "Element Courts"}) {
      fs::create_directories(dir_ + "/Mine/Elements/" + kind);
    }
    for (const std::string& e : elements) Write(dir_ + "/Mine/Elements/" + e, "");
    fs::create_directories(dir_ + "/Gen");
  }
  std::vector<std::string> List(int kind) {
    std::vector<std::string> names;
    for (int i = 0; i < CardsDecksGetElementCount(kind); ++i) names.emplace_back(CardsDecksGetElementName(kind, i));
    return names;
  }
};

TEST_F(DeckLibraryTest, TheElementScanFiltersAndOrdersEachKind) {
  MakeData({"A.dat"},
           {"Element Shapes/Zed Shape.tga", "Element Shapes/Normal Shape.jpg", "Element Shapes/Print Shape.tga",
            "Element Shapes/Odd Shape.png", "Element Shapes/NoSuffix.tga", "Element Bases/Plain Base.JPG",
            "Element Suits/Alpha Suits.tga", "Element Suits/Type 2 Suits.tga", "Element Suits/Type 1 Suits.jpg",
            "Element Ranks/Type 1 Ranks.tga", "Element Courts/Chess Jacks.tga"});
  ASSERT_TRUE(CardsDecksSetPaths("Mine/Settings", "Mine/Elements", nullptr, "Gen"));
  EXPECT_EQ(List(kDeckElementShapes), (std::vector<std::string>{"Normal", "Zed"}));
  EXPECT_EQ(List(kDeckElementBases), (std::vector<std::string>{"Plain"}));
  EXPECT_EQ(List(kDeckElementSuits), (std::vector<std::string>{"Type 1", "Type 2", "Alpha"}));
  EXPECT_EQ(List(kDeckElementAces), (std::vector<std::string>{"Use Suits"}));
  EXPECT_EQ(List(kDeckElementCourts), (std::vector<std::string>{"None", "Chess"}));
  EXPECT_EQ(std::string(CardsDecksGetElementName(kDeckElementShapes, 5)), "???");
}

TEST_F(DeckLibraryTest, AnEmptyKindFailsTheScan) {
  MakeData({"A.dat"}, {"Element Bases/Plain Base.jpg", "Element Suits/Type 1 Suits.tga",
                       "Element Ranks/Type 1 Ranks.tga"});
  CardsDecksSetPaths("Mine/Settings", "Mine/Elements", nullptr, "Gen");
  EXPECT_FALSE(CardsDecksGetTypes());
  EXPECT_TRUE(LogContains("No standard elements found for type <Element Shapes>"));
}

TEST_F(DeckLibraryTest, DecksAreListedInByteOrderStandardDecksFirst) {
  MakeData({"b.dat", "Z.dat", "a.DAT", "x.txt"}, {"Element Shapes/Normal Shape.tga"});
  for (const char* mine : {"zz", "Aa", "m"}) fs::create_directories(UserDecks() + "/" + mine);
  Write(UserDecks() + "/file-not-a-deck", "");
  CardsDecksSetPaths("Mine/Settings", "Mine/Elements", nullptr, "Gen");
  ASSERT_TRUE(CardsDecksGetDecks());
  std::vector<std::string> names;
  for (int i = 0; i < CardsDecksGetNumDecks(); ++i) names.emplace_back(CardsDecksGetDeckName(i));
  EXPECT_EQ(names, (std::vector<std::string>{"Z", "a", "b", "Aa", "m", "zz"}));
  EXPECT_EQ(CardsDecksGetNumStandardDecks(), 3);
}

TEST_F(DeckLibraryTest, SwitchingTheColourModeTwiceRestoresThePath) {
  ASSERT_TRUE(UseRealDecks());
  const std::string two = CardsDecksGetDeckGenPath();
  EXPECT_EQ(two, "DeckGen/2Cols");
  CardsDecksSetFourColor(true);
  EXPECT_EQ(std::string(CardsDecksGetDeckGenPath()), "DeckGen/4Cols");
  CardsDecksSetFourColor(false);
  EXPECT_EQ(std::string(CardsDecksGetDeckGenPath()), two);
  EXPECT_TRUE(fs::is_directory(dir_ + "/DeckGen/4Cols"));
}

TEST_F(DeckLibraryTest, EachQualityHasItsCanvas) {
  const struct {
    int quality, print, canvas, saved;
  } cases[] = {{0, 0, 128, 64}, {1, 0, 256, 128}, {2, 0, 512, 256}, {3, 0, 512, 256},
               {7, 0, 128, 64}, {1, 1, 1024, 1024}, {1, 2, 1024, 1024}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.quality * 10 + c.print);
    ASSERT_TRUE(CardsDecksSetTextureSizeForQuality(c.quality, c.print));
    EXPECT_EQ(CardsGenerateGetCanvasSize(), c.canvas);
    EXPECT_EQ(CardsGenerateGetSavedSize(), c.saved);
  }
  EXPECT_FALSE(CardsGenerateSetCardTextureSize(100, 0, 0));
  EXPECT_TRUE(LogContains("Size not ok (100)"));
  EXPECT_EQ(CardsGenerateGetCanvasSize(), 1024);
}

TEST_F(DeckLibraryTest, TheAcesChoiceSetsThePicturesAndTheCentrePip) {
  ASSERT_TRUE(UseRealDecks());
  const struct {
    int type;
    const char* name;
    int pictures;
    int centrePip;
  } cases[] = {{0, "Use Suits", 0, 1}, {0, "English 2", 1, 0}, {1, "Use Suits", 1, 0}, {2, "Use Suits", 4, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DeckSettings s;
    s.elements.acesType = c.type;
    s.elements.aces = CardsDecksFindElement(kDeckElementAces, c.name);
    CardsDecksDeriveAcesSettings(&s);
    EXPECT_EQ(s.generator.numAcesPics, c.pictures);
    EXPECT_EQ(s.generator.addAcesCenterPip, c.centrePip);
  }
}

TEST_F(DeckLibraryTest, APlayersDeckIsCreatedSavedReloadedAndDeleted) {
  ASSERT_TRUE(UseRealDecks());
  EXPECT_EQ(DecksCreateUserDeck("Mine"), 1);
  EXPECT_EQ(DecksCreateUserDeck("Mine"), -1);  // never over an existing deck
  for (const char* name : {"../Out", "a/b", "C:x", "", "tab\there"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(DecksCreateUserDeck(name), 0);
  }
  EXPECT_FALSE(fs::exists(dir_ + "/Documents/Quarnix/Out"));
  ASSERT_TRUE(DecksRescan());
  g_UserRecord.currentDeck = DecksFindDeckByName("Mine");
  ASSERT_EQ(g_UserRecord.currentDeck, 2);
  EXPECT_TRUE(DecksIsCurrentDeckUserDeck());
  ASSERT_TRUE(DeckGenLoadSettings());
  CardsDecksGetSettings().generator.rankX = 0.4f;
  ASSERT_TRUE(DeckGenSaveSettings());
  ASSERT_TRUE(DeckGenLoadSettings());
  EXPECT_FLOAT_EQ(CardsDecksGetSettings().generator.rankX, 0.4f);

  // Its generated pictures in both colour modes go with it; a file of the
  // player's beside them, and another deck's pictures, stay.
  ASSERT_TRUE(CardsDecksSetTextureSizeForQuality(0, 0));
  ASSERT_TRUE(CardsDecksGenerateDeckIfNeeded(g_UserRecord.currentDeck, 0, false));
  CardsDecksSetFourColor(true);
  ASSERT_TRUE(CardsDecksGenerateDeckIfNeeded(g_UserRecord.currentDeck, 0, false));
  Write(dir_ + "/DeckGen/4Cols/Mine/notes.txt", "mine");
  ASSERT_TRUE(CardsDecksGenerateDeckIfNeeded(0, 0, false));  // the generator now points elsewhere
  EXPECT_EQ(DecksDeleteCurrentUserDeck(), 1);
  EXPECT_FALSE(fs::exists(UserDecks() + "/Mine"));
  EXPECT_FALSE(fs::exists(dir_ + "/DeckGen/2Cols/Mine"));
  EXPECT_TRUE(fs::exists(dir_ + "/DeckGen/4Cols/Mine/notes.txt"));
  EXPECT_FALSE(fs::exists(dir_ + "/DeckGen/4Cols/Mine/ah.tga"));
  EXPECT_TRUE(fs::exists(dir_ + "/DeckGen/4Cols/Simple/ah.tga"));
  // With a standard deck current, deleting does nothing.
  g_UserRecord.currentDeck = 0;
  EXPECT_EQ(DecksDeleteCurrentUserDeck(), 0);
  EXPECT_TRUE(fs::exists(dir_ + "/DeckGen/4Cols/Simple/ah.tga"));
}

TEST_F(DeckLibraryTest, AFallBackFolderIsNeverTakenForTheDecks) {
  // The documents folder cannot hold "Quarnix" (a file of that name is in
  // the way): the folder layer falls back to its parent, which the decks
  // refuse.
  Write(dir_ + "/Documents/Quarnix", "in the way");
  EXPECT_EQ(CardsDecksGetUserDecksDirectory(nullptr, true), nullptr);
  EXPECT_EQ(DecksCreateUserDeck("Mine"), 0);
}

}  // namespace
