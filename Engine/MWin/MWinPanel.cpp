// MWinPanel.cpp - the panel kind: a paged, scrollable list of entries shown
// as rows, with a vertical scrollbar when there are more entries than rows.
// Geometry is kept relative to the window; the window's position is added
// when the mouse is compared with it.
#include <algorithm>

#include "Engine/Debug.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinEng.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinKeys.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinTextures.h"
#include "Engine/MWin/MWinWindow.h"

namespace {
float WindowX(const MWinWindow* w) { return w ? w->GetArea().x : 0.0f; }
float WindowY(const MWinWindow* w) { return w ? w->GetArea().y : 0.0f; }
}  // namespace

bool MWinButton::PanelSetStringsCallback(int count, int perPage, MWinPanelEntryText entryText) {
  if (count < 0) {
    DebugError("MWinButton::PanelSetStringsCallback", "invalid num entries %d (ID: %s)", count, id_);
    return false;
  }
  if (perPage < 1) {
    panel_.perPage = 1;
    DebugError("MWinButton::PanelSetStringsCallback", "invalid num_per_page %d (ID: %sd)", perPage,
               id_);
    return false;
  }
  if (!entryText) {
    DebugError("MWinButton::PanelSetStringsCallback", "Null callback entry (ID: %s)", id_);
    return false;
  }
  panel_.count = count;
  panel_.perPage = perPage;
  panel_.entryText = entryText;
  panel_.selected = panel_.allowNone ? -1 : 0;
  SetTextLanguageToken(nullptr);
  panel_.scroll = 0;
  PanelLayout();
  inputReady_ = 1;
  return true;
}

void MWinButton::PanelLayout() {
  MWinPanelData& p = panel_;
  const float* m = Metrics();
  p.rowHeight = p.perPage >= 1 ? h_ / p.perPage : h_;
  if (p.perPage < p.count && p.count >= 2) {
    p.barShown = 1;
    p.textWidth = w_ - m[kMetPanelBarW];
    p.barX = x_ + w_ - m[kMetPanelBarW];
    p.barRight = x_ + w_;
    p.barW = m[kMetPanelBarW];
    p.barY = y_;
    p.barH = h_;
    p.barBottom = y_ + h_;
    p.thumbW = m[kMetPanelThumbW];
    p.thumbX = p.barX + m[kMetPanelBarW] / 2 - m[kMetPanelThumbW] / 2;
    p.trackTop = y_ + m[kMetPanelEndInset];
    p.trackBottom = y_ + h_ - m[kMetPanelEndInset];
    p.trackLength = p.trackBottom - p.trackTop;
    p.thumbH = p.trackLength * p.perPage / p.count;
    float excess = 0;
    if (p.thumbH < m[kMetPanelMinThumbH]) {
      excess = m[kMetPanelMinThumbH] - p.thumbH;
      p.thumbH = m[kMetPanelMinThumbH];
    }
    const float pos = std::clamp(p.scroll, 0.0f, static_cast<float>(p.count - p.perPage));
    p.thumbTop = (p.trackLength - excess) * pos / p.count + p.trackTop;
    p.thumbBottom = p.thumbTop + p.thumbH;
  } else {
    p.barShown = 0;
    p.textWidth = w_;
  }
}

void MWinButton::PanelSetPos(int entry, int callMode, int source) {
  if (kind_ != MWIN_BUT_PANEL) {
    DebugError("MWinButton::PanelSetPos", "Button is not a panel");
    return;
  }
  MWinPanelData& p = panel_;
  if (p.count <= 0) return;
  if (!p.allowNone) entry = std::clamp(entry, 0, p.count - 1);
  else if (entry < 0) entry = -1;
  else if (entry > p.count - 1) entry = p.count - 1;
  p.selected = entry;
  if (p.scroll + p.perPage <= entry) p.scroll = static_cast<float>(entry - p.perPage + 1);
  if (p.scroll > entry) p.scroll = static_cast<float>(entry);
  if (entry < 0) p.scroll = 0;
  PanelLayout();
  WriteBoundIndex(entry);
  if ((callMode == 1 || callMode == 2)) {
    CallCallbackWith([&](MWinCallbackRecord& r) {
      r.panelEvent = callMode - 1;
      r.panelEntry = entry;
      r.panelSource = static_cast<std::uint8_t>(source);
    });
  }
}

void MWinButton::PanelSetScrollPos(float f) {
  if (panel_.count <= 0 || f < 0 || f > panel_.count) return;
  panel_.scroll = f;
  PanelLayout();
}

void MWinButton::PanelCentreOnPos() {
  MWinPanelData& p = panel_;
  float s = static_cast<float>(std::max(p.selected, 0) - p.perPage / 2);
  if (s > p.count - p.perPage) s = static_cast<float>(p.count - p.perPage);
  if (s < 0) s = 0;
  p.scroll = s;
  PanelLayout();
}

int MWinButton::PanelGetNumVisible() const {
  if (panel_.perPage < 1) return 0;
  const int first = std::max(static_cast<int>(panel_.scroll), 0);
  const int last = std::min(static_cast<int>(panel_.scroll) + panel_.perPage, panel_.count);
  return last - first;
}

int MWinButton::PanelGetEntryFromVisibleRow(int row) const {
  if (panel_.perPage < 1) return -1;
  return std::max(static_cast<int>(panel_.scroll), 0) + row;
}

bool MWinButton::PanelGetVisibleRowArea(int row, MWinArea* area) const {
  if (panel_.perPage < 1 || !area || row < 0) return false;
  const int first = std::max(static_cast<int>(panel_.scroll), 0);
  const int last = std::min(static_cast<int>(panel_.scroll) + panel_.perPage, panel_.count);
  if (first + row >= last) return false;
  *area = MWinArea{absX_, absY_ + row * panel_.rowHeight, panel_.textWidth, panel_.rowHeight};
  return true;
}

bool MWinButton::PanelRegisterIntVariable(int* variable, int callMode) {
  if (kind_ != MWIN_BUT_PANEL) return false;
  if (!RegisterIntVariable(variable, 1)) return false;
  if (variable) PanelSetPos(*variable, callMode, 0);
  return true;
}

void MWinButton::PanelUpdateFromVariable(int callMode) {
  if (varKind_ == MWIN_VAR_INT && varInt_) PanelSetPos(*varInt_, callMode, 0);
  else if (varKind_ == MWIN_VAR_CHAR && varChar_) PanelSetPos(*varChar_, callMode, 0);
}

bool MWinButton::PanelPress(int pressed) {
  MWinPanelData& p = panel_;
  const float mx = mw_->GetMouseX(), my = mw_->GetMouseY();
  if (!IsMouseOver() || p.perPage < 1 || p.rowHeight <= 0) {
    capture_ = 0;
    return false;
  }
  const float wx = WindowX(parent_), wy = WindowY(parent_);
  if (p.barShown && mx >= p.barX + wx) {
    if (!pressed) {
      capture_ = 0;
      return true;
    }
    if (my >= p.thumbTop + wy && my < p.thumbBottom + wy) {
      const int range = p.count - p.perPage + 1;
      const float pos = std::clamp(p.scroll, 0.0f, static_cast<float>(p.count - p.perPage));
      const float dragTop =
          range > 0 ? (p.trackLength - p.thumbH) * pos / range + wy + p.trackTop : wy + p.trackTop;
      capture_ = 1;
      grabY_ = my - dragTop - p.thumbH / 2;
    } else if (my >= p.thumbTop + wy) {
      p.scroll = std::max(std::min(p.scroll + p.perPage, static_cast<float>(p.count - p.perPage)), 0.0f);
      PanelLayout();
    } else {
      p.scroll = std::max(p.scroll - p.perPage, 0.0f);
      PanelLayout();
    }
    return true;
  }
  if (!pressed) {
    if (!capture_) {
      int row = static_cast<int>((my - absY_) / p.rowHeight + p.scroll);
      row = std::clamp(row, 0, p.count > 0 ? p.count - 1 : 0);
      PanelSetPos(row, 1, 1);
    }
    capture_ = 0;
    return true;
  }
  capture_ = 0;
  return true;
}

bool MWinButton::PanelDrag() {
  MWinPanelData& p = panel_;
  if (!p.barShown) {
    capture_ = 0;
    return false;
  }
  const float m = mw_->GetMouseY() - grabY_;
  const float room = p.trackLength - p.thumbH;
  float s = 0;
  if (room > 0)
    s = (m - p.thumbH / 2 - (WindowY(parent_) + p.trackTop)) * (p.count - p.perPage + 1) / room;
  s = std::min(s, static_cast<float>(p.count - p.perPage));
  if (s < 0) s = 0;
  p.scroll = s;
  PanelLayout();
  return true;
}

bool MWinButton::PanelKeyDown(int key) {
  MWinPanelData& p = panel_;
  switch (key) {
    case kMWinKeyEnter:
      PanelSetPos(p.selected, 2, 0);
      return true;
    case kMWinKeyPageUp:
      PanelSetPos(p.selected - p.perPage, 1, 0);
      return true;
    case kMWinKeyPageDown:
      PanelSetPos(p.selected + p.perPage, 1, 0);
      return true;
    case kMWinKeyUp:
      PanelSetPos(p.selected - 1, 1, 0);
      return true;
    case kMWinKeyDown:
      PanelSetPos(p.selected + 1, 1, 0);
      return true;
    default:
      break;
  }
  if (!p.entryText || p.count <= 0) return false;
  auto startsWith = [&](int e) {
    if (e < 0 || e >= p.count) return false;  // no entry -1 or N
    const char* t = p.entryText(e, p.maxChars);
    return t && static_cast<unsigned char>(t[0]) == static_cast<unsigned>(key & 0xFF) && t[0];
  };
  if (startsWith(p.selected) && startsWith(p.selected + 1)) {
    PanelSetPos(p.selected + 1, 1, 0);
    return true;
  }
  for (int e = 0; e < p.count; ++e) {
    if (!startsWith(e)) continue;
    MWinWindow* parent = parent_;
    PanelSetPos(e, 1, 0);
    if (parent_ == parent) PanelCentreOnPos();
    return true;
  }
  return false;
}

bool MWinButton::PanelWheel(int steps) {
  MWinPanelData& p = panel_;
  const float top = static_cast<float>(std::max(p.count - p.perPage, 0));
  p.scroll = std::clamp(p.scroll - steps, 0.0f, top);
  PanelLayout();
  return true;
}

void MWinButton::PanelDraw() {
  MWinPanelData& p = panel_;
  if (p.perPage < 1) {
    DebugError("MWinButton::PanelDraw", "%s: NUM PER PAGE <= 0", id_);
    return;
  }
  const MWinStyle& st = mw_->Style();
  const int s = GetDrawState();
  if (st.panelBackground) {
    int bs = st.panelRowHighlight ? s : (st.panelBackgroundHighlight ? 1 : 0);
    if (!enabled_) bs = 3;
    DrawLook(bs, absX_, absY_, w_, h_);
  }
  const int first = static_cast<int>(p.scroll);
  const bool rowHighlight = highlighted_ && st.panelRowHighlight;
  if (!(!enabled_ && st.panelBackground)) {
    for (int k = 0; k < p.perPage; ++k) {
      int e = first + k;
      if (e < 0 && k == 0) e = 0;
      const bool empty = e > p.count - 1 || e < 0;
      int rs;
      if (rowHighlight) {
        if (empty && !st.panelBackground) continue;
        rs = empty ? 0 : (e == p.selected ? 2 : 1);
      } else {
        if (empty) continue;
        rs = e == p.selected ? 1 : 0;
      }
      if (!enabled_ && e != p.selected) rs = 3;
      DrawLook(rs, absX_, absY_ + k * p.rowHeight, p.textWidth, p.rowHeight);
    }
  }
  MWinTextures* t = mw_->GetTextures();
  const float wx = WindowX(parent_), wy = WindowY(parent_);
  if (p.barShown) {
    t->DrawTexBut(t->GetStandardTexButNum(12), s, p.barX + wx, p.barY + wy, p.barW, p.barH,
                  tintOn_ ? tint_ : nullptr);
    t->DrawTexBut(t->GetStandardTexButNum(11), 0, p.thumbX + wx, p.thumbTop + wy, p.thumbW, p.thumbH,
                  tintOn_ ? tint_ : nullptr);
  }
  const PreparedFont prepared(this);
  if (!prepared.get() || !p.entryText) return;
  const float* m = Metrics();
  for (int k = 0; k < p.perPage; ++k) {
    const int e = std::max(first, 0) + k;
    if (e >= p.count) break;
    mw_->DrawText(fontNum_, align_, m[kMetTextInset], absX_, absY_ + k * p.rowHeight, p.textWidth,
                  p.rowHeight, nullptr, p.entryText(e, p.maxChars), true, fit_ != 0);
  }
}
