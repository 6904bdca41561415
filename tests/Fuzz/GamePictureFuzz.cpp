// GamePictureFuzz.cpp - the game picture (".c3m") that the game page draws
// as the preview of a saved game: a valid picture with edits, expanded and
// checked, laid out as the preview lays its piles out, and compared with
// its saved game.
//
// Input: one byte choosing the game (FuzzGame.h), one byte choosing whether
// the files are read too (the whole file pair, a slower path), then edits
// of the 2,188,092-byte picture (FuzzApplyEdits).
#include <cstring>
#include <memory>

#include "Game/GenImage.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSave.h"
#include "Game/GenSaveLocal.h"
#include "tests/Fuzz/FuzzGame.h"
#include "tests/Fuzz/FuzzSupport.h"

namespace {

// Picture offsets: the header, pile k, card j of pile k.
constexpr std::uint32_t kPiles = 44;
std::uint32_t PileField(int k, int field) {
  return kPiles + static_cast<std::uint32_t>(k) * kCardGroupCompactSize + static_cast<std::uint32_t>(field);
}
std::uint32_t CardField(int k, int j, int field) {
  return PileField(k, kCardGroupCompactHeadSize + j * kCardCompactSize + field);
}

// The base's saved record, read once, to compare pictures with.
const Gen& BaseGame(int base) {
  static std::unique_ptr<Gen> games[8];
  std::unique_ptr<Gen>& game = games[base % 8];
  if (!game) {
    game = std::make_unique<Gen>();
    const std::string& image = FuzzGameImage(base);
    FUZZ_CHECK(GenReadImage(*game, reinterpret_cast<const std::uint8_t*>(image.data())));
  }
  return *game;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  if (size < 2) return 0;
  const int base = data[0] % FuzzGameBaseCount();
  static std::string picture;  // reused, as a fresh 2 MB buffer per input would be
  picture = FuzzGamePicture(base);
  const Gen& game = BaseGame(base);
  FuzzGameUse(base);
  FuzzApplyEdits(data + 2, size - 2, &picture);
  if (picture.size() != static_cast<std::size_t>(kGenPictureFileSize)) return 0;  // read whole or not at all

  SaveCardDetailsCompact& compact = GenGetSaveCardDetailsCompact();
  std::memcpy(compact.bytes, picture.data(), picture.size());
  if (GenFillSaveCardDetailsFromSaveCardDetailsCompact()) {
    SaveCardDetails& d = GenGetSaveCardDetails();
    const int inUse[] = {1, 1, d.numReserves, d.numFoundations, d.numTableaus, d.numFans, d.numCells};
    const int piles[] = {1, 1, kGenMaxReserves, kGenMaxFoundations, kGenMaxTableaus, kGenMaxFans, kGenMaxCells};
    int k = 0;
    for (int kind = 0; kind < 7; ++kind) {
      for (int i = 0; i < piles[kind]; ++i, ++k) {
        CardGroup& pile = d.piles[k];
        FUZZ_CHECK(i < inUse[kind] || pile.numCards == 0);
        for (int c = 0; c < pile.numCards; ++c) {
          FUZZ_CHECK(pile.cards[c].suit >= 0 && pile.cards[c].suit <= 3);
          FUZZ_CHECK(pile.cards[c].rank >= 1 && pile.cards[c].rank <= 14);
          FUZZ_CHECK(pile.cards[c].number >= 1 && pile.cards[c].number < 4 * 14);
        }
        if (i < inUse[kind] && pile.active) pile.Refresh(true);
      }
    }
    GenPictureShowsGame(d, game);
  }
  if (data[1] % 8 == 0) {
    FuzzWriteFile(FuzzNativePath(FuzzGameSavedFileName()), FuzzGameSavedFile(base));
    FuzzWriteFile(FuzzNativePath(FuzzGamePictureName()), picture);
    const bool shown = GenReadSavedGamePicture();
    FUZZ_CHECK(!shown || GenPictureShowsGame(GenGetSaveCardDetails(), game));
    FUZZ_CHECK(shown || picture != FuzzGamePicture(base));
  }
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  std::vector<FuzzSeed> seeds;
  for (int base = 0; base < FuzzGameBaseCount(); ++base) {
    const std::string head = {static_cast<char>(base), '\0'};
    const std::string name = FuzzGameBaseAt(base).name;
    seeds.push_back({name + "-as-saved", head});
    seeds.push_back({name + "-counts", head + FuzzEdit(8, FuzzLe32(12) + FuzzLe32(11) + FuzzLe32(52))});
    // Tableau 0 (pile 42): one more card, of another suit and rank.
    seeds.push_back({name + "-card", head + FuzzEdit(PileField(42, 24), std::string("\x02\x00", 2)) +
                                         FuzzEdit(CardField(42, 1, 0), std::string("\x03\x0d", 2))});
    seeds.push_back({name + "-place", head + FuzzEdit(CardField(43, 0, 16), FuzzLeFloat(999.0f))});
  }
  return seeds;
}
