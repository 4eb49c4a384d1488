// marvane-sample-platform: runs the sample platform until Ctrl-C, printing
// its ports, the host -> port map and every request it receives.
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "sample_platform/sample_platform.h"

namespace {

void Usage() {
  std::printf(
      "usage: marvane-sample-platform [--affiliate-port N] [--picture-port N] [--ranking-port N]\n"
      "                               [--suggestion-port N] [--write-ca FILE] [--quiet]\n"
      "Ports default to free ones chosen by the system. --write-ca writes the TEST-ONLY sample CA\n"
      "certificate (PEM) to FILE so that a client can trust the HTTPS hosts.\n");
}

bool ReadPort(const char* text, int& port) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (!end || *end != '\0' || value < 0 || value > 65535) return false;
  port = static_cast<int>(value);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  SamplePlatformPorts ports;
  std::string caFile;
  bool quiet = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    bool ok = true;
    if (arg == "--affiliate-port" && hasValue) {
      ok = ReadPort(argv[++i], ports.affiliate);
    } else if (arg == "--picture-port" && hasValue) {
      ok = ReadPort(argv[++i], ports.picture);
    } else if (arg == "--ranking-port" && hasValue) {
      ok = ReadPort(argv[++i], ports.ranking);
    } else if (arg == "--suggestion-port" && hasValue) {
      ok = ReadPort(argv[++i], ports.suggestion);
    } else if (arg == "--write-ca" && hasValue) {
      caFile = argv[++i];
    } else if (arg == "--quiet") {
      quiet = true;
    } else {
      ok = false;
    }
    if (!ok) {
      Usage();
      return 2;
    }
  }

  // Ctrl-C and termination are taken by sigwait below; the serving threads
  // inherit the blocked mask, so only the main thread sees them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  SamplePlatform platform;
  if (!quiet) {
    platform.SetObserver([](const SampleRecordedRequest& r) {
      std::printf("#%llu %s %s %s%s\n", static_cast<unsigned long long>(r.sequence), r.request.method.c_str(),
                  r.service.c_str(), r.request.target.substr(0, 160).c_str(),
                  r.request.target.size() > 160 ? "..." : "");
      std::fflush(stdout);
    });
  }
  std::string error;
  if (!platform.Start(ports, &error)) {
    std::fprintf(stderr, "marvane-sample-platform: %s\n", error.c_str());
    return 1;
  }
  if (!caFile.empty()) {
    std::ofstream out(caFile, std::ios::binary);
    out << SamplePlatform::CaPem();
    if (!out) {
      std::fprintf(stderr, "marvane-sample-platform: cannot write %s\n", caFile.c_str());
      return 1;
    }
  }

  std::printf("Sample platform running (certificates are TEST-ONLY). Host -> loopback port:\n");
  for (const SamplePlatform::Redirect& r : platform.Redirects()) {
    std::printf("  %-5s %s:%d -> %s\n", r.port == 443 ? "https" : "http", r.host.c_str(), r.port, r.target.c_str());
  }
  const std::vector<SamplePlatform::Redirect> redirects = platform.Redirects();
  std::printf(
      "Try, for example:\n  curl --connect-to %s:80:%s "
      "'http://%s/items/search.json?toPage=1&q=%%E8%%BF%%9E%%E8%%A1%%A3%%E8%%A3%%99'\n",
      redirects[0].host.c_str(), redirects[0].target.c_str(), redirects[0].host.c_str());
  std::printf("Ctrl-C stops.\n");
  std::fflush(stdout);

  int received = 0;
  sigwait(&stopSignals, &received);
  platform.Stop();
  std::printf("Stopped.\n");
  return 0;
}
