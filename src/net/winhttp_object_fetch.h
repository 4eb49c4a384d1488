#pragma once
// The fetcher of the affiliate platform's JSON endpoints and of item
// pictures: a synchronous request with five default header lines, 15-second
// time-outs, redirects followed and no cookies of its own. Every caller
// passes the address alone; the options exist for the full behaviour.
#include "text/text.h"

struct WinHttpObjectOptions {
  int method = 0;  // 0 GET, 1 POST, 2 HEAD; anything else GET
  Text postText;   // the body when postBytes is empty
  // In/out: sent as the Cookie header when not empty; afterwards merged with
  // the reply's cookies (spaces removed either way). nullptr: omitted.
  Text* cookies = nullptr;
  Text* returnedCookies = nullptr;  // out: the reply's cookies, "a=1; b=2"
  // In/out: extra header lines joined by CR LF; the defaults are appended to
  // the caller's variable.
  Text* headers = nullptr;
  Text* responseHeaders = nullptr;  // out: the reply's header lines
  int* statusCode = nullptr;        // out
  bool noRedirect = false;
  Bytes postBytes;         // the body; wins over postText when not empty
  Text proxy;              // "" for a direct connection
  int timeoutSeconds = 0;  // -1: the request object's defaults; below 1: 15 s
  Text proxyUser;
  Text proxyPassword;
  int proxyCredentialFlag = 1;  // kept for the callers' sake; Basic proxy credentials need no flag
};

// The reply body, zero bytes kept; empty when the request did not complete
// (unreachable, time-out, certificate fault, reply over 64 MiB, worker ended).
Bytes WinHttpObjectFetch(const Text& url, const WinHttpObjectOptions& options = {});
