// GenSavePicture.cpp - the game picture: a plain record of the table that
// the game screens draw a saved game's preview from (see GenSave.h).
//
// Picture file (SaveCardDetailsCompact), 2,188,092 little-endian bytes:
//   0 deck, waste and reserves in use (3 bytes), 0   4 deck size
//   8 foundations  12 cells  16 tableaus  20 fans  24 reserves
//   28 lowest rank  32 the two variant words  40 empty-space picture
//   44 133 compact piles of 16,324 bytes: deck, waste, reserves 0-27,
//      foundations 0-11, tableaus 0-51, fans 0-27, cells 0-10
//   2,171,136 zeros to the end
#include <cstring>
#include <memory>

#include "Engine/Debug.h"
#include "Game/GenBytes.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSave.h"
#include "Game/GenSaveLocal.h"

namespace {

constexpr int kOffPiles = 44;

SaveCardDetails& Details() {
  static SaveCardDetails details;
  return details;
}

SaveCardDetailsCompact& Compact() {
  static SaveCardDetailsCompact compact;
  return compact;
}

// The picture's piles in the game record's order.
template <typename G, typename F>
void ForEachRecordPile(G& g, F f) {
  int k = 0;
  f(k++, g.deck);
  f(k++, g.waste);
  for (auto& p : g.reserves) f(k++, p);
  for (auto& p : g.foundations) f(k++, p);
  for (auto& p : g.tableaus) f(k++, p);
  for (auto& p : g.fans) f(k++, p);
  for (auto& p : g.cells) f(k++, p);
}

static_assert(2 + kGenMaxReserves + kGenMaxFoundations + kGenMaxTableaus + kGenMaxFans +
                  kGenMaxCells == kGenPicturePiles);
static_assert(kOffPiles + kGenPicturePiles * kCardGroupCompactSize <= kGenPictureFileSize);

}  // namespace

SaveCardDetails& GenGetSaveCardDetails() { return Details(); }
SaveCardDetailsCompact& GenGetSaveCardDetailsCompact() { return Compact(); }

void GenFillSaveCardDetailsFromGame() {
  const Gen& g = g_GenLive;
  SaveCardDetails& d = Details();
  d.deckInUse = g.deckInUse;
  d.wasteInUse = g.wasteInUse;
  d.reservesInUse = g.reservesInUse;
  d.deckSize = g.deckSize;
  d.numFoundations = g.numFoundations;
  d.numCells = g.numCells;
  d.numTableaus = g.numTableaus;
  d.numFans = g.numFans;
  d.numReserves = g.numReserves;
  d.lowestRank = g.lowestRank;
  d.variantWords[0] = g.variantWords[0];
  d.variantWords[1] = g.variantWords[1];
  d.emptySpacePicture = static_cast<int8_t>(g.emptySpacePicture);
  ForEachRecordPile(g, [&d](int k, const CardGroup& pile) { d.piles[k] = pile; });
  std::memcpy(d.dealPlan, g.dealPlan, sizeof d.dealPlan);
  d.dealFaceMode = g.dealFaceMode;
  d.dealFirstToFoundation = g.dealFirstToFoundation;
  d.dealGroup = g.dealGroup;
}

bool GenPictureShowsGame(const SaveCardDetails& d, const Gen& g) {
  if (d.deckInUse != g.deckInUse || d.wasteInUse != g.wasteInUse ||
      d.reservesInUse != g.reservesInUse || d.deckSize != g.deckSize ||
      d.numFoundations != g.numFoundations || d.numCells != g.numCells ||
      d.numTableaus != g.numTableaus || d.numFans != g.numFans || d.numReserves != g.numReserves ||
      d.lowestRank != g.lowestRank || d.variantWords[0] != g.variantWords[0] ||
      d.variantWords[1] != g.variantWords[1] ||
      d.emptySpacePicture != static_cast<int8_t>(g.emptySpacePicture)) {
    return false;
  }
  bool same = true;
  ForEachRecordPile(g, [&d, &same](int k, const CardGroup& pile) {
    const CardGroup& shown = d.piles[k];
    if (!same || shown.numCards != pile.numCards) {
      same = false;
      return;
    }
    for (int i = 0; i < pile.numCards && same; ++i) {
      const Card &a = shown.cards[i], &b = pile.cards[i];
      same = a.suit == b.suit && a.rank == b.rank && a.faceUp == b.faceUp;
    }
  });
  return same;
}

bool GenFillSaveCardDetailsCompactFromSaveCardDetails() {
  const SaveCardDetails& d = Details();
  uint8_t* b = Compact().bytes;
  std::memset(b, 0, kGenPictureFileSize);
  GenPutU8(b, 0, d.deckInUse);
  GenPutU8(b, 1, d.wasteInUse);
  GenPutU8(b, 2, d.reservesInUse);
  GenPutI32(b, 4, d.deckSize);
  GenPutI32(b, 8, d.numFoundations);
  GenPutI32(b, 12, d.numCells);
  GenPutI32(b, 16, d.numTableaus);
  GenPutI32(b, 20, d.numFans);
  GenPutI32(b, 24, d.numReserves);
  GenPutI32(b, 28, d.lowestRank);
  GenPutI32(b, 32, d.variantWords[0]);
  GenPutI32(b, 36, d.variantWords[1]);
  GenPutI32(b, 40, d.emptySpacePicture);
  int errors = 0;
  auto compact = std::make_unique<CardGroupCompact>();
  for (int k = 0; k < kGenPicturePiles; ++k) {
    if (!d.piles[k].FillCompactCardGroup(compact.get())) {
      ++errors;
      continue;
    }
    std::memcpy(b + kOffPiles + k * kCardGroupCompactSize, compact->bytes, kCardGroupCompactSize);
  }
  if (errors) {
    DebugError("GenFillSaveCardDetailsCompactFromSaveCardDetails", "%d errors", errors);
    return false;
  }
  return true;
}

bool GenFillSaveCardDetailsFromSaveCardDetailsCompact() {
  SaveCardDetails& d = Details();
  const uint8_t* b = Compact().bytes;
  d.deckInUse = GenGetU8(b, 0);
  d.wasteInUse = GenGetU8(b, 1);
  d.reservesInUse = GenGetU8(b, 2);
  d.deckSize = GenGetI32(b, 4);
  d.numFoundations = GenGetI32(b, 8);
  d.numCells = GenGetI32(b, 12);
  d.numTableaus = GenGetI32(b, 16);
  d.numFans = GenGetI32(b, 20);
  d.numReserves = GenGetI32(b, 24);
  d.lowestRank = GenGetI32(b, 28);
  d.variantWords[0] = GenGetI32(b, 32);
  d.variantWords[1] = GenGetI32(b, 36);
  d.emptySpacePicture = GenGetI32(b, 40);
  int errors = 0;
  auto compact = std::make_unique<CardGroupCompact>();
  for (int k = 0; k < kGenPicturePiles; ++k) {
    std::memcpy(compact->bytes, b + kOffPiles + k * kCardGroupCompactSize, kCardGroupCompactSize);
    if (!d.piles[k].SetupFromCompactCardGroup(compact.get())) ++errors;
  }
  if (errors) {
    DebugError("GenFillSaveCardDetailsFromSaveCardDetailsCompact", "%d errors", errors);
    return false;
  }
  return GenSaveCheckPicture(d);
}
