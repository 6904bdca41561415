// DecksScreen.cpp - the Decks screen's rows, its Starting callback and the
// callbacks that lead to other screens: a new deck and Edit to the deck
// generator, Print, Upload, the card-back chooser, and Done back to play
// (see DecksScreen.h).
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "App/GetFile.h"
#include "App/Resolution.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/CardsGenerate.h"
#include "Game/Decks/DecksCurrent.h"
#include "Game/Decks/DecksFiles.h"
#include "Game/GameState.h"
#include "Game/UserRecord.h"
#include "Screens/Decks/DecksLocal.h"
#include "Screens/Decks/DecksNeighbours.h"
#include "Screens/Decks/DecksScreens.h"
#include "Screens/MainPages.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"
#include "Screens/ScreensImports.h"

namespace {

constexpr const char* kName = "Decks";
constexpr int kNumUserBacks = kDecksNumBacks - kDecksNumStandardBacks;

struct BackIds {
  char card[kDecksNumBacks][8];
  char edit[kNumUserBacks][12];
  BackIds() {
    for (int i = 0; i < kDecksNumBacks; ++i) std::snprintf(card[i], sizeof card[i], "Card%d", i + 1);
    for (int i = 0; i < kNumUserBacks; ++i) std::snprintf(edit[i], sizeof edit[i], "Card%dEdit", i + 17);
  }
};
const BackIds& Ids() {
  static const BackIds ids;
  return ids;
}

ScreenRow Row(const char* id, int kind, const char* look, const char* text, float x, float y, float w, float h,
              const char* token, float sx = 1.1f, float sy = 1.2f, int align = 1) {
  return {id, kind, look, text, x, y, w, h, {1, 1, 1, 0.7f}, sx, sy, align, token, nullptr};
}

// The Normal layout's 68 rows in order.
std::vector<ScreenRow> MakeRows() {
  std::vector<ScreenRow> r = {
      Row("Title", MWIN_BUT_PUSH, "Back1", "CARD DECKS", 88, 48, 465, 36, "Decks_Title"),
      Row("Bg", MWIN_BUT_PUSH, "Back1", "", 88, 84, 465, 312, nullptr),
      Row("Set", MWIN_BUT_CHOICE, "Main", "", 99, 93, 443, 27, nullptr),
      Row("Deck", MWIN_BUT_PANEL, "Panel", "Unset", 99, 128, 181, 162, nullptr),
      Row("New", MWIN_BUT_PUSH, "Main", "Create New Deck", 287, 128, 129, 22, "Decks_New"),
      Row("Edit", MWIN_BUT_PUSH, "Main", "Edit", 460, 128, 41, 22, "Decks_Edit"),
      Row("Delete", MWIN_BUT_PUSH, "Main", "Delete", 504, 128, 37, 22, "Decks_Delete"),
      Row("CardsBg", MWIN_BUT_PUSH, "Black", "", 285, 155, 257, 136, nullptr),
      Row("Print", MWIN_BUT_PUSH, "Main", "Print Deck", 290.66f, 234.33f, 78, 22, "Decks_Print"),
      Row("Upload", MWIN_BUT_PUSH, "Main", "Upload", 290.66f, 259.4f, 78, 22, "Decks_Upload"),
      Row("FourColsLockText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Use 4 Colours when applicable", 143.94f, 305.05f,
          214.52f, 21, nullptr, 1.0f, 1.2f, 2),
      Row("FourColsLock", MWIN_BUT_CHOICE, "Main", "Unset", 362.57f, 305.05f, 110.06f, 21, nullptr, 1.0f, 1.2f),
      Row("FourColsLockInfo", MWIN_BUT_PUSH, "Main", "?", 476.06f, 305.05f, 20, 21, nullptr, 1.0f, 1.2f),
      Row("TexQualText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Deck Texture Quality", 95.56f, 340, 151.57f, 21,
          "Decks_TexQualText"),
      Row("TexQual", MWIN_BUT_CHOICE, "Main", "Prev", 247.29f, 340, 276.78f, 21, nullptr),
      Row("TexQualNote", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE",
          "( note: good graphics cards are needed to use the higher texture qualities)", 101, 371, 439, 13,
          "Decks_TexQualNote", 0.8f, 0.9f),
      Row("TexQualInfo", MWIN_BUT_PUSH, "Main", "?", 527.35f, 340, 20, 21, nullptr),
      Row("BackBg", MWIN_BUT_PUSH, "Back1", "", 15.2f, 388.13f, 39.78f, 45.4f, nullptr),
      Row("CardSel", MWIN_BUT_PUSH, "Main", "", 62.92f, 409.67f, 20.5f, 20, nullptr),
  };
  for (int i = 0; i < kDecksNumBacks; ++i) {
    const float x = 23.87f + static_cast<float>(i) * (601.13f - 23.87f) / 31.0f;
    r.push_back(Row(Ids().card[i], MWIN_BUT_PUSH, "Main", "", x, 438.07f, 15, 17, nullptr));
  }
  for (int i = 0; i < kNumUserBacks; ++i) {
    const float x = 89.67f + static_cast<float>(i) * (536.33f - 89.67f) / 15.0f;
    r.push_back(Row(Ids().edit[i], MWIN_BUT_PUSH, "Main", "+", x, 456.67f, 14, 16, nullptr, 1.3f, 1.3f));
  }
  r.push_back(Row("Done", MWIN_BUT_PUSH, "Main", "Done", 264, 396, 112, 29, "Common_ButtonDone"));
  return r;
}

const std::vector<ScreenRow>& Rows() {
  static const std::vector<ScreenRow> rows = MakeRows();
  return rows;
}

const char* Text(const char* token) { return EngLanguagesGetFirstString(token); }

void Popup(const char* title, const char* text) {
  g_MWin.PopupCloseIfOpen();
  g_MWin.PopupOk(title, text);
}

bool CurrentIsUserDeck() {
  const int deck = g_UserRecord.currentDeck;
  return deck >= CardsDecksGetNumStandardDecks() && deck < CardsDecksGetNumDecks();
}

bool HostedInOptions() { return g_ScreenOptions >= 0 && ScreensGetCurrent() == g_ScreenOptions; }

// The card-back grid inside the frame, below the page choice.
void LayOutBackGrid() {
  DecksHandles& h = DecksGetState().h;
  if (!h.bg || !h.set || !h.backBg) return;
  MWinArea bg, set;
  h.bg->GetArea(&bg, true);
  h.set->GetArea(&set, true);
  const float d = set.y - bg.y;
  const MWinArea frame{bg.x + d, bg.y + set.h + 2 * d, bg.w - 2 * d, bg.h - set.h - 3 * d};
  h.backBg->SetPosArea(frame);
  const float cw = (frame.w - 2 * d) / 8 - 5, ch = (frame.h - 2 * d) / 4 - 5;
  for (int i = 0; i < kDecksNumBacks; ++i) {
    const float x = frame.x + d + 2.5f + static_cast<float>(i % 8) * (cw + 5);
    const float y = frame.y + d + 2.5f + static_cast<float>(i / 8) * (ch + 5);
    if (h.cards[i]) h.cards[i]->SetPos(x, y, cw, ch);
    if (i >= kDecksNumStandardBacks && h.cardEdits[i - kDecksNumStandardBacks]) {
      h.cardEdits[i - kDecksNumStandardBacks]->SetPos(x + cw - cw / 3, y + ch - cw / 3, cw / 3, cw / 3);
    }
  }
}

void GotoFromDecks(int screen) {
  DecksRestoreProgramMode();
  ScreensGoto(screen);
}

}  // namespace

// ---- Layout -------------------------------------------------------------------------------------

bool DecksAddMainWinWindowButtonsToWindowNormal(MWinWindow* window) {
  return ScreenAddRows(kName, window, Rows().data(), static_cast<int>(Rows().size()));
}

MWinCollection* DecksAddCollectionToDesktop() {
  return ScreenAddCollection(kName, Rows().data(), static_cast<int>(Rows().size()));
}

void DecksCreateCB() { DecksAddCollectionToDesktop(); }

void DecksClearButtonHandles() { DecksGetState().h = DecksHandles{}; }

bool DecksGetButtonHandlesWithIDs(const char* collection, const char* windowId) {
  DecksHandles& h = DecksGetState().h;
  h = DecksHandles{};
  ScreenLookUp get(collection, windowId);
  h.title = get("Title");
  h.bg = get("Bg");
  h.set = get("Set");
  h.deck = get("Deck");
  h.newDeck = get("New");
  h.edit = get("Edit");
  h.remove = get("Delete");
  h.cardsBg = get("CardsBg");
  h.print = get("Print");
  h.upload = get("Upload");
  h.fourText = get("FourColsLockText");
  h.four = get("FourColsLock");
  h.fourInfo = get("FourColsLockInfo");
  h.texQualText = get("TexQualText");
  h.texQual = get("TexQual");
  h.texQualNote = get("TexQualNote");
  h.texQualInfo = get("TexQualInfo");
  h.backBg = get("BackBg");
  h.cardSel = get("CardSel");
  for (int i = 0; i < kDecksNumBacks; ++i) h.cards[i] = get(Ids().card[i]);
  for (int i = 0; i < kNumUserBacks; ++i) h.cardEdits[i] = get(Ids().edit[i]);
  h.done = get("Done");
  const bool ok = get.AllFound();
  if (!ok) h = DecksHandles{};
  return ok;
}

bool DecksGetButtonHandles() { return DecksGetButtonHandlesWithIDs(kName, "MainWin"); }

// ---- Starting -----------------------------------------------------------------------------------

void DecksControlStartingCB() {
  DecksScreenState& s = DecksGetState();
  // A deck generated on entry can change the deck list and so the index:
  // then everything runs again with the new list.
  for (int pass = 0; pass < 2; ++pass) {
    const bool found = HostedInOptions() ? DecksGetButtonHandlesWithIDs("Options", "MainWin") : DecksGetButtonHandles();
    if (!found) return;
    DecksHandles& h = s.h;
    h.four->ChoiceSetStringsLanguageToken(2, "Common_NoYesList");
    h.four->ChoiceRegisterCharVariable(reinterpret_cast<signed char*>(&g_UserRecord.fourColourDeck), false);
    h.four->SetSimpleCallback(DecksControlFourColourCB);
    h.fourInfo->SetSimpleCallback(DecksControlFourColsInfoCB);
    h.fourText->SetText(Text("Decks_Lock4ColsText"));
    LayOutBackGrid();
    h.set->SetSimpleCallback(DecksControlSetPageCB);
    h.deck->SetSimpleCallback(DecksControlDeckChosenCB);
    h.newDeck->SetSimpleCallback(DecksControlNewCB);
    h.edit->SetSimpleCallback(DecksControlEditCB);
    h.remove->SetSimpleCallback(DecksControlDeleteCB);
    h.print->SetSimpleCallback(DecksControlPrintCB);
    h.upload->SetSimpleCallback(DecksControlUploadCB);
    h.texQual->SetSimpleCallback(DecksControlTexQualCB);
    h.texQualInfo->SetSimpleCallback(DecksControlTexQualInfoCB);
    h.done->SetCallback(DecksControlClose, 0, 0);
    h.done->SetEscapeButtonForParentWindow();

    DecksRescan();
    s.savedMode = GameGetProgramMode();
    if (s.savedMode == kGameModePlaying) GameSetProgramMode(kGameModeDecksOverGame);
    const int deckBefore = g_UserRecord.currentDeck;
    DecksControlCreateGraphics();
    if (g_UserRecord.currentDeck == deckBefore || pass == 1) break;
    DecksRestoreProgramMode();
  }
  DecksHandles& h = s.h;
  s.lastDeck = g_UserRecord.currentDeck;
  s.lastQuality = g_ResolutionSettings.cardQuality;
  int& deck = g_UserRecord.currentDeck;
  if (deck < 0 || deck >= CardsDecksGetNumDecks()) deck = deck < 0 ? 0 : CardsDecksGetNumDecks() - 1;
  DecksControlSetupDeckList();
  DecksControlUpdateButtons();
  h.set->ChoiceSetStringsLanguageToken(2, "Decks_SetList");
  h.set->ChoiceRegisterCharVariable(reinterpret_cast<signed char*>(&g_UserRecord.decksPage), false);
  h.texQual->ChoiceSetStringsLanguageToken(4, "Decks_TeqQualList");
  h.texQual->ChoiceRegisterCharVariable(reinterpret_cast<signed char*>(&g_ResolutionSettings.cardQuality), false);
  for (int i = 0; i < kDecksNumBacks; ++i) {
    h.cards[i]->SetTexButNone();
    h.cards[i]->SetCallback(DecksControlSelectBackCB, static_cast<std::uint32_t>(i), 0);
  }
  for (int i = 0; i < kNumUserBacks; ++i) {
    h.cardEdits[i]->SetCallback(DecksControlEditBackCB, static_cast<std::uint32_t>(kDecksNumStandardBacks + i), 0);
  }
  DecksControlUpdateButtons();
  if (HostedInOptions()) OptionsControlMoveButtons(h.bg, h.title, h.done);
}

// ---- Callbacks that change screens ---------------------------------------------------------------

void DecksControlNewCB() {
  DecksScreenState& s = DecksGetState();
  s.newName[0] = 0;
  g_MWin.PopupCloseIfOpen();
  g_MWin.PopupTextEdit(Text("Decks_CreateNewDeck"), Text("Decks_EnterNameForNewDeck"), s.newName, sizeof s.newName,
                     DecksControlNewDeckNameCB);
}

void DecksControlNewDeckNameCB(int result) {
  if (result != 1) return;
  const char* name = DecksGetState().newName;
  // The name becomes a folder name: none that could leave the decks folder.
  if (name[0] == 0 || name[0] == ' ' || name[0] == '\t' || !CardsDecksIsValidDeckName(name)) {
    Popup("", Text("Decks_InvalidNewDeckName"));
    return;
  }
  const int made = DecksCreateUserDeck(name);
  if (made == -1) {
    Popup("", Text("Decks_ErrorNameAlreadyExists"));
    return;
  }
  if (made < -1) {
    Popup("Error", Text("Decks_ErrorCantCreateDirSeeLog"));
    return;
  }
  if (made == 0) {
    Popup("", Text("Decks_ErrorCreatingNewDeckDirSeeLog"));
    return;
  }
  DecksRescan();
  const int deck = DecksFindDeckByName(name);
  if (deck < CardsDecksGetNumStandardDecks() || deck >= CardsDecksGetNumDecks()) return;
  g_UserRecord.currentDeck = deck;
  DecksControlApplyDeck(0, true);
  DecksControlReleaseGraphics();
  GotoFromDecks(g_ScreenDeckGen);
}

void DecksControlEditCB() {
  DecksControlApplyDeck(0, true);
  DecksControlReleaseGraphics();
  GotoFromDecks(g_ScreenDeckGen);
}

void DecksControlDeleteCB() {
  DecksRescan();
  if (!CurrentIsUserDeck()) return;
  g_MWin.PopupCloseIfOpen();
  g_MWin.PopupOkCancel(Text("Decks_DeleteDeck"), Text("Decks_DeleteDeckMessage"), DecksControlDeleteConfirmedCB);
}

void DecksControlDeleteConfirmedCB(int result) {
  if (result != 1) return;
  DecksDeleteCurrentUserDeck();
  DecksControlApplyDeck(0, true);
  DecksControlReleaseGraphics();
  DecksControlCreateGraphics();
  DecksControlSetupDeckList();
  DecksControlUpdateButtons();
}

void DecksControlPrintCB() { GotoFromDecks(g_ScreenPrint); }

void DecksControlUploadCB() {
  DecksRestoreProgramMode();
  const DeckElementSettings& e = CardsDecksGetSettings().elements;
  const bool ownPictures =
      e.kingsType == 1 || e.acesType == 1 || e.baseType == 1 || e.suitsType == 1 || e.ranksType == 1;
  if (!ownPictures) {
    Popup(Text("DeckGen_SendDeckToQX"), Text("DeckGen_SendDeckNeedImages"));
    return;
  }
  ScreensGoto(g_ScreenPublish);
}

void DecksControlEditBackCB(MWinCallbackRecord*, std::uint32_t back, std::uint32_t) {
  DecksScreenState& s = DecksGetState();
  const int n = static_cast<int>(back);
  if (n < kDecksNumStandardBacks || n >= kDecksNumBacks) return;
  if (s.backs[n].IsLoaded() && n != g_UserRecord.currentCardBack) {
    g_UserRecord.cardBackPaths[n - kDecksNumStandardBacks][0] = 0;
    DecksControlLoadDeckGraphics(n);
    DecksControlUpdateButtons();
    return;
  }
  s.waitingSlot = n;
  if (!g_UserRecord.pictureFolder[0]) {
    EngMiscGetDesktopDirectory(g_UserRecord.pictureFolder, sizeof g_UserRecord.pictureFolder);
  }
  static const char* const kExtensions[kGetFileMaxFilters] = {"bmp", "jpg", "tga"};
  GetFileSetStartDir(g_UserRecord.pictureFolder);
  GetFileSetTitle(Text("Decks_SelectCardBackPic"));
  GetFileSetExtensions(kExtensions);
  GetFileSetFileChosenCB(DecksControlBackPictureChosenCB);
  GotoFromDecks(g_ScreenGetFile);
}

void DecksControlBackPictureChosenCB(int result) {
  DecksScreenState& s = DecksGetState();
  if (result == 1) DecksCopyPath(g_UserRecord.pictureFolder, sizeof g_UserRecord.pictureFolder, GetFileGetCurrentDir());
  const int n = s.waitingSlot;
  const std::string chosen = GetFileGetChosenFilename();
  s.waitingSlot = -1;
  const bool usable = result == 1 && n >= kDecksNumStandardBacks && n < kDecksNumBacks && chosen.size() >= 5 &&
                      chosen.size() < static_cast<std::size_t>(kUserPathSize);
  if (!usable) {
    ScreensGoBack();
    GetFileSetDefaults();
    return;
  }
  char* path = g_UserRecord.cardBackPaths[n - kDecksNumStandardBacks];
  // Kept without its extension: the loader finds ".tga", ".bmp" or ".jpg".
  DecksCopyPath(path, kUserPathSize, chosen.substr(0, chosen.size() - 4).c_str());
  ScreensGoBack();
  GetFileSetDefaults();
  // A new picture for the current slot is painted again too.
  const int previous = g_UserRecord.currentCardBack;
  if (previous == n) g_UserRecord.currentCardBack = -1;
  if (!DecksControlLoadDeckGraphics(n)) {
    g_UserRecord.currentCardBack = previous;
    path[0] = 0;
    return;
  }
  DecksSelectBack(n, false, previous);
}

void DecksControlClose(MWinCallbackRecord* record, std::uint32_t, std::uint32_t) {
  DecksControlGenerateCurrentDeck();
  DecksControlApplyDeck(0, true);
  DecksControlReleaseGraphics();
  DecksClearButtonHandles();
  if (!record) return;
  DecksRestoreProgramMode();
  DecksGetState().savedMode = -1;
  HelpControlDoneCB();
}
