// GenSaveTest.cpp - saved games and pictures: the files' sizes and forms,
// what is refused on reading (versions, short files, damaged or foreign
// records), file names, and saving while moves still run.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <random>
#include <string>

#include <unistd.h>

#include "Engine/EngEncryption.h"
#include "Engine/EngFile.h"
#include "Game/AnimGameOver.h"
#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/Gen.h"
#include "Game/GenBytes.h"
#include "Game/GenCallbacks.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenImage.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSave.h"
#include "Game/GenUndo.h"
#include "Game/UserRecord.h"
#include "tests/Game/GameFixture.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

class GenSaveTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    FixtureUseRealLayouts();
    FixtureUsePlayer("Saver");
    g_UserRecord.cardAnimationOn = 0;
    GenSetSetupOverrideForTests(FixtureKlondikePlaySetup);
    GenNewGameWithNumber(21, true);
    ASSERT_TRUE(RunAnimations());
    // A move, so that the game is not just dealt.
    FixtureClick(kWhereDeck, -1, 0);
    ASSERT_TRUE(RunAnimations());
  }
  // The whole file in one read (a saved game is 4 MB; the base's reader
  // goes byte by byte).
  static std::string ReadFile(const std::string& name) {
    std::string bytes;
    if (FILE* f = std::fopen(name.c_str(), "rb")) {
      char chunk[65536];
      size_t n;
      while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
      std::fclose(f);
    }
    return bytes;
  }
  std::string GameFile() { return GenGetSaveFilename(0); }
  std::string PictureFile() { return GenGetSaveFilename(1); }
  static std::string Native(const std::string& gamePath) {
    std::string p = gamePath;
    for (char& c : p) {
      if (c == '\\') c = '/';
    }
    return p;
  }
  // Writes a ".c3o" made from a record image that edit may change first.
  void WriteSavedGame(const std::function<void(Gen&)>& edit) {
    static Gen copy;
    copy = g_GenLive;
    copy.version = kGenSaveVersion;
    edit(copy);
    std::unique_ptr<uint8_t[]> image(new uint8_t[kGenImageSize]);
    GenWriteImage(copy, image.get());
    unsigned char* ciphered = EngEncryptionEncrypt(image.get(), kGenImageSize);
    ASSERT_NE(ciphered, nullptr);
    std::string bytes(4, '\0');
    GenPutF32(reinterpret_cast<uint8_t*>(bytes.data()), 0, kGenSaveVersion);
    bytes.append(reinterpret_cast<char*>(ciphered), kGenImageSize + 16);
    std::free(ciphered);
    WriteFile(Native(GameFile()), bytes);
    WriteFile(Native(PictureFile()), "picture");
  }
};

TEST_F(GenSaveTest, TheFilesHaveTheirSizesAndForms) {
  ASSERT_TRUE(GenSaveCurrentGame());
  EXPECT_EQ(GameFile(),
            std::string(g_GameImports.PrefFolderGetSubFolder("SavedGames")) + "\\Saver_Klondike.c3o");
  const std::string game = ReadFile(Native(GameFile()));
  ASSERT_EQ(game.size(), 4070760u);
  EXPECT_EQ(GenGetF32(reinterpret_cast<const uint8_t*>(game.data()), 0), 4.3f);
  const std::string picture = ReadFile(Native(PictureFile()));
  ASSERT_EQ(picture.size(), 2188092u);
  // The header and the piles at their offsets: deck in use, deck size,
  // foundations, tableaus, then tableau 0 (pile 42) with its card count.
  const auto* bytes = reinterpret_cast<const uint8_t*>(picture.data());
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(GenGetI32(bytes, 4), 52);
  EXPECT_EQ(GenGetI32(bytes, 8), 4);
  EXPECT_EQ(GenGetI32(bytes, 16), 7);
  EXPECT_EQ(GenGetI32(bytes, 28), 1);  // lowest rank
  EXPECT_EQ(GenGetI16(bytes, 44 + 42 * 16324 + 24), g_GenLive.tableaus[0].numCards);
  EXPECT_EQ(picture.find_first_not_of('\0', 2171136), std::string::npos);  // zeros to the end
  // The picture reads back: counts and piles as on the table.
  SaveCardDetailsCompact& compact = GenGetSaveCardDetailsCompact();
  std::memcpy(compact.bytes, picture.data(), picture.size());
  ASSERT_TRUE(GenFillSaveCardDetailsFromSaveCardDetailsCompact());
  const SaveCardDetails& d = GenGetSaveCardDetails();
  EXPECT_EQ(d.numTableaus, 7);
  EXPECT_EQ(d.numFoundations, 4);
  EXPECT_EQ(d.deckSize, 52);
  EXPECT_EQ(d.deckInUse, 1);
  // Pile 1 is the waste, piles 42-48 the tableaus.
  EXPECT_EQ(d.piles[1].numCards, g_GenLive.waste.numCards);
  for (int t = 0; t < 7; ++t) {
    const CardGroup& saved = d.piles[42 + t];
    ASSERT_EQ(saved.numCards, g_GenLive.tableaus[t].numCards);
    for (int i = 0; i < saved.numCards; ++i) {
      EXPECT_TRUE(CardsAreSameCard(&saved.cards[i], &g_GenLive.tableaus[t].cards[i]));
      EXPECT_EQ(saved.cards[i].faceUp, g_GenLive.tableaus[t].cards[i].faceUp);
    }
  }
  EXPECT_TRUE(GenSavedGameExists());
  EXPECT_EQ(GenGetSavedGameDealNumber(), 21u);
}

// A file that is no saved game is kept aside, never deleted: under a name
// of its own beside the saved games, a second one beside the first.
TEST_F(GenSaveTest, AnOtherVersionIsNotResumedAndBothFilesAreKeptAside) {
  ASSERT_TRUE(GenSaveCurrentGame());
  std::string game = ReadFile(Native(GameFile()));
  const std::string picture = ReadFile(Native(PictureFile()));
  GenPutF32(reinterpret_cast<uint8_t*>(game.data()), 0, 4.2f);
  WriteFile(Native(GameFile()), game);
  ClearLog();
  EXPECT_FALSE(GenSavedGameExists());
  EXPECT_FALSE(std::filesystem::exists(Native(GameFile())));
  EXPECT_FALSE(std::filesystem::exists(Native(PictureFile())));
  EXPECT_EQ(ReadFile(Native(GameFile()) + ".damaged"), game);
  EXPECT_EQ(ReadFile(Native(PictureFile()) + ".damaged"), picture);
  EXPECT_TRUE(LogContains("kept as <" + GameFile() + ".damaged>"));
  // The player is told once.
  int noticeGame = -1;
  char keptAs[256] = "";
  ASSERT_TRUE(GenTakeSavedGameNotice(&noticeGame, keptAs, sizeof keptAs));
  EXPECT_EQ(noticeGame, kGameKlondike);
  EXPECT_STREQ(keptAs, "Saver_Klondike.c3o.damaged");
  EXPECT_FALSE(GenTakeSavedGameNotice(nullptr, nullptr, 0));

  WriteFile(Native(GameFile()), "cut");
  EXPECT_FALSE(GenSavedGameExists());
  EXPECT_EQ(ReadFile(Native(GameFile()) + ".damaged-2"), "cut");
  EXPECT_EQ(ReadFile(Native(GameFile()) + ".damaged"), game);
  EXPECT_TRUE(GenTakeSavedGameNotice(nullptr, nullptr, 0));
}

TEST_F(GenSaveTest, AFileCutShortIsReportedAndChangesNothing) {
  ASSERT_TRUE(GenSaveCurrentGame());
  std::string game = ReadFile(Native(GameFile()));
  WriteFile(Native(GameFile()), game.substr(0, 4 + 1000));
  // Another game on the table meanwhile.
  FixtureClick(kWhereDeck, -1, 0);
  ASSERT_TRUE(RunAnimations());
  const std::string table = FixtureDescribeGame();
  EXPECT_FALSE(GenSavedGameExists());  // the exact size is required
  WriteFile(Native(GameFile()), game.substr(0, 4 + 1000));
  EXPECT_FALSE(GenResumeSavedGame());
  EXPECT_TRUE(LogContains("Could not load saved game <" + GameFile() + ">"));
  EXPECT_EQ(FixtureDescribeGame(), table);
  EXPECT_FALSE(std::filesystem::exists(Native(GameFile())));
  EXPECT_FALSE(std::filesystem::exists(Native(PictureFile())));
}

TEST_F(GenSaveTest, AFailedSaveKeepsTheLastSavedGame) {
  ASSERT_TRUE(GenSaveCurrentGame());
  const std::string saved = ReadFile(Native(GameFile()));
  FixtureClick(kWhereDeck, -1, 0);
  ASSERT_TRUE(RunAnimations());
  // The new save cannot be written: its temporary file (the file layer
  // writes "<name>.tmp-<process id>" and renames it) cannot be made.
  const std::string blocker = Native(GameFile()) + ".tmp-" + std::to_string(::getpid());
  ASSERT_TRUE(std::filesystem::create_directory(blocker));
  ClearLog();
  EXPECT_FALSE(GenSaveCurrentGame());
  EXPECT_TRUE(LogContains("Could not create file <" + GameFile() + ">"));
  std::filesystem::remove(blocker);
  EXPECT_EQ(ReadFile(Native(GameFile())), saved);  // byte for byte the last save
}

struct DamageCase {
  const char* what;
  std::function<void(Gen&)> edit;
};

TEST_F(GenSaveTest, ADamagedOrForeignRecordIsRefusedBeforeAnythingChanges) {
  const DamageCase cases[] = {
      {"suit", [](Gen& g) { g.tableaus[3].cards[1].suit = 7; }},
      {"rank", [](Gen& g) { g.deck.cards[0].rank = 15; }},
      {"float", [](Gen& g) { g.tableaus[0].cards[0].pos[1] = std::nanf(""); }},
      {"infinity", [](Gen& g) { g.waste.cards[100].restRot[1] = std::numeric_limits<float>::infinity(); }},
      {"group float", [](Gen& g) { g.foundations[2].faceUpGap = std::nanf(""); }},
      {"pile count", [](Gen& g) { g.cells[0].numCards = 2; g.numCells = 1; }},
      {"room", [](Gen& g) { g.tableaus[6].numCards = 9; g.tableaus[6].maxCards = 8; }},
      {"deal plan", [](Gen& g) { g.dealPlan[3] = 999; }},
      {"alignment", [](Gen& g) { g.tableaus[2].alignType = 42; }},
      {"rules", [](Gen& g) { g.rules[kRuleDropTableau] = kRuleAnything; }},
      {"tableaus", [](Gen& g) { g.numTableaus = 8; }},
      {"deck size", [](Gen& g) { g.deckSize = 104; }},
      {"not ready", [](Gen& g) { g.ready = 0; }},
      // The trailer's integers: the next move, undo or autoplay step would
      // count past the largest integer.
      {"moves", [](Gen& g) { g.moves = std::numeric_limits<int32_t>::max(); }},
      {"marked undos", [](Gen& g) { g.markedUndos = std::numeric_limits<int32_t>::max(); }},
      {"unmarked undos", [](Gen& g) { g.unmarkedUndos = std::numeric_limits<int32_t>::max(); }},
      {"moves below zero", [](Gen& g) { g.moves = -1; }},
      {"lowest rank", [](Gen& g) { g.lowestRank = std::numeric_limits<int32_t>::max(); }},
      {"lowest rank 15", [](Gen& g) { g.lowestRank = 15; }},
      {"lowest rank 0", [](Gen& g) { g.lowestRank = 0; }},
      {"empty-space picture", [](Gen& g) { g.emptySpacePicture = 9; }},
      // A card carried: a save cancels the selection first.
      {"carried card", [](Gen& g) {
         CardGroup& t = g.tableaus[6];
         g.selection.maxCards = kCardGroupMaxCards;
         g.selection.cards[0] = t.cards[--t.numCards];
         g.selection.numCards = 1;
         g.selectionSource = kWhereTableau + 6;
       }},
      // The cards must be the deck's, each exactly once, in piles in use.
      {"duplicated card", [](Gen& g) {
         g.tableaus[6].cards[6].suit = g.tableaus[5].cards[5].suit;
         g.tableaus[6].cards[6].rank = g.tableaus[5].cards[5].rank;
       }},
      {"missing card", [](Gen& g) { --g.deck.numCards; }},
      {"card in an unused pile", [](Gen& g) {
         g.tableaus[7].maxCards = kCardGroupMaxCards;
         g.tableaus[7].cards[0] = g.deck.cards[--g.deck.numCards];
         g.tableaus[7].numCards = 1;
       }},
      // Places finite but beyond the table.
      {"card far away", [](Gen& g) { g.tableaus[0].cards[0].pos[0] = 5000.0f; }},
      {"pile far away", [](Gen& g) { g.foundations[0].pos[1] = -1.0e6f; }},
      // Marks of a card an animation carries: the next move from the pile
      // would drop a hidden card.
      {"hidden card", [](Gen& g) { g.deck.cards[0].hidden = 1; }},
      {"flying card", [](Gen& g) { g.tableaus[1].cards[0].flying = 1; }},
  };
  for (const DamageCase& c : cases) {
    SCOPED_TRACE(c.what);
    ClearLog();
    WriteSavedGame(c.edit);
    const std::string table = FixtureDescribeGame();
    EXPECT_FALSE(GenResumeSavedGame());
    EXPECT_TRUE(LogContains("Could not load saved game <" + GameFile() + ">"));
    EXPECT_EQ(FixtureDescribeGame(), table);
    EXPECT_TRUE(g_GenLive.ready);
    EXPECT_TRUE(GenIsGameInProgress());  // still the game on the table
    EXPECT_FALSE(std::filesystem::exists(Native(GameFile())));
    EXPECT_FALSE(std::filesystem::exists(Native(PictureFile())));
  }
  // The same file undamaged is resumed.
  WriteSavedGame([](Gen&) {});
  EXPECT_TRUE(GenResumeSavedGame());
}

TEST_F(GenSaveTest, CountersNearTheirBoundResumeAndStopThere) {
  WriteSavedGame([](Gen& g) {
    g.moves = kGenUndoMaxCounter - 1;
    g.unmarkedUndos = kGenUndoMaxCounter;
  });
  ASSERT_TRUE(GenResumeSavedGame());
  for (int move = 0; move < 2; ++move) {
    FixtureClick(kWhereDeck, -1, 0);
    ASSERT_TRUE(RunAnimations());
  }
  EXPECT_EQ(g_GenLive.moves, kGenUndoMaxCounter);
  ASSERT_TRUE(GenUndo());
  EXPECT_EQ(g_GenLive.unmarkedUndos, kGenUndoMaxCounter);
}

TEST_F(GenSaveTest, AOneSuitSpiderIsComparedWithItsOwnDeck) {
  // One suit drawn from the deal number: eight of each rank of that suit.
  GenSetCurGame(kGameSpider1Suit);
  GenSetSetupOverrideForTests(FixtureSpiderPlaySetup);
  GenNewGameWithNumber(5, true);
  ASSERT_TRUE(RunAnimations());
  ASSERT_EQ(FixtureCountAllCards(), 104);
  WriteSavedGame([](Gen&) {});
  EXPECT_TRUE(GenResumeSavedGame());
  // The same table with one card of another suit is not a game of this deal.
  WriteSavedGame([](Gen& g) {
    Card& c = g.tableaus[0].cards[0];
    c.suit = (c.suit + 1) % 4;
  });
  EXPECT_FALSE(GenResumeSavedGame());
  EXPECT_TRUE(LogContains("Invalid saved game (cards)"));
  GenSetCurGame(kGameKlondike);
}

// Offsets in a picture file: pile k (deck 0, waste 1, reserves 2-29,
// foundations 30-41, tableaus 42-93, fans 94-121, cells 122-132), card j.
size_t PictureCard(int pile, int card) {
  return 44 + static_cast<size_t>(pile) * kCardGroupCompactSize + kCardGroupCompactHeadSize +
         static_cast<size_t>(card) * kCardCompactSize;
}
size_t PicturePileCount(int pile) { return 44 + static_cast<size_t>(pile) * kCardGroupCompactSize + 24; }

struct PictureDamage {
  const char* what;
  std::function<void(uint8_t*)> edit;
};

TEST_F(GenSaveTest, ADamagedPictureIsRefusedBeforeItIsDrawn) {
  ASSERT_TRUE(GenSaveCurrentGame());
  const std::string good = ReadFile(Native(PictureFile()));
  ASSERT_EQ(good.size(), static_cast<size_t>(kGenPictureFileSize));
  const PictureDamage cases[] = {
      {"foundations", [](uint8_t* b) { GenPutI32(b, 8, 13); }},
      {"cells", [](uint8_t* b) { GenPutI32(b, 12, -1); }},
      {"tableaus", [](uint8_t* b) { GenPutI32(b, 16, 53); }},
      {"fans", [](uint8_t* b) { GenPutI32(b, 20, 1000000); }},
      {"reserves", [](uint8_t* b) { GenPutI32(b, 24, 29); }},
      {"deck size", [](uint8_t* b) { GenPutI32(b, 4, 157); }},
      {"lowest rank", [](uint8_t* b) { GenPutI32(b, 28, 2147483647); }},
      {"empty-space picture", [](uint8_t* b) { GenPutI32(b, 40, -7); }},
      {"suit", [](uint8_t* b) { GenPutI8(b, static_cast<int>(PictureCard(42, 0)), 4); }},
      {"negative suit", [](uint8_t* b) { GenPutI8(b, static_cast<int>(PictureCard(1, 0)), -1); }},
      {"rank 0", [](uint8_t* b) { b[PictureCard(42, 0) + 1] = 0; }},
      {"rank 15", [](uint8_t* b) { b[PictureCard(48, 6) + 1] = 15; }},
      {"card far away", [](uint8_t* b) { GenPutF32(b, static_cast<int>(PictureCard(43, 1)) + 16, 1.0e9f); }},
      {"card in an unused pile", [](uint8_t* b) {
         GenPutI16(b, static_cast<int>(PicturePileCount(49)), 1);
         GenPutI16(b, static_cast<int>(PicturePileCount(49)) + 2, 156);
         b[PictureCard(49, 0)] = 0;
         b[PictureCard(49, 0) + 1] = 5;
       }},
      {"a card more than the deck", [](uint8_t* b) {
         // 52 cards on the table already: one more is more than the deck.
         GenPutI16(b, static_cast<int>(PicturePileCount(30)), 1);
         b[PictureCard(30, 0) + 1] = 1;
       }},
  };
  SaveCardDetailsCompact& compact = GenGetSaveCardDetailsCompact();
  for (const PictureDamage& c : cases) {
    SCOPED_TRACE(c.what);
    std::memcpy(compact.bytes, good.data(), good.size());
    c.edit(compact.bytes);
    EXPECT_FALSE(GenFillSaveCardDetailsFromSaveCardDetailsCompact());
  }
  std::memcpy(compact.bytes, good.data(), good.size());
  EXPECT_TRUE(GenFillSaveCardDetailsFromSaveCardDetailsCompact());
}

TEST_F(GenSaveTest, ThePreviewShowsOnlyThePictureOfTheSavedGameBesideIt) {
  ASSERT_TRUE(GenSaveCurrentGame());
  ASSERT_TRUE(GenReadSavedGamePicture());
  EXPECT_EQ(GenGetSaveCardDetails().piles[1].numCards, g_GenLive.waste.numCards);
  const std::string earlierPicture = ReadFile(Native(PictureFile()));

  // A later save killed between its two renames: the new game beside the
  // picture of the earlier one.
  FixtureClick(kWhereDeck, -1, 0);
  ASSERT_TRUE(RunAnimations());
  ASSERT_TRUE(GenSaveCurrentGame());
  EXPECT_TRUE(GenReadSavedGamePicture());
  WriteFile(Native(PictureFile()), earlierPicture);
  EXPECT_FALSE(GenReadSavedGamePicture());

  // Another deal's picture beside this deal's game.
  const std::string game = ReadFile(Native(GameFile()));
  GenNewGameWithNumber(22, true);
  ASSERT_TRUE(RunAnimations());
  ASSERT_TRUE(GenSaveCurrentGame());
  const std::string otherDealPicture = ReadFile(Native(PictureFile()));
  WriteFile(Native(GameFile()), game);
  EXPECT_FALSE(GenReadSavedGamePicture());
  WriteFile(Native(PictureFile()), otherDealPicture);
  EXPECT_FALSE(GenReadSavedGamePicture());

  // No saved game, or one that cannot be read: no preview either.
  GenNewGameWithNumber(22, true);
  ASSERT_TRUE(RunAnimations());
  ASSERT_TRUE(GenSaveCurrentGame());
  ASSERT_TRUE(GenReadSavedGamePicture());
  WriteFile(Native(GameFile()), game.substr(0, 1000));
  EXPECT_FALSE(GenReadSavedGamePicture());
  std::filesystem::remove(Native(GameFile()));
  EXPECT_FALSE(GenReadSavedGamePicture());
}

TEST_F(GenSaveTest, RandomDamageIsRefusedOrHarmlessNeverACrash) {
  ASSERT_TRUE(GenSaveCurrentGame());
  const std::string good = ReadFile(Native(GameFile()));
  std::mt19937 rng(11);
  for (int round = 0; round < 12; ++round) {
    std::string bad = good;
    const int flips = 1 + static_cast<int>(rng() % 16);
    for (int k = 0; k < flips; ++k) {
      const size_t at = 4 + rng() % (bad.size() - 4);
      bad[at] = static_cast<char>(bad[at] ^ static_cast<char>(1 + rng() % 255));
    }
    WriteFile(Native(GameFile()), bad);
    const std::string table = FixtureDescribeGame();
    if (GenResumeSavedGame()) {
      EXPECT_TRUE(GenCheckOk());
    } else {
      EXPECT_EQ(FixtureDescribeGame(), table);
      EXPECT_FALSE(std::filesystem::exists(Native(GameFile())));
    }
  }
}

// Continue deals a game before it resumes the saved one; when the saved one
// is refused, the new deal that follows takes none of the cards still
// flying in the first (with card animation on, they landed in it twice).
TEST_F(GenSaveTest, AnUnusableSavedGameIsReplacedByANewDealHoldingEveryCardOnce) {
  for (const int animation : {0, 1}) {
    SCOPED_TRACE(animation);
    WriteSavedGame([](Gen& g) { g.numTableaus = 8; });
    g_UserRecord.cardAnimationOn = static_cast<uint8_t>(animation);
    GenNewGame(true);
    EXPECT_FALSE(GenResumeSavedGameIfAny());
    ASSERT_TRUE(RunAnimations());
    EXPECT_TRUE(g_GenLive.ready);
    int count[4][14] = {};
    int cards = 0;
    GenForEachPileInUse(g_GenLive, [&](const CardGroup& pile, int) {
      for (int i = 0; i < pile.numCards; ++i, ++cards) ++count[pile.cards[i].suit & 3][pile.cards[i].rank % 14];
    });
    EXPECT_EQ(cards, 52);
    for (int suit = 0; suit < 4; ++suit) {
      for (int rank = 1; rank <= 13; ++rank) EXPECT_EQ(count[suit][rank], 1) << suit << " " << rank;
    }
    EXPECT_EQ(g_GenLive.waste.numCards, 0);  // a fresh deal
    EXPECT_TRUE(GenIsGameInProgress());
  }
}

// The Game page resets the live record for its picture after the game was
// left, and the shutdown saves a game in progress: a record that is no game
// in play never replaces the saved game (the next start would refuse it).
TEST_F(GenSaveTest, ARecordThatIsNoGameInPlayNeverReplacesTheSavedGame) {
  ASSERT_TRUE(GenSaveCurrentGame());
  const std::string saved = ReadFile(Native(GameFile()));
  static Gen played;
  played = g_GenLive;
  const DamageCase cases[] = {
      {"reset", [](Gen&) { GenInit(); }},
      {"card doubled", [](Gen& g) {
         g.tableaus[6].cards[6].suit = g.tableaus[5].cards[5].suit;
         g.tableaus[6].cards[6].rank = g.tableaus[5].cards[5].rank;
       }},
      {"card lost", [](Gen& g) { --g.deck.numCards; }},
      {"not set up", [](Gen& g) { g.ready = 0; }},
  };
  for (const DamageCase& c : cases) {
    SCOPED_TRACE(c.what);
    c.edit(g_GenLive);
    ClearLog();
    EXPECT_FALSE(GenSaveCurrentGame());
    EXPECT_TRUE(LogContains("Not a game in play"));
    EXPECT_EQ(ReadFile(Native(GameFile())), saved);
    g_GenLive = played;
  }
  // A reset record is no game in progress: the shutdown has nothing to save.
  GenInit();
  EXPECT_FALSE(GenIsGameInProgress());
  ClearLog();
  EXPECT_TRUE(GenSaveGameInProgress());
  EXPECT_FALSE(LogContains("Not a game in play"));
  EXPECT_EQ(ReadFile(Native(GameFile())), saved);
  ASSERT_TRUE(GenResumeSavedGame());
  EXPECT_TRUE(GenIsGameInProgress());
}

TEST_F(GenSaveTest, AWonGameLeavesNoSavedGame) {
  ASSERT_TRUE(GenSaveCurrentGame());
  g_GenLive.gameOver = 1;
  EXPECT_TRUE(GenSaveCurrentGame());
  EXPECT_FALSE(std::filesystem::exists(Native(GameFile())));
  EXPECT_FALSE(std::filesystem::exists(Native(PictureFile())));
}

TEST_F(GenSaveTest, APlayerNameThatIsNoFileNameIsRefused) {
  const char* bad[] = {"a/b", "a\\b", "..", "up..", "tab\there", ""};
  for (const char* name : bad) {
    SCOPED_TRACE(name);
    std::snprintf(g_UserRecord.name, sizeof g_UserRecord.name, "%s", name);
    EXPECT_EQ(GenGetSaveFilename(0), nullptr);
    EXPECT_FALSE(GenSaveCurrentGame());
  }
  std::memset(g_UserRecord.name, 'x', sizeof g_UserRecord.name);  // no end
  EXPECT_EQ(GenGetSaveFilename(1), nullptr);
  std::snprintf(g_UserRecord.name, sizeof g_UserRecord.name, "%s", "Ann-Marie O'Neil");
  EXPECT_NE(GenGetSaveFilename(0), nullptr);
  UserSetLoaded(false);
  EXPECT_EQ(GenGetSaveFilename(0), nullptr);
  EXPECT_NE(GenGetSaveFilename(2), nullptr);  // the stock pictures need no player
}

TEST_F(GenSaveTest, AGameNumberOutOfRangeIsRefused) {
  GenSetCurGame(84);
  EXPECT_FALSE(GenSaveCurrentGame());
  EXPECT_TRUE(LogContains("Invalid cur game num 84"));
  EXPECT_FALSE(GenResumeSavedGame());
  GenSetCurGame(kGameKlondike);
}

TEST_F(GenSaveTest, SavingLandsTheRunningMove) {
  AnimSetStartDelay();
  ASSERT_TRUE(AnimSetupMoveNCardsFromDeckToWaste(1, 0.5f));
  const int waste = g_GenLive.waste.numCards;
  ASSERT_TRUE(GenSaveCurrentGame());
  EXPECT_FALSE(CardsAnimIsAnimating());
  EXPECT_EQ(g_GenLive.waste.numCards, waste + 1);
  const std::string table = FixtureDescribeGame();
  FixtureClick(kWhereDeck, -1, 0);
  ASSERT_TRUE(RunAnimations());
  ASSERT_TRUE(GenResumeSavedGame());
  EXPECT_EQ(FixtureDescribeGame(), table);
}

int g_celebrations = 0;
int g_mainMenus = 0;
void CountCelebration(float) { ++g_celebrations; }
void CountMainMenu() { ++g_mainMenus; }

TEST_F(GenSaveTest, AGameWonWhileASaveFinishesItsMovesCelebratesButNeitherDealsNorLeaves) {
  // Every foundation full but one king, which is on its way there.
  std::string piles = "T0: Kh*";
  const char* const suits = "hsdc";
  for (int f = 0; f < 4; ++f) {
    piles += "; F" + std::to_string(f) + ":";
    for (int r = 0; r < (f == 0 ? 12 : 13); ++r) {
      piles += std::string(" ") + "A23456789TJQK"[r] + suits[f] + "*";
    }
  }
  g_UserRecord.gatherCards = 0;
  GenSetAfterWinHandlers(CountCelebration, CountMainMenu);
  for (int afterWin = 0; afterWin <= 2; ++afterWin) {
    SCOPED_TRACE(afterWin);
    g_UserRecord.afterWin = static_cast<uint8_t>(afterWin);
    g_celebrations = g_mainMenus = 0;
    ASSERT_TRUE(FixtureTable(FixtureKlondikePlaySetup, piles));
    ASSERT_TRUE(GenSaveCurrentGame());  // the game so far is saved
    ASSERT_TRUE(std::filesystem::exists(Native(GameFile())));
    ASSERT_TRUE(AnimSetupMoveNCardsFromTableauToFoundation(1, 0, 0, 0.5f));
    AnimSetFinishCB(GenGetCallbacks().autoplay);
    EXPECT_TRUE(GenSaveCurrentGame());
    EXPECT_TRUE(g_GenLive.gameOver);
    EXPECT_EQ(g_celebrations, afterWin == 0 ? 1 : 0);
    EXPECT_EQ(g_mainMenus, 0);
    EXPECT_EQ(g_GenLive.foundations[0].numCards, 13);  // no new deal
    EXPECT_FALSE(std::filesystem::exists(Native(GameFile())));
    EXPECT_FALSE(std::filesystem::exists(Native(PictureFile())));
  }
  GenSetAfterWinHandlers(nullptr, nullptr);
}

TEST_F(GenSaveTest, ACelebrationNeverHoldsASaveUp) {
  ASSERT_TRUE(GenSaveCurrentGame());
  AnimGameOverForceEffectForTests(3);
  AnimGameOverStart(0.5f);
  ASSERT_TRUE(AnimGameOverIsRunning());
  EXPECT_TRUE(GenSaveCurrentGame());
  EXPECT_FALSE(std::filesystem::exists(Native(GameFile())));
  AnimGameOverEnd(0);
}

TEST_F(GenSaveTest, TheGameInProgressIsSavedAndDeletingCoversEveryGame) {
  EXPECT_TRUE(GenIsGameInProgress());
  ASSERT_TRUE(GenSaveGameInProgress());
  EXPECT_TRUE(GenSavedGameExists());
  GenSetCurGame(kGameFreeCell);
  WriteFile(Native(GenGetSaveFilename(0)), "x");
  GenSetCurGame(kGameKlondike);
  GenDeleteAllSavedGames();
  EXPECT_EQ(GenGetCurGame(), kGameKlondike);
  EXPECT_FALSE(GenSavedGameExists());
  GenSetCurGame(kGameFreeCell);
  EXPECT_FALSE(std::filesystem::exists(Native(GenGetSaveFilename(0))));
  GenSetCurGame(kGameKlondike);
  // Without a game in progress there is nothing to save.
  GenSetGameInProgress(false);
  EXPECT_TRUE(GenSaveGameInProgress());
  EXPECT_FALSE(GenSavedGameExists());
}

// A game number outside the table names no file: nothing is written,
// found or deleted under the stand-in name "XXX".
TEST_F(GenSaveTest, ABadGameNumberNamesNoFile) {
  const std::string stray = Native(GameFile());
  const std::string xxx = stray.substr(0, stray.rfind('_') + 1) + "XXX.c3o";
  WriteFile(xxx, "x");
  GenSetCurGame(kGenNumGames);
  for (int mode = 0; mode < 3; ++mode) EXPECT_EQ(GenGetSaveFilename(mode), nullptr) << mode;
  EXPECT_TRUE(LogContains("Invalid cur game num 84"));
  EXPECT_FALSE(GenSavedGameExists());
  EXPECT_FALSE(GenSaveCurrentGame());
  GenDeleteSavedGame();
  EXPECT_EQ(GenGetSavedGameDealNumber(), 0u);
  EXPECT_EQ(ReadFile(xxx), "x") << "the stray file is left alone";
  GenSetCurGame(kGameKlondike);
}

}  // namespace
