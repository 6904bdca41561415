// Tests of players: the file images (offsets, defaults, sizes, repair of
// damaged values), names that may and may not name files, creating,
// loading, saving and deleting players, that reading never destroys a
// player's files, a damaged profile (a folder in its place included) made
// anew with the player's other files kept, a damaged per-game block kept
// aside with what reads, one that cannot be read never written over, and
// the order of a save's writes.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <map>
#include <string>

#include <unistd.h>

#include "App/DamagedFile.h"
#include "App/PrefFolder.h"
#include "App/Resolution.h"
#include "App/User.h"
#include "Engine/EngEncryption.h"
#include "Game/GameCameras.h"
#include "Game/GenBytes.h"
#include "Game/GenGameTable.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"
#include "tests/App/PlayerFixture.h"
#include "tests/Support/AppImportsStandIn.h"
#include "tests/Support/TestSupport.h"

namespace {

constexpr const char* kPassPhrase = "Mplx4QoragZn_265";

class UserTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    setenv("XDG_DATA_HOME", dir_.c_str(), 1);
    PrefFolderSetup("Free Cardolia 3D", false, nullptr);
    EngEncryptionInit(kPassPhrase);
    ResolutionSetDefaults();
    AppImportsResetForTests();
    UserDeleteFiles(g_UserRecord.name);  // unloads a player left by an earlier test
    g_UserRecord = UserRecord{};
    users_ = dir_ + "/Quarnix/Free Cardolia 3D/Users/";
  }
  // The bytes of every file in "Users", by name.
  std::map<std::string, std::string> UserFiles() const {
    std::map<std::string, std::string> files;
    if (!std::filesystem::exists(users_)) return files;
    for (const auto& e : std::filesystem::directory_iterator(users_)) {
      files[e.path().filename().string()] = ReadFile(e.path().string());
    }
    return files;
  }
  std::string users_;
};

TEST_F(UserTest, ANewPlayersProfileHasTheDefaultsAtTheirOffsets) {
  ASSERT_TRUE(UserNew("Bob", "England"));
  EXPECT_TRUE(UserIsLoaded());
  const std::string usr = ReadFile(users_ + "Bob.usr");
  const std::string opt = ReadFile(users_ + "Bob.opt");
  EXPECT_EQ(usr.size(), 16u + 10804u);
  EXPECT_EQ(opt.size(), 16u + 2688u);

  std::uint8_t b[kUserRecordFileSize];
  UserRecordToBytes(g_UserRecord, b);
  EXPECT_EQ(GenGetF32(b, 0), 4.3f);
  EXPECT_GE(GenGetU32(b, 4), 1u);
  EXPECT_LE(GenGetU32(b, 4), 10000u);
  EXPECT_STREQ(reinterpret_cast<const char*>(b + 8), "Bob");
  EXPECT_STREQ(reinterpret_cast<const char*>(b + 42), "England");
  struct Field { int offset; int size; double value; } fields[] = {
      {108, 4, 1}, {112, 4, 0}, {116, 1, 0}, {8696, 4, 1}, {8728, 4, 1}, {8804, 4, 3},
      {8808, 4, 37}, {8812, 1, 3}, {8813, 1, 0}, {8814, 1, 0}, {8815, 1, 1}, {8816, 1, 1},
      {8824, 1, 1}, {8832, 1, 2}, {8833, 1, 3}, {8834, 1, 0}, {8835, 1, 1}, {8836, 1, 1},
      {8837, 1, 1}, {8838, 1, 0}, {8839, 1, 0}, {8840, 1, 0}, {8848, 1, 0}, {8849, 1, 1},
      {8850, 1, 1}, {8851, 1, 1}, {8852, 1, 5}, {8853, 1, 0}, {8854, 1, 15}, {8855, 1, 30},
      {8856, 1, 0}, {8857, 1, 0}, {8858, 1, 0}, {8859, 1, 1}, {8860, 1, 1}, {8861, 1, 1},
      {9387, 1, 0}, {10704, 1, 255}, {10796, 1, 255}, {10800, 4, -1},
  };
  for (const Field& f : fields) {
    const double got = f.size == 1 ? b[f.offset] : GenGetI32(b, f.offset);
    EXPECT_EQ(got, f.value) << "offset " << f.offset;
  }
  struct FloatField { int offset; float value; } floats[] = {
      {8820, 0.25f}, {8828, 8.0f}, {8844, 0.5f}, {8700, 0.2f}, {8708, 1.0f}, {8712, 0.8f},
      {8716, 0.6f}, {8724, 15.0f},
  };
  for (const FloatField& f : floats) EXPECT_EQ(GenGetF32(b, f.offset), f.value) << "offset " << f.offset;
  EXPECT_EQ(b[8704], 1);  // point light
  EXPECT_EQ(b[8705], 1);  // colour set
  EXPECT_EQ(b[8720], 1);  // position set

  // Per-game block: autoplay from the game's entry, Sir Tommy without.
  const GameDef& klondike = GenGameTable[kGameKlondike];
  const int expected = !klondike.autoplay ? 0 : klondike.autoplayLevel1 ? 1 : klondike.autoplayLevel2 ? 2 : 3;
  EXPECT_EQ(g_UserOptions.autoplayMode[kGameKlondike], expected);
  EXPECT_TRUE(GenGameTable[kGameSirTommy].autoplay);
  EXPECT_EQ(g_UserOptions.autoplayMode[kGameSirTommy], 0);
  EXPECT_STREQ(g_ResolutionSettings.lastPlayer, "Bob");
  EXPECT_EQ(AppImportsGetCallsForTests().lightDefaults, 1);
  EXPECT_EQ(AppImportsGetCallsForTests().boardDefaults, 1);
  // The deck defaults: the first standard deck and back, no deck texts.
  EXPECT_EQ(g_UserRecord.currentDeck, 1);
  EXPECT_EQ(g_UserRecord.currentCardBack, 0);
  EXPECT_STREQ(g_UserRecord.cardBackPaths[0], "");
  EXPECT_STREQ(g_UserRecord.publisherName, "");
}

TEST_F(UserTest, RecordsRoundTripAndDamagedValuesAreRepaired) {
  UserRecord r;
  std::strcpy(r.name, "Zoe");
  for (int i = 0; i < kCameraPresetCount; ++i) r.cameras[i] = *GameCamerasGetDefault(i);
  r.cameras[3].distance = 87.5f;
  r.lights.height = 22.0f;
  r.mainPage = 3;
  std::strcpy(r.cardBackPaths[15], "/home/zoe/back.png");
  std::uint8_t b[kUserRecordFileSize];
  UserRecordToBytes(r, b);
  UserRecord back;
  UserRecordFromBytes(b, &back);
  std::uint8_t again[kUserRecordFileSize];
  UserRecordToBytes(back, again);
  EXPECT_EQ(std::memcmp(b, again, sizeof b), 0);

  std::memset(b + 8, 'N', 34);    // name without terminator
  std::memset(b + 42, 'C', 66);   // country without terminator
  b[8832] = 9;                    // undo level 0-2
  b[9387] = 200;                  // main page 0-3
  GenPutI32(b, 8808, 500);        // game 0-83
  GenPutF32(b, 8820, std::numeric_limits<float>::quiet_NaN());  // volume
  GenPutF32(b, 8724, 1000.0f);    // light height 5-50
  UserRecordFromBytes(b, &back);
  EXPECT_EQ(std::strlen(back.name), 32u);
  EXPECT_EQ(std::strlen(back.country), 64u);
  EXPECT_EQ(back.undoLevel, 2);
  EXPECT_EQ(back.mainPage, 3);
  EXPECT_EQ(back.menuGame, 83);
  EXPECT_EQ(back.soundVolume, 0.25f);
  EXPECT_EQ(back.lights.height, 50.0f);

  UserOptions o;
  o.autoplayMode[5] = 2;
  o.gamesPlayed[83] = 12;
  o.elapsedSeconds[40] = 3725;
  std::uint8_t ob[kUserOptionsFileSize];
  UserOptionsToBytes(o, ob);
  EXPECT_EQ(ob[12 * 5], 2);
  EXPECT_EQ(GenGetU32(ob, 12 * 83 + 8), 12u);
  EXPECT_EQ(GenGetI32(ob, 2352 + 4 * 40), 3725);
  ob[12 * 7] = 9;  // autoplay 0-3
  UserOptionsFromBytes(ob, &o);
  EXPECT_EQ(o.autoplayMode[7], 3);
  EXPECT_EQ(o.elapsedSeconds[40], 3725);
}

// A preset the view cannot be built from is never applied: the table would
// be seen through whatever view the device kept, and after a window and
// full-screen switch through none. Such a preset takes its factory value;
// one that can be shown stays as the player left it.
TEST_F(UserTest, CameraPresetsThatCannotBeShownTakeTheirFactoryValues) {
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  constexpr float kInf = std::numeric_limits<float>::infinity();
  const struct {
    const char* what;
    CameraPreset stored;
    bool kept;
  } cases[] = {
      {"all zero (a profile written without its cameras)", CameraPreset{}, false},
      {"field of view 0", {0, 1, 2, 0, 20, 90, 0, 1.2f}, false},
      {"field of view 180", {0, 1, 2, 0, 20, 90, 180, 1.2f}, false},
      {"aspect 0", {0, 1, 2, 0, 20, 90, 45, 0}, false},
      {"aspect below 0", {0, 1, 2, 0, 20, 90, 45, -1}, false},
      {"a look-at point that is not a number", {kNaN, 1, 2, 0, 20, 90, 45, 1.2f}, false},
      {"an endless distance", {0, 1, 2, 0, 20, kInf, 45, 1.2f}, false},
      {"a player's own view", {1, 2, 3, 4, 20, 90, 45, 1.2f}, true},
  };
  for (int preset : {1, kCameraPresetCount - 1}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.what) + ", preset " + std::to_string(preset));
      UserRecord r;
      r.cameras[preset] = c.stored;
      std::uint8_t b[kUserRecordFileSize];
      UserRecordToBytes(r, b);
      UserRecord back;
      UserRecordFromBytes(b, &back);
      const CameraPreset& want = c.kept ? c.stored : *GameCamerasGetDefault(preset);
      const CameraPreset& got = back.cameras[preset];
      EXPECT_EQ(got.lookX, want.lookX);
      EXPECT_EQ(got.lookY, want.lookY);
      EXPECT_EQ(got.lookZ, want.lookZ);
      EXPECT_EQ(got.eyeOffsetX, want.eyeOffsetX);
      EXPECT_EQ(got.eyeOffsetY, want.eyeOffsetY);
      EXPECT_EQ(got.distance, want.distance);
      EXPECT_EQ(got.fieldOfView, want.fieldOfView);
      EXPECT_EQ(got.aspect, want.aspect);
    }
  }
}

TEST_F(UserTest, NamesThatCannotNameFilesAreRefused) {
  struct Case { std::string name; bool ok; } cases[] = {
      {"Ann", true},           {std::string(32, 'x'), true}, {std::string(33, 'x'), false},
      {"", false},             {"a/b", false},               {"a\\b", false},
      {"..", false},           {"x..y", false},              {"c:", false},
      {"tab\there", false},    {"\n \n", false},             {"del\x7f", false},
      {"Zo\xeb", true},  // CP1252 e diaeresis
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UserIsValidFileName(c.name.c_str()), c.ok) << c.name;
    EXPECT_EQ(UserGetFileName(c.name.c_str(), false) != nullptr, c.ok) << c.name;
    if (!c.ok) {
      EXPECT_FALSE(UserNew(c.name.c_str(), "Wales")) << c.name;
    }
  }
  EXPECT_FALSE(UserIsLoaded());
  EXPECT_TRUE(LogContains("Invlalid name parameter"));
  EXPECT_FALSE(UserNew("Ann", ""));
  EXPECT_FALSE(UserNew("Ann", std::string(65, 'c').c_str()));
  EXPECT_TRUE(UserFiles().empty());
}

TEST_F(UserTest, ANewPlayerNeverReplacesAnExistingOne) {
  ASSERT_TRUE(UserNew("Bob", "England"));
  g_UserRecord.undoLevel = 0;
  ASSERT_TRUE(UserSave());
  ASSERT_TRUE(UserNew("Ann", "Wales"));  // the player changes
  const auto before = UserFiles();
  EXPECT_FALSE(UserNew("Bob", "France"));
  EXPECT_TRUE(LogContains("Player exists <Bob>"));
  EXPECT_EQ(UserFiles(), before);
  EXPECT_STREQ(g_UserRecord.name, "Ann");  // still the current player

  // An unreadable profile of that name counts as existing too.
  WriteFile(users_ + "Cid.usr", "short");
  EXPECT_FALSE(UserNew("Cid", "Spain"));
  EXPECT_EQ(ReadFile(users_ + "Cid.usr"), "short");

  ASSERT_TRUE(UserLoad("Bob", false, nullptr));
  EXPECT_EQ(g_UserRecord.undoLevel, 0);
  EXPECT_STREQ(g_UserRecord.country, "England");
}

TEST_F(UserTest, DamagedProfilesFailToLoadAndDeleteNothing) {
  ASSERT_TRUE(UserNew("Good", "Spain"));
  const std::string good = ReadFile(users_ + "Good.usr");
  UserRecord v42;
  v42.version = 4.2f;
  std::uint8_t b[kUserRecordFileSize];
  UserRecordToBytes(v42, b);
  EngEncryptionEncryptAndWriteToFile((users_ + "V42.usr").c_str(), b, sizeof b);
  EngEncryptionInit("another phrase!!");
  UserRecord other;
  UserRecordToBytes(other, b);
  EngEncryptionEncryptAndWriteToFile((users_ + "Key.usr").c_str(), b, sizeof b);
  EngEncryptionInit(kPassPhrase);
  WriteFile(users_ + "Short.usr", good.substr(0, good.size() - 1));
  WriteFile(users_ + "Long.usr", good + "x");
  for (const char* name : {"V42", "Key", "Short", "Long"}) {
    WriteFile(users_ + name + ".opt", "options");
    WriteFile(users_ + name + ".sta", "statistics");
  }
  WriteFile(users_ + "Gone.opt", "options");
  WriteFile(users_ + "Gone.sta", "statistics");
  const auto before = UserFiles();

  for (const char* name : {"V42", "Key", "Short", "Long", "Gone"}) {
    for (bool checkOnly : {true, false}) {
      ClearLog();
      std::uint8_t always = 77;
      EXPECT_FALSE(UserLoad(name, checkOnly, &always)) << name << checkOnly;
      EXPECT_EQ(always, 77);
      const bool missing = std::string(name) == "Gone";
      // Every failure is reported, except a check of a missing profile.
      EXPECT_EQ(LogContains("Error reading user file"), !(checkOnly && missing)) << name << checkOnly;
    }
  }
  EXPECT_EQ(UserFiles(), before);
  EXPECT_STREQ(g_UserRecord.name, "Good");  // the loaded player stays
  EXPECT_TRUE(UserIsLoaded());
}

TEST_F(UserTest, CheckOnlyLoadGivesTheAlwaysStartByteAndChangesNothing) {
  ASSERT_TRUE(UserNew("Ann", "Wales"));
  g_UserRecord.alwaysStartWithPlayer = 1;
  ASSERT_TRUE(UserSave());
  ASSERT_TRUE(UserNew("Bob", "England"));
  std::uint8_t always = 0;
  EXPECT_TRUE(UserLoad("Ann", true, &always));
  EXPECT_EQ(always, 1);
  EXPECT_STREQ(g_UserRecord.name, "Bob");
  EXPECT_STREQ(g_ResolutionSettings.lastPlayer, "Bob");
  UserRecord profile;
  ASSERT_TRUE(UserReadProfile("Ann", &profile));
  EXPECT_STREQ(profile.country, "Wales");
}

TEST_F(UserTest, LoadingMakesThePlayerCurrentAndRunsItsAfterLoadAction) {
  ASSERT_TRUE(UserNew("Ann", "Wales"));
  g_UserRecord.animSpeed = 2.0f;
  g_UserRecord.afterLoadAction = 2;
  g_UserOptions.gamesPlayed[3] = 9;
  ASSERT_TRUE(UserSave());
  ASSERT_TRUE(UserNew("Bob", "England"));
  ResolutionSetRunInProgress(true);
  ASSERT_TRUE(UserLoad("Ann", false, nullptr));
  ResolutionSetRunInProgress(false);
  EXPECT_STREQ(g_UserRecord.name, "Ann");
  EXPECT_EQ(g_UserRecord.animSpeed, 8.0f);
  EXPECT_EQ(g_UserOptions.gamesPlayed[3], 9u);
  EXPECT_STREQ(g_ResolutionSettings.lastPlayer, "Ann");
  EXPECT_EQ(AppImportsGetCallsForTests().newGame, 1);
  // The settings file names the player and asks for the dialog while running.
  const std::string settings = ReadFile(dir_ + "/Quarnix/Free Cardolia 3D/Resolution.dat");
  ASSERT_EQ(settings.size(), 360u);
  EXPECT_EQ(settings[8], 1);
  EXPECT_STREQ(settings.c_str() + 316, "Ann");

  // A damaged per-game block falls back to the defaults.
  WriteFile(users_ + "Ann.opt", "bad");
  ASSERT_TRUE(UserLoad("Ann", false, nullptr));
  EXPECT_EQ(g_UserOptions.gamesPlayed[3], 0u);
}

TEST_F(UserTest, ADamagedPerGameBlockIsKeptAsideAndWhatReadsIsKept) {
  ASSERT_TRUE(UserNew("Ann", "Wales"));
  g_UserOptions.autoplayMode[2] = 3;
  g_UserOptions.gamesPlayed[5] = 7;
  g_UserOptions.runningScore[10] = 1234;   // bytes 2056-2059 of the record
  g_UserOptions.runningScore[83] = 999;    // bytes 2348-2351
  g_UserOptions.elapsedSeconds[83] = 60;   // bytes 2684-2687
  ASSERT_TRUE(UserSave());
  const std::string good = ReadFile(users_ + "Ann.opt");
  // Which of game 10's running score, game 83's running score and game
  // 83's time the file still holds.
  const struct {
    const char* what;
    std::string bytes;
    bool score10, score83, time83;
  } cases[] = {
      {"cut inside the running scores", good.substr(0, 16 + 2100), true, false, false},
      {"cut by a byte", good.substr(0, good.size() - 1), true, true, false},
      {"grown by bytes", good + "more", true, true, true},
      {"cut inside the counter block", good.substr(0, 10), false, false, false},
      {"emptied", "", false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(users_ + "Ann.opt.damaged");
    WriteFile(users_ + "Ann.opt", c.bytes);
    DamagedFileClearNotices();
    ASSERT_TRUE(UserLoad("Ann", false, nullptr));

    EXPECT_TRUE(ReadFile(users_ + "Ann.opt.damaged") == c.bytes);
    EXPECT_EQ(ReadFile(users_ + "Ann.opt").size(), good.size());  // whole again
    ASSERT_EQ(DamagedFileGetPendingCount(), 1);
    EXPECT_TRUE(LogContains("Damaged file notice: Damaged_Options: Ann, Ann.opt.damaged"));
    const bool readSome = c.bytes.size() > 16;
    EXPECT_EQ(g_UserOptions.autoplayMode[2], readSome ? 3 : UserOptionsDefaults().autoplayMode[2]);
    EXPECT_EQ(g_UserOptions.gamesPlayed[5], readSome ? 7u : 0u);
    EXPECT_EQ(g_UserOptions.runningScore[10], c.score10 ? 1234 : 0);
    EXPECT_EQ(g_UserOptions.runningScore[83], c.score83 ? 999 : 0);
    EXPECT_EQ(g_UserOptions.elapsedSeconds[83], c.time83 ? 60 : 0);

    // The mended block is what the next load reads: no notice again.
    const UserOptions mended = g_UserOptions;
    ASSERT_TRUE(UserLoad("Ann", false, nullptr));
    EXPECT_EQ(g_UserOptions.runningScore[10], mended.runningScore[10]);
    EXPECT_EQ(g_UserOptions.gamesPlayed[5], mended.gamesPlayed[5]);
    EXPECT_EQ(DamagedFileGetPendingCount(), 1);
    EXPECT_TRUE(ReadFile(users_ + "Ann.opt.damaged") == c.bytes);
  }
}

TEST_F(UserTest, APerGameBlockThatCannotBeReadIsNeverWrittenOver) {
  ASSERT_TRUE(UserNew("Ann", "Wales"));
  g_UserOptions.gamesPlayed[5] = 7;
  ASSERT_TRUE(UserSave());
  const std::string options = users_ + "Ann.opt";
  const std::string good = ReadFile(options);
  const struct {
    const char* what;
    bool folder;
  } cases[] = {{"a folder in its place", true}, {"no permission to read it", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (!c.folder && geteuid() == 0) continue;  // root reads any file
    std::filesystem::remove_all(options);
    if (c.folder) {
      std::filesystem::create_directories(options + "/inside");
    } else {
      WriteFile(options, good);
      std::filesystem::permissions(options, std::filesystem::perms::none);
    }
    DamagedFileClearNotices();
    ASSERT_TRUE(UserLoad("Ann", false, nullptr));
    EXPECT_EQ(g_UserOptions.gamesPlayed[5], 0u);  // the defaults in play
    ASSERT_EQ(DamagedFileGetPendingCount(), 1);
    EXPECT_TRUE(LogContains("Damaged file notice: Damaged_OptionsUnreadable: Ann, Ann.opt"));

    g_UserOptions.gamesPlayed[5] = 1;
    EXPECT_TRUE(UserSave());  // the profile and the settings are saved
    ASSERT_TRUE(UserLoad("Ann", false, nullptr));  // told once in a run
    EXPECT_EQ(DamagedFileGetPendingCount(), 1);
    EXPECT_FALSE(std::filesystem::exists(options + ".damaged"));
    std::filesystem::permissions(options, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
    if (c.folder) {
      EXPECT_TRUE(std::filesystem::is_directory(options + "/inside"));
    } else {
      EXPECT_TRUE(ReadFile(options) == good);
    }
  }
}

TEST_F(UserTest, TheProfileIsWrittenBeforeTheSettingsNameThePlayer) {
  ASSERT_TRUE(UserNew("Ann", "Wales"));
  // A new player whose profile cannot be written is never the settings'
  // last player: a start after that offers Ann.
  const std::string blocker = users_ + "Cid.usr.tmp-" + std::to_string(getpid());
  std::filesystem::create_directory(blocker);  // where the write's temporary file would go
  UserNew("Cid", "Peru");
  std::filesystem::remove(blocker);
  EXPECT_FALSE(std::filesystem::exists(users_ + "Cid.usr"));
  const std::string settings = ReadFile(dir_ + "/Quarnix/Free Cardolia 3D/Resolution.dat");
  ASSERT_EQ(settings.size(), kResolutionFileSize);
  EXPECT_STREQ(settings.c_str() + 316, "Ann");
}

TEST_F(UserTest, AFolderWhereAProfileShouldBeIsADamagedProfile) {
  ASSERT_TRUE(UserNew("Ann", "Wales"));
  std::filesystem::create_directories(users_ + "Kim.usr/kept");
  WriteFile(users_ + "Kim.usr/kept/note.txt", "the player's own file");
  WriteFile(users_ + "Kim.sta", "statistics");
  EXPECT_TRUE(UserProfileExists("Kim"));
  EXPECT_TRUE(UserProfileIsDamaged("Kim"));
  EXPECT_FALSE(UserLoad("Kim", true, nullptr));
  EXPECT_FALSE(UserNew("Kim", "Peru"));  // the name is taken; nothing of Kim's goes
  EXPECT_EQ(ReadFile(users_ + "Kim.sta"), "statistics");

  ASSERT_TRUE(UserRemakeProfile("Kim", "Peru"));
  EXPECT_EQ(ReadFile(users_ + "Kim.usr.damaged/kept/note.txt"), "the player's own file");
  EXPECT_EQ(ReadFile(users_ + "Kim.sta"), "statistics");
  ASSERT_TRUE(UserLoad("Kim", false, nullptr));
  EXPECT_STREQ(g_UserRecord.country, "Peru");

  // Deleting a player whose profile is a folder moves the folder aside.
  std::filesystem::create_directories(users_ + "Lou.usr");
  UserDeleteFiles("Lou");
  EXPECT_FALSE(UserProfileExists("Lou"));
  EXPECT_TRUE(std::filesystem::is_directory(users_ + "Lou.usr.damaged"));
}

TEST_F(UserTest, DeletingTheLoadedPlayerUnloadsIt) {
  ASSERT_TRUE(UserNew("Ann", "Wales"));
  WriteFile(users_ + "Ann.sta", "statistics");
  ASSERT_TRUE(UserNew("Bob", "England"));
  UserDeleteFiles("Ann");  // another player: the loaded one stays
  EXPECT_TRUE(UserIsLoaded());
  EXPECT_FALSE(std::filesystem::exists(users_ + "Ann.usr"));
  EXPECT_FALSE(std::filesystem::exists(users_ + "Ann.opt"));
  EXPECT_FALSE(std::filesystem::exists(users_ + "Ann.sta"));

  UserDeleteFiles("Bob");
  EXPECT_FALSE(UserIsLoaded());
  EXPECT_STREQ(g_ResolutionSettings.lastPlayer, "");
  EXPECT_FALSE(UserSave());  // nothing re-creates the deleted player's files
  EXPECT_TRUE(UserFiles().empty());

  UserDeleteFiles("../Resolution");  // refused: no file outside "Users" is touched
  EXPECT_TRUE(std::filesystem::exists(dir_ + "/Quarnix/Free Cardolia 3D/Resolution.dat"));
}

// Ann's profile is damaged while Bob plays; Ann has score rows (of England,
// id 4242), statistics, a per-game block and a saved game.
class DamagedProfileTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    g_UserOptions.gamesPlayed[5] = 7;
    g_UserRecord.undoLevel = 0;
    ASSERT_TRUE(UserSave());
    users_ = folder_ + "Users/";
    good_ = ReadFile(users_ + "Ann.usr");
    ScoreEntry ann = Entry(900, 60, "Ann", "England");
    ann.playerId = 4242;
    ScoreEntry older = Entry(500, 60, "Ann", "France");
    older.year = 2020;
    WriteFile(ScorePath(kGameKlondike), ScoreHeader("Klondike") + ScoreRow(ann) + ScoreRow(older) +
                                            ScoreRow(Entry(800, 50, "Bob", "Wales")));
    WriteFile(users_ + "Ann.sta", StatsHeader() + StatsRow(kFixtureToday, true, 30));
    std::filesystem::create_directories(folder_ + "SavedGames");
    WriteFile(folder_ + "SavedGames/Ann_Klondike.c3o", "a saved game");
    ASSERT_TRUE(UserNew("Bob", "Wales"));
  }
  // Every file of the data folder but Ann's profile and its damaged copies
  // and the settings file.
  std::map<std::string, std::string> OtherFiles() const {
    std::map<std::string, std::string> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder_)) {
      const std::string name = e.path().filename().string();
      if (!e.is_regular_file() || name.rfind("Ann.usr", 0) == 0 || name == "Resolution.dat") continue;
      files[e.path().string()] = ReadFile(e.path().string());
    }
    return files;
  }
  std::string users_, good_;
};

TEST_F(DamagedProfileTest, ADamagedProfileIsMadeAnewAndThePlayersOtherFilesStay) {
  auto changed = [](std::string bytes, std::size_t at) {
    bytes[at] = static_cast<char>(bytes[at] ^ 0x40);
    return bytes;
  };
  std::string random(good_.size(), '\0');
  for (std::size_t i = 0; i < random.size(); ++i) random[i] = static_cast<char>(i * 7919 % 251);
  UserRecord v42;
  v42.version = 4.2f;
  std::uint8_t bytes[kUserRecordFileSize];
  UserRecordToBytes(v42, bytes);
  EngEncryptionEncryptAndWriteToFile((users_ + "Ann.usr").c_str(), bytes, sizeof bytes);
  const std::string version42 = ReadFile(users_ + "Ann.usr");
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"cut by a byte", good_.substr(0, good_.size() - 1)},
      {"cut in half", good_.substr(0, good_.size() / 2)},
      {"emptied", ""},
      {"a byte of the counter block changed", changed(good_, 5)},
      {"a byte of the version changed", changed(good_, 18)},
      {"random bytes of its size", random},
      {"random bytes of another size", random.substr(0, 100)},
      {"a profile of version 4.2", version42},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(users_ + "Ann.usr.damaged");
    WriteFile(users_ + "Ann.usr", c.bytes);
    ASSERT_TRUE(UserLoad("Bob", false, nullptr));
    const auto others = OtherFiles();
    EXPECT_TRUE(UserProfileIsDamaged("Ann"));
    EXPECT_FALSE(UserLoad("Ann", false, nullptr));
    EXPECT_FALSE(UserNew("Ann", "Wales"));  // the name stays taken

    ASSERT_TRUE(UserRemakeProfile("Ann", "Wales"));
    EXPECT_STREQ(g_UserRecord.name, "Bob");  // the loaded player is not touched
    EXPECT_TRUE(ReadFile(users_ + "Ann.usr.damaged") == c.bytes);
    ASSERT_TRUE(UserLoad("Ann", false, nullptr));
    // Defaults, with the country and id of the newest score row; the
    // per-game block, statistics, score rows and saved game as they were.
    EXPECT_STREQ(g_UserRecord.name, "Ann");
    EXPECT_STREQ(g_UserRecord.country, "England");
    EXPECT_EQ(g_UserRecord.playerId, 4242u);
    EXPECT_EQ(g_UserRecord.undoLevel, 2);
    EXPECT_EQ(g_UserOptions.gamesPlayed[5], 7u);
    EXPECT_TRUE(OtherFiles() == others);
    EXPECT_FALSE(UserProfileIsDamaged("Ann"));
  }

  // A good profile is not made anew; a changed byte that is no field's
  // bounds loads as it is.
  EXPECT_FALSE(UserRemakeProfile("Ann", "Wales"));
  EXPECT_FALSE(UserRemakeProfile("Nobody", "Wales"));
  WriteFile(users_ + "Ann.usr", changed(good_, 16 + 5000));
  EXPECT_FALSE(UserProfileIsDamaged("Ann"));
  EXPECT_TRUE(UserLoad("Ann", false, nullptr));
}

TEST_F(DamagedProfileTest, WithoutScoreRowsTheNewProfileTakesTheGivenCountry) {
  std::filesystem::remove(ScorePath(kGameKlondike));
  WriteFile(users_ + "Ann.usr", "");
  ASSERT_TRUE(UserRemakeProfile("Ann", "Wales"));
  ASSERT_TRUE(UserLoad("Ann", false, nullptr));
  EXPECT_STREQ(g_UserRecord.country, "Wales");
  EXPECT_GE(g_UserRecord.playerId, 1u);
  EXPECT_LE(g_UserRecord.playerId, 10000u);

  // A profile that cannot be written puts the damaged one back.
  WriteFile(users_ + "Ann.usr", "damaged");
  std::filesystem::remove(users_ + "Ann.usr.damaged");
  const std::string blocker = BlockWrites(users_ + "Ann.usr");
  EXPECT_FALSE(UserRemakeProfile("Ann", "Wales"));
  std::filesystem::remove(blocker);
  EXPECT_EQ(ReadFile(users_ + "Ann.usr"), "damaged");
  EXPECT_FALSE(std::filesystem::exists(users_ + "Ann.usr.damaged"));
}

TEST_F(DamagedProfileTest, DeletingADamagedPlayerRemovesItsRowsByTheirCountry) {
  WriteFile(users_ + "Ann.usr", "damaged");
  UserDeleteFiles("Ann");
  ScoreReadCurrentGameScores();
  ASSERT_EQ(ScoreGetEntryCount(), 2);  // the newest row's country (England) goes
  EXPECT_STREQ(ScoreGetEntry(0).name, "Bob");
  EXPECT_STREQ(ScoreGetEntry(1).country, "France");
  EXPECT_FALSE(std::filesystem::exists(users_ + "Ann.sta"));
}

}  // namespace
