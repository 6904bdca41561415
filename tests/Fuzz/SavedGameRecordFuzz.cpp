// SavedGameRecordFuzz.cpp - the saved game after deciphering: a valid game
// record with edits, resumed as a saved game is, then played on.
//
// Input: one byte choosing the game (FuzzGame.h), one byte seeding the play
// after a resume, then edits of the 4,070,740-byte record image
// (FuzzApplyEdits). A refused record must leave the live game as it was; a
// resumed one must play without losing a card or breaking the record.
#include "Game/Gen.h"
#include "Game/GenImage.h"
#include "Game/GenRecord.h"
#include "Game/GenSaveLocal.h"
#include "tests/Fuzz/FuzzGame.h"
#include "tests/Fuzz/FuzzSupport.h"

namespace {

// Offsets in the record image.
constexpr std::uint32_t kTrailer = 4070676;
constexpr std::uint32_t kMoves = kTrailer + 44;
constexpr std::uint32_t kLowestRank = kTrailer + 20;
constexpr std::uint32_t kTableaus = 1266256;
constexpr std::uint32_t kSelection = 4040524;

// Card j of tableau i, at a field of the card.
std::uint32_t TableauCard(int i, int j, int field) {
  return kTableaus + static_cast<std::uint32_t>(i) * kCardGroupImageSize + kCardGroupImageHeadSize +
         static_cast<std::uint32_t>(j) * kCardImageSize + static_cast<std::uint32_t>(field);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  if (size < 2) return 0;
  const int base = data[0] % FuzzGameBaseCount();
  static std::string image;  // reused: a fresh 4 MB buffer per input costs more than the reader
  image = FuzzGameImage(base);
  FuzzGameUse(base);
  FuzzApplyEdits(data + 2, size - 2, &image);
  if (image.size() != static_cast<std::size_t>(kGenImageSize)) return 0;  // a file's size is checked first
  const std::string before = FuzzGameDescribe();
  if (!GenResumeFromImage(reinterpret_cast<const std::uint8_t*>(image.data()))) {
    FUZZ_CHECK(FuzzGameDescribe() == before);
    return 0;
  }
  FUZZ_CHECK(GenCheckOk());
  FUZZ_CHECK(g_GenLive.selection.numCards == 0);
  FuzzGamePlay(data[1]);
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  std::vector<FuzzSeed> seeds;
  for (int base = 0; base < FuzzGameBaseCount(); ++base) {
    const std::string head = {static_cast<char>(base), static_cast<char>(7 * base + 1)};
    const std::string name = FuzzGameBaseAt(base).name;
    seeds.push_back({name + "-as-saved", head});
    seeds.push_back({name + "-counters", head + FuzzEdit(kMoves, FuzzLe32(9999999))});
    seeds.push_back({name + "-lowest-rank", head + FuzzEdit(kLowestRank, FuzzLe32(14))});
    // Two cards of a tableau exchanged: the same deck, another table.
    seeds.push_back({name + "-exchanged", head + FuzzEdit(TableauCard(0, 0, 4), FuzzLe32(3) + FuzzLe32(12)) +
                                               FuzzEdit(TableauCard(1, 0, 16), FuzzLeFloat(-2.5f))});
    seeds.push_back({name + "-carried", head + FuzzEdit(kSelection + 4, FuzzLe32(1))});
  }
  return seeds;
}
