// GenDeal.h - the deck, the shuffle and the deal.
//
// A game is named by its deal number: the same variant and number always give
// the same layout. The deck is filled in a fixed order (the Spider family
// draws its suits from the deal number first) and shuffled by MT19937 seeded
// with the deal number. The cards to be dealt wait in the deal group (800):
// its count is the number of cards to deal, the deal plan names each card's
// pile and the group's card slots carry each card's face. The deal itself
// is an animation (AnimSetupFromDeal) that ends in GenDealAnimationDone.
#pragma once

#include <cstdint>

#include "Game/CardGroup.h"

// Fills the deck's cards in order for its card count (52, 104 or 156; the
// Spider family by its own suits; any other count leaves the deck untouched).
void GenSetupDeck();
// The same for any pile: its first numCards slots get the cards of game's
// deck for the deal number in their order before the shuffle (the Spider
// family's suits follow the deal number); false, with the pile untouched,
// for a count other than 52, 104 and 156 outside the Spider family. Only
// suits, ranks and the count are written.
bool GenFillDeckOfDeal(CardGroup& deck, int game, uint32_t dealNumber);
// 70,000 seeded swaps of suit and rank (a from 1 to n - 1, b below a); a deck
// of fewer than 2 cards is left alone.
void GenShuffleDeck();
// The same shuffle seeded with another number (a redeal of the cards in the
// deck), leaving the deal number as it is.
void GenShuffleDeckWithSeed(uint32_t seed);
// When the record is ready: GenSetupDeck, then GenShuffleDeck.
void GenSetupAndShuffleDeck();
// A new deal of the set-up variant: the deal number (setNumber: the given
// number with haveNumber, else a random one), the deck, the card turns and
// spacing, the variant's deal callbacks and the deal animation. With card
// animation off in the options every card is placed at once.
void GenDeal(bool setNumber, bool haveNumber, unsigned number);
// Fill the deal plan to the tableaus (forwards from the first or backwards
// from the last; deal face mode 3 starts each pass one pile further on) or to
// the fans in turn. Each gives 1, or 0 (nothing planned) when the record is
// not ready, there are no piles of the kind, the deal group is empty or it
// holds more cards than the deck.
int GenPlanDealToTableaus(bool backwards);
int GenPlanDealForward();
int GenPlanDealBackward();
int GenPlanDealToFans();
// The deal animation's finish step: the clock's hold ends, the deal group is
// emptied, the first-game offer becomes pending, then slot 2 (deal with its
// own animation) when set, else slot 4 (autoplay). Gives false.
bool GenDealAnimationDone(int a, int b);
// Every card in play gets a new small random turn by the card-angle option.
void GenSetRandomCardAngles();
// The spacing variation by the card-spacing option; unless keepFactors, the
// ready record's cards draw new spacing factors and the piles are re-laid out.
void GenSetCardSpacingLevel(bool keepFactors);
