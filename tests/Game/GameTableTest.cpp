// GameTableTest.cpp - the game table and the rules-text table: their
// cross-checks, the language keys they name, and the game texts put together
// from them.
#include <cstring>
#include <set>
#include <string>

#include "Engine/EngLanguages.h"
#include "Game/GenGameTable.h"
#include "Game/GenText.h"
#include "tests/Game/GameFixture.h"

namespace {

class GameTableTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_TRUE(EngLanguagesInit(CARDOLIA_SOURCE_DIR "/Languages", "English"));
    EXPECT_FALSE(LogContains("ERROR")) << "the English file reads cleanly";
    ClearLog();
  }
  void TearDown() override {
    EngLanguagesRelease();
    GameTest::TearDown();
  }
};

// Deck sizes of the games' set-ups (52, 104, 156 cards).
int SetupDeckSize(int game) {
  static const std::set<int> twoDecks = {4,  10, 13, 17, 19, 20, 24, 25, 28, 29, 33, 34, 35, 36,
                                         43, 44, 45, 47, 48, 53, 54, 60, 61, 62, 63, 70, 73, 76,
                                         80, 81, 82};
  if (game == kGameSpiderTripleDeck || game == kGameSpidersCrossingTD) return 156;
  return twoDecks.count(game) ? 104 : 52;
}

TEST(GameTable, EntriesAreConsistent) {
  std::set<std::string> names;
  for (int n = 0; n < kGenNumGames; ++n) {
    SCOPED_TRACE(n);
    const GameDef& d = GenGameTable[n];
    EXPECT_EQ(d.id, n);
    EXPECT_GE(std::strlen(d.name), 1u);
    EXPECT_LE(std::strlen(d.name), 19u);
    EXPECT_TRUE(names.insert(d.name).second) << d.name;
    EXPECT_EQ(std::strlen(d.code), 4u);
    EXPECT_NE(d.setup, nullptr);
    EXPECT_GE(d.decks, 1);
    EXPECT_LE(d.decks, 3);
    EXPECT_EQ(d.decks * 52, SetupDeckSize(n)) << d.name;
    int levels = d.autoplayLevel1 + d.autoplayLevel2 + d.autoplayLevel3;
    if (d.autoplay) {
      EXPECT_GE(levels, 1) << d.name;
    } else {
      EXPECT_EQ(levels, 0) << d.name;
    }
    EXPECT_GE(d.skill, 0);
    EXPECT_LE(d.winChance, 100);
    int used = 0;
    while (used < kGenMaxGameTopics && d.topics[used] != 0) {
      EXPECT_GE(d.topics[used], 1);
      EXPECT_LE(d.topics[used], 18);
      ++used;
    }
    EXPECT_LE(used, 7);
    for (int i = used; i < kGenMaxGameTopics; ++i) EXPECT_EQ(d.topics[i], 0);
  }
  for (int n : {kGameAccordion, kGameMemory, kGameMemory2, kGameSpiral}) {
    EXPECT_EQ(GenGameTable[n].topics[0], 0);
  }
}

TEST_F(GameTableTest, EveryKeyOfTheRulesTextsHasAnEnglishText) {
  int names = 0;
  EXPECT_GE(EngLanguagesGetTokenNumAndNumSubTexts("Game_GameList", &names), 0);
  EXPECT_EQ(names, kGenNumGames);
  auto known = [](const char* key) { return EngLanguagesDoesTokenExist(key); };
  for (int n = 0; n < kGenNumGames; ++n) {
    SCOPED_TRACE(GenGameTable[n].name);
    const GameRulesText& r = GenRulesTextTable[n];
    EXPECT_TRUE(known(r.objective)) << r.objective;
    bool ended = false;
    for (const GameRule& rule : r.rules) {
      if (rule.title[0] == 0) {
        ended = true;
        continue;
      }
      EXPECT_FALSE(ended) << "a rule after an empty record";
      EXPECT_TRUE(known(rule.title)) << rule.title;
      if (rule.place[0]) {
        EXPECT_TRUE(known(rule.place)) << rule.place;
      }
      EXPECT_TRUE(rule.text[0][0] != 0) << rule.title;
      for (const auto& text : rule.text) {
        if (text[0]) {
          EXPECT_TRUE(known(text)) << text;
        }
      }
      // A counted title has its count, and only it.
      bool counted = std::strstr(EngLanguagesGetFirstString(rule.title), "%1") != nullptr;
      EXPECT_EQ(counted, rule.count >= 2) << rule.title;
    }
  }
  EXPECT_FALSE(LogContains("not found"));
}

TEST_F(GameTableTest, EveryGlossaryTopicHasATitleAndAText) {
  // The help screen shows topic t with title t of the list (0 is no topic)
  // and the text "Help_GlossaryText" + the topic's word.
  static const char* const kWords[] = {
      "Foundation", "Cell", "Tableau", "Fan", "Stock", "Waste", "Reserve", "UpInSuit",
      "UpBySameColour", "UpByAltColour", "DownByAltColour", "DownInSuit", "DownBySameColour",
      "DownByDifferentSuit", "UpAnySuit", "DownAnySuit", "UpOrDownAnySuit", "UpOrDownInSuit"};
  int titles = 0;
  EXPECT_GE(EngLanguagesGetTokenNumAndNumSubTexts("Help_GlossaryTitleList", &titles), 0);
  EXPECT_EQ(titles, 19);
  EXPECT_STREQ(EngLanguagesGetString("Help_GlossaryTitleList", 1), "Foundation");
  EXPECT_STREQ(EngLanguagesGetString("Help_GlossaryTitleList", 18), "Up or down in suit");
  for (const char* word : kWords) {
    EXPECT_TRUE(EngLanguagesDoesTokenExist((std::string("Help_GlossaryText") + word).c_str()))
        << word;
  }
  EXPECT_FALSE(LogContains("not found"));
}

TEST_F(GameTableTest, GameStringsAreComposedFromTheKeys) {
  GenSetCurGame(kGameFreeCell);
  EXPECT_STREQ(GenGetGameString(1, kGameFreeCell), "FreeCell");
  EXPECT_STREQ(GenGetGameString(1, kGameBakersDozen), "Baker's Dozen");
  EXPECT_STREQ(GenGetGameString(1, -1), "FreeCell");
  EXPECT_STREQ(GenGetGameString(2, -1), EngLanguagesGetFirstString("Obj_MoveAllCardsToFoundations"));
  std::string title = std::string("4") + (EngLanguagesGetFirstString("RuleTitle_NFoundationPiles") + 2) +
                      " (" + EngLanguagesGetFirstString("RulePlace_TopRight") + ")";
  EXPECT_EQ(GenGetGameString(3, 0), title);
  EXPECT_STREQ(GenGetGameString(3, 3), EngLanguagesGetFirstString("RuleTitle_Note"));  // no place
  EXPECT_STREQ(GenGetGameString(3, 7), "");  // past the game's rules

  GenSetCurGame(kGameSpider);
  std::string paragraph;
  for (const char* key : {"Rule_BuildDownAnySuit", "Rule_HoweverOnlyGroupInSuitMovedTogether",
                          "Rule_SpacesFilledWithAnyCardOrGroup", "Rule_TopCardInEachTabIsFaceUp"}) {
    if (!paragraph.empty()) paragraph += ' ';
    paragraph += EngLanguagesGetFirstString(key);
  }
  EXPECT_EQ(GenGetGameString(4, 0), paragraph);  // all four text keys
  EXPECT_STREQ(GenGetWindowTitle(), "Free Cardolia 3D - Spider");
  EXPECT_FALSE(LogContains("ERROR"));

  struct Bad { int kind, n; const char* message; } bad[] = {
      {3, -1, "Invalid rule number -1"}, {4, -2, "Invalid rule number -2"},
      {1, 84, "Invalid game number 84"}, {9, 0, "Unknown string kind 9"},
  };
  for (const Bad& b : bad) {
    ClearLog();
    EXPECT_STREQ(GenGetGameString(b.kind, b.n), "XXX");
    EXPECT_TRUE(LogContains(b.message)) << b.message;
  }
}

}  // namespace
