// Help.cpp - the Help screen and rules page, and the return to play (see
// Help.h).
#include "Screens/Help.h"

#include <cstdio>
#include <cstring>
#include <iterator>

#include "App/Tutorial.h"
#include "Engine/Debug.h"
#include "Engine/EngFrames.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "Game/GameState.h"
#include "Game/GameTime.h"
#include "Game/GenGameTable.h"
#include "Game/GenSave.h"
#include "Game/GenText.h"
#include "Screens/Main.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"

namespace {

constexpr const char* kName = "Help";

#define HELP_ROW(id, kind, look, text, x, y, w, h, sx, sy, token) \
  {id, kind, look, text, x, y, w, h, {1, 1, 1, 0.7f}, sx, sy, 1, token, nullptr}
#define GLOS_ROW(id, x, y) HELP_ROW(id, MWIN_BUT_PUSH, "Main", "Glos N", x, y, 36, 21, 0.8f, 0.9f, nullptr)

const ScreenRow kRows[] = {
    HELP_ROW("Bg", MWIN_BUT_PUSH, "Back1", "", 209, 92, 425, 318, 1.0f, 1.2f, nullptr),
    HELP_ROW("Title", MWIN_BUT_PUSH, "Back1", "Title", 209, 56, 425, 36, 1.0f, 1.2f, nullptr),
    HELP_ROW("Script", MWIN_BUT_SCRIPT, "Black", "", 216, 98, 412, 258, 1.0f, 1.2f, nullptr),
    GLOS_ROW("Glos1", 216, 357), GLOS_ROW("Glos2", 252, 357), GLOS_ROW("Glos3", 287, 357),
    GLOS_ROW("Glos4", 323, 357), GLOS_ROW("Glos5", 358, 357), GLOS_ROW("Glos6", 394, 357),
    GLOS_ROW("Glos7", 429, 357), GLOS_ROW("Glos8", 465, 357), GLOS_ROW("Glos9", 217, 381),
    GLOS_ROW("Glos10", 253, 381), GLOS_ROW("Glos11", 288, 381), GLOS_ROW("Glos12", 324, 381),
    GLOS_ROW("Glos13", 359, 381), GLOS_ROW("Glos14", 395, 381), GLOS_ROW("Glos15", 430, 381),
    GLOS_ROW("Glos16", 465, 381),
    HELP_ROW("Tutorial", MWIN_BUT_PUSH, "Main", "Show Rules", 542.05f, 377.8f, 86.91f, 26, 0.8f,
             0.9f, nullptr),
    HELP_ROW("Done", MWIN_BUT_PUSH, "Main", "Done", 365, 410, 112, 31, 1.0f, 1.2f,
             "Common_ButtonDone"),
};
#undef GLOS_ROW
#undef HELP_ROW

// The explanation of each glossary topic; 0 is no topic.
const char* const kTopicTokens[kHelpGlossaryTopics] = {
    "Help_GlossaryTitleList",
    "Help_GlossaryTextFoundation",
    "Help_GlossaryTextCell",
    "Help_GlossaryTextTableau",
    "Help_GlossaryTextFan",
    "Help_GlossaryTextStock",
    "Help_GlossaryTextWaste",
    "Help_GlossaryTextReserve",
    "Help_GlossaryTextUpInSuit",
    "Help_GlossaryTextUpBySameColour",
    "Help_GlossaryTextUpByAltColour",
    "Help_GlossaryTextDownByAltColour",
    "Help_GlossaryTextDownInSuit",
    "Help_GlossaryTextDownBySameColour",
    "Help_GlossaryTextDownByDifferentSuit",
    "Help_GlossaryTextUpAnySuit",
    "Help_GlossaryTextDownAnySuit",
    "Help_GlossaryTextUpOrDownAnySuit",
    "Help_GlossaryTextUpOrDownInSuit",
};

struct Handles {
  MWinButton* bg = nullptr;
  MWinButton* title = nullptr;
  MWinButton* script = nullptr;
  MWinButton* glossary[kHelpGlossaryButtons] = {};
  MWinButton* tutorial = nullptr;
  MWinButton* done = nullptr;
};
Handles g_h;
// Outlives the script button that shows it.
char g_rulesText[kHelpRulesTextSize];
float g_tutorialPulse = 0;

bool InMainMenu() { return GameGetProgramMode() == kGameModeMainMenu; }

// The topic at a slot of the current game's list; 0 when none.
int TopicAt(int slot) {
  const int game = GenGetCurGame();
  if (game < 0 || game >= kGenNumGames || slot < 0 || slot >= kGenMaxGameTopics) return 0;
  return GenGameTable[game].topics[slot];
}

bool TopicOk(int topic) { return topic >= 1 && topic < kHelpGlossaryTopics; }

// Appends a block whole when it fits (with its terminator); false when not.
bool AppendBlock(char* text, int size, int* used, const char* block) {
  const int length = static_cast<int>(std::strlen(block));
  if (*used + length >= size) return false;
  std::memcpy(text + *used, block, static_cast<std::size_t>(length) + 1);
  *used += length;
  return true;
}

void GlossaryCB(MWinCallbackRecord*, std::uint32_t slot, std::uint32_t) {
  const int topic = TopicAt(static_cast<int>(slot));
  if (!TopicOk(topic)) return;
  g_MWin.PopupSetSizes(-1, 400, -1, -1);
  g_MWin.PopupOk(HelpGlossaryTitle(topic), HelpGlossaryText(topic));
  g_MWin.PopupSetSizes(-1, -2, -1, -1);
}

// The glossary buttons of the current game, from the Normal rows' places.
void LayOutGlossaryButtons() {
  if (!g_h.script) return;
  MWinArea script;
  g_h.script->GetArea(&script, true);
  const ScreenRow& first = kRows[3];  // "Glos1": the first row's place and height
  const int count = HelpGlossaryCount();
  float widths[kHelpGlossaryButtons];
  for (int i = 0; i < kHelpGlossaryButtons; ++i) {
    widths[i] = -1;
    MWinButton* b = g_h.glossary[i];
    if (!b) continue;
    const int topic = TopicAt(i);
    if (i >= count || !TopicOk(topic)) {
      b->Hide();
      continue;
    }
    b->SetText(HelpGlossaryTitle(topic));
    b->Show();
    widths[i] = b->GetTextWidth();
  }
  HelpButtonPlace places[kHelpGlossaryButtons];
  const int rows = HelpLayoutGlossary(widths, kHelpGlossaryButtons, script.x, script.x + script.w,
                                      first.y, first.h, places);
  float shift = 0;
  if (rows == 1) {
    g_h.script->SetPos(script.x, script.y, script.w, script.h + first.h);
    shift = first.h;
  } else if (rows == 0) {
    g_h.script->SetPos(script.x, script.y, script.w, script.h + 2 * first.h);
  }
  for (int i = 0; i < kHelpGlossaryButtons; ++i) {
    if (g_h.glossary[i] && places[i].x >= 0) {
      g_h.glossary[i]->SetPos(places[i].x, places[i].y + shift, places[i].w, first.h);
    }
  }
}

}  // namespace

// ---- Layout unit ---------------------------------------------------------------------

MWinCollection* HelpAddCollectionToDesktop() {
  return ScreenAddCollection(kName, kRows, static_cast<int>(std::size(kRows)));
}
void HelpCreateCB() { HelpAddCollectionToDesktop(); }

bool HelpAddMainWinWindowButtonsToWindowNormal(MWinWindow* window) {
  return ScreenAddRows("HelpAddMainWinWindowButtonsToWindowNormal", window, kRows,
                       static_cast<int>(std::size(kRows)));
}

void HelpClearButtonHandles() { g_h = Handles{}; }

bool HelpGetButtonHandlesNormal(const char* collection, const char* window) {
  ScreenLookUp get(collection, window);
  g_h.bg = get("Bg");
  g_h.title = get("Title");
  g_h.script = get("Script");
  for (int i = 0; i < kHelpGlossaryButtons; ++i) {
    char id[16];
    std::snprintf(id, sizeof id, "Glos%d", i + 1);
    g_h.glossary[i] = get(id);
  }
  g_h.tutorial = get("Tutorial");
  g_h.done = get("Done");
  return get.AllFound();
}

bool HelpGetButtonHandles() { return HelpGetButtonHandlesNormal(kName, "MainWin"); }

// ---- Rules text and glossary -----------------------------------------------------------

bool HelpBuildRulesTextInto(char* text, int size) {
  if (!text || size <= 0) return false;
  text[0] = '\0';
  int used = 0;
  static char block[kHelpRulesTextSize];
  std::snprintf(block, sizeof block, "<1<%s\n%s", EngLanguagesGetFirstString("Help_Object"),
                GenGetGameString(2, -1));
  bool whole = AppendBlock(text, size, &used, block);
  for (int rule = 0; whole && rule < kGenMaxGameRules; ++rule) {
    const char* title = GenGetGameString(3, rule);
    if (!title || !*title) continue;
    // The title is a static buffer the next call overwrites: copied first.
    char titleCopy[256];
    std::snprintf(titleCopy, sizeof titleCopy, "%s", title);
    std::snprintf(block, sizeof block, "\n\n<1<%s\n%s", titleCopy, GenGetGameString(4, rule));
    whole = AppendBlock(text, size, &used, block);
  }
  return whole;
}

const char* HelpGlossaryTitle(int topic) {
  return TopicOk(topic) ? EngLanguagesGetString("Help_GlossaryTitleList", topic) : nullptr;
}

const char* HelpGlossaryText(int topic) {
  return TopicOk(topic) ? EngLanguagesGetFirstString(kTopicTokens[topic]) : nullptr;
}

int HelpGlossaryCount() {
  int count = 0;
  for (int slot = 0; slot < kGenMaxGameTopics; ++slot) {
    if (TopicAt(slot) != 0) count = slot + 1;
  }
  return count;
}

int HelpLayoutGlossary(const float* textWidths, int count, float left, float right, float top,
                       float rowHeight, HelpButtonPlace* places) {
  float x = left, y = top;
  int rows = 0;
  for (int i = 0; i < count; ++i) {
    places[i] = HelpButtonPlace{-1, -1, 0};
    const float width = textWidths[i];
    if (width < 0) continue;
    if (rows == 0) {
      rows = 1;
    } else if (x + width + 8 > right) {
      x = left;
      y += rowHeight + 2;
      ++rows;
    }
    places[i] = HelpButtonPlace{x, y, width + 8};
    x += width + 10;
  }
  return rows;
}

// ---- Control unit -----------------------------------------------------------------------

void HelpControlBuildRulesText() {
  static bool reported = false;
  if (!HelpBuildRulesTextInto(g_rulesText, sizeof g_rulesText) && !reported) {
    reported = true;
    DebugError("HelpControlBuildRulesText", "Rules of %s cut at %d bytes", GenGetGameFilename(-1),
               kHelpRulesTextSize);
  }
  LayOutGlossaryButtons();
}

void HelpControlStartingCB() {
  const bool embedded = ScreensGetCurrent() == g_ScreenMain;
  if (!(embedded ? HelpGetButtonHandlesNormal("Main", "MainWin") : HelpGetButtonHandles())) return;
  for (int i = 0; i < kHelpGlossaryButtons; ++i) {
    g_h.glossary[i]->SetCallback(GlossaryCB, static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(-1));
  }
  g_h.done->SetSimpleCallback(HelpControlDoneCB);
  g_h.done->SetEscapeButtonForParentWindow();
  g_h.script->ScriptSetTextColour(0.8f, 0.8f, 0.8f, 1.0f);
  g_h.script->ScriptSetParagraphColours(0.8f, 0.8f, 0.118f, 0.357f, 0.992f, 1.0f);
  HelpControlBuildRulesText();
  g_h.script->ScriptSetText(g_rulesText);
  if (TutorialIsTutorialGame()) {
    g_h.tutorial->Show();
  } else {
    g_h.tutorial->Hide();
  }
  g_h.tutorial->SetSimpleCallback(HelpControlTutorialCB);
  if (InMainMenu()) {
    g_h.bg->Hide();
    g_h.title->Hide();
    g_h.done->Hide();
    return;
  }
  g_h.title->SetTextFormatted("Rules for %s", EngLanguagesGetString("Game_GameList", GenGetCurGame()));
  if (MWinWindow* window = g_h.done->GetParent()) window->CentreButtons(true, true);
}

void HelpControlTickCB() {
  if (!g_h.tutorial || !TutorialIsTutorialGame()) return;
  const float pulse = EngMiscPulse(&g_tutorialPulse, 2 * EngProgramGetFrameTime());
  g_h.tutorial->SetAlpha(0.5f + 0.5f * pulse);
  EngFramesRequestDraw();
}

void HelpControlTutorialCB() {
  if (!InMainMenu()) {
    HelpControlDoneCB();
  } else if (!GenSavedGameExists()) {
    MainControlNewGameCB();
  } else {
    MainControlContinueGameCB();
  }
  TutorialSetRequest(2);
}

void HelpControlDoneCB() {
  HelpClearButtonHandles();
  if (InMainMenu()) return;
  GameClearEscapeKey();
  ScreensStopCurrent(1);
  GameResetIdleTimer();
  GameTimeResume();
  GameSetProgramMode(kGameModePlaying);
}
