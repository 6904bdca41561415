// Country.h - the country table, its look-ups, the drawing of flags, and
// the "Country" screen on which a new player picks a country from a list.
//
// A player's country is stored by its English name; its flag is cell f of
// the flag sheet (16 x 16 cells, column f mod 16, row f div 16 from the top
// left), the second player-screen picture (Users.h). The local country is
// the territory of the user's locale (its ISO code) matched against the
// code column, except GB: the table's GB row is England, so a British
// locale takes the "United Kingdom" row, and the table has none (England,
// Scotland, Wales and Northern Ireland are rows of their own): no country
// is preselected.
//
// State: the screen's handles (Title, Continue, Country, Note).
#pragma once

#include <cstdint>

#include "Engine/MWin/MWinID.h"

class MWinCollection;
struct MWinCallbackRecord;

constexpr int kCountryCount = 222;

struct CountryRecord {
  char name[64];
  char code[4];
  std::int16_t flagIndex;
};
extern const CountryRecord kCountryTable[kCountryCount];

int CountryGetNumCountries();
// Row 0-221's name; "(Unknown Country)" for any other index.
const char* CountryGetCountryName(int index);
// The first row whose name equals the text exactly; -1 when none.
int CountryGetPosFromName(const char* name);
// The row of the user's own country (CountryFindLocalRow with the locale's
// territory); -1 with "Could not get local country pos" when there is none.
int CountryGetLocalCountryPos();
// The row of a territory's ISO code in a table: the last whose code matches,
// letter case aside; for "GB" the last named "United Kingdom" (letter case
// aside). -1 when none matches, or without a territory.
int CountryFindLocalRow(const CountryRecord* table, int count, const char* territory);
const char* CountryGetLocalCountryName();
// The flag's texture rectangle (left, top, right, bottom) for rows 0-221.
bool CountryGetFlagTextureRect(int index, float rect[4]);
// Draws the flag on an area of the 640 x 480 space when the flag sheet is
// loaded and the index is a row.
void CountryDrawFlag(int index, const MWinArea* area);
// The flag inside the right end of a row, or just right of a button.
void CountryDrawFlagInRow(int index, const MWinArea* row);
void CountryDrawFlagRightOf(int index, const MWinArea* button);

// Screen "Country".
MWinCollection* CountryAddCollectionToDesktop();
void CountryCreateCB();
void CountryClearButtonHandles();
bool CountryGetButtonHandles();
void CountryControlStartingCB();
const char* CountryControlGetEntryText(int entry, int maxChars);
void CountryControlContinueCB();
void CountryControlListCB(MWinCallbackRecord* record, std::uint32_t, std::uint32_t);
// Draws the flags of the visible list rows (the render pass after the
// toolkit windows in the player-selection mode).
void CountryControlRenderFlags();
