// Country.cpp - the country table's look-ups and flags, and the Country
// screen (see Country.h).
#include "Screens/Country.h"

#include <cstring>
#include <iterator>
#include <strings.h>

#include "Engine/Debug.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngDevice.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWindow.h"
#include "Platform/Locale.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"
#include "Screens/UserNew.h"
#include "Screens/Users.h"

namespace {

constexpr const char* kName = "Country";
constexpr const char* kUnknown = "(Unknown Country)";
constexpr const char* kUnitedKingdom = "United Kingdom";

const ScreenRow kRows[] = {
    {"Title", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "SELECT YOUR COUNTRY", 189, 18, 262, 18,
     {1, 1, 1, 0.7f}, 1.3f, 1.3f, 1, "Country_Title", nullptr},
    {"Continue", MWIN_BUT_PUSH, "Main", "Continue", 250, 425, 140, 35, {1, 1, 1, 0.7f}, 1.0f, 1.2f,
     1, "Common_ButtonContinue", nullptr},
    {"Country", MWIN_BUT_PANEL, "Panel", " unset", 169.5f, 50, 301, 323, {1, 1, 1, 0.7f}, 1.0f,
     1.2f, 1, nullptr, nullptr},
    {"Note", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Your country is displayed in network games.", 135,
     380, 371, 33, {1, 1, 1, 0.7f}, 1.0f, 1.2f, 1, "Country_Note", nullptr},
};

struct Handles {
  MWinButton* title = nullptr;
  MWinButton* cont = nullptr;
  MWinButton* country = nullptr;
  MWinButton* note = nullptr;
};
Handles g_h;

}  // namespace

int CountryGetNumCountries() { return kCountryCount; }

const char* CountryGetCountryName(int index) {
  if (index < 0 || index >= kCountryCount) return kUnknown;
  return kCountryTable[index].name;
}

int CountryGetPosFromName(const char* name) {
  if (!name) return -1;
  for (int i = 0; i < kCountryCount; ++i) {
    if (std::strcmp(kCountryTable[i].name, name) == 0) return i;
  }
  return -1;
}

int CountryFindLocalRow(const CountryRecord* table, int count, const char* territory) {
  if (!table || !territory || !*territory) return -1;
  int found = -1;
  // The table's "GB" is England: the United Kingdom is the row of its name.
  const bool kingdom = strcasecmp(territory, "GB") == 0;
  for (int i = 0; i < count; ++i) {
    const bool match = kingdom ? strcasecmp(table[i].name, kUnitedKingdom) == 0
                               : strcasecmp(table[i].code, territory) == 0;
    if (match) found = i;
  }
  return found;
}

int CountryGetLocalCountryPos() {
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO3166CTRYNAME, nullptr, 0);
  char code[256] = {};
  if (length < 1 || length > 255 || GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO3166CTRYNAME, code, sizeof code) <= 0) {
    // A locale without a territory ("C", "en") names no country: the
    // player picks one.
    DebugNote("CountryGetLocalCountryPos - Could not get local country pos: the locale names no territory");
    return -1;
  }
  const int found = CountryFindLocalRow(kCountryTable, kCountryCount, code);
  if (found < 0) DebugError("CountryGetLocalCountryPos", "Could not get local country pos");
  return found;
}

const char* CountryGetLocalCountryName() { return CountryGetCountryName(CountryGetLocalCountryPos()); }

bool CountryGetFlagTextureRect(int index, float rect[4]) {
  if (index < 0 || index >= kCountryCount || !rect) return false;
  const int f = kCountryTable[index].flagIndex;
  if (f < 0 || f > 255) return false;
  rect[0] = static_cast<float>(f % 16) / 16.0f;
  rect[1] = static_cast<float>(f / 16) / 16.0f;
  rect[2] = rect[0] + 1.0f / 16.0f;
  rect[3] = rect[1] + 1.0f / 16.0f;
  return true;
}

void CountryDrawFlag(int index, const MWinArea* area) {
  EngTexture* sheet = UsersControlGetFlagSheet();
  float rect[4];
  if (!area || !sheet || !sheet->IsLoaded() || !CountryGetFlagTextureRect(index, rect)) return;
  const EngFloatRect where = {area->x, area->y, area->w, area->h};
  sheet->PositionRatioedFromRect(&where);
  const EngTextureCoords coords = {rect[0], rect[1], rect[2], rect[3]};
  sheet->DrawWithTextureRect(&coords);
}

void CountryDrawFlagInRow(int index, const MWinArea* row) {
  if (index < 0 || !row) return;
  const MWinArea flag = {row->x + row->w - 25 - 5, row->y + 2.5f, 25, row->h - 4};
  CountryDrawFlag(index, &flag);
}

void CountryDrawFlagRightOf(int index, const MWinArea* button) {
  if (index < 0 || !button) return;
  const MWinArea flag = {button->x + button->w + 5, button->y + 2.5f, 25, button->h - 4};
  CountryDrawFlag(index, &flag);
}

// ---- Screen ---------------------------------------------------------------------------

MWinCollection* CountryAddCollectionToDesktop() {
  return ScreenAddCollection(kName, kRows, static_cast<int>(std::size(kRows)));
}
void CountryCreateCB() { CountryAddCollectionToDesktop(); }
void CountryClearButtonHandles() { g_h = Handles{}; }

bool CountryGetButtonHandles() {
  ScreenLookUp get(kName);
  g_h.title = get("Title");
  g_h.cont = get("Continue");
  g_h.country = get("Country");
  g_h.note = get("Note");
  return get.AllFound();
}

void CountryControlStartingCB() {
  if (!CountryGetButtonHandles()) return;
  g_h.cont->SetSimpleCallback(CountryControlContinueCB);
  g_h.country->PanelSetStringsCallback(kCountryCount, 16, CountryControlGetEntryText);
  g_h.country->SetCallback(CountryControlListCB, 0, 0);
  const int pos = CountryGetLocalCountryPos();
  if (pos >= 0) {
    g_h.country->PanelSetPos(pos, 0, 0);
    g_h.country->PanelCentreOnPos();
  }
  UsersControlCreateGraphics();
}

const char* CountryControlGetEntryText(int entry, int) {
  if (entry < 0 || entry >= kCountryCount) return "";
  return kCountryTable[entry].name;
}

void CountryControlContinueCB() {
  const int pos = g_h.country ? g_h.country->PanelGetPos() : -1;
  if (pos < 0 || pos >= kCountryCount) {
    g_MWin.PopupOk(nullptr, EngLanguagesGetFirstString("Country_PleaseSelectACountryFirst"));
    return;
  }
  UserNewSetChosenCountry(kCountryTable[pos].name);
  CountryClearButtonHandles();
  ScreensGoBack();
}

void CountryControlListCB(MWinCallbackRecord* record, std::uint32_t, std::uint32_t) {
  if (record && record->panelEvent == 1) CountryControlContinueCB();
}

void CountryControlRenderFlags() {
  EngDevice* device = EngDeviceGetCurrent();
  if (!device || !g_h.country || g_h.country->PanelGetNumVisible() <= 0) return;
  const bool switched = device->PrepareFor2DIfNeeded(true);
  device->EnableBlendingType(0);
  for (int row = 0; row < g_h.country->PanelGetNumVisible(); ++row) {
    const int entry = g_h.country->PanelGetEntryFromVisibleRow(row);
    MWinArea area;
    if (entry < 0 || !g_h.country->PanelGetVisibleRowArea(row, &area)) continue;
    const MWinArea flag = {area.x - 19, area.y - 0.5f, 20, area.h + 2};
    CountryDrawFlag(entry, &flag);
  }
  device->DisableBlending();
  if (switched) device->RestoreAfter2D();
}
