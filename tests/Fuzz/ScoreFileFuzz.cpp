// ScoreFileFuzz.cpp - a game's score table (".sco"): any bytes as the file,
// read into the table, then a new score added and the table written back.
// The table holds at most 20 rows, each one the reader accepts, in ranking
// order, and every row of the file that reads (the best 20); a file that
// holds more than those (a header that is not this game's table, a row that
// does not read, a cut row) is kept aside as it was and written again with
// those rows (without any, only moved aside); the table written back reads
// back whole.
#include <cstring>
#include <filesystem>
#include <string>

#include "App/Score.h"
#include "Engine/EngMath.h"
#include "Game/GenBytes.h"
#include "Game/UserOptions.h"
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

// The entry blocks of the file that read as rows, whatever its header says.
int RowsThatRead(const std::string& file) {
  int rows = 0;
  for (std::size_t at = kScoreHeaderBlockSize; at + kScoreEntryBlockSize <= file.size(); at += kScoreEntryBlockSize) {
    std::string block = file.substr(at, kScoreEntryBlockSize);
    block.push_back('\0');
    if (!EngEncryptionDecrypt(reinterpret_cast<unsigned char*>(block.data()), kScoreEntrySize)) continue;
    ScoreEntry entry;
    if (ScoreEntryFromBytes(reinterpret_cast<const std::uint8_t*>(block.data()), &entry)) ++rows;
  }
  return rows;
}

// Whether every byte after the header is a whole row that reads.
bool EveryRowReads(const std::string& file) {
  if (file.size() < kScoreHeaderBlockSize) return false;
  const std::size_t rowBytes = file.size() - kScoreHeaderBlockSize;
  return rowBytes % kScoreEntryBlockSize == 0 &&
         RowsThatRead(file) == static_cast<int>(rowBytes / kScoreEntryBlockSize);
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
  const int rows = RowsThatRead(file);
  FUZZ_CHECK(ScoreGetEntryCount() == (rows < kScoreMaxEntries ? rows : kScoreMaxEntries));
  if (HeaderIsGood(file) && EveryRowReads(file)) {
    FUZZ_CHECK(FuzzReadFile(native) == file);
  } else {
    FUZZ_CHECK(FuzzReadFile(native + ".damaged") == file);
    FUZZ_CHECK(std::filesystem::exists(native) == (rows > 0));
    if (rows > 0) FUZZ_CHECK(HeaderIsGood(FuzzReadFile(native)));
  }
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
  std::filesystem::remove(native + ".damaged");
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  return {
      {"table.bin", FuzzPlayerSeed('\0')},
      {"bad-month.bin", FuzzPlayerSeed('\0', FuzzEdit(kScoreHeaderSize + kScoreEntrySize + 12, "\x0d"))},
      {"cut-block.bin", FuzzPlayerSeed('\1', FuzzCut(kScoreHeaderBlockSize + 2 * kScoreEntryBlockSize + 70))},
      {"damaged-header.bin", FuzzPlayerSeed('\1', FuzzEdit(20, "\x5a"))},
  };
}
