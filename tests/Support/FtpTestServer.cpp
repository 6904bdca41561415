// FtpTestServer.cpp - the loopback FTP server's process (see FtpTestServer.h).
#include "tests/Support/FtpTestServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr const char* kPython = "/usr/bin/python3";
constexpr int kStartMs = 10000;

// The first line the process prints, waiting at most kStartMs.
std::string ReadFirstLine(int fd) {
  std::string line;
  for (int waited = 0; waited < kStartMs;) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) {
      waited += 100;
      continue;
    }
    char c = 0;
    if (read(fd, &c, 1) != 1) break;
    if (c == '\n') return line;
    line += c;
  }
  return std::string();
}

}  // namespace

FtpTestServer::FtpTestServer(const std::string& root, const std::string& user, const std::string& password,
                             bool writable, FtpConfirm confirm) {
  int out[2];
  if (pipe(out) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  // The server's own log stays out of the test's output.
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addclose(&actions, out[1]);
  const std::string script = std::string(CARDOLIA_SOURCE_DIR) + "/tests/Support/ftp_test_server.py";
  const char* confirmWord = confirm == FtpConfirm::kWithholds ? "withhold"
                            : confirm == FtpConfirm::kTrickles ? "trickle"
                                                               : "confirm";
  std::vector<std::string> args = {kPython, "-u", script, root, user, password, writable ? "rw" : "ro", confirmWord};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  if (posix_spawn(&pid_, kPython, &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (pid_ > 0) port_ = std::atoi(ReadFirstLine(out[0]).c_str());
  close(out[0]);
}

FtpTestServer::~FtpTestServer() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  int status = 0;
  waitpid(pid_, &status, 0);
}
