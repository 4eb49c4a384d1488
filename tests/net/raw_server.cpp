#include "net/raw_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>

namespace {

constexpr int kPollMs = 20;

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return text;
}

size_t ContentLength(const std::string& head) {
  const std::string lower = Lower(head);
  const size_t at = lower.find("\r\ncontent-length:");
  if (at == std::string::npos) return 0;
  return std::strtoul(head.c_str() + at + 17, nullptr, 10);
}

}  // namespace

struct RawServer::Connection {
  int fd = -1;
  SSL* ssl = nullptr;

  // Waits for the socket to be readable or writable, giving up when the
  // server stops.
  bool Wait(short events, const std::atomic<bool>& stop) const {
    if (events == POLLIN && ssl && SSL_pending(ssl) > 0) return true;
    while (!stop) {
      pollfd p{fd, events, 0};
      const int ready = poll(&p, 1, kPollMs);
      if (ready > 0) return true;
      if (ready < 0) return false;
    }
    return false;
  }
  long Read(char* buffer, size_t size) {
    if (ssl) return SSL_read(ssl, buffer, static_cast<int>(size));
    return recv(fd, buffer, size, 0);
  }
  bool Write(const char* data, size_t size, const std::atomic<bool>& stop) {
    while (size > 0) {
      if (!Wait(POLLOUT, stop)) return false;
      const size_t chunk = std::min<size_t>(size, 16384);
      const long sent = ssl ? SSL_write(ssl, data, static_cast<int>(chunk)) : send(fd, data, chunk, MSG_NOSIGNAL);
      if (sent <= 0) return false;
      data += sent;
      size -= static_cast<size_t>(sent);
    }
    return true;
  }
  bool PeerGone(const std::atomic<bool>& stop) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 0) <= 0) return false;
    char byte;
    return recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT) <= 0;
  }
};

RawServer::RawServer(ReplyScript script, SSL_CTX* tls) : script_(std::move(script)), tls_(tls) {
  std::signal(SIGPIPE, SIG_IGN);  // a TLS write to a peer that left
  listenFd_ = socket(AF_INET, SOCK_STREAM, 0);
  const int on = 1;
  setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
  listen(listenFd_, 16);
  socklen_t length = sizeof address;
  getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

RawServer::~RawServer() {
  stop_ = true;
  thread_.join();
  close(listenFd_);
}

std::vector<std::string> RawServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

int RawServer::UnusedPort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  close(fd);  // bound but never listening: connecting is refused
  return ntohs(address.sin_port);
}

void RawServer::Serve() {
  while (!stop_) {
    pollfd p{listenFd_, POLLIN, 0};
    if (poll(&p, 1, kPollMs) <= 0) continue;
    const int fd = accept(listenFd_, nullptr, nullptr);
    if (fd >= 0) Handle(fd);
  }
}

void RawServer::Handle(int fd) {
  Connection connection;
  connection.fd = fd;
  bool ok = true;
  if (tls_) {
    connection.ssl = SSL_new(tls_);
    SSL_set_fd(connection.ssl, fd);
    ok = SSL_accept(connection.ssl) == 1;
  }
  std::string request;
  ScriptedReply reply;
  if (ok && ReadRequest(connection, request)) {
    {
      std::lock_guard lock(mutex_);
      requests_.push_back(request);
    }
    reply = script_(request);
    Reply(connection, reply);
  }
  if (connection.ssl) {
    if (!reply.reset) SSL_shutdown(connection.ssl);
    SSL_free(connection.ssl);
  }
  if (reply.reset) {
    linger hard{1, 0};
    setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
  }
  close(fd);
}

bool RawServer::ReadRequest(Connection& connection, std::string& request) {
  char buffer[16384];
  size_t headEnd = std::string::npos;
  size_t wanted = 0;
  while (!stop_) {
    if (headEnd != std::string::npos && request.size() >= wanted) return true;
    if (!connection.Wait(POLLIN, stop_)) return false;
    const long got = connection.Read(buffer, sizeof buffer);
    if (got <= 0) return false;
    request.append(buffer, static_cast<size_t>(got));
    if (headEnd == std::string::npos) {
      headEnd = request.find("\r\n\r\n");
      if (headEnd != std::string::npos) wanted = headEnd + 4 + ContentLength(request.substr(0, headEnd + 2));
    }
  }
  return false;
}

void RawServer::Reply(Connection& connection, const ScriptedReply& reply) {
  const auto start = std::chrono::steady_clock::now();
  while (!stop_ && std::chrono::steady_clock::now() - start < std::chrono::milliseconds(reply.delayMs))
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  if (!connection.Write(reply.bytes.data(), reply.bytes.size(), stop_)) return;

  const std::string filler(65536, 'x');
  for (size_t left = reply.streamBytes; left > 0 && !stop_;) {
    const size_t chunk = std::min(left, filler.size());
    if (!connection.Write(filler.data(), chunk, stop_)) return;
    fillerSent_ += chunk;
    left -= chunk;
  }
  while (reply.trickleMs > 0 && !stop_) {
    std::this_thread::sleep_for(std::chrono::milliseconds(reply.trickleMs));
    if (connection.PeerGone(stop_) || !connection.Write("x", 1, stop_)) return;
    ++fillerSent_;
  }
  while (reply.holdOpen && !stop_ && !connection.PeerGone(stop_))
    std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
}

std::string HttpReply(const std::string& statusLine, const std::vector<std::string>& headerLines,
                      const std::string& body) {
  std::string reply = statusLine + "\r\n";
  for (const std::string& line : headerLines) reply += line + "\r\n";
  reply += "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n";
  return reply + body;
}

std::vector<std::string> RequestHeaderLines(const std::string& request) {
  std::vector<std::string> lines;
  const size_t end = request.find("\r\n\r\n");
  size_t at = request.find("\r\n");
  while (at != std::string::npos && at < end) {
    const size_t next = request.find("\r\n", at + 2);
    lines.push_back(request.substr(at + 2, next - at - 2));
    at = next;
  }
  return lines;
}

std::string RequestLine(const std::string& request) { return request.substr(0, request.find("\r\n")); }

std::string RequestBody(const std::string& request) {
  const size_t end = request.find("\r\n\r\n");
  return end == std::string::npos ? std::string() : request.substr(end + 4);
}
