#include "sample_platform/sample_platform.h"

#include "net/remote_hosts.h"
#include "sample_platform/loopback_server.h"
#include "sample_platform/sample_certs.h"
#include "sample_platform/sample_routes.h"

namespace {

// The log keeps the latest requests only, so a long demo session stays small.
constexpr size_t kMaxLoggedRequests = 20000;

// Listener order: affiliate, picture, ranking, suggestion.
std::vector<SampleListenerSetup> Listeners(const SamplePlatformPorts& ports) {
  return {
      {kAffiliateHost, ports.affiliate, false, "", ""},
      {kPictureHost, ports.picture, false, "", ""},
      {kRankingHost, ports.ranking, true, std::string(SampleRankingCertificatePem()),
       std::string(SampleRankingKeyPem())},
      {kSuggestionHost, ports.suggestion, true, std::string(SampleSuggestionCertificatePem()),
       std::string(SampleSuggestionKeyPem())},
  };
}

}  // namespace

SamplePlatform::SamplePlatform() : server_(std::make_unique<SampleLoopbackServer>()) {}

SamplePlatform::~SamplePlatform() { Stop(); }

bool SamplePlatform::Start() { return Start(SamplePlatformPorts(), nullptr); }

bool SamplePlatform::Start(const SamplePlatformPorts& ports, std::string* error) {
  return server_->Start(
      Listeners(ports),
      [this](const SampleRequest& request, const SampleListenerInfo& listener) { return Handle(request, listener); },
      error);
}

void SamplePlatform::Stop() { server_->Stop(); }

bool SamplePlatform::Running() const { return server_->Running(); }

int SamplePlatform::PortOf(std::string_view host) const {
  if (!Running()) return 0;
  const std::vector<SampleListenerSetup> setups = Listeners({});
  for (size_t i = 0; i < setups.size(); ++i) {
    if (host == setups[i].name) return server_->Port(i);
  }
  return 0;
}

std::vector<SamplePlatform::Redirect> SamplePlatform::Redirects() const {
  std::vector<Redirect> redirects;
  if (!Running()) return redirects;
  const std::vector<SampleListenerSetup> setups = Listeners({});
  for (size_t i = 0; i < setups.size(); ++i) {
    const int port = server_->Port(i);
    redirects.push_back({setups[i].name, setups[i].tls ? 443 : 80, "127.0.0.1:" + std::to_string(port), port});
  }
  return redirects;
}

std::string SamplePlatform::CaPem() { return std::string(SampleCaPem()); }

std::vector<SampleRecordedRequest> SamplePlatform::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return {log_.begin(), log_.end()};
}

size_t SamplePlatform::RequestCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return log_.size();
}

void SamplePlatform::ClearRequests() {
  std::lock_guard<std::mutex> lock(mutex_);
  log_.clear();
  sequence_ = 0;
}

void SamplePlatform::SetObserver(std::function<void(const SampleRecordedRequest&)> observer) {
  std::lock_guard<std::mutex> lock(mutex_);
  observer_ = std::move(observer);
}

void SamplePlatform::SetFault(const std::string& path, const SampleFault& fault) { faults_.Set(path, fault); }

void SamplePlatform::ClearFault(const std::string& path) { faults_.Clear(path); }

void SamplePlatform::ClearFaults() { faults_.ClearAll(); }

SampleReply SamplePlatform::Handle(const SampleRequest& request, const SampleListenerInfo& listener) {
  SampleRecordedRequest record;
  std::function<void(const SampleRecordedRequest&)> observer;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    record = {++sequence_, listener.name, listener.port, listener.tls, request};
    log_.push_back(record);
    if (log_.size() > kMaxLoggedRequests) log_.pop_front();
    observer = observer_;
  }
  if (observer) observer(record);
  const SampleFault fault = faults_.Take(request.Path());
  SampleReply reply;
  if (fault.kind != SampleFaultKind::Reset) reply = RouteSampleRequest(request);
  ApplySampleFault(fault, reply);
  return reply;
}
