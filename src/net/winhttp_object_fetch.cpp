#include "net/winhttp_object_fetch.h"

#include <vector>

#include "net/headers_cookies.h"
#include "net/http_exchange.h"
#include "text/text_ops.h"

namespace {

constexpr const char* kObjectAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// The request object's own defaults (timeoutSeconds -1): connect 60 s, send
// and receive 30 s each. Here they bound connecting and the whole exchange.
constexpr long kDefaultConnectMs = 60000;
constexpr long kDefaultTotalMs = 60000 + 30000 + 30000;

// The caller's header text completed with the defaults the caller lacks. Each
// search is case-sensitive, so 'accept: text/html' still gets "Accept: */*".
void CompleteHeaders(Text& headers, const Text& url) {
  if (headers.empty())
    headers = "Accept: */*";
  else if (!Contains(headers, "Accept:"))
    headers += "\r\nAccept: */*";
  if (!Contains(headers, "Referer:")) headers += "\r\nReferer: " + url;
  if (!Contains(headers, "Accept-Language:")) headers += "\r\nAccept-Language: zh-cn";
  if (!Contains(headers, "User-Agent:")) headers += "\r\nUser-Agent: " + Text(kObjectAgent);
  if (!Contains(headers, "Content-Type:")) headers += "\r\nContent-Type: application/x-www-form-urlencoded";
}

// One header set the way the request object sets it: name and value trimmed,
// joined by ": ". A line without a name or a value sets nothing.
void AddHeader(std::vector<Text>& lines, const Text& name, const Text& value) {
  if (name.empty() || value.empty()) return;
  lines.push_back(name + ": " + value);
}

}  // namespace

Bytes WinHttpObjectFetch(const Text& url, const WinHttpObjectOptions& options) {
  if (!FetchMayStart()) return {};

  static const char* const kVerbs[] = {"GET", "POST", "HEAD"};
  const int method = options.method < 0 || options.method > 2 ? 0 : options.method;

  ExchangeRequest request;
  request.url = WireUrl(url, true);
  request.verb = kVerbs[method];
  if (options.timeoutSeconds == -1) {
    request.connectTimeoutMs = kDefaultConnectMs;
    request.totalTimeoutMs = kDefaultTotalMs;
  } else {
    const long t = options.timeoutSeconds >= 1 ? options.timeoutSeconds * 1000L : 15000L;
    request.connectTimeoutMs = t;
    request.totalTimeoutMs = t;
  }
  if (!options.proxy.empty()) {
    request.proxy = options.proxy;
    if (!options.proxyUser.empty()) {
      request.proxyUser = options.proxyUser;
      request.proxyPassword = options.proxyPassword;
    }
  }
  request.followRedirects = !options.noRedirect;

  Text localHeaders, localCookies, localReturned, localResponseHeaders;
  Text& headers = options.headers ? *options.headers : localHeaders;
  Text& cookies = options.cookies ? *options.cookies : localCookies;
  Text& returnedCookies = options.returnedCookies ? *options.returnedCookies : localReturned;
  Text& responseHeaders = options.responseHeaders ? *options.responseHeaders : localResponseHeaders;

  CompleteHeaders(headers, url);
  // The Cookie header is set before the caller's lines, so a "Cookie:" line
  // among them comes after it.
  if (!cookies.empty())
    AddHeader(request.headerLines, "Cookie", Trim(ReplaceAll(ReplaceAll(cookies, "\r", ""), "\n", "")));
  for (const Text& line : HeaderTextLines(headers)) AddHeader(request.headerLines, HeaderName(line), HeaderValue(line));

  request.body = options.postBytes.empty() ? options.postText : options.postBytes;
  request.sendBody = method == 1 || !request.body.empty();

  ExchangeResult result = RunExchange(request);

  responseHeaders = NormalizeSetCookie(HeaderFieldLines(result.headerBlock));
  if (options.statusCode) *options.statusCode = static_cast<int>(result.statusCode);
  returnedCookies = CollectSetCookies(responseHeaders);
  MergeCookies(cookies, returnedCookies);
  if (result.failure != ExchangeFailure::None) return {};
  return std::move(result.body);
}
