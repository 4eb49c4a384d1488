#pragma once
// Faults that tests switch on per request path, to see how the program
// copes with a misbehaving service.
#include <cstddef>
#include <map>
#include <mutex>
#include <string>

#include "sample_platform/http_message.h"

enum class SampleFaultKind {
  None,
  Delay,        // the normal reply, after `delayMs`
  Reset,        // the connection is reset instead of answered
  ServerError,  // HTTP 500 with a small error page
  Truncated,    // the head announces the whole body; half of it arrives, then the connection closes
  Garbage,      // HTTP 200 with bytes that are no reply at all (zero bytes, broken UTF-8)
  Huge,         // the normal reply padded with blanks to `hugeBytes`
  NotImage,     // HTTP 200 with an HTML page instead of the expected body (a picture, say)
};

struct SampleFault {
  SampleFaultKind kind = SampleFaultKind::None;
  int delayMs = 0;  // also delays the other kinds when set
  size_t hugeBytes = 6 * 1024 * 1024;
  int times = -1;  // how many requests it affects; -1: every one
};

class SampleFaultTable {
 public:
  // `path` is a request path ("/items/search.json"), or a prefix followed by
  // "*" ("/bao/uploaded/*"). A later Set for the same key replaces the fault.
  void Set(const std::string& path, const SampleFault& fault);
  void Clear(const std::string& path);
  void ClearAll();
  // The fault for a request to `path`, counting one use of it.
  SampleFault Take(const std::string& path);

 private:
  std::mutex mutex_;
  std::map<std::string, SampleFault> faults_;
};

// `reply` turned into what the fault sends instead.
void ApplySampleFault(const SampleFault& fault, SampleReply& reply);
