// ProfileFileFuzz.cpp - a player's profile (".usr"): any bytes as the file
// (a mode byte with bit 2 set makes it longer than the edits leave it),
// checked and read, and when it cannot be read, made anew. A profile reads
// only when it is the record's size and carries version 4.3; what reads has
// its texts terminated and its choices in range (a second read of what it
// writes gives the same); reading never changes the file; a profile that
// cannot be read is damaged, and making it anew keeps it aside as it was
// and leaves a profile that reads with the player's name.
#include <cstring>
#include <filesystem>
#include <string>

#include "App/User.h"
#include "Game/GenBytes.h"
#include "tests/Fuzz/FuzzPlayer.h"

namespace {

constexpr const char* kName = "Fuzz";

std::string PlainImage() {
  UserRecord record;
  record.version = kUserFileVersion;
  record.playerId = 4242;
  std::snprintf(record.name, sizeof record.name, "%s", kName);
  std::snprintf(record.country, sizeof record.country, "Peru");
  std::snprintf(record.cardBackPaths[0], sizeof record.cardBackPaths[0], "/home/fuzz/back.png");
  std::snprintf(record.language, sizeof record.language, "English");
  record.menuGame = kGameKlondike;
  std::uint8_t bytes[kUserRecordFileSize];
  UserRecordToBytes(record, bytes);
  return std::string(reinterpret_cast<char*>(bytes), sizeof bytes);
}

// Whether the file is a profile of the right size whose version is 4.3.
bool IsWholeProfile(const std::string& file) {
  if (file.size() != kUserRecordFileSize + kEngEncryptionCounterSize) return false;
  std::string block = file;
  block.push_back('\0');
  if (!EngEncryptionDecrypt(reinterpret_cast<unsigned char*>(block.data()), kUserRecordFileSize)) return false;
  return GenGetF32(reinterpret_cast<const std::uint8_t*>(block.data()), 0) == kUserFileVersion;
}

bool Terminated(const char* text, std::size_t size, std::size_t longest) { return strnlen(text, size) <= longest; }

void CheckRecord(const UserRecord& r) {
  FUZZ_CHECK(Terminated(r.name, sizeof r.name, 32) && Terminated(r.country, sizeof r.country, 64));
  for (const auto& path : r.cardBackPaths) FUZZ_CHECK(Terminated(path, sizeof path, sizeof path - 1));
  FUZZ_CHECK(Terminated(r.language, sizeof r.language, sizeof r.language - 1));
  FUZZ_CHECK(r.menuGame >= 0 && r.menuGame < kGenNumGames);
  FUZZ_CHECK(r.currentCamera >= 0 && r.currentCamera <= 9);
  FUZZ_CHECK(r.undoLevel <= 2 && r.afterLoadAction <= 2 && r.alwaysStartWithPlayer <= 1);
  FUZZ_CHECK(r.soundVolume >= 0.05f && r.soundVolume <= 1.0f);
  // What the reader gives reads back the same.
  std::uint8_t bytes[kUserRecordFileSize], again[kUserRecordFileSize];
  UserRecordToBytes(r, bytes);
  UserRecord second;
  UserRecordFromBytes(bytes, &second);
  UserRecordToBytes(second, again);
  FUZZ_CHECK(std::memcmp(bytes, again, sizeof bytes) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  FuzzUsePlayer();
  const std::string native = FuzzNativePath(UserGetFileName(kName, false));
  std::string file = FuzzFileFromInput(data, size, PlainImage(), kUserRecordFileSize, kUserRecordFileSize);
  if (size > 0 && (data[0] & 2)) file += "grown";  // edits never make a file longer
  FuzzWriteFile(native, file);

  UserRecord profile;
  const bool read = UserReadProfile(kName, &profile);
  FUZZ_CHECK(read == IsWholeProfile(file));
  FUZZ_CHECK(FuzzReadFile(native) == file);
  std::uint8_t alwaysStart = 7;
  FUZZ_CHECK(UserLoad(kName, true, &alwaysStart) == read);
  FUZZ_CHECK(UserProfileIsDamaged(kName) == !read);
  if (read) {
    CheckRecord(profile);
    FUZZ_CHECK(alwaysStart == profile.alwaysStartWithPlayer);
  } else {
    FUZZ_CHECK(UserRemakeProfile(kName, "Peru"));
    FUZZ_CHECK(FuzzReadFile(native + ".damaged") == file);
    UserRecord made;
    FUZZ_CHECK(UserReadProfile(kName, &made));
    FUZZ_CHECK(std::strcmp(made.name, kName) == 0 && std::strcmp(made.country, "Peru") == 0);
    CheckRecord(made);
  }
  std::filesystem::remove(native);
  std::filesystem::remove(native + ".damaged");
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  return {
      {"profile.bin", FuzzPlayerSeed('\0')},
      {"version-4.2.bin", FuzzPlayerSeed('\0', FuzzEdit(0, FuzzLeFloat(4.2f)))},
      {"name-unterminated.bin", FuzzPlayerSeed('\0', FuzzEdit(8, std::string(40, 'N')))},
      {"choices-out-of-range.bin", FuzzPlayerSeed('\0', FuzzEdit(8832, "\x09\x09\x09"))},
      {"cut.bin", FuzzPlayerSeed('\1', FuzzCut(5000))},
      {"grown.bin", FuzzPlayerSeed('\3')},
  };
}
