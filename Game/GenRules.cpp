// GenRules.cpp - the pick-up and drop rule predicates (see GenRules.h).
#include "Game/GenRules.h"

#include "Game/Gen.h"
#include "Game/GenCallbacks.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"

namespace {

int AceAs1(int rank) { return rank == 14 ? 1 : rank; }

bool Lower(int a, int b) { return GenIsNextLowerRank(a, b); }
bool Higher(int a, int b) { return GenIsNextHigherRank(a, b); }

// Rules 1-7: one card may follow another by a rank step and a suit or
// colour condition (GenRulesStepFits).
bool IsStepRule(int rule) { return rule >= kRuleDownOtherColour && rule <= kRuleUpOrDownAnySuit; }

// Foundation index of a code (0 for 10).
int FoundationIndex(int code) { return code - kWhereFoundation; }

// An empty foundation under rule 13: foundations 0-3 start with an ace and
// 4-7 with a king, and no other non-empty foundation of the same group of
// four may already start with the suit.
bool FoundationPairsMayStart(int target, int suit, int rank) {
  const Gen& g = g_GenLive;
  int index = FoundationIndex(target);
  if (index < 0 || index >= 8) return false;
  bool up = index < 4;
  if (up ? AceAs1(rank) != 1 : rank != 13) return false;
  int first = up ? 0 : 4;
  for (int f = first; f < first + 4 && f < g.numFoundations; ++f) {
    if (f == index || g.foundations[f].numCards < 1) continue;
    if (g.foundations[f].cards[0].suit == suit) return false;
  }
  return true;
}

}  // namespace

int GenRulesRank(const Card& card) {
  return g_GenLive.acesHigh && card.rank == 1 ? 14 : card.rank;
}

bool GenRulesSameRank(int a, int b) { return AceAs1(a) == AceAs1(b); }

bool GenRulesStepFits(int rule, int suitA, int rankA, int suitB, int rankB) {
  switch (rule) {
    case kRuleDownOtherColour: return Lower(rankA, rankB) && !GenSameColour(suitA, suitB);
    case kRuleDownSameSuit: return Lower(rankA, rankB) && suitA == suitB;
    case kRuleDownSameColour: return Lower(rankA, rankB) && GenSameColour(suitA, suitB);
    case kRuleUpOrDownSameSuit:
      return (Lower(rankA, rankB) || Higher(rankA, rankB)) && suitA == suitB;
    case kRuleDownOtherSuit: return Lower(rankA, rankB) && suitA != suitB;
    case kRuleDownAnySuit: return Lower(rankA, rankB);
    case kRuleUpOrDownAnySuit: return Lower(rankA, rankB) || Higher(rankA, rankB);
    default: return false;
  }
}

bool GenRulesRunMayBeLifted(int rule, int where, const Card* const* run, int n) {
  const GenVariantCallbacks& cb = GenGetCallbacks();
  if (n < 1) return false;
  if (rule == kRuleCustom) {
    return cb.customRule && cb.customRule(where, where, 0, run[0]->suit, GenRulesRank(*run[0]));
  }
  // Rule 9: the first pair decides between a suit run and a set of one rank.
  bool sameRankSet = false;
  for (int k = 1; k < n; ++k) {
    const Card& a = *run[k - 1];
    const Card& b = *run[k];
    int ra = GenRulesRank(a), rb = GenRulesRank(b);
    bool ok = true;
    switch (rule) {
      case kRuleSuitRunOrSameRank:
        if (k == 1) sameRankSet = GenRulesSameRank(ra, rb);
        ok = sameRankSet ? GenRulesSameRank(ra, rb)
                         : GenRulesStepFits(kRuleDownSameSuit, a.suit, ra, b.suit, rb);
        break;
      case kRulePairCallback:
        ok = !cb.pairRule || cb.pairRule(where, where, 0, a.suit, ra, b.suit, rb);
        break;
      default:
        if (IsStepRule(rule)) ok = GenRulesStepFits(rule, a.suit, ra, b.suit, rb);
        break;  // any other code: no pair test
    }
    if (!ok) return false;
  }
  return true;
}

bool GenRulesMayDropOnCard(int rule, int target, int source, int topSuit, int topRank, int suit,
                           int rank) {
  const GenVariantCallbacks& cb = GenGetCallbacks();
  if (IsStepRule(rule)) return GenRulesStepFits(rule, topSuit, topRank, suit, rank);
  switch (rule) {
    case kRuleAnything: return true;
    case kRuleSuitRunOrSameRank:
      return (Lower(topRank, rank) && topSuit == suit) || GenRulesSameRank(topRank, rank);
    case kRuleUpSameSuit: return Higher(topRank, rank) && topSuit == suit;
    case kRuleUpAnySuit: return Higher(topRank, rank);
    case kRuleUpOtherColour: return Higher(topRank, rank) && !GenSameColour(topSuit, suit);
    case kRuleFoundationPairs:
      if (topSuit != suit) return false;
      return FoundationIndex(target) >= 0 && FoundationIndex(target) < 4 ? Higher(topRank, rank)
                                                                        : Lower(topRank, rank);
    case kRuleCustom: return cb.customRule && cb.customRule(target, source, 1, suit, rank);
    case kRulePairCallback:
      return cb.pairRule && cb.pairRule(target, target, 1, topSuit, topRank, suit, rank);
    default: return false;
  }
}

bool GenRulesMayDropOnEmpty(int rule, int kindBase, int target, int source, int suit, int rank,
                            int count) {
  const Gen& g = g_GenLive;
  const GenVariantCallbacks& cb = GenGetCallbacks();
  // Rank 18: the rank just below the lowest rank (the king below the ace).
  int lowest = AceAs1(g.lowestRank < 1 ? 1 : g.lowestRank);
  int below = lowest == 1 ? 13 : lowest - 1;
  switch (kindBase) {
    case kWhereFoundation:
      switch (rule) {
        case kRuleUpOrDownAnySuit: return true;
        case kRuleUpSameSuit:
        case kRuleUpAnySuit:
        case kRuleUpOtherColour: return GenRulesSameRank(rank, lowest);
        case kRuleCustom: return cb.customRule && cb.customRule(target, source, 1, suit, rank);
        case kRuleFoundationPairs: return FoundationPairsMayStart(target, suit, rank);
        default: return false;
      }
    case kWhereCell:
      if (rule == kRuleAnything || rule == kRuleCellAnyCard) return true;
      return rule == kRuleSingleCard && count == 1;
    case kWhereTableau:
    case kWhereFan:
      switch (rule) {
        case kRuleKingOnly: return rank == 13;
        case kRuleBelowLowest: return AceAs1(rank) == below;
        case kRuleNothingOnEmpty: return false;
        case kRuleSingleCard: return count == 1;
        case kRuleTableauSpace:
          if (kindBase == kWhereFan) return true;
          return cb.tableauSpace && cb.tableauSpace(target, source, 1, suit, rank);
        default: return true;
      }
    default:
      return false;
  }
}
