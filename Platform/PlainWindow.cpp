// PlainWindow.cpp - the plain window's records, its events and the fake
// back end (see PlainWindow.h); the GTK side is PlainWindowGtk.cpp.
#include <algorithm>
#include <cstring>
#include <new>

#include "Platform/Dialogs.h"
#include "Platform/PlainWindowLocal.h"
#include "Platform/Time.h"

namespace {

constexpr double kFakeIdleAnswerSeconds = 1.0;
constexpr int kEscape = 27;

PlainWindowBackEnd gChosen = kPlainWindowAuto;

bool IsGtk(const PlainWindow* window) { return window->backEnd == kPlainWindowGtk; }

PlainControl* Find(PlainWindow* window, int control) {
  if (!window || control < 0 || control >= static_cast<int>(window->controls.size())) return nullptr;
  return &window->controls[static_cast<std::size_t>(control)];
}

const PlainControl* Find(const PlainWindow* window, int control) {
  return Find(const_cast<PlainWindow*>(window), control);
}

bool KnownKind(int kind) {
  switch (kind) {
    case kPlainGroupBox:
    case kPlainStaticText:
    case kPlainPushButton:
    case kPlainEdit:
    case kPlainRadioButton:
    case kPlainDropDown:
    case kPlainPicture:
      return true;
    default:
      return false;
  }
}

void Queue(PlainWindow* window, int kind, int control, int value) {
  if (window) window->events.push_back({kind, control, value});
}

}  // namespace

void PlainWindowUseBackEnd(PlainWindowBackEnd backEnd) { gChosen = backEnd; }

PlainWindow* PlainWindowCreate(const char* title, int x, int y, int width, int height, std::uint8_t red,
                               std::uint8_t green, std::uint8_t blue) {
  auto* window = new (std::nothrow) PlainWindow;
  if (!window) return nullptr;
  PlainWindowBackEnd backEnd = gChosen;
  if (backEnd == kPlainWindowAuto) backEnd = PlatformIsHeadless() ? kPlainWindowFake : kPlainWindowGtk;
  window->backEnd = backEnd;
  window->width = std::max(width, 1);
  window->height = std::max(height, 1);
  window->idleSince = PlatformTimeNow();
  if (IsGtk(window) && !PlainGtkCreate(window, title ? title : "", x, y, red, green, blue)) {
    delete window;
    return nullptr;
  }
  return window;
}

void PlainWindowDestroy(PlainWindow* window) {
  if (!window) return;
  if (IsGtk(window)) PlainGtkDestroy(window);
  delete window;
}

void PlainWindowGetClientSize(const PlainWindow* window, int* width, int* height) {
  if (width) *width = window ? window->width : 0;
  if (height) *height = window ? window->height : 0;
}

int PlainWindowAddControl(PlainWindow* window, int kind, int x, int y, int width, int height, const char* text) {
  if (!window || !KnownKind(kind)) return -1;
  PlainControl control;
  control.kind = kind;
  control.text = text ? text : "";
  window->controls.push_back(control);
  const int index = static_cast<int>(window->controls.size()) - 1;
  if (IsGtk(window) && !PlainGtkAddControl(window, index, x, y, width, height)) {
    window->controls.pop_back();
    return -1;
  }
  return index;
}

bool PlainWindowSetText(PlainWindow* window, int control, const char* text) {
  PlainControl* found = Find(window, control);
  if (!found) return false;
  found->text = text ? text : "";
  if (IsGtk(window)) PlainGtkShowText(window, control);
  return true;
}

bool PlainWindowGetText(const PlainWindow* window, int control, char* buffer, int size) {
  const PlainControl* found = Find(window, control);
  if (!found || !buffer || size < 1) return false;
  const std::string text = IsGtk(window) ? PlainGtkReadText(window, control) : found->text;
  const std::size_t count = std::min(text.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return true;
}

int PlainWindowGetTextLength(const PlainWindow* window, int control) {
  const PlainControl* found = Find(window, control);
  if (!found) return -1;
  return static_cast<int>(IsGtk(window) ? PlainGtkReadText(window, control).size() : found->text.size());
}

bool PlainWindowSetAlignment(PlainWindow* window, int control, int alignment) {
  PlainControl* found = Find(window, control);
  if (!found || alignment < 0 || alignment > 2) return false;
  found->alignment = alignment;
  if (IsGtk(window)) PlainGtkShowAlignment(window, control);
  return true;
}

bool PlainWindowSetChecked(PlainWindow* window, int control, bool checked) {
  PlainControl* found = Find(window, control);
  if (!found || found->kind != kPlainRadioButton) return false;
  found->checked = checked;
  if (IsGtk(window)) PlainGtkShowChecked(window, control);
  return true;
}

bool PlainWindowAddItem(PlainWindow* window, int control, const char* text) {
  PlainControl* found = Find(window, control);
  if (!found || found->kind != kPlainDropDown) return false;
  found->items.emplace_back(text ? text : "");
  if (IsGtk(window)) PlainGtkAddItem(window, control, found->items.back().c_str());
  return true;
}

int PlainWindowGetSelection(const PlainWindow* window, int control) {
  const PlainControl* found = Find(window, control);
  if (!found || found->kind != kPlainDropDown) return -1;
  return IsGtk(window) ? PlainGtkReadSelection(window, control) : found->selection;
}

bool PlainWindowNextEvent(PlainWindow* window, PlainWindowEvent* event) {
  if (!window || !event) return false;
  if (IsGtk(window)) PlainGtkPump();
  if (window->events.empty() && !IsGtk(window) &&
      PlatformTimeNow() - window->idleSince >= kFakeIdleAnswerSeconds) {
    Queue(window, kPlainEventKeyReleased, -1, kEscape);
  }
  if (window->events.empty()) return false;
  *event = window->events.front();
  window->events.pop_front();
  window->idleSince = PlatformTimeNow();
  return true;
}

// ---- Test seams --------------------------------------------------------------------------

void PlainWindowFakeClick(PlainWindow* window, int control) {
  if (!Find(window, control)) return;
  if (IsGtk(window)) {
    PlainGtkClick(window, control);
  } else {
    Queue(window, kPlainEventClicked, control, 0);
  }
}

void PlainWindowFakeSelect(PlainWindow* window, int control, int index) {
  PlainControl* found = Find(window, control);
  if (!found || found->kind != kPlainDropDown) return;
  if (IsGtk(window)) {
    PlainGtkSelect(window, control, index);
    return;
  }
  found->selection = index;
  Queue(window, kPlainEventSelectionChanged, control, index);
}

void PlainWindowFakeReleaseKey(PlainWindow* window, int virtualKey) {
  Queue(window, kPlainEventKeyReleased, -1, virtualKey);
}

void PlainWindowFakeAskClose(PlainWindow* window) { Queue(window, kPlainEventCloseAsked, -1, 0); }

bool PlainWindowIsFake(const PlainWindow* window) { return window && window->backEnd == kPlainWindowFake; }

int PlainWindowGetAlignment(const PlainWindow* window, int control) {
  const PlainControl* found = Find(window, control);
  return found ? found->alignment : -1;
}

bool PlainWindowIsChecked(const PlainWindow* window, int control) {
  const PlainControl* found = Find(window, control);
  return found && found->checked;
}

bool PlainWindowCapture(PlainWindow* window, int* width, int* height, std::vector<std::uint8_t>* rgb) {
  if (!window || !IsGtk(window) || !width || !height || !rgb) return false;
  return PlainGtkCapture(window, width, height, rgb);
}
