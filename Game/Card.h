// Card.h - one playing card placed in 3D space.
//
// Every card lives in a slot of a CardGroup; the animation slots hold copies
// while cards fly. The record owns nothing, so copies are plain record copies
// plus the placement rules of CardsCopyCard / CardsSwapCards. The owner
// pointer is the only link: it is derived from the slot (a group's first
// "number of cards" slots point at the group) and never read from a file.
//
// Suits: 0 hearts, 1 spades, 2 diamonds, 3 clubs. Ranks 1 (ace) - 13 (king),
// 14 = ace counted high. Card number = suit x 14 + rank (14 counts as 1).
//
// World matrix = S x Ry x Rz x Rx x T (row vectors), each rotation only when
// it is not exactly 0, the scale only when the has-scale flag is set.
#pragma once

#include <cstdint>

#include "Engine/EngMath.h"

class CardGroup;

constexpr int kCardImageSize = 192;    // a card inside the game record image
constexpr int kCardCompactSize = 104;  // a card inside a compact group

// The compact card of saved pictures: 104 little-endian bytes.
struct CardCompact {
  uint8_t bytes[kCardCompactSize];
};

struct Card {
  CardGroup* owner;       // null past the group's last card and for loose copies
  int32_t suit;           // 0-3, -1 none
  int32_t rank;           // 1-14, -1 none
  uint8_t faceUp;
  uint8_t bothSides;      // the back is drawn on the reverse side too
  float restPos[3];       // group-relative place remembered for the card
  float pos[3];           // group-relative place used for the matrix
  float shownPos[3];      // working place while dragged / easing back
  float restRot[3];       // radians about X, Y, Z remembered with restPos
  float rot[3];           // radians about X, Y, Z used for the matrix
  uint8_t hasScale;
  float scale[3];
  float hSpacing;         // multiplies the row gap after this card; 0 = 1
  float vSpacing;         // multiplies the column gap after this card; 0 = 1
  int32_t number;         // suit x 14 + rank, -1 when the rank is below 1
  uint8_t hidden;         // not drawn
  uint8_t highlighted;
  uint8_t flying;         // the copy an animation draws
  int32_t gameWords[2];   // kept for the game layer
  EngMatrix matrix;

  // Identity matrix, then Reset.
  Card();

  // No owner, suit/rank/number -1, everything else 0 / off, scale 1, 1, 1;
  // matrix rebuilt.
  void Reset();
  // A suit >= 0 replaces the suit, a rank >= 1 the rank; the number is
  // recomputed either way (-1 while the rank is below 1). Always true.
  bool SetSuitAndRank(int newSuit, int newRank);
  // Null means zeros. Turns the scale off; rebuilds the matrix.
  void SetPositionAndRotation(const float* position, const float* rotations);
  // As above; a scale of exactly 1, 1, 1 (or null) turns the scale off, any
  // other turns it on.
  void SetPositionRotationAndScale(const float* position, const float* rotations,
                                   const float* newScale);
  void UpdateMatrix();
  // Hit test at table point (x, y): the card's rectangle centred on its
  // position plus its owner's position, turned by its Z rotation; the edge is
  // outside.
  bool IsScreenPointInside(float x, float y) const;

  // To and from the compact form; false for a null target / source. Reading
  // leaves the owner alone and rebuilds the matrix.
  bool FillCompactCard(CardCompact* compact) const;
  bool SetupFromCompactCard(const CardCompact* compact);
};

// Sets up a card: face, suit, rank, number, rest position and position
// (x, y, z); clears flying, all six rotations and the spacing factors, then
// picks new spacing factors from the variation settings; rebuilds the matrix.
// False only for a null card.
bool CardsSetupCard(Card* card, int faceUp, int suit, int rank, float x, float y, float z);
// Draws new spacing factors from the variation settings (0 while a
// variation is off; else 1 - r or 1 / (1 - r), r below the variation).
void CardsPickSpacingFactors(Card* card);
// suit 0-3 and rank 1-14 give suit x 14 + rank (14 counts as 1); anything
// else reports "Invalid suit/rank [%d/%d]" and gives -1.
int CardsGetNumberFromSuitAndRank(int suit, int rank);
// Copies rest position, position, rest rotations, rotations and spacing
// factors; rebuilds the target's matrix. False when either is missing.
bool CardsCopyPlacement(Card* target, const Card* source);
// The whole source record replaces the target; unless copyPlacement the
// target keeps its own former placement; with copyRotations the source's
// rotations and spacing factors are taken after all. False when either is
// missing.
bool CardsCopyCard(Card* target, const Card* source, bool copyPlacement, bool copyRotations);
// Exchanges two records; unless swapPlacement each slot keeps its placement.
bool CardsSwapCards(Card* a, Card* b, bool swapPlacement);
// Same suit and rank.
bool CardsAreSameCard(const Card* a, const Card* b);

// The card's 192-byte form inside the game record image (owner written as
// zero; on reading the owner is left alone and the matrix is rebuilt from
// the fields rather than taken as stored).
void CardWriteImage(const Card& card, uint8_t* out);
void CardReadImage(Card& card, const uint8_t* in);
