// DialogBox.h - modal dialog boxes in the Win32 manner: a dialog is built
// from a control table (ids, kinds, rectangles in dialog units), its
// procedure receives WM_INITDIALOG and a WM_COMMAND per action of the user,
// and it works on its controls through the calls below until EndDialog.
//
// The window and its controls are the plain window's (Platform/PlainWindow.h)
// in its compact look, on GTK 3, which is started only when a dialog or a
// plain window is first shown. The window comes on the screen once the
// procedure has handled WM_INITDIALOG, laid out and filled. Dialog units become pixels by one factor for
// both axes: the smallest factor at which every control can show its text,
// so that nothing is cut and nothing overlaps (a drop-down list's height in
// the table includes its open list; closed it is kDialogListClosedHeight).
//
// Headless (PlatformIsHeadless), or when GTK cannot start, the dialog runs
// on the fake back end: the procedure gets WM_INITDIALOG, then the default
// push button's command (IDOK when there is none; also when the button is
// disabled: it is the dialog's default answer), and both are written to
// stderr. Tests replay a script of actions instead
// (PlatformDialogSetScriptForTests); on GTK the same script acts on the
// real widgets.
//
// What the user's actions send to the procedure:
//   push button clicked          WM_COMMAND (id, BN_CLICKED)
//   auto radio button clicked    it is checked and the other auto radio
//                                buttons next to it in the table unchecked,
//                                then WM_COMMAND (id, BN_CLICKED)
//   drop-down entry chosen       WM_COMMAND (id, CBN_SELCHANGE)
//   Escape, the close box        WM_COMMAND (IDCANCEL, 0)
//   Return                       the default push button is pressed
// Calls from the procedure itself send nothing.
//
// State: the dialogs on screen (nested dialogs are allowed) and the tests'
// script.
#pragma once

#include <cstdint>
#include <vector>

#include "Win32Types.h"
#include "WinMsg.h"

using INT_PTR = std::intptr_t;
using DLGPROC = INT_PTR (*)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Messages and notifications (Win32 values).
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr WORD BN_CLICKED = 0;
constexpr WORD CBN_SELCHANGE = 1;
constexpr int IDCANCEL = 2;
// IDOK is Platform/Dialogs.h's (1).

// Drop-down list messages (Win32 values). CB_ADDSTRING returns the new
// entry's index, CB_GETCURSEL the selection or CB_ERR, CB_SETCURSEL the
// index or CB_ERR (-1 clears the selection and also answers CB_ERR).
constexpr UINT CB_GETLBTEXT = 0x0148;  // wParam index, lParam a char buffer (room for the text)
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr LRESULT CB_ERR = -1;
// Picture controls: lParam a bitmap of LoadBitmapA; returns the one before.
constexpr UINT STM_SETIMAGE = 0x0172;
constexpr WPARAM IMAGE_BITMAP = 0;

constexpr UINT BST_UNCHECKED = 0;
constexpr UINT BST_CHECKED = 1;

// ---- The control table ----------------------------------------------------------

enum DialogItemKind : int {
  kDialogPicture,           // a bitmap (STM_SETIMAGE), scaled to the rectangle
  kDialogText,              // static text, left-aligned
  kDialogCentredText,       // static text, centred
  kDialogSunkenText,        // static text, centred, in a sunken frame
  kDialogPushButton,
  kDialogDefaultPushButton,  // Return presses it; the headless answer
  kDialogGroupBox,
  kDialogAutoRadioButton,
  kDialogDropDownList,
};

struct DialogItemTemplate {
  int id;
  DialogItemKind kind;
  int x, y, width, height;  // dialog units
  const char* text;         // the resource text (null: none)
};

struct DialogTemplate {
  int id;  // named in the headless log
  const char* caption;
  int width, height;  // dialog units
  const DialogItemTemplate* items;
  int itemCount;
};

// A closed drop-down list's height in dialog units.
constexpr int kDialogListClosedHeight = 14;

// ---- Dialogs ----------------------------------------------------------------------

// Shows the dialog (instance and owner are accepted and unused), runs it
// until EndDialog and returns EndDialog's result; -1 when the table is
// missing or empty or the window cannot be made.
INT_PTR DialogBoxParamA(HINSTANCE instance, const DialogTemplate* dialog, HWND owner, DLGPROC procedure,
                        LPARAM parameter);
BOOL EndDialog(HWND dialog, INT_PTR result);
// The dialog's caption.
BOOL SetDialogCaptionA(HWND dialog, const char* caption);
// The messages above to a control; 0 (or CB_ERR for list queries) for an
// unknown dialog, control or message.
LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
BOOL SetDlgItemTextA(HWND dialog, int id, const char* text);
// Copies at most size - 1 characters and a terminator; the characters copied.
UINT GetDlgItemTextA(HWND dialog, int id, char* buffer, int size);
// Checks the radio button `check` and unchecks the others whose ids lie
// from first to last.
BOOL CheckRadioButton(HWND dialog, int first, int last, int check);
UINT IsDlgButtonChecked(HWND dialog, int id);
// Enables or disables, shows or hides a control.
BOOL EnableDlgItem(HWND dialog, int id, BOOL enable);
BOOL ShowDlgItem(HWND dialog, int id, BOOL show);
BOOL IsDlgItemEnabled(HWND dialog, int id);
BOOL IsDlgItemVisible(HWND dialog, int id);

// ---- Bitmaps ------------------------------------------------------------------------

struct HBITMAP__;
using HBITMAP = HBITMAP__*;
// Loads a picture file (a game path: BMP, TGA, PNG or JPEG) as a bitmap;
// the instance is unused. Null when it cannot be read.
HBITMAP LoadBitmapA(HINSTANCE instance, const char* fileName);
BOOL DeleteObject(HBITMAP bitmap);

// ---- Test seams ---------------------------------------------------------------------

// One action of the tests' user: a click on the control (selection -1; for
// IDCANCEL: Escape), or choosing entry `selection` of a drop-down list.
struct DialogScriptStep {
  int id;
  int selection;
};
// Called after WM_INITDIALOG (step -1) and after each step, while the
// dialog is on screen.
using DialogScriptObserver = void (*)(HWND dialog, int step, void* context);
// The next dialog shown plays these steps (copied) instead of waiting for a
// person (a disabled or hidden control cannot be used), headless or on
// GTK, and stops at EndDialog. When they run out first, the default answer
// follows as headless. Null steps and count 0
// with an observer: only the observer. Used once.
void PlatformDialogSetScriptForTests(const DialogScriptStep* steps, int count, DialogScriptObserver observer,
                                     void* context);
// The dialog's content as RGB rows (GTK only; false for the fake).
bool PlatformDialogCapture(HWND dialog, int* width, int* height, std::vector<std::uint8_t>* rgb);
// The pixels of a control as drawn (see PlainWindowGetPlacement) and as the
// table asks for them (scaled dialog units), and the dialog's content size.
bool PlatformDialogItemPlacement(HWND dialog, int id, RECT* drawn, RECT* asked);
bool PlatformDialogClientSize(HWND dialog, int* width, int* height);
// The size of the picture a picture control shows (0 x 0 for none).
bool PlatformDialogPictureSize(HWND dialog, int id, int* width, int* height);
