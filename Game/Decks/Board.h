// Board.h - the table board's pictures: the table top cut into 4 x 4 tiles
// and the background, built on the CPU from a board's textures, gradients
// and shape mask, then uploaded; and their drawing as the table's first
// pass.
//
// State: the table rectangle (world units; 0, 0, 1, 1 until set), the
// texture quality, the 16 tile textures and the background texture
// (released by BoardReleaseTextures).
#pragma once

class EngTga;
class EngTexture;
struct BoardSet;

enum BoardSurface : int { kBoardBackground = 0, kBoardTable = 1 };

bool BoardSetupTableRect(float x, float y, float width, float height, bool centreX, bool centreY);
void BoardGetTableRect(float* x, float* y, float* width, float* height);
bool BoardSetupTextureQuality(int quality);
// 256, 512 or 1024 by the quality.
int BoardGetTextureSide();
// Builds the 16 tiles from the current board (TABLE_TYPE 0: none).
bool BoardLoadTable();
// Builds the background from the current board (BG_TYPE 0: none).
bool BoardLoadBackgroundTexture();
// Fills an image with the surface's texture as tiled (the image's alpha
// kept); false for an image below 256 x 256 or a picture that cannot be
// read.
bool BoardApplyTextureToData(const BoardSet& board, int surface, EngTga* image);
// Colours an image with the surface's gradient.
bool BoardApplyGradientToData(const BoardSet& board, int surface, EngTga* image);
void BoardReleaseTextures();
// The 16 tiles at height z with alpha blending (nothing when none loaded).
void BoardRenderTable(float z);
// The current board's background picture (not loaded: an empty texture).
EngTexture* BoardGetBackgroundTexture();
// Draws the table board's tiles at the table's height when they are loaded.
void MainRenderTableBoard();
