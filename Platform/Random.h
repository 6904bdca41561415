// Random.h - the system's cryptographic random source (getrandom(2)).
#pragma once

#include <cstddef>

// Fills size bytes; false on failure (or while a test forces failure).
bool PlatformRandomFill(void* buffer, std::size_t size);

// Test seam: makes every PlatformRandomFill fail while set.
void PlatformRandomForceFailureForTests(bool fail);
