// EngTgaTexture.cpp - the image's transfers to and from textures: front
// ends that forward to the Direct3D 9 back end (Engine/DX9/EngTgaDX9.cpp)
// while it is the main device, and the texture branch of saving.
#include <memory>
#include <new>

#include "Engine/DX9/EngTgaDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngProgram.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTga.h"

bool EngTga::FillFromTexture(int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                             EngTexture* texture, int destX, int destY, int destWidth,
                             int destHeight, bool mirrorX, bool mirrorY, int mode,
                             float alphaFactor) {
  if (EngProgramGetMainDeviceType() != 1) return false;
  return FillFromTexture_DX9(sourceX, sourceY, sourceWidth, sourceHeight, texture, destX, destY,
                             destWidth, destHeight, mirrorX, mirrorY, mode, alphaFactor);
}

bool EngTga::FillTexture(EngTexture* texture) {
  if (EngProgramGetMainDeviceType() != 1) return false;
  return FillTexture_DX9(texture);
}

bool EngTga::SaveTextureToFile(const char* name, EngTexture* texture) {
  static const char* const kWhere = "EngTga::DoSaveToFile";
  if (EngProgramGetMainDeviceType() != 1 || !texture->IsLoaded() || texture->GetWidth() < 1 ||
      texture->GetHeight() < 1) {
    DebugError(kWhere, "Invalid texture passed in (filename=%s)", name);
    return false;
  }
  const int width = texture->GetWidth();
  const int height = texture->GetHeight();
  const std::size_t count = static_cast<std::size_t>(width) * height;
  std::unique_ptr<std::uint32_t[]> pixels(new (std::nothrow) std::uint32_t[count]);
  if (!pixels) {
    DebugError(kWhere, "No memory creating file <%s>", name);
    return false;
  }
  if (!EngTgaUpdateTexCharBufferFromDxTexture_DX9(texture, pixels.get(), count * 4)) {
    DebugError(kWhere, "Problems creating m_data [T] in file <%s>", name);
    return false;
  }
  return EngTgaWriteFileFromPixels(name, width, height, pixels.get());
}
