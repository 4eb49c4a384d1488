#include "net/winhttp_object_fetch.h"

#include <gtest/gtest.h>

#include "net/fetch_test_support.h"

namespace {

const std::string kDefaultTail =
    "Accept-Language: zh-cn\r\n"
    "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)\r\n"
    "Content-Type: application/x-www-form-urlencoded\r\n";

TEST(WinHttpObjectFetchTest, AddressAloneSendsExactlyTheFiveDefaultsInOrder) {
  RedirectReset reset;
  RawServer server([](const std::string&) { return Ok("{\"ok\":1}"); });
  // Redirected like the affiliate host: Host and Referer keep the real name.
  RedirectHost("pub.alimama.com", 80, server.port());
  const std::string url = "http://pub.alimama.com/items/search.json?q=%E4%B8%AD&toPage=1";

  EXPECT_EQ(WinHttpObjectFetch(url), "{\"ok\":1}");

  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0],
            "GET /items/search.json?q=%E4%B8%AD&toPage=1 HTTP/1.1\r\n"
            "Host: pub.alimama.com\r\n"
            "Accept: */*\r\n"
            "Referer: " +
                url + "\r\n" + kDefaultTail + "\r\n");
}

TEST(WinHttpObjectFetchTest, CaseSensitiveSearchSendsBothAcceptLines) {
  RawServer server([](const std::string&) { return Ok("x"); });
  const std::string url = LoopbackUrl(server, "/a");
  Text headers = "accept: text/html";
  WinHttpObjectOptions options;
  options.headers = &headers;

  WinHttpObjectFetch(url, options);

  EXPECT_EQ(headers, "accept: text/html\r\nAccept: */*\r\nReferer: " + url +
                         "\r\nAccept-Language: zh-cn\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT "
                         "6.1)\r\nContent-Type: application/x-www-form-urlencoded");
  const auto lines = RequestHeaderLines(server.Requests().at(0));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[1], "accept: text/html");
  EXPECT_EQ(lines[2], "Accept: */*");
}

TEST(WinHttpObjectFetchTest, MethodsAndBodies) {
  struct Case {
    int method;
    Text postText;
    Bytes postBytes;
    std::string requestLine;
    std::string body;
  } cases[] = {
      {7, "", "", "GET / HTTP/1.1", ""},
      {-1, "", "", "GET / HTTP/1.1", ""},
      {2, "", "", "HEAD / HTTP/1.1", ""},
      {1, "a=1", "", "POST / HTTP/1.1", "a=1"},
      {1, "a=1", std::string("x\0y", 3), "POST / HTTP/1.1", std::string("x\0y", 3)},
      {1, "", "", "POST / HTTP/1.1", ""},
  };
  for (const Case& c : cases) {
    RawServer server([](const std::string&) { return Ok(""); });
    WinHttpObjectOptions options;
    options.method = c.method;
    options.postText = c.postText;
    options.postBytes = c.postBytes;
    WinHttpObjectFetch(LoopbackUrl(server, "/"), options);
    ASSERT_EQ(server.Requests().size(), 1u) << c.method;
    const std::string request = server.Requests()[0];
    EXPECT_EQ(RequestLine(request), c.requestLine);
    EXPECT_EQ(RequestBody(request), c.body);
    const auto lines = RequestHeaderLines(request);
    if (c.method == 1)
      EXPECT_EQ(lines.back(), "Content-Length: " + std::to_string(c.body.size()));
    else
      EXPECT_EQ(lines.back(), "Content-Type: application/x-www-form-urlencoded");
  }
}

TEST(WinHttpObjectFetchTest, CookiesGoFirstAndReplyCookiesAreCollectedAcrossCase) {
  RawServer server([](const std::string&) { return Ok("body", {"set-cookie: a=1; path=/", "SET-COOKIE: b=2"}); });
  Text cookies = "x = 1; a=0";
  Text returned, responseHeaders;
  int status = 0;
  WinHttpObjectOptions options;
  options.cookies = &cookies;
  options.returnedCookies = &returned;
  options.responseHeaders = &responseHeaders;
  options.statusCode = &status;

  EXPECT_EQ(WinHttpObjectFetch(LoopbackUrl(server, "/"), options), "body");

  EXPECT_EQ(RequestHeaderLines(server.Requests().at(0)).at(1), "Cookie: x = 1; a=0");
  EXPECT_EQ(responseHeaders,
            "Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\nContent-Length: 4\r\nConnection: close\r\n");
  EXPECT_EQ(returned, "a=1;b=2");
  EXPECT_EQ(cookies, "x=1;a=1;b=2;");
  EXPECT_EQ(status, 200);
}

TEST(WinHttpObjectFetchTest, CookiesWithoutReplyCookiesLoseTheirSpacesOnly) {
  RawServer server([](const std::string&) { return Ok("b"); });
  Text cookies = "x = 1; y=2";
  WinHttpObjectOptions options;
  options.cookies = &cookies;
  WinHttpObjectFetch(LoopbackUrl(server, "/"), options);
  EXPECT_EQ(cookies, "x=1;y=2");
}

TEST(WinHttpObjectFetchTest, RedirectsFollowedByDefaultNotWithNoRedirect) {
  const ScriptedReply moved = Reply(HttpReply("HTTP/1.1 302 Found", {"Location: /final"}, "moved"));
  {
    RawServer server(TwoStep(moved, Ok("done")));
    Text responseHeaders;
    int status = 0;
    WinHttpObjectOptions options;
    options.responseHeaders = &responseHeaders;
    options.statusCode = &status;
    EXPECT_EQ(WinHttpObjectFetch(LoopbackUrl(server, "/start"), options), "done");
    ASSERT_EQ(server.Requests().size(), 2u);
    EXPECT_EQ(RequestLine(server.Requests()[1]), "GET /final HTTP/1.1");
    EXPECT_EQ(status, 200);
    EXPECT_EQ(responseHeaders, "Content-Length: 4\r\nConnection: close\r\n");
  }
  {
    RawServer server(TwoStep(moved, Ok("done")));
    int status = 0;
    WinHttpObjectOptions options;
    options.noRedirect = true;
    options.statusCode = &status;
    EXPECT_EQ(WinHttpObjectFetch(LoopbackUrl(server, "/start"), options), "moved");
    EXPECT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(status, 302);
  }
}

TEST(WinHttpObjectFetchTest, ErrorPagesChunkedBodiesAndZeroBytesComeBackWhole) {
  {
    RawServer server([](const std::string&) { return Reply(HttpReply("HTTP/1.1 500 Oops", {}, "broken")); });
    int status = 0;
    WinHttpObjectOptions options;
    options.statusCode = &status;
    EXPECT_EQ(WinHttpObjectFetch(LoopbackUrl(server, "/"), options), "broken");
    EXPECT_EQ(status, 500);
  }
  {
    RawServer server([](const std::string&) {
      return Reply(
          "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n"
          "5\r\nhello\r\n6\r\n world\r\n0\r\n\r\n");
    });
    EXPECT_EQ(WinHttpObjectFetch(LoopbackUrl(server, "/")), "hello world");
  }
  {
    const std::string picture("\x89PNG\0\0\0\rIHDR", 12);
    RawServer server([&](const std::string&) { return Ok(picture); });
    const Bytes body = WinHttpObjectFetch(LoopbackUrl(server, "/"));
    EXPECT_EQ(body, picture);
    EXPECT_EQ(BytesToText(body), "\x89PNG");
  }
}

TEST(WinHttpObjectFetchTest, FailuresGiveAnEmptyBody) {
  { EXPECT_EQ(WinHttpObjectFetch("http://127.0.0.1:" + std::to_string(RawServer::UnusedPort()) + "/"), ""); }
  {
    // Reset after the request, before any reply.
    RawServer server([](const std::string&) {
      ScriptedReply reply;
      reply.reset = true;
      return reply;
    });
    EXPECT_EQ(WinHttpObjectFetch(LoopbackUrl(server, "/")), "");
  }
  {
    // The connection closes in the middle of the body: the request did not complete.
    RawServer server(
        [](const std::string&) { return Reply("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789"); });
    EXPECT_EQ(WinHttpObjectFetch(LoopbackUrl(server, "/")), "");
  }
  EXPECT_EQ(WinHttpObjectFetch("ftp://127.0.0.1/"), "");
  EXPECT_EQ(WinHttpObjectFetch("not an address"), "");
}

TEST(WinHttpObjectFetchTest, TimeOutBoundsASilentAndATricklingServer) {
  ScriptedReply silent;
  silent.holdOpen = true;
  ScriptedReply trickle = Reply("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
  trickle.trickleMs = 50;
  for (const ScriptedReply& reply : {silent, trickle}) {
    RawServer server([reply](const std::string&) { return reply; });
    WinHttpObjectOptions options;
    options.timeoutSeconds = 1;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WinHttpObjectFetch(LoopbackUrl(server, "/"), options), "");
    const double seconds = SecondsSince(start);
    EXPECT_GE(seconds, 0.9);
    EXPECT_LT(seconds, 2.0);
  }
}

TEST(WinHttpObjectFetchTest, ProxyGetsTheAbsoluteAddressAndItsCredentials) {
  RawServer proxy([](const std::string&) { return Ok("via proxy"); });
  WinHttpObjectOptions options;
  options.proxy = "127.0.0.1:" + std::to_string(proxy.port());
  options.proxyUser = "u";
  options.proxyPassword = "p";
  EXPECT_EQ(WinHttpObjectFetch("http://pub.alimama.com/x?y=1", options), "via proxy");
  const std::string request = proxy.Requests().at(0);
  EXPECT_EQ(RequestLine(request), "GET http://pub.alimama.com/x?y=1 HTTP/1.1");
  const auto lines = RequestHeaderLines(request);
  EXPECT_EQ(lines.at(0), "Host: pub.alimama.com");
  EXPECT_EQ(lines.at(1), "Proxy-Authorization: Basic dTpw");
  EXPECT_EQ(lines.at(2), "Accept: */*");
}

}  // namespace
