// XServer.cpp - private X servers for tests (see XServer.h).
#include "tests/Support/XServer.h"

#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The process's private server; ended when the process ends (by the
// process that started it only: a forked child that exits leaves it).
struct ProcessDisplay {
  TestXServer server;
  pid_t owner = -1;
  std::string failure;
  bool tried = false;
  ~ProcessDisplay() {
    if (owner == getpid()) TestStopXServer(&server);
  }
};

ProcessDisplay& TheProcessDisplay() {
  static ProcessDisplay display;
  return display;
}

}  // namespace

bool TestStartXServer(int width, int height, double seconds, TestXServer* server, std::string* why) {
  std::string ignored;
  std::string& reason = why ? *why : ignored;
  int fds[2];
  if (pipe(fds) != 0) {
    reason = std::string("pipe: ") + std::strerror(errno);
    return false;
  }
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  const std::string fd = std::to_string(fds[1]);
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid < 0) {
    reason = std::string("fork: ") + std::strerror(errno);
    close(fds[0]);
    close(fds[1]);
    return false;
  }
  if (pid == 0) {
    // The server ends with the test process, also when that one crashes.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(126);
    close(fds[0]);
    // No auto-repeat: on a busy machine xdotool's press and release of a key
    // can lie further apart than the server's repeat delay (660 ms), and a
    // repeated Ctrl+Z or Escape would be a second undo or a second way out.
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
           "-noreset", "-r", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  server->pid = pid;
  // The server writes its display number and a line end once it takes
  // connections; an end of file means it has ended.
  std::string number;
  const auto start = Clock::now();
  bool ended = false;
  while (!ended) {
    const double left = seconds - SecondsSince(start);
    if (left <= 0) break;
    pollfd wait{fds[0], POLLIN, 0};
    if (poll(&wait, 1, static_cast<int>(left * 1000) + 1) <= 0) continue;
    char c = 0;
    if (read(fds[0], &c, 1) != 1 || c == '\n') {
      ended = true;
    } else {
      number += c;
    }
  }
  close(fds[0]);
  if (number.empty()) {
    reason = ended ? "Xvfb ended without a display (is it installed?)"
                   : "Xvfb named no display within " + std::to_string(seconds) + " s";
    TestStopXServer(server);
    return false;
  }
  server->display = ":" + number;
  return true;
}

void TestStopXServer(TestXServer* server) {
  if (server->pid <= 0) return;
  kill(server->pid, SIGTERM);
  const auto start = Clock::now();
  bool reaped = false;
  while (!reaped && SecondsSince(start) < 2.0) {
    reaped = waitpid(server->pid, nullptr, WNOHANG) == server->pid;
    if (!reaped) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (!reaped) {
    kill(server->pid, SIGKILL);
    waitpid(server->pid, nullptr, 0);
  }
  server->pid = -1;
  server->display.clear();
}

bool TestUsePrivateDisplay(std::string* why) {
  ProcessDisplay& display = TheProcessDisplay();
  if (!display.tried) {
    display.tried = true;
    if (TestStartXServer(1280, 1024, 20, &display.server, &display.failure)) display.owner = getpid();
  }
  if (why) *why = display.failure;
  if (display.owner != getpid()) return false;
  // Set on every call: a test before may have changed it.
  setenv("DISPLAY", display.server.display.c_str(), 1);
  return true;
}
