#include "net/host_redirect.h"

#include <curl/curl.h>

#include <fstream>
#include <map>
#include <mutex>
#include <sstream>

namespace {

struct RedirectState {
  std::mutex mutex;
  std::map<std::string, int> loopbackPorts;  // "host:port" -> loopback port
  std::shared_ptr<const std::string> caBundle;
};

RedirectState& State() {
  static RedirectState state;
  return state;
}

bool ReadFile(const std::string& path, std::string& contents) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  contents = buffer.str();
  return true;
}

// The CA file libcurl verifies with when nothing else is said. The bundle
// handed to libcurl as a blob starts with it, so the system's CAs keep
// working next to the extra one whatever the TLS backend does with a blob.
std::string SystemCaBundle() {
  std::string bundle;
  curl_global_init(CURL_GLOBAL_DEFAULT);
  if (CURL* curl = curl_easy_init()) {
    char* path = nullptr;
    if (curl_easy_getinfo(curl, CURLINFO_CAINFO, &path) == CURLE_OK && path) ReadFile(path, bundle);
    curl_easy_cleanup(curl);
  }
  return bundle;
}

}  // namespace

void RedirectHost(const std::string& host, int port, int loopbackPort) {
  RedirectState& state = State();
  std::lock_guard lock(state.mutex);
  state.loopbackPorts[host + ":" + std::to_string(port)] = loopbackPort;
}

void ClearHostRedirects() {
  RedirectState& state = State();
  std::lock_guard lock(state.mutex);
  state.loopbackPorts.clear();
}

bool TrustExtraCa(const std::string& pemOrPath) {
  std::shared_ptr<const std::string> bundle;
  if (!pemOrPath.empty()) {
    std::string pem = pemOrPath;
    if (pem.find("-----BEGIN") == std::string::npos && !ReadFile(pemOrPath, pem)) return false;
    if (pem.find("-----BEGIN CERTIFICATE-----") == std::string::npos) return false;
    std::string combined = SystemCaBundle();
    if (!combined.empty() && combined.back() != '\n') combined += '\n';
    combined += pem;
    bundle = std::make_shared<const std::string>(std::move(combined));
  }
  RedirectState& state = State();
  std::lock_guard lock(state.mutex);
  state.caBundle = std::move(bundle);
  return true;
}

HostRedirectView CurrentHostRedirect() {
  RedirectState& state = State();
  std::lock_guard lock(state.mutex);
  HostRedirectView view;
  for (const auto& [hostPort, loopbackPort] : state.loopbackPorts)
    view.connectTo.push_back(hostPort + ":127.0.0.1:" + std::to_string(loopbackPort));
  view.caBundle = state.caBundle;
  return view;
}
