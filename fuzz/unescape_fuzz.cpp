// UnescapeText, PercentUnescape and HexToInt64 over any keyword text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "text/unescape.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const Text text = BytesToText(bytes);

  const Text decoded = UnescapeText(text);
  FUZZ_CHECK(decoded.find('\0') == Text::npos);

  const Text percent = PercentUnescape(text);
  FUZZ_CHECK(percent.find('\0') == Text::npos);
  if (text.find('%') == Text::npos) FUZZ_CHECK(percent == text);

  // Each character of the result stands for at least one byte of the text,
  // and "%u" escapes (six bytes) give at most two GBK bytes.
  FUZZ_CHECK(percent.size() <= text.size());

  (void)HexToInt64(bytes);
  return 0;
}
