// General.cpp - the General page and screen, and the player's language
// at the start of play (see General.h).
#include "Screens/General.h"

#include <cstdio>
#include <cstring>
#include <iterator>

#include "App/Main.h"
#include "App/Resolution.h"
#include "App/Sound.h"
#include "Engine/EngLanguages.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Game/GameState.h"
#include "Game/UserRecord.h"
#include "Screens/GeneralLocal.h"
#include "Screens/MainPages.h"
#include "Screens/Options.h"

namespace {

constexpr const char* kName = "General";

struct Handles {
  MWinButton* title = nullptr;
  MWinButton* typeBg = nullptr;
  MWinButton* undo = nullptr;
  MWinButton* undoInfo = nullptr;
  MWinButton* cardSounds = nullptr;
  MWinButton* cardSoundsVol = nullptr;
  MWinButton* fndEffects = nullptr;
  MWinButton* swapButtons = nullptr;
  MWinButton* showPlayMoves = nullptr;
  MWinButton* langText = nullptr;
  MWinButton* lang = nullptr;
  MWinButton* endGameCards = nullptr;
  MWinButton* endGameSeq = nullptr;
  MWinButton* endGameMusic = nullptr;
  MWinButton* endGameCongrats = nullptr;
  MWinButton* done = nullptr;
};
Handles g_h;
int g_chosenLanguage = -1;

signed char* AsChar(std::uint8_t* byte) { return reinterpret_cast<signed char*>(byte); }

void BindChoice(MWinButton* b, int entries, const char* token, std::uint8_t* byte) {
  if (!b) return;
  b->ChoiceSetStringsLanguageToken(entries, token);
  b->ChoiceRegisterCharVariable(AsChar(byte), false);
}

void BindList(MWinButton* b, int entries, const char* token, std::uint8_t* byte) {
  if (!b) return;
  b->ListSetStringsLanguageToken(entries, token);
  b->ListRegisterCharVariable(AsChar(byte));
}

void Disable(MWinButton* b) {
  if (b) b->SetEnabled(false);
}

// Copies the current language's name into a text field of size bytes.
void CopyCurrentLanguage(char* field, std::size_t size) {
  std::snprintf(field, size, "%s", EngLanguagesGetCurrentLanguageName());
}

}  // namespace

MWinCollection* GeneralAddCollectionToDesktop() { return ScreenAddCollectionLayouts(kName, kGeneralLayouts); }
void GeneralCreateCB() { GeneralAddCollectionToDesktop(); }

bool GeneralAddMainWinWindowButtonsToWindowNormal(MWinWindow* window) {
  return ScreenAddRows("GeneralAddMainWinWindowButtonsToWindowNormal", window, kGeneralLayouts[0].rows,
                       kGeneralLayouts[0].count);
}

void GeneralClearButtonHandles() { g_h = Handles{}; }

bool GeneralGetButtonHandlesForLayout(const char* collection, const char* window, int layout) {
  ScreenLookUp get(collection, window);
  // The small layouts lack these rows and leave their handles null.
  const bool normal = layout < 1 || layout > 3;
  auto normalOnly = [&](const char* id) { return normal ? get(id) : nullptr; };
  g_h.title = get("Title");
  g_h.typeBg = get("TypeBg");
  g_h.undo = get("Undo");
  g_h.undoInfo = get("UndoInfo");
  g_h.cardSounds = get("CardSounds");
  g_h.cardSoundsVol = get("CardSoundsVol");
  g_h.fndEffects = get("FndEffects");
  g_h.swapButtons = normalOnly("SwapButtons");
  g_h.showPlayMoves = normalOnly("ShowPlayMoves");
  g_h.langText = normalOnly("LangText");
  g_h.lang = normalOnly("Lang");
  g_h.endGameCards = normalOnly("EndGameCards");
  g_h.endGameSeq = normalOnly("EndGameSeq");
  g_h.endGameMusic = get("EndGameMusic");
  g_h.endGameCongrats = normalOnly("EndGameCongrats");
  g_h.done = get("Done");
  return get.AllFound();
}

bool GeneralGetButtonHandles() {
  return GeneralGetButtonHandlesForLayout(kName, "MainWin", ScreenLayoutFor(kGeneralLayouts));
}

void GeneralControlStartingCB() {
  const bool found = OptionsIsCurrent() ? GeneralGetButtonHandlesForLayout("Options", "MainWin", 0)
                                        : GeneralGetButtonHandles();
  if (!found) return;
  if (g_h.undo) g_h.undo->SetSimpleCallback(DoNothingCB);
  if (g_h.undoInfo) g_h.undoInfo->SetSimpleCallback(GeneralControlUndoInfoCB);
  if (g_h.cardSounds) g_h.cardSounds->SetSimpleCallback(GeneralControlCardSoundsCB);
  if (g_h.endGameSeq) g_h.endGameSeq->SetSimpleCallback(GeneralControlEndGameSeqCB);
  if (g_h.endGameMusic) g_h.endGameMusic->SetSimpleCallback(GeneralControlEndGameMusicCB);
  if (g_h.lang) g_h.lang->SetCallback(GeneralControlLanguageCB, 0, 0);
  if (g_h.done) g_h.done->SetCallback(GeneralControlDoneCB, 0, 0);

  UserRecord& r = g_UserRecord;
  BindChoice(g_h.undo, 3, "General_UndoLevelList", &r.undoLevel);
  BindChoice(g_h.cardSounds, 2, "Common_OffOnList", &r.playMovesSound);
  if (g_h.cardSoundsVol && g_h.cardSoundsVol->GetKind() == MWIN_BUT_HORZSCROLLBAR) {
    auto* volume = static_cast<MWinHorzScrollbar*>(g_h.cardSoundsVol);
    volume->SetRange(0.05f, 1.0f, 0, 0);
    volume->RegisterFloatVariable(&r.soundVolume, 1.0f, false);
  }
  BindChoice(g_h.showPlayMoves, 2, "Common_NoYesList", &r.highlightPlayable);
  BindList(g_h.fndEffects, 4, "General_FndEffectsList", &r.foundationSoundEffect);
  BindChoice(g_h.swapButtons, 2, "Common_OffOnList", &r.swapMouseButtons);
  BindChoice(g_h.endGameCards, 2, "Common_OffOnList", &r.gatherCards);
  BindList(g_h.endGameSeq, 3, "General_EndSeqList", &r.afterWin);
  BindChoice(g_h.endGameCongrats, 3, "General_CongratsTextList", &r.congratulations);
  BindChoice(g_h.endGameMusic, 2, "Common_NoYesList", &r.playMusic);
  if (g_h.lang) {
    if (g_h.langText) g_h.langText->Hide();
    g_h.lang->Hide();
  }
  GeneralControlEndGameSeqCB();
  GeneralControlCardSoundsCB();
  // Without sound nothing here can be heard: after the rules above.
  if (!g_ResolutionSettings.soundOn) {
    Disable(g_h.cardSounds);
    Disable(g_h.cardSoundsVol);
    Disable(g_h.endGameMusic);
  }
  OptionsLayOutPage(g_h.typeBg, g_h.title, g_h.done);
}

void GeneralControlUndoInfoCB() {
  g_MWin.PopupOk(EngLanguagesGetFirstString("General_UndoMessageHeading"),
               EngLanguagesGetFirstString("General_UndoMessage"));
}

void GeneralControlCardSoundsCB() {
  if (g_h.cardSoundsVol) g_h.cardSoundsVol->SetEnabled(g_UserRecord.playMovesSound != 0);
}

void GeneralControlEndGameMusicCB() {
  if (!g_UserRecord.playMusic) SoundStopMusic();
}

void GeneralControlEndGameSeqCB() {
  const bool celebration = g_UserRecord.afterWin == 0;
  if (g_h.endGameMusic) g_h.endGameMusic->SetEnabled(celebration);
  if (g_h.endGameCongrats) g_h.endGameCongrats->SetEnabled(celebration);
}

void GeneralControlLanguageCB(MWinCallbackRecord* record, std::uint32_t, std::uint32_t) {
  if (!record || !record->button || record->listEvent != 1) return;
  g_chosenLanguage = record->listEntry;
  EngLanguagesSetCurrentLanguageNum(g_chosenLanguage);
  g_MWin.UpdateLanguageTexts();
  MainLoadMenuButtonText();
  CopyCurrentLanguage(g_UserRecord.language, sizeof g_UserRecord.language);
  CopyCurrentLanguage(g_ResolutionSettings.language, sizeof g_ResolutionSettings.language);
  g_ResolutionSettings.languageChosen = 0;
}

void GeneralControlDoneCB(MWinCallbackRecord* record, std::uint32_t, std::uint32_t) {
  GeneralClearButtonHandles();
  GameSetCardSoundCB();
  SoundSetVolume();
  if (record) HelpControlDoneCB();
}

void GeneralControlApplyLanguage() {
  if (g_ResolutionSettings.languageChosen) {
    CopyCurrentLanguage(g_UserRecord.language, sizeof g_UserRecord.language);
    g_ResolutionSettings.languageChosen = 0;
    return;
  }
  const int before = EngLanguagesGetCurrentLanguageNum();
  int match = -1;
  for (int i = 0; i < EngLanguagesGetNumLanguages(); ++i) {
    EngLanguagesSetCurrentLanguageNum(i);
    if (std::strncmp(EngLanguagesGetCurrentLanguageName(), g_UserRecord.language, sizeof g_UserRecord.language) ==
        0) {
      match = i;
    }
  }
  EngLanguagesSetCurrentLanguageNum(before);
  if (match < 0 || match == before) return;
  EngLanguagesSetCurrentLanguageNum(match);
  CopyCurrentLanguage(g_ResolutionSettings.language, sizeof g_ResolutionSettings.language);
  g_MWin.UpdateLanguageTexts();
}
