// PlainWindow.cpp - the plain window's records, its events and the fake
// back end (see PlainWindow.h); the GTK side is PlainWindowGtk.cpp.
#include <algorithm>
#include <cstring>
#include <deque>
#include <new>
#include <string>

#include "Platform/Dialogs.h"
#include "Platform/PlainWindowLocal.h"
#include "Platform/Time.h"

namespace {

constexpr double kFakeIdleAnswerSeconds = 1.0;
constexpr int kEscape = 27;

PlainWindowBackEnd g_chosen = kPlainWindowAuto;
std::deque<std::string> g_answers;  // the tests' user: captions of buttons to press

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
    case kPlainSunkenText:
      return true;
    default:
      return false;
  }
}

void Queue(PlainWindow* window, int kind, int control, int value) {
  if (window) window->events.push_back({kind, control, value});
}

// The fake's measure: about what a small sans-serif font needs.
constexpr int kFakeCharWidth = 7;
constexpr int kFakeTextPadding = 16;
constexpr int kFakeLineHeight = 16;
constexpr int kFakeListWidth = 40;

// Fake windows: a click on the push button the tests' next answer names.
bool TakeQueuedAnswer(PlainWindow* window) {
  if (g_answers.empty()) return false;
  for (std::size_t i = 0; i < window->controls.size(); ++i) {
    const PlainControl& control = window->controls[i];
    if (control.kind == kPlainPushButton && control.text == g_answers.front()) {
      g_answers.pop_front();
      Queue(window, kPlainEventClicked, static_cast<int>(i), 0);
      return true;
    }
  }
  return false;
}

PlainWindow* Create(PlainWindowBackEnd backEnd, bool shown, const char* title, int x, int y, int width, int height,
                    std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  auto* window = new (std::nothrow) PlainWindow;
  if (!window) return nullptr;
  if (backEnd == kPlainWindowAuto) backEnd = PlatformIsHeadless() ? kPlainWindowFake : kPlainWindowGtk;
  window->backEnd = backEnd;
  window->width = std::max(width, 1);
  window->height = std::max(height, 1);
  window->idleSince = PlatformTimeNow();
  window->shown = shown;
  if (IsGtk(window) && !PlainGtkCreate(window, title ? title : "", x, y, red, green, blue)) {
    delete window;
    return nullptr;
  }
  return window;
}

}  // namespace

void PlainWindowUseBackEnd(PlainWindowBackEnd backEnd) { g_chosen = backEnd; }

PlainWindow* PlainWindowCreate(const char* title, int x, int y, int width, int height, std::uint8_t red,
                               std::uint8_t green, std::uint8_t blue) {
  return PlainWindowCreateOn(g_chosen, title, x, y, width, height, red, green, blue);
}

PlainWindow* PlainWindowCreateOn(PlainWindowBackEnd backEnd, const char* title, int x, int y, int width,
                                 int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return Create(backEnd, true, title, x, y, width, height, red, green, blue);
}

PlainWindow* PlainWindowCreateHiddenOn(PlainWindowBackEnd backEnd, const char* title, int x, int y, int width,
                                       int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return Create(backEnd, false, title, x, y, width, height, red, green, blue);
}

void PlainWindowShow(PlainWindow* window) {
  if (!window || window->shown) return;
  window->shown = true;
  if (IsGtk(window)) PlainGtkShow(window);
}

void PlainWindowDestroy(PlainWindow* window) {
  if (!window) return;
  if (IsGtk(window)) PlainGtkDestroy(window);
  delete window;
}

bool PlainWindowSetTitle(PlainWindow* window, const char* title) {
  if (!window) return false;
  if (IsGtk(window)) PlainGtkSetTitle(window, title ? title : "");
  return true;
}

void PlainWindowUseCompactLook(PlainWindow* window) {
  if (window && IsGtk(window)) PlainGtkUseCompactLook(window);
}

void PlainWindowSetClientSize(PlainWindow* window, int width, int height) {
  if (!window) return;
  window->width = std::max(width, 1);
  window->height = std::max(height, 1);
  if (IsGtk(window)) PlainGtkResize(window);
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
  control.x = x;
  control.y = y;
  control.width = width;
  control.height = height;
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

bool PlainWindowSetSelection(PlainWindow* window, int control, int index) {
  PlainControl* found = Find(window, control);
  if (!found || found->kind != kPlainDropDown) return false;
  if (index < -1 || index >= static_cast<int>(found->items.size())) return false;
  found->selection = index;
  if (IsGtk(window)) PlainGtkShowSelection(window, control);
  return true;
}

bool PlainWindowClearItems(PlainWindow* window, int control) {
  PlainControl* found = Find(window, control);
  if (!found || found->kind != kPlainDropDown) return false;
  found->items.clear();
  found->selection = -1;
  if (IsGtk(window)) PlainGtkClearItems(window, control);
  return true;
}

int PlainWindowGetItemCount(const PlainWindow* window, int control) {
  const PlainControl* found = Find(window, control);
  if (!found || found->kind != kPlainDropDown) return -1;
  return static_cast<int>(found->items.size());
}

bool PlainWindowGetItemText(const PlainWindow* window, int control, int index, char* buffer, int size) {
  const PlainControl* found = Find(window, control);
  if (!found || found->kind != kPlainDropDown || !buffer || size < 1) return false;
  if (index < 0 || index >= static_cast<int>(found->items.size())) return false;
  const std::string& text = found->items[static_cast<std::size_t>(index)];
  const std::size_t count = std::min(text.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return true;
}

bool PlainWindowSetEnabled(PlainWindow* window, int control, bool enabled) {
  PlainControl* found = Find(window, control);
  if (!found) return false;
  found->enabled = enabled;
  if (IsGtk(window)) PlainGtkShowEnabled(window, control);
  return true;
}

bool PlainWindowIsEnabled(const PlainWindow* window, int control) {
  const PlainControl* found = Find(window, control);
  return found && found->enabled;
}

bool PlainWindowSetVisible(PlainWindow* window, int control, bool visible) {
  PlainControl* found = Find(window, control);
  if (!found) return false;
  found->visible = visible;
  if (IsGtk(window)) PlainGtkShowVisible(window, control);
  return true;
}

bool PlainWindowIsVisible(const PlainWindow* window, int control) {
  const PlainControl* found = Find(window, control);
  return found && found->visible;
}

bool PlainWindowSetDefaultButton(PlainWindow* window, int control) {
  PlainControl* found = Find(window, control);
  if (!found || found->kind != kPlainPushButton) return false;
  for (PlainControl& other : window->controls) other.isDefault = false;
  found->isDefault = true;
  if (IsGtk(window)) PlainGtkShowDefault(window, control);
  return true;
}

bool PlainWindowSetPicture(PlainWindow* window, int control, int width, int height, const std::uint32_t* pixels) {
  PlainControl* found = Find(window, control);
  if (!found || found->kind != kPlainPicture) return false;
  if (pixels && (width < 1 || height < 1)) return false;
  if (pixels) {
    found->picture.assign(pixels, pixels + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    found->pictureWidth = width;
    found->pictureHeight = height;
  } else {
    found->picture.clear();
    found->pictureWidth = found->pictureHeight = 0;
  }
  if (IsGtk(window)) PlainGtkShowPicture(window, control);
  return true;
}

bool PlainWindowGetPictureSize(const PlainWindow* window, int control, int* width, int* height) {
  const PlainControl* found = Find(window, control);
  if (!found || found->kind != kPlainPicture || !width || !height) return false;
  if (IsGtk(window)) {
    PlainGtkPictureSize(window, control, width, height);
  } else {
    *width = found->picture.empty() ? 0 : found->width;
    *height = found->picture.empty() ? 0 : found->height;
  }
  return true;
}

bool PlainWindowGetMinimumSize(const PlainWindow* window, int control, int* width, int* height) {
  const PlainControl* found = Find(window, control);
  if (!found || !width || !height) return false;
  if (IsGtk(window)) {
    PlainGtkMinimumSize(window, control, width, height);
    return true;
  }
  *width = found->kind == kPlainDropDown ? kFakeListWidth
                                         : static_cast<int>(found->text.size()) * kFakeCharWidth + kFakeTextPadding;
  *height = kFakeLineHeight;
  return true;
}

bool PlainWindowPlaceControl(PlainWindow* window, int control, int x, int y, int width, int height) {
  PlainControl* found = Find(window, control);
  if (!found) return false;
  found->x = x;
  found->y = y;
  found->width = width;
  found->height = height;
  if (IsGtk(window)) PlainGtkPlace(window, control);
  return true;
}

bool PlainWindowGetPlacement(const PlainWindow* window, int control, int* x, int* y, int* width, int* height) {
  const PlainControl* found = Find(window, control);
  if (!found || !x || !y || !width || !height) return false;
  if (IsGtk(window)) {
    PlainGtkPlacement(window, control, x, y, width, height);
  } else {
    *x = found->x;
    *y = found->y;
    *width = found->width;
    *height = found->height;
  }
  return true;
}

bool PlainWindowNextEvent(PlainWindow* window, PlainWindowEvent* event) {
  if (!window || !event) return false;
  if (IsGtk(window)) PlainGtkPump();
  if (window->events.empty() && !IsGtk(window) && !TakeQueuedAnswer(window) && window->idleAnswer &&
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

// A person cannot reach a control that is disabled or hidden.
void PlainWindowFakeClick(PlainWindow* window, int control) {
  const PlainControl* found = Find(window, control);
  if (!found || !found->enabled || !found->visible) return;
  if (IsGtk(window)) {
    PlainGtkClick(window, control);
  } else {
    Queue(window, kPlainEventClicked, control, 0);
  }
}

void PlainWindowFakeSelect(PlainWindow* window, int control, int index) {
  PlainControl* found = Find(window, control);
  if (!found || found->kind != kPlainDropDown || !found->enabled || !found->visible) return;
  if (index < 0 || index >= static_cast<int>(found->items.size())) return;  // a person picks a listed entry
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

void PlainWindowFakeSetIdleAnswer(PlainWindow* window, bool answer) {
  if (window) window->idleAnswer = answer;
}

void PlainWindowFakeQueueAnswer(const char* caption) { g_answers.emplace_back(caption ? caption : ""); }
void PlainWindowFakeClearAnswers() { g_answers.clear(); }
int PlainWindowFakeQueuedAnswers() { return static_cast<int>(g_answers.size()); }

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
