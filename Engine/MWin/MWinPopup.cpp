// MWinPopup.cpp - the toolkit's popups: small modal message boxes built from
// a collection "MWIN_POPUP" with one window "MWIN_POPUP_WIN" holding the
// message and up to three buttons. Opening saves which collections and
// windows were active and deactivates them (they are dimmed while the popup
// is up); closing restores exactly those flags. Popups never block: the
// result callback runs from the tick that processes the queued press of a
// popup button (key or click), after the popup is gone, so it may open the
// next popup.
//
// Answer, frame by frame:
//   Escape / Enter (one- and two-button popups with kind-1 buttons)
//                                  -> the window queues the escape/default button
//   click, or Space on a focused popup button
//                                  -> the button's callback queues its own press
//   next MWin::Tick                -> the queued press runs the callback again:
//                                     the popup closes, then the result callback
//   a second answer before then    -> refused ("Queue not empty"); the first stands
// A text-entry popup hands the typed text to the caller's buffer when it
// answers OK; Cancel (Escape too) and a close without an answer leave the
// buffer as it was.
#include <algorithm>
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinEng.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinWindow.h"

namespace {

// The manager whose popup has buttons open.
MWin* g_popupOwner = nullptr;

constexpr char kPopupCollection[] = "MWIN_POPUP";
constexpr char kPopupWindow[] = "MWIN_POPUP_WIN";

// A popup button's press. Every answer runs from the tick that processes
// the queued press, after the input routing has unwound: Escape and Enter
// queue their button through the window, and a click (or Space on a focused
// button) lands here inside the routing, so it queues its own press and the
// answer follows on the next tick. While a press is already queued a second
// one is refused and the first answer stands.
void PopupButtonCallback(MWinCallbackRecord* record, std::uint32_t result, std::uint32_t) {
  MWin* owner = g_popupOwner;
  if (!owner || !record) return;
  if (!owner->IsRunningQueuedMessage()) {
    owner->AddMessageToQueue(kPopupCollection, kPopupWindow, record->buttonID, 0);
    return;
  }
  MWin::PopupAnswer(static_cast<int>(result));
}

MWin* g_textEditOwner = nullptr;
void PopupTextEditCallback(MWinCallbackRecord* record, std::uint32_t, std::uint32_t) {
  if (!record || record->textEditEnter != 1 || !g_textEditOwner) return;
  MWinWindow* w = g_textEditOwner->GetPopupWindow();
  if (!w) return;
  if (MWinButton* ok = w->GetButtonFromID("OK", false)) w->SendButtonCallCallbackMessage(ok);
}

}  // namespace

void MWin::PopupAnswer(int result) {
  MWin* owner = g_popupOwner;
  if (!owner) return;
  // The box of a text-entry popup edits a copy of the caller's text: OK
  // hands it over (Enter presses OK without reaching the box), Cancel,
  // Escape included, leaves the caller's buffer as it was, whatever ended
  // the typing first (a click on Cancel does).
  if (result == 1 && owner->popupWindow_ && owner->popupEditTarget_) {
    MWinButton* edit = owner->popupWindow_->GetButtonFromID("TEXTEDIT", false);
    if (edit && edit->TextEditIsEditing()) edit->TextEditTurnOffEditing(0);
    const int size = owner->popupEditTargetSize_;
    std::strncpy(owner->popupEditTarget_, owner->popupEditText_, size - 1);
    owner->popupEditTarget_[size - 1] = '\0';
  }
  MWinPopupCallback callback = owner->popupCallback_;
  const bool closed = owner->PopupCloseCollection();
  if (closed && callback) callback(result);
}

bool MWin::PopupCreateCollection() {
  if (!desktop_) {
    DebugError("MWin::PopupCreateCollection", "No desktop");
    return false;
  }
  for (MWinCollection* c = desktop_->GetFirstCollection(); c; c = c->next_) {
    c->savedActive_ = c->IsActive() ? 1 : 0;
    for (MWinWindow* w = c->GetFirstWindow(); w; w = w->next_) w->savedActive_ = w->IsActive() ? 1 : 0;
    c->Deactivate();
  }
  desktop_->SetDimFactor(0.5f);
  desktop_->SetPopupFlag(true);
  popupCollection_ = desktop_->AddCollection(kPopupCollection);
  if (!popupCollection_) {
    DebugError("MWin::PopupCreateCollection", "Could not create new collection");
    return false;
  }
  return true;
}

void MWin::PopupApplyButtonLook(MWinButton* b) {
  b->SetFont(popupButtonFont_);
  b->SetTextColour(popupButtonColour_[0], popupButtonColour_[1], popupButtonColour_[2],
                   popupButtonColour_[3]);
  b->SetTextScale(popupButtonScale_[0], popupButtonScale_[1]);
}

MWinButton* MWin::PopupAddButton(MWinWindow* window, const char* id, const char* text, float x,
                                 float y, int result) {
  MWinButton* b = window->AddButton(id, MWIN_BUT_PUSH, popupButtonTexBut_, text, x, y,
                                    popupButtonWidth_, popupButtonHeight_);
  if (!b) return nullptr;
  PopupApplyButtonLook(b);
  b->SetCallback(PopupButtonCallback, static_cast<std::uint32_t>(result), 0);
  return b;
}

bool MWin::Popup(const char* title, const char* text, int first, int second, bool third,
                 float extraWidth, float extraHeight) {
  static const char* kWhere = "MWin::PopupSetupDefaultButtons";
  if (!popupCollection_) return false;
  const bool hasText = text && text[0];
  // A title too long for the bar still gives the bar, left empty.
  const bool hasTitle = title && title[0];
  const bool titleFits = hasTitle && std::strlen(title) < sizeof(MWinWindowSetup::title);
  float width = popupBaseWidth_ + extraWidth;
  float height = extraHeight;
  float tw = 0, th = 0;
  if (hasText) {
    MWinWindowSetup temp = {};
    temp.x = 0;
    temp.y = 0;
    temp.w = 640;
    temp.h = 480;
    std::strcpy(temp.titleTexBut, "MWIN_TEXBUT_NONE");
    std::strcpy(temp.windowTexBut, "MWIN_TEXBUT_NONE");
    std::strcpy(temp.titleFont, "MWIN_FONT_DEFAULT");
    MWinWindow* w = popupCollection_->AddWindow("MWIN_POPUP_WIN_TEMP", &temp);
    if (!w) {
      DebugError(kWhere, "Could not create temp popup window");
      return false;
    }
    MWinButton* b = w->AddButton("TEMP", MWIN_BUT_PUSH, popupButtonTexBut_, "Temp", 0, 0,
                                 popupWrapWidth_ - 60, 480);
    if (!b) {
      DebugError(kWhere, "Could not create temp button");
      popupCollection_->RemoveWindow(w);
      return false;
    }
    PopupApplyButtonLook(b);
    b->SetText(text);
    b->SetMultilineText(true);
    b->GetMultilineTextExtent(&tw, &th);
    th += 3;
    w->RemoveButton(b);
    popupCollection_->RemoveWindow(w);
  }
  const int n = (first ? 1 : 0) + (second ? 1 : 0) + (third ? 1 : 0);
  if (width < tw + 60) width = tw + 60;
  if (n > 0) {
    const float need = n * popupButtonWidth_ + (n - 1) * 6 + 12;
    if (width < need) width = need;
  }
  if (hasText) height += th + 10;
  if (n > 0) height += popupButtonHeight_ + 20;

  MWinWindowSetup setup = {};
  setup.x = -1;
  setup.y = -1;
  setup.w = width;
  setup.h = height;
  setup.moveMode = 1;
  setup.hideButton = 0;
  setup.titleBar = hasTitle ? 1 : 0;
  if (titleFits) std::strcpy(setup.title, title);
  MWinCopyID(setup.titleTexBut, popupTitleTexBut_);
  MWinCopyID(setup.windowTexBut, popupWinTexBut_);
  MWinCopyID(setup.titleFont, popupTitleFont_);
  popupWindow_ = popupCollection_->AddWindow(kPopupWindow, &setup);
  if (!popupWindow_) {
    DebugError(kWhere, "Could not create popup window");
    return false;
  }
  MWinWindow* w = popupWindow_;
  if (hasTitle) {
    w->SetTitleColour(popupTitleColour_[0], popupTitleColour_[1], popupTitleColour_[2],
                      popupTitleColour_[3]);
    w->SetTitleScale(popupTitleScale_[0], popupTitleScale_[1]);
    w->SetTitleAlignment(popupTitleAlign_);
  }
  if (hasText) {
    MWinButton* msg = w->AddButton("MSG", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", text, -1,
                                   n > 0 ? 10 : 6, width - 20, th);
    if (msg) {
      PopupApplyButtonLook(msg);
      msg->SetMultilineText(true);
    }
  }
  const float bw = popupButtonWidth_, by = height - 10 - popupButtonHeight_;
  float xs[3] = {-1, -1, -1};
  if (n == 2) {
    xs[0] = width / 2 - 3 - bw;
    xs[1] = width / 2 + 3;
  } else if (n == 3) {
    const float c = width / 2 - bw / 2;
    xs[0] = std::min(width / 4 - bw / 2, c - bw - 6);
    xs[1] = c;
    xs[2] = std::max(3 * width / 4 - bw / 2, c + bw + 6);
  }
  int slot = 0;
  popupOk_ = popupCancel_ = popupNo_ = nullptr;
  if (first) popupOk_ = PopupAddButton(w, "OK", first == 2 ? "Yes" : "Ok", xs[slot++], by, 1);
  if (third) popupNo_ = PopupAddButton(w, "NO", "No", xs[slot++], by, 2);
  if (second)
    popupCancel_ = PopupAddButton(w, "CANCEL", second == 2 ? "No" : "Cancel", xs[slot++], by, 0);
  if (n <= 2) {
    if (popupOk_ && first == 1) w->SetDefaultButton(popupOk_);
    if (popupCancel_ && second == 1) w->SetEscapeButton(popupCancel_);
  }
  if (n > 0) g_popupOwner = this;

  MWinEngBackEnd* eng = MWinEng();
  auto label = [&](MWinButton* b, const char* nextText, const char* token) {
    if (!b) return;
    if (nextText[0]) {
      b->SetText(nextText);
      return;
    }
    int subTexts = 0;
    if (eng->LanguagesLoaded() && eng->LanguageTokenNum(token, &subTexts) >= 0)
      b->SetTextLanguageToken(token);
  };
  label(popupOk_, popupTextOk_, first == 2 ? "Popup_Yes" : "Popup_OK");
  label(popupCancel_, popupTextCancel_, second == 2 ? "Popup_No" : "Popup_Cancel");
  label(popupNo_, popupTextNo_, "Popup_No");
  popupTextOk_[0] = popupTextCancel_[0] = popupTextNo_[0] = '\0';
  return true;
}

bool MWin::PopupCompleteSetup(MWinPopupCallback callback) {
  if (popupSavedHover_ != -1)
    DebugError("MWin::PopupCompleteSetup", "Internal Error (mwp_save_mouse_over_collections)");
  popupSavedHover_ = static_cast<std::int8_t>(style_.hoverActivatesCollections);
  style_.hoverActivatesCollections = 0;
  popupCallback_ = callback;
  popupOpen_ = 1;
  MWinEngBackEnd* eng = MWinEng();
  if (eng->MenuIsShown()) {
    eng->MenuHide();
    popupMenuHidden_ = 1;
  }
  return true;
}

bool MWin::PopupCloseCollection() {
  if (!desktop_) {
    DebugError("MWin::PopupCloseCollection", "No desktop");
    return false;
  }
  if (desktop_->HasCollection(kPopupCollection)) desktop_->RemoveCollection(kPopupCollection);
  popupCollection_ = nullptr;
  popupWindow_ = nullptr;
  popupOk_ = popupCancel_ = popupNo_ = nullptr;
  desktop_->SetPopupFlag(false);
  if (popupSavedHover_ == -1) {
    DebugError("MWin::PopupCloseCollection", "Internal Error (mwp_save_mouse_over_collections)");
  } else {
    style_.hoverActivatesCollections = static_cast<std::uint8_t>(popupSavedHover_);
  }
  popupSavedHover_ = -1;
  if (popupMenuHidden_ == 1) MWinEng()->MenuShow();
  popupMenuHidden_ = -1;
  popupOpen_ = 0;
  for (MWinCollection* c = desktop_->GetFirstCollection(); c; c = c->next_) {
    if (c->savedActive_) c->SetActiveFlag(true);
    for (MWinWindow* w = c->GetFirstWindow(); w; w = w->next_) {
      if (c->savedActive_ && w->savedActive_) w->SetActive(true);
      w->savedActive_ = 0;
    }
    c->savedActive_ = 0;
  }
  if (g_popupOwner == this) g_popupOwner = nullptr;
  if (g_textEditOwner == this) g_textEditOwner = nullptr;
  popupEditTarget_ = nullptr;
  popupEditTargetSize_ = 0;
  popupCallback_ = nullptr;
  return true;
}

// ---- The popups ------------------------------------------------------------------------

namespace {
bool Refuse(bool open) {
  if (open) DebugError("MWin::PopupCreateCollection", "Popup already open");
  return open;
}
}  // namespace

bool MWin::PopupOpen(const char* title, const char* text, int first, int second, bool third,
                     MWinPopupCallback callback) {
  if (Refuse(popupOpen_)) return false;
  if (PopupCreateCollection() && Popup(title, text, first, second, third, 0, 0) &&
      PopupCompleteSetup(callback))
    return true;
  PopupAbandon();
  return false;
}

void MWin::PopupAbandon() {
  // A half-built popup goes again, so that the next one can be opened.
  if (popupSavedHover_ == -1) popupSavedHover_ = static_cast<std::int8_t>(style_.hoverActivatesCollections);
  PopupCloseCollection();
}

bool MWin::PopupOk(const char* title, const char* text) {
  return PopupOpen(title, text, 1, 0, false, nullptr);
}

bool MWin::PopupOkWithCallback(const char* title, const char* text, MWinPopupCallback callback) {
  return PopupOpen(title, text, 1, 0, false, callback);
}

bool MWin::PopupOkCancel(const char* title, const char* text, MWinPopupCallback callback) {
  return PopupOpen(title, text, 1, 1, false, callback);
}

bool MWin::PopupYesNo(const char* title, const char* text, MWinPopupCallback callback) {
  return PopupOpen(title, text, 2, 2, false, callback);
}

bool MWin::PopupYesNoCancel(const char* title, const char* text, MWinPopupCallback callback) {
  return PopupOpen(title, text, 2, 1, true, callback);
}

bool MWin::PopupMessage(const char* title, const char* text) {
  return PopupOpen(title, text, 0, 0, false, nullptr);
}

bool MWin::PopupTextEdit(const char* title, const char* text, char* buffer, int length,
                         MWinPopupCallback callback) {
  if (!buffer || length < 1) return false;
  if (Refuse(popupOpen_)) return false;
  const bool hasText = text && text[0];
  const bool hasTitle = title && title[0];
  const float extra = hasText ? 2 * popupButtonHeight_ : popupButtonHeight_;
  if (!PopupCreateCollection() || !Popup(title, text, 1, 1, false, 0, extra)) {
    PopupAbandon();
    return false;
  }
  MWinWindow* w = popupWindow_;
  float y = hasText ? popupButtonHeight_ + 20 : 20;
  if (!hasTitle) y -= 10;
  if (hasText) {
    // A message of several lines would reach into the box: the box then
    // goes below it (the extra height leaves room there).
    if (MWinButton* msg = w->GetButtonFromID("MSG", false)) {
      const MWinArea a = msg->GetAreaRelative();
      y = std::max(y, a.y + a.h + 10);
    }
  }
  MWinButton* edit = w->AddButton("TEXTEDIT", MWIN_BUT_TEXTEDIT, popupButtonTexBut_, buffer, -1, y,
                                  w->GetArea().w - 40, popupButtonHeight_);
  if (!edit) {
    PopupAbandon();
    return false;
  }
  PopupApplyButtonLook(edit);
  // The box types into the popup's own copy (at most 511 characters, as
  // any text entry); OK copies it back.
  const int size = std::min(length, static_cast<int>(sizeof popupEditText_));
  std::memset(popupEditText_, 0, sizeof popupEditText_);
  std::memcpy(popupEditText_, buffer, strnlen(buffer, static_cast<std::size_t>(size - 1)));
  popupEditTarget_ = buffer;
  popupEditTargetSize_ = size;
  edit->TextEditRegisterText(popupEditText_, size);
  edit->SetCallback(PopupTextEditCallback, 0, 0);
  g_textEditOwner = this;
  PopupCompleteSetup(callback);
  const float cx = edit->AbsX() + edit->Width() / 2, cy = edit->AbsY() + edit->Height() / 2;
  MWinEngBackEnd* eng = MWinEng();
  if (eng->HasWindow()) {
    SetMousePosition(cx, cy);
    desktop_->MouseMove();
    eng->SetCursorVirtual(cx, cy + (eng->IsWindowed() ? 10.0f : 0.0f));
  }
  // An old text is selected, so what the player types replaces it.
  if (edit->TextEditStartEditing()) edit->TextEditSelectAll();
  return true;
}

bool MWin::PopupMessageForTime(const char* title, const char* text, float seconds) {
  PopupCloseIfOpen();
  if (!PopupMessage(title, text)) return false;
  MWinEngBackEnd* eng = MWinEng();
  eng->RenderFrameNow();
  eng->RenderFrameNow();
  eng->WaitSeconds(seconds);
  PopupCloseIfOpen();
  eng->RequestRedraw();
  eng->RequestFrame();
  return true;
}

bool MWin::PopupCloseIfOpen() {
  if (!popupOpen_) return false;
  PopupCloseCollection();
  return true;
}

void MWin::PopupSetStyle(const char* windowTexBut, const char* titleTexBut, const char* titleFont,
                         const char* buttonTexBut, const char* buttonFont, float buttonR,
                         float buttonB, float buttonG, float buttonA, float buttonScaleX,
                         float buttonScaleY, float titleR, float titleB, float titleG,
                         float titleA, float titleScaleX, float titleScaleY, int titleAlign) {
  if (!MWinIsIDEmpty(windowTexBut)) MWinCopyID(popupWinTexBut_, windowTexBut);
  if (!MWinIsIDEmpty(titleTexBut)) MWinCopyID(popupTitleTexBut_, titleTexBut);
  if (!MWinIsIDEmpty(titleFont)) MWinCopyID(popupTitleFont_, titleFont);
  if (!MWinIsIDEmpty(buttonTexBut)) MWinCopyID(popupButtonTexBut_, buttonTexBut);
  if (!MWinIsIDEmpty(buttonFont)) MWinCopyID(popupButtonFont_, buttonFont);
  auto keep = [](float* dst, float v) {
    if (v >= 0) *dst = v;
  };
  keep(&popupButtonColour_[0], buttonR);
  keep(&popupButtonColour_[2], buttonB);
  keep(&popupButtonColour_[1], buttonG);
  keep(&popupButtonColour_[3], buttonA);
  keep(&popupButtonScale_[0], buttonScaleX);
  keep(&popupButtonScale_[1], buttonScaleY);
  keep(&popupTitleColour_[0], titleR);
  keep(&popupTitleColour_[2], titleB);
  keep(&popupTitleColour_[1], titleG);
  keep(&popupTitleColour_[3], titleA);
  keep(&popupTitleScale_[0], titleScaleX);
  keep(&popupTitleScale_[1], titleScaleY);
  if (titleAlign != -1) popupTitleAlign_ = titleAlign;
}

void MWin::PopupSetSizes(float baseWidth, float wrapWidth, float buttonWidth, float buttonHeight) {
  auto set = [](float* dst, float v, float standard) {
    if (v > 0) *dst = v;
    else if (v == -2) *dst = standard;
  };
  set(&popupBaseWidth_, baseWidth, 200);
  set(&popupWrapWidth_, wrapWidth, 400);
  set(&popupButtonWidth_, buttonWidth, 60);
  set(&popupButtonHeight_, buttonHeight, 20);
}

void MWin::PopupSetButtonTexts(const char* textResult1, const char* textResult0,
                               const char* textResult2) {
  auto take = [](char* dst, const char* src) {
    if (src && src[0] && std::strlen(src) < 511) std::strcpy(dst, src);
  };
  take(popupTextOk_, textResult1);
  take(popupTextCancel_, textResult0);
  take(popupTextNo_, textResult2);
}
