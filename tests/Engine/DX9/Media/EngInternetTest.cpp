// Tests of the blocking fetch against the loopback test server: replies that
// fit and replies that do not, error pages, servers that stall, trickle or
// close early, the error texts the player sees, and the front-end.
#include <chrono>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "Engine/DX9/EngInternetDX9.h"
#include "Engine/EngInternet.h"
#include "Engine/EngJob.h"
#include "Engine/EngProgram.h"
#include "tests/Support/HttpTestServer.h"
#include "tests/Support/TestSupport.h"

namespace {

using Clock = std::chrono::steady_clock;

class EngInternetTest : public TempDirTest {
 protected:
  // Fetches path into a buffer of `size` bytes followed by guard bytes.
  bool Fetch(const std::string& path, int size, int timeout, const char* prefix = nullptr) {
    buffer_.assign(static_cast<std::size_t>(size) + 8, '#');
    std::memset(error_, '#', sizeof error_);
    length_ = -1;
    const Clock::time_point start = Clock::now();
    const bool fetched = EngInternetConnectAndReadURL(server_.Url(path).c_str(), buffer_.data(), size, &length_,
                                                      error_, prefix, timeout);
    seconds_ = std::chrono::duration<double>(Clock::now() - start).count();
    return fetched;
  }
  bool GuardIntact(int size) const { return buffer_.compare(static_cast<std::size_t>(size), 8, "########") == 0; }

  HttpTestServer server_;
  std::string buffer_;
  char error_[1100];
  int length_ = 0;
  double seconds_ = 0;
};

}  // namespace

TEST_F(EngInternetTest, AReplyFitsWithItsTerminatorInsideTheBuffer) {
  const struct {
    int replyBytes;
    bool fits;
  } cases[] = {{0, true}, {10, true}, {15, true}, {16, false}, {600, false}};
  for (const auto& c : cases) {
    server_.SetReply("/r", HttpTestReply::Text(std::string(static_cast<std::size_t>(c.replyBytes), 'r')));
    ClearLog();
    EXPECT_EQ(Fetch("/r", 16, 5), c.fits) << c.replyBytes;
    EXPECT_TRUE(GuardIntact(16)) << c.replyBytes;
    if (c.fits) {
      EXPECT_EQ(length_, c.replyBytes);
      EXPECT_EQ(buffer_[static_cast<std::size_t>(c.replyBytes)], '\0');
      EXPECT_STREQ(error_, "");
    } else {
      EXPECT_TRUE(LogContains("Buffer too small to read entire file")) << c.replyBytes;
      EXPECT_STREQ(error_, "Problem communicating with internet site");
    }
  }
}

TEST_F(EngInternetTest, AnErrorPageIsAFailedConnection) {
  server_.SetReply("/missing", HttpTestReply::Text("<html>not here</html>", 404));
  server_.SetReply("/broken", HttpTestReply::Text("oops", 500));
  EXPECT_FALSE(Fetch("/missing", 100, 5));
  EXPECT_STREQ(error_, "Problem connecting to internet site");
  EXPECT_TRUE(LogContains("HTTP status 404"));
  EXPECT_FALSE(Fetch("/broken", 100, 5, "Scores"));
  EXPECT_STREQ(error_, "Scores - Problem connecting to internet site");
}

TEST_F(EngInternetTest, OneDeadlineBoundsTheConnectionTheHeadersAndTheReads) {
  HttpTestReply silent;
  silent.stallBeforeHeaders = true;
  server_.SetReply("/silent", silent);
  HttpTestReply halfway = HttpTestReply::Text(std::string(100, 'h'));
  halfway.stallAfterBytes = 40;
  server_.SetReply("/halfway", halfway);
  HttpTestReply late = HttpTestReply::Text(std::string(100, 'l'));
  late.delayBeforeHeaders = 0.6;
  late.chunkBytes = 10;
  late.chunkSeconds = 0.1;  // 0.6 s of headers, then 0.9 s of steady body
  server_.SetReply("/late", late);

  EXPECT_FALSE(Fetch("/silent", 100, 1));
  EXPECT_LT(seconds_, 1.5);
  EXPECT_STREQ(error_, "Problem connecting to internet site");

  EXPECT_FALSE(Fetch("/halfway", 200, 1));
  EXPECT_LT(seconds_, 1.5);
  EXPECT_STREQ(error_, "Problem communicating with internet site");
  EXPECT_TRUE(LogContains("Timeout after 1 seconds"));

  // Neither part alone is over the second; together they are.
  EXPECT_FALSE(Fetch("/late", 200, 1));
  EXPECT_LT(seconds_, 1.5);
}

TEST_F(EngInternetTest, WithoutATimeoutASteadyTransferRunsOn) {
  HttpTestReply slow = HttpTestReply::Text(std::string(120, 's'));
  slow.chunkBytes = 10;
  slow.chunkSeconds = 0.12;  // 1.3 s in all
  server_.SetReply("/slow", slow);
  EXPECT_TRUE(Fetch("/slow", 200, 0));
  EXPECT_EQ(length_, 120);
  EXPECT_GT(seconds_, 1.0);
}

TEST_F(EngInternetTest, AnEarlyCloseIsAFailedRead) {
  HttpTestReply cut = HttpTestReply::Text(std::string(300, 'c'));
  cut.closeAfterBytes = 100;
  server_.SetReply("/cut", cut);
  EXPECT_FALSE(Fetch("/cut", 1000, 5));
  EXPECT_STREQ(error_, "Problem communicating with internet site");
  EXPECT_EQ(length_, 100);
}

TEST_F(EngInternetTest, TheErrorTextNamesTheFirstProblemAndStaysWithin255Characters) {
  char small[8] = "abc";
  const struct {
    const char* url;
    char* buffer;
    const char* expected;
  } cases[] = {
      {"", small, "No URL specified"},
      {"http://127.0.0.1:1/", nullptr, "Internal Error"},
      {"http://127.0.0.1:1/", small, "Problem connecting to internet site"},
  };
  for (const auto& c : cases) {
    std::memset(error_, '#', sizeof error_);
    EXPECT_FALSE(EngInternetConnectAndReadURL(c.url, c.buffer, sizeof small, nullptr, error_, nullptr, 2));
    EXPECT_STREQ(error_, c.expected);
  }
  const std::string longPrefix(300, 'p');
  EXPECT_FALSE(EngInternetConnectAndReadURL("", small, sizeof small, nullptr, error_, longPrefix.c_str(), 2));
  EXPECT_EQ(std::strlen(error_), 255u);
  EXPECT_EQ(error_[256], '#');  // nothing written past the terminator
}

TEST_F(EngInternetTest, TheFrontEndNeedsTheDirect3DDeviceType) {
  server_.SetReply("/ok", HttpTestReply::Text("OK"));
  char reply[16];
  EngProgram program;
  ASSERT_TRUE(program.SetMainDeviceType(0));
  EXPECT_FALSE(EngInternetReadURL(server_.Url("/ok").c_str(), reply, sizeof reply, nullptr, nullptr, nullptr, 5));
  EXPECT_EQ(server_.RequestCount("/ok"), 0);
  ASSERT_TRUE(program.SetMainDeviceType(1));
  int length = 0;
  EXPECT_TRUE(EngInternetReadURL(server_.Url("/ok").c_str(), reply, sizeof reply, &length, nullptr, nullptr, 5));
  EXPECT_STREQ(reply, "OK");
  EXPECT_EQ(length, 2);
  EXPECT_TRUE(EngInternetIsConnected());
}

TEST_F(EngInternetTest, TheLowLevelCallsRefuseMissingPieces) {
  EXPECT_EQ(EngInternetInitSession(nullptr), nullptr);
  EXPECT_TRUE(LogContains("( EngInternetInitSession )    No session name"));
  EXPECT_EQ(EngInternetOpenUrl(nullptr, "http://x/", false, false), nullptr);
  EXPECT_TRUE(LogContains("( EngInternetOpenUrl )    No session exists"));
  char buffer[4];
  EXPECT_FALSE(EngInternetReadOpenUrl(nullptr, buffer, sizeof buffer, 0, nullptr, 0));
  EXPECT_TRUE(LogContains("( EngInternetReadOpenUrl )    No connection exists"));
  HINTERNET session = EngInternetInitSession("Test");
  ASSERT_NE(session, nullptr);
  EXPECT_EQ(EngInternetOpenUrl(session, "", false, false), nullptr);
  EXPECT_TRUE(LogContains("( EngInternetOpenUrl )    No URL specified"));
  EXPECT_EQ(EngInternetOpenUrl(session, "http://127.0.0.1:1/", false, false), nullptr);
  EXPECT_TRUE(LogContains("( InternetOpenUrlA )    Error code: 12029 => Message: The connection to the server could not be made"));
  EngInternetCloseHandle(session);
}

// In a job, a fetch waits on a worker thread; cancelling the job (the
// program closing) ends the wait at once, whether the server is silent
// before its headers or in the middle of its body.
TEST_F(EngInternetTest, ACancelledJobsFetchEndsAtOnce) {
  HttpTestReply silent;
  silent.stallBeforeHeaders = true;
  HttpTestReply stalled = HttpTestReply::Text(std::string(100, 'b'));
  stalled.stallAfterBytes = 10;
  for (const HttpTestReply& reply : {silent, stalled}) {
    server_.SetReply("/wait", reply);
    bool fetched = true;
    char error[300] = "";
    const std::string url = server_.Url("/wait");
    const int job = EngJobStart("fetch", [&] {
      char reply[200];
      fetched = EngInternetConnectAndReadURL(url.c_str(), reply, sizeof reply, nullptr, error, nullptr, 15);
    }, nullptr);
    ASSERT_GT(job, 0);
    ASSERT_TRUE(EngJobWaitAll(0.3) == false) << "the wait should still be going";
    const Clock::time_point cancelled = Clock::now();
    EngJobCancel(job);
    ASSERT_TRUE(EngJobWaitAll(5));
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - cancelled).count(), 0.5);
    EXPECT_FALSE(fetched);
    EXPECT_NE(std::string(error), "");
  }
  // Closing is no fault: noted, not reported as an error.
  EXPECT_TRUE(LogContains("cancelled"));
  EXPECT_FALSE(LogContains(" <ERROR> "));
}
