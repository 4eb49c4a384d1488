// Decoding of a whole affiliate reply, as the search runs do on every page:
// UrlDecode from UTF-8 to GBK, the matcher's GbkToUtf8 of the result, and a
// plain memcpy of the same bytes as the yardstick. Bytes per second of each
// are read from one run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "affiliate_reply_maker.h"
#include "text/codepage.h"
#include "text/url_encoding.h"

// About 100 KB; argument 1 adds "%" signs and escapes to the reply.
static std::string Reply(int64_t withPercent) {
  AffiliateReplyShape shape;
  shape.items = 80;
  shape.percentSigns = withPercent != 0;
  return MakeAffiliateReply(shape);
}

static void UrlDecodeReply(benchmark::State& state) {
  const std::string reply = Reply(state.range(0));
  for (auto _ : state) {
    Text page = UrlDecode(reply, true);
    benchmark::DoNotOptimize(page.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * reply.size()));
  state.counters["reply_bytes"] = static_cast<double>(reply.size());
}
BENCHMARK(UrlDecodeReply)->ArgName("percent")->Arg(0)->Arg(1);

static void GbkToUtf8OfDecodedReply(benchmark::State& state) {
  const Text page = UrlDecode(Reply(state.range(0)), true);
  for (auto _ : state) {
    std::string utf8 = GbkToUtf8(page);
    benchmark::DoNotOptimize(utf8.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
  state.counters["page_bytes"] = static_cast<double>(page.size());
}
BENCHMARK(GbkToUtf8OfDecodedReply)->ArgName("percent")->Arg(0)->Arg(1);

static void MemcpyOfReply(benchmark::State& state) {
  const std::string reply = Reply(state.range(0));
  std::string copy(reply.size(), '\0');
  for (auto _ : state) {
    std::memcpy(copy.data(), reply.data(), reply.size());
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * reply.size()));
}
BENCHMARK(MemcpyOfReply)->ArgName("percent")->Arg(0)->Arg(1);

BENCHMARK_MAIN();
