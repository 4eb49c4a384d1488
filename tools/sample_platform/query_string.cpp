#include "sample_platform/query_string.h"

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string SamplePercentDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '+') {
      out += ' ';
    } else if (c == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

SampleQuery::SampleQuery(std::string_view query) {
  size_t start = 0;
  while (start <= query.size()) {
    size_t end = query.find('&', start);
    if (end == std::string_view::npos) end = query.size();
    const std::string_view piece = query.substr(start, end - start);
    if (!piece.empty()) {
      const size_t eq = piece.find('=');
      if (eq == std::string_view::npos) {
        pairs_.emplace_back(SamplePercentDecode(piece), "");
      } else {
        pairs_.emplace_back(SamplePercentDecode(piece.substr(0, eq)), SamplePercentDecode(piece.substr(eq + 1)));
      }
    }
    start = end + 1;
  }
}

std::string SampleQuery::Get(std::string_view key) const {
  for (const auto& [k, v] : pairs_) {
    if (k == key) return v;
  }
  return "";
}

bool SampleQuery::Has(std::string_view key) const {
  for (const auto& pair : pairs_) {
    if (pair.first == key) return true;
  }
  return false;
}

std::optional<int64_t> SampleQuery::Number(std::string_view key) const {
  const std::string value = Get(key);
  size_t i = 0;
  while (i < value.size() && (value[i] == ' ' || value[i] == '\t')) ++i;
  bool negative = false;
  if (i < value.size() && (value[i] == '-' || value[i] == '+')) negative = value[i++] == '-';
  if (i >= value.size() || value[i] < '0' || value[i] > '9') return std::nullopt;
  int64_t n = 0;
  for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
    n = n * 10 + (value[i] - '0');
    if (n > 2147483647) n = 2147483647;
  }
  return negative ? -n : n;
}

int64_t SampleQuery::NumberOr(std::string_view key, int64_t fallback) const { return Number(key).value_or(fallback); }
