// What the three fetchers share underneath: TLS with the trusted-CA seam, the
// reply size limit, and stopping and pausing through the worker token.
#include <curl/curl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <thread>

#include "net/fetch_test_support.h"
#include "net/http_exchange.h"
#include "net/test_pki.h"
#include "net/winhttp_api_fetch.h"
#include "net/winhttp_object_fetch.h"
#include "net/wininet_fetch.h"
#include "net/worker_token.h"

namespace {

struct Fetcher {
  const char* name;
  std::function<std::string(const std::string& url)> fetch;
};

const Fetcher kFetchers[] = {
    {"WinHttpObjectFetch", [](const std::string& url) { return WinHttpObjectFetch(url); }},
    {"WinInetFetch", [](const std::string& url) { return WinInetFetch(url); }},
    {"WinHttpApiFetch", [](const std::string& url) { return WinHttpApiFetch(url); }},
};

class TlsTest : public ::testing::Test {
 protected:
  TlsTest() : pki_({"secure.example"}), server_([](const std::string&) { return Ok("secure body"); }, pki_.serverTls) {
    RedirectHost("secure.example", 443, server_.port());
    RedirectHost("other.example", 443, server_.port());
  }
  RedirectReset reset_;
  TestPki pki_;
  RawServer server_;
};

TEST_F(TlsTest, TrustedThroughTheSeamTheRealHostNameIsServed) {
  ASSERT_TRUE(TrustExtraCa(pki_.caPem));
  for (const Fetcher& fetcher : kFetchers)
    EXPECT_EQ(fetcher.fetch("https://secure.example/p?q=1"), "secure body") << fetcher.name;
  ASSERT_EQ(server_.Requests().size(), 3u);
  for (const std::string& request : server_.Requests()) {
    EXPECT_EQ(RequestLine(request), "GET /p?q=1 HTTP/1.1");
    EXPECT_EQ(RequestHeaderLines(request).at(0), "Host: secure.example");
  }
}

TEST_F(TlsTest, UntrustedOrMisnamedCertificatesFail) {
  for (const Fetcher& fetcher : kFetchers)
    EXPECT_EQ(fetcher.fetch("https://secure.example/"), "") << fetcher.name << " untrusted";
  ASSERT_TRUE(TrustExtraCa(pki_.caPem));
  for (const Fetcher& fetcher : kFetchers)
    EXPECT_EQ(fetcher.fetch("https://other.example/"), "") << fetcher.name << " misnamed";
  EXPECT_TRUE(server_.Requests().empty());

  Text statusText;
  WinHttpApiOptions options;
  options.statusText = &statusText;
  EXPECT_EQ(WinHttpApiFetch("https://other.example/", options), "");
  EXPECT_EQ(statusText, Gbk("711 发送请求失败!"));
}

TEST_F(TlsTest, ExtraCaFromAFile) {
  const std::string path = ::testing::TempDir() + "marvane_test_ca.pem";
  std::ofstream(path) << pki_.caPem;
  EXPECT_TRUE(TrustExtraCa(path));
  EXPECT_EQ(WinHttpObjectFetch("https://secure.example/"), "secure body");
  std::remove(path.c_str());

  // Refused inputs leave the trusted CA as it was.
  EXPECT_FALSE(TrustExtraCa(path));
  EXPECT_FALSE(TrustExtraCa("-----BEGIN NOTHING-----"));
  EXPECT_EQ(WinHttpObjectFetch("https://secure.example/"), "secure body");
  EXPECT_TRUE(TrustExtraCa(""));
  EXPECT_EQ(WinHttpObjectFetch("https://secure.example/"), "");
}

TEST(TrustedCaTest, TheExtraCaIsAddedToTheSystemCasNotInsteadOfThem) {
  RedirectReset reset;
  const TestPki pki({"secure.example"});
  EXPECT_EQ(CurrentHostRedirect().caBundle, nullptr);
  ASSERT_TRUE(TrustExtraCa(pki.caPem));
  const auto bundle = CurrentHostRedirect().caBundle;
  ASSERT_NE(bundle, nullptr);
  EXPECT_EQ(bundle->substr(bundle->size() - pki.caPem.size()), pki.caPem);

  std::string system;
  CURL* curl = curl_easy_init();
  char* path = nullptr;
  if (curl_easy_getinfo(curl, CURLINFO_CAINFO, &path) == CURLE_OK && path) {
    std::ostringstream contents;
    contents << std::ifstream(path, std::ios::binary).rdbuf();
    system = contents.str();
  }
  curl_easy_cleanup(curl);
  if (system.empty()) GTEST_SKIP() << "no system CA file on this machine";
  EXPECT_EQ(bundle->substr(0, system.size()), system);
}

TEST(ReplyLimitTest, RepliesOverTheLimitAreCutOffAndFail) {
  ScriptedReply endless = Reply("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
  endless.streamBytes = kMaxReplyBytes + (16u << 20);
  ScriptedReply declared = Reply("HTTP/1.1 200 OK\r\nContent-Length: 104857600\r\n\r\n");
  declared.streamBytes = size_t{100} << 20;
  for (const Fetcher& fetcher : kFetchers) {
    {
      RawServer server([&](const std::string&) { return endless; });
      EXPECT_EQ(fetcher.fetch(LoopbackUrl(server, "/")), "") << fetcher.name;
      // The fetch stopped reading at the limit (socket buffers aside).
      EXPECT_LT(server.FillerSent(), kMaxReplyBytes + (4u << 20)) << fetcher.name;
    }
    {
      RawServer server([&](const std::string&) { return declared; });
      EXPECT_EQ(fetcher.fetch(LoopbackUrl(server, "/")), "") << fetcher.name;
      EXPECT_LT(server.FillerSent(), size_t{8} << 20) << fetcher.name;
    }
  }
  Text statusText;
  Bytes body = "stale";
  WinHttpApiOptions options;
  options.statusText = &statusText;
  options.responseBody = &body;
  RawServer server([&](const std::string&) { return endless; });
  EXPECT_EQ(WinHttpApiFetch(LoopbackUrl(server, "/"), options), "");
  EXPECT_EQ(statusText, Gbk("713 读取数据失败!"));
  EXPECT_EQ(body, "");
}

TEST(ReplyLimitTest, AReplyOfExactlyTheLimitArrivesWhole) {
  ScriptedReply full = Reply("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(kMaxReplyBytes) + "\r\n\r\n");
  full.streamBytes = kMaxReplyBytes;
  RawServer server([&](const std::string&) { return full; });
  const Bytes body = WinHttpObjectFetch(LoopbackUrl(server, "/"));
  EXPECT_EQ(body.size(), kMaxReplyBytes);
  EXPECT_EQ(body.find_first_not_of('x'), std::string::npos);
}

// Runs `fetch` on a worker thread that has `token` as its current token.
class Worker {
 public:
  Worker(std::shared_ptr<WorkerToken> token, std::function<std::string()> fetch)
      : thread_([this, token, fetch] {
          WorkerToken::SetCurrent(token);
          result_ = fetch();
          finished_ = std::chrono::steady_clock::now();
          done_ = true;
        }) {}
  ~Worker() {
    if (thread_.joinable()) thread_.join();
  }
  std::string Join() {
    thread_.join();
    return result_;
  }
  bool done() const { return done_; }
  std::chrono::steady_clock::time_point finished() const { return finished_; }

 private:
  std::string result_;
  std::atomic<bool> done_{false};
  std::chrono::steady_clock::time_point finished_;
  std::thread thread_;
};

TEST(WorkerStopTest, AnEndedWorkersFetchStopsWithin100Milliseconds) {
  ScriptedReply silent;
  silent.holdOpen = true;
  ScriptedReply trickle = Reply("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
  trickle.trickleMs = 20;
  double slowest = 0;
  int round = 0;
  for (const Fetcher& fetcher : kFetchers) {
    for (const ScriptedReply& reply : {silent, trickle}) {
      // Staggered, so the end falls at different points of the transfer's waits.
      const auto runFor = std::chrono::milliseconds(150 + 7 * round++);
      RawServer server([reply](const std::string&) { return reply; });
      const std::string url = LoopbackUrl(server, "/");
      auto token = std::make_shared<WorkerToken>();
      Worker worker(token, [&] { return fetcher.fetch(url); });
      std::this_thread::sleep_for(runFor);
      ASSERT_FALSE(worker.done()) << fetcher.name;
      const auto ended = std::chrono::steady_clock::now();
      token->End();
      EXPECT_EQ(worker.Join(), "") << fetcher.name;
      const double ms = std::chrono::duration<double, std::milli>(worker.finished() - ended).count();
      EXPECT_LT(ms, 100.0) << fetcher.name;
      slowest = std::max(slowest, ms);
    }
  }
  RecordProperty("slowest_stop_ms", std::to_string(slowest));
  std::printf("slowest stop after End: %.1f ms\n", slowest);
}

TEST(WorkerStopTest, AnEndedWorkerDoesNotStartAFetch) {
  RawServer server([](const std::string&) { return Ok("never"); });
  const std::string url = LoopbackUrl(server, "/");
  auto token = std::make_shared<WorkerToken>();
  token->End();
  Text headers = "X-A: 1";
  Worker worker(token, [&] {
    WinHttpObjectOptions options;
    options.headers = &headers;
    std::string all = WinHttpObjectFetch(url, options);
    for (const Fetcher& fetcher : kFetchers) all += fetcher.fetch(url);
    return all;
  });
  EXPECT_EQ(worker.Join(), "");
  EXPECT_EQ(headers, "X-A: 1");
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(server.Requests().empty());
}

TEST(WorkerStopTest, APausedWorkerFetchesOnlyAfterResume) {
  for (const Fetcher& fetcher : kFetchers) {
    RawServer server([](const std::string&) { return Ok("after resume"); });
    const std::string url = LoopbackUrl(server, "/");
    auto token = std::make_shared<WorkerToken>();
    token->Pause();
    Worker worker(token, [&] { return fetcher.fetch(url); });
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_FALSE(worker.done()) << fetcher.name;
    EXPECT_TRUE(server.Requests().empty()) << fetcher.name;
    token->Resume();
    EXPECT_EQ(worker.Join(), "after resume") << fetcher.name;
    EXPECT_EQ(server.Requests().size(), 1u) << fetcher.name;
  }
}

TEST(WorkerStopTest, EndingAPausedWorkerReturnsWithoutFetching) {
  RawServer server([](const std::string&) { return Ok("never"); });
  const std::string url = LoopbackUrl(server, "/");
  auto token = std::make_shared<WorkerToken>();
  token->Pause();
  Worker worker(token, [&] { return WinHttpApiFetch(url); });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  token->End();
  EXPECT_EQ(worker.Join(), "");
  EXPECT_TRUE(server.Requests().empty());
}

}  // namespace
