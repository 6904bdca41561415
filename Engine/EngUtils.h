// EngUtils.h - bounded string helpers. No state.
#pragma once

#include <cstddef>

// Copies at most size - 1 characters and always terminates. A null or empty
// source, or a size below 1, leaves the destination unchanged. A null
// destination reports "No string" and gives null. Returns the destination.
char* EngSafeStrcpy(char* destination, const char* source, int size);

// Compares at most n characters, folding A-Z to a-z, bytes compared as signed
// characters: -1 when a sorts first, 1 after, 0 when the first n characters
// are equal or both end together before n. n of 0 gives 0; a null text -1.
int EngUtilsStrnicmp(const char* a, const char* b, int n);
