// Locale.h - the user's locale as the Win32 locale query gives it, from the
// POSIX locale variables: the first non-empty of LC_ALL, LC_MESSAGES and
// LANG, "language_TERRITORY.codeset@modifier". "C", "POSIX" or a name
// without a territory has no country.
#pragma once

#include "Win32Types.h"

using LCID = DWORD;
using LCTYPE = DWORD;
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCTYPE LOCALE_SISO3166CTRYNAME = 0x005A;  // the two-letter country code

// Copies the item (only LOCALE_SISO3166CTRYNAME is known, in upper case)
// into data and returns its length with the terminator; with size 0 only
// the length. 0 when the item is unknown, the locale has no territory, or
// the buffer is too small.
int GetLocaleInfoA(LCID locale, LCTYPE item, char* data, int size);
