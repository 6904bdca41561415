// PlayerFixture.h - a loaded player in a temporary home for the score,
// statistics and online tests, today pinned to a known date, and helpers
// that write score and statistics files byte by byte (the way a damaged or
// foreign file would look) and build piles of the live game.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <initializer_list>
#include <string>
#include <vector>

#include <unistd.h>

#include "App/PrefFolder.h"
#include "App/Resolution.h"
#include "App/Score.h"
#include "App/Stats.h"
#include "App/User.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Game/CardGroup.h"
#include "Shell/Shell.h"
#include "Game/Gen.h"
#include "Game/GenBytes.h"
#include "Game/GenGameTable.h"
#include "Game/UserRecord.h"
#include "tests/Support/AppImportsStandIn.h"
#include "tests/Support/TestSupport.h"

constexpr EngMiscDate kFixtureToday = {2024, 3, 1};  // the day after a leap day

class PlayerTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    setenv("XDG_DATA_HOME", dir_.c_str(), 1);
    PrefFolderSetup("Free Cardolia 3D", false, nullptr);
    EngEncryptionInit("Mplx4QoragZn_265");
    ResolutionSetDefaults();
    // Starting the sound system and pulsing its volume take time and are
    // not tested here.
    g_ResolutionSettings.soundOn = 0;
    GameShellSetVolumePulseForTests(false);
    AppImportsResetForTests();
    EngMiscSetLocalDateForTests(&kFixtureToday);
    folder_ = dir_ + "/Quarnix/Free Cardolia 3D/";
    ASSERT_TRUE(UserNew("Ann", "England"));
    PrefFolderGetSubFolder("Scores");
    GenSetCurGame(kGameKlondike);
    GenReset();
    ClearLog();
  }
  void TearDown() override {
    EngLanguagesRelease();
    if (UserIsLoaded()) UserDeleteFiles(g_UserRecord.name);
    StatsFreeDayStats();
    EngMiscSetLocalDateForTests(nullptr);
    TempDirTest::TearDown();
  }

  // Makes a language current whose texts are the token names (with the
  // given texts in their place), so that a text shows where it came from.
  // Tokens with parameters and the game list are added: "Score_SysForXInY"
  // reads "Score_SysForXInY(%1|%2)".
  void UseTokenNameLanguage(const std::vector<std::string>& tokens,
                            const std::map<std::string, std::string>& texts = {}) {
    std::filesystem::create_directories(dir_ + "/Languages");
    std::ofstream out(dir_ + "/Languages/English.txt");
    for (const std::string& token : tokens) {
      const auto given = texts.find(token);
      out << token << "=" << (given != texts.end() ? given->second : token) << "\n";
    }
    out << "Game_GameList=Game 0";  // the window title names the game
    for (int game = 1; game < kGenNumGames; ++game) out << "#Game " << game;
    out << "\nScore_SysForXInY=Score_SysForXInY(%1|%2)\n";
    out << "Score_SysEveryNSecondsPlaying=Score_SysEveryNSecondsPlaying(%1)\n";
    out << "Score_InternetAlreadyHaveBetter=Score_InternetAlreadyHaveBetter(%1)\n";
    out.close();
    EngLanguagesRelease();
    ASSERT_TRUE(EngLanguagesInit("./Languages", "English"));
  }

  // Lends the current player another name and country (the files follow).
  static void BecomePlayer(const char* name, const char* country) {
    std::snprintf(g_UserRecord.name, sizeof g_UserRecord.name, "%s", name);
    std::snprintf(g_UserRecord.country, sizeof g_UserRecord.country, "%s", country);
  }
  std::string ScorePath(int game) const {
    return folder_ + "Scores/" + GenGetGameFilename(game) + ".sco";
  }
  std::string StatsPath() const { return folder_ + "Users/" + g_UserRecord.name + ".sta"; }

  // Makes the next safe replace of the file fail (also for root, who may
  // write into read-only folders): a folder stands where its temporary
  // file would go.
  static std::string BlockWrites(const std::string& path) {
    const std::string blocker = path + ".tmp-" + std::to_string(getpid());
    std::filesystem::create_directory(blocker);
    return blocker;
  }

  // A block of the record-file encryption.
  static std::string Block(const std::uint8_t* plain, std::size_t size) {
    unsigned char* block = EngEncryptionEncrypt(plain, size);
    std::string bytes(reinterpret_cast<char*>(block), size + 16);
    std::free(block);
    return bytes;
  }
  static std::string ScoreHeader(const char* game, float version = kScoreFileVersion) {
    std::uint8_t h[kScoreHeaderSize] = {};
    GenPutF32(h, 0, version);
    std::snprintf(reinterpret_cast<char*>(h + 4), 64, "%s", game);
    return Block(h, sizeof h);
  }
  static std::string ScoreRow(const ScoreEntry& e) {
    std::uint8_t b[kScoreEntrySize];
    ScoreEntryToBytes(e, b);
    return Block(b, sizeof b);
  }
  static ScoreEntry Entry(std::uint32_t score, std::uint32_t seconds, const char* name,
                          const char* country = "England") {
    ScoreEntry e;
    e.score = score;
    e.playTime = seconds;
    e.year = 2023;
    e.month = 6;
    e.day = 15;
    std::snprintf(e.name, sizeof e.name, "%s", name);
    std::snprintf(e.country, sizeof e.country, "%s", country);
    return e;
  }
  static std::string StatsHeader(float version = kStatsFileVersion) {
    std::uint8_t h[kStatsHeaderSize] = {};
    GenPutF32(h, 0, version);
    return Block(h, sizeof h);
  }
  static std::string StatsRow(EngMiscDate date, bool won, std::uint32_t seconds, int game = kGameKlondike) {
    StatsRecord r;
    r.year = date.year;
    r.month = date.month;
    r.day = date.day;
    r.won = won ? 1 : 0;
    r.playSeconds = seconds;
    std::snprintf(r.tag, sizeof r.tag, "_%s_", GenGetGameFilename(game));
    std::uint8_t b[kStatsRecordSize];
    StatsRecordToBytes(r, b);
    return Block(b, sizeof b);
  }
  // today minus days, by stepping back.
  static EngMiscDate DaysAgo(int days) {
    EngMiscDate d = kFixtureToday;
    for (int i = 0; i < days; ++i) EngMiscGetPreviousDay(&d);
    return d;
  }

  std::string folder_;
};

// A card of a pile: suit 0 hearts, 1 spades, 2 diamonds, 3 clubs.
struct PileCard {
  int suit;
  int rank;
  bool faceUp;
};

// Replaces a pile of the live game with the cards, bottom first (a pile not
// set up yet is set up as a plain stack).
inline void SetPile(CardGroup& pile, std::initializer_list<PileCard> cards) {
  if (!pile.active) pile.SetupCardGroup({.maxCards = 156, .secondCode = -1});
  pile.numCards = 0;
  pile.RelinkOwners();
  for (const PileCard& c : cards) {
    Card card;
    CardsSetupCard(&card, c.faceUp ? 1 : 0, c.suit, c.rank, 0, 0, 0);
    pile.AddCardToGroup(&card, false, false, false);
  }
}
