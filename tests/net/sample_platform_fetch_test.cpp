// Every endpoint of the sample platform fetched the way the program fetches
// it: by the real address, through the fetcher its caller uses, with the
// connection redirected to loopback and the sample CA trusted. The callers'
// patterns then find every field of every item, and the runs end where the
// callers expect them to.
#include <gtest/gtest.h>

#include "net/host_redirect.h"
#include "net/remote_hosts.h"
#include "net/winhttp_api_fetch.h"
#include "net/winhttp_object_fetch.h"
#include "net/wininet_fetch.h"
#include "sample_platform/caller_patterns.h"
#include "sample_platform/program_connection.h"
#include "sample_platform/sample_platform.h"
#include "sample_platform/sample_platform_suite.h"
#include "text/regex_matcher.h"
#include "text/text_ops.h"
#include "text/unescape.h"
#include "text/url_encoding.h"

namespace {

class PlatformThroughFetchersTest : public SamplePlatformSuite {
 protected:
  static void SetUpTestSuite() {
    SamplePlatformSuite::SetUpTestSuite();
    if (HasFatalFailure()) return;
    ConnectProgramToSamplePlatform(*platform_);
  }
  static void TearDownTestSuite() {
    DisconnectProgramFromSamplePlatform();
    SamplePlatformSuite::TearDownTestSuite();
  }
  void SetUp() override { platform_->ClearRequests(); }

  static std::string Http(const char* host, const std::string& target) {
    return std::string("http://") + host + target;
  }
  static std::string Https(const char* host, const std::string& target) {
    return std::string("https://") + host + target;
  }

  // Group 1 of every match, and how many matches there were.
  static std::vector<Text> Column(const Text& pattern, const Text& page, bool caseSensitive = false, int group = 1) {
    RegexMatcher matcher;
    matcher.Match(pattern, page, caseSensitive);
    std::vector<Text> values;
    for (int i = 1; i <= matcher.MatchCount(); ++i) values.push_back(matcher.SubMatchText(i, group));
    return values;
  }

  // Every pattern finds `items` values, none of them empty.
  static void ExpectEveryField(const std::vector<FieldPattern>& patterns, const Text& page, size_t items,
                               bool caseSensitive) {
    for (const FieldPattern& field : patterns) {
      const std::vector<Text> values = Column(field.pattern, page, caseSensitive);
      EXPECT_EQ(values.size(), items) << field.name;
      for (const Text& value : values) EXPECT_FALSE(value.empty()) << field.name;
    }
  }
};

const std::string kDress = "%E8%BF%9E%E8%A1%A3%E8%A3%99";  // 连衣裙 as the program encodes it

TEST_F(PlatformThroughFetchersTest, UnionSearchPagesGiveEveryFieldUntilTheShortReply) {
  int page = 1;
  bool lastWasFull = true;
  for (;; ++page) {
    ASSERT_LT(page, 200) << "the run never ended";
    const Bytes body = WinHttpObjectFetch(Http(kAffiliateHost, KeywordSearchTarget({.keyword = kDress, .page = page})));
    const Text reply = UrlDecode(BytesToText(body), true);
    if (reply.size() < 1339) {
      EXPECT_TRUE(Column(UnionPatterns()[0].pattern, reply).empty());
      break;
    }
    SCOPED_TRACE("page " + std::to_string(page));
    // Only the last page of items may hold fewer than 40.
    ASSERT_TRUE(lastWasFull);
    const size_t items = Column(UnionPatterns()[0].pattern, reply).size();
    EXPECT_GE(items, 1u);
    lastWasFull = items == 40;
    ExpectEveryField(UnionPatterns(), reply, items, false);
  }
  EXPECT_GT(page, 2);  // more than one page of items before the end

  // On the wire: the real Host, then the fetcher's five default lines in order.
  const auto requests = platform_->Requests();
  ASSERT_FALSE(requests.empty());
  const SampleRequest& first = requests.front().request;
  std::vector<std::string> names;
  for (const auto& [name, value] : first.headers) names.push_back(name);
  EXPECT_EQ(names,
            (std::vector<std::string>{"Host", "Accept", "Referer", "Accept-Language", "User-Agent", "Content-Type"}));
  EXPECT_EQ(first.Header("Host"), kAffiliateHost);
}

TEST_F(PlatformThroughFetchersTest, SuperAndThemeSearchesAndCategoryLists) {
  const Text super =
      UrlDecode(BytesToText(WinHttpObjectFetch(Http(kAffiliateHost, SuperSearchTarget({.keyword = kDress})))), true);
  ExpectEveryField(UnionPatterns(), super, 40, false);

  const Text theme =
      UrlDecode(BytesToText(WinHttpObjectFetch(Http(kAffiliateHost, ChannelSearchTarget("qqhd", kDress, 1)))), true);
  EXPECT_FALSE(Column(UnionPatterns()[0].pattern, theme).empty());

  // The category list of a channel comes through the API fetcher.
  Text status;
  const Text categories =
      UrlDecode(WinHttpApiFetch(Http(kAffiliateHost, ChannelCategoryTarget("nzjh")), {.statusText = &status}), true);
  EXPECT_EQ(status, "200 OK");
  const auto names = Column(kChannelCategoryPattern, categories, false, 1);
  const auto ids = Column(kChannelCategoryPattern, categories, false, 2);
  ASSERT_FALSE(names.empty());
  ASSERT_EQ(names.size(), ids.size());
  for (const Text& id : ids) EXPECT_GT(ToInt(id), 0) << id;
}

TEST_F(PlatformThroughFetchersTest, HighCommissionPagesGiveThirteenFieldsUntilOneWithoutShops) {
  SampleHighCommissionQuery query{.q = kDress};
  int page = 1;
  bool lastWasFull = true;
  for (;; ++page) {
    ASSERT_LT(page, 200) << "the run never ended";
    const Text reply =
        UrlDecode(BytesToText(WinHttpObjectFetch(Http(kAffiliateHost, HighCommissionTarget('A', query, page)))), true);
    const size_t shops = Column(HighCommissionPatterns()[0].pattern, reply, true).size();
    if (shops == 0) break;
    SCOPED_TRACE("page " + std::to_string(page));
    ASSERT_TRUE(lastWasFull);  // only the last page of items may hold fewer than 40
    lastWasFull = shops == 40;
    ExpectEveryField(HighCommissionPatterns(), reply, shops, true);
  }
  EXPECT_GT(page, 2);
}

TEST_F(PlatformThroughFetchersTest, ItemPicturesArriveAsImages) {
  const Text reply =
      UrlDecode(BytesToText(WinHttpObjectFetch(Http(kAffiliateHost, KeywordSearchTarget({.keyword = kDress})))), true);
  const std::vector<Text> pictures = Column(UnionPatterns()[9].pattern, reply);
  ASSERT_EQ(pictures.size(), 40u);
  bool sawJpeg = false, sawPng = false;
  for (size_t i = 0; i < 6; ++i) {
    const Bytes picture = WinHttpObjectFetch(pictures[i]);
    ASSERT_GT(picture.size(), 8u) << pictures[i];
    const bool jpeg = picture.compare(0, 3, "\xFF\xD8\xFF") == 0;
    const bool png = picture.compare(0, 8, "\x89PNG\r\n\x1A\n") == 0;
    EXPECT_TRUE(jpeg || png) << pictures[i];
    sawJpeg |= jpeg;
    sawPng |= png;
  }
  EXPECT_TRUE(sawJpeg || sawPng);
}

TEST_F(PlatformThroughFetchersTest, RankingListsComeOverHttpsThroughWinInet) {
  const Text page = BytesToText(WinInetFetch(Https(kRankingHost, "/index.php?rank=focus&type=up&s=0")));
  const auto keywords = Column(kRankingRowPattern, page);
  ASSERT_EQ(keywords.size(), 20u);
  for (const Text& keyword : keywords) {
    const Text decoded = UnescapeText(keyword);
    EXPECT_EQ(decoded.find("\\u"), Text::npos) << keyword;
    EXPECT_NE(decoded, keyword);  // the keywords are written as escapes
  }
  const auto requests = platform_->Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_TRUE(requests[0].secure);
  EXPECT_EQ(requests[0].request.Header("User-Agent"), "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)");
}

TEST_F(PlatformThroughFetchersTest, CategoryTreeAndKeywordPagesComeThroughTheApiFetcher) {
  Text status;
  const Text tree = WinHttpApiFetch(
      Https(kRankingHost, "/index.php?topId=TR_FS&leafId=50010850&rank=search&type=hot&s=0"), {.statusText = &status});
  EXPECT_EQ(status, "200 OK");
  EXPECT_GT(Column(kSubCategoryPattern, tree).size(), 5u);

  size_t rows = 0;
  int page = 0;
  for (;; ++page) {
    ASSERT_LT(page, 50);
    const Text keywords = WinHttpApiFetch(
        Https(kRankingHost, "/index.php?topId=TR_FS&leafId=1623101&rank=sale&type=up&s=" + std::to_string(page * 20)));
    const auto found = Column(kCategoryKeywordPattern, keywords);
    if (found.empty()) break;
    for (const Text& keyword : found) EXPECT_NE(UnescapeText(keyword), "") << keyword;
    rows += found.size();
  }
  EXPECT_GT(rows, 20u);
}

TEST_F(PlatformThroughFetchersTest, SuggestionsComeOverHttpsThroughTheApiFetcher) {
  Text status;
  const Text reply =
      UrlDecode(WinHttpApiFetch(Https(kSuggestionHost, "/sug?code=utf-8&q=" + kDress + "&_=1466843732683"),
                                {.statusText = &status}),
                true);
  EXPECT_EQ(status, "200 OK");
  const auto suggestions = Column(kSuggestionPattern, reply);
  ASSERT_EQ(suggestions.size(), 10u);
  for (const Text& suggestion : suggestions) EXPECT_NE(suggestion.find(Gbk("连衣裙")), Text::npos);
}

TEST_F(PlatformThroughFetchersTest, WithoutTheSampleCaTheHttpsHostsAreRefused) {
  TrustExtraCa("");
  Text status;
  EXPECT_EQ(WinHttpApiFetch(Https(kSuggestionHost, "/sug?code=utf-8&q=a"), {.statusText = &status}), "");
  EXPECT_EQ(status, Gbk("711 发送请求失败!"));
  EXPECT_TRUE(WinInetFetch(Https(kRankingHost, "/index.php?rank=focus&type=up&s=0")).empty());
  ConnectProgramToSamplePlatform(*platform_);
}

}  // namespace
