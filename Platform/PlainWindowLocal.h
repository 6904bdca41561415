// PlainWindowLocal.h - the plain window's record, shared by the common code
// (PlainWindow.cpp: records, events, the fake) and the GTK back end
// (PlainWindowGtk.cpp).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "Platform/PlainWindow.h"

struct _GtkWidget;

struct PlainControl {
  int kind = 0;
  std::string text;  // CP1252; for a GTK edit, what was last set (the user may have typed since)
  int alignment = 0;
  bool checked = false;
  int selection = -1;
  std::vector<std::string> items;
  bool enabled = true;
  bool visible = true;
  bool isDefault = false;
  int x = 0, y = 0, width = 0, height = 0;  // the place asked for
  // A picture control's picture as given (0xAARRGGBB), scaled when shown.
  int pictureWidth = 0, pictureHeight = 0;
  std::vector<std::uint32_t> picture;
  _GtkWidget* widget = nullptr;  // GTK: the control (for an edit, its text view; sunken text, its label)
  _GtkWidget* placed = nullptr;  // GTK: what sits on the window (the scrolled window or frame around it)
  _GtkWidget* partner = nullptr;  // GTK radio button: its hidden partner (marked to unmark it)
};

struct PlainWindow {
  PlainWindowBackEnd backEnd = kPlainWindowFake;
  int width = 0;
  int height = 0;
  std::vector<PlainControl> controls;
  std::deque<PlainWindowEvent> events;
  double idleSince = 0.0;  // fake: when the last event was taken (or the window made)
  bool idleAnswer = true;  // fake: Escape after a second of nothing
  bool shown = true;       // false from PlainWindowCreateHiddenOn until PlainWindowShow
  _GtkWidget* gtkWindow = nullptr;
  _GtkWidget* gtkFixed = nullptr;
};

// ---- The GTK back end (PlainWindowGtk.cpp) -------------------------------------------
// Each works on the record's GTK fields; the common code has already checked
// the control number.
bool PlainGtkCreate(PlainWindow* window, const char* title, int x, int y, std::uint8_t red, std::uint8_t green,
                    std::uint8_t blue);
// Puts the window (made hidden) on the screen and lets GTK lay it out.
void PlainGtkShow(PlainWindow* window);
void PlainGtkDestroy(PlainWindow* window);
void PlainGtkSetTitle(PlainWindow* window, const char* title);
void PlainGtkUseCompactLook(PlainWindow* window);
void PlainGtkResize(PlainWindow* window);
// Makes the widget of controls[index] from its kind and text.
bool PlainGtkAddControl(PlainWindow* window, int index, int x, int y, int width, int height);
void PlainGtkShowText(PlainWindow* window, int index);
std::string PlainGtkReadText(const PlainWindow* window, int index);
void PlainGtkShowAlignment(PlainWindow* window, int index);
void PlainGtkShowChecked(PlainWindow* window, int index);
void PlainGtkAddItem(PlainWindow* window, int index, const char* text);
int PlainGtkReadSelection(const PlainWindow* window, int index);
// Shows the record's selection, enabled and visible flags, default mark,
// picture and place (no events).
void PlainGtkShowSelection(PlainWindow* window, int index);
void PlainGtkClearItems(PlainWindow* window, int index);
void PlainGtkShowEnabled(PlainWindow* window, int index);
void PlainGtkShowVisible(PlainWindow* window, int index);
void PlainGtkShowDefault(PlainWindow* window, int index);
void PlainGtkShowPicture(PlainWindow* window, int index);
void PlainGtkPlace(PlainWindow* window, int index);
void PlainGtkMinimumSize(const PlainWindow* window, int index, int* width, int* height);
void PlainGtkPlacement(const PlainWindow* window, int index, int* x, int* y, int* width, int* height);
// The size of the picture shown (0 x 0 when none).
void PlainGtkPictureSize(const PlainWindow* window, int index, int* width, int* height);
// Test seams: the user's click and choice through GTK's own signals.
void PlainGtkClick(PlainWindow* window, int index);
void PlainGtkSelect(PlainWindow* window, int index, int item);
// Runs what the window system has waiting (never blocks).
void PlainGtkPump();
bool PlainGtkCapture(PlainWindow* window, int* width, int* height, std::vector<std::uint8_t>* rgb);
