// Time.cpp - the timer calls over CLOCK_MONOTONIC and nanosleep, and the
// tests' fake clock. The fake clock counts whole nanoseconds so that sums of
// milliseconds stay exact.
#include "Time.h"

#include <cerrno>
#include <ctime>

namespace {

struct TimeState {
  bool started = false;
  std::int64_t startNs = 0;
  bool fake = false;
  std::int64_t fakeNs = 0;
  long fakeSleeps = 0;
};

TimeState g_time;

std::int64_t MonotonicNs() {
  timespec now {};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Nanoseconds since the first reading of the process (or on the fake clock).
std::int64_t NowNs() {
  if (g_time.fake) return g_time.fakeNs;
  if (!g_time.started) {
    g_time.started = true;
    g_time.startNs = MonotonicNs();
  }
  return MonotonicNs() - g_time.startNs;
}

}  // namespace

// Since the system started, as the system's own: a value that differs from
// run to run (the engine seeds its C-style generator with it).
DWORD timeGetTime() {
  const std::int64_t ns = g_time.fake ? g_time.fakeNs : MonotonicNs();
  return static_cast<DWORD>(ns / 1000000LL);
}

void Sleep(DWORD ms) {
  if (g_time.fake) {
    g_time.fakeNs += static_cast<std::int64_t>(ms) * 1000000LL;
    ++g_time.fakeSleeps;
    return;
  }
  timespec wait {};
  wait.tv_sec = static_cast<time_t>(ms / 1000);
  wait.tv_nsec = static_cast<long>(ms % 1000) * 1000000L;
  timespec left {};
  while (nanosleep(&wait, &left) != 0 && errno == EINTR) wait = left;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  if (!frequency) return FALSE;
  frequency->QuadPart = 1000000000LL;
  return TRUE;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
  if (!count) return FALSE;
  count->QuadPart = NowNs();
  return TRUE;
}

double PlatformTimeNow() { return static_cast<double>(NowNs()) / 1e9; }

void PlatformTimeUseFakeClock(bool on, double startSeconds) {
  g_time.fake = on;
  g_time.fakeNs = static_cast<std::int64_t>(startSeconds * 1e9 + (startSeconds >= 0 ? 0.5 : -0.5));
  g_time.fakeSleeps = 0;
}

bool PlatformTimeIsFakeClock() { return g_time.fake; }

void PlatformTimeAdvanceFakeClock(double seconds) {
  if (!g_time.fake || seconds <= 0) return;
  g_time.fakeNs += static_cast<std::int64_t>(seconds * 1e9 + 0.5);
}

long PlatformTimeGetFakeSleepCount() { return g_time.fakeSleeps; }
