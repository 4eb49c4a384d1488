#include "text/unescape.h"

#include <optional>

#include "text/codepage.h"
#include "text/text_ops.h"

// The keyword decoders of the ranking and category tools. A keyword text is
// read as the body of a single-quoted script string literal (so "\/", "\""
// and "\\" resolve), then passed through the script `unescape` ("%uXXXX",
// "%XX"). Both steps follow the old script engine that the program was
// written against, including the inputs it refuses; a refused literal falls
// back to PercentUnescape.

static bool IsHexDigit(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

static int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// `count` hexadecimal digits at `at`, or -1 when there are fewer.
static int ReadHex(std::u16string_view text, size_t at, size_t count) {
  if (at > text.size() || text.size() - at < count) return -1;
  int value = 0;
  for (size_t k = 0; k < count; ++k) {
    if (!IsHexDigit(text[at + k])) return -1;
    value = value * 16 + HexValue(text[at + k]);
  }
  return value;
}

static bool IsLineTerminator(char16_t c) { return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029; }

static bool IsOctalDigit(char16_t c) { return c >= u'0' && c <= u'7'; }

// What a backslash and `letter` stand for when they stand for one fixed
// character; 0 otherwise. The old engine never knew "\v": it reads as a
// plain "v".
static char16_t SingleCharacterEscape(char16_t letter) {
  constexpr std::u16string_view kLetters = u"bfnrtv";
  constexpr std::u16string_view kValues = u"\b\f\n\r\tv";
  const size_t at = kLetters.find(letter);
  return at == std::u16string_view::npos ? 0 : kValues[at];
}

// The value of a script string literal whose body is `body`, or nothing when
// the engine refuses it: a raw line break, a closing quote, a malformed
// "\x" or "\u" escape, or a backslash at the very end.
static std::optional<std::u16string> ReadStringLiteral(std::u16string_view body) {
  std::u16string value;
  value.reserve(body.size());
  size_t i = 0;
  while (i < body.size()) {
    char16_t c = body[i];
    if (IsLineTerminator(c) || c == u'\'') return std::nullopt;
    if (c != u'\\') {
      value += c;
      ++i;
      continue;
    }
    if (i + 1 >= body.size()) return std::nullopt;  // the backslash would escape the closing quote
    char16_t e = body[i + 1];
    i += 2;
    if (char16_t fixed = SingleCharacterEscape(e)) {
      value += fixed;
      continue;
    }
    switch (e) {
      case u'x':
      case u'u': {
        const size_t digits = e == u'x' ? 2 : 4;
        int code = ReadHex(body, i, digits);
        if (code < 0) return std::nullopt;
        value += static_cast<char16_t>(code);
        i += digits;
        break;
      }
      case u'\r':
        // A backslash before a line break continues the literal on the next
        // line and adds nothing; CR LF counts as one break.
        if (i < body.size() && body[i] == u'\n') ++i;
        break;
      case u'\n':
      case 0x2028:
      case 0x2029:
        break;
      default:
        if (IsOctalDigit(e)) {
          // Legacy octal escapes: up to three digits while the value stays
          // within \377, so "\08" is a zero character and "8", "\400" is a
          // space and "0".
          int code = e - u'0';
          size_t maxDigits = e <= u'3' ? 3 : 2;
          for (size_t digits = 1; digits < maxDigits && i < body.size() && IsOctalDigit(body[i]); ++digits, ++i) {
            code = code * 8 + (body[i] - u'0');
          }
          value += static_cast<char16_t>(code);
        } else {
          value += e;  // any other character, "8" and "9" included, stands for itself
        }
        break;
    }
  }
  return value;
}

// The script `unescape`: "%u" and exactly four hexadecimal digits, or "%"
// and exactly two; any other "%" stays.
static std::u16string ScriptUnescape(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == u'%') {
      if (i + 1 < text.size() && text[i + 1] == u'u') {
        int code = ReadHex(text, i + 2, 4);
        if (code >= 0) {
          out += static_cast<char16_t>(code);
          i += 5;
          continue;
        }
      }
      int code = ReadHex(text, i + 1, 2);
      if (code >= 0) {
        out += static_cast<char16_t>(code);
        i += 2;
        continue;
      }
    }
    out += c;
  }
  return out;
}

static Text CodeUnitToGbk(int64_t unit) {
  char16_t c = static_cast<char16_t>(unit);
  return Utf16ToGbk(std::u16string_view(&c, 1));
}

static bool IsHexByte(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

static bool AllHex(std::string_view text) {
  for (char c : text) {
    if (!IsHexByte(c)) return false;
  }
  return true;
}

Text UnescapeText(const Text& text) {
  static const Text kLineBreakMarker = "{$}";
  static const Text kRightQuote = Gbk("’");
  // Line breaks would end the script literal; they travel as a marker.
  Text prepared = ReplaceAll(text, "\r\n", kLineBreakMarker);
  if (!prepared.empty() && prepared[0] == '\r') prepared.erase(0, 1);
  prepared = ReplaceAll(prepared, "\\u", "%u");
  // An apostrophe would close the literal early.
  prepared = ReplaceAll(prepared, "'", kRightQuote);

  Text result;
  if (std::optional<std::u16string> literal = ReadStringLiteral(GbkToUtf16(prepared))) {
    result = Utf16ToGbk(ScriptUnescape(*literal));
  }
  if (result.empty()) result = PercentUnescape(prepared);

  result = ReplaceAll(result, kRightQuote, "'");
  return ReplaceAll(result, kLineBreakMarker, "\r\n");
}

Text PercentUnescape(const Text& text) {
  Text out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c != '%') {
      out += c;
      ++i;
      continue;
    }
    size_t after = text.size() - i - 1;  // bytes after the "%"
    if (after >= 5 && text[i + 1] == 'u') {
      // Every "%u" with four hexadecimal digits is decoded; the program
      // once skipped those whose digits read as decimal 0 (such as "%uFF0C"
      // or "%u00E9"), which left valid escapes undecoded.
      std::string_view digits(text.data() + i + 2, 4);
      if (AllHex(digits)) {
        if (int64_t unit = HexToInt64(digits)) out += CodeUnitToGbk(unit);
        i += 6;
      } else {
        out += '%';
        ++i;
      }
      continue;
    }
    // Like the script `unescape`, a "%" without two hexadecimal digits after
    // it stays as it is ("100%", "50%off").
    if (after >= 2 && AllHex(std::string_view(text.data() + i + 1, 2))) {
      if (int64_t unit = HexToInt64(std::string_view(text.data() + i + 1, 2))) out += CodeUnitToGbk(unit);
      i += 3;
      continue;
    }
    out += '%';
    ++i;
  }
  return out;
}

int64_t HexToInt64(std::string_view text) {
  if (text.size() > 16) text = text.substr(text.size() - 16);
  uint64_t value = 0;
  for (char c : text) {
    // A character that is not a hexadecimal digit counts as the digit 0, so
    // every character keeps its place value.
    int digit = IsHexByte(c) ? HexValue(static_cast<unsigned char>(c)) : 0;
    value = value * 16 + static_cast<uint64_t>(digit);
  }
  return static_cast<int64_t>(value);
}
