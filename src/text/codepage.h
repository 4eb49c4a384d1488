#pragma once
// Code-page conversion between GBK texts, UTF-8 and UTF-16 on iconv.
// A character the target cannot hold, and an invalid input sequence, become
// "?" and the conversion goes on; it never drops the rest of the text.
// Input ends at its first zero byte (zero unit for UTF-16).
#include <string>
#include <string_view>

#include "text/text.h"

constexpr int kCodePageGbk = 936;
constexpr int kCodePageUtf8 = 65001;

std::string GbkToUtf8(std::string_view gbk);
Text Utf8ToGbk(std::string_view utf8);
// An empty text gives an empty string.
std::u16string GbkToUtf16(std::string_view gbk);
// Up to the first zero unit.
Text Utf16ToGbk(std::u16string_view utf16);

// Text in `codePage` (936 or 65001) to UTF-16 and back.
std::u16string TextToUtf16(std::string_view text, int codePage = kCodePageUtf8);
std::string Utf16ToText(std::u16string_view utf16, int codePage = kCodePageGbk);

// Any iconv charset name (a page's declared charset) to GBK. Returns false
// and leaves `out` alone when iconv does not know the name.
bool CharsetToGbk(std::string_view bytes, const std::string& charset, Text& out);
