#pragma once
// Byte-counted text helpers shared by every part of the program. Positions
// count bytes from 1; searches never start a match on the trail byte of a
// GBK double-byte character.
#include <cstdint>
#include <string_view>
#include <vector>

#include "text/text.h"

// 1-based position of the first `what` at or after `start`, or -1. An empty
// `what` is never found. ignoreCase folds ASCII letters only.
int Find(std::string_view text, std::string_view what, int start = 1, bool ignoreCase = false);
bool Contains(std::string_view text, std::string_view what, bool ignoreCase = false);

// Byte parts; a length of 0 or less gives "". Mid starts at 1-based `start`.
Text Left(std::string_view text, int length);
Text Right(std::string_view text, int length);
Text Mid(std::string_view text, int start, int length);

// Blanks are the ASCII space and the ideographic space A1 A1 only.
Text Trim(std::string_view text);
Text TrimLeft(std::string_view text);
Text TrimRight(std::string_view text);
Text RemoveBlanks(std::string_view text);

// Every occurrence of `from` (not starting on a trail byte) replaced by `to`.
Text ReplaceAll(std::string_view text, std::string_view from, std::string_view to, bool ignoreCase = false);

Text ToLowerAscii(std::string_view text);
Text ToUpperAscii(std::string_view text);

// Keeps an empty piece between adjacent separators and a leading empty piece,
// adds none for a trailing separator; no pieces for an empty text.
std::vector<Text> Split(std::string_view text, std::string_view separator);

// Whole-number reading: leading white space skipped, optional sign, the
// decimal digits after it; the rest ignored; no digits reads as 0. Full-width
// digits, signs and blanks count as their ordinary forms. Saturates at the
// 64-bit range.
int64_t ToInt64(std::string_view text);
// The same, limited to the signed 32-bit range.
int ToInt(std::string_view text);
Text IntToText(int64_t value);
