// The sample ranking site: the two keyword ranking lists and the category
// pages, read the way the keyword tools read them.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "caller_patterns.h"
#include "net/remote_hosts.h"
#include "platform_client.h"
#include "sample_platform/category_tables.h"
#include "sample_platform_suite.h"
#include "text/codepage.h"
#include "text/unescape.h"

namespace {

bool AllDigits(const Text& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A rank change as written in the page: a number, or a quoted text.
bool RankChange(const Text& s) {
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') return true;
  return AllDigits(s[0] == '-' ? s.substr(1) : s);
}

// The tree that the category tab builds from a page, item texts by parent.
struct Tree {
  std::vector<std::pair<Text, std::vector<Text>>> items;
};

Tree BuildTree(const Text& page) {
  Tree tree;
  const Text marker = "\":\"";
  for (const auto& m : MatchGroups(kSubCategoryPattern, page, false)) {
    const Text name = UnescapeText(m[0]);
    if (name.find(marker) != Text::npos) {
      tree.items.push_back({name.substr(0, name.find("\",\"")), {}});
      tree.items.back().second.push_back(name.substr(name.find(marker) + marker.size()) + "|" + m[1]);
    } else if (tree.items.empty()) {
      tree.items.push_back({name + "|" + m[1], {}});
    } else {
      tree.items.back().second.push_back(name + "|" + m[1]);
    }
  }
  return tree;
}

class RankingSiteTest : public SamplePlatformSuite {
 protected:
  // The page text as the keyword tools get it: the bytes, taken as GBK.
  static Text Get(const std::string& target) {
    const Fetched f = FetchFrom(*platform_, kRankingHost, target);
    EXPECT_EQ(f.status, 200) << target;
    EXPECT_EQ(f.contentType, "text/html; charset=GBK");
    return BytesToText(f.body);
  }
};

TEST_F(RankingSiteTest, RankingListsGiveTwentyKeywordRowsOnEachOfFivePages) {
  for (const char* query :
       {"?spm=a1z5i.2.8.1.J1sHjp&rank=focus&type=up&from=&s=", "?spm=a1z5i.2.8.1.WSiEP9&rank=focus&type=hot&from=&s=",
        "?spm=a1z5i.2.8.1.Wago2f&rank=focus&type=hot&from=&s="}) {
    SCOPED_TRACE(query);
    std::set<Text> keywords;
    bool sawBlank = false, sawQuotedChange = false;
    long long lastIndex = LLONG_MAX;
    for (int offset = 0; offset <= 80; offset += 20) {
      const Text page = Get(std::string("/index.php") + query + std::to_string(offset));
      const auto rows = MatchGroups(kRankingRowPattern, page, false);
      ASSERT_EQ(rows.size(), 20u) << offset;
      for (const auto& row : rows) {
        const Text keyword = UnescapeText(row[0]);
        EXPECT_FALSE(keyword.empty());
        EXPECT_EQ(row[0].find_first_of("\"<>{}"), Text::npos) << row[0];
        EXPECT_NE(row[0].find("\\u"), Text::npos) << row[0];  // written escaped in the page
        EXPECT_EQ(keyword.find('\\'), Text::npos) << keyword;
        sawBlank |= keyword.find(' ') != Text::npos;
        keywords.insert(keyword);
        ASSERT_TRUE(AllDigits(row[2])) << row[2];
        const long long index = std::atoll(row[2].c_str());
        EXPECT_LT(index, lastIndex);  // rows come in rank order
        lastIndex = index;
        EXPECT_TRUE(RankChange(row[3])) << row[3];
        sawQuotedChange |= row[3].front() == '"';
        EXPECT_TRUE(row[5].ends_with("%")) << row[5];
      }
    }
    EXPECT_EQ(keywords.size(), 100u);
    EXPECT_TRUE(sawBlank);
    EXPECT_TRUE(sawQuotedChange);
    EXPECT_TRUE(MatchGroups(kRankingRowPattern, Get(std::string("/index.php") + query + "100"), false).empty());
  }
  // The two lists differ; the spm value does not matter.
  const auto up = MatchColumn(kRankingRowPattern, Get("/index.php?rank=focus&type=up&s=0"), false);
  const auto hot = MatchColumn(kRankingRowPattern, Get("/index.php?rank=focus&type=hot&s=0"), false);
  EXPECT_NE(up, hot);
  EXPECT_EQ(hot, MatchColumn(kRankingRowPattern, Get("/index.php?spm=a1z5i.2.8.1.Wago2f&rank=focus&type=hot&from=&s=0"),
                             false));
}

TEST_F(RankingSiteTest, PagesDeclareGbkSoTheirBytesAreReadAsTheyAre) {
  for (const char* target : {"/index.php?rank=focus&type=up&s=0",
                             "/index.php?topId=TR_FS&leafId=50010850&rank=sale&type=up&s=0", "/index.php"}) {
    const Text page = Get(target);
    const auto charset = MatchColumn(kDeclaredCharsetPattern, page.substr(0, 1024), false);
    ASSERT_EQ(charset.size(), 1u) << target;
    EXPECT_EQ(charset[0], "gbk");
    EXPECT_NE(page.find(Gbk("淘宝排行榜")), Text::npos);
  }
}

TEST_F(RankingSiteTest, CategoryPagesCarryTheTreeWithGroupHeadings) {
  const char* const tables[][2] = {{"TR_FS", "50010850"}, {"TR_SM", "1101"},     {"TR_HZP", "121454013"},
                                   {"TR_MY", "50013618"}, {"TR_SP", "50008055"}, {"TR_WT", "50014075"},
                                   {"TR_JJ", "50016434"}, {"TR_ZH", "50011975"}};
  for (const auto& [topId, categoryId] : tables) {
    SCOPED_TRACE(topId);
    const Tree tree = BuildTree(
        Get(std::string("/index.php?topId=") + topId + "&leafId=" + categoryId + "&rank=search&type=hot&s=0"));
    const SampleCategoryTable* table = FindSampleCategoryTable(topId);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(tree.items.size(), table->groups.size());
    for (size_t g = 0; g < tree.items.size(); ++g) {
      const auto& [heading, children] = tree.items[g];
      EXPECT_EQ(heading, Gbk(table->groups[g].name));  // a heading has no "|"
      ASSERT_EQ(children.size(), table->groups[g].leaves.size());
      for (size_t i = 0; i < children.size(); ++i) {
        EXPECT_EQ(children[i], Gbk(table->groups[g].leaves[i].name) + "|" + table->groups[g].leaves[i].id);
      }
    }
  }
}

TEST_F(RankingSiteTest, CategoryKeywordPagesEndAfterTheirLastRow) {
  const std::string leafPage = "/index.php?topId=TR_FS&leafId=1623101&rank=sale&type=up&s=";
  size_t total = 0;
  std::set<Text> keywords;
  int offset = 0;
  for (;; offset += 20) {
    ASSERT_LE(offset, 200);
    const Text page = Get(leafPage + std::to_string(offset));
    EXPECT_EQ(BuildTree(page).items.size(), 3u);  // the tree comes with every page
    const auto rows = MatchGroups(kCategoryKeywordPattern, page, false);
    ASSERT_LE(rows.size(), 20u);
    for (const auto& row : rows) {
      const Text keyword = UnescapeText(row[0]);
      EXPECT_NE(keyword.find(Gbk("连衣裙")), Text::npos) << keyword;
      keywords.insert(keyword);
      EXPECT_EQ(row[1], "1623101");
      const size_t dot = row[2].find('.');
      EXPECT_TRUE(dot != Text::npos && row[2].size() - dot == 3 && AllDigits(row[2].substr(0, dot))) << row[2];
      EXPECT_TRUE(AllDigits(row[3])) << row[3];
      EXPECT_TRUE(RankChange(row[5])) << row[5];
    }
    total += rows.size();
    if (rows.size() < 20) break;
  }
  EXPECT_GE(total, 20u);
  EXPECT_EQ(keywords.size(), total);
  EXPECT_TRUE(MatchGroups(kCategoryKeywordPattern, Get(leafPage + std::to_string(offset + 20)), false).empty());

  // The whole table ranks keywords too; another data source ranks others; an
  // unknown leaf has the tree but no rows.
  const auto sale =
      MatchColumn(kCategoryKeywordPattern, Get("/index.php?topId=TR_FS&leafId=50010850&rank=sale&type=up&s=0"), false);
  const auto brand = MatchColumn(kCategoryKeywordPattern,
                                 Get("/index.php?topId=TR_FS&leafId=50010850&rank=brand&type=hot&s=0"), false);
  EXPECT_FALSE(sale.empty());
  EXPECT_NE(sale, brand);
  const Text unknown = Get("/index.php?topId=TR_FS&leafId=99999&rank=sale&type=up&s=0");
  EXPECT_EQ(BuildTree(unknown).items.size(), 3u);
  EXPECT_TRUE(MatchGroups(kCategoryKeywordPattern, unknown, false).empty());
  EXPECT_EQ(Get(leafPage + "0"), Get(leafPage + "0"));
}

}  // namespace
