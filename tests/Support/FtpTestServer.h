// FtpTestServer.h - a loopback FTP server in a process of its own, for tests
// of uploads (the deck publish and the start-up FTP test).
//
// Runs tests/Support/ftp_test_server.py with Debian's /usr/bin/python3 (its
// python3-pyftpdlib): 127.0.0.1, a port the system picks, one account whose
// home is the given folder, writable or read-only. The server is stopped
// (killed by its process id and reaped) when the object goes.
//
//   FtpTestServer ftp(root, "user", "secret", true);
//   ASSERT_GT(ftp.Port(), 0);
#pragma once

#include <string>
#include <sys/types.h>

// What the server does with the "226" reply that confirms a finished
// transfer (the file is stored in every case).
enum class FtpConfirm { kSends, kWithholds, kTrickles /* a byte every 0.5 s */ };

class FtpTestServer {
 public:
  FtpTestServer(const std::string& root, const std::string& user, const std::string& password,
                bool writable, FtpConfirm confirm = FtpConfirm::kSends);
  ~FtpTestServer();
  FtpTestServer(const FtpTestServer&) = delete;
  FtpTestServer& operator=(const FtpTestServer&) = delete;

  // The listening port; 0 when the server did not start within 10 s.
  int Port() const { return port_; }

 private:
  pid_t pid_ = -1;
  int port_ = 0;
};
