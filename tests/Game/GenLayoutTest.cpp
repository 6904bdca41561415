// GenLayoutTest.cpp - the layouts file, the layout constants and the
// standard positioners.
#include <filesystem>
#include <string>

#include "Game/CardsSettings.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenRecord.h"
#include "tests/Game/GameFixture.h"

namespace {

class GenLayoutTest : public GameTest {
 protected:
  void WriteLayouts(const std::string& text) {
    std::filesystem::create_directories("Data/Main");
    WriteFile("Data/Main/0110.dat", text);
    GenGameLayoutsLoad();
  }
  float cw() const { return CardsGetCardWidth(); }
  float ch() const { return CardsGetCardHeight(); }
};

TEST_F(GenLayoutTest, LayoutFileLinesReachTheirGames) {
  WriteLayouts(
      "; a comment\n"
      "Gaps_X_3: 120.5\n"
      "Gaps_Y_1: -2\n"
      "Klondike_CS: 1.1 0.9\n"
      "Klondike_X_0: 0.5\n"
      "Spiderette_X_2: 3.25\n"
      "Spider_X_0: 7\n"        // Spider comes before Spiderette: out of order, ignored
      "Yukon_Q_1: 9\n");       // not a layout line
  EXPECT_TRUE(GenGameLayoutsIsLoaded());
  for (int game : {kGameKlondike, kGameLasVegas, kGameLasVegas2, kGameKlondike2}) {
    GenSetCurGame(game);
    EXPECT_FLOAT_EQ(GenGameLayoutsGetCurGameCardScaleX(), 1.1f) << game;
    EXPECT_FLOAT_EQ(GenGameLayoutsGetCurGameCardScaleY(), 0.9f) << game;
    EXPECT_FLOAT_EQ(GenGameLayoutsGetCurGameXVar(0), 0.5f) << game;
  }
  GenSetCurGame(kGameGaps);
  EXPECT_FLOAT_EQ(GenGameLayoutsGetCurGameXVar(3), 120.5f);
  EXPECT_FLOAT_EQ(GenGameLayoutsGetCurGameXVar(0), 0.0f);  // the count is 4
  EXPECT_FLOAT_EQ(GenGameLayoutsGetCurGameYVar(1), -2.0f);
  EXPECT_FALSE(LogContains("ERROR"));
  GenSetCurGame(kGameSpiderette);
  EXPECT_FLOAT_EQ(GenGameLayoutsGetCurGameXVar(2), 3.25f);
  GenSetCurGame(kGameSpider);
  EXPECT_FLOAT_EQ(GenGameLayoutsGetCurGameXVar(0), 0.0f);
  EXPECT_TRUE(LogContains("Invalid var num 0"));

  GenSetCurGame(kGameGaps);
  struct Bad { int n; bool x; } bad[] = {{4, true}, {7, true}, {-1, true}, {2, false}};
  for (const Bad& b : bad) {
    ClearLog();
    float v = b.x ? GenGameLayoutsGetCurGameXVar(b.n) : GenGameLayoutsGetCurGameYVar(b.n);
    EXPECT_FLOAT_EQ(v, 0.0f);
    EXPECT_TRUE(LogContains("Invalid var num " + std::to_string(b.n)));
  }
  ClearLog();
  EXPECT_FLOAT_EQ(GenGameLayoutsGetCurGameCardScaleX(), 1.0f);
  EXPECT_TRUE(LogContains("Card scales not set for this game"));
}

TEST_F(GenLayoutTest, LongLinesAreDroppedAndAMissingFileLeavesDefaults) {
  WriteLayouts("Klondike_X_0: 1.5\n" + std::string(600, 'x') + "\nKlondike_X_1: 2.5\n");
  EXPECT_TRUE(LogContains("Line too long"));
  GenSetCurGame(kGameKlondike);
  EXPECT_FLOAT_EQ(GenGameLayoutsGetCurGameXVar(0), 1.5f);
  EXPECT_FLOAT_EQ(GenGameLayoutsGetCurGameXVar(1), 2.5f);

  std::filesystem::remove("Data/Main/0110.dat");
  GenGameLayoutsLoad();
  EXPECT_TRUE(GenGameLayoutsIsLoaded());
  ClearLog();
  EXPECT_FLOAT_EQ(GenGameLayoutsGetCurGameXVar(0), 0.0f);
  EXPECT_TRUE(LogContains("Invalid var num 0"));
}

TEST_F(GenLayoutTest, ConstantsFollowTheCardAndTableSize) {
  GenSetCardScale(1, 1);
  EXPECT_FLOAT_EQ(cw(), 5.8f);
  EXPECT_FLOAT_EQ(ch(), 8.7f);
  const GenLayoutConstants& c = GenGetLayoutConstants();
  EXPECT_FLOAT_EQ(c.spacingA, 2.9f);
  EXPECT_FLOAT_EQ(c.columnFaceUpGap, 8.7f / 2.9f);
  EXPECT_FLOAT_EQ(c.columnFaceDownGap, 8.7f / 12);
  EXPECT_FLOAT_EQ(c.topRowY, 35 - 8.7f / 2.9f - 4.35f);
  EXPECT_FLOAT_EQ(c.secondRowY, c.topRowY - 1.5f * 8.7f);
  EXPECT_FLOAT_EQ(c.leftColumnXNear, 2.5f - 1.03f * 30 + 2.9f);
  EXPECT_FLOAT_EQ(c.rightColumnXFar, -(3.5f - 1.03f * 30 + 2.9f));
  EXPECT_FLOAT_EQ(c.liftHeight, -6 * 0.05f);
}

TEST_F(GenLayoutTest, TableausInARow) {
  struct Case { int n; float gap; int mode; } cases[] = {{7, 0.5f, 1}, {4, 0, 1}, {3, 1, 0}, {2, 1, 5}};
  for (const Case& c : cases) {
    ASSERT_TRUE(GenStdSetNTableausPosition(c.n, 0, 10, c.gap, c.mode));
    EXPECT_EQ(g_GenLive.numTableaus, c.n);
    for (int i = 0; i < c.n; ++i) {
      float expected;
      if (c.mode == 0) {
        expected = static_cast<float>(i) * (cw() + c.gap);
      } else if (c.mode == 1) {
        float w = static_cast<float>(c.n) * cw() + static_cast<float>(c.n - 1) * c.gap;
        expected = static_cast<float>(i) * w / static_cast<float>(c.n) - w / 2 + cw() / 2 +
                   (c.n % 2 == 0 ? c.gap / 2 : 0);
      } else {
        expected = 0;
      }
      const CardGroup& t = g_GenLive.tableaus[i];
      EXPECT_NEAR(t.pos[0], expected, 1e-4) << c.n << " " << i;
      EXPECT_FLOAT_EQ(t.pos[1], 10);
      EXPECT_EQ(t.alignType, 2);
      EXPECT_EQ(t.where, 200 + i);
      EXPECT_FLOAT_EQ(t.faceUpGap, ch() / 2.9f);
    }
  }
  // Seven centred with gap g: x(i) = i (7 cw + 6 g) / 7 - 3 cw - 3 g.
  ASSERT_TRUE(GenStdSetNTableausPosition(7, 0, 0, 0.7f, 1));
  EXPECT_NEAR(g_GenLive.tableaus[0].pos[0], -3 * cw() - 2.1f, 1e-4);
  EXPECT_NEAR(g_GenLive.tableaus[1].pos[0] - g_GenLive.tableaus[0].pos[0], cw() + 0.6f, 1e-4);
  // Four centred with gap 0: -1.5, -0.5, 0.5, 1.5 card widths.
  ASSERT_TRUE(GenStdSetNTableausPosition(4, 0, 0, 0, 1));
  EXPECT_NEAR(g_GenLive.tableaus[0].pos[0], -1.5f * cw(), 1e-4);
  EXPECT_NEAR(g_GenLive.tableaus[3].pos[0], 1.5f * cw(), 1e-4);
  // Half gaps.
  g_GenLive.tableauHalfGaps = 1;
  ASSERT_TRUE(GenStdSetNTableausPosition(1, 0, 0, 0, 0));
  EXPECT_FLOAT_EQ(g_GenLive.tableaus[0].faceDownGap, ch() / 24);
}

TEST_F(GenLayoutTest, RefusedCountsChangeNothing) {
  ASSERT_TRUE(GenStdSetNTableausPosition(7, 0, 0, 0, 1));
  ASSERT_TRUE(GenStdSetNReservesPosition(3, 0, 0, 1, 0, false));
  ASSERT_TRUE(GenStdSetNFoundationsPosition(4, 13, 0, 0, 1, 0, false, 1, 1));
  struct Case { bool (*call)(); const char* message; } cases[] = {
      {[] { return GenStdSetNTableausPosition(53, 0, 0, 0, 1); }, "Invalid num tableaus <53>"},
      {[] { return GenStdSetNReservesPosition(29, 0, 0, 1, 0, false); }, "Invalid num reserves <29>"},
      {[] { return GenStdSetNReservesPosition(2, 0, 0, 1, 1, false); }, "Only one of xgap and ygap supported"},
      {[] { return GenStdSetNFoundationsPosition(13, 13, 0, 0, 1, 0, false, 1, 1); }, "Invalid num foundations <13>"},
      {[] { return GenStdSetNFoundationsPosition(-1, 13, 0, 0, 1, 0, false, 1, 1); }, "Invalid num foundations <-1>"},
      {[] { return GenStdSetNFoundationsBetween(2, 0, 0, 0, 9, 9, true, 1, 1); }, "Invalid max cards <0>"},
      {[] { return GenSetFoundationSlotsFaceUp(12, 1); }, "Invalid foundation num <12>"},
  };
  for (const auto& c : cases) {
    ClearLog();
    EXPECT_FALSE(c.call()) << c.message;
    EXPECT_TRUE(LogContains(c.message)) << c.message;
    EXPECT_EQ(g_GenLive.numTableaus, 7);
    EXPECT_EQ(g_GenLive.numReserves, 3);
    EXPECT_EQ(g_GenLive.numFoundations, 4);
  }
}

TEST_F(GenLayoutTest, FoundationRowsAndColumns) {
  ASSERT_TRUE(GenStdSetNFoundationsPosition(3, 13, 2, 20, 0, -1, false, 1, 1));
  const Gen& g = g_GenLive;
  EXPECT_FLOAT_EQ(g.foundations[1].pos[1], 20 + ch() + 1);  // grows upwards
  EXPECT_FLOAT_EQ(g.foundations[2].pos[0], 2);
  ASSERT_TRUE(GenStdSetNFoundationsPosition(4, 13, 0, 0, 1, 0, true, 0, 5));
  EXPECT_NEAR(g.foundations[0].pos[0], -1.5f * cw() - 1.0f, 1e-4);
  EXPECT_EQ(g.lowestRank, 5);
  EXPECT_EQ(g.foundations[0].drawEmptySpace, 0);
  for (int i = 0; i < 52; ++i) EXPECT_EQ(g.foundations[3].cards[i].faceUp, 1);
  ASSERT_TRUE(GenStdSetNFoundationsBetween(3, 52, 0, 0, 10, 20, false, 1, 1));
  EXPECT_FLOAT_EQ(g.foundations[2].pos[1], 20);
  EXPECT_FLOAT_EQ(g.foundations[2].pos[0], 0);
  EXPECT_EQ(g.foundations[2].maxCards, 52);
}

TEST_F(GenLayoutTest, TopRowShiftsOnlyAtScaleExactly1Point1) {
  struct Case { float scale; float shiftInCards; } cases[] = {{1.0f, 0}, {1.1f, -0.5f}, {1.15f, 0}, {1.2f, -0.85f}};
  for (const Case& c : cases) {
    GenSetCardScale(c.scale, 1);
    ASSERT_TRUE(GenStdSetFourFoundationsInTopRow(1));
    for (int i = 0; i < 4; ++i) {
      float expected = cw() * (1 + 1.1f * static_cast<float>(i)) + c.shiftInCards * cw();
      EXPECT_NEAR(g_GenLive.foundations[i].pos[0], expected, 1e-4) << c.scale << " " << i;
      EXPECT_FLOAT_EQ(g_GenLive.foundations[i].pos[1], GenGetLayoutConstants().topRowY);
    }
  }
  GenSetCardScale(1, 1);
  ASSERT_TRUE(GenStdSetFourCellsInTopRow());
  ASSERT_TRUE(GenStdSetFourFoundationsInTopRow(1));
  for (int i = 0; i < 4; ++i) {  // mirror images about x = 0
    EXPECT_NEAR(g_GenLive.cells[i].pos[0], -g_GenLive.foundations[3 - i].pos[0], 1e-4);
    EXPECT_EQ(g_GenLive.cells[i].maxCards, 1);
  }
}

TEST_F(GenLayoutTest, ReservesByTheirOptions) {
  GenSetReserveOptions(1, 1, 1, 0, 1);
  ASSERT_TRUE(GenStdSetNReservesPosition(2, 5, 30, 0, 2, false));
  const Gen& g = g_GenLive;
  EXPECT_EQ(g.reserves[0].alignType, 2);
  EXPECT_FLOAT_EQ(g.reserves[1].pos[1], 30 - (ch() + 2));
  EXPECT_EQ(g.reserves[1].drawEmptySpace, 1);
  EXPECT_EQ(g.reservesDropOnlyEmpty, 1);
  GenSetReserveOptions(1, 0, 0, 1, 0);
  ASSERT_TRUE(GenStdSetNReservesPosition(2, 0, 0, 3, 0, false));
  EXPECT_EQ(g.reserves[0].alignType, 1);
  GenSetReserveOptions(1, 1, 0, 0, 0);
  ASSERT_TRUE(GenSetSingleReservePosition(-10, 0));
  EXPECT_FLOAT_EQ(g.reserves[0].faceUpGap, GenGetLayoutConstants().columnFaceUpGap);
  ASSERT_TRUE(GenSetSingleReservePosition(-10, 0, ch() / 20));  // Canfield's close reserve
  EXPECT_FLOAT_EQ(g.reserves[0].faceUpGap, ch() / 20);
  EXPECT_FLOAT_EQ(g.reserves[0].faceDownGap, ch() / 20);
  EXPECT_EQ(g.numReserves, 1);
}

}  // namespace
