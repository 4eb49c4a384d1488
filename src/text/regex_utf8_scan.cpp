#include "text/regex_utf8_scan.h"

#include <cstdint>
#include <cstring>

// Replies are mostly ASCII; eight bytes are looked at in one step while
// none has its top bit set.
static size_t AsciiPrefixLength(const unsigned char* data, size_t size) {
  size_t i = 0;
  while (i + 8 <= size) {
    uint64_t block;
    std::memcpy(&block, data + i, 8);
    if (block & 0x8080808080808080ull) break;
    i += 8;
  }
  while (i < size && data[i] < 0x80) ++i;
  return i;
}

bool IsValidUtf8(std::string_view text) {
  const auto* data = reinterpret_cast<const unsigned char*>(text.data());
  const size_t size = text.size();
  size_t i = 0;
  while (i < size) {
    i += AsciiPrefixLength(data + i, size - i);
    if (i >= size) break;
    unsigned char lead = data[i];
    size_t length;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;   // overlong
      if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;   // overlong
      if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
      return false;
    }
    if (size - i < length) return false;
    if (data[i + 1] < low || data[i + 1] > high) return false;
    for (size_t k = 2; k < length; ++k) {
      if ((data[i + k] & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

size_t Utf8SequenceLength(std::string_view text, size_t offset) {
  if (offset >= text.size()) return 1;
  auto lead = static_cast<unsigned char>(text[offset]);
  size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  return length <= text.size() - offset ? length : text.size() - offset;
}

bool IsAscii(std::string_view text) {
  return AsciiPrefixLength(reinterpret_cast<const unsigned char*>(text.data()), text.size()) == text.size();
}

size_t Utf16Length(std::string_view text) {
  size_t units = 0;
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) != 0x80) ++units;  // a lead byte or ASCII starts a character
    if (byte >= 0xF0) ++units;           // four-byte characters need a surrogate pair
  }
  return units;
}
