// User.cpp - players: creating, loading, saving and deleting them (see
// User.h; the file images are in UserFiles.cpp).
//
// State: g_UserRecord and g_UserOptions (the current player, or a new
// player's defaults before one is loaded), the loaded flag, whether the
// loaded player's per-game block is left unwritten (set by each load), the
// file-name buffer.
#include "App/User.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

#include "App/AppImports.h"
#include "App/DamagedFile.h"
#include "App/PrefFolder.h"
#include "App/RecordBlocks.h"
#include "App/Resolution.h"
#include "App/Score.h"
#include "App/Splash.h"
#include "App/Stats.h"
#include "App/WriteFailure.h"
#include "Engine/Debug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngFile.h"
#include "Engine/EngRand.h"
#include "Engine/EngUtils.h"
#include "Game/Decks/DecksCurrent.h"
#include "Game/GameCameras.h"
#include "Game/GameState.h"
#include "Game/GenGameTable.h"
#include "Game/GenSave.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"

namespace {

bool g_loaded = false;
char g_fileName[1024] = {};

// The per-game block of the loaded player could not be read and is left as
// it is: the saves do not write it (the block in play holds the defaults,
// or what could be read of it).
bool g_optionsLeftAlone = false;

enum class OptionsRead { kNone, kRead, kMended, kUnreadable };

// Reads a player's per-game block into *options, which holds the defaults.
// A block of another size than the record's (cut, grown, emptied) is
// damaged: every field that lies wholly in what is there is kept, the rest
// stays at the defaults; the file is copied aside and written again with
// that, and the player told. A block that cannot be read at all (no
// permission, a folder in its place) is left as it is and the player told;
// so is a damaged one that cannot be copied aside.
OptionsRead ReadOptions(const char* name, UserOptions* options) {
  const char* where = "UserLoad";
  const char* found = UserGetFileName(name, true);
  if (!found) return OptionsRead::kNone;
  const std::string path = found;
  const auto leftAlone = [&] {
    DebugError(where, "Per-game options cannot be read: left as they are <%s>", path.c_str());
    DamagedFileNotifyTextOnce(path.c_str(), "Damaged_OptionsUnreadable", name, DamagedFileBaseName(path.c_str()));
    return OptionsRead::kUnreadable;
  };
  if (EngFileDirectoryExists(path.c_str())) return leftAlone();
  if (!EngFileExists(path.c_str())) return OptionsRead::kNone;
  // Only the record's bytes are read: whatever follows them is damage.
  constexpr std::size_t kWhole = kUserOptionsFileSize + kEngEncryptionCounterSize;
  std::uint8_t bytes[kWhole];
  EngFile file;
  if (!file.OpenForReading(path.c_str(), false)) return leftAlone();
  const long size = file.GetSize();
  const std::size_t have = size > 0 ? std::min(static_cast<std::size_t>(size), kWhole) : 0;
  if (size < 0 || (have > 0 && !file.Read(bytes, have))) return leftAlone();
  file.Close();
  std::uint8_t plain[kUserOptionsFileSize] = {};
  const std::size_t length = have > kEngEncryptionCounterSize ? have - kEngEncryptionCounterSize : 0;
  if (length > 0 && !RecordBlockDecipher(bytes, length, plain)) return leftAlone();
  UserOptionsFromPartialBytes(plain, length, options);
  if (static_cast<std::size_t>(size) == kWhole) return OptionsRead::kRead;

  DebugError(where, "Per-game options damaged: %ld bytes, not %u <%s>", size, static_cast<unsigned>(kWhole),
             path.c_str());
  const char* aside = DamagedFileCopyAside(path.c_str());
  if (!aside) return leftAlone();
  const std::string asideName = DamagedFileBaseName(aside);
  std::uint8_t mended[kUserOptionsFileSize];
  UserOptionsToBytes(*options, mended);
  if (!EngEncryptionEncryptAndWriteToFile(path.c_str(), mended, sizeof mended)) {
    DebugError(where, "Could not write per-game options <%s>", path.c_str());
  }
  DamagedFileNotifyText("Damaged_Options", name, asideName.c_str());
  return OptionsRead::kMended;
}

// The after-load action of the profile (continue or start a game).
void RunAfterLoadAction() {
  switch (g_UserRecord.afterLoadAction) {
    case 1:
      if (GenSavedGameExists()) {
        g_AppImports.MainControlContinueGameCB();
      } else {
        g_AppImports.MainControlNewGameCB();
      }
      break;
    case 2:
      g_AppImports.MainControlNewGameCB();
      break;
    default:
      break;
  }
}

}  // namespace

bool UserIsValidFileName(const char* name) {
  return EngFileIsSafeName(name) && std::strlen(name) <= static_cast<std::size_t>(kUserMaxNameLength);
}

const char* UserGetFileName(const char* name, bool options) {
  const char* where = "UserGetFileName";
  const char* player = name ? name : g_UserRecord.name;
  if (!UserIsValidFileName(player)) {
    DebugError(where, name ? "Invlalid name parameter" : "Invlalid name");
    return nullptr;
  }
  const int n = std::snprintf(g_fileName, sizeof g_fileName, "%s%s%s%s", PrefFolderGetSubFolder("Users"),
                              "\\", player, options ? ".opt" : ".usr");
  if (n < 0 || n >= static_cast<int>(sizeof g_fileName)) {
    DebugError(where, "File name too long");
    return nullptr;
  }
  return g_fileName;
}

bool UserProfileExists(const char* name) {
  const char* path = UserIsValidFileName(name) ? UserGetFileName(name, false) : nullptr;
  return path && (EngFileExists(path) || EngFileDirectoryExists(path));
}

bool UserProfileIsDamaged(const char* name) {
  return UserProfileExists(name) && !UserReadProfile(name, nullptr);
}

bool UserIsLoaded() { return g_loaded; }
void UserSetLoadedForTests(bool loaded) { g_loaded = loaded; }

UserOptions UserOptionsDefaults() {
  UserOptions options;
  for (int game = 0; game < kUserNumGames; ++game) {
    const GameDef& def = GenGameTable[game];
    std::uint8_t level = 0;
    if (def.autoplay) {
      if (def.autoplayLevel1) {
        level = 1;
      } else if (def.autoplayLevel2) {
        level = 2;
      } else if (def.autoplayLevel3) {
        level = 3;
      }
    }
    if (def.autoplayStartsOff) level = 0;
    options.autoplayMode[game] = level;
  }
  return options;
}

void UserOptionsSetDefaults() { g_UserOptions = UserOptionsDefaults(); }

void UserSetDefaults() {
  // Everything from the deck choice on takes a new player's value; the
  // identity and the remembered mode and screen are the caller's.
  UserRecord fresh;
  fresh.version = g_UserRecord.version;
  fresh.playerId = g_UserRecord.playerId;
  std::memcpy(fresh.name, g_UserRecord.name, sizeof fresh.name);
  std::memcpy(fresh.country, g_UserRecord.country, sizeof fresh.country);
  fresh.rememberedMode = g_UserRecord.rememberedMode;
  fresh.rememberedScreen = g_UserRecord.rememberedScreen;
  g_UserRecord = fresh;
  DeckGenSetDefaults();
  g_AppImports.ModulesSetDefaultLightSettings();
  DecksSetDefaults();
  g_AppImports.ModulesSetDefaultBoard();
  GameCamerasSetDefaults(-1);
  UserOptionsSetDefaults();
}

bool UserSave() {
  const char* where = "UserSave";
  if (!g_loaded) return false;
  const char* path = UserGetFileName(nullptr, false);
  if (!path) {
    DebugError(where, "Could not set filename");
    return false;
  }
  // The profile is written before the settings name the player: a run
  // killed in between must not leave a last player without a profile.
  std::uint8_t profile[kUserRecordFileSize];
  UserRecordToBytes(g_UserRecord, profile);
  if (!EngEncryptionEncryptAndWriteToFile(path, profile, sizeof profile)) {
    DebugError(where, "Error writing to user file");
    WriteFailureNotify(WriteFailureKind::kProfile, g_UserRecord.name);
    return false;
  }
  EngSafeStrcpy(g_ResolutionSettings.lastPlayer, g_UserRecord.name,
                sizeof g_ResolutionSettings.lastPlayer);
  ResolutionWriteFile();

  if (g_optionsLeftAlone) {
    DebugError(where, "Per-game options not written: the file could not be read");
    return true;
  }
  path = UserGetFileName(nullptr, true);
  if (!path) {
    DebugError(where, "Could not set filename (2)");
    return false;
  }
  std::uint8_t options[kUserOptionsFileSize];
  UserOptionsToBytes(g_UserOptions, options);
  if (!EngEncryptionEncryptAndWriteToFile(path, options, sizeof options)) {
    DebugError(where, "Error writing to user game options file");
    WriteFailureNotify(WriteFailureKind::kProfile, g_UserRecord.name);
    return false;
  }
  return true;
}

bool UserNew(const char* name, const char* country) {
  const char* where = "UserNew";
  if (!UserIsValidFileName(name) || !country || !*country ||
      std::strlen(country) > static_cast<std::size_t>(kUserMaxCountryLength)) {
    DebugError(where, "Invlalid name or country");
    return false;
  }
  // A new player never takes over the files of an existing one.
  if (UserProfileExists(name)) {
    DebugError(where, "Player exists <%s>", name);
    return false;
  }
  UserSetDefaults();
  g_UserRecord.version = kUserFileVersion;
  g_UserRecord.playerId = static_cast<std::uint32_t>(EngRandCrtNext() % 10000 + 1);
  EngSafeStrcpy(g_UserRecord.name, name, sizeof g_UserRecord.name);
  EngSafeStrcpy(g_UserRecord.country, country, sizeof g_UserRecord.country);
  g_UserRecord.rememberedMode = 255;
  g_UserRecord.rememberedScreen = -1;
  g_loaded = true;
  g_optionsLeftAlone = false;
  StatsDeleteFile();
  UserSave();
  SplashStop();
  g_AppImports.GameStartForUser();
  return true;
}

bool UserReadProfile(const char* name, UserRecord* profile) {
  const char* path = UserGetFileName(name, false);
  if (!path) return false;
  if (EngFileDirectoryExists(path)) {
    DebugError("UserLoad", "Error reading user file <%s>: a folder stands in its place", name);
    return false;
  }
  if (!EngFileExists(path)) return false;
  std::uint8_t bytes[kUserRecordFileSize];
  if (!EngEncryptionReadFromFileAndDecrypt(path, bytes, sizeof bytes)) {
    DebugError("UserLoad", "Error reading user file <%s>", name);
    return false;
  }
  UserRecord scratch;
  UserRecordFromBytes(bytes, &scratch);
  if (scratch.version != kUserFileVersion) {
    DebugError("UserLoad", "Error reading user file <%s>: version %f", name,
               static_cast<double>(scratch.version));
    return false;
  }
  if (profile) *profile = scratch;
  return true;
}

bool UserLoad(const char* name, bool checkOnly, std::uint8_t* alwaysStart) {
  if (!name || !UserGetFileName(name, false)) return false;
  if (!checkOnly && !UserProfileExists(name)) {
    DebugError("UserLoad", "Error reading user file <%s>", name);
    return false;
  }
  UserRecord scratch;
  if (!UserReadProfile(name, &scratch)) return false;
  if (alwaysStart) *alwaysStart = scratch.alwaysStartWithPlayer;
  if (checkOnly) return true;

  g_UserRecord = scratch;
  // The file's name is the player's key: the record follows it.
  EngSafeStrcpy(g_UserRecord.name, name, sizeof g_UserRecord.name);
  g_UserRecord.animSpeed = 8.0f;
  EngSafeStrcpy(g_ResolutionSettings.lastPlayer, g_UserRecord.name,
                sizeof g_ResolutionSettings.lastPlayer);
  ResolutionWriteFile();

  UserOptions options = UserOptionsDefaults();
  g_optionsLeftAlone = ReadOptions(name, &options) == OptionsRead::kUnreadable;
  g_UserOptions = options;
  g_loaded = true;
  g_AppImports.GameStartForUser();
  if (g_AppImports.ScreensGetCurrent() != g_AppImports.ScreensGetScreenId("Main")) SplashStop();
  RunAfterLoadAction();
  return true;
}

bool UserRemakeProfile(const char* name, const char* fallbackCountry) {
  const char* where = "UserRemakeProfile";
  if (!UserProfileIsDamaged(name) || !fallbackCountry || !*fallbackCountry ||
      std::strlen(fallbackCountry) > static_cast<std::size_t>(kUserMaxCountryLength)) {
    DebugError(where, "No damaged profile <%s>", name ? name : "");
    return false;
  }
  ScoreEntry row;
  const bool known = ScoreFindPlayersNewestRow(name, &row);

  // The defaults are made in the current records, which hold the loaded
  // player (or the last one): they are put back afterwards.
  const UserRecord keptRecord = g_UserRecord;
  const UserOptions keptOptions = g_UserOptions;
  g_UserRecord.version = kUserFileVersion;
  g_UserRecord.playerId = known && row.playerId >= 1 && row.playerId <= 10000
                              ? row.playerId
                              : static_cast<std::uint32_t>(EngRandCrtNext() % 10000 + 1);
  EngSafeStrcpy(g_UserRecord.name, name, sizeof g_UserRecord.name);
  EngSafeStrcpy(g_UserRecord.country, known ? row.country : fallbackCountry, sizeof g_UserRecord.country);
  g_UserRecord.rememberedMode = 255;
  g_UserRecord.rememberedScreen = -1;
  UserSetDefaults();
  std::uint8_t profile[kUserRecordFileSize];
  UserRecordToBytes(g_UserRecord, profile);
  g_UserRecord = keptRecord;
  g_UserOptions = keptOptions;

  char path[sizeof g_fileName];
  EngSafeStrcpy(path, UserGetFileName(name, false), sizeof path);
  const char* aside = DamagedFileMoveAside(path);
  if (!aside) return false;
  char asidePath[sizeof g_fileName + 64];
  EngSafeStrcpy(asidePath, aside, sizeof asidePath);
  if (!EngEncryptionEncryptAndWriteToFile(path, profile, sizeof profile)) {
    DebugError(where, "Error writing to user file <%s>", name);
    EngFileMoveFile(asidePath, path);
    return false;
  }
  DebugPlain("Profile of <%s> made anew with the defaults (%s)", name,
             known ? "country and id from its score rows" : "a new id");
  return true;
}

void UserDeleteFiles(const char* name) {
  if (!name || !*name || !UserIsValidFileName(name)) return;
  const bool deletingLoaded = g_loaded && std::strcmp(name, g_UserRecord.name) == 0;
  // The statistics, score and saved-game units name their files after the
  // current player, and the score tables know a player by name and
  // country: lend them this player's for the moment (the country from its
  // profile when that can be read).
  char kept[sizeof g_UserRecord.name];
  char keptCountry[sizeof g_UserRecord.country];
  std::memcpy(kept, g_UserRecord.name, sizeof kept);
  std::memcpy(keptCountry, g_UserRecord.country, sizeof keptCountry);
  const bool keptLoaded = g_loaded;
  UserRecord profile;
  ScoreEntry row;
  if (!deletingLoaded && UserReadProfile(name, &profile)) {
    std::memcpy(g_UserRecord.country, profile.country, sizeof g_UserRecord.country);
  } else if (!deletingLoaded && ScoreFindPlayersNewestRow(name, &row)) {
    // A damaged profile no longer names the country: the rows do.
    std::memcpy(g_UserRecord.country, row.country, sizeof g_UserRecord.country);
  }
  EngSafeStrcpy(g_UserRecord.name, name, sizeof g_UserRecord.name);
  g_loaded = true;
  StatsDeleteFile();
  ScoreDeleteUserScoresForAllGames();
  GenDeleteAllSavedGames();
  for (bool options : {false, true}) {
    const char* path = UserGetFileName(name, options);
    if (path && EngFileExists(path)) {
      EngFileDelete(path);
    } else if (path && EngFileDirectoryExists(path)) {
      // A folder in the file's place is none of ours to delete: it is
      // moved aside, so the player is gone from the lists.
      DamagedFileMoveAside(path);
    }
  }
  std::memcpy(g_UserRecord.name, kept, sizeof kept);
  std::memcpy(g_UserRecord.country, keptCountry, sizeof keptCountry);
  g_loaded = keptLoaded;

  if (deletingLoaded) {
    // Nothing may save the deleted player again, and the next start must
    // not offer it.
    g_loaded = false;
    g_ResolutionSettings.lastPlayer[0] = '\0';
    ResolutionWriteFile();
  } else if (std::strcmp(g_ResolutionSettings.lastPlayer, name) == 0) {
    g_ResolutionSettings.lastPlayer[0] = '\0';
    ResolutionWriteFile();
  }
}
