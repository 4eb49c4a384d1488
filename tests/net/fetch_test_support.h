#pragma once
// Small helpers shared by the fetcher wire tests.
#include <chrono>
#include <string>
#include <vector>

#include "net/host_redirect.h"
#include "net/raw_server.h"

inline std::string LoopbackUrl(const RawServer& server, const std::string& path) {
  return "http://127.0.0.1:" + std::to_string(server.port()) + path;
}

inline ScriptedReply Reply(const std::string& bytes) {
  ScriptedReply reply;
  reply.bytes = bytes;
  return reply;
}

inline ScriptedReply Ok(const std::string& body, const std::vector<std::string>& lines = {}) {
  return Reply(HttpReply("HTTP/1.1 200 OK", lines, body));
}

// Serves `first` for a request to /start and `second` for anything else.
inline ReplyScript TwoStep(ScriptedReply first, ScriptedReply second) {
  return [first, second](const std::string& request) {
    return RequestLine(request).find(" /start ") != std::string::npos ? first : second;
  };
}

// Leaves the process-wide redirect seam empty again, whatever the test did.
struct RedirectReset {
  ~RedirectReset() {
    ClearHostRedirects();
    TrustExtraCa("");
  }
};

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
