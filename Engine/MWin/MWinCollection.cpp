// MWinCollection.cpp - one screen's windows, five lists (one per layout),
// and the collection's part of the input routing.
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinWindow.h"

MWinCollection::MWinCollection(MWin* mw, const char* id, MWinDesktop* desktop)
    : desktop_(desktop), mw_(mw) {
  if (!mw) DebugFatalErrorIf(true, "MWinCollection::MWinCollection", "No mw");
  MWinCopyID(id_, id);
  valid_ = 1;
}

MWinCollection::~MWinCollection() {
  // Every layout's list, not only the current one: the others would leak.
  for (int l = 0; l < kMWinNumLayouts; ++l) {
    MWinWindow* last = windows_[l];
    while (last && last->next_) last = last->next_;
    while (last) {
      MWinWindow* prev = last->prev_;
      last->DestroyGraphicsObjects();
      delete last;
      last = prev;
    }
    windows_[l] = nullptr;
  }
  if (bgTexture_) MWinEng()->TextureDelete(bgTexture_);
}

int MWinCollection::CurrentList() const {
  int l = GetScreenLayout();
  return (l < 0 || l >= kMWinNumLayouts) ? 0 : l;
}

int MWinCollection::GetScreenLayout() const {
  if (layoutChosen_) return layout_;
  return mw_ ? mw_->GetScreenLayout() : 0;
}

void MWinCollection::Activate() {
  if (layout_ < 0 || layout_ >= kMWinNumLayouts) {
    DebugError("MWinCollection::Activate", "Invalid screen layout %d", layout_);
    layout_ = 0;
  }
  for (MWinCollection* c = prev_; c; c = c->prev_) c->Deactivate();
  for (MWinCollection* c = next_; c; c = c->next_) c->Deactivate();
  active_ = 1;
}

void MWinCollection::DeactivateWindow(MWinWindow* w) {
  w->DeactivateButtons();
  w->SetActive(false);
}

void MWinCollection::Deactivate() {
  if (layout_ < 0 || layout_ >= kMWinNumLayouts) {
    DebugError("MWinCollection::Deactivate", "Invalid screen layout %d", layout_);
    layout_ = 0;
  }
  for (MWinWindow* w = windows_[CurrentList()]; w; w = w->next_) DeactivateWindow(w);
  active_ = 0;
}

void MWinCollection::SetScreenLayout(int layout) {
  const bool wasActive = active_ != 0;
  if (wasActive) Deactivate();
  if (layout < 0 || layout >= kMWinNumLayouts) {
    DebugError("MWinCollection::SetScreenLayout", "Invalid screen layout %d", layout);
    layout = 0;
  }
  layout_ = layout;
  layoutChosen_ = 1;
  if (wasActive) Activate();
}

MWinWindow* MWinCollection::AddWindow(const char* windowID, const MWinWindowSetup* setup) {
  MWinWindow* w = new MWinWindow(mw_, windowID, this, setup);
  MWinWindow*& first = windows_[CurrentList()];
  if (first) {
    MWinWindow* last = first;
    for (MWinWindow* o = first; o; o = o->next_) {
      DeactivateWindow(o);
      last = o;
    }
    last->next_ = w;
    w->prev_ = last;
  } else {
    first = w;
  }
  w->DeactivateButtons();
  w->SetActive(true);
  return w;
}

bool MWinCollection::RemoveWindow(MWinWindow* window) {
  MWinWindow*& first = windows_[CurrentList()];
  for (MWinWindow* w = first; w; w = w->next_) {
    if (w != window) continue;
    if (w->prev_) w->prev_->next_ = w->next_;
    if (w->next_) w->next_->prev_ = w->prev_;
    if (first == w) first = w->next_;
    w->prev_ = w->next_ = nullptr;
    w->SetCollection(nullptr);
    w->DestroyGraphicsObjects();
    mw_->Discard(w);
    return true;
  }
  return false;
}

MWinWindow* MWinCollection::GetWindowFromID(const char* windowID, bool report) {
  if (MWinIsIDEmpty(windowID)) {
    if (report) DebugError("MWinCollection::GetWindowFromID", "No Window ID");
    return nullptr;
  }
  for (MWinWindow* w = windows_[CurrentList()]; w; w = w->next_)
    if (MWinCompareIDs(w->GetID(), windowID)) return w;
  if (report) DebugError("MWinCollection::GetWindowFromID", "ID <%s> not found", windowID);
  return nullptr;
}

MWinWindow* MWinCollection::GetActiveWindow() {
  for (MWinWindow* w = windows_[CurrentList()]; w; w = w->next_)
    if (w->IsActive()) return w;
  return nullptr;
}

void MWinCollection::RemoveAllWindows() {
  MWinWindow*& first = windows_[CurrentList()];
  MWinWindow* last = first;
  while (last && last->next_) last = last->next_;
  while (last) {
    MWinWindow* prev = last->prev_;
    last->prev_ = last->next_ = nullptr;
    if (prev) prev->next_ = nullptr;
    last->SetCollection(nullptr);
    last->DestroyGraphicsObjects();
    mw_->Discard(last);
    last = prev;
  }
  first = nullptr;
}

void MWinCollection::SetBgTexture(const char* fileName, int flag1, int flag2) {
  bgFile_[0] = '\0';
  if (fileName && std::strlen(fileName) < sizeof(bgFile_)) std::strcpy(bgFile_, fileName);
  bgFlag1_ = flag1;
  bgFlag2_ = flag2;
}

bool MWinCollection::CreateBgTexture() {
  MWinEngBackEnd* eng = MWinEng();
  if (bgTexture_) eng->TextureRelease(bgTexture_);
  if (!bgFile_[0]) return true;
  if (!bgTexture_) bgTexture_ = eng->TextureNew();
  if (!bgTexture_ || !eng->TextureLoad(bgTexture_, bgFile_, bgFlag1_, bgFlag2_, mw_->GetDatKind())) {
    DebugError("MWinCollection::CreateBgTexture", "Could not load bg texture file <%s>", bgFile_);
    bgFile_[0] = '\0';
    return false;
  }
  return true;
}

bool MWinCollection::CreateGraphicsObjects() {
  bool ok = CreateBgTexture();
  for (MWinWindow* w = windows_[CurrentList()]; w; w = w->next_)
    if (!w->CreateGraphicsObjects()) ok = false;
  return ok;
}

void MWinCollection::DestroyGraphicsObjects() {
  if (bgTexture_ && MWinEng()->TextureIsLoaded(bgTexture_)) MWinEng()->TextureRelease(bgTexture_);
  for (MWinWindow* w = windows_[CurrentList()]; w; w = w->next_) w->DestroyGraphicsObjects();
}

void MWinCollection::Render() {
  MWinEngBackEnd* eng = MWinEng();
  if (!eng->HasDevice() || !windows_[CurrentList()]) return;
  MWinEngViewport saved = {};
  if (viewportOn_) {
    eng->GetViewport(&saved);
    eng->SetViewport(viewport_);
  }
  if (bgTexture_ && eng->TextureIsLoaded(bgTexture_)) {
    const float uv[4] = {0, 0, 1, 1};
    const float white[4][4] = {{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}};
    eng->TextureDraw(bgTexture_, 0, 0, 640, 480, uv, white);
  }
  for (MWinWindow* w = windows_[CurrentList()]; w; w = w->next_)
    if (w->IsVisible() && !w->IsActive()) w->Draw();
  for (MWinWindow* w = windows_[CurrentList()]; w; w = w->next_)
    if (w->IsActive()) w->Draw();
  if (viewportOn_) eng->SetViewport(saved);
}

bool MWinCollection::Tick() {
  bool any = false;
  for (MWinWindow* w = windows_[CurrentList()]; w && valid_; w = w->next_)
    if (w->IsActive() && w->Tick()) any = true;
  return any;
}

void MWinCollection::SetHitAreaFromWindow() {
  MWinWindow* w = windows_[CurrentList()];
  if (!w) return;
  hitArea_ = w->GetArea();
  hitAreaOn_ = 1;
}

void MWinCollection::SetHitArea(bool on, float x, float y, float w, float h) {
  hitAreaOn_ = on ? 1 : 0;
  hitArea_ = MWinArea{x, y, w, h};
}

bool MWinCollection::HitAreaHolds(float x, float y) const {
  return MWinIsInArea(x, y, hitArea_.x, hitArea_.y, hitArea_.w, hitArea_.h);
}

void MWinCollection::SetViewport(bool on, const MWinEngViewport& viewport) {
  viewportOn_ = on ? 1 : 0;
  viewport_ = viewport;
}

// ---- Routing ------------------------------------------------------------------

void MWinCollection::Record(Guard* g) {
  g->mw = mw_;
  g->desktop = desktop_;
  g->prev = prev_;
  g->next = next_;
  MWinCopyID(g->id, id_);
}

bool MWinCollection::Gone(const Guard& g) {
  if (g.mw && !g.mw->IsOn()) return true;
  if (!mw_ || mw_ != g.mw || !desktop_ || desktop_ != g.desktop) return true;
  if (!g.desktop->HasCollection(g.id)) return true;
  if (g.prev && g.prev->next_ != this) return true;
  if (g.next && g.next->prev_ != this) return true;
  return false;
}

bool MWinCollection::MouseMove() {
  if (!valid_) return false;
  MWinWindow*& first = windows_[CurrentList()];
  MWinWindow* before = GetActiveWindow();
  if (mw_->Style().hoverActivatesWindows && !(before && before->IsDragging())) {
    for (MWinWindow* w = first; w; w = w->next_) {
      const bool inside = w->IsMouseInside();
      if (inside && w->IsVisible() && !w->IsActive()) w->SetActive(true);
      else if (!inside && w->IsActive()) DeactivateWindow(w);
    }
    MWinWindow* after = GetActiveWindow();
    if (before && after != before) {
      before->ClearPressed();
      before->DeactivateButtons();
    }
  }
  MWinWindow* w = GetActiveWindow();
  if (!w) return false;
  Guard g;
  Record(&g);
  const bool r = w->MouseMove();
  if (Gone(g)) return true;
  return r;
}

bool MWinCollection::ButtonPressed(int button, int pressed) {
  if (!valid_) return false;
  const float x = mw_->GetMouseX(), y = mw_->GetMouseY();
  if (hitAreaOn_ && !HitAreaHolds(x, y)) return false;
  MWinWindow* first = windows_[CurrentList()];
  if (!first) return false;
  MWinWindow* active = GetActiveWindow();
  if (active) {
    if (active->IsMouseInside()) {
      Guard g;
      Record(&g);
      const bool r = active->ButtonPressed(button, pressed);
      if (Gone(g)) return true;
      return r;
    }
    if (active->IsDragging()) {
      active->StopDragging();
      return true;
    }
    active->ClearPressed();
    active->DeactivateButtons();
  }
  if (button == 0 && pressed) {
    if (active) DeactivateWindow(active);
    for (MWinWindow* w = first; w; w = w->next_) {
      if (w->IsVisible() && w->IsMouseInside()) {
        // The click that activates a window is a click on what lies under
        // the pointer too: without hover activation nothing there is lit
        // yet, and the press would be lost.
        w->SetActive(true);
        Guard g;
        Record(&g);
        w->MouseMove();
        if (!Gone(g) && w->IsActive()) w->ButtonPressed(button, pressed);
        return true;
      }
    }
  }
  return false;
}

template <typename F>
bool MWinCollection::PassToActiveWindows(bool onlyFirst, F call) {
  int taken = 0;
  for (MWinWindow* w = windows_[CurrentList()]; w;) {
    MWinWindow* next = w->next_;
    if (w->IsActive()) {
      Guard g;
      Record(&g);
      if (call(w)) ++taken;
      if (Gone(g)) return true;
      if (onlyFirst) break;
    }
    w = next;
  }
  return taken > 0;
}

bool MWinCollection::ButtonDoubleClicked(int button) {
  if (!valid_) return false;
  PassToActiveWindows(true, [&](MWinWindow* w) { return w->ButtonDoubleClicked(button); });
  return true;
}

bool MWinCollection::MouseWheelMoved(int notches) {
  if (!valid_) return false;
  return PassToActiveWindows(true, [&](MWinWindow* w) { return w->MouseWheelMoved(notches); });
}

bool MWinCollection::KeyDown(int key) {
  if (!valid_) return false;
  return PassToActiveWindows(false, [&](MWinWindow* w) { return w->KeyDown(key); });
}

bool MWinCollection::KeyDownChar(int character) {
  if (!valid_) return false;
  return PassToActiveWindows(false, [&](MWinWindow* w) { return w->KeyDownChar(character); });
}

bool MWinCollection::KeyUp(int key) {
  if (!valid_) return false;
  return PassToActiveWindows(false, [&](MWinWindow* w) { return w->KeyUp(key); });
}

void MWinCollection::Detach() {
  for (int l = 0; l < kMWinNumLayouts; ++l)
    for (MWinWindow* w = windows_[l]; w; w = w->next_) w->SetCollection(nullptr);
  valid_ = 0;
}
