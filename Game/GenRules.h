// GenRules.h - the pick-up and drop rules as named predicates.
//
// Why rule bytes: the 84 variants differ mostly in what may be lifted from a
// kind of pile and what a kind of pile takes, so those choices are data, not
// code. A variant sets eighteen rule bytes in its game record (nine pick-up
// rules, one per kind of pile, and nine drop rules); each byte holds one of
// the codes below. Because the bytes live in the record, a saved game, an
// undo step and every trial copy carry the rules they were played by, and
// one set of predicates serves the player's drags, the candidate lists, the
// quick-move search and autoplay alike. What no code can say (a variant's
// own build order, its spaces, its pairs) goes through the variant's rule
// slots instead, reached from the codes 14, 20 and 21.
//
// The standard pick-up tests every pair of a lifted run (a = the lower
// card, b = the next card up); the standard drop tests the first carried
// card (b) against the target's top card (a), or, on an empty pile, against
// the kind's empty-pile rule. All tests read the live record's rank
// settings (lowest rank, aces high, rank wrap) through GenIsNextLowerRank /
// GenIsNextHigherRank.
//
// The callback rules (14 custom, 20 tableau space, 21 pair) call the
// variant's slots 5, 6 and 7; an empty slot refuses (pick-up rule 21 with an
// empty slot tests nothing).
#pragma once

struct Card;

// Rule codes. Pick-up rules use 1-9, 14, 16 and 21; drop rules on a card use
// 0-7, 9-14 and 21; empty-pile rules use 0, 7-8, 10-20 by kind.
enum GenRuleCode : int {
  kRuleAnything = 0,
  kRuleDownOtherColour = 1,      // one rank lower, other colour
  kRuleDownSameSuit = 2,         // one rank lower, same suit
  kRuleDownSameColour = 3,       // one rank lower, same colour
  kRuleUpOrDownSameSuit = 4,     // one rank lower or higher, same suit
  kRuleDownOtherSuit = 5,        // one rank lower, other suit
  kRuleDownAnySuit = 6,          // one rank lower, any suit
  kRuleUpOrDownAnySuit = 7,      // one rank lower or higher, any suit
  kRuleSingleCard = 8,           // one card at a time
  kRuleSuitRunOrSameRank = 9,    // a run down in suit, or cards of one rank
  kRuleUpSameSuit = 10,          // one rank higher, same suit
  kRuleUpAnySuit = 11,           // one rank higher, any suit
  kRuleUpOtherColour = 12,       // one rank higher, other colour
  kRuleFoundationPairs = 13,     // same suit: up on foundations 0-3, down on 4 and above
  kRuleCustom = 14,              // the variant's custom rule (slot 5)
  kRuleCellAnyCard = 15,         // an empty cell takes any card
  kRuleNone = 16,                // nothing may be lifted / dropped
  kRuleKingOnly = 17,            // an empty pile takes a king
  kRuleBelowLowest = 18,         // an empty pile takes the rank below the lowest rank
  kRuleNothingOnEmpty = 19,      // an empty pile takes nothing
  kRuleTableauSpace = 20,        // the variant's empty-tableau rule (slot 6)
  kRulePairCallback = 21,        // the variant's pair rule (slot 7)
};

// Rules 1-7: card b may follow card a (suits 0-3, ranks 1-14). Any other
// rule gives false.
bool GenRulesStepFits(int rule, int suitA, int rankA, int suitB, int rankB);

// Pick-up: may the run of n cards (bottom first) be lifted from pile where
// by the rule? Rule 8 and 16 are the caller's (they depend on the run's
// length and refuse before the pairs are tested); 14 asks slot 5 once with
// the first card; 21 asks slot 7 for every pair; other codes outside 1-9
// test nothing.
bool GenRulesRunMayBeLifted(int rule, int where, const Card* const* run, int n);

// Drop on a card: may a run whose first card is (suit, rank) go on top card
// (topSuit, topRank) of pile target (source: the pile it came from)?
bool GenRulesMayDropOnCard(int rule, int target, int source, int topSuit, int topRank, int suit,
                           int rank);
// Drop on an empty pile of a kind (kind base code 10, 100, 200 or 300) by
// its empty-pile rule; count is the number of cards carried.
bool GenRulesMayDropOnEmpty(int rule, int kindBase, int target, int source, int suit, int rank,
                            int count);

// The rank a card shows for the rules: the ace reads as 14 when the live
// record has aces high.
int GenRulesRank(const Card& card);
// Rank a is rank b, an ace counting as 1 or 14 alike.
bool GenRulesSameRank(int a, int b);
