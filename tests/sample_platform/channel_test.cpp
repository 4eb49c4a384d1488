// The sample affiliate platform's theme channels: the category lists that
// the theme list loads, and the high-commission channel read the way the
// high-commission search reads it.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "caller_patterns.h"
#include "net/remote_hosts.h"
#include "platform_client.h"
#include "sample_platform_suite.h"
#include "text/codepage.h"

namespace {

const char* const kChannels[] = {"nzjh", "muying", "qqhd", "ifs", "qbb", "hch",  "cdj",
                                 "jyj",  "kdc",    "diy",  "9k9", "20k", "tehui"};

bool AllDigits(const Text& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::map<std::string, std::vector<Text>> ReadHighCommission(const Text& text) {
  std::map<std::string, std::vector<Text>> fields;
  for (const FieldPattern& p : HighCommissionPatterns()) fields[p.name] = MatchColumn(p.pattern, text, true);
  return fields;
}

class ChannelTest : public SamplePlatformSuite {
 protected:
  static Text Get(const std::string& target) {
    const Fetched f = FetchFrom(*platform_, kAffiliateHost, target);
    EXPECT_EQ(f.status, 200) << target;
    return DecodedReply(f.body);
  }
};

TEST_F(ChannelTest, EveryChannelListsItsCategoriesAsNameAndId) {
  std::set<Text> firstNames;
  for (const char* code : kChannels) {
    SCOPED_TRACE(code);
    const auto categories = MatchGroups(kChannelCategoryPattern, Get(ChannelCategoryTarget(code)), false);
    ASSERT_GE(categories.size(), 6u);
    for (const auto& c : categories) {
      EXPECT_FALSE(c[0].empty());
      EXPECT_EQ(c[0].find('"'), Text::npos) << c[0];
      EXPECT_TRUE(AllDigits(c[1])) << c[1];
      // The theme list shows "name|id"; the search reads back what follows the bar.
      EXPECT_EQ(c[0].find('|'), Text::npos);
    }
    firstNames.insert(categories[0][0]);
  }
  EXPECT_GE(firstNames.size(), 10u);  // channels have lists of their own
  const auto women = MatchGroups(kChannelCategoryPattern, Get(ChannelCategoryTarget("nzjh")), false);
  EXPECT_EQ(women[0][0], Gbk("连衣裙"));
  EXPECT_EQ(women[0][1], "50010850");
}

TEST_F(ChannelTest, HighCommissionPagesGiveAllThirteenFieldsInEveryAddressForm) {
  const SampleHighCommissionQuery plain{.q = EncodedKeyword("面膜")};
  SampleHighCommissionQuery marketplace = plain;
  marketplace.userType = "0";
  marketplace.shopTag = "jpmj";
  for (const auto& [form, query] : {std::pair{'A', plain}, std::pair{'B', marketplace}, std::pair{'C', plain}}) {
    SCOPED_TRACE(std::string("form ") + form);
    const auto f = ReadHighCommission(Get(HighCommissionTarget(form, query, 1)));
    for (const auto& [name, values] : f) EXPECT_EQ(values.size(), 40u) << name;
    ASSERT_EQ(f.at("shopTitle").size(), 40u);
    for (size_t k = 0; k < 40; ++k) {
      SCOPED_TRACE(k);
      // The case-sensitive title pattern takes item titles, never shop names.
      EXPECT_NE(f.at("title")[k], f.at("shopTitle")[k]);
      EXPECT_NE(f.at("title")[k].find(Gbk("<span class=H>面膜</span>")), Text::npos) << f.at("title")[k];
      // Paired by position: the address names the row's own item.
      EXPECT_EQ(f.at("auctionUrl")[k], "http://item.taobao.com/item.htm?id=" + f.at("auctionId")[k]);
      EXPECT_GT(Hundredths(f.at("eventRate")[k]), Hundredths(f.at("tkRate")[k]));
      const int days = std::atoi(f.at("dayLeft")[k].c_str());
      EXPECT_TRUE(AllDigits(f.at("dayLeft")[k]) && days >= 1 && days <= 45);
      for (const char* number : {"zkPrice", "tkCommFee", "totalFee"}) EXPECT_GE(Hundredths(f.at(number)[k]), 0);
      EXPECT_TRUE(AllDigits(f.at("biz30day")[k]) && AllDigits(f.at("totalNum")[k]));
      EXPECT_TRUE(f.at("pictUrl")[k].starts_with("http://img.alicdn.com/"));
    }
    if (form == 'B') {
      const auto types = MatchColumn(R"("userType":(\d))", Get(HighCommissionTarget(form, query, 1)), true);
      EXPECT_TRUE(std::all_of(types.begin(), types.end(), [](const Text& t) { return t == "0"; }));
    }
  }
}

TEST_F(ChannelTest, HighCommissionRunEndsOnThePageWithoutShopNames) {
  SampleHighCommissionQuery query{.q = EncodedKeyword("保温杯")};
  int page = 1;
  size_t rows = 0;
  for (; page <= 60; ++page) {
    const auto shops =
        MatchColumn(HighCommissionPatterns()[0].pattern, Get(HighCommissionTarget('A', query, page)), true);
    if (shops.empty()) break;
    rows += shops.size();
  }
  EXPECT_GT(page, 2);
  EXPECT_LE(page, 60);
  EXPECT_GT(rows, 40u);
  EXPECT_LT(rows, static_cast<size_t>(page - 1) * 40 + 1);

  // Settings narrow the channel: whole-number bounds, and the sort codes of
  // the sort list when sent as sortType.
  SampleHighCommissionQuery bounded = query;
  bounded.startPrice = "30";
  bounded.endPrice = "80";
  bounded.startTkRate = "30";
  bounded.sortCode = "12";
  const auto f = ReadHighCommission(Get(HighCommissionTarget('B', bounded, 1)));
  ASSERT_FALSE(f.at("shopTitle").empty());
  int lastDays = 0;
  for (size_t k = 0; k < f.at("shopTitle").size(); ++k) {
    EXPECT_GE(Hundredths(f.at("zkPrice")[k]), 3000);
    EXPECT_LE(Hundredths(f.at("zkPrice")[k]), 8000);
    EXPECT_GE(Hundredths(f.at("tkRate")[k]), 3000);
    const int days = std::atoi(f.at("dayLeft")[k].c_str());
    EXPECT_GE(days, lastDays);  // days left, short to long
    lastDays = days;
  }
}

}  // namespace
