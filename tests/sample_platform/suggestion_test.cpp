// The sample suggestion service, read the way the suggestion tool reads it.
#include <gtest/gtest.h>

#include <set>

#include "caller_patterns.h"
#include "net/remote_hosts.h"
#include "platform_client.h"
#include "sample_platform_suite.h"
#include "text/codepage.h"

namespace {

class SuggestionTest : public SamplePlatformSuite {
 protected:
  static std::vector<Text> Suggestions(const std::string& encodedKeyword) {
    const Fetched f =
        FetchFrom(*platform_, kSuggestionHost, "/sug?code=utf-8&q=" + encodedKeyword + "&_=1466843732683");
    EXPECT_EQ(f.status, 200);
    return MatchColumn(kSuggestionPattern, DecodedReply(f.body), false);
  }
};

TEST_F(SuggestionTest, AKeywordGetsTenDistinctCompletionsContainingIt) {
  for (const std::string keyword : {"连衣裙", "牛逼", "iphone 6", "a&b c"}) {
    SCOPED_TRACE(keyword);
    const std::vector<Text> completions = Suggestions(EncodedKeyword(keyword));
    ASSERT_EQ(completions.size(), 10u);
    EXPECT_EQ(std::set<Text>(completions.begin(), completions.end()).size(), 10u);
    for (const Text& c : completions) {
      EXPECT_NE(c.find(Utf8ToGbk(keyword)), Text::npos) << c;
      EXPECT_GT(c.size(), Utf8ToGbk(keyword).size());
    }
    EXPECT_EQ(Suggestions(EncodedKeyword(keyword)), completions);
  }
  EXPECT_NE(Suggestions(EncodedKeyword("连衣裙")), Suggestions(EncodedKeyword("面膜")));
}

TEST_F(SuggestionTest, QuotesStayInsideTheirStringsAndBlankKeywordsGetNothing) {
  const std::vector<Text> quoted = Suggestions("say%22hi%22");
  ASSERT_EQ(quoted.size(), 10u);
  EXPECT_NE(quoted[0].find("say\\\"hi\\\""), Text::npos) << quoted[0];
  EXPECT_TRUE(Suggestions("").empty());
  EXPECT_TRUE(Suggestions("%20%20").empty());
}

}  // namespace
