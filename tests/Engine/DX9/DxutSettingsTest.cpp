// Tests of the settings enumeration and ranking, and of the display-mode
// lists, on synthetic adapters with many modes.
#include <gtest/gtest.h>

#include "Engine/DX9/DxutEnumeration.h"
#include "Engine/DX9/EngResModesDX9.h"
#include "Engine/EngResModes.h"
#include "tests/Support/GraphicsTestSupport.h"

namespace {

D3D9AdapterCaps Adapter(const char* description, std::initializer_list<std::pair<UINT, UINT>> modes) {
  D3D9AdapterCaps a;
  a.description = description;
  a.deviceName = "DISPLAY";
  a.desktop = {1280, 1024, 60, D3DFMT_X8R8G8B8};
  for (auto [w, h] : modes) {
    a.modes.push_back({w, h, 60, D3DFMT_X8R8G8B8});
    a.modes.push_back({w, h, 75, D3DFMT_X8R8G8B8});
  }
  return a;
}

class DxutTest : public GraphicsTest {
 protected:
  void Enumerate(const D3D9Caps& caps) {
    Rec().caps = caps;
    d3d_ = Direct3DCreate9(32);
    ASSERT_NE(d3d_, nullptr);
    DxutEnumerationReset();
    ASSERT_EQ(DxutEnumerationDoEnumerate(d3d_, nullptr, nullptr), 0);
  }
  void TearDown() override {
    DxutEnumerationCleanup();
    if (d3d_) d3d_->Release();
    GraphicsTest::TearDown();
  }

  // The engine's request for a mode (as device creation makes it).
  static DxutDeviceSettings Request(bool windowed, UINT width, UINT height) {
    DxutDeviceSettings s{};
    s.pp.Windowed = windowed;
    s.pp.BackBufferWidth = width;
    s.pp.BackBufferHeight = height;
    if (!windowed) s.adapterFormat = D3DFMT_X8R8G8B8;
    return s;
  }
  static DxutMatchOptions EngineOptions(bool windowed) {
    DxutMatchOptions o{};
    o.adapterOrdinal = DXUTMT_PRESERVE_INPUT;
    o.windowed = DXUTMT_PRESERVE_INPUT;
    o.adapterFormat = windowed ? DXUTMT_IGNORE_INPUT : DXUTMT_CLOSEST_TO_INPUT;
    o.resolution = DXUTMT_CLOSEST_TO_INPUT;
    o.multiSample = DXUTMT_PRESERVE_INPUT;
    return o;
  }

  IDirect3D9* d3d_ = nullptr;
};

}  // namespace

TEST_F(DxutTest, FullScreenRequestsFitTheClosestMode) {
  D3D9Caps caps;
  caps.adapters.push_back(Adapter("Card", {{640, 480}, {800, 600}, {1024, 768}, {1152, 864}, {1280, 1024}, {1600, 1200}}));
  Enumerate(caps);
  struct Case {
    UINT w, h, expectedW, expectedH;
  };
  for (const Case& c : {Case{1000, 700, 1024, 768}, Case{1024, 768, 1024, 768}, Case{10, 10, 640, 480},
                        Case{5000, 5000, 1600, 1200}}) {
    SCOPED_TRACE(c.w);
    const DxutDeviceSettings in = Request(false, c.w, c.h);
    const DxutMatchOptions options = EngineOptions(false);
    DxutDeviceSettings out{};
    ASSERT_EQ(DXUTFindValidDeviceSettings(&out, &in, &options), 0);
    EXPECT_FALSE(out.pp.Windowed);
    EXPECT_EQ(out.pp.BackBufferWidth, c.expectedW);
    EXPECT_EQ(out.pp.BackBufferHeight, c.expectedH);
    EXPECT_EQ(out.adapterFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(out.pp.FullScreen_RefreshRateInHz, 60u);  // the desktop's rate
    EXPECT_EQ(out.pp.PresentationInterval, D3DPRESENT_INTERVAL_DEFAULT);
    EXPECT_EQ(out.behaviorFlags, D3DCREATE_HARDWARE_VERTEXPROCESSING);
    EXPECT_EQ(out.pp.AutoDepthStencilFormat, D3DFMT_D24X8);  // nearest 4 x 8 bits, least stencil
  }
}

TEST_F(DxutTest, WindowedRequestsAreCappedAtTheDesktop) {
  D3D9Caps caps;
  caps.adapters.push_back(Adapter("Card", {{800, 600}}));
  Enumerate(caps);
  const DxutDeviceSettings in = Request(true, 2000, 900);
  const DxutMatchOptions options = EngineOptions(true);
  DxutDeviceSettings out{};
  ASSERT_EQ(DXUTFindValidDeviceSettings(&out, &in, &options), 0);
  EXPECT_TRUE(out.pp.Windowed);
  EXPECT_EQ(out.pp.BackBufferWidth, 1280u);
  EXPECT_EQ(out.pp.BackBufferHeight, 900u);
  EXPECT_EQ(out.pp.PresentationInterval, D3DPRESENT_INTERVAL_IMMEDIATE);
}

TEST_F(DxutTest, RankingPrefersTheRequestAndTheFirstOfEquals) {
  D3D9Caps caps;
  caps.adapters.push_back(Adapter("Same card", {{800, 600}}));
  caps.adapters.push_back(Adapter("Same card", {{800, 600}}));
  Enumerate(caps);
  const std::vector<DxutEnumerationAdapterInfo>* adapters = nullptr;
  ASSERT_TRUE(DxutEnumerationGetAdapterList(&adapters));
  ASSERT_EQ(adapters->size(), 2u);
  EXPECT_EQ((*adapters)[0].uniqueDescription, "Same card (#0)");
  EXPECT_EQ((*adapters)[1].uniqueDescription, "Same card (#1)");
  // Each adapter: HAL only, X8R8G8B8 and A8R8G8B8 back buffers, window and full screen.
  EXPECT_EQ((*adapters)[0].deviceInfos.size(), 1u);
  EXPECT_EQ((*adapters)[0].deviceInfos[0].combos.size(), 4u);

  DxutDeviceSettings in = Request(true, 800, 600);
  in.adapterOrdinal = 1;
  const DxutMatchOptions options = EngineOptions(true);
  DxutDeviceSettings out{};
  ASSERT_EQ(DXUTFindValidDeviceSettings(&out, &in, &options), 0);
  EXPECT_EQ(out.adapterOrdinal, 1u);
  // X8R8G8B8 back buffer (the adapter format, +0.1) beats A8R8G8B8.
  EXPECT_EQ(out.pp.BackBufferFormat, D3DFMT_X8R8G8B8);

  // A kept multisample type that no adapter offers: nothing fits.
  in.pp.MultiSampleType = D3DMULTISAMPLE_8_SAMPLES;
  EXPECT_EQ(DXUTFindValidDeviceSettings(&out, &in, &options), DXUTERR_NOCOMPATIBLEDEVICES);
  DxutEnumerationCleanup();
  EXPECT_EQ(DXUTFindValidDeviceSettings(&out, &in, &options), E_FAIL);
  EXPECT_TRUE(BoxShown("Enumeration not done"));
}

TEST_F(DxutTest, ModeListsAreUniqueSortedAndCarryTheirAntiAliasing) {
  D3D9Caps caps;
  D3D9AdapterCaps a = Adapter("Card", {{1280, 1024}, {640, 480}, {1024, 768}, {800, 600}});
  for (int t = 0; t <= 16; ++t) a.multisampleLevels[t] = 0;
  a.multisampleLevels[0] = 1;
  a.multisampleLevels[2] = 1;
  a.multisampleLevels[4] = 3;
  caps.adapters.push_back(a);
  Rec().caps = caps;
  program_ = std::make_unique<CallbackProgram>();  // the main device type is the program's
  ASSERT_TRUE(EngResModesGetModesAvailable());
  const EngResModesData& data = EngResModesGetData();
  ASSERT_EQ(data.count, 4);  // 60 and 75 Hz of a size are one mode
  const int widths[4] = {640, 800, 1024, 1280};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(data.modes[i].width, widths[i]);
  EXPECT_STREQ(EngResModesGetFullScreenResModeEntryAsString(2), "1024 x 768 x 32");
  EXPECT_STREQ(EngResModesGetFullScreenResModeEntryAsString(4), "");
  EXPECT_TRUE(LogContains("Bad mode num"));

  // Off, 2x2, then three levels of 4 samples; the non-maskable levels (2)
  // are not more than those entries, so none is added.
  ASSERT_EQ(EngResModesGetNumAAEntriesForFullscreenMode(0), 5);
  const char* texts[5] = {"Off", "2x2", "4x4", "4x4 Level 2", "4x4 Level 3"};
  for (int e = 0; e < 5; ++e) EXPECT_STREQ(EngResModesGetAAEntryForFullscreenModeAsString(0, e), texts[e]);
  EXPECT_EQ(EngResModesGetNumAAEntriesForWindowedMode(), 5);
  EXPECT_EQ(data.windowed.width, 1280);
  EXPECT_EQ(data.windowed.bitDepth, 32);

  const EngResModesAAEntry nonMaskable{1, 2}, odd{17, 0};
  EXPECT_STREQ(EngResModesGetAAEntryAsString_DX9(&nonMaskable), "Level 3");
  EXPECT_STREQ(EngResModesGetAAEntryAsString_DX9(&odd), "?");
  EXPECT_STREQ(EngResModesGetAAEntryAsString_DX9(nullptr), "(error)");
}

TEST_F(DxutTest, ClosestModesAndModeNumbers) {
  program_ = std::make_unique<CallbackProgram>();
  EngResModesData& data = EngResModesGetData();
  data = {};
  const int modes[3][3] = {{800, 600, 32}, {1024, 768, 16}, {1024, 768, 32}};
  for (const auto& m : modes) {
    EngResModesMode& e = data.modes[data.count++];
    e.width = m[0];
    e.height = m[1];
    e.bitDepth = m[2];
    e.numAAEntries = 1;
  }
  data.setUp = true;
  int w = 1024, h = 768, bd = 24, aa = 5;
  ASSERT_TRUE(EngResModesGetClosestFullScreenModeToMode(&w, &h, &bd, &aa));
  EXPECT_EQ(bd, 16);  // equal cost: the first listed wins
  EXPECT_EQ(aa, 0);
  EXPECT_EQ(EngResModeGetFullscreenModeNumberFromSettings(1024, 768, 24), 1);
  EXPECT_EQ(EngResModeGetFullscreenModeNumberFromSettings(790, 590, 32), 0);
  data.count = 0;
  EXPECT_FALSE(EngResModesGetClosestFullScreenModeToMode_DX9(&w, &h, &bd));
  EXPECT_TRUE(LogContains("Could not get closest mode"));
  data.setUp = false;
  EXPECT_EQ(EngResModesGetNumAAEntriesForWindowedMode(), 0);
  EXPECT_TRUE(LogContains("Modes not setup"));
}
