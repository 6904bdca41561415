// UpdateReplyFuzz.cpp - a web reply as the update check and the high scores
// fetch it: any bytes as everything a server sends back (status line,
// headers, body), served from a loopback server and read into the
// updater's 2047-byte buffer with a time-out.
#include <cstring>
#include <memory>
#include <string>

#include "Engine/DX9/EngInternetDX9.h"
#include "tests/Fuzz/FuzzSupport.h"
#include "tests/Support/HttpTestServer.h"

namespace {

constexpr int kReplySize = 2047;

HttpTestServer& Server() {
  static HttpTestServer* server = new HttpTestServer();  // lives as long as the process
  return *server;
}

std::string Reply(const std::string& head, const std::string& body) {
  return "HTTP/1.1 " + head + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  std::string raw(reinterpret_cast<const char*>(data), size);
  if (raw.empty()) raw = "\r\n";  // the server sends a raw reply only when there is one
  Server().SetReply("/cgi-bin/common/updater/CheckVersionV2.cgi", HttpTestReply::Raw(raw));
  const std::string url = Server().Url("/cgi-bin/common/updater/CheckVersionV2.cgi?platform=PC&version=4.820");

  std::unique_ptr<char[]> reply(new char[kReplySize + 1]);
  std::memset(reply.get(), '#', kReplySize + 1);
  char error[300];
  std::memset(error, '#', sizeof error);
  int length = -1;
  const bool read = EngInternetConnectAndReadURL(url.c_str(), reply.get(), kReplySize, &length, error, nullptr, 5);
  // The connection's thread ends before the next input: what it holds is
  // not mistaken for this input's leak.
  FUZZ_CHECK(Server().WaitUntilIdle(5.0));
  FUZZ_CHECK(reply[kReplySize] == '#');  // nothing beyond the buffer
  FUZZ_CHECK(std::memchr(error, '\0', 256) != nullptr);
  if (read) {
    FUZZ_CHECK(length >= 0 && length < kReplySize);
    FUZZ_CHECK(reply[length] == '\0');
    FUZZ_CHECK(error[0] == '\0');
  } else {
    FUZZ_CHECK(error[0] != '\0');
  }
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  return {
      {"up-to-date.txt", Reply("200 OK", "No new version exists at this time.")},
      {"out-of-date.txt",
       Reply("200 OK", "Your version is out of date. #DL:<http://127.0.0.1/downloads/Setup.exe>")},
      {"chunked.txt", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nA 1 0\r\n0\r\n\r\n"},
      {"not-found.txt", Reply("404 Not Found", "<html>no</html>")},
      {"redirect.txt", "HTTP/1.1 302 Found\r\nLocation: file:///etc/hostname\r\nContent-Length: 0\r\n\r\n"},
      {"cut-short.txt", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly a little"},
  };
}
