// StatsHistory.cpp - the player's statistics history kept between reads,
// and the repair of a file whose header is damaged (see StatsLocal.h).
#include "App/StatsLocal.h"

#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "App/DamagedFile.h"
#include "App/RecordBlocks.h"
#include "App/Stats.h"
#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMath.h"
#include "Game/GenBytes.h"
#include "Game/GenGameTable.h"
#include "Game/UserRecord.h"

namespace {

constexpr std::size_t kTagSize = 68;

// The history and the file it was read from; it goes (valid false) when
// the player's file is not that file any more.
struct History {
  bool valid = false;
  std::string path;
  EngFileStamp stamp;
  std::size_t wholeSize = 0;
  StatsGameDays games[kGenNumGames];
};
History g_history;
const StatsGameDays g_noDays;
int g_readsForTests = 0;

enum class Header { kGood, kWrong, kUnreadable };

// What the first block says; *version gets the version read (0 when the
// file is too short to hold a header).
Header CheckHeader(const std::vector<std::uint8_t>& bytes, float* version) {
  *version = 0;
  if (bytes.size() < kStatsHeaderBlockSize) return Header::kWrong;
  std::uint8_t header[kStatsHeaderSize];
  if (!RecordBlockDecipher(bytes.data(), kStatsHeaderSize, header)) return Header::kUnreadable;
  *version = EngMathTruncateFloat(GenGetF32(header, 0), 3);
  return *version == EngMathTruncateFloat(kStatsFileVersion, 3) ? Header::kGood : Header::kWrong;
}

std::size_t WholeSize(std::size_t size) {
  if (size < kStatsHeaderBlockSize) return 0;
  return kStatsHeaderBlockSize + (size - kStatsHeaderBlockSize) / kStatsRecordBlockSize * kStatsRecordBlockSize;
}

enum class Block { kUnreadable, kOtherTag, kInvalid, kRecord };

// What a record block holds: a record of one of the games (*game, *record),
// a record of one of them that does not hold, or something else.
Block ReadBlock(const std::uint8_t* block, int* game, StatsRecord* record) {
  std::uint8_t plain[kStatsRecordSize];
  if (!RecordBlockDecipher(block, kStatsRecordSize, plain)) return Block::kUnreadable;
  *game = StatsGameOfTag(reinterpret_cast<const char*>(plain + 12));
  if (*game < 0) return Block::kOtherTag;
  return StatsRecordFromBytes(plain, record) ? Block::kRecord : Block::kInvalid;
}

void AddToDay(int game, const StatsRecord& record) {
  // Records come in the order the games ended: with the end as the hint a
  // day at or after the last one is found at once.
  StatsGameDays& days = g_history.games[game];
  StatsDayTotals& day = days.try_emplace(days.end(), StatsDateKey(record.year, record.month, record.day))->second;
  ++day.played;
  if (record.won) ++day.won;
  const std::uint64_t seconds = static_cast<std::uint64_t>(day.seconds) + record.playSeconds;
  constexpr std::uint32_t kMost = std::numeric_limits<std::uint32_t>::max();
  day.seconds = seconds > kMost ? kMost : static_cast<std::uint32_t>(seconds);
}

// A file whose header is wrong or cut: copied aside, then written again
// with a good header and every block that still reads as a game's record,
// in their order. The player is told. False (the file left as it was) when
// the copy or the write fails.
bool RepairHeader(const char* where, const std::string& path, float version, std::vector<std::uint8_t>* bytes) {
  DebugError("StatsCheckFileOk", "Got version %f not %f <%s>", static_cast<double>(version),
             static_cast<double>(kStatsFileVersion), path.c_str());
  RecordBlockImage image;
  std::uint8_t header[kStatsHeaderSize] = {};
  GenPutF32(header, 0, kStatsFileVersion);
  if (!image.AppendEnciphered(header, sizeof header)) return false;
  int kept = 0;
  for (std::size_t offset = kStatsHeaderBlockSize; offset + kStatsRecordBlockSize <= bytes->size();
       offset += kStatsRecordBlockSize) {
    StatsRecord record;
    int game = -1;
    if (ReadBlock(bytes->data() + offset, &game, &record) != Block::kRecord) continue;
    image.AppendRaw(bytes->data() + offset, kStatsRecordBlockSize);
    ++kept;
  }
  const char* aside = DamagedFileCopyAside(path.c_str());
  if (!aside) return false;
  const std::string asideName = DamagedFileBaseName(aside);
  if (!image.WriteReplacing(path.c_str())) {
    DebugError(where, "Could not write stats file <%s>", path.c_str());
    return false;
  }
  DebugError(where, "Statistics file repaired: %d games kept <%s>", kept, path.c_str());
  DamagedFileNotifyText("Damaged_Statistics", g_UserRecord.name, asideName.c_str());
  *bytes = image.Bytes();
  return true;
}

}  // namespace

std::int64_t StatsDateKey(std::int32_t year, int month, int day) {
  return static_cast<std::int64_t>(year) * 512 + month * 32 + day;
}

EngMiscDate StatsDateOfKey(std::int64_t key) {
  EngMiscDate date{};
  date.year = static_cast<std::int32_t>(key / 512);
  date.month = static_cast<std::uint8_t>(key / 32 % 16);
  date.day = static_cast<std::uint8_t>(key % 32);
  return date;
}

StatsFileState StatsHistoryLoad(const char* where, const char* checkWhere) {
  const char* name = StatsGetFilename();
  if (!name) return StatsFileState::kNone;
  const std::string path = name;
  EngFileStamp stamp;
  if (!EngFileGetStamp(path.c_str(), &stamp)) {
    StatsHistoryForget();
    return StatsFileState::kNone;
  }
  if (g_history.valid && g_history.path == path && g_history.stamp == stamp) return StatsFileState::kGood;

  StatsHistoryForget();
  std::vector<std::uint8_t> bytes;
  ++g_readsForTests;
  if (!RecordBlockReadFile(where, path.c_str(), &bytes)) return StatsFileState::kUnreadable;
  float version = 0;
  switch (CheckHeader(bytes, &version)) {
    case Header::kGood:
      break;
    case Header::kWrong:
      if (!RepairHeader(where, path, version, &bytes) || !EngFileGetStamp(path.c_str(), &stamp)) {
        return StatsFileState::kUnreadable;
      }
      break;
    case Header::kUnreadable:
      return StatsFileState::kUnreadable;
  }

  const std::size_t whole = WholeSize(bytes.size());
  bool readable = true;
  for (std::size_t offset = kStatsHeaderBlockSize; readable && offset < whole; offset += kStatsRecordBlockSize) {
    StatsRecord record;
    int game = -1;
    switch (ReadBlock(bytes.data() + offset, &game, &record)) {
      case Block::kUnreadable:
        DebugError(where, "Internal Error");
        readable = false;
        break;
      case Block::kInvalid:
        DebugError(checkWhere, "Invalid entry in file");
        break;
      case Block::kOtherTag:
        break;
      case Block::kRecord:
        AddToDay(game, record);
        break;
    }
  }
  g_history.valid = true;
  g_history.path = path;
  g_history.stamp = stamp;
  g_history.wholeSize = whole;
  return StatsFileState::kGood;
}

StatsFileState StatsHistoryCheck(const char* where, const char* checkWhere, std::size_t* wholeSize) {
  if (wholeSize) *wholeSize = 0;
  const char* name = StatsGetFilename();
  if (!name) return StatsFileState::kNone;
  const std::string path = name;
  EngFileStamp stamp;
  if (!EngFileGetStamp(path.c_str(), &stamp)) {
    StatsHistoryForget();
    return StatsFileState::kNone;
  }
  if (g_history.valid && g_history.path == path && g_history.stamp == stamp) {
    if (wholeSize) *wholeSize = g_history.wholeSize;
    return StatsFileState::kGood;
  }
  // The header block alone tells a good file; only a bad one is read whole
  // (to be mended).
  std::vector<std::uint8_t> header;
  if (stamp.size >= kStatsHeaderBlockSize && stamp.size <= kRecordBlocksMaxFileSize) {
    header.resize(kStatsHeaderBlockSize);
    EngFile file;
    if (!file.OpenForReading(path.c_str(), false) || !file.Read(header.data(), header.size())) {
      return StatsFileState::kUnreadable;
    }
  }
  float version = 0;
  const Header state = header.empty() ? Header::kWrong : CheckHeader(header, &version);
  if (state == Header::kUnreadable || (state == Header::kWrong && stamp.size > kRecordBlocksMaxFileSize)) {
    return StatsFileState::kUnreadable;
  }
  if (state == Header::kWrong) {
    const StatsFileState loaded = StatsHistoryLoad(where, checkWhere);
    if (wholeSize && loaded == StatsFileState::kGood) *wholeSize = g_history.wholeSize;
    return loaded;
  }
  if (wholeSize) *wholeSize = WholeSize(static_cast<std::size_t>(stamp.size));
  return StatsFileState::kGood;
}

const StatsGameDays& StatsHistoryGameDays(int game) {
  if (!g_history.valid || game < 0 || game >= kGenNumGames) return g_noDays;
  return g_history.games[game];
}

void StatsHistoryAppended(const EngFileStamp& before, int game, const StatsRecord& record) {
  if (!g_history.valid || !(g_history.stamp == before) || game < 0 || game >= kGenNumGames ||
      !EngFileGetStamp(g_history.path.c_str(), &g_history.stamp)) {
    StatsHistoryForget();
    return;
  }
  AddToDay(game, record);
  g_history.wholeSize += kStatsRecordBlockSize;
}

void StatsHistoryForget() {
  if (!g_history.valid) return;
  for (StatsGameDays& days : g_history.games) days.clear();
  g_history.valid = false;
  g_history.path.clear();
  g_history.wholeSize = 0;
}

int StatsHistoryReadsForTests() { return g_readsForTests; }

int StatsGameOfTag(const char tag[68]) {
  // The tags, and a table from each to its game, made once.
  struct Tags {
    char text[kGenNumGames][kTagSize];
    std::unordered_map<std::string_view, int> games;
  };
  static const Tags* const tags = [] {
    auto* made = new Tags;
    for (int game = 0; game < kGenNumGames; ++game) {
      StatsGameTag(game, made->text[game]);
      made->games.emplace(std::string_view(made->text[game], kTagSize), game);
    }
    return made;
  }();
  const auto found = tags->games.find(std::string_view(tag, kTagSize));
  return found == tags->games.end() ? -1 : found->second;
}

void StatsGameTag(int game, char tag[68]) {
  std::memset(tag, 0, kTagSize);
  std::snprintf(tag, kTagSize, "_%s_", GenGetGameFilename(game));
}
