#pragma once
// The query of a request address, taken apart into keys and decoded values.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class SampleQuery {
 public:
  // `query` is the text after "?" (without it). Values are percent-decoded
  // ("+" reads as a blank, as form encoding has it); keys are kept as written.
  explicit SampleQuery(std::string_view query);

  // The value of the first occurrence of `key` (case-sensitive), "" when absent.
  std::string Get(std::string_view key) const;
  bool Has(std::string_view key) const;
  // The leading whole number of the value (after blanks and an optional
  // sign); nothing when the value is absent or has no digits. Limited to
  // the 32-bit range so that hostile values cannot overflow anything.
  std::optional<int64_t> Number(std::string_view key) const;
  int64_t NumberOr(std::string_view key, int64_t fallback) const;

  const std::vector<std::pair<std::string, std::string>>& Pairs() const { return pairs_; }

 private:
  std::vector<std::pair<std::string, std::string>> pairs_;
};

// Undoes "%XX" escapes; "+" becomes a blank. A broken escape stays as written.
std::string SamplePercentDecode(std::string_view text);
