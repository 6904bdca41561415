// Board.cpp - building the board's pictures on the CPU (texture tiling,
// gradient, shape mask), uploading the table top as 16 tiles and the
// background as one 2D texture, and drawing the tiles (see Board.h).
#include "Game/Decks/Board.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "Engine/Debug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFile.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTga.h"
#include "Game/Decks/Sets.h"
#include "Game/GameImports.h"
#include "Game/GenLayout.h"
#include "Platform/D3DXMath.h"
#include "Platform/Image.h"

namespace {

constexpr int kTiles = 16;

// Released by BoardReleaseTextures; the rectangle and quality live for the
// run.
struct BoardState {
  float rect[4] = {0, 0, 1, 1};  // x, y, width, height
  int quality = 1;
  EngTexture tiles[kTiles];
  EngTexture background;
};

BoardState& State() {
  static BoardState state;
  return state;
}

struct Surface {
  int type;
  const char* file;
  const char* stdTex;
  const float* col1;
  const float* col2;
  int gradient;
  const int32_t* tiling;
};

Surface SurfaceOf(const BoardSet& b, int surface) {
  if (surface == kBoardBackground) {
    return {b.bgType, b.bgFilename, b.bgStdTex, b.bgCol1, b.bgCol2, b.bgGradientType, b.bgTiling};
  }
  return {b.tableType, b.tableFilename, b.tableStdTex, b.tableCol1, b.tableCol2, b.tableGradientType,
          b.tableTiling};
}

bool UsableImage(const EngTga* image) {
  return image && image->HasData() && image->GetBitsPerPixel() == 32 && image->GetWidth() >= 256 &&
         image->GetHeight() >= 256;
}

// A decoded picture as a 32-bit image.
bool LoadPicture(const char* file, EngTga* image) {
  PlatformImage picture;
  std::string error;
  if (!PlatformImageLoadFile(file, &picture, &error)) return false;
  if (!image->Create(picture.width, picture.height, 32)) return false;
  for (int y = 0; y < picture.height; ++y) {
    const std::uint32_t* source = picture.pixels.data() + static_cast<std::size_t>(y) * picture.width;
    std::uint32_t* row = image->RowFromTop(y);
    for (int x = 0; x < picture.width; ++x) row[x] = source[x] | 0xFF000000u;
  }
  return true;
}

// Uploads an image into a texture of its size (3D quad or 2D quad).
bool Upload(const EngTga& image, EngTexture* texture, bool twoD) {
  int w = image.GetWidth(), h = image.GetHeight();
  texture->Release();
  if (!(twoD ? texture->CreateEmptyTexture2D(&w, &h, 1) : texture->CreateEmptyTexture(&w, &h, 1))) {
    return false;
  }
  return const_cast<EngTga&>(image).FillTexture(texture);
}

// The N x N grey image a surface is built on (alpha opaque).
bool GreyImage(EngTga* image) {
  const int n = BoardGetTextureSide();
  return image->CreateWithColour(n, n, 32, 0.5f, 0.5f, 0.5f, 1.0f);
}

}  // namespace

bool BoardSetupTableRect(float x, float y, float width, float height, bool centreX, bool centreY) {
  BoardState& s = State();
  s.rect[0] = centreX ? x - width / 2 : x;
  s.rect[1] = centreY ? y - height / 2 : y;
  s.rect[2] = width;
  s.rect[3] = height;
  return true;
}

void BoardGetTableRect(float* x, float* y, float* width, float* height) {
  const BoardState& s = State();
  if (x) *x = s.rect[0];
  if (y) *y = s.rect[1];
  if (width) *width = s.rect[2];
  if (height) *height = s.rect[3];
}

bool BoardSetupTextureQuality(int quality) {
  State().quality = quality;
  return true;
}

int BoardGetTextureSide() {
  const int q = State().quality;
  return q == 0 ? 256 : q == 2 ? 1024 : 512;
}

bool BoardApplyTextureToData(const BoardSet& board, int surface, EngTga* image) {
  const char* where = "BoardApplyTextureToData";
  if (!UsableImage(image)) return false;
  const Surface s = SurfaceOf(board, surface);
  std::string file;
  if (s.type == 1) file = SetsGetStandardTextureFileName(s.stdTex);
  if (s.type == 2) file = s.file;
  if (s.type == 0 || file.empty()) return true;
  if (!EngFileExists(file.c_str())) {
    DebugError(where, "File does not exist: <%s>", file.c_str());
    return false;
  }
  EngTga picture;
  if (!LoadPicture(file.c_str(), &picture)) {
    DebugError(where, "Could not load file <%s>", file.c_str());
    return false;
  }
  const int across = s.tiling[0], down = s.tiling[1];
  if (across < 0 || across > 4 || down < 0 || down > 4) return true;
  const int w = image->GetWidth(), h = image->GetHeight();
  if (across == 0 && down == 0) {
    image->FillFromOtherTga(0, 0, -1, -1, &picture, 0, 0, w, h, false, false, 1, false);
    return true;
  }
  static constexpr int kCount[5] = {1, 2, 2, 4, 4};
  const int nx = kCount[across], ny = kCount[down];
  const int cw = w / nx, ch = h / ny;
  for (int row = 0; row < ny; ++row) {
    for (int col = 0; col < nx; ++col) {
      const bool mirrorX = (across == 2 || across == 4) && col % 2 == 1;
      const bool mirrorY = (down == 2 || down == 4) && row % 2 == 1;
      image->FillFromOtherTga(0, 0, -1, -1, &picture, col * cw, row * ch, cw, ch, mirrorX, mirrorY, 1,
                              false);
    }
  }
  return true;
}

bool BoardApplyGradientToData(const BoardSet& board, int surface, EngTga* image) {
  if (!UsableImage(image)) return false;
  const Surface s = SurfaceOf(board, surface);
  const int type = s.gradient;
  if (type <= 0) return true;
  const int w = image->GetWidth(), h = image->GetHeight();
  const float w1 = static_cast<float>(w - 1), h1 = static_cast<float>(h - 1);
  uint32_t* data = image->GetData();
  for (int y = 0; y < h; ++y) {  // y counted from the image's first (bottom) row
    for (int x = 0; x < w; ++x) {
      const float fx = static_cast<float>(x), fy = static_cast<float>(y);
      float t1 = 255, t2 = 0;
      switch (type) {
        case 1:
          break;
        case 2:
          t1 = 255 * fy / h1;
          t2 = 255 * (h1 - fy) / h1;
          break;
        case 3:
          t1 = 255 * (w1 - fx) / w1;
          t2 = 255 * fx / w1;
          break;
        case 4:
          t1 = 255 * (fy + w1 - fx) / (w1 + h1);
          t2 = 255 - t1;
          break;
        case 5:
          t1 = 255 * (fx + fy) / (w1 + h1);
          t2 = 255 - t1;
          break;
        case 6:
          t1 = 255 * ((w1 - fx) + (h1 - fy)) / (w1 + h1);
          t2 = 255 - t1;
          break;
        default:
          t1 = 255 * (fx + h1 - fy) / (w1 + h1);
          t2 = 255 - t1;
          break;
      }
      uint32_t& pixel = data[static_cast<std::size_t>(y) * w + x];
      uint32_t out = pixel & 0xFF000000u;
      for (int c = 0; c < 3; ++c) {
        const int shift = 16 - 8 * c;
        const float m = static_cast<float>(static_cast<int>(s.col1[c] * t1 + s.col2[c] * t2));
        const float p = static_cast<float>((pixel >> shift) & 0xFF);
        const float v = std::clamp(255 - (255 - m) * (255 - p) / 127, 0.0f, 255.0f);
        out |= static_cast<uint32_t>(v) << shift;
      }
      pixel = out;
    }
  }
  return true;
}

bool BoardLoadTable() {
  const char* where = "BoardLoadTable";
  BoardState& st = State();
  for (EngTexture& tile : st.tiles) tile.Release();
  const BoardSet& board = SetsGetCurrentBoard();
  if (board.tableType == 0) return true;
  EngTga image;
  if (!GreyImage(&image)) {
    DebugError(where, "Could not create empty tga data");
    return false;
  }
  char maskFile[64];
  std::snprintf(maskFile, sizeof(maskFile), "Data\\Boards\\BoardShape%d.tga",
                std::clamp(board.tableShape, 0, kSetsNumShapes - 1) + 1);
  EngTga mask;
  if (mask.LoadFromFile(maskFile)) {
    image.FillFromOtherTga(0, 0, -1, -1, &mask, 0, 0, -1, -1, false, false, 0, true);
  } else {
    DebugError(where, "Could not load shape tga data");
  }
  BoardApplyTextureToData(board, kBoardTable, &image);
  BoardApplyGradientToData(board, kBoardTable, &image);
  const int n = image.GetWidth(), q = n / 4;
  EngTga tile;
  for (int i = 0; i < kTiles; ++i) {
    tile.Release();
    if (!tile.Create(q, q, 32)) return false;
    tile.FillFromOtherTga((i % 4) * q, (i / 4) * q, q, q, &image, 0, 0, q, q, false, false, 0, false);
    if (!Upload(tile, &st.tiles[i], false)) {
      DebugError(where, "Could not create empty texture [%d]", i);
      return false;
    }
    st.tiles[i].SetNormal(0, 0, -1);
    // Mapped as the card faces are, so the picture lies upright on the
    // table; half a texel in from the edges, so that neighbouring tiles meet
    // without a seam of the opposite edge's colour.
    const float e = 0.5f / static_cast<float>(q);
    st.tiles[i].SetTextureCoordinates(1 - e, 1 - e, e, e);
    // Tile rows run from the picture's top down the table (toward -y).
    const float w = st.rect[2] / 4, h = st.rect[3] / 4;
    const float x = st.rect[0] + static_cast<float>(i % 4) * w;
    const float top = st.rect[1] + st.rect[3] - static_cast<float>(i / 4) * h;
    const D3DXVECTOR3 a(x, top, 0), b(x + w, top - h, 0);
    st.tiles[i].SetPositions3D(0, &a, &b);
  }
  return true;
}

bool BoardLoadBackgroundTexture() {
  const char* where = "BoardLoadBackgroundTexture";
  BoardState& st = State();
  st.background.Release();
  const BoardSet& board = SetsGetCurrentBoard();
  if (board.bgType == 0) return true;
  EngTga image;
  if (!GreyImage(&image)) return false;
  BoardApplyTextureToData(board, kBoardBackground, &image);
  BoardApplyGradientToData(board, kBoardBackground, &image);
  if (!Upload(image, &st.background, true)) {
    DebugError(where, "Could not fill bg texture with data");
    return false;
  }
  st.background.PositionRatioedInt(0, 0, 640, 480);
  return true;
}

void BoardReleaseTextures() {
  BoardState& st = State();
  for (EngTexture& tile : st.tiles) tile.Release();
  st.background.Release();
}

void BoardRenderTable(float z) {
  BoardState& st = State();
  EngDevice* device = EngDeviceGetCurrent();
  if (!device || SetsGetCurrentBoard().tableType == 0 || !st.tiles[0].IsLoaded()) return;
  // The shape mask cuts the table top out of the scene by its alpha.
  device->EnableBlendingType(0);
  device->SetWorldTranslation(0, 0, z);
  for (EngTexture& tile : st.tiles) tile.Draw();
  device->DisableBlending();
  device->SetWorldMatrixToIdentity();
}

EngTexture* BoardGetBackgroundTexture() { return &State().background; }

void MainRenderTableBoard() { BoardRenderTable(GenGetTableHeight()); }
