// MWinWindow.cpp - windows: set-up, placement, drawing and input routing.
#include "Engine/MWin/MWinWindow.h"

#include <algorithm>
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinEng.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinGraph.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Engine/MWin/MWinKeys.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinTextures.h"

MWinWindow::MWinWindow(MWin* mw, const char* id, MWinCollection* collection,
                       const MWinWindowSetup* setup)
    : mw_(mw), collection_(collection) {
  if (!mw) DebugFatalErrorIf(true, "MWinWindow::MWinWindow", "No mw");
  MWinCopyID(id_, id);
  if (setup) {
    setup_ = *setup;
  } else {
    DebugError("MWinWindow::SetupWindow", "No info passed in");
    setup_.x = setup_.y = 10;
    setup_.w = setup_.h = 50;
    std::strcpy(setup_.titleTexBut, "MWIN_TEXBUT_DEFAULT");
    std::strcpy(setup_.windowTexBut, "MWIN_TEXBUT_DEFAULT");
    std::strcpy(setup_.titleFont, "MWIN_FONT_DEFAULT");
  }
  setup_.title[sizeof(setup_.title) - 1] = '\0';
  setup_.titleTexBut[kMWinIDSize - 1] = setup_.windowTexBut[kMWinIDSize - 1] =
      setup_.titleFont[kMWinIDSize - 1] = '\0';
  if (setup_.w < 0) setup_.w = 100;
  if (setup_.h < 0) setup_.h = 100;
  if (setup_.w > 640) setup_.w = 640;
  if (setup_.h > 480) setup_.h = 480;
  if (setup_.x < 0) setup_.x = 320 - setup_.w / 2;
  if (setup_.y < 0) setup_.y = 240 - setup_.h / 2;
  if (setup_.hideButton && !setup_.titleBar) {
    DebugError("MWinWindow::SetupWindow", "Hide button but no title bar");
    setup_.hideButton = 0;
  }
  SetTitleTexBut(setup_.titleTexBut);
  SetTexBut(setup_.windowTexBut);
  titleFont_ = kMWinFontDefault;
  if (setup_.titleBar) {
    SetTitleFont(setup_.titleFont);
    SetTitleColour(0, 0, 0, 1);
    SetTitleScale(1, 1);
    SetTitleAlignment(0);
  }
  SetTint(false, 1, 1, 1, 1);
  SetArea(setup_.x, setup_.y, setup_.w, setup_.h);
  visible_ = 1;
  valid_ = 1;
  active_ = 0;
}

MWinWindow::~MWinWindow() {
  RemoveAllButtons();
  if (hide_) {
    delete hide_;
    hide_ = nullptr;
  }
  DestroyGraphicsObjects();
}

const float* MWinWindow::Metrics() const {
  if (collection_) return mw_->Metrics(collection_->GetScreenLayout());
  return mw_->Metrics(-1);
}

float MWinWindow::TitleHeight() const { return Metrics()[kMetTitleHeight]; }

// ---- Buttons -------------------------------------------------------------------

MWinButton* MWinWindow::AddButton(const char* id, int kind, const char* texButID,
                                  const char* text, float x, float y, float w, float h) {
  if (kind == 3 || kind == 4 || kind == 11 || kind == 13) {
    DebugError("MWinWindow::AddButton", "Use individual class buttons instead");
    return nullptr;
  }
  MWinButton* b = new MWinButton(mw_, id, this, kind, texButID, text, x, y, w, h);
  return CompleteAddButton(b) ? b : nullptr;
}

MWinHorzScrollbar* MWinWindow::AddHorzScrollbar(const char* id, const char* texButID,
                                                const char* text, float x, float y, float w,
                                                float h) {
  auto* b = new MWinHorzScrollbar(mw_, id, this, texButID, text, x, y, w, h);
  return CompleteAddButton(b) ? b : nullptr;
}

MWinGraph* MWinWindow::AddGraph(const char* id, const char* texButID, float x, float y, float w,
                                float h) {
  auto* b = new MWinGraph(mw_, id, this, texButID, x, y, w, h);
  return CompleteAddButton(b) ? b : nullptr;
}

bool MWinWindow::CompleteAddButton(MWinButton* button) {
  if (!button) {
    DebugError("MWinWindow::CompleteAddButton", "No button (no memory)");
    return false;
  }
  button->prev_ = last_;
  button->next_ = nullptr;
  if (last_) last_->next_ = button;
  else first_ = button;
  last_ = button;
  return true;
}

void MWinWindow::ForgetButton(MWinButton* button) {
  if (escape_ == button) escape_ = nullptr;
  if (default_ == button) default_ = nullptr;
}

bool MWinWindow::RemoveButton(MWinButton* button) {
  MWinButton* b = first_;
  while (b && b != button) b = b->next_;
  if (!b) {
    DebugError("MWinWindow::RemoveButton", "Button <%s> not in window <%s>",
               button ? MWinIDForPrint(button->GetID()) : "(empty id)", MWinIDForPrint(id_));
    return false;
  }
  if (b->prev_) b->prev_->next_ = b->next_;
  else first_ = b->next_;
  if (b->next_) b->next_->prev_ = b->prev_;
  else last_ = b->prev_;
  b->prev_ = b->next_ = nullptr;
  ForgetButton(b);
  // A handler still running on the button sees it has left its window.
  b->SetParent(nullptr);
  mw_->Discard(b);
  return true;
}

void MWinWindow::RemoveAllButtons() {
  while (last_) {
    MWinButton* b = last_;
    last_ = b->prev_;
    if (last_) last_->next_ = nullptr;
    b->prev_ = b->next_ = nullptr;
    b->SetParent(nullptr);
    mw_->Discard(b);
  }
  first_ = nullptr;
  escape_ = default_ = nullptr;
}

MWinButton* MWinWindow::GetButtonFromID(const char* id, bool report) {
  if (MWinIsIDEmpty(id)) {
    if (report) DebugError("MWinWindow::GetButtonFromID", "No Button ID");
    return nullptr;
  }
  for (MWinButton* b = last_; b; b = b->prev_)
    if (MWinCompareIDs(b->GetID(), id)) return b;
  if (report) DebugError("MWinWindow::GetButtonFromID", "ID <%s> not found", id);
  return nullptr;
}

MWinButton* MWinWindow::GetHighlightedButton() {
  if (!visible_ || !first_) return nullptr;
  MWinButton* found = nullptr;
  for (MWinButton* b = first_; b; b = b->next_)
    if (b->IsHighlighted()) found = b;
  return found;
}

bool MWinWindow::SendButtonCallCallbackMessage(MWinButton* button) {
  if (!button || button->GetParent() != this || !collection_) {
    DebugError("MWinWindow::SendButtonCallCallbackMessage", "Invalid button");
    return false;
  }
  return mw_->AddMessageToQueue(collection_->GetID(), id_, button->GetID(), 0);
}

void MWinWindow::DeactivateButtons() {
  for (MWinButton* b = first_; b;) {
    MWinButton* next = b->next_;
    if (b->IsHighlighted()) b->Deactivate();
    b = next;
  }
}

void MWinWindow::ClearPressed() {
  for (MWinButton* b = first_; b; b = b->next_) b->ClearPressed();
}

// ---- Look ---------------------------------------------------------------------------

void MWinWindow::SetTitleFont(const char* fontID) {
  if (MWinCompareIDs(fontID, "MWIN_FONT_DEFAULT")) titleFont_ = kMWinFontDefault;
  else if (MWinCompareIDs(fontID, "MWIN_FONT_NONE")) titleFont_ = kMWinFontNone;
  else titleFont_ = mw_->GetFonts()->GetFontNumFromID(fontID);
}

void MWinWindow::SetTitleColour(float r, float g, float b, float a) {
  titleColour_[0] = r;
  titleColour_[1] = g;
  titleColour_[2] = b;
  titleColour_[3] = a;
}

void MWinWindow::SetTitleScale(float x, float y) {
  titleScale_[0] = x;
  titleScale_[1] = y;
}

void MWinWindow::SetTitleAlignment(int align) { titleAlign_ = align; }

bool MWinWindow::TakeTexBut(const char* texButID, int standardSlot, int* num, char* storedID) {
  MWinTextures* t = mw_->GetTextures();
  int n;
  if (MWinCompareIDs(texButID, "MWIN_TEXBUT_DEFAULT")) {
    n = t->GetStandardTexButNum(standardSlot);
  } else if (MWinCompareIDs(texButID, "MWIN_TEXBUT_NONE")) {
    n = -1;
  } else {
    n = t->GetTexButNumFromID(texButID);
    if (n < 0) {
      // An unknown look leaves the stored ID as it was.
      *num = -1;
      return false;
    }
  }
  *num = n;
  MWinCopyID(storedID, texButID);
  return true;
}

bool MWinWindow::SetTexBut(const char* texButID) {
  return TakeTexBut(texButID, 0, &winTexBut_, setup_.windowTexBut);
}

bool MWinWindow::SetTitleTexBut(const char* texButID) {
  return TakeTexBut(texButID, 1, &titleTexBut_, setup_.titleTexBut);
}

void MWinWindow::SetTint(bool on, float r, float g, float b, float a) {
  tintOn_ = on ? 1 : 0;
  tint_[0] = r;
  tint_[1] = g;
  tint_[2] = b;
  tint_[3] = a;
}

// ---- Placement ---------------------------------------------------------------------

void MWinWindow::SetArea(float x, float y, float w, float h) {
  w = std::clamp(w, 1.0f, 640.0f);
  h = std::clamp(h, 1.0f, 480.0f);
  if (setup_.titleBar && y < TitleHeight()) y = TitleHeight();
  area_.w = w;
  area_.h = h;
  SetPosXY(x, y);
  SetPos();
  for (MWinButton* b = first_; b; b = b->next_) {
    const MWinArea a = b->GetAreaRelative();
    b->SetPos(a.x, a.y, a.w, a.h);
  }
}

void MWinWindow::SetPosXY(float x, float y) {
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  if (x + area_.w > 640) x = 640 - area_.w;
  if (y + area_.h > 480) y = 480 - area_.h;
  area_.x = x;
  area_.y = y;
  for (MWinButton* b = first_; b; b = b->next_) b->ParentMoved();
}

void MWinWindow::SetPos() {
  const float t = TitleHeight();
  if (setup_.titleBar) titleArea_ = MWinArea{0, -t, area_.w, t};
  else titleArea_ = MWinArea{0, 0, 0, 0};
  client_ = MWinArea{0, 0, area_.w, area_.h};
  if (setup_.hideButton) {
    if (!hide_) {
      const char* look = mw_->GetTextures()->GetStandardTexButID(2);
      hide_ = new MWinButton(mw_, "STD_HIDE", this, 0, look ? look : "MWIN_TEXBUT_NONE", nullptr,
                             area_.w - 12, 3 - t, 10, t - 4);
      if (!hide_) DebugError("MWinWindow::SetPos", "Could not create hide button");
    } else {
      hide_->SetPos(area_.w - 12, 3 - t, 10, t - 4);
    }
  }
  if (hide_) hide_->ParentMoved();
}

void MWinWindow::CentreButtons(bool horizontal, bool vertical) {
  bool any = false;
  float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  for (MWinButton* b = first_; b; b = b->next_) {
    if (!b->IsVisible()) continue;
    const MWinArea a = b->GetAreaRelative();
    if (!any) {
      x0 = a.x;
      y0 = a.y;
      x1 = a.x + a.w;
      y1 = a.y + a.h;
      any = true;
    } else {
      x0 = std::min(x0, a.x);
      y0 = std::min(y0, a.y);
      x1 = std::max(x1, a.x + a.w);
      y1 = std::max(y1, a.y + a.h);
    }
  }
  if (!any) return;
  const float dx = horizontal ? 320 - (x0 + x1) / 2 : 0;
  const float dy = vertical ? 240 - (y0 + y1) / 2 : 0;
  for (MWinButton* b = first_; b; b = b->next_) {
    if (!b->IsVisible()) continue;
    const MWinArea a = b->GetAreaRelative();
    b->SetPosXY(a.x + dx, a.y + dy);
  }
}

bool MWinWindow::IsMouseInside() {
  const float t = setup_.titleBar ? TitleHeight() : 0;
  return MWinIsInArea(mw_->GetMouseX(), mw_->GetMouseY(), area_.x, area_.y - t, area_.w,
                      area_.h + t);
}

bool MWinWindow::IsInTitleBar(float x, float y) {
  if (!setup_.titleBar) return false;
  return MWinIsInArea(x, y, area_.x + titleArea_.x, area_.y + titleArea_.y, titleArea_.w,
                      titleArea_.h);
}

// ---- Frame -----------------------------------------------------------------------

bool MWinWindow::CreateGraphicsObjects() {
  bool ok = true;
  for (MWinButton* b = first_; b; b = b->next_)
    if (!b->CreateGraphicsObjects()) ok = false;
  return ok;
}

void MWinWindow::DestroyGraphicsObjects() {
  for (MWinButton* b = first_; b; b = b->next_) b->DestroyGraphicsObjects();
}

void MWinWindow::Draw() {
  if (!valid_ || !visible_ || !collection_) return;
  MWinTextures* tex = mw_->GetTextures();
  const int state = active_ ? 1 : 0;
  const float* tint = tintOn_ ? tint_ : nullptr;
  const float* m = Metrics();
  if (setup_.titleBar) {
    tex->DrawTexBut(titleTexBut_, state, area_.x + titleArea_.x, area_.y + titleArea_.y,
                    titleArea_.w, titleArea_.h, tint);
    EngFont* font = mw_->GetFonts()->GetFont(titleFont_);
    if (setup_.title[0] && titleFont_ != kMWinFontNone && font) {
      MWinEngBackEnd* eng = MWinEng();
      float sx = titleScale_[0], sy = titleScale_[1];
      if (m[kMetFontScaleX] > 0 && m[kMetFontScaleY] > 0) {
        sx *= m[kMetFontScaleX];
        sy *= m[kMetFontScaleY];
      }
      float oldX = 1, oldY = 1;
      eng->FontGetRatio(font, &oldX, &oldY);
      eng->FontSetRatio(font, sx, sy);
      float c[4] = {titleColour_[0], titleColour_[1], titleColour_[2], titleColour_[3]};
      if (tint)
        for (int i = 0; i < 4; ++i) c[i] *= tint[i];
      eng->FontSetColour(font, c[0], c[1], c[2], c[3]);
      mw_->DrawText(titleFont_, titleAlign_, m[kMetTitleMargin], area_.x + titleArea_.x,
                    area_.y + titleArea_.y, titleArea_.w, titleArea_.h, nullptr, setup_.title,
                    true, true);
      eng->FontSetRatio(font, oldX, oldY);
    }
    if (hide_) hide_->Draw();
  }
  if (winTexBut_ >= 0) tex->DrawTexBut(winTexBut_, state, area_.x, area_.y, area_.w, area_.h, tint);
  for (MWinButton* b = first_; b; b = b->next_) b->Draw();
  for (MWinButton* b = first_; b; b = b->next_) b->ListDrawOpenList();
}

bool MWinWindow::Tick() {
  if (!visible_) return false;
  bool any = false;
  for (MWinButton* b = first_; b && collection_;) {
    // A tick's callback may take this window or the next button away.
    if (b->IsEnabled() && b->Tick()) any = true;
    b = b->GetParent() == this ? b->next_ : nullptr;
  }
  return any;
}

// ---- Input ---------------------------------------------------------------------------

bool MWinWindow::MouseMove() {
  if (!visible_) return false;
  const float mx = mw_->GetMouseX(), my = mw_->GetMouseY();
  if (dragging_) {
    float x = mx - grabX_ + grabWinX_;
    float y = my - grabY_ + grabWinY_;
    if (x + area_.w > 640) x = 640 - area_.w;
    if (y + area_.h > 480) y = 480 - area_.h;
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    if (setup_.titleBar && y < TitleHeight()) y = TitleHeight();
    if (!(x < 0 || x + area_.w > 640 || y < 0 || y + area_.h > 480)) {
      area_.x = x;
      area_.y = y;
      for (MWinButton* b = first_; b; b = b->next_) b->ParentMoved();
      SetPos();
    }
    return true;
  }
  MWinButton* high = GetHighlightedButton();
  if (high && high->IsCapturingInput()) {
    high->MouseMove();
    return true;
  }
  MWinButton* hovered = nullptr;
  bool newlyActivated = false;
  for (MWinButton* b = last_; b;) {
    MWinButton* prev = b->prev_;
    if (!hovered && b->IsVisible() && b->IsMouseOver()) {
      hovered = b;
      if (!b->IsHighlighted()) {
        b->Activate();
        newlyActivated = true;
      }
    } else if (b->IsHighlighted()) {
      b->Deactivate();
    } else {
      b->ClearPressed();
    }
    b = prev;
  }
  if (newlyActivated) return false;
  high = GetHighlightedButton();
  if (high) {
    high->MouseMove();
    return true;
  }
  return false;
}

bool MWinWindow::ButtonPressed(int button, int pressed) {
  if (!visible_) return false;
  if (dragging_) {
    if (button == 0 && !pressed) dragging_ = 0;
    return true;
  }
  MWinButton* high = GetHighlightedButton();
  if (!pressed) return high ? high->ButtonPressed(button, pressed) : false;
  if (high && high->IsCapturingInput()) {
    // A text entry being typed in holds the mouse, so the pointer's hover
    // never reached the button it went to: a left press on another button
    // (OK beside the box) ends the typing and presses that button.
    MWinButton* target = button == 0 && high->TextEditIsEditing() && !high->IsMouseOver()
                             ? ButtonTakingPressUnderMouse()
                             : nullptr;
    if (!target) return high->ButtonPressed(button, pressed);
    high->Deactivate();
    target->Activate();
    return target->ButtonPressed(button, pressed);
  }
  for (MWinButton* b = last_; b;) {
    MWinButton* prev = b->prev_;
    if (b->IsVisible() && b->IsMouseOver()) {
      // The press is on what lies under the pointer, lit or not: a popup
      // closed or buttons rebuilt since the last move leave it unlit, and a
      // quick click brings no move first. The hover routing lights it.
      if (!b->IsHighlighted()) MouseMove();
      if (b->GetParent() != this) return true;  // a routing callback took it away
      return b->ButtonPressed(button, pressed);
    }
    if (b->TextEditIsEditing()) b->TextEditTurnOffEditing(0);
    b = prev;
  }
  const float mx = mw_->GetMouseX(), my = mw_->GetMouseY();
  if (button == 0 &&
      (setup_.moveMode == 2 || (setup_.moveMode == 1 && IsInTitleBar(mx, my)))) {
    dragging_ = 1;
    grabX_ = mx;
    grabY_ = my;
    grabWinX_ = area_.x;
    grabWinY_ = area_.y;
    return true;
  }
  return false;
}

bool MWinWindow::ButtonDoubleClicked(int button) {
  MWinButton* b = GetHighlightedButton();
  return b ? b->ButtonDoubleClicked(button) : false;
}

bool MWinWindow::MouseWheelMoved(int notches) {
  MWinButton* b = GetHighlightedButton();
  return b ? b->MouseWheelMoved(notches) : false;
}

bool MWinWindow::KeyDownChar(int character) {
  MWinButton* b = GetHighlightedButton();
  return b ? b->KeyDownChar(character) : false;
}

bool MWinWindow::KeyUp(int key) {
  MWinButton* b = GetHighlightedButton();
  return b ? b->KeyUp(key) : false;
}

bool MWinWindow::CanWalkTo(MWinButton* b) { return b->CanTakeFocus(); }

MWinButton* MWinWindow::ButtonTakingPressUnderMouse() {
  for (MWinButton* b = last_; b; b = b->prev_) {
    if (b->IsVisible() && b->IsMouseOver()) return b->CanTakeFocus() ? b : nullptr;
  }
  return nullptr;
}

bool MWinWindow::TabWalk(bool backwards) {
  if (!first_) return false;
  MWinButton* start = GetHighlightedButton();
  if (!start) start = backwards ? last_ : first_;
  MWinButton* b = start;
  // One full cycle at most: the starting button is examined last.
  do {
    b = backwards ? (b->prev_ ? b->prev_ : last_) : (b->next_ ? b->next_ : first_);
    if (CanWalkTo(b)) break;
  } while (b != start);
  if (!CanWalkTo(b)) return false;
  // Only the system cursor moves; the focus follows through the mouse move
  // the window reports, so a text box that holds the mouse while it is
  // being typed in keeps it.
  MWinEngBackEnd* eng = MWinEng();
  if (eng->HasWindow())
    eng->SetCursorVirtual(b->AbsX() + b->Width() / 2, b->AbsY() + b->Height() / 2);
  return true;
}

bool MWinWindow::KeyDown(int key) {
  if (!visible_) return false;
  MWinButton* high = GetHighlightedButton();
  const bool listOpen =
      mw_->IsAnyListOpen() || (high && high->GetKind() == MWIN_BUT_LIST && high->ListIsOpen());
  if (key == kMWinKeyEscape && escape_ && !listOpen) {
    SendButtonCallCallbackMessage(escape_);
    return true;
  }
  if (key == kMWinKeyEnter && default_ && !listOpen) {
    SendButtonCallCallbackMessage(default_);
    return true;
  }
  if (key == kMWinKeyTab) return TabWalk(MWinEng()->IsKeyDown(kMWinKeyShift));
  for (MWinButton* b = last_; b;) {
    MWinButton* prev = b->prev_;
    if (b->IsHighlighted()) {
      if (b->KeyDown(key)) return true;
      if (b->GetParent() != this) return true;
    }
    b = prev;
  }
  return keyHook_ ? keyHook_(key) : false;
}
