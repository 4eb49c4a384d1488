#pragma once
// The patterns with which the program reads each service's replies, exactly
// as its searches and keyword tools use them, and the request addresses in
// the forms those callers build. The tests hold the sample platform's
// replies against them.
#include <string>
#include <vector>

#include "text/text.h"

struct FieldPattern {
  const char* name;
  Text pattern;
};

// Union search (keyword, super and theme searches), matched ignoring case.
inline const std::vector<FieldPattern>& UnionPatterns() {
  static const std::vector<FieldPattern> patterns = {
      {"nick", R"P(nick":"(.*?)",")P"},
      {"title", R"P(g","title":"(.*?)",")P"},
      {"item id", R"P(http://item.taobao.com/item.htm\?id=(.*?)",")P"},
      {"totalNum", R"P(totalNum":(.*?),")P"},
      {"totalFee", R"P(totalFee":(.*?),")P"},
      {"biz30day", R"P(biz30day":(.*?),"rlRate)P"},
      {"zkPrice", R"P(zkPrice":(.*?),)P"},
      {"tkCommFee", R"P(tkCommFee":(.*?),")P"},
      {"tkRate", R"P(tkRate":(.*?),"tkCommFe)P"},
      {"pictUrl", R"P(pictUrl":"(.*?)",)P"},
      {"dayLeft", R"P("dayLeft":(.*?),")P"},
  };
  return patterns;
}

// High-commission search, matched case-sensitively, in extraction order.
inline const std::vector<FieldPattern>& HighCommissionPatterns() {
  static const std::vector<FieldPattern> patterns = {
      {"shopTitle", R"P(shopTitle":"(.*?)",")P"},   {"zkPrice", R"P(zkPrice":(.*?),")P"},
      {"tkCommFee", R"P(tkCommFee":(.*?),")P"},     {"eventRate", R"P(eventRate":(.*?),")P"},
      {"dayLeft", R"P(dayLeft":(.*?),")P"},         {"tkRate", R"P(tkRate":(.*?),")P"},
      {"biz30day", R"P(biz30day":(.*?),")P"},       {"totalFee", R"P(totalFee":(.*?),")P"},
      {"totalNum", R"P(totalNum":(.*?),")P"},       {"title", R"P(title":"(.*?)",")P"},
      {"auctionUrl", R"P(auctionUrl":"(.*?)",")P"}, {"pictUrl", R"P(pictUrl":"(.*?)",")P"},
      {"auctionId", R"P(auctionId":(.*?),")P"},
  };
  return patterns;
}

// Theme channel category list (ignoring case).
inline const Text kChannelCategoryPattern = R"P({"name":"(.*?)","id":(.*?),)P";
// Keyword ranking rows (ignoring case).
inline const Text kRankingRowPattern =
    R"P(q=(.*?)"},"col3":{"text":"(.*?)"},"col4":{"num":"(.*?)","percent":"50"},"col5":{"text":(.*?),"upOrDown":(.*?)},"col6":{"text":"(.*?)",")P";
// Category tree entries and category keyword rows (ignoring case).
inline const Text kSubCategoryPattern = R"P({"text":"(.*?)","value":"(.*?)",")P";
inline const Text kCategoryKeywordPattern =
    R"P(search\?q=(.*?)&cat=(.*?)"},"col3":{"text":"(.*?)"},"col4":{"num":"(.*?)","percent":(.*?)},"col5":{"text":(.*?),"upOrDown)P";
// Suggestions (ignoring case).
inline const Text kSuggestionPattern = R"P(\["(.*?)",")P";
// A page's declared charset, looked for in its first 1024 bytes (ignoring case).
inline const Text kDeclaredCharsetPattern = R"P(<meta.+?charset=[^\w]?([-\w]+))P";

// Keyword search address (after the host), with the settings as texts.
struct SampleUnionQuery {
  std::string keyword{};  // percent-encoded
  int page = 1;
  std::string sortType = "0";
  std::string sellerCredit{}, incomeRateFrom{}, incomeRateTo{}, priceFrom{}, priceTo{}, monthlySales{};
  std::string freeShipment = "0", directedPlan = "0", flagshipStore = "0", highConversion = "0";
  std::string random = "4821993017265";  // stands for the random digits
};

inline std::string KeywordSearchTarget(const SampleUnionQuery& q) {
  return "/items/search.json?toPage=" + std::to_string(q.page) + "&queryType=&q=" + q.keyword + "&_t=" + q.random +
         "&sortType=" + q.sortType + "&startRatesum=" + q.sellerCredit + "&freeShipment=" + q.freeShipment +
         "&dxjh=" + q.directedPlan + "&hPayRate30=" + q.monthlySales + "&b2c=" + q.flagshipStore +
         "&startTkRate=" + q.incomeRateFrom + "&endTkRate=" + q.incomeRateTo + "&startPrice=" + q.priceFrom +
         "&endPrice=" + q.priceTo + "&auctionTag=&perPageSize=40&shopTag=" + q.highConversion + "&t=" + q.random +
         "&_tb_token_=mock&pvid=10_58.215.21.6_421_" + q.random;
}

// Super search address with the designed defaults of the super-search page.
inline std::string SuperSearchTarget(const SampleUnionQuery& q) {
  return "/items/search.json?toPage=" + std::to_string(q.page) + "&queryType=&q=" + q.keyword + "&_t=" + q.random +
         "&hPayRate30=0&b2c=" + q.flagshipStore + "&freeShipment=" + q.freeShipment + "&dxjh=" + q.directedPlan +
         "&startBiz30day=" + q.monthlySales +
         "&startQuantity=200&startPayUv30=10&startRlRate=20&hGoodRate=0&jhs=0&typeTag=&startRatesum=&startDsr="
         "&startSpay30=10&xfzbz=0&qtth=0&lRfdRate=0&hSellerGoodrat=0&hSpayRate30=0&jpmj=0&dpyhq=0&npxType=0"
         "&picQuality=0&startTkRate=" +
         q.incomeRateFrom + "&endTkRate=" + q.incomeRateTo + "&startPrice=" + q.priceFrom + "&endPrice=" + q.priceTo +
         "&loc=&auctionTag=qtth&perPageSize=40&shopTag=&t=" + q.random + "&_tb_token_=mock&pvid=12_61.135.1.9_388_" +
         q.random;
}

inline std::string ChannelSearchTarget(const std::string& code, const std::string& keyword, int page) {
  return "/items/channel/" + code + ".json?channel=" + code + "&q=" + keyword +
         "&_t=1467089749213&toPage=" + std::to_string(page) +
         "&oehd=1&oedphb=1&startBiz30day=&startPrice=&endPrice=&jpmj=0&perPageSize=50&auctionTag=oehd&shopTag="
         "&t=1467089773101&_tb_token_=mock&pvid=10_101.226.4.6_712_1467089773103";
}

inline std::string ChannelCategoryTarget(const std::string& code) {
  return "/items/channel/" + code + ".json?toPage=1&channel=" + code +
         "&perPageSize=40&t=1466953552421&_tb_token_=mock&pvid=10_101.226.4.6_655_1466953552425";
}

// High-commission addresses: form A (no shop box), B (marketplace boxes), C (mall boxes).
struct SampleHighCommissionQuery {
  std::string q{}, startBiz30day{}, startTkRate{}, endTkRate{}, startPrice{}, endPrice{}, sortCode{};
  std::string userType{}, jpmj = "1", shopTag{}, b2c{};
};

inline std::string HighCommissionTarget(char form, const SampleHighCommissionQuery& h, int page) {
  std::string t = "/items/channel/qqhd.json?q=" + h.q +
                  "&channel=qqhd&_t=1467789180239&startBiz30day=" + h.startBiz30day +
                  "&toPage=" + std::to_string(page) + "&queryType=2&startTkRate=" + h.startTkRate +
                  "&endTkRate=" + h.endTkRate + "&startPrice=" + h.startPrice + "&endPrice=" + h.endPrice;
  if (form == 'A') {
    return t + "&perPageSize=40&shopTag=" + h.sortCode +
           "&t=1467789246058&_tb_token_=mock&pvid=10_117.136.0.1_521_1467789246061";
  }
  t += "&sortType=" + h.sortCode + "&userType=" + h.userType;
  if (form == 'B') {
    return t + "&jpmj=" + h.jpmj + "&perPageSize=40&shopTag=" + h.shopTag +
           "&t=1467790559282&_tb_token_=mock&pvid=10_117.136.0.1_521_1467790559285";
  }
  return t + "&b2c=" + h.b2c + "&perPageSize=40&shopTag=" + h.shopTag +
         "&t=1467790953988&_tb_token_=mock&pvid=10_117.136.0.1_521_1467790953990";
}
