#include "text/text_ops.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

bool IsLead(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// Length of the character at byte i: 2 for a lead byte with a byte after it.
size_t CharLength(std::string_view text, size_t i) {
  return IsLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool EqualAt(std::string_view text, size_t at, std::string_view what, bool ignoreCase) {
  if (!ignoreCase) return std::memcmp(text.data() + at, what.data(), what.size()) == 0;
  for (size_t k = 0; k < what.size(); ++k)
    if (FoldAscii(text[at + k]) != FoldAscii(what[k])) return false;
  return true;
}

// Zero-based offset of the first `what` at or after `from` that starts on a
// character boundary, or npos. Boundaries are counted from the text's start.
size_t FindOnBoundary(std::string_view text, std::string_view what, size_t from, bool ignoreCase) {
  if (what.empty() || what.size() > text.size()) return std::string_view::npos;
  size_t boundary = 0;
  for (size_t at = from; at + what.size() <= text.size();) {
    if (ignoreCase) {
      while (at + what.size() <= text.size() && !EqualAt(text, at, what, true)) ++at;
      if (at + what.size() > text.size()) return std::string_view::npos;
    } else {
      at = text.find(what, at);
      if (at == std::string_view::npos) return at;
    }
    while (boundary < at) boundary += CharLength(text, boundary);
    if (boundary == at) return at;
    ++at;
  }
  return std::string_view::npos;
}

bool IsAsciiSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

int Find(std::string_view text, std::string_view what, int start, bool ignoreCase) {
  const size_t from = start < 1 ? 0 : static_cast<size_t>(start - 1);
  if (from > text.size()) return -1;
  const size_t at = FindOnBoundary(text, what, from, ignoreCase);
  return at == std::string_view::npos ? -1 : static_cast<int>(at + 1);
}

bool Contains(std::string_view text, std::string_view what, bool ignoreCase) {
  return Find(text, what, 1, ignoreCase) > 0;
}

Text Left(std::string_view text, int length) {
  if (length <= 0) return {};
  return Text(text.substr(0, static_cast<size_t>(length)));
}

Text Right(std::string_view text, int length) {
  if (length <= 0) return {};
  const size_t n = std::min(text.size(), static_cast<size_t>(length));
  return Text(text.substr(text.size() - n));
}

Text Mid(std::string_view text, int start, int length) {
  if (length <= 0) return {};
  const size_t from = start < 1 ? 0 : static_cast<size_t>(start - 1);
  if (from >= text.size()) return {};
  return Text(text.substr(from, static_cast<size_t>(length)));
}

Text TrimLeft(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ') {
      ++i;
    } else if (i + 1 < text.size() && static_cast<unsigned char>(text[i]) == 0xA1 &&
               static_cast<unsigned char>(text[i + 1]) == 0xA1) {
      i += 2;
    } else {
      break;
    }
  }
  return Text(text.substr(i));
}

Text TrimRight(std::string_view text) {
  // Walk the characters once, remembering where the trailing run of blanks began.
  size_t keep = 0;
  for (size_t i = 0; i < text.size();) {
    const size_t length = CharLength(text, i);
    const bool blank = (length == 1 && text[i] == ' ') || (length == 2 && static_cast<unsigned char>(text[i]) == 0xA1 &&
                                                           static_cast<unsigned char>(text[i + 1]) == 0xA1);
    i += length;
    if (!blank) keep = i;
  }
  return Text(text.substr(0, keep));
}

Text Trim(std::string_view text) { return TrimRight(TrimLeft(text)); }

Text RemoveBlanks(std::string_view text) {
  Text out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t length = CharLength(text, i);
    const bool blank = (length == 1 && text[i] == ' ') || (length == 2 && static_cast<unsigned char>(text[i]) == 0xA1 &&
                                                           static_cast<unsigned char>(text[i + 1]) == 0xA1);
    if (!blank) out.append(text.substr(i, length));
    i += length;
  }
  return out;
}

Text ReplaceAll(std::string_view text, std::string_view from, std::string_view to, bool ignoreCase) {
  if (from.empty()) return Text(text);
  Text out;
  out.reserve(text.size());
  size_t i = 0;
  for (;;) {
    const size_t at = FindOnBoundary(text, from, i, ignoreCase);
    if (at == std::string_view::npos) break;
    out.append(text.substr(i, at - i));
    out.append(to);
    i = at + from.size();
  }
  out.append(text.substr(i));
  return out;
}

Text ToLowerAscii(std::string_view text) {
  Text out(text);
  for (char& c : out) c = FoldAscii(c);
  return out;
}

Text ToUpperAscii(std::string_view text) {
  Text out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return out;
}

std::vector<Text> Split(std::string_view text, std::string_view separator) {
  std::vector<Text> pieces;
  if (text.empty()) return pieces;
  if (separator.empty()) return {Text(text)};
  size_t i = 0;
  for (;;) {
    const size_t at = FindOnBoundary(text, separator, i, false);
    if (at == std::string_view::npos) {
      if (i < text.size()) pieces.emplace_back(text.substr(i));
      return pieces;
    }
    pieces.emplace_back(text.substr(i, at - i));
    i = at + separator.size();
  }
}

int64_t ToInt64(std::string_view text) {
  // Full-width forms in GBK: blank A1A1, plus A3AB, minus A3AD, digits A3B0-A3B9.
  auto fullWidth = [&](size_t i, unsigned char second) {
    return i + 1 < text.size() && static_cast<unsigned char>(text[i]) == (second == 0xA1 ? 0xA1 : 0xA3) &&
           static_cast<unsigned char>(text[i + 1]) == second;
  };
  size_t i = 0;
  for (;;) {
    if (i < text.size() && IsAsciiSpace(static_cast<unsigned char>(text[i]))) {
      ++i;
    } else if (fullWidth(i, 0xA1)) {
      i += 2;
    } else {
      break;
    }
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  } else if (fullWidth(i, 0xAB) || fullWidth(i, 0xAD)) {
    negative = static_cast<unsigned char>(text[i + 1]) == 0xAD;
    i += 2;
  }
  constexpr uint64_t kLimit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
  uint64_t value = 0;
  for (;;) {
    int digit;
    if (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      digit = text[i] - '0';
      ++i;
    } else if (i + 1 < text.size() && static_cast<unsigned char>(text[i]) == 0xA3 &&
               static_cast<unsigned char>(text[i + 1]) >= 0xB0 && static_cast<unsigned char>(text[i + 1]) <= 0xB9) {
      digit = static_cast<unsigned char>(text[i + 1]) - 0xB0;
      i += 2;
    } else {
      break;
    }
    value = value > (kLimit + 1) / 10 ? kLimit + 1 : std::min<uint64_t>(value * 10 + digit, kLimit + 1);
  }
  if (negative) return value > kLimit ? std::numeric_limits<int64_t>::min() : -static_cast<int64_t>(value);
  return value > kLimit ? std::numeric_limits<int64_t>::max() : static_cast<int64_t>(value);
}

int ToInt(std::string_view text) {
  const int64_t value = ToInt64(text);
  return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

Text IntToText(int64_t value) { return std::to_string(value); }
