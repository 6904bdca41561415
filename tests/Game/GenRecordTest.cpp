// GenRecordTest.cpp - the game record: its file image at the fixed offsets,
// the consistency check, the rank and colour tests, the pile look-up and the
// game-file-name look-up.
#include <cstring>
#include <iterator>
#include <memory>
#include <vector>

#include "Game/Gen.h"
#include "Game/GenBytes.h"
#include "Game/GenGameTable.h"
#include "Game/GenImage.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenVariant.h"
#include "tests/Game/GameFixture.h"

namespace {

using GenRecordTest = GameTest;

TEST_F(GenRecordTest, ImageFieldsSitAtTheirOffsets) {
  auto gen = std::make_unique<Gen>();
  Gen& g = *gen;
  g.version = 4.3f;
  g.dealNumber = 0x11223344;
  g.numTableaus = 7;
  struct Pile { CardGroup* group; int offset; } piles[] = {
      {&g.deck, 40},
      {&g.waste, 30188},
      {&g.reserves[0], 60336},
      {&g.reserves[27], 60336 + 27 * 30148},
      {&g.foundations[0], 904480},
      {&g.tableaus[0], 1266256},
      {&g.tableaus[51], 1266256 + 51 * 30148},
      {&g.fans[0], 2833952},
      {&g.cells[0], 3678096},
      {&g.cells[10], 3678096 + 10 * 30148},
      {&g.dealGroup, 4010356},
      {&g.selection, 4040524},
  };
  int32_t marker = 1000;
  for (const Pile& p : piles) p.group->gameWordB = marker++;
  g.dealPlan[0] = 0x0A0B0C0D;
  g.dealSpeed = 1.5f;
  g.rules[0] = 0x5A;
  g.rules[17] = 0x5B;
  g.selectionSource = 203;
  g.lowestRank = 5;
  g.gameOver = 1;
  g.moves = 42;
  g.variantState = -1;
  g.ready = 1;

  std::vector<uint8_t> image(kGenImageSize);
  GenWriteImage(g, image.data());
  const uint8_t* b = image.data();
  EXPECT_FLOAT_EQ(GenGetF32(b, 0), 4.3f);
  EXPECT_EQ(GenGetU32(b, 4), 0x11223344u);
  EXPECT_EQ(GenGetI32(b, 28), 7);
  marker = 1000;
  for (const Pile& p : piles) EXPECT_EQ(GenGetI32(b, p.offset + 68), marker++) << p.offset;
  EXPECT_EQ(GenGetI32(b, 4009724), 0x0A0B0C0D);
  EXPECT_FLOAT_EQ(GenGetF32(b, 4010352), 1.5f);
  EXPECT_EQ(b[4040504], 0x5A);
  EXPECT_EQ(b[4040521], 0x5B);
  EXPECT_EQ(GenGetI32(b, 4070672), 203);
  EXPECT_EQ(GenGetI32(b, 4070696), 5);
  EXPECT_EQ(b[4070716], 1);
  EXPECT_EQ(GenGetI32(b, 4070720), 42);
  EXPECT_EQ(b[4070736], 0xFF);
  EXPECT_EQ(b[4070738], 1);
  EXPECT_EQ(b[4070739], 0);

  auto back = std::make_unique<Gen>();
  ASSERT_TRUE(GenReadImage(*back, b));
  EXPECT_EQ(back->dealNumber, 0x11223344u);
  EXPECT_EQ(back->tableaus[51].gameWordB, g.tableaus[51].gameWordB);
  EXPECT_EQ(back->tableaus[51].where, 251);  // derived from the place
  EXPECT_EQ(back->variantState, -1);
  EXPECT_EQ(back->ready, 1);
}

TEST_F(GenRecordTest, TrailerFieldsSitAtTheirOffsets) {
  // Each field after the selection gets its own value; the image must hold
  // it at the file format's offset and read it back into the same field.
  using Byte = uint8_t& (*)(Gen&);
  using Word = int32_t& (*)(Gen&);
  struct Field {
    int offset;
    Byte byte;  // one of the two
    Word word;
  };
  const Field fields[] = {
      {4070676, [](Gen& g) -> uint8_t& { return g.rankWrap; }, nullptr},
      {4070677, [](Gen& g) -> uint8_t& { return g.deckInUse; }, nullptr},
      {4070678, [](Gen& g) -> uint8_t& { return g.wasteInUse; }, nullptr},
      {4070679, [](Gen& g) -> uint8_t& { return g.reservesInUse; }, nullptr},
      {4070680, [](Gen& g) -> uint8_t& { return g.tableauEmptySpace; }, nullptr},
      {4070681, [](Gen& g) -> uint8_t& { return g.tableauHalfGaps; }, nullptr},
      {4070682, [](Gen& g) -> uint8_t& { return g.variantBytes[0]; }, nullptr},
      {4070691, [](Gen& g) -> uint8_t& { return g.variantBytes[9]; }, nullptr},
      {4070692, [](Gen& g) -> uint8_t& { return g.foundationEmptySpace; }, nullptr},
      {4070696, nullptr, [](Gen& g) -> int32_t& { return g.lowestRank; }},
      {4070700, nullptr, [](Gen& g) -> int32_t& { return g.variantWords[0]; }},
      {4070704, nullptr, [](Gen& g) -> int32_t& { return g.variantWords[1]; }},
      {4070708, [](Gen& g) -> uint8_t& { return g.emptySpacePicture; }, nullptr},
      {4070709, [](Gen& g) -> uint8_t& { return g.reservesDropOnlyEmpty; }, nullptr},
      {4070710, [](Gen& g) -> uint8_t& { return g.reservesFannedDown; }, nullptr},
      {4070711, [](Gen& g) -> uint8_t& { return g.reservesDrawEmpty; }, nullptr},
      {4070712, [](Gen& g) -> uint8_t& { return g.reservesStacked; }, nullptr},
      {4070713, [](Gen& g) -> uint8_t& { return g.fansNotHit; }, nullptr},
      {4070714, [](Gen& g) -> uint8_t& { return g.foundationsFirst; }, nullptr},
      {4070715, [](Gen& g) -> uint8_t& { return g.selectionKeepsAlignment; }, nullptr},
      {4070716, [](Gen& g) -> uint8_t& { return g.gameOver; }, nullptr},
      {4070720, nullptr, [](Gen& g) -> int32_t& { return g.moves; }},
      {4070724, [](Gen& g) -> uint8_t& { return g.statsState; }, nullptr},
      {4070728, nullptr, [](Gen& g) -> int32_t& { return g.markedUndos; }},
      {4070732, nullptr, [](Gen& g) -> int32_t& { return g.unmarkedUndos; }},
      {4070737, [](Gen& g) -> uint8_t& { return g.dealtByNumber; }, nullptr},
      {4070738, [](Gen& g) -> uint8_t& { return g.ready; }, nullptr},
  };
  auto valueOf = [](int k) { return 0x01000000 * (k + 1) + (k + 1); };
  auto gen = std::make_unique<Gen>();
  for (int k = 0; k < static_cast<int>(std::size(fields)); ++k) {
    if (fields[k].byte) fields[k].byte(*gen) = static_cast<uint8_t>(k + 1);
    if (fields[k].word) fields[k].word(*gen) = valueOf(k);
  }
  std::vector<uint8_t> image(kGenImageSize);
  GenWriteImage(*gen, image.data());
  auto back = std::make_unique<Gen>();
  ASSERT_TRUE(GenReadImage(*back, image.data()));
  for (int k = 0; k < static_cast<int>(std::size(fields)); ++k) {
    const Field& f = fields[k];
    SCOPED_TRACE(f.offset);
    if (f.byte) {
      EXPECT_EQ(image[static_cast<size_t>(f.offset)], k + 1);
      EXPECT_EQ(f.byte(*back), k + 1);
    } else {
      EXPECT_EQ(GenGetI32(image.data(), f.offset), valueOf(k));
      EXPECT_EQ(f.word(*back), valueOf(k));
    }
  }
}

TEST_F(GenRecordTest, ImageReaderRefusesBadCountsAndPiles) {
  std::vector<uint8_t> image(kGenImageSize);
  GenWriteImage(g_GenLive, image.data());
  struct Case { int offset; int32_t value; } bad[] = {
      {20, 13}, {24, -1}, {28, 53}, {36, 29}, {12, 157},
      {1266256 + 4, 157},  // tableau 0 holding 157 cards
  };
  for (const Case& c : bad) {
    std::vector<uint8_t> broken = image;
    GenPutI32(broken.data(), c.offset, c.value);
    auto into = std::make_unique<Gen>();
    ClearLog();
    EXPECT_FALSE(GenReadImage(*into, broken.data())) << c.offset;
    EXPECT_TRUE(LogContains("Invalid game image")) << c.offset;
  }
}

TEST_F(GenRecordTest, RecordCopiesLinkTheirOwnPiles) {
  ASSERT_TRUE(FixtureBuild("T0: 7h 6s*; C1: Kd*"));
  GenTrialScratch() = g_GenLive;
  EXPECT_EQ(GenTrialScratch().tableaus[0].cards[1].owner, &GenTrialScratch().tableaus[0]);
  EXPECT_EQ(GenTrialScratch().cells[1].cards[0].owner, &GenTrialScratch().cells[1]);
  EXPECT_EQ(FixturePile(kWhereTableau), "7h 6s*");
}

TEST_F(GenRecordTest, CheckReportsTheLastFailingTest) {
  struct Case {
    int foundations, cellCards, selection;
    const char* message;  // null: sound
  } cases[] = {
      {1, 1, 0, nullptr},
      {1, 2, 0, "Error 7"},
      {1, 2, 157, "Error 14"},
      {13, 2, 0, "Error 1"},  // per-pile counts are not examined then
      {1, -1, 0, "Error 7"},  // a negative count fails like an excess
  };
  for (const Case& c : cases) {
    GenReset();
    ASSERT_TRUE(FixtureBuild("T0: Ah*; F0: Ac*; C0: Kd*"));
    g_GenLive.numFoundations = c.foundations;
    g_GenLive.cells[0].numCards = c.cellCards;
    g_GenLive.selection.numCards = c.selection;
    ClearLog();
    EXPECT_EQ(GenCheckOk(), c.message == nullptr) << c.foundations << "/" << c.cellCards;
    if (c.message) {
      EXPECT_TRUE(LogContains(c.message)) << c.message;
    }
    g_GenLive.selection.numCards = 0;
    g_GenLive.cells[0].numCards = 1;
  }
}

TEST_F(GenRecordTest, RankAndColourTests) {
  struct Case {
    int wrap, acesHigh, lowest, a, b;
    bool lower, higher;
  } cases[] = {
      {0, 0, 1, 5, 4, true, false},
      {0, 0, 1, 5, 6, false, true},
      {0, 0, 1, 1, 13, false, false},  // nothing below the ace without wrap
      {1, 0, 1, 1, 13, true, false},
      {1, 0, 1, 13, 1, false, true},   // the ace above the king with wrap
      {0, 0, 1, 13, 1, false, false},
      {0, 1, 1, 2, 14, true, false},   // aces high: the ace lies below the 2
      {0, 1, 1, 14, 2, false, true},
      {0, 0, 5, 5, 4, false, false},   // nothing below the lowest rank
      {1, 0, 5, 5, 4, true, false},
  };
  for (const Case& c : cases) {
    g_GenLive.rankWrap = static_cast<uint8_t>(c.wrap);
    g_GenLive.acesHigh = static_cast<uint8_t>(c.acesHigh);
    g_GenLive.lowestRank = c.lowest;
    EXPECT_EQ(GenIsNextLowerRank(c.a, c.b), c.lower) << c.wrap << c.acesHigh << c.lowest << " " << c.a << "," << c.b;
    EXPECT_EQ(GenIsNextHigherRank(c.a, c.b), c.higher) << c.wrap << c.acesHigh << c.lowest << " " << c.a << "," << c.b;
  }
  EXPECT_TRUE(GenSameColour(0, 2));
  EXPECT_TRUE(GenSameColour(1, 3));
  EXPECT_FALSE(GenSameColour(0, 1));
  Card ace;
  CardsSetupCard(&ace, 1, 3, 1, 0, 0, 0);
  int suit, rank;
  GenGetCardSuitAndRank(&ace, true, &suit, &rank);
  EXPECT_EQ(rank, 14);
  GenGetCardSuitAndRank(&ace, false, &suit, &rank);
  EXPECT_EQ(rank, 1);
  EXPECT_EQ(suit, 3);
}

TEST_F(GenRecordTest, PilesByCode) {
  struct Case { int code; CardGroup* group; int base; } cases[] = {
      {10, &g_GenLive.foundations[0], 10}, {21, &g_GenLive.foundations[11], 10},
      {22, nullptr, 0}, {110, &g_GenLive.cells[10], 100}, {111, nullptr, 0},
      {251, &g_GenLive.tableaus[51], 200}, {252, nullptr, 0}, {327, &g_GenLive.fans[27], 300},
      {400, &g_GenLive.deck, 400}, {500, &g_GenLive.waste, 500},
      {627, &g_GenLive.reserves[27], 600}, {628, nullptr, 0}, {800, &g_GenLive.dealGroup, 800},
      {801, &g_GenLive.selection, 801}, {0, nullptr, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GenGetGroup(g_GenLive, c.code), c.group) << c.code;
    EXPECT_EQ(GenGetKindBase(c.code), c.base) << c.code;
  }
}

// A reset zeroes the record, pile codes included; the set-up gives the piles
// in use their codes, and the others stay 0 / 0 in a saved image.
TEST_F(GenRecordTest, AResetZeroesThePileCodesAndTheSetUpGivesThemBack) {
  GenSetSetupOverrideForTests(FixtureKlondikePlaySetup);
  ASSERT_TRUE(GenInit());
  GenReset();
  EXPECT_EQ(g_GenLive.tableaus[5].where, 0);
  EXPECT_EQ(g_GenLive.tableaus[5].secondCode, 0);
  EXPECT_EQ(g_GenLive.deck.where, 0);
  ASSERT_TRUE(GenInit());
  std::vector<uint8_t> image(kGenImageSize);
  GenWriteImage(g_GenLive, image.data());
  const uint8_t* b = image.data();
  struct Case { int offset, where, second; } cases[] = {
      {1266256, 200, 0},               // tableau 0, in use
      {1266256 + 6 * 30148, 206, 0},   // tableau 6, in use (the layouts give index 0)
      {1266256 + 7 * 30148, 0, 0},     // tableau 7, not
      {1266256 + 51 * 30148, 0, 0},    // tableau 51, not
      {2833952 + 27 * 30148, 0, 0},    // fan 27, not
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GenGetI32(b, c.offset + 60), c.where) << c.offset;
    EXPECT_EQ(GenGetI32(b, c.offset + 64), c.second) << c.offset;
  }
}

TEST_F(GenRecordTest, GameFileNames) {
  EXPECT_STREQ(GenGetGameFilename(84), "XXX");
  EXPECT_EQ(LogLines().size(), 1u);
  EXPECT_TRUE(LogContains("Invalid game number 84"));
  EXPECT_STREQ(GenGetGameFilename(26), "FreeCell");
  EXPECT_STREQ(GenGetGameFilename(-1), "Klondike");  // the current game
  GenSetCurGame(90);
  ClearLog();
  EXPECT_STREQ(GenGetGameFilename(-1), "XXX");
  EXPECT_TRUE(LogContains("Invalid game number 90"));
}

TEST_F(GenRecordTest, InitRepairsTheGameNumberAndRunsTheSetUp) {
  static int runs = 0;
  runs = 0;
  GenSetSetupOverrideForTests([] {
    ++runs;
    GenSetReady();
  });
  GenSetCurGame(84);
  EXPECT_TRUE(GenInit());
  EXPECT_TRUE(LogContains("Invalid cur game num 84"));
  EXPECT_FALSE(LogContains("Integrity check failed"));
  EXPECT_EQ(GenGetCurGame(), 0);
  EXPECT_EQ(runs, 1);

  // Without the override the game table's own routine runs.
  GenSetSetupOverrideForTests(nullptr);
  GenSetCurGame(kGameKlondike);
  EXPECT_TRUE(GenInit());
  EXPECT_EQ(g_GenLive.numTableaus, 7);
}

}  // namespace
