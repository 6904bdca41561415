// BoxPlacer.h - SDL's message box put on the middle of the window it
// belongs to, on an X display where no window manager places windows.
//
// SDL's X11 box reckons its place from its parent window's place relative
// to the parent's own parent, then translates that from the window to the
// screen: the window's place counts twice. Under a reparenting window
// manager that place is the frame's small margin, and the manager places
// the box anyway; with no window manager it is the window's place on the
// screen, and a window at 128,128 gets its boxes 128 pixels right and
// down of its middle.
//
// So, with no window manager, a placer takes the manager's part for the
// box's life: it asks for the map and configure requests of the top-level
// windows (as a window manager does), carries every request out as asked,
// except that the box (the window transient for the given one) is put with
// its middle on that window's middle before it is first shown. Where some
// client already takes those requests (a window manager), the placer does
// nothing.
//
// State: each placer's own connection to the display and its thread, from
// its construction to its destruction. Over XCB, whose connection errors
// stay with the connection (Xlib's would end the program, DisplayLoss.h).
#pragma once

#include <cstdint>
#include <thread>

struct xcb_connection_t;

class BoxPlacer {
 public:
  // Places the boxes transient for the X window (0: nothing is done) on
  // the display of $DISPLAY while the placer lives.
  explicit BoxPlacer(std::uint32_t window);
  // Gives the requests back to whoever asks for them next, after carrying
  // out those already sent.
  ~BoxPlacer();
  BoxPlacer(const BoxPlacer&) = delete;
  BoxPlacer& operator=(const BoxPlacer&) = delete;

 private:
  void Run();

  xcb_connection_t* connection_ = nullptr;
  std::uint32_t root_ = 0;
  std::uint32_t window_ = 0;
  int wake_[2] = {-1, -1};  // a byte written here ends the thread's wait
  std::thread thread_;
};
