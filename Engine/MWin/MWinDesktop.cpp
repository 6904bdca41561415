// MWinDesktop.cpp - the desktop's list of collections and its input routing.
#include "Engine/MWin/MWinDesktop.h"

#include "Engine/Debug.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinWindow.h"

MWinDesktop::MWinDesktop(MWin* mw) : mw_(mw) {
  if (!mw) {
    DebugFatalErrorIf(true, "MWinDesktop::MWinDesktop", "No mw");
  }
}

MWinDesktop::~MWinDesktop() { RemoveAllCollections(); }

MWinCollection* MWinDesktop::AddCollection(const char* id) {
  if (HasCollection(id)) {
    DebugError("MWinDesktop::AddCollection", "Collection already exists <%s>", MWinIDForPrint(id));
    return nullptr;
  }
  if (MWinIsIDEmpty(id)) return nullptr;
  MWinCollection* c = new MWinCollection(mw_, id, this);
  if (!MWinIsIDEmpty(id) && !MWinCompareIDs(c->GetID(), id)) {
    delete c;  // the ID was too long to keep
    return nullptr;
  }
  MWinCollection* last = nullptr;
  for (MWinCollection* o = first_; o; o = o->next_) {
    o->Deactivate();
    last = o;
  }
  if (last) {
    last->next_ = c;
    c->prev_ = last;
  } else {
    first_ = c;
  }
  c->Activate();
  MWinEng()->RequestFrame();  // a screen or popup comes
  return c;
}

void MWinDesktop::Unlink(MWinCollection* c) {
  if (c->prev_) c->prev_->next_ = c->next_;
  if (c->next_) c->next_->prev_ = c->prev_;
  if (first_ == c) first_ = c->next_;
  c->prev_ = c->next_ = nullptr;
}

bool MWinDesktop::RemoveCollection(const char* id) {
  MWinCollection* c = nullptr;
  for (MWinCollection* o = first_; o; o = o->next_)
    if (MWinCompareIDs(o->GetID(), id)) {
      c = o;
      break;
    }
  if (!c) {
    DebugError("MWinDesktop::RemoveCollection", "Could not find collection");
    return false;
  }
  // The other collections keep their graphics: releasing them here would
  // leave their graphs, pies and backgrounds blank until the next device
  // re-creation.
  Unlink(c);
  c->DestroyGraphicsObjects();
  c->Detach();
  mw_->Discard(c);
  MWinEng()->RequestFrame();
  return true;
}

MWinCollection* MWinDesktop::GetCollectionFromID(const char* id) {
  if (MWinIsIDEmpty(id)) {
    DebugError("MWinDesktop::GetCollectionFromID", "No Collection ID");
    return nullptr;
  }
  for (MWinCollection* c = first_; c; c = c->next_)
    if (MWinCompareIDs(c->GetID(), id)) return c;
  DebugError("MWinDesktop::GetCollectionFromID", "ID <%s> not found", id);
  return nullptr;
}

bool MWinDesktop::HasCollection(const char* id) {
  if (MWinIsIDEmpty(id)) {
    DebugError("MWinDesktop::HasCollection", "No Collection ID");
    return false;
  }
  for (MWinCollection* c = first_; c; c = c->next_)
    if (MWinCompareIDs(c->GetID(), id)) return true;
  return false;
}

void MWinDesktop::RemoveAllCollections() {
  MWinCollection* last = first_;
  while (last && last->next_) last = last->next_;
  while (last) {
    MWinCollection* prev = last->prev_;
    Unlink(last);
    last->DestroyGraphicsObjects();
    last->Detach();
    mw_->Discard(last);
    last = prev;
  }
  first_ = nullptr;
}

bool MWinDesktop::CreateGraphicsObjects() {
  bool ok = true;
  for (MWinCollection* c = first_; c; c = c->next_)
    if (!c->CreateGraphicsObjects()) ok = false;
  return ok;
}

void MWinDesktop::DestroyGraphicsObjects() {
  for (MWinCollection* c = first_; c; c = c->next_) c->DestroyGraphicsObjects();
}

bool MWinDesktop::Tick() {
  bool any = false;
  for (MWinCollection* c = first_; c; c = c->next_)
    if (c->IsActive() && c->Tick()) any = true;
  return any;
}

void MWinDesktop::Render(int part) {
  if (part != kRenderPopup) {
    for (MWinCollection* c = first_; c; c = c->next_)
      if (!c->IsActive()) c->Render();
  }
  if (part == kRenderUnderPopup) return;
  if (first_ && popup_) MWinEng()->Dim(dim_);
  for (MWinCollection* c = first_; c; c = c->next_)
    if (c->IsActive()) c->Render();
}

MWinCollection* MWinDesktop::GetActiveCollection() {
  for (MWinCollection* c = first_; c; c = c->next_)
    if (c->IsActive()) return c;
  return nullptr;
}

MWinWindow* MWinDesktop::GetActiveWindow() {
  MWinCollection* c = GetActiveCollection();
  return c ? c->GetActiveWindow() : nullptr;
}

MWinButton* MWinDesktop::GetActiveButton() {
  MWinWindow* w = GetActiveWindow();
  return w ? w->GetHighlightedButton() : nullptr;
}

MWinButton* MWinDesktop::CapturingList() {
  MWinButton* b = GetActiveButton();
  return (b && b->GetKind() == MWIN_BUT_LIST && b->ListIsOpen()) ? b : nullptr;
}

MWinCollection* MWinDesktop::CollectionUnderMouse() {
  MWinCollection* found = nullptr;
  const float x = mw_->GetMouseX(), y = mw_->GetMouseY();
  for (MWinCollection* c = first_; c; c = c->next_)
    if (!c->HasHitArea() || c->HitAreaHolds(x, y)) found = c;
  return found;
}

bool MWinDesktop::MouseMove() {
  if (MWinButton* list = CapturingList()) {
    list->MouseMove();
    return true;
  }
  if (mw_->Style().hoverActivatesCollections) {
    MWinCollection* c = CollectionUnderMouse();
    if (!c) {
      for (MWinCollection* o = first_; o; o = o->next_)
        if (o->IsActive()) o->Deactivate();
      return false;
    }
    if (!c->IsActive()) c->Activate();
    return c->MouseMove();
  }
  MWinCollection* active = GetActiveCollection();
  return active ? active->MouseMove() : false;
}

bool MWinDesktop::ButtonPressed(int button, int pressed) {
  if (MWinButton* list = CapturingList()) return list->ButtonPressed(button, pressed);
  MWinCollection* c = CollectionUnderMouse();
  if (!c) return false;
  if (!c->IsActive()) c->Activate();
  return c->ButtonPressed(button, pressed);
}

template <typename F>
bool MWinDesktop::ForActiveCollections(F call) {
  int taken = 0;
  for (MWinCollection* c = first_; c;) {
    if (!mw_->IsOn()) break;
    if (!c->IsActive()) {
      c = c->next_;
      continue;
    }
    MWinID id;
    MWinCopyID(id, c->GetID());
    MWinCollection* next = c->next_;
    if (call(c)) ++taken;
    // A handler that removed this collection ends the walk.
    if (!mw_->IsOn() || !HasCollection(id)) return true;
    c = next;
    // The recorded next may itself have gone; it is then no longer linked.
    if (c && !HasCollection(c->GetID())) break;
  }
  return taken > 0;
}

bool MWinDesktop::ButtonDoubleClicked(int button) {
  if (MWinButton* list = CapturingList()) {
    list->ButtonDoubleClicked(button);
    return true;
  }
  ForActiveCollections([&](MWinCollection* c) { return c->ButtonDoubleClicked(button); });
  return true;
}

bool MWinDesktop::MouseWheelMoved(int notches) {
  if (MWinButton* list = CapturingList()) return list->MouseWheelMoved(notches);
  return ForActiveCollections([&](MWinCollection* c) { return c->MouseWheelMoved(notches); });
}

bool MWinDesktop::KeyDown(int key) {
  if (MWinButton* list = CapturingList()) return list->KeyDown(key);
  return ForActiveCollections([&](MWinCollection* c) { return c->KeyDown(key); });
}

bool MWinDesktop::KeyDownChar(int character) {
  if (MWinButton* list = CapturingList()) return list->KeyDownChar(character);
  return ForActiveCollections([&](MWinCollection* c) { return c->KeyDownChar(character); });
}

bool MWinDesktop::KeyUp(int key) {
  if (MWinButton* list = CapturingList()) return list->KeyUp(key);
  return ForActiveCollections([&](MWinCollection* c) { return c->KeyUp(key); });
}
