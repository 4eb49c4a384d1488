#include "sample_platform/suggestion_replies.h"

#include <algorithm>

#include "sample_platform/json_text.h"
#include "sample_platform/query_string.h"
#include "sample_platform/seeded_random.h"

namespace {

constexpr size_t kMaxKeywordBytes = 90;
constexpr size_t kCompletions = 10;

std::string Trimmed(const std::string& s) {
  const size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string SampleSuggestionReply(const SampleQuery& query) {
  const std::string keyword = Trimmed(SampleCleanUtf8(query.Get("q"), kMaxKeywordBytes));
  std::string result;
  if (!keyword.empty()) {
    static const char* const kAfter[] = {"女",   "男",   "夏季", "2016新款", "长款", "套装", "包邮",
                                         "韩版", "正品", "儿童", "大码",     "秋冬", "学生", "加厚"};
    static const char* const kBefore[] = {"新款", "韩版", "正品", "夏季"};
    SampleRandom rng(SampleHash(keyword, SampleHash("suggest")));
    std::vector<std::string> completions;
    while (completions.size() < kCompletions) {
      std::string c = rng.Chance(75) ? keyword + rng.Pick(kAfter) : rng.Pick(kBefore) + keyword;
      if (rng.Chance(20)) c += rng.Pick(kAfter);
      if (std::find(completions.begin(), completions.end(), c) == completions.end()) completions.push_back(c);
    }
    int64_t count = rng.Range(200000, 9000000);
    for (const std::string& c : completions) {
      result += (result.empty() ? "" : ",") + std::string("[\"") + SampleJsonEscape(c) + "\",\"" +
                std::to_string(count) + "\"]";
      count -= rng.Range(1, count / 4 + 1);
    }
  }
  return "{\"result\":[" + result + "]}";
}
