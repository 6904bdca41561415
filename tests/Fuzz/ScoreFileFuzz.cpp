// ScoreFileFuzz.cpp - a game's score table (".sco"): any bytes as the file,
// read into the table, then a new score added and the table written back.
// The table holds at most 20 rows, each one the reader accepts, in ranking
// order; the file goes only when its header is not this game's table; the
// table written back reads back whole.
#include <cstring>
#include <filesystem>
#include <string>

#include "App/Score.h"
#include "Engine/EngMath.h"
#include "Game/GenBytes.h"
#include "tests/Fuzz/FuzzPlayer.h"

namespace {

std::string PlainImage() {
  std::string plain(kScoreHeaderSize, '\0');
  std::uint8_t header[kScoreHeaderSize] = {};
  GenPutF32(header, 0, kScoreFileVersion);
  std::memcpy(header + 4, "Klondike", 8);
  plain.assign(reinterpret_cast<char*>(header), sizeof header);
  const struct {
    std::uint32_t score, seconds;
    const char* name;
    const char* country;
    std::uint8_t byNumber;
  } rows[] = {{900, 60, "Fuzz", "Peru", 0}, {700, 45, "Ann", "England", 1}, {700, 45, "Bob", "Wales", 0}};
  for (const auto& r : rows) {
    ScoreEntry e;
    e.score = r.score;
    e.playTime = r.seconds;
    e.year = 2023;
    e.month = 12;
    e.day = 31;
    e.dealtByNumber = r.byNumber;
    std::snprintf(e.name, sizeof e.name, "%s", r.name);
    std::snprintf(e.country, sizeof e.country, "%s", r.country);
    std::uint8_t bytes[kScoreEntrySize];
    ScoreEntryToBytes(e, bytes);
    plain.append(reinterpret_cast<char*>(bytes), sizeof bytes);
  }
  return plain;
}

// Whether the file begins with this game's header (what a reader may keep):
// the version as the reader takes it, to three decimals.
bool HeaderIsGood(const std::string& file) {
  if (file.size() < kScoreHeaderBlockSize) return false;
  std::string block = file.substr(0, kScoreHeaderBlockSize);
  block.push_back('\0');
  if (!EngEncryptionDecrypt(reinterpret_cast<unsigned char*>(block.data()), kScoreHeaderSize)) return false;
  const auto* h = reinterpret_cast<const std::uint8_t*>(block.data());
  return EngMathTruncateFloat(GenGetF32(h, 0), 3) == EngMathTruncateFloat(kScoreFileVersion, 3) &&
         std::memcmp(h + 4, "Klondike\0", 9) == 0;
}

void CheckTable() {
  const int count = ScoreGetEntryCount();
  FUZZ_CHECK(count >= 0 && count <= kScoreMaxEntries);
  for (int i = 0; i < count; ++i) {
    const ScoreEntry& e = ScoreGetEntry(i);
    std::uint8_t bytes[kScoreEntrySize];
    ScoreEntryToBytes(e, bytes);
    ScoreEntry again;
    FUZZ_CHECK(ScoreEntryFromBytes(bytes, &again));
    if (i > 0) FUZZ_CHECK(!ScoreCompareEntries(e, ScoreGetEntry(i - 1)));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  FuzzUsePlayer();
  const std::string path = ScoreGetFilename();
  const std::string native = FuzzNativePath(path);
  const std::string file = FuzzFileFromInput(data, size, PlainImage(), kScoreHeaderSize, kScoreEntrySize);
  FuzzWriteFile(native, file);

  ScoreReadCurrentGameScores();
  CheckTable();
  FUZZ_CHECK(std::filesystem::exists(native) == HeaderIsGood(file));
  const int before = ScoreGetEntryCount();

  g_UserOptions.runningScore[kGameKlondike] = 800;
  ScoreAddGameScore();
  ScoreReadCurrentGameScores();
  CheckTable();
  FUZZ_CHECK(ScoreGetEntryCount() >= before);
  FUZZ_CHECK(ScoreGetEntryCount() == 0 || ScoreGetLastAddedIndex() >= 0);
  FUZZ_CHECK(FuzzReadFile(native).size() ==
             kScoreHeaderBlockSize + kScoreEntryBlockSize * static_cast<std::size_t>(ScoreGetEntryCount()));
  std::filesystem::remove(native);
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  return {
      {"table.bin", std::string(1, '\0')},
      {"bad-month.bin", std::string(1, '\0') + FuzzEdit(kScoreHeaderSize + kScoreEntrySize + 12, "\x0d")},
      {"cut-block.bin", std::string(1, '\1') + FuzzCut(kScoreHeaderBlockSize + 2 * kScoreEntryBlockSize + 70)},
  };
}
