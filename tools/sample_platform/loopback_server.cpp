#include "sample_platform/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "sample_platform/tls_context.h"

namespace {

constexpr size_t kMaxHeadBytes = 64 * 1024;
constexpr size_t kMaxBodyBytes = 8 * 1024 * 1024;
constexpr int kIdleSeconds = 30;

// A write to a peer that has gone raises SIGPIPE on the writing thread; the
// server's threads block it so that the write just fails. (OpenSSL writes
// through write(), which has no MSG_NOSIGNAL.)
void BlockSigpipe() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

// Reads and writes over a plain or TLS connection.
class Stream {
 public:
  Stream(int fd, SSL* ssl) : fd_(fd), ssl_(ssl) {}

  // Appends what arrives next to `buffer`; false when the peer has closed
  // the connection or the read failed.
  bool ReadMore(std::string& buffer) {
    char chunk[16384];
    long n;
    if (ssl_) {
      n = SSL_read(ssl_, chunk, static_cast<int>(sizeof chunk));
    } else {
      do {
        n = recv(fd_, chunk, sizeof chunk, 0);
      } while (n < 0 && errno == EINTR);
    }
    if (n <= 0) return false;
    buffer.append(chunk, static_cast<size_t>(n));
    return true;
  }

  bool WriteAll(const char* data, size_t size) {
    while (size > 0) {
      const size_t chunk = size < (1u << 20) ? size : (1u << 20);
      long n;
      if (ssl_) {
        n = SSL_write(ssl_, data, static_cast<int>(chunk));
      } else {
        n = send(fd_, data, chunk, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
      }
      if (n <= 0) return false;
      data += n;
      size -= static_cast<size_t>(n);
    }
    return true;
  }

 private:
  int fd_;
  SSL* ssl_;
};

bool KeepAlive(const SampleRequest& request) {
  std::string connection = request.Header("Connection");
  for (char& c : connection) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  if (request.version == "HTTP/1.0") return connection.find("keep-alive") != std::string::npos;
  return connection.find("close") == std::string::npos;
}

SampleReply PlainError(int status) {
  SampleReply reply;
  reply.status = status;
  reply.contentType = "text/html";
  reply.body = "<html><body><h1>" + std::to_string(status) + " " + SampleStatusReason(status) + "</h1></body></html>\n";
  return reply;
}

// Closing a socket that still has unread input makes the system send a
// reset, which can destroy the reply before the peer has read it (a refused
// oversized request, say). So the input is read away for a moment first; the
// peer's close, or Stop() shutting the socket down, ends the wait early.
void DrainBriefly(int fd) {
  constexpr int kDrainMs = 200;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kDrainMs);
  char sink[4096];
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0) return;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left)) <= 0) return;
    if (recv(fd, sink, sizeof sink, MSG_DONTWAIT) <= 0) return;
  }
}

void ResetConnection(int fd) {
  linger hard{1, 0};
  setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
}

}  // namespace

SampleLoopbackServer::SampleLoopbackServer() = default;

SampleLoopbackServer::~SampleLoopbackServer() { Stop(); }

int SampleLoopbackServer::Port(size_t listener) const {
  return listener < listeners_.size() ? listeners_[listener].info.port : 0;
}

bool SampleLoopbackServer::Start(const std::vector<SampleListenerSetup>& setups, Handler handler, std::string* error) {
  if (running_) {
    if (error) *error = "already running";
    return false;
  }
  const auto fail = [&](const std::string& why) {
    if (error) *error = why;
    CloseListeners();
    return false;
  };
  handler_ = std::move(handler);
  listeners_.clear();
  wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wakeFd_ < 0) return fail(std::string("eventfd: ") + std::strerror(errno));

  for (size_t i = 0; i < setups.size(); ++i) {
    const SampleListenerSetup& setup = setups[i];
    Listener listener;
    listener.info = {i, setup.name, setup.port, setup.tls};
    listener.fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener.fd < 0) return fail(std::string("socket: ") + std::strerror(errno));
    listeners_.push_back(listener);  // from here CloseListeners closes it
    const int on = 1;
    setsockopt(listener.fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(setup.port));
    if (bind(listener.fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
      return fail(setup.name + ": bind to 127.0.0.1:" + std::to_string(setup.port) + ": " + std::strerror(errno));
    }
    if (listen(listener.fd, 128) != 0) return fail(setup.name + ": listen: " + std::strerror(errno));
    socklen_t length = sizeof address;
    getsockname(listener.fd, reinterpret_cast<sockaddr*>(&address), &length);
    listeners_.back().info.port = ntohs(address.sin_port);
    if (setup.tls) {
      std::string why;
      listeners_.back().tls = MakeSampleTlsContext(setup.certificatePem, setup.keyPem, &why);
      if (!listeners_.back().tls) return fail(setup.name + ": " + why);
    }
  }

  stopping_ = false;
  running_ = true;
  acceptor_ = std::thread(&SampleLoopbackServer::AcceptLoop, this);
  return true;
}

void SampleLoopbackServer::CloseListeners() {
  for (Listener& listener : listeners_) {
    if (listener.fd >= 0) close(listener.fd);
    listener.fd = -1;
    SSL_CTX_free(listener.tls);
    listener.tls = nullptr;
  }
  if (wakeFd_ >= 0) close(wakeFd_);
  wakeFd_ = -1;
}

void SampleLoopbackServer::Stop() {
  if (!running_) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  const uint64_t one = 1;
  [[maybe_unused]] ssize_t ignored = write(wakeFd_, &one, sizeof one);
  acceptor_.join();
  {
    // Blocked reads and writes of the connection threads return at once.
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& connection : connections_) {
      if (connection->fd >= 0) shutdown(connection->fd, SHUT_RDWR);
    }
  }
  stopSignal_.notify_all();
  for (auto& connection : connections_) connection->thread.join();
  connections_.clear();
  CloseListeners();
  running_ = false;
}

void SampleLoopbackServer::ReapFinished() {
  for (auto it = connections_.begin(); it != connections_.end();) {
    if ((*it)->done) {
      (*it)->thread.join();
      it = connections_.erase(it);
    } else {
      ++it;
    }
  }
}

bool SampleLoopbackServer::WaitUnlessStopping(int milliseconds) {
  std::unique_lock<std::mutex> lock(mutex_);
  return !stopSignal_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return stopping_.load(); });
}

void SampleLoopbackServer::AcceptLoop() {
  BlockSigpipe();
  std::vector<pollfd> fds;
  for (const Listener& listener : listeners_) fds.push_back({listener.fd, POLLIN, 0});
  fds.push_back({wakeFd_, POLLIN, 0});
  while (!stopping_) {
    if (poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds.back().revents != 0) break;
    for (size_t i = 0; i + 1 < fds.size(); ++i) {
      if ((fds[i].revents & POLLIN) == 0) continue;
      const int fd = accept4(fds[i].fd, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd < 0) continue;
      const int on = 1;
      setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
      timeval idle{kIdleSeconds, 0};
      setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &idle, sizeof idle);
      std::lock_guard<std::mutex> lock(mutex_);
      if (stopping_) {
        close(fd);
        break;
      }
      ReapFinished();
      auto connection = std::make_unique<Connection>();
      connection->fd = fd;
      connection->listener = i;
      Connection* raw = connection.get();
      connections_.push_back(std::move(connection));
      raw->thread = std::thread(&SampleLoopbackServer::Serve, this, raw);
    }
  }
}

void SampleLoopbackServer::Serve(Connection* connection) {
  BlockSigpipe();
  const Listener& listener = listeners_[connection->listener];
  const int fd = connection->fd;
  SSL* ssl = nullptr;
  bool reset = false;
  bool tlsUp = false;
  if (listener.tls) {
    ssl = SSL_new(listener.tls);
    SSL_set_fd(ssl, fd);
    tlsUp = SSL_accept(ssl) == 1;
  }
  Stream stream(fd, ssl);
  std::string buffer;

  while ((!listener.tls || tlsUp) && !stopping_) {
    SampleRequest request;
    size_t headLength = 0;
    RequestHeadParse parse;
    bool closed = false;
    while ((parse = ParseSampleRequestHead(buffer, request, headLength)) == RequestHeadParse::Incomplete) {
      if (buffer.size() > kMaxHeadBytes) break;
      closed = !stream.ReadMore(buffer);
      if (closed) break;
    }
    if (closed) break;

    SampleReply reply;
    bool keepAlive = false;
    if (parse == RequestHeadParse::Incomplete) {
      reply = PlainError(431);
    } else if (parse == RequestHeadParse::Bad) {
      reply = PlainError(400);
    } else if (!request.Header("Transfer-Encoding").empty()) {
      reply = PlainError(411);
    } else {
      const std::string lengthText = request.Header("Content-Length");
      const unsigned long long length = lengthText.empty() ? 0 : std::strtoull(lengthText.c_str(), nullptr, 10);
      if (length > kMaxBodyBytes) {
        reply = PlainError(413);
      } else {
        buffer.erase(0, headLength);
        while (buffer.size() < length && !closed) closed = !stream.ReadMore(buffer);
        if (closed) break;
        request.body = buffer.substr(0, length);
        buffer.erase(0, length);
        reply = handler_(request, listener.info);
        keepAlive = KeepAlive(request);
      }
    }

    if (reply.delayMs > 0 && !WaitUnlessStopping(reply.delayMs)) break;
    if (reply.delivery == ReplyDelivery::Reset) {
      reset = true;
      break;
    }
    if (reply.delivery == ReplyDelivery::Truncated) keepAlive = false;
    const bool head = request.method == "HEAD";
    const std::string replyHead = SampleReplyHead(reply, reply.body.size(), keepAlive);
    size_t bodyBytes = head ? 0 : reply.body.size();
    if (reply.delivery == ReplyDelivery::Truncated) bodyBytes /= 2;
    if (bodyBytes <= 64 * 1024) {
      const std::string whole = replyHead + reply.body.substr(0, bodyBytes);
      if (!stream.WriteAll(whole.data(), whole.size())) break;
    } else if (!stream.WriteAll(replyHead.data(), replyHead.size()) || !stream.WriteAll(reply.body.data(), bodyBytes)) {
      break;
    }
    if (!keepAlive) break;
  }

  if (reset) {
    ResetConnection(fd);
  } else {
    if (ssl && tlsUp) SSL_shutdown(ssl);
    shutdown(fd, SHUT_WR);
    if (!stopping_) DrainBriefly(fd);
  }
  SSL_free(ssl);
  ERR_clear_error();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    connection->fd = -1;
  }
  close(fd);
  connection->done = true;
}
