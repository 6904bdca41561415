// The toolkit through the engine's front-ends on the recording device (no
// display needed): looks, text, the picker's textures, triangle lists and
// the popup's dimming reach the device.
#include <cstdint>
#include <vector>

#include "Engine/EngFont.h"
#include "Engine/EngTga.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinGraph.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinTextures.h"
#include "Engine/MWin/MWinWindow.h"
#include "tests/Engine/MWin/MWinTestSetup.h"
#include "tests/Support/GraphicsTestSupport.h"

namespace {

class MWinRecordingTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    Start(640, 480);
    std::vector<std::uint32_t> pixels(16 * 16, 0xFFC0C0C0u);
    ASSERT_TRUE(EngTgaWriteFileFromPixels("look.tga", 16, 16, pixels.data()));
    mw = std::make_unique<MWin>();
    MWinTextures* t = mw->GetTextures();
    ASSERT_TRUE(t->AddTexture("LookTex", "look.tga", 1, 2));
    ASSERT_NE(t->AddTextureButton("Look", "LookTex", 0, 0, 1, 1, "", 0, 0, 0, 0, "", 0, 0, 0, 0, "",
                                  0, 0, 0, 0),
              nullptr);
    ASSERT_TRUE(t->SetTexButDrawStyle("Look", 2, 0.25f, 4, 2, 0.25f, 4));
    for (int slot = 0; slot < kMWinNumStandardTexButs; ++slot)
      ASSERT_TRUE(t->SetStandardTextureToTexBut(slot, "Look"));
    mw->Startup();
    ASSERT_TRUE(t->IsLoaded());
  }
  void TearDown() override {
    if (mw) {
      mw->Shutdown();
      mw->Cleanup();
      mw.reset();
    }
    GraphicsTest::TearDown();
  }
  int Draws() const { return Rec().CountPrefix("DrawPrimitive"); }

  std::unique_ptr<MWin> mw;
};

TEST_F(MWinRecordingTest, LooksGraphsAndTheDimReachTheDevice) {
  // The picker's shared textures were made with the graphics.
  ASSERT_NE(mw->PickerStrip(), nullptr);
  EXPECT_TRUE(MWinEng()->TextureIsLoaded(mw->PickerStrip()));
  EXPECT_TRUE(MWinEng()->TextureIsLoaded(mw->PickerSquare()));

  MWinCollection* c = mw->GetDesktop()->AddCollection("C");
  const MWinWindowSetup s = TestWindowSetup(100, 100, 200, 100, "Look");
  MWinWindow* w = c->AddWindow("W", &s);
  Rec().Clear();
  mw->Render();
  EXPECT_EQ(Draws(), 9);  // one nine-sliced look

  MWinGraph* g = w->AddGraph("G", "MWIN_TEXBUT_NONE", 10, 10, 100, 60);
  ASSERT_TRUE(g->SetMarks(0, 1, 3, 0, 1, 2));
  Rec().Clear();
  mw->Render();
  // The look, the frame, four grid lines and the series.
  EXPECT_EQ(Draws(), 9 + 1 + 4 + 1);

  ASSERT_TRUE(mw->PopupMessage(nullptr, nullptr));
  Rec().Clear();
  mw->Render();
  // The window and its graph, the dim, and the empty popup: 200 x 1, so its
  // look is sliced across only.
  EXPECT_EQ(Draws(), 9 + 6 + 1 + 3);
  EXPECT_TRUE(mw->PopupCloseIfOpen());
}

}  // namespace
