// CardGroup.h - a pile of cards on the table and its layout ("alignment").
//
// A group owns 156 card slots (three decks); slots 0 .. numCards - 1 hold its
// cards, slot numCards - 1 is the top. It lays the cards out by one of ten
// alignment types:
//   1 stack            every card at (0, 0, i x depth)
//   2 column down      fitted to a bottom limit; swings while dragged
//   3 row right        fitted to a right limit
//   4 row left         fitted to a left limit
//   5 centred row
//   6, 7 fans          arc bending down / up
//   8, 9               no layout (a re-layout gives false)
//   10 spread fan      horizontal spread on an arc
// The game record holds its groups by value. Copying a group (copy
// constructor or assignment) re-links the copied cards' owner pointers to the
// new group, so a copied record never points into the record it came from.
//
// Slots are written only when a group needs them: slots [0, writtenSlots)
// have been made (cards, or blank cards as Card() makes them), the slots
// past them are blank and have never been touched. A set-up, a layout or an
// added card makes the slots it needs; a group no game uses keeps its 156
// slots out of memory, and a reset, a copy or an image touches only the
// slots made (the image writes the others as blank cards). Code that writes
// slots directly does so in groups that have been set up (all 156 made).
//
// Failures are reported under the operation's qualified name and give false;
// the group is left as it was at the point of failure.
#pragma once

#include <cstdint>

#include "Engine/EngMath.h"
#include "Game/Card.h"

class EngTexture;

constexpr int kCardGroupMaxCards = 156;
constexpr int kCardGroupImageHeadSize = 196;
constexpr int kCardGroupImageSize = kCardGroupImageHeadSize + kCardGroupMaxCards * kCardImageSize;
constexpr int kCardGroupCompactHeadSize = 100;
constexpr int kCardGroupCompactSize =
    kCardGroupCompactHeadSize + kCardGroupMaxCards * kCardCompactSize;

// The compact group of saved pictures: 16,324 little-endian bytes.
struct CardGroupCompact {
  uint8_t bytes[kCardGroupCompactSize];
};

// The set-up of a group (CardGroup::SetupCardGroup), every field named at
// the call; a field not named keeps the value here.
struct CardGroupSetup {
  int maxCards = kCardGroupMaxCards;  // 1-156; 0 or less keeps the group's max
  int numCards = 0;                   // below 0 keeps the group's count
  int faceUp = 1;                     // the face flag of every slot
  bool setPosition = true;            // (x, y, z) becomes the group's position
  float x = 0, y = 0, z = 0;
  bool setAlignment = true;           // the type and the gaps below are laid out
  int alignType = 1;                  // 1-10 (see above)
  int cardsForSpacing = 0;            // cards a fan or centred row is laid out for
  float relFaceUpGap = 0;             // the face-up gap in card heights (also the default gap),
  float absFaceUpGap = 0;             // or in table units
  float relFaceDownGap = 0;
  float absFaceDownGap = 0;
  bool fillAsDeck = false;            // the slots hold one or two decks (a count of 52 or 104)
  int where = -1;                     // the pile code; below 0 keeps the group's
  int secondCode = 0;                 // the index within its kind; below 0 keeps the group's
};

class CardGroup {
 public:
  uint8_t active;             // 0 = not set up
  uint8_t moved;              // dragged; cards still easing back (TickFollow)
  int32_t numCards;
  int32_t maxCards;           // 1 .. 156 once set up
  float pos[3];               // table position
  float pileHeight;           // numCards x card depth
  int32_t alignType;          // 1-10
  float swing;                // Z rotation of the group matrix (type 2)
  float fanSpread;            // type 10
  float fanRadius;            // type 10, in card heights
  float faceUpGap;
  float faceDownGap;
  int32_t cardsForSpacing;    // cards a fan or centred row is laid out for
  uint8_t drawEmptySpace;
  int32_t where;              // group_where code
  int32_t secondCode;         // index within its kind
  int32_t gameWordB;          // kept for the game layer
  int32_t markerModel;        // -1 = none
  uint8_t turnDirection;      // cards leaving by animation turn the other way
  float defaultRelFaceUpGap;
  float defaultRelFaceDownGap;
  uint8_t hasRightLimit;
  float rightLimitX;
  uint8_t hasBottomLimit;
  float bottomLimitY;
  uint8_t ownBottomOn;
  float ownBottomY;
  float bottomDepth;          // non-zero: the column may reach this far below y
  uint8_t ownRightOn;
  float ownRightX;
  float rightLength;          // non-zero: the row may reach this far right of x
  EngMatrix groupMatrix;      // translation, then the swing about Z
  EngTexture* emptyTexture;   // drawn while empty; a link, never saved
  // Changes whenever slots past the top card may have changed (a layout, an
  // added or removed card, a reset or a read); never saved. Two groups with
  // equal heads (stamp included) and equal cards up to their count are the
  // same pile in every slot, which lets GenCopyRecord skip unchanged piles.
  uint32_t changeStamp;
  // Slots made so far (see above); never saved.
  int32_t writtenSlots;
  union {  // the slots are made one by one (MakeSlots), not with the group
    Card cards[kCardGroupMaxCards];
  };

  CardGroup();
  ~CardGroup();
  CardGroup(const CardGroup& other);
  CardGroup& operator=(const CardGroup& other);

  // Validates first: the resulting max must lie in 1-156 ("Invalid max cards
  // num [%d]"), the resulting count in 0..max ("Invalid num cards [%d]"), and
  // with fillAsDeck the count must be 52 or 104 ("Invalid num cards to fill
  // for deck"); on any refusal nothing changes. Then: max (> 0) and count
  // (>= 0) replace theirs, the type (setAlignment), swing 0, the position
  // (setPosition); slots filled as a deck (hearts, spades, diamonds, clubs A-K,
  // repeated) or all 156 set up blank; codes >= 0 replace theirs; the relative
  // gaps become the defaults; active; the alignment (setAlignment); rest
  // places remembered; owners, Refresh, the group set-up hook.
  bool SetupCardGroup(const CardGroupSetup& setup);
  // Stores the gaps (face-up pair, then face-down pair; a pair with both a
  // relative and an absolute gap is "Specify only one gap parameter"), then
  // lays out all 156 slots by the type. With neither gap of a pair given and
  // both defaults set, the call restarts with the defaults.
  bool UpdateGroupAlignment(int newCardsForSpacing, float relFaceUp, float absFaceUp,
                            float relFaceDown, float absFaceDown);
  // UpdateGroupAlignment(newCardsForSpacing, 0, 0, 0, 0).
  bool Realign(int newCardsForSpacing);
  // Pile height, re-layout when asked, group matrix.
  bool Refresh(bool relayout);
  // Copies the card into slot numCards (CardsCopyCard rules), makes this its
  // owner, counts it and refreshes. A full group: "Too many cards in group".
  bool AddCardToGroup(const Card* card, bool copyPlacement, bool copyRotations, bool relayout);
  // Drops the top card (owner and both-sides cleared): "No cards in group".
  bool RemoveCardFromEnd();
  // The group's area under table point (x, y); snap point written when given.
  bool IsScreenPointInsideGroupArea(float x, float y, float refX, float refY, float* snapX,
                                    float* snapY);
  bool SetupHorzSpreadFanAlignment();
  // Moves a dragged group; the cards stay where they are in the world and
  // ease back into place through TickFollow.
  void MoveGroupTo(float x, float y, float z);
  void TickFollow();
  void SetPositionAndSwing(const float* position, float newSwing);
  void ClearHighlights();
  void SetOwnBottom(bool on, float y);
  Card* GetTopCard();
  float GetTopCardX() const;
  float GetTopCardY() const;
  // Makes slots [writtenSlots, n) blank cards (n at most 156).
  void MakeSlots(int n);
  // The card in slot i, or the blank card for a slot not made.
  const Card& SlotOrBlank(int i) const;
  // Clears the head (fan spread and radius 1); without keepCodes also the
  // codes and game word B; every slot blank again (the slots made are let
  // go, not touched); link reset; group matrix.
  void Reset(bool keepCodes);
  // Marker index -1, no empty-space texture, owners by count.
  void ResetLinks();
  // Owners by count only (slots below numCards point here, the rest of the
  // slots made null).
  void RelinkOwners();
  void UpdateGroupMatrix();
  // Gives the group a new change stamp (call after writing card slots past
  // the top card directly).
  void MarkChanged();
  bool IsHorizontalAlignment() const;  // types 3-7
  bool IsVerticalAlignment() const;    // types 2, 8, 9

  // Compact form. Reading checks the count ("Invalid num cards in compact
  // card group") and the max ("Invalid max cards in compact card group"),
  // each 0-156, and a count above the max (the count's message), before
  // changing anything.
  bool FillCompactCardGroup(CardGroupCompact* compact) const;
  bool SetupFromCompactCardGroup(const CardGroupCompact* compact);

 private:
  bool LayOut();
  void FitBottom();
  void FitRight();
  void FitLeft();
};

// The group's 30,148-byte form inside the game record image (links written
// as zero). Reading refuses a count or max outside 0-156 or a count above the
// max ("Invalid group image [%d/%d]") and then leaves the group unchanged;
// links are reset (owners by count, no texture, marker kept as stored).
void CardGroupWriteImage(const CardGroup& group, uint8_t* out);
bool CardGroupReadImage(CardGroup& group, const uint8_t* in);
