#include "sample_platform/ranking_pages.h"

#include <algorithm>
#include <cstdio>

#include "sample_platform/category_tables.h"
#include "sample_platform/json_text.h"
#include "sample_platform/query_string.h"
#include "sample_platform/seeded_random.h"
#include "text/codepage.h"

namespace {

constexpr int kRowsPerPage = 20;
constexpr size_t kFocusListLength = 100;

std::vector<std::string> KeywordForms(const std::string& name) {
  std::vector<std::string> forms;
  for (const char* prefix : SampleKeywordPrefixes()) {
    forms.push_back(prefix + name);
    forms.push_back(std::string(prefix) + " " + name);  // some shoppers type a blank
    for (const char* suffix : SampleKeywordSuffixes()) forms.push_back(prefix + name + suffix);
  }
  for (const char* suffix : SampleKeywordSuffixes()) forms.push_back(name + suffix);
  return forms;
}

void Shuffle(std::vector<std::string>& list, SampleRandom& rng) {
  for (size_t i = list.size(); i > 1; --i) std::swap(list[i - 1], list[static_cast<size_t>(rng.Range(0, i - 1))]);
}

// Distinct keywords for a list of category names: bare names (the most
// searched) taking turns with their combinations with common words.
std::vector<std::string> Keywords(const std::vector<std::string>& names, uint64_t seed, size_t count) {
  SampleRandom rng(seed);
  std::vector<std::string> bare = names;
  Shuffle(bare, rng);
  std::vector<std::string> forms;
  for (const std::string& name : names) {
    for (std::string& form : KeywordForms(name)) forms.push_back(std::move(form));
  }
  Shuffle(forms, rng);
  std::vector<std::string> out;
  for (size_t i = 0; out.size() < count && (i < bare.size() || i < forms.size()); ++i) {
    for (const auto* list : {&bare, &forms}) {
      if (i < list->size() && out.size() < count && std::find(out.begin(), out.end(), (*list)[i]) == out.end()) {
        out.push_back((*list)[i]);
      }
    }
  }
  return out;
}

struct RowFigures {
  std::string change;  // rank change: a number, or a quoted text for a newcomer
  int upOrDown;
  std::string amplitude;
};

RowFigures Figures(SampleRandom& rng) {
  RowFigures f;
  if (rng.Chance(12)) {
    f.change = "\"" + SampleUnicodeEscape("新进") + "\"";
    f.upOrDown = 1;
  } else {
    const int64_t change = rng.Range(-30, 60);
    f.change = std::to_string(change);
    f.upOrDown = change > 0 ? 1 : change < 0 ? -1 : 0;
  }
  f.amplitude = SampleDecimal(rng.Range(10, 99990) * (f.upOrDown < 0 ? -1 : 1)) + "%";
  return f;
}

std::string Cell(const std::string& text) { return "{\"text\":\"" + text + "\"}"; }

std::string FocusRow(int rank, const std::string& keyword, const std::string& category, int64_t attention,
                     SampleRandom& rng) {
  const std::string k = SampleUnicodeEscape(keyword);
  const RowFigures f = Figures(rng);
  return "{\"col1\":" + Cell(std::to_string(rank)) + ",\"col2\":{\"text\":\"" + k +
         "\",\"url\":\"//s.taobao.com/search?from=rank&q=" + k + "\"},\"col3\":" + Cell(SampleUnicodeEscape(category)) +
         ",\"col4\":{\"num\":\"" + std::to_string(attention) + "\",\"percent\":\"50\"},\"col5\":{\"text\":" + f.change +
         ",\"upOrDown\":" + std::to_string(f.upOrDown) + "},\"col6\":{\"text\":\"" + f.amplitude +
         "\",\"upOrDown\":" + std::to_string(f.upOrDown) + "}}";
}

std::string CategoryRow(int rank, const std::string& keyword, const std::string& leafId, int64_t deals,
                        int64_t topDeals, int64_t price, SampleRandom& rng) {
  const std::string k = SampleUnicodeEscape(keyword);
  const RowFigures f = Figures(rng);
  char priceText[32];
  std::snprintf(priceText, sizeof priceText, "%lld.%02lld", static_cast<long long>(price / 100),
                static_cast<long long>(price % 100));
  return "{\"col1\":" + Cell(std::to_string(rank)) + ",\"col2\":{\"text\":\"" + k +
         "\",\"url\":\"//s.taobao.com/search?q=" + k + "&cat=" + leafId + "\"},\"col3\":" + Cell(priceText) +
         ",\"col4\":{\"num\":\"" + std::to_string(deals) + "\",\"percent\":\"" +
         std::to_string(std::max<int64_t>(1, deals * 100 / std::max<int64_t>(topDeals, 1))) +
         "\"},\"col5\":{\"text\":" + f.change + ",\"upOrDown\":" + std::to_string(f.upOrDown) +
         "},\"col6\":{\"text\":\"" + f.amplitude + "\",\"upOrDown\":" + std::to_string(f.upOrDown) + "}}";
}

std::string TreeJson(const SampleCategoryTable& table) {
  std::string out = "[";
  for (size_t g = 0; g < table.groups.size(); ++g) {
    const SampleCategoryGroup& group = table.groups[g];
    out += std::string(g ? "," : "") + "{\"text\":\"" + SampleUnicodeEscape(group.name) + "\",\"children\":[";
    for (size_t i = 0; i < group.leaves.size(); ++i) {
      out += std::string(i ? "," : "") + "{\"text\":\"" + SampleUnicodeEscape(group.leaves[i].name) +
             "\",\"value\":\"" + group.leaves[i].id + "\",\"level\":2}";
    }
    out += "]}";
  }
  return out + "]";
}

// The page around the data. The head declares GBK, so a reader that honours
// declared charsets keeps the bytes as they are.
std::string Page(const std::string& title, const std::string& data) {
  const std::string html = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"gbk\">\n<title>" + title +
                           " - 淘宝排行榜</title>\n<link rel=\"stylesheet\" href=\"//top.taobao.com/css/top.css\">\n"
                           "</head>\n<body>\n<div class=\"header\"><h1>淘宝排行榜</h1><p>" +
                           title + "</p></div>\n<div id=\"J_RankList\" class=\"rank-list\"></div>\n" +
                           (data.empty() ? "" : "<script>\nvar rankData = " + data + ";\n</script>\n") +
                           "<div class=\"footer\">数据每日更新，仅供参考</div>\n</body>\n</html>\n";
  return Utf8ToGbk(html);
}

std::string FocusPage(const std::string& type, int64_t offset) {
  const bool hot = type == "hot";
  const std::string title = hot ? "一周关注热门榜" : "今日关注上升榜";
  std::vector<std::string> names;
  for (const SampleCategoryTable& table : SampleCategoryTables()) {
    for (const SampleCategoryGroup& group : table.groups) {
      for (const SampleCategoryLeaf& leaf : group.leaves) names.push_back(leaf.name);
    }
  }
  const std::vector<std::string> keywords =
      Keywords(names, SampleHash(hot ? "focus-hot" : "focus-up"), kFocusListLength);
  SampleRandom rng(SampleHash(type, SampleHash("focus-figures")));
  std::string rows;
  int64_t attention = hot ? 980000 : 240000;
  for (size_t i = 0; i < keywords.size(); ++i) {
    attention -= rng.Range(100, attention / 40 + 101);
    if (static_cast<int64_t>(i) < offset || static_cast<int64_t>(i) >= offset + kRowsPerPage) {
      rng.Next();  // keep the figures of a row the same on every page
      continue;
    }
    SampleRandom rowRng(rng.Next());
    const SampleCategoryTable& table = SampleCategoryTables()[i % SampleCategoryTables().size()];
    rows += (rows.empty() ? "" : ",") + FocusRow(static_cast<int>(i + 1), keywords[i], table.name, attention, rowRng);
  }
  const std::string data = "{\"status\":0,\"title\":\"" + SampleUnicodeEscape(title) +
                           "\",\"rank\":\"focus\",\"type\":\"" + (hot ? "hot" : "up") +
                           "\",\"page\":{\"offset\":" + std::to_string(offset) +
                           ",\"size\":20,\"total\":" + std::to_string(kFocusListLength) + "},\"tbody\":[" + rows + "]}";
  return Page(title, data);
}

std::string CategoryPage(const SampleCategoryTable& table, const std::string& leafId, const std::string& rank,
                         const std::string& type, int64_t offset) {
  const SampleCategoryLeaf* leaf = FindSampleCategoryLeaf(table, leafId);
  const bool wholeTable = leafId == table.categoryId;
  std::vector<std::string> names;
  if (leaf) {
    names.push_back(leaf->name);
  } else if (wholeTable) {
    for (const SampleCategoryGroup& group : table.groups) {
      for (const SampleCategoryLeaf& l : group.leaves) names.push_back(l.name);
    }
  }
  const uint64_t seed = SampleHash(leafId + "|" + rank + "|" + type, SampleHash(table.topId));
  SampleRandom sizeRng(seed);
  const size_t total = names.empty() ? 0 : static_cast<size_t>(sizeRng.Range(20, 100));
  const std::vector<std::string> keywords = Keywords(names, seed, total);

  SampleRandom rng(SampleHash("figures", seed));
  const int64_t topDeals = rng.Range(20000, 400000);
  const int64_t basePrice = rng.Range(20, 600) * 100;
  int64_t deals = topDeals;
  std::string rows;
  for (size_t i = 0; i < keywords.size(); ++i) {
    SampleRandom rowRng(rng.Next());
    if (i > 0) deals -= rowRng.Range(1, deals / 25 + 1);
    if (static_cast<int64_t>(i) < offset || static_cast<int64_t>(i) >= offset + kRowsPerPage) continue;
    const int64_t price = basePrice * rowRng.Range(40, 250) / 100;
    rows += (rows.empty() ? "" : ",") +
            CategoryRow(static_cast<int>(i + 1), keywords[i], leafId, deals, topDeals, price, rowRng);
  }
  const std::string title = std::string(table.name) + (leaf ? std::string("-") + leaf->name : "");
  const std::string data = "{\"status\":0,\"title\":\"" + SampleUnicodeEscape(title) + "\",\"topId\":\"" + table.topId +
                           "\",\"tree\":" + TreeJson(table) + ",\"page\":{\"offset\":" + std::to_string(offset) +
                           ",\"size\":20,\"total\":" + std::to_string(total) + "},\"tbody\":[" + rows + "]}";
  return Page(title, data);
}

}  // namespace

std::string SampleRankingPage(const SampleQuery& query) {
  const int64_t offset = std::clamp<int64_t>(query.NumberOr("s", 0), 0, 1000000);
  if (query.Get("rank") == "focus") return FocusPage(query.Get("type"), offset);
  if (const SampleCategoryTable* table = FindSampleCategoryTable(query.Get("topId"))) {
    return CategoryPage(*table, query.Get("leafId"), query.Get("rank"), query.Get("type"), offset);
  }
  return Page("首页", "");
}
