#include "sample_platform/sample_routes.h"

#include "net/remote_hosts.h"
#include "sample_platform/affiliate_replies.h"
#include "sample_platform/picture_maker.h"
#include "sample_platform/query_string.h"
#include "sample_platform/ranking_pages.h"
#include "sample_platform/seeded_random.h"
#include "sample_platform/suggestion_replies.h"

namespace {

bool EndsWith(const std::string& s, std::string_view end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

bool StartsWith(const std::string& s, std::string_view start) { return s.compare(0, start.size(), start) == 0; }

SampleReply Reply(std::string contentType, std::string body) {
  SampleReply reply;
  reply.contentType = std::move(contentType);
  reply.body = std::move(body);
  return reply;
}

SampleReply Status(int status, const std::string& text) {
  SampleReply reply =
      Reply("text/html", "<html><body><h1>" + std::to_string(status) + " " + text + "</h1></body></html>\n");
  reply.status = status;
  return reply;
}

SampleReply NotFound() { return Status(404, "Not Found"); }

SampleReply Affiliate(const std::string& path, const SampleQuery& query) {
  static const std::string kJson = "application/json;charset=UTF-8";
  static const std::string kChannel = "/items/channel/";
  if (path == "/items/search.json") return Reply(kJson, SampleSearchReply(query));
  if (StartsWith(path, kChannel) && EndsWith(path, ".json") && path.size() > kChannel.size() + 5) {
    return Reply(kJson, SampleChannelReply(path.substr(kChannel.size(), path.size() - kChannel.size() - 5), query));
  }
  return NotFound();
}

SampleReply Picture(const std::string& path) {
  if (!StartsWith(path, "/bao/uploaded/")) return NotFound();
  if (EndsWith(path, ".jpg")) return Reply("image/jpeg", MakeSampleJpeg(SampleHash(path)));
  if (EndsWith(path, ".png")) return Reply("image/png", MakeSamplePng(SampleHash(path)));
  return NotFound();
}

}  // namespace

SampleReply RouteSampleRequest(const SampleRequest& request) {
  if (request.method != "GET" && request.method != "HEAD" && request.method != "POST") {
    return Status(405, "Method Not Allowed");
  }
  const std::string host = request.HostName();
  const std::string path = request.Path();
  const SampleQuery query(request.Query());
  if (host == kAffiliateHost) return Affiliate(path, query);
  if (host == kPictureHost) return Picture(path);
  if (host == kRankingHost && (path == "/index.php" || path == "/")) {
    return Reply("text/html; charset=GBK", SampleRankingPage(query));
  }
  if (host == kSuggestionHost && path == "/sug") {
    return Reply("application/json;charset=UTF-8", SampleSuggestionReply(query));
  }
  return NotFound();
}
