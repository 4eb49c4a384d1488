// UrlDecode over any reply body, and its round trip with UrlEncode.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "text/url_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A reply is read as text up to its first zero byte.
  const Text text = BytesToText(std::string_view(reinterpret_cast<const char*>(data), size));

  const Text page = UrlDecode(text, true);
  FUZZ_CHECK(page.find('\0') == Text::npos);

  const Text bytes = UrlDecode(text, false);
  FUZZ_CHECK(bytes.find('\0') == Text::npos);
  FUZZ_CHECK(bytes.size() <= text.size());
  if (text.find('%') == Text::npos) FUZZ_CHECK(bytes == text);

  // Encoding the GBK bytes as they are and decoding them gives them back.
  FUZZ_CHECK(UrlDecode(UrlEncode(text, true, false), false) == text);
  FUZZ_CHECK(UrlDecode(UrlEncode(text, false, false), false) == text);
  return 0;
}
