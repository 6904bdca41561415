// Win32Types.h - the handful of Win32 scalar types and constants the engine is
// written against. Our own declarations: only what the engine uses, with the
// numeric values it quotes.
#pragma once

#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using INT = int;
using ULONG = std::uint32_t;
using HRESULT = std::int32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using HANDLE = void*;

// A window is an opaque handle owned by the platform layer (Platform/Window.h).
struct HWND__;
using HWND = HWND__*;
// Module instance, icon, cursor and brush handles: opaque, never dereferenced.
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
struct HICON__;
using HICON = HICON__*;
struct HCURSOR__;
using HCURSOR = HCURSOR__*;
struct HBRUSH__;
using HBRUSH = HBRUSH__*;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

struct POINT {
  LONG x;
  LONG y;
};

// ---- Result codes ---------------------------------------------------------
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }
