// BoxPlacer.cpp - SDL's message box on the middle of its window where no
// window manager runs (see BoxPlacer.h).
//
// The thread carries out the redirected requests as they come:
//   MapRequest        the window mapped; a box first put on its place
//   ConfigureRequest  the values asked for; a box's place replaced by its own
//   CirculateRequest  the stacking asked for
#include "Platform/BoxPlacer.h"

#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>

namespace {

struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

bool IsTransientFor(xcb_connection_t* c, xcb_window_t box, xcb_window_t window) {
  const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      c, xcb_get_property(c, 0, box, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 0, 1), nullptr));
  if (!reply || xcb_get_property_value_length(reply.get()) < 4) return false;
  return *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get())) == window;
}

// Where a box of the outer size goes: its middle on the window's middle,
// kept on the screen when it fits there. False when the window is gone.
bool MiddleOf(xcb_connection_t* c, xcb_window_t root, xcb_window_t window, int width, int height, int* x,
              int* y) {
  const Reply<xcb_get_geometry_reply_t> size(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
  const Reply<xcb_translate_coordinates_reply_t> corner(
      xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, root, 0, 0), nullptr));
  const Reply<xcb_get_geometry_reply_t> screen(xcb_get_geometry_reply(c, xcb_get_geometry(c, root), nullptr));
  if (!size || !corner || !screen) return false;
  *x = corner->dst_x + (size->width - width) / 2;
  *y = corner->dst_y + (size->height - height) / 2;
  *x = std::max(0, std::min(*x, screen->width - width));
  *y = std::max(0, std::min(*y, screen->height - height));
  return true;
}

void Map(xcb_connection_t* c, xcb_window_t root, xcb_window_t window, const xcb_map_request_event_t& e) {
  if (IsTransientFor(c, e.window, window)) {
    const Reply<xcb_get_geometry_reply_t> box(xcb_get_geometry_reply(c, xcb_get_geometry(c, e.window), nullptr));
    int x = 0, y = 0;
    if (box && MiddleOf(c, root, window, box->width + 2 * box->border_width,
                        box->height + 2 * box->border_width, &x, &y)) {
      const std::uint32_t place[] = {static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)};
      xcb_configure_window(c, e.window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place);
    }
  }
  xcb_map_window(c, e.window);
}

void Configure(xcb_connection_t* c, xcb_window_t root, xcb_window_t window,
               const xcb_configure_request_event_t& e) {
  std::uint16_t mask = e.value_mask;
  int x = e.x, y = e.y;
  if ((mask & (XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y)) && IsTransientFor(c, e.window, window) &&
      MiddleOf(c, root, window, e.width + 2 * e.border_width, e.height + 2 * e.border_width, &x, &y)) {
    mask |= XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y;
  }
  // The values in the order of their bits.
  std::uint32_t values[7];
  int n = 0;
  if (mask & XCB_CONFIG_WINDOW_X) values[n++] = static_cast<std::uint32_t>(x);
  if (mask & XCB_CONFIG_WINDOW_Y) values[n++] = static_cast<std::uint32_t>(y);
  if (mask & XCB_CONFIG_WINDOW_WIDTH) values[n++] = e.width;
  if (mask & XCB_CONFIG_WINDOW_HEIGHT) values[n++] = e.height;
  if (mask & XCB_CONFIG_WINDOW_BORDER_WIDTH) values[n++] = e.border_width;
  if (mask & XCB_CONFIG_WINDOW_SIBLING) values[n++] = e.sibling;
  if (mask & XCB_CONFIG_WINDOW_STACK_MODE) values[n++] = e.stack_mode;
  xcb_configure_window(c, e.window, mask, values);
}

void CarryOut(xcb_connection_t* c, xcb_window_t root, xcb_window_t window, const xcb_generic_event_t& e) {
  switch (e.response_type & 0x7F) {
    case XCB_MAP_REQUEST:
      Map(c, root, window, reinterpret_cast<const xcb_map_request_event_t&>(e));
      break;
    case XCB_CONFIGURE_REQUEST:
      Configure(c, root, window, reinterpret_cast<const xcb_configure_request_event_t&>(e));
      break;
    case XCB_CIRCULATE_REQUEST: {
      const auto& circulate = reinterpret_cast<const xcb_circulate_request_event_t&>(e);
      xcb_circulate_window(c, circulate.place == XCB_PLACE_ON_TOP ? XCB_CIRCULATE_RAISE_LOWEST
                                                                   : XCB_CIRCULATE_LOWER_HIGHEST,
                           circulate.window);
      break;
    }
    default:
      break;
  }
}

// Carries out every request that has come; false once the display is gone.
bool CarryOutAll(xcb_connection_t* c, xcb_window_t root, xcb_window_t window) {
  while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
    CarryOut(c, root, window, *e);
    std::free(e);
  }
  xcb_flush(c);
  return xcb_connection_has_error(c) == 0;
}

}  // namespace

BoxPlacer::BoxPlacer(std::uint32_t window) : window_(window) {
  if (window == 0) return;
  int screenNumber = 0;
  xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(c)) {
    xcb_disconnect(c);
    return;
  }
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screenNumber && screens.rem > 0; ++i) xcb_screen_next(&screens);
  if (screens.rem == 0) {
    xcb_disconnect(c);
    return;
  }
  root_ = screens.data->root;
  // Taken only when no client takes the requests; under a grab, so that a
  // window manager starting meanwhile cannot come between.
  xcb_grab_server(c);
  const Reply<xcb_get_window_attributes_reply_t> root(
      xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, root_), nullptr));
  const bool unheld = root && !(root->all_event_masks & XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT);
  xcb_void_cookie_t asked{};
  if (unheld) {
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;
    asked = xcb_change_window_attributes_checked(c, root_, XCB_CW_EVENT_MASK, &mask);
  }
  xcb_ungrab_server(c);
  const Reply<xcb_generic_error_t> refused(unheld ? xcb_request_check(c, asked) : nullptr);
  if (!unheld || refused || pipe(wake_) != 0) {
    xcb_disconnect(c);
    return;
  }
  connection_ = c;
  thread_ = std::thread(&BoxPlacer::Run, this);
}

BoxPlacer::~BoxPlacer() {
  if (!connection_) return;
  const char byte = 0;
  while (write(wake_[1], &byte, 1) < 0 && errno == EINTR) {
  }
  thread_.join();
  close(wake_[0]);
  close(wake_[1]);
  xcb_disconnect(connection_);
}

void BoxPlacer::Run() {
  xcb_connection_t* c = connection_;
  pollfd waits[2] = {{xcb_get_file_descriptor(c), POLLIN, 0}, {wake_[0], POLLIN, 0}};
  while (CarryOutAll(c, root_, window_)) {
    waits[0].revents = waits[1].revents = 0;
    if (poll(waits, 2, -1) < 0) continue;
    if (waits[1].revents) break;
  }
  // The requests go back to the server; those sent before that are
  // carried out here (after the round trip every one has come).
  const std::uint32_t none = 0;
  xcb_change_window_attributes(c, root_, XCB_CW_EVENT_MASK, &none);
  const Reply<xcb_get_input_focus_reply_t> synced(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
  CarryOutAll(c, root_, window_);
}
