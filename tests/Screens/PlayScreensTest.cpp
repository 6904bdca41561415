// Tests of the screens of play on the toolkit and the recording device: the
// Game page (bars, picture viewport, the picture's checks, its files and
// its preparation, autoplay levels, deal numbers), the Help screen and page
// (rules text, glossary rows, the tutorial button, the return to play), the
// in-game menu's Undo and Redo and its ways out, the Pause screen and the
// Popup screen, and the in-game keys across a screen.
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "App/Main.h"
#include "App/Tutorial.h"
#include "App/User.h"
#include "Engine/EngInput.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/CardsRender.h"
#include "Game/CardsSettings.h"
#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/CardsGenerate.h"
#include "Game/GameImports.h"
#include "Game/GameState.h"
#include "Game/GameTime.h"
#include "Game/Gen.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenRecord.h"
#include "Game/GenSave.h"
#include "Game/GenSelection.h"
#include "Game/GenSelectionLocal.h"
#include "Game/GenText.h"
#include "Game/GenUndo.h"
#include "Game/SolCards.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"
#include "Platform/WinMsg.h"
#include "Platform/Window.h"
#include "Screens/Cameras.h"
#include "Screens/GamePage.h"
#include "Screens/Help.h"
#include "Screens/InGame.h"
#include "Screens/Main.h"
#include "Screens/Options.h"
#include "Screens/Pause.h"
#include "Screens/Popup.h"
#include "tests/Screens/ScreensFixture.h"

namespace {

// ---- Pure rules of the Game page --------------------------------------------------------

TEST(GamePageRulesTest, RatingBarsStayWithinTheirBar) {
  struct Case {
    int rating;
    bool difficulty;
    float width;
  } cases[] = {
      {0, false, 1},    {100, false, 74}, {50, false, 37},
      {100, true, 1},   {0, true, 74},    {51, true, 37},
  };
  for (const Case& c : cases) {
    EXPECT_FLOAT_EQ(GameControlBarWidth(c.rating, 74, c.difficulty), c.width)
        << c.rating << " " << c.difficulty;
  }
}

TEST(GamePageRulesTest, ThePictureViewportIsTheFrameInsetInWholePixels) {
  const GameSnapshotViewport v = GameControlSnapshotViewportFor(214, 134, 413, 229, 1024, 768);
  EXPECT_EQ(v.x, 348);
  EXPECT_EQ(v.y, 220);
  EXPECT_EQ(v.w, 648);
  EXPECT_EQ(v.h, 353);
  const GameSnapshotViewport small = GameControlSnapshotViewportFor(214, 134, 413, 229, 640, 480);
  EXPECT_EQ(small.x, 218);
  EXPECT_EQ(small.w, 405);
}

TEST(GamePageRulesTest, APictureIsValidOnlyWhenEveryCountFitsItsArray) {
  auto details = std::make_unique<SaveCardDetails>();
  struct Case {
    int32_t SaveCardDetails::*count;
    int most;
  } cases[] = {
      {&SaveCardDetails::numTableaus, 52}, {&SaveCardDetails::numReserves, 28},
      {&SaveCardDetails::numCells, 11},    {&SaveCardDetails::numFoundations, 12},
      {&SaveCardDetails::numFans, 28},
  };
  for (const Case& c : cases) {
    SaveCardDetails& d = *details;
    d.numTableaus = d.numReserves = d.numCells = d.numFoundations = d.numFans = 0;
    d.*c.count = c.most;
    EXPECT_TRUE(GameControlSnapshotIsValid(d)) << c.most;
    d.*c.count = c.most + 1;
    EXPECT_FALSE(GameControlSnapshotIsValid(d)) << c.most;
    d.*c.count = -1;
    EXPECT_FALSE(GameControlSnapshotIsValid(d)) << c.most;
  }
}

TEST(GamePageRulesTest, TheNextAutoplayLevelIsTheFirstOfferedAboveTheStoredOne) {
  struct Case {
    bool offered[4];
    int stored, next;
  } cases[] = {
      {{true, true, true, true}, 0, 1},   {{true, true, true, true}, 1, 2},
      {{true, true, true, true}, 2, 3},   {{true, true, true, true}, 3, 0},
      {{true, true, true, true}, 7, 0},   {{true, true, false, true}, 1, 3},
      {{true, true, false, true}, 2, 3},  {{true, false, false, true}, 0, 3},
      {{true, false, false, true}, 1, 3}, {{true, false, true, false}, 2, 0},
      {{true, false, true, false}, 3, 0}, {{false, false, false, false}, 0, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GameControlNextAutoplayLevel(c.offered, c.stored), c.next) << c.stored;
  }
}

// A text that is no deal number says what is wrong with it, so the player
// can be told.
TEST(GamePageRulesTest, ADealNumberIsOneToTenDigitsWithinThirtyTwoBits) {
  using F = DealNumberFault;
  struct Case {
    const char* text;
    F fault;
    std::uint32_t number;
  } cases[] = {
      {"1", F::kNone, 1},
      {"4294967295", F::kNone, 4294967295u},
      {"0001234", F::kNone, 1234},
      {"", F::kEmpty, 0},
      {nullptr, F::kEmpty, 0},
      {"0", F::kZero, 0},
      {"0000000000", F::kZero, 0},
      {"12345678901", F::kTooLarge, 0},
      {"12a", F::kNotDigits, 0},
      {"abc", F::kNotDigits, 0},
      {" 12", F::kNotDigits, 0},
      {"-1", F::kNotDigits, 0},
      {"4294967296", F::kTooLarge, 0},
      {"9999999999", F::kTooLarge, 0},
  };
  for (const Case& c : cases) {
    const std::string text = c.text ? c.text : "(null)";
    std::uint32_t number = 77;
    EXPECT_EQ(GameControlParseDealNumber(c.text, &number), c.fault) << '"' << text << '"';
    EXPECT_EQ(number, c.fault == F::kNone ? c.number : 77u) << text;
    const char* token = GameControlDealNumberFaultToken(c.fault);
    EXPECT_EQ(token == nullptr, c.fault == F::kNone) << text;
  }
}

TEST(HelpRulesTest, GlossaryButtonsFlowIntoRowsWithinTheScript) {
  HelpButtonPlace places[6];
  // Fits one row.
  const float narrow[] = {40, 50, 60};
  EXPECT_EQ(HelpLayoutGlossary(narrow, 3, 216, 628, 357, 21, places), 1);
  EXPECT_FLOAT_EQ(places[0].x, 216);
  EXPECT_FLOAT_EQ(places[0].w, 48);
  EXPECT_FLOAT_EQ(places[1].x, 216 + 40 + 10);
  EXPECT_FLOAT_EQ(places[2].x, 216 + 40 + 10 + 50 + 10);
  // The fourth would pass the right edge: a second row 23 lower.
  const float wide[] = {100, 100, 100, 100, 100, -1};
  EXPECT_EQ(HelpLayoutGlossary(wide, 6, 216, 628, 357, 21, places), 2);
  EXPECT_FLOAT_EQ(places[2].x, 436);
  EXPECT_FLOAT_EQ(places[3].x, 216);
  EXPECT_FLOAT_EQ(places[3].y, 380);
  EXPECT_FLOAT_EQ(places[4].y, 380);
  EXPECT_LT(places[5].x, 0);  // not shown
  // A button ending exactly at the edge stays in its row.
  const float edge[] = {404};
  EXPECT_EQ(HelpLayoutGlossary(edge, 1, 216, 628, 357, 21, places), 1);
  const float none[] = {-1, -1};
  EXPECT_EQ(HelpLayoutGlossary(none, 2, 216, 628, 357, 21, places), 0);
}

// ---- Screens -------------------------------------------------------------------------

class PlayScreensTest : public ScreensTest {
 protected:
  void SetUp() override {
    ScreensTest::SetUp();
    // The card module's start as the program makes it before the device.
    GenGameLayoutsLoad();
    CardsInit();
    CardsDecksInit();
    CardsGenerateInit();
    SolCardsSetup();
    g_UserRecord = UserRecord{};
    g_UserOptions = UserOptions{};
    std::snprintf(g_UserRecord.name, sizeof g_UserRecord.name, "Tester");
    UserSetLoadedForTests(true);
    MainMenuButtonResetForTests();
    TutorialResetForTests();
    GameTimeResetForTests();
    CardsShowFacesNormally();
    folder_ = dir_ + "/Quarnix/Free Cardolia 3D";
  }
  void TearDown() override {
    GenDeleteAllSavedGames();
    UserSetLoadedForTests(false);
    GameSetProgramMode(kGameModeBeforeDevice);
    ScreensTest::TearDown();
  }

  // Every card of the running moves lands at once.
  static void Land() {
    for (int i = 0; i < 1000 && AnimIsAnimating(); ++i) {
      AnimClearStartDelay();
      GenSelEndAllAnimations();
    }
  }
  // A dealt and landed game in play, the toolkit off.
  void Play(int game, unsigned deal) {
    StartScreens();
    ScreensStopCurrent(1);
    GameSetProgramMode(kGameModePlaying);
    GenSetCurGame(game);
    GenNewGameWithNumber(deal, true);
    Land();
    GameTimeReset();
  }
  // The main menu on its Game page for the current player, as it comes up.
  void GoToMenu(int game) {
    StartScreens();
    g_UserRecord.menuGame = game;
    g_UserRecord.mainPage = 0;
    GameSetProgramMode(kGameModeMainMenu);
    GenSetCurGame(game);
    ScreensGoto(g_ScreenMain);
    ASSERT_EQ(ScreensGetCurrent(), g_ScreenMain);
  }
  // The same once the page has stood long enough for its tick to make the
  // stock picture.
  void EnterMenu(int game) {
    GoToMenu(game);
    StandOnThePage();
  }
  static void StandOnThePage() {
    EngProgramSetCurrentTimeForTests(EngProgramGetCurrentSeconds() + kGameSnapshotRestMs / 1000.0);
    ScreensTick();
  }
  // The error lines logged since the last ClearLog.
  std::string ErrorLines() const {
    std::string errors;
    for (const std::string& line : LogLines()) {
      if (line.find(" <ERROR> ") != std::string::npos) errors += line + "\n";
    }
    return errors;
  }
  std::string SavedName(const char* ext) const { return folder_ + "/SavedGames/Tester_Klondike" + ext; }
  std::string StockName() const { return folder_ + "/Layouts/Klondike.c3m"; }
  // Moves the top card of one tableau to another; with turn the new top
  // card is turned face up (a state the undo rules mark).
  static void MoveTop(int from, int to, bool turn) {
    CardGroup& source = g_GenLive.tableaus[from];
    Card card = source.cards[source.numCards - 1];
    source.RemoveCardFromEnd();
    if (turn && source.numCards > 0) {
      source.cards[source.numCards - 1].faceUp = 1;
      source.MarkChanged();
    }
    g_GenLive.tableaus[to].AddCardToGroup(&card, false, false, true);
    GenUndoRecordState();
  }
  std::string folder_;
};

TEST_F(PlayScreensTest, TheGamePageShowsTheGamesRatingsAndAutoplayLevels) {
  EnterMenu(kGameKlondike);
  // Klondike: one deck, autoplay levels off and 1-3.
  EXPECT_TRUE(ScreenLookUp("Main")("Deck1")->IsVisible());
  EXPECT_FALSE(ScreenLookUp("Main")("Deck2")->IsVisible());
  EXPECT_FALSE(ScreenLookUp("Main")("Deck3")->IsVisible());
  MWinButton* autoplay = ScreenLookUp("Main")("Autoplay");
  EXPECT_TRUE(autoplay->IsEnabled());
  EXPECT_EQ(autoplay->ListData().count, 4);
  EXPECT_STREQ(GameControlAutoplayEntryText(3), "Every card");
  EXPECT_STREQ(GameControlAutoplayEntryText(4), "Autoplay: ???");
  MWinArea skill;
  ScreenLookUp("Main")("Skill")->GetArea(&skill, true);
  EXPECT_FLOAT_EQ(skill.w, GameControlBarWidth(GenGameTable[kGameKlondike].skill, 74, false));
  EXPECT_EQ(GameControlGetSnapshotViewport().x, 348);

  // Two decks: Deck3 alone is hidden. No autoplay: the list is disabled.
  GenSetCurGame(kGameDoubleKlondike);
  GameControlShowRatings();
  EXPECT_TRUE(ScreenLookUp("Main")("Deck2")->IsVisible());
  EXPECT_FALSE(ScreenLookUp("Main")("Deck3")->IsVisible());
  GenSetCurGame(kGameAccordion);
  GameControlSetupAutoplayEntries();
  GameControlFillAutoplayList();
  EXPECT_FALSE(autoplay->IsEnabled());
  EXPECT_STREQ(autoplay->GetTextP(), "Not available");
}

TEST_F(PlayScreensTest, TheAKeyCyclesTheLevelsTheGameOffers) {
  GenSetCurGame(kGameKlondike);
  g_UserOptions.autoplayMode[kGameKlondike] = 0;
  char text[128];
  ASSERT_TRUE(GameControlCycleAutoplayLevel(text));
  EXPECT_EQ(g_UserOptions.autoplayMode[kGameKlondike], 1);
  EXPECT_STREQ(text, "Autoplay: safe cards");
  g_UserOptions.autoplayMode[kGameKlondike] = 7;  // a damaged value goes to off
  ASSERT_TRUE(GameControlCycleAutoplayLevel(text));
  EXPECT_EQ(g_UserOptions.autoplayMode[kGameKlondike], 0);
  GenSetCurGame(kGameAccordion);
  EXPECT_FALSE(GameControlCycleAutoplayLevel(text));
  EXPECT_STREQ(text, "This game has no autoplay");
}

TEST_F(PlayScreensTest, ThePicturesPreparationLeavesThePlayersFilesAlone) {
  // The player has a saved Klondike and statistics; the stock picture is
  // missing, so the Game page makes it.
  Play(kGameKlondike, 4321);
  MoveTop(6, 0, true);
  const int deckCount = g_GenLive.deck.numCards;
  ASSERT_TRUE(GenSaveCurrentGame());
  std::filesystem::create_directories(folder_ + "/Users");
  WriteFile(folder_ + "/Users/Tester.sta", std::string(100, 's'));
  const std::string game = ReadFile(SavedName(".c3o")), picture = ReadFile(SavedName(".c3m")),
                    stats = ReadFile(folder_ + "/Users/Tester.sta");
  std::filesystem::remove(StockName());
  GameTimeResetForTests();
  GenSetFirstGameOfferPending(false);
  ClearLog();

  EnterMenu(kGameKlondike);
  EXPECT_EQ(std::filesystem::file_size(StockName()), 2188092u);
  EXPECT_EQ(ReadFile(SavedName(".c3o")), game);
  EXPECT_EQ(ReadFile(SavedName(".c3m")), picture);
  EXPECT_EQ(ReadFile(folder_ + "/Users/Tester.sta"), stats);
  // Still the menu, its list where it was, nothing in play.
  EXPECT_EQ(GameGetProgramMode(), kGameModeMainMenu);
  EXPECT_EQ(ScreensGetCurrent(), g_ScreenMain);
  EXPECT_EQ(ScreenLookUp("Main")("GamesFull")->PanelGetPos(), kGameKlondike);
  EXPECT_FALSE(GenIsGameInProgress());
  EXPECT_FALSE(GenIsFirstGameOfferPending());
  EXPECT_TRUE(ScreenLookUp("Main")("ContinueGame")->IsEnabled());
  EXPECT_STREQ(ScreenLookUp("Main")("GameNum")->GetTextP(), "4321");
  // The player's own picture is shown (face down in the menu).
  EXPECT_TRUE(GameControlHasSnapshot());
  EXPECT_EQ(GenGetSaveCardDetails().piles[0].numCards, deckCount);
  EXPECT_EQ(ErrorLines(), "");
}

// The Game page makes no stock picture as it comes up, nor while the player
// is still at it (input within the rest time, a message waiting, a button
// held), since its making holds the program behind its message: New Game
// pressed as the player picks the game deals at once, and the picture is
// made once the page has been left alone.
TEST_F(PlayScreensTest, NewGameDealsAtOnceAndThePictureComesAfter) {
  const double rest = kGameSnapshotRestMs / 1000.0;
  const auto later = [](double seconds) {
    EngProgramSetCurrentTimeForTests(EngProgramGetCurrentSeconds() + seconds);
  };
  std::filesystem::remove(StockName());
  GoToMenu(kGameKlondike);
  EXPECT_FALSE(std::filesystem::exists(StockName())) << "the page's start waited for the picture";
  struct Case {
    const char* name;
    void (*underWay)(HWND window);  // the player's doing, before the tick
    void (*over)();                 // and its end
  } cases[] = {
      {"the pointer moved a moment ago",
       [](HWND) {
         EngProgramSetCurrentTimeForTests(EngProgramGetCurrentSeconds() + kGameSnapshotRestMs / 1000.0);
         GameResetIdleTimer();
       },
       [] {}},
      {"a click waits to be handled",
       [](HWND window) { PlatformInjectMessage(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100)); },
       [] { PlatformRemoveOneDroppableMessage(); }},
      {"a button is held", [](HWND) { PlatformHeadlessSetKey(VK_LBUTTON, true); },
       [] { PlatformHeadlessSetKey(VK_LBUTTON, false); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    later(rest * 0.6);
    c.underWay(Handle());
    later(rest * 0.6);
    ScreensTick();
    EXPECT_FALSE(std::filesystem::exists(StockName())) << "the picture made while the player is at the page";
    c.over();
  }
  ScreenLookUp("Main")("NewGame")->CallCallback(nullptr);
  EXPECT_EQ(GameGetProgramMode(), kGameModePlaying);
  EXPECT_TRUE(GenIsGameInProgress());
  later(rest * 5);
  GameControlTickSnapshot();
  EXPECT_FALSE(std::filesystem::exists(StockName())) << "the picture made over the new game";
  EXPECT_TRUE(GenIsGameInProgress());
  GenDeleteSavedGame();
  EnterMenu(kGameKlondike);
  EXPECT_EQ(std::filesystem::file_size(StockName()), 2188092u);
  EXPECT_TRUE(GameControlHasSnapshot());
}

// The Deal field opens on the saved game's number, selected, so a number
// typed replaces it; a text that is no deal number is refused with the
// reason instead of closing without a word.
TEST_F(PlayScreensTest, TheDealFieldReplacesTheOldNumberAndSaysWhyANumberIsRefused) {
  Play(kGameKlondike, 12345);
  ASSERT_TRUE(GenSaveCurrentGame());
  struct Case {
    const char* typed;  // "\b" is Backspace
    const char* told;   // the token of the answer; null: the deal is played
    unsigned deal;
  } cases[] = {
      {"0", "Game_DealNumberZero", 0},
      {"4294967296", "Game_DealNumberTooLarge", 0},
      {"12a", "Game_DealNumberNotDigits", 0},
      {"\b", "Game_DealNumberEmpty", 0},
      {"777", "Game_GameNumberNote", 777},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    EnterMenu(kGameKlondike);
    GameControlEnterDealNumberCB();
    ASSERT_TRUE(g_MWin.IsPopupOpen());
    MWinButton* edit = g_MWin.GetPopupWindow()->GetButtonFromID("TEXTEDIT", false);
    EXPECT_STREQ(edit->TextEditGetBuffer(), "12345");
    EXPECT_TRUE(edit->TextEditIsAllSelected());
    for (const char* p = c.typed; *p; ++p) {
      if (*p == '\b') {
        g_MWin.HandleInputEvent(5, 8, 0);
      } else {
        g_MWin.HandleInputEvent(7, *p, 0);
      }
    }
    g_MWin.HandleInputEvent(5, 13, 0);
    g_MWin.Tick();
    ASSERT_TRUE(g_MWin.IsPopupOpen()) << "the answer";
    MWinButton* message = g_MWin.GetPopupWindow()->GetButtonFromID("MSG", false);
    ASSERT_NE(message, nullptr);
    EXPECT_STREQ(message->GetTextP(), EngLanguagesGetFirstString(c.told));
    EXPECT_NE(std::string(EngLanguagesGetFirstString(c.told)), "");
    g_MWin.HandleInputEvent(5, 13, 0);  // OK
    g_MWin.Tick();
    EXPECT_FALSE(g_MWin.IsPopupOpen());
    if (c.deal) {
      EXPECT_EQ(g_GenLive.dealNumber, c.deal);
      EXPECT_EQ(GameGetProgramMode(), kGameModePlaying);
    } else {
      EXPECT_EQ(GameGetProgramMode(), kGameModeMainMenu);
    }
  }
}

TEST_F(PlayScreensTest, ABadPlayersPictureFallsBackToTheStockOneWhichStays) {
  Play(kGameKlondike, 99);
  ASSERT_TRUE(GenSaveCurrentGame());
  EnterMenu(kGameKlondike);  // makes the stock picture
  ASSERT_TRUE(std::filesystem::exists(StockName()));
  const std::string stock = ReadFile(StockName());
  // The player's picture no longer matches the saved game: passed over.
  std::string picture = ReadFile(SavedName(".c3m"));
  picture[100] ^= 0x5A;
  WriteFile(SavedName(".c3m"), picture);
  EXPECT_TRUE(GameControlLoadSnapshot());
  EXPECT_EQ(ReadFile(StockName()), stock);
  EXPECT_TRUE(std::filesystem::exists(SavedName(".c3m")));
  // A stock picture whose counts are out of range is itself deleted.
  std::string bad = stock;
  bad[16] = 60;  // 60 tableaus
  WriteFile(StockName(), bad);
  std::filesystem::remove(SavedName(".c3m"));
  EXPECT_FALSE(GameControlLoadSnapshot());
  EXPECT_FALSE(std::filesystem::exists(StockName()));
  EXPECT_FALSE(GameControlHasSnapshot());
}

TEST_F(PlayScreensTest, TheRulesTextHasTheObjectiveAndEachTitledRule) {
  GenSetCurGame(kGameKlondike);
  static char text[kHelpRulesTextSize];
  ASSERT_TRUE(HelpBuildRulesTextInto(text, sizeof text));
  const std::string expectedStart = std::string("<1<Objective\n") + GenGetGameString(2, -1);
  EXPECT_EQ(std::string(text).rfind(expectedStart, 0), 0u);
  std::string rest = std::string(text).substr(expectedStart.size());
  for (int rule = 0; rule < kGenMaxGameRules; ++rule) {
    std::string title = GenGetGameString(3, rule);
    if (title.empty()) continue;
    const std::string block = "\n\n<1<" + title + "\n" + GenGetGameString(4, rule);
    ASSERT_EQ(rest.rfind(block, 0), 0u) << rule;
    rest = rest.substr(block.size());
  }
  EXPECT_EQ(rest, "");
  // A buffer too small keeps the blocks that fit whole.
  char small[64];
  EXPECT_FALSE(HelpBuildRulesTextInto(small, sizeof small));
  EXPECT_EQ(std::string(small).find("\n\n"), std::string::npos);
  EXPECT_LT(std::strlen(small), sizeof small);
}

TEST_F(PlayScreensTest, GlossaryTopicsOutsideTheListHaveNoTitle) {
  EXPECT_STREQ(HelpGlossaryTitle(1), "Foundation");
  EXPECT_STREQ(HelpGlossaryTitle(18), "Up or down in suit");
  EXPECT_NE(std::string(HelpGlossaryText(3)).find("main playing area"), std::string::npos);
  for (int topic : {-1, 0, 19, 1000}) {
    EXPECT_EQ(HelpGlossaryTitle(topic), nullptr) << topic;
    EXPECT_EQ(HelpGlossaryText(topic), nullptr) << topic;
  }
}

TEST_F(PlayScreensTest, HelpFromPlayShowsTheRulesAndDoneReturnsToPlay) {
  Play(kGameKlondike, 5);
  GameMenuHelp();  // F1: the clock pauses, the faces hide
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenHelp);
  EXPECT_TRUE(CardsAreAllFacesHidden());
  EXPECT_STREQ(ScreenLookUp("Help")("Title")->GetTextP(), "Rules for Klondike");
  EXPECT_FALSE(ScreenLookUp("Help")("Tutorial")->IsVisible());
  // Klondike's glossary fits one row: the script grows by a row and the
  // buttons move down under it.
  const int topics = HelpGlossaryCount();
  ASSERT_GT(topics, 0);
  MWinButton* first = ScreenLookUp("Help")("Glos1");
  EXPECT_TRUE(first->IsVisible());
  EXPECT_STREQ(first->GetTextP(), HelpGlossaryTitle(GenGameTable[kGameKlondike].topics[0]));
  EXPECT_FALSE(ScreenLookUp("Help")("Glos16")->IsVisible());
  // The glossary popup explains the term.
  first->CallCallback(nullptr);
  EXPECT_TRUE(g_MWin.IsPopupOpen());
  g_MWin.PopupCloseIfOpen();

  EngWindowGetKeyStates()[VK_ESCAPE] = 2;
  HelpControlDoneCB();
  EXPECT_FALSE(g_MWin.IsOn());
  EXPECT_EQ(GameGetProgramMode(), kGameModePlaying);
  EXPECT_FALSE(CardsAreAllFacesHidden());
  EXPECT_EQ(EngWindowGetKeyStates()[VK_ESCAPE], 0);
}

TEST_F(PlayScreensTest, OnlyTheTutorialGameShowsTheTutorialButton) {
  Play(kGameKlondike, 5);
  GenSetCurGame(kGameTwenty);
  GameMenuHelp();
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenHelp);
  EXPECT_TRUE(ScreenLookUp("Help")("Tutorial")->IsVisible());
  // From play the button returns to the game and asks for the lesson.
  ScreenLookUp("Help")("Tutorial")->CallCallback(nullptr);
  EXPECT_FALSE(g_MWin.IsOn());
  EXPECT_EQ(TutorialGetStateForTests().request, 2);
}

TEST_F(PlayScreensTest, TheHelpPageInTheMenuHidesItsFrameTitleAndDone) {
  EnterMenu(kGameKlondike);
  g_UserRecord.mainPage = 1;
  MainControlShowPage();
  EXPECT_FALSE(ScreenLookUp("Main")("Done")->IsVisible());
  EXPECT_FALSE(ScreenLookUp("Main")("Title")->IsVisible());
  EXPECT_TRUE(ScreenLookUp("Main")("Script")->IsVisible());
  HelpControlDoneCB();  // in the menu it only forgets its buttons
  EXPECT_EQ(ScreensGetCurrent(), g_ScreenMain);
  EXPECT_TRUE(g_MWin.IsOn());
}

TEST_F(PlayScreensTest, TheOptionsPreviewDrawsTheMenusTableWithoutLookingForTheGoneMenu) {
  EnterMenu(kGameKlondike);
  ASSERT_TRUE(GameControlHasSnapshot());
  for (int page : {kOptionsCameras, kOptionsLights}) {
    g_UserRecord.optionsPage = static_cast<std::uint8_t>(page);
    ScreensGoto(g_ScreenOptions);
    ASSERT_EQ(ScreensGetCurrent(), g_ScreenOptions);
    ClearLog();
    CamerasControlRenderPreview();
    EXPECT_EQ(ErrorLines(), "") << page;
    ScreensGoto(g_ScreenMain);
  }
}

TEST_F(PlayScreensTest, UndoAndRedoAreEnabledByTheUndoState) {
  Play(kGameKlondike, 77);
  struct Case {
    const char* what;
    int level;
    int showAgain;
    bool undo;
  } marked[] = {
      {"level 2 undoes a marked state", 2, 1, true},
      {"level 1 shows its notice", 1, 1, true},
      {"level 1 without the notice", 1, 0, false},
      {"level 0 never undoes", 0, 1, false},
  };
  GameMenuShowInGameMenu();
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenInGame);
  MWinButton* undo = ScreenLookUp("InGame")("Undo");
  MWinButton* redo = ScreenLookUp("InGame")("Redo");
  EXPECT_FALSE(undo->IsEnabled());  // nothing to undo yet
  EXPECT_FALSE(redo->IsEnabled());
  MoveTop(6, 0, false);
  InGameControlUpdateUndoRedoButtons();
  EXPECT_TRUE(undo->IsEnabled());
  GenUndo();
  InGameControlUpdateUndoRedoButtons();
  EXPECT_TRUE(redo->IsEnabled());
  GenRedo();
  MoveTop(5, 1, true);  // turns a card over: a marked state
  for (const Case& c : marked) {
    g_UserRecord.undoLevel = static_cast<std::uint8_t>(c.level);
    g_UserRecord.undoQuestion = static_cast<std::uint8_t>(c.showAgain);
    InGameControlUpdateUndoRedoButtons();
    EXPECT_EQ(undo->IsEnabled(), c.undo) << c.what;
  }
  // Each button closes the menu before it acts.
  g_UserRecord.undoLevel = 2;
  undo->CallCallback(nullptr);
  EXPECT_FALSE(g_MWin.IsOn());
  EXPECT_TRUE(GenUndoCanRedo());
}

// The in-game menu opened from play closes without an action on Escape,
// when the pointer leaves the menu and the Menu corner, and on a press
// beside it; that press and its release do not reach the table, and the
// table takes the next click.
TEST_F(PlayScreensTest, TheInGameMenuClosesOnEscapeOnLeavingAndOnAPressBesideIt) {
  Play(kGameKlondike, 3);
  GenSetPickRayCB(nullptr);  // table points are given below
  auto move = [](float x, float y) {
    GameInputEventCB(kEngInputMouseMove, static_cast<int>(x * 1024 / 640), static_cast<int>(y * 768 / 480));
  };
  auto open = [&move] {
    move(610, 10);
    GameMenuShowInGameMenu();
    return ScreensGetCurrent() == g_ScreenInGame && g_MWin.IsOn();
  };
  auto closedToPlay = [] { return !g_MWin.IsOn() && GameGetProgramMode() == kGameModePlaying; };
  std::uint8_t* keys = EngWindowGetKeyStates();

  ASSERT_TRUE(open());
  ScreensTick();
  EXPECT_TRUE(g_MWin.IsOn()) << "the pointer rests on the Menu button";
  keys[VK_ESCAPE] = 2;
  ScreensTick();
  EXPECT_TRUE(closedToPlay()) << "Escape";
  GameInGameKeys();
  EXPECT_EQ(GameGetProgramMode(), kGameModePlaying) << "the same Escape also left the table";

  ASSERT_TRUE(open());
  const struct {
    float x, y;
    bool stays;
  } walk[] = {{610, 200, true}, {600, 255, true}, {560, 10, true}, {560, 30, false}};
  for (const auto& at : walk) {
    move(at.x, at.y);
    ScreensTick();
    EXPECT_EQ(g_MWin.IsOn(), at.stays) << at.x << ", " << at.y;
  }
  EXPECT_TRUE(closedToPlay()) << "leaving";

  // A press beside the menu before any tick saw the pointer there: over the
  // stock, whose release alone would turn it.
  const int deck = g_GenLive.deck.numCards;
  ASSERT_GT(deck, 0);
  ASSERT_TRUE(open());
  move(100, 100);
  GenSetPointerTablePoint(g_GenLive.deck.GetTopCardX(), g_GenLive.deck.GetTopCardY());
  GameInputEventCB(kEngInputMouseButton, 0, 1);
  EXPECT_TRUE(closedToPlay()) << "a press beside the menu";
  GameInputEventCB(kEngInputMouseButton, 0, 0);
  Land();
  EXPECT_EQ(g_GenLive.deck.numCards, deck) << "the press's release reached the stock";
  GameInputEventCB(kEngInputMouseButton, 0, 1);
  GameInputEventCB(kEngInputMouseButton, 0, 0);
  Land();
  EXPECT_LT(g_GenLive.deck.numCards, deck) << "the next click on the stock";
}

TEST_F(PlayScreensTest, TheUndoNoticeStopsWhenItsBoxIsCleared) {
  Play(kGameKlondike, 77);
  MoveTop(5, 1, true);
  g_UserRecord.undoLevel = 1;
  g_UserRecord.undoQuestion = 1;
  GameMenuUndo();
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenPopup);
  EXPECT_STREQ(ScreenLookUp("Popup")("Text")->GetTextP(),
               EngLanguagesGetFirstString("Popup_UndoCheatLevelMessage"));
  MWinButton* again = ScreenLookUp("Popup")("ShowAgain");
  EXPECT_EQ(again->CheckboxGet(), 1);
  again->CheckboxSet(0, true);
  ScreenLookUp("Popup")("Ok")->CallCallback(nullptr);
  EXPECT_FALSE(g_MWin.IsOn());
  EXPECT_EQ(g_UserRecord.undoQuestion, 0);
  EXPECT_FLOAT_EQ(MainMenuButtonGetState().alpha, 1);
  GameMenuUndo();
  EXPECT_FALSE(g_MWin.IsOn());
  EXPECT_EQ(g_GenLive.tableaus[1].numCards, 3);  // not undone
}

TEST_F(PlayScreensTest, ThePopupScreenWithoutItsMessageClosesAtOnce) {
  Play(kGameKlondike, 3);
  ASSERT_TRUE(ScreensStart(g_ScreenPopup));
  EXPECT_FALSE(g_MWin.IsOn());
  EXPECT_TRUE(MainMenuButtonIsOn());
  EXPECT_FLOAT_EQ(MainMenuButtonGetState().alpha, 1);
}

TEST_F(PlayScreensTest, PausePHidesTheFacesAndPResumes) {
  Play(kGameKlondike, 3);
  std::uint8_t* keys = EngWindowGetKeyStates();
  constexpr int kP = 'P';
  keys[kP] = 2;
  GameInGameKeys();  // P: the pause screen, the press used up
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenPause);
  EXPECT_TRUE(g_MWin.IsOn());
  EXPECT_TRUE(CardsAreAllFacesHidden());
  EXPECT_EQ(keys[kP], 0);
  ScreensTick();
  EXPECT_TRUE(g_MWin.IsOn());  // not resumed by the same press
  keys[kP] = 2;
  ScreensTick();
  EXPECT_FALSE(g_MWin.IsOn());
  EXPECT_FALSE(CardsAreAllFacesHidden());
  EXPECT_EQ(keys[kP], 0);
  EXPECT_EQ(GameGetProgramMode(), kGameModePlaying);
}

TEST_F(PlayScreensTest, EscapeResumesThePause) {
  Play(kGameKlondike, 3);
  GameMenuPause();
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenPause);
  EXPECT_STREQ(ScreenLookUp("Pause")("Box")->GetTextP(), "GAME PAUSED");
  g_MWin.HandleInputEvent(kEngInputKeyDown, VK_ESCAPE, 0);
  g_MWin.HandleInputEvent(kEngInputKeyUp, VK_ESCAPE, 0);
  for (int i = 0; i < 3 && g_MWin.IsOn(); ++i) g_MWin.Tick();
  EXPECT_FALSE(g_MWin.IsOn());
  EXPECT_FALSE(CardsAreAllFacesHidden());
}

// The in-game keys' latches follow the keys under a screen too: Escape let
// go in the main menu leaves the table at its first press after Continue,
// even when that press is the first thing the game sees; a key pressed
// under the Pause screen and still held when play resumes does not act.
TEST_F(PlayScreensTest, AKeyCountsOncePerPressAcrossAScreen) {
  Play(kGameKlondike, 3);
  std::uint8_t* keys = EngWindowGetKeyStates();
  keys[VK_ESCAPE] = 2;
  GameTickCB();
  ASSERT_EQ(GameGetProgramMode(), kGameModeMainMenu);
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenMain);
  keys[VK_ESCAPE] = 0;
  GameTickCB();
  MainControlContinueGameCB();
  ASSERT_EQ(GameGetProgramMode(), kGameModePlaying);
  ASSERT_FALSE(g_MWin.IsOn());
  keys[VK_ESCAPE] = 2;
  GameTickCB();
  EXPECT_EQ(GameGetProgramMode(), kGameModeMainMenu) << "the first Escape back in play was ignored";
  keys[VK_ESCAPE] = 0;
  GameTickCB();

  MainControlContinueGameCB();
  ASSERT_EQ(GameGetProgramMode(), kGameModePlaying);
  g_UserRecord.currentCamera = 1;
  GameMenuPause();
  constexpr int kFive = '5';  // the camera key
  keys[kFive] = 2;  // pressed while paused
  GameTickCB();
  PauseControlResumeCB();
  ASSERT_FALSE(g_MWin.IsOn());
  GameTickCB();
  EXPECT_EQ(g_UserRecord.currentCamera, 1) << "a press made under the screen acted in play";
  keys[kFive] = 0;
  GameTickCB();
  keys[kFive] = 2;
  GameTickCB();
  EXPECT_EQ(g_UserRecord.currentCamera, 5);
  keys[kFive] = 0;
}

}  // namespace
