// DeckGenControl.cpp - the deck generator screen's control: entering,
// the visibility rules of the nine edit sets, the previews, regenerating
// them, leaving with Done, and the photo editor (see DeckGen.h).
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "App/GetFile.h"
#include "App/Resolution.h"
#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/CardsDecksLocal.h"
#include "Game/Decks/CardsGenerate.h"
#include "Game/Decks/DecksCurrent.h"
#include "Game/Decks/DecksFiles.h"
#include "Game/Decks/LoadCards.h"
#include "Game/GameState.h"
#include "Game/UserRecord.h"
#include "Platform/Shell.h"
#include "Screens/Decks/DeckGen.h"
#include "Screens/Decks/DecksNeighbours.h"
#include "Screens/Decks/DecksScreen.h"
#include "Screens/Decks/DecksScreens.h"
#include "Screens/MainPages.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"

namespace {

// The program mode found on entry, put back on leaving.
int g_savedMode = -1;
// Set while the photo-editor chooser is up.
bool g_choosingEditor = false;

const char* Text(const char* token) { return EngLanguagesGetFirstString(token); }

bool IsUserDeck(int deck) { return deck >= CardsDecksGetNumStandardDecks() && deck < CardsDecksGetNumDecks(); }

DeckSettings& Settings() { return CardsDecksGetSettings(); }

// The type key of an edit set (2 to 8); null for the pip layout and shape.
int32_t* TypeOf(int set) {
  DeckElementSettings& e = Settings().elements;
  switch (set) {
    case 2: return &e.baseType;
    case 3: return &e.suitsType;
    case 4: return &e.ranksType;
    case 5: return &e.acesType;
    case 6: return &e.kingsType;
    case 7: return &e.queensType;
    case 8: return &e.jacksType;
    default: return nullptr;
  }
}

void Show(MWinButton* b, bool shown) {
  if (!b) return;
  if (shown) {
    b->Show();
  } else {
    b->Hide();
  }
}

void ShowWait(const char* token) {
  g_MWin.PopupCloseIfOpen();
  g_MWin.PopupMessage(nullptr, Text(token));
  EngMiscRenderFrameNow(true, false);
  EngMiscRenderFrameNow(true, false);
}

// Rank from the first letter, suit from the second.
void CardOf(const char* name, int* suit, int* rank) {
  const char r = name[0];
  *rank = r == 'a' ? 1 : r == 't' ? 10 : r == 'j' ? 11 : r == 'q' ? 12 : r == 'k' ? 13 : r - '0';
  const char s = name[1];
  *suit = s == 'h' ? 0 : s == 's' ? 1 : s == 'd' ? 2 : 3;
}

// Callbacks of the parts: the court types and pictures follow each other.
void PartChanged() {
  DeckGenControlRegeneratePreview();
  DeckGenControlShowElementName();
  DeckGenControlUpdateControls();
  DeckGenControlAttachPreviews();
}

void RegenerateThenUpdate() {
  DeckGenControlRegeneratePreview();
  DeckGenControlUpdateControls();
}

void Regenerate() { DeckGenControlRegeneratePreview(); }

void RegenerateOnRelease(MWinCallbackRecord* record, std::uint32_t, std::uint32_t) {
  if (!record || !record->scrollbarDragging) DeckGenControlRegeneratePreview();
}

void RegenerateOnColourRelease(MWinCallbackRecord* record, std::uint32_t, std::uint32_t) {
  if (!record || !record->colourDragging) DeckGenControlRegeneratePreview();
}

void CourtTypeCB(MWinCallbackRecord*, std::uint32_t court, std::uint32_t) {
  DeckElementSettings& e = Settings().elements;
  const int32_t type = court == 0 ? e.kingsType : court == 1 ? e.queensType : e.jacksType;
  e.kingsType = e.queensType = e.jacksType = type;
  DeckGenHandles& h = DeckGenGetHandles();
  for (int i = 5; i < 8; ++i) {
    if (h.rowChoice[i]) h.rowChoice[i]->ChoiceSetSelNoCallback(type);
  }
  PartChanged();
}

void CourtPictureCB(MWinCallbackRecord*, std::uint32_t court, std::uint32_t) {
  DeckElementSettings& e = Settings().elements;
  const int32_t picture = court == 0 ? e.kings : court == 1 ? e.queens : e.jacks;
  e.kings = e.queens = e.jacks = picture;
  DeckGenHandles& h = DeckGenGetHandles();
  for (int i = 5; i < 8; ++i) {
    if (h.rowPanel[i]) h.rowPanel[i]->PanelUpdateFromVariable(0);
  }
  PartChanged();
}

void EditSetCB() {
  if (DeckGenIsChanged()) DeckGenControlRegeneratePreview();
  DeckGenControlShowElementName();
  DeckGenControlUpdateControls();
  DeckGenControlAttachPreviews();
}

void UseBaseColCB() {
  DeckGenHandles& h = DeckGenGetHandles();
  if (h.baseCol) h.baseCol->SetEnabled(Settings().generator.useBaseColour != 0);
  DeckGenControlRegeneratePreview();
}

void TexQualCB() {
  LoadCardsSetTextureSize(0);
  DeckGenControlRegeneratePreview();
}

const char* ShapeName(int entry, int) { return CardsDecksGetElementName(kDeckElementShapes, entry); }
const char* BaseName(int entry, int) { return CardsDecksGetElementName(kDeckElementBases, entry); }
const char* SuitsName(int entry, int) { return CardsDecksGetElementName(kDeckElementSuits, entry); }
const char* RanksName(int entry, int) { return CardsDecksGetElementName(kDeckElementRanks, entry); }
const char* AcesName(int entry, int) { return CardsDecksGetElementName(kDeckElementAces, entry); }
const char* CourtsName(int entry, int) { return CardsDecksGetElementName(kDeckElementCourts, entry); }

void BindBar(MWinHorzScrollbar* bar, float* variable, float minimum, float maximum, float big, float small,
             MWinCallback callback) {
  if (!bar) return;
  bar->SetRange(minimum, maximum, big, small);
  bar->RegisterFloatVariable(variable, 1.0f, false);
  bar->SetCallback(callback, 0, 0);
}

void BindPanel(MWinButton* panel, int kind, MWinPanelEntryText names, int32_t* variable) {
  if (!panel) return;
  const int count = CardsDecksGetElementCount(kind);
  panel->PanelSetStringsCallback(count, count < 18 ? count : 18, names);
  panel->PanelRegisterIntVariable(variable, 0);
}

void SetHeight(MWinButton* b, float height) {
  if (!b) return;
  MWinArea a;
  b->GetArea(&a, true);
  b->SetPos(a.x, a.y, a.w, height);
}

// Steps 7 to 11 of entering: the rows stacked, bindings and ranges.
void BindControls() {
  DeckGenHandles& h = DeckGenGetHandles();
  DeckSettings& s = Settings();
  DeckGeneratorSettings& g = s.generator;
  DeckElementSettings& e = s.elements;
  MWinArea a;
  h.rowText[0]->GetArea(&a, true);
  for (MWinButton* b : h.rowText) b->SetPosArea(a);
  h.rowChoice[0]->GetArea(&a, true);
  for (MWinButton* b : h.rowChoice) b->SetPosArea(a);
  h.rowChoice[1]->SetPos(a.x, a.y, a.w - 40, a.h);
  h.rowPanel[0]->GetArea(&a, true);
  for (MWinButton* b : h.rowPanel) b->SetPosArea(a);
  h.rowPanel[1]->SetPos(a.x - 40, a.y, a.w + 40, a.h);

  h.editSet->ChoiceSetStringsLanguageToken(kDeckGenEditSets, "DeckGen_EditList");
  h.editSet->ChoiceRegisterCharVariable(reinterpret_cast<signed char*>(&g_UserRecord.deckGenEditSet), false);
  h.editSet->SetSimpleCallback(EditSetCB);
  h.mainPipsType->ChoiceSetStringsLanguageToken(2, "DeckGen_MainPipsList");
  h.mainPipsType->ChoiceRegisterIntVariable(&g.mainPipsOn, false);
  h.mainPipsType->SetSimpleCallback(RegenerateThenUpdate);
  float* mainPips[4] = {&g.mainPipW, &g.mainPipH, &g.mainPipsW, &g.mainPipsH};
  for (int i = 0; i < 4; ++i) {
    BindBar(h.mainPips[i], mainPips[i], i < 2 ? 0.1f : 0.2f, i < 2 ? 2.0f : 1.5f, 0.1f, 0.0025f, RegenerateOnRelease);
  }
  h.sidePipsType->ChoiceSetStringsLanguageToken(4, "DeckGen_SidePipsList");
  h.sidePipsType->ChoiceRegisterIntVariable(&g.sidePipsOn, false);
  h.sidePipsType->SetSimpleCallback(RegenerateThenUpdate);
  BindBar(h.sidePips[0], &g.sidePipsX, 0.0f, 1.2f, 0.1f, 0.0025f, RegenerateOnRelease);
  BindBar(h.sidePips[1], &g.sidePipsY, -0.2f, 1.0f, 0.1f, 0.0025f, RegenerateOnRelease);
  BindBar(h.sidePips[2], &g.sidePipsW, 0.2f, 5.0f, 0.1f, 0.0025f, RegenerateOnRelease);
  BindBar(h.sidePips[3], &g.sidePipsH, 0.2f, 5.0f, 0.1f, 0.0025f, RegenerateOnRelease);

  h.rowChoice[0]->ChoiceSetStringsLanguageToken(1, "DeckGen_ShapeList");
  h.rowChoice[0]->ChoiceSetSelNoCallback(0);
  BindPanel(h.rowPanel[0], kDeckElementShapes, ShapeName, &e.shape);
  struct PartRow {
    int row, entries;
    const char* list;
    int32_t* type;
    int kind;
    MWinPanelEntryText names;
    int32_t* picture;
  };
  const PartRow parts[] = {
      {1, 2, "DeckGen_BaseList", &e.baseType, kDeckElementBases, BaseName, &e.base},
      {2, 2, "DeckGen_SuitsList", &e.suitsType, kDeckElementSuits, SuitsName, &e.suits},
      {3, 2, "DeckGen_RanksList", &e.ranksType, kDeckElementRanks, RanksName, &e.ranks},
      {4, 3, "DeckGen_AcesList", &e.acesType, kDeckElementAces, AcesName, &e.aces},
      {5, 2, "DeckGen_CourtList", &e.kingsType, kDeckElementCourts, CourtsName, &e.kings},
      {6, 2, "DeckGen_CourtList", &e.queensType, kDeckElementCourts, CourtsName, &e.queens},
      {7, 2, "DeckGen_CourtList", &e.jacksType, kDeckElementCourts, CourtsName, &e.jacks},
  };
  for (const PartRow& p : parts) {
    MWinButton* choice = h.rowChoice[p.row];
    choice->ChoiceSetStringsLanguageToken(p.entries, p.list);
    choice->ChoiceRegisterIntVariable(p.type, false);
    BindPanel(h.rowPanel[p.row], p.kind, p.names, p.picture);
    if (p.row >= 5) {
      choice->SetCallback(CourtTypeCB, static_cast<std::uint32_t>(p.row - 5), 0);
      h.rowPanel[p.row]->SetCallback(CourtPictureCB, static_cast<std::uint32_t>(p.row - 5), 0);
    } else {
      choice->SetSimpleCallback(PartChanged);
      h.rowPanel[p.row]->SetSimpleCallback(PartChanged);
    }
  }
  h.rowChoice[0]->SetSimpleCallback(PartChanged);
  h.rowPanel[0]->SetSimpleCallback(PartChanged);
  for (int row : {0, 2, 3, 4, 5}) {
    const int kind = row == 5 ? kDeckElementCourts : row;
    SetHeight(h.rowPanel[row], 19.0f * static_cast<float>(CardsDecksGetElementCount(kind)));
  }
  SetHeight(h.rowPanel[1], 342);
  h.rowPanel[5]->GetArea(&a, true);
  h.rowPanel[6]->SetPosArea(a);
  h.rowPanel[7]->SetPosArea(a);
  MWinArea shape, sys;
  h.rowChoice[0]->GetArea(&shape, true);
  h.rowPanel[0]->GetArea(&sys, true);
  h.rowPanel[0]->SetPos(shape.x, sys.y, 150, sys.h);

  h.heartsCol->ColourRegisterVariable(g.heartsColour);
  h.diamondsCol->ColourRegisterVariable(g.diamondsColour);
  h.spadesCol->ColourRegisterVariable(g.spadesColour);
  h.clubsCol->ColourRegisterVariable(g.clubsColour);
  h.baseCol->ColourRegisterVariable(g.baseColour);
  for (MWinButton* b : {h.heartsCol, h.diamondsCol, h.spadesCol, h.clubsCol, h.baseCol}) {
    b->SetCallback(RegenerateOnColourRelease, 0, 0);
  }
  h.suitCols->ChoiceSetStringsLanguageToken(2, "Common_NoYesList");
  h.suitCols->ChoiceRegisterCharVariable(reinterpret_cast<signed char*>(&g.suitsNoColours), false);
  h.suitCols->SetSimpleCallback(PartChanged);
  h.suitTrans->ChoiceSetStringsLanguageToken(2, "DeckGen_WhiteBlackList");
  h.suitTrans->ChoiceRegisterCharVariable(reinterpret_cast<signed char*>(&g.suitsTrans), false);
  h.suitTrans->SetSimpleCallback(PartChanged);
  h.useBaseCol->ChoiceSetStringsLanguageToken(2, "Common_NoYesList");
  h.useBaseCol->ChoiceRegisterCharVariable(reinterpret_cast<signed char*>(&g.useBaseColour), false);
  h.useBaseCol->SetSimpleCallback(UseBaseColCB);
  h.baseCol->SetEnabled(g.useBaseColour != 0);
  for (MWinButton* lock : {h.diamondsLock, h.clubsLock}) {
    lock->Hide();
    lock->SetEnabled(false);
  }

  h.ranksOn->ChoiceSetStringsLanguageToken(3, "DeckGen_RanksOnList");
  h.ranksOn->ChoiceRegisterIntVariable(&g.ranksOn, false);
  h.ranksOn->SetSimpleCallback(RegenerateThenUpdate);
  h.rankTrans->ChoiceSetStringsLanguageToken(2, "DeckGen_WhiteBlackList");
  h.rankTrans->ChoiceRegisterCharVariable(reinterpret_cast<signed char*>(&g.rankTrans), false);
  h.rankTrans->SetSimpleCallback(PartChanged);
  BindBar(h.rankXYWH[0], &g.rankX, 0.0f, 1.0f, 0, 0, RegenerateOnRelease);
  BindBar(h.rankXYWH[1], &g.rankY, 0.0f, 1.0f, 0, 0, RegenerateOnRelease);
  BindBar(h.rankXYWH[2], &g.rankW, 0.3f, 4.0f, 0, 0, RegenerateOnRelease);
  BindBar(h.rankXYWH[3], &g.rankH, 0.3f, 4.0f, 0, 0, RegenerateOnRelease);
  h.acesCenterPip->ChoiceSetStringsLanguageToken(2, "Common_NoYesList");
  h.acesCenterPip->ChoiceRegisterCharVariable(reinterpret_cast<signed char*>(&e.acesHaveCenterPip), false);
  h.acesCenterPip->SetSimpleCallback(PartChanged);
  h.acesCenterPipText->SetSimpleCallback(PartChanged);
  BindBar(h.courtWidth, &g.courtCardsWidth, 0.2f, 1.05f, 0, 0, RegenerateOnRelease);
  BindBar(h.courtHeight, &g.courtCardsHeight, 0.2f, 1.05f, 0, 0, RegenerateOnRelease);
  BindBar(h.courtPipsXYWH[0], &g.courtPipsX, -0.5f, 1.5f, 0.1f, 0.01f, RegenerateOnRelease);
  BindBar(h.courtPipsXYWH[1], &g.courtPipsY, -0.5f, 1.5f, 0.1f, 0.01f, RegenerateOnRelease);
  BindBar(h.courtPipsXYWH[2], &g.courtPipsW, 0.1f, 2.5f, 0, 0, RegenerateOnRelease);
  BindBar(h.courtPipsXYWH[3], &g.courtPipsH, 0.1f, 2.5f, 0, 0, RegenerateOnRelease);
  h.courtMirror->ChoiceSetStringsLanguageToken(2, "DeckGen_MirroredList");
  h.courtMirror->ChoiceRegisterCharVariable(reinterpret_cast<signed char*>(&g.courtCardsMirrored), false);
  h.courtMirror->SetSimpleCallback(Regenerate);
  h.courtPips->ChoiceSetStringsLanguageToken(2, "DeckGen_PipsOffOnList");
  h.courtPips->ChoiceRegisterCharVariable(reinterpret_cast<signed char*>(&g.addPipsToCourtCards), false);
  h.courtPips->SetSimpleCallback(Regenerate);
  h.texQual->ChoiceSetStringsLanguageToken(4, "Decks_TeqQualList");
  h.texQual->ChoiceRegisterCharVariable(reinterpret_cast<signed char*>(&g_ResolutionSettings.cardQuality), false);
  h.texQual->SetSimpleCallback(TexQualCB);
  h.editElem->SetSimpleCallback(DeckGenControlEditElementCB);
  h.config->SetSimpleCallback(DeckGenControlConfigCB);

  h.pic->SetTexButNone();
  for (MWinButton* b : h.cardBiggestPic) b->SetTexButNone();
  for (MWinButton* b : h.cardPic) b->SetTexButNone();
  for (MWinButton* b : h.cardBigPic) b->SetTexButNone();
}

}  // namespace

// ---- Entering ---------------------------------------------------------------------------------

void DeckGenControlStartingCB() {
  // Entering reads the settings file: previews of edits never saved are
  // not what it says. The photo-editor chooser saved the edits before it
  // opened, so coming back from it keeps them and their previews, and Done
  // still makes the deck anew.
  const bool keepEdits = g_choosingEditor;
  g_choosingEditor = false;
  if (!keepEdits && DeckGenIsChanged()) DeckGenControlDiscardEdits();
  for (int pass = 0; pass < 2; ++pass) {
    const bool found = g_ScreenOptions >= 0 && ScreensGetCurrent() == g_ScreenOptions
                           ? DeckGenGetButtonHandlesNormal("Options", "MainWin")
                           : DeckGenGetButtonHandles();
    if (!found) return;
    DeckGenHandles& h = DeckGenGetHandles();
    h.done->SetCallback(DeckGenControlDoneCB, 0, 0);
    h.done->SetEscapeButtonForParentWindow();
    for (MWinButton* b : {h.heartsColText, h.diamondsColText, h.spadesColText, h.clubsColText}) b->SetTexButNone();
    DecksRescan();
    const int deck = g_UserRecord.currentDeck;
    if (!IsUserDeck(deck)) {
      DebugError("DeckGenControlStartingCB", "Invalid deck num %d", deck);
      ScreensGoBack();
      return;
    }
    DeckGenLoadSettings();
    g_savedMode = GameGetProgramMode();
    GameSetProgramMode(kGameModeDeckGenerator);
    DeckGenControlCreateGraphics();
    if (g_UserRecord.currentDeck == deck || pass == 1) break;
    GameSetProgramMode(g_savedMode);
  }
  if (!keepEdits) DeckGenSetChanged(false);
  DeckGenHandles& h = DeckGenGetHandles();
  h.name->SetText(DecksGetCurrentDeckName());
  // The folder as the player's file manager shows it.
  const char* decks = CardsDecksGetUserDecksDirectory(nullptr, false);
  std::string folder = decks ? decks : "";
  for (char& c : folder) c = c == '\\' ? '/' : c;
  char note[600];
  if (!EngLanguagesGetStringWithParam("DeckGen_DeckLocationPC", folder.c_str(), note, sizeof note)) {
    std::snprintf(note, sizeof note, "%s", Text("DeckGen_DeckLocationPC"));
  }
  h.note->SetText(note);
  BindControls();
  DeckGenControlUpdateControls();
  DeckGenControlAttachPreviews();
}

// ---- The rules of the edit sets ------------------------------------------------------------------

void DeckGenControlUpdateControls() {
  DeckGenHandles& h = DeckGenGetHandles();
  if (!h.editSet) return;
  const int set = DeckGenGetEditSet();
  const DeckSettings& s = Settings();
  const DeckGeneratorSettings& g = s.generator;
  for (int row = 0; row < 8; ++row) {
    const bool current = set == row + 1;
    Show(h.rowText[row], current);
    Show(h.rowChoice[row], current && row != 0);  // the shape has no type: always a standard one
    Show(h.rowPanel[row], current);
  }
  // Every control of the sets' own rows hidden, then the current set's shown.
  MWinButton* pipLayout[] = {h.mainPipsType, h.mainPips[0], h.mainPips[1], h.mainPips[2], h.mainPips[3],
                             h.sidePipsType, h.sidePips[0], h.sidePips[1], h.sidePips[2], h.sidePips[3]};
  MWinButton* base[] = {h.baseColText, h.baseCol, h.useBaseColText, h.useBaseCol};
  MWinButton* suits[] = {h.suitColsText, h.suitCols, h.suitTransText, h.suitTrans,     h.heartsColText,
                         h.heartsCol,    h.diamondsColText, h.diamondsCol, h.spadesColText, h.spadesCol,
                         h.clubsColText, h.clubsCol,        h.fourColNote};
  MWinButton* ranks[] = {h.ranksOn, h.rankTrans, h.rankTransText, h.rankXYWH[0], h.rankXYWH[1], h.rankXYWH[2],
                         h.rankXYWH[3]};
  MWinButton* aces[] = {h.acesCenterPipText, h.acesCenterPip};
  MWinButton* courts[] = {h.courtWidth,       h.courtHeight,      h.courtMirror,      h.courtPips,
                          h.courtPipsXYWH[0], h.courtPipsXYWH[1], h.courtPipsXYWH[2], h.courtPipsXYWH[3]};
  for (MWinButton* b : pipLayout) Show(b, set == 0);
  for (MWinButton* b : base) Show(b, set == 2);
  for (MWinButton* b : suits) Show(b, set == 3);
  for (MWinButton* b : ranks) Show(b, set == 4);
  for (MWinButton* b : aces) Show(b, set == 5);
  for (MWinButton* b : courts) Show(b, set >= 6);
  Show(h.diamondsLock, false);
  Show(h.clubsLock, false);

  for (int i = 0; i < 4; ++i) {
    h.mainPips[i]->SetEnabled(g.mainPipsOn != 0);
    h.sidePips[i]->SetEnabled(g.sidePipsOn != 0);
    h.rankXYWH[i]->SetEnabled(g.ranksOn != 0);
  }
  const bool coloured = g.suitsNoColours == 0;
  h.heartsCol->SetEnabled(coloured);
  h.spadesCol->SetEnabled(coloured);
  h.diamondsCol->SetEnabled(coloured && CardsDecksIsFourColor());
  h.clubsCol->SetEnabled(coloured && CardsDecksIsFourColor());
  const bool ownAces = s.elements.acesType > 0;
  h.acesCenterPipText->SetEnabled(ownAces);
  h.acesCenterPip->SetEnabled(ownAces);

  // A part's list of standard pictures while its type is 0; the own
  // picture's name and Edit otherwise.
  const int32_t* type = TypeOf(set);
  if (set >= 2) Show(h.rowPanel[set - 1], *type == 0);
  const bool own = set >= 2 && *type != 0;
  Show(h.elemName, own);
  Show(h.editElem, own);
  CardsDecksDeriveAcesSettings(&Settings());
}

// ---- Regenerating ------------------------------------------------------------------------------

bool DeckGenControlRegeneratePreview() {
  DeckGenSetupElements(0);
  const int prepared = CardsGeneratePrepareForGenerating();
  if (prepared == 0) {
    DeckGenControlReloadAll();
    return false;
  }
  if (prepared < 0) {
    // Nothing could be prepared: the previews stay as they were.
    CardsGenerateFreeAll();
    DebugError("DeckGenControlRegeneratePreview", "Could not prepare the generator");
    return false;
  }
  int count = 0;
  const char* const* cards = DeckGenGetPreviewCards(DeckGenGetEditSet(), &count);
  for (int card = 0; card < count; ++card) {
    int suit = 0, rank = 0;
    CardOf(cards[card], &suit, &rank);
    CardsGenerateASingleCard(suit, rank);
  }
  CardsGenerateFreeAll();
  DeckGenControlLoadPreviews();
  DeckGenControlAttachPreviews();
  DeckGenSetChanged(true);
  return true;
}

void DeckGenControlReloadAll() {
  DeckGenSaveSettings();
  CardsGenerateDeleteGeneratedCards();
  DeckGenControlReleaseGraphics();
  DeckGenControlCreateGraphics();
  DeckGenControlUpdateControls();
  DeckGenControlAttachPreviews();
}

// ---- Leaving -----------------------------------------------------------------------------------

void DeckGenControlDoneCB(MWinCallbackRecord* record, std::uint32_t, std::uint32_t) {
  g_choosingEditor = false;
  DeckGenSaveSettings();
  DeckGenControlReleaseGraphics();
  if (DeckGenIsChanged()) {
    ShowWait("DeckGen_GenDeckMessage");
    DeckGenDeleteGeneratedPictures();
    CardsGenerateForceRegeneration();
    LoadCardsGenerateCurrentDeckIfNeeded(false, 0);
    g_MWin.PopupCloseIfOpen();
    DecksControlApplyDeck(1, true);
    DeckGenSetChanged(false);
  }
  GameSetProgramMode(g_savedMode);
  if (!record) return;
  if (g_savedMode == kGameModePlaying) {
    HelpControlDoneCB();
  } else {
    ScreensGoBack();
  }
}

// ---- The photo editor ----------------------------------------------------------------------------

void DeckGenControlConfigCB() {
  char folder[kUserPathSize];
  if (EngMiscGetApplicationsDirectory(folder, sizeof folder)) {
    DecksCopyPath(g_UserRecord.photoEditorFolder, sizeof g_UserRecord.photoEditorFolder, folder);
  }
  GetFileSetStartDir(g_UserRecord.photoEditorFolder);
  GetFileSetTitle(Text("DeckGen_SelectPhotoEditor"));
  // Programs here carry no ".exe": the chooser lists the files that can run.
  GetFileSetExtensions(nullptr);
  GetFileSetProgramsOnly(true);
  GetFileSetFileChosenCB(DeckGenControlPhotoEditorChosenCB);
  GameSetProgramMode(g_savedMode);
  DeckGenSaveSettings();
  g_choosingEditor = true;
  ScreensGoto(g_ScreenGetFile);
}

void DeckGenControlPhotoEditorChosenCB(int result) {
  if (result == 1) {
    DecksCopyPath(g_UserRecord.photoEditorFolder, sizeof g_UserRecord.photoEditorFolder, GetFileGetCurrentDir());
    const char* chosen = GetFileGetChosenFilename();
    // An empty name or one the field cannot hold leaves the path as it was.
    if (chosen && chosen[0]) DecksCopyPath(g_UserRecord.photoEditorPath, sizeof g_UserRecord.photoEditorPath, chosen);
  }
  ScreensGoBack();
  GetFileSetDefaults();
}

void DeckGenControlEditElementCB() {
  const char* editor = g_UserRecord.photoEditorPath;
  if (!editor[0] || !EngFileExists(editor)) {
    g_MWin.PopupCloseIfOpen();
    g_MWin.PopupOk(nullptr, Text("DeckGen_ConfigMessage"));
    return;
  }
  if (!g_ResolutionSettings.windowed) {
    g_MWin.PopupCloseIfOpen();
    g_MWin.PopupOk(nullptr, Text("DeckGen_RestartWindowed"));
    return;
  }
  const int set = DeckGenGetEditSet();
  if (set == 0) return;
  const char* picture = nullptr;
  if (!CardsGenerateLoadElementTexture(set - 1, nullptr, &picture) || !picture || !picture[0]) return;
  // The editor is another program: it gets the path with the system's
  // separators, which the game's own paths mix with '\\'.
  std::string path = picture;
  std::replace(path.begin(), path.end(), '\\', '/');
  char quoted[kUserPathSize + 3];
  std::snprintf(quoted, sizeof quoted, "\"%s\"", path.c_str());
  ShellExecuteA(nullptr, "open", editor, quoted, CardsDecksGetUserDecksDirectory(nullptr, false),
                SW_SHOWNORMAL);
}

