// Tests of the scoring systems: every game's system at work on one position,
// the sequence rules,
// the running score of small positions (Klondike, Grandfather's Clock,
// Gaps), and the explanation text, read in a language whose texts are the
// token names so that each line shows where it came from.
#include <map>
#include <string>
#include <vector>

#include "App/ScoreSystem.h"
#include "Engine/EngLanguages.h"
#include "Game/Card.h"
#include "Game/GameImports.h"
#include "Game/GenRecord.h"
#include "Game/UserOptions.h"
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

// Every game scores one position by its own system. The position: six
// cards on a foundation; columns of face-up pairs, each counted by some
// sequence rules and not others (1 alternate-colour pair, 3 same-suit
// pairs, 5 same-colour pairs of different suits, 1 pair of equal ranks), so
// that the rules count alternate 1, same suit 3, Curds and Whey's 4,
// different suit 6, same colour 8 and any suit 9; five cards on the first
// reserve (the pair games count those); 30 s of play, one normal and one
// cheat undo. Each expected score is worked out by hand from the game's
// system (foundation points x 6, rule points x counts, minus the seconds,
// the undos and a fixed deduction, plus the game's own part), and no two
// systems score the position alike, except the two that end below 0.
TEST_F(ScoreSystemTest, EveryGameScoresAPositionByItsOwnSystem) {
  Gen& g = g_GenLive;
  g.numFoundations = 1;
  SetPile(g.foundations[0], {{kHearts, 1, true}, {kHearts, 2, true}, {kHearts, 3, true},
                             {kHearts, 4, true}, {kHearts, 5, true}, {kHearts, 6, true}});
  const PileCard columns[10][2] = {
      {{kSpades, 9, true}, {kHearts, 8, true}},                                           // alternate
      {{kClubs, 7, true}, {kClubs, 6, true}},     {{kDiamonds, 5, true}, {kDiamonds, 4, true}},
      {{kHearts, 12, true}, {kHearts, 11, true}},                                         // same suit
      {{kClubs, 5, true}, {kSpades, 4, true}},    {{kHearts, 9, true}, {kDiamonds, 8, true}},
      {{kSpades, 11, true}, {kClubs, 10, true}},  {{kHearts, 3, true}, {kDiamonds, 2, true}},
      {{kDiamonds, 13, true}, {kHearts, 12, true}},                                       // same colour
      {{kHearts, 10, true}, {kDiamonds, 10, true}},                                       // equal ranks
  };
  g.numTableaus = 10;
  for (int t = 0; t < 10; ++t) SetPile(g.tableaus[t], {columns[t][0], columns[t][1]});
  g.numReserves = 1;
  SetPile(g.reserves[0], {{kClubs, 1, true}, {kClubs, 2, true}, {kClubs, 3, true}, {kClubs, 4, true},
                          {kClubs, 5, true}});
  g.markedUndos = 1;
  g.unmarkedUndos = 1;
  const struct Row {
    std::vector<int> games;
    int score;
    const char* why;
  } rows[] = {
      {{kGameAccordion, kGameSpiral}, 80, "- 30 - 100 + (52 - 10 piles) x 5"},
      {{kGameAgnesBernauer, kGameDoubleKlondike, kGameDoubleYukon, kGameHarp, kGameKlondike, kGameKlondike2,
        kGameLasVegas, kGameLasVegas2, kGameMissMilligan, kGameNumberTen, kGameStonewall, kGameYukon},
       175, "300 + 1 alternate x 25 - 30 - 120"},
      {{kGameAgnesSorel}, 350, "300 + 8 same colour x 25 - 30 - 120"},
      {{kGameBakersDozen}, 475, "300 + 9 any suit x 25 - 30 - 20"},
      {{kGameBakersGame, kGamePenguin}, 325, "300 + 3 same suit x 25 - 30 - 20"},
      {{kGameWaningMoon}, 225, "300 + 3 same suit x 25 - 30 - 120"},
      {{kGameBaroness}, 120, "- 30 - 100 + 5 reserve cards x 50"},
      {{kGameBuffaloBill}, 20, "6 x 25 - 30 - 100"},
      {{kGameColeopter, kGameSpider, kGameSpider3Suits, kGameSpider2Suits, kGameSpider1Suit, kGameSpiderTripleDeck,
        kGameSpidersCrossing, kGameSpidersCrossingTD},
       285, "300 + 3 same suit x 25 + 6 others of any suit x 10 - 30 - 120"},
      {{kGameCurdsAndWhey}, 270, "300 + 4 (same suit or equal ranks) x 25 - 30 - 100"},
      {{kGameFreeCell, kGameThreeCell}, 275, "300 + 1 alternate x 25 - 30 - 20"},
      {{kGameGaps}, 0, "no lone card in place: - 30 - 100, not below 0"},
      {{kGameGiza, kGamePyramid, kGameTutsTomb}, 170, "300 - 30 - 100"},
      {{kGameGrandfathersClock}, 30, "300 - 30 - 120 - 120"},
      {{kGameIntelligence, kGameKings, kGameShamrocks}, 250, "300 - 30 - 20"},
      {{kGameMemory, kGameMemory2}, 220, "- 30 + 5 reserve cards x 50"},
      {{kGameMonteCarlo}, 100, "- 30 - 120 + 5 reserve cards x 50"},
      {{kGameNewYork}, 195, "300 + 1 alternate x 25 - 30 - 100"},
      {{kGamePokerShuffle, kGamePokerSquare}, 0, "no grid to value, no time, no undo"},
      {{kGameThumbAndPouch}, 300, "300 + 6 different suit x 25 - 30 - 120"},
      {{kGameTwenty}, 70, "300 - 30 - 120 - 80"},
  };
  std::map<int, const Row*> rowOf;
  for (const Row& row : rows) {
    for (int game : row.games) rowOf[game] = &row;
  }
  for (int game = 0; game < kGenNumGames; ++game) {
    const auto found = rowOf.find(game);
    GenSetCurGame(game);
    g_UserOptions.elapsedSeconds[game] = 30;
    EXPECT_EQ(Score(), found != rowOf.end() ? found->second->score : 150)
        << GenGetGameFilename(game) << ": " << (found != rowOf.end() ? found->second->why : "300 - 30 - 120");
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
  GenSetCurGame(kGamePokerSquare);  // a bonus line, no time or undo line
  EXPECT_STREQ(ScoreGetSystemDescription(), "\nScore_SysPoker");
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
