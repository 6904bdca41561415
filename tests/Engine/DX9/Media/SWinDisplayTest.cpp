// The plain window on GTK under the X display: the updater's result window
// is drawn in its grey, reports clicks through GTK, leaves the program's
// locale alone, and is saved as a screenshot (screenshots/updater-window.png in the build folder). Skipped
// without a display.
#include <png.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/DX9/SWin.h"
#include "Platform/PlainWindow.h"
#include "tests/Support/TestSupport.h"
#include "tests/Support/XServer.h"

namespace {

int gDownloads = 0;
int gCloses = 0;

class SWinDisplayTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::string noDisplay;
    ASSERT_TRUE(TestUsePrivateDisplay(&noDisplay)) << noDisplay;
    setenv("NO_AT_BRIDGE", "1", 1);  // no accessibility bus under Xvfb
    PlainWindowUseBackEnd(kPlainWindowGtk);
    gDownloads = gCloses = 0;
  }
  void TearDown() override {
    if (window_.IsCreated()) window_.DestroyMainWindow();
    PlainWindowUseBackEnd(kPlainWindowAuto);
    TempDirTest::TearDown();
  }
  SWin window_;
};

void SavePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  EXPECT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr)) << path;
}

}  // namespace

TEST_F(SWinDisplayTest, TheUpdatersWindowShowsItsGreyAndReportsClicks) {
  SWinSettings settings{};
  std::strcpy(settings.title, "Cardolia Update");
  settings.x = settings.y = -1;
  settings.width = 640;
  settings.height = 420;
  settings.red = settings.green = settings.blue = 0.94f;
  // GTK leaves the program's locale as it was: numbers written after the
  // window keep their decimal point whatever the user's locale says.
  setenv("LC_ALL", "C.UTF-8", 1);
  const std::string locale = std::setlocale(LC_ALL, nullptr);
  ASSERT_TRUE(window_.CreateMainWindow(&settings));
  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), locale);
  unsetenv("LC_ALL");
  const char* message =
      "A new version of Cardolia is available: your version is out of date.\n\n"
      "The new version brings new card backs and quicker deals.\n"
      "Press Download to fetch it; it will be placed on your Desktop.";
  ASSERT_GE(window_.AddButtonToWindow(kSWinEdit, 20, 20, 600, 320, message), 0);
  const int close = window_.AddPushButton(480, 360, 140, 20, "Close", [](SWin*) { ++gCloses; });
  const int download = window_.AddPushButton(20, 360, 140, 20, "Download", [](SWin*) { ++gDownloads; });
  ASSERT_GE(close, 0);
  ASSERT_GE(download, 0);

  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;
  ASSERT_TRUE(PlainWindowCapture(window_.GetPlainWindow(), &width, &height, &rgb));
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 420);
  // Between the text box and the buttons: the window's own grey, 0.94 x 255.
  const std::uint8_t* ground = &rgb[(350u * static_cast<std::size_t>(width) + 320u) * 3u];
  for (int channel = 0; channel < 3; ++channel) EXPECT_NEAR(ground[channel], 239, 2) << channel;
  // The text box is lighter than the ground (white text field).
  const std::uint8_t* field = &rgb[(300u * static_cast<std::size_t>(width) + 500u) * 3u];
  EXPECT_GT(field[0], 245);
  const std::filesystem::path folder = CARDOLIA_BUILD_DIR "/screenshots";
  std::filesystem::create_directories(folder);
  SavePng((folder / "updater-window.png").string(), width, height, rgb);

  PlainWindowFakeClick(window_.GetPlainWindow(), window_.GetControl(download)->handle);
  while (window_.ProcessAnyWindowsMessages() == 2) {
  }
  EXPECT_EQ(gDownloads, 1);
  EXPECT_EQ(gCloses, 0);
  PlainWindowFakeClick(window_.GetPlainWindow(), window_.GetControl(close)->handle);
  while (window_.ProcessAnyWindowsMessages() == 2) {
  }
  EXPECT_EQ(gCloses, 1);

  // Text from the edit box comes back in game text (CP1252).
  ASSERT_TRUE(window_.SetButtonText(0, "Caf\xE9 au lait"));
  char back[32];
  ASSERT_TRUE(window_.GetButtonText(0, back, sizeof back));
  EXPECT_STREQ(back, "Caf\xE9 au lait");
  EXPECT_TRUE(window_.DestroyMainWindow());
}
