// PlainWindow.h - one ordinary top-level window with standard controls at
// fixed places, apart from the game's window: what the engine's SWin
// (Engine/DX9/SWin.h) draws its small dialogs with. SWin keeps the logic (the
// control records, limits, callbacks); this layer only shows controls and
// reports what the user did to them, as events.
//
// Two back ends:
//   GTK 3   a GtkWindow holding a GtkFixed; the background colour is set by
//           CSS; texts are CP1252 here and UTF-8 in GTK. Sizes are the
//           window's content: the window manager adds its frame around it.
//   fake    records only, for tests and headless runs: tests click, select,
//           release Escape and close through the seams below. After 1 s of
//           pumps that found nothing to report (PlatformTimeNow), the fake
//           reports a released Escape itself: a dialog nobody answers takes
//           its default answer and ends.
// The automatic choice is the fake when PlatformIsHeadless() and GTK
// otherwise. Windows keep the back end they were made with.
//
// Control kinds (the same numbers as SWin's types):
//   0 group box (a frame with a caption), 1 static text (vertically centred),
//   2 push button, 3 multi-line edit with both scroll bars, 5 radio button,
//   6 drop-down list (items added with PlainWindowAddItem), 7 picture (empty
//   until PlainWindowSetPicture), 8 centred text in a sunken frame.
// The dialog boxes (Platform/DialogBox.h) use the same controls, with a few
// more abilities: enabling and hiding controls, emptying lists, choosing a
// list entry without an event, pictures, a default button (Return presses
// it), and their compact look with sizes measured before they are placed.
#pragma once

#include <cstdint>
#include <vector>

struct PlainWindow;

enum PlainControlKind : int {
  kPlainGroupBox = 0,
  kPlainStaticText = 1,
  kPlainPushButton = 2,
  kPlainEdit = 3,
  kPlainRadioButton = 5,
  kPlainDropDown = 6,
  kPlainPicture = 7,
  kPlainSunkenText = 8,
};

enum PlainWindowEventKind : int {
  kPlainEventClicked = 1,           // push button or radio button: control
  kPlainEventSelectionChanged = 2,  // drop-down list: control, value = the new selection
  kPlainEventKeyReleased = 3,       // value = the virtual key (27 for Escape)
  kPlainEventCloseAsked = 4,        // the window manager's close button
};

struct PlainWindowEvent {
  int kind;
  int control;  // -1 for window events
  int value;
};

enum PlainWindowBackEnd : int { kPlainWindowAuto = 0, kPlainWindowGtk = 1, kPlainWindowFake = 2 };

// Chooses the back end of windows made from now on.
void PlainWindowUseBackEnd(PlainWindowBackEnd backEnd);

// Shows a window with its content's top-left at (x, y) on the screen (a
// negative x or y: centred by the window system) and a content of width x
// height pixels, in the background colour. Null when the window system
// cannot be used.
PlainWindow* PlainWindowCreate(const char* title, int x, int y, int width, int height, std::uint8_t red,
                               std::uint8_t green, std::uint8_t blue);
// The same on a chosen back end (kPlainWindowAuto: as PlainWindowCreate).
PlainWindow* PlainWindowCreateOn(PlainWindowBackEnd backEnd, const char* title, int x, int y, int width,
                                 int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
// The same, but not on the screen until PlainWindowShow: a dialog is shown
// once its controls are placed and filled, so that a click never reaches
// a window still being built (nor one that then moves its buttons).
PlainWindow* PlainWindowCreateHiddenOn(PlainWindowBackEnd backEnd, const char* title, int x, int y, int width,
                                       int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
// Puts a hidden window on the screen, laid out; a shown one stays as it is.
void PlainWindowShow(PlainWindow* window);
bool PlainWindowSetTitle(PlainWindow* window, const char* title);
// The dialogs' look: smaller paddings inside buttons and lists, so that
// controls fit rectangles laid out for a small font. Set before the
// controls are added.
void PlainWindowUseCompactLook(PlainWindow* window);
void PlainWindowSetClientSize(PlainWindow* window, int width, int height);
// Closes the window and frees it; null does nothing.
void PlainWindowDestroy(PlainWindow* window);
void PlainWindowGetClientSize(const PlainWindow* window, int* width, int* height);

// Adds a control at (x, y) of the content, width x height, with its text
// (the caption; the contents of an edit; ignored for pictures). The
// control's number (0, 1, ... in order), or -1 for an unknown kind.
int PlainWindowAddControl(PlainWindow* window, int kind, int x, int y, int width, int height, const char* text);
// False for an unknown control.
bool PlainWindowSetText(PlainWindow* window, int control, const char* text);
// Copies at most size - 1 characters and a terminator; false for an unknown
// control or no buffer.
bool PlainWindowGetText(const PlainWindow* window, int control, char* buffer, int size);
// 0 left, 1 centre, 2 right: replaces the text's alignment.
bool PlainWindowSetAlignment(PlainWindow* window, int control, int alignment);
// The text's length in characters (-1 for an unknown control).
int PlainWindowGetTextLength(const PlainWindow* window, int control);
// A radio button's mark (reports no event).
bool PlainWindowSetChecked(PlainWindow* window, int control, bool checked);
// A drop-down list's items, appended.
bool PlainWindowAddItem(PlainWindow* window, int control, const char* text);
// A drop-down list's selection (-1 for none).
int PlainWindowGetSelection(const PlainWindow* window, int control);
// Chooses a drop-down list's entry (-1: none) without reporting an event;
// false for an entry the list does not have.
bool PlainWindowSetSelection(PlainWindow* window, int control, int index);
// Empties a drop-down list (its selection becomes -1, no event).
bool PlainWindowClearItems(PlainWindow* window, int control);
int PlainWindowGetItemCount(const PlainWindow* window, int control);
// Copies at most size - 1 characters of an entry and a terminator.
bool PlainWindowGetItemText(const PlainWindow* window, int control, int index, char* buffer, int size);
// A disabled control is drawn greyed and reports nothing.
bool PlainWindowSetEnabled(PlainWindow* window, int control, bool enabled);
bool PlainWindowIsEnabled(const PlainWindow* window, int control);
bool PlainWindowSetVisible(PlainWindow* window, int control, bool visible);
bool PlainWindowIsVisible(const PlainWindow* window, int control);
// Makes the push button the window's default: Return presses it.
bool PlainWindowSetDefaultButton(PlainWindow* window, int control);
// Shows width x height words 0xAARRGGBB (top row first) in a picture
// control, scaled to the control's size; null pixels empty it.
bool PlainWindowSetPicture(PlainWindow* window, int control, int width, int height, const std::uint32_t* pixels);
// The size of the picture shown (0 x 0 for none).
bool PlainWindowGetPictureSize(const PlainWindow* window, int control, int* width, int* height);
// The smallest size at which the control shows its whole text: GTK's own
// measure in the window's look; the fake answers 7 pixels a character plus
// 16, and 16 high (drop-down lists: 40 x 20, whatever their entries).
bool PlainWindowGetMinimumSize(const PlainWindow* window, int control, int* width, int* height);
// Moves a control and gives it a new size.
bool PlainWindowPlaceControl(PlainWindow* window, int control, int x, int y, int width, int height);
// Where the control is drawn: on GTK the place and size the window system
// gave it (larger than asked when the control cannot be made that small);
// the fake answers the place asked for.
bool PlainWindowGetPlacement(const PlainWindow* window, int control, int* x, int* y, int* width, int* height);

// Lets the window system run, then takes the oldest waiting event: false
// when none waits.
bool PlainWindowNextEvent(PlainWindow* window, PlainWindowEvent* event);

// ---- Test seams --------------------------------------------------------------------------
// The user: the events as the GTK back end reports them (a click on a radio
// button does not change its mark; a selection does change the drop-down's
// selection). On a GTK window a click and a selection go through GTK's own
// signals; a key release and a close request are queued directly. Like a
// person, they cannot reach a disabled or hidden control nor pick an entry a
// list does not have.
void PlainWindowFakeClick(PlainWindow* window, int control);
void PlainWindowFakeSelect(PlainWindow* window, int control, int index);
void PlainWindowFakeReleaseKey(PlainWindow* window, int virtualKey);
void PlainWindowFakeAskClose(PlainWindow* window);
bool PlainWindowIsFake(const PlainWindow* window);
// Fake windows: a window that waits for nobody (a progress window) sets
// this off, and the idle Escape (see the file head) is never sent to it.
void PlainWindowFakeSetIdleAnswer(PlainWindow* window, bool answer);
// Fake windows: the next answers of the tests' user, by a push button's
// caption, given in order. A fake window that finds nothing to report and
// has a push button with the first caption queued reports a click on it
// (the caption leaves the queue) before any idle Escape. Empty the queue
// with PlainWindowFakeClearAnswers.
void PlainWindowFakeQueueAnswer(const char* caption);
void PlainWindowFakeClearAnswers();
int PlainWindowFakeQueuedAnswers();
// Any back end: the alignment last set (-1 for an unknown control).
int PlainWindowGetAlignment(const PlainWindow* window, int control);
bool PlainWindowIsChecked(const PlainWindow* window, int control);
// GTK only: the window's content as RGB rows (false for the fake or when it
// cannot be read). Pumps the window system until the window is drawn.
bool PlainWindowCapture(PlainWindow* window, int* width, int* height, std::vector<std::uint8_t>* rgb);
