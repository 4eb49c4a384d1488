#include "net/wininet_fetch.h"

#include <gtest/gtest.h>

#include "net/fetch_test_support.h"

namespace {

TEST(UrlPartsTest, HostPortAndPathByTextRules) {
  struct Case {
    const char* url;
    const char* host;
    const char* hostWithPort;
    int port;
    const char* path;
  } cases[] = {
      {"https://Shop.Example/List?a=B", "shop.example", "shop.example", 443, "/List?a=B"},
      {"http://h.example:8080/x", "h.example", "h.example:8080", 8080, "/x"},
      {"https://h.example", "h.example", "h.example", 443, "/"},
      {"h.example/p", "h.example", "h.example", 80, "/p"},
      {"HTTPS://H.Example:8443/A/b", "h.example", "h.example:8443", 8443, "/A/b"},
      {"h.example:81", "h.example", "h.example:81", 81, "/"},
      {"http://h.example:x/", "h.example", "h.example:x", 0, "/"},
      {"https://top.taobao.com/index.php?topId=HOME", "top.taobao.com", "top.taobao.com", 443, "/index.php?topId=HOME"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UrlHost(c.url), c.host) << c.url;
    EXPECT_EQ(UrlHost(c.url, true), c.hostWithPort) << c.url;
    EXPECT_EQ(UrlPort(c.url), c.port) << c.url;
    EXPECT_EQ(UrlPath(c.url), c.path) << c.url;
  }
}

TEST(WinInetFetchTest, AddressAloneSendsTheAgentThenTheFourDefaults) {
  RedirectReset reset;
  RawServer server([](const std::string&) { return Ok("page"); });
  RedirectHost("top.taobao.com", 80, server.port());
  const std::string url = "http://top.taobao.com/index.php?topId=HOME";

  EXPECT_EQ(WinInetFetch(url), "page");

  EXPECT_EQ(server.Requests().at(0),
            "GET /index.php?topId=HOME HTTP/1.1\r\n"
            "Host: top.taobao.com\r\n"
            "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)\r\n"
            "Accept: */*\r\n"
            "Referer: " +
                url +
                "\r\n"
                "Accept-Language: zh-cn\r\n"
                "Content-Type: application/x-www-form-urlencoded\r\n\r\n");
}

TEST(WinInetFetchTest, CallersLowerCaseAgentLineIsTheOnlyAgent) {
  RawServer server([](const std::string&) { return Ok(""); });
  const std::string url = LoopbackUrl(server, "/");
  Text headers = "user-agent: X";
  WinInetOptions options;
  options.headers = &headers;
  WinInetFetch(url, options);

  EXPECT_EQ(headers, "user-agent: X\r\nAccept: */*\r\nReferer: " + url +
                         "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded");
  const auto lines = RequestHeaderLines(server.Requests().at(0));
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[1], "user-agent: X");
  EXPECT_EQ(lines[2], "Accept: */*");
}

TEST(WinInetFetchTest, AgentTakenFromTheCallersLine) {
  RawServer server([](const std::string&) { return Ok(""); });
  Text headers = "Accept: a/b\r\nUser-Agent:  Agent 7 ";
  WinInetOptions options;
  options.headers = &headers;
  WinInetFetch(LoopbackUrl(server, "/"), options);
  const auto lines = RequestHeaderLines(server.Requests().at(0));
  EXPECT_EQ(lines.at(1), "Accept: a/b");
  EXPECT_EQ(lines.at(2), "User-Agent:  Agent 7 ");
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.find("gent") == 6; }), 1);
}

TEST(WinInetFetchTest, MethodsAndThePostBodyFillsTheCallersBytes) {
  struct Case {
    int method;
    std::string requestLine;
    std::string body;
  } cases[] = {
      {9, "GET / HTTP/1.1", ""},
      {0, "GET / HTTP/1.1", ""},
      {1, "POST / HTTP/1.1", "a=1"},
  };
  for (const Case& c : cases) {
    RawServer server([](const std::string&) { return Ok("r"); });
    Bytes postBytes;
    WinInetOptions options;
    options.method = c.method;
    options.postText = "a=1";
    options.postBytes = &postBytes;
    EXPECT_EQ(WinInetFetch(LoopbackUrl(server, "/"), options), "r");
    const std::string request = server.Requests().at(0);
    EXPECT_EQ(RequestLine(request), c.requestLine);
    EXPECT_EQ(RequestBody(request), c.body);
    EXPECT_EQ(postBytes, c.body);
  }
  {
    RawServer server([](const std::string&) { return Ok("r"); });
    Bytes postBytes = "bytes";
    WinInetOptions options;
    options.method = 1;
    options.postText = "text";
    options.postBytes = &postBytes;
    WinInetFetch(LoopbackUrl(server, "/"), options);
    EXPECT_EQ(RequestBody(server.Requests().at(0)), "bytes");
  }
}

TEST(WinInetFetchTest, ReplyBlockAndCookiesWhenCookiesArePassed) {
  RawServer server([](const std::string&) { return Ok("b", {"set-cookie: a=1; path=/", "SET-COOKIE: b=2"}); });
  Text cookies = "c=3";
  Text returned, responseHeaders;
  WinInetOptions options;
  options.cookies = &cookies;
  options.returnedCookies = &returned;
  options.responseHeaders = &responseHeaders;
  WinInetFetch(LoopbackUrl(server, "/"), options);

  EXPECT_EQ(RequestHeaderLines(server.Requests().at(0)).back(), "Cookie: c=3");
  EXPECT_EQ(responseHeaders,
            "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\nContent-Length: 1\r\n"
            "Connection: close\r\n\r\n");
  EXPECT_EQ(cookies, "c=3;a=1;b=2;");
  EXPECT_EQ(returned, "c=3;a=1;b=2;");
}

TEST(WinInetFetchTest, OmittedCookiesLeaveThemToTheLayerAlongARedirectChain) {
  const ScriptedReply moved = Reply(HttpReply("HTTP/1.1 302 Found", {"Location: /final", "Set-Cookie: s=1"}, ""));
  {
    RawServer server(TwoStep(moved, Ok("done")));
    Text returned;
    WinInetOptions options;
    options.returnedCookies = &returned;
    EXPECT_EQ(WinInetFetch(LoopbackUrl(server, "/start"), options), "done");
    ASSERT_EQ(server.Requests().size(), 2u);
    // The layer's own Cookie line comes right after the agent, before the caller's lines.
    EXPECT_EQ(RequestHeaderLines(server.Requests()[1]).at(2), "Cookie: s=1") << server.Requests()[1];
    EXPECT_EQ(server.Requests()[0].find("Cookie"), std::string::npos);
    EXPECT_EQ(returned, "");  // the final reply set none
  }
  {
    // Passed, even empty: the layer keeps nothing.
    RawServer server(TwoStep(moved, Ok("done")));
    Text cookies;
    WinInetOptions options;
    options.cookies = &cookies;
    EXPECT_EQ(WinInetFetch(LoopbackUrl(server, "/start"), options), "done");
    ASSERT_EQ(server.Requests().size(), 2u);
    EXPECT_EQ(server.Requests()[1].find("Cookie"), std::string::npos);
  }
  {
    RawServer server(TwoStep(moved, Ok("done")));
    WinInetOptions options;
    options.noRedirect = true;
    Text responseHeaders;
    options.responseHeaders = &responseHeaders;
    EXPECT_EQ(WinInetFetch(LoopbackUrl(server, "/start"), options), "");
    EXPECT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(responseHeaders.substr(0, 22), "HTTP/1.1 302 Found\r\nLo");
  }
}

TEST(WinInetFetchTest, AnOversizedReplyHeaderBlockIsNotRead) {
  const std::string padding(5200, 'p');
  RawServer server([&](const std::string&) { return Ok("b", {"Set-Cookie: a=1", "X-Pad: " + padding}); });
  Text returned, responseHeaders;
  WinInetOptions options;
  options.returnedCookies = &returned;
  options.responseHeaders = &responseHeaders;
  EXPECT_EQ(WinInetFetch(LoopbackUrl(server, "/"), options), "b");
  EXPECT_EQ(responseHeaders, Text(5000, ' '));
  EXPECT_EQ(returned, "");
}

TEST(WinInetFetchTest, MissingSchemeMeansHttp) {
  RawServer server([](const std::string&) { return Ok("plain"); });
  EXPECT_EQ(WinInetFetch("127.0.0.1:" + std::to_string(server.port()) + "/Path"), "plain");
  EXPECT_EQ(RequestLine(server.Requests().at(0)), "GET /Path HTTP/1.1");
}

TEST(WinInetFetchTest, BrokenBodyIsReturnedAsFarAsItCame) {
  RawServer server(
      [](const std::string&) { return Reply("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789"); });
  EXPECT_EQ(WinInetFetch(LoopbackUrl(server, "/")), "0123456789");
}

TEST(WinInetFetchTest, UnusableAddressesChangeNothing) {
  Text headers = "X-A: 1";
  WinInetOptions options;
  options.headers = &headers;
  EXPECT_EQ(WinInetFetch("http:///nothing", options), "");
  EXPECT_EQ(WinInetFetch("http://h.example:99999/", options), "");
  EXPECT_EQ(headers, "X-A: 1");
  EXPECT_EQ(WinInetFetch("http://127.0.0.1:" + std::to_string(RawServer::UnusedPort()) + "/"), "");
}

}  // namespace
