// LoadCards.h - the card loader: card sizes, the folder and file names the
// card module asks for, the deck machinery's start-up, generating the
// current deck when needed and loading its face textures.
//
// Card sizes in table units, derived from two factors (1.0 at start):
// width 5.8 x the width factor, height 8.7 x the height factor, depth 0.05 x
// their mean. The celebration, the menu card circle and the tutorial read
// them; the card module gets them through CardsSetCardSize.
//
// State (one record for the run): the size factors and thickness byte, the
// four-colour callback, the flag byte handed to each face.
#pragma once

// Start-up: keeps the four-colour test, resets the card sizes, sets the
// deck folders, registers the card module's callbacks and switches faces to
// ".tga".
void LoadCardsSetup(bool (*fourColourNeeded)());
// A width or height <= 0 keeps the old factor; a thickness below 0 keeps the
// old byte; the derived sizes go to the card module.
void LoadCardsSetCardSize(float width, float height, int thickness);
void LoadCardsGetCardSizeFactors(float* width, float* height, float* mean);
// 0.029, 0.0435 and 0.038197096 (the deck-side model's factors).
void LoadCardsGetCardModelFactors(float* x, float* y, float* z);
// 1 for 14, any other rank unchanged.
int LoadCardsMapAceRank(int rank);
// The registered callback's answer; without one "Callback not setup", false.
bool LoadCardsIsFourColorDeckNeeded();
// The canvas size of the current texture quality (or print mode).
bool LoadCardsSetTextureSize(int printMode);
// With onlyAsk: whether the current deck needs generating. Otherwise
// generates it when needed: true when it has just been generated, false
// when nothing was needed or a step failed. The current deck index is
// clamped to the deck list first.
bool LoadCardsGenerateCurrentDeckIfNeeded(bool onlyAsk, int printMode);
// One face (the model factors handed to the card module first).
bool LoadCardsLoadCardFace(int flag, int suit, int rank);
// All 52 faces (-1) or the one of a running index (suit x 14 + rank - 1).
bool LoadCardsLoadCardFaces(int index);
bool LoadCardsLoadCardBack();
bool LoadCardsLoadCardShadow();
void LoadCardsFreeGraphics();

// The answers given to the card module: folder of a picture kind (0 and 5
// "Data\Deck", 6 "Data\Letters"), model file (0 "0180.dat"), texture file
// (0 the generated back, 1 the card shadow, 2 the generated deck side).
const char* LoadCardsGetPathCB(int kind, const char* name);
const char* LoadCardsGetModelFilenameCB(int kind);
const char* LoadCardsGetTextureFilenameCB(int kind);
