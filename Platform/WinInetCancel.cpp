// WinInetCancel.cpp - the per-thread stop request of the WinINet calls (see
// WinInet.h). A file of its own, without libcurl: the engine's jobs set the
// flag on every worker, and a program that never fetches anything must not
// load the network libraries for that.
#include "Platform/WinInet.h"

namespace {

thread_local const std::atomic<bool>* tCancel = nullptr;

}  // namespace

void PlatformInternetSetThreadCancelFlag(const std::atomic<bool>* flag) { tCancel = flag; }

bool PlatformInternetThreadCancelled() { return tCancel && tCancel->load(); }
