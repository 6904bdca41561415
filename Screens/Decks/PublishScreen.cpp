// PublishScreen.cpp - the Publish screen: its rows, the Send checks and the
// start and end of a publish (see Publish.h); the transfers are
// PublishTransfer.cpp.
#include <functional>
#include <iterator>
#include <new>
#include <string>
#include <vector>

#include "App/Resolution.h"
#include "Engine/Debug.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Engine/EngWindow.h"
#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/DecksCurrent.h"
#include "Game/UserRecord.h"
#include "Screens/Country.h"
#include "Screens/Decks/DecksScreens.h"
#include "Screens/Decks/Publish.h"
#include "Screens/Decks/PublishLocal.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"

namespace {

constexpr const char* kName = "Publish";

#define PUBLISH_ROW(id, kind, look, text, x, y, w, h, sx, sy, align, token) \
  {id, kind, look, text, x, y, w, h, {1, 1, 1, 0.7f}, sx, sy, align, token, nullptr}

const ScreenRow kRows[] = {
    PUBLISH_ROW("Title", MWIN_BUT_PUSH, "Back1", "SEND YOUR CARD DECK TO QUARNIX", 134.45f, 50.47f, 371.1f, 36,
                1.3f, 1.3f, 1, "Publish_Title"),
    PUBLISH_ROW("Bg", MWIN_BUT_PUSH, "Back1", "", 134.45f, 86.5f, 371.1f, 307, 1.0f, 1.2f, 1, nullptr),
    PUBLISH_ROW("NameText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Your Name", 190.36f, 105.67f, 99.96f, 20, 0.9f,
                1.0f, 2, "Publish_NameText"),
    PUBLISH_ROW("Name", MWIN_BUT_TEXTEDIT, "Main", "Unset", 294.55f, 105.67f, 155.09f, 20, 1.0f, 1.2f, 1, nullptr),
    PUBLISH_ROW("CountryText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Your Country", 191.3f, 133.4f, 99.96f, 21, 0.9f,
                1.0f, 2, nullptr),
    PUBLISH_ROW("Country", MWIN_BUT_LIST, "Main", "First Panel Entry 1", 294.55f, 133.4f, 155.09f, 21, 1.0f, 1.2f,
                1, nullptr),
    PUBLISH_ROW("CopyText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE",
                "I Agree that this deck does not contain any copyright images:", 141.46f, 182.4f, 357.08f, 21,
                0.9f, 1.0f, 1, "Publish_CopyText"),
    PUBLISH_ROW("Copy", MWIN_BUT_CHOICE, "Main", "", 271.88f, 205.33f, 96.24f, 21, 1.0f, 1.2f, 1, nullptr),
    PUBLISH_ROW("AllowText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "I allow Quarnix to modify and/or distribute my deck:",
                141.46f, 242.4f, 357.08f, 21, 0.9f, 1.0f, 1, "Publish_AllowText"),
    PUBLISH_ROW("Allow", MWIN_BUT_CHOICE, "Main", "", 271.88f, 264.67f, 96.24f, 21, 1.0f, 1.2f, 1, nullptr),
    PUBLISH_ROW("Status", MWIN_BUT_PUSH, "Main", "Unset", 143.91f, 304, 352.17f, 25, 1.0f, 1.2f, 1, nullptr),
    PUBLISH_ROW("Send", MWIN_BUT_PUSH, "Main", "Send", 276, 346, 88, 30, 1.0f, 1.2f, 1, "Publish_Send"),
    PUBLISH_ROW("Done", MWIN_BUT_PUSH, "Main", "Done", 264, 393.4f, 112, 29.4f, 1.0f, 1.2f, 1, "Common_ButtonDone"),
};
#undef PUBLISH_ROW

struct Handles {
  MWinButton* name = nullptr;
  MWinButton* country = nullptr;
  MWinButton* copy = nullptr;
  MWinButton* allow = nullptr;
  MWinButton* status = nullptr;
  MWinButton* send = nullptr;
  MWinButton* done = nullptr;
};
Handles g_h;

void SentOkCB(int) { ScreensGoBack(); }
void DoNothing(int) {}

// Send and Done again, after a run (when the screen is still there).
void EnableButtons() {
  if (g_h.send) g_h.send->SetEnabled(true);
  if (g_h.done) g_h.done->SetEnabled(true);
}

void SetHandlesNone() {
  g_h = Handles{};
  PublishSetStatusButton(nullptr);
}

// The country the package names: the one the screen shows (none for a
// player without a country until one is chosen), else the player's.
std::string ChosenCountry() {
  if (g_h.country) return g_h.country->HasText() ? g_h.country->GetTextP() : "";
  return g_UserRecord.country;
}

bool Fail(const char* text) {
  PublishPopup(nullptr, text);
  return false;
}

const char* Text(const char* token) { return EngLanguagesGetFirstString(token); }

}  // namespace

// ---- Layout -------------------------------------------------------------------------------------

MWinCollection* PublishAddCollectionToDesktop() {
  return ScreenAddCollection(kName, kRows, static_cast<int>(std::size(kRows)));
}

void PublishCreateCB() { PublishAddCollectionToDesktop(); }
void PublishClearButtonHandles() { SetHandlesNone(); }

bool PublishGetButtonHandles() {
  const char* collection = DecksScreensHostCollection(kName);
  ScreenLookUp get(collection);
  g_h.name = get("Name");
  g_h.country = get("Country");
  g_h.copy = get("Copy");
  g_h.allow = get("Allow");
  g_h.status = get("Status");
  g_h.send = get("Send");
  g_h.done = get("Done");
  const bool ok = get.AllFound();
  if (!ok) SetHandlesNone();
  PublishSetStatusButton(g_h.status);
  return ok;
}

// ---- Control ------------------------------------------------------------------------------------

void PublishStartingCB() {
  if (!PublishGetButtonHandles()) return;
  g_h.done->SetSimpleCallback(ScreensGoBack);
  g_h.done->SetEscapeButtonForParentWindow();
  g_h.send->SetSimpleCallback(PublishSendCB);
  DecksRescan();
  const int deck = g_UserRecord.currentDeck;
  if (deck < 0 || deck >= CardsDecksGetNumDecks()) {
    DebugError("PublishStartingCB", "Invalid deck num %d", deck);
    ScreensGoBack();
    return;
  }
  if (!g_UserRecord.publisherName[0]) {
    std::snprintf(g_UserRecord.publisherName, sizeof g_UserRecord.publisherName, "%s", g_UserRecord.name);
  }
  g_h.name->TextEditSetLength(kPublishMaxNameLength);
  g_h.name->TextEditRegisterText(g_UserRecord.publisherName, kPublishMaxNameLength + 1);
  g_h.name->TextEditSetText(g_UserRecord.publisherName);
  g_h.country->ListSetStringsCallback(CountryGetNumCountries(), CountryGetCountryName);
  const int country = CountryGetPosFromName(g_UserRecord.country);
  g_h.country->ListSetPosNoCallback(country < 0 ? 0 : country);
  // A player without a country is shown none, as on the other screens, not
  // the list's first row.
  if (country < 0) g_h.country->SetText("");
  for (MWinButton* choice : {g_h.copy, g_h.allow}) {
    choice->ChoiceSetStringsLanguageToken(2, "Engmon_NoYesList");
    choice->ChoiceSetSelNoCallback(0);
  }
  g_h.status->SetText("");
  g_h.status->Hide();
}

void PublishSendCB() {
  if (!g_h.send) return;
  if (!EngWindowGetScreenMode().windowed) {
    // From full screen the game may go online only once the start-up
    // tests have shown that it can.
    if (!ScoresControlCheckInternetAccess()) return;
    if (g_ResolutionSettings.ftpTest != 1) {
      g_ResolutionSettings.ftpTest = 255;
      g_ResolutionSettings.showDialog = 1;
      PublishPopupTokens("Scores_InternetAccess", "Scores_InternetAccessMessage");
      return;
    }
  }
  if (g_h.copy->ChoiceGetSel() != 1) {
    PublishPopup("", Text("Publish_MustAcceptCopyright"));
    return;
  }
  if (g_h.allow->ChoiceGetSel() != 1) {
    PublishPopup("", Text("Publish_MustAlllow"));
    return;
  }
  if (PublishIsRunning()) return;
  // Off until the outcome is told; the screen keeps drawing meanwhile.
  g_h.send->SetEnabled(false);
  g_h.done->SetEnabled(false);
  if (!PublishSendTheDeck()) EnableButtons();
}

bool PublishSendTheDeck(const std::function<void(bool sent)>& ended) {
  const char* where = "PublishSendTheDeck";
  DeckGenSetupElements(0);
  std::vector<std::uint8_t> compressed;
  try {
    std::vector<std::uint8_t> package;
    std::string error;
    const std::string deck = DecksGetCurrentDeckName();
    if (!PublishBuildPackage(g_UserRecord.publisherName, ChosenCountry().c_str(), deck.c_str(), &package,
                             &error)) {
      return Fail(error.c_str());
    }
    if (!PublishCompress(package, &compressed)) return Fail("Internal Error - compression failed.");
  } catch (const std::bad_alloc&) {
    DebugError(where, "No memory");
    return Fail("Internal Error - no memory.");
  }
  PublishSetUpload(std::move(compressed));
  const bool started = PublishStartTransfers([ended](bool sent) {
    PublishFreeTransferState();
    if (g_h.status) g_h.status->Hide();
    EnableButtons();
    if (sent) {
      DebugDoString("Publish: deck sent", 4);
      if (g_MWin.IsOn()) {
        // Its OK leaves the screen, when the player is still on it.
        g_MWin.PopupCloseIfOpen();
        g_MWin.PopupOkWithCallback("", Text("Publish_DeckSentOk"), g_h.done ? SentOkCB : DoNothing);
      }
    }
    if (ended) ended(sent);
  });
  if (!started) {
    PublishFreeTransferState();
    return Fail("Internal Error - no memory.");
  }
  return true;
}
