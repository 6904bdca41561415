// MWinColour.cpp - the colour picker (a saturation/value square and a hue
// strip, dragged to pick an RGB colour) and the picture (an engine texture
// or a three-sector pie chart).
//
// Picker drag, frame by frame:
//   left press in the strip or the square -> drag state 1, value set
//                                            (callback flag 0), capture on
//   move while capturing                   -> drag state 2, value follows
//                                            (callback flag 1)
//   release / cancel / deactivate          -> capture off; after a state-2
//                                            drag one final callback flag 0
#include <algorithm>
#include <cmath>

#include "Engine/Debug.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinEng.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinTextures.h"

namespace {
constexpr float kPi = 3.14159265358979f;
}

// ---- Colour picker -----------------------------------------------------------------

void MWinButton::ColourGeometry(float sq[4], float sqInner[4], float strip[4],
                                float stripInner[4]) const {
  const float* m = Metrics();
  const float bx = m[kMetPickerBorderX], by = m[kMetPickerBorderY];
  sq[0] = absX_ + m[kMetPickerSide];
  sq[1] = absY_ + m[kMetPickerTop];
  sq[2] = w_ - 2 * m[kMetPickerSide] - m[kMetPickerGap] - m[kMetPickerStripW];
  sq[3] = h_ - 2 * m[kMetPickerTop];
  strip[0] = absX_ + w_ - m[kMetPickerSide] - m[kMetPickerStripW];
  strip[1] = sq[1];
  strip[2] = m[kMetPickerStripW];
  strip[3] = sq[3];
  sqInner[0] = sq[0] + bx;
  sqInner[1] = sq[1] + by;
  sqInner[2] = sq[2] - 2 * bx;
  sqInner[3] = sq[3] - 2 * by;
  stripInner[0] = strip[0];
  stripInner[1] = strip[1] + by;
  stripInner[2] = strip[2];
  stripInner[3] = strip[3] - 2 * by;
}

void MWinButton::ColourRecompute() {
  MWinColourData& c = colour_;
  const float* hue = mw_->PickerHue(static_cast<int>(c.hue));
  float hc[3] = {hue[0], hue[1], hue[2]};
  const float top = std::max({hc[0], hc[1], hc[2]});
  if (top > 0)
    for (float& v : hc) v /= top;
  if (c.v >= c.s) {
    c.rgb[0] = c.rgb[1] = c.rgb[2] = 1 - c.v;
    return;
  }
  const float t = c.v >= 1 ? 1.0f : (c.s - c.v) / (1 - c.v);
  for (int i = 0; i < 3; ++i) c.rgb[i] = (t * hc[i] + 1 - t) * (1 - c.v);
}

void MWinButton::ColourWrite(bool call, bool dragging) {
  if (varKind_ == MWIN_VAR_COLOUR && varColour_)
    for (int i = 0; i < 3; ++i) varColour_[i] = colour_.factor * colour_.rgb[i] + colour_.offset;
  if (call)
    CallCallbackWith([&](MWinCallbackRecord& r) { r.colourDragging = dragging ? 1 : 0; });
}

bool MWinButton::ColourSetFloat(float r, float g, float b, bool call) {
  MWinColourData& c = colour_;
  if (varKind_ == MWIN_VAR_COLOUR && varColour_) {
    if (c.factor == 0) c.factor = 0.0001f;
    r = (r - c.offset) / c.factor;
    g = (g - c.offset) / c.factor;
    b = (b - c.offset) / c.factor;
  } else if (r < 0 || r > 1 || g < 0 || g > 1 || b < 0 || b > 1) {
    DebugError("MWinButton::ColourSetFloat", "invalid col R:%f G:%f B:%f (ID: %s)", r, g, b, id_);
    return false;
  }
  r = std::clamp(r, 0.0f, 1.0f);
  g = std::clamp(g, 0.0f, 1.0f);
  b = std::clamp(b, 0.0f, 1.0f);
  c.rgb[0] = r;
  c.rgb[1] = g;
  c.rgb[2] = b;
  float h = 0, sat = 0, l = 0;
  MWinEngRgbToHsl(r, g, b, &h, &sat, &l);
  if (l == 0) {
    c.s = 0;
    c.v = 1;
  } else {
    // The inverse of the square's mapping: its brightest component is 1 - v
    // and its dimmest 1 - s.
    const float hi = std::max({r, g, b}), lo = std::min({r, g, b});
    c.v = 1 - hi;
    c.s = 1 - lo;
    if (sat > 0) c.hue = std::clamp((1 - h) * 255.0f, 0.0f, 255.0f);
  }
  ColourWrite(call, false);
  return true;
}

bool MWinButton::ColourRegisterVariableMult(float* rgb, float factor, float offset) {
  if (!rgb) {
    DebugError("MWinButton::ColourRegisterVariableMult", "Var not set");
    return false;
  }
  RegisterColourVariable(rgb);
  colour_.factor = factor == 0 ? 0.00001f : factor;
  colour_.offset = offset;
  return ColourSetFloat(rgb[0], rgb[1], rgb[2], false);
}

void MWinButton::ColourUpdateFromVariable(bool call) {
  if (varKind_ == MWIN_VAR_COLOUR && varColour_)
    ColourSetFloat(varColour_[0], varColour_[1], varColour_[2], call);
}

void MWinButton::ColourGet(float* r, float* g, float* b) const {
  if (r) *r = colour_.rgb[0];
  if (g) *g = colour_.rgb[1];
  if (b) *b = colour_.rgb[2];
}

bool MWinButton::ColourSetHue(float y, bool flag) {
  float sq[4], sqIn[4], st[4], stIn[4];
  ColourGeometry(sq, sqIn, st, stIn);
  if (stIn[3] <= 0) return false;
  const float hue = std::clamp((y - stIn[1]) * 255.0f / stIn[3], 0.0f, 255.0f);
  if (hue == colour_.hue) return false;
  colour_.hue = hue;
  ColourRecompute();
  ColourWrite(true, flag);
  return true;
}

bool MWinButton::ColourSetSquare(float x, float y, bool flag) {
  float sq[4], sqIn[4], st[4], stIn[4];
  ColourGeometry(sq, sqIn, st, stIn);
  if (sqIn[2] <= 0 || sqIn[3] <= 0) return false;
  const float s = std::clamp((x - sqIn[0]) / sqIn[2], 0.0f, 1.0f);
  const float v = std::clamp((y - sqIn[1]) / sqIn[3], 0.0f, 1.0f);
  if (s == colour_.s && v == colour_.v) return false;
  colour_.s = s;
  colour_.v = v;
  ColourRecompute();
  ColourWrite(true, flag);
  return true;
}

bool MWinButton::ColourPress(int pressed) {
  if (!pressed) {
    ColourEndDrag();
    return true;
  }
  float sq[4], sqIn[4], st[4], stIn[4];
  ColourGeometry(sq, sqIn, st, stIn);
  const float mx = mw_->GetMouseX(), my = mw_->GetMouseY();
  if (mx >= st[0] && mx <= st[0] + st[2] && my >= stIn[1] && my <= stIn[1] + stIn[3]) {
    colour_.hueDrag = 1;
    ColourSetHue(my, false);
    capture_ = 1;
    return true;
  }
  if (mx >= absX_ && mx <= sqIn[0] + sqIn[2] && my >= absY_ && my <= absY_ + h_) {
    colour_.squareDrag = 1;
    ColourSetSquare(mx, my, false);
    capture_ = 1;
    return true;
  }
  return false;
}

bool MWinButton::ColourDrag() {
  if (!highlighted_ || !visible_ || !capture_) return false;
  const float mx = mw_->GetMouseX(), my = mw_->GetMouseY();
  if (colour_.hueDrag) {
    colour_.hueDrag = 2;
    ColourSetHue(my, true);
  } else if (colour_.squareDrag) {
    colour_.squareDrag = 2;
    ColourSetSquare(mx, my, true);
  }
  return true;
}

void MWinButton::ColourEndDrag() {
  capture_ = 0;
  const bool moved = colour_.hueDrag == 2 || colour_.squareDrag == 2;
  colour_.hueDrag = colour_.squareDrag = 0;
  if (moved)
    CallCallbackWith([&](MWinCallbackRecord& r) { r.colourDragging = 0; });
}

void MWinButton::ColourDraw(int state) {
  DrawLook(state, absX_, absY_, w_, h_);
  float sq[4], sqIn[4], st[4], stIn[4];
  ColourGeometry(sq, sqIn, st, stIn);
  const float* m = Metrics();
  MWinEngBackEnd* eng = MWinEng();
  const float uv[4] = {0, 0, 1, 1};
  const float* hue = mw_->PickerHue(static_cast<int>(colour_.hue));
  if (MWinEngTexture* square = mw_->PickerSquare()) {
    const float corners[4][4] = {
        {1, 1, 1, 1}, {hue[0], hue[1], hue[2], 1}, {0, 0, 0, 1}, {0, 0, 0, 1}};
    eng->TextureDraw(square, sq[0], sq[1], sq[2], sq[3], uv, corners);
  }
  if (MWinEngTexture* strip = mw_->PickerStrip()) {
    const float white[4][4] = {{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}};
    eng->TextureDraw(strip, st[0], st[1], st[2], st[3], uv, white);
  }
  MWinTextures* t = mw_->GetTextures();
  const int marker = t->GetStandardTexButNum(9);
  const float mh = m[kMetPickerMarkerH];
  const float hy = stIn[1] + colour_.hue * stIn[3] / 255.0f;
  t->DrawTexBut(marker, state, st[0] + m[kMetPickerStripW] / 8, hy - mh / 2,
                0.75f * m[kMetPickerStripW], mh);
  t->DrawTexBut(marker, state, sqIn[0] + colour_.s * sqIn[2] - 3, sqIn[1] + colour_.v * sqIn[3] - 3,
                6, 6);
  const PreparedFont prepared(this);
  if (!prepared.get() || !texts_[0]) return;
  mw_->DrawText(fontNum_, align_, textInset_, absX_, absY_,
                w_ - m[kMetPickerGap] - m[kMetPickerStripW], h_, nullptr, texts_[0], true,
                fit_ != 0);
}

// ---- Picture ---------------------------------------------------------------------------

bool MWinButton::PictureAttachTextureToButton(EngTexture* texture, int blendingType) {
  if (!texture || !MWinEng()->EngTextureIsLoaded(texture)) {
    DebugError("MWinButton::PictureAttachTextureToButton", "No texture");
    PictureDetachTexture();
    return false;
  }
  picture_.texture = texture;
  picture_.mode = blendingType + 2;
  return true;
}

void MWinButton::PictureDetachTexture() {
  picture_.texture = nullptr;
  picture_.mode = 0;
}

void MWinButton::PictureResetPie() {
  picture_.a = 0.5f;
  picture_.b = 1.0f;
  for (int i = 0; i < 3; ++i)
    for (int k = 0; k < 3; ++k) picture_.colours[i][k] = mw_->Style().pieColours[i][k];
  PictureBuildPie();
}

void MWinButton::PictureSetPieColours(float r1, float g1, float b1, float r2, float g2, float b2,
                                      float r3, float g3, float b3) {
  const float in[3][3] = {{r1, g1, b1}, {r2, g2, b2}, {r3, g3, b3}};
  for (int i = 0; i < 3; ++i) {
    if (in[i][0] < 0) continue;
    for (int k = 0; k < 3; ++k) picture_.colours[i][k] = in[i][k];
  }
  PictureBuildPie();
}

bool MWinButton::PictureSetPieValues(float a, float b) {
  if (!(a >= 0 && a <= b && b > 0)) return false;
  picture_.a = a;
  picture_.b = b;
  PictureBuildPie();
  return true;
}

void MWinButton::PictureDestroyPie() {
  for (MWinEngTriList*& l : picture_.lists) {
    if (l) MWinEng()->TriListDestroy(l);
    l = nullptr;
  }
}

void MWinButton::PictureBuildPie() {
  if (kind_ != MWIN_BUT_PICTURE) return;
  MWinEngBackEnd* eng = MWinEng();
  if (!eng->HasDevice()) return;
  const MWinStyle& st = mw_->Style();
  const float* m = Metrics();
  const std::uint8_t on[3] = {st.pieOuterRing, st.pieValueSector, st.pieInnerDisc};
  // Sector colours: ring the third pie colour, value sector the first, disc the second.
  const int colourOf[3] = {2, 0, 1};
  // Lists: 0 outer ring, 1 inner disc, 2 value sector.
  const int listOf[3] = {0, 2, 1};
  const float cx = absX_ + w_ / 2, cy = absY_ + h_ / 2;
  for (int k = 0; k < 3; ++k) {
    MWinEngTriList*& list = picture_.lists[listOf[k]];
    if (!on[k]) continue;
    if (!list) list = eng->TriListCreate(64);
    if (!list) return;
    float rx = w_ / 2, ry = h_ / 2;
    if (m[kMetPieInsetOuter] > 0) {
      rx -= w_ * m[kMetPieInsetOuter];
      ry -= h_ * m[kMetPieInsetOuter];
    }
    if (k > 0 && m[kMetPieInsetInner] > 0) {
      rx -= w_ * m[kMetPieInsetInner];
      ry -= h_ * m[kMetPieInsetInner];
    }
    rx = std::max(rx, 1.0f);
    ry = std::max(ry, 1.0f);
    const float span = k == 1 ? picture_.a / picture_.b : 1.0f;
    const float* c3 = picture_.colours[colourOf[k]];
    const float colour[4] = {c3[0], c3[1], c3[2], 1};
    for (int i = 0; i < 64; ++i) {
      const float a = i * span * 2 * kPi / 64 + kPi / 2;
      const float b = (i + 1) * span * 2 * kPi / 64 + kPi / 2;
      const float xy[6] = {cx + std::sin(-a) * rx, cy + std::cos(-a) * ry,
                           cx + std::sin(-b) * rx, cy + std::cos(-b) * ry, cx, cy};
      eng->TriListSet(list, i, xy, colour);
    }
  }
}

void MWinButton::PictureDrawPie() {
  MWinEngBackEnd* eng = MWinEng();
  if (!eng->HasDevice()) return;
  const MWinStyle& st = mw_->Style();
  const bool blend = st.pieBlendingType >= 0;
  MWinEngBlendState saved;
  if (blend) {
    eng->GetBlendingState(&saved);
    eng->EnableBlendingType(st.pieBlendingType);
  }
  const std::uint8_t on[3] = {st.pieOuterRing, st.pieInnerDisc, st.pieValueSector};
  for (int i = 0; i < 3; ++i)
    if (on[i] && picture_.lists[i]) eng->TriListDraw(picture_.lists[i], 0, 0);
  if (blend) eng->SetBlendingState(saved);
}

void MWinButton::PictureDrawTexture() {
  MWinEngBackEnd* eng = MWinEng();
  if (!eng->HasDevice() || !picture_.texture || !picture_.mode) return;
  MWinEngBlendState saved;
  const bool blend = picture_.mode == 2 || picture_.mode == 3;
  if (blend) {
    eng->GetBlendingState(&saved);
    eng->EnableBlendingType(picture_.mode - 2);
  }
  const float uv[4] = {0, 0, 1, 1};
  const float white[4] = {1, 1, 1, tintOn_ ? tint_[3] : 1.0f};
  eng->EngTextureDraw(picture_.texture, absX_, absY_, w_, h_, uv, white);
  if (blend) eng->SetBlendingState(saved);
}
