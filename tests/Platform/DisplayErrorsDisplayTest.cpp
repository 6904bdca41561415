// Requests the display refuses (X protocol errors) with the program's
// handlers in place (Platform/DisplayLoss.h): the report hears of one and
// the process goes on, where Xlib's own handler ends it; GTK's connection
// keeps GTK's handler. Runs on an X server of its own
// (tests/Support/XServer.h).
// gtest first: Xlib's None would stand for a name of its own.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <string>
#include <vector>

#include "Platform/DisplayLoss.h"
#include "tests/Support/XServer.h"

namespace {

std::vector<std::string> g_reported;
int g_gtkErrors = 0;

void Report(const char* text) { g_reported.emplace_back(text); }

int GtksHandler(Display*, XErrorEvent*) {
  ++g_gtkErrors;
  return 0;
}

// A request the display refuses: the geometry of a window it has not.
void AskTheSizeOfNoWindow(Display* display) {
  ::Window root = 0;
  int x = 0, y = 0;
  unsigned width = 0, height = 0, border = 0, depth = 0;
  XGetGeometry(display, 0x1FFFFFFF, &root, &x, &y, &width, &height, &border, &depth);
  XSync(display, False);
}

TEST(DisplayErrorsDisplayTest, ARefusedRequestIsReportedAndTheRunGoesOnWhileGtksConnectionKeepsGtksHandler) {
  std::string noDisplay;
  ASSERT_TRUE(TestUsePrivateDisplay(&noDisplay)) << noDisplay;
  Display* game = XOpenDisplay(nullptr);
  Display* gtk = XOpenDisplay(nullptr);
  ASSERT_NE(game, nullptr);
  ASSERT_NE(gtk, nullptr);
  const XErrorHandler before = XSetErrorHandler(GtksHandler);
  PlatformSetDisplayErrorReport(Report);
  PlatformLeaveDisplayErrorsToGtk(gtk);

  struct Case {
    const char* name;
    Display* display;
    bool reported;  // else GTK's handler has it
  };
  for (const Case& c : {Case{"the game's connection", game, true}, Case{"GTK's connection", gtk, false}}) {
    SCOPED_TRACE(c.name);
    g_reported.clear();
    g_gtkErrors = 0;
    AskTheSizeOfNoWindow(c.display);
    if (c.reported) {
      ASSERT_EQ(g_reported.size(), 1u);
      EXPECT_NE(g_reported[0].find("X_GetGeometry"), std::string::npos) << g_reported[0];
      EXPECT_NE(g_reported[0].find("BadDrawable"), std::string::npos) << g_reported[0];
      EXPECT_EQ(g_gtkErrors, 0);
    } else {
      EXPECT_TRUE(g_reported.empty()) << g_reported.front();
      EXPECT_EQ(g_gtkErrors, 1);
    }
  }
  // The connection still answers.
  ::Window root = 0;
  int x = 0, y = 0;
  unsigned width = 0, height = 0, border = 0, depth = 0;
  EXPECT_NE(XGetGeometry(game, DefaultRootWindow(game), &root, &x, &y, &width, &height, &border, &depth), 0);
  EXPECT_GT(width, 0u);

  PlatformSetDisplayErrorReport(nullptr);
  XSetErrorHandler(before);
  XCloseDisplay(gtk);
  XCloseDisplay(game);
}

}  // namespace
