// The header and cookie rules of the fetchers over any header block and
// cookie texts.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "net/headers_cookies.h"
#include "text/text_ops.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  Text cookies = BytesToText(input.ConsumeRandomLengthString(512));
  Text newCookies = BytesToText(input.ConsumeRandomLengthString(512));
  const Text left = BytesToText(input.ConsumeRandomLengthString(16));
  const Text right = BytesToText(input.ConsumeRandomLengthString(16));
  const int start = input.ConsumeIntegralInRange<int>(-2, 64);
  const bool caseInsensitive = input.ConsumeBool();
  const Text block = BytesToText(input.ConsumeRemainingBytesAsString());

  const Text normalized = NormalizeSetCookie(block);
  FUZZ_CHECK(normalized.size() == block.size());
  const Text collected = CollectSetCookies(normalized);
  (void)collected;

  // The text between is always a piece of the block itself.
  const Text between = TextBetween(block, left, right, start, caseInsensitive);
  if (!between.empty()) FUZZ_CHECK(block.find(between) != Text::npos);
  for (const Text& line : {block, left, right}) {
    const Text name = HeaderName(line);
    const Text value = HeaderValue(line);
    if (line.find(':') == Text::npos) {
      FUZZ_CHECK(name.empty() && value.empty());
    } else {
      FUZZ_CHECK(name.size() + value.size() < line.size());
    }
  }

  const Text merged = MergeCookies(cookies, newCookies);
  // No blank is left, read as GBK: a byte after a lead byte is not one.
  FUZZ_CHECK(RemoveBlanks(cookies) == cookies);
  FUZZ_CHECK(RemoveBlanks(newCookies) == newCookies);
  if (!newCookies.empty()) {
    // Rebuilt from name=value pairs, each closed by ";".
    FUZZ_CHECK(merged == cookies);
    FUZZ_CHECK(merged.empty() || merged.back() == ';');
    FUZZ_CHECK(Find(merged, ";;") < 0);  // read as GBK, like the merge itself
  } else {
    FUZZ_CHECK(merged == cookies);
  }
  (void)CookieName(block);
  (void)CookieValue(block);
  return 0;
}
