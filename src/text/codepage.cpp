#include "text/codepage.h"

#include <emmintrin.h>
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>

// GBK here is code page 936 as glibc's iconv knows it ("CP936"). The two
// directions are table-driven: the tables are read off iconv once, at first
// use, so the conversions agree with it character for character while a
// reply of mostly ASCII converts at memory speed instead of iconv's.
namespace {

struct GbkTables {
  uint16_t toUnicode[65536] = {};    // (lead << 8 | trail) -> BMP code point; 0 = unmapped
  uint16_t fromUnicode[65536] = {};  // BMP code point -> GBK code (1 or 2 bytes); 0 = unmapped
  uint16_t byte80 = 0;               // the one single byte above ASCII that maps (the euro sign)
};

const GbkTables& Tables() {
  static const std::unique_ptr<GbkTables> tables = [] {
    auto t = std::make_unique<GbkTables>();
    iconv_t cd = iconv_open("UTF-16LE", "CP936");
    auto convert = [&](const char* in, size_t inLength) -> uint16_t {
      char out[8];
      char* inPtr = const_cast<char*>(in);
      char* outPtr = out;
      size_t inLeft = inLength, outLeft = sizeof out;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0 || outPtr - out != 2)
        return 0;
      return static_cast<uint16_t>(static_cast<uint8_t>(out[0]) | static_cast<uint8_t>(out[1]) << 8);
    };
    if (cd != reinterpret_cast<iconv_t>(-1)) {
      const char single = static_cast<char>(0x80);
      t->byte80 = convert(&single, 1);
      for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
          if (trail == 0x7F) continue;
          const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
          const uint16_t unit = convert(pair, 2);
          if (unit == 0 || (unit >= 0xD800 && unit <= 0xDFFF)) continue;
          t->toUnicode[lead << 8 | trail] = unit;
          if (t->fromUnicode[unit] == 0) t->fromUnicode[unit] = static_cast<uint16_t>(lead << 8 | trail);
        }
      }
      iconv_close(cd);
    }
    if (t->byte80 != 0) t->fromUnicode[t->byte80] = 0x80;
    return t;
  }();
  return *tables;
}

size_t UntilZero(std::string_view s) {
  const void* zero = std::memchr(s.data(), 0, s.size());
  return zero ? static_cast<const char*>(zero) - s.data() : s.size();
}

// Bytes of slack an output buffer keeps for CopyAscii's whole-block stores.
constexpr size_t kAsciiSlack = 16;

// Copies the ASCII run that starts at in[i] to `out` and advances both past
// it. Sixteen bytes are stored at a time, including the first bytes after the
// run, which the caller then overwrites: `out` needs kAsciiSlack bytes of
// room beyond what it will finally hold.
[[gnu::always_inline]] inline void CopyAscii(const unsigned char* in, size_t& i, size_t n, char*& out) {
  while (i + 16 <= n) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), block);
    const int mask = _mm_movemask_epi8(block);
    if (mask != 0) {
      const size_t run = static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
      i += run;
      out += run;
      return;
    }
    i += 16;
    out += 16;
  }
  while (i < n && in[i] < 0x80) *out++ = static_cast<char>(in[i++]);
}

// Decodes one UTF-8 sequence at in[i]; returns its length, or 0 when it is
// not a valid (shortest-form, non-surrogate) sequence.
size_t DecodeUtf8(const unsigned char* in, size_t i, size_t n, uint32_t& cp) {
  const unsigned char b = in[i];
  size_t length;
  uint32_t min;
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2, cp = b & 0x1F, min = 0x80;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3, cp = b & 0x0F, min = 0x800;
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4, cp = b & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + length > n) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((in[i + k] & 0xC0) != 0x80) return 0;
    cp = cp << 6 | (in[i + k] & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | cp >> 18);
    out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Writes the GBK form of cp at `out` (room for two bytes) and returns the end.
char* PutGbk(char* out, uint32_t cp, const GbkTables& t) {
  const uint16_t code = cp < 0x80 ? static_cast<uint16_t>(cp) : cp <= 0xFFFF ? t.fromUnicode[cp] : 0;
  if (cp != 0 && code == 0) {
    *out++ = '?';
  } else if (code < 0x100) {
    *out++ = static_cast<char>(code);
  } else {
    *out++ = static_cast<char>(code >> 8);
    *out++ = static_cast<char>(code & 0xFF);
  }
  return out;
}

void AppendGbk(std::string& out, uint32_t cp, const GbkTables& t) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
    return;
  }
  const uint16_t code = cp <= 0xFFFF ? t.fromUnicode[cp] : 0;
  if (code == 0) {
    out += '?';
  } else if (code < 0x100) {
    out += static_cast<char>(code);
  } else {
    out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
  }
}

// Decodes one GBK character at in[i] (not ASCII); returns its length and
// sets cp to the code point, or to '?' when the bytes do not form one.
size_t DecodeGbk(const unsigned char* in, size_t i, size_t n, const GbkTables& t, uint32_t& cp) {
  const unsigned char b = in[i];
  if (b == 0x80) {
    cp = t.byte80 ? t.byte80 : '?';
    return 1;
  }
  if (b == 0xFF || i + 1 >= n || in[i + 1] < 0x40 || in[i + 1] == 0x7F || in[i + 1] == 0xFF) {
    cp = '?';
    return 1;
  }
  const uint16_t unit = t.toUnicode[b << 8 | in[i + 1]];
  cp = unit ? unit : '?';
  return 2;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  const GbkTables& t = Tables();
  const auto* in = reinterpret_cast<const unsigned char*>(gbk.data());
  const size_t n = UntilZero(gbk);
  // A GBK character of two bytes is at most three in UTF-8; one byte at most three ('?' or the euro sign).
  std::string out(n * 3 + kAsciiSlack, '\0');
  char* o = out.data();
  size_t i = 0;
  while (i < n) {
    if (in[i] < 0x80) {
      CopyAscii(in, i, n, o);
      continue;
    }
    uint32_t cp;
    i += DecodeGbk(in, i, n, t, cp);
    if (cp < 0x80) {
      *o++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
      *o++ = static_cast<char>(0xC0 | cp >> 6);
      *o++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      *o++ = static_cast<char>(0xE0 | cp >> 12);
      *o++ = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
      *o++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  out.resize(static_cast<size_t>(o - out.data()));
  return out;
}

Text Utf8ToGbk(std::string_view utf8) {
  const GbkTables& t = Tables();
  const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
  const size_t n = UntilZero(utf8);
  // Never longer than the input: each UTF-8 sequence of k bytes gives at most k bytes.
  Text out(n + kAsciiSlack, '\0');
  char* o = out.data();
  size_t i = 0;
  while (i < n) {
    if (in[i] < 0x80) {
      CopyAscii(in, i, n, o);
      continue;
    }
    // Chinese text is three-byte sequences: take them without the general decoder.
    if ((in[i] & 0xF0) == 0xE0 && i + 2 < n && (in[i + 1] & 0xC0) == 0x80 && (in[i + 2] & 0xC0) == 0x80) {
      const uint32_t cp = (in[i] & 0x0Fu) << 12 | (in[i + 1] & 0x3Fu) << 6 | (in[i + 2] & 0x3Fu);
      if (cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF)) {
        const uint16_t code = t.fromUnicode[cp];
        if (code > 0xFF) {
          o[0] = static_cast<char>(code >> 8);
          o[1] = static_cast<char>(code & 0xFF);
          o += 2;
          i += 3;
          continue;
        }
      }
    }
    uint32_t cp;
    const size_t length = DecodeUtf8(in, i, n, cp);
    o = PutGbk(o, length ? cp : '?', t);
    i += length ? length : 1;
  }
  out.resize(static_cast<size_t>(o - out.data()));
  return out;
}

std::u16string GbkToUtf16(std::string_view gbk) { return TextToUtf16(gbk, kCodePageGbk); }

Text Utf16ToGbk(std::u16string_view utf16) { return Utf16ToText(utf16, kCodePageGbk); }

std::u16string TextToUtf16(std::string_view text, int codePage) {
  std::u16string out;
  auto emit = [&](uint32_t cp) {
    if (cp < 0x10000) {
      out += static_cast<char16_t>(cp);
    } else {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 | cp >> 10);
      out += static_cast<char16_t>(0xDC00 | (cp & 0x3FF));
    }
  };
  const auto* in = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = UntilZero(text);
  out.reserve(n);
  size_t i = 0;
  if (codePage == kCodePageUtf8) {
    while (i < n) {
      uint32_t cp = in[i];
      size_t length = 1;
      if (cp >= 0x80) {
        length = DecodeUtf8(in, i, n, cp);
        if (length == 0) length = 1, cp = 0xFFFD;
      }
      emit(cp);
      i += length;
    }
  } else {
    const GbkTables& t = Tables();
    while (i < n) {
      uint32_t cp = in[i];
      size_t length = 1;
      if (cp >= 0x80) length = DecodeGbk(in, i, n, t, cp);
      emit(cp);
      i += length;
    }
  }
  return out;
}

std::string Utf16ToText(std::u16string_view utf16, int codePage) {
  const GbkTables& t = Tables();
  std::string out;
  out.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size() && utf16[i] != 0; ++i) {
    uint32_t cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = codePage == kCodePageUtf8 ? 0xFFFD : '?';
    }
    if (codePage == kCodePageUtf8) {
      AppendUtf8(out, cp);
    } else {
      AppendGbk(out, cp, t);
    }
  }
  return out;
}

bool CharsetToGbk(std::string_view bytes, const std::string& charset, Text& out) {
  const size_t n = UntilZero(bytes);
  std::string lower;
  for (char c : charset) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  if (lower == "utf-8" || lower == "utf8") {
    out = Utf8ToGbk(bytes.substr(0, n));
    return true;
  }
  iconv_t cd = iconv_open("UTF-8", charset.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::string utf8;
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = n;
  char buffer[4096];
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    const size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    utf8.append(buffer, outPtr - buffer);
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      // An invalid or unconvertible sequence: one "?" and go on after it.
      utf8 += '?';
      ++in;
      --inLeft;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  out = Utf8ToGbk(utf8);
  return true;
}
