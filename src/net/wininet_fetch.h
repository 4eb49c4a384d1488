#pragma once
// The fetcher of the ranking-list pages: host, port and path are taken out
// of the address by text rules of its own, the agent belongs to the
// connection, four default header lines follow it, redirects are followed
// and, unless the caller passes cookies, cookies are left to the HTTP layer.
#include "text/text.h"

struct WinInetOptions {
  int method = 0;  // 0 GET, 1 POST, 2 HEAD; anything else GET
  Text postText;   // the body when postBytes is empty
  // In/out. nullptr (omitted): the HTTP layer keeps the cookies a redirect
  // chain sets and sends them on its later hops. Passed: only this text is
  // sent (as a Cookie line when not empty) and it is merged with the reply's
  // cookies afterwards.
  Text* cookies = nullptr;
  // Out: the reply's cookies, "a=1; b=2"; the merged text when cookies passed.
  Text* returnedCookies = nullptr;
  Text* headers = nullptr;          // in/out: extra lines joined by CR LF; the defaults are appended
  Text* responseHeaders = nullptr;  // out: status line and header lines
  bool noRedirect = false;
  // In/out: the body of a POST or HEAD; when empty it is filled with the
  // bytes of postText.
  Bytes* postBytes = nullptr;
  Text proxy;  // "" for a direct connection
};

// The reply body; empty when the request could not be made or no reply came
// (also for a certificate fault, a reply over 64 MiB or an ended worker). A
// body that breaks off is returned as far as it arrived. On the wire the
// connection's agent comes right after Host, then the layer's own Cookie line
// if it has one, then the header lines.
Bytes WinInetFetch(const Text& url, const WinInetOptions& options = {});

// The lower-cased host of `url` ("http://" assumed without a scheme), with
// its ":port" when keepPort.
Text UrlHost(const Text& url, bool keepPort = false);
// The explicit port, else 443 for https and 80 otherwise.
int UrlPort(const Text& url);
// Everything from the "/" after the host, query included, in the address's
// own letter case; "/" when there is none.
Text UrlPath(const Text& url);
