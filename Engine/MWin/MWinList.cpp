// MWinList.cpp - the drop-down list kind.
//
// Closed, the button shows its selected entry and an arrow. Open, a column
// of rows (one per entry, each the button's height) lies over the screen
// around the button, scrolling with arrow rows when not every entry fits
// between y 0 and 480. While open the list captures input; presses act on
// the press, not on the release.
//
//   closed --left press / Enter--> open
//   closed --Up/Down/PgUp/PgDn--> open, move, close accepting (event 1)
//   open --Enter / press inside--> closed, hovered entry chosen (event 1)
//   open --Escape / press outside / leaving the column / Deactivate-->
//        closed, selection kept (event 2 when the hover had moved)
#include <cmath>

#include "Engine/Debug.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinEng.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinKeys.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinTextures.h"

namespace {
unsigned g_lastScrollStep = 0;
bool g_keyGuard = false;
}  // namespace

const char* MWinButton::EntryText(int entry) const {
  if (kind_ == MWIN_BUT_LIST) {
    if (list_.entryText) return list_.entryText(entry);
    if (list_.languageList) return MWinEng()->LanguageString(token_, entry);
    return nullptr;
  }
  if (kind_ == MWIN_BUT_CHOICE) {
    if (choice_.entryText) return choice_.entryText(entry);
    if (choice_.strings) return choice_.strings[entry];
    if (choice_.languageList && tokenIndex_ >= 0) return MWinEng()->LanguageString(token_, entry);
  }
  return nullptr;
}

void MWinButton::ListTakeSource(int count, MWinEntryText entryText, const char* token) {
  list_.selected = 0;
  list_.count = count;
  list_.entryText = entryText;
  list_.languageList = token ? 1 : 0;
  SetTextLanguageToken(token);
  list_.open = 0;
  list_.moreAbove = list_.moreBelow = 0;
  inputReady_ = 1;
  AllocAndSetText(0, EntryText(0));
}

bool MWinButton::ListSetStringsCallback(int count, MWinEntryText entryText) {
  if (kind_ != MWIN_BUT_LIST) {
    DebugError("MWinButton::ListSetStringsCallback", "button %s not a list", id_);
    return false;
  }
  if (count < 1) {
    DebugError("MWinButton::ListSetStringsCallback", "invalid num entries %d (ID: %s)", count, id_);
    return false;
  }
  if (!entryText) {
    DebugError("MWinButton::ListSetStringsCallback", "Null callback entry (ID: %s)", id_);
    return false;
  }
  ListTakeSource(count, entryText, nullptr);
  return true;
}

bool MWinButton::ListSetStringsLanguageToken(int count, const char* token) {
  if (kind_ != MWIN_BUT_LIST) {
    DebugError("MWinButton::ListSetStringsLanguageToken", "button %s not a list", id_);
    return false;
  }
  if (count < 1) {
    DebugError("MWinButton::ListSetStringsLanguageToken", "invalid num %d (ID: %s)", count, id_);
    return false;
  }
  if (!token || !token[0]) {
    DebugError("MWinButton::ListSetStringsLanguageToken", "Null token (ID: %s)", id_);
    return false;
  }
  ListTakeSource(count, nullptr, token);
  return true;
}

int MWinButton::ListGetPos() {
  if (kind_ != MWIN_BUT_LIST) {
    DebugError("MWinButton::ListGetPos", "button %s not a list", id_);
    return 0;
  }
  return list_.selected;
}

const char* MWinButton::ListGetString() {
  if (kind_ != MWIN_BUT_LIST) {
    DebugError("MWinButton::ListGetString", "button %s not a list", id_);
    return nullptr;
  }
  return EntryText(list_.selected);
}

bool MWinButton::ListIsOpen() const {
  return IsInputReady() && kind_ == MWIN_BUT_LIST && list_.open;
}

bool MWinButton::ListSetPos(int entry, bool call) {
  if (kind_ != MWIN_BUT_LIST) {
    DebugError("MWinButton::ListSetPos", "button %s not a list", id_);
    return false;
  }
  if (entry < 0 || entry >= list_.count) {
    DebugError("MWinButton::ListSetPos", "invalid pos : %d (id: %s, entries = %d)", entry, id_,
               list_.count);
    return false;
  }
  list_.selected = entry;
  AllocAndSetText(0, EntryText(entry));
  WriteBoundIndex(entry);
  if (call) {
    CallCallbackWith([&](MWinCallbackRecord& r) {
      r.listEvent = list_.open ? 1 : 0;
      r.listEntry = list_.selected;
    });
  }
  return true;
}

bool MWinButton::ListRegisterCharVariable(signed char* variable) {
  if (kind_ != MWIN_BUT_LIST) {
    DebugError("MWinButton::ListSetStrings", "button %s not a list", id_);
    return false;
  }
  RegisterCharVariable(variable);
  if (variable) ListSetPos(*variable, false);
  return true;
}

void MWinButton::ListOpen() {
  list_.hovered = list_.anchor = list_.selected;
  list_.open = 1;
  list_.first = list_.end = -1;
  list_.scroll = 0;
  list_.delay = 500;
  // A list opens without a step in the last delay: the clock starts here.
  g_lastScrollStep = MWinEng()->TimeMs();
  ListCalcOpenListVariables();
}

void MWinButton::ListClose(bool accept, bool call) {
  if (!list_.open) return;
  list_.open = 0;
  // Accepting selects the hovered entry (event 1); closing without choosing
  // reports only a hover that moved away from the selection (event 2).
  if (accept) ListSetPos(list_.hovered, false);
  else if (list_.hovered == list_.selected) return;
  if (!call) return;
  CallCallbackWith([&](MWinCallbackRecord& r) {
    r.listEvent = accept ? 1 : 2;
    r.listEntry = list_.selected;
  });
}

bool MWinButton::ListCalcOpenListVariables() {
  MWinListData& l = list_;
  l.topCapY = l.topCapH = l.botCapY = l.botCapH = l.hoveredY = -1.0f;
  l.upY = l.upH = l.downY = l.downH = -1.0f;
  l.moreAbove = l.moreBelow = 0;
  if (!l.open) return false;
  const int n = l.count;
  if (n == 0) {
    ListClose(false, true);
    return false;
  }
  if (kind_ != MWIN_BUT_LIST) {
    DebugError("MWinButton::ListCalcOpenListVariables", "Open List ID %s is not a list", id_);
    return false;
  }
  const float y = absY_, h = h_;
  if (h <= 0) return false;
  int above = static_cast<int>(y / h);
  int below = static_cast<int>((480 - y - h) / h) + 1;
  const int c = l.anchor + l.scroll;
  if (c - above < 0) above = c;
  if (c + below > n) below = n - c;
  l.first = c - above;
  if (l.first >= 1) l.moreAbove = 1;
  if (l.first < 0) DebugError("MWinButton::ListCalcOpenListVariables", "Internal Error 1");
  l.end = c + below;
  if (l.end < n) l.moreBelow = 1;
  if (l.end > n) DebugError("MWinButton::ListCalcOpenListVariables", "Internal Error 2");
  l.top = y - above * h;
  l.height = (l.end - l.first) * h;
  if (l.top < 0) {
    l.height += l.top;
    l.top = 0;
  }
  if (!l.moreAbove) {
    l.topCapH = h / 2;
    l.topCapY = l.top - l.topCapH / 2;
    if (l.topCapY < 0) l.topCapY = 0;
  }
  if (!l.moreBelow) {
    l.botCapH = h / 2;
    l.botCapY = l.top + l.height - l.botCapH / 2;
    if (l.botCapY > 480 - l.botCapH) l.botCapY = 480 - l.botCapH;
  }
  if (l.hovered >= l.first && l.hovered <= l.end - 1)
    l.hoveredY = (l.hovered - l.scroll - l.anchor) * h + y;
  if (l.moreAbove) {
    l.upY = l.top;
    l.upH = h;
    l.top += h;
    l.first += 1;
    l.height -= h;
    if (l.first >= n) {
      ListClose(false, true);
      return false;
    }
  }
  if (l.moreBelow) {
    l.downY = l.top + l.height - h;
    l.downH = h;
    l.end -= 1;
    l.height -= h;
    if (l.end < 1) {
      ListClose(false, true);
      return false;
    }
  }
  return true;
}

bool MWinButton::ListSetHovered(int entry) {
  if (entry < 0) entry = 0;
  if (entry > list_.count - 1) entry = list_.count - 1;
  if (entry == list_.hovered) return false;
  list_.hovered = entry;
  ListCalcOpenListVariables();
  CallCallbackWith([&](MWinCallbackRecord& r) {
    r.listEvent = 0;
    r.listEntry = list_.selected;
  });
  return true;
}

bool MWinButton::ListMouseMove() {
  const float mx = mw_->GetMouseX(), my = mw_->GetMouseY();
  if (mx < absX_ || mx > absX_ + w_) {
    ListClose(false, true);
    return true;
  }
  if (h_ <= 0) return true;
  const float r = (my - (absY_ + h_ / 2)) / h_ + list_.anchor + list_.scroll;
  const int row = static_cast<int>(std::floor(r + 0.5f));
  if (ListSetHovered(row)) mw_->CallButtonHook(3);
  return true;
}

bool MWinButton::ListPress(int pressed) {
  if (!pressed) return false;
  if (!list_.open) {
    ListOpen();
    return true;
  }
  if (!ListCalcOpenListVariables()) return true;
  const float mx = mw_->GetMouseX(), my = mw_->GetMouseY();
  const bool inside = mx >= absX_ && mx <= absX_ + w_ && my >= list_.top &&
                      my <= list_.top + list_.height;
  ListClose(inside, true);
  return true;
}

bool MWinButton::ListTick() {
  MWinEngBackEnd* eng = MWinEng();
  if (!eng->HasDevice()) return false;
  eng->RequestRedraw();
  int direction = 0;
  if (list_.moreAbove && list_.hovered == list_.first - 1) direction = -1;
  else if (list_.moreBelow && list_.hovered == list_.end) direction = 1;
  if (direction == 0) {
    list_.delay = 500;
    return true;
  }
  eng->RequestFrame();
  // The first step comes as soon as the delay since the last step has
  // passed (at once after a rest elsewhere), then ever faster.
  const unsigned now = eng->TimeMs();
  if (now >= g_lastScrollStep + static_cast<unsigned>(list_.delay)) {
    g_lastScrollStep = now;
    list_.delay -= 70;
    if (list_.delay < 5) list_.delay = 5;
    list_.scroll += direction;
    ListSetHovered(list_.hovered + direction);
    mw_->CallButtonHook(3);
    ListCalcOpenListVariables();
  }
  return true;
}

bool MWinButton::ListKeyDown(int key) {
  if (list_.open) {
    int step = 0;
    switch (key) {
      case kMWinKeyEnter:
        ListClose(true, true);
        return true;
      case kMWinKeyEscape:
        ListClose(false, true);
        return true;
      case kMWinKeyPageUp:
        step = -10;
        break;
      case kMWinKeyPageDown:
        step = 10;
        break;
      case kMWinKeyUp:
        step = -1;
        break;
      case kMWinKeyDown:
        step = 1;
        break;
      default:
        return false;
    }
    int target = list_.hovered + step;
    if (target < list_.first - 1) target = list_.first - 1;
    if (target > list_.end) target = list_.end;
    ListSetHovered(target);
    return true;
  }
  if (key == kMWinKeyEnter) {
    ListOpen();
    return true;
  }
  if ((key == kMWinKeyPageUp || key == kMWinKeyPageDown || key == kMWinKeyUp || key == kMWinKeyDown) && !g_keyGuard) {
    ListOpen();
    g_keyGuard = true;
    ListKeyDown(key);
    g_keyGuard = false;
    ListClose(true, true);
    return true;
  }
  return false;
}

void MWinButton::ListDrawClosed(int state) {
  MWinTextures* t = mw_->GetTextures();
  const float* m = Metrics();
  const float* tint = tintOn_ ? tint_ : nullptr;
  DrawLook(state, absX_, absY_, w_, h_);
  const char* text = list_.languageList ? EntryText(list_.selected) : texts_[0];
  const float aw = m[kMetListArrowW], ah = m[kMetListArrowH];
  const float ax = (text && text[0]) ? absX_ + w_ - aw - m[kMetListArrowInset] : absX_ + (w_ - aw) / 2;
  const float mid = absY_ + h_ / 2;
  t->DrawTexBut(t->GetStandardTexButNum(7), state, ax, mid - ah / 2, aw, ah / 2, tint);
  t->DrawTexBut(t->GetStandardTexButNum(8), state, ax, mid, aw, ah / 2, tint);
  const PreparedFont prepared(this);
  if (!prepared.get() || !text) return;
  mw_->DrawText(fontNum_, align_, textInset_, absX_, absY_, w_ - aw - m[kMetListArrowInset], h_,
                nullptr, text, true, fit_ != 0);
}

bool MWinButton::ListDrawOpenList() {
  if (kind_ != MWIN_BUT_LIST || !visible_ || !list_.open) return false;
  MWinTextures* t = mw_->GetTextures();
  const float* m = Metrics();
  const float* tint = tintOn_ ? tint_ : nullptr;
  int state = GetDrawState();
  if (state == 1) state = 0;
  const MWinListData& l = list_;
  t->DrawTexBut(t->GetStandardTexButNum(13), state, absX_, l.top, w_, l.height, tint);
  if (l.topCapH > 0) t->DrawTexBut(t->GetStandardTexButNum(14), state, absX_, l.topCapY, w_, l.topCapH, tint);
  if (l.botCapH > 0) t->DrawTexBut(t->GetStandardTexButNum(15), state, absX_, l.botCapY, w_, l.botCapH, tint);
  if (l.upH > 0) t->DrawTexBut(t->GetStandardTexButNum(13), state, absX_, l.upY, w_, l.upH, tint);
  if (l.downH > 0) t->DrawTexBut(t->GetStandardTexButNum(13), state, absX_, l.downY, w_, l.downH, tint);
  if (l.hovered >= l.first && l.hovered < l.end && l.hoveredY >= 0)
    t->DrawTexBut(t->GetStandardTexButNum(16), state, absX_, l.hoveredY, w_, h_, tint);
  const float aw = m[kMetListArrowW], ah = m[kMetListArrowH];
  if (l.upH > 0)
    t->DrawTexBut(t->GetStandardTexButNum(7), state, absX_ + (w_ - aw) / 2, l.upY + (l.upH - ah) / 2, aw, ah, tint);
  if (l.downH > 0)
    t->DrawTexBut(t->GetStandardTexButNum(8), state, absX_ + (w_ - aw) / 2, l.downY + (l.downH - ah) / 2, aw, ah, tint);
  const PreparedFont prepared(this);
  if (!prepared.get()) return true;
  for (int e = l.first; e >= 0 && e < l.end && e < l.count; ++e) {
    const float rowY = absY_ + (e - l.anchor - l.scroll) * h_;
    mw_->DrawText(fontNum_, align_, textInset_, absX_, rowY, w_, h_, nullptr, EntryText(e), true,
                  fit_ != 0);
  }
  return true;
}
