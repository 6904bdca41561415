// MWinTextures.cpp - the texture and texture-button registry and the sliced
// drawing of looks.
#include "Engine/MWin/MWinTextures.h"

#include <cstring>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/MWin/MWinManager.h"

MWinTextures::MWinTextures(MWin* mw) : mw_(mw) {
  if (!mw) {
    DebugError("MWinTextures::MWinTextures", "No mw");
    DebugWriteFormattedMessagesToFile();
    DebugFatalErrorIf(true, "MWinTextures::MWinTextures", "No mw");
  }
  for (int& s : standard_) s = -1;
}

MWinTextures::~MWinTextures() {
  if (loaded_) DebugError("MWinTextures::~MWinTextures", "Textures still loaded");
  for (Texture& t : textures_) {
    if (t.texture) MWinEng()->TextureDelete(t.texture);
    t.texture = nullptr;
  }
}

bool MWinTextures::AddTexture(const char* id, const char* fileName, int withAlpha,
                              int alphaKind) {
  if (!fileName || !fileName[0]) {
    DebugError("MWinTextures::AddTexture", "No filename passed in");
    return false;
  }
  if (std::strlen(fileName) >= 256) {
    DebugError("MWinTextures::AddTexture", "Filename too long");
    return false;
  }
  if (textureCount_ >= kMWinMaxTextures) {
    DebugError("MWinTextures::AddTexture", "Too many textures");
    return false;
  }
  if (!EngFileExists(fileName)) {
    DebugError("MWinTextures::AddTexture", "File does not exist <%s>", fileName);
    return false;
  }
  Texture& t = textures_[textureCount_];
  if (!MWinCopyID(t.id, id)) return false;
  std::strcpy(t.fileName, fileName);
  t.withAlpha = static_cast<std::uint8_t>(withAlpha);
  t.alphaKind = static_cast<std::uint8_t>(alphaKind);
  t.loaded = 0;
  ++textureCount_;
  return true;
}

MWinTexBut* MWinTextures::AddTextureButton(const char* id, const char* tex0, float l0, float t0,
                                           float r0, float b0, const char* tex1, float l1,
                                           float t1, float r1, float b1, const char* tex2,
                                           float l2, float t2, float r2, float b2,
                                           const char* tex3, float l3, float t3, float r3,
                                           float b3) {
  if (MWinIsIDEmpty(id)) {
    DebugError("MWinTextures::AddTextureButton", "Invalid ID passed in");
    return nullptr;
  }
  if (texButCount_ >= kMWinMaxTexButs) {
    DebugError("MWinTextures::AddTextureButton", "Too many texture buttons");
    return nullptr;
  }
  if (GetTexButNumFromID(id) >= 0) {
    DebugError("MWinTextures::AddTextureButton", "Texture button alread exits <%s>", id);
    return nullptr;
  }
  MWinTexBut& tb = texButs_[texButCount_];
  tb = MWinTexBut{};
  if (!MWinCopyID(tb.id, id)) return nullptr;
  ++texButCount_;
  const char* ids[4] = {tex0, tex1, tex2, tex3};
  const float rects[4][4] = {{l0, t0, r0, b0}, {l1, t1, r1, b1}, {l2, t2, r2, b2}, {l3, t3, r3, b3}};
  for (int s = 0; s < 4; ++s)
    if (!MWinIsIDEmpty(ids[s]))
      SetTextureButtonState(&tb, s, ids[s], rects[s][0], rects[s][1], rects[s][2], rects[s][3]);
  return &tb;
}

bool MWinTextures::SetTextureButtonState(MWinTexBut* texBut, int state, const char* textureID,
                                         float left, float top, float right, float bottom) {
  if (!texBut || MWinIsIDEmpty(textureID) || state < 0 || state > 3) {
    DebugError("MWinTextures::AddTextureButton", "Invalid parameters passed in");
    return false;
  }
  MWinTexButState& st = texBut->states[state];
  st.texture = -1;
  for (int i = 0; i < textureCount_; ++i) {
    if (MWinCompareIDs(textures_[i].id, textureID)) {
      st.texture = i;
      st.rect[0] = left;
      st.rect[1] = top;
      st.rect[2] = right;
      st.rect[3] = bottom;
      return true;
    }
  }
  DebugError("MWinTextures::SetTextureButtonState", "Texture <%s> does not exist", textureID);
  return false;
}

MWinTexBut* MWinTextures::AddStandardTextureButton(int slot, const char* id, const char* tex0,
                                                   float l0, float t0, float r0, float b0,
                                                   const char* tex1, float l1, float t1, float r1,
                                                   float b1, const char* tex2, float l2, float t2,
                                                   float r2, float b2, const char* tex3, float l3,
                                                   float t3, float r3, float b3) {
  MWinTexBut* tb = AddTextureButton(id, tex0, l0, t0, r0, b0, tex1, l1, t1, r1, b1, tex2, l2, t2,
                                    r2, b2, tex3, l3, t3, r3, b3);
  if (!tb) return nullptr;
  return SetStandardTextureToTexBut(slot, id) ? tb : nullptr;
}

bool MWinTextures::SetStandardTextureToTexBut(int slot, const char* texButID) {
  if (slot < 0 || slot >= kMWinNumStandardTexButs) {
    DebugError("MWinTextures::SetStandardTextureToTexBut", "Invalid std tex num %d", slot);
    return false;
  }
  if (MWinIsIDEmpty(texButID)) {
    standard_[slot] = -1;
    return true;
  }
  const int n = GetTexButNumFromID(texButID);
  if (n < 0) {
    DebugError("MWinTextures::SetStandardTextureToTexBut", "Texture Button <%s> does not exist",
               texButID);
    return false;
  }
  standard_[slot] = n;
  return true;
}

bool MWinTextures::ClearStandardTexBut(int slot) {
  if (slot < 0 || slot >= kMWinNumStandardTexButs) return false;
  const int n = standard_[slot];
  if (n < 0 || n >= texButCount_) return false;
  texButs_[n].id[0] = '\0';
  standard_[slot] = -1;
  return true;
}

int MWinTextures::GetStandardTexButNum(int slot) {
  if (slot < 0 || slot >= kMWinNumStandardTexButs) {
    DebugError("MWinTextures::GetStandardTexButNum", "Invalid standard texbut num: %d", slot);
    return -1;
  }
  return standard_[slot];
}

const char* MWinTextures::GetStandardTexButID(int slot) {
  if (slot < 0 || slot >= kMWinNumStandardTexButs) {
    DebugError("MWinTextures::GetStandardTexButID", "Invalid standard texbut num: %d", slot);
    return nullptr;
  }
  const int n = standard_[slot];
  if (n < 0 || n >= texButCount_) return nullptr;
  return texButs_[n].id;
}

int MWinTextures::GetTexButNumFromID(const char* id) {
  if (MWinIsIDEmpty(id)) return -1;
  for (int i = 0; i < texButCount_; ++i)
    if (MWinCompareIDs(texButs_[i].id, id)) return i;
  return -1;
}

MWinTexBut* MWinTextures::GetTexBut(int num) {
  return (num >= 0 && num < texButCount_) ? &texButs_[num] : nullptr;
}

bool MWinTextures::SetTexButDrawStyle(const char* id, int modeH, float fractionH, float borderH,
                                      int modeV, float fractionV, float borderV) {
  const int n = GetTexButNumFromID(id);
  if (n < 0) {
    DebugError("MWinTextures::SetTexButDrawStyle", "Texture Button <%s> does not exist",
               MWinIDForPrint(id));
    return false;
  }
  MWinTexBut& tb = texButs_[n];
  tb.modeH = modeH;
  tb.fractionH = fractionH;
  tb.borderH = borderH;
  tb.modeV = modeV;
  tb.fractionV = fractionV;
  tb.borderV = borderV;
  return true;
}

bool MWinTextures::CreateTextures() {
  if (loaded_) {
    DebugError("MWinTextures::CreateTextures", "Textures already loaded");
    DestroyTextures();
  }
  MWinEngBackEnd* eng = MWinEng();
  bool ok = true;
  for (int i = 0; i < textureCount_; ++i) {
    Texture& t = textures_[i];
    if (!t.texture) t.texture = eng->TextureNew();
    t.loaded = (t.texture && eng->TextureLoad(t.texture, t.fileName, t.withAlpha, t.alphaKind,
                                              mw_->GetDatKind()))
                   ? 1
                   : 0;
    if (!t.loaded) ok = false;
  }
  loaded_ = ok ? 1 : 0;
  return ok;
}

void MWinTextures::DestroyTextures() {
  if (!loaded_) DebugError("MWinTextures::DestroyTextures", "Textures not loaded");
  for (int i = 0; i < textureCount_; ++i) {
    if (textures_[i].texture) MWinEng()->TextureRelease(textures_[i].texture);
    textures_[i].loaded = 0;
  }
  loaded_ = 0;
}

bool MWinTextures::IsTextureLoaded(int num) const {
  return num >= 0 && num < textureCount_ && textures_[num].loaded;
}

const MWinTexButState* MWinTextures::UsableState(int num, int state, MWinEngTexture** texture) {
  if (num < 0 || num >= texButCount_) return nullptr;
  if (state < 0 || state > 3) state = 0;
  const MWinTexBut& tb = texButs_[num];
  const MWinTexButState* st = &tb.states[state];
  if (st->texture == -1) st = &tb.states[0];
  const int t = st->texture;
  if (t < 0 || t >= textureCount_ || !textures_[t].loaded || !textures_[t].texture) return nullptr;
  *texture = textures_[t].texture;
  return st;
}

void MWinTextures::QuadColour(const MWinTexButState& st, const float* tint, float out[4]) {
  for (int i = 0; i < 4; ++i) {
    float c = 1.0f;
    if (st.ownColour) c = st.colour[i];
    if (tint) c *= tint[i];
    out[i] = c;
  }
}

bool MWinTextures::DrawTexBut(int num, int state, float x, float y, float w, float h,
                              const float* tint) {
  MWinEngTexture* texture = nullptr;
  const MWinTexButState* st = UsableState(num, state, &texture);
  if (!st) return false;
  const MWinTexBut& tb = texButs_[num];
  const bool sliceH = tb.modeH > 1 && tb.borderH > 0 && 2 * tb.borderH < w;
  const bool sliceV = tb.modeV > 1 && tb.borderV > 0 && 2 * tb.borderV < h;
  float c[4];
  QuadColour(*st, tint, c);
  const float colours[4][4] = {{c[0], c[1], c[2], c[3]}, {c[0], c[1], c[2], c[3]},
                               {c[0], c[1], c[2], c[3]}, {c[0], c[1], c[2], c[3]}};
  const float* r = st->rect;
  auto u = [&](float f) { return r[0] + f * (r[2] - r[0]); };
  auto v = [&](float f) { return r[1] + f * (r[3] - r[1]); };
  // Columns and rows as (position, size, fraction from, fraction to).
  struct Span {
    float pos, size, f0, f1;
  };
  Span cols[3], rows[3];
  int nc = 1, nr = 1;
  cols[0] = Span{x, w, 0, 1};
  rows[0] = Span{y, h, 0, 1};
  if (sliceH) {
    const float b = tb.borderH, f = tb.fractionH;
    cols[0] = Span{x, b, 0, f};
    cols[1] = Span{x + b, w - 2 * b, f, 1 - f};
    cols[2] = Span{x + w - b, b, 1 - f, 1};
    nc = 3;
  }
  if (sliceV) {
    const float b = tb.borderV, f = tb.fractionV;
    rows[0] = Span{y, b, 0, f};
    rows[1] = Span{y + b, h - 2 * b, f, 1 - f};
    rows[2] = Span{y + h - b, b, 1 - f, 1};
    nr = 3;
  }
  MWinEngBackEnd* eng = MWinEng();
  for (int ri = 0; ri < nr; ++ri) {
    for (int ci = 0; ci < nc; ++ci) {
      const float uv[4] = {u(cols[ci].f0), v(rows[ri].f0), u(cols[ci].f1), v(rows[ri].f1)};
      eng->TextureDraw(texture, cols[ci].pos, rows[ri].pos, cols[ci].size, rows[ri].size, uv,
                       colours);
    }
  }
  return true;
}

bool MWinTextures::DrawTexBut(int num, int state, const MWinArea& area, const float* offset,
                              const float* tint) {
  const float ox = offset ? offset[0] : 0.0f, oy = offset ? offset[1] : 0.0f;
  return DrawTexBut(num, state, area.x + ox, area.y + oy, area.w, area.h, tint);
}

bool MWinTextures::DrawTexButPart(int num, int state, float x, float y, float w, float h,
                                  const float part[4], const float* tint) {
  MWinEngTexture* texture = nullptr;
  const MWinTexButState* st = UsableState(num, state, &texture);
  if (!st) return false;
  float c[4];
  QuadColour(*st, tint, c);
  const float colours[4][4] = {{c[0], c[1], c[2], c[3]}, {c[0], c[1], c[2], c[3]},
                               {c[0], c[1], c[2], c[3]}, {c[0], c[1], c[2], c[3]}};
  const float* r = st->rect;
  const float uv[4] = {r[0] + part[0] * (r[2] - r[0]), r[1] + part[1] * (r[3] - r[1]),
                       r[0] + part[2] * (r[2] - r[0]), r[1] + part[3] * (r[3] - r[1])};
  MWinEng()->TextureDraw(texture, x, y, w, h, uv, colours);
  return true;
}
