// DecksControl.cpp - the Decks screen's control: the preview fan and the
// card-back grid's textures, the page rules, applying a deck to the table's
// cards and painting a new card back; and the current deck's generation,
// which the start of a game uses (see DecksScreen.h). Reaches no other
// screen's code: the game's loading and render steps call it.
#include <cstdio>
#include <string>

#include "App/Resolution.h"
#include "Engine/Debug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFile.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Engine/EngXfile.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinManager.h"
#include "Game/CardsRender.h"
#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/CardsGenerate.h"
#include "Game/Decks/DecksCurrent.h"
#include "Game/Decks/LoadCards.h"
#include "Game/GameState.h"
#include "Game/UserRecord.h"
#include "Screens/Decks/DecksLocal.h"
#include "Screens/Screens.h"

namespace {

constexpr char kBacksFolder[] = "Data\\CardBacks";
constexpr int kOptionsDecksPage = 2;
const char* const kPreviewCards[kDecksNumPreviews] = {"as", "3d", "5h", "tc", "jd", "qh", "ks"};
// A back picture's file as it may lie: these, in this order.
const char* const kBackExtensions[] = {".tga", ".bmp", ".jpg", ".TGA", ".BMP", ".JPG"};

const char* Text(const char* token) { return EngLanguagesGetFirstString(token); }

// A wait message without buttons, drawn before a long step blocks the game.
void ShowWait(const char* token) {
  g_MWin.PopupCloseIfOpen();
  g_MWin.PopupMessage(nullptr, Text(token));
  EngMiscRenderFrameNow(true, false);
  EngMiscRenderFrameNow(true, false);
}

bool IsUserDeck(int deck) { return deck >= CardsDecksGetNumStandardDecks() && deck < CardsDecksGetNumDecks(); }

void Show(MWinButton* button, bool shown) {
  if (!button) return;
  if (shown) {
    button->Show();
  } else {
    button->Hide();
  }
}

}  // namespace

DecksScreenState& DecksGetState() {
  static DecksScreenState state;
  return state;
}

void DecksRestoreProgramMode() {
  if (DecksGetState().savedMode >= 0) GameSetProgramMode(DecksGetState().savedMode);
}

// ---- Generation before a game ------------------------------------------------------------------

void DecksControlGenerateCurrentDeck() { LoadCardsGenerateCurrentDeckIfNeeded(false, 0); }

// ---- Applying a deck ---------------------------------------------------------------------------

void DecksControlApplyDeck(int kind, bool show) {
  DecksScreenState& s = DecksGetState();
  const int deck = g_UserRecord.currentDeck, quality = g_ResolutionSettings.cardQuality;
  if (kind == 0 && deck == s.lastDeck && quality == s.lastQuality) return;
  s.lastDeck = deck;
  s.lastQuality = quality;
  if (show) ShowWait(kind == 2 ? "Decks_ChangingCardBack" : kind == 1 ? "Decks_ApplyingNewDeck" : "Decks_PleaseWait");
  LoadCardsGenerateCurrentDeckIfNeeded(false, 0);
  LoadCardsLoadCardFaces(-1);
  LoadCardsLoadCardBack();
  LoadCardsLoadCardShadow();
  if (EngXfile* side = CardsGetDeckSideModel()) {
    if (const char* file = LoadCardsGetTextureFilenameCB(2)) side->SetMaterialTextureFromFile(0, file, 0, 0, 1);
  }
  if (show) g_MWin.PopupCloseIfOpen();
}

// ---- Textures ------------------------------------------------------------------------------------

void DecksControlLoadPreviews() {
  DecksScreenState& s = DecksGetState();
  if (LoadCardsGenerateCurrentDeckIfNeeded(true, 0)) {
    ShowWait("Decks_GenDeckMessage");
    LoadCardsGenerateCurrentDeckIfNeeded(false, 0);
    g_MWin.PopupCloseIfOpen();
  }
  const std::string deck = DecksGetCurrentDeckName();
  for (int i = 0; i < kDecksNumPreviews; ++i) {
    EngTexture& card = s.previews[i];
    card.Release();
    const std::string file = std::string(CardsDecksGetDeckGenPath()) + "/" + deck + "/" + kPreviewCards[i] + ".tga";
    if (card.LoadFromFileUsingExt(file.c_str(), 1, 2, 0)) {
      card.PositionRatioedInt(360 + 15 * i, s.savedMode == kGameModePlaying ? 190 : 180, 100, 80);
    }
  }
  for (int back = 0; back < kDecksNumBacks; ++back) DecksControlLoadDeckGraphics(back);
}

bool DecksControlLoadDeckGraphics(int back) {
  if (back < 0 || back >= kDecksNumBacks) return false;
  EngTexture& texture = DecksGetState().backs[back];
  texture.Release();
  std::string name;
  char* userPath = back >= kDecksNumStandardBacks ? g_UserRecord.cardBackPaths[back - kDecksNumStandardBacks] : nullptr;
  if (userPath) {
    name = userPath;
  } else {
    name = std::string(kBacksFolder) + "/" + DecksGetStandardBack(back).back;
  }
  if (name.empty()) return false;
  std::string file;
  for (const char* ext : kBackExtensions) {
    if (EngFileExists((name + ext).c_str())) {
      file = name + ext;
      break;
    }
  }
  if (!file.empty() && texture.LoadFromFileUsingExt(file.c_str(), 0, 0, 0)) return true;
  DebugError("DecksControlLoadDeckGraphics", "Could not load card back %d", back);
  if (userPath) userPath[0] = 0;
  return false;
}

void DecksControlReleaseGraphics() {
  DecksScreenState& s = DecksGetState();
  for (EngTexture& t : s.previews) t.Release();
  for (EngTexture& t : s.backs) t.Release();
}

void DecksControlCreateGraphics() {
  const int options = ScreensGetScreenId("Options");
  const bool optionsPage = options >= 0 && ScreensGetCurrent() == options && g_UserRecord.optionsPage == kOptionsDecksPage;
  if (GameGetProgramMode() == kGameModeDecksOverGame || optionsPage) DecksControlLoadPreviews();
}

void DecksControlRenderPreview() {
  EngDevice* device = EngDeviceGetCurrent();
  if (!device || g_UserRecord.decksPage != 0) return;
  DecksScreenState& s = DecksGetState();
  // A fan turned a little to the left in the main menu, where the page sits
  // lower beside the list.
  const float base = GameGetProgramMode() == kGameModeMainMenu ? -0.2f : 0.0f;
  device->PrepareFor2D(true);
  CardsBeginBlending();
  for (int i = 0; i < kDecksNumPreviews; ++i) {
    if (!s.previews[i].IsLoaded()) continue;
    const float position[3] = {0, 0, 0};
    const float rotation[3] = {0, 0, base - static_cast<float>(i - 3) * 0.1f};
    const float scale[3] = {0.8f, 0.8f, 1.0f};
    device->SetWorldPositionRotationAndScale(position, rotation, scale);
    s.previews[i].Draw();
  }
  CardsEndBlending();
  device->RestoreAfter2D();
}

// ---- The page ------------------------------------------------------------------------------------

const char* DecksDeckNameCB(int entry, int) { return CardsDecksGetDeckName(entry); }

void DecksControlSetupDeckList() {
  MWinButton* deck = DecksGetState().h.deck;
  if (!deck) return;
  deck->PanelSetStringsCallback(CardsDecksGetNumDecks(), 6, DecksDeckNameCB);
  deck->PanelRegisterIntVariable(&g_UserRecord.currentDeck, 0);
}

void DecksControlUpdateButtons() {
  DecksHandles& h = DecksGetState().h;
  if (!h.deck) return;
  const bool backPage = g_UserRecord.decksPage == 1;
  for (MWinButton* b : {h.deck, h.newDeck, h.edit, h.remove, h.cardsBg, h.print, h.upload, h.fourText, h.four,
                        h.fourInfo, h.texQualText, h.texQual, h.texQualNote, h.texQualInfo}) {
    Show(b, !backPage);
  }
  Show(h.backBg, backPage);
  Show(h.cardSel, backPage);
  for (MWinButton* b : h.cards) Show(b, backPage);
  for (MWinButton* b : h.cardEdits) Show(b, backPage);
  if (backPage) {
    int& current = g_UserRecord.currentCardBack;
    if (current < 0 || current >= kDecksNumBacks) current = 0;
    DecksScreenState& s = DecksGetState();
    if (h.cardSel && h.cards[current]) {
      MWinArea a;
      h.cards[current]->GetArea(&a, true);
      h.cardSel->SetPos(a.x - 4, a.y - 4, a.w + 8, a.h + 8);
    }
    for (int back = 0; back < kDecksNumBacks; ++back) {
      MWinButton* card = h.cards[back];
      MWinButton* edit = back >= kDecksNumStandardBacks ? h.cardEdits[back - kDecksNumStandardBacks] : nullptr;
      const bool loaded = s.backs[back].IsLoaded();
      if (card) {
        card->SetCustomTexBut(0, loaded ? &s.backs[back] : nullptr);
        Show(card, loaded);
      }
      if (edit) edit->SetText(loaded && back != current ? "-" : "+");
    }
    return;
  }
  const int deck = g_UserRecord.currentDeck;
  if (h.newDeck) h.newDeck->SetEnabled(CardsDecksGetNumDecks() < kDecksMaxDecks);
  for (MWinButton* b : {h.edit, h.remove, h.upload}) {
    if (b) b->SetEnabled(IsUserDeck(deck));
  }
}

void DecksControlSetPageCB() { DecksControlUpdateButtons(); }

void DecksControlDeckChosenCB() {
  DecksControlLoadPreviews();
  DecksControlUpdateButtons();
}

void DecksControlTexQualCB() {
  CardsGenerateForceRegeneration();
  DecksControlLoadPreviews();
}

void DecksControlTexQualInfoCB() {
  g_MWin.PopupCloseIfOpen();
  g_MWin.PopupOk(Text("Decks_TexQualText"), Text("Decks_TexQualMessage"));
}

void DecksControlFourColourCB() {
  if (LoadCardsIsFourColorDeckNeeded() == CardsDecksIsFourColor()) return;
  LoadCardsGenerateCurrentDeckIfNeeded(false, 0);
  LoadCardsLoadCardFaces(-1);
  DecksControlCreateGraphics();
}

void DecksControlFourColsInfoCB() {
  g_MWin.PopupCloseIfOpen();
  g_MWin.PopupOk(Text("Decks_Lock4ColsText"), Text("Decks_Lock4ColsMessage"));
}

// ---- Card backs ------------------------------------------------------------------------------------

void DecksControlSelectBackCB(MWinCallbackRecord* record, std::uint32_t back, std::uint32_t) {
  const int current = g_UserRecord.currentCardBack;
  DecksSelectBack(static_cast<int>(back), record != nullptr, current >= 0 ? current : static_cast<int>(back));
}

bool DecksSelectBack(int back, bool show, int previous) {
  int& current = g_UserRecord.currentCardBack;
  if (back < 0 || back >= kDecksNumBacks || back == current) return false;
  // The generator set up for the current deck: its settings, elements,
  // picture size, colour mode and output folder.
  LoadCardsGenerateCurrentDeckIfNeeded(true, 0);
  current = back;
  DecksControlSetBackElements(false);
  if (!CardsGenerateLoadElementPart(kGenSlotShape)) {
    current = previous;
    return false;
  }
  // The overlay is drawn over every back: it is loaded with the back (a
  // back without it would be copied to every deck).
  const bool overlay = CardsGenerateGetElementFilename(kGenSlotBackOverlay, false) != nullptr;
  const bool painted = CardsGenerateLoadElementPart(kGenSlotBase) && CardsGenerateLoadElementPart(kGenSlotBack) &&
                       (!overlay || CardsGenerateLoadElementPart(kGenSlotBackOverlay)) &&
                       CardsGenerateLoadElementPart(kGenSlotDeckSide) && CardsGenerateASingleCard(0, 0) &&
                       CardsGenerateASingleCard(0, -1);
  CardsGenerateFreeAll();
  if (!painted) {
    current = previous;
    DecksControlSetBackElements(false);
    return false;
  }
  DecksControlApplyDeck(2, show);
  CardsDecksUpdateCardBacksAndSidesForAllDecksWithCurrentDecksCardBack(g_UserRecord.currentDeck);
  DecksControlUpdateButtons();
  return true;
}

bool DecksIsBackLoadedForTests(int back) {
  return back >= 0 && back < kDecksNumBacks && DecksGetState().backs[back].IsLoaded();
}

bool DecksIsPreviewLoadedForTests(int card) {
  return card >= 0 && card < kDecksNumPreviews && DecksGetState().previews[card].IsLoaded();
}
