// DialogBox.cpp - modal dialogs over the plain window (see DialogBox.h).
// State: the dialogs on screen and the tests' script.
#include "Platform/DialogBox.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "Platform/Dialogs.h"
#include "Platform/Image.h"
#include "Platform/PlainWindow.h"
#include "Platform/Time.h"

struct HBITMAP__ {
  PlatformImage image;
};

namespace {

constexpr int kEscape = 27;
// Dialog units to pixels: never smaller than this (a dialog must stay
// readable when the measure says little) nor larger (a theme with huge
// paddings must not make a dialog larger than a screen).
constexpr double kMinScale = 1.5;
constexpr double kMaxScale = 3.0;
// Before the measure: where the controls are first put.
constexpr double kFirstScale = 2.0;
// The dialog's grey: the plain windows' (the updater's) 0.94.
constexpr std::uint8_t kGround = 240;
constexpr DWORD kIdleSleepMs = 5;

struct DialogItem {
  int id = 0;
  DialogItemKind kind = kDialogText;
  int control = -1;  // the plain window's control
  int index = 0;     // in the table
  RECT asked{};      // pixels
  HBITMAP bitmap = nullptr;
};

struct DialogRecord {
  const DialogTemplate* table = nullptr;
  PlainWindow* window = nullptr;
  DLGPROC procedure = nullptr;
  std::vector<DialogItem> items;
  double scale = kFirstScale;
  int defaultId = IDOK;
  bool ended = false;
  INT_PTR result = 0;
};

std::vector<DialogRecord*> g_dialogs;

struct Script {
  bool set = false;
  std::vector<DialogScriptStep> steps;
  DialogScriptObserver observer = nullptr;
  void* context = nullptr;
};
Script g_script;

HWND HandleOf(DialogRecord* record) { return reinterpret_cast<HWND>(record); }

DialogRecord* Find(HWND handle) {
  for (DialogRecord* record : g_dialogs) {
    if (HandleOf(record) == handle) return record;
  }
  return nullptr;
}

DialogItem* FindItem(DialogRecord* record, int id) {
  if (!record) return nullptr;
  for (DialogItem& item : record->items) {
    if (item.id == id) return &item;
  }
  return nullptr;
}

DialogItem* ItemOfControl(DialogRecord* record, int control) {
  for (DialogItem& item : record->items) {
    if (item.control == control) return &item;
  }
  return nullptr;
}

int PlainKind(DialogItemKind kind) {
  switch (kind) {
    case kDialogPicture: return kPlainPicture;
    case kDialogText:
    case kDialogCentredText: return kPlainStaticText;
    case kDialogSunkenText: return kPlainSunkenText;
    case kDialogPushButton:
    case kDialogDefaultPushButton: return kPlainPushButton;
    case kDialogGroupBox: return kPlainGroupBox;
    case kDialogAutoRadioButton: return kPlainRadioButton;
    case kDialogDropDownList: return kPlainDropDown;
  }
  return -1;
}

// A drop-down list's table height includes its open list.
int DrawnHeight(const DialogItemTemplate& item) {
  return item.kind == kDialogDropDownList ? std::min(item.height, kDialogListClosedHeight) : item.height;
}

RECT Scaled(const DialogItemTemplate& item, double scale) {
  RECT rect;
  rect.left = static_cast<LONG>(std::lround(item.x * scale));
  rect.top = static_cast<LONG>(std::lround(item.y * scale));
  rect.right = static_cast<LONG>(std::lround((item.x + item.width) * scale));
  rect.bottom = static_cast<LONG>(std::lround((item.y + DrawnHeight(item)) * scale));
  return rect;
}

// The smallest factor at which every control shows its whole text.
double MeasureScale(const DialogRecord& record) {
  double scale = kMinScale;
  for (const DialogItem& item : record.items) {
    if (item.kind == kDialogPicture) continue;
    const DialogItemTemplate& cell = record.table->items[item.index];
    int width = 0, height = 0;
    if (!PlainWindowGetMinimumSize(record.window, item.control, &width, &height)) continue;
    if (cell.width > 0) scale = std::max(scale, static_cast<double>(width) / cell.width);
    if (DrawnHeight(cell) > 0) scale = std::max(scale, static_cast<double>(height) / DrawnHeight(cell));
  }
  return std::min(scale, kMaxScale);
}

void Note(const DialogRecord& record, const char* what, int id) {
  std::fprintf(stderr, "[dialog %d] %s %d\n", record.table->id, what, id);
}

void SendCommand(DialogRecord* record, int id, WORD code) {
  if (record->ended) return;
  record->procedure(HandleOf(record), WM_COMMAND, MAKEWPARAM(id, code), 0);
}

// Win32's auto radio buttons: the run of them around the clicked one in the
// table is one group.
void CheckInGroup(DialogRecord* record, const DialogItem& clicked) {
  const int count = static_cast<int>(record->items.size());
  int first = clicked.index, last = clicked.index;
  while (first > 0 && record->items[first - 1].kind == kDialogAutoRadioButton) --first;
  while (last + 1 < count && record->items[last + 1].kind == kDialogAutoRadioButton) ++last;
  for (int i = first; i <= last; ++i) {
    PlainWindowSetChecked(record->window, record->items[i].control, i == clicked.index);
  }
}

void Dispatch(DialogRecord* record, const PlainWindowEvent& event) {
  switch (event.kind) {
    case kPlainEventClicked:
      if (DialogItem* item = ItemOfControl(record, event.control)) {
        if (item->kind == kDialogAutoRadioButton) CheckInGroup(record, *item);
        SendCommand(record, item->id, BN_CLICKED);
      }
      break;
    case kPlainEventSelectionChanged:
      if (DialogItem* item = ItemOfControl(record, event.control)) SendCommand(record, item->id, CBN_SELCHANGE);
      break;
    case kPlainEventKeyReleased:
      if (event.value == kEscape) SendCommand(record, IDCANCEL, 0);
      break;
    case kPlainEventCloseAsked:
      SendCommand(record, IDCANCEL, 0);
      break;
    default:
      break;
  }
}

// Hands every waiting event to the procedure.
void Drain(DialogRecord* record) {
  PlainWindowEvent event;
  while (!record->ended && PlainWindowNextEvent(record->window, &event)) Dispatch(record, event);
}

// One action of the script, as a person would do it.
void Act(DialogRecord* record, const DialogScriptStep& step) {
  if (step.id == IDCANCEL) {
    PlainWindowFakeReleaseKey(record->window, kEscape);
  } else if (DialogItem* item = FindItem(record, step.id)) {
    if (item->kind == kDialogDropDownList) {
      PlainWindowFakeSelect(record->window, item->control, step.selection);
    } else {
      PlainWindowFakeClick(record->window, item->control);
    }
  } else {
    SendCommand(record, step.id, BN_CLICKED);  // IDOK and other ids without a control
  }
  Drain(record);
}

// Nobody answers: the dialog takes its default answer, the default button's
// command (also when the button is disabled: no person is there to choose
// otherwise); a procedure that does not end then is cancelled, and one that
// ends neither way is ended with -1.
void AnswerByDefault(DialogRecord* record) {
  Note(*record, "default answer: the command of button", record->defaultId);
  SendCommand(record, record->defaultId, BN_CLICKED);
  if (!record->ended) SendCommand(record, IDCANCEL, 0);
  if (!record->ended) {
    Note(*record, "ended by the platform; result", -1);
    record->ended = true;
    record->result = -1;
  }
}

void RunScript(DialogRecord* record, const Script& script) {
  for (std::size_t i = 0; i < script.steps.size() && !record->ended; ++i) {
    Act(record, script.steps[i]);
    if (script.observer && !record->ended) script.observer(HandleOf(record), static_cast<int>(i), script.context);
  }
  if (!record->ended) AnswerByDefault(record);
}

void RunForAPerson(DialogRecord* record) {
  PlainWindowEvent event;
  while (!record->ended) {
    if (PlainWindowNextEvent(record->window, &event)) {
      Dispatch(record, event);
    } else {
      Sleep(kIdleSleepMs);
    }
  }
}

bool Build(DialogRecord* record, PlainWindowBackEnd backEnd) {
  const DialogTemplate& table = *record->table;
  const int firstWidth = static_cast<int>(std::lround(table.width * kFirstScale));
  const int firstHeight = static_cast<int>(std::lround(table.height * kFirstScale));
  record->window = PlainWindowCreateHiddenOn(backEnd, table.caption ? table.caption : "", -1, -1, firstWidth,
                                             firstHeight, kGround, kGround, kGround);
  if (!record->window) return false;
  PlainWindowFakeSetIdleAnswer(record->window, false);  // the script or the default answers instead
  PlainWindowUseCompactLook(record->window);
  for (int i = 0; i < table.itemCount; ++i) {
    const DialogItemTemplate& cell = table.items[i];
    const RECT rect = Scaled(cell, kFirstScale);
    DialogItem item;
    item.id = cell.id;
    item.kind = cell.kind;
    item.index = i;
    item.control = PlainWindowAddControl(record->window, PlainKind(cell.kind), rect.left, rect.top,
                                         rect.right - rect.left, rect.bottom - rect.top, cell.text);
    if (item.control < 0) return false;
    if (cell.kind == kDialogCentredText || cell.kind == kDialogSunkenText) {
      PlainWindowSetAlignment(record->window, item.control, 1);
    }
    if (cell.kind == kDialogDefaultPushButton) record->defaultId = cell.id;
    record->items.push_back(item);
  }
  record->scale = MeasureScale(*record);
  for (DialogItem& item : record->items) {
    item.asked = Scaled(table.items[item.index], record->scale);
    PlainWindowPlaceControl(record->window, item.control, item.asked.left, item.asked.top,
                            item.asked.right - item.asked.left, item.asked.bottom - item.asked.top);
  }
  PlainWindowSetClientSize(record->window, static_cast<int>(std::lround(table.width * record->scale)),
                           static_cast<int>(std::lround(table.height * record->scale)));
  if (DialogItem* item = FindItem(record, record->defaultId)) {
    PlainWindowSetDefaultButton(record->window, item->control);
  }
  return true;
}

}  // namespace

// ---- Dialogs ---------------------------------------------------------------------------

INT_PTR DialogBoxParamA(HINSTANCE, const DialogTemplate* dialog, HWND, DLGPROC procedure, LPARAM parameter) {
  if (!dialog || !dialog->items || dialog->itemCount < 1 || !procedure) return -1;
  auto* record = new (std::nothrow) DialogRecord;
  if (!record) return -1;
  record->table = dialog;
  record->procedure = procedure;
  // GTK when a display can be used; the fake when not, or when GTK cannot start.
  bool built = !PlatformIsHeadless() && Build(record, kPlainWindowGtk);
  if (!built) {
    PlainWindowDestroy(record->window);
    record->window = nullptr;
    record->items.clear();
    built = Build(record, kPlainWindowFake);
  }
  if (!built) {
    PlainWindowDestroy(record->window);
    delete record;
    return -1;
  }
  g_dialogs.push_back(record);
  const Script script = g_script;
  g_script = Script{};

  const bool fake = PlainWindowIsFake(record->window);
  if (fake) Note(*record, "WM_INITDIALOG; controls", dialog->itemCount);
  procedure(HandleOf(record), WM_INITDIALOG, 0, parameter);
  // As Win32 shows a dialog: once its procedure has filled it.
  if (!record->ended) PlainWindowShow(record->window);
  if (script.observer && !record->ended) script.observer(HandleOf(record), -1, script.context);
  if (!record->ended) {
    if (script.set) {
      RunScript(record, script);
    } else if (fake) {
      AnswerByDefault(record);
    } else {
      RunForAPerson(record);
    }
  }
  const INT_PTR result = record->result;
  g_dialogs.erase(std::remove(g_dialogs.begin(), g_dialogs.end(), record), g_dialogs.end());
  PlainWindowDestroy(record->window);
  delete record;
  return result;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  DialogRecord* record = Find(dialog);
  if (!record) return FALSE;
  record->ended = true;
  record->result = result;
  return TRUE;
}

BOOL SetDialogCaptionA(HWND dialog, const char* caption) {
  DialogRecord* record = Find(dialog);
  return record && PlainWindowSetTitle(record->window, caption) ? TRUE : FALSE;
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogRecord* record = Find(dialog);
  DialogItem* item = FindItem(record, id);
  if (!item) return message == STM_SETIMAGE ? 0 : CB_ERR;
  PlainWindow* window = record->window;
  const int control = item->control;
  switch (message) {
    case CB_RESETCONTENT:
      return PlainWindowClearItems(window, control) ? 0 : CB_ERR;
    case CB_ADDSTRING:
      if (!PlainWindowAddItem(window, control, reinterpret_cast<const char*>(lParam))) return CB_ERR;
      return PlainWindowGetItemCount(window, control) - 1;
    case CB_SETCURSEL: {
      const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
      if (!PlainWindowSetSelection(window, control, index < 0 ? -1 : index)) return CB_ERR;
      return index < 0 ? CB_ERR : index;
    }
    case CB_GETCURSEL:
      return item->kind == kDialogDropDownList ? PlainWindowGetSelection(window, control) : CB_ERR;
    case CB_GETCOUNT:
      return PlainWindowGetItemCount(window, control);
    case CB_GETLBTEXTLEN:
    case CB_GETLBTEXT: {
      const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
      std::string text(1024, '\0');
      if (!PlainWindowGetItemText(window, control, index, text.data(), static_cast<int>(text.size()))) {
        return CB_ERR;
      }
      const std::size_t length = std::strlen(text.c_str());
      if (message == CB_GETLBTEXT) {
        if (!lParam) return CB_ERR;
        std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), length + 1);
      }
      return static_cast<LRESULT>(length);
    }
    case STM_SETIMAGE: {
      if (item->kind != kDialogPicture || wParam != IMAGE_BITMAP) return 0;
      HBITMAP previous = item->bitmap;
      HBITMAP bitmap = reinterpret_cast<HBITMAP>(lParam);
      item->bitmap = bitmap;
      if (bitmap) {
        PlainWindowSetPicture(window, control, bitmap->image.width, bitmap->image.height,
                              bitmap->image.pixels.data());
      } else {
        PlainWindowSetPicture(window, control, 0, 0, nullptr);
      }
      return reinterpret_cast<LRESULT>(previous);
    }
    default:
      return message == CB_GETCURSEL || message == CB_GETCOUNT ? CB_ERR : 0;
  }
}

BOOL SetDlgItemTextA(HWND dialog, int id, const char* text) {
  DialogItem* item = FindItem(Find(dialog), id);
  return item && PlainWindowSetText(Find(dialog)->window, item->control, text) ? TRUE : FALSE;
}

UINT GetDlgItemTextA(HWND dialog, int id, char* buffer, int size) {
  DialogItem* item = FindItem(Find(dialog), id);
  if (!item || !buffer || size < 1) return 0;
  if (!PlainWindowGetText(Find(dialog)->window, item->control, buffer, size)) return 0;
  return static_cast<UINT>(std::strlen(buffer));
}

BOOL CheckRadioButton(HWND dialog, int first, int last, int check) {
  DialogRecord* record = Find(dialog);
  if (!record) return FALSE;
  for (DialogItem& item : record->items) {
    if (item.kind == kDialogAutoRadioButton && item.id >= first && item.id <= last) {
      PlainWindowSetChecked(record->window, item.control, item.id == check);
    }
  }
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  DialogItem* item = FindItem(Find(dialog), id);
  if (!item) return BST_UNCHECKED;
  return PlainWindowIsChecked(Find(dialog)->window, item->control) ? BST_CHECKED : BST_UNCHECKED;
}

BOOL EnableDlgItem(HWND dialog, int id, BOOL enable) {
  DialogItem* item = FindItem(Find(dialog), id);
  return item && PlainWindowSetEnabled(Find(dialog)->window, item->control, enable != FALSE) ? TRUE : FALSE;
}

BOOL ShowDlgItem(HWND dialog, int id, BOOL show) {
  DialogItem* item = FindItem(Find(dialog), id);
  return item && PlainWindowSetVisible(Find(dialog)->window, item->control, show != FALSE) ? TRUE : FALSE;
}

BOOL IsDlgItemEnabled(HWND dialog, int id) {
  DialogItem* item = FindItem(Find(dialog), id);
  return item && PlainWindowIsEnabled(Find(dialog)->window, item->control) ? TRUE : FALSE;
}

BOOL IsDlgItemVisible(HWND dialog, int id) {
  DialogItem* item = FindItem(Find(dialog), id);
  return item && PlainWindowIsVisible(Find(dialog)->window, item->control) ? TRUE : FALSE;
}

// ---- Bitmaps ---------------------------------------------------------------------------

HBITMAP LoadBitmapA(HINSTANCE, const char* fileName) {
  if (!fileName) return nullptr;
  auto* bitmap = new (std::nothrow) HBITMAP__;
  if (!bitmap) return nullptr;
  if (!PlatformImageLoadFile(fileName, &bitmap->image, nullptr)) {
    delete bitmap;
    return nullptr;
  }
  return bitmap;
}

BOOL DeleteObject(HBITMAP bitmap) {
  if (!bitmap) return FALSE;
  delete bitmap;
  return TRUE;
}

// ---- Test seams ------------------------------------------------------------------------

void PlatformDialogSetScriptForTests(const DialogScriptStep* steps, int count, DialogScriptObserver observer,
                                     void* context) {
  g_script = Script{};
  g_script.set = true;
  if (steps && count > 0) g_script.steps.assign(steps, steps + count);
  g_script.observer = observer;
  g_script.context = context;
}

bool PlatformDialogCapture(HWND dialog, int* width, int* height, std::vector<std::uint8_t>* rgb) {
  DialogRecord* record = Find(dialog);
  return record && PlainWindowCapture(record->window, width, height, rgb);
}

bool PlatformDialogItemPlacement(HWND dialog, int id, RECT* drawn, RECT* asked) {
  DialogRecord* record = Find(dialog);
  DialogItem* item = FindItem(record, id);
  if (!item) return false;
  if (asked) *asked = item->asked;
  if (drawn) {
    int x = 0, y = 0, w = 0, h = 0;
    if (!PlainWindowGetPlacement(record->window, item->control, &x, &y, &w, &h)) return false;
    *drawn = RECT{x, y, x + w, y + h};
  }
  return true;
}

bool PlatformDialogClientSize(HWND dialog, int* width, int* height) {
  DialogRecord* record = Find(dialog);
  if (!record) return false;
  PlainWindowGetClientSize(record->window, width, height);
  return true;
}

bool PlatformDialogPictureSize(HWND dialog, int id, int* width, int* height) {
  DialogItem* item = FindItem(Find(dialog), id);
  return item && PlainWindowGetPictureSize(Find(dialog)->window, item->control, width, height);
}
