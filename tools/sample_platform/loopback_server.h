#pragma once
// A small HTTP/1.1 server on 127.0.0.1, plain or TLS per listening port,
// written for the sample platform: it hands every request to one handler
// with its header lines in the order received and its raw head, and it can
// misbehave on purpose (delay, reset, truncate) when the handler asks.
//
// One thread accepts on all ports; each connection gets a thread of its own
// (keep-alive is honoured). Stop() wakes the accepting thread, shuts down
// every open connection so that blocked reads and writes return, and joins
// every thread, so nothing is left behind.
#include <atomic>
#include <condition_variable>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sample_platform/http_message.h"

typedef struct ssl_ctx_st SSL_CTX;

struct SampleListenerSetup {
  std::string name;  // the host this port stands for
  int port = 0;      // 0: chosen by the system
  bool tls = false;
  std::string certificatePem;  // TLS only
  std::string keyPem;
};

struct SampleListenerInfo {
  size_t index = 0;
  std::string name;
  int port = 0;
  bool tls = false;
};

class SampleLoopbackServer {
 public:
  using Handler = std::function<SampleReply(const SampleRequest&, const SampleListenerInfo&)>;

  SampleLoopbackServer();
  ~SampleLoopbackServer();
  SampleLoopbackServer(const SampleLoopbackServer&) = delete;
  SampleLoopbackServer& operator=(const SampleLoopbackServer&) = delete;

  // Binds every listener and starts accepting. On failure nothing stays
  // open and `error` says why.
  bool Start(const std::vector<SampleListenerSetup>& listeners, Handler handler, std::string* error);
  void Stop();
  bool Running() const { return running_; }
  int Port(size_t listener) const;

 private:
  struct Listener {
    SampleListenerInfo info;
    int fd = -1;
    SSL_CTX* tls = nullptr;
  };
  struct Connection {
    std::thread thread;
    int fd = -1;  // -1 once the connection's thread has closed it
    size_t listener = 0;
    std::atomic<bool> done{false};
  };

  void AcceptLoop();
  void Serve(Connection* connection);
  void ReapFinished();  // joins connection threads that have ended; caller holds mutex_
  bool WaitUnlessStopping(int milliseconds);
  void CloseListeners();

  Handler handler_;
  std::vector<Listener> listeners_;
  int wakeFd_ = -1;
  std::thread acceptor_;
  std::atomic<bool> running_{false};
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;  // guards connections_ and their fds
  std::condition_variable stopSignal_;
  std::list<std::unique_ptr<Connection>> connections_;
};
