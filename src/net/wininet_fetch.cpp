#include "net/wininet_fetch.h"

#include "net/headers_cookies.h"
#include "net/http_exchange.h"
#include "text/text_ops.h"

namespace {

constexpr const char* kInetAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
// The Windows HTTP layer's own defaults: 60 s to connect, 30 s each to send
// and to receive. Here they bound connecting and the whole exchange.
constexpr long kConnectMs = 60000;
constexpr long kTotalMs = 60000 + 30000 + 30000;
// The reply header buffer; a block that does not fit (with its terminating
// zero) is not read and the buffer's blanks stay.
constexpr size_t kHeaderBufferBytes = 5000;

// The agent of the connection: the caller's User-Agent line if there is one,
// else the default.
Text AgentOf(const Text& headers) {
  if (!Contains(headers, "User-Agent:", true)) return kInetAgent;
  // The search for the line's value is case-sensitive; a line written in
  // another case falls back to the value of the first header line.
  Text agent = Trim(TextBetween(headers + "\r\n", "User-Agent:", "\r\n"));
  if (agent.empty()) agent = HeaderValue(headers);
  return agent;
}

void CompleteHeaders(Text& headers, const Text& url, const Text& cookies) {
  if (headers.empty())
    headers = "Accept: */*";
  else if (!Contains(headers, "Accept:"))
    headers += "\r\nAccept: */*";
  if (!Contains(headers, "Referer:")) headers += "\r\nReferer: " + url;
  if (!Contains(headers, "Accept-Language:")) headers += "\r\nAccept-Language: zh-cn";
  if (!Contains(headers, "Content-Type:")) headers += "\r\nContent-Type: application/x-www-form-urlencoded";
  if (!cookies.empty()) headers += Contains(cookies, "Cookie:") ? "\r\n" + cookies : "\r\nCookie: " + cookies;
}

// A host the connection can be made to: something, and nothing that would
// change how the address is read.
bool UsableHost(const Text& host) { return !host.empty() && host.find_first_of("/?#@\\[] \t\r\n") == Text::npos; }

}  // namespace

Text UrlHost(const Text& url, bool keepPort) {
  Text text = ToLowerAscii(url);
  if (Right(text, 1) != "/") text += "/";
  Text prefix = "https://";
  if (Left(text, 8) != prefix) {
    prefix = "http://";
    if (!Contains(text, prefix)) text = prefix + text;
  }
  Text host = TextBetween(text, prefix, "/");
  if (!keepPort) {
    const int colon = Find(host, ":");
    if (colon != -1) host = Left(host, colon - 1);
  }
  return host;
}

int UrlPort(const Text& url) {
  const Text host = UrlHost(url, true);
  const size_t colon = host.rfind(':');
  if (colon != Text::npos) {
    int port = 0;
    for (size_t i = colon + 1; i < host.size() && host[i] >= '0' && host[i] <= '9' && port < 100000; ++i)
      port = port * 10 + (host[i] - '0');
    return port;
  }
  return Left(ToLowerAscii(url), 5) == "https" ? 443 : 80;
}

Text UrlPath(const Text& url) {
  const int hostAt = Find(url, UrlHost(url), 1, true);
  const int slash = Find(url, "/", hostAt < 1 ? 1 : hostAt);
  if (slash == -1) return "/";
  return url.substr(slash - 1);
}

Bytes WinInetFetch(const Text& url, const WinInetOptions& options) {
  if (!FetchMayStart()) return {};

  static const char* const kVerbs[] = {"GET", "POST", "HEAD"};
  const int method = options.method < 0 || options.method > 2 ? 0 : options.method;
  const bool secure = Left(ToLowerAscii(url), 8) == "https://";
  Text localHeaders;
  Text& headers = options.headers ? *options.headers : localHeaders;

  const Text host = UrlHost(url);
  const int port = UrlPort(url);
  // Where the connection cannot be made the caller's variables stay as they were.
  if (!UsableHost(host) || port < 1 || port > 65535) return {};

  ExchangeRequest request;
  request.verb = kVerbs[method];
  request.url = Text(secure ? "https://" : "http://") + host + ":" + IntToText(port) + WireUrl(UrlPath(url), false);
  request.userAgent = AgentOf(headers);
  request.proxy = options.proxy;
  request.connectTimeoutMs = kConnectMs;
  request.totalTimeoutMs = kTotalMs;
  request.followRedirects = !options.noRedirect;

  static const Text kNoCookies;
  const Text& cookies = options.cookies ? *options.cookies : kNoCookies;
  CompleteHeaders(headers, url, cookies);
  request.headerLines = HeaderTextLines(headers);
  bool headersCarryCookie = false;
  for (const Text& line : request.headerLines) headersCarryCookie |= ToLowerAscii(HeaderName(line)) == "cookie";
  request.cookieEngine = !options.cookies && !headersCarryCookie;

  if (method != 0) {
    Bytes localBody;
    Bytes& postBytes = options.postBytes ? *options.postBytes : localBody;
    if (postBytes.empty()) postBytes = options.postText;
    request.body = postBytes;
    request.sendBody = method == 1 || !request.body.empty();
  }

  ExchangeResult result = RunExchange(request);

  Text localResponseHeaders, localReturned;
  Text& responseHeaders = options.responseHeaders ? *options.responseHeaders : localResponseHeaders;
  Text& returnedCookies = options.returnedCookies ? *options.returnedCookies : localReturned;
  if (result.headerBlock.empty() || result.headerBlock.size() + 1 > kHeaderBufferBytes)
    responseHeaders = Text(kHeaderBufferBytes, ' ');
  else
    responseHeaders = NormalizeSetCookie(result.headerBlock);
  returnedCookies = CollectSetCookies(responseHeaders);
  if (options.cookies) returnedCookies = MergeCookies(*options.cookies, returnedCookies);

  // A body that broke off is kept as far as it came, as the reading loop
  // stops at the first read that brings nothing.
  if (result.failure != ExchangeFailure::None && result.failure != ExchangeFailure::BodyRead) return {};
  return std::move(result.body);
}
