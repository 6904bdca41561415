// The deck settings file: the 52 lines written each ending CR CR LF, and read
// back alike from that or CR LF; the reader takes keys only at the start of a line, clamps colours
// and reals into their ranges and keeps defaults for anything it cannot
// read; damaged text never crashes it.
#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "Game/Decks/CardsDecks.h"
#include "tests/Decks/DecksFixture.h"

namespace {

class DeckSettingsTest : public DecksTest {
 protected:
  void SetUp() override {
    DecksTest::SetUp();
    ASSERT_TRUE(UseRealDecks());
  }
  static std::string Format(const DeckSettings& s) {
    const int n = CardsDecksFormatSettingsText(s, nullptr, 0);
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    CardsDecksFormatSettingsText(s, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(n));
    return text;
  }
  static DeckSettings Parse(const std::string& text) {
    DeckSettings s;
    CardsDecksParseSettingsText(text.c_str(), &s);
    return s;
  }
};

// Each line ends CR CR LF, the file's shape as the settings writer has it.
TEST_F(DeckSettingsTest, FiftyTwoLinesRoundTripEachEndingCrCrLf) {
  DeckSettings s;
  s.generator.rankX = 0.25f;
  s.generator.heartsColour[1] = 0.5f;
  s.generator.sidePipsOn = 3;
  s.generator.suitsTrans = 1;
  s.elements.kings = CardsDecksGetElementCount(kDeckElementCourts) - 1;
  s.elements.acesType = 4;
  const std::string text = Format(s);
  int lines = 0, lineFeeds = 0, carriageReturns = 0;
  for (std::size_t at = text.find("\r\r\n"); at != std::string::npos; at = text.find("\r\r\n", at + 3)) ++lines;
  for (char c : text) {
    lineFeeds += c == '\n';
    carriageReturns += c == '\r';
  }
  EXPECT_EQ(lines, 52);
  EXPECT_EQ(lineFeeds, 52);
  EXPECT_EQ(carriageReturns, 2 * 52);
  EXPECT_EQ(text.substr(0, 22), "MCG_USE_BASE_COL: 0\r\r\n");
  EXPECT_NE(text.find("MCG_HEARTS_COL: 1.000 0.500 0.000\r\r\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 3), "\r\r\n");
  EXPECT_EQ(Format(Parse(text)), text);
}

TEST_F(DeckSettingsTest, TheReaderTakesWhatItCanAndClampsTheRest) {
  const DeckSettings defaults;
  struct Case {
    const char* text;
    std::function<bool(const DeckSettings&)> holds;
  };
  const Case cases[] = {
      // A key must start its line.
      {"x MCG_RANK_X: 0.300\n", [&](const DeckSettings& s) { return s.generator.rankX == defaults.generator.rankX; }},
      {"MCG_RANK_X: 0.300\n", [](const DeckSettings& s) { return std::fabs(s.generator.rankX - 0.3f) < 1e-6f; }},
      // Three colour numbers are read, a fourth is ignored.
      {"MCG_CLUBS_COL: 0.1 0.2 0.3 0.9\n",
       [](const DeckSettings& s) { return s.generator.clubsColour[2] == 0.3f; }},
      // Switches keep their low byte.
      {"MCG_SUITS_TRANS: 257\n", [](const DeckSettings& s) { return s.generator.suitsTrans == 1; }},
      // An unknown name leaves entry 0.
      {"DG_DEFAULT_BASE_STR: No Such Base\n", [](const DeckSettings& s) { return s.elements.base == 0; }},
      {"DG_DEFAULT_KINGS_STR: Chess\n", [](const DeckSettings& s) { return s.elements.kings == 1; }},
      // CR CR LF and CR LF end lines alike.
      {"MCG_RANK_Y: 0.200\r\r\nMCG_RANK_W: 2.000\r\n",
       [](const DeckSettings& s) { return s.generator.rankY == 0.2f && s.generator.rankW == 2.0f; }},
      // Not a number: the default stays; out of range: clamped.
      {"MCG_MAIN_PIP_W: nan\n", [&](const DeckSettings& s) { return s.generator.mainPipW == defaults.generator.mainPipW; }},
      {"MCG_MAIN_PIP_W: 1e30\n", [](const DeckSettings& s) { return s.generator.mainPipW == 2.0f; }},
      {"MCG_SIDE_PIPS_Y: -9\n", [](const DeckSettings& s) { return s.generator.sidePipsY == -0.2f; }},
      {"MCG_BASE_COL: 2 -1 inf\n",
       [&](const DeckSettings& s) { return s.generator.baseColour[0] == defaults.generator.baseColour[0]; }},
      {"MCG_BASE_COL: 2 -1 0.5\n",
       [](const DeckSettings& s) {
         return s.generator.baseColour[0] == 1 && s.generator.baseColour[1] == 0 && s.generator.baseColour[2] == 0.5f;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_TRUE(c.holds(Parse(c.text)));
  }
}

TEST_F(DeckSettingsTest, DamagedTextNeverBreaksTheReader) {
  std::mt19937 random(16);
  const std::string valid = Format(DeckSettings());
  for (int round = 0; round < 300; ++round) {
    std::string text = valid;
    const int edits = 1 + static_cast<int>(random() % 40);
    for (int e = 0; e < edits; ++e) {
      const std::size_t at = random() % text.size();
      text[at] = static_cast<char>(random() % 256);
    }
    if (round % 3 == 0) text.resize(random() % text.size());
    const DeckSettings s = Parse(text);
    for (float c : s.generator.heartsColour) EXPECT_TRUE(c >= 0 && c <= 1);
    EXPECT_TRUE(std::isfinite(s.generator.rankX) && s.generator.rankX >= 0 && s.generator.rankX <= 1);
    EXPECT_GE(s.elements.shape, 0);
    EXPECT_LT(s.elements.shape, CardsDecksGetElementCount(kDeckElementShapes));
  }
}

// A player's deck read from a file of CR LF lines (as the shipped empty deck
// has them) is written back with CR CR LF lines, and reads back the same.
TEST_F(DeckSettingsTest, AUserDeckIsWrittenCrCrLfAndReadFromEither) {
  DeckSettings mine;
  mine.generator.rankX = 0.25f;
  mine.generator.sidePipsOn = 3;
  mine.elements.kings = 1;
  std::string crLf = Format(mine);
  for (std::size_t at = crLf.find("\r\r\n"); at != std::string::npos; at = crLf.find("\r\r\n", at + 2)) {
    crLf.erase(at, 1);
  }
  const std::string file = UserDecks() + "/Mine/Settings.dat";
  Write(file, crLf);
  ASSERT_TRUE(CardsDecksGetDecks());
  const int deck = CardsDecksGetNumStandardDecks();
  ASSERT_STREQ(CardsDecksGetDeckName(deck), "Mine");

  ASSERT_TRUE(CardsDecksLoadDeckSettings(deck));
  EXPECT_EQ(Format(CardsDecksGetSettings()), Format(mine));
  ASSERT_TRUE(CardsDecksSaveDeckSettings(deck));
  EXPECT_EQ(ReadFile(file), Format(mine));
  ASSERT_TRUE(CardsDecksLoadDeckSettings(deck));
  EXPECT_EQ(Format(CardsDecksGetSettings()), Format(mine));
}

TEST_F(DeckSettingsTest, StandardDecksAreNeverWritten) {
  ASSERT_TRUE(CardsDecksLoadDeckSettings(1));
  EXPECT_FALSE(CardsDecksSaveDeckSettings(1));
  EXPECT_TRUE(LogContains("Cannot change standard deck (1)"));
  EXPECT_FALSE(CardsDecksLoadDeckSettings(2));
  EXPECT_TRUE(LogContains("Invalid deck num 2"));
  EXPECT_FALSE(CardsDecksLoadDeckSettings(-1));
}

}  // namespace
