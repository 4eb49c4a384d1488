// The union run's extraction of eleven fields from one result page, with
// RegexMatcher and with a hand-written scan that pulls the same fields out
// with memmem, side by side.
//   all_included: a fresh matcher per page, so the page is converted and
//                 checked once and every capture read is converted back;
//   cached_subject: the same matcher over the same page, i.e. the matching
//                 alone (the conversion is reused);
//   hand_scan:    memmem for each field's left text and its terminator.
// Pages: 40 items (~50 KB), 96 items (~120 KB), and 40 items whose replies
// lack the terminator of the 30-day sales pattern.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "affiliate_reply_maker.h"
#include "net/remote_hosts.h"
#include "text/regex_matcher.h"
#include "text/url_encoding.h"

struct Field {
  Text pattern;
  std::string left;
  std::string right;
};

static const std::vector<Field>& Fields() {
  static const std::vector<Field> fields = {
      {"nick\":\"(.*?)\",\"", "nick\":\"", "\",\""},
      {"g\",\"title\":\"(.*?)\",\"", "g\",\"title\":\"", "\",\""},
      {std::string("http://") + kItemHost + "/item.htm\\?id=(.*?)\",\"",
       std::string("http://") + kItemHost + "/item.htm?id=", "\",\""},
      {"totalNum\":(.*?),\"", "totalNum\":", ",\""},
      {"totalFee\":(.*?),\"", "totalFee\":", ",\""},
      {"biz30day\":(.*?),\"rlRate", "biz30day\":", ",\"rlRate"},
      {"zkPrice\":(.*?),", "zkPrice\":", ","},
      {"tkCommFee\":(.*?),\"", "tkCommFee\":", ",\""},
      {"tkRate\":(.*?),\"tkCommFe", "tkRate\":", ",\"tkCommFe"},
      {"pictUrl\":\"(.*?)\",", "pictUrl\":\"", "\","},
      {"\"dayLeft\":(.*?),\"", "\"dayLeft\":", ",\""},
  };
  return fields;
}

using PageFields = std::vector<std::vector<Text>>;

static std::string Reply(int64_t kind) {
  AffiliateReplyShape shape;
  shape.items = kind == 1 ? 96 : 40;
  shape.withoutRlRate = kind == 2;
  return MakeAffiliateReply(shape);
}

// The page text as the run matches it: the reply after UrlDecode, in GBK.
static Text Page(int64_t kind) { return UrlDecode(Reply(kind), true); }

static void ExtractWithMatcher(RegexMatcher& matcher, const Text& page, PageFields& out) {
  const std::vector<Field>& fields = Fields();
  out.resize(fields.size());
  for (size_t f = 0; f < fields.size(); ++f) {
    out[f].clear();
    matcher.Match(fields[f].pattern, page);
    const int count = matcher.MatchCount();
    for (int i = 1; i <= count; ++i) out[f].push_back(matcher.SubMatchText(i, 1));
  }
}

static void ExtractByHand(const Text& page, PageFields& out) {
  const std::vector<Field>& fields = Fields();
  out.resize(fields.size());
  const char* begin = page.data();
  const char* end = begin + page.size();
  for (size_t f = 0; f < fields.size(); ++f) {
    out[f].clear();
    const std::string& left = fields[f].left;
    const std::string& right = fields[f].right;
    const char* at = begin;
    while (true) {
      auto* found = static_cast<const char*>(memmem(at, end - at, left.data(), left.size()));
      if (!found) break;
      const char* value = found + left.size();
      auto* stop = static_cast<const char*>(memmem(value, end - value, right.data(), right.size()));
      if (!stop) break;
      out[f].emplace_back(value, stop);
      at = stop + right.size();
    }
  }
}

static const char* PageName(int64_t kind) {
  return kind == 0 ? "40 items" : kind == 1 ? "96 items" : "40 items, no rlRate";
}

// Both ways must agree before their times mean anything.
static bool SameFields(benchmark::State& state, const Text& page) {
  RegexMatcher matcher;
  PageFields byMatcher, byHand;
  ExtractWithMatcher(matcher, page, byMatcher);
  ExtractByHand(page, byHand);
  if (byMatcher != byHand || byHand[0].empty()) {
    state.SkipWithError("the matcher and the hand scan extract different fields");
    return false;
  }
  state.SetLabel(std::string(PageName(state.range(0))) + ", reply " +
                 std::to_string(Reply(state.range(0)).size() / 1024) + " KB, GBK page " +
                 std::to_string(page.size() / 1024) + " KB");
  return true;
}

static void AllIncluded(benchmark::State& state) {
  const Text page = Page(state.range(0));
  if (!SameFields(state, page)) return;
  PageFields fields;
  for (auto _ : state) {
    RegexMatcher matcher;
    ExtractWithMatcher(matcher, page, fields);
    benchmark::DoNotOptimize(fields.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(AllIncluded)->ArgName("page")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

static void CachedSubject(benchmark::State& state) {
  const Text page = Page(state.range(0));
  if (!SameFields(state, page)) return;
  RegexMatcher matcher;
  PageFields fields;
  ExtractWithMatcher(matcher, page, fields);
  for (auto _ : state) {
    ExtractWithMatcher(matcher, page, fields);
    benchmark::DoNotOptimize(fields.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(CachedSubject)->ArgName("page")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// The same without reading the captures: what the matching itself costs
// beside turning the captures back into GBK.
static void CachedSubjectNoReads(benchmark::State& state) {
  const Text page = Page(state.range(0));
  if (!SameFields(state, page)) return;
  RegexMatcher matcher;
  for (auto _ : state) {
    int total = 0;
    for (const Field& field : Fields()) {
      matcher.Match(field.pattern, page);
      total += matcher.MatchCount();
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(CachedSubjectNoReads)->ArgName("page")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

static void HandScan(benchmark::State& state) {
  const Text page = Page(state.range(0));
  if (!SameFields(state, page)) return;
  PageFields fields;
  for (auto _ : state) {
    ExtractByHand(page, fields);
    benchmark::DoNotOptimize(fields.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(HandScan)->ArgName("page")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
