#pragma once
// Affiliate search replies for the benchmarks: UTF-8 JSON in the platform's
// shape, with Chinese titles, nicks and shop names, about 1.2 KB per item.
// The key order is the one the union run's patterns rely on. Deterministic,
// so every run measures the same bytes.
#include <cstdint>
#include <string>

struct AffiliateReplyShape {
  int items = 40;
  // Titles with "100%" and addresses with percent escapes, as some replies
  // carry them.
  bool percentSigns = false;
  // Drop the "rlRate" key, so the 30-day sales pattern never finds its end.
  bool withoutRlRate = false;
};

inline std::string MakeAffiliateReply(const AffiliateReplyShape& shape) {
  static const char* const kWords[] = {"连衣裙", "女装",   "夏季", "新款", "韩版", "修身", "显瘦", "雪纺",
                                       "短袖",   "中长款", "纯棉", "宽松", "百搭", "气质", "碎花", "包邮",
                                       "正品",   "特价",   "时尚", "休闲", "学生", "清仓", "加厚", "真丝"};
  static const char* const kShops[] = {"小雅时尚女装店", "韩都衣舍旗舰店", "优衣精品屋",
                                       "花花公主服饰",   "简约生活馆",     "江南布衣小铺"};
  constexpr int kWordCount = sizeof kWords / sizeof kWords[0];
  constexpr int kShopCount = sizeof kShops / sizeof kShops[0];
  uint64_t seed = 0x9E3779B97F4A7C15ull;
  auto next = [&seed](uint64_t range) {
    seed = seed * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<int64_t>((seed >> 33) % range);
  };
  auto decimal = [&next](uint64_t range) {
    int64_t cents = next(range);
    std::string fraction = std::to_string(cents % 100);
    return std::to_string(cents / 100) + "." + (fraction.size() < 2 ? "0" : "") + fraction;
  };

  std::string out =
      "{\"data\":{\"head\":{\"version\":\"1.0\",\"status\":\"OK\",\"pageNo\":1,\"pageSize\":" +
      std::to_string(shape.items) +
      ",\"searchUrl\":null,\"pvid\":\"10_127.0.0.1_512_1467123456789\",\"errmsg\":null,\"fromcache\":null,"
      "\"processtime\":31,\"ha3time\":12,\"docsize\":" +
      std::to_string(shape.items) +
      ",\"responseTxt\":null},\"condition\":null,\"paginator\":{\"length\":40,\"offset\":0,\"page\":1,"
      "\"beginIndex\":1,\"endIndex\":40,\"items\":3120,\"pages\":78,\"firstPage\":1,\"lastPage\":78,"
      "\"previousPage\":1,\"nextPage\":2,\"slider\":[1,2,3,4]},\"pageList\":[";
  for (int i = 0; i < shape.items; ++i) {
    const std::string id = std::to_string(520000000000ll + next(9000000000ll));
    std::string title = "<span class=H>连衣裙</span>";
    for (int w = 0; w < 7; ++w) title += kWords[next(kWordCount)];
    if (shape.percentSigns && i % 4 == 0) title += "100%桑蚕丝";
    const std::string shop = kShops[next(kShopCount)];
    const std::string picture = "http://img0" + std::to_string(next(5)) + ".taobaocdn.com/bao/uploaded/i" +
                                std::to_string(next(5)) + "/" + (shape.percentSigns ? "TB1%2F" : "TB1") +
                                std::to_string(next(1000000000)) + "_!!0-item_pic.jpg";
    if (i) out += ",";
    out +=
        "{\"eventCreatorId\":0,\"rootCatId\":16,\"leafCatId\":50010850,\"debugInfo\":null,\"rootCatScore\":0,"
        "\"nick\":\"" +
        shop + "\",\"userType\":" + std::to_string(next(2)) +
        ",\"sellerId\":" + std::to_string(100000000 + next(900000000)) + ",\"shopTitle\":\"" + shop +
        "\",\"pictUrl\":\"" + picture + "\",\"title\":\"" + title + "\",\"auctionId\":" + id +
        ",\"couponActivityId\":null,\"auctionUrl\":\"http://item.taobao.com/item.htm?id=" + id +
        "\",\"reservePrice\":" + decimal(90000) + ",\"zkPrice\":" + decimal(50000) + ",\"tkRate\":" + decimal(5000) +
        ",\"tkCommFee\":" + decimal(3000) + ",\"eventRate\":null" + ",\"biz30day\":" + std::to_string(next(20000)) +
        (shape.withoutRlRate ? "" : ",\"rlRate\":" + decimal(10000)) + ",\"totalNum\":" + std::to_string(next(5000)) +
        ",\"totalFee\":" + decimal(900000) + ",\"dayLeft\":" + std::to_string(next(30)) +
        ",\"hasRecommended\":null,\"hasSame\":null,\"sameItemPid\":\"-" + std::to_string(next(100000)) +
        "\",\"auctionTag\":\"385 587 907 1163 1478 1483 2049 2059 3974 4166 4491 6603 11083 13890 28802\","
        "\"couponInfo\":\"满199元减20元 " +
        std::string(kWords[next(kWordCount)]) +
        "专享\",\"couponLink\":\"\",\"couponLinkTaoToken\":\"\","
        "\"shopKeeperPromise\":\"七天无理由退换货 正品保障 极速发货\",\"tkSpecialCampaignIdRateMap\":null,"
        "\"includeDxjh\":0,\"tkMktStatus\":null,\"hasUmpBonus\":null,\"isBizActivity\":null,"
        "\"umpBonus\":null,\"rootCategoryName\":\"女装/女士精品\",\"leafCategoryName\":\"连衣裙\"}";
  }
  out += "],\"navigator\":[";
  for (int c = 0; c < 24; ++c) {
    if (c) out += ",";
    out += "{\"name\":\"" + std::string(kWords[c]) + "\",\"id\":" + std::to_string(50000000 + c) +
           ",\"count\":" + std::to_string(next(98000)) + ",\"level\":1}";
  }
  out +=
      "],\"extraInfo\":null},\"info\":{\"message\":null,\"pvid\":\"10_127.0.0.1_512_1467123456789\",\"ok\":true},"
      "\"ok\":true,\"invalidKey\":null}";
  return out;
}
