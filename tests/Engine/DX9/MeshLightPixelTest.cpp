// Lights and the deck-side model on the GL device (Mesa under Xvfb), seen
// through a table camera (eye above the table at +z, up (0, 0, 1)): a point
// light at a positive height lights a card-like quad, also on a re-created
// device; the deck-side box shows its top and its near side, never its
// bottom. Saves a picture of the lit box. Runs on an X server of its own.
#include <cstring>

#include <gtest/gtest.h>

#include "Engine/DX9/EngVertexBufferDX9.h"
#include "Engine/EngLights.h"
#include "Engine/EngTga.h"
#include "Engine/EngWindow.h"
#include "Engine/EngXfile.h"
#include "tests/Engine/DX9/ScenePixelTest.h"

namespace {

const char* const kDeckSide = CARDOLIA_BUILD_DIR "/Data/Deck/0180.dat";

using MeshLightPixelTest = ScenePixelTest;

int Brightness(std::uint32_t rgb) { return static_cast<int>(((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF)); }

// A white card-sized quad on the table, its normal (0, 0, -1) as cards have.
void DrawCard(EngVertexBufferDX9* quad) {
  if (!quad->IsCreated()) {
    ASSERT_TRUE(quad->Create(EVBT_POS_NORM_TEX, nullptr));
    const float a[3] = {-20, 30, 0}, b[3] = {20, -30, 0};
    quad->SetPositions3D(0, a, b);
  }
  EngDeviceDX9GetCurrent()->SetWorldMatrixToIdentity();
  quad->Draw();
}

TEST_F(MeshLightPixelTest, PointLightAboveTheTableLightsCardsAlsoOnANewDevice) {
  Camera(-1, 120);
  EngVertexBufferDX9 quad;
  BeginFrame();
  DrawCard(&quad);
  Device()->EndRendering();
  const int unlit = Brightness(PixelAt(0, 0, 0));
  EXPECT_LT(unlit, 10);  // no light, no ambient: black

  EngLightsUsePointLightSystem();
  EngLightsSetPointLightAttributes(0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 150, 1, 0, 0, 400);
  BeginFrame();
  DrawCard(&quad);
  Device()->EndRendering();
  const int lit = Brightness(PixelAt(0, 0, 0));
  EXPECT_GT(lit, 600) << "a light straight above a card lights it fully";

  // A new device (as after a mode change) gets the light back.
  quad.Destroy();
  window_->DestroyGraphicsDevice();
  ASSERT_TRUE(window_->CreateGraphicsDevice());
  Camera(-1, 120);
  BeginFrame();
  DrawCard(&quad);
  Device()->EndRendering();
  EXPECT_GT(Brightness(PixelAt(0, 0, 0)), 600);
  quad.Destroy();
}

// Pictures of one colour for the three materials, chosen by name as the
// card module does.
const char* MaterialPictures(EngXfile*, int, const char*, const char* textureFile) {
  if (std::strcmp(textureFile, "DeckSide.bmp") == 0) return "side.tga";
  if (std::strcmp(textureFile, "Back.bmp") == 0) return "back.tga";
  if (std::strcmp(textureFile, "Blank.bmp") == 0) return "top.tga";
  return nullptr;
}

TEST_F(MeshLightPixelTest, DeckSideBoxShowsItsOutsideToTheTableCamera) {
  const struct {
    const char* name;
    float r, g, b;
  } pictures[] = {{"side.tga", 1, 0, 0}, {"back.tga", 0, 0, 1}, {"top.tga", 0, 1, 0}};
  for (const auto& p : pictures) {
    EngTga tga;
    ASSERT_TRUE(tga.CreateWithColour(16, 16, 32, p.r, p.g, p.b, 1));
    ASSERT_TRUE(tga.SaveToFile(p.name));
  }
  // A pile 20 x 30 and 10 high, seen from the near side and above.
  EngXfile box;
  ASSERT_TRUE(box.LoadFromFile(nullptr, kDeckSide, 0.1f, 0.15f, 0.1f, nullptr, 0, 0, MaterialPictures));
  Camera(-90, 80);
  EngLightsSetAmbient(0.35f, 0.35f, 0.35f);
  EngLightsUsePointLightSystem();
  EngLightsSetPointLightAttributes(0, 0.8f, 0.8f, 0.8f, 0, 0, 0, 0, 0, 0, 10, -40, 150, 1, 0, 0, 400);
  BeginFrame();
  Device()->SetWorldMatrixToIdentity();
  box.Draw();
  Device()->EndRendering();

  const std::uint32_t top = PixelAt(0, 0, 10);
  const std::uint32_t nearSide = PixelAt(0, -15, 5);
  EXPECT_GT((top >> 8) & 0xFF, 60u) << std::hex << top;       // green top
  EXPECT_EQ(top & 0xFF00FFu, 0u) << std::hex << top;
  EXPECT_GT((nearSide >> 16) & 0xFF, 60u) << std::hex << nearSide;  // red side
  EXPECT_EQ(nearSide & 0x00FFFFu, 0u) << std::hex << nearSide;
  EXPECT_EQ(PixelAt(0, 40, 0), 0u);  // beside the box: the clear colour
  // The top is lit like a card face: brighter than the ambient level alone.
  EXPECT_GT((top >> 8) & 0xFF, static_cast<std::uint32_t>(0.35f * 255 + 20));
  SavePicture("deck-side-box.png");
}

}  // namespace
