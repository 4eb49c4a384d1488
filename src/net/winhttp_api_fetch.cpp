#include "net/winhttp_api_fetch.h"

#include <vector>

#include "net/headers_cookies.h"
#include "net/http_exchange.h"
#include "text/codepage.h"
#include "text/regex_matcher.h"
#include "text/text_ops.h"

// How the steps of an exchange map onto the numbered messages:
//
//   step that failed                                         message
//   address not http/https, no host, not parseable           701
//   a header line without a name                             710
//   resolve, connect, proxy, TLS handshake or certificate,   711
//     sending the request, time-out before it went out
//   request sent, but no complete reply header (refused or   712
//     reset connection, empty or garbled reply, time-out
//     waiting for the reply, too many redirects)
//   reply header received, the body broke off (reset,        713 (the bytes read so far remain)
//     time-out) or passed 64 MiB (nothing remains)
//
// 700 and 702-709 name steps of the Windows interface that cannot fail here.
// A fetch stopped because its worker ended returns "" without a message.

namespace {

Text Message(const char* utf8) { return Gbk(utf8); }

struct DefaultLine {
  const char* search;
  bool ignoreCase;
  const char* line;
};

// Added in this order when the caller's lines lack them. The searches end
// with a space, except Content-Type's, which is also the only case-sensitive
// one.
constexpr DefaultLine kDefaults[] = {
    {"User-Agent: ", true, "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)"},
    {"Accept: ", true, "Accept: text/html, application/xhtml+xml, */*"},
    {"Accept-Encoding: ", true, "Accept-Encoding: gbk, GB2312"},
    {"Accept-Language: ", true, "Accept-Language: zh-cn"},
    {"Content-Type:", false, "Content-Type: application/x-www-form-urlencoded"},
    {"Cache-Control: ", true, "Cache-Control: no-cache"},
};

Text HeaderBlock(const Text& headers, const Text* cookies) {
  Text block = headers.empty() ? Text() : headers + "\r\n";
  for (const DefaultLine& entry : kDefaults)
    if (!Contains(block, entry.search, entry.ignoreCase)) block += Text(entry.line) + "\r\n";
  if (cookies && !cookies->empty() && !Contains(block, "Cookie: ", true)) block += "Cookie: " + *cookies + "\r\n";
  return block;
}

// The block added as the Windows call adds it: a line replaces an earlier one
// of the same name (in its place), a line with an empty value removes it.
// False for a line without a name.
bool AddHeaderLines(const Text& block, std::vector<Text>& lines) {
  for (const Text& line : HeaderTextLines(block)) {
    const Text name = ToLowerAscii(HeaderName(line));
    if (name.empty()) return false;
    auto same = lines.begin();
    while (same != lines.end() && ToLowerAscii(HeaderName(*same)) != name) ++same;
    if (HeaderValue(line).empty()) {
      if (same != lines.end()) lines.erase(same);
    } else if (same != lines.end()) {
      *same = line;
    } else {
      lines.push_back(line);
    }
  }
  return true;
}

// The page decoded in the character set its head declares; a name the
// converter does not know leaves the page as it is.
Text DecodeDeclaredCharset(const Bytes& body, const Text& pageText) {
  RegexMatcher matcher;
  if (!matcher.Match(R"(<meta.+?charset=[^\w]?([-\w]+))", Left(pageText, 1024))) return pageText;
  const Text charset = matcher.SubMatchText(1, 1);
  if (charset.empty() || charset == "gbk" || charset == "gb2312") return pageText;
  Text decoded;
  if (!CharsetToGbk(body, charset, decoded)) return pageText;
  return decoded;
}

}  // namespace

Text WinHttpApiFetch(const Text& url, const WinHttpApiOptions& options) {
  if (!FetchMayStart()) return "";

  Text localStatus;
  Text& statusText = options.statusText ? *options.statusText : localStatus;
  auto fail = [&statusText](const char* message) {
    statusText = Message(message);
    return Text();
  };

  ExchangeRequest request;
  request.url = WireUrl(url, true);
  if (!IsHttpUrl(request.url)) return fail("701 解析URL地址失败!");
  static const char* const kVerbs[] = {"GET", "POST", "HEAD", "PUT"};
  const int method = options.method < 0 || options.method > 3 ? 0 : options.method;
  request.verb = kVerbs[method];
  request.proxy = options.proxy;
  const long t = options.timeoutSeconds >= 1 ? options.timeoutSeconds * 1000L : 30000L;
  request.connectTimeoutMs = t;
  request.totalTimeoutMs = t;
  if (!options.serverUser.empty() && !options.serverPassword.empty()) {
    request.serverUser = options.serverUser;
    request.serverPassword = options.serverPassword;
  }
  if (!options.proxyUser.empty() && !options.proxyPassword.empty()) {
    request.proxyUser = options.proxyUser;
    request.proxyPassword = options.proxyPassword;
  }
  // The caller's cookie text is the only cookie store; the layer keeps none.
  request.cookieEngine = false;
  request.followRedirects = !options.noRedirect;
  if (!AddHeaderLines(HeaderBlock(options.headers, options.cookies), request.headerLines))
    return fail("710 设置协议头失败!");
  request.body = options.postText;
  request.sendBody = method == 1 || method == 3 || !request.body.empty();

  ExchangeResult result = RunExchange(request);
  switch (result.failure) {
    case ExchangeFailure::Stopped:
      return "";
    case ExchangeFailure::BadUrl:
      return fail("701 解析URL地址失败!");
    case ExchangeFailure::NotSent:
      return fail("711 发送请求失败!");
    case ExchangeFailure::NoReply:
      return fail("712 服务器未响应!");
    case ExchangeFailure::TooLarge:
      if (options.responseBody) options.responseBody->clear();
      return fail("713 读取数据失败!");
    case ExchangeFailure::BodyRead:
    case ExchangeFailure::None:
      break;
  }

  const Text block = NormalizeSetCookie(result.headerBlock);
  const std::vector<Text> lines = Split(block, "\r\n");
  statusText = lines.empty() ? Text() : Mid(lines.front(), 10, static_cast<int>(lines.front().size()));
  for (const Text& line : lines) {
    if (ToLowerAscii(Left(line, 10)) == "location: " && options.redirectLocation)
      *options.redirectLocation = line.substr(10);
  }
  Text collected = CollectSetCookies(block);
  if (options.responseHeaders) *options.responseHeaders = block;
  if (options.cookies) MergeCookies(*options.cookies, collected);
  if (options.returnedCookies) *options.returnedCookies = collected;
  // A body that broke off is still used as far as it came, but the failure
  // stays visible instead of being covered by the status line.
  if (result.failure == ExchangeFailure::BodyRead) statusText = Message("713 读取数据失败!");

  const Text pageText = DecodeDeclaredCharset(result.body, BytesToText(result.body));
  if (options.responseBody) *options.responseBody = std::move(result.body);
  return pageText;
}
