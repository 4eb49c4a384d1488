#include "net/winhttp_api_fetch.h"

#include <gtest/gtest.h>

#include "net/fetch_test_support.h"

namespace {

const std::vector<std::string> kDefaultLines = {
    "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)",
    "Accept: text/html, application/xhtml+xml, */*",
    "Accept-Encoding: gbk, GB2312",
    "Accept-Language: zh-cn",
    "Content-Type: application/x-www-form-urlencoded",
    "Cache-Control: no-cache",
};

std::vector<std::string> WithHost(const std::string& host, std::vector<std::string> lines) {
  lines.insert(lines.begin(), "Host: " + host);
  return lines;
}

TEST(WinHttpApiFetchTest, AddressAloneSendsTheSixDefaultsInOrder) {
  RedirectReset reset;
  RawServer server([](const std::string&) { return Ok("[\"k\"]"); });
  RedirectHost("suggest.taobao.com", 80, server.port());
  Text statusText;
  WinHttpApiOptions options;
  options.statusText = &statusText;

  EXPECT_EQ(WinHttpApiFetch("http://suggest.taobao.com/sug?code=utf-8&q=a", options), "[\"k\"]");

  const std::string request = server.Requests().at(0);
  EXPECT_EQ(RequestLine(request), "GET /sug?code=utf-8&q=a HTTP/1.1");
  EXPECT_EQ(RequestHeaderLines(request), WithHost("suggest.taobao.com", kDefaultLines));
  EXPECT_EQ(RequestBody(request), "");
  EXPECT_EQ(statusText, "200 OK");
}

TEST(WinHttpApiFetchTest, CallersLinesAndTheDefaultsTheyLeaveOut) {
  struct Case {
    Text headers;
    std::vector<std::string> lines;  // after Host
  } cases[] = {
      // The search ignores case: no default agent.
      {"user-agent: X",
       {"user-agent: X", kDefaultLines[1], kDefaultLines[2], kDefaultLines[3], kDefaultLines[4], kDefaultLines[5]}},
      // Content-Type's search is case-sensitive, so the default is added too and,
      // added as the Windows call adds it, takes the place of the caller's line.
      {"Content-type: text/plain",
       {kDefaultLines[4], kDefaultLines[0], kDefaultLines[1], kDefaultLines[2], kDefaultLines[3], kDefaultLines[5]}},
      // Without the space after the colon the caller's line does not count.
      {"Accept:text/plain",
       {kDefaultLines[1], kDefaultLines[0], kDefaultLines[2], kDefaultLines[3], kDefaultLines[4], kDefaultLines[5]}},
      {"Referer: http://r.example/\r\nX-Empty:",
       {"Referer: http://r.example/", kDefaultLines[0], kDefaultLines[1], kDefaultLines[2], kDefaultLines[3],
        kDefaultLines[4], kDefaultLines[5]}},
  };
  for (const Case& c : cases) {
    RawServer server([](const std::string&) { return Ok(""); });
    WinHttpApiOptions options;
    options.headers = c.headers;
    WinHttpApiFetch(LoopbackUrl(server, "/"), options);
    EXPECT_EQ(RequestHeaderLines(server.Requests().at(0)),
              WithHost("127.0.0.1:" + std::to_string(server.port()), c.lines))
        << c.headers;
  }
}

TEST(WinHttpApiFetchTest, MethodsAndBodies) {
  struct Case {
    int method;
    Text postText;
    std::string requestLine;
    const char* contentLength;  // nullptr: none
  } cases[] = {
      {3, "", "PUT / HTTP/1.1", "Content-Length: 0"},
      {9, "", "GET / HTTP/1.1", nullptr},
      {1, "a=1", "POST / HTTP/1.1", "Content-Length: 3"},
      {2, "", "HEAD / HTTP/1.1", nullptr},
  };
  for (const Case& c : cases) {
    RawServer server([](const std::string&) { return Ok(""); });
    WinHttpApiOptions options;
    options.method = c.method;
    options.postText = c.postText;
    WinHttpApiFetch(LoopbackUrl(server, "/"), options);
    const std::string request = server.Requests().at(0);
    EXPECT_EQ(RequestLine(request), c.requestLine);
    EXPECT_EQ(RequestBody(request), c.postText);
    const auto lines = RequestHeaderLines(request);
    if (c.contentLength)
      EXPECT_EQ(lines.back(), c.contentLength);
    else
      EXPECT_EQ(lines.back(), kDefaultLines.back());
  }
}

TEST(WinHttpApiFetchTest, NoRedirectGivesTheLocationAndTheRedirectsBody) {
  RawServer server(
      TwoStep(Reply(HttpReply("HTTP/1.1 302 Found", {"location: http://elsewhere.example/t"}, "moved")), Ok("done")));
  Text redirectLocation, statusText, responseHeaders;
  WinHttpApiOptions options;
  options.noRedirect = true;
  options.redirectLocation = &redirectLocation;
  options.statusText = &statusText;
  options.responseHeaders = &responseHeaders;
  EXPECT_EQ(WinHttpApiFetch(LoopbackUrl(server, "/start"), options), "moved");
  EXPECT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(redirectLocation, "http://elsewhere.example/t");
  EXPECT_EQ(statusText, "302 Found");
  EXPECT_EQ(responseHeaders,
            "HTTP/1.1 302 Found\r\nlocation: http://elsewhere.example/t\r\nContent-Length: 5\r\nConnection: "
            "close\r\n\r\n");
}

TEST(WinHttpApiFetchTest, RedirectsAreFollowedByDefault) {
  RawServer server(TwoStep(Reply(HttpReply("HTTP/1.1 301 Moved", {"Location: /final"}, "")), Ok("done")));
  Text redirectLocation, statusText;
  WinHttpApiOptions options;
  options.redirectLocation = &redirectLocation;
  options.statusText = &statusText;
  EXPECT_EQ(WinHttpApiFetch(LoopbackUrl(server, "/start"), options), "done");
  EXPECT_EQ(server.Requests().size(), 2u);
  EXPECT_EQ(redirectLocation, "");
  EXPECT_EQ(statusText, "200 OK");
}

TEST(WinHttpApiFetchTest, AnEndlessRedirectChainIsNoReply) {
  RawServer server([](const std::string&) { return Reply(HttpReply("HTTP/1.1 302 Found", {"Location: /again"}, "")); });
  Text statusText;
  WinHttpApiOptions options;
  options.statusText = &statusText;
  EXPECT_EQ(WinHttpApiFetch(LoopbackUrl(server, "/"), options), "");
  EXPECT_EQ(statusText, Gbk("712 服务器未响应!"));
  EXPECT_EQ(server.Requests().size(), 11u);  // the first request and ten redirects
}

TEST(WinHttpApiFetchTest, CookiesPassedAreSentLastAndMerged) {
  RawServer server([](const std::string&) { return Ok("b", {"set-cookie: a=1; path=/", "SET-COOKIE: b=2"}); });
  Text cookies = "c=3";
  Text returned;
  WinHttpApiOptions options;
  options.cookies = &cookies;
  options.returnedCookies = &returned;
  WinHttpApiFetch(LoopbackUrl(server, "/"), options);
  EXPECT_EQ(RequestHeaderLines(server.Requests().at(0)).back(), "Cookie: c=3");
  EXPECT_EQ(cookies, "c=3;a=1;b=2;");
  EXPECT_EQ(returned, "a=1;b=2");
}

TEST(WinHttpApiFetchTest, ServerCredentialsGoAsBasic) {
  RawServer server([](const std::string&) { return Ok(""); });
  WinHttpApiOptions options;
  options.serverUser = "u";
  options.serverPassword = "p";
  WinHttpApiFetch(LoopbackUrl(server, "/"), options);
  const auto lines = RequestHeaderLines(server.Requests().at(0));
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Authorization: Basic dTpw"), lines.end());
}

TEST(WinHttpApiFetchTest, DeclaredCharsetDecidesTheDecoding) {
  const std::string gbk = "\xD6\xD0\xCE\xC4";
  const std::string utf8 = "\xE4\xB8\xAD\xE6\x96\x87";
  const std::string big5 = "\xA4\xA4\xA4\xE5";
  struct Case {
    std::string body;
    Text expected;
  } cases[] = {
      {"<html><head><meta charset=\"utf-8\"></head>" + utf8, "<html><head><meta charset=\"utf-8\"></head>" + gbk},
      {"<meta http-equiv=Content-Type content=\"text/html; charset=UTF-8\">" + utf8,
       "<meta http-equiv=Content-Type content=\"text/html; charset=UTF-8\">" + gbk},
      {"<meta charset=gbk>" + gbk, "<meta charset=gbk>" + gbk},
      {"<META CHARSET='gb2312'>" + gbk, "<META CHARSET='gb2312'>" + gbk},
      {"<meta charset=big5>" + big5, "<meta charset=big5>" + gbk},
      {"<p>" + gbk, "<p>" + gbk},
      {"<meta charset=x-no-such-set>" + gbk, "<meta charset=x-no-such-set>" + gbk},
      // Declared past the first 1024 bytes: not seen.
      {std::string(1030, ' ') + "<meta charset=utf-8>" + gbk, std::string(1030, ' ') + "<meta charset=utf-8>" + gbk},
      // The page text ends at the first zero byte; the body keeps it.
      {"<meta charset=gbk>a" + std::string(1, '\0') + "b", "<meta charset=gbk>a"},
  };
  for (const Case& c : cases) {
    RawServer server([&](const std::string&) { return Ok(c.body); });
    Bytes body;
    WinHttpApiOptions options;
    options.responseBody = &body;
    EXPECT_EQ(WinHttpApiFetch(LoopbackUrl(server, "/"), options), c.expected) << c.body.substr(0, 60);
    EXPECT_EQ(body, c.body);
  }
}

TEST(WinHttpApiFetchTest, NumberedFailures) {
  const std::string unused = "http://127.0.0.1:" + std::to_string(RawServer::UnusedPort()) + "/";
  struct Case {
    std::string url;
    Text headers;
    const char* message;
  } cases[] = {
      {unused, "", "711 发送请求失败!"},          {"ftp://127.0.0.1/", "", "701 解析URL地址失败!"},
      {"no address", "", "701 解析URL地址失败!"}, {"http:///path", "", "701 解析URL地址失败!"},
      {unused, "NoColon", "710 设置协议头失败!"},
  };
  for (const Case& c : cases) {
    Text statusText = "untouched";
    WinHttpApiOptions options;
    options.headers = c.headers;
    options.statusText = &statusText;
    EXPECT_EQ(WinHttpApiFetch(c.url, options), "") << c.url;
    EXPECT_EQ(statusText, Gbk(c.message)) << c.url;
  }
}

TEST(WinHttpApiFetchTest, ServerSideFailures) {
  ScriptedReply resetAtOnce;
  resetAtOnce.reset = true;
  ScriptedReply silent;
  silent.holdOpen = true;
  ScriptedReply brokenBody = Reply("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789");
  ScriptedReply trickle = Reply("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\nab");
  trickle.trickleMs = 50;
  struct Case {
    const char* name;
    ScriptedReply reply;
    const char* message;
    std::string prefix;  // of the page text that remains
  } cases[] = {
      {"reset before the reply", resetAtOnce, "712 服务器未响应!", ""},
      {"silent server", silent, "712 服务器未响应!", ""},
      {"body breaks off", brokenBody, "713 读取数据失败!", "0123456789"},
      {"trickling body", trickle, "713 读取数据失败!", "abxxx"},
      {"error page", Reply(HttpReply("HTTP/1.1 500 Internal Server Error", {}, "oops")), "500 Internal Server Error",
       "oops"},
  };
  for (const Case& c : cases) {
    RawServer server([&](const std::string&) { return c.reply; });
    Text statusText;
    WinHttpApiOptions options;
    options.timeoutSeconds = 1;
    options.statusText = &statusText;
    const auto start = std::chrono::steady_clock::now();
    const Text page = WinHttpApiFetch(LoopbackUrl(server, "/"), options);
    EXPECT_LT(SecondsSince(start), 2.0) << c.name;
    EXPECT_EQ(statusText, Gbk(c.message)) << c.name;
    EXPECT_EQ(page.substr(0, c.prefix.size()), c.prefix) << c.name;
    if (c.prefix.empty()) {
      EXPECT_EQ(page, "") << c.name;
    }
  }
}

}  // namespace
