// SWin.h - one plain top-level window with standard controls, apart from the
// game's window: the updater builds its dialogs with it and runs its own
// message loop on ProcessAnyWindowsMessages.
//
// SWin keeps the logic (control records, sizes kept inside the window,
// callbacks, radio groups, the quit flag); the window and its controls are
// the platform's plain window (Platform/PlainWindow.h: GTK 3, or a fake
// when headless, which answers a dialog nobody answers with Escape after 1 s).
//
// Control types:
//   0 group box      1 static text     2 push button      3 multi-line edit
//   4 radio group (a record only: its buttons are added with AddRadioButton)
//   6 drop-down list (items added with AddDropDownItem)     7 picture
//
// What the window does with the user's actions (its window procedure):
//   push button clicked     its click callback
//   drop-down changed       the selection is stored (record and the caller's
//                           pointers) and the selection callback called
//   radio button clicked    when it is not the group's choice: it is checked,
//                           the others unchecked, the choice stored and the
//                           group's callback called
//   Escape released, or the window's close button: the window is destroyed
//   (quit flag set, created flag cleared, window and background freed).
//
// State: the fields below; one global object (SWinGet) for the program's run.
#pragma once

#include <cstdint>

struct PlainWindow;
class SWin;

using SWinClickCallback = void (*)(SWin* window);
using SWinSelectCallback = void (*)(SWin* window, int selection);

constexpr int kSWinMaxControls = 24;
constexpr int kSWinMaxRadioMembers = 16;

enum SWinControlType : int {
  kSWinGroupBox = 0,
  kSWinStaticText = 1,
  kSWinPushButton = 2,
  kSWinEdit = 3,
  kSWinRadioGroup = 4,
  kSWinDropDown = 6,
  kSWinPicture = 7,
};

// What CreateMainWindow is given.
struct SWinSettings {
  char title[256];
  int x, y;  // a negative value centres the window on that axis
  int width, height;
  float red, green, blue;  // background, 0 to 1
};

struct SWinControl {
  int type = 0;
  int x = 0, y = 0, width = 0, height = 0;
  SWinClickCallback clicked = nullptr;     // push buttons
  SWinSelectCallback selected = nullptr;   // drop-down lists and radio groups
  std::int32_t* selectionOut = nullptr;    // receive the selection (optional)
  std::uint8_t* selectionByteOut = nullptr;
  int selection = -1;
  int handle = -1;  // the platform control (-1 for a radio group)
  int members[kSWinMaxRadioMembers] = {};  // radio group: its buttons' platform controls
  int memberCount = 0;
};

class SWin {
 public:
  SWin() = default;
  ~SWin();
  SWin(const SWin&) = delete;
  SWin& operator=(const SWin&) = delete;

  // Shows the window: size limited to the desktop work area (1280 x 1024 when
  // it cannot be read), negative x or y centred, kept inside the area; the
  // quit flag and the controls start afresh. "No info specified", "Window
  // already created" and "CreateWindow() Failed" give false.
  bool CreateMainWindow(const SWinSettings* settings);
  // Adds a control: size limited to the window, a negative x or y centred,
  // kept inside. The index, or -1 ("No window", "Too many buttons" past 24,
  // "Unknown button type %d", "CreateWindow() Failed").
  int AddButtonToWindow(int type, int x, int y, int width, int height, const char* text,
                        SWinSelectCallback selected = nullptr, std::int32_t* selectionOut = nullptr,
                        std::uint8_t* selectionByteOut = nullptr);
  int AddPushButton(int x, int y, int width, int height, const char* text, SWinClickCallback clicked);
  // Push buttons only ("Not a push button").
  bool PushButtonSetCallback(int index, SWinClickCallback clicked);
  // A button of the radio group at index (type 4); the first one added is the
  // group's choice. Its number in the group, or -1 ("Not a radio group", "Too
  // many radio buttons").
  int AddRadioButton(int group, int x, int y, int width, int height, const char* text);
  // Appends an item to the drop-down list at index ("Not a drop-down list").
  bool AddDropDownItem(int index, const char* text);
  // False for a bad index or a control without a window of its own ("No
  // window").
  bool SetButtonText(int index, const char* text);
  // Copies at most size - 1 characters and a terminator.
  bool GetButtonText(int index, char* buffer, int size);
  // 0 left, 1 centre, 2 right (replacing the one before), then the text is
  // applied again; false for a bad index or alignment.
  bool SetButtonTextAlign(int index, int alignment);
  // One step of the loop: 0 when it is to end (the quit flag), 1 when idle,
  // 2 after handling a user action.
  int ProcessAnyWindowsMessages();
  void QuitWindowLoop();
  // Destroys the window and its background; false ("No window") when there
  // is none, e.g. after Escape closed it.
  bool DestroyMainWindow();

  bool IsCreated() const { return created_; }
  bool GetQuitFlag() const { return quit_; }
  int GetControlCount() const { return count_; }
  const SWinControl* GetControl(int index) const;
  PlainWindow* GetPlainWindow() const { return window_; }
  int GetX() const { return x_; }
  int GetY() const { return y_; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }

 private:
  bool NeedWindow(const char* where) const;
  SWinControl* ControlAt(int index, const char* where);
  void HandleClick(int platformControl);
  void HandleSelection(int platformControl, int selection);
  // WM_DESTROY's work: quit flag, created flag, window and background gone.
  void WindowDestroyed();

  bool created_ = false;
  int x_ = 0, y_ = 0, width_ = 0, height_ = 0;
  bool quit_ = false;
  int count_ = 0;
  SWinControl controls_[kSWinMaxControls];
  PlainWindow* window_ = nullptr;
  std::uint8_t background_[3] = {};
};

// The program's one SWin object.
SWin& SWinGet();
