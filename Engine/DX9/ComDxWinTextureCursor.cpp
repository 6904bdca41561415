// ComDxWinTextureCursor.cpp - the texture cursor: its record, loading with
// the device, placing on mouse moves and drawing at the end of a frame.
#include "Engine/DX9/ComDxWinTextureCursor.h"

#include <cstring>
#include <new>

#include "Engine/DX9/ComDxWin.h"
#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngFont.h"
#include "Engine/EngMath.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWindow.h"

namespace {

// Names of 128 characters or more are refused: the record holds 127.
constexpr std::size_t kNameSize = 128;

// The texture-cursor block of the one window; the texture is made on the
// first device creation that needs it and kept for the run.
struct TextureCursor {
  char name[kNameSize] = {};
  int optionA = 0;  // file kind given to ".dat" names
  int optionB = 0;  // alpha kind
  int width = 0, height = 0;
  bool sizeIsVirtual = false;
  int hotX = 0, hotY = 0;
  // Used for drawing, in virtual units; set when the device is made.
  int drawWidth = 0, drawHeight = 0;
  int drawHotX = 0, drawHotY = 0;
  EngTexture* texture = nullptr;
};

TextureCursor gCursor;

EngWindow* WindowOr(EngWindow* window) { return window ? window : EngWindowGetCurrent(); }

// Runs the system cursor's show or hide loop as if no texture cursor were in
// use, leaving the in-use flag and cursor-visible as they were.
void SystemCursor(EngWindow* window, bool show) {
  ComDxWinState& win = window->Win();
  const bool inUse = win.textureCursorInUse;
  const bool visible = win.cursorVisible;
  win.textureCursorInUse = false;
  if (show) {
    ComDxWinShowCursor(window);
  } else {
    ComDxWinHideCursor(window);
  }
  win.textureCursorInUse = inUse;
  win.cursorVisible = visible;
}

}  // namespace

bool ComDxWinSetupTextureCursor(EngWindow* window, const char* name, int optionA, int optionB,
                                int width, int height, bool sizeIsVirtual, int hotX, int hotY) {
  static const char* const kWhere = "ComDxWinSetupTextureCursor";
  if (!name || !*name || std::strlen(name) >= kNameSize) {
    DebugError(kWhere, "Invalid Filename");
    return false;
  }
  window = WindowOr(window);
  if (!window) {
    DebugError(kWhere, "No window");
    return false;
  }
  std::memcpy(gCursor.name, name, std::strlen(name) + 1);
  window->Win().textureCursorHiddenOutside = false;
  gCursor.optionA = optionA;
  gCursor.optionB = optionB;
  gCursor.width = width;
  gCursor.height = height;
  gCursor.sizeIsVirtual = sizeIsVirtual;
  gCursor.hotX = hotX;
  gCursor.hotY = hotY;
  // Hide the system cursor whatever the engine thinks is shown, then keep
  // the engine's notion of visibility.
  const bool visible = window->Win().cursorVisible;
  window->Win().cursorVisible = true;
  window->Win().textureCursorInUse = false;
  ComDxWinHideCursor(window);
  window->Win().cursorVisible = visible;
  window->Win().textureCursorInUse = true;
  return true;
}

bool ComDxWinCreateTextureCursor(EngWindow* window) {
  window = WindowOr(window);
  if (!window || !window->Win().textureCursorInUse) return true;
  if (!gCursor.texture) gCursor.texture = new (std::nothrow) EngTexture();
  const bool loaded = gCursor.texture &&
                      gCursor.texture->LoadFromFileUsingExt(gCursor.name, 1, gCursor.optionB, gCursor.optionA);
  if (!loaded) {
    DebugError("EngDeviceDX9::Create", "Could not create texture cursor <%s>", gCursor.name);
    window->Win().textureCursorInUse = false;
    if (window->Win().cursorVisible) {
      // Hide, then show: the system cursor ends up visible.
      SystemCursor(window, false);
      SystemCursor(window, true);
    }
    return false;
  }
  if (gCursor.sizeIsVirtual) {
    gCursor.drawWidth = gCursor.width;
    gCursor.drawHeight = gCursor.height;
    gCursor.drawHotX = gCursor.hotX;
    gCursor.drawHotY = gCursor.hotY;
  } else {
    const EngScreenMode& mode = EngWindowGetScreenMode();
    gCursor.drawWidth = static_cast<int>(static_cast<float>(gCursor.width) * mode.width / 640.0f);
    gCursor.drawHeight = static_cast<int>(static_cast<float>(gCursor.height) * mode.height / 480.0f);
    gCursor.drawHotX = static_cast<int>(static_cast<float>(gCursor.hotX) * mode.width / 640.0f);
    gCursor.drawHotY = static_cast<int>(static_cast<float>(gCursor.hotY) * mode.height / 480.0f);
  }
  return true;
}

void ComDxWinReleaseTextureCursor() {
  if (gCursor.texture) gCursor.texture->Release();
}

void ComDxWinPlaceTextureCursor(EngWindow* window, int x, int y) {
  window = WindowOr(window);
  if (!window || !window->Win().textureCursorInUse || !gCursor.texture) return;
  const EngScreenMode& mode = EngWindowGetScreenMode();
  const int virtualX = EngMathRound(static_cast<float>(x) * 640.0f / static_cast<float>(mode.width));
  const int virtualY = EngMathRound(static_cast<float>(y) * 480.0f / static_cast<float>(mode.height));
  gCursor.texture->PositionRatioedInt(virtualX - gCursor.drawHotX, virtualY - gCursor.drawHotY,
                                      gCursor.drawWidth, gCursor.drawHeight);
}

void ComDxWinDrawTextureCursorQuad(EngWindow* window) {
  window = WindowOr(window);
  EngDeviceDX9* device = EngDeviceDX9GetCurrent();
  if (!window || !device || !EngDeviceDX9GetD3DDevice()) return;
  const ComDxWinState& win = window->Win();
  if (!win.textureCursorInUse || !gCursor.texture || !gCursor.texture->IsLoaded() ||
      !win.cursorVisible || win.textureCursorHiddenOutside) {
    return;
  }
  const bool openedScene = !device->IsRendering() && device->BeginRendering();
  EngFontSaveAndUnPrepareStateOrRestoreAndPrepareState(true);
  const bool switchedTo2D = device->PrepareFor2DIfNotPrepared(true);
  bool blending = false;
  int source = 0, destination = 0;
  device->GetBlendingState(&blending, &source, &destination);
  const bool depthSuspended = device->SuspendDepthTestIfOn();
  device->PushTransformMatrix();
  device->SetWorldMatrixToIdentity();
  device->EnableBlendingType(3);
  gCursor.texture->Draw();
  device->PopTransformMatrix();
  if (depthSuspended) device->ResumeDepthTest();
  if (blending) {
    device->EnableBlendingFactors(source, destination);
  } else {
    device->DisableBlending();
  }
  if (switchedTo2D) device->RestoreAfter2D();
  EngFontSaveAndUnPrepareStateOrRestoreAndPrepareState(false);
  if (openedScene) device->EndRendering();
}

EngTexture* ComDxWinGetTextureCursorTexture() { return gCursor.texture; }

const char* ComDxWinGetTextureCursorName() { return gCursor.name; }

void ComDxWinResetTextureCursorForTests() {
  delete gCursor.texture;
  gCursor = TextureCursor{};
}
