#include "text/url_encoding.h"

#include <cstring>

#include "text/codepage.h"

namespace {

int HexDigit(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool Unreserved(unsigned char b) {
  return (b > 0x2C && b < 0x3A && b != 0x2F) || (b >= 0x41 && b <= 0x5A) || (b >= 0x61 && b <= 0x7A);
}

}  // namespace

Text UrlEncode(const Text& text, bool keepUnreserved, bool asUtf8) {
  static const char kDigits[] = "0123456789ABCDEF";
  const std::string bytes = asUtf8 ? GbkToUtf8(text) : BytesToText(text);
  Text out;
  out.reserve(bytes.size() * 3);
  for (unsigned char b : bytes) {
    if (keepUnreserved && Unreserved(b)) {
      out += static_cast<char>(b);
    } else {
      out += '%';
      out += kDigits[b >> 4];
      out += kDigits[b & 0x0F];
    }
  }
  return out;
}

Text UrlDecode(std::string_view text, bool fromUtf8) {
  const void* zero = std::memchr(text.data(), 0, text.size());
  if (zero) text = text.substr(0, static_cast<const char*>(zero) - text.data());
  if (!std::memchr(text.data(), '%', text.size())) return fromUtf8 ? Utf8ToGbk(text) : Text(text);

  std::string decoded;
  decoded.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const void* percent = std::memchr(text.data() + i, '%', text.size() - i);
    const size_t at = percent ? static_cast<const char*>(percent) - text.data() : text.size();
    decoded.append(text.data() + i, at - i);
    if (at == text.size()) break;
    const bool hasTwo = at + 2 < text.size();
    const int high = hasTwo ? HexDigit(text[at + 1]) : -1;
    const int low = hasTwo ? HexDigit(text[at + 2]) : -1;
    if (high < 0 || low < 0) {
      // A "%" without two hexadecimal digits after it stays as it is.
      decoded += '%';
      i = at + 1;
      continue;
    }
    const char byte = static_cast<char>(high * 16 + low);
    if (byte != 0) decoded += byte;  // texts hold no zero byte
    i = at + 3;
  }
  return fromUtf8 ? Utf8ToGbk(decoded) : decoded;
}
