// MWinEng.cpp - the engine back end of the toolkit's door to the engine, and
// the switch that lets tests install their own.
#include "Engine/MWin/MWinEng.h"

#include "Engine/EngFrames.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMath.h"
#include "Engine/EngMenu.h"
#include "Engine/EngMisc.h"
#include "Engine/EngPixelPos.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinEngDevice.h"

namespace {

MWinEngBackEnd* g_backEnd = nullptr;

// Window, clock, program, menu and language services; graphics come from
// MWinEngDevice (the engine's device, textures, triangle lists and fonts).
class EngineBackEnd : public MWinEngDeviceBackEnd {
 public:
  bool HasWindow() override { return EngWindowGetCurrent() != nullptr; }
  bool IsWindowed() override { return EngWindowGetScreenMode().windowed != 0; }
  bool GetCursorPixels(float* x, float* y) override {
    EngWindow* w = EngWindowGetCurrent();
    if (!w) return false;
    int px = 0, py = 0;
    w->GetCursorPos(&px, &py);
    *x = static_cast<float>(px);
    *y = static_cast<float>(py);
    return true;
  }
  void SetCursorVirtual(float x, float y) override {
    if (EngWindow* w = EngWindowGetCurrent()) w->SetCursorPos(x, y);
  }
  bool PixelToVirtual(float x, float y, float* vx, float* vy) override {
    return EngPixelPosToVirtualPos(x, y, vx, vy);
  }
  bool ConsumeReleasedOutside() override { return MWinEngConsumeReleasedOutside(); }
  bool IsKeyDown(int virtualKey) override {
    if (virtualKey < 0 || virtualKey > 255) return false;
    const std::uint8_t* keys = EngWindowGetKeyStates();
    return keys && keys[virtualKey] != 0;
  }
  unsigned TimeMs() override { return EngProgramGetCurrentMilliseconds(); }
  void RequestRedraw() override {
    if (EngProgram* p = EngProgramGetCurrent()) p->EventDrivenLoopRedrawOnPaint();
  }
  void RequestFrame() override { EngFramesRequestDraw(); }
  void WakeAtMs(unsigned milliseconds) override { EngFramesWakeAtMs(milliseconds); }
  void RenderFrameNow() override { EngMiscRenderFrameNow(true, false); }
  void WaitSeconds(float seconds) override { EngMiscWait(seconds); }

  bool MenuIsSetup() override { return EngMenuIsSetup(); }
  bool MenuIsShown() override { return EngMenuIsShown(); }
  void MenuShow() override { EngMenuShow(); }
  void MenuHide() override { EngMenuHide(); }
  float MenuVisibleHeight() override { return static_cast<float>(EngMenuGetVisibleHeight()); }
  bool MenuMouseMove(float x, float y) override {
    return EngMenuMouseMove(static_cast<int>(x), static_cast<int>(y));
  }
  bool MenuMousePress(float x, float y) override {
    return EngMenuMousePress(static_cast<int>(x), static_cast<int>(y));
  }

  bool LanguagesLoaded() override { return EngLanguagesGetNumLanguages() > 0; }
  int LanguageTokenNum(const char* token, int* subTexts) override {
    int n = 0;
    const int index = EngLanguagesGetTokenNumAndNumSubTexts(token, &n);
    if (subTexts) *subTexts = n;
    return index;
  }
  const char* LanguageString(const char* token, int subText) override {
    const char* s = EngLanguagesGetString(token, subText);
    return s ? s : "";
  }
};

// Never destroyed: the program's toolkit (a global) still releases its
// textures through it while the process ends.
MWinEngBackEnd& Engine() {
  static EngineBackEnd* engine = new EngineBackEnd;
  return *engine;
}

}  // namespace

MWinEngBackEnd* MWinEng() { return g_backEnd ? g_backEnd : &Engine(); }

void MWinEngSetBackEnd(MWinEngBackEnd* backEnd) { g_backEnd = backEnd; }

int MWinEngRound(float value) { return EngMathRound(value); }

void MWinEngRgbToHsl(float r, float g, float b, float* h, float* s, float* l) {
  EngMiscRgbToHsl(r, g, b, h, s, l);
}
