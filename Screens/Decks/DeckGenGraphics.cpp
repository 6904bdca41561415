// DeckGenGraphics.cpp - the deck generator screen's pictures: the element
// picture and the preview cards of the nine edit sets, loaded, released and
// shown in the picture buttons; and the screen's handles. The game's
// loading steps call these, so they need no other screen code (see
// DeckGen.h).
#include <cstring>
#include <string>

#include "Engine/EngFile.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Engine/EngTexture.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinManager.h"
#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/CardsGenerate.h"
#include "Game/Decks/DecksCurrent.h"
#include "Game/Decks/LoadCards.h"
#include "Game/GameState.h"
#include "Game/UserRecord.h"
#include "Screens/Decks/DeckGen.h"

namespace {

// The cards each edit set previews, and in which picture buttons.
struct PreviewRow {
  const char* cards[kDeckGenMaxPreviews];
  int count;
  int buttons;  // 0 CardPic, 1 CardBigPic, 2 CardBiggestPic
};
const PreviewRow kPreviews[kDeckGenEditSets] = {
    {{"4s", "5d", "9c", "kh"}, 4, 1},
    {{"2c", "qh"}, 2, 2},
    {{"3h", "5s", "8d", "jc", "qh", "as"}, 6, 0},
    {{"2h", "7s", "jd", "kc"}, 4, 1},
    {{"as", "2h", "3c", "4d", "5s", "6h", "7c", "8d", "9s", "th", "jc", "qd", "ks"}, 13, 0},
    {{"ah", "as", "ac", "ad"}, 4, 1},
    {{"kh", "ks", "kc", "kd"}, 4, 1},
    {{"qh", "qs", "qc", "qd"}, 4, 1},
    {{"jh", "js", "jc", "jd"}, 4, 1},
};

struct DeckGenTextures {
  EngTexture element;
  EngTexture previews[kDeckGenEditSets][kDeckGenMaxPreviews];
};
DeckGenTextures g_textures;
DeckGenHandles g_handles{};

}  // namespace

DeckGenHandles& DeckGenGetHandles() { return g_handles; }
void DeckGenClearButtonHandles() { g_handles = DeckGenHandles{}; }

int DeckGenGetEditSet() {
  int set = g_UserRecord.deckGenEditSet;
  if (set < 0 || set >= kDeckGenEditSets) set = 0;
  g_UserRecord.deckGenEditSet = static_cast<std::uint8_t>(set);
  return set;
}

void DeckGenControlCreateGraphics() {
  if (GameGetProgramMode() != kGameModeDeckGenerator) return;
  if (LoadCardsGenerateCurrentDeckIfNeeded(true, 0)) {
    g_MWin.PopupCloseIfOpen();
    g_MWin.PopupMessage(nullptr, EngLanguagesGetFirstString("DeckGen_GenDeckMessage"));
    EngMiscRenderFrameNow(true, false);
    EngMiscRenderFrameNow(true, false);
    LoadCardsGenerateCurrentDeckIfNeeded(false, 0);
    g_MWin.PopupCloseIfOpen();
  }
  DeckGenControlLoadPreviews();
  DeckGenControlShowElementName();
}

void DeckGenControlReleaseGraphics() {
  for (auto& row : g_textures.previews) {
    for (EngTexture& t : row) t.Release();
  }
  g_textures.element.Release();
}

void DeckGenControlLoadPreviews() {
  const std::string deck = DecksGetCurrentDeckName();
  for (int set = 0; set < kDeckGenEditSets; ++set) {
    for (int card = 0; card < kPreviews[set].count; ++card) {
      EngTexture& t = g_textures.previews[set][card];
      t.Release();
      const std::string file =
          std::string(CardsDecksGetDeckGenPath()) + "/" + deck + "/" + kPreviews[set].cards[card] + ".tga";
      if (EngFileExists(file.c_str())) t.LoadFromFileUsingExt(file.c_str(), 1, 2, 0);
    }
  }
}

void DeckGenControlShowElementName() {
  g_textures.element.Release();
  const int set = DeckGenGetEditSet();
  if (set == 0) return;
  if (set == 5 && CardsDecksGetSettings().elements.acesType < 1) return;
  const int slot = set - 1;
  if (!CardsGenerateLoadElementTexture(slot, &g_textures.element, nullptr)) return;
  const char* file = CardsGenerateGetElementFilename(slot, false);
  if (!file) return;
  // The name without its folder.
  const char* slash = std::strrchr(file, '/');
  const char* back = std::strrchr(file, '\\');
  if (back && (!slash || back > slash)) slash = back;
  if (g_handles.elemName) g_handles.elemName->SetText(slash ? slash + 1 : file);
}

void DeckGenControlAttachPreviews() {
  DeckGenHandles& h = g_handles;
  if (!h.pic) return;
  h.pic->SetCustomTexBut(0, g_textures.element.IsLoaded() ? &g_textures.element : nullptr);
  for (MWinButton* b : h.cardPic) b->SetCustomTexBut(0, nullptr);
  for (MWinButton* b : h.cardBigPic) b->SetCustomTexBut(0, nullptr);
  for (MWinButton* b : h.cardBiggestPic) b->SetCustomTexBut(0, nullptr);
  const int set = DeckGenGetEditSet();
  const PreviewRow& row = kPreviews[set];
  for (int card = 0; card < row.count; ++card) {
    MWinButton* b = row.buttons == 0 ? h.cardPic[card] : row.buttons == 1 ? h.cardBigPic[card] : h.cardBiggestPic[card];
    EngTexture& t = g_textures.previews[set][card];
    b->SetCustomTexBut(0, t.IsLoaded() ? &t : nullptr);
  }
}

bool DeckGenIsPreviewLoadedForTests(int set, int card) {
  return set >= 0 && set < kDeckGenEditSets && card >= 0 && card < kPreviews[set].count &&
         g_textures.previews[set][card].IsLoaded();
}

const char* const* DeckGenGetPreviewCards(int set, int* count) {
  if (set < 0 || set >= kDeckGenEditSets) {
    if (count) *count = 0;
    return nullptr;
  }
  if (count) *count = kPreviews[set].count;
  return kPreviews[set].cards;
}
