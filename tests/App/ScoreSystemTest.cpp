// Tests of the scoring systems: every game's system, the sequence rules,
// the running score of small positions (Klondike, Grandfather's Clock,
// Gaps), and the explanation text, read in a language whose texts are the
// token names so that each line shows where it came from.
#include <map>
#include <string>

#include "App/ScoreSystem.h"
#include "Engine/EngLanguages.h"
#include "Game/Card.h"
#include "Game/GameImports.h"
#include "tests/App/PlayerFixture.h"

namespace {

constexpr int kHearts = 0, kSpades = 1, kDiamonds = 2, kClubs = 3;

class ScoreSystemTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    WriteLanguage({});
    g_GenLive.lowestRank = 1;
  }
  void WriteLanguage(const std::map<std::string, std::string>& texts) {
    UseTokenNameLanguage(
        {"Score_SysShoterTab", "Score_SysEveryCardRemoved", "Score_SysPoker", "Score_SysEveyCardFnd",
         "Score_SysTabAndOrFan", "Score_SysFan", "Score_SysTab", "Score_SysTabOrFan",
         "Score_SysEverySecondPlaying", "Score_SysEveryUndo", "Score_SysEveryNormalUndo",
         "Score_SysEveryCheatUndo", "Score_SysRuleAlternateDown", "Score_SysRuleSameSuitDown",
         "Score_SysRuleSameColourDown", "Score_SysRuleDiffSuitDown", "Score_SysRuleAnySuitDown",
         "Score_SysRuleCurdsAndWhey", "Score_SysRuleGaps"},
        texts);
  }
  static int Score() {
    ScoreUpdateCurrentScore();
    return g_UserOptions.runningScore[GenGetCurGame()];
  }
};

// Every game's row names a system the scoring can count and explain: the
// sequence rules it asks are known (a game's own rule only where the game
// has one), and a system that adds a part of its own opens its explanation
// with the line that says so.
TEST_F(ScoreSystemTest, EveryGameHasItsSystem) {
  Card eightSpades, sevenHearts;
  CardsSetupCard(&eightSpades, 1, kSpades, 8, 0, 0, 0);
  CardsSetupCard(&sevenHearts, 1, kHearts, 7, 0, 0, 0);
  g_GenLive.numTableaus = 1;
  for (int game = 0; game < kGenNumGames; ++game) {
    SCOPED_TRACE(GenGetGameFilename(game));
    GenSetCurGame(game);
    ClearLog();
    ScoringSystem s;
    ScoreGetScoringSystemOfGame(game, &s);
    ScoreCheckTableauFanRule(s.firstRule, &eightSpades, &sevenHearts, true, 0);
    ScoreCheckTableauFanRule(s.secondRule, &eightSpades, &sevenHearts, true, 0);
    const std::string text = ScoreGetSystemDescription();
    EXPECT_TRUE(LogLines().empty());
    EXPECT_EQ(s.bonus != nullptr, text.rfind('\n', 0) == 0) << text;
  }
}

TEST_F(ScoreSystemTest, SequenceRules) {
  Card eightSpades, sevenHearts, sevenClubs, sevenSpades, sixHearts, eightHearts;
  CardsSetupCard(&eightSpades, 1, kSpades, 8, 0, 0, 0);
  CardsSetupCard(&sevenHearts, 1, kHearts, 7, 0, 0, 0);
  CardsSetupCard(&sevenClubs, 1, kClubs, 7, 0, 0, 0);
  CardsSetupCard(&sevenSpades, 1, kSpades, 7, 0, 0, 0);
  CardsSetupCard(&sixHearts, 1, kHearts, 6, 0, 0, 0);
  CardsSetupCard(&eightHearts, 1, kHearts, 8, 0, 0, 0);
  const struct {
    int game, rule;
    const Card* b;
    int counts;
  } cases[] = {
      {kGameKlondike, 1, &sevenHearts, 1}, {kGameKlondike, 1, &sevenClubs, 0}, {kGameKlondike, 1, &sixHearts, 0},
      {kGameKlondike, 1, nullptr, 0},      {kGameKlondike, 2, &sevenSpades, 1}, {kGameKlondike, 2, &sevenClubs, 0},
      {kGameKlondike, 3, &sevenClubs, 1},  {kGameKlondike, 3, &sevenHearts, 0}, {kGameKlondike, 5, &sevenClubs, 1},
      {kGameKlondike, 5, &sevenSpades, 0}, {kGameKlondike, 6, &sevenHearts, 1}, {kGameKlondike, 6, &eightHearts, 0},
      {kGameKlondike, -1, &sevenHearts, 0}, {kGameCurdsAndWhey, 21, &eightHearts, 1},
      {kGameCurdsAndWhey, 21, &sevenSpades, 1}, {kGameCurdsAndWhey, 21, &sevenHearts, 0},
      {kGameCurdsAndWhey, 21, nullptr, 0},
  };
  for (const auto& c : cases) {
    GenSetCurGame(c.game);
    EXPECT_EQ(ScoreCheckTableauFanRule(c.rule, &eightSpades, c.b, true, 0), c.counts)
        << "rule " << c.rule << " on " << (c.b ? c.b->rank : 0);
  }
  EXPECT_TRUE(LogLines().empty());
  EXPECT_EQ(ScoreCheckTableauFanRule(4, &eightSpades, &sevenHearts, true, 0), 0);
  EXPECT_TRUE(LogContains("Unknow rule 4"));
  GenSetCurGame(kGameKlondike);
  EXPECT_EQ(ScoreCheckTableauFanRule(21, &eightSpades, &eightHearts, true, 0), 0);
  EXPECT_TRUE(LogContains("Unknow custom game 37"));
  EXPECT_STREQ(ScoreGetRuleDescription(21), "???");
  EXPECT_STREQ(ScoreGetRuleDescription(2), "Score_SysRuleSameSuitDown");
}

TEST_F(ScoreSystemTest, KlondikeCountsFoundationsAlternateRunsTimeAndUndos) {
  Gen& g = g_GenLive;
  g.numFoundations = 4;
  g.numTableaus = 7;
  SetPile(g.foundations[0], {{kHearts, 1, true}, {kHearts, 2, true}});
  SetPile(g.foundations[1], {{kSpades, 1, true}});
  SetPile(g.foundations[3], {{kClubs, 1, true}});
  // A face-down pair, then the black 8 under the red 7 face up.
  SetPile(g.tableaus[2], {{kDiamonds, 9, false}, {kHearts, 8, false}, {kSpades, 8, true}, {kHearts, 7, true}});
  SetPile(g.tableaus[5], {{kSpades, 9, true}});  // a lone card counts nothing
  g_UserOptions.elapsedSeconds[kGameKlondike] = 30;
  g.unmarkedUndos = 1;
  EXPECT_EQ(Score(), 175);
  EXPECT_STREQ(ScoreGetScoreText(), "175");
  g.markedUndos = 1;
  EXPECT_EQ(Score(), 75);
  g.markedUndos = 3;
  EXPECT_EQ(Score(), 0);  // never below 0
  EXPECT_STREQ(ScoreGetScoreText(), "0");

  // Nothing is recomputed once the game is over.
  g.markedUndos = 0;
  g.gameOver = 1;
  EXPECT_EQ(Score(), 0);
  g.gameOver = 0;
  EXPECT_EQ(Score(), 175);
  ScoreResetCurrentScore();
  EXPECT_EQ(g_UserOptions.runningScore[kGameKlondike], 175);  // reset, then recomputed
}

TEST_F(ScoreSystemTest, GrandfathersClockAfterItsDeal) {
  GenSetCurGame(kGameGrandfathersClock);
  g_GenLive.numFoundations = 12;
  for (int i = 0; i < 12; ++i) SetPile(g_GenLive.foundations[i], {{i % 4, i + 1, true}});
  EXPECT_EQ(Score(), 480);
}

TEST_F(ScoreSystemTest, GapsCountsCardsInPlaceFromTheLeftOfEachRow) {
  GenSetCurGame(kGameGaps);
  Gen& g = g_GenLive;
  g.numTableaus = 52;
  SetPile(g.tableaus[0], {{kHearts, 2, true}});
  SetPile(g.tableaus[1], {{kHearts, 3, true}});
  SetPile(g.tableaus[2], {{kHearts, 4, true}});
  SetPile(g.tableaus[3], {{kSpades, 5, true}});
  SetPile(g.tableaus[4], {{kHearts, 6, true}});  // in suit, but after a break
  SetPile(g.tableaus[13], {{kHearts, 3, true}});  // a row starting with a 3
  SetPile(g.tableaus[14], {{kHearts, 4, true}});
  EXPECT_EQ(Score(), 150);
}

TEST_F(ScoreSystemTest, KlondikesExplanation) {
  g_GenLive.numTableaus = 7;
  EXPECT_STREQ(ScoreGetSystemDescription(),
               "Score_SysEveyCardFnd:  +50\n\n"
               "Score_SysForXInY(Score_SysRuleAlternateDown|Score_SysTab):  +25\n\n"
               "Score_SysEverySecondPlaying:  -1\n\n"
               "Score_SysEveryNormalUndo:  -20\n\n"
               "Score_SysEveryCheatUndo:  -100");
  g_GenLive.numTableaus = 0;
  GenSetCurGame(kGameFreeCell);  // no cheat undos; no piles of either kind
  EXPECT_STREQ(ScoreGetSystemDescription(),
               "Score_SysEveyCardFnd:  +50\n\n"
               "Score_SysForXInY(Score_SysRuleAlternateDown|Score_SysTabAndOrFan):  +25\n\n"
               "Score_SysEverySecondPlaying:  -1\n\n"
               "Score_SysEveryUndo:  -20");
  GenSetCurGame(kGamePokerSquare);  // a bonus line, no time line
  EXPECT_STREQ(ScoreGetSystemDescription(), "\nScore_SysPoker\n\nScore_SysEveryUndo:  -100");
  GenSetCurGame(kGameMemory);
  EXPECT_STREQ(ScoreGetSystemDescription(), "\nScore_SysEveryCardRemoved:  +50\n\nScore_SysEverySecondPlaying:  -1");
}

TEST_F(ScoreSystemTest, AnOverlongExplanationIsCutNotOverrun) {
  const std::string longText(3000, 'x');
  WriteLanguage({{"Score_SysEveyCardFnd", longText}});
  const std::string text = ScoreGetSystemDescription();
  EXPECT_EQ(text.size(), 2047u);
  EXPECT_EQ(text.substr(0, 10), "xxxxxxxxxx");
  EXPECT_TRUE(LogContains("Description too long"));
}

}  // namespace
