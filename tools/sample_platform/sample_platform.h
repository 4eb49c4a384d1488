#pragma once
// The sample platform: an imitation of the remote services on loopback,
// for the tests and the demo. It answers
//   - the affiliate platform (HTTP): keyword and super searches, the theme
//     channels with their category lists, the high-commission channel;
//   - the item pictures (HTTP, JPEG and PNG) at the addresses its replies give;
//   - the ranking site (HTTPS): keyword ranking lists, category trees and
//     category keyword pages;
//   - the suggestion service (HTTPS),
// each on a port of its own, with replies shaped like the real services'
// and drawn deterministically from the request. Every request is recorded
// (header lines in the order received), and faults can be switched on per
// path. The HTTPS hosts present certificates of a TEST-ONLY sample CA.
//
// The program reaches it through its host redirect: Redirects() lists, for
// each real host and port, the loopback address that stands in for it.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "sample_platform/http_message.h"
#include "sample_platform/sample_faults.h"

class SampleLoopbackServer;
struct SampleListenerInfo;

// Ports to listen on; 0 lets the system choose a free one.
struct SamplePlatformPorts {
  int affiliate = 0;
  int picture = 0;
  int ranking = 0;
  int suggestion = 0;
};

struct SampleRecordedRequest {
  uint64_t sequence = 0;  // 1 for the first request since start or the last ClearRequests
  std::string service;    // the host whose port received it
  int port = 0;           // the loopback port
  bool secure = false;
  SampleRequest request;  // method, target, headers in order, body, raw head
};

class SamplePlatform {
 public:
  struct Redirect {
    std::string host;      // "pub.alimama.com"
    int port = 0;          // 80 or 443, the port the program's address implies
    std::string target;    // "127.0.0.1:<port>"
    int loopbackPort = 0;  // <port> of the target
  };

  SamplePlatform();
  ~SamplePlatform();  // stops
  SamplePlatform(const SamplePlatform&) = delete;
  SamplePlatform& operator=(const SamplePlatform&) = delete;

  bool Start();
  bool Start(const SamplePlatformPorts& ports, std::string* error);
  // Closes every port and connection and joins every thread.
  void Stop();
  bool Running() const;

  // The loopback port serving `host` (one of the four hosts), 0 when stopped.
  int PortOf(std::string_view host) const;
  std::vector<Redirect> Redirects() const;
  // The TEST-ONLY CA that signs the HTTPS hosts' certificates, as PEM text.
  static std::string CaPem();

  std::vector<SampleRecordedRequest> Requests() const;
  size_t RequestCount() const;
  void ClearRequests();
  // Called on the serving thread for every request as it is recorded.
  void SetObserver(std::function<void(const SampleRecordedRequest&)> observer);

  // See SampleFaultTable::Set for the form of `path`.
  void SetFault(const std::string& path, const SampleFault& fault);
  void ClearFault(const std::string& path);
  void ClearFaults();

 private:
  SampleReply Handle(const SampleRequest& request, const SampleListenerInfo& listener);

  std::unique_ptr<SampleLoopbackServer> server_;
  SampleFaultTable faults_;
  mutable std::mutex mutex_;  // guards the log, the sequence and the observer
  std::deque<SampleRecordedRequest> log_;
  uint64_t sequence_ = 0;
  std::function<void(const SampleRecordedRequest&)> observer_;
};
