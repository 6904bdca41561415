// MWinHorzScrollbar.cpp - the horizontal scrollbar.
#include "Engine/MWin/MWinHorzScrollbar.h"

#include <algorithm>
#include <cmath>

#include "Engine/Debug.h"
#include "Engine/MWin/MWinEng.h"
#include "Engine/MWin/MWinKeys.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinTextures.h"

int MWinScrollbarRound(double value) {
  const double t = std::trunc(value);
  const double fraction = value - t;
  int r = static_cast<int>(t);
  if (value > 0 && fraction > 0.5 && fraction < 1.0) ++r;
  return r;
}

MWinHorzScrollbar::MWinHorzScrollbar(MWin* mw, const char* id, MWinWindow* parent,
                                     const char* texButID, const char* text, float x, float y,
                                     float w, float h)
    : MWinButton(mw, id, parent, MWIN_BUT_HORZSCROLLBAR, texButID, text, x, y, w, h) {
  inputReady_ = 0;
}

MWinHorzScrollbar::~MWinHorzScrollbar() = default;

void MWinHorzScrollbar::SetRangeDouble(double minimum, double maximum, double bigStep,
                                       double smallStep) {
  if (minimum > maximum) return;
  if (bigStep <= 0) bigStep = (maximum - minimum) / 10;
  if (smallStep <= 0) smallStep = (maximum - minimum) / 100;
  minimum_ = minimum;
  maximum_ = maximum;
  bigStep_ = bigStep;
  smallStep_ = smallStep;
  value_ = minimum;
  inputReady_ = 1;
}

void MWinHorzScrollbar::SetRange(float minimum, float maximum, float bigStep, float smallStep) {
  SetRangeDouble(minimum, maximum, bigStep, smallStep);
}

void MWinHorzScrollbar::SetRangeInt(int minimum, int maximum, int bigStep, int smallStep) {
  SetRangeDouble(minimum, maximum, bigStep, smallStep);
}

void MWinHorzScrollbar::SetPosDouble(double value, bool drag, bool force, bool call) {
  if (kind_ != MWIN_BUT_HORZSCROLLBAR) {
    DebugError("MWinHorzScrollbar::SetPosDouble", "Not a scrollbar [%s]", id_);
    return;
  }
  value = std::clamp(value, minimum_, maximum_);
  // Without force the same value changes nothing, but still calls back.
  const bool change = force || value != value_;
  if (change) {
    value_ = value;
    if (varKind_ == MWIN_VAR_CHAR && varChar_)
      *varChar_ = static_cast<signed char>(std::clamp(MWinScrollbarRound(value), -127, 127));
    else if (varKind_ == MWIN_VAR_INT && varInt_)
      *varInt_ = MWinScrollbarRound(value / varIntMult_);
    else if (varKind_ == MWIN_VAR_FLOAT && varFloat_)
      *varFloat_ = static_cast<float>(value / varFloatMult_);
  }
  if (call) {
    CallCallbackWith([&](MWinCallbackRecord& r) {
      r.scrollbarDragging = drag ? 1 : 0;
      r.scrollbarValue = value_;
    });
  }
  if (change && drag) changedDuringDrag_ = 1;
}

bool MWinHorzScrollbar::RegisterCharVariable(signed char* variable, bool call) {
  MWinButton::RegisterCharVariable(variable);
  if (variable) SetPosDouble(*variable, false, false, call);
  return true;
}

bool MWinHorzScrollbar::RegisterFloatVariable(float* variable, float multiplier, bool call) {
  if (!MWinButton::RegisterFloatVariable(variable, multiplier)) return false;
  if (variable) SetPosDouble(static_cast<double>(*variable) * multiplier, false, false, call);
  return true;
}

void MWinHorzScrollbar::UpdateFromVariable(bool call) {
  if (varKind_ == MWIN_VAR_CHAR && varChar_) SetPosDouble(*varChar_, false, false, call);
  else if (varKind_ == MWIN_VAR_INT && varInt_)
    SetPosDouble(static_cast<double>(*varInt_) * varIntMult_, false, false, call);
  else if (varKind_ == MWIN_VAR_FLOAT && varFloat_)
    SetPosDouble(static_cast<double>(*varFloat_) * varFloatMult_, false, false, call);
}

MWinHorzScrollbar::Track MWinHorzScrollbar::GetTrack() const {
  const float* m = Metrics();
  const float t = m[kMetScrollThumbW], e = m[kMetScrollEndInset];
  return Track{t, absX_ + e, w_ - t - 2 * e};
}

float MWinHorzScrollbar::ThumbX() const {
  const Track k = GetTrack();
  if (maximum_ - minimum_ <= 0) return k.start;
  return k.start + static_cast<float>((value_ - minimum_) * k.usable / (maximum_ - minimum_));
}

double MWinHorzScrollbar::ValueAt(float mouseX) const {
  const Track k = GetTrack();
  if (k.usable <= 0) return 0;
  const double v = (mouseX - k.thumbW / 2 - k.start) * (maximum_ - minimum_) / k.usable + minimum_;
  return std::clamp(v, minimum_, maximum_);
}

void MWinHorzScrollbar::SmallStep(int direction) {
  if (direction < 0) {
    if (value_ >= minimum_ + smallStep_) SetPosDouble(value_ - smallStep_, false, false, true);
  } else if (value_ <= maximum_ - smallStep_) {
    SetPosDouble(value_ + smallStep_, false, false, true);
  }
}

void MWinHorzScrollbar::BigStep(int direction) {
  const double v = direction < 1 ? value_ - bigStep_ : value_ + bigStep_;
  SetPosDouble(std::clamp(v, minimum_, maximum_), false, false, true);
}

void MWinHorzScrollbar::EndDrag() {
  capture_ = 0;
  pressed_ = 0;
  if (changedDuringDrag_) {
    changedDuringDrag_ = 0;
    SetPosDouble(value_, false, false, true);
  }
}

bool MWinHorzScrollbar::ButtonPressed(int button, int pressed) {
  pressed_ = 0;
  if (!IsInputReady()) return false;
  if (!(highlighted_ && enabled_ && visible_)) {
    capture_ = 0;
    return false;
  }
  if (button != 0) return false;
  if (!pressed) {
    const bool dragging = capture_ != 0;
    EndDrag();
    return dragging;
  }
  pressed_ = 1;
  const float mx = mw_->GetMouseX();
  if (mx < absX_ || mx >= absX_ + w_) return false;
  const float t = Metrics()[kMetScrollThumbW];
  const float thumb = ThumbX();
  if (mx >= thumb && mx < thumb + t) {
    capture_ = 1;
    grabX_ = mx - thumb - t / 2;
    return true;
  }
  BigStep(ValueAt(mx) <= value_ ? -1 : 1);
  return true;
}

bool MWinHorzScrollbar::ButtonDoubleClicked(int button) {
  if (!BaseReady() || button != 0) return false;
  return ButtonPressed(0, 1);
}

void MWinHorzScrollbar::CancelPress() { EndDrag(); }

bool MWinHorzScrollbar::MouseMove() {
  if (!IsInputReady() || !visible_) return false;
  if (MWinEng()->ConsumeReleasedOutside()) CancelPress();
  if (!capture_) return false;
  SetPosDouble(ValueAt(mw_->GetMouseX() - grabX_), true, false, true);
  return true;
}

bool MWinHorzScrollbar::MouseWheelMoved(int steps) {
  if (!BaseReady()) return false;
  for (int i = 0; i < steps; ++i) SmallStep(-1);
  for (int i = 0; i < -steps; ++i) SmallStep(1);
  return true;
}

bool MWinHorzScrollbar::KeyDown(int key) {
  if (!BaseReady()) return false;
  keyboardUsed_ = 0;
  switch (key) {
    case kMWinKeyPageUp:
    case kMWinKeyUp:
      BigStep(-1);
      break;
    case kMWinKeyPageDown:
    case kMWinKeyDown:
      BigStep(1);
      break;
    case kMWinKeyLeft:
      SmallStep(-1);
      break;
    case kMWinKeyRight:
      SmallStep(1);
      break;
    default:
      return keyHook_ ? keyHook_(key) : false;
  }
  keyboardUsed_ = 1;
  return true;
}

bool MWinHorzScrollbar::IsCapturingInput() {
  return IsInputReady() && highlighted_ && capture_ != 0;
}

void MWinHorzScrollbar::Deactivate() {
  EndDrag();
  MWinButton::Deactivate();
}

void MWinHorzScrollbar::Draw() {
  if (!valid_ || !visible_) return;
  if (tintOn_ && tint_[3] == 0.0f) return;
  const int s = GetDrawState();
  DrawLook(s, absX_, absY_, w_, h_);
  const float* m = Metrics();
  MWinTextures* t = mw_->GetTextures();
  t->DrawTexBut(t->GetStandardTexButNum(9), 0, ThumbX(), absY_ + h_ / 2 - m[kMetScrollThumbH] / 2,
                m[kMetScrollThumbW], m[kMetScrollThumbH], tintOn_ ? tint_ : nullptr);
  DrawTexts();
  if (drawHook_) {
    MWinArea a = {absX_, absY_, w_, h_};
    drawHook_(this, &a, s);
  }
}
