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

TextureCursor g_cursor;

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
  std::memcpy(g_cursor.name, name, std::strlen(name) + 1);
  window->Win().textureCursorHiddenOutside = false;
  g_cursor.optionA = optionA;
  g_cursor.optionB = optionB;
  g_cursor.width = width;
  g_cursor.height = height;
  g_cursor.sizeIsVirtual = sizeIsVirtual;
  g_cursor.hotX = hotX;
  g_cursor.hotY = hotY;
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
  if (!g_cursor.texture) g_cursor.texture = new (std::nothrow) EngTexture();
  const bool loaded = g_cursor.texture &&
                      g_cursor.texture->LoadFromFileUsingExt(g_cursor.name, 1, g_cursor.optionB, g_cursor.optionA);
  if (!loaded) {
    DebugError("EngDeviceDX9::Create", "Could not create texture cursor <%s>", g_cursor.name);
    window->Win().textureCursorInUse = false;
    if (window->Win().cursorVisible) {
      // Hide, then show: the system cursor ends up visible.
      SystemCursor(window, false);
      SystemCursor(window, true);
    }
    return false;
  }
  if (g_cursor.sizeIsVirtual) {
    g_cursor.drawWidth = g_cursor.width;
    g_cursor.drawHeight = g_cursor.height;
    g_cursor.drawHotX = g_cursor.hotX;
    g_cursor.drawHotY = g_cursor.hotY;
  } else {
    const EngScreenMode& mode = EngWindowGetScreenMode();
    g_cursor.drawWidth = static_cast<int>(static_cast<float>(g_cursor.width) * mode.width / 640.0f);
    g_cursor.drawHeight = static_cast<int>(static_cast<float>(g_cursor.height) * mode.height / 480.0f);
    g_cursor.drawHotX = static_cast<int>(static_cast<float>(g_cursor.hotX) * mode.width / 640.0f);
    g_cursor.drawHotY = static_cast<int>(static_cast<float>(g_cursor.hotY) * mode.height / 480.0f);
  }
  return true;
}

void ComDxWinReleaseTextureCursor() {
  if (g_cursor.texture) g_cursor.texture->Release();
}

void ComDxWinPlaceTextureCursor(EngWindow* window, int x, int y) {
  window = WindowOr(window);
  if (!window || !window->Win().textureCursorInUse || !g_cursor.texture) return;
  const EngScreenMode& mode = EngWindowGetScreenMode();
  const int virtualX = EngMathRound(static_cast<float>(x) * 640.0f / static_cast<float>(mode.width));
  const int virtualY = EngMathRound(static_cast<float>(y) * 480.0f / static_cast<float>(mode.height));
  g_cursor.texture->PositionRatioedInt(virtualX - g_cursor.drawHotX, virtualY - g_cursor.drawHotY,
                                      g_cursor.drawWidth, g_cursor.drawHeight);
}

void ComDxWinDrawTextureCursorQuad(EngWindow* window) {
  window = WindowOr(window);
  EngDeviceDX9* device = EngDeviceDX9GetCurrent();
  if (!window || !device || !EngDeviceDX9GetD3DDevice()) return;
  const ComDxWinState& win = window->Win();
  if (!win.textureCursorInUse || !g_cursor.texture || !g_cursor.texture->IsLoaded() ||
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
  g_cursor.texture->Draw();
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

EngTexture* ComDxWinGetTextureCursorTexture() { return g_cursor.texture; }

const char* ComDxWinGetTextureCursorName() { return g_cursor.name; }

void ComDxWinResetTextureCursorForTests() {
  delete g_cursor.texture;
  g_cursor = TextureCursor{};
}
