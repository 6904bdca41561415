// EngJob.h - blocking work (a network transfer) on a worker thread of its
// own, so that the main loop keeps ticking, drawing and taking input while
// the work waits.
//
// The rule that makes this safe: the work touches only what it was given
// (its own copies of addresses, buffers and results) and the reporter
// (Engine/Debug.h, which serialises its lines); it never calls the game, the
// toolkit, the window or the sound. Everything that follows from its result
// happens in its done callback, which runs on the main thread: at the start
// of the next tick (EngProgram's tick calls EngJobDeliver) or inside a
// waiter's loop (EngJobWaitAll). An optional whileRunning callback runs on
// the main thread at every delivery while the work is still going (to show
// progress, to look after a plain window).
//
// Cancelling asks the work to end soon: its transfers look at
// EngJobCancelRequested(), and the WinINet calls of its thread give up
// within a poll slice (Platform/WinInet.h). At shutdown every job is
// cancelled and joined, and no done callback runs any more.
//
// The main loop must tick for a job, or its done callback would wait for
// the next input, without drawing for it: a job's worker asks the loop for a
// tick when its work ends (which wakes a loop waiting for input), and while
// jobs run every delivery asks for the next at kEngJobTicksPerSecond (for
// whileRunning); both through the loop's asks (Engine/EngFrames.h). The
// pass that runs done callbacks draws a whole frame, for what they changed.
// EngJobAnyRunning() says whether any job is still to be delivered.
//
// State: the list of jobs (each with its thread, its cancel flag and whether
// its work has ended), guarded by a lock; the workers only set their own
// ended flag under it.
#pragma once

#include <functional>

constexpr int kEngJobTicksPerSecond = 10;

using EngJobWork = std::function<void()>;
using EngJobCallback = std::function<void()>;

// Starts work on a thread of its own; done (optional) runs on the main thread
// once the work has ended, whileRunning (optional) at each delivery before
// that. name is for the log. The job's number (above 0), or 0 when no
// thread could be started (nothing runs; done is not called).
int EngJobStart(const char* name, EngJobWork work, EngJobCallback done, EngJobCallback whileRunning = nullptr);
// True from the start until the done callback has run (or the job was
// dropped at shutdown); false for 0 or an unknown number.
bool EngJobIsRunning(int job);
// Asks the job's work to end soon; nothing for an ended or unknown job.
void EngJobCancel(int job);
// On a worker: whether its job was asked to end. False on other threads.
bool EngJobCancelRequested();
// Main thread: joins every job whose work has ended and runs its done
// callback (in start order), then runs whileRunning of those still going.
// A done callback may start a new job.
void EngJobDeliver();
// True while some job has not been delivered: the main loop keeps ticking.
bool EngJobAnyRunning();
// Main thread, for callers without a running main loop (start-up, tests):
// delivers, runs eachPass (optional) and rests 5 ms, until no job runs.
// False when jobs still run after the time (seconds of the real clock).
bool EngJobWaitAll(double seconds, const EngJobCallback& eachPass = nullptr);
// Shutdown: cancels every job, waits for its work to end and forgets it
// without running its done callback.
void EngJobCancelAllAndJoin();
