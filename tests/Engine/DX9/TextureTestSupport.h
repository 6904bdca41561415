// TextureTestSupport.h - a recording graphics device for the texture, image
// transfer, font and cursor tests: a program object (main device type 1) and
// a created device on the recording back end, in a fresh temporary folder.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/EngDevice.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Platform/D3D9Recording.h"
#include "Platform/Window.h"
#include "tests/Support/TestSupport.h"

class RecordingDeviceTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    PlatformUseHeadlessWindows(true);
    D3D9UseRecording();
    program_ = std::make_unique<EngProgram>();
    std::int8_t result = 0;
    window_ = program_->CreateMainWindow("Texture tests", EngWindowSettings{}, &result);
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(window_->CreateGraphicsDevice());
    ClearLog();
    Recorder().Clear();
  }
  void TearDown() override {
    if (window_) window_->DestroyDeviceAndWindow();
    program_.reset();
    D3D9SetFactory(nullptr);
    PlatformResetWindowsForTests();
    PlatformUseHeadlessWindows(false);
    TempDirTest::TearDown();
  }
  static D3D9Recorder& Recorder() { return D3D9RecordingRecorder(); }

  std::unique_ptr<EngProgram> program_;
  EngWindow* window_ = nullptr;
};

#include <cstring>

#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/DX9/EngTextureDX9.h"
#include "Engine/EngTexture.h"

// Makes a texture of any format the device can hold, as if the device had
// reported it for a requested one (the engine itself only asks for
// A8R8G8B8 and X8R8G8B8). bitDepth 0 takes the format's own.
struct EngTextureDX9TestAccess {
  static bool CreateWithFormat(EngTexture* texture, int width, int height, D3DFORMAT format,
                               int bitDepth = 0) {
    EngTextureDX9* t = texture->GetDX9();
    IDirect3DTexture9* made = nullptr;
    if (!t || EngDeviceDX9GetD3DDevice()->CreateTexture(static_cast<UINT>(width), static_cast<UINT>(height), 1, 0,
                                                        format, D3DPOOL_MANAGED, &made, nullptr) != D3D_OK) {
      return false;
    }
    t->Release();
    t->ClearRecord();
    t->texture_ = made;
    return t->DoFinaliseTextureCreation(width, height, bitDepth, format, false);
  }
};

// Reads or writes the texel bytes of level 0 (rows top first, pitch from the lock).
inline std::vector<std::uint8_t> TexelBytes(EngTexture* texture, int x, int y, int count) {
  EngTextureDX9* t = texture->GetDX9();
  D3DLOCKED_RECT locked{};
  std::vector<std::uint8_t> bytes;
  if (!t->LockDxSurface(&locked)) return bytes;
  const int size = EngTextureDX9_Is16BitFormat(t->GetFormat()) ? 2 : 4;
  const auto* p = static_cast<const std::uint8_t*>(locked.pBits) + y * locked.Pitch + x * size;
  bytes.assign(p, p + count);
  t->UnlockDxSurface();
  return bytes;
}

inline void FillTexels(EngTexture* texture, const std::vector<std::uint8_t>& texel) {
  EngTextureDX9* t = texture->GetDX9();
  D3DLOCKED_RECT locked{};
  ASSERT_TRUE(t->LockDxSurface(&locked));
  for (int y = 0; y < t->GetHeight(); ++y) {
    auto* row = static_cast<std::uint8_t*>(locked.pBits) + y * locked.Pitch;
    for (int x = 0; x < t->GetWidth(); ++x) std::memcpy(row + x * texel.size(), texel.data(), texel.size());
  }
  t->UnlockDxSurface();
}

// A 64 x 64 A8R8G8B8 texture whose texel (x, y) is blue x, green y, red 0,
// alpha 255: a copied texel tells where it came from.
inline void MakeCoordinateTexture(EngTexture* texture) {
  ASSERT_TRUE(EngTextureDX9TestAccess::CreateWithFormat(texture, 64, 64, D3DFMT_A8R8G8B8));
  D3DLOCKED_RECT locked{};
  ASSERT_TRUE(texture->GetDX9()->LockDxSurface(&locked));
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      auto* p = static_cast<std::uint8_t*>(locked.pBits) + y * locked.Pitch + x * 4;
      p[0] = static_cast<std::uint8_t>(x);
      p[1] = static_cast<std::uint8_t>(y);
      p[2] = 0;
      p[3] = 255;
    }
  texture->GetDX9()->UnlockDxSurface();
}

// The floats of vertex v of a quad's buffer, from byte offset.
inline std::vector<float> VertexFloats(EngTexture* texture, int vertex, int offset, int count) {
  EngVertexBufferDX9& quad = texture->GetDX9()->GetQuad();
  void* data = nullptr;
  std::vector<float> values(static_cast<std::size_t>(count));
  if (quad.GetBuffer()->Lock(0, 0, &data, D3DLOCK_READONLY) != D3D_OK) return {};
  std::memcpy(values.data(), static_cast<const std::uint8_t*>(data) + vertex * quad.GetStride() + offset,
              sizeof(float) * count);
  quad.GetBuffer()->Unlock();
  return values;
}
