// The start-up dialog and the updater's windows on GTK under the X display:
// the dialog is played by a script on the real widgets (Window, then Play),
// its controls are checked to sit inside their rectangles without
// overlapping, and screenshots are saved (screenshots/startup-dialog.png and
// screenshots/update-offer.png in the build folder). The update window is
// answered from a GLib timer while its loop runs: it is captured, then
// Download fetches a file from a loopback https server onto the desktop.
// The Internet test's boxes are GTK's too, answered the same way.
// Runs on an X server of its own.
#include <glib.h>
#include <gtk/gtk.h>
#include <png.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "App/PrefFolder.h"
#include "App/Resolution.h"
#include "App/StartupDialog.h"
#include "App/Updater.h"
#include "Engine/DX9/SWin.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngResModes.h"
#include "Platform/DialogBox.h"
#include "Platform/PlainWindow.h"
#include "Platform/WinInet.h"
#include "tests/Support/HttpTestServer.h"
#include "tests/Support/HttpsFileServer.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"
#include "tests/Support/XServer.h"

namespace {

namespace fs = std::filesystem;

const std::string kShots = std::string(CARDOLIA_BUILD_DIR) + "/screenshots";

void SavePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb) {
  fs::create_directories(fs::path(path).parent_path());
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  EXPECT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr)) << path;
}

bool Overlap(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

class StartupDialogDisplayTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::string noDisplay;
    ASSERT_TRUE(TestUsePrivateDisplay(&noDisplay)) << noDisplay;
    setenv("NO_AT_BRIDGE", "1", 1);  // no accessibility bus under Xvfb
    setenv("XDG_DATA_HOME", (dir_ + "/data").c_str(), 1);
    setenv("HOME", dir_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (dir_ + "/config").c_str(), 1);
    PrefFolderSetup("Free Cardolia 3D", false, nullptr);
    // The program runs from a folder with the data: so does this test.
    fs::create_directory_symlink(CARDOLIA_BUILD_DIR "/Data", dir_ + "/Data");
    ASSERT_TRUE(EngLanguagesInit(CARDOLIA_BUILD_DIR "/Languages", "English"));
    ResolutionSetDefaults();
    EngResModesData& modes = EngResModesGetData();
    modes = EngResModesData{};
    modes.windowed = EngResModesMode{1024, 768, 32, 0, 2, {{0, 0}, {4, 0}}};
    modes.modes[0] = EngResModesMode{1024, 768, 32, 0, 2, {{0, 0}, {4, 0}}};
    modes.modes[1] = EngResModesMode{1280, 1024, 32, 0, 3, {{0, 0}, {2, 0}, {4, 0}}};
    modes.count = 2;
    modes.setUp = true;
    g_ResolutionSettings.fullWidth = 1280;
    g_ResolutionSettings.fullHeight = 1024;
  }
  void TearDown() override {
    EngResModesGetData() = EngResModesData{};
    EngLanguagesRelease();
    TempDirTest::TearDown();
  }
};

// What the observer saw of the dialog on screen.
struct Seen {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;
  int bannerWidth = 0, bannerHeight = 0;
  std::vector<std::string> problems;
};

void LookAtDialog(HWND dialog, int step, void* context) {
  if (step != -1) return;
  auto* seen = static_cast<Seen*>(context);
  PlatformDialogPictureSize(dialog, kStartupBanner, &seen->bannerWidth, &seen->bannerHeight);
  int clientWidth = 0, clientHeight = 0;
  PlatformDialogClientSize(dialog, &clientWidth, &clientHeight);
  // Every visible control is drawn where the table puts it (GTK did not need
  // to make it larger), inside the window, and over no other control.
  const DialogTemplate* table = StartupDialogTemplate();
  std::vector<std::pair<int, RECT>> drawn;
  for (int i = 0; i < table->itemCount; ++i) {
    const DialogItemTemplate& item = table->items[i];
    if (!IsDlgItemVisible(dialog, item.id)) continue;
    RECT at{}, asked{};
    ASSERT_TRUE(PlatformDialogItemPlacement(dialog, item.id, &at, &asked));
    if (at.right - at.left != asked.right - asked.left || at.bottom - at.top != asked.bottom - asked.top ||
        at.left != asked.left || at.top != asked.top) {
      seen->problems.push_back("control " + std::to_string(item.id) + " drawn " + std::to_string(at.right - at.left) +
                               "x" + std::to_string(at.bottom - at.top) + " for " +
                               std::to_string(asked.right - asked.left) + "x" +
                               std::to_string(asked.bottom - asked.top));
    }
    if (at.left < 0 || at.top < 0 || at.right > clientWidth || at.bottom > clientHeight) {
      seen->problems.push_back("control " + std::to_string(item.id) + " leaves the window");
    }
    if (item.kind != kDialogGroupBox) drawn.push_back({item.id, at});
  }
  for (std::size_t a = 0; a < drawn.size(); ++a) {
    for (std::size_t b = a + 1; b < drawn.size(); ++b) {
      if (Overlap(drawn[a].second, drawn[b].second)) {
        seen->problems.push_back("controls " + std::to_string(drawn[a].first) + " and " +
                                 std::to_string(drawn[b].first) + " overlap");
      }
    }
  }
  PlatformDialogCapture(dialog, &seen->width, &seen->height, &seen->rgb);
}

}  // namespace

TEST_F(StartupDialogDisplayTest, TheDialogShowsItsBannerAndControlsAndWindowThenPlayStoresAWindow) {
  unsetenv("CARDOLIA_HEADLESS");
  Seen seen;
  const DialogScriptStep steps[] = {{kStartupCardTextures, 2}, {kStartupWindowed, -1}, {kStartupPlay, -1}};
  PlatformDialogSetScriptForTests(steps, 3, LookAtDialog, &seen);
  const INT_PTR result = DialogBoxParamA(nullptr, StartupDialogTemplate(), nullptr, StartupDialogProc, 0);
  setenv("CARDOLIA_HEADLESS", "1", 1);

  EXPECT_EQ(result, 1);
  EXPECT_EQ(g_ResolutionSettings.windowed, 1);
  EXPECT_EQ(g_ResolutionSettings.cardQuality, 2);
  EXPECT_TRUE(seen.problems.empty()) << ::testing::PrintToString(seen.problems);
  EXPECT_GT(seen.bannerWidth, 300);
  EXPECT_GT(seen.bannerHeight, 70);
  ASSERT_GT(seen.width, 0) << "the dialog was not drawn on GTK";
  SavePng(kShots + "/startup-dialog.png", seen.width, seen.height, seen.rgb);
  // The banner's cloth is green at its left, below the gold line.
  const std::size_t x = static_cast<std::size_t>(seen.width) / 20, y = static_cast<std::size_t>(seen.height) / 14;
  const std::uint8_t* pixel = &seen.rgb[(y * static_cast<std::size_t>(seen.width) + x) * 3];
  EXPECT_GT(pixel[1], pixel[0] + 20);
  EXPECT_GT(pixel[1], pixel[2] + 20);
}

// A click is only taken by a dialog whose buttons are where they are drawn:
// the window comes on the screen once filled and laid out, never before.
namespace {

struct Showing {
  bool atInit = false;
  ProgramHarness::WindowPlace shown;
};
Showing g_showing;

bool DialogOnScreen() { return ProgramHarness::FindWindowOn(std::getenv("DISPLAY"), "Free Cardolia 3D").id != 0; }

INT_PTR WatchedStartupProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) g_showing.atInit = DialogOnScreen();
  return StartupDialogProc(dialog, message, wParam, lParam);
}

void LookWhenShown(HWND, int step, void*) {
  if (step == -1) g_showing.shown = ProgramHarness::FindWindowOn(std::getenv("DISPLAY"), "Free Cardolia 3D");
}

}  // namespace

TEST_F(StartupDialogDisplayTest, TheDialogComesOnTheScreenOnlyOnceItIsFilledAndLaidOut) {
  unsetenv("CARDOLIA_HEADLESS");
  g_showing = Showing();
  const DialogScriptStep steps[] = {{kStartupPlay, -1}};
  PlatformDialogSetScriptForTests(steps, 1, LookWhenShown, nullptr);
  const INT_PTR result = DialogBoxParamA(nullptr, StartupDialogTemplate(), nullptr, WatchedStartupProc, 0);
  setenv("CARDOLIA_HEADLESS", "1", 1);

  EXPECT_EQ(result, 1);
  EXPECT_FALSE(g_showing.atInit) << "the dialog was on the screen before its procedure filled it";
  ASSERT_NE(g_showing.shown.id, 0u) << "the dialog was not on the screen once filled";
  // At its final size: as wide and high as its table at the measured factor.
  const double scale = static_cast<double>(g_showing.shown.width) / StartupDialogTemplate()->width;
  EXPECT_NEAR(g_showing.shown.height, StartupDialogTemplate()->height * scale, 2.0);
  EXPECT_FALSE(DialogOnScreen()) << "the dialog stayed after it ended";
}

// ---- The update offer ------------------------------------------------------------------

namespace {

struct Offer {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;
  std::string text;
  int looks = 0;
};

// Runs inside the updater's window loop: once the offer is up, captures it
// and presses Download.
gboolean AnswerOffer(gpointer context) {
  auto* offer = static_cast<Offer*>(context);
  SWin& window = SWinGet();
  if (++offer->looks > 200) return G_SOURCE_REMOVE;
  if (!window.IsCreated() || window.GetControlCount() < 3 || window.GetControl(0)->type != kSWinEdit) {
    return G_SOURCE_CONTINUE;
  }
  char text[512] = "";
  window.GetButtonText(0, text, sizeof text);
  offer->text = text;
  PlainWindowCapture(window.GetPlainWindow(), &offer->width, &offer->height, &offer->rgb);
  for (int i = 0; i < window.GetControlCount(); ++i) {
    char caption[32] = "";
    if (window.GetControl(i)->type == kSWinPushButton && window.GetButtonText(i, caption, sizeof caption) &&
        std::strcmp(caption, "Download") == 0) {
      PlainWindowFakeClick(window.GetPlainWindow(), window.GetControl(i)->handle);
    }
  }
  return G_SOURCE_REMOVE;
}

}  // namespace

TEST_F(StartupDialogDisplayTest, TheUpdateOfferShowsItsTextAndDownloadBringsTheFileToTheDesktop) {
  PlainWindowUseBackEnd(kPlainWindowGtk);  // message boxes stay headless
  const std::string served = dir_ + "/served";
  fs::create_directories(served);
  // A tarball begins as gzip does: nothing else is kept under that name.
  WriteFile(served + "/Cardolia-4.90.tar.gz", std::string("\x1f\x8b", 2) + std::string(300000 - 2, 'z'));
  HttpsFileServer https(served);
  ASSERT_TRUE(https.Running());
  PlatformInternetSetCaFileForTests(https.CaFile().c_str());
  HttpTestServer service;
  service.SetReply(kUpdaterScriptPath,
                   HttpTestReply::Text("Version 4.90 of Cardolia 3D is here: your version is out of date.\n\n"
                                       "New in this version: quicker deals and two new card backs.\n"
                                       "#DL:<" + https.Url("/Cardolia-4.90.tar.gz") + ">"));
  setenv("CARDOLIA_SITE_URL", service.Url("").c_str(), 1);
  UpdaterSetResultPauseForTests(0.0);

  Offer offer;
  g_timeout_add(100, AnswerOffer, &offer);
  EXPECT_TRUE(UpdaterCheckForUpdates(4.82f, "Free"));
  PlainWindowUseBackEnd(kPlainWindowAuto);
  PlatformInternetSetCaFileForTests(nullptr);
  unsetenv("CARDOLIA_SITE_URL");

  EXPECT_EQ(offer.text.rfind("Version 4.90 of Cardolia 3D is here", 0), 0u) << offer.text;
  EXPECT_EQ(offer.text.find("#DL:"), std::string::npos);
  ASSERT_GT(offer.width, 0) << "the offer was not drawn on GTK";
  SavePng(kShots + "/update-offer.png", offer.width, offer.height, offer.rgb);
  EXPECT_EQ(fs::file_size(dir_ + "/Desktop/Cardolia-4.90.tar.gz"), 300000u);
}

// ---- The Internet test's boxes ---------------------------------------------------------

namespace {

// The boxes the player saw, answered from a GLib timer while each one runs:
// the first Yes/No box Yes (after the service has been mended), any later
// one No.
struct Boxes {
  std::vector<std::string> seen;  // "title: text"
  HttpTestServer* service = nullptr;
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;  // the Yes/No box
  GtkWidget* current = nullptr;
  int looks = 0;
  int ticks = 0;
};

gboolean AnswerBox(gpointer context) {
  auto* boxes = static_cast<Boxes*>(context);
  if (++boxes->ticks > 600) return G_SOURCE_REMOVE;  // a minute: the test fails on what it saw
  GtkWidget* box = nullptr;
  GList* windows = gtk_window_list_toplevels();
  for (GList* w = windows; w; w = w->next) {
    if (GTK_IS_MESSAGE_DIALOG(w->data) && gtk_widget_get_mapped(GTK_WIDGET(w->data))) box = GTK_WIDGET(w->data);
  }
  g_list_free(windows);
  if (!box) return G_SOURCE_CONTINUE;
  // Let a new box be drawn before it is read and answered.
  if (box != boxes->current) {
    boxes->current = box;
    boxes->looks = 0;
  }
  if (++boxes->looks < 3) return G_SOURCE_CONTINUE;
  gchar* text = nullptr;
  g_object_get(box, "text", &text, nullptr);
  boxes->seen.push_back(std::string(gtk_window_get_title(GTK_WINDOW(box))) + ": " + (text ? text : ""));
  g_free(text);
  int response = GTK_RESPONSE_OK;
  if (gtk_dialog_get_widget_for_response(GTK_DIALOG(box), GTK_RESPONSE_YES)) {
    const bool first = boxes->rgb.empty();
    if (first) {
      GdkWindow* surface = gtk_widget_get_window(box);
      boxes->width = gdk_window_get_width(surface);
      boxes->height = gdk_window_get_height(surface);
      GdkPixbuf* pixels = gdk_pixbuf_get_from_window(surface, 0, 0, boxes->width, boxes->height);
      const int channels = gdk_pixbuf_get_n_channels(pixels), stride = gdk_pixbuf_get_rowstride(pixels);
      for (int y = 0; y < boxes->height; ++y) {
        for (int x = 0; x < boxes->width; ++x) {
          const guchar* p = gdk_pixbuf_get_pixels(pixels) + y * stride + x * channels;
          boxes->rgb.insert(boxes->rgb.end(), {p[0], p[1], p[2]});
        }
      }
      g_object_unref(pixels);
      boxes->service->SetReply(kUpdaterScriptPath, HttpTestReply::Text("ok"));
    }
    response = first ? GTK_RESPONSE_YES : GTK_RESPONSE_NO;
  }
  boxes->current = nullptr;
  gtk_dialog_response(GTK_DIALOG(box), response);
  return G_SOURCE_CONTINUE;
}

}  // namespace

TEST_F(StartupDialogDisplayTest, TheInternetTestsBoxesShowOnGtkAndTheirAnswersCount) {
  unsetenv("CARDOLIA_HEADLESS");
  HttpTestServer service;
  service.SetReply(kUpdaterScriptPath, HttpTestReply::Text("Not Found", 404));
  setenv("CARDOLIA_SITE_URL", service.Url("").c_str(), 1);
  // The dialog has run before the tests: GTK is up.
  PlainWindow* dialog = PlainWindowCreateOn(kPlainWindowGtk, "Free Cardolia 3D", -1, -1, 100, 50, 240, 240, 240);
  ASSERT_NE(dialog, nullptr);
  PlainWindowDestroy(dialog);

  Boxes boxes;
  boxes.service = &service;
  const guint timer = g_timeout_add(100, AnswerBox, &boxes);
  g_ResolutionSettings.httpTest = 255;
  StartupDialogRunInternetTests(4.82f);
  g_source_remove(timer);
  setenv("CARDOLIA_HEADLESS", "1", 1);
  unsetenv("CARDOLIA_SITE_URL");

  ASSERT_EQ(boxes.seen.size(), 5u) << ::testing::PrintToString(boxes.seen);
  EXPECT_EQ(boxes.seen[0].rfind("Internet Test: ", 0), 0u) << boxes.seen[0];
  EXPECT_EQ(boxes.seen[2], "Internet Test Failed: Could not read result from the URL");
  EXPECT_EQ(boxes.seen[3].rfind("Internet Test Failed: ", 0), 0u) << boxes.seen[3];
  EXPECT_EQ(boxes.seen[4].rfind("Internet Test: ", 0), 0u) << boxes.seen[4];
  EXPECT_EQ(g_ResolutionSettings.httpTest, 1);
  ASSERT_GT(boxes.width, 0);
  SavePng(kShots + "/internet-test-box.png", boxes.width, boxes.height, boxes.rgb);
}
