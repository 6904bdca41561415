// SWin.cpp - the plain window's logic over the platform's plain window (see
// SWin.h).
#include "Engine/DX9/SWin.h"

#include <algorithm>
#include <string>

#include "Engine/Debug.h"
#include "Engine/EngMisc.h"
#include "Platform/PlainWindow.h"

namespace {

constexpr int kFallbackScreenWidth = 1280;
constexpr int kFallbackScreenHeight = 1024;
constexpr int kEscape = 27;

bool KnownType(int type) {
  switch (type) {
    case kSWinGroupBox:
    case kSWinStaticText:
    case kSWinPushButton:
    case kSWinEdit:
    case kSWinRadioGroup:
    case kSWinDropDown:
    case kSWinPicture:
      return true;
    default:
      return false;
  }
}

// Keeps a span of `size` inside [0, room): a negative start centres it, a
// span that would stick out is moved back in.
int PlaceInside(int start, int size, int room) {
  if (start < 0) return (room - size) / 2;
  return std::max(0, std::min(start, room - size));
}

std::uint8_t ColourByte(float channel) {
  return static_cast<std::uint8_t>(std::clamp(channel, 0.0f, 1.0f) * 255.0f);
}

}  // namespace

SWin& SWinGet() {
  static SWin window;
  return window;
}

SWin::~SWin() {
  if (window_) PlainWindowDestroy(window_);
}

const SWinControl* SWin::GetControl(int index) const {
  return index >= 0 && index < count_ ? &controls_[index] : nullptr;
}

bool SWin::NeedWindow(const char* where) const {
  if (window_) return true;
  DebugError(where, "No window");
  return false;
}

SWinControl* SWin::ControlAt(int index, const char* where) {
  if (!NeedWindow(where)) return nullptr;
  if (index < 0 || index >= count_) {
    DebugError(where, "Bad index %d", index);
    return nullptr;
  }
  return &controls_[index];
}

// ---- Window ------------------------------------------------------------------------------

bool SWin::CreateMainWindow(const SWinSettings* settings) {
  constexpr const char* kWhere = "SWin::CreateMainWindow";
  if (!settings) {
    DebugError(kWhere, "No info specified");
    return false;
  }
  if (window_) {
    DebugError(kWhere, "Window already created");
    return false;
  }
  int left = 0, top = 0, areaWidth = 0, areaHeight = 0;
  EngMiscGetDesktopWorkArea(&left, &top, &areaWidth, &areaHeight);
  if (areaWidth <= 0 || areaHeight <= 0) {
    left = top = 0;
    areaWidth = kFallbackScreenWidth;
    areaHeight = kFallbackScreenHeight;
  }
  const int width = std::clamp(settings->width, 1, areaWidth);
  const int height = std::clamp(settings->height, 1, areaHeight);
  const int x = left + PlaceInside(settings->x, width, areaWidth);
  const int y = top + PlaceInside(settings->y, height, areaHeight);
  background_[0] = ColourByte(settings->red);
  background_[1] = ColourByte(settings->green);
  background_[2] = ColourByte(settings->blue);

  std::string title(settings->title, std::find(settings->title, settings->title + sizeof settings->title, '\0'));
  window_ = PlainWindowCreate(title.c_str(), x, y, width, height, background_[0], background_[1], background_[2]);
  if (!window_) {
    DebugError(kWhere, "CreateWindow() Failed");
    DebugReportLastError("SWin::CreateMainWindow()->CreateWindow()");
    return false;
  }
  created_ = true;
  quit_ = false;
  count_ = 0;
  x_ = x;
  y_ = y;
  PlainWindowGetClientSize(window_, &width_, &height_);
  return true;
}

bool SWin::DestroyMainWindow() {
  if (!NeedWindow("SWin::DestroyMainWindow")) return false;
  WindowDestroyed();
  return true;
}

void SWin::WindowDestroyed() {
  // The background belongs to the platform window: it goes with it, once.
  PlainWindowDestroy(window_);
  window_ = nullptr;
  quit_ = true;
  created_ = false;
}

void SWin::QuitWindowLoop() {
  if (NeedWindow("SWin::QuitWindowLoop")) quit_ = true;
}

// ---- Controls ------------------------------------------------------------------------------

int SWin::AddButtonToWindow(int type, int x, int y, int width, int height, const char* text,
                            SWinSelectCallback selected, std::int32_t* selectionOut,
                            std::uint8_t* selectionByteOut) {
  constexpr const char* kWhere = "SWin::AddButtonToWindow";
  if (!NeedWindow(kWhere)) return -1;
  if (count_ >= kSWinMaxControls) {
    DebugError(kWhere, "Too many buttons");
    return -1;
  }
  if (!KnownType(type)) {
    DebugError(kWhere, "Unknown button type %d", type);
    return -1;
  }
  width = std::clamp(width, 1, width_);
  height = std::clamp(height, 1, height_);
  x = PlaceInside(x, width, width_);
  y = PlaceInside(y, height, height_);

  SWinControl control;
  control.type = type;
  control.x = x;
  control.y = y;
  control.width = width;
  control.height = height;
  control.selected = selected;
  control.selectionOut = selectionOut;
  control.selectionByteOut = selectionByteOut;
  if (type != kSWinRadioGroup) {
    control.handle = PlainWindowAddControl(window_, type, x, y, width, height, text);
    if (control.handle < 0) {
      DebugError(kWhere, "CreateWindow() Failed");
      DebugReportLastError("SWin::AddButtonToWindow()->CreateWindow()");
      return -1;
    }
  }
  controls_[count_] = control;
  return count_++;
}

int SWin::AddPushButton(int x, int y, int width, int height, const char* text, SWinClickCallback clicked) {
  const int index = AddButtonToWindow(kSWinPushButton, x, y, width, height, text);
  if (index >= 0) controls_[index].clicked = clicked;
  return index;
}

bool SWin::PushButtonSetCallback(int index, SWinClickCallback clicked) {
  SWinControl* control = ControlAt(index, "SWin::PushButtonSetCallback");
  if (!control) return false;
  if (control->type != kSWinPushButton) {
    DebugError("SWin::PushButtonSetCallback", "Not a push button");
    return false;
  }
  control->clicked = clicked;
  return true;
}

int SWin::AddRadioButton(int group, int x, int y, int width, int height, const char* text) {
  constexpr const char* kWhere = "SWin::AddRadioButton";
  SWinControl* control = ControlAt(group, kWhere);
  if (!control) return -1;
  if (control->type != kSWinRadioGroup) {
    DebugError(kWhere, "Not a radio group");
    return -1;
  }
  if (control->memberCount >= kSWinMaxRadioMembers) {
    DebugError(kWhere, "Too many radio buttons");
    return -1;
  }
  width = std::clamp(width, 1, width_);
  height = std::clamp(height, 1, height_);
  const int member = PlainWindowAddControl(window_, kPlainRadioButton, PlaceInside(x, width, width_),
                                           PlaceInside(y, height, height_), width, height, text);
  if (member < 0) {
    DebugError(kWhere, "CreateWindow() Failed");
    return -1;
  }
  const int number = control->memberCount++;
  control->members[number] = member;
  if (number == 0) {
    control->selection = 0;
    PlainWindowSetChecked(window_, member, true);
  } else {
    PlainWindowSetChecked(window_, member, false);
  }
  return number;
}

bool SWin::AddDropDownItem(int index, const char* text) {
  SWinControl* control = ControlAt(index, "SWin::AddDropDownItem");
  if (!control) return false;
  if (control->type != kSWinDropDown) {
    DebugError("SWin::AddDropDownItem", "Not a drop-down list");
    return false;
  }
  return PlainWindowAddItem(window_, control->handle, text);
}

bool SWin::SetButtonText(int index, const char* text) {
  SWinControl* control = ControlAt(index, "SWin::SetButtonText");
  if (!control) return false;
  if (control->handle < 0) {
    DebugError("SWin::SetButtonText", "No window");
    return false;
  }
  return PlainWindowSetText(window_, control->handle, text);
}

bool SWin::GetButtonText(int index, char* buffer, int size) {
  SWinControl* control = ControlAt(index, "SWin::GetButtonText");
  if (!control) return false;
  if (control->handle < 0) {
    DebugError("SWin::GetButtonText", "No window");
    return false;
  }
  return PlainWindowGetText(window_, control->handle, buffer, size);
}

bool SWin::SetButtonTextAlign(int index, int alignment) {
  constexpr const char* kWhere = "SWin::SetButtonTextAlign";
  SWinControl* control = ControlAt(index, kWhere);
  if (!control) return false;
  if (control->handle < 0) {
    DebugError(kWhere, "No window");
    return false;
  }
  if (alignment < 0 || alignment > 2) {
    DebugError(kWhere, "Invalid alignment %d", alignment);
    return false;
  }
  PlainWindowSetAlignment(window_, control->handle, alignment);
  // The whole text again, so that the control redraws with it.
  const int length = PlainWindowGetTextLength(window_, control->handle);
  std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
  PlainWindowGetText(window_, control->handle, text.data(), static_cast<int>(text.size()));
  return PlainWindowSetText(window_, control->handle, text.c_str());
}

// ---- The loop ---------------------------------------------------------------------------------

int SWin::ProcessAnyWindowsMessages() {
  if (quit_) return 0;
  if (!NeedWindow("SWin::ProcessAnyWindowsMessages")) return 0;
  PlainWindowEvent event;
  if (!PlainWindowNextEvent(window_, &event)) return quit_ ? 0 : 1;
  switch (event.kind) {
    case kPlainEventClicked:
      HandleClick(event.control);
      break;
    case kPlainEventSelectionChanged:
      HandleSelection(event.control, event.value);
      break;
    case kPlainEventKeyReleased:
      if (event.value == kEscape) WindowDestroyed();
      break;
    case kPlainEventCloseAsked:
      WindowDestroyed();
      break;
    default:
      break;
  }
  return 2;
}

void SWin::HandleClick(int platformControl) {
  for (int i = 0; i < count_; ++i) {
    SWinControl& control = controls_[i];
    if (control.type == kSWinPushButton && control.handle == platformControl) {
      if (control.clicked) control.clicked(this);
      return;
    }
    if (control.type != kSWinRadioGroup) continue;
    for (int m = 0; m < control.memberCount; ++m) {
      if (control.members[m] != platformControl) continue;
      if (m == control.selection) {
        PlainWindowSetChecked(window_, platformControl, true);  // a click does not clear the choice
        return;
      }
      for (int other = 0; other < control.memberCount; ++other) {
        PlainWindowSetChecked(window_, control.members[other], other == m);
      }
      control.selection = m;
      if (control.selectionOut) *control.selectionOut = m;
      if (control.selectionByteOut) *control.selectionByteOut = static_cast<std::uint8_t>(m);
      if (control.selected) control.selected(this, m);
      return;
    }
  }
}

void SWin::HandleSelection(int platformControl, int) {
  for (int i = 0; i < count_; ++i) {
    SWinControl& control = controls_[i];
    if (control.type != kSWinDropDown || control.handle != platformControl) continue;
    const int selection = PlainWindowGetSelection(window_, platformControl);
    control.selection = selection;
    if (control.selectionOut) *control.selectionOut = selection;
    if (control.selectionByteOut) *control.selectionByteOut = static_cast<std::uint8_t>(selection);
    if (control.selected) control.selected(this, selection);
    return;
  }
}
