// AnimSetup.h - the game's use of the animation engine: the glue (finish
// callbacks, start delay, per-frame tick and render, the end-or-cancel
// hook, sounds) and one set-up per pair of pile kinds.
//
// The game layer never drives CardsAnim directly for a rules move: it calls
// the set-up for its pair of pile kinds, which checks the pile indices
// against the live game record, picks the mode, face and speed and attaches
// the sounds. Set-ups start slot 0; a refused set-up reports "Parameter
// Error" (or the message given) under its own name and starts nothing.
//
// State (reset by AnimReset, which GenInit calls): the finish and
// post-finish callbacks (one-shot), the skip counter, the resume time and the
// camera override.
#pragma once

#include "Game/CardGroup.h"
#include "Game/GenCallbacks.h"

// ---- Glue ------------------------------------------------------------------------
// Points the engine's speed scale at the player's animation speed, registers
// AnimEndOrCancelCB as slot 0's hook and clears the four slots.
void AnimInit();
// Clears the callbacks, the skip counter, the resume time and the override.
void AnimReset();
// Null clears; replacing a set callback reports "Callback already specified
// - overwriting". Either way slot 0's end callback 1 becomes AnimFinishCB.
void AnimSetFinishCB(GenStepCB callback);
// The same for the post-finish callback; slot 0's end callback 2 becomes
// AnimPostFinishCB (none when cleared).
void AnimSetPostFinishCB(GenStepCB callback);
// Score, then the finish callback (0, 0) when set (it is taken off first, so
// it runs once), then the score again.
void AnimFinishCB(int slot);
// The post-finish callback (0, 0) when set.
void AnimPostFinishCB(int slot);
// When no slot is active any more: clears both callbacks, runs GenAfterMove,
// clears the camera override, recomputes the score and rebuilds the pick-up
// candidates.
void AnimEndOrCancelCB(int slot);
// Ends slot 0 at once: every card still flying or waiting lands (on its
// target, or back on its source when the target is full), the record is
// checked (GenCheckOk), then the slot finishes (with its callbacks unless
// quiet); score and pick-up candidates follow.
void AnimStopNow(bool quiet);
// Drops all four slots without callbacks: only when the whole game record is
// about to be replaced.
void AnimCancelAll();
// Holds the next animation ticks back: three frames, then 0.2 s after each.
void AnimSetStartDelay();
// One frame: the start delay, then every slot's tick.
void AnimTick();
// True while AnimTick has work: cards in flight, a celebration, or a start
// delay not yet over.
bool AnimHasWorkForTick();
// Draws the cards in flight.
void AnimRender();
bool AnimIsAnimating();
bool AnimIsDealAnimating();
bool AnimHasFinishCB();
bool AnimHasPostFinishCB();
// The game's finish / post-finish callback is set (waiting to run).
bool AnimIsFinishCBSet();
bool AnimIsPostFinishCBSet();
// Drops a pending start delay (a save that must finish the moves now).
void AnimClearStartDelay();
// A pause in the moves: slot 0 runs a card-less animation for that many
// seconds of frame time, so that input, undo and saving wait as for any
// move and the table keeps being drawn; then `then` runs as its finish
// step. A pause of no time runs `then` at once. False when slot 0 is busy.
bool AnimStartPause(float seconds, GenStepCB then);
void AnimSetCameraOverride(bool on);
bool AnimGetCameraOverride();
// Gives every card of the running animation a launch sound (deal: rand() % 5
// + 10, move: rand() % 5 + 5) and a landing sound (rand() % 5).
void AnimSetSounds(bool deal);
// Move launch sounds and/or landing sounds; none for a false choice.
void AnimSetSoundsChoice(bool launch, bool landing);
// The card sound hook: plays a card's launch or landing sound (foundation
// landings by the player's foundation sound and effect option).
void AnimCardSoundCB(int sound, CardGroup* source, Card* sourceCard, CardGroup* target,
                     Card* targetCard, bool start);

// ---- The deal -----------------------------------------------------------------
// Plays the live record's deal plan back as one timed move from the deck:
// card k (the deck's top card at its turn) goes to the next free slot of the
// pile dealPlan[k] names, with the face of deal-group slot k. A code naming
// no pile in use, or a full pile, is reported ("Unknown deal place [%d] %d")
// and skipped; planning stops when the deck is empty, so no card is lost. In
// deal face modes 2 and 3 the last card dealt to each tableau lands face up
// (in mode 2 it flies at speed 0.5). Speed 0.35 x the record's deal speed
// (when not 0); deal sounds; slot 0 carries the deal flag. Does nothing when
// there is nothing to deal.
bool AnimSetupFromDeal(int dealFlag);

// ---- Moves by pile pair (n cards, source index, target index, speed) -----------
bool AnimSetupMoveNCardsFromDeckToWaste(int n, float speed);
bool AnimSetupMoveNCardsFromTableauToFoundation(int n, int tableau, int foundation, float speed);
bool AnimSetupMoveCardFromTableauToCell(int tableau, int cell, float speed);
bool AnimSetupMoveNCardsFromTableauToReserve(int n, int tableau, int reserve, float speed,
                                             bool together);
bool AnimSetupMoveNCardsFromFanToFoundation(int n, int fan, int foundation, float speed);
bool AnimSetupMoveACardFromFanToCell(int fan, int cell, float speed);
bool AnimSetupMoveNCardsFromCellToFoundation(int n, int cell, int foundation, float speed);
bool AnimSetupMoveNCardsFromCellToTableau(int n, int cell, int tableau, float speed);
bool AnimSetupMoveNCardsFromCellsToTableau(int n, int firstCell, int tableau, bool cycleCells,
                                           float speed, bool cycleTableaus, bool oneEach);
bool AnimSetupMoveNCardsFromCellToReserve(int n, int cell, int reserve, float speed);
bool AnimSetupMoveNCardsFromFoundationToTableau(int n, int foundation, int tableau, float speed);
bool AnimSetupMoveNCardsFromWasteToFoundation(int n, int foundation, float speed);
bool AnimSetupMoveNCardsFromWasteToReserve(int n, int reserve, float speed);
bool AnimSetupMoveNCardsFromDeckToFoundation(int n, int foundation, float speed);
// Timed; nothing at all when the deck is empty; n is cut to the deck's count;
// with cycle the target pile advances after each card (wrapping).
bool AnimSetupMoveNCardsFromDeckToTableau(int n, int tableau, bool cycle, float speed);
bool AnimSetupMoveNCardsFromDeckToFan(int n, int fan, bool cycle, float speed);
bool AnimSetupMoveNCardsFromDeckToReserve(int n, int reserve, bool cycle, float speed);
bool AnimSetupMoveNCardsFromDeckToCells(int n, int cell, bool cycle, float speed);
bool AnimSetupMoveNCardsFromReserveToFoundation(int n, int reserve, int foundation, float speed);
bool AnimSetupMoveNCardsFromReserveToTableau(int n, int reserve, int tableau, float speed,
                                             bool together);
bool AnimSetupMoveNCardsFromReserveToFan(int n, int reserve, int fan, float speed);
bool AnimSetupMoveNCardsFromReserveToCell(int n, int reserve, int cell, float speed);
bool AnimSetupMoveNCardsFromWasteToTableau(int n, int tableau, float speed);
bool AnimSetupMoveNCardsFromWasteToDeck(int n, bool together, float speed);
bool AnimSetupMoveNCardsFromTableauToTableau(int n, int from, int to, float speed);
bool AnimSetupMoveNCardsFromFanToFan(int n, int from, int to, float speed);
bool AnimSetupTurnOverCardInTableau(int tableau, float speed, bool faceDown);
bool AnimSetupMoveAllCardsFromReserveToDeck(int reserve, float speed);

// ---- One move by its pair of pile kinds ----------------------------------------
// n cards from one pile to another, each named by its kind's base code
// (kWhereTableau, ...) and its index within the kind (the deck and the
// waste: 0).
struct AnimPileMove {
  int n = 1;
  int fromKind = 0, from = 0;
  int toKind = 0, to = 0;
  float speed = 1.0f;
  bool cycle = false;     // from the deck: the target pile advances after each card
  bool together = false;  // tableau and reserve, waste to deck: the cards fly as one
};
// Forwards to the named set-up of the pair of kinds above (a single-card
// pair ignores n). False when that set-up refuses, and for a pair without
// one (nothing reported here: the caller knows what it asked for).
bool AnimSetupMove(const AnimPileMove& move);
// A set-up exists for the pair of kinds; for a source kind to any target.
bool AnimSetupHasMove(int fromKind, int toKind);
bool AnimSetupHasMoveFrom(int fromKind);

// ---- Gathering all cards back to the deck (a redeal) ---------------------------
// From where the game's row says (GameDef::gatherFrom): every foundation,
// every tableau, or reserve 0.
bool AnimSetupGatherAllCardsToDeck(float speed);
// One timed move of every card of the kind, pile by pile, each from the top
// down, onto successive deck slots with the face of the deck's first slot.
bool AnimSetupMoveAllCardsFromFoundationsToDeck(float speed);
bool AnimSetupMoveAllCardsFromTableausToDeck(float speed);
bool AnimSetupMoveAllCardsFromFansToDeck(float speed);
// One timed move of the top card of each listed tableau pile (indexes, in
// list order) onto successive deck slots with the face of the deck's first
// slot; a pile listed twice gives its next card. An index out of range or
// an empty pile: "Parameter Error" and nothing moves.
bool AnimSetupMoveTopCardsFromTableausToDeck(const int* tableaus, int count, float speed);
