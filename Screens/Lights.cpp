// Lights.cpp - the Lights page and screen (see Lights.h).
#include "Screens/Lights.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "Engine/EngLanguages.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Game/GameCameras.h"
#include "Game/GameState.h"
#include "Game/GenLights.h"
#include "Game/UserRecord.h"
#include "Screens/Cameras.h"
#include "Screens/MainPages.h"
#include "Screens/Modules.h"
#include "Screens/Options.h"
#include "Screens/ScreenRows.h"

namespace {

constexpr const char* kName = "Lights";

constexpr ScreenRow Row(const char* id, int kind, const char* look, const char* text, float x, float y, float w,
                        float h, const char* token, float scaleX = 1.0f, float scaleY = 1.2f) {
  return {id, kind, look, text, x, y, w, h, {1, 1, 1, 0.7f}, scaleX, scaleY, 1, token, nullptr};
}
constexpr const char* kNone = "MWIN_TEXBUT_NONE";

const ScreenRow kRows[] = {
    Row("Bg", MWIN_BUT_PUSH, "Back1", "", 19, 104, 291, 269, nullptr),
    Row("AmbientLevelText", MWIN_BUT_PUSH, kNone, "Ambient Light Level", 55, 111, 219, 15,
        "Lights_AmbientLevelText"),
    Row("AmbientLevel", MWIN_BUT_HORZSCROLLBAR, "Main", " ", 38, 126, 250, 21, nullptr),
    Row("SystemText", MWIN_BUT_PUSH, kNone, "Light System", 55, 149, 219, 15, "Lights_SystemText"),
    Row("System", MWIN_BUT_CHOICE, "Main", " ", 38, 166, 250, 21, nullptr),
    Row("ColourSetText", MWIN_BUT_PUSH, kNone, "Light Colour", 55, 190, 219, 15, "Lights_ColourSetText"),
    Row("ColourSet", MWIN_BUT_CHOICE, "Main", " ", 38, 207, 250, 21, nullptr),
    Row("CustomColour", MWIN_BUT_COLOUR, kNone, " ", 88.94f, 230.37f, 147.88f, 55, nullptr),
    Row("PosSetText", MWIN_BUT_PUSH, kNone, "Light Position", 55, 286, 219, 15, "Lights_PosSetText"),
    Row("PosSet", MWIN_BUT_CHOICE, "Main", " ", 38, 303, 250, 21, nullptr),
    Row("HeightText", MWIN_BUT_PUSH, kNone, "Light Height", 55, 325, 219, 15, "Lights_HeightText"),
    Row("Height", MWIN_BUT_HORZSCROLLBAR, "Main", " ", 38, 342, 250, 21, nullptr),
    Row("Title", MWIN_BUT_PUSH, "Back1", "Lighting", 19, 68, 291, 36, "Lights_Title", 1.3f, 1.3f),
    Row("Done", MWIN_BUT_PUSH, "Main", "Done", 108, 373, 112, 29, "Common_ButtonDone"),
    Row("RenderBg", MWIN_BUT_PUSH, "Back1", "", 330, 109, 291, 269, nullptr),
};

constexpr float kPresetColours[kLightsNumPresetColours][3] = {
    {1, 1, 1}, {1, 0.9f, 0.7f}, {0.7f, 0.8f, 1}, {1, 0.8f, 0.9f}};

struct Handles {
  MWinButton* bg = nullptr;
  MWinButton* ambientLevelText = nullptr;
  MWinHorzScrollbar* ambientLevel = nullptr;
  MWinButton* systemText = nullptr;
  MWinButton* system = nullptr;
  MWinButton* colourSetText = nullptr;
  MWinButton* colourSet = nullptr;
  MWinButton* customColour = nullptr;
  MWinButton* posSetText = nullptr;
  MWinButton* posSet = nullptr;
  MWinButton* heightText = nullptr;
  MWinHorzScrollbar* height = nullptr;
  MWinButton* title = nullptr;
  MWinButton* done = nullptr;
  MWinButton* renderBg = nullptr;
};
Handles g_h;

signed char* AsChar(std::uint8_t* byte) { return reinterpret_cast<signed char*>(byte); }

void SimpleApply() { GenApplyLights(); }

}  // namespace

MWinCollection* LightsAddCollectionToDesktop() {
  return ScreenAddCollection(kName, kRows, static_cast<int>(std::size(kRows)));
}
void LightsCreateCB() { LightsAddCollectionToDesktop(); }

bool LightsAddMainWinWindowButtonsToWindowNormal(MWinWindow* window) {
  return ScreenAddRows("LightsAddMainWinWindowButtonsToWindowNormal", window, kRows,
                       static_cast<int>(std::size(kRows)));
}

void LightsClearButtonHandles() { g_h = Handles{}; }

bool LightsGetButtonHandlesNormal(const char* collection, const char* window) {
  ScreenLookUp get(collection, window);
  g_h.bg = get("Bg");
  g_h.ambientLevelText = get("AmbientLevelText");
  g_h.ambientLevel = get.Scrollbar("AmbientLevel");
  g_h.systemText = get("SystemText");
  g_h.system = get("System");
  g_h.colourSetText = get("ColourSetText");
  g_h.colourSet = get("ColourSet");
  g_h.customColour = get("CustomColour");
  g_h.posSetText = get("PosSetText");
  g_h.posSet = get("PosSet");
  g_h.heightText = get("HeightText");
  g_h.height = get.Scrollbar("Height");
  g_h.title = get("Title");
  g_h.done = get("Done");
  g_h.renderBg = get("RenderBg");
  return get.AllFound();
}

LightSettings* LightsGetSettings() {
  LightSettings* settings = ModulesGetLightSettings();
  return settings ? settings : &g_UserRecord.lights;
}

const float* LightsGetPresetColour(int set) {
  return set >= 0 && set < kLightsNumPresetColours ? kPresetColours[set] : nullptr;
}

void LightsControlStartingCB() {
  if (!LightsGetButtonHandlesNormal(OptionsPageCollection(kName), "MainWin")) return;
  g_h.ambientLevel->SetCallback(LightsControlApplyCB, 0, 0);
  g_h.height->SetCallback(LightsControlApplyCB, 0, 0);
  g_h.customColour->SetSimpleCallback(LightsControlCustomColourCB);
  g_h.system->SetSimpleCallback(LightsControlUpdateCB);
  g_h.colourSet->SetSimpleCallback(LightsControlUpdateCB);
  g_h.posSet->SetSimpleCallback(LightsControlUpdateCB);
  g_h.done->SetSimpleCallback(CamerasControlDoneCB);

  LightSettings& s = *LightsGetSettings();
  s.lightSystem = std::min<std::uint8_t>(s.lightSystem, 1);
  s.colourSet = std::min<std::uint8_t>(s.colourSet, kLightsCustomColourSet);
  s.positionSet = std::min<std::uint8_t>(s.positionSet, kLightsNumPositions - 1);
  g_h.ambientLevel->SetRange(0, 0.6f, 0, 0);
  g_h.ambientLevel->RegisterFloatVariable(&s.ambient, 1.0f, false);
  g_h.system->ChoiceSetStringsCallback(2, LightsControlGetSystemText);
  g_h.system->ChoiceRegisterCharVariable(AsChar(&s.lightSystem), false);
  g_h.colourSet->ChoiceSetStringsCallback(kLightsCustomColourSet + 1, LightsControlGetColourText);
  g_h.colourSet->ChoiceRegisterCharVariable(AsChar(&s.colourSet), false);
  g_h.customColour->ColourRegisterVariable(s.colour);
  g_h.posSet->ChoiceSetStringsCallback(kLightsNumPositions, LightsControlGetPositionText);
  g_h.posSet->ChoiceRegisterCharVariable(AsChar(&s.positionSet), false);
  g_h.height->SetRange(5, 50, 0, 0);
  g_h.height->RegisterFloatVariable(&s.height, 1.0f, false);

  if (OptionsInMainMenu()) {
    GameControlLoadSnapshot();
    GenApplyLights();
    GameCameraApplyPreset(-1);
    GameApplyCameraAndRefreshScene();
    CamerasControlUpdatePreviewViewport();
  } else {
    g_h.renderBg->SetPosArea(g_h.bg->GetAreaRelative());
    g_h.renderBg->Hide();
  }
  OptionsLayOutPage(g_h.bg, g_h.title, g_h.done);
  LightsControlUpdateCB();
}

void LightsControlUpdateCB() {
  LightSettings& s = *LightsGetSettings();
  if (g_h.colourSet) {
    if (const float* preset = LightsGetPresetColour(g_h.colourSet->ChoiceGetSel())) {
      std::copy(preset, preset + 3, s.colour);
    }
  }
  if (g_h.customColour) g_h.customColour->ColourUpdateFromVariable(false);
  if (g_h.system) {
    const bool point = g_h.system->ChoiceGetSel() != 0;
    for (MWinButton* b : {g_h.posSetText, g_h.posSet, g_h.heightText, static_cast<MWinButton*>(g_h.height)}) {
      if (b) b->SetEnabled(point);
    }
  }
  SimpleApply();
}

void LightsControlApplyCB(MWinCallbackRecord*, std::uint32_t, std::uint32_t) { SimpleApply(); }

void LightsControlCustomColourCB() {
  if (g_h.colourSet) g_h.colourSet->ChoiceSetSelNoCallback(kLightsCustomColourSet);
  SimpleApply();
}

const char* LightsControlGetSystemText(int entry) {
  return entry >= 0 && entry < 2 ? EngLanguagesGetString("Lights_SystemList", entry) : "";
}

const char* LightsControlGetColourText(int entry) {
  return entry >= 0 && entry <= kLightsCustomColourSet ? EngLanguagesGetString("Lights_ColList", entry) : "";
}

const char* LightsControlGetPositionText(int entry) {
  static char text[4];
  std::snprintf(text, sizeof text, "%c", 'A' + std::clamp(entry, 0, 25));
  return text;
}
