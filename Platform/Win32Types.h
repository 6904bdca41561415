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
using HRESULT = std::int32_t;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
