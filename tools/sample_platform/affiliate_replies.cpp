#include "sample_platform/affiliate_replies.h"

#include <algorithm>

#include "sample_platform/item_catalog.h"
#include "sample_platform/json_text.h"
#include "sample_platform/query_string.h"
#include "sample_platform/seeded_random.h"
#include "sample_platform/vocabulary.h"

namespace {

constexpr size_t kMaxKeywordBytes = 90;

struct PageRequest {
  int page = 1;
  int pageSize = 40;
  int sortType = 0;
  SampleItemFilter filter;
};

std::optional<int64_t> Scaled(const std::optional<int64_t>& value) {
  if (!value) return std::nullopt;
  return *value * 100;
}

PageRequest ReadPageRequest(const SampleQuery& query, bool searchKeys) {
  PageRequest request;
  request.page = static_cast<int>(std::max<int64_t>(query.NumberOr("toPage", 1), 1));
  request.pageSize = static_cast<int>(std::clamp<int64_t>(query.NumberOr("perPageSize", 40), 1, 100));
  request.sortType = static_cast<int>(query.NumberOr("sortType", 0));
  SampleItemFilter& f = request.filter;
  f.minPrice = Scaled(query.Number("startPrice"));
  f.maxPrice = Scaled(query.Number("endPrice"));
  f.minRate = Scaled(query.Number("startTkRate"));
  f.maxRate = Scaled(query.Number("endTkRate"));
  f.minSales = query.Number("startBiz30day");
  if (searchKeys) {
    f.minRlRate = Scaled(query.Number("startRlRate"));
    if (query.Get("b2c") == "1") f.userType = 1;  // mall shops only
  }
  const std::string userType = query.Get("userType");
  if (userType == "0" || userType == "1") f.userType = userType == "1" ? 1 : 0;
  return request;
}

// The platform's search id: stable for the same search so that equal
// requests get equal replies.
std::string SearchId(const std::string& source, const std::string& keyword, int page) {
  const uint64_t h = SampleHash(keyword + "#" + std::to_string(page), SampleHash(source));
  return "10_127.0.0.1_" + std::to_string(300 + h % 700) + "_" +
         std::to_string(1467000000000ull + (h >> 20) % 999999999);
}

std::string Head(const std::string& pvid, int page, int pageSize, size_t docs) {
  return "{\"version\":\"1.0\",\"status\":\"OK\",\"pageNo\":" + std::to_string(page) +
         ",\"pageSize\":" + std::to_string(pageSize) + ",\"searchUrl\":null,\"pvid\":\"" + pvid +
         "\",\"errmsg\":null,\"fromcache\":null,\"processtime\":" + std::to_string(20 + docs % 37) +
         ",\"ha3time\":" + std::to_string(8 + docs % 11) + ",\"docsize\":" + std::to_string(docs) +
         ",\"responseTxt\":null}";
}

// The reply for a search that found nothing on this page. Short on purpose:
// the program takes anything shorter than a full page's reply as the end.
std::string EmptyReply(const std::string& pvid, int page, int pageSize) {
  return "{\"data\":{\"head\":" + Head(pvid, page, pageSize, 0) +
         ",\"condition\":null,\"paginator\":null,\"pageList\":null,\"navigator\":null,\"extraInfo\":null},"
         "\"info\":{\"message\":null,\"pvid\":\"" +
         pvid + "\",\"ok\":true},\"ok\":true,\"invalidKey\":null}";
}

std::string Paginator(int page, int pageSize, size_t total) {
  const int pages = static_cast<int>((total + pageSize - 1) / pageSize);
  const size_t begin = static_cast<size_t>(page - 1) * pageSize + 1;
  const size_t end = std::min(total, static_cast<size_t>(page) * pageSize);
  std::string slider;
  for (int p = std::max(1, page - 3); p <= std::min(pages, page + 3); ++p) {
    slider += (slider.empty() ? "" : ",") + std::to_string(p);
  }
  return "{\"length\":" + std::to_string(pageSize) + ",\"offset\":" + std::to_string(begin - 1) +
         ",\"page\":" + std::to_string(page) + ",\"beginIndex\":" + std::to_string(begin) +
         ",\"endIndex\":" + std::to_string(end) + ",\"items\":" + std::to_string(total) +
         ",\"pages\":" + std::to_string(pages) + ",\"firstPage\":1,\"lastPage\":" + std::to_string(pages) +
         ",\"previousPage\":" + std::to_string(std::max(1, page - 1)) +
         ",\"nextPage\":" + std::to_string(std::min(pages, page + 1)) + ",\"slider\":[" + slider + "]}";
}

// One item. The key order matters to the program's patterns: the picture
// address (ending in "g") comes right before the title, the 30-day sales
// right before "rlRate", the commission rate right before the commission.
std::string ItemJson(const SampleItem& item) {
  const std::string id = std::to_string(item.auctionId);
  return "{\"eventCreatorId\":0,\"rootCatId\":" + std::to_string(item.rootCatId) +
         ",\"leafCatId\":" + std::to_string(item.leafCatId) + ",\"debugInfo\":null,\"rootCatScore\":0,\"nick\":\"" +
         SampleJsonEscape(item.nick) + "\",\"userType\":" + std::to_string(item.userType) +
         ",\"sellerId\":" + std::to_string(item.sellerId) + ",\"shopTitle\":\"" + SampleJsonEscape(item.shopTitle) +
         "\",\"pictUrl\":\"" + item.pictUrl + "\",\"title\":\"" + SampleJsonEscape(item.title) +
         "\",\"auctionId\":" + id +
         ",\"couponActivityId\":null,\"auctionUrl\":\"http://item.taobao.com/item.htm?id=" + id +
         "\",\"reservePrice\":" + SampleDecimal(item.reservePrice) + ",\"zkPrice\":" + SampleDecimal(item.zkPrice) +
         ",\"tkRate\":" + SampleDecimal(item.tkRate) + ",\"tkCommFee\":" + SampleDecimal(item.tkCommFee) +
         ",\"eventRate\":" + SampleDecimal(item.eventRate) + ",\"biz30day\":" + std::to_string(item.biz30day) +
         ",\"rlRate\":" + SampleDecimal(item.rlRate) + ",\"totalNum\":" + std::to_string(item.totalNum) +
         ",\"totalFee\":" + SampleDecimal(item.totalFee) + ",\"dayLeft\":" + std::to_string(item.dayLeft) +
         ",\"hasRecommended\":null,\"hasSame\":null,\"sameItemPid\":\"" + std::to_string(-(item.auctionId % 100000)) +
         "\",\"tkSpecialCampaignIdRateMap\":null}";
}

std::string Navigator(const std::vector<SampleChannelCategory>& categories, uint64_t seed) {
  SampleRandom rng(seed);
  std::string out = "[";
  for (size_t i = 0; i < categories.size(); ++i) {
    if (i) out += ",";
    out += "{\"name\":\"" + SampleJsonEscape(categories[i].name) + "\",\"id\":" + std::to_string(categories[i].id) +
           ",\"count\":" + std::to_string(rng.Range(12, 98000)) + ",\"level\":1}";
  }
  return out + "]";
}

std::string ResultReply(const SampleChannel* channel, const SampleQuery& query, bool searchKeys) {
  const std::string keyword = SampleCleanUtf8(query.Get("q"), kMaxKeywordBytes);
  const PageRequest request = ReadPageRequest(query, searchKeys);
  const std::string source = channel ? channel->code : "search";
  const std::string pvid = SearchId(source, keyword, request.page);

  std::vector<SampleItem> items = BuildSampleCatalog(channel, keyword);
  FilterAndSortSampleItems(items, request.filter, request.sortType);
  const size_t begin = static_cast<size_t>(request.page - 1) * request.pageSize;
  if (begin >= items.size()) return EmptyReply(pvid, request.page, request.pageSize);
  const size_t end = std::min(items.size(), begin + request.pageSize);

  std::string list = "[";
  for (size_t i = begin; i < end; ++i) {
    if (i > begin) list += ",";
    list += ItemJson(items[i]);
  }
  list += "]";
  const std::vector<SampleChannelCategory>& categories = channel ? channel->categories : SampleSearchCategories();
  return "{\"data\":{\"head\":" + Head(pvid, request.page, request.pageSize, end - begin) +
         ",\"condition\":null,\"paginator\":" + Paginator(request.page, request.pageSize, items.size()) +
         ",\"pageList\":" + list + ",\"navigator\":" + Navigator(categories, SampleHash(source + keyword)) +
         ",\"extraInfo\":null},\"info\":{\"message\":null,\"pvid\":\"" + pvid +
         "\",\"ok\":true},\"ok\":true,\"invalidKey\":null}";
}

}  // namespace

std::string SampleSearchReply(const SampleQuery& query) { return ResultReply(nullptr, query, true); }

std::string SampleChannelReply(const std::string& code, const SampleQuery& query) {
  const SampleChannel* channel = FindSampleChannel(code);
  if (!channel) {
    return "{\"data\":null,\"info\":{\"message\":\"" + SampleJsonEscape("频道不存在") +
           "\",\"ok\":false},\"ok\":false,\"invalidKey\":null}";
  }
  return ResultReply(channel, query, false);
}
