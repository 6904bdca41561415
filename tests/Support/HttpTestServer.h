// HttpTestServer.h - a loopback HTTP server on its own thread, for tests of
// code that fetches URLs (downloads, high scores, the update check).
//
// It listens on 127.0.0.1 at a port the system picks, answers each request
// with the reply scripted for its path (404 for paths without one), one
// thread per connection, and closes every connection after its reply. A
// reply can be slow, stall, close early or redirect, so tests can show that
// the caller never hangs and never trusts a broken reply. Stopping (the
// destructor) ends stalls at once.
//
//   HttpTestServer server;
//   server.SetReply("/score", HttpTestReply::Text("A 100 0"));
//   Fetch(server.Url("/score"));
#pragma once

#include <condition_variable>
#include <cstddef>
#include <list>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct HttpTestReply {
  int status = 200;
  std::string body;
  // When above 0 the body is this many bytes of a repeating pattern, made
  // while sending (for large replies), instead of `body`.
  std::size_t generatedBodySize = 0;
  std::vector<std::pair<std::string, std::string>> headers;  // added after the standard ones
  double delayBeforeHeaders = 0.0;  // seconds of silence before the reply
  bool stallBeforeHeaders = false;  // never answers
  // Sends this many body bytes, then stalls (never more).
  std::size_t stallAfterBytes = static_cast<std::size_t>(-1);
  // Sends this many body bytes, then closes the connection; the announced
  // Content-Length stays the full body's.
  std::size_t closeAfterBytes = static_cast<std::size_t>(-1);
  // Slow but steady: the body goes in pieces of chunkBytes, one every
  // chunkSeconds (0: all at once).
  std::size_t chunkBytes = 0;
  double chunkSeconds = 0.0;
  // No Content-Length: the body ends when the connection closes.
  bool withoutLength = false;
  // When not empty: sent as it is in place of the whole reply (status line,
  // headers and body), for replies no well-behaved server would send; paced
  // by chunkBytes and chunkSeconds like a body (a server that trickles its
  // headers too).
  std::string raw;

  static HttpTestReply Text(std::string body, int status = 200);
  // A 302 to the location.
  static HttpTestReply Redirect(std::string location);
  static HttpTestReply Raw(std::string bytes);
  // The byte at offset i of a generated body.
  static char PatternByte(std::size_t i) { return static_cast<char>('a' + i % 26); }
};

class HttpTestServer {
 public:
  HttpTestServer();  // listening when it returns (Port() is 0 when that failed)
  ~HttpTestServer();
  HttpTestServer(const HttpTestServer&) = delete;
  HttpTestServer& operator=(const HttpTestServer&) = delete;

  int Port() const { return port_; }
  // "http://127.0.0.1:<port><path>"
  std::string Url(const std::string& path) const;
  void SetReply(const std::string& path, HttpTestReply reply);
  // Requests received for the path, and the last request's header lines.
  int RequestCount(const std::string& path) const;
  std::string LastRequestHeaders() const;
  // Waits up to `seconds` until every connection has been answered and its
  // thread has ended; false when some are still open then.
  bool WaitUntilIdle(double seconds);

 private:
  struct Worker {
    std::thread thread;
    bool done = false;  // set under the lock as the worker ends
  };

  void AcceptLoop();
  void Serve(int connection, Worker* worker);
  // Joins the workers that have ended, so that a long run does not keep a
  // thread per connection.
  void JoinEndedWorkers();
  // Sleeps up to seconds; false when the server is stopping.
  bool Pause(double seconds);
  bool Stopping() const;

  int listener_ = -1;
  int port_ = 0;
  int wakeRead_ = -1, wakeWrite_ = -1;
  bool stopping_ = false;
  mutable std::mutex lock_;
  std::condition_variable stopped_;
  std::map<std::string, HttpTestReply> replies_;
  std::map<std::string, int> counts_;
  std::string lastHeaders_;
  std::vector<int> connections_;
  std::list<Worker> workers_;
  std::thread acceptor_;
};
