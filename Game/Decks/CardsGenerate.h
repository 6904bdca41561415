// CardsGenerate.h - the card-face generator.
//
// Paints the 52 faces, the back and the deck side of one deck from element
// pictures and the deck's generator settings, and saves each as a 32-bit
// TGA named by its picture name ("ah" .. "kc", "ba", "ds") in the deck's
// output folder. Everything is drawn on the CPU into EngTga images
// (pictures decoded by the platform's decoders, alpha made from brightness
// where a file carries none), so generation needs no graphics device.
//
// Element pictures are cut into cells counted from the top-left corner as
// the picture is seen: suits 2 x 2 (hearts top-left, spades top-right,
// clubs bottom-left, diamonds bottom-right; four aces and the courts the
// same), ranks 4 x 4 (2-5, 6-9, 10 J Q K, A in the first cell of the last
// row).
//
// State (one generator): canvas size, halving steps and blur passes, the
// output folder and its use and force flags, the settings, 11 element
// slots (paths; images only while generating), the tinted suit and rank
// pictures.
#pragma once

#include <cstdint>

class EngTga;
class EngTexture;
struct DeckGeneratorSettings;

enum GeneratorElementSlot : int {
  kGenSlotShape = 0,
  kGenSlotBase = 1,
  kGenSlotSuits = 2,
  kGenSlotRanks = 3,
  kGenSlotAces = 4,
  kGenSlotKings = 5,
  kGenSlotQueens = 6,
  kGenSlotJacks = 7,
  kGenSlotBack = 8,
  kGenSlotBackOverlay = 9,
  kGenSlotDeckSide = 10,
  kGenNumSlots = 11,
};

// Empties the slots and marks the generator ready.
void CardsGenerateInit();
// Size 32-1024 (a power of two), halving steps 0-2, blur passes.
bool CardsGenerateSetCardTextureSize(int size, int halvingSteps, int blurPasses);
int CardsGenerateGetCanvasSize();
// The side of the saved pictures (the canvas halved per step).
int CardsGenerateGetSavedSize();
// The output folder base + "/" + name (created when asked); use: the card
// module takes faces from it.
bool CardsGenerateSetGeneratedCardsPath(const char* base, const char* name, bool create, bool use);
const char* CardsGenerateGetGeneratedCardsPath();
bool CardsGenerateIsUseSet();
// Copies the settings in (null clears them to the defaults).
void CardsGenerateSetSettings(const DeckGeneratorSettings* settings);
const DeckGeneratorSettings& CardsGenerateGetSettings();
// Slot paths (without extension; the file must exist as .tga, .jpg or
// .bmp, in lower case or capitals). Folder and name both null empty the slot.
bool CardsGenerateSetElementPathAndFilename(int slot, const char* folder, const char* name);
bool CardsGenerateSetElementFilename(int slot, const char* fullName);
// Slots 0-7 from a user deck's folder: 1 all found, 0 some missing, -1
// error.
int CardsGenerateSetFrontElementsPath(const char* deckFolder);
// The slot's picture file (.tga, then .jpg, then .bmp, then the same in
// capitals); null when none.
const char* CardsGenerateGetElementFilename(int slot, bool report);
bool CardsGenerateCheckElementFileExists(int slot, bool report);
// Loads the slot's picture into a texture (previews), or only gives its
// file name; exactly one of texture and nameOnly.
bool CardsGenerateLoadElementTexture(int slot, EngTexture* texture, const char** nameOnly);
void CardsGenerateForceRegeneration();
// A face picture missing, the king of clubs of another size, or forced.
bool CardsGenerateIsGenerationNeeded();
// Loads and prepares the element images: 1, 0 (some replaced by empty
// pictures could not be made) or -1.
int CardsGeneratePrepareForGenerating();
// Loads one slot's image (the Decks screen repaints a back with it).
bool CardsGenerateLoadElementPart(int slot);
// Paints one card (rank 1-13, 0 back, -1 deck side) and saves it.
bool CardsGenerateASingleCard(int suit, int rank);
// The whole deck: 1 all written, 0 some failed, -1 not prepared.
int CardsGenerateAllCards();
void CardsGenerateFreeAll();
// Deletes the 54 generated pictures of the output folder (nothing else),
// then the folder when it is empty.
bool CardsGenerateDeleteGeneratedCards();
// The same for a given folder.
bool CardsGenerateDeleteGeneratedCardsIn(const char* folder);

// Pixel helpers (tests): the tint of one pixel by a colour, the weighted
// 3 x 3 blur passes over a square image.
uint32_t CardsGenerateTintPixel(uint32_t argb, const float* colour);
bool CardsGenerateApplyBlurToData(EngTga* image, int passes);
// The painted canvas of the last CardsGenerateASingleCard (before halving).
const EngTga* CardsGenerateGetLastCanvasForTests();
void CardsGenerateResetForTests();
// As before CardsGenerateInit: preparing fails with -1.
void CardsGenerateForgetInitForTests();
