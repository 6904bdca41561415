// Tests of the screens on the real toolkit and the recording device: the
// registry (order, changes, handles, screens not built yet), a screen's
// look-up of its buttons, the look (texture buttons, metrics), the country
// table and the local country, the name rule, the player list, the player
// screens and the main menu.
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "App/WriteFailure.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinTextures.h"
#include "Game/GameState.h"
#include "Game/GenGameTable.h"
#include "Game/UserRecord.h"
#include "Platform/Locale.h"
#include "Screens/About.h"
#include "Screens/Country.h"
#include "Screens/Main.h"
#include "Screens/UserLoad.h"
#include "Screens/Users.h"
#include "tests/Screens/ScreensFixture.h"

namespace {

class ScreensRegistryTest : public ScreensTest {};

TEST_F(ScreensRegistryTest, TheScreensAreRegisteredInOrder) {
  StartScreens();
  const char* names[] = {"Users", "UserLoad", "UserNew", "Country", "Main", "Cameras", "About",
                         "Game", "Help", "Options", "General", "Display", "Lights", "Sets",
                         "SetsEdit", "Startup", "Keys", "Popup", "Pause", "InGame", "GetFile"};
  for (int i = 0; i < 21; ++i) EXPECT_EQ(ScreensGetScreenId(names[i]), i) << names[i];
  EXPECT_EQ(ScreensGetScreenId("Nothing"), -1);
  EXPECT_EQ(ScreensGetCurrent(), g_ScreenUsers);
  EXPECT_NE(g_MWin.GetCollectionFromID("Users"), nullptr);
}

TEST_F(ScreensRegistryTest, GoingToAScreenAndBackTwiceReturnsWhereItStarted) {
  StartScreens();
  ScreensGoto(g_ScreenUserNew);
  g_MWin.PopupCloseIfOpen();  // the name popup of the first visit
  ScreensGoto(g_ScreenCountry);
  ScreensGoBack();
  EXPECT_EQ(ScreensGetCurrent(), g_ScreenUserNew);
  ScreensGoBack();
  EXPECT_EQ(ScreensGetCurrent(), g_ScreenUsers);
  // Only the current screen's collection exists.
  EXPECT_NE(g_MWin.GetCollectionFromID("Users"), nullptr);
  EXPECT_FALSE(g_MWin.GetDesktop()->HasCollection("UserNew"));
  EXPECT_FALSE(g_MWin.GetDesktop()->HasCollection("Country"));
}

TEST_F(ScreensRegistryTest, AScreenOutsideTheRegistryIsNotEntered) {
  StartScreens();
  ScreensGoto(9999);
  EXPECT_EQ(ScreensGetCurrent(), g_ScreenUsers);
  EXPECT_TRUE(LogContains("is not built yet"));
  EXPECT_NE(g_MWin.GetCollectionFromID("Users"), nullptr);
}

TEST_F(ScreensRegistryTest, HandlesAreClearedAtEveryChange) {
  StartScreens();
  ASSERT_TRUE(UsersGetButtonHandles());
  ScreensGoto(g_ScreenUserLoad);
  // The Users screen's collection is gone: its look-up fails, and the old
  // handles were cleared before the change.
  EXPECT_FALSE(UsersGetButtonHandles());
  EXPECT_TRUE(UserLoadGetButtonHandles());
}

// A screen's look-up of its buttons: what it finds, what it reports, and
// when its success flag falls.
class ScreenLookUpTest : public ScreensTest {
 protected:
  void SetUp() override {
    ScreensTest::SetUp();
    StartScreens();
    static const ScreenRow kRows[] = {
        {"Ok", MWIN_BUT_PUSH, "Main", "OK", 10, 10, 80, 20, {1, 1, 1, 1}, 1, 1, 1, nullptr, nullptr},
        {"Volume", MWIN_BUT_HORZSCROLLBAR, "Main", " ", 10, 40, 200, 20, {1, 1, 1, 1}, 1, 1, 1, nullptr, nullptr},
    };
    ASSERT_NE(ScreenAddCollection("LookUpRows", kRows, 2), nullptr);
    ClearLog();
  }
  int ErrorLines() const {
    int errors = 0;
    for (const std::string& line : LogLines()) errors += line.find("<ERROR>") != std::string::npos;
    return errors;
  }
};

TEST_F(ScreenLookUpTest, NeededButtonsAreFoundAndAMissingOneIsReportedWithoutStoppingTheRest) {
  ScreenLookUp get("LookUpRows");
  MWinButton* missing = get("Cancel");
  MWinButton* ok = get("Ok");
  MWinHorzScrollbar* volume = get.Scrollbar("Volume");
  EXPECT_EQ(missing, nullptr);
  ASSERT_NE(ok, nullptr);
  EXPECT_STREQ(ok->GetID(), "Ok");
  ASSERT_NE(volume, nullptr);
  EXPECT_STREQ(volume->GetID(), "Volume");
  EXPECT_FALSE(get.AllFound());
  EXPECT_TRUE(LogContains("ID <Cancel> not found"));
  EXPECT_EQ(ErrorLines(), 1);
}

TEST_F(ScreenLookUpTest, OnlyNeededButtonsDecideTheFlag) {
  struct Case {
    const char* what;
    bool (*lookUp)(ScreenLookUp&);
    bool allFound;
    const char* reported;  // null: nothing is reported
  } cases[] = {
      {"every needed button there", [](ScreenLookUp& g) { return g("Ok") && g.Scrollbar("Volume"); }, true,
       nullptr},
      {"an optional one missing", [](ScreenLookUp& g) { return !g.Optional("Flag") && g("Ok"); }, true, nullptr},
      {"an optional one there", [](ScreenLookUp& g) { return g.Optional("Volume") != nullptr; }, true, nullptr},
      {"a scrollbar that is a push button", [](ScreenLookUp& g) { return !g.Scrollbar("Ok"); }, false,
       "<Ok> of <LookUpRows> is not a scrollbar"},
  };
  for (const Case& c : cases) {
    ClearLog();
    ScreenLookUp get("LookUpRows");
    EXPECT_TRUE(c.lookUp(get)) << c.what;
    EXPECT_EQ(get.AllFound(), c.allFound) << c.what;
    if (c.reported) {
      EXPECT_TRUE(LogContains(c.reported)) << c.what;
    } else {
      EXPECT_EQ(ErrorLines(), 0) << c.what;
    }
  }
}

TEST_F(ScreenLookUpTest, AMissingCollectionFindsNothingAndIsReportedOnce) {
  ScreenLookUp get("NoSuchScreen");
  EXPECT_FALSE(get.AllFound());
  EXPECT_EQ(get("Ok"), nullptr);
  EXPECT_EQ(get.Scrollbar("Volume"), nullptr);
  EXPECT_EQ(get.Optional("Ok"), nullptr);
  EXPECT_FALSE(get.AllFound());
  EXPECT_TRUE(LogContains("ID <NoSuchScreen> not found"));
  EXPECT_EQ(ErrorLines(), 1);
}

class SolMWinTest : public ScreensTest {};

TEST_F(SolMWinTest, TextureButtonsCutTheirRectanglesFromTheSheet) {
  MWinTextures* t = g_MWin.GetTextures();
  struct Case { const char* id; int state; float rect[4]; } cases[] = {
      {"ArrowL", 3, {0.376f, 0.627f, 0.498f, 0.874f}},
      {"ArrowR", 0, {0.124f, 0.629f, 0.002f, 0.875f}},  // mirrored
      {"Back3", 0, {0.001f, 0.499f, 0.499f, 0.001f}},   // upside down
      {"Main", 2, {0.506f, 0.258f, 0.994f, 0.366f}},
      {"Panel", 1, {0.503f, 0.564f, 0.996f, 0.624f}},
      {"TitleBack", 0, {0.033f, 0.022f, 0.47f, 0.447f}},
      {"StdUnCheckButton", 0, {0.505f, 0.377f, 1.0f, 0.497f}},
  };
  for (const Case& c : cases) {
    const int num = t->GetTexButNumFromID(c.id);
    ASSERT_GE(num, 0) << c.id;
    const MWinTexBut* b = t->GetTexBut(num);
    for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(b->states[c.state].rect[k], c.rect[k]) << c.id << k;
  }
  // One-picture looks: the other states have no texture.
  const MWinTexBut* back1 = t->GetTexBut(t->GetTexButNumFromID("Back1"));
  EXPECT_GE(back1->states[0].texture, 0);
  EXPECT_EQ(back1->states[1].texture, -1);
  // Standard slots: 7-9 and 11-18 filled from the sheet; the style step
  // puts "Back1", "TitleBack" and "Main" into 0, 1, 3, 4 and 10.
  EXPECT_STREQ(t->GetStandardTexButID(17), "StdCheckButton");
  EXPECT_STREQ(t->GetStandardTexButID(11), "StdVScrollButton");
  EXPECT_STREQ(t->GetStandardTexButID(0), "Back1");
  EXPECT_STREQ(t->GetStandardTexButID(1), "TitleBack");
  EXPECT_STREQ(t->GetStandardTexButID(10), "Main");
}

TEST_F(SolMWinTest, GameMetricKIsTheToolkitsEntryKPlus3) {
  MWin mw;
  ASSERT_TRUE(SolMWinSetupLayoutConstants(&mw));
  EXPECT_FALSE(SolMWinSetupLayoutConstants(nullptr));
  const MWinStyle& s = mw.Style();
  EXPECT_EQ(s.hoverActivatesCollections, 1);
  EXPECT_EQ(s.hoverActivatesWindows, 0);
  // Normal: no font scale (entries 4 and 5 are 0), arrows and check box 12 x 12.
  EXPECT_EQ(s.layouts[0].m[kMetFontScaleX], 0.0f);
  EXPECT_EQ(s.layouts[0].m[kMetFontScaleY], 0.0f);
  EXPECT_EQ(s.layouts[0].m[kMetHalfLineSpacing], 7.1f);
  EXPECT_EQ(s.layouts[0].m[kMetCheckW], 12.0f);
  EXPECT_EQ(s.layouts[0].m[kMetCheckH], 12.0f);
  EXPECT_EQ(s.layouts[0].m[kMetChoiceArrowW], 12.0f);
  // Phones scale their fonts 2.5 x 1.3; the metrics past 23 are the toolkit's.
  EXPECT_EQ(s.layouts[1].m[kMetFontScaleX], 2.5f);
  EXPECT_EQ(s.layouts[1].m[kMetFontScaleY], 1.3f);
  EXPECT_EQ(s.layouts[4].m[kMetScrollThumbW], 24.0f);
  EXPECT_EQ(s.layouts[0].m[kMetTitleHeight], MWin().Style().layouts[0].m[kMetTitleHeight]);
}

// The text is CP1252: every character it holds must draw, up to 255 (a
// name such as "Müller" lost its u with diaeresis).
TEST_F(SolMWinTest, TheGameFontDrawsEveryCharacterOfTheText) {
  std::string missing;
  for (int c = 32; c <= 255; ++c) {
    // Bytes CP1252 leaves undefined, the delete code and the blanks.
    if (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D || c == 0x7F || c == ' ' ||
        c == 0xA0) {
      continue;
    }
    const auto byte = static_cast<unsigned char>(c);
    if (Font().GetAdvance(byte) <= 0 || Font().GetSheetOfChar(byte) < 0) {
      missing += std::to_string(c) + " ";
    }
  }
  EXPECT_EQ(missing, "");
}

TEST_F(SolMWinTest, FontOfAnotherNumberIsRefused) {
  EngFont other;
  EXPECT_FALSE(SolMWinCreateFontApart(1, "Data\\Main\\0100.dat", &other));
  EXPECT_TRUE(LogContains("Bad font number 1"));
  EXPECT_FALSE(other.IsValid());
  EXPECT_FALSE(SolMWinCreateFontApart(0, "", &other));
  EXPECT_FALSE(SolMWinCreateFontApart(0, "Data\\Main\\0100.dat", nullptr));
}

class CountryTest : public ScreensTest {};

TEST_F(CountryTest, TableRowsCodesAndFlagCells) {
  EXPECT_EQ(CountryGetNumCountries(), 222);
  struct Case { int row; const char* name; const char* code; } cases[] = {
      {0, "Afghanistan", "AF"}, {60, "England", "GB"}, {141, "Netherlands Antilles", "AN"},
      {147, "Northern Ireland", "G2"}, {173, "Scotland", "G3"}, {217, "Wales", "G4"},
      {221, "Zimbabwe", "ZW"},
  };
  for (const Case& c : cases) {
    EXPECT_STREQ(CountryGetCountryName(c.row), c.name);
    EXPECT_STREQ(kCountryTable[c.row].code, c.code);
    EXPECT_EQ(kCountryTable[c.row].flagIndex, c.row);
    EXPECT_EQ(CountryGetPosFromName(c.name), c.row);
  }
  EXPECT_STREQ(CountryGetCountryName(222), "(Unknown Country)");
  EXPECT_STREQ(CountryGetCountryName(-1), "(Unknown Country)");
  EXPECT_EQ(CountryGetPosFromName("england"), -1);  // letter case counts
  EXPECT_STREQ(CountryControlGetEntryText(222, 0), "");
  float rect[4];
  ASSERT_TRUE(CountryGetFlagTextureRect(60, rect));  // column 12, row 3
  EXPECT_FLOAT_EQ(rect[0], 12 / 16.0f);
  EXPECT_FLOAT_EQ(rect[1], 3 / 16.0f);
  EXPECT_FLOAT_EQ(rect[2], 13 / 16.0f);
  EXPECT_FLOAT_EQ(rect[3], 4 / 16.0f);
  EXPECT_FALSE(CountryGetFlagTextureRect(222, rect));
}

// A British locale is the United Kingdom, which the table has no row for
// (its "GB" is England): nothing is preselected. A locale that names no
// territory is no fault: it is noted, not reported as an error.
TEST_F(CountryTest, TheLocalCountryComesFromTheLocaleTerritory) {
  struct Case { const char* lcAll; const char* lang; int row; bool error; } cases[] = {
      {nullptr, "en_US.UTF-8", 208, false}, {nullptr, "de_DE", 71, false},       {nullptr, "en_GB.UTF-8", -1, true},
      {nullptr, "cy_GB.UTF-8", -1, true},   {nullptr, "en_IE.UTF-8", 92, false}, {nullptr, "fr_fr@euro", 67, false},
      {"de_AT.UTF-8", "en_US", 13, false},  {"en_GB.UTF-8", "en_US", -1, true},  {nullptr, "C", -1, false},
      {nullptr, "POSIX", -1, false},        {nullptr, "de", -1, false},          {nullptr, "", -1, false},
      {nullptr, "C.UTF-8", -1, false},      {nullptr, "en.UTF-8", -1, false},
  };
  for (const Case& c : cases) {
    if (c.lcAll) {
      setenv("LC_ALL", c.lcAll, 1);
    } else {
      unsetenv("LC_ALL");
    }
    setenv("LANG", c.lang, 1);
    ClearLog();
    EXPECT_EQ(CountryGetLocalCountryPos(), c.row) << c.lang;
    EXPECT_EQ(LogContains("Could not get local country pos"), c.row < 0) << c.lang;
    EXPECT_EQ(LogContains(" <ERROR> "), c.error) << c.lang;
  }
  unsetenv("LC_ALL");
  setenv("LANG", "C", 1);
  EXPECT_STREQ(CountryGetLocalCountryName(), "(Unknown Country)");
}

TEST_F(CountryTest, GbFindsTheUnitedKingdomsRowWhenATableHasOne) {
  const CountryRecord table[] = {
      {"England", "GB", 0}, {"United Kingdom", "UK", 1}, {"Ireland", "IE", 2}, {"Scotland", "G3", 3}};
  struct Case { const char* territory; int row; } cases[] = {
      {"GB", 1}, {"gb", 1}, {"IE", 2}, {"UK", 1}, {"G3", 3}, {"FR", -1}, {"", -1}, {nullptr, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CountryFindLocalRow(table, 4, c.territory), c.row) << (c.territory ? c.territory : "(none)");
  }
  // The game's own table: England keeps GB, but GB does not find England.
  EXPECT_STREQ(kCountryTable[60].code, "GB");
  EXPECT_EQ(CountryFindLocalRow(kCountryTable, kCountryCount, "GB"), -1);
  EXPECT_EQ(CountryFindLocalRow(kCountryTable, kCountryCount, "us"), 208);
}

class UserNewTest : public ScreensTest {};

TEST_F(UserNewTest, TheNameRule) {
  struct Case { std::string text; bool player; bool ok; } cases[] = {
      {"Ann", true, true},
      {std::string(32, 'a'), true, true},
      {std::string(33, 'a'), true, false},
      {std::string(64, 'c'), false, true},
      {std::string(65, 'c'), false, false},
      {" Ann", true, false},
      {"Ann ", true, false},
      {"Ann\t", true, false},
      {"\tAnn", true, false},
      {"UnSeT", true, false},
      {"UNSELECTED", false, false},
      {"Not Selected", true, false},
      {"", true, false},
      {"\n \n", true, false},  // the placeholder of a name that exists
      {"a/b", true, false},
      {"..", true, false},
      {"Cote d'Ivoire", false, true},
      {"(Unknown Country)", false, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UserNewIsValidName(c.text.c_str(), c.player), c.ok) << "'" << c.text << "'";
  }
  EXPECT_FALSE(UserNewIsValidName(nullptr, true));
}

// A refused player name says why where the player can mend it.
TEST_F(UserNewTest, ARefusedNameSaysWhy) {
  const struct {
    const char* name;
    const char* refusal;
  } cases[] = {
      {"Ann", nullptr},
      {" Ann", "UserNew_InvalidPlayerNameBlank"},
      {"Ann ", "UserNew_InvalidPlayerNameBlank"},
      {"\tAnn", "UserNew_InvalidPlayerNameBlank"},
      {" ", "UserNew_InvalidPlayerNameBlank"},
      {"a/b", "UserNew_InvalidPlayerName"},
      {"Unset", "UserNew_InvalidPlayerName"},
      {"", "UserNew_InvalidPlayerName"},
  };
  for (const auto& c : cases) {
    const char* refusal = UserNewPlayerNameRefusal(c.name);
    EXPECT_STREQ(refusal ? refusal : "(taken)", c.refusal ? c.refusal : "(taken)") << "'" << c.name << "'";
  }

  // Typed in the name popup: the refusal stays until the player has read
  // it, and the form's name is empty for another.
  StartScreens();
  UsersControlNewCB();
  ASSERT_TRUE(g_MWin.IsPopupOpen());
  for (const char* p = " Bob"; *p; ++p) g_MWin.HandleInputEvent(7, *p, 0);
  g_MWin.HandleInputEvent(5, 13, 0);
  g_MWin.Tick();
  for (int i = 0; i < 10; ++i) EngScreenTick();
  ASSERT_TRUE(g_MWin.IsPopupOpen());
  MWinButton* message = g_MWin.GetPopupWindow()->GetButtonFromID("MSG", false);
  ASSERT_NE(message, nullptr);
  EXPECT_STREQ(message->GetTextP(), EngLanguagesGetFirstString("UserNew_InvalidPlayerNameBlank"));
  EXPECT_STRNE(message->GetTextP(), "UserNew_InvalidPlayerNameBlank") << "the token has a text";
  EXPECT_STREQ(UserNewGetTypedName(), "");
  EXPECT_FALSE(ScreenLookUp("UserNew")("Name")->HasText(0));
}

TEST_F(UserNewTest, ContinueRefusesANameThatExistsAndKeepsItsFiles) {
  StartScreens();
  ScreensGoto(g_ScreenUserNew);
  g_MWin.PopupCloseIfOpen();
  WriteProfile("Bob", "Wales");
  const std::string usr = std::string(dir_) + "/Quarnix/Free Cardolia 3D/Users/Bob.usr";
  const std::string before = ReadFile(usr);
  ScreensGoto(g_ScreenUserNew);
  std::strcpy(const_cast<char*>(UserNewGetTypedName()), "Bob");
  UserNewControlContinueCB();
  EXPECT_TRUE(g_MWin.IsPopupOpen());
  EXPECT_EQ(ReadFile(usr), before);
  g_MWin.PopupCloseIfOpen();
}

// The player selection opens the form as at the first start: a second
// player does not find the first one's name in it, and the name popup
// opens by itself. Going to the Country screen and back keeps the form.
TEST_F(UserNewTest, EveryNewPlayerStartsFromAnEmptyFormWithTheNamePopup) {
  StartScreens();
  UsersControlNewCB();
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenUserNew);
  ASSERT_TRUE(g_MWin.IsPopupOpen());
  for (const char* p = "Ann"; *p; ++p) g_MWin.HandleInputEvent(7, *p, 0);
  g_MWin.HandleInputEvent(5, 13, 0);
  g_MWin.Tick();
  EXPECT_FALSE(g_MWin.IsPopupOpen());
  EXPECT_STREQ(UserNewGetTypedName(), "Ann");
  UserNewSetChosenCountry("Wales");
  // To the Country screen and back: the form stays, no popup.
  UserNewControlCountryCB();
  ScreensGoBack();
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenUserNew);
  EXPECT_FALSE(g_MWin.IsPopupOpen());
  EXPECT_STREQ(ScreenLookUp("UserNew")("Name")->GetTextP(), "Ann");
  EXPECT_STREQ(ScreenLookUp("UserNew")("Country")->GetTextP(), "Wales");
  // Back to the player selection (as the Player button of the menu also
  // leads there), then Create New Player again.
  ScreensGoto(g_ScreenUsers);
  UsersControlNewCB();
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenUserNew);
  EXPECT_TRUE(g_MWin.IsPopupOpen());
  EXPECT_STREQ(UserNewGetTypedName(), "");
  EXPECT_FALSE(ScreenLookUp("UserNew")("Name")->HasText(0));
  EXPECT_STREQ(ScreenLookUp("UserNew")("Country")->GetTextP(), CountryGetLocalCountryName());
}

// The name popup starts empty; Cancel keeps the name the form had.
TEST_F(UserNewTest, CancelInTheNamePopupKeepsTheName) {
  StartScreens();
  UsersControlNewCB();
  for (const char* p = "Ann"; *p; ++p) g_MWin.HandleInputEvent(7, *p, 0);
  g_MWin.HandleInputEvent(5, 13, 0);
  g_MWin.Tick();
  UserNewControlNameCB();
  ASSERT_TRUE(g_MWin.IsPopupOpen());
  EXPECT_STREQ(g_MWin.GetPopupWindow()->GetButtonFromID("TEXTEDIT", false)->TextEditGetBuffer(), "");
  for (const char* p = "Bob"; *p; ++p) g_MWin.HandleInputEvent(7, *p, 0);
  g_MWin.HandleInputEvent(5, 27, 0);
  g_MWin.Tick();
  EXPECT_FALSE(g_MWin.IsPopupOpen());
  EXPECT_STREQ(UserNewGetTypedName(), "Ann");
  EXPECT_STREQ(ScreenLookUp("UserNew")("Name")->GetTextP(), "Ann");
}

class UserListTest : public ScreensTest {
 protected:
  std::string Users() const { return std::string(dir_) + "/Quarnix/Free Cardolia 3D/Users/"; }
};

TEST_F(UserListTest, OnlyPlayerFilesAreListedAtMostFifty) {
  std::filesystem::create_directories(Users());
  for (const char* name : {"a.usr", ".usr", "A.USR", "x.usr.bak", "b.usr", "bad..name.usr",
                           "ctrl\x01.usr"}) {
    WriteFile(Users() + name, "x");
  }
  WriteFile(Users() + std::string(33, 'n') + ".usr", "x");  // a name a player cannot have
  UserLoadControlScanUsers();
  ASSERT_EQ(g_UserList.count, 2);
  EXPECT_STREQ(g_UserList.names[0], "a");
  EXPECT_STREQ(g_UserList.names[1], "b");
  EXPECT_EQ(g_UserList.country[0], -1);  // unreadable: listed without a country

  for (int i = 0; i < 51; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "p%02d.usr", i);
    WriteFile(Users() + name, "x");
  }
  UserLoadControlScanUsers();
  EXPECT_EQ(g_UserList.count, 50);
}

TEST_F(UserListTest, ALonePlayerBecomesTheCurrentOne) {
  WriteProfile("Solo", "Wales");
  g_ResolutionSettings.lastPlayer[0] = '\0';
  std::uint8_t always = 9;
  EXPECT_TRUE(UserLoadControlGetCurrentUser(&always));
  EXPECT_STREQ(g_ResolutionSettings.lastPlayer, "Solo");
  EXPECT_EQ(always, 0);
}

// Delete asks about the chosen player by name, in a box that leaves the
// list (and the chosen row) in sight; No keeps the player.
TEST_F(UserListTest, DeleteAsksByNameBesideTheList) {
  WriteProfile("Ann", "Wales");
  WriteProfile("Bob", "Scotland");
  StartScreens();
  ScreensGoto(g_ScreenUserLoad);
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenUserLoad);
  ASSERT_EQ(g_UserList.count, 2);
  const int bob = std::strcmp(g_UserList.names[0], "Bob") == 0 ? 0 : 1;
  ASSERT_STREQ(g_UserList.names[bob], "Bob");
  MWinButton* list = ScreenLookUp("UserLoad")("Panel");
  ASSERT_NE(list, nullptr);
  list->PanelSetPos(bob, 0, 0);
  UserLoadControlDeleteCB();
  ASSERT_TRUE(g_MWin.IsPopupOpen());
  MWinWindow* box = g_MWin.GetPopupWindow();
  ASSERT_NE(box, nullptr);
  MWinButton* question = box->GetButtonFromID("MSG", false);
  ASSERT_NE(question, nullptr);
  EXPECT_NE(std::string(question->GetTextP()).find("Bob"), std::string::npos) << question->GetTextP();
  EXPECT_EQ(std::string(question->GetTextP()).find("%1"), std::string::npos) << question->GetTextP();
  MWinArea rows;
  list->GetArea(&rows, false);
  const MWinArea& body = box->GetArea();
  const float top = body.y - box->TitleHeight(), bottom = body.y + body.h;
  EXPECT_GE(top, 0);
  EXPECT_LE(bottom, 480);
  const bool apart = bottom <= rows.y || top >= rows.y + rows.h || body.x + body.w <= rows.x || body.x >= rows.x + rows.w;
  EXPECT_TRUE(apart) << "the box " << body.x << ", " << top << " to " << body.x + body.w << ", " << bottom
                     << " covers the list " << rows.x << ", " << rows.y << ", " << rows.w << " x " << rows.h;
  MWin::PopupAnswer(0);
  EXPECT_FALSE(g_MWin.IsPopupOpen());
  EXPECT_TRUE(std::filesystem::exists(Users() + "Bob.usr"));
}

TEST_F(UserListTest, ALastPlayerWithoutAProfileGivesWayToTheNewestProfile) {
  WriteProfile("Old", "Wales");
  WriteProfile("New", "Peru");
  WriteProfile("Mid", "Chad");
  const auto now = std::filesystem::file_time_type::clock::now();
  std::filesystem::last_write_time(Users() + "Old.usr", now - std::chrono::hours(3));
  std::filesystem::last_write_time(Users() + "Mid.usr", now - std::chrono::hours(2));
  std::filesystem::last_write_time(Users() + "New.usr", now - std::chrono::hours(1));
  std::strcpy(g_ResolutionSettings.lastPlayer, "Gone");  // a run ended before Gone's profile was written
  std::uint8_t always = 9;
  EXPECT_TRUE(UserLoadControlGetCurrentUser(&always));
  EXPECT_STREQ(g_ResolutionSettings.lastPlayer, "New");

  // A last player whose profile is there, readable or not, stays.
  std::strcpy(g_ResolutionSettings.lastPlayer, "Old");
  EXPECT_TRUE(UserLoadControlGetCurrentUser(&always));
  EXPECT_STREQ(g_ResolutionSettings.lastPlayer, "Old");
  std::filesystem::create_directories(Users() + "Kim.usr");  // a folder in its place
  std::strcpy(g_ResolutionSettings.lastPlayer, "Kim");
  EXPECT_FALSE(UserLoadControlGetCurrentUser(&always));
  EXPECT_STREQ(g_ResolutionSettings.lastPlayer, "Kim");
  EXPECT_TRUE(UserProfileIsDamaged("Kim"));
}

class MainMenuTest : public ScreensTest {
 protected:
  void EnterMenu() {
    StartScreens();
    g_UserRecord = UserRecord{};
    GenSetCurGame(MainGetCurGameFromOptions());  // as the start of play does
    ScreensGoto(g_ScreenMain);
    ASSERT_EQ(ScreensGetCurrent(), g_ScreenMain);
  }
};

TEST_F(MainMenuTest, PlayerChangeReachesTheRightEdgeOfExit) {
  EnterMenu();
  MWinButton* change = ScreenLookUp("Main")("PlayerChange");
  ASSERT_NE(change, nullptr);
  MWinArea a;
  change->GetArea(&a, true);
  EXPECT_FLOAT_EQ(a.x, 544);
  EXPECT_FLOAT_EQ(a.w, 92);
  // The list lists every game and stands on the player's game.
  MWinButton* list = ScreenLookUp("Main")("GamesFull");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->PanelData().count, 84);
  EXPECT_EQ(list->PanelGetPos(), 37);
  EXPECT_STREQ(ScreenLookUp("Main")("GameTitle")->GetTextP(), "Klondike");
  // No saved game: Continue and Quit are disabled.
  EXPECT_FALSE(ScreenLookUp("Main")("ContinueGame")->IsEnabled());
  EXPECT_FALSE(ScreenLookUp("Main")("QuitGame")->IsEnabled());
}

TEST_F(MainMenuTest, APageChangeRemovesOnlyThePagesButtons) {
  EnterMenu();
  MWinWindow* window = ScreenWindow("Main");
  ASSERT_NE(window, nullptr);
  MWinButton* exit = ScreenLookUp("Main")("Exit");
  // A page's rows stand after the menu's own.
  window->AddButton("PageRow", MWIN_BUT_PUSH, "Main", "page", 220, 100, 50, 20);
  g_UserRecord.mainPage = 3;
  MainControlShowPage();
  g_UserRecord.mainPage = 0;
  MainControlShowPage();
  EXPECT_EQ(window->GetButtonFromID("PageRow", false), nullptr);
  // The Game page's rows follow the menu's own, its first row first.
  ASSERT_NE(exit->next_, nullptr);
  EXPECT_STREQ(exit->next_->GetID(), "Bg");
  EXPECT_NE(window->GetButtonFromID("RenderBg", false), nullptr);
  EXPECT_NE(ScreenLookUp("Main")("NewGame"), nullptr);
}

TEST_F(MainMenuTest, AboutFromTheMenuGoesBackToTheMenu) {
  EnterMenu();
  ScreensGoto(g_ScreenAbout);
  EXPECT_EQ(ScreensGetCurrent(), g_ScreenAbout);
  EXPECT_EQ(EngScreenGetEntry(g_ScreenAbout)->previous, g_ScreenMain);
  EXPECT_STREQ(ScreenLookUp("About")("Title")->GetTextP(), "Free Cardolia 3D");
  EXPECT_STREQ(ScreenLookUp("About")("Version")->GetTextP(), "Version   4.82");
  AboutControlDoneCB();
  EXPECT_EQ(ScreensGetCurrent(), g_ScreenMain);
}

}  // namespace

namespace {

class SettingsInPlayTest : public ScreensTest {};

TEST_F(SettingsInPlayTest, AFailedWriteIsShownAndPlayGoesOn) {
  StartScreens();
  const std::string path = std::string(dir_) + "/Quarnix/Free Cardolia 3D/Resolution.dat";
  ResolutionWriteFile();
  const std::string before = ReadFile(path);
  ASSERT_EQ(before.size(), kResolutionFileSize);
  // A folder where the write's temporary file would go makes it fail.
  const std::string blocker = path + ".tmp-" + std::to_string(getpid());
  std::filesystem::create_directory(blocker);
  std::strcpy(g_ResolutionSettings.lastPlayer, "Changed");
  WriteFailureClearNotices();
  ResolutionWriteFile();
  EXPECT_TRUE(LogContains("Could not write"));
  EXPECT_EQ(WriteFailureGetPendingCount(), 1);
  GameSetProgramMode(kGameModeMainMenu);
  GameTickCB();
  EXPECT_TRUE(g_MWin.IsPopupOpen());      // shown in the game's own popup, at the next tick
  EXPECT_TRUE(boxes_.empty());          // not in the box that ends the program
  EXPECT_TRUE(EngWindowIsDeviceCurrent());
  EXPECT_FALSE(program_->GetQuitFlag());
  EXPECT_EQ(ReadFile(path), before);    // the old file is whole
  // Told once in a run: the next failure only logs.
  ResolutionWriteFile();
  std::filesystem::remove(blocker);
  EXPECT_EQ(WriteFailureGetPendingCount(), 0);
  WriteFailureClearNotices();
}

}  // namespace
