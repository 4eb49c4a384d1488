#pragma once
// Percent encoding of query values and decoding of replies.
#include "text/text.h"

// Percent-encodes `text` (as UTF-8 when asUtf8) with upper-case hex digits;
// with keepUnreserved, digits, ASCII letters, "-" and "." stay as they are.
Text UrlEncode(const Text& text, bool keepUnreserved = true, bool asUtf8 = true);

// Undoes "%XX" escapes (either case; a "%" without two hex digits after it is
// copied as it is; a decoded zero byte is dropped), keeps "+", and with
// fromUtf8 converts the result from UTF-8 to GBK. A text without "%" skips
// the percent pass.
Text UrlDecode(std::string_view text, bool fromUtf8 = true);
