#include "sample_platform/sample_faults.h"

#include "sample_platform/seeded_random.h"

void SampleFaultTable::Set(const std::string& path, const SampleFault& fault) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (fault.times == 0) {
    faults_.erase(path);
  } else {
    faults_[path] = fault;
  }
}

void SampleFaultTable::Clear(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  faults_.erase(path);
}

void SampleFaultTable::ClearAll() {
  std::lock_guard<std::mutex> lock(mutex_);
  faults_.clear();
}

SampleFault SampleFaultTable::Take(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto found = faults_.find(path);
  if (found == faults_.end()) {
    // The longest prefix pattern that covers the path.
    size_t best = 0;
    for (auto it = faults_.begin(); it != faults_.end(); ++it) {
      const std::string& key = it->first;
      if (!key.empty() && key.back() == '*' && path.compare(0, key.size() - 1, key, 0, key.size() - 1) == 0 &&
          key.size() > best) {
        best = key.size();
        found = it;
      }
    }
  }
  if (found == faults_.end()) return SampleFault();
  SampleFault fault = found->second;
  if (found->second.times > 0 && --found->second.times == 0) faults_.erase(found);
  return fault;
}

void ApplySampleFault(const SampleFault& fault, SampleReply& reply) {
  reply.delayMs = fault.delayMs;
  switch (fault.kind) {
    case SampleFaultKind::None:
      break;
    case SampleFaultKind::Delay:
      if (reply.delayMs <= 0) reply.delayMs = 1000;
      break;
    case SampleFaultKind::Reset:
      reply.delivery = ReplyDelivery::Reset;
      break;
    case SampleFaultKind::ServerError:
      reply.status = 500;
      reply.contentType = "text/html";
      reply.body = "<html><body><h1>500 Internal Server Error</h1><p>sample fault</p></body></html>\n";
      break;
    case SampleFaultKind::Truncated:
      reply.delivery = ReplyDelivery::Truncated;
      break;
    case SampleFaultKind::Garbage: {
      SampleRandom rng(SampleHash(reply.body));
      reply.status = 200;
      reply.body.assign(8192, '\0');
      for (char& c : reply.body) c = static_cast<char>(rng.Next() & 0xFF);
      reply.body[0] = '\xFF';  // never a valid start of a text, an image or JSON
      reply.body[100] = '\0';
      break;
    }
    case SampleFaultKind::Huge:
      if (reply.body.size() < fault.hugeBytes) reply.body.append(fault.hugeBytes - reply.body.size(), ' ');
      break;
    case SampleFaultKind::NotImage:
      reply.status = 200;
      reply.contentType = "text/html";
      reply.body = "<html><head><title>404</title></head><body>picture not available</body></html>\n";
      break;
  }
}
