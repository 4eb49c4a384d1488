// The sample affiliate platform's keyword and super searches, read the way
// the union search reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "caller_patterns.h"
#include "net/remote_hosts.h"
#include "platform_client.h"
#include "sample_platform_suite.h"
#include "text/codepage.h"

namespace {

constexpr size_t kNoResultLength = 1339;

bool AllDigits(const Text& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

Text RemoveFirst(Text s, const Text& part) {
  const size_t at = s.find(part);
  if (at != Text::npos) s.erase(at, part.size());
  return s;
}

// Every union field of a page, by field name, as the union search extracts them.
struct UnionPage {
  Text text;
  std::map<std::string, std::vector<Text>> fields;

  size_t Rows() const {
    size_t rows = SIZE_MAX;
    for (const auto& [name, values] : fields) rows = std::min(rows, values.size());
    return rows;
  }
  size_t MostMatches() const {
    size_t most = 0;
    for (const auto& [name, values] : fields) most = std::max(most, values.size());
    return most;
  }
  std::vector<long long> Numbers(const std::string& field) const {
    std::vector<long long> out;
    for (const Text& v : fields.at(field)) out.push_back(AllDigits(v) ? std::atoll(v.c_str()) * 100 : Hundredths(v));
    return out;
  }
};

UnionPage ReadUnionPage(const Text& text) {
  UnionPage page{text, {}};
  for (const FieldPattern& p : UnionPatterns()) page.fields[p.name] = MatchColumn(p.pattern, text, false);
  return page;
}

class AffiliateSearchTest : public SamplePlatformSuite {
 protected:
  static Text Get(const std::string& target) {
    const Fetched f = FetchFrom(*platform_, kAffiliateHost, target);
    EXPECT_TRUE(f.ok) << target;
    EXPECT_EQ(f.status, 200) << target;
    EXPECT_EQ(f.contentType, "application/json;charset=UTF-8");
    return DecodedReply(f.body);
  }
  static UnionPage Search(const SampleUnionQuery& q) { return ReadUnionPage(Get(KeywordSearchTarget(q))); }
  static int PageCount(const Text& text) {
    const auto pages = MatchColumn(R"("pages":(\d+),)", text, true);
    return pages.empty() ? 0 : std::atoi(pages[0].c_str());
  }
};

TEST_F(AffiliateSearchTest, KeywordSearchGivesEveryFieldOfEveryItem) {
  const UnionPage page = Search({.keyword = EncodedKeyword("连衣裙")});
  ASSERT_GE(page.text.size(), kNoResultLength);
  for (const auto& [name, values] : page.fields) EXPECT_EQ(values.size(), 40u) << name;
  ASSERT_EQ(page.Rows(), 40u);

  bool sawJpeg = false, sawPng = false;
  for (size_t j = 0; j < 40; ++j) {
    SCOPED_TRACE("item " + std::to_string(j + 1));
    const auto& f = page.fields;
    EXPECT_FALSE(f.at("nick")[j].empty());
    EXPECT_EQ(f.at("nick")[j].find('"'), Text::npos);
    const Text title = RemoveFirst(RemoveFirst(f.at("title")[j], "<span class=H>"), "</span>");
    EXPECT_NE(title.find(Gbk("连衣裙")), Text::npos) << title;
    EXPECT_EQ(title.find('<'), Text::npos) << title;
    EXPECT_TRUE(AllDigits(f.at("item id")[j]) && f.at("item id")[j].size() == 12) << f.at("item id")[j];
    EXPECT_TRUE(AllDigits(f.at("totalNum")[j]));
    EXPECT_TRUE(AllDigits(f.at("biz30day")[j]));
    for (const char* money : {"totalFee", "zkPrice", "tkCommFee", "tkRate"}) {
      EXPECT_GE(Hundredths(f.at(money)[j]), 0) << money << " " << f.at(money)[j];
    }
    const Text& picture = f.at("pictUrl")[j];
    EXPECT_EQ(picture.rfind("http://img.alicdn.com/bao/uploaded/", 0), 0u) << picture;
    sawJpeg |= picture.ends_with(".jpg");
    sawPng |= picture.ends_with(".png");
    EXPECT_TRUE(picture.ends_with(".jpg") || picture.ends_with(".png")) << picture;
    EXPECT_TRUE(AllDigits(f.at("dayLeft")[j])) << f.at("dayLeft")[j];
  }
  EXPECT_TRUE(sawJpeg && sawPng);

  // Rows are paired by position: the figures of one row belong together.
  const auto price = page.Numbers("zkPrice"), rate = page.Numbers("tkRate"), fee = page.Numbers("tkCommFee");
  const auto promotions = page.Numbers("totalNum"), paid = page.Numbers("totalFee");
  for (size_t j = 0; j < 40; ++j) {
    EXPECT_NEAR(static_cast<double>(fee[j]), price[j] * rate[j] / 10000.0, 1.0) << j;
    EXPECT_EQ(paid[j], promotions[j] / 100 * fee[j]) << j;
  }
}

TEST_F(AffiliateSearchTest, SuperAndThemeSearchesAnswerInTheSameShape) {
  const UnionPage super = ReadUnionPage(Get(SuperSearchTarget({.keyword = EncodedKeyword("保温杯")})));
  EXPECT_EQ(super.Rows(), 40u);
  EXPECT_EQ(super.MostMatches(), 40u);
  for (const char* code :
       {"nzjh", "muying", "qqhd", "ifs", "qbb", "hch", "cdj", "jyj", "kdc", "diy", "9k9", "20k", "tehui"}) {
    for (const std::string keyword : {"", "new"}) {
      SCOPED_TRACE(std::string(code) + " keyword '" + keyword + "'");
      const UnionPage page = ReadUnionPage(Get(ChannelSearchTarget(code, keyword, 1)));
      EXPECT_EQ(page.Rows(), 50u);  // the theme search asks for 50 a page
      EXPECT_EQ(page.MostMatches(), 50u);
    }
  }
  // The cheap channels keep to their price caps.
  for (const auto& [code, cap] : {std::pair{"9k9", 990}, std::pair{"20k", 2000}}) {
    for (long long price : ReadUnionPage(Get(ChannelSearchTarget(code, "", 1))).Numbers("zkPrice")) {
      EXPECT_LE(price, cap) << code;
    }
  }
}

TEST_F(AffiliateSearchTest, AfterTheLastPageComesAShortReplyWithoutItems) {
  for (const char* keyword : {"保温杯", "iphone6 手机壳"}) {
    SCOPED_TRACE(keyword);
    SampleUnionQuery q{.keyword = EncodedKeyword(keyword)};
    const int pages = PageCount(Get(KeywordSearchTarget(q)));
    ASSERT_GE(pages, 3);
    q.page = pages;
    const UnionPage last = Search(q);
    EXPECT_GE(last.text.size(), kNoResultLength);
    EXPECT_GE(last.Rows(), 1u);
    EXPECT_LE(last.Rows(), 40u);
    EXPECT_EQ(last.Rows(), last.MostMatches());
    q.page = pages + 1;
    const UnionPage beyond = Search(q);
    EXPECT_LT(beyond.text.size(), kNoResultLength);
    EXPECT_EQ(beyond.MostMatches(), 0u);
  }
  // A page holding a single item is still longer than the "nothing found"
  // reply, so no search mistakes a real last page for the end.
  const std::string onePerPage = "perPageSize=1";
  std::string search = KeywordSearchTarget({.keyword = EncodedKeyword("袜子")});
  search.replace(search.find("perPageSize=40"), 14, onePerPage);
  EXPECT_GE(Get(search).size(), kNoResultLength);
  for (const char* code : {"nzjh", "9k9", "qqhd", "diy"}) {
    std::string channel = ChannelSearchTarget(code, "", 1);
    channel.replace(channel.find("perPageSize=50"), 14, onePerPage);
    const Text text = Get(channel);
    EXPECT_EQ(ReadUnionPage(text).Rows(), 1u);
    EXPECT_GE(text.size(), kNoResultLength) << code;
  }
}

TEST_F(AffiliateSearchTest, RepliesFollowTheRequestNotItsRandomDigits) {
  SampleUnionQuery q{.keyword = EncodedKeyword("连衣裙"), .page = 2};
  const Text first = Get(KeywordSearchTarget(q));
  q.random = "0000000000001";
  EXPECT_EQ(Get(KeywordSearchTarget(q)), first);

  std::set<int> pageCounts;
  std::set<Text> firstIds;
  for (const char* keyword : {"连衣裙", "手机壳", "面膜", "坚果", "拖鞋", "蓝牙耳机", "abc", "四件套"}) {
    const Text text = Get(KeywordSearchTarget({.keyword = EncodedKeyword(keyword)}));
    const int pages = PageCount(text);
    EXPECT_GE(pages, 3) << keyword;
    EXPECT_LE(pages, 40) << keyword;
    pageCounts.insert(pages);
    firstIds.insert(ReadUnionPage(text).fields.at("item id").at(0));
  }
  EXPECT_GE(pageCounts.size(), 4u);
  EXPECT_EQ(firstIds.size(), 8u);
}

TEST_F(AffiliateSearchTest, FiltersAndSortOrderShapeTheResults) {
  const std::string keyword = EncodedKeyword("双肩包");
  const auto sortedBy = [](const char* field, bool ascending) {
    return [=](const UnionPage& page) {
      const auto v = page.Numbers(field);
      return ascending ? std::is_sorted(v.begin(), v.end()) : std::is_sorted(v.rbegin(), v.rend());
    };
  };
  const auto allWithin = [](const char* field, long long low, long long high) {
    return [=](const UnionPage& page) {
      const auto v = page.Numbers(field);
      return std::all_of(v.begin(), v.end(), [&](long long x) { return x >= low && x <= high; });
    };
  };
  struct Case {
    const char* name;
    SampleUnionQuery query;
    std::function<bool(const UnionPage&)> holds;
  };
  // Price bounds around the middle price of the unfiltered first page.
  std::vector<long long> prices = Search({.keyword = keyword}).Numbers("zkPrice");
  std::sort(prices.begin(), prices.end());
  const long long low = prices[20] / 100 * 8 / 10, high = prices[20] / 100 * 15 / 10;
  const std::vector<Case> cases = {
      {"price bounds",
       {.keyword = keyword, .priceFrom = std::to_string(low), .priceTo = std::to_string(high)},
       allWithin("zkPrice", low * 100, high * 100)},
      {"rate 20-30",
       {.keyword = keyword, .incomeRateFrom = "20", .incomeRateTo = "30"},
       allWithin("tkRate", 2000, 3000)},
      {"sales", {.keyword = keyword, .sortType = "9"}, sortedBy("biz30day", false)},
      {"price high to low", {.keyword = keyword, .sortType = "3"}, sortedBy("zkPrice", false)},
      {"price low to high", {.keyword = keyword, .sortType = "4"}, sortedBy("zkPrice", true)},
      {"income rate", {.keyword = keyword, .sortType = "1"}, sortedBy("tkRate", false)},
      {"promotions", {.keyword = keyword, .sortType = "5"}, sortedBy("totalNum", false)},
      {"commission paid", {.keyword = keyword, .sortType = "7"}, sortedBy("totalFee", false)},
      {"mall shops",
       {.keyword = keyword, .flagshipStore = "1"},
       [](const UnionPage& page) {
         const auto types = MatchColumn(R"("userType":(\d))", page.text, true);
         return !types.empty() && std::all_of(types.begin(), types.end(), [](const Text& t) { return t == "1"; });
       }},
  };
  const int unfiltered = PageCount(Get(KeywordSearchTarget({.keyword = keyword})));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const UnionPage page = Search(c.query);
    ASSERT_GT(page.Rows(), 0u);
    EXPECT_TRUE(c.holds(page));
  }
  // Bounds leave fewer pages; the order continues across pages.
  EXPECT_LT(PageCount(Get(KeywordSearchTarget(cases[0].query))), unfiltered);
  SampleUnionQuery ascending = cases[4].query;
  const long long lastOfFirst = Search(ascending).Numbers("zkPrice").back();
  ascending.page = 2;
  EXPECT_GE(Search(ascending).Numbers("zkPrice").front(), lastOfFirst);

  SampleUnionQuery busy{.keyword = keyword, .monthlySales = "500"};
  const UnionPage super = ReadUnionPage(Get(SuperSearchTarget(busy)));
  ASSERT_GT(super.Rows(), 0u);
  EXPECT_TRUE(allWithin("biz30day", 50000, LLONG_MAX)(super));
}

TEST_F(AffiliateSearchTest, KeywordsOfAnyKindComeBackHighlightedAndWellFormed) {
  // Two words: each is highlighted; the union search removes only the first pair of marks.
  const UnionPage two = Search({.keyword = EncodedKeyword("连衣裙 夏")});
  ASSERT_EQ(two.Rows(), 40u);
  for (const Text& title : two.fields.at("title")) {
    const Text shown = RemoveFirst(RemoveFirst(title, "<span class=H>"), "</span>");
    EXPECT_NE(shown.find(Gbk("连衣裙")), Text::npos);
    EXPECT_NE(shown.find(Gbk("<span class=H>夏</span>")), Text::npos) << shown;
  }
  // A quote in the keyword stays inside its JSON string and breaks no field.
  const UnionPage quoted = Search({.keyword = "a%22b%5C"});
  EXPECT_EQ(quoted.Rows(), 40u);
  EXPECT_EQ(quoted.MostMatches(), 40u);
  EXPECT_NE(quoted.fields.at("title")[0].find("a\\\"b\\\\"), Text::npos) << quoted.fields.at("title")[0];
  // Bytes that are not UTF-8 still give a well-formed page.
  EXPECT_EQ(Search({.keyword = "%FF%FE%E8"}).MostMatches(), 40u);
  // No keyword: items without highlights.
  const UnionPage none = Search({.keyword = ""});
  ASSERT_EQ(none.Rows(), 40u);
  for (const Text& title : none.fields.at("title")) EXPECT_EQ(title.find("<span"), Text::npos);
}

TEST_F(AffiliateSearchTest, UnknownAddressesGetErrorsNotItems) {
  EXPECT_EQ(FetchFrom(*platform_, kAffiliateHost, "/items/other.json?q=a").status, 404);
  const Text unknown = Get("/items/channel/nosuch.json?toPage=1&channel=nosuch");
  EXPECT_LT(unknown.size(), kNoResultLength);
  EXPECT_EQ(ReadUnionPage(unknown).MostMatches(), 0u);
  httplib::Client other("127.0.0.1", platform_->PortOf(kAffiliateHost));
  const auto reply = other.Get("/items/search.json", httplib::Headers{{"Host", "www.example.com"}});
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->status, 404);
}

}  // namespace
