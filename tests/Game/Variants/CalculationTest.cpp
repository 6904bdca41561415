// CalculationTest.cpp - the Calculation family (Calculation, Sir Tommy,
// Strategy): their rows in the shared suites, Calculation's foundations by
// ones to fours and its dealt base cards, what the columns take, Strategy's
// placing presses, its message (on the toolkit's recording back end) and its
// automatic foundations, and a position played to the win in each.
#include <string>

#include "Engine/EngLanguages.h"
#include "Engine/MWin/MWinButton.h"
#include "Shell/Shell.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSelection.h"
#include "Game/Variants/Calculation.h"
#include "tests/Engine/MWin/MWinFake.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameCalculation, .dealt = 4, .faceMode = 1, .foundations = 4, .tableaus = 4,
     .rules = "pick f16 t8 / drop f14 t21 w16", .slots = "2 3 4 5 7", .wasteInUse = true,
     .faces = "F: u*4; W: u48", .deepest = "T: u48; W: u48", .insideFrame = true},
    {.game = kGameSirTommy, .dealt = 0, .faceMode = 1, .foundations = 4, .tableaus = 4,
     .rules = "pick f16 t8 / drop f11 t0 w16", .slots = "2 3 4", .wasteInUse = true,
     .faces = "F: u~*4; W: u~", .deepest = "T: u48; W: u52", .insideFrame = true},
    {.game = kGameStrategy, .dealt = 0, .faceMode = 1, .foundations = 4, .tableaus = 4,
     .rules = "pick f16 t8 / drop f10 t16 w16", .slots = "2 3 4", .wasteInUse = true,
     .faces = "F: u~*4; W: u~", .deepest = "T: u48; W: u52", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(Calculation, kRows);

class CalculationTest : public VariantTest {};

const char kRanks[] = "A23456789TJQK";
const char kSuits[] = "hsdc";

std::string Card(int rank, int suit) {
  return std::string(1, kRanks[rank - 1]) + kSuits[suit] + "*";
}

// Foundation f (0-3) of Calculation from its base card up to `cards` cards,
// stepping by f + 1, suits in turn.
std::string CalculationFoundation(int f, int cards) {
  std::string pile = "F" + std::to_string(f) + ":";
  int rank = f + 1;
  for (int i = 0; i < cards; ++i) {
    pile += " " + Card(rank, (f + i) % 4);
    rank += f + 1;
    while (rank > 13) rank -= 13;
  }
  return pile;
}

// Foundation i with top card r takes rank ((r + i - 1) mod 13) + 1, in any
// suit: the fourth on a 10 takes an ace.
TEST_F(CalculationTest, FoundationIBuildsByI) {
  struct StepCase {
    int foundation;
    const char* top;
    const char* card;
    bool fits;
  };
  const StepCase cases[] = {
      {0, "Ah*", "2c*", true},  {0, "Ah*", "3c*", false}, {1, "2s*", "4d*", true},
      {1, "Qs*", "Ad*", true},  {1, "Ks*", "2d*", true},  {2, "9d*", "Qh*", true},
      {2, "Jd*", "Ah*", true},  {3, "Tc*", "Ah*", true},  {3, "Tc*", "Kh*", false},
      {3, "Kc*", "4h*", true},  {3, "4c*", "8s*", true},  {0, "Kh*", "Ah*", true},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.foundation + 1) + ": " + c.top + " <- " + c.card);
    ASSERT_TRUE(VariantTable(kGameCalculation, "F" + std::to_string(c.foundation) + ": " + c.top +
                                                   "; W: " + c.card));
    FixtureDrag(kWhereWaste, 0, kWhereFoundation + c.foundation);
    VariantSettle();
    EXPECT_EQ(g_GenLive.foundations[c.foundation].numCards, c.fits ? 2 : 1);
  }
}

// An empty foundation takes nothing and says so; a call that is not a drop
// on a foundation is refused and logged.
TEST_F(CalculationTest, TheCustomRuleRefusesEmptyFoundationsAndOtherCalls) {
  ASSERT_TRUE(VariantTable(kGameCalculation, "F0: Ah*; F1: ; W: 2c*"));
  ClearLog();
  EXPECT_FALSE(CalculationCustomRule(kWhereFoundation + 1, kWhereWaste, 1, 3, 2));
  EXPECT_TRUE(LogContains("Empty Foundation [1]"));
  ClearLog();
  EXPECT_FALSE(CalculationCustomRule(kWhereFoundation, kWhereWaste, 0, 3, 2));
  EXPECT_TRUE(LogContains("Bad Call (10,500,[3,2])"));
  ClearLog();
  EXPECT_FALSE(CalculationCustomRule(kWhereTableau, kWhereWaste, 1, 3, 2));
  EXPECT_TRUE(LogContains("Bad Call"));
  EXPECT_TRUE(CalculationCustomRule(kWhereFoundation, kWhereWaste, 1, 3, 2));
}

// Every deal starts the foundations with the ace of hearts, two of spades,
// three of diamonds and four of clubs; the rest lies face up in the waste.
TEST_F(CalculationTest, TheDealStartsTheFoundationsWithTheirBaseCards) {
  for (unsigned deal : {1u, 2u, 99u, 31337u}) {
    SCOPED_TRACE(deal);
    VariantDeal(kGameCalculation, deal);
    const Gen& g = g_GenLive;
    for (int f = 0; f < 4; ++f) {
      ASSERT_EQ(g.foundations[f].numCards, 1);
      EXPECT_EQ(FixtureCardText(g.foundations[f].cards[0]), Card(f + 1, f));
    }
    EXPECT_EQ(g.waste.numCards, 48);
    EXPECT_EQ(g.deck.numCards, 0);
  }
}

// The columns take only the waste's card (any card, in any column); a
// column's card moves only to a foundation. Sir Tommy alike.
TEST_F(CalculationTest, ColumnsTakeOnlyTheWastesCard) {
  struct MoveCase {
    int game;
    int from;
    int to;
    bool moves;
  };
  const MoveCase cases[] = {
      {kGameCalculation, kWhereWaste, kWhereTableau + 1, true},
      {kGameCalculation, kWhereWaste, kWhereTableau + 2, true},
      {kGameCalculation, kWhereTableau + 1, kWhereTableau + 2, false},
      {kGameCalculation, kWhereTableau + 1, kWhereTableau + 3, false},
      {kGameSirTommy, kWhereWaste, kWhereTableau + 1, true},
      {kGameSirTommy, kWhereTableau + 1, kWhereTableau + 3, false},
  };
  for (const MoveCase& c : cases) {
    SCOPED_TRACE(std::string(GenGameTable[c.game].name) + " " + std::to_string(c.from) + " -> " +
                 std::to_string(c.to));
    ASSERT_TRUE(VariantTable(c.game, "F0: Ah*; T1: 9s*; T2: 8c*; T3: ; W: 5d* 7h*"));
    CardGroup* to = GenGetGroup(g_GenLive, c.to);
    const int before = to->numCards;
    FixtureDrag(c.from, -1 + GenGetGroup(g_GenLive, c.from)->numCards, c.to);
    VariantSettle();
    EXPECT_EQ(to->numCards, before + (c.moves ? 1 : 0));
  }
}

// Sir Tommy: one left click on a column's top card plays it up, in any
// suit.
TEST_F(CalculationTest, SirTommyPlaysAColumnsCardWithOneClick) {
  ASSERT_TRUE(VariantTable(kGameSirTommy, "F0: Ah*; T2: 9s* 2c*; W: 5d*"));
  FixtureClick(kWhereTableau + 2, 1, 0);
  VariantSettle();
  EXPECT_EQ(g_GenLive.foundations[0].numCards, 2);
  EXPECT_EQ(g_GenLive.tableaus[2].numCards, 1);
}

// Calculation's last king goes up from the waste: the game is won once.
TEST_F(CalculationTest, CalculationNearWonPositionEndsInOneWin) {
  std::string piles;
  for (int f = 0; f < 4; ++f) piles += CalculationFoundation(f, f == 3 ? 12 : 13) + "; ";
  ASSERT_TRUE(VariantTable(kGameCalculation, piles + "W: Kc*"));
  FixtureDrag(kWhereWaste, 0, kWhereFoundation + 3);
  VariantSettle();
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
  FixtureClick(kWhereWaste, -1, 0);
  VariantSettle();
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

// Strategy's fixture: the toolkit's recording back end, the real English
// texts, the toolkit off.
class StrategyTest : public CalculationTest {
 protected:
  void SetUp() override {
    CalculationTest::SetUp();
    MWinEngSetBackEnd(&eng_);
    static FakeFont font;
    static const bool registered =
        g_MWin.GetFonts()->AddFontPointer(nullptr, FakeBackEnd::AsEng(&font)) == -1;
    (void)registered;
    ASSERT_TRUE(EngLanguagesInit(CARDOLIA_SOURCE_DIR "/Languages", "English"));
    if (g_MWin.IsOn()) g_MWin.Shutdown();
    ClearLog();
  }
  void TearDown() override {
    if (g_MWin.IsOn()) g_MWin.Shutdown();
    EngLanguagesRelease();
    MWinEngSetBackEnd(nullptr);
    GameSetProgramMode(kGameModeBeforeDevice);
    CalculationTest::TearDown();
  }
  // The text of the popup's message, "" without a popup.
  std::string PopupText() {
    MWinWindow* w = g_MWin.GetPopupWindow();
    MWinButton* message = w ? w->GetButtonFromID("MSG", false) : nullptr;
    return message ? message->GetTextP() : "";
  }
  FakeBackEnd eng_;
};

// While the stock lasts a press on a column places the waste's top card on
// it, whatever the column holds; aces go up by themselves.
TEST_F(StrategyTest, APressOnAColumnPlacesTheStockCard) {
  ASSERT_TRUE(VariantTable(kGameStrategy, "T0: 9s*; T1: ; W: Ah* 3d* Kc*"));
  FixtureClick(kWhereTableau, 0, -1);
  VariantSettle();
  EXPECT_EQ(FixturePile(kWhereTableau), "9s* Kc*");
  FixtureClick(kWhereTableau + 1, -1, -1);
  VariantSettle();
  EXPECT_EQ(FixturePile(kWhereTableau + 1), "3d*");
  // The ace left on top of the waste goes up at once.
  EXPECT_EQ(FixturePile(kWhereFoundation), "Ah*");
  EXPECT_EQ(g_GenLive.waste.numCards, 0);
  // A column's card is not lifted while the stock lasts...
  ASSERT_TRUE(VariantTable(kGameStrategy, "F0: Ah*; T0: 2h*; W: 9d*"));
  FixtureDrag(kWhereTableau, 0, kWhereFoundation);
  VariantSettle();
  EXPECT_EQ(FixturePile(kWhereTableau), "2h* 9d*") << "the press placed the stock card instead";
  // ...and nothing but a press places it: a right click (a quick move) does
  // nothing.
  ASSERT_TRUE(VariantTable(kGameStrategy, "F0: Ah*; T0: 2h*; W: 9d*"));
  FixtureClick(kWhereTableau, 0, 1);
  VariantSettle();
  EXPECT_EQ(FixturePile(kWhereTableau), "2h*");
  EXPECT_EQ(g_GenLive.waste.numCards, 1);
  // Nor does the send-to-foundation key play a column's card while the
  // stock lasts.
  float x, y;
  FixtureCardPlace(kWhereTableau, 0, &x, &y);
  GenSetPointerTablePoint(x, y);
  EXPECT_EQ(GenSendClickedCardToFoundation(), 0);
  EXPECT_EQ(FixturePile(kWhereFoundation), "Ah*");
}

// A press on the waste explains what to do: with the toolkit off in a
// popup with OK that turns the toolkit off again; with the toolkit on
// during play, as a message for 1.5 seconds.
TEST_F(StrategyTest, APressOnTheWasteExplainsTheStock) {
  const std::string text = EngLanguagesGetFirstString("Game_ClickOnTableausToMoveStockCards");
  ASSERT_FALSE(text.empty());
  ASSERT_TRUE(VariantTable(kGameStrategy, "T0: 9s*; W: 3d* Kc*"));
  FixtureClick(kWhereWaste, 1, -1);
  EXPECT_TRUE(g_MWin.IsOn());
  ASSERT_TRUE(g_MWin.IsPopupOpen());
  EXPECT_EQ(PopupText(), text);
  EXPECT_EQ(g_GenLive.waste.numCards, 2) << "nothing moved";
  ASSERT_TRUE(g_MWin.AddMessageToQueue("MWIN_POPUP", "MWIN_POPUP_WIN", "OK", 0));
  g_MWin.Tick();
  EXPECT_FALSE(g_MWin.IsPopupOpen());
  EXPECT_FALSE(g_MWin.IsOn()) << "the OK turns the toolkit off again";

  // The toolkit on, during play: a timed message, closed again.
  g_MWin.Startup();
  GameSetProgramMode(kGameModePlaying);
  FixtureClick(kWhereWaste, 1, -1);
  EXPECT_FLOAT_EQ(eng_.waited, 1.5f);
  EXPECT_GE(eng_.framesRendered, 2);
  EXPECT_FALSE(g_MWin.IsPopupOpen());
  EXPECT_TRUE(g_MWin.IsOn());
  // Not during play (an options screen over the game): nothing.
  GameSetProgramMode(kGameModeMainMenu);
  FixtureClick(kWhereWaste, 1, -1);
  EXPECT_FLOAT_EQ(eng_.waited, 1.5f);
}

// Once the stock is used up the columns' cards go up by themselves; the
// last card placed ends the game as won, once.
TEST_F(StrategyTest, StrategyNearWonPositionEndsInOneWin) {
  std::string piles;
  for (int f = 0; f < 4; ++f) {
    piles += "F" + std::to_string(f) + ":";
    for (int r = 1; r <= (f == 3 ? 10 : 13); ++r) piles += " " + Card(r, f);
    piles += "; ";
  }
  ASSERT_TRUE(VariantTable(kGameStrategy, piles + "T0: Qc*; T2: ; T3: ; W: Kc* Jc*"));
  FixtureClick(kWhereTableau + 2, -1, -1);
  VariantSettle();
  EXPECT_FALSE(g_GenLive.gameOver) << "the king is still in the stock";
  EXPECT_EQ(g_GenLive.foundations[3].numCards, 10) << "nothing goes up while the stock lasts";
  FixtureClick(kWhereTableau + 3, -1, -1);
  VariantSettle();
  EXPECT_EQ(g_GenLive.foundations[3].numCards, 13);
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
