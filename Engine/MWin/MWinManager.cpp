// MWinManager.cpp - the toolkit manager: life, frame, input routing, the
// message queue, the style and text drawing. Popups are in MWinPopup.cpp.
#include "Engine/MWin/MWinManager.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "Engine/Debug.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinEng.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinTextures.h"
#include "Engine/MWin/MWinWindow.h"

MWin g_MWin;

namespace {

// The hue strip's colour of row i (0-255).
void HueRow(int i, float out[3]) {
  float r, g, b;
  if (i <= 42) {
    r = 1; g = 0; b = i / 42.0f;
  } else if (i <= 84) {
    r = 1 - (i - 43) / 41.0f; g = 0; b = 1;
  } else if (i <= 127) {
    r = 0; g = (i - 85) / 42.0f; b = 1;
  } else if (i <= 170) {
    r = 0; g = 1; b = 1 - (i - 128) / 42.0f;
  } else if (i <= 212) {
    r = (i - 171) / 42.0f; g = 1; b = 0;
  } else {
    r = 1; g = 1 - (i - 213) / 42.0f; b = 0;
  }
  out[0] = r; out[1] = g; out[2] = b;
}

unsigned PackColour(float r, float g, float b, float a) {
  auto byte = [](float v) {
    v = std::clamp(v, 0.0f, 1.0f);
    return static_cast<unsigned>(v * 255.0f + 0.5f);
  };
  return (byte(a) << 24) | (byte(r) << 16) | (byte(g) << 8) | byte(b);
}

}  // namespace

// ---- Construction ---------------------------------------------------------------

MWin::MWin() {
  std::memset(&style_, 0, sizeof(style_));
  queueCollection_[0] = queueWindow_[0] = queueButton_[0] = '\0';
  ResetStyle(true);
  for (int i = 0; i < 256; ++i) HueRow(i, pickerHue_[i]);
  desktop_ = new (std::nothrow) MWinDesktop(this);
  DebugFatalErrorIf(!desktop_, "MWin::MWin", "Could not create desktop");
  textures_ = new (std::nothrow) MWinTextures(this);
  DebugFatalErrorIf(!textures_, "MWin::MWin", "Could not create textures");
  fonts_ = new (std::nothrow) MWinFonts(this);
  DebugFatalErrorIf(!fonts_, "MWin::MWin", "Could not create fonts");
  std::strcpy(popupWinTexBut_, "MWIN_TEXBUT_DEFAULT");
  std::strcpy(popupTitleTexBut_, "MWIN_TEXBUT_DEFAULT");
  std::strcpy(popupTitleFont_, "MWIN_FONT_DEFAULT");
  std::strcpy(popupButtonTexBut_, "MWIN_TEXBUT_DEFAULT");
  std::strcpy(popupButtonFont_, "MWIN_FONT_DEFAULT");
}

MWin::~MWin() {
  if (desktop_) {
    desktop_->RemoveAllCollections();
    FreeDiscarded();
    delete desktop_;
    desktop_ = nullptr;
  }
  FreeDiscarded();
  if (background_) MWinEng()->TextureDelete(background_);
  background_ = nullptr;
  DestroyPickerTextures();
  delete textures_;
  delete fonts_;
}

void MWin::ResetStyle(bool full) {
  if (full) {
    style_.hoverActivatesCollections = 1;
    style_.hoverActivatesWindows = 1;
    style_.backgroundMode = 0;
    style_.backgroundFile[0] = '\0';
    style_.panelRowHighlight = 0;
    style_.panelBackground = 0;
    style_.panelBackgroundHighlight = 0;
  }
  style_.textFit = 1;
  style_.choiceMode = 0;
  style_.pieValueSector = style_.pieInnerDisc = style_.pieOuterRing = 1;
  style_.pieBlendingType = -1;
  const float pie[3][3] = {{0.8f, 0.298f, 0.298f}, {0.298f, 0.8f, 0.298f}, {0, 0, 0}};
  const float graph[3][3] = {{0.6f, 0.6f, 0.6f}, {0.6f, 0.6f, 0.6f}, {1, 1, 1}};
  std::memcpy(style_.pieColours, pie, sizeof(pie));
  std::memcpy(style_.graphColours, graph, sizeof(graph));
  style_.graphType = 0;
  style_.graphFrame = 1;
  style_.graphGridMode = 1;
  style_.pickerBorder[0] = style_.pickerBorder[1] = style_.pickerBorder[2] = 0;

  const float s = baseScale_, w1 = baseWidth1_ * s, w2 = baseWidth2_ * s, b1 = baseBorder1_ * s,
              b2 = baseBorder2_ * s;
  for (int l = 0; l < kMWinNumLayouts; ++l) {
    float* m = style_.layouts[l].m;
    if (full) {
      m[0] = (l == 1) ? 40.0f : (l == 2 ? 50.0f : 30.0f);
      m[1] = 3;
      m[2] = 60;
      m[3] = 20;
    }
    m[6] = m[11] = m[18] = m[19] = b1;
    m[22] = m[26] = b2;
    m[7] = 0;
    m[8] = 10;
    m[9] = m[10] = m[12] = m[14] = w1;
    m[20] = m[21] = m[23] = m[24] = w2;
    m[13] = m[15] = 2 * w1;
    m[16] = 15;
    m[17] = b1;
    m[25] = w2 / 4;
    m[27] = m[28] = 5;
    m[29] = 20;
    m[30] = m[37] = m[38] = 2;
    m[31] = m[32] = m[33] = m[35] = m[43] = m[44] = 0;
    m[34] = 0.05f;
    m[36] = m[49] = 4;
    m[39] = 8;
    m[40] = m[41] = m[13] / 3;
    m[42] = m[40] + 2 * m[40];
    m[45] = 1;
    m[46] = m[47] = 4;
    m[48] = 12;
  }
}

const float* MWin::Metrics(int layout) const {
  if (layout < 0 || layout >= kMWinNumLayouts) layout = layout_;
  if (layout < 0 || layout >= kMWinNumLayouts) layout = 0;
  return style_.layouts[layout].m;
}

// ---- Life ---------------------------------------------------------------------

bool MWin::Startup() {
  if (on_) DebugError("MWin::Startup", "MWin already on");
  on_ = 1;
  inputEnabled_ = 1;
  if (!CreateGraphicsObjects()) DebugError("MWin::Startup", "Could not create graphics objects");
  SetScreenLayout(0);
  return true;
}

bool MWin::Shutdown() {
  // A popup's saved flags must not outlive the collections they describe.
  PopupCloseIfOpen();
  if (desktop_) desktop_->RemoveAllCollections();
  if (!on_) DebugError("MWin::Shutdown", "MWin not on");
  DestroyGraphicsObjects();
  rawX_ = rawY_ = mouseX_ = mouseY_ = -1;
  on_ = 0;
  queueCount_ = 0;
  return true;
}

void MWin::Cleanup() {
  if (on_) Shutdown();
  if (desktop_) {
    desktop_->RemoveAllCollections();
    if (!IsBusy()) {
      FreeDiscarded();
      delete desktop_;
      desktop_ = nullptr;
    }
  }
}

bool MWin::CreateGraphicsObjects() {
  if (!on_) return true;
  bool ok = true;
  if (!textures_->CreateTextures()) {
    DebugError("MWin::CreateGraphicsObjects", "Could not load textures");
    ok = false;
  }
  if (!fonts_->LoadFonts()) {
    DebugError("MWin::CreateGraphicsObjects", "Could not load fonts");
    ok = false;
  }
  if (desktop_ && !desktop_->CreateGraphicsObjects()) ok = false;
  if (!CreateBackgroundImage()) ok = false;
  if (!CreatePickerTextures()) ok = false;
  return ok;
}

void MWin::DestroyGraphicsObjects() {
  if (textures_->IsLoaded()) textures_->DestroyTextures();
  if (fonts_->IsLoaded()) fonts_->ReleaseFonts();
  if (desktop_) desktop_->DestroyGraphicsObjects();
  DestroyPickerTextures();
  if (background_) MWinEng()->TextureRelease(background_);
}

bool MWin::CreateBackgroundImage() {
  MWinEngBackEnd* eng = MWinEng();
  if (style_.backgroundMode != 3) {
    if (background_) eng->TextureRelease(background_);
    return true;
  }
  if (!background_) background_ = eng->TextureNew();
  if (!background_ || !eng->TextureLoad(background_, style_.backgroundFile, 0, 0, -1)) {
    DebugError("MWin::CreateGraphicsObjects", "Could not load background image <%s>",
               style_.backgroundFile);
    style_.backgroundMode = 1;
    return false;
  }
  return true;
}

bool MWin::CreatePickerTextures() {
  MWinEngBackEnd* eng = MWinEng();
  DestroyPickerTextures();
  if (!eng->HasDevice()) return true;  // made with the device
  const float* m = Metrics(layout_);
  const int bx = static_cast<int>(m[kMetPickerBorderX]);
  const int by = static_cast<int>(m[kMetPickerBorderY]);
  const unsigned border = PackColour(style_.pickerBorder[0], style_.pickerBorder[1],
                                     style_.pickerBorder[2], 1.0f);
  std::vector<unsigned> strip(32 * 256);
  const int stripCols = bx > 0 ? std::max(MWinEngRound(bx / 2.0f), 1) : 0;
  for (int row = 0; row < 256; ++row) {
    const float* c = pickerHue_[row];
    for (int col = 0; col < 32; ++col) {
      bool edge = col < stripCols || col >= 32 - stripCols;
      if (by > 0 && (row < by || row >= 256 - by)) edge = true;
      strip[row * 32 + col] = edge ? border : PackColour(c[0], c[1], c[2], 1.0f);
    }
  }
  std::vector<unsigned> square(256 * 256);
  for (int row = 0; row < 256; ++row) {
    for (int col = 0; col < 256; ++col) {
      const bool edge = (bx > 0 && (col < bx || col >= 256 - bx)) ||
                        (by > 0 && (row < by || row >= 256 - by));
      square[row * 256 + col] = edge ? border : 0xFFFFFFFFu;
    }
  }
  pickerStrip_ = eng->TextureNew();
  pickerSquare_ = eng->TextureNew();
  bool ok = pickerStrip_ && eng->TextureFromPixels(pickerStrip_, 32, 256, strip.data());
  ok = pickerSquare_ && eng->TextureFromPixels(pickerSquare_, 256, 256, square.data()) && ok;
  return ok;
}

void MWin::DestroyPickerTextures() {
  if (pickerStrip_) MWinEng()->TextureDelete(pickerStrip_);
  if (pickerSquare_) MWinEng()->TextureDelete(pickerSquare_);
  pickerStrip_ = pickerSquare_ = nullptr;
}

// ---- Removal during routing -------------------------------------------------------

MWin::Busy::Busy(MWin* mw) : mw_(mw) { ++mw_->busy_; }

MWin::Busy::~Busy() {
  if (--mw_->busy_ == 0) mw_->FreeDiscarded();
}

void MWin::Discard(MWinCollection* collection) {
  if (busy_ > 0) deadCollections_.push_back(collection);
  else delete collection;
}

void MWin::Discard(MWinWindow* window) {
  if (busy_ > 0) deadWindows_.push_back(window);
  else delete window;
}

void MWin::Discard(MWinButton* button) {
  if (busy_ > 0) deadButtons_.push_back(button);
  else delete button;
}

void MWin::FreeDiscarded() {
  // Freeing may park more (a collection frees its windows); loop until empty.
  while (!deadButtons_.empty() || !deadWindows_.empty() || !deadCollections_.empty()) {
    std::vector<MWinButton*> buttons;
    std::vector<MWinWindow*> windows;
    std::vector<MWinCollection*> collections;
    buttons.swap(deadButtons_);
    windows.swap(deadWindows_);
    collections.swap(deadCollections_);
    for (MWinButton* b : buttons) delete b;
    for (MWinWindow* w : windows) delete w;
    for (MWinCollection* c : collections) delete c;
  }
}

// ---- Frame --------------------------------------------------------------------

bool MWin::Tick() {
  Busy busy(this);
  if (ProcessQueueMessages()) return true;
  if (!DebugAssert(desktop_ != nullptr, "MWin::Tick", "No desktop")) return false;
  return desktop_->Tick();
}

void MWin::Render(void (*underPopup)()) {
  MWinEngBackEnd* eng = MWinEng();
  if (!eng->HasDevice()) return;
  if (!DebugAssert(desktop_ != nullptr, "MWin::Render", "No desktop")) return;
  Busy busy(this);
  switch (style_.backgroundMode) {
    case 1:
      eng->ClearScreen();
      break;
    case 2:
      eng->ClearScreenAndDepth();
      break;
    default:
      break;
  }
  const bool began = eng->BeginRenderingIfNotRendering();
  if (underPopup && IsPopupOpen()) {
    RenderPart(MWinDesktop::kRenderUnderPopup, true);
    underPopup();
    RenderPart(MWinDesktop::kRenderPopup, false);
  } else {
    RenderPart(MWinDesktop::kRenderAll, true);
  }
  if (began) eng->EndRendering();
}

void MWin::RenderPart(int part, bool background) {
  MWinEngBackEnd* eng = MWinEng();
  const bool prepared = eng->PrepareFor2DIfNotPrepared();
  if (background && style_.backgroundMode == 3 && background_ && eng->TextureIsLoaded(background_)) {
    const float uv[4] = {0, 0, 1, 1};
    const float white[4][4] = {{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}};
    eng->TextureDraw(background_, 0, 0, 640, 480, uv, white);
  }
  const bool depthWasOn = eng->SuspendDepthTestIfOn();
  MWinEngBlendState blend;
  eng->GetBlendingState(&blend);
  eng->EnableBlendingType(0);
  desktop_->Render(part);
  eng->SetBlendingState(blend);
  if (depthWasOn) eng->ResumeDepthTest();
  if (prepared) eng->RestoreAfter2D();
}

// ---- Input --------------------------------------------------------------------------

void MWin::SetMousePosition(float virtualX, float virtualY) { MapMouse(virtualX, virtualY); }

void MWin::SetMappingRect(bool on, float x, float y, float w, float h) {
  mappingOn_ = on ? 1 : 0;
  mapping_ = MWinArea{x, y, w, h};
}

void MWin::MapMouse(float rawX, float rawY) {
  rawX_ = rawX;
  rawY_ = rawY;
  if (mappingOn_ && mapping_.w > 0 && mapping_.h > 0) {
    mouseX_ = (rawX - mapping_.x) * 640.0f / mapping_.w;
    mouseY_ = (rawY - mapping_.y) * 480.0f / mapping_.h;
    return;
  }
  mouseX_ = rawX;
  mouseY_ = rawY;
  MWinEngBackEnd* eng = MWinEng();
  if (eng->MenuIsSetup()) {
    const float h = eng->MenuVisibleHeight();
    if (h >= 1.0f && h < 480.0f) mouseY_ = (rawY - h) * 480.0f / (480.0f - h);
  }
}

bool MWin::HandleInputEvent(int kind, int a, int b) {
  if (!on_ || !inputEnabled_) return false;
  Busy busy(this);
  switch (kind) {
    case kEngInputMouseMove:
      return MouseMove(static_cast<float>(a), static_cast<float>(b));
    case kEngInputMouseButton:
      return ButtonPressed(a, b);
    case kEngInputDoubleClick:
      return ButtonDoubleClicked(a);
    case kEngInputWheel:
      return MouseWheelMoved(a);
    case kEngInputKeyDown:
      return keysEnabled_ ? KeyDown(a) : false;
    case kEngInputKeyUp:
      return keysEnabled_ ? KeyUp(a) : false;
    case kEngInputChar:
      return keysEnabled_ ? KeyDownChar(a) : false;
    default:
      return false;
  }
}

bool MWin::MouseMove(float pixelX, float pixelY) {
  MWinEngBackEnd* eng = MWinEng();
  pixelX_ = pixelX;
  pixelY_ = pixelY;
  if (eng->MenuMouseMove(pixelX, pixelY)) return true;
  float vx = pixelX, vy = pixelY;
  if (!eng->PixelToVirtual(pixelX, pixelY, &vx, &vy)) {
    vx = pixelX;
    vy = pixelY;
  }
  MapMouse(vx, vy);
  if (!DebugAssert(desktop_ != nullptr, "MWin::MouseMove", "No desktop")) return false;
  Busy busy(this);
  return desktop_->MouseMove();
}

bool MWin::ButtonPressed(int button, int pressed) {
  if (MWinEng()->MenuMousePress(pixelX_, pixelY_)) return true;
  if (!DebugAssert(desktop_ != nullptr, "MWin::ButtonPressed", "No desktop")) return false;
  Busy busy(this);
  return desktop_->ButtonPressed(button, pressed);
}

bool MWin::ButtonDoubleClicked(int button) {
  if (!DebugAssert(desktop_ != nullptr, "MWin::ButtonDoubleClicked", "No desktop")) return false;
  Busy busy(this);
  return desktop_->ButtonDoubleClicked(button);
}

bool MWin::MouseWheelMoved(int notches) {
  if (!DebugAssert(desktop_ != nullptr, "MWin::MouseWheelMoved", "No desktop")) return false;
  Busy busy(this);
  return desktop_->MouseWheelMoved(notches);
}

bool MWin::KeyDown(int key) {
  if (!DebugAssert(desktop_ != nullptr, "MWin::KeyDown", "No desktop")) return false;
  Busy busy(this);
  return desktop_->KeyDown(key);
}

bool MWin::KeyUp(int key) {
  if (!DebugAssert(desktop_ != nullptr, "MWin::KeyUp", "No desktop")) return false;
  Busy busy(this);
  return desktop_->KeyUp(key);
}

bool MWin::KeyDownChar(int character) {
  if (!DebugAssert(desktop_ != nullptr, "MWin::KeyDownChar", "No desktop")) return false;
  Busy busy(this);
  return desktop_->KeyDownChar(character);
}

void MWin::ButtonsChanged() {
  if (!DebugAssert(desktop_ != nullptr, "MWin::ButtonsChanged", "No desktop")) return;
  MWinEngBackEnd* eng = MWinEng();
  if (!eng->HasWindow()) return;
  float x = 0, y = 0;
  if (eng->GetCursorPixels(&x, &y)) MouseMove(x, y);
}

// ---- Layouts and look-ups ------------------------------------------------------------

void MWin::SetScreenLayout(int layout) {
  if (!desktop_) {
    layout_ = layout;
    return;
  }
  MWinCollection* active = desktop_->GetActiveCollection();
  if (active) active->Deactivate();
  layout_ = layout;
  for (MWinCollection* c = desktop_->GetFirstCollection(); c; c = c->next_) c->SetScreenLayout(layout);
  if (active) active->Activate();
}

MWinCollection* MWin::GetCollectionFromID(const char* collectionID) {
  if (!DebugAssert(desktop_ != nullptr, "MWin::GetCollectionFromID", "No desktop")) return nullptr;
  return desktop_->GetCollectionFromID(collectionID);
}

MWinWindow* MWin::GetWindowFromIDs(const char* collectionID, const char* windowID) {
  if (!DebugAssert(desktop_ != nullptr, "MWin::GetWindowFromIDs", "No desktop")) return nullptr;
  if (MWinIsIDEmpty(windowID)) {
    DebugError("MWin::GetWindowFromIDs", "No Window ID");
    return nullptr;
  }
  MWinCollection* c = desktop_->GetCollectionFromID(collectionID);
  return c ? c->GetWindowFromIDChecked(windowID) : nullptr;
}

MWinButton* MWin::GetButtonFromIDs(const char* collectionID, const char* windowID,
                                   const char* buttonID) {
  if (!DebugAssert(desktop_ != nullptr, "MWin::GetButtonFromIDs", "No desktop")) return nullptr;
  if (MWinIsIDEmpty(buttonID)) {
    DebugError("MWin::GetButtonFromIDs", "No Button ID");
    return nullptr;
  }
  MWinWindow* w = GetWindowFromIDs(collectionID, windowID);
  return w ? w->GetButtonFromIDChecked(buttonID) : nullptr;
}

bool MWin::IsAnyListOpen() {
  if (!desktop_) return false;
  for (MWinCollection* c = desktop_->GetFirstCollection(); c; c = c->next_) {
    if (!c->IsActive()) continue;
    for (MWinWindow* w = c->GetFirstWindow(); w; w = w->next_) {
      if (!w->IsActive()) continue;
      for (MWinButton* b = w->GetFirstButton(); b; b = b->next_)
        if (b->IsHighlighted() && b->GetKind() == MWIN_BUT_LIST && b->ListIsOpen()) return true;
    }
  }
  return false;
}

void MWin::UpdateLanguageTexts() {
  if (!desktop_) return;
  for (MWinCollection* c = desktop_->GetFirstCollection(); c; c = c->next_)
    for (MWinWindow* w = c->GetFirstWindow(); w; w = w->next_)
      for (MWinButton* b = w->GetFirstButton(); b; b = b->next_) b->UpdateLanguageToken();
}

// ---- Message queue ------------------------------------------------------------------------

bool MWin::AddMessageToQueue(const char* collectionID, const char* windowID,
                             const char* buttonID, int mode) {
  if (MWinIsIDEmpty(collectionID) || MWinIsIDEmpty(windowID) || MWinIsIDEmpty(buttonID)) {
    DebugError("MWin::AddMessageToQueue", "ID(s) invalid");
    return false;
  }
  if (queueCount_ != 0) {
    DebugError("MWin::AddMessageToQueue", "Queue not empty");
    return false;
  }
  if (!MWinCopyID(queueCollection_, collectionID) || !MWinCopyID(queueWindow_, windowID) ||
      !MWinCopyID(queueButton_, buttonID))
    return false;
  queueMode_ = mode;
  queueCount_ = 1;
  return true;
}

bool MWin::ProcessQueueMessages() {
  if (queueCount_ < 1) return false;
  if (queueCount_ != 1) DebugError("MWin::ProcessQueueMessages", "Num messages != 1");
  Busy busy(this);
  MWinButton* button = GetButtonFromIDs(queueCollection_, queueWindow_, queueButton_);
  // The slot is free before the callback runs, so the callback may queue again.
  queueCount_ = 0;
  if (!button) {
    DebugError("MWin::ProcessQueueMessages", "mwin.GetButtonFromIDs() failed");
    return false;
  }
  if (queueMode_ == 0 && button->HasCallback()) {
    CallButtonHook(0);
    const std::uint8_t outer = runningQueued_;
    runningQueued_ = 1;
    button->CallCallback(nullptr);
    runningQueued_ = outer;
  }
  return true;
}

void MWin::CallButtonHook(std::uint32_t word) {
  if (buttonHook_) buttonHook_(word);
}

// ---- Text ------------------------------------------------------------------------------

void MWin::DrawText(int fontNum, int align, float margin, float x, float y, float w, float h,
                    const float* offset, const char* text, bool prepare2D, bool fit) {
  if (!text || !text[0]) return;
  EngFont* font = fonts_->GetFont(fontNum);
  if (!font) return;
  MWinEngBackEnd* eng = MWinEng();
  const float ox = offset ? offset[0] : 0.0f, oy = offset ? offset[1] : 0.0f;
  float px;
  int hAlign;
  if (align == 0) {
    px = x + margin;
    hAlign = 0;
  } else if (align == 1) {
    px = x + w / 2;
    hAlign = 1;
  } else {
    px = x + w - margin;
    hAlign = 2;
  }
  const float py = y + h / 2;
  const bool prepared = prepare2D && eng->FontPrepare2D();
  bool squeezed = false;
  float rx = 1, ry = 1;
  if (fit) {
    const float room = FittedTextRoom(margin, w);
    const float width = eng->FontStringWidth(font, text);
    if (room > 0 && width > room) {
      eng->FontGetRatio(font, &rx, &ry);
      eng->FontSetRatio(font, rx * room / width, ry);
      squeezed = true;
    }
  }
  eng->FontDrawAligned(font, px + ox, py + oy, hAlign, 1, text, !prepare2D);
  if (squeezed) eng->FontSetRatio(font, rx, ry);
  if (prepared) eng->FontRestore();
}

float MWin::FittedTextRoom(float margin, float w) const {
  // A squeezed line fills its room, and its glyphs' shadows reach past their
  // advances: it keeps the margin off both edges, where a framed row or
  // button has its frame.
  return w - 2 * std::max(margin, Metrics(layout_)[kMetScriptMarginX]);
}

void MWin::DrawText(int fontNum, int align, float margin, const MWinArea& area,
                    const float* offset, const char* text, bool prepare2D, bool fit) {
  DrawText(fontNum, align, margin, area.x, area.y, area.w, area.h, offset, text, prepare2D, fit);
}

void MWin::DrawMultilineText(int fontNum, int align, float margin, float x, float y, float w,
                             float h, const float* offset, const char* text, bool prepare2D) {
  if (!text || !text[0]) return;
  EngFont* font = fonts_->GetFont(fontNum);
  if (!font) return;
  MWinEngBackEnd* eng = MWinEng();
  const float ox = offset ? offset[0] : 0.0f, oy = offset ? offset[1] : 0.0f;
  float px = x + margin;
  int hAlign = 0;
  if (align == 1) {
    px = x + w / 2;
    hAlign = 1;
  } else if (align != 0) {
    px = x + w - margin;
    hAlign = 2;
  }
  const bool prepared = prepare2D && eng->FontPrepare2D();
  MWinEngMultilineResult result;
  eng->FontDrawMultiline(font, px + ox, y + oy, w - 2 * margin, h, hAlign, 0, text, true, 0,
                         &result);
  if (prepared) eng->FontRestore();
}

bool MWinSetButtonCallback(const char* collectionID, const char* windowID, const char* buttonID,
                           MWinButtonCallback callback, std::uint32_t user1, std::uint32_t user2) {
  MWinButton* b = g_MWin.GetButtonFromIDs(collectionID, windowID, buttonID);
  if (!b) {
    DebugError("MWinSetButtonCallback", "Could not find button %s:%s",
               MWinIDForPrint(collectionID), MWinIDForPrint(buttonID));
    return false;
  }
  b->SetCallback(callback, user1, user2);
  return true;
}
