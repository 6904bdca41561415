// CardsDecks.h - the deck library: every deck the player can choose, where
// its files lie, and the current deck's generator settings.
//
// A deck is a settings file plus a choice of element pictures (shape, base,
// suit symbols, rank glyphs, aces, court figures); the face generator
// (CardsGenerate.h) turns them into one picture per card. Standard decks
// ship read-only in "Data/DeckSettings"; the player's decks are folders under
// the documents folder's "Quarnix/Card Decks", each with "Settings.dat" and
// its own pictures. Both lists are sorted by byte order, standard decks
// first, so a stored deck index means the same deck on every run.
//
// Settings files: 52 lines "KEY: value" each ending CR CR LF, written
// through a temporary file and a rename. The reader takes a key only at the start of
// a line, strips every trailing CR and LF, clamps colours to 0..1 and reals
// to the editor's ranges (a value that is not a finite number keeps the
// default), and keeps switches to their low byte.
//
// Deck names become folder names: they follow the saved-game name rule
// (no '/', '\\', ':', "..", control characters) and at most 31 characters.
//
// State (one record for the run): the folders, the six element lists, the
// deck list with its standard count, the colour mode, the current settings.
#pragma once

#include <cstdint>

constexpr int kDecksMaxNameLength = 31;
constexpr int kDecksMaxDecks = 50;
constexpr int kDecksMaxElements = 50;
constexpr int kDecksNumElementKinds = 6;

enum DeckElementKind : int {
  kDeckElementShapes = 0,
  kDeckElementBases = 1,
  kDeckElementSuits = 2,
  kDeckElementRanks = 3,
  kDeckElementAces = 4,
  kDeckElementCourts = 5,
};

// The generator part of a deck's settings (keys beginning MCG_), handed to
// the generator whole.
struct DeckGeneratorSettings {
  uint8_t useBaseColour = 0;
  float baseColour[3] = {1, 1, 1};
  uint8_t courtCardsMirrored = 0;
  float courtCardsWidth = 0.5f;
  float courtCardsHeight = 0.742f;
  uint8_t courtCardsTrans = 0;
  uint8_t addPipsToCourtCards = 1;
  uint8_t addSidePipsToCourtCards = 1;
  float courtPipsX = 0.1f;
  float courtPipsY = 0.1f;
  float courtPipsW = 1;
  float courtPipsH = 1;
  int32_t numAcesPics = 0;
  uint8_t addAcesCenterPip = 0;
  float heartsColour[3] = {1, 0, 0};
  float spadesColour[3] = {0, 0, 0};
  float diamondsColour[3] = {1, 0, 0};
  float clubsColour[3] = {0, 0, 0};
  uint8_t suitsTrans = 0;
  uint8_t suitsNoColours = 0;
  int32_t ranksOn = 1;
  float rankX = 0.1f;
  float rankY = 0.05f;
  float rankW = 1;
  float rankH = 1;
  uint8_t rankTrans = 0;
  int32_t mainPipsOn = 1;
  float mainPipW = 1;
  float mainPipH = 1;
  float mainPipsW = 0.85f;
  float mainPipsH = 1;
  int32_t sidePipsOn = 2;
  float sidePipsX = 0.16f;
  float sidePipsY = 0.15f;
  float sidePipsW = 1;
  float sidePipsH = 1;
};

// The element part: which pictures the deck uses.
struct DeckElementSettings {
  int32_t baseType = 0;    // 0 the standard base, else the deck's own "Base"
  int32_t suitsType = 0;
  int32_t ranksType = 0;
  int32_t acesType = 0;    // 0 standard, 1 own single ace, else own four aces
  int32_t kingsType = 0;
  int32_t queensType = 0;
  int32_t jacksType = 0;
  int32_t shape = 0;       // indices into the sorted element lists
  int32_t base = 0;
  int32_t suits = 0;
  int32_t ranks = 0;
  int32_t aces = 0;
  int32_t jacks = 0;
  int32_t queens = 0;
  int32_t kings = 0;
  uint8_t acesHaveCenterPip = 0;
};

struct DeckSettings {
  DeckGeneratorSettings generator;
  DeckElementSettings elements;
};

// ---- Folders and lists -------------------------------------------------------------
// Element lists back to their start ("Use Suits" for aces, "None" for
// courts), paths unset, no decks.
void CardsDecksInit();
// Settings, elements and generated-decks folders (each non-empty, under 412
// characters, existing); a custom folder is refused ("Custom decks path not
// implemented yet"). Then both scans run; true whatever they report.
bool CardsDecksSetPaths(const char* settings, const char* elements, const char* custom,
                        const char* generated);
// Stores the generated-decks folder, creates "2Cols" and "4Cols" in it; the
// stored path ends in the colour mode's folder.
bool CardsDecksSetDeckGenPath(const char* folder);
const char* CardsDecksGetDeckGenPath();
// Switches the stored path between "/2Cols" and "/4Cols".
void CardsDecksSetFourColor(bool fourColour);
bool CardsDecksIsFourColor();
// The six element lists; false when a kind ends empty.
bool CardsDecksGetTypes();
// The deck list: standard decks, then the player's; false when no standard
// deck exists.
bool CardsDecksGetDecks();
int CardsDecksGetNumDecks();
int CardsDecksGetNumStandardDecks();
// "???" outside 0 .. total - 1.
const char* CardsDecksGetDeckName(int deck);
int CardsDecksGetElementCount(int kind);
// "???" when out of range.
const char* CardsDecksGetElementName(int kind, int index);
const char* CardsDecksGetShapeName(int index);
const char* CardsDecksGetBaseName(int index);
const char* CardsDecksGetSuitsName(int index);
const char* CardsDecksGetRanksName(int index);
const char* CardsDecksGetAcesName(int index);
const char* CardsDecksGetCourtsName(int index);
// The user decks folder (created with its parents when asked), and with a
// name that deck's folder. Null for a folder that is not the one asked for
// (a fall-back elsewhere), for a path shorter than 26 or of 412 characters
// or more ("Invalid dir <%s>"), and for a name that is not a safe deck name
// ("Invalid deck name <%s>"). One buffer, overwritten by the next call.
const char* CardsDecksGetUserDecksDirectory(const char* name, bool create);
// A deck name that may become a folder name.
bool CardsDecksIsValidDeckName(const char* name);

// ---- Settings ---------------------------------------------------------------------
// The current settings (what the last read or the editor left).
DeckSettings& CardsDecksGetSettings();
void CardsDecksSetDefaultSettings(DeckSettings* settings);
bool CardsDecksLoadDeckSettings(int deck);
bool CardsDecksSaveDeckSettings(int deck);
// Reads settings text (tests and the reader): every line of text applied
// to settings over what it holds.
void CardsDecksParseSettingsText(const char* text, DeckSettings* settings);
// Writes the 52 lines of settings into out (CR CR LF line ends); the length.
int CardsDecksFormatSettingsText(const DeckSettings& settings, char* out, int size);

// ---- Generating -----------------------------------------------------------------------
// Records the deck as the generator's and points the generator's output at
// its folder of the current colour mode.
bool CardsDecksUpdateGeneratedPathForDeck(int deck);
// The ace settings, the generator part, and the element slots of the deck.
bool CardsDecksSetupDeckElements(int deck, int printMode);
// With onlyAsk: true when the deck needs generating. Otherwise generates it
// when needed: true when it was generated.
bool CardsDecksGenerateDeckIfNeeded(int deck, int printMode, bool onlyAsk);
// Canvas size, halving steps and blur passes for a card quality (0-3) or a
// print mode.
bool CardsDecksSetTextureSizeForQuality(int quality, int printMode);
// Copies the current deck's back and side pictures to every other deck
// that has them, in both colour modes.
void CardsDecksUpdateCardBacksAndSidesForAllDecksWithCurrentDecksCardBack(int currentDeck);

// Back to the state at program start (tests).
void CardsDecksResetForTests();
