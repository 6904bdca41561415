// MWinGraph.cpp - the graph: marks, values, and the triangle lists that
// draw the frame, the grid and the series.
#include "Engine/MWin/MWinGraph.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "Engine/Debug.h"
#include "Engine/MWin/MWinEng.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinManager.h"

MWinGraph::MWinGraph(MWin* mw, const char* id, MWinWindow* parent, const char* texButID, float x,
                     float y, float w, float h)
    : MWinButton(mw, id, parent, MWIN_BUT_GRAPH, texButID, "", x, y, w, h) {
  Reset();
}

MWinGraph::~MWinGraph() {
  MWinGraph::DestroyGraphicsObjects();
  FreeMarks();
  delete[] texts_;
  texts_ = nullptr;
}

void MWinGraph::FreeMarks() {
  delete[] markX_;
  delete[] markValue_;
  delete[] vertY_;
  markX_ = nullptr;
  markValue_ = nullptr;
  vertY_ = nullptr;
}

void MWinGraph::Reset() {
  hMin_ = 0;
  hMax_ = 100;
  hMarks_ = 0;
  vMin_ = 0;
  vMax_ = 100;
  vMarks_ = 4;
  const MWinStyle& st = mw_->Style();
  type_ = st.graphType;
  frame_ = st.graphFrame;
  gridMode_ = st.graphGridMode;
  const float* m = Metrics();
  inset_ = m[kMetGraphInset];
  line_ = m[kMetGraphLine];
  axis_ = m[kMetGraphAxis];
  grid_ = m[kMetGraphGrid];
  textGap_ = m[kMetGraphTextGap];
  barGap_ = 0;
  std::memcpy(frameColour_, st.graphColours[0], sizeof(frameColour_));
  std::memcpy(gridColour_, st.graphColours[1], sizeof(gridColour_));
  std::memcpy(graphColour_, st.graphColours[2], sizeof(graphColour_));
  FreeMarks();
  delete[] texts_;
  texts_ = nullptr;
}

void MWinGraph::DestroyGraphicsObjects() {
  MWinButton::DestroyGraphicsObjects();
  for (MWinEngTriList*& l : lists_) {
    if (l) MWinEng()->TriListDestroy(l);
    l = nullptr;
  }
  graphTriangles_ = 0;
}

bool MWinGraph::SetMarks(double hMin, double hMax, int hMarks, double vMin, double vMax,
                         int vMarks) {
  if (hMarks < LeastMarks() || vMarks < LeastMarks() || hMax < hMin || vMax < vMin) {
    DebugError("MWinGraph::SetMarks", "Invalid Parameters");
    return false;
  }
  FreeMarks();
  // Horizontal x positions need one more entry (the right end of the last
  // bar); vertical positions have their own table.
  markX_ = new (std::nothrow) float[hMarks + 1]();
  markValue_ = new (std::nothrow) double[hMarks]();
  vertY_ = new (std::nothrow) float[vMarks]();
  if (!markX_ || !markValue_ || !vertY_) {
    DebugError("MWinGraph::SetMarks", "No memory");
    FreeMarks();
    hMarks_ = 0;
    return false;
  }
  hMin_ = hMin;
  hMax_ = hMax;
  hMarks_ = hMarks;
  vMin_ = vMin;
  vMax_ = vMax;
  vMarks_ = vMarks;
  PositionUpdated();
  return true;
}

bool MWinGraph::SetMarkValue(int mark, double value) {
  if (!markValue_) {
    DebugError("MWinGraph::SetMarkValue", "Marks not setup");
    return false;
  }
  if (mark < 0 || mark >= hMarks_) {
    DebugError("MWinGraph::SetMarkValue", "Invalid horz mark num %d", mark);
    return false;
  }
  if (value < vMin_ || value > vMax_) {
    DebugError("MWinGraph::SetMarkValue", "Warning - Invalid vert val %f - cropping", value);
    value = std::clamp(value, vMin_, vMax_);
  }
  markValue_[mark] = value;
  PositionUpdated();
  return true;
}

double MWinGraph::GetMarkValue(int mark) const {
  return (markValue_ && mark >= 0 && mark < hMarks_) ? markValue_[mark] : 0.0;
}

float MWinGraph::GetMarkX(int mark) const {
  return (markX_ && mark >= 0 && mark <= hMarks_) ? markX_[mark] : 0.0f;
}

float MWinGraph::GetVertMarkY(int mark) const {
  return (vertY_ && mark >= 0 && mark < vMarks_) ? vertY_[mark] : 0.0f;
}

const char* MWinGraph::GetGraphText(int n) const {
  return (texts_ && n >= 0 && n < 4) ? texts_[n] : nullptr;
}

bool MWinGraph::SetTexts(const char* t0, const char* t1, const char* t2, const char* t3) {
  if (!t0 && !t1 && !t2 && !t3) {
    delete[] texts_;
    texts_ = nullptr;
    return true;
  }
  if (!texts_) {
    texts_ = new (std::nothrow) char[4][32]();
    if (!texts_) {
      DebugError("MWinGraph::SetTexts", "No memory");
      return false;
    }
  }
  const char* in[4] = {t0, t1, t2, t3};
  for (int i = 0; i < 4; ++i) {
    texts_[i][0] = '\0';
    if (in[i]) {
      std::strncpy(texts_[i], in[i], 31);
      texts_[i][31] = '\0';
    }
  }
  return true;
}

void MWinGraph::SetStyle(int type, int frame, int gridMode, float inset, float line, float axis,
                         float grid, float textGap, float barGap) {
  if (type >= 0 && type < 3) type_ = type;
  if (frame >= 0) frame_ = static_cast<std::uint8_t>(frame);
  if (gridMode >= 0) gridMode_ = gridMode;
  if (inset >= 0) inset_ = inset;
  if (line >= 0) line_ = line;
  if (axis >= 0) axis_ = axis;
  if (grid >= 0) grid_ = grid;
  if (textGap >= 0) textGap_ = textGap;
  if (barGap >= 0) barGap_ = barGap;
  PositionUpdated();
}

void MWinGraph::PositionUpdated() {
  MWinEngBackEnd* eng = MWinEng();
  if (!eng->HasDevice()) return;
  for (int i = 0; i < 3; ++i) {
    if (!lists_[i]) lists_[i] = eng->TriListCreate(i == 1 ? 2 : (i == 2 ? 2 : 4));
    if (!lists_[i]) return;
  }
  if (lists_[3]) eng->TriListDestroy(lists_[3]);
  lists_[3] = nullptr;
  graphTriangles_ = 0;
  const int segments = type_ == 2 ? hMarks_ : hMarks_ - 1;
  if (hMarks_ >= LeastMarks() && markX_) {
    lists_[3] = eng->TriListCreate(2 * segments);
    if (!lists_[3]) return;
    graphTriangles_ = 2 * segments;
  }
  const float left = absX_ + inset_, top = absY_ + inset_;
  const float bottom = absY_ + h_ - inset_, right = absX_ + w_ - inset_;
  plot_[0] = left;
  plot_[1] = top;
  plot_[2] = right;
  plot_[3] = bottom;
  textPos_[0][0] = left - textGap_ - 3;
  textPos_[0][1] = top;
  textPos_[1][0] = left - textGap_ - 3;
  textPos_[1][1] = bottom - axis_;
  textPos_[2][0] = left + axis_;
  textPos_[2][1] = bottom + textGap_ + 3;
  textPos_[3][0] = right;
  textPos_[3][1] = bottom + textGap_ + 3;

  auto rect = [&](MWinEngTriList* l, int first, float x0, float y0, float x1, float y1,
                  const float c[4]) {
    const float a[6] = {x0, y0, x1, y0, x0, y1};
    const float b[6] = {x1, y0, x1, y1, x0, y1};
    eng->TriListSet(l, first, a, c);
    eng->TriListSet(l, first + 1, b, c);
  };
  const float frameC[4] = {frameColour_[0], frameColour_[1], frameColour_[2], 1};
  rect(lists_[0], 0, left, top, left + axis_, bottom, frameC);
  rect(lists_[0], 2, left, bottom - axis_, right, bottom, frameC);
  const float gridC[4] = {gridColour_[0], gridColour_[1], gridColour_[2], 1};
  // Line shapes at the origin: the drawing moves them to each mark.
  rect(lists_[1], 0, -grid_ / 2, top, grid_ / 2, bottom, gridC);
  rect(lists_[2], 0, left, -grid_ / 2, right, grid_ / 2, gridC);

  if (!markX_) return;
  for (int i = 0; i <= hMarks_; ++i)
    markX_[i] = segments > 0 ? left + i * (right - left) / segments : left;
  for (int j = 0; j < vMarks_; ++j)
    vertY_[j] = vMarks_ > 1 ? bottom - j * (bottom - top) / (vMarks_ - 1) : bottom;
  if (!lists_[3]) return;
  auto valueY = [&](int i) {
    if (vMax_ - vMin_ == 0) return bottom;
    return static_cast<float>(bottom - (markValue_[i] - vMin_) / (vMax_ - vMin_) * (bottom - top));
  };
  const float c[4] = {graphColour_[0], graphColour_[1], graphColour_[2], 1};
  for (int i = 0; i < segments; ++i) {
    if (type_ == 2) {
      float g = std::trunc(barGap_ / 2);
      // A gap that would leave no bar (or turn it inside out) is dropped.
      if (markX_[i + 1] - markX_[i] <= 2 * g) g = 0;
      rect(lists_[3], 2 * i, markX_[i] + g, valueY(i), markX_[i + 1] - g, bottom, c);
    } else if (type_ == 1) {
      const float x0 = markX_[i], x1 = markX_[i + 1], y0 = valueY(i), y1 = valueY(i + 1);
      const float a[6] = {x0, y0, x1, y1, x0, bottom};
      const float b[6] = {x1, y1, x1, bottom, x0, bottom};
      eng->TriListSet(lists_[3], 2 * i, a, c);
      eng->TriListSet(lists_[3], 2 * i + 1, b, c);
    } else {
      const float x0 = markX_[i], x1 = markX_[i + 1], y0 = valueY(i), y1 = valueY(i + 1);
      const float angle = std::atan2(y1 - y0, x1 - x0);
      const float nx = -std::sin(angle) * line_ / 2, ny = std::cos(angle) * line_ / 2;
      // Clockwise on the screen, like every other shape (the device culls
      // counter-clockwise triangles).
      const float a[6] = {x0 - nx, y0 - ny, x1 - nx, y1 - ny, x0 + nx, y0 + ny};
      const float b[6] = {x1 - nx, y1 - ny, x1 + nx, y1 + ny, x0 + nx, y0 + ny};
      eng->TriListSet(lists_[3], 2 * i, a, c);
      eng->TriListSet(lists_[3], 2 * i + 1, b, c);
    }
  }
}

void MWinGraph::Draw() {
  if (!valid_ || !visible_) return;
  if (tintOn_ && tint_[3] == 0.0f) return;
  const int s = GetDrawState();
  DrawLook(s, absX_, absY_, w_, h_);
  MWinEngBackEnd* eng = MWinEng();
  if (eng->HasDevice()) {
    if (frame_ && lists_[0]) eng->TriListDraw(lists_[0], 0, 0);
    if (gridMode_ >= 1 && markX_ && lists_[1] && lists_[2]) {
      for (int j = 0; j < vMarks_; ++j)
        if (gridMode_ == 2 || j == 0 || j == vMarks_ - 1) eng->TriListDraw(lists_[2], 0, vertY_[j]);
      const int columns = type_ == 2 ? hMarks_ + 1 : hMarks_;
      for (int i = 0; i < columns; ++i)
        if (gridMode_ == 2 || i == 0 || i == columns - 1) eng->TriListDraw(lists_[1], markX_[i], 0);
    }
    if (lists_[3]) eng->TriListDraw(lists_[3], 0, 0);
  }
  EngFont* font = mw_->GetFonts()->GetFont(fontNum_);
  if (font && texts_) {
    float oldX = 1, oldY = 1;
    eng->FontGetRatio(font, &oldX, &oldY);
    PrepareFont(font);
    const int h[4] = {2, 2, 1, 1}, v[4] = {1, 2, 0, 0};
    for (int i = 0; i < 4; ++i)
      if (texts_[i][0])
        eng->FontDrawAligned(font, textPos_[i][0], textPos_[i][1], h[i], v[i], texts_[i], true);
    eng->FontSetRatio(font, oldX, oldY);
  }
  if (drawHook_) {
    MWinArea a = {absX_, absY_, w_, h_};
    drawHook_(this, &a, s);
  }
}
