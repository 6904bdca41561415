// EngJob.cpp - work on worker threads, delivered on the main thread (see
// EngJob.h).
//
// The list of jobs is changed only on the main thread (start, delivery,
// shutdown); a worker only sets its job's ended flag, under the lock, and
// wakes a waiter. A job is joined before its done callback runs, so what its
// work wrote is complete and visible when the callback reads it.
#include "Engine/EngJob.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <list>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "Engine/Debug.h"
#include "Engine/EngFrames.h"
#include "Platform/WinInet.h"

namespace {

constexpr auto kWaitSlice = std::chrono::milliseconds(5);

struct Job {
  int id = 0;
  std::string name;
  EngJobWork work;
  EngJobCallback done;
  EngJobCallback whileRunning;
  std::atomic<bool> cancel{false};
  bool ended = false;  // under g_lock
  std::thread thread;
};

std::mutex g_lock;
std::condition_variable g_ended;
std::list<std::unique_ptr<Job>> g_jobs;  // in start order
int g_lastId = 0;
bool g_delivering = false;
thread_local const std::atomic<bool>* t_cancel = nullptr;

// A loop that sleeps while nothing changes must still tick to deliver; it
// need not draw for it.
void KeepLoopTicking() { EngFramesRequestTick(kEngJobTicksPerSecond); }

void RunOnWorker(Job* job) {
  t_cancel = &job->cancel;
  PlatformInternetSetThreadCancelFlag(&job->cancel);
  job->work();
  PlatformInternetSetThreadCancelFlag(nullptr);
  t_cancel = nullptr;
  {
    std::lock_guard<std::mutex> hold(g_lock);
    job->ended = true;
  }
  g_ended.notify_all();
  EngFramesRequestTickFromWorker();  // delivered by the next tick, not the next input
}

// Takes the jobs whose work has ended out of the list, in start order.
std::vector<std::unique_ptr<Job>> TakeEnded() {
  std::vector<std::unique_ptr<Job>> ended;
  std::lock_guard<std::mutex> hold(g_lock);
  for (auto it = g_jobs.begin(); it != g_jobs.end();) {
    if ((*it)->ended) {
      ended.push_back(std::move(*it));
      it = g_jobs.erase(it);
    } else {
      ++it;
    }
  }
  return ended;
}

}  // namespace

int EngJobStart(const char* name, EngJobWork work, EngJobCallback done, EngJobCallback whileRunning) {
  if (!work) return 0;
  auto job = std::unique_ptr<Job>(new (std::nothrow) Job);
  if (!job) {
    DebugError("EngJobStart", "No memory for <%s>", name ? name : "");
    return 0;
  }
  job->id = ++g_lastId;
  job->name = name ? name : "";
  job->work = std::move(work);
  job->done = std::move(done);
  job->whileRunning = std::move(whileRunning);
  Job* running = job.get();
  {
    std::lock_guard<std::mutex> hold(g_lock);
    g_jobs.push_back(std::move(job));
  }
  try {
    running->thread = std::thread(RunOnWorker, running);
  } catch (const std::system_error& error) {
    DebugError("EngJobStart", "No thread for <%s>: %s", running->name.c_str(), error.what());
    std::lock_guard<std::mutex> hold(g_lock);
    g_jobs.remove_if([running](const std::unique_ptr<Job>& j) { return j.get() == running; });
    return 0;
  }
  KeepLoopTicking();
  return running->id;
}

bool EngJobIsRunning(int job) {
  if (job <= 0) return false;
  std::lock_guard<std::mutex> hold(g_lock);
  for (const auto& j : g_jobs) {
    if (j->id == job) return true;
  }
  return false;
}

void EngJobCancel(int job) {
  std::lock_guard<std::mutex> hold(g_lock);
  for (const auto& j : g_jobs) {
    if (j->id == job) j->cancel = true;
  }
}

bool EngJobCancelRequested() { return t_cancel && t_cancel->load(); }

void EngJobDeliver() {
  if (g_delivering) return;  // a callback's own wait must not deliver again
  g_delivering = true;
  for (std::unique_ptr<Job>& job : TakeEnded()) {
    if (job->thread.joinable()) job->thread.join();
    if (job->done) job->done();
    // What follows from the result (a text, a box, a page) is shown.
    EngFramesRequestDraw();
  }
  // Copies: a callback may start or end jobs.
  std::vector<EngJobCallback> going;
  {
    std::lock_guard<std::mutex> hold(g_lock);
    for (const auto& j : g_jobs) {
      if (j->whileRunning) going.push_back(j->whileRunning);
    }
  }
  for (const EngJobCallback& call : going) call();
  g_delivering = false;
  if (EngJobAnyRunning()) KeepLoopTicking();
}

bool EngJobAnyRunning() {
  std::lock_guard<std::mutex> hold(g_lock);
  return !g_jobs.empty();
}

bool EngJobWaitAll(double seconds, const EngJobCallback& eachPass) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  for (;;) {
    EngJobDeliver();
    if (eachPass) eachPass();
    std::unique_lock<std::mutex> hold(g_lock);
    if (g_jobs.empty()) return true;
    if (std::chrono::steady_clock::now() >= until) return false;
    g_ended.wait_for(hold, kWaitSlice);
  }
}

void EngJobCancelAllAndJoin() {
  std::list<std::unique_ptr<Job>> jobs;
  {
    std::lock_guard<std::mutex> hold(g_lock);
    for (const auto& j : g_jobs) j->cancel = true;
    jobs.swap(g_jobs);
  }
  for (const auto& job : jobs) {
    if (job->thread.joinable()) job->thread.join();
    DebugNote("Job <%s> ended at shutdown", job->name.c_str());
  }
}
