// CardsAnim.h - the card-move animation engine.
//
// Flies cards from one CardGroup to another: each card leaves its source,
// follows an arc (turning over when its face changes) and is added to the
// target when it lands. Custom animations (celebrations) supply their own
// per-card motion. Four slots, zero-filled between uses; the set-up calls
// work on slot 0, the tick, drawing and hooks serve all four.
//
// Kinds of move (type 1):
//   one by one   cards leave and land one after the other, each on top of
//                the target (a run taken from the end lands reversed)
//   whole group  all cards fly together; order byte 1 lands them in entry
//                order, 0 from the last entry to the first (a run taken from
//                the end keeps its order)
//   timed        a card is launched every 1 / (rate x speed scale) seconds,
//                landing places computed at set-up
//
// A slot that ends before every card has landed (a tick error, a stop) first
// lands the cards still in flight or waiting: on their target, or back on
// their source when the target has no room (CardsAnimLandNow), so no card is
// ever lost. Only CardsAnimCancel / CardsAnimCancelAll drop a slot as it is;
// they are for the moment the whole game record is about to be replaced.
//
// Behaviour of one slot:
//   idle (zero) -> prepared (Begin: type 1, inactive) -> active -> finished
//   (landed, zero-filled, end callback 1, end callback 2, end-or-cancel hook)
#pragma once

#include <cstdint>

#include "Game/Card.h"
#include "Game/CardGroup.h"

constexpr int kCardsAnimSlots = 4;
constexpr float kCardsAnimLift = 3.0f;
constexpr int kCardsAnimTypeMove = 1;
constexpr int kCardsAnimTypeCustom = 5;

struct CardsAnimEntry {
  CardGroup* source;
  CardGroup* target;
  float sourceGroupPos[3], targetGroupPos[3], groupPosDelta[3];
  float sourceSwing, targetSwing, swingDelta;
  float groupPosNow[3];
  float swingNow;
  int32_t sourceIndex, targetIndex;
  Card sourceCard;   // the moving card as it was at set-up
  Card targetCard;   // the target slot at set-up, with the requested face
  Card drawnCard;    // what is drawn in flight
  uint8_t state;     // 0 not started, 1 flying, 2 waiting (one by one) / landed (timed)
  float t;           // progress 0 .. 1
  float startPos[3], endPos[3], posDelta[3];
  float startRot[3], endRot[3], rotDelta[3];
  uint8_t visible;
  float speed;
  float posNow[3], rotNow[3], scaleNow[3];
  int32_t startSound, endSound;  // sound number + 1; 0 = none
  int32_t customWords[12];
  uint8_t landed;    // the card is in its final pile (also set by a forced landing)
};

using CardsAnimEndCB = void (*)(int slot);
using CardsAnimStartCB = void (*)(int slot);
using CardsAnimTickCB = void (*)();
using CardsAnimCardCB = void (*)(int index, CardsAnimEntry* entry);
using CardsAnimSoundFn = int (*)(CardsAnimEntry* entry, int index);

struct CardsAnimSlot {
  uint8_t active;
  int32_t type;
  int32_t numCards;
  CardsAnimEntry entries[kCardGroupMaxCards];
  CardGroup workGroup;       // placed at each entry's group position to draw it
  uint8_t turnDirection;
  int32_t cardsAdded;        // prepared / landed / started, by the move's kind
  float timedClock;
  int32_t cardsTogether;
  uint8_t wholeGroup;
  uint8_t wholeGroupOrder;
  uint8_t timed;
  uint8_t timedDone;
  float speed;
  CardsAnimEndCB endCB1;
  CardsAnimEndCB endCB2;
  CardsAnimTickCB customTick;
  CardsAnimCardCB customCard;
  int32_t dealFlag;
};

// ---- Setting up a move (slot 0) --------------------------------------------------
// Refuses while the slot is active ("Animation already on"), a count outside
// 1-156 or a speed not above 0 ("Invalid num cards or speed"); cardsTogether
// above 1 must equal the count ("Moving subset of cards not supported").
bool CardsAnimMoveCardsBetweenGroupsBegin(int numCards, int cardsTogether, float speed,
                                          CardsAnimEndCB endCallback);
// One card: "Not prepared", "Invalid from card", "Invalid \"to\" card",
// "Too many cards being added (%d)". faceUp -1 keeps the card's face.
bool CardsAnimMoveCardsBetweenGroupsAddCard(CardGroup* source, int sourceIndex, CardGroup* target,
                                            int targetIndex, int faceUp, int hookFlag);
// Starts the prepared move ("Not prepared", "Incorrect number of cards added").
bool CardsAnimMoveCardsFromGroupToGroupEnd(bool timed);
// The whole set-up in one call; sourceIndex -1 takes the cards from the top.
bool CardsAnimMoveCardsFromGroupToGroup(int numCards, int cardsTogether, bool timed, int order,
                                        CardGroup* source, CardGroup* target, int sourceIndex,
                                        int faceUp, float speed, CardsAnimEndCB endCallback,
                                        int hookFlag);
// Untimed, from the end.
bool CardsAnimMoveCards(int numCards, int cardsTogether, int order, CardGroup* source,
                        CardGroup* target, int faceUp, float speed, CardsAnimEndCB endCallback,
                        int hookFlag);
bool CardsAnimMoveOneCard(CardGroup* source, CardGroup* target, int sourceIndex, int faceUp,
                          float speed, CardsAnimEndCB endCallback, int hookFlag);
bool CardsAnimMoveTopCard(CardGroup* source, CardGroup* target, int faceUp, float speed,
                          CardsAnimEndCB endCallback, int hookFlag);
// A custom animation of numCards entries (type 5): "Animation already on",
// "Invalid speed", "Invalid num cards %d". Calls start(slot), then
// cardSetup(index, entry) for each entry.
bool CardsSetupCustomAnimation(int numCards, float speed, CardsAnimStartCB start,
                               CardsAnimTickCB tick, CardsAnimCardCB cardSetup,
                               CardsAnimCardCB cardTick, CardsAnimEndCB endCallback);

// ---- While running ---------------------------------------------------------------
// Each entry of slot 0 gets fn(entry, index) + 1 as its sound (0 without a
// function); only while active ("Animation not on").
bool CardsAnimSetSoundsForAllCardsCB(CardsAnimSoundFn startSound, CardsAnimSoundFn endSound);
// Slot 0-3, else "Bad animation number %d"; called whenever the slot ends or
// is cancelled.
void CardsRegisterOnEndOrCancelCB(int slot, CardsAnimEndCB callback);
// The slot's end-or-cancel hook; null for none or a bad slot.
CardsAnimEndCB CardsAnimGetOnEndOrCancelCB(int slot);
bool CardsAnimIsAnimating();
bool CardsAnimIsSlotActive(int slot);
bool CardsAnimHasEndCallback(int slot);
bool CardsAnimHasSecondEndCallback(int slot);
void CardsAnimSetEndCallback(int slot, CardsAnimEndCB callback);
void CardsAnimSetSecondEndCallback(int slot, CardsAnimEndCB callback);
void CardsAnimSetDealFlag(int slot, int flag);
int CardsAnimGetDealFlag(int slot);
// The slot record (read access, and write access for the set-ups that adjust
// entries after the start); null for a bad slot.
const CardsAnimSlot* CardsAnimGetSlot(int slot);
CardsAnimSlot* CardsAnimGetSlotToEdit(int slot);

// Lands every card of a move slot that has not landed yet: on its target when
// the target has room, else back on its source; then compacts the sources.
// The slot stays as it is otherwise. Nothing for an idle or custom slot.
void CardsAnimLandNow(int slot);
// Lands what is left (CardsAnimLandNow), zero-fills the slot, then with
// callCallbacks end callback 1 and 2, then the end-or-cancel hook.
void CardsAnimFinish(int slot, bool callCallbacks);
// Zero-fills the slot as it is (cards in flight are dropped), then the
// end-or-cancel hook. Only for when the game record is about to be replaced.
void CardsAnimCancel(int slot);
// Zero-fills all four slots, no callbacks, no hooks.
void CardsAnimCancelAll();
// One frame of a slot (advance by the frame time); always true.
bool CardsAnimTick(int slot);
void CardsAnimTickAll();
// Draws the cards in flight when card graphics exist.
void CardsAnimRenderAll();
// The interpolated place of an entry at its t (sets the drawn card).
void CardsAnimTickGetCardRenderPosAndRots(int slot, CardsAnimEntry* entry);
