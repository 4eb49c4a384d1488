#include "net/http_exchange.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <mutex>

#include "net/host_redirect.h"
#include "net/worker_token.h"
#include "text/codepage.h"

namespace {

// A header block larger than this is not a reply the program can use.
constexpr size_t kMaxHeaderBytes = size_t{1} << 20;
// How often a transfer on a worker looks at the worker's token.
constexpr long kTokenPollMs = 20;

struct EasyDeleter {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct MultiDeleter {
  void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct ListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using ListPtr = std::unique_ptr<curl_slist, ListDeleter>;

void GlobalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Where the current hop of the exchange stands; decides which failure a
// libcurl error is.
enum class Stage { Connecting, Sent, HeadersDone };

struct Transfer {
  CURL* curl = nullptr;
  std::shared_ptr<WorkerToken> token;
  bool followRedirects = true;
  Stage stage = Stage::Connecting;
  Text block;
  size_t headerBytes = 0;
  long blockStatus = 0;
  bool blockHasLocation = false;
  Text finalBlock;
  Bytes body;
  bool tooLarge = false;
  bool stopped = false;
};

bool StartsWithIgnoreCase(const char* data, size_t size, const char* prefix) {
  for (size_t i = 0; prefix[i]; ++i) {
    if (i >= size) return false;
    char c = data[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    char p = prefix[i];
    if (p >= 'A' && p <= 'Z') p = static_cast<char>(p + 32);
    if (c != p) return false;
  }
  return true;
}

int OnRequestReady(void* clientp, char*, char*, int, int) {
  static_cast<Transfer*>(clientp)->stage = Stage::Sent;
  return CURL_PREREQFUNC_OK;
}

size_t OnHeader(char* data, size_t size, size_t count, void* userdata) {
  auto* transfer = static_cast<Transfer*>(userdata);
  const size_t length = size * count;
  transfer->headerBytes += length;
  if (transfer->headerBytes > kMaxHeaderBytes) return 0;

  size_t content = length;
  while (content > 0 && (data[content - 1] == '\r' || data[content - 1] == '\n')) --content;
  if (StartsWithIgnoreCase(data, length, "HTTP/")) {
    transfer->block.assign(data, content);
    transfer->block += "\r\n";
    transfer->blockStatus = 0;
    transfer->blockHasLocation = false;
    // "HTTP/1.1 302 Found": the code follows the first space.
    const Text line(data, content);
    const size_t space = line.find(' ');
    if (space != Text::npos) transfer->blockStatus = std::strtol(line.c_str() + space + 1, nullptr, 10);
    if (transfer->stage == Stage::Connecting) transfer->stage = Stage::Sent;
    return length;
  }
  if (transfer->stage != Stage::Sent) return length;  // trailers after a chunked body
  if (content == 0) {
    transfer->block += "\r\n";
    if (transfer->blockStatus >= 100 && transfer->blockStatus < 200) return length;  // an interim reply
    transfer->finalBlock = transfer->block;
    transfer->stage = Stage::HeadersDone;
    // libcurl goes on to the Location of any 3xx but 304 when following.
    if (transfer->followRedirects && transfer->blockHasLocation && transfer->blockStatus >= 300 &&
        transfer->blockStatus < 400 && transfer->blockStatus != 304)
      transfer->stage = Stage::Connecting;
    return length;
  }
  if (StartsWithIgnoreCase(data, length, "Location:")) transfer->blockHasLocation = true;
  transfer->block.append(data, content);
  transfer->block += "\r\n";
  return length;
}

size_t OnBody(char* data, size_t size, size_t count, void* userdata) {
  auto* transfer = static_cast<Transfer*>(userdata);
  const size_t length = size * count;
  if (transfer->token && transfer->token->Ended()) {
    transfer->stopped = true;
    return 0;
  }
  if (transfer->body.size() + length > kMaxReplyBytes) {
    transfer->tooLarge = true;
    return 0;
  }
  Bytes& body = transfer->body;
  const size_t needed = body.size() + length;
  if (needed > body.capacity()) {
    // A declared length is allocated once; otherwise the buffer doubles, but
    // never past the limit, so a reply never holds more than the limit.
    curl_off_t declared = -1;
    curl_easy_getinfo(transfer->curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &declared);
    size_t capacity = std::max(needed, body.capacity() * 2);
    if (declared > 0 && static_cast<size_t>(declared) >= needed) capacity = static_cast<size_t>(declared);
    body.reserve(std::min(capacity, kMaxReplyBytes));
  }
  body.append(data, length);
  return length;
}

ExchangeFailure FailureOf(CURLcode code, const Transfer& transfer) {
  if (transfer.stopped) return ExchangeFailure::Stopped;
  if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED) return ExchangeFailure::TooLarge;
  if (code == CURLE_OK) return ExchangeFailure::None;
  // A bad address of the caller's, not a bad Location of a reply.
  if ((code == CURLE_URL_MALFORMAT || code == CURLE_UNSUPPORTED_PROTOCOL) && transfer.finalBlock.empty())
    return ExchangeFailure::BadUrl;
  if (code == CURLE_TOO_MANY_REDIRECTS) return ExchangeFailure::NoReply;
  switch (transfer.stage) {
    case Stage::Connecting:
      return ExchangeFailure::NotSent;
    case Stage::Sent:
      return code == CURLE_SEND_ERROR ? ExchangeFailure::NotSent : ExchangeFailure::NoReply;
    case Stage::HeadersDone:
      break;
  }
  return ExchangeFailure::BodyRead;
}

bool AddLine(curl_slist*& list, const Text& line) {
  curl_slist* grown = curl_slist_append(list, line.c_str());
  if (!grown) return false;
  list = grown;
  return true;
}

void SetMethodAndBody(CURL* curl, const ExchangeRequest& request) {
  if (request.verb == "HEAD") curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
  if (request.sendBody) {
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, request.body.data());
    if (request.verb != "POST") curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, request.verb.c_str());
  } else if (request.verb == "GET") {
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  } else if (request.verb != "HEAD") {
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, request.verb.c_str());
  }
}

void SetConnection(CURL* curl, const ExchangeRequest& request, const HostRedirectView& redirect,
                   curl_slist* connectTo) {
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_PATH_AS_IS, 1L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
  if (redirect.caBundle) {
    curl_blob blob{const_cast<char*>(redirect.caBundle->data()), redirect.caBundle->size(), CURL_BLOB_COPY};
    curl_easy_setopt(curl, CURLOPT_CAINFO_BLOB, &blob);
  }
  if (connectTo) curl_easy_setopt(curl, CURLOPT_CONNECT_TO, connectTo);

  // An empty proxy means a direct connection, whatever the environment says.
  curl_easy_setopt(curl, CURLOPT_PROXY, request.proxy.c_str());
  curl_easy_setopt(curl, CURLOPT_NOPROXY, "");
  if (!request.proxy.empty() && !request.proxyUser.empty()) {
    curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME, request.proxyUser.c_str());
    curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD, request.proxyPassword.c_str());
    curl_easy_setopt(curl, CURLOPT_PROXYAUTH, CURLAUTH_BASIC);
  }
  if (!request.serverUser.empty()) {
    curl_easy_setopt(curl, CURLOPT_USERNAME, request.serverUser.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, request.serverPassword.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPAUTH, CURLAUTH_BASIC);
  }

  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, request.followRedirects ? 1L : 0L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
  if (request.cookieEngine) curl_easy_setopt(curl, CURLOPT_COOKIEFILE, "");
  if (request.connectTimeoutMs > 0) curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, request.connectTimeoutMs);
  if (request.totalTimeoutMs > 0) curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, request.totalTimeoutMs);
}

// Runs the transfer, looking at the worker's token between waits so that an
// ended worker's fetch stops within kTokenPollMs.
CURLcode Perform(CURL* curl, Transfer& transfer) {
  std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
  if (!multi) return CURLE_OUT_OF_MEMORY;
  if (curl_multi_add_handle(multi.get(), curl) != CURLM_OK) return CURLE_FAILED_INIT;
  CURLcode code = CURLE_OK;
  for (;;) {
    int running = 0;
    if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
      code = CURLE_FAILED_INIT;
      break;
    }
    if (running == 0) {
      int left = 0;
      while (CURLMsg* message = curl_multi_info_read(multi.get(), &left))
        if (message->msg == CURLMSG_DONE) code = message->data.result;
      break;
    }
    if (transfer.token && transfer.token->Ended()) {
      transfer.stopped = true;
      code = CURLE_ABORTED_BY_CALLBACK;
      break;
    }
    curl_multi_poll(multi.get(), nullptr, 0, transfer.token ? kTokenPollMs : 1000, nullptr);
  }
  curl_multi_remove_handle(multi.get(), curl);
  return code;
}

const char* kHexDigits = "0123456789ABCDEF";

void AppendEscaped(Text& out, unsigned char byte) {
  out += '%';
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 15];
}

}  // namespace

bool FetchMayStart() {
  const std::shared_ptr<WorkerToken> token = WorkerToken::Current();
  return !token || token->WaitWhilePaused();
}

ExchangeResult RunExchange(const ExchangeRequest& request) {
  ExchangeResult result;
  GlobalInit();
  Transfer transfer;
  transfer.token = WorkerToken::Current();
  transfer.followRedirects = request.followRedirects;
  if (transfer.token && transfer.token->Ended()) {
    result.failure = ExchangeFailure::Stopped;
    return result;
  }

  std::unique_ptr<CURL, EasyDeleter> curl(curl_easy_init());
  if (!curl) {
    result.failure = ExchangeFailure::NotSent;
    return result;
  }
  curl_slist* headers = nullptr;
  curl_slist* connectTo = nullptr;
  ListPtr headersOwner, connectToOwner;
  bool listsComplete = true;
  for (const Text& line : request.headerLines) listsComplete &= AddLine(headers, line);
  // Empty values take away what libcurl would add by itself; a caller's
  // non-empty line of the same name is still sent.
  for (const char* removal : {"Accept:", "Expect:", "Proxy-Connection:"}) listsComplete &= AddLine(headers, removal);
  headersOwner.reset(headers);
  const HostRedirectView redirect = CurrentHostRedirect();
  for (const std::string& entry : redirect.connectTo) listsComplete &= AddLine(connectTo, entry);
  connectToOwner.reset(connectTo);
  if (!listsComplete) {
    result.failure = ExchangeFailure::NotSent;
    return result;
  }

  CURL* handle = curl.get();
  transfer.curl = handle;
  if (!IsHttpUrl(request.url) || curl_easy_setopt(handle, CURLOPT_URL, request.url.c_str()) != CURLE_OK) {
    result.failure = ExchangeFailure::BadUrl;
    return result;
  }
  SetConnection(handle, request, redirect, connectTo);
  curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers);
  // The proxy sees only what a tunnel needs, never the caller's cookies.
  curl_easy_setopt(handle, CURLOPT_HEADEROPT, CURLHEADER_SEPARATE);
  curl_easy_setopt(handle, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
  if (!request.userAgent.empty()) curl_easy_setopt(handle, CURLOPT_USERAGENT, request.userAgent.c_str());
  SetMethodAndBody(handle, request);
  curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxReplyBytes));
  curl_easy_setopt(handle, CURLOPT_PREREQFUNCTION, OnRequestReady);
  curl_easy_setopt(handle, CURLOPT_PREREQDATA, &transfer);
  curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, OnHeader);
  curl_easy_setopt(handle, CURLOPT_HEADERDATA, &transfer);
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, OnBody);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);

  const CURLcode code = Perform(handle, transfer);
  result.failure = FailureOf(code, transfer);
  curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &result.statusCode);
  result.headerBlock = std::move(transfer.finalBlock);
  if (result.failure != ExchangeFailure::Stopped && result.failure != ExchangeFailure::TooLarge)
    result.body = std::move(transfer.body);
  return result;
}

Text WireUrl(const Text& url, bool nonAsciiAsUtf8) {
  Text wire;
  for (size_t i = 0; i < url.size();) {
    const auto byte = static_cast<unsigned char>(url[i]);
    if (byte < 0x80) {
      if (byte <= 0x20 || byte == 0x7F)
        AppendEscaped(wire, byte);
      else
        wire += static_cast<char>(byte);
      ++i;
      continue;
    }
    // A run of GBK characters; a lead byte takes its trail byte with it even
    // when the trail byte is in the ASCII range.
    size_t end = i;
    while (end < url.size() && static_cast<unsigned char>(url[end]) >= 0x80) end += end + 1 < url.size() ? 2 : 1;
    const std::string run =
        nonAsciiAsUtf8 ? GbkToUtf8(std::string_view(url).substr(i, end - i)) : url.substr(i, end - i);
    for (char c : run) AppendEscaped(wire, static_cast<unsigned char>(c));
    i = end;
  }
  return wire;
}

bool IsHttpUrl(const Text& wireUrl) {
  // libcurl forgives "http:///host/path"; an address with an empty host is
  // not one the program can have meant.
  const size_t schemeEnd = wireUrl.find("://");
  if (schemeEnd == Text::npos || wireUrl.size() <= schemeEnd + 3 || wireUrl[schemeEnd + 3] == '/') return false;
  CURLU* parts = curl_url();
  if (!parts) return false;
  bool usable = false;
  if (curl_url_set(parts, CURLUPART_URL, wireUrl.c_str(), 0) == CURLUE_OK) {
    char* scheme = nullptr;
    char* host = nullptr;
    if (curl_url_get(parts, CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
        curl_url_get(parts, CURLUPART_HOST, &host, 0) == CURLUE_OK)
      usable = (Text(scheme) == "http" || Text(scheme) == "https") && host[0] != 0;
    curl_free(scheme);
    curl_free(host);
  }
  curl_url_cleanup(parts);
  return usable;
}

std::vector<Text> HeaderTextLines(const Text& headers) {
  std::vector<Text> lines;
  size_t start = 0;
  while (start <= headers.size()) {
    size_t end = headers.find_first_of("\r\n", start);
    if (end == Text::npos) end = headers.size();
    if (end > start) lines.push_back(headers.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

Text HeaderFieldLines(const Text& headerBlock) {
  Text fields;
  const std::vector<Text> lines = HeaderTextLines(headerBlock);
  for (size_t i = 1; i < lines.size(); ++i) {
    fields += lines[i];
    fields += "\r\n";
  }
  return fields;
}
