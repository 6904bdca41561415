// BoxText.cpp - SDL's box text fitted to the screen (see BoxText.h).
#include "Platform/BoxText.h"

#include <X11/Xlib.h>

#include <algorithm>

#include "Starter/SdlBox.h"

std::string BoxTextFitScreen(const std::string& utf8Text, int windowWidth) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return utf8Text;
  char** missing = nullptr;
  int missingCount = 0;
  XFontSet fonts = XCreateFontSet(display, kSdlBoxFont, &missing, &missingCount, nullptr);
  if (missing) XFreeStringList(missing);
  std::string fitted = utf8Text;
  if (fonts) {
    int width = XDisplayWidth(display, XDefaultScreen(display));
    if (windowWidth > 0) width = std::min(width, windowWidth);
    const SdlBoxMeasure measure = [fonts](const char* text, int length) {
      XRectangle ink{}, logical{};
      Xutf8TextExtents(fonts, text, length, &ink, &logical);
      return static_cast<int>(logical.width);
    };
    fitted = SdlBoxWrap(utf8Text, width * 2 / 3, measure);
    XFreeFontSet(display, fonts);
  }
  XCloseDisplay(display);
  return fitted;
}
