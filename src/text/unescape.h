#pragma once
// Decoding of keyword texts that replies write with "\u" escapes.
#include <cstdint>
#include <string>
#include <string_view>

#include "text/text.h"

// The text read as the body of a single-quoted script string literal and
// passed through the script `unescape`; falls back to PercentUnescape when the
// literal is not valid. Line breaks and apostrophes survive.
Text UnescapeText(const Text& text);
// The program's own decoder of "%uXXXX" and "%XX" escapes.
Text PercentUnescape(const Text& text);
// Up to the last 16 hexadecimal digits of `text`, most significant first.
int64_t HexToInt64(std::string_view text);
