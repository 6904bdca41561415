// MWinTextures.h - the toolkit's image files and texture buttons.
//
// A texture button is a named look: for each of four draw states (0 normal,
// 1 highlighted, 2 pressed, 3 disabled) a registered texture and a rectangle
// of texture coordinates, plus a draw style that cuts the picture into three
// or nine slices so borders keep their size however the look is stretched.
// 24 standard slots name the looks the toolkit uses for its own parts
// (0 window frame, 1 title bar, 2 hide button, 3 and up the button kinds'
// defaults). Images load with the other graphics; entries are never removed.
#pragma once

#include <cstdint>

#include "Engine/MWin/MWinEng.h"
#include "Engine/MWin/MWinID.h"

class MWin;

constexpr int kMWinMaxTextures = 64;
constexpr int kMWinMaxTexButs = 256;
constexpr int kMWinNumStandardTexButs = 24;

struct MWinTexButState {
  std::int32_t texture = -1;  // index of a texture entry; -1 none
  float rect[4] = {0, 0, 1, 1};  // left, top, right, bottom
  std::int32_t ownColour = 0;
  float colour[4] = {1, 1, 1, 1};
};

struct MWinTexBut {
  MWinID id = {};
  MWinTexButState states[4];
  std::int32_t modeH = 1, modeV = 1;  // 1 stretch, above 1 sliced
  float fractionH = 0, fractionV = 0;  // border, as a fraction of the rectangle
  float borderH = 16, borderV = 16;    // border, in 640 x 480 units
};

class MWinTextures {
 public:
  explicit MWinTextures(MWin* mw);
  ~MWinTextures();

  // Registers an image file (it must exist; at most 64). True when registered.
  bool AddTexture(const char* id, const char* fileName, int withAlpha, int alphaKind);
  // States with an empty texture ID stay empty. Null when refused.
  MWinTexBut* AddTextureButton(const char* id, const char* tex0, float l0, float t0, float r0,
                               float b0, const char* tex1, float l1, float t1, float r1, float b1,
                               const char* tex2, float l2, float t2, float r2, float b2,
                               const char* tex3, float l3, float t3, float r3, float b3);
  bool SetTextureButtonState(MWinTexBut* texBut, int state, const char* textureID, float left,
                             float top, float right, float bottom);
  MWinTexBut* AddStandardTextureButton(int slot, const char* id, const char* tex0, float l0,
                                       float t0, float r0, float b0, const char* tex1, float l1,
                                       float t1, float r1, float b1, const char* tex2, float l2,
                                       float t2, float r2, float b2, const char* tex3, float l3,
                                       float t3, float r3, float b3);
  // An empty ID empties the slot (true).
  bool SetStandardTextureToTexBut(int slot, const char* texButID);
  bool ClearStandardTexBut(int slot);
  // The slot's texture-button number; -1 for an empty slot or a slot out of
  // range ("Invalid standard texbut num: %d").
  int GetStandardTexButNum(int slot);
  const char* GetStandardTexButID(int slot);
  int GetTexButNumFromID(const char* id);
  MWinTexBut* GetTexBut(int num);
  bool SetTexButDrawStyle(const char* id, int modeH, float fractionH, float borderH, int modeV,
                          float fractionV, float borderV);

  bool CreateTextures();
  void DestroyTextures();
  bool IsLoaded() const { return loaded_ != 0; }
  int GetTextureCount() const { return textureCount_; }
  bool IsTextureLoaded(int num) const;

  // Draws a look in a state over an area; tint optional. False when the
  // number or its texture is not usable.
  bool DrawTexBut(int num, int state, float x, float y, float w, float h,
                  const float* tint = nullptr);
  bool DrawTexBut(int num, int state, const MWinArea& area, const float* offset,
                  const float* tint = nullptr);
  // One part of a look: the sub-rectangle given by four fractions.
  bool DrawTexButPart(int num, int state, float x, float y, float w, float h,
                      const float part[4], const float* tint = nullptr);

 private:
  struct Texture {
    MWinID id = {};
    char fileName[256] = {};
    std::uint8_t withAlpha = 0;
    std::uint8_t alphaKind = 0;
    std::uint8_t loaded = 0;
    MWinEngTexture* texture = nullptr;
  };
  const MWinTexButState* UsableState(int num, int state, MWinEngTexture** texture);
  static void QuadColour(const MWinTexButState& st, const float* tint, float out[4]);

  MWin* mw_;
  std::uint8_t loaded_ = 0;
  Texture textures_[kMWinMaxTextures];
  MWinTexBut texButs_[kMWinMaxTexButs];
  std::int32_t standard_[kMWinNumStandardTexButs];
  int textureCount_ = 0;
  int texButCount_ = 0;
};
