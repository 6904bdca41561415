// HttpsFileServer.cpp - the python https file server for tests (see
// HttpsFileServer.h).
#include "tests/Support/HttpsFileServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

extern char** environ;

namespace {

constexpr const char* kPython = "/usr/bin/python3";
constexpr const char* kOpenssl = "/usr/bin/openssl";
constexpr int kStartMilliseconds = 10000;

// Serves the current folder over TLS; prints its port, then serves until killed.
constexpr const char* kServer = R"(import http.server, ssl, sys
class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Quiet)
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(sys.argv[1], sys.argv[2])
server.socket = context.wrap_socket(server.socket, server_side=True)
print(server.server_address[1], flush=True)
server.serve_forever()
)";

int RunQuietly(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

}  // namespace

HttpsFileServer::HttpsFileServer(std::string root) : root_(std::move(root)) {
  std::string pattern = (std::filesystem::temp_directory_path() / "cardolia-https-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) return;
  folder_ = pattern;
  certificate_ = folder_ + "/cert.pem";
  const std::string key = folder_ + "/key.pem";
  const std::string script = folder_ + "/serve.py";
  std::ofstream(script) << kServer;
  if (RunQuietly(std::string(kOpenssl) + " req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2" +
                 " -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -keyout '" + key + "' -out '" +
                 certificate_ + "'") != 0) {
    return;
  }
  int output[2];
  if (::pipe(output) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, output[1], 1);
  posix_spawn_file_actions_addclose(&actions, output[0]);
  posix_spawn_file_actions_addchdir_np(&actions, root_.c_str());
  std::string python = kPython;
  char* argv[] = {python.data(), const_cast<char*>(script.c_str()), certificate_.data(),
                  const_cast<char*>(key.c_str()), nullptr};
  pid_t child = 0;
  const int spawned = posix_spawn(&child, kPython, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(output[1]);
  if (spawned != 0) {
    ::close(output[0]);
    return;
  }
  pid_ = child;
  std::string line;
  pollfd wait{output[0], POLLIN, 0};
  while (line.find('\n') == std::string::npos && ::poll(&wait, 1, kStartMilliseconds) > 0) {
    char buffer[64];
    const ssize_t got = ::read(output[0], buffer, sizeof buffer);
    if (got <= 0) break;
    line.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(output[0]);
  port_ = std::atoi(line.c_str());
}

HttpsFileServer::~HttpsFileServer() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
  if (!folder_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
}

std::string HttpsFileServer::Url(const std::string& path) const {
  return "https://127.0.0.1:" + std::to_string(port_) + path;
}
