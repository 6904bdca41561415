// OptionsFileFuzz.cpp - a player's per-game options (".opt"): any bytes as
// the file of a player whose profile is good, loaded with the player, then
// saved (a mode byte with bit 2 set makes the file longer than the edits
// leave it). A file of the record's size is read as it is and left alone; any
// other is kept aside as it was and written again whole, each game's running
// score kept where the file still held it; the options in play are always in
// range, and a save writes exactly them.
#include <cstring>
#include <filesystem>
#include <string>

#include "App/AppImports.h"
#include "App/DamagedFile.h"
#include "App/User.h"
#include "Game/GenBytes.h"
#include "tests/Fuzz/FuzzPlayer.h"

namespace {

constexpr const char* kName = "Fuzz";
constexpr std::size_t kScoreBlock = 2016;  // the running scores' array in the file

std::string PlainImage() {
  UserOptions options;
  for (int game = 0; game < kUserNumGames; ++game) {
    options.autoplayMode[game] = static_cast<std::uint8_t>(game % 4);
    options.gamesPlayed[game] = static_cast<std::uint32_t>(game * 3);
    options.runningScore[game] = 100 * game;
    options.elapsedSeconds[game] = 7 * game;
  }
  std::uint8_t bytes[kUserOptionsFileSize];
  UserOptionsToBytes(options, bytes);
  return std::string(reinterpret_cast<char*>(bytes), sizeof bytes);
}

// The plain bytes of a file of enciphered bytes (as many as it holds, at
// most the record's).
std::string Plain(const std::string& file) {
  if (file.size() <= kEngEncryptionCounterSize) return std::string();
  const std::size_t length = std::min(file.size() - kEngEncryptionCounterSize, kUserOptionsFileSize);
  std::string block = file.substr(0, length + kEngEncryptionCounterSize);
  block.push_back('\0');
  if (!EngEncryptionDecrypt(reinterpret_cast<unsigned char*>(block.data()), length)) __builtin_trap();
  return block.substr(0, length);
}

void CheckInRange(const UserOptions& o) {
  for (int game = 0; game < kUserNumGames; ++game) {
    FUZZ_CHECK(o.autoplayMode[game] <= 3 && o.elapsedSeconds[game] >= 0);
  }
}

bool SameOptions(const UserOptions& a, const UserOptions& b) {
  std::uint8_t x[kUserOptionsFileSize], y[kUserOptionsFileSize];
  UserOptionsToBytes(a, x);
  UserOptionsToBytes(b, y);
  return std::memcmp(x, y, sizeof x) == 0;
}

// Once per process: the player's good profile, and a start of play that
// does nothing (the graphics and the menu are not what is tested).
void SetUpPlayer() {
  static const bool ready = [] {
    g_AppImports.GameStartForUser = [] {};
    return true;
  }();
  (void)ready;
  UserRecord profile = g_UserRecord;
  profile.version = kUserFileVersion;
  std::uint8_t bytes[kUserRecordFileSize];
  UserRecordToBytes(profile, bytes);
  unsigned char* block = EngEncryptionEncrypt(bytes, sizeof bytes);
  FuzzWriteFile(FuzzNativePath(UserGetFileName(kName, false)), block, sizeof bytes + kEngEncryptionCounterSize);
  std::free(block);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  FuzzUsePlayer();
  SetUpPlayer();
  DamagedFileClearNotices();
  const std::string native = FuzzNativePath(UserGetFileName(kName, true));
  std::string file = FuzzFileFromInput(data, size, PlainImage(), kUserOptionsFileSize, kUserOptionsFileSize);
  if (size > 0 && (data[0] & 2)) file += "grown";  // edits never make a file longer
  FuzzWriteFile(native, file);

  FUZZ_CHECK(UserLoad(kName, false, nullptr));
  CheckInRange(g_UserOptions);
  const std::string plain = Plain(file);
  if (file.size() == kUserOptionsFileSize + kEngEncryptionCounterSize) {
    FUZZ_CHECK(FuzzReadFile(native) == file);
    FUZZ_CHECK(!std::filesystem::exists(native + ".damaged"));
    UserOptions read;
    UserOptionsFromBytes(reinterpret_cast<const std::uint8_t*>(plain.data()), &read);
    FUZZ_CHECK(SameOptions(read, g_UserOptions));
    FUZZ_CHECK(DamagedFileGetPendingCount() == 0);
  } else {
    FUZZ_CHECK(FuzzReadFile(native + ".damaged") == file);
    FUZZ_CHECK(FuzzReadFile(native).size() == kUserOptionsFileSize + kEngEncryptionCounterSize);
    FUZZ_CHECK(DamagedFileGetPendingCount() == 1);
    for (int game = 0; game < kUserNumGames; ++game) {
      const std::size_t at = kScoreBlock + 4 * static_cast<std::size_t>(game);
      const std::int32_t expected =
          at + 4 <= plain.size() ? GenGetI32(reinterpret_cast<const std::uint8_t*>(plain.data()), at) : 0;
      FUZZ_CHECK(g_UserOptions.runningScore[game] == expected);
    }
  }
  // What the player has in play is what a save writes, and what the next
  // load reads.
  const UserOptions inPlay = g_UserOptions;
  FUZZ_CHECK(UserSave());
  const std::string saved = FuzzReadFile(native);
  FUZZ_CHECK(saved.size() == kUserOptionsFileSize + kEngEncryptionCounterSize);
  UserOptions again;
  UserOptionsFromBytes(reinterpret_cast<const std::uint8_t*>(Plain(saved).data()), &again);
  FUZZ_CHECK(SameOptions(again, inPlay));
  std::filesystem::remove(native);
  std::filesystem::remove(native + ".damaged");
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  return {
      {"options.bin", FuzzPlayerSeed('\0')},
      {"levels-out-of-range.bin", FuzzPlayerSeed('\0', FuzzEdit(12, "\x07"))},
      {"cut-in-the-scores.bin", FuzzPlayerSeed('\1', FuzzCut(16 + 2100))},
      {"grown.bin", FuzzPlayerSeed('\3')},
      {"emptied.bin", FuzzPlayerSeed('\1', FuzzCut(0))},
  };
}
