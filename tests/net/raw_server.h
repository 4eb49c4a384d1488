#pragma once
// A loopback TCP server for wire tests: it accepts one connection at a time,
// records the exact bytes of each request (header block and the body its
// Content-Length announces) and answers with scripted raw bytes, optionally
// late, trickling, endless, or with a reset. With a TLS context it speaks
// TLS. It stops (and joins its thread) when destroyed.
#include <openssl/ssl.h>

#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct ScriptedReply {
  std::string bytes;       // sent first, as they are
  int delayMs = 0;         // wait before sending anything
  size_t streamBytes = 0;  // then this many filler bytes, as fast as the peer takes them
  int trickleMs = 0;       // then one filler byte every trickleMs until the peer goes or the server stops
  bool holdOpen = false;   // then keep the connection open, silent, until the peer goes
  bool reset = false;      // end with a TCP reset instead of an orderly close
};

using ReplyScript = std::function<ScriptedReply(const std::string& request)>;

class RawServer {
 public:
  explicit RawServer(ReplyScript script, SSL_CTX* tls = nullptr);
  ~RawServer();
  RawServer(const RawServer&) = delete;
  RawServer& operator=(const RawServer&) = delete;

  int port() const { return port_; }
  std::vector<std::string> Requests() const;
  // Filler bytes sent so far (stream and trickle), all connections together.
  size_t FillerSent() const { return fillerSent_; }

  // A port on 127.0.0.1 that nothing listens on.
  static int UnusedPort();

 private:
  struct Connection;
  void Serve();
  void Handle(int fd);
  bool ReadRequest(Connection& connection, std::string& request);
  void Reply(Connection& connection, const ScriptedReply& reply);

  ReplyScript script_;
  SSL_CTX* tls_;
  int listenFd_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<size_t> fillerSent_{0};
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

// The header block and body of an HTTP reply with a Content-Length.
std::string HttpReply(const std::string& statusLine, const std::vector<std::string>& headerLines,
                      const std::string& body);
// The header lines of a recorded request, without the request line.
std::vector<std::string> RequestHeaderLines(const std::string& request);
std::string RequestLine(const std::string& request);
std::string RequestBody(const std::string& request);
