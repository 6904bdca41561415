// HttpTestServer.cpp - the loopback HTTP server for tests (see
// HttpTestServer.h).
#include "tests/Support/HttpTestServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

namespace {

constexpr std::size_t kSendPiece = 16 * 1024;
constexpr std::size_t kLargestRequest = 64 * 1024;

const char* ReasonOf(int status) {
  switch (status) {
    case 200: return "OK";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
  }
}

// Sends everything unless the peer goes or the socket is shut down.
bool SendAll(int connection, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t sent = ::send(connection, data, size, MSG_NOSIGNAL);
    if (sent <= 0) return false;
    data += sent;
    size -= static_cast<std::size_t>(sent);
  }
  return true;
}

}  // namespace

HttpTestReply HttpTestReply::Text(std::string body, int status) {
  HttpTestReply reply;
  reply.status = status;
  reply.body = std::move(body);
  return reply;
}

HttpTestReply HttpTestReply::Redirect(std::string location) {
  HttpTestReply reply;
  reply.status = 302;
  reply.headers.emplace_back("Location", std::move(location));
  return reply;
}

HttpTestReply HttpTestReply::Raw(std::string bytes) {
  HttpTestReply reply;
  reply.raw = std::move(bytes);
  return reply;
}

HttpTestServer::HttpTestServer() {
  int wake[2];
  if (::pipe(wake) != 0) return;
  wakeRead_ = wake[0];
  wakeWrite_ = wake[1];
  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listener_ < 0) return;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listener_, 16) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    ::close(listener_);
    listener_ = -1;
    return;
  }
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread(&HttpTestServer::AcceptLoop, this);
}

HttpTestServer::~HttpTestServer() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    stopping_ = true;
    for (int connection : connections_) ::shutdown(connection, SHUT_RDWR);
  }
  stopped_.notify_all();
  if (wakeWrite_ >= 0) {
    const char byte = 0;
    [[maybe_unused]] const ssize_t ignored = ::write(wakeWrite_, &byte, 1);
  }
  if (acceptor_.joinable()) acceptor_.join();
  for (Worker& worker : workers_) worker.thread.join();
  if (listener_ >= 0) ::close(listener_);
  if (wakeRead_ >= 0) ::close(wakeRead_);
  if (wakeWrite_ >= 0) ::close(wakeWrite_);
}

std::string HttpTestServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void HttpTestServer::SetReply(const std::string& path, HttpTestReply reply) {
  std::lock_guard<std::mutex> hold(lock_);
  replies_[path] = std::move(reply);
}

int HttpTestServer::RequestCount(const std::string& path) const {
  std::lock_guard<std::mutex> hold(lock_);
  const auto found = counts_.find(path);
  return found == counts_.end() ? 0 : found->second;
}

std::string HttpTestServer::LastRequestHeaders() const {
  std::lock_guard<std::mutex> hold(lock_);
  return lastHeaders_;
}

bool HttpTestServer::Stopping() const {
  std::lock_guard<std::mutex> hold(lock_);
  return stopping_;
}

bool HttpTestServer::Pause(double seconds) {
  std::unique_lock<std::mutex> hold(lock_);
  stopped_.wait_for(hold, std::chrono::duration<double>(seconds), [this] { return stopping_; });
  return !stopping_;
}

void HttpTestServer::JoinEndedWorkers() {
  std::list<Worker> ended;
  {
    std::lock_guard<std::mutex> hold(lock_);
    for (auto it = workers_.begin(); it != workers_.end();) {
      const auto next = std::next(it);
      if (it->done) ended.splice(ended.end(), workers_, it);
      it = next;
    }
  }
  for (Worker& worker : ended) worker.thread.join();
}

bool HttpTestServer::WaitUntilIdle(double seconds) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  for (;;) {
    JoinEndedWorkers();
    {
      std::lock_guard<std::mutex> hold(lock_);
      if (workers_.empty()) return true;
    }
    if (std::chrono::steady_clock::now() >= until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void HttpTestServer::AcceptLoop() {
  for (;;) {
    JoinEndedWorkers();
    pollfd waits[2] = {{listener_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    if (::poll(waits, 2, -1) < 0) continue;
    if (waits[1].revents || Stopping()) return;
    const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    std::lock_guard<std::mutex> hold(lock_);
    if (stopping_) {
      ::close(connection);
      return;
    }
    connections_.push_back(connection);
    Worker& worker = workers_.emplace_back();
    worker.thread = std::thread(&HttpTestServer::Serve, this, connection, &worker);
  }
}

void HttpTestServer::Serve(int connection, Worker* worker) {
  // The request: everything up to the blank line.
  std::string request;
  char block[4096];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < kLargestRequest) {
    const ssize_t got = ::recv(connection, block, sizeof block, 0);
    if (got <= 0) break;
    request.append(block, static_cast<std::size_t>(got));
  }
  const std::size_t pathStart = request.find(' ');
  const std::size_t pathEnd = pathStart == std::string::npos ? std::string::npos : request.find(' ', pathStart + 1);
  std::string path = pathEnd == std::string::npos ? "/" : request.substr(pathStart + 1, pathEnd - pathStart - 1);
  path = path.substr(0, path.find('?'));

  HttpTestReply reply = HttpTestReply::Text("Not found", 404);
  {
    std::lock_guard<std::mutex> hold(lock_);
    ++counts_[path];
    lastHeaders_ = request;
    const auto found = replies_.find(path);
    if (found != replies_.end()) reply = found->second;
  }

  bool open = true;
  if (!reply.raw.empty()) {
    // Paced as a body is: headers and all, a piece at a time.
    const std::size_t rawPiece = reply.chunkBytes > 0 ? reply.chunkBytes : reply.raw.size();
    for (std::size_t sent = 0; open && sent < reply.raw.size(); sent += rawPiece) {
      if (sent > 0 && reply.chunkSeconds > 0.0) open = Pause(reply.chunkSeconds);
      const std::size_t count = std::min(rawPiece, reply.raw.size() - sent);
      if (open) open = SendAll(connection, reply.raw.data() + sent, count);
    }
    open = false;
  }
  if (open && reply.stallBeforeHeaders) open = Pause(1e9);
  if (open && reply.delayBeforeHeaders > 0.0) open = Pause(reply.delayBeforeHeaders);
  const std::size_t size = reply.generatedBodySize > 0 ? reply.generatedBodySize : reply.body.size();
  if (open) {
    std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " " + ReasonOf(reply.status) + "\r\n";
    if (!reply.withoutLength) head += "Content-Length: " + std::to_string(size) + "\r\n";
    head += "Content-Type: text/plain\r\nConnection: close\r\n";
    for (const auto& [name, value] : reply.headers) head += name + ": " + value + "\r\n";
    head += "\r\n";
    open = SendAll(connection, head.data(), head.size());
  }
  const std::size_t sendUpTo = std::min({size, reply.stallAfterBytes, reply.closeAfterBytes});
  const std::size_t piece = reply.chunkBytes > 0 ? reply.chunkBytes : kSendPiece;
  std::string buffer;
  for (std::size_t sent = 0; open && sent < sendUpTo;) {
    const std::size_t count = std::min(piece, sendUpTo - sent);
    if (reply.generatedBodySize > 0) {
      buffer.resize(count);
      for (std::size_t i = 0; i < count; ++i) buffer[i] = HttpTestReply::PatternByte(sent + i);
    } else {
      buffer = reply.body.substr(sent, count);
    }
    open = SendAll(connection, buffer.data(), buffer.size());
    sent += count;
    if (open && reply.chunkSeconds > 0.0 && sent < sendUpTo) open = Pause(reply.chunkSeconds);
  }
  if (open && reply.stallAfterBytes < size && reply.stallAfterBytes <= reply.closeAfterBytes) Pause(1e9);

  std::lock_guard<std::mutex> hold(lock_);
  connections_.erase(std::remove(connections_.begin(), connections_.end(), connection), connections_.end());
  ::shutdown(connection, SHUT_RDWR);
  ::close(connection);
  worker->done = true;
}
