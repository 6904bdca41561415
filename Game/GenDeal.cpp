// GenDeal.cpp - filling and shuffling the deck, the new deal, the standard
// deal plans and the end of the deal animation.
#include "Game/GenDeal.h"

#include "Engine/Debug.h"
#include "Engine/EngMisc.h"
#include "Engine/EngRand.h"
#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"
#include "Game/GameImports.h"
#include "Game/Gen.h"
#include "Game/GenCallbacks.h"
#include "Game/GenGameTable.h"
#include "Game/GameTime.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/UserRecord.h"

namespace {

constexpr int kShuffleSwaps = 70000;
constexpr float kDegToRad = 3.14159265f / 180.0f;

// Fills `decks` decks of four blocks each; block b gets suitOf(b).
template <typename SuitOf>
void FillBlocks(CardGroup& deck, int decks, SuitOf suitOf) {
  int slot = 0;
  for (int block = 0; block < decks * 4; ++block) {
    int suit = suitOf(block);
    for (int rank = 1; rank <= 13; ++rank) deck.cards[slot++].SetSuitAndRank(suit, rank);
  }
}

// A pack of fewer than four suits (the games of the Spider family whose
// row says so): the suits drawn from the deal number (the first draw of the
// deal number's own generator, so the process-wide one is left as it is).
// Returns false for a game of four suits and a number outside 0-83.
bool FillFewerSuitsDeck(CardGroup& deck, int game, uint32_t dealNumber) {
  if (game < 0 || game >= kGenNumGames) return false;
  const GameDef& def = GenGameTable[game];
  const int kind = def.suits;  // suits in play: 3, 2 or 1
  if (kind < 1 || kind > 3) return false;
  const int expected = def.decks * 52;
  int found = deck.numCards;
  if (found != expected) {
    DebugError("GenSetupDeck", def.decks == 1 ? "Spiderette%d but num cards %d" : "Spider%d but num cards %d",
               kind, found);
  }
  int decks = found / 52;
  if (decks > 3) decks = 3;
  EngRandState random;
  EngRandSeedState(dealNumber, &random);
  uint32_t draw = EngRandNextFromState(&random);
  if (kind == 3) {
    int leftOut = static_cast<int>(draw & 3);
    int suit = leftOut == 0 ? 1 : 0;
    FillBlocks(deck, decks, [&suit, leftOut](int block) {
      if (block > 0) {
        do {
          suit = (suit + 1) % 4;
        } while (suit == leftOut);
      }
      return suit;
    });
  } else if (kind == 2) {
    // One draw gives both suits: hearts with spades or diamonds with clubs.
    int red = static_cast<int>(draw & 1) * 2;
    int black = red + 1;
    FillBlocks(deck, decks, [red, black](int block) { return block % 2 == 0 ? red : black; });
  } else {
    int suit = static_cast<int>(draw & 3);
    FillBlocks(deck, decks, [suit](int) { return suit; });
  }
  deck.numCards = decks * 52;
  return true;
}

// Calls f(card, isFan) for every card slot in play of the piles the card
// turns and spacings apply to (the first slot only of a cell).
template <typename F>
void ForEachPlayCard(Gen& g, F f) {
  auto pile = [&f](CardGroup& group, bool isFan) {
    for (int i = 0; i < group.maxCards && i < kCardGroupMaxCards; ++i) f(group.cards[i], isFan);
    group.MarkChanged();  // slots past the top card were written
  };
  pile(g.deck, false);
  pile(g.waste, false);
  for (int i = 0; i < g.numTableaus; ++i) pile(g.tableaus[i], false);
  for (int i = 0; i < g.numFans; ++i) pile(g.fans[i], true);
  for (int i = 0; i < g.numReserves; ++i) pile(g.reserves[i], false);
  for (int i = 0; i < g.numCells; ++i) {
    f(g.cells[i].cards[0], false);
    g.cells[i].MarkChanged();
  }
}

// Plans card k to code with the deal face mode's face.
void PlanCard(Gen& g, int k, int code, bool faceUp) {
  g.dealPlan[k] = code;
  g.dealGroup.cards[k].faceUp = faceUp ? 1 : 0;
}

bool CanPlan(const Gen& g, int piles) {
  return g.ready && piles > 0 && g.dealGroup.numCards >= 1 &&
         g.dealGroup.numCards <= g.deck.numCards && g.dealGroup.numCards <= kGenMaxDealPlan;
}

}  // namespace

bool GenFillDeckOfDeal(CardGroup& deck, int game, uint32_t dealNumber) {
  if (FillFewerSuitsDeck(deck, game, dealNumber)) return true;
  int n = deck.numCards;
  if (n != 52 && n != 104 && n != 156) return false;
  FillBlocks(deck, n / 52, [](int block) { return block % 4; });
  return true;
}

void GenSetupDeck() {
  Gen& g = g_GenLive;
  if (FillFewerSuitsDeck(g.deck, GenGetCurGame(), g.dealNumber)) {
    // Its count may have changed.
    g.deck.RelinkOwners();
    g.deck.Refresh(true);
    return;
  }
  GenFillDeckOfDeal(g.deck, GenGetCurGame(), g.dealNumber);
}

void GenShuffleDeck() { GenShuffleDeckWithSeed(g_GenLive.dealNumber); }

void GenShuffleDeckWithSeed(uint32_t seed) {
  Gen& g = g_GenLive;
  CardGroup& deck = g.deck;
  uint32_t n = static_cast<uint32_t>(deck.numCards);
  if (deck.numCards < 2) return;
  EngRandSeed(seed);
  for (int i = 0; i < kShuffleSwaps; ++i) {
    uint32_t a = EngRandGetNext() % (n - 1) + 1;
    uint32_t b;
    do {
      b = EngRandGetNext() % (n - 1);
    } while (b >= a);
    Card& ca = deck.cards[a];
    Card& cb = deck.cards[b];
    int suit = ca.suit, rank = ca.rank;
    ca.suit = cb.suit;
    ca.rank = cb.rank;
    cb.suit = suit;
    cb.rank = rank;
  }
  for (int i = 0; i < deck.numCards; ++i) deck.cards[i].SetSuitAndRank(deck.cards[i].suit, deck.cards[i].rank);
}

void GenSetupAndShuffleDeck() {
  if (!g_GenLive.ready) return;
  GenSetupDeck();
  GenShuffleDeck();
}

void GenDeal(bool setNumber, bool haveNumber, unsigned number) {
  Gen& g = g_GenLive;
  EngRandSeedRandomly();
  if (g.ready) {
    if (setNumber) {
      g.dealNumber = haveNumber ? number : EngRandGetNext();
    } else if (haveNumber) {
      EngRandSeed(number);
    }
  }
  GenSetupAndShuffleDeck();
  GenSetRandomCardAngles();
  GenSetCardSpacingLevel(true);
  const GenVariantCallbacks& cb = GenGetCallbacks();
  if (cb.deal) {
    cb.deal(0, 0);
    if (cb.afterDeal) cb.afterDeal(0, 0);
    AnimSetupFromDeal(setNumber ? 1 : 0);
    if (AnimIsAnimating()) {
      AnimSetFinishCB(GenDealAnimationDone);
      // Without card animation the cards are placed at once.
      if (!g_UserRecord.cardAnimationOn) AnimStopNow(false);
    }
  } else if (cb.dealWithAnimation) {
    cb.dealWithAnimation(0, 0);
  }
}

int GenPlanDealToTableaus(bool backwards) {
  Gen& g = g_GenLive;
  int n = g.numTableaus;
  if (!CanPlan(g, n)) return 0;
  bool faceUp = g.dealFaceMode == 1;
  bool shift = g.dealFaceMode == 3;
  int k = 0;
  if (g.dealFirstToFoundation) PlanCard(g, k++, kWhereFoundation, true);
  int start = backwards ? n - 1 : 0;
  int dest = start;
  for (; k < g.dealGroup.numCards; ++k) {
    PlanCard(g, k, kWhereTableau + dest, faceUp);
    if (!backwards) {
      if (++dest >= n) {
        if (shift && ++start >= n) start = 0;
        dest = start;
      }
    } else {
      if (--dest < 0) {
        if (shift && --start < 0) start = n - 1;
        dest = start;
      }
    }
  }
  return 1;
}

int GenPlanDealForward() { return GenPlanDealToTableaus(false); }
int GenPlanDealBackward() { return GenPlanDealToTableaus(true); }

int GenPlanDealToFans() {
  Gen& g = g_GenLive;
  int n = g.numFans;
  if (!CanPlan(g, n)) return 0;
  bool faceUp = g.dealFaceMode == 1;
  for (int k = 0; k < g.dealGroup.numCards; ++k) PlanCard(g, k, kWhereFan + k % n, faceUp);
  return 1;
}

bool GenDealAnimationDone(int, int) {
  GameTimeReleaseHold();
  g_GenLive.dealGroup.numCards = 0;
  g_GenLive.dealGroup.RelinkOwners();
  GenSetFirstGameOfferPending(true);
  const GenVariantCallbacks& cb = GenGetCallbacks();
  if (cb.dealWithAnimation) {
    cb.dealWithAnimation(0, 0);
  } else if (cb.autoplay) {
    cb.autoplay(0, 0);
  }
  return false;
}

void GenSetRandomCardAngles() {
  Gen& g = g_GenLive;
  if (!g.ready) return;
  int setting = g_UserRecord.cardAngle;
  ForEachPlayCard(g, [setting](Card& card, bool isFan) {
    float angle = 0;
    if (setting >= 1 && setting <= 3) {
      angle = EngMiscRandFloat(static_cast<float>(setting), true);
      if (isFan) angle *= 1.2f;
      angle *= kDegToRad;
    }
    card.rot[2] = angle;
    card.restRot[2] = angle;
    card.UpdateMatrix();
  });
}

void GenSetCardSpacingLevel(bool keepFactors) {
  static const float kVariation[4] = {0.0f, 0.1f, 0.2f, 0.3f};
  int setting = g_UserRecord.cardSpacing;
  float v = (setting >= 0 && setting <= 3) ? kVariation[setting] : 0.0f;
  CardsSetSpacingVariation(v, v);
  Gen& g = g_GenLive;
  if (keepFactors || !g.ready) return;
  ForEachPlayCard(g, [](Card& card, bool) { CardsPickSpacingFactors(&card); });
  GenForEachPileInUse(g, [](CardGroup& pile, int kind) {
    if (kind != kWhereFoundation) pile.Refresh(true);
  });
}
