// The sample platform as a server: start and stop, ports, the request
// record, faults and HTTPS.
#include <arpa/inet.h>
#include <dirent.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "caller_patterns.h"
#include "net/remote_hosts.h"
#include "platform_client.h"

namespace {

using Clock = std::chrono::steady_clock;

long long MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

int ThreadCount() {
  int n = 0;
  DIR* dir = opendir("/proc/self/task");
  while (dirent* e = readdir(dir)) n += e->d_name[0] != '.';
  closedir(dir);
  return n;
}

int Connect(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(static_cast<uint16_t>(port));
  if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    close(fd);
    return -1;
  }
  timeval limit{10, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  return fd;
}

struct RawResult {
  std::string data;
  int error = 0;  // errno of the read that ended it, 0 on an orderly close
};

// Sends `bytes` and reads until the server closes (or resets) the connection.
RawResult RawExchange(int port, const std::string& bytes) {
  RawResult r;
  const int fd = Connect(port);
  if (fd < 0) {
    r.error = errno;
    return r;
  }
  send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
  char buffer[65536];
  for (;;) {
    const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n > 0) {
      r.data.append(buffer, static_cast<size_t>(n));
      continue;
    }
    r.error = n < 0 ? errno : 0;
    break;
  }
  close(fd);
  return r;
}

std::string Get(const std::string& host, const std::string& target) {
  return "GET " + target + " HTTP/1.1\r\nHost: " + host + "\r\nConnection: close\r\n\r\n";
}

size_t ContentLength(const std::string& reply) {
  const size_t at = reply.find("Content-Length: ");
  return at == std::string::npos ? 0 : std::strtoull(reply.c_str() + at + 16, nullptr, 10);
}

std::string BodyOf(const std::string& reply) {
  const size_t at = reply.find("\r\n\r\n");
  return at == std::string::npos ? "" : reply.substr(at + 4);
}

TEST(SamplePlatformServer, StartsAndStopsQuicklyLeavingNoThreadOrPort) {
  const int baseline = ThreadCount();
  for (int cycle = 0; cycle < 5; ++cycle) {
    SamplePlatform platform;
    const auto startAt = Clock::now();
    ASSERT_TRUE(platform.Start());
    const long long startMs = MillisecondsSince(startAt);
    std::vector<int> ports;
    for (const auto& r : platform.Redirects()) ports.push_back(r.loopbackPort);
    ASSERT_EQ(ports.size(), 4u);

    // Leave work behind: an idle keep-alive connection, a TLS connection, and
    // a request the server is still delaying.
    const int idle = Connect(platform.PortOf(kAffiliateHost));
    const std::string keepAlive = "GET /items/search.json?q=a HTTP/1.1\r\nHost: pub.alimama.com\r\n\r\n";
    send(idle, keepAlive.data(), keepAlive.size(), MSG_NOSIGNAL);
    EXPECT_EQ(FetchFrom(platform, kRankingHost, "/index.php?rank=focus&type=up&s=0").status, 200);
    platform.SetFault("/sug", {.kind = SampleFaultKind::Delay, .delayMs = 5000});
    std::thread waiting([&] { FetchFrom(platform, kSuggestionHost, "/sug?q=a"); });
    while (platform.RequestCount() < 3) std::this_thread::sleep_for(std::chrono::milliseconds(1));

    const auto stopAt = Clock::now();
    platform.Stop();
    const long long stopMs = MillisecondsSince(stopAt);
    waiting.join();
    close(idle);
    EXPECT_LT(startMs + stopMs, 100) << "start " << startMs << " ms, stop " << stopMs << " ms";
    EXPECT_FALSE(platform.Running());
    EXPECT_EQ(ThreadCount(), baseline);
    for (int port : ports) EXPECT_EQ(Connect(port), -1) << port;
    EXPECT_TRUE(platform.Redirects().empty());
  }
}

TEST(SamplePlatformServer, ListensOnGivenPortsAndReportsABusyOne) {
  SamplePlatformPorts ports;
  {
    SamplePlatform probe;
    ASSERT_TRUE(probe.Start());
    ports = {probe.PortOf(kAffiliateHost), probe.PortOf(kPictureHost), probe.PortOf(kRankingHost),
             probe.PortOf(kSuggestionHost)};
  }
  SamplePlatform platform;
  std::string error;
  ASSERT_TRUE(platform.Start(ports, &error)) << error;
  EXPECT_EQ(platform.PortOf(kAffiliateHost), ports.affiliate);
  EXPECT_EQ(platform.PortOf(kSuggestionHost), ports.suggestion);

  const int threads = ThreadCount();
  SamplePlatform second;
  EXPECT_FALSE(second.Start({.ranking = ports.ranking}, &error));
  EXPECT_NE(error.find(std::to_string(ports.ranking)), std::string::npos) << error;
  EXPECT_FALSE(second.Running());
  EXPECT_EQ(ThreadCount(), threads);
  EXPECT_EQ(FetchFrom(platform, kRankingHost, "/index.php").status, 200);  // the first one is unharmed
}

TEST(SamplePlatformServer, RedirectsNameEveryHostWithItsLoopbackAddress) {
  SamplePlatform platform;
  ASSERT_TRUE(platform.Start());
  const auto redirects = platform.Redirects();
  ASSERT_EQ(redirects.size(), 4u);
  const std::pair<const char*, int> expected[] = {
      {kAffiliateHost, 80}, {kPictureHost, 80}, {kRankingHost, 443}, {kSuggestionHost, 443}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(redirects[i].host, expected[i].first);
    EXPECT_EQ(redirects[i].port, expected[i].second);
    EXPECT_EQ(redirects[i].loopbackPort, platform.PortOf(expected[i].first));
    EXPECT_EQ(redirects[i].target, "127.0.0.1:" + std::to_string(redirects[i].loopbackPort));
  }
}

TEST(SamplePlatformServer, RecordsEveryRequestWithItsHeadersInTheOrderSent) {
  SamplePlatform platform;
  ASSERT_TRUE(platform.Start());
  std::vector<std::string> observed;
  platform.SetObserver([&](const SampleRecordedRequest& r) { observed.push_back(r.request.target); });

  // Two requests on one connection, the second a POST with a body; odd
  // casing, a repeated header and an unusual order, as a client may send them.
  const std::string first =
      "GET /items/search.json?toPage=1&q=%E4%B8%AD HTTP/1.1\r\nAccept: */*\r\nReferer: http://pub.alimama.com/x\r\n"
      "accept-language: zh-cn\r\nHost: pub.alimama.com\r\nX-Twice: 1\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 9.0;"
      " Windows NT 6.1)\r\nX-Twice: 2\r\nContent-Type: application/x-www-form-urlencoded\r\n\r\n";
  const std::string second =
      "POST /items/channel/qqhd.json?toPage=2 HTTP/1.1\r\nHost: pub.alimama.com\r\nContent-Length: 7\r\n"
      "Connection: close\r\n\r\nq=a&b=c";
  const RawResult raw = RawExchange(platform.PortOf(kAffiliateHost), first + second);
  EXPECT_EQ(raw.error, 0);
  EXPECT_EQ(raw.data.rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
  EXPECT_NE(raw.data.find("HTTP/1.1 200 OK\r\n", 10), std::string::npos);  // both answered
  ASSERT_EQ(FetchFrom(platform, kRankingHost, "/index.php?rank=focus&type=up&s=20").status, 200);

  const auto log = platform.Requests();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].sequence, 1u);
  EXPECT_EQ(log[0].service, kAffiliateHost);
  EXPECT_FALSE(log[0].secure);
  EXPECT_EQ(log[0].request.method, "GET");
  EXPECT_EQ(log[0].request.target, "/items/search.json?toPage=1&q=%E4%B8%AD");
  EXPECT_EQ(log[0].request.head, first);
  const std::vector<std::pair<std::string, std::string>> headers = {
      {"Accept", "*/*"},
      {"Referer", "http://pub.alimama.com/x"},
      {"accept-language", "zh-cn"},
      {"Host", "pub.alimama.com"},
      {"X-Twice", "1"},
      {"User-Agent", "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)"},
      {"X-Twice", "2"},
      {"Content-Type", "application/x-www-form-urlencoded"}};
  EXPECT_EQ(log[0].request.headers, headers);
  EXPECT_EQ(log[1].request.method, "POST");
  EXPECT_EQ(log[1].request.body, "q=a&b=c");
  EXPECT_EQ(log[1].sequence, 2u);
  EXPECT_EQ(log[2].service, kRankingHost);
  EXPECT_TRUE(log[2].secure);
  EXPECT_EQ(log[2].port, platform.PortOf(kRankingHost));
  EXPECT_EQ(log[2].request.Header("host"), std::string(kRankingHost) + ":" + std::to_string(log[2].port));
  EXPECT_EQ(observed, (std::vector<std::string>{log[0].request.target, log[1].request.target, log[2].request.target}));

  platform.ClearRequests();
  EXPECT_EQ(platform.RequestCount(), 0u);
  FetchFrom(platform, kPictureHost, "/bao/uploaded/i1/1/TB1a.jpg");
  EXPECT_EQ(platform.Requests().at(0).sequence, 1u);
}

class SamplePlatformFaults : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(platform_.Start()); }
  std::string SearchTarget() const { return KeywordSearchTarget({.keyword = "abc"}); }
  SamplePlatform platform_;
};

TEST_F(SamplePlatformFaults, RepliesGoWrongInTheWaysAsked) {
  const std::string search = SearchTarget();
  const std::string normal = FetchFrom(platform_, kAffiliateHost, search).body;
  ASSERT_GT(normal.size(), 1339u);

  platform_.SetFault("/items/search.json", {.kind = SampleFaultKind::Delay, .delayMs = 300});
  auto start = Clock::now();
  EXPECT_EQ(FetchFrom(platform_, kAffiliateHost, search).body, normal);
  EXPECT_GE(MillisecondsSince(start), 300);

  platform_.SetFault("/items/search.json", {.kind = SampleFaultKind::ServerError});
  const Fetched error = FetchFrom(platform_, kAffiliateHost, search);
  EXPECT_EQ(error.status, 500);
  EXPECT_LT(error.body.size(), 200u);

  platform_.SetFault("/items/search.json", {.kind = SampleFaultKind::Garbage});
  const Fetched garbage = FetchFrom(platform_, kAffiliateHost, search);
  EXPECT_EQ(garbage.status, 200);
  EXPECT_EQ(garbage.body.size(), 8192u);
  EXPECT_NE(garbage.body.find('\0'), std::string::npos);
  EXPECT_TRUE(MatchGroups(UnionPatterns()[0].pattern, DecodedReply(garbage.body), false).empty());

  platform_.SetFault("/items/search.json", {.kind = SampleFaultKind::Huge, .hugeBytes = 5 << 20});
  const Fetched huge = FetchFrom(platform_, kAffiliateHost, search);
  EXPECT_EQ(huge.body.size(), 5u << 20);
  EXPECT_EQ(huge.body.compare(0, normal.size(), normal), 0);

  platform_.SetFault("/bao/uploaded/*", {.kind = SampleFaultKind::NotImage});
  const Fetched notImage = FetchFrom(platform_, kPictureHost, "/bao/uploaded/i2/5/TB1x.jpg");
  EXPECT_EQ(notImage.status, 200);
  EXPECT_EQ(notImage.contentType, "text/html");
  EXPECT_EQ(notImage.body.rfind("<html>", 0), 0u);

  // A path without a fault of its own is not touched.
  EXPECT_EQ(FetchFrom(platform_, kAffiliateHost, ChannelCategoryTarget("nzjh")).status, 200);
  platform_.ClearFaults();
  EXPECT_EQ(FetchFrom(platform_, kAffiliateHost, search).body, normal);
  EXPECT_EQ(FetchFrom(platform_, kPictureHost, "/bao/uploaded/i2/5/TB1x.jpg").contentType, "image/jpeg");
}

TEST_F(SamplePlatformFaults, ConnectionsCanBeResetOrCutShort) {
  const int port = platform_.PortOf(kAffiliateHost);
  platform_.SetFault("/items/search.json", {.kind = SampleFaultKind::Reset});
  const RawResult reset = RawExchange(port, Get(kAffiliateHost, SearchTarget()));
  EXPECT_EQ(reset.error, ECONNRESET);
  EXPECT_TRUE(reset.data.empty());
  EXPECT_FALSE(FetchFrom(platform_, kAffiliateHost, SearchTarget()).ok);

  platform_.SetFault("/items/search.json", {.kind = SampleFaultKind::Truncated});
  const RawResult cut = RawExchange(port, Get(kAffiliateHost, SearchTarget()));
  ASSERT_EQ(cut.data.rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
  EXPECT_EQ(BodyOf(cut.data).size(), ContentLength(cut.data) / 2);
  EXPECT_GT(ContentLength(cut.data), 1339u);

  // A fault for a number of requests wears off after them.
  platform_.SetFault("/items/search.json", {.kind = SampleFaultKind::ServerError, .times = 2});
  EXPECT_EQ(FetchFrom(platform_, kAffiliateHost, SearchTarget()).status, 500);
  EXPECT_EQ(FetchFrom(platform_, kAffiliateHost, SearchTarget()).status, 500);
  EXPECT_EQ(FetchFrom(platform_, kAffiliateHost, SearchTarget()).status, 200);
}

TEST_F(SamplePlatformFaults, MalformedRequestsAreRefused) {
  const int port = platform_.PortOf(kAffiliateHost);
  EXPECT_EQ(RawExchange(port, "NONSENSE\r\n\r\n").data.rfind("HTTP/1.1 400 ", 0), 0u);
  EXPECT_EQ(RawExchange(port, "GET / HTTP/1.1\r\nBroken header line\r\n\r\n").data.rfind("HTTP/1.1 400 ", 0), 0u);
  EXPECT_EQ(RawExchange(port,
                        "POST /items/search.json HTTP/1.1\r\nHost: pub.alimama.com\r\n"
                        "Transfer-Encoding: chunked\r\n\r\n0\r\n\r\n")
                .data.rfind("HTTP/1.1 411 ", 0),
            0u);
  const std::string endless = "GET / HTTP/1.1\r\nX: " + std::string(70000, 'a');
  EXPECT_EQ(RawExchange(port, endless).data.rfind("HTTP/1.1 431 ", 0), 0u);
  EXPECT_EQ(
      RawExchange(port, "DELETE /items/search.json HTTP/1.1\r\nHost: pub.alimama.com\r\nConnection: close\r\n\r\n")
          .data.rfind("HTTP/1.1 405 ", 0),
      0u);
}

TEST(SamplePlatformTls, HttpsHostsAreTrustedOnlyThroughTheSampleCaAndUnderTheirOwnNames) {
  SamplePlatform platform;
  ASSERT_TRUE(platform.Start());
  EXPECT_EQ(SamplePlatform::CaPem().rfind("-----BEGIN CERTIFICATE-----", 0), 0u);
  EXPECT_EQ(FetchFrom(platform, kSuggestionHost, "/sug?code=utf-8&q=a").status, 200);

  // Without the sample CA the certificate is refused.
  httplib::SSLClient untrusted(kRankingHost, platform.PortOf(kRankingHost));
  untrusted.set_hostname_addr_map({{kRankingHost, "127.0.0.1"}});
  untrusted.enable_server_certificate_verification(true);
  EXPECT_FALSE(untrusted.Get("/index.php"));

  // The suggestion host's certificate does not pass for the ranking site.
  httplib::SSLClient misnamed(kRankingHost, platform.PortOf(kSuggestionHost));
  misnamed.set_hostname_addr_map({{kRankingHost, "127.0.0.1"}});
  misnamed.enable_server_certificate_verification(true);
  misnamed.set_ca_cert_store(SampleCaStore());
  EXPECT_FALSE(misnamed.Get("/index.php"));
}

}  // namespace
