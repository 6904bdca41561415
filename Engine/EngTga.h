// EngTga.h - the engine's in-memory 32-bit image and its TGA files.
//
// An EngTga holds 32-bit pixel words, A R G B from the most significant byte
// (so the bytes of a word in a file run B, G, R, A), with the rows stored
// bottom-up as in a TGA file: row 0 of the data is the bottom row of the
// picture. Operations that take positions say which corner they count from.
//
// Files are uncompressed true-colour TGA (image type 2) with an 18-byte
// header; only 32-bit files are loaded, and files are always written 32-bit,
// bottom row first, with an image descriptor of 0. A file whose descriptor
// has the top-left origin bit (0x20) set is read with its rows turned over.
//
// The transfers to and from textures are forwarded to the graphics back end
// and do nothing unless the main device is Direct3D 9 (EngTga::FillTexture,
// EngTga::FillFromTexture, saving a texture through DoSaveToFile).
//
// Every failure is one DebugError line under the operation's own name
// ("EngTga::LoadFromFile") and a false result; the image is left as it was,
// or released when the failing call had created it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

class EngTexture;

constexpr int kEngTgaHeaderSize = 18;
constexpr int kEngTgaMaxSide = 65535;  // a TGA header holds 16-bit sides

class EngTga {
 public:
  EngTga() = default;
  ~EngTga() { Release(); }
  EngTga(const EngTga&) = delete;
  EngTga& operator=(const EngTga&) = delete;

  // Frees the pixels; the image is empty afterwards (sizes 0).
  void Release();

  // Allocates width x height pixels. Refuses sides below 1 or above 65535 and
  // bits other than 32 ("Invalid parameters"), an image that already holds
  // data ("Data already created") and a failed allocation ("No memory").
  // When red, green, blue and alpha are all 0 or more (0-1 each, x 255) every
  // pixel is set to that colour; otherwise the pixels are left zeroed.
  bool CreateWithColour(int width, int height, int bits, float red, float green, float blue,
                        float alpha);
  // CreateWithColour without a colour: the pixels are zeroed.
  bool Create(int width, int height, int bits);

  // Loads an uncompressed 32-bit true-colour TGA file. With create the image
  // must be empty and is created at the file's size; without it the image
  // must already hold 32-bit data of the file's size ("Invalid Data [1]" /
  // "Invalid Data [2]"). 16- and 24-bit files are recognised and refused
  // ("Invalid Data [2]"); compressed and colour-mapped files are refused
  // ("Problems [0] loading file <%s>"). A file shorter than its header
  // promises is refused before anything is allocated.
  bool LoadFromFile(const char* name, bool create = true);

  // Writes the image, or - when texture is given and the image is empty - the
  // texture's pixels (Direct3D 9 only), as a 32-bit TGA file. A null or empty
  // name is "No filename"; giving a texture to an image with data is
  // "Invalid parameters". A file that could not be written whole (every
  // write and the close are checked) is removed again.
  bool DoSaveToFile(const char* name, EngTexture* texture);
  bool SaveToFile(const char* name) { return DoSaveToFile(name, nullptr); }

  // Composes a rectangle of other into a rectangle of this image, scaled by
  // nearest neighbour. Positions count from the top-left corner. A source
  // width or height below 0 means other's full side, a destination one this
  // image's. Mirror x / mirror y take the source rectangle from the opposite
  // side and read it in reverse. With alphaOnly only the destination alpha is
  // replaced by the source alpha; otherwise the blend mode decides:
  //   0, 2, other values   the source pixel replaces the destination
  //   1                    source colour, destination alpha
  //   3                    colour blended by the source alpha
  //   4 .. 7               colour blended by a weight from the source's
  //                        darkest channel (see EngTga.cpp)
  //   8                    as 3, but alpha 0 leaves and 255 copies the colour
  // In modes 1 and 3 to 8 the destination alpha is kept.
  bool FillFromOtherTga(int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                        const EngTga* other, int destX, int destY, int destWidth,
                        int destHeight, bool mirrorX, bool mirrorY, int mode, bool alphaOnly);

  // Fills a rectangle of the image with one colour (0-1 components x 255).
  // x and y count from the bottom-left pixel; a width or height of -1 runs to
  // the edge. "Invalid parameters" for an empty image or a rectangle outside.
  bool SetDataPartColour(int x, int y, int width, int height, float red, float green, float blue,
                         float alpha);

  // alpha = 255 - alpha for every pixel ("Invalid parameter" when empty).
  bool InvertAlpha();

  // Makes this image half the source's width and height, each pixel the
  // pairwise average of a 2 x 2 source block (the two pixels of each row,
  // then the two results). With create this image is created (it must be
  // empty); without it its size must already be half the source's.
  // "Invalid parameters [1]" for a missing or unusable source (or a failed
  // creation), "Invalid parameters [2]" for a size that does not match.
  bool CreateFromTwiceSizeData(const EngTga* source, bool create);

  // Copies a scaled rectangle of a texture into the image (Direct3D 9 only):
  // source rectangle in texture texels, destination rectangle in image
  // pixels, both from the top-left. Modes and the alpha factor as the back
  // end's EngTga::FillFromTexture_DX9.
  bool FillFromTexture(int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                       EngTexture* texture, int destX, int destY, int destWidth, int destHeight,
                       bool mirrorX, bool mirrorY, int mode, float alphaFactor);
  // Copies the whole image into a texture of the same size (Direct3D 9 only).
  bool FillTexture(EngTexture* texture);
  // The back-end forms (Engine/DX9/EngTgaDX9.cpp).
  bool FillFromTexture_DX9(int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                           EngTexture* texture, int destX, int destY, int destWidth,
                           int destHeight, bool mirrorX, bool mirrorY, int mode,
                           float alphaFactor);
  bool FillTexture_DX9(EngTexture* texture);

  // The pixel words (bottom row first), null when empty.
  std::uint32_t* GetData() { return data_.get(); }
  const std::uint32_t* GetData() const { return data_.get(); }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  int GetBitsPerPixel() const { return bits_; }
  std::size_t GetDataSize() const { return dataSize_; }
  bool HasData() const { return data_ != nullptr; }

  // The pixel words of row y counted from the top, left to right (no range
  // check): loops over whole rows read and write through these.
  std::uint32_t* RowFromTop(int y) { return data_.get() + static_cast<std::size_t>(height_ - 1 - y) * width_; }
  const std::uint32_t* RowFromTop(int y) const {
    return data_.get() + static_cast<std::size_t>(height_ - 1 - y) * width_;
  }
  // The word at column x of row y counted from the top (no range check).
  std::uint32_t GetPixelFromTop(int x, int y) const {
    return data_[static_cast<std::size_t>(height_ - 1 - y) * width_ + x];
  }
  void SetPixelFromTop(int x, int y, std::uint32_t argb) {
    data_[static_cast<std::size_t>(height_ - 1 - y) * width_ + x] = argb;
  }

 private:
  // The texture branch of DoSaveToFile (EngTgaTexture.cpp).
  bool SaveTextureToFile(const char* name, EngTexture* texture);
  bool Allocate(const char* where, int width, int height, int bits, bool reportErrors);

  std::unique_ptr<std::uint32_t[]> data_;
  int width_ = 0;
  int height_ = 0;
  int bits_ = 0;
  std::size_t dataSize_ = 0;  // width x height x 4 bytes
};

// Writes width x height pixel words (bottom row first) as a 32-bit TGA file;
// the texture branch of EngTga::DoSaveToFile. Failures report under
// "EngTga::DoSaveToFile" with the texture's "[T]" message.
bool EngTgaWriteFileFromPixels(const char* name, int width, int height,
                               const std::uint32_t* pixels);

// The per-channel average of two pixels: each channel (a + b) / 2, truncated.
std::uint32_t EngTgaAveragePixels(std::uint32_t a, std::uint32_t b);

// A 0-1 colour component as a byte (x 255, truncated; clamped to 0-255).
std::uint8_t EngTgaColourByte(float component);

// Packs four bytes into a pixel word 0xAARRGGBB.
constexpr std::uint32_t EngTgaMakePixel(std::uint32_t red, std::uint32_t green,
                                        std::uint32_t blue, std::uint32_t alpha) {
  return (alpha << 24) | (red << 16) | (green << 8) | blue;
}
