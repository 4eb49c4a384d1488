#pragma once
// The fetcher of the theme channel list, the suggestion service and the
// category ranking pages: six default header lines, 30-second time-outs,
// redirects followed, the HTTP layer's own cookies off, every failing step
// reported by a numbered message in statusText, and the page decoded in the
// character set its head declares.
#include "text/text.h"

struct WinHttpApiOptions {
  int method = 0;  // 0 GET, 1 POST, 2 HEAD, 3 PUT; anything else GET
  Text postText;   // the body
  // In/out: sent in a Cookie line when not empty; merged with the reply's
  // cookies afterwards. nullptr: omitted.
  Text* cookies = nullptr;
  Text* returnedCookies = nullptr;  // out: "a=1; b=2"
  Text headers;                     // extra lines joined by CR LF
  Text* responseHeaders = nullptr;  // out: status line and header lines
  bool noRedirect = false;
  Text serverUser, serverPassword;   // Basic with the server when both are given
  Text proxy;                        // "" for no proxy at all
  Text proxyUser, proxyPassword;     // Basic with the proxy when both are given
  int timeoutSeconds = 0;            // below 1: 30 s
  Text* redirectLocation = nullptr;  // out: the reply's Location
  Text* statusText = nullptr;        // out: "200 OK", or the numbered failure message
  Bytes* responseBody = nullptr;     // out: the body as received
};

// The page text: the body (up to its first zero byte) as GBK, or decoded from
// the charset its head declares. "" on failure.
Text WinHttpApiFetch(const Text& url, const WinHttpApiOptions& options = {});
