#pragma once
// One HTTP/1.x request as it arrived and one reply as the sample platform
// sends it. The request keeps its header lines in the order received and its
// head as raw bytes, because tests check what the program put on the wire.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct SampleRequest {
  std::string method;
  std::string target;   // as sent: origin form "/path?query" (absolute form is kept too)
  std::string version;  // "HTTP/1.1"
  std::vector<std::pair<std::string, std::string>> headers;  // name as written, value trimmed
  std::string body;
  std::string head;  // the request line and header lines as received, up to and including the blank line

  // First header of that name, ignoring case; "" when absent.
  std::string Header(std::string_view name) const;
  // The Host header without a port, lower-cased.
  std::string HostName() const;
  // Path and query of the target (an absolute-form target loses its scheme and host).
  std::string Path() const;
  std::string Query() const;
};

// How the reply leaves the connection. Normal replies are written whole;
// the other two imitate a broken server.
enum class ReplyDelivery {
  Whole,
  Reset,      // no reply: the connection is reset (TCP RST) right away
  Truncated,  // the head announces the whole body, half of it is sent, then the connection closes
};

struct SampleReply {
  int status = 200;
  std::string contentType;
  std::string body;
  std::vector<std::pair<std::string, std::string>> extraHeaders;
  ReplyDelivery delivery = ReplyDelivery::Whole;
  int delayMs = 0;  // wait before answering
};

enum class RequestHeadParse { Ok, Incomplete, Bad };

// Finds the end of the head in `buffer` (CR LF CR LF, or a bare LF LF) and
// parses it. On Ok, `headLength` is the length of the head including the
// blank line and `request` holds everything but the body.
RequestHeadParse ParseSampleRequestHead(std::string_view buffer, SampleRequest& request, size_t& headLength);

// Status line and headers of `reply` for a body of `bodyLength` bytes.
std::string SampleReplyHead(const SampleReply& reply, size_t bodyLength, bool keepAlive);

std::string SampleStatusReason(int status);
