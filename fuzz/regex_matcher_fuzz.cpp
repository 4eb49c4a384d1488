// RegexMatcher over reply-like input: the program's own field patterns over
// a fuzzed reply, and fuzzed patterns over a fixed reply. Besides crashes and
// sanitizer faults it checks the reads, and for plain ASCII replies compares
// the lazy field patterns with a literal scan.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "text/regex_matcher.h"

struct LiteralField {
  const char* left;
  const char* right;
};

// Field patterns of the form left(.*?)right with no special character in
// left or right: a match is exactly the first right after each left.
static const LiteralField kLiteralFields[] = {
    {"nick\":\"", "\",\""},       {"g\",\"title\":\"", "\",\""}, {"totalNum\":", ",\""},
    {"totalFee\":", ",\""},       {"biz30day\":", ",\"rlRate"},  {"zkPrice\":", ","},
    {"tkCommFee\":", ",\""},      {"tkRate\":", ",\"tkCommFe"},  {"pictUrl\":\"", "\","},
    {"\"dayLeft\":", ",\""},      {"shopTitle\":\"", "\",\""},   {"eventRate\":", ",\""},
    {"auctionUrl\":\"", "\",\""}, {"auctionId\":", ",\""},       {"title\":\"", "\",\""},
};

// The other patterns of the program.
static const char* const kOtherPatterns[] = {
    "http://item.taobao.com/item.htm\\?id=(.*?)\",\"",
    "{\"name\":\"(.*?)\",\"id\":(.*?),",
    "\\[\"(.*?)\",\"",
    "{\"text\":\"(.*?)\",\"value\":\"(.*?)\",\"",
    "q=(.*?)\"},\"col3\":{\"text\":\"(.*?)\"},\"col4\":{\"num\":\"(.*?)\",\"percent\":\"50\"},\"col5\":{\"text\":(.*?),"
    "\"upOrDown\":(.*?)},\"col6\":{\"text\":\"(.*?)\",\"",
    "search\\?q=(.*?)&cat=(.*?)\"},\"col3\":{\"text\":\"(.*?)\"},\"col4\":{\"num\":\"(.*?)\",\"percent\":(.*?)},"
    "\"col5\":{\"text\":(.*?),\"upOrDown",
    "<meta.+?charset=[^\\w]?([-\\w]+)",
};

static const Text& FixedReply() {
  static const Text reply =
      Gbk("{\"data\":{\"pageList\":[{\"nick\":\"小雅时尚女装店\",\"shopTitle\":\"小雅\",\"pictUrl\":\"http://img01."
          "taobaocdn.com/bao/TB1_!!0-item_pic.jpg\",\"title\":\"<span class=H>连衣裙</span>夏季新款 100%桑蚕丝\","
          "\"auctionId\":520011223344,\"auctionUrl\":\"http://item.taobao.com/item.htm?id=520011223344\",\"zkPrice\":"
          "128.5,\"tkRate\":20.5,\"tkCommFee\":26.34,\"eventRate\":null,\"biz30day\":1024,\"rlRate\":33.3,\"totalNum\":"
          "77,\"totalFee\":900.1,\"dayLeft\":12,\"x\":1},\r\n{\"nick\":\"Ｂ店\",\"title\":\"T恤 億俛乗\",\"tkRate\":5,"
          "\"tkCommFee\":1}],\"navigator\":[{\"name\":\"女装\",\"id\":16,\"count\":3},{\"name\":\"男装\",\"id\":30,"
          "\"count\":4}]},\"ok\":true}\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">\n"
          "[\"连衣裙\",\"12\"],[\"连衣裙夏\",\"7\"]\nsearch?q=abc&cat=16\"},\"col3\":{\"text\":\"连衣裙\"},\"col4\":{"
          "\"num\":\"12\",\"percent\":3},\"col5\":{\"text\":1,\"upOrDown");
  return reply;
}

static std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// The values a lazy field pattern finds in an ASCII subject, found with
// plain searches (folding ASCII case unless caseSensitive).
static std::vector<Text> LiteralScan(const Text& subject, const LiteralField& field, bool caseSensitive) {
  std::vector<Text> out;
  const std::string left = caseSensitive ? field.left : Lower(field.left);
  const std::string right = caseSensitive ? field.right : Lower(field.right);
  const std::string folded = caseSensitive ? subject : Lower(subject);
  size_t at = 0;
  while (true) {
    size_t found = folded.find(left, at);
    if (found == Text::npos) break;
    size_t value = found + left.size();
    size_t stop = folded.find(right, value);
    if (stop == Text::npos) break;
    out.push_back(subject.substr(value, stop - value));
    at = stop + right.size();
  }
  return out;
}

// Every read of a finished search stays in range and holds no zero byte.
static void CheckReads(const RegexMatcher& matcher, const Text& subject) {
  const int count = matcher.MatchCount();
  const int groups = matcher.SubMatchCount();
  FUZZ_CHECK(count >= 0 && groups >= 0);
  if (count == 0) FUZZ_CHECK(groups == 0);
  const int shown = count < 64 ? count : 64;
  for (int i = 0; i <= shown + 1; ++i) {
    int position = 0;
    const Text whole = matcher.MatchText(i, &position);
    FUZZ_CHECK(whole.find('\0') == Text::npos);
    FUZZ_CHECK(position == -2 || (position >= 0 && static_cast<size_t>(position) < subject.size()));
    if (i < 1 || i > count) FUZZ_CHECK(whole.empty() && position == -2);
    for (int g = 0; g <= groups + 1 && g < 16; ++g) {
      const Text part = matcher.SubMatchText(i, g, &position);
      FUZZ_CHECK(part.find('\0') == Text::npos);
      FUZZ_CHECK(part.size() <= subject.size());
      FUZZ_CHECK(position == -2 || (position >= 0 && static_cast<size_t>(position) < subject.size()));
    }
  }
  if (count <= 64) {
    const Text replaced = matcher.Replace("[$1|$&|$$|$`$'|$12]");
    FUZZ_CHECK(replaced.find('\0') == Text::npos);
    if (count == 0) FUZZ_CHECK(replaced == subject);
  }
}

static bool IsAscii(const Text& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const int mode = input.ConsumeIntegralInRange<int>(0, 2);
  const bool caseSensitive = input.ConsumeBool();
  const bool multiline = input.ConsumeBool();
  const bool global = input.ConsumeBool();
  const bool quoteMarkers = input.ConsumeBool();
  RegexMatcher matcher;

  if (mode == 0) {
    // The program's patterns over a fuzzed reply, with the options the runs use.
    const Text subject = BytesToText(input.ConsumeRemainingBytesAsString());
    const bool ascii = IsAscii(subject);
    for (const LiteralField& field : kLiteralFields) {
      const Text pattern = std::string(field.left) + "(.*?)" + field.right;
      FUZZ_CHECK(matcher.Match(pattern, subject, caseSensitive));
      CheckReads(matcher, subject);
      if (ascii && !matcher.HitMatchLimit()) {
        std::vector<Text> found;
        for (int i = 1; i <= matcher.MatchCount(); ++i) found.push_back(matcher.SubMatchText(i, 1));
        FUZZ_CHECK(found == LiteralScan(subject, field, caseSensitive));
      }
    }
    for (const char* pattern : kOtherPatterns) {
      FUZZ_CHECK(matcher.Match(pattern, subject, caseSensitive));
      CheckReads(matcher, subject);
    }
    return 0;
  }

  // A fuzzed pattern over the fixed reply, or over a fuzzed one.
  const Text pattern = BytesToText(input.ConsumeRandomLengthString(256));
  const Text subject = mode == 1 ? FixedReply() : BytesToText(input.ConsumeRemainingBytesAsString());
  const bool accepted = matcher.Match(pattern, subject, caseSensitive, multiline, global, quoteMarkers);
  if (!accepted) {
    FUZZ_CHECK(matcher.MatchCount() == 0 && matcher.SubMatchCount() == 0 && matcher.MatchText(1).empty());
    FUZZ_CHECK(matcher.Replace("x").empty());
    return 0;
  }
  if (!global) FUZZ_CHECK(matcher.MatchCount() <= 1);
  CheckReads(matcher, subject);
  // Matching the same subject again gives the same result.
  RegexMatcher again(matcher);
  again.Match(pattern, subject, caseSensitive, multiline, global, quoteMarkers);
  FUZZ_CHECK(again.MatchCount() == matcher.MatchCount());
  return 0;
}
