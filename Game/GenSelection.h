// GenSelection.h - selection, pick-up and drop: the move handler that turns
// mouse buttons into lifts and drops, the standard pick-up and drop by the
// record's rule bytes, the hit test, the candidate lists with the drag and
// its best drop candidate, and the one-click send to a foundation.
//
// The player presses on a card (the cards from it to the top of its pile are
// lifted into the selection, pile 801), drags them, and releases over a pile:
// the selection is dropped there when the rules allow, otherwise it is
// cancelled and the cards lie again where they were lifted from. A variant
// decides which standard operations to call in its selection handler (slot
// 3); most call GenStdPickupOrDrop for the kind of the pile hit.
//
//   nothing carried -> press (lift; pick-up copy taken) -> carried (each
//   pointer move drags and picks the best drop candidate) -> release (drop,
//   or cancel: the pick-up copy is restored) -> nothing carried
//
// A running animation or a record that is not ready blocks the whole cycle.
// Inside a quick-move search (GenQuickMove.h) a refused drop leaves the
// cards carried so that the next target can be tried.
//
// The pointer: the platform hands screen positions to GenSetPointer, which
// turns them into table points through the pick ray (GenSetPickRayCB); tests
// and the headless build give table points directly (GenSetPointerTablePoint).
#pragma once

#include "Game/CardGroup.h"

// ---- The move handler --------------------------------------------------------
// button 0 left, 1 right (after the swapped-buttons option); down 1 press, 0
// release; trial 1 when a quick-move check calls it. False when an animation
// runs or the record is not ready, after a quick move, and for a click that
// hit nothing or that the variant refused; true when the variant's handler
// took the click.
bool GenHandleSelection(int button, int down, int trial);

// ---- Standard pick-up and drop -------------------------------------------------
// Lifts the run under the current hit from a pile of the kind (its base code).
// 1 when the press was taken (lifted, or refused by a rule), 0 when nothing
// could be lifted there. With trial nothing is lifted and the result says
// whether the lift would be allowed. An unknown kind logs "Selection pickup
// not implemented [%d]".
int GenStdSelectionPickup(int button, int down, int kindBase, int trial);
// Drops the carried cards on a pile of the kind: the best drop candidate, or
// the current hit with targetGiven (and always inside a quick-move search).
// True when the release was taken (dropped, or refused and the selection
// cancelled), false when the drop does not apply. With trial nothing moves
// and the result says whether the drop would be allowed. An unknown kind
// logs "Selection drop not implemented [%d]".
bool GenStdSelectionDrop(int button, int down, int kindBase, int trial, int targetGiven);
// The non-trial forms variants call, and the lift that falls back to the
// drop (a press lifts, a release drops).
int GenStdPickup(int button, int down, int kindBase);
bool GenStdDrop(int button, int down, int kindBase);
bool GenStdPickupOrDrop(int button, int down, int kindBase);

// Clears highlights, the drop list and the best candidate, then puts the
// carried cards back where they were lifted from (the pick-up copy). Does
// nothing while a quick-move search tries its targets.
void GenCancelSelection();
// Keeps the live game as it is before a lift (done by every lift).
void GenTakePickupCopy();
// The pick-up copy (GenPickupCopy()) holds the game as it was at the lift
// of the cards now carried.
bool GenIsPickupCopyPending();

// In-game key F: sends the face-up top card under the pointer (tableau, fan,
// reserve, cell, deck or waste) to the first foundation that takes it, as an
// animated move. 1 when a move started.
int GenSendClickedCardToFoundation();

// ---- Pointer and hit test --------------------------------------------------------
// (screen x, screen y, plane height) -> table point; false when the ray
// misses.
using GenPickRayFn = bool (*)(float screenX, float screenY, float planeZ, float* x, float* y);
// The platform's pick ray; null (the headless build) uses the table point
// given last.
void GenSetPickRayCB(GenPickRayFn pickRay);
// Stores the pointer's screen position, turns it into a table point (z = 0)
// and updates the drag.
void GenSetPointer(float x, float y);
// Stores a table point for the pointer directly (the same at every height)
// and updates the drag: the headless seam for the pick ray.
void GenSetPointerTablePoint(float x, float y);
// The pointer's point on the table at height z: the placed point in a
// quick-move check, else the pick ray's point (or the table point given);
// less the grab offset while cards are carried.
void GenGetPointerTablePoint(float z, float* x, float* y);
// The pile and card under the pointer; the last success in the fixed order
// deck, waste, reserves, cells, tableaus (with their columns on a release),
// foundations, fans counts. card is the card hit in a tableau, fan or
// reserve; the deck, the waste, a cell and a foundation give their top card
// (-1 when empty); the area beside a pile's cards (a reserve's area, a
// tableau's column, a fan's row) gives -1, so a press there lifts nothing.
// False (code 0) when nothing was hit. With nothing carried each success
// stores the grab offset.
bool GenHitTestPiles(int* code, int* card, bool release);

// ---- Candidates, drag and highlights ------------------------------------------------
struct GenCandidate {
  int kindBase;        // 10, 100, 200, 300, 400, 500 or 600
  int index;           // pile index within the kind
  bool empty;          // the pile holds no card
  bool isSource;       // the pile the selection came from
  int topIndex;        // the top card's index (0 when empty)
  CardGroup* pile;
  Card* top;           // the top card, or the first slot when empty
};
constexpr int kGenMaxDropCandidates = 52;
constexpr int kGenMaxPickupCandidates = 156;

// Rebuilt after every lift: each pile that would take the carried cards, the
// source pile flagged. Only while cards are carried.
void GenBuildDropCandidates();
// Rebuilt whenever nothing is carried after a move: each card (or empty
// pile) that could be lifted now.
void GenBuildPickupCandidates();
int GenGetDropCandidateCount();
const GenCandidate* GenGetDropCandidate(int i);
int GenGetPickupCandidateCount();
// The drop list entry the carried cards are over, -1 for none.
int GenGetBestDropCandidate();
void GenResetBestDropCandidate();
// Moves the selection with the pointer, chooses the best drop candidate and
// (unless trial) highlights its top card.
void GenUpdateDrag(bool trial);
void GenFindBestDropCandidate();
// Clears the highlight of every card of every pile in use.
void GenClearHighlights();
