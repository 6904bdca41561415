// Time.h - the timer calls the engine is written against, over the POSIX
// monotonic clock and nanosleep.
//
// The performance counter and PlatformTimeNow count from the first use of
// this unit in the process (a monotonic clock relative to start);
// timeGetTime() counts from the system's start, as the system's own does,
// and so differs from run to run. Tests install a fake clock: while it is
// installed every reading comes from it and Sleep advances it instead of
// sleeping, so loops that wait on the clock run instantly and
// deterministically.
#pragma once

#include <cstdint>

#include "Win32Types.h"

union LARGE_INTEGER {
  struct {
    DWORD LowPart;
    LONG HighPart;
  } u;
  std::int64_t QuadPart;
};

// Milliseconds since the system started (wrapping after 49.7 days).
DWORD timeGetTime();
// Suspends the calling thread for ms milliseconds (0 yields).
void Sleep(DWORD ms);
// Counts per second (nanoseconds: 1e9). Always TRUE; FALSE for null.
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
// The count since start. Always TRUE; FALSE for null.
BOOL QueryPerformanceCounter(LARGE_INTEGER* count);

// Seconds since start (the same clock as above).
double PlatformTimeNow();

// ---- Test seam: the fake clock ----------------------------------------------
// Installs (true) or removes (false) the fake clock, starting at startSeconds.
// While installed, Sleep(ms) advances it by ms milliseconds and returns at
// once.
void PlatformTimeUseFakeClock(bool on, double startSeconds = 0.0);
bool PlatformTimeIsFakeClock();
// Moves the fake clock forward (no effect on the real clock).
void PlatformTimeAdvanceFakeClock(double seconds);
// The number of Sleep calls since the fake clock was installed.
long PlatformTimeGetFakeSleepCount();
