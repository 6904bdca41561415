// The message box's placer (Platform/BoxPlacer.h) on an X server of its
// own (tests/Support/XServer.h), with windows made here as SDL's box makes
// its own: made at the corner, moved where SDL reckons, then mapped. With
// no window manager the box comes up on the middle of its window, kept on
// the screen, while any other window goes where it asks; where a window
// manager takes the requests the placer leaves them to it; and a request
// sent as the placer ends is still carried out.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "Platform/BoxPlacer.h"
#include "tests/Support/XServer.h"

namespace {

constexpr int kScreenW = 1280, kScreenH = 1024;  // the private display's size

struct Rect {
  int x, y, width, height;
};

class BoxPlacerDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string noDisplay;
    ASSERT_TRUE(TestUsePrivateDisplay(&noDisplay)) << noDisplay;
    c_ = xcb_connect(nullptr, nullptr);
    ASSERT_EQ(xcb_connection_has_error(c_), 0);
    root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
  }
  void TearDown() override {
    if (c_) xcb_disconnect(c_);
  }

  xcb_window_t MakeWindow(const Rect& r) {
    const xcb_window_t w = xcb_generate_id(c_);
    xcb_create_window(c_, XCB_COPY_FROM_PARENT, w, root_, static_cast<std::int16_t>(r.x),
                      static_cast<std::int16_t>(r.y), static_cast<std::uint16_t>(r.width),
                      static_cast<std::uint16_t>(r.height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0,
                      nullptr);
    return w;
  }

  // A box as SDL makes one: at the corner, transient for the window, then
  // moved to where SDL reckons (at) and mapped.
  xcb_window_t ShowBox(xcb_window_t parent, int width, int height, int atX, int atY) {
    const xcb_window_t box = MakeWindow({0, 0, width, height});
    if (parent) {
      xcb_change_property(c_, XCB_PROP_MODE_REPLACE, box, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 32, 1, &parent);
    }
    MoveAndMap(box, atX, atY);
    return box;
  }

  void MoveAndMap(xcb_window_t w, int x, int y) {
    const std::uint32_t place[] = {static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)};
    xcb_configure_window(c_, w, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place);
    xcb_map_window(c_, w);
    xcb_flush(c_);
  }

  bool Viewable(xcb_window_t w) {
    std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> a(
        xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, w), nullptr), &std::free);
    return a && a->map_state == XCB_MAP_STATE_VIEWABLE;
  }

  Rect PlaceOf(xcb_window_t w) {
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> g(
        xcb_get_geometry_reply(c_, xcb_get_geometry(c_, w), nullptr), &std::free);
    return g ? Rect{g->x, g->y, g->width, g->height} : Rect{-1, -1, 0, 0};
  }

  static bool WaitUntil(const std::function<bool()>& test, double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!test()) {
      if (std::chrono::steady_clock::now() > end) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
  }

  xcb_connection_t* c_ = nullptr;
  xcb_window_t root_ = 0;
};

TEST_F(BoxPlacerDisplayTest, WithoutAWindowManagerTheBoxStandsOnItsWindowsMiddleAndOthersGoWhereTheyAsk) {
  struct Case {
    const char* name;
    Rect window;
    int boxW, boxH;
    int x, y;  // where the box comes
  };
  const Case cases[] = {
      {"a window away from the corner", {128, 128, 800, 600}, 300, 101, 378, 377},
      {"the screen's corner", {0, 0, kScreenW, kScreenH}, 400, 150, 440, 437},
      {"a window partly off the screen", {1000, 900, 800, 600}, 500, 200, kScreenW - 500, kScreenH - 200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const xcb_window_t window = MakeWindow(c.window);
    MoveAndMap(window, c.window.x, c.window.y);
    ASSERT_TRUE(WaitUntil([&] { return Viewable(window); }, 5));
    const xcb_window_t other = MakeWindow({0, 0, 200, 100});
    {
      const BoxPlacer placer(window);
      // Where SDL reckons from the window's place counted twice.
      const xcb_window_t box = ShowBox(window, c.boxW, c.boxH, 2 * c.window.x + 40, 2 * c.window.y + 30);
      MoveAndMap(other, 40, 50);
      EXPECT_TRUE(WaitUntil([&] { return Viewable(box) && Viewable(other); }, 5));
      const Rect place = PlaceOf(box);
      EXPECT_EQ(place.x, c.x);
      EXPECT_EQ(place.y, c.y);
      EXPECT_EQ(place.width, c.boxW);
      EXPECT_EQ(place.height, c.boxH);
      EXPECT_EQ(PlaceOf(other).x, 40);
      EXPECT_EQ(PlaceOf(other).y, 50);
      xcb_destroy_window(c_, box);
    }
    xcb_destroy_window(c_, other);
    xcb_destroy_window(c_, window);
  }
}

TEST_F(BoxPlacerDisplayTest, AWindowManagerKeepsTheRequests) {
  // A window manager's part: the map and configure requests of the
  // top-level windows come to it.
  xcb_connection_t* manager = xcb_connect(nullptr, nullptr);
  ASSERT_EQ(xcb_connection_has_error(manager), 0);
  const std::uint32_t redirect = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;
  std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> refused(
      xcb_request_check(manager, xcb_change_window_attributes_checked(manager, root_, XCB_CW_EVENT_MASK, &redirect)),
      &std::free);
  ASSERT_EQ(refused, nullptr);

  const xcb_window_t window = MakeWindow({128, 128, 800, 600});
  {
    const BoxPlacer placer(window);
    const xcb_window_t box = ShowBox(window, 300, 100, 300, 300);
    // The manager hears of the box's map request: nobody carries it out.
    bool asked = false;
    EXPECT_TRUE(WaitUntil(
        [&] {
          while (xcb_generic_event_t* e = xcb_poll_for_event(manager)) {
            asked = asked || ((e->response_type & 0x7F) == XCB_MAP_REQUEST &&
                              reinterpret_cast<xcb_map_request_event_t*>(e)->window == box);
            std::free(e);
          }
          return asked;
        },
        5));
    EXPECT_FALSE(Viewable(box));
  }
  xcb_disconnect(manager);
}

TEST_F(BoxPlacerDisplayTest, ARequestSentAsThePlacerEndsIsCarriedOutAndLaterOnesGoStraightThrough) {
  const xcb_window_t window = MakeWindow({128, 128, 800, 600});
  const xcb_window_t sent = MakeWindow({0, 0, 200, 100});
  const xcb_window_t later = MakeWindow({0, 0, 200, 100});
  std::optional<BoxPlacer> placer(std::in_place, window);
  MoveAndMap(sent, 60, 70);
  placer.reset();
  MoveAndMap(later, 80, 90);
  EXPECT_TRUE(WaitUntil([&] { return Viewable(sent) && Viewable(later); }, 5));
  EXPECT_EQ(PlaceOf(sent).x, 60);
  EXPECT_EQ(PlaceOf(later).y, 90);
}

}  // namespace
