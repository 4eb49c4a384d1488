#pragma once
// The text rules shared by the three fetchers: taking header lines apart,
// collecting the cookies a reply sets, merging them into the caller's cookie
// text. Cookies live only in texts the caller owns.
#include "text/text.h"

// The bytes between the first `left` at or after `start` and the next
// `right`; "" when either is missing. "#引号" in left/right stands for '"'.
Text TextBetween(const Text& text, const Text& left, const Text& right, int start = 1, bool caseInsensitive = false);
Text HeaderName(const Text& line);
Text HeaderValue(const Text& line);
// name=value pairs of the block's Set-Cookie lines, joined by "; ".
Text CollectSetCookies(const Text& headerBlock);
// Rewrites both arguments (blanks removed; cookies merged) and returns the
// merged form "a=1;b=2;".
Text MergeCookies(Text& cookies, Text& newCookies);
Text CookieName(const Text& piece);
Text CookieValue(const Text& piece);
// Every "Set-Cookie" in any mix of case written as exactly "Set-Cookie".
Text NormalizeSetCookie(const Text& headerBlock);
