// MWinTestSetup.h - the window set-up record the toolkit's tests build their
// windows from, shared by the fake-device, recording and display tests.
#pragma once

#include <cstring>

#include "Engine/MWin/MWinWindow.h"

// No title bar unless a title is given; with one the window gets a title bar
// in the same look and is dragged by it. The default font.
inline MWinWindowSetup TestWindowSetup(float x, float y, float w, float h,
                                       const char* look = "MWIN_TEXBUT_NONE",
                                       const char* title = nullptr) {
  MWinWindowSetup s = {};
  s.x = x;
  s.y = y;
  s.w = w;
  s.h = h;
  std::strcpy(s.titleTexBut, "MWIN_TEXBUT_NONE");
  if (title) {
    s.titleBar = 1;
    s.moveMode = 1;
    std::strcpy(s.title, title);
    std::strcpy(s.titleTexBut, look);
  }
  std::strcpy(s.windowTexBut, look);
  std::strcpy(s.titleFont, "MWIN_FONT_DEFAULT");
  return s;
}
