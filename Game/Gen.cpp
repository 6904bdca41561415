// Gen.cpp - the game record's life: the static records, the pile look-up,
// the callback slots, reset, set-up helpers, the consistency check and the
// rank and colour tests. The file image is in GenImage.cpp.
#include "Game/Gen.h"

#include "Engine/Debug.h"
#include "Game/AnimSetup.h"
#include "Game/GenCallbacks.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenLights.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenVariant.h"
#include "Game/SolCards.h"

Gen g_GenLive;

namespace {

int g_workingCopiesMade = 0;

// A working copy, made empty at its first use: its piles make their card
// slots only when a copy of a game fills them.
Gen* MakeWorkingCopy() {
  ++g_workingCopiesMade;
  return new Gen;
}

// Cleared by GenReset, filled by the variant's set-up.
GenVariantCallbacks g_callbacks{};
// Set when a deal animation ends; the shell makes the tutorial offer.
bool g_firstGameOfferPending = false;
// The pile and card under the pointer (-1 = none).
int g_hitWhere = -1;
int g_hitCard = -1;
void (*g_setupOverride)() = nullptr;

// Kinds whose pile count may change in play (GenSetPileCountRange).
struct PileCountRange {
  int kindBase = 0;  // 0: unused entry
  int fewest = 0, most = 0;
};
constexpr int kMaxPileCountRanges = 5;
PileCountRange g_countRanges[kMaxPileCountRanges];

// Calls f(group, code, index) for every pile of the record.
template <typename F>
void ForEachPile(Gen& gen, F f) {
  f(gen.deck, kWhereDeck, 0);
  f(gen.waste, kWhereWaste, 0);
  for (int i = 0; i < kGenMaxReserves; ++i) f(gen.reserves[i], kWhereReserve + i, i);
  for (int i = 0; i < kGenMaxFoundations; ++i) f(gen.foundations[i], kWhereFoundation + i, i);
  for (int i = 0; i < kGenMaxTableaus; ++i) f(gen.tableaus[i], kWhereTableau + i, i);
  for (int i = 0; i < kGenMaxFans; ++i) f(gen.fans[i], kWhereFan + i, i);
  for (int i = 0; i < kGenMaxCells; ++i) f(gen.cells[i], kWhereCell + i, i);
  f(gen.dealGroup, kWhereDealGroup, 0);
  f(gen.selection, kWhereSelection, 0);
}

}  // namespace

// ---- The working copies ---------------------------------------------------------

Gen& GenQuickMoveCopy() {
  static Gen* const record = MakeWorkingCopy();
  return *record;
}
Gen& GenTrialScratch() {
  static Gen* const record = MakeWorkingCopy();
  return *record;
}
Gen& GenLoadScratch() {
  static Gen* const record = MakeWorkingCopy();
  return *record;
}
Gen& GenUndoWork1() {
  static Gen* const record = MakeWorkingCopy();
  return *record;
}
Gen& GenUndoWork2() {
  static Gen* const record = MakeWorkingCopy();
  return *record;
}
Gen& GenPickupCopy() {
  static Gen* const record = MakeWorkingCopy();
  return *record;
}
int GenWorkingCopiesMade() { return g_workingCopiesMade; }

// ---- Piles by code -------------------------------------------------------------

CardGroup* GenGetGroup(Gen& gen, int where) {
  if (where >= kWhereFoundation && where < kWhereFoundation + kGenMaxFoundations)
    return &gen.foundations[where - kWhereFoundation];
  if (where >= kWhereCell && where < kWhereCell + kGenMaxCells) return &gen.cells[where - kWhereCell];
  if (where >= kWhereTableau && where < kWhereTableau + kGenMaxTableaus)
    return &gen.tableaus[where - kWhereTableau];
  if (where >= kWhereFan && where < kWhereFan + kGenMaxFans) return &gen.fans[where - kWhereFan];
  if (where == kWhereDeck) return &gen.deck;
  if (where == kWhereWaste) return &gen.waste;
  if (where >= kWhereReserve && where < kWhereReserve + kGenMaxReserves)
    return &gen.reserves[where - kWhereReserve];
  if (where == kWhereDealGroup) return &gen.dealGroup;
  if (where == kWhereSelection) return &gen.selection;
  return nullptr;
}

int GenGetKindBase(int where) {
  if (where >= kWhereFoundation && where < kWhereFoundation + kGenMaxFoundations) return kWhereFoundation;
  if (where >= kWhereCell && where < kWhereCell + kGenMaxCells) return kWhereCell;
  if (where >= kWhereTableau && where < kWhereTableau + kGenMaxTableaus) return kWhereTableau;
  if (where >= kWhereFan && where < kWhereFan + kGenMaxFans) return kWhereFan;
  if (where >= kWhereReserve && where < kWhereReserve + kGenMaxReserves) return kWhereReserve;
  if (where == kWhereDeck || where == kWhereWaste || where == kWhereDealGroup || where == kWhereSelection)
    return where;
  return 0;
}

int GenGetKindCount(const Gen& gen, int kindBase) {
  switch (kindBase) {
    case kWhereFoundation: return gen.numFoundations;
    case kWhereCell: return gen.numCells;
    case kWhereTableau: return gen.numTableaus;
    case kWhereFan: return gen.numFans;
    case kWhereReserve: return gen.numReserves;
    case kWhereDeck:
    case kWhereWaste:
    case kWhereDealGroup:
    case kWhereSelection: return 1;
    default: return 0;
  }
}

// ---- Callback slots ----------------------------------------------------------------

const GenVariantCallbacks& GenGetCallbacks() { return g_callbacks; }
void GenSetDealCB(GenStepCB callback) { g_callbacks.deal = callback; }
void GenSetAfterDealCB(GenStepCB callback) { g_callbacks.afterDeal = callback; }
void GenSetDealWithAnimationCB(GenStepCB callback) { g_callbacks.dealWithAnimation = callback; }
void GenSetSelectionCB(GenSelectionCB callback) { g_callbacks.selection = callback; }
void GenSetAutoplayCB(GenStepCB callback) { g_callbacks.autoplay = callback; }
void GenSetCustomRuleCB(GenRuleCB callback) { g_callbacks.customRule = callback; }
void GenSetTableauSpaceCB(GenRuleCB callback) { g_callbacks.tableauSpace = callback; }
void GenSetPickupDropRuleCB(GenPairRuleCB callback) { g_callbacks.pairRule = callback; }
void GenSetDropRuleCB(GenDropVetoCB callback) { g_callbacks.dropVeto = callback; }

// ---- Life of the live record -------------------------------------------------------

bool GenInit() {
  for (int i = 0; i < kGenNumGames; ++i) {
    if (GenGameTable[i].id != i) {
      DebugError("GenInit", "Integrity check failed <%s>", GenGameTable[i].name);
    }
  }
  int game = GenGetCurGame();
  if (game < 0 || game >= kGenNumGames) {
    DebugError("GenInit", "Invalid cur game num %d", game);
    GenSetCurGame(0);
  }
  GenReset();
  GenSetGameInProgress(false);
  SolCardsSetFoundationSpaceRank(0);
  SolCardsSetSpaceCustomPic(0);
  GenSetTableHeight(0);
  GenSetCardScale(1.0f, 1.0f);
  GenSetCurrentHit(-1, -1);
  AnimReset();
  GenReset();
  GenComputeSpacingConstants();
  void (*setup)() = g_setupOverride ? g_setupOverride : GenGameTable[GenGetCurGame()].setup;
  if (setup) setup();
  return g_GenLive.ready != 0;
}

void GenReset() {
  Gen& g = g_GenLive;
  g.version = 0;
  g.dealNumber = 0;
  g.acesHigh = 0;
  g.deckSize = 0;
  g.dealGroupCapacity = 0;
  g.numFoundations = g.numCells = g.numTableaus = g.numFans = g.numReserves = 0;
  // Every pile becomes an empty group, its codes 0 until a set-up gives the
  // piles in use theirs; no card slot is touched.
  ForEachPile(g, [](CardGroup& group, int, int) {
    EngTexture* texture = group.emptyTexture;  // the pile keeps its marker
    group.Reset(false);
    group.emptyTexture = texture;
  });
  for (int32_t& code : g.dealPlan) code = 0;
  g.dealFaceMode = 0;
  g.dealFirstToFoundation = 0;
  g.dealSpeed = 0;
  for (uint8_t& rule : g.rules) rule = 0;
  g.selectionSource = 0;
  g.rankWrap = g.deckInUse = g.wasteInUse = g.reservesInUse = 0;
  g.tableauEmptySpace = g.tableauHalfGaps = 0;
  for (uint8_t& b : g.variantBytes) b = 0;
  g.foundationEmptySpace = 0;
  g.lowestRank = 0;
  g.variantWords[0] = g.variantWords[1] = 0;
  g.emptySpacePicture = 0;
  g.reservesDropOnlyEmpty = g.reservesFannedDown = g.reservesDrawEmpty = g.reservesStacked = 0;
  g.fansNotHit = g.foundationsFirst = g.selectionKeepsAlignment = g.gameOver = 0;
  g.moves = 0;
  g.statsState = 0;
  g.markedUndos = g.unmarkedUndos = 0;
  g.variantState = 0;
  g.dealtByNumber = 0;
  g.ready = 0;
  g_callbacks = GenVariantCallbacks{};
  for (PileCountRange& range : g_countRanges) range = PileCountRange{};
  g_firstGameOfferPending = false;
}

void GenSetPileCountRange(int kindBase, int fewest, int most) {
  for (PileCountRange& range : g_countRanges) {
    if (range.kindBase == 0 || range.kindBase == kindBase) {
      range = {kindBase, fewest, most};
      return;
    }
  }
  DebugError("GenSetPileCountRange", "Too many ranges [%d]", kindBase);
}

bool GenIsPileCountAllowed(int kindBase, int count) {
  if (count == GenGetKindCount(g_GenLive, kindBase)) return true;
  for (const PileCountRange& range : g_countRanges) {
    if (range.kindBase == kindBase) return count >= range.fewest && count <= range.most;
  }
  return false;
}

bool GenSetDeckAndDealGroup(int deckSize, int capacity, int faceMode, float speed) {
  const char* where_ = "GenSetDeckAndDealGroup";
  if (deckSize < 1 || deckSize > kCardGroupMaxCards || capacity < 0 ||
      capacity > kGenMaxDealPlan) {
    DebugError(where_, "Invalid deck size or deal capacity [%d/%d]", deckSize, capacity);
    return false;
  }
  Gen& g = g_GenLive;
  g.deckSize = deckSize;
  g.dealGroupCapacity = capacity;
  g.dealFaceMode = static_cast<uint8_t>(faceMode);
  g.dealSpeed = speed;
  g.deck.SetupCardGroup({.maxCards = deckSize, .numCards = deckSize, .faceUp = 0, .setPosition = false,
                         .where = kWhereDeck});
  // The deal group holds the cards waiting to be dealt: its count is the
  // deal's length, its slots carry each planned card's face.
  g.dealGroup.SetupCardGroup({.numCards = capacity, .faceUp = 0, .setPosition = false, .where = kWhereDealGroup});
  g.rules[kRuleDropDeck] = 16;
  return true;
}

void GenSetLowestRank(int rank) {
  g_GenLive.lowestRank = rank;
  SolCardsSetFoundationSpaceRank(rank);
}

void GenSetReady() {
  g_GenLive.ready = 1;
  GenApplyLights();
  SolCardsSetSpaceCustomPic(g_GenLive.emptySpacePicture);
  SolCardsSetFoundationSpaceRank(-1);
}

bool GenCheckOk() {
  const Gen& g = g_GenLive;
  int error = 0;
  if (g.numFoundations < 0 || g.numFoundations > kGenMaxFoundations) error = 1;
  if (g.numCells < 0 || g.numCells > kGenMaxCells) error = 2;
  if (g.numTableaus < 0 || g.numTableaus > kGenMaxTableaus) error = 3;
  if (g.numFans < 0 || g.numFans > kGenMaxFans) error = 4;
  if (g.numReserves < 0 || g.numReserves > kGenMaxReserves) error = 5;
  auto outside = [](const CardGroup& group, int most) {
    return group.numCards < 0 || group.numCards > most;
  };
  if (error == 0) {
    for (int i = 0; i < g.numFoundations; ++i) if (outside(g.foundations[i], 52)) error = 6;
    for (int i = 0; i < g.numCells; ++i) if (outside(g.cells[i], 1)) error = 7;
    for (int i = 0; i < g.numTableaus; ++i) if (outside(g.tableaus[i], 156)) error = 8;
    for (int i = 0; i < g.numFans; ++i) if (outside(g.fans[i], 32)) error = 9;
    for (int i = 0; i < g.numReserves; ++i) if (outside(g.reserves[i], 156)) error = 10;
  }
  if (outside(g.deck, 156)) error = 11;
  if (outside(g.waste, 156)) error = 12;
  if (outside(g.dealGroup, 156)) error = 13;
  if (outside(g.selection, 156)) error = 14;
  if (error != 0) {
    DebugError("GenCheckOk", "Error %d", error);
    return false;
  }
  return true;
}

bool GenIsCarrying() { return g_GenLive.ready && g_GenLive.selection.numCards > 0; }

void GenSetFirstGameOfferPending(bool pending) { g_firstGameOfferPending = pending; }
bool GenIsFirstGameOfferPending() { return g_firstGameOfferPending; }

void GenSetCurrentHit(int where, int card) {
  g_hitWhere = where;
  g_hitCard = card;
}
int GenGetCurrentHitWhere() { return g_hitWhere; }
int GenGetCurrentHitCard() { return g_hitCard; }

// ---- Rank and colour tests ------------------------------------------------------------

bool GenSameColour(int suitA, int suitB) { return (suitA & 1) == (suitB & 1); }

bool GenIsNextLowerRank(int a, int b) {
  const Gen& g = g_GenLive;
  int lowest = g.lowestRank < 1 ? 1 : g.lowestRank;
  if (!g.rankWrap && a == lowest) return false;
  if (g.acesHigh && a == 2) return b == 14;
  if (!g.acesHigh && a == 1) return b == 13;
  return b == a - 1;
}

bool GenIsNextHigherRank(int a, int b) {
  const Gen& g = g_GenLive;
  int lowest = g.lowestRank < 1 ? 1 : g.lowestRank;
  if (!g.rankWrap && b == lowest) return false;
  if (g.acesHigh && a == 14) return b == 2;
  if (!g.acesHigh && a == 13) return b == 1;
  return b == a + 1;
}

void GenGetCardSuitAndRank(const Card* card, bool acesHigh, int* suit, int* rank) {
  int s = card ? card->suit : -1;
  int r = card ? card->rank : -1;
  if (acesHigh && r == 1) r = 14;
  if (suit) *suit = s;
  if (rank) *rank = r;
}

void GenSetSetupOverrideForTests(void (*setup)()) { g_setupOverride = setup; }
