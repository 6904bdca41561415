// CloseRequest.cpp - SIGINT, SIGTERM, SIGHUP and SDL_QUIT become one waiting close
// request (see CloseRequest.h).
#include "Platform/CloseRequest.h"

#include <signal.h>

#include <atomic>

namespace {

// Set by the signal handlers: only a lock-free atomic may be touched there.
std::atomic<bool> g_closeRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void OnCloseSignal(int) { g_closeRequested.store(true); }

bool Catch(int signalNumber) {
  struct sigaction current {};
  if (sigaction(signalNumber, nullptr, &current) != 0) return false;
  if (current.sa_handler == SIG_IGN) return true;  // the starter of the process chose so
  struct sigaction action {};
  action.sa_handler = OnCloseSignal;
  sigemptyset(&action.sa_mask);
  // Calls the signal interrupts go on (file, network and dialog waits).
  action.sa_flags = SA_RESTART;
  return sigaction(signalNumber, &action, nullptr) == 0;
}

}  // namespace

bool PlatformCatchCloseSignals() {
  // SDL sets its own handlers only over default ones, so these stay.
  const bool interrupt = Catch(SIGINT);
  const bool terminate = Catch(SIGTERM);
  const bool hangUp = Catch(SIGHUP);
  return interrupt && terminate && hangUp;
}

void PlatformRequestClose() { g_closeRequested.store(true); }
bool PlatformCloseRequested() { return g_closeRequested.load(); }
bool PlatformTakeCloseRequest() { return g_closeRequested.exchange(false); }
