// Cameras.cpp - the Cameras page and screen, and the table preview of the
// Cameras and Lights pages (see Cameras.h).
#include "Screens/Cameras.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "Engine/EngDevice.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Game/CardsRender.h"
#include "Game/Decks/Board.h"
#include "Game/GameCameras.h"
#include "Game/GameState.h"
#include "Game/GenLights.h"
#include "Game/UserRecord.h"
#include "Screens/MainPages.h"
#include "Screens/Options.h"
#include "Screens/ScreenRows.h"

namespace {

constexpr const char* kName = "Cameras";
constexpr int kNumCameras = 10;
constexpr float kDefaultFov = 45.0f;
constexpr float kDefaultAspect = 1.4f;

constexpr ScreenRow Row(const char* id, int kind, const char* look, const char* text, float x, float y, float w,
                        float h, const char* token, float scale = 1.0f, float scaleY = 1.2f, int align = 1) {
  return {id, kind, look, text, x, y, w, h, {1, 1, 1, 0.7f}, scale, scaleY, align, token, nullptr};
}
constexpr int kPush = MWIN_BUT_PUSH;
constexpr int kBar = MWIN_BUT_HORZSCROLLBAR;

const ScreenRow kRows[] = {
    Row("Title", kPush, "Back1", "Cameras", 19, 68, 291, 36, "Cameras_Title", 1.3f, 1.3f),
    Row("Bg", kPush, "Back1", " ", 19, 104, 291, 269, nullptr),
    Row("CameraText", kPush, "MWIN_TEXBUT_NONE", "CAMERA", 23, 121, 78, 12, "Cameras_CameraText", 1.3f, 1.3f, 0),
    Row("Current", MWIN_BUT_CHOICE, "Main", "", 27, 139, 277, 25, nullptr),
    Row("Restore", kPush, "Main", "Default", 249, 115, 55, 25, "Cameras_Restore"),
    Row("FromY", kBar, "Main", "Look From Y", 27, 184, 276, 25, "Cameras_FromY"),
    Row("FromZ", kBar, "Main", "Look From Z", 27, 209, 276, 25, "Cameras_FromZ"),
    Row("FromX", kBar, "Main", "Look From X", 318.45f, 24.53f, 91.51f, 25, nullptr),
    Row("CenterSide", kPush, "Main", "Center", 412.41f, 57, 40.99f, 25, nullptr),
    Row("Distance", kBar, "Main", "Distance", 27, 248, 276, 25, "Cameras_Distance"),
    Row("Height", kBar, "Main", "Height", 27, 273, 276, 25, "Cameras_Height"),
    Row("Side", kBar, "Main", "Side", 318.45f, 57, 91.51f, 25, nullptr),
    Row("CenterFromX", kPush, "Main", "Center", 412.41f, 24.53f, 40.99f, 25, nullptr),
    Row("Fov", kBar, "Main", "Field of View", 27, 312, 220, 25, "Cameras_Fov"),
    Row("FovDefault", kPush, "Main", "Default", 248, 312, 55, 25, "Cameras_FovDefault"),
    Row("Aspect", kBar, "Main", "Aspect", 27, 337, 220, 25, "Cameras_Aspect"),
    Row("AspectDefault", kPush, "Main", "Default", 248, 337, 55, 25, "Cameras_AspectDefault"),
    Row("Done", kPush, "Main", "Done", 108, 373, 112, 29, "Common_ButtonDone"),
    Row("RenderBg", kPush, "Back1", "", 330, 109, 291, 269, nullptr),
};

struct Handles {
  MWinButton* title = nullptr;
  MWinButton* bg = nullptr;
  MWinButton* cameraText = nullptr;
  MWinButton* current = nullptr;
  MWinButton* restore = nullptr;
  MWinHorzScrollbar* fromY = nullptr;
  MWinHorzScrollbar* fromZ = nullptr;
  MWinButton* fromX = nullptr;
  MWinButton* centerSide = nullptr;
  MWinHorzScrollbar* distance = nullptr;
  MWinHorzScrollbar* height = nullptr;
  MWinButton* side = nullptr;
  MWinButton* centerFromX = nullptr;
  MWinHorzScrollbar* fov = nullptr;
  MWinButton* fovDefault = nullptr;
  MWinHorzScrollbar* aspect = nullptr;
  MWinButton* aspectDefault = nullptr;
  MWinButton* done = nullptr;
  MWinButton* renderBg = nullptr;
};
Handles g_h;
CamerasViewport g_viewport = {0, 0, 0, 0};

int CurrentCamera() { return std::clamp<int>(g_UserRecord.currentCamera, 0, kNumCameras - 1); }

CameraPreset& CurrentPreset() { return g_UserRecord.cameras[CurrentCamera()]; }

// One scrollbar's range and the preset field it edits.
void Bind(MWinHorzScrollbar* bar, float minimum, float maximum, float big, float small, float* field) {
  bar->SetRange(minimum, maximum, big, small);
  bar->RegisterFloatVariable(field, 1.0f, false);
}

}  // namespace

MWinCollection* CamerasAddCollectionToDesktop() {
  return ScreenAddCollection(kName, kRows, static_cast<int>(std::size(kRows)));
}
void CamerasCreateCB() { CamerasAddCollectionToDesktop(); }

bool CamerasAddMainWinWindowButtonsToWindowNormal(MWinWindow* window) {
  return ScreenAddRows("CamerasAddMainWinWindowButtonsToWindowNormal", window, kRows,
                       static_cast<int>(std::size(kRows)));
}

void CamerasClearButtonHandles() { g_h = Handles{}; }

bool CamerasGetButtonHandlesNormal(const char* collection, const char* window) {
  ScreenLookUp get(collection, window);
  g_h.title = get("Title");
  g_h.bg = get("Bg");
  g_h.cameraText = get("CameraText");
  g_h.current = get("Current");
  g_h.restore = get("Restore");
  g_h.fromY = get.Scrollbar("FromY");
  g_h.fromZ = get.Scrollbar("FromZ");
  g_h.fromX = get("FromX");
  g_h.centerSide = get("CenterSide");
  g_h.distance = get.Scrollbar("Distance");
  g_h.height = get.Scrollbar("Height");
  g_h.side = get("Side");
  g_h.centerFromX = get("CenterFromX");
  g_h.fov = get.Scrollbar("Fov");
  g_h.fovDefault = get("FovDefault");
  g_h.aspect = get.Scrollbar("Aspect");
  g_h.aspectDefault = get("AspectDefault");
  g_h.done = get("Done");
  g_h.renderBg = get("RenderBg");
  return get.AllFound();
}

void CamerasControlStartingCB() {
  if (!CamerasGetButtonHandlesNormal(OptionsPageCollection(kName), "MainWin")) return;
  g_h.current->SetSimpleCallback(CamerasControlSelectCB);
  g_h.restore->SetSimpleCallback(CamerasControlRestoreCB);
  g_h.fovDefault->SetSimpleCallback(CamerasControlFovDefaultCB);
  g_h.aspectDefault->SetSimpleCallback(CamerasControlAspectDefaultCB);
  g_h.done->SetSimpleCallback(CamerasControlDoneCB);
  for (MWinHorzScrollbar* bar : {g_h.fromY, g_h.fromZ, g_h.distance, g_h.height, g_h.fov, g_h.aspect}) {
    bar->SetCallback(CamerasControlApplyCB, 0, 0);
  }
  g_UserRecord.currentCamera = CurrentCamera();
  g_h.current->ChoiceSetStringsCallback(kNumCameras, CamerasControlGetCameraText);
  g_h.current->ChoiceSetSelNoCallback(CurrentCamera());
  for (MWinButton* unused : {g_h.fromX, g_h.side, g_h.centerFromX, g_h.centerSide}) unused->Hide();

  CameraPreset& p = CurrentPreset();
  Bind(g_h.fromY, -20, 70, 10, 0.1f, &p.lookY);
  Bind(g_h.fromZ, -100, 200, 10, 0.1f, &p.lookZ);
  // The eye's offset up the table: never 0, or eye and target would stand
  // on one vertical line.
  Bind(g_h.distance, 0.0001f, 100, 1, 0.1f, &p.eyeOffsetY);
  Bind(g_h.height, 10, 300, 1, 0.1f, &p.distance);
  Bind(g_h.fov, 30, 120, 1, 0.1f, &p.fieldOfView);
  Bind(g_h.aspect, 0.3333f, 3, 0.1f, 0.01f, &p.aspect);

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
}

void CamerasControlSelectCB() {
  if (!g_h.current) return;
  g_UserRecord.currentCamera = std::clamp(g_h.current->ChoiceGetSel(), 0, kNumCameras - 1);
  CamerasControlStartingCB();
  GameCameraApplyPreset(-1);
}

void CamerasControlApplyCB(MWinCallbackRecord*, std::uint32_t, std::uint32_t) { GameCameraApplyPreset(-1); }

void CamerasControlFovDefaultCB() {
  CurrentPreset().fieldOfView = kDefaultFov;
  if (g_h.fov) g_h.fov->SetPosFloat(kDefaultFov, false);
  GameCameraApplyPreset(-1);
}

void CamerasControlAspectDefaultCB() {
  CurrentPreset().aspect = kDefaultAspect;
  if (g_h.aspect) g_h.aspect->SetPosFloat(kDefaultAspect, false);
  GameCameraApplyPreset(-1);
}

void CamerasControlRestoreCB() {
  GameCamerasSetDefaults(CurrentCamera());
  GameCameraApplyPreset(-1);
  CamerasControlStartingCB();
}

void CamerasControlDoneCB() { HelpControlDoneCB(); }

const char* CamerasControlGetCameraText(int entry) {
  static char text[8];
  if (entry < 0 || entry >= kNumCameras) return "-";
  std::snprintf(text, sizeof text, "%d", entry + 1);
  return text;
}

// ---- The preview ----------------------------------------------------------------------------

CamerasViewport CamerasPreviewViewportFor(float x, float y, float w, float h, int width, int height) {
  const int left = static_cast<int>(x + 4), top = static_cast<int>(y + 4);
  const int across = static_cast<int>(w - 8), down = static_cast<int>(h - 8);
  return {left * width / 640, top * height / 480, across * width / 640, down * height / 480};
}

void CamerasControlUpdatePreviewViewport() {
  if (!g_MWin.IsOn() || !OptionsIsCurrent()) return;
  const int page = OptionsGetPage();
  if (page != kOptionsCameras && page != kOptionsLights) return;
  // The frame of the page shown (Cameras and Lights both call it RenderBg).
  ScreenLookUp shown(OptionsPageCollection(kName));
  MWinButton* frame = shown("RenderBg");
  if (!frame) return;
  MWinArea area;
  frame->GetArea(&area, false);
  const EngScreenMode& mode = EngWindowGetScreenMode();
  g_viewport = CamerasPreviewViewportFor(area.x, area.y, area.w, area.h, mode.width, mode.height);
}

CamerasViewport CamerasGetPreviewViewport() { return g_viewport; }

void CamerasControlRenderPreview() {
  EngDevice* device = EngDeviceGetCurrent();
  const CamerasViewport& v = g_viewport;
  if (!device || v.w <= 0 || v.h <= 0) return;
  const D3DVIEWPORT9 viewport = {static_cast<DWORD>(v.x), static_cast<DWORD>(v.y), static_cast<DWORD>(v.w),
                                 static_cast<DWORD>(v.h), 0.0f, 1.0f};
  device->SetViewportToViewportStruct(&viewport);
  device->ClearDepth();
  // The menu behind the options has its own view: the preview looks through
  // the player's camera, in the player's light, and gives the view back.
  GameCameraApplyPreset(-1);
  GenApplyLights();
  // The table and its cards lie in one plane: drawn back to front.
  device->SuspendDepthTest();
  MainRenderTableBoard();
  GameControlRenderSnapshotCards();
  device->ResumeDepthTest();
  device->SetViewportFullScreen();
  if (OptionsInMainMenu()) GameCameraApplyPreset(kGameCameraMainMenu);
}
