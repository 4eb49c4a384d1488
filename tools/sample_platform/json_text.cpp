#include "sample_platform/json_text.h"

#include <cstdio>

namespace {

// Length of the valid UTF-8 sequence starting at `i`, or 0 when the bytes
// there are not one.
size_t Utf8SequenceLength(std::string_view s, size_t i) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char lead = b(i);
  size_t n = 0;
  uint32_t min = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    n = 2;
    min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    n = 3;
    min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    n = 4;
    min = 0x10000;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  uint32_t cp = lead & (0xFF >> (n + 1));
  for (size_t k = 1; k < n; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i + k) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

uint32_t DecodeAt(std::string_view s, size_t i, size_t n) {
  const auto lead = static_cast<unsigned char>(s[i]);
  if (n == 1) return lead;
  uint32_t cp = lead & (0xFF >> (n + 1));
  for (size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
  return cp;
}

void AppendU(std::string& out, uint32_t unit) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "\\u%04x", unit);
  out += buffer;
}

bool AppendSimpleEscape(std::string& out, unsigned char c) {
  switch (c) {
    case '"':
      out += "\\\"";
      return true;
    case '\\':
      out += "\\\\";
      return true;
    case '\n':
      out += "\\n";
      return true;
    case '\r':
      out += "\\r";
      return true;
    case '\t':
      out += "\\t";
      return true;
    default:
      if (c < 0x20 || c == 0x7F) {
        AppendU(out, c);
        return true;
      }
      return false;
  }
}

}  // namespace

std::string SampleJsonEscape(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() + 8);
  for (unsigned char c : utf8) {
    if (!AppendSimpleEscape(out, c)) out += static_cast<char>(c);
  }
  return out;
}

std::string SampleUnicodeEscape(std::string_view utf8) {
  const std::string clean = SampleCleanUtf8(utf8, utf8.size());
  std::string out;
  out.reserve(clean.size() * 2);
  size_t i = 0;
  while (i < clean.size()) {
    const size_t n = Utf8SequenceLength(clean, i);
    const uint32_t cp = DecodeAt(clean, i, n);
    i += n;
    if (cp < 0x80) {
      if (!AppendSimpleEscape(out, static_cast<unsigned char>(cp))) out += static_cast<char>(cp);
    } else if (cp < 0x10000) {
      AppendU(out, cp);
    } else {
      AppendU(out, 0xD800 + ((cp - 0x10000) >> 10));
      AppendU(out, 0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
  }
  return out;
}

std::string SampleDecimal(int64_t hundredths) {
  const bool negative = hundredths < 0;
  const uint64_t v = negative ? 0 - static_cast<uint64_t>(hundredths) : static_cast<uint64_t>(hundredths);
  std::string out = negative ? "-" : "";
  out += std::to_string(v / 100);
  out += '.';
  const unsigned fraction = static_cast<unsigned>(v % 100);
  out += static_cast<char>('0' + fraction / 10);
  if (fraction % 10 != 0) out += static_cast<char>('0' + fraction % 10);
  return out;
}

std::string SampleCleanUtf8(std::string_view bytes, size_t maxBytes) {
  std::string out;
  size_t i = 0;
  while (i < bytes.size()) {
    const size_t n = Utf8SequenceLength(bytes, i);
    const size_t take = n == 0 ? 1 : n;
    if (out.size() + take > maxBytes) break;
    if (n == 0) {
      out += '?';
    } else {
      out.append(bytes.data() + i, n);
    }
    i += take;
  }
  return out;
}
