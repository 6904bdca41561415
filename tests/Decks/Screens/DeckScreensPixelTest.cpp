// The deck and board screens on a real window (Mesa under Xvfb) through the
// test harness with the real screens: the Decks screen's preview fan and
// card-back grid, choosing a back, the Print and Publish screens, the deck
// generator, the boards screen and the board editor, each saved as a
// screenshot (<build>/screenshots). Runs on an X server of its own.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "App/GetFile.h"
#include "App/Resolution.h"
#include "Engine/EngScreen.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Engine/MWin/MWinManager.h"
#include "Game/Decks/Board.h"
#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/CardsGenerate.h"
#include "Game/Decks/DecksBacks.h"
#include "Game/Decks/DecksCurrent.h"
#include "Game/Decks/Sets.h"
#include "Shell/Shell.h"
#include "Shell/ShellLocal.h"
#include "Game/GenGameTable.h"
#include "Game/UserRecord.h"
#include "Platform/Files.h"
#include "Screens/Decks/DeckGen.h"
#include "Screens/Decks/DecksScreen.h"
#include "Screens/Decks/DecksScreens.h"
#include "Screens/Decks/SetsScreens.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"
#include "tests/Support/GameHarness.h"
#include "tests/Support/TestSupport.h"
#include "tests/Support/XServer.h"

// The harness resets the application shell's stand-in imports; here the
// real screens answer them, so there is nothing to reset.
void AppImportsResetForTests() {}

namespace {

struct Rgb {
  int r = 0, g = 0, b = 0;
};

int Difference(const Rgb& a, const Rgb& b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }

class DeckScreensPixelTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::string noDisplay;
    ASSERT_TRUE(TestUsePrivateDisplay(&noDisplay)) << noDisplay;
  }

  // From the main menu to a dealt Klondike table (the menu's New Game),
  // then a screen opened over the game as the in-game menu opens it.
  static void PlayThenOpen(GameHarness& h, const char* collection) {
    Click(h, 307 + 36, 415 + 28);
    ASSERT_FALSE(g_MWin.IsOn());
    ASSERT_TRUE(h.Deal(kGameKlondike, 1234));
    GameShellGotoScreen(collection);
    Frames(h);
    ASSERT_TRUE(g_MWin.IsOn());
  }

  static void Frames(GameHarness& h, int n = 3) {
    for (int i = 0; i < n; ++i) h.Frame();
  }

  static void Click(GameHarness& h, float x, float y) {
    h.MouseMove(static_cast<int>(x * h.Width() / 640), static_cast<int>(y * h.Height() / 480));
    h.MouseButton(0, true);
    h.MouseButton(0, false);
    Frames(h, 2);
  }

  static void ClickButton(GameHarness& h, const char* collection, const char* id) {
    MWinButton* b = ScreenLookUp(collection)(id);
    ASSERT_NE(b, nullptr) << id;
    const MWinArea a = b->GetAreaRelative();
    Click(h, a.x + a.w / 2, a.y + a.h / 2);
  }

  // The mean colour of 7 x 7 pixels around a point of the virtual screen.
  static Rgb At(GameHarness& h, const std::vector<std::uint32_t>& pixels, float x, float y) {
    const int cx = static_cast<int>(x * h.Width() / 640), cy = static_cast<int>(y * h.Height() / 480);
    Rgb sum;
    int n = 0;
    for (int py = cy - 3; py <= cy + 3; ++py) {
      for (int px = cx - 3; px <= cx + 3; ++px) {
        const std::uint32_t p = pixels[static_cast<std::size_t>(py) * h.Width() + px];
        sum.r += (p >> 16) & 0xFF;
        sum.g += (p >> 8) & 0xFF;
        sum.b += p & 0xFF;
        ++n;
      }
    }
    return {sum.r / n, sum.g / n, sum.b / n};
  }

  static std::vector<std::uint32_t> Shot(GameHarness& h, const std::string& name) {
    const std::vector<std::uint32_t> pixels = h.Pixels();
    EXPECT_TRUE(HarnessWritePng(HarnessScreenshotFolder() + "/" + name + ".png", h.Width(), h.Height(), pixels));
    return pixels;
  }
};

TEST_F(DeckScreensPixelTest, DecksShowsTheFanAndTheBackGridAndPaintsAChosenBack) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  Frames(h);
  g_UserRecord.decksPage = 0;
  PlayThenOpen(h, "Decks");
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenDecks);
  for (int i = 0; i < kDecksNumPreviews; ++i) EXPECT_TRUE(DecksIsPreviewLoadedForTests(i)) << i;
  std::vector<std::uint32_t> pixels = Shot(h, "Decks");
  // The fan lies on the black frame beside the list: cards, not black.
  EXPECT_GT(Difference(At(h, pixels, 400, 250), Rgb{}), 150);
  // The deck list names the standard decks.
  EXPECT_GT(CardsDecksGetNumDecks(), 0);

  // The card-back page: 16 standard backs in a grid of 8 columns.
  g_UserRecord.decksPage = 1;
  DecksControlSetPageCB();
  Frames(h);
  for (int back = 0; back < kDecksNumStandardBacks; ++back) EXPECT_TRUE(DecksIsBackLoadedForTests(back)) << back;
  const struct {
    int back;
    float x, y;
  } kCells[] = {{0, 108.5f, 140.5f}, {9, 162.125f, 200.5f}, {31, 483.875f, 320.5f}};
  for (const auto& c : kCells) {
    char id[16];
    std::snprintf(id, sizeof id, "Card%d", c.back + 1);
    const MWinArea a = ScreenLookUp("Decks")(id)->GetAreaRelative();
    EXPECT_NEAR(a.x, c.x, 0.01) << id;
    EXPECT_NEAR(a.y, c.y, 0.01) << id;
    EXPECT_NEAR(a.w, 48.625, 0.01) << id;
    EXPECT_NEAR(a.h, 55, 0.01) << id;
  }
  EXPECT_FALSE(ScreenLookUp("Decks")("Deck")->IsVisible());
  EXPECT_FALSE(ScreenLookUp("Decks")("Card17")->IsVisible());  // no picture of the player's own yet
  pixels = Shot(h, "DecksBacks");
  EXPECT_GT(Difference(At(h, pixels, 108.5f + 24, 140.5f + 27), At(h, pixels, 108.5f + 24, 140.5f - 6)), 30);

  // Choosing back 5 paints it for the deck and puts it on the table.
  const int before = g_UserRecord.currentCardBack == 5 ? 6 : 5;
  ClickButton(h, "Decks", before == 5 ? "Card6" : "Card7");
  Frames(h);
  EXPECT_EQ(g_UserRecord.currentCardBack, before);
  const MWinArea sel = ScreenLookUp("Decks")("CardSel")->GetAreaRelative();
  const MWinArea card = ScreenLookUp("Decks")(before == 5 ? "Card6" : "Card7")->GetAreaRelative();
  EXPECT_NEAR(sel.x, card.x - 4, 0.01);
  EXPECT_NEAR(sel.w, card.w + 8, 0.01);
  Shot(h, "DecksBackChosen");
  g_UserRecord.decksPage = 0;

  // Print Deck from the deck page: the print options.
  DecksControlSetPageCB();
  ClickButton(h, "Decks", "Print");
  Frames(h);
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenPrint);
  pixels = Shot(h, "Print");
  EXPECT_TRUE(ScreenLookUp("Print")("CreateFiles")->IsVisible());
  EXPECT_GT(Difference(At(h, pixels, 320, 190), At(h, pixels, 320, 290)), 0);
}

TEST_F(DeckScreensPixelTest, TheBoardsScreenAndTheBoardEditorShowTheirControls) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  Frames(h);
  PlayThenOpen(h, "Sets");
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenSets);
  std::vector<std::uint32_t> pixels = Shot(h, "Sets");
  EXPECT_EQ(SetsGetNumBoards(), kSetsNumBuiltIn);
  // A built-in board cannot be edited or deleted.
  EXPECT_FALSE(ScreenLookUp("Sets")("Edit")->IsEnabled());
  EXPECT_TRUE(ScreenLookUp("Sets")("Create")->IsEnabled());
  // The list's frame is drawn.
  EXPECT_GT(Difference(At(h, pixels, 160, 200), Rgb{}), 30);

  // A board of the player's own, edited on its own screen.
  ASSERT_EQ(SetsCreateBoard("Garden"), 1);
  SetsGetBoards();
  g_UserRecord.currentBoard = SetsFindBoard("Garden");
  ASSERT_GE(g_UserRecord.currentBoard, kSetsNumBuiltIn);
  SetsControlLoadBoard(g_UserRecord.currentBoard);
  g_UserRecord.boardEditPart = 1;
  ScreensGoto(g_ScreenSetsEdit);
  Frames(h);
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenSetsEdit);
  pixels = Shot(h, "SetsEditTable");
  EXPECT_TRUE(ScreenLookUp("SetsEdit")("Shape")->IsEnabled());
  EXPECT_TRUE(ScreenLookUp("SetsEdit")("XTiling")->IsEnabled());

  g_UserRecord.boardEditPart = 0;
  SetsEditWhichCB();
  Frames(h);
  Shot(h, "SetsEditBackground");
  EXPECT_FALSE(ScreenLookUp("SetsEdit")("Shape")->IsEnabled());
  EXPECT_FALSE(ScreenLookUp("SetsEdit")("XTiling")->IsEnabled());
}

TEST_F(DeckScreensPixelTest, ThePublishScreenShowsItsControls) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  Frames(h);
  PlayThenOpen(h, "Publish");
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenPublish);
  const std::vector<std::uint32_t> pixels = Shot(h, "Publish");
  for (const char* id : {"Name", "Country", "Copy", "Allow", "Send", "Done"}) {
    EXPECT_TRUE(ScreenLookUp("Publish")(id)->IsVisible()) << id;
  }
  // The player's name is offered as the publisher's.
  EXPECT_STREQ(ScreenLookUp("Publish")("Name")->GetTextP(), g_UserRecord.name);
  const MWinArea send = ScreenLookUp("Publish")("Send")->GetAreaRelative();
  EXPECT_GT(Difference(At(h, pixels, send.x + send.w / 2, send.y + send.h / 2), Rgb{}), 60);

  // The player's country is offered; a player without one (or with one the
  // table does not know) is offered none, not the table's first row.
  struct Case {
    const char* country;
    const char* shown;
  } cases[] = {{"Wales", "Wales"}, {"", ""}, {"Atlantis", ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.country);
    std::snprintf(g_UserRecord.country, sizeof g_UserRecord.country, "%s", c.country);
    GameShellGotoScreen("Publish");
    Frames(h);
    MWinButton* country = ScreenLookUp("Publish")("Country");
    EXPECT_STREQ(country->HasText() ? country->GetTextP() : "", c.shown);
  }
  Shot(h, "PublishNoCountry");
}

// The current deck's folder of generated pictures in one colour mode (the
// generated-decks folder holds "2Cols" and "4Cols").
std::string GeneratedFolder(bool fourColour) {
  std::string current = CardsDecksGetDeckGenPath();
  for (char& c : current) c = c == '\\' ? '/' : c;
  const std::string base = current.substr(0, current.find_last_of('/'));
  return base + (fourColour ? "/4Cols/" : "/2Cols/") + DecksGetCurrentDeckName();
}

int GeneratedPictures(bool fourColour) {
  const std::string folder = GeneratedFolder(fourColour);
  int n = 0;
  if (!std::filesystem::is_directory(folder)) return 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) n += entry.path().extension() == ".tga";
  return n;
}

TEST_F(DeckScreensPixelTest, TheGeneratorEditsANewDecksPartsWithPreviews) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  Frames(h);
  ASSERT_EQ(DecksCreateUserDeck("Garden Party"), 1);
  DecksRescan();
  g_UserRecord.currentDeck = DecksFindDeckByName("Garden Party");
  ASSERT_GE(g_UserRecord.currentDeck, CardsDecksGetNumStandardDecks());
  g_UserRecord.deckGenEditSet = 3;
  PlayThenOpen(h, "Decks");
  ClickButton(h, "Decks", "Edit");
  Frames(h);
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenDeckGen);
  EXPECT_EQ(GameGetProgramMode(), kGameModeDeckGenerator);
  EXPECT_FALSE(DeckGenIsChanged());
  for (int card = 0; card < 4; ++card) EXPECT_TRUE(DeckGenIsPreviewLoadedForTests(3, card)) << card;
  Shot(h, "DeckGenSuits");

  // Which rows each edit set shows.
  const struct {
    int set;
    const char* shown;
    const char* hidden;
  } kSets[] = {{0, "MainPipW", "Suits"},     {1, "SysShape", "Shape"},  {2, "BaseCol", "SuitCols"},
               {3, "HeartsCol", "RankX"},    {4, "RankX", "HeartsCol"}, {5, "AcesCenterPip", "CourtWidth"},
               {6, "CourtWidth", "Queens"}, {8, "Jacks", "Kings"}};
  for (const auto& c : kSets) {
    g_UserRecord.deckGenEditSet = static_cast<std::uint8_t>(c.set);
    DeckGenControlUpdateControls();
    EXPECT_TRUE(ScreenLookUp("DeckGen")(c.shown)->IsVisible()) << c.set << " " << c.shown;
    EXPECT_FALSE(ScreenLookUp("DeckGen")(c.hidden)->IsVisible()) << c.set << " " << c.hidden;
  }
  // Two-colour decks: the diamonds and clubs pickers are off.
  g_UserRecord.deckGenEditSet = 3;
  DeckGenControlUpdateControls();
  EXPECT_EQ(ScreenLookUp("DeckGen")("DiamondsCol")->IsEnabled(), CardsDecksIsFourColor());
  EXPECT_TRUE(ScreenLookUp("DeckGen")("HeartsCol")->IsEnabled());

  // The kings' type carries the queens' and jacks' with it.
  g_UserRecord.deckGenEditSet = 6;
  DeckGenControlShowElementName();
  DeckGenControlUpdateControls();
  DeckGenControlAttachPreviews();
  ScreenLookUp("DeckGen")("Kings")->ChoiceSetSel(1, true);
  Frames(h);
  EXPECT_EQ(CardsDecksGetSettings().elements.queensType, 1);
  EXPECT_EQ(CardsDecksGetSettings().elements.jacksType, 1);
  EXPECT_EQ(ScreenLookUp("DeckGen")("Queens")->ChoiceGetSel(), 1);
  EXPECT_TRUE(DeckGenIsChanged());
  EXPECT_TRUE(ScreenLookUp("DeckGen")("ElemName")->IsVisible());
  Shot(h, "DeckGenKings");

  // A scrollbar dragged changes its key only; released, it regenerates.
  ScreenLookUp("DeckGen")("Kings")->ChoiceSetSel(0, true);
  const std::string king = GeneratedFolder(CardsDecksIsFourColor()) + "/kh.tga";
  ASSERT_TRUE(std::filesystem::exists(king));
  const auto painted = std::filesystem::last_write_time(king);
  MWinHorzScrollbar* width = ScreenLookUp("DeckGen").Scrollbar("CourtWidth");
  width->SetPosDouble(0.6, true, true, true);
  EXPECT_NEAR(CardsDecksGetSettings().generator.courtCardsWidth, 0.6f, 1e-4);
  EXPECT_EQ(std::filesystem::last_write_time(king), painted);
  width->SetPosDouble(0.7, false, true, true);
  EXPECT_NE(std::filesystem::last_write_time(king), painted);

  // A generator that cannot be prepared at all paints nothing: the
  // previews shown stay.
  g_UserRecord.deckGenEditSet = 3;
  DeckGenControlLoadPreviews();
  ASSERT_TRUE(DeckGenIsPreviewLoadedForTests(3, 0));
  CardsGenerateForgetInitForTests();
  EXPECT_FALSE(DeckGenControlRegeneratePreview());
  EXPECT_TRUE(DeckGenIsPreviewLoadedForTests(3, 0));
  CardsGenerateInit();

  // Edits that are never saved leave no picture of them behind.
  DeckGenControlDiscardEdits();
  EXPECT_FALSE(DeckGenIsChanged());
  EXPECT_EQ(GeneratedPictures(false), 0);
  EXPECT_EQ(GeneratedPictures(true), 0);

  // Done without a change since: the settings are saved, nothing is made.
  DeckGenControlDoneCB(nullptr, 0, 0);
  EXPECT_EQ(GeneratedPictures(CardsDecksIsFourColor()), 0);
  CardsDecksGetSettings().generator.courtCardsWidth = 0.3f;
  ASSERT_TRUE(DeckGenLoadSettings());
  EXPECT_NEAR(CardsDecksGetSettings().generator.courtCardsWidth, 0.7f, 1e-3);
  // Done after a change: the deck is made again in the mode in use only.
  DeckGenSetChanged(true);
  DeckGenControlDoneCB(nullptr, 0, 0);
  EXPECT_FALSE(DeckGenIsChanged());
  EXPECT_EQ(GeneratedPictures(CardsDecksIsFourColor()), 54);
  EXPECT_EQ(GeneratedPictures(!CardsDecksIsFourColor()), 0);
  EXPECT_EQ(GameGetProgramMode(), kGameModePlaying);
}

// The photo editor: Config opens the chooser where programs are, listing
// the files that can run (programs here have no ".exe"); the one chosen is
// kept, and so is what the player chose before going there (the kings as
// the deck's own pictures); Edit starts it with the deck's own picture,
// quoted, in the player's decks folder.
TEST_F(DeckScreensPixelTest, APhotoEditorIsChosenAndEditsTheDecksOwnPicture) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  Frames(h);
  ASSERT_EQ(DecksCreateUserDeck("Garden Party"), 1);
  DecksRescan();
  g_UserRecord.currentDeck = DecksFindDeckByName("Garden Party");
  g_UserRecord.deckGenEditSet = 2;  // the base
  g_UserRecord.photoEditorPath[0] = '\0';
  PlayThenOpen(h, "Decks");
  ClickButton(h, "Decks", "Edit");
  Frames(h);
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenDeckGen);
  ScreenLookUp("DeckGen")("EditSet")->ChoiceSetSel(6, true);
  ScreenLookUp("DeckGen")("Kings")->ChoiceSetSel(1, true);
  Frames(h);
  ASSERT_EQ(CardsDecksGetSettings().elements.kingsType, 1);

  ClickButton(h, "DeckGen", "Config");
  Frames(h);
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenGetFile);
  EXPECT_STREQ(GetFileGetCurrentDir(), "/usr/bin");
  int listed = 0;
  for (int i = 0; i < GetFileGetEntryCount(); ++i) {
    const GetFileEntry* e = GetFileGetEntry(i);
    if (e->kind != kGetFileFile) continue;
    ++listed;
    EXPECT_TRUE(PlatformFileIsProgram((std::string("/usr/bin/") + e->name).c_str())) << e->name;
  }
  EXPECT_GT(listed, 10);  // sh, env, ls, ...
  Shot(h, "DeckGenChooseEditor");

  // The player goes to the folder of the editor and picks it.
  const std::string programs = dir_ + "/Programs";
  const std::string note = dir_ + "/edited.txt";
  std::filesystem::create_directories(programs);
  std::ofstream(programs + "/editor") << "#!/bin/sh\nprintf '%s|%s\\n' \"$(pwd)\" \"$1\" > \"" << note << "\"\n";
  std::filesystem::permissions(programs + "/editor", std::filesystem::perms::owner_all);
  std::ofstream(programs + "/readme.txt") << "not a program";
  GetFileSetStartDir(programs.c_str());
  GetFileUpdateFiles();
  ASSERT_EQ(GetFileGetEntryCount(), 2);  // "[ ^ ]" and the editor
  g_MWin.GetButtonFromIDs("GetFile", "GetFile", "Files")->PanelSetPos(1, 1, 1);  // a click on it
  Frames(h);
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenDeckGen);
  EXPECT_EQ(std::string(g_UserRecord.photoEditorPath), programs + "/editor");
  EXPECT_EQ(std::string(g_UserRecord.photoEditorFolder), programs);
  const DeckElementSettings& kept = CardsDecksGetSettings().elements;
  EXPECT_EQ(kept.kingsType, 1);
  EXPECT_EQ(kept.queensType, 1);
  EXPECT_EQ(kept.jacksType, 1);
  EXPECT_EQ(ScreenLookUp("DeckGen")("Kings")->ChoiceGetSel(), 1);
  EXPECT_TRUE(ScreenLookUp("DeckGen")("ElemName")->IsVisible());
  EXPECT_TRUE(DeckGenIsChanged()) << "Done would not make the deck with its own kings";
  ScreenLookUp("DeckGen")("EditSet")->ChoiceSetSel(2, true);
  Frames(h);

  // The base becomes the deck's own picture, and Edit opens it in the editor
  // (the game runs in a window: full screen, Edit asks for one first).
  g_ResolutionSettings.windowed = 1;
  ScreenLookUp("DeckGen")("Base")->ChoiceSetSel(1, true);
  Frames(h);
  ASSERT_TRUE(ScreenLookUp("DeckGen")("EditElem")->IsVisible());
  {
    ScopedEnv shown("CARDOLIA_HEADLESS", "0");  // headless, nothing is started
    ClickButton(h, "DeckGen", "EditElem");
  }
  EXPECT_FALSE(g_MWin.IsPopupOpen());
  std::string edited;
  for (int i = 0; i < 500 && (edited.empty() || edited.back() != '\n'); ++i) {
    std::ifstream in(note);
    edited.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (edited.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_FALSE(edited.empty()) << "the editor did not write " << note << " within 10 s";
  std::string decks = CardsDecksGetUserDecksDirectory(nullptr, false);
  std::replace(decks.begin(), decks.end(), '\\', '/');
  EXPECT_EQ(edited.substr(0, edited.find('|')), decks);
  EXPECT_EQ(edited.substr(edited.find('|') + 1).rfind(decks + "/Garden Party/Base.", 0), 0u) << edited;
}

}  // namespace
