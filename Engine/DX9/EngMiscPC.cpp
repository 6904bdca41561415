// EngMiscPC.cpp - the platform side of EngMisc: the timer, the message
// flush, the user folders, the current directory and the system box.
// State: g_timer (set by EngMiscInitTimer_PC, or on first use) and the
// message remover (the platform's, unless a test installed its own).
#include "Engine/DX9/EngMiscPC.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "Engine/Debug.h"
#include "Engine/EngWindow.h"
#include "Platform/Cp1252.h"
#include "Platform/Dialogs.h"
#include "Platform/Folders.h"
#include "Platform/Time.h"
#include "Platform/Window.h"

namespace {

struct Timer {
  bool initialised = false;
  bool hasCounter = false;
  long long frequency = 0;
  long long start = 0;
};

Timer g_timer;
EngMiscRemoveMessageFn g_removeOne = PlatformRemoveOneDroppableMessage;

constexpr int kMinFolderBuffer = 256;

// Copies a native folder path into the buffer as a game path; false when
// it is empty, does not fit, or holds characters that game text cannot
// (a path with '?' in their place would name another folder).
bool StoreFolder(const std::string& nativePath, char* buffer, int size) {
  if (nativePath.empty()) return false;
  const std::string text = Utf8ToCp1252(nativePath.c_str());
  if (Cp1252ToUtf8(text.c_str()) != nativePath) return false;
  if (text.size() >= static_cast<std::size_t>(size)) return false;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return true;
}

bool GetFolder(const char* where, const std::string& nativePath, const char* failure,
               char* buffer, int size) {
  if (!buffer || size < kMinFolderBuffer) return false;
  if (!StoreFolder(nativePath, buffer, size)) {
    DebugError(where, "%s", failure);
    return false;
  }
  return true;
}

}  // namespace

void EngMiscInitTimer_PC() {
  LARGE_INTEGER frequency {};
  g_timer.hasCounter = QueryPerformanceFrequency(&frequency) != 0 && frequency.QuadPart > 0;
  g_timer.frequency = g_timer.hasCounter ? frequency.QuadPart : 0;
  LARGE_INTEGER now {};
  QueryPerformanceCounter(&now);
  g_timer.start = now.QuadPart;
  g_timer.initialised = true;
}

double EngMiscGetSeconds_PC() {
  if (!g_timer.initialised) EngMiscInitTimer_PC();
  if (!g_timer.hasCounter) return static_cast<double>(timeGetTime()) / 1000.0;
  LARGE_INTEGER now {};
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart - g_timer.start) / static_cast<double>(g_timer.frequency);
}

void EngMiscSetMessageRemover_PC(EngMiscRemoveMessageFn removeOne) {
  g_removeOne = removeOne ? removeOne : PlatformRemoveOneDroppableMessage;
}

void EngMiscFlushWindowsMessages_PC(double seconds) {
  const double end = EngMiscGetSeconds_PC() + seconds;
  while (g_removeOne()) {
    if (EngMiscGetSeconds_PC() >= end) break;
  }
}

void EngMiscGetDesktopWorkArea_PC(int* left, int* top, int* width, int* height) {
  RECT area {};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
    // The whole desktop when the work area is unknown.
    area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  if (left) *left = area.left;
  if (top) *top = area.top;
  if (width) *width = area.right - area.left;
  if (height) *height = area.bottom - area.top;
}

bool EngMiscGetDesktopDirectory_PC(char* buffer, int size) {
  return GetFolder("EngMiscGetDesktopDirectory_PC", PlatformDesktopFolder(),
                   "Could not get desktop path", buffer, size);
}

bool EngMiscGetDocumentsDirectory_PC(char* buffer, int size) {
  return GetFolder("EngMiscGetDocumentsDirectory_PC", PlatformDocumentsFolder(),
                   "Could not get my docs path", buffer, size);
}

bool EngMiscGetApplicationsDirectory_PC(char* buffer, int size) {
  // Where installed programs live: the photo-editor chooser starts there.
  return GetFolder("EngMiscGetApplicationsDirectory_PC", "/usr/bin",
                   "Could not get app data path", buffer, size);
}

bool EngMiscGetUserApplicationDataDirectory_PC(char* buffer, int size) {
  return GetFolder("EngMiscGetUserApplicationDataDirectory_PC", PlatformApplicationDataFolder(),
                   "Could not get app data path", buffer, size);
}

bool EngMiscGetCurrentDirectory_PC(char* buffer, int size) {
  if (!buffer || size < 1) return false;
  return StoreFolder(PlatformCurrentFolder(), buffer, size);
}

int EngMiscMessageBox_PC(int kind, const char* title, const char* text) {
  if (EngWindowGetCurrent()) {
    EngMiscFlushWindowsMessages_PC(2.0);
    for (int i = 0; i < 4; ++i) ShowCursor(TRUE);
  }
  UINT style = MB_OK;
  if (kind == 2) {
    style = MB_ICONERROR;
  } else if (kind == 1) {
    style = MB_ICONWARNING;
  }
  return MessageBoxA(nullptr, text, title, style);
}
