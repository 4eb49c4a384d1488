#pragma once
// The few UTF-8 walks RegexMatcher needs around PCRE2: one check of a
// converted subject, stepping over a character, and counting characters the
// way the script engines count them (UTF-16 units).
#include <cstddef>
#include <string_view>

// Well-formed UTF-8 as PCRE2 demands it: no overlong forms, no surrogates,
// nothing above U+10FFFF, no cut-off sequence.
bool IsValidUtf8(std::string_view text);
// Byte length of the character starting at `offset` of valid UTF-8 (1 past
// the end of `text`, so callers always move forward).
size_t Utf8SequenceLength(std::string_view text, size_t offset);
bool IsAscii(std::string_view text);
// UTF-16 units of valid UTF-8: one per character, two above U+FFFF.
size_t Utf16Length(std::string_view text);
