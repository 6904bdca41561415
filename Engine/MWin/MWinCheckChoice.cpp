// MWinCheckChoice.cpp - the check box (a state 0 or 1 toggled by a left
// press) and the choice (equal boxes, one per entry; a left press selects the
// box under the mouse).
#include "Engine/Debug.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinEng.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinTextures.h"

// ---- Check box -----------------------------------------------------------------

bool MWinButton::CheckboxSet(int state, bool call) {
  if (state != 0 && state != 1) {
    DebugError("MWinButton::CheckboxSet", "Invalid check parameter: %d", state);
    return false;
  }
  checkState_ = static_cast<std::uint8_t>(state);
  WriteBoundIndex(state);
  if (call)
    CallCallbackWith([&](MWinCallbackRecord& r) { r.checkboxState = checkState_; });
  return true;
}

bool MWinButton::CheckboxRegisterVariable(signed char* variable, bool call) {
  if (kind_ != MWIN_BUT_CHECKBOX) return false;
  RegisterCharVariable(variable);
  return !variable || CheckboxSet(*variable, call);
}

bool MWinButton::CheckboxPress(int pressed) {
  if (!pressed) return false;
  CheckboxSet(1 - checkState_, true);
  return true;
}

void MWinButton::CheckboxDraw(int state) {
  MWinTextures* t = mw_->GetTextures();
  const float* m = Metrics();
  const float cw = m[kMetCheckW], ch = m[kMetCheckH];
  const bool hasText = HasText(0) || tokenOn_;
  const float x = hasText ? absX_ + w_ - cw - m[kMetCheckInset] : absX_ + (w_ - cw) / 2;
  const int slot = checkState_ > 0 ? 17 : 18;
  t->DrawTexBut(t->GetStandardTexButNum(slot), state, x, absY_ + (h_ - ch) / 2, cw, ch,
                tintOn_ ? tint_ : nullptr);
}

// ---- Choice ------------------------------------------------------------------------

void MWinButton::ChoiceTakeSource(int count, const char* const* strings, MWinEntryText entryText,
                                  const char* token) {
  choice_.strings = strings;
  choice_.entryText = entryText;
  choice_.languageList = token ? 1 : 0;
  choice_.count = count;
  choice_.selected = 0;
  SetTextLanguageToken(token);
  inputReady_ = 1;
}

bool MWinButton::ChoiceSetStrings(int count, const char* const* strings) {
  if (count < 1) {
    DebugError("MWinButton::ChoiceSetStrings", "invalid num %d (ID: %s)", count, id_);
    return false;
  }
  if (!strings) {
    DebugError("MWinButton::ChoiceSetStrings", "Null strings (ID: %s)", id_);
    return false;
  }
  ChoiceTakeSource(count, strings, nullptr, nullptr);
  return true;
}

bool MWinButton::ChoiceSetStringsCallback(int count, MWinEntryText entryText) {
  if (count < 1) {
    DebugError("MWinButton::ChoiceSetStringsCallback", "invalid num entries %d (ID: %s)", count,
               id_);
    return false;
  }
  if (!entryText) {
    DebugError("MWinButton::ChoiceSetStringsCallback", "Null callback entry (ID: %s)", id_);
    return false;
  }
  ChoiceTakeSource(count, nullptr, entryText, nullptr);
  return true;
}

bool MWinButton::ChoiceSetStringsLanguageToken(int count, const char* token) {
  if (count < 1) {
    DebugError("MWinButton::ChoiceSetStringsLanguageToken", "invalid num %d (ID: %s)", count, id_);
    return false;
  }
  if (!token || !token[0]) {
    DebugError("MWinButton::ChoiceSetStringsLanguageToken", "Null token (ID: %s)", id_);
    return false;
  }
  ChoiceTakeSource(count, nullptr, nullptr, token);
  return true;
}

bool MWinButton::ChoiceSetSel(int entry, bool call) {
  if (entry < -1 || entry > choice_.count - 1) {
    DebugError("MWinButton::ChoiceSetSel", "invalid sel : %d (m_id: %s, entries = %d)", entry, id_,
               choice_.count);
    return false;
  }
  choice_.selected = entry;
  WriteBoundIndex(entry);
  if (call)
    CallCallbackWith([&](MWinCallbackRecord& r) { r.choiceEntry = entry; });
  return true;
}

bool MWinButton::ChoiceRegisterCharVariable(signed char* variable, bool call) {
  if (kind_ != MWIN_BUT_CHOICE) return false;
  RegisterCharVariable(variable);
  return !variable || ChoiceSetSel(*variable, call);
}

bool MWinButton::ChoiceRegisterIntVariable(int* variable, bool call) {
  if (kind_ != MWIN_BUT_CHOICE) return false;
  RegisterIntVariable(variable, 1);
  return !variable || ChoiceSetSel(*variable, call);
}

int MWinButton::ChoiceBoxState(int box) const {
  const float boxW = choice_.count > 0 ? w_ / choice_.count : 0;
  const int mode = mw_->Style().choiceMode;
  if (mode != 2 && highlighted_ && enabled_) {
    if (box == choice_.selected) return 2;
    if (mode == 1) return 1;
    const float left = absX_ + box * boxW, mx = mw_->GetMouseX();
    return (mx >= left && mx < left + boxW) ? 1 : 0;
  }
  if (!enabled_) return 3;
  return box == choice_.selected ? 2 : 0;
}

float MWinButton::ChoiceBoxWidth(const char* where) const {
  const float boxW = w_ / choice_.count;
  if (boxW <= 0) DebugError(where, "No Width (ID =  %s)", id_);
  return boxW;
}

void MWinButton::ChoiceDraw() {
  if (choice_.count <= 0) {
    DrawLook(GetDrawState(), absX_, absY_, w_, h_);
    return;
  }
  const float boxW = ChoiceBoxWidth("MWinButton::ChoiceDraw");
  if (boxW <= 0) return;
  for (int i = 0; i < choice_.count; ++i)
    DrawLook(ChoiceBoxState(i), absX_ + i * boxW, absY_, boxW, h_);
}

void MWinButton::ChoiceBoxesDrawTexts() {
  if (choice_.count <= 0) return;
  const float boxW = ChoiceBoxWidth("MWinButton::ChoiceBoxesDrawTexts");
  if (boxW <= 0) return;
  const PreparedFont prepared(this);
  EngFont* font = prepared.get();
  if (!font) return;
  MWinEngBackEnd* eng = MWinEng();
  const float* m = Metrics();
  for (int i = 0; i < choice_.count; ++i) {
    const char* text = EntryText(i);
    if (!text) continue;
    float c[4] = {textColour_[0], textColour_[1], textColour_[2], textColour_[3]};
    if (tintOn_)
      for (int k = 0; k < 4; ++k) c[k] *= tint_[k];
    if (!enabled_ && i != choice_.selected) c[3] *= 0.5f;
    eng->FontSetColour(font, c[0], c[1], c[2], c[3]);
    mw_->DrawText(fontNum_, 1, m[kMetTextInset], absX_ + i * boxW, absY_, boxW, h_, nullptr, text,
                  true, fit_ != 0);
  }
}

bool MWinButton::ChoiceHandleMousePress() {
  if (choice_.count <= 0) {
    DebugError("MWinButton::ChoiceHandleMousePress", "Empty Choice List (ID =  %s)", id_);
    return false;
  }
  const float boxW = ChoiceBoxWidth("MWinButton::ChoiceHandleMousePress");
  if (boxW <= 0) return false;
  int i = static_cast<int>((mw_->GetMouseX() - absX_) / boxW);
  if (i > choice_.count - 1) i = choice_.count - 1;
  if (i < 0) i = 0;
  const bool same = i == choice_.selected;
  ChoiceSetSel(i, true);
  if (same) mw_->CallButtonHook(3);
  return true;
}
