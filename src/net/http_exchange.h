#pragma once
// One HTTP request and its reply on libcurl: the part the three fetchers
// share. Each fetcher decides what goes on the wire (verb, header lines in
// order, body, time-outs) and what it makes of the outcome; this layer sends
// exactly those header lines after Host (and nothing of libcurl's own
// choosing: no Accept, Expect, Accept-Encoding or agent unless asked for),
// verifies certificates, honours the host redirect seam and the worker token,
// and bounds the reply.
#include <cstddef>
#include <vector>

#include "text/text.h"

// A reply body past this size is cut off and the exchange fails.
constexpr size_t kMaxReplyBytes = size_t{64} << 20;

struct ExchangeRequest {
  Text url;  // in wire form (WireUrl)
  Text verb = "GET";
  Bytes body;
  bool sendBody = false;  // a body (with Content-Length) goes out, even an empty one
  // Sent in this order after the request line, Host and what this layer adds
  // itself (the agent, Basic credentials, the cookie engine's Cookie line);
  // a line whose value is empty is not sent. Names may repeat: every line
  // goes out. Content-Length follows them when there is a body.
  std::vector<Text> headerLines;
  Text userAgent;  // the connection's agent, sent right after Host; "" for none
  Text proxy, proxyUser, proxyPassword;
  Text serverUser, serverPassword;  // Basic, sent with the first request
  long connectTimeoutMs = 0;        // resolve and connect
  long totalTimeoutMs = 0;          // the whole exchange, so a trickling server cannot hold a fetch
  bool followRedirects = true;
  bool cookieEngine = false;  // cookies set along a redirect chain are sent on its later hops
};

// Where an exchange failed, in the order the steps happen.
enum class ExchangeFailure {
  None,
  Stopped,   // the worker's token ended before or during the exchange
  BadUrl,    // the address cannot be taken apart or is not http/https
  NotSent,   // resolve, connect, proxy, TLS (certificate included) or sending failed
  NoReply,   // the request went out but no complete reply header came back
  BodyRead,  // the reply header came, the body broke off (reset, time-out)
  TooLarge,  // the body passed kMaxReplyBytes
};

struct ExchangeResult {
  ExchangeFailure failure = ExchangeFailure::None;
  long statusCode = 0;
  // The final reply's status line and header lines, each ended by CR LF, then
  // the empty line; only the last reply of a followed redirect chain.
  Text headerBlock;
  Bytes body;  // what arrived, zero bytes included; empty for Stopped and TooLarge
};

// Called before a fetch starts: on a worker, waits while its token is paused;
// false when the token has ended (the fetch then does nothing at all).
bool FetchMayStart();

ExchangeResult RunExchange(const ExchangeRequest& request);

// The address as libcurl takes it: blanks, control bytes and non-ASCII
// characters percent-encoded, the latter as UTF-8 (what the wide-character
// Windows interfaces send) or as their GBK bytes (what the ANSI ones send).
Text WireUrl(const Text& url, bool nonAsciiAsUtf8);

// True when the wire-form address has an http or https scheme and a host.
bool IsHttpUrl(const Text& wireUrl);

// The non-empty lines of a header text, split at CR LF and also at a lone CR
// or LF, so no line can smuggle a further header.
std::vector<Text> HeaderTextLines(const Text& headers);

// The header lines of a reply block without its status line, each ended by
// CR LF.
Text HeaderFieldLines(const Text& headerBlock);
