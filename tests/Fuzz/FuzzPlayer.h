// FuzzPlayer.h - a loaded player for the fuzz targets of the player's files
// (score tables, statistics, profile, per-game options, settings): its
// folders in the work folder, the record key, a pinned today, Klondike as
// the current game and file writes without flushes to disk; and the file of
// enciphered blocks made from a plain image.
//
// An input of these targets is a mode byte and edits (FuzzApplyEdits): with
// an even mode the edits change the plain records, which are then enciphered
// block by block (the fuzzer works on the fields); with an odd mode they
// change the enciphered file (the fuzzer works on the blocks and sizes).
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>

#include "App/PrefFolder.h"
#include "App/User.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngMisc.h"
#include "Game/GenGameTable.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"
#include "Platform/Files.h"
#include "tests/Fuzz/FuzzSupport.h"

constexpr EngMiscDate kFuzzToday = {2024, 3, 1};

// Once per process; then every input starts with this player.
inline void FuzzUsePlayer() {
  static const bool ready = [] {
    setenv("XDG_DATA_HOME", FuzzWorkFolder().c_str(), 1);
    PrefFolderSetup("Fuzz", false, nullptr);
    EngEncryptionInit("fuzz phrase");
    static const unsigned char counter[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    EngEncryptionForceCounterBlockForTests(counter);  // the same input makes the same file
    EngMiscSetLocalDateForTests(&kFuzzToday);
    // The readers' repairs write files at every input: their decisions are
    // fuzzed, not the disk, so the writes skip their flushes.
    PlatformSetSyncToDiskForTests(false);
    return true;
  }();
  (void)ready;
  g_UserRecord = UserRecord{};
  std::snprintf(g_UserRecord.name, sizeof g_UserRecord.name, "Fuzz");
  std::snprintf(g_UserRecord.country, sizeof g_UserRecord.country, "Peru");
  UserSetLoadedForTests(true);
  g_UserOptions = UserOptions{};
  GenSetCurGame(kGameKlondike);
}

// The file of a plain image: each whole record of the sizes given (the
// header, then records of recordSize) enciphered; a partial last record is
// kept as it is.
inline std::string FuzzEncipherImage(const std::string& plain, std::size_t headerSize, std::size_t recordSize) {
  std::string file;
  std::size_t at = 0;
  while (at < plain.size()) {
    const std::size_t size = at == 0 ? headerSize : recordSize;
    if (at + size > plain.size()) {
      file += plain.substr(at);
      break;
    }
    unsigned char* block = EngEncryptionEncrypt(plain.data() + at, size);
    if (!block) break;
    file.append(reinterpret_cast<char*>(block), size + kEngEncryptionCounterSize);
    std::free(block);
    at += size;
  }
  return file;
}

// A seed of these targets: the mode byte, then the edits. (Built by appending:
// a string sum here makes GCC 12 warn falsely of overlapping copies.)
inline std::string FuzzPlayerSeed(char mode, const std::string& edits = std::string()) {
  std::string seed;
  seed.reserve(1 + edits.size());
  seed.push_back(mode);
  seed.append(edits);
  return seed;
}

// The file an input makes from a valid plain image.
inline std::string FuzzFileFromInput(const std::uint8_t* data, std::size_t size, std::string plain,
                                     std::size_t headerSize, std::size_t recordSize) {
  if (size == 0) return FuzzEncipherImage(plain, headerSize, recordSize);
  if (data[0] % 2 == 0) {
    FuzzApplyEdits(data + 1, size - 1, &plain);
    return FuzzEncipherImage(plain, headerSize, recordSize);
  }
  std::string file = FuzzEncipherImage(plain, headerSize, recordSize);
  FuzzApplyEdits(data + 1, size - 1, &file);
  return file;
}
