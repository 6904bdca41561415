// SavedGameFileFuzz.cpp - the saved game files on disk: a valid ".c3o"
// with edits (of its size, version, counter block and ciphertext; an edit
// of the ciphertext changes the same bytes of the record, as the cipher is
// a counter mode), asked about and resumed as the game and its screens do.
//
// Input: one byte choosing the game (FuzzGame.h), one byte seeding the play
// after a resume, then edits of the 4,070,760-byte file (FuzzApplyEdits).
#include <filesystem>

#include "Game/Gen.h"
#include "Game/GenSave.h"
#include "tests/Fuzz/FuzzGame.h"
#include "tests/Fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  if (size < 2) return 0;
  const int base = data[0] % FuzzGameBaseCount();
  static std::string file;  // reused: a fresh 4 MB buffer per input costs more than the reader
  file = FuzzGameSavedFile(base);
  FuzzGameUse(base);
  FuzzApplyEdits(data + 2, size - 2, &file);
  const std::string name = FuzzNativePath(FuzzGameSavedFileName());
  FuzzWriteFile(name, file);
  FuzzWriteFile(FuzzNativePath(FuzzGamePictureName()), FuzzGamePicture(base));

  const bool exists = GenSavedGameExists();
  GenGetSavedGameDealNumber();
  const std::string before = FuzzGameDescribe();
  if (!GenResumeSavedGame()) {
    // Refused or, when it was not even a saved game, already gone: kept
    // aside either way, never deleted.
    FUZZ_CHECK(!std::filesystem::exists(name));
    FUZZ_CHECK(std::filesystem::exists(name + ".damaged"));
    FUZZ_CHECK(FuzzGameDescribe() == before);
    // The kept copies would pile up over the inputs.
    std::error_code ignored;
    std::filesystem::remove(name + ".damaged", ignored);
    std::filesystem::remove(FuzzNativePath(FuzzGamePictureName()) + ".damaged", ignored);
    GenTakeSavedGameNotice(nullptr, nullptr, 0);
    return 0;
  }
  FUZZ_CHECK(exists);
  FUZZ_CHECK(GenCheckOk());
  FuzzGamePlay(data[1]);
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  std::vector<FuzzSeed> seeds;
  for (int base = 0; base < FuzzGameBaseCount(); ++base) {
    const std::string head = {static_cast<char>(base), static_cast<char>(3 * base)};
    const std::string name = FuzzGameBaseAt(base).name;
    seeds.push_back({name + "-as-saved", head});
    seeds.push_back({name + "-version-4.2", head + FuzzEdit(0, FuzzLeFloat(4.2f))});
    seeds.push_back({name + "-cut", head + FuzzCut(4 + 16 + 1000)});
    // One bit of the record's moves counter (offset 20 + 4,070,720).
    seeds.push_back({name + "-bit", head + FuzzEdit(20 + 4070720 + 3, std::string(1, '\x40'))});
  }
  return seeds;
}
