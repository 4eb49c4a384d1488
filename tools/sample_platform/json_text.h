#pragma once
// Small text helpers for writing the sample replies: JSON strings, the "\u"
// escapes of the ranking pages, and numbers written the way the platform
// writes them.
#include <cstdint>
#include <string>
#include <string_view>

// A UTF-8 text as the inside of a JSON string: quote, backslash and control
// characters escaped, everything else (Chinese included) written as it is.
std::string SampleJsonEscape(std::string_view utf8);

// A UTF-8 text as the inside of a JSON string with every non-ASCII character
// written as a lower-case "\uXXXX" escape (a surrogate pair beyond the BMP).
// The ranking pages write their keywords this way.
std::string SampleUnicodeEscape(std::string_view utf8);

// `hundredths` / 100 as the platform's number texts: at least one decimal,
// trailing zeros dropped ("59.9", "128.0", "12.28", "-3.5").
std::string SampleDecimal(int64_t hundredths);

// Invalid UTF-8 bytes replaced by "?", cut to at most `maxBytes` bytes on a
// character boundary. Keywords arrive percent-encoded from anyone.
std::string SampleCleanUtf8(std::string_view bytes, size_t maxBytes);
