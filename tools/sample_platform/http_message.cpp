#include "sample_platform/http_message.h"

#include <cctype>

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool IsToken(std::string_view s) {
  if (s.empty()) return false;
  for (unsigned char c : s) {
    if (c <= 0x20 || c >= 0x7F || c == ':') return false;
  }
  return true;
}

// "/path?query" of a target, also for the absolute form "http://host/path".
std::string_view OriginForm(std::string_view target) {
  const size_t scheme = target.find("://");
  if (scheme != std::string_view::npos && target.find('/') > scheme) {
    const size_t path = target.find('/', scheme + 3);
    return path == std::string_view::npos ? std::string_view("/") : target.substr(path);
  }
  return target;
}

}  // namespace

std::string SampleRequest::Header(std::string_view name) const {
  for (const auto& [n, v] : headers) {
    if (EqualsIgnoringCase(n, name)) return v;
  }
  return "";
}

std::string SampleRequest::HostName() const {
  std::string host = Header("Host");
  if (!host.empty() && host.front() != '[') {
    const size_t colon = host.find(':');
    if (colon != std::string::npos) host.resize(colon);
  }
  for (char& c : host) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return host;
}

std::string SampleRequest::Path() const {
  const std::string_view origin = OriginForm(target);
  return std::string(origin.substr(0, origin.find('?')));
}

std::string SampleRequest::Query() const {
  const std::string_view origin = OriginForm(target);
  const size_t q = origin.find('?');
  if (q == std::string_view::npos) return "";
  std::string_view query = origin.substr(q + 1);
  return std::string(query.substr(0, query.find('#')));
}

RequestHeadParse ParseSampleRequestHead(std::string_view buffer, SampleRequest& request, size_t& headLength) {
  size_t end = buffer.find("\r\n\r\n");
  size_t terminator = 4;
  const size_t bare = buffer.find("\n\n");
  if (bare != std::string_view::npos && (end == std::string_view::npos || bare < end)) {
    end = bare;
    terminator = 2;
  }
  if (end == std::string_view::npos) return RequestHeadParse::Incomplete;
  headLength = end + terminator;
  const std::string_view head = buffer.substr(0, headLength);
  request = SampleRequest();
  request.head = std::string(head);

  size_t lineStart = 0;
  bool first = true;
  while (lineStart < end) {
    size_t lineEnd = head.find('\n', lineStart);
    if (lineEnd == std::string_view::npos || lineEnd > end) lineEnd = end;
    std::string_view line = head.substr(lineStart, lineEnd - lineStart);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lineStart = lineEnd + 1;
    if (first) {
      first = false;
      const size_t a = line.find(' ');
      const size_t b = a == std::string_view::npos ? a : line.find(' ', a + 1);
      if (a == std::string_view::npos || b == std::string_view::npos) return RequestHeadParse::Bad;
      request.method = std::string(line.substr(0, a));
      request.target = std::string(line.substr(a + 1, b - a - 1));
      request.version = std::string(line.substr(b + 1));
      if (!IsToken(request.method) || request.target.empty() || request.version.rfind("HTTP/1.", 0) != 0) {
        return RequestHeadParse::Bad;
      }
      continue;
    }
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos || !IsToken(line.substr(0, colon))) return RequestHeadParse::Bad;
    request.headers.emplace_back(std::string(line.substr(0, colon)), std::string(TrimBlanks(line.substr(colon + 1))));
  }
  return first ? RequestHeadParse::Bad : RequestHeadParse::Ok;
}

std::string SampleStatusReason(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 400:
      return "Bad Request";
    case 404:
      return "Not Found";
    case 405:
      return "Method Not Allowed";
    case 411:
      return "Length Required";
    case 413:
      return "Payload Too Large";
    case 431:
      return "Request Header Fields Too Large";
    case 500:
      return "Internal Server Error";
    default:
      return "Unknown";
  }
}

std::string SampleReplyHead(const SampleReply& reply, size_t bodyLength, bool keepAlive) {
  std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " " + SampleStatusReason(reply.status) + "\r\n";
  head += "Server: marvane-sample\r\n";
  if (!reply.contentType.empty()) head += "Content-Type: " + reply.contentType + "\r\n";
  head += "Content-Length: " + std::to_string(bodyLength) + "\r\n";
  for (const auto& [name, value] : reply.extraHeaders) head += name + ": " + value + "\r\n";
  head += keepAlive ? "Connection: keep-alive\r\n" : "Connection: close\r\n";
  head += "\r\n";
  return head;
}
