// Tests of the WinINet-shaped HTTP calls against the loopback test server:
// replies and statuses, redirects, time-outs of stalled servers, early
// closes, and a large body read through a bounded buffer.
#include <chrono>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "Platform/Files.h"
#include "Platform/WinInet.h"
#include "tests/Support/HttpTestServer.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

class WinInetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(server_.Port(), 0);
    session_ = InternetOpenA("WinInetTest", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    ASSERT_NE(session_, nullptr);
  }
  void TearDown() override {
    if (session_) InternetCloseHandle(session_);
  }

  void SetReceiveTimeout(HINTERNET handle, DWORD milliseconds) {
    InternetSetOptionA(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &milliseconds, sizeof milliseconds);
  }

  HINTERNET Open(const std::string& path) {
    return InternetOpenUrlA(session_, server_.Url(path).c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
  }

  // Reads to the end in pieces; false (and the error kept) when a call fails.
  bool ReadAll(HINTERNET request, std::string* body, DWORD piece = 511) {
    std::string block(piece, '\0');
    for (;;) {
      DWORD available = 0, read = 0;
      if (!InternetQueryDataAvailable(request, &available, 0, 0)) return false;
      if (!InternetReadFile(request, block.data(), piece, &read)) return false;
      if (read == 0) return true;
      body->append(block.data(), read);
    }
  }

  static DWORD Status(HINTERNET request) {
    DWORD status = 0, size = sizeof status;
    HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr);
    return status;
  }

  HttpTestServer server_;
  HINTERNET session_ = nullptr;
};

}  // namespace

TEST_F(WinInetTest, AReplyIsReadWholeWithItsStatusAndTheAgentIsSent) {
  server_.SetReply("/hello", HttpTestReply::Text("A 12345 3"));
  server_.SetReply("/gone", HttpTestReply::Text("no such page", 404));
  HINTERNET request = Open("/hello?hs=W123");
  ASSERT_NE(request, nullptr);
  std::string body;
  EXPECT_TRUE(ReadAll(request, &body));
  EXPECT_EQ(body, "A 12345 3");
  EXPECT_EQ(Status(request), 200u);
  EXPECT_NE(server_.LastRequestHeaders().find("User-Agent: WinInetTest"), std::string::npos);
  InternetCloseHandle(request);

  // An error status is a reply like any other here; the caller judges it.
  request = Open("/gone");
  ASSERT_NE(request, nullptr);
  EXPECT_EQ(Status(request), 404u);
  char text[8];
  DWORD size = sizeof text;
  ASSERT_TRUE(HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE, text, &size, nullptr));
  EXPECT_STREQ(text, "404");
  InternetCloseHandle(request);
}

TEST_F(WinInetTest, RedirectsAreFollowedToHttpOnly) {
  server_.SetReply("/target", HttpTestReply::Text("arrived"));
  server_.SetReply("/hop", HttpTestReply::Redirect(server_.Url("/target")));
  server_.SetReply("/to-file", HttpTestReply::Redirect("file:///etc/hostname"));
  HINTERNET request = Open("/hop");
  ASSERT_NE(request, nullptr);
  std::string body;
  EXPECT_TRUE(ReadAll(request, &body));
  EXPECT_EQ(body, "arrived");
  InternetCloseHandle(request);

  EXPECT_EQ(Open("/to-file"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_UNRECOGNIZED_SCHEME);
  EXPECT_EQ(InternetOpenUrlA(session_, "ftp://127.0.0.1/x", nullptr, 0, 0, 0), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_UNRECOGNIZED_SCHEME);
}

TEST_F(WinInetTest, NoProxyIsUsedWhateverTheEnvironmentSays) {
  server_.SetReply("/direct", HttpTestReply::Text("direct"));
  setenv("http_proxy", "http://127.0.0.1:9", 1);
  setenv("HTTP_PROXY", "http://127.0.0.1:9", 1);
  HINTERNET request = Open("/direct");
  unsetenv("http_proxy");
  unsetenv("HTTP_PROXY");
  ASSERT_NE(request, nullptr);
  std::string body;
  EXPECT_TRUE(ReadAll(request, &body));
  EXPECT_EQ(body, "direct");
  InternetCloseHandle(request);
}

TEST_F(WinInetTest, AServerThatStallsRunsIntoTheReceiveTimeout) {
  HttpTestReply silent;
  silent.stallBeforeHeaders = true;
  server_.SetReply("/silent", silent);
  HttpTestReply halfway = HttpTestReply::Text(std::string(2000, 'x'));
  halfway.stallAfterBytes = 700;
  server_.SetReply("/halfway", halfway);
  SetReceiveTimeout(session_, 300);

  Clock::time_point start = Clock::now();
  EXPECT_EQ(Open("/silent"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_TIMEOUT);
  EXPECT_LT(SecondsSince(start), 1.0);

  // Headers that trickle in a byte at a time (each line well within the
  // time-out, the whole 3 s) are held to the same bound.
  std::string head = "HTTP/1.1 200 OK\r\n";
  for (int i = 0; i < 30; ++i) head += "X: 1\r\n";
  HttpTestReply trickle = HttpTestReply::Raw(head + "Content-Length: 1\r\n\r\nx");
  trickle.chunkBytes = 1;
  trickle.chunkSeconds = 0.015;
  server_.SetReply("/trickle", trickle);
  start = Clock::now();
  EXPECT_EQ(Open("/trickle"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_TIMEOUT);
  EXPECT_LT(SecondsSince(start), 1.0);

  HINTERNET request = Open("/halfway");
  ASSERT_NE(request, nullptr);
  start = Clock::now();
  std::string body;
  EXPECT_FALSE(ReadAll(request, &body));
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_TIMEOUT);
  EXPECT_EQ(body.size(), 700u);  // what came is handed over before the failure
  EXPECT_LT(SecondsSince(start), 1.0);
  InternetCloseHandle(request);
}

TEST_F(WinInetTest, ASteadyTrickleIsNoTimeout) {
  HttpTestReply slow = HttpTestReply::Text(std::string(200, 's'));
  slow.chunkBytes = 20;
  slow.chunkSeconds = 0.08;  // 0.72 s in all, never 0.3 s without a byte
  server_.SetReply("/slow", slow);
  SetReceiveTimeout(session_, 300);
  HINTERNET request = Open("/slow");
  ASSERT_NE(request, nullptr);
  std::string body;
  EXPECT_TRUE(ReadAll(request, &body));
  EXPECT_EQ(body.size(), 200u);
  InternetCloseHandle(request);
}

TEST_F(WinInetTest, AConnectionClosedBeforeTheAnnouncedLengthFailsTheRead) {
  HttpTestReply cut = HttpTestReply::Text(std::string(1000, 'c'));
  cut.closeAfterBytes = 600;
  server_.SetReply("/cut", cut);
  HINTERNET request = Open("/cut");
  ASSERT_NE(request, nullptr);
  std::string body;
  EXPECT_FALSE(ReadAll(request, &body));
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_CONNECTION_RESET);
  EXPECT_EQ(body.size(), 600u);
  InternetCloseHandle(request);
}

TEST_F(WinInetTest, ALargeBodyWaitsInABoundedBuffer) {
  HttpTestReply large;
  large.generatedBodySize = 10 * 1024 * 1024;
  server_.SetReply("/large", large);
  PlatformInternetResetPeakBufferedBytes();
  HINTERNET request = Open("/large");
  ASSERT_NE(request, nullptr);
  std::string body;
  body.reserve(large.generatedBodySize);
  EXPECT_TRUE(ReadAll(request, &body, 4096));
  ASSERT_EQ(body.size(), large.generatedBodySize);
  EXPECT_EQ(body[1234567], HttpTestReply::PatternByte(1234567));
  EXPECT_LE(PlatformInternetPeakBufferedBytes(), 128u * 1024u);
  InternetCloseHandle(request);
}

TEST_F(WinInetTest, RefusalsSetTheLastError) {
  DWORD milliseconds = 100;
  EXPECT_EQ(InternetOpenA("x", INTERNET_OPEN_TYPE_DIRECT, "proxy:8080", nullptr, 0), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(InternetOpenUrlA(session_, "", nullptr, 0, 0, 0), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(InternetOpenUrlA(nullptr, "http://127.0.0.1/", nullptr, 0, 0, 0), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(InternetSetOptionA(session_, 99, &milliseconds, sizeof milliseconds));
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_INVALID_OPTION);
  DWORD status = 0, size = sizeof status;
  EXPECT_FALSE(HttpQueryInfoA(session_, HTTP_QUERY_STATUS_CODE, &status, &size, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_INCORRECT_HANDLE_TYPE);

  char text[64];
  EXPECT_GT(FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           ERROR_INTERNET_TIMEOUT, 0, text, sizeof text, nullptr),
            0u);
  EXPECT_STREQ(text, "The operation timed out");
}
