// EngVertexBuffer.h - the nine quad vertex layouts of the engine's one
// drawable primitive (a quad of four vertices drawn as a two-triangle strip;
// Engine/DX9/EngVertexBufferDX9.h draws it). 1-6 are placed in 3D space,
// 7-9 are pre-transformed screen-pixel quads for 2D. No state.
#pragma once

enum EngVertexBufferType : int {
  EVBT_NONE = 0,
  EVBT_POS_TEX = 1,                    // stride 20, FVF 0x102
  EVBT_POS_NORM_TEX = 2,               // stride 32, FVF 0x112
  EVBT_POS_COL_TEX = 3,                // stride 24, FVF 0x142
  EVBT_POS_NORM_COL_TEX = 4,           // stride 36, FVF 0x152
  EVBT_POS_NORM_COL_SPEC_TEX = 5,      // stride 40, FVF 0x1D2
  EVBT_POS_COL = 6,                    // stride 16, FVF 0x42
  EVBT_POS_TEX_2D = 7,                 // stride 24, FVF 0x104
  EVBT_POS_COL_TEX_2D = 8,             // stride 28, FVF 0x144
  EVBT_POS_COL_2D = 9,                 // stride 20, FVF 0x44
};
