// GenImage.cpp - the game record's file image: 4,070,740 little-endian bytes
// at the fixed offsets that saved games store.
//
//   0 version  4 deal number  8 aces high  12 deck size  16 deal capacity
//   20-36 pile counts  40 deck  30,188 waste  60,336 reserves
//   904,480 foundations  1,266,256 tableaus  2,833,952 fans  3,678,096 cells
//   4,009,724 deal plan  4,010,348 deal bytes  4,010,356 deal group
//   4,040,504 rules  4,040,524 selection  4,070,672 trailer
//
// Links (card owners, textures) are written as zero. Reading range-checks
// every count and every pile and derives each pile's code from its place.
#include "Game/GenImage.h"

#include <cstring>

#include "Engine/Debug.h"
#include "Game/GenBytes.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"

namespace {

constexpr int kOffDeck = 40;
constexpr int kOffWaste = 30188;
constexpr int kOffReserves = 60336;
constexpr int kOffFoundations = 904480;
constexpr int kOffTableaus = 1266256;
constexpr int kOffFans = 2833952;
constexpr int kOffCells = 3678096;
constexpr int kOffDealPlan = 4009724;
constexpr int kOffDealFaceMode = 4010348;
constexpr int kOffDealFirstToFoundation = 4010349;
constexpr int kOffDealSpeed = 4010352;
constexpr int kOffDealGroup = 4010356;
constexpr int kOffRules = 4040504;
constexpr int kOffSelection = 4040524;
constexpr int kOffSelectionSource = 4070672;
constexpr int kOffTrailer = 4070676;

static_assert(kOffSelectionSource == kOffSelection + kCardGroupImageSize);
static_assert(kOffCells + kGenMaxCells * kCardGroupImageSize == kOffDealPlan);

// Calls f(group, code, offset) for every pile in image order.
template <typename G, typename F>
void ForEachImagePile(G& gen, F f) {
  f(gen.deck, kWhereDeck, kOffDeck);
  f(gen.waste, kWhereWaste, kOffWaste);
  for (int i = 0; i < kGenMaxReserves; ++i)
    f(gen.reserves[i], kWhereReserve + i, kOffReserves + i * kCardGroupImageSize);
  for (int i = 0; i < kGenMaxFoundations; ++i)
    f(gen.foundations[i], kWhereFoundation + i, kOffFoundations + i * kCardGroupImageSize);
  for (int i = 0; i < kGenMaxTableaus; ++i)
    f(gen.tableaus[i], kWhereTableau + i, kOffTableaus + i * kCardGroupImageSize);
  for (int i = 0; i < kGenMaxFans; ++i) f(gen.fans[i], kWhereFan + i, kOffFans + i * kCardGroupImageSize);
  for (int i = 0; i < kGenMaxCells; ++i)
    f(gen.cells[i], kWhereCell + i, kOffCells + i * kCardGroupImageSize);
  f(gen.dealGroup, kWhereDealGroup, kOffDealGroup);
  f(gen.selection, kWhereSelection, kOffSelection);
}

}  // namespace

void GenWriteImage(const Gen& g, uint8_t* out) {
  std::memset(out, 0, kGenImageSize);
  GenPutF32(out, 0, g.version);
  GenPutU32(out, 4, g.dealNumber);
  GenPutU8(out, 8, g.acesHigh);
  GenPutI32(out, 12, g.deckSize);
  GenPutI32(out, 16, g.dealGroupCapacity);
  GenPutI32(out, 20, g.numFoundations);
  GenPutI32(out, 24, g.numCells);
  GenPutI32(out, 28, g.numTableaus);
  GenPutI32(out, 32, g.numFans);
  GenPutI32(out, 36, g.numReserves);
  ForEachImagePile(g, [out](const CardGroup& group, int, int offset) {
    CardGroupWriteImage(group, out + offset);
  });
  for (int k = 0; k < kGenMaxDealPlan; ++k) GenPutI32(out, kOffDealPlan + 4 * k, g.dealPlan[k]);
  GenPutU8(out, kOffDealFaceMode, g.dealFaceMode);
  GenPutU8(out, kOffDealFirstToFoundation, g.dealFirstToFoundation);
  GenPutF32(out, kOffDealSpeed, g.dealSpeed);
  std::memcpy(out + kOffRules, g.rules, kGenNumRules);
  GenPutI32(out, kOffSelectionSource, g.selectionSource);
  uint8_t* t = out + kOffTrailer;  // offsets below are from 4,070,676
  GenPutU8(t, 0, g.rankWrap);
  GenPutU8(t, 1, g.deckInUse);
  GenPutU8(t, 2, g.wasteInUse);
  GenPutU8(t, 3, g.reservesInUse);
  GenPutU8(t, 4, g.tableauEmptySpace);
  GenPutU8(t, 5, g.tableauHalfGaps);
  std::memcpy(t + 6, g.variantBytes, sizeof g.variantBytes);
  GenPutU8(t, 16, g.foundationEmptySpace);
  GenPutI32(t, 20, g.lowestRank);
  GenPutI32(t, 24, g.variantWords[0]);
  GenPutI32(t, 28, g.variantWords[1]);
  GenPutU8(t, 32, g.emptySpacePicture);
  GenPutU8(t, 33, g.reservesDropOnlyEmpty);
  GenPutU8(t, 34, g.reservesFannedDown);
  GenPutU8(t, 35, g.reservesDrawEmpty);
  GenPutU8(t, 36, g.reservesStacked);
  GenPutU8(t, 37, g.fansNotHit);
  GenPutU8(t, 38, g.foundationsFirst);
  GenPutU8(t, 39, g.selectionKeepsAlignment);
  GenPutU8(t, 40, g.gameOver);
  GenPutI32(t, 44, g.moves);
  GenPutU8(t, 48, g.statsState);
  GenPutI32(t, 52, g.markedUndos);
  GenPutI32(t, 56, g.unmarkedUndos);
  GenPutI8(t, 60, g.variantState);
  GenPutU8(t, 61, g.dealtByNumber);
  GenPutU8(t, 62, g.ready);
}

bool GenReadImage(Gen& g, const uint8_t* in) {
  const char* where_ = "GenReadImage";
  int counts[5] = {GenGetI32(in, 20), GenGetI32(in, 24), GenGetI32(in, 28), GenGetI32(in, 32),
                   GenGetI32(in, 36)};
  const int limits[5] = {kGenMaxFoundations, kGenMaxCells, kGenMaxTableaus, kGenMaxFans,
                         kGenMaxReserves};
  for (int i = 0; i < 5; ++i) {
    if (counts[i] < 0 || counts[i] > limits[i]) {
      DebugError(where_, "Invalid game image (%s)", "pile count");
      return false;
    }
  }
  int deckSize = GenGetI32(in, 12);
  int capacity = GenGetI32(in, 16);
  if (deckSize < 0 || deckSize > kCardGroupMaxCards || capacity < 0 || capacity > kGenMaxDealPlan) {
    DebugError(where_, "Invalid game image (%s)", "deck size");
    return false;
  }
  bool pilesOk = true;
  ForEachImagePile(g, [&pilesOk, in](CardGroup& group, int code, int offset) {
    if (!CardGroupReadImage(group, in + offset)) pilesOk = false;
    group.where = code;
  });
  if (!pilesOk) {
    DebugError(where_, "Invalid game image (%s)", "pile");
    return false;
  }
  g.version = GenGetF32(in, 0);
  g.dealNumber = GenGetU32(in, 4);
  g.acesHigh = GenGetU8(in, 8);
  g.deckSize = deckSize;
  g.dealGroupCapacity = capacity;
  g.numFoundations = counts[0];
  g.numCells = counts[1];
  g.numTableaus = counts[2];
  g.numFans = counts[3];
  g.numReserves = counts[4];
  for (int k = 0; k < kGenMaxDealPlan; ++k) g.dealPlan[k] = GenGetI32(in, kOffDealPlan + 4 * k);
  g.dealFaceMode = GenGetU8(in, kOffDealFaceMode);
  g.dealFirstToFoundation = GenGetU8(in, kOffDealFirstToFoundation);
  g.dealSpeed = GenGetF32(in, kOffDealSpeed);
  std::memcpy(g.rules, in + kOffRules, kGenNumRules);
  g.selectionSource = GenGetI32(in, kOffSelectionSource);
  const uint8_t* t = in + kOffTrailer;
  g.rankWrap = GenGetU8(t, 0);
  g.deckInUse = GenGetU8(t, 1);
  g.wasteInUse = GenGetU8(t, 2);
  g.reservesInUse = GenGetU8(t, 3);
  g.tableauEmptySpace = GenGetU8(t, 4);
  g.tableauHalfGaps = GenGetU8(t, 5);
  std::memcpy(g.variantBytes, t + 6, sizeof g.variantBytes);
  g.foundationEmptySpace = GenGetU8(t, 16);
  g.lowestRank = GenGetI32(t, 20);
  g.variantWords[0] = GenGetI32(t, 24);
  g.variantWords[1] = GenGetI32(t, 28);
  g.emptySpacePicture = GenGetU8(t, 32);
  g.reservesDropOnlyEmpty = GenGetU8(t, 33);
  g.reservesFannedDown = GenGetU8(t, 34);
  g.reservesDrawEmpty = GenGetU8(t, 35);
  g.reservesStacked = GenGetU8(t, 36);
  g.fansNotHit = GenGetU8(t, 37);
  g.foundationsFirst = GenGetU8(t, 38);
  g.selectionKeepsAlignment = GenGetU8(t, 39);
  g.gameOver = GenGetU8(t, 40);
  g.moves = GenGetI32(t, 44);
  g.statsState = GenGetU8(t, 48);
  g.markedUndos = GenGetI32(t, 52);
  g.unmarkedUndos = GenGetI32(t, 56);
  g.variantState = static_cast<int8_t>(GenGetI8(t, 60));
  g.dealtByNumber = GenGetU8(t, 61);
  g.ready = GenGetU8(t, 62);
  return true;
}
