// HttpsFileServer.h - a loopback https server for download tests: Debian's
// /usr/bin/python3 serves a folder's files over TLS with a self-signed
// certificate for 127.0.0.1 that the fixture makes with openssl. The port is
// chosen by the system and printed by the server; the destructor stops the
// server by its process id. Missing files answer 404.
//
//   HttpsFileServer server(folder);
//   PlatformInternetSetCaFileForTests(server.CaFile().c_str());
//   Fetch(server.Url("/Setup.exe"));
#pragma once

#include <string>

class HttpsFileServer {
 public:
  // Serves root (which must exist); the certificate goes into a temporary
  // folder of its own. Running() is false when it did not come up in 10 s.
  explicit HttpsFileServer(std::string root);
  ~HttpsFileServer();
  HttpsFileServer(const HttpsFileServer&) = delete;
  HttpsFileServer& operator=(const HttpsFileServer&) = delete;

  bool Running() const { return port_ > 0; }
  int Port() const { return port_; }
  // "https://127.0.0.1:<port><path>"
  std::string Url(const std::string& path) const;
  // The certificate, to be trusted as the only authority.
  const std::string& CaFile() const { return certificate_; }

 private:
  std::string root_;
  std::string folder_;
  std::string certificate_;
  int pid_ = -1;
  int port_ = 0;
};
