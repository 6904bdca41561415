// MWinScript.cpp - the script kind: a long text of paragraphs, word-wrapped
// into the button with a vertical scrollbar when it does not fit. A
// paragraph starting "<1>", ">1>" or "<1<" (or the same with 2) is a heading
// drawn on one line in its own colour. The button keeps its own copy of the
// text, so callers may pass literals and temporaries.
#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "Engine/Debug.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinEng.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinKeys.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinTextures.h"
#include "Engine/MWin/MWinWindow.h"

namespace {

int MarkStyle(const char* p) {
  auto is = [&](const char* mark) { return std::strncmp(p, mark, 3) == 0; };
  if (is("<1>") || is(">1>") || is("<1<")) return 1;
  if (is("<2>") || is(">2>") || is("<2<")) return 2;
  return 0;
}

// The paragraph's text without its line feed (and without its mark).
std::string ParagraphText(const char* text, const MWinScriptParagraph& par) {
  const char* start = text + par.start + (par.style ? 3 : 0);
  const char* end = std::strchr(start, '\n');
  return end ? std::string(start, end) : std::string(start);
}

}  // namespace

void MWinButton::ScriptSetText(const char* text) {
  if (!text) return;
  const std::size_t length = std::strlen(text);
  char* copy = new (std::nothrow) char[length + 1];
  if (!copy) {
    DebugError("MWinButton::ScriptSetText", "No memory");
    return;
  }
  std::memcpy(copy, text, length + 1);
  delete[] script_.text;
  script_.text = copy;
  script_.firstLine = 0;
  ScriptParseText();
  inputReady_ = 1;
}

void MWinButton::ScriptSetParagraphColours(float r1, float g1, float b1, float r2, float g2,
                                           float b2) {
  script_.heading[0][0] = r1;
  script_.heading[0][1] = g1;
  script_.heading[0][2] = b1;
  script_.heading[1][0] = r2;
  script_.heading[1][1] = g2;
  script_.heading[1][2] = b2;
}

void MWinButton::ScriptParseText() {
  MWinScriptData& s = script_;
  delete[] s.pars;
  s.pars = nullptr;
  s.parCount = 0;
  if (!s.text) return;
  const int length = static_cast<int>(std::strlen(s.text));
  int count = 1;
  for (int i = 0; i < length; ++i)
    if (s.text[i] == '\n' && i != length - 1) ++count;
  s.pars = new (std::nothrow) MWinScriptParagraph[count];
  if (!s.pars) {
    DebugError("MWinButton::ScriptParseText", "No memory");
    return;
  }
  int start = 0;
  for (int p = 0; p < count; ++p) {
    s.pars[p] = MWinScriptParagraph{};
    s.pars[p].start = start;
    s.pars[p].style = (length - start >= 3) ? MarkStyle(s.text + start) : 0;
    const char* lf = std::strchr(s.text + start, '\n');
    start = lf ? static_cast<int>(lf - s.text) + 1 : length;
  }
  s.parCount = count;
  ScriptCalcLinesInPars();
}

void MWinButton::ScriptCalcLinesInPars() {
  MWinScriptData& s = script_;
  EngFont* font = mw_->GetFonts()->GetFont(fontNum_);
  if (!font || !s.pars || !s.text) return;
  MWinEngBackEnd* eng = MWinEng();
  const float* m = Metrics();
  float oldX = 1, oldY = 1;
  eng->FontGetRatio(font, &oldX, &oldY);
  if (m[kMetFontScaleX] > 0 && m[kMetFontScaleY] > 0)
    eng->FontSetRatio(font, textScale_[0] * m[kMetFontScaleX], textScale_[1] * m[kMetFontScaleY]);
  else
    eng->FontSetRatio(font, textScale_[0], textScale_[1]);
  const float left = absX_ + m[kMetScriptMarginX];
  float right = absX_ + w_ - m[kMetScriptMarginX];
  const float top = absY_ + m[kMetScriptMarginY];
  const float height = h_ - 2 * m[kMetScriptMarginY];
  MWinEngMultilineResult whole;
  eng->FontDrawMultiline(font, left, top, right - left, height, 0, 0, s.text, false, 0, &whole);
  if (!whole.finished) {
    s.needsBar = 1;
    right = absX_ + w_ - m[kMetPanelThumbW] - m[kMetScriptMarginX];
  } else {
    s.needsBar = 0;
  }
  int sum = 0;
  for (int p = 0; p < s.parCount; ++p) {
    MWinScriptParagraph& par = s.pars[p];
    par.firstLine = sum;
    if (par.style) {
      par.lines = 1;
    } else {
      const std::string text = ParagraphText(s.text, par);
      if (text.empty()) {
        par.lines = 1;
      } else {
        MWinEngMultilineResult r;
        // A paragraph is measured in a box tall enough for any length.
        eng->FontDrawMultiline(font, left, top, right - left, 1.0e9f, 0, 0, text.c_str(), false, 0,
                               &r);
        par.lines = r.lines;
        if (par.lines <= 0) {
          DebugError("MWinButton::ScriptCalcLinesInPars", "Bad num lines for string <%s>",
                     text.c_str());
          par.lines = 1;
        }
      }
    }
    sum += par.lines;
  }
  const float fh = eng->FontHeight(font, true);
  if (fh <= 0) {
    s.linesPerPage = 1;
    s.totalLines = 0;
  } else {
    s.linesPerPage = std::max(static_cast<int>(height / fh), 1);
    s.totalLines = sum + 1;
  }
  eng->FontSetRatio(font, oldX, oldY);
}

void MWinButton::ScriptLayoutBar() {
  MWinScriptData& s = script_;
  const float* m = Metrics();
  s.barX = x_ + w_ - m[kMetPanelBarW];
  s.barY = y_;
  s.barRight = x_ + w_;
  s.barBottom = y_ + h_;
  s.barW = s.barRight - s.barX;
  s.barH = h_;
  const float inset = (m[kMetPanelBarW] - m[kMetPanelThumbW]) / 2;
  if (s.needsBar && s.totalLines > s.linesPerPage) {
    s.thumbX = s.barX + inset;
    s.thumbRight = s.barRight - inset;
    s.thumbW = s.thumbRight - s.thumbX;
    s.thumbH = std::max(s.linesPerPage * h_ / s.totalLines, 3.0f);
    s.thumbTop = s.totalLines > 1 ? s.firstLine * h_ / (s.totalLines - 1) + y_ : y_;
    s.thumbBottom = s.thumbTop + s.thumbH;
    if (s.thumbBottom > y_ + h_) {
      s.thumbBottom = y_ + h_;
      s.thumbTop = s.thumbBottom - s.thumbH;
    }
    s.barShown = 1;
    s.textWidth = w_ - s.barW;
  } else {
    s.thumbX = s.thumbRight = s.thumbW = s.thumbTop = s.thumbBottom = s.thumbH = 0;
    s.barShown = 0;
    s.textWidth = w_;
  }
}

void MWinButton::ScriptDrawBackground(int state) {
  ScriptLayoutBar();
  const MWinScriptData& s = script_;
  if (!s.barShown) {
    DrawLook(state, absX_, absY_, w_, h_);
    return;
  }
  const float wx = parent_ ? parent_->GetArea().x : 0, wy = parent_ ? parent_->GetArea().y : 0;
  const float* m = Metrics();
  DrawLook(state, absX_, absY_, w_ - s.barW, h_);
  MWinTextures* t = mw_->GetTextures();
  const float* tint = tintOn_ ? tint_ : nullptr;
  t->DrawTexBut(t->GetStandardTexButNum(12), state, s.barX + wx, s.barY + wy, s.barW, s.barH, tint);
  t->DrawTexBut(t->GetStandardTexButNum(11), 0, s.thumbX + wx, s.thumbTop + m[kMetPanelEndInset] + wy,
                s.thumbW, s.thumbH - 2 * m[kMetPanelEndInset], tint);
}

void MWinButton::ScriptDraw() {
  MWinScriptData& s = script_;
  EngFont* font = mw_->GetFonts()->GetFont(fontNum_);
  if (!s.pars || s.parCount < 1 || !font || !s.text) return;
  MWinEngBackEnd* eng = MWinEng();
  const float* m = Metrics();
  float oldX = 1, oldY = 1;
  eng->FontGetRatio(font, &oldX, &oldY);
  PrepareFont(font);
  const float x = absX_ + m[kMetScriptMarginX];
  const float width = s.textWidth - m[kMetScriptMarginX];
  float y = absY_ + m[kMetScriptMarginY];
  const float bottom = absY_ + h_;
  const float fh = eng->FontHeight(font, true);
  int p = 0;
  for (int i = 0; i < s.parCount; ++i)
    if (s.pars[i].firstLine <= s.firstLine) p = i;
  int offset = s.firstLine - s.pars[p].firstLine;
  if (offset >= s.pars[p].lines) {
    ++p;
    offset = 0;
  }
  const bool prepared = eng->FontPrepare2D();
  bool complete = true;
  for (; p < s.parCount; ++p, offset = 0) {
    const MWinScriptParagraph& par = s.pars[p];
    const std::string text = ParagraphText(s.text, par);
    if (par.style) {
      const float* c = s.heading[par.style - 1];
      eng->FontSetColour(font, c[0], c[1], c[2], textColour_[3]);
      eng->FontDrawAligned(font, x, y, 0, 0, text.c_str(), false);
      y += fh;
    } else {
      eng->FontSetColour(font, textColour_[0], textColour_[1], textColour_[2], textColour_[3]);
      if (!text.empty()) {
        MWinEngMultilineResult r;
        const bool ok = eng->FontDrawMultiline(font, x, y, width, bottom - y, 0, 0, text.c_str(),
                                               true, offset, &r);
        if (!ok || r.usedHeight <= 0)
          DebugError("MWinButton::ScriptDraw", "Multi-line not working for paragraph %d: <%s>", p,
                     text.c_str());
        y += r.usedHeight;
        complete = r.finished;
      } else {
        y += fh;
      }
    }
    if (!(y < bottom - fh && complete)) break;
  }
  if (prepared) eng->FontRestore();
  eng->FontSetRatio(font, oldX, oldY);
}

bool MWinButton::ScriptKeyDown(int key) {
  MWinScriptData& s = script_;
  switch (key) {
    case kMWinKeyPageUp:
      s.firstLine = std::max(s.firstLine - s.linesPerPage, 0);
      break;
    case kMWinKeyPageDown:
      if (s.firstLine < s.totalLines - 2 * s.linesPerPage) s.firstLine += s.linesPerPage;
      else if (s.firstLine < s.totalLines - s.linesPerPage) s.firstLine = s.totalLines - s.linesPerPage;
      break;
    case kMWinKeyUp:
      if (s.firstLine > 0) --s.firstLine;
      break;
    case kMWinKeyDown:
      if (s.firstLine < s.totalLines - s.linesPerPage) ++s.firstLine;
      break;
    default:
      break;
  }
  return true;
}

bool MWinButton::ScriptPress(int pressed) {
  MWinScriptData& s = script_;
  if (!pressed) {
    capture_ = 0;
    return true;
  }
  if (!IsMouseOver() || s.linesPerPage < 1 || s.totalLines < 1) return false;
  ScriptLayoutBar();
  const float wx = parent_ ? parent_->GetArea().x : 0, wy = parent_ ? parent_->GetArea().y : 0;
  const float mx = mw_->GetMouseX(), my = mw_->GetMouseY();
  if (!s.barShown || mx < s.barX + wx) return true;
  if (my >= s.thumbTop + wy && my < s.thumbBottom + wy) {
    const int range = s.totalLines - s.linesPerPage + 1;
    const float dragTop =
        (range > 0 ? (s.barH - s.thumbH) * s.firstLine / range : 0.0f) + s.barY + wy;
    capture_ = 1;
    grabY_ = my - dragTop - s.thumbH / 2;
  } else if (my >= s.thumbTop + wy) {
    ScriptKeyDown(34);
  } else {
    ScriptKeyDown(33);
  }
  return true;
}

bool MWinButton::ScriptDrag() {
  MWinScriptData& s = script_;
  if (!s.barShown) {
    capture_ = 0;
    return false;
  }
  const float wy = parent_ ? parent_->GetArea().y : 0;
  const float m = mw_->GetMouseY() - grabY_;
  const float room = s.barH - s.thumbH;
  int line = 0;
  if (room > 0)
    line = static_cast<int>((m - s.thumbH / 2 - (s.barY + wy)) * (s.totalLines - s.linesPerPage + 1) /
                            room);
  s.firstLine = std::clamp(line, 0, std::max(s.totalLines - s.linesPerPage, 0));
  ScriptLayoutBar();
  return true;
}
