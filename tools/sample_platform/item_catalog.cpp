#include "sample_platform/item_catalog.h"

#include <algorithm>
#include <functional>

#include "net/remote_hosts.h"
#include "sample_platform/seeded_random.h"
#include "sample_platform/vocabulary.h"

namespace {

std::vector<std::string> Tokens(const std::string& keyword) {
  std::vector<std::string> tokens;
  size_t i = 0;
  while (i < keyword.size()) {
    while (i < keyword.size() && keyword[i] == ' ') ++i;
    const size_t end = std::min(keyword.find(' ', i), keyword.size());
    if (end > i) tokens.push_back(keyword.substr(i, end - i));
    i = end;
  }
  return tokens;
}

std::string Highlight(const std::string& token) { return "<span class=H>" + token + "</span>"; }

std::string Title(SampleRandom& rng, const SampleChannel* channel, const std::vector<std::string>& tokens) {
  const SampleTitleWords& words = SampleTitleWordLists();
  std::string title = rng.Pick(words.prefixes);
  if (rng.Chance(60)) title += rng.Pick(words.styles);
  if (!tokens.empty()) title += Highlight(tokens.front());
  if (channel) {
    title += rng.Pick(channel->nouns);
  } else if (tokens.empty()) {
    title += rng.Pick(words.nouns);
  }
  title += rng.Pick(words.styles);
  for (size_t i = 1; i < tokens.size(); ++i) title += Highlight(tokens[i]);
  title += rng.Pick(words.suffixes);
  if (rng.Chance(50)) title += rng.Pick(words.suffixes);
  return title;
}

std::string PictureCode(SampleRandom& rng) {
  static const char kAlphabet[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string code;
  for (int i = 0; i < 14; ++i) code += kAlphabet[rng.Range(0, 61)];
  return code;
}

// Prices end the way shops price things: 59.90, 128.00, 39.80, 99.99.
int64_t ShopPrice(SampleRandom& rng, int64_t minCents, int64_t maxCents) {
  static const int kEndings[] = {0, 90, 80, 50, 99, 88, 0, 90};
  const int64_t yuan = rng.Range(minCents / 100, std::max(minCents / 100, maxCents / 100 - 1));
  int64_t price = yuan * 100 + rng.Pick(kEndings);
  return std::clamp<int64_t>(price, std::max<int64_t>(minCents, 1), maxCents);
}

SampleItem MakeItem(uint64_t seed, int index, const SampleChannel* channel, const std::vector<std::string>& tokens,
                    int64_t basePrice) {
  SampleRandom rng(SampleHash(std::to_string(index), seed));
  const SampleShopWords& shops = SampleShopWordLists();
  SampleItem item;
  item.auctionId = 520000000000 + static_cast<int64_t>(rng.Next() % 20000000000ull);
  item.sellerId = 100000000 + static_cast<int64_t>(rng.Next() % 3000000000ull);
  item.userType = rng.Chance(35) ? 1 : 0;
  item.nick = std::string(rng.Pick(shops.heads)) + rng.Pick(shops.tails);
  if (rng.Chance(30)) item.nick += std::to_string(rng.Range(1, 99));
  item.shopTitle = item.nick + (item.userType == 1 ? rng.Pick(shops.mallSuffixes) : rng.Pick(shops.marketSuffixes));
  item.title = Title(rng, channel, tokens);
  const bool png = rng.Chance(25);
  item.pictUrl = std::string("http://") + kPictureHost + "/bao/uploaded/i" + std::to_string(rng.Range(1, 4)) + "/" +
                 std::to_string(item.sellerId) + "/TB1" + PictureCode(rng) + (png ? ".png" : ".jpg");

  const std::vector<SampleChannelCategory>& categories = channel ? channel->categories : SampleSearchCategories();
  item.leafCatId = rng.Pick(categories).id;
  item.rootCatId = channel ? 0 : item.leafCatId;

  if (channel) {
    item.zkPrice = ShopPrice(rng, channel->minPriceCents, channel->maxPriceCents);
  } else {
    // Most items cost about what the keyword's things cost; some are cheap
    // accessories, some premium versions.
    const int band = static_cast<int>(rng.Range(1, 100));
    const int64_t low = band <= 15 ? 300 : band <= 85 ? basePrice * 35 / 100 : basePrice * 260 / 100;
    const int64_t high = band <= 15 ? basePrice * 35 / 100 : band <= 85 ? basePrice * 260 / 100 : basePrice * 600 / 100;
    item.zkPrice = ShopPrice(rng, std::max<int64_t>(low, 190), std::max<int64_t>(high, 390));
  }
  item.reservePrice = item.zkPrice * rng.Range(110, 250) / 100 / 100 * 100;
  if (item.reservePrice < item.zkPrice) item.reservePrice = item.zkPrice;

  const int band = static_cast<int>(rng.Range(1, 10));
  if (channel && channel->highCommission) {
    item.tkRate = rng.Range(2000, 6000);
  } else {
    item.tkRate = band <= 6 ? rng.Range(150, 1500) : band <= 9 ? rng.Range(1500, 3000) : rng.Range(3000, 5000);
  }
  if (rng.Chance(50)) item.tkRate = item.tkRate / 10 * 10;  // many rates have one decimal only
  item.tkCommFee = (item.zkPrice * item.tkRate + 5000) / 10000;
  item.eventRate =
      (channel && channel->highCommission) ? std::min<int64_t>(item.tkRate + rng.Range(500, 3000), 9000) : item.tkRate;
  item.rlRate = rng.Range(500, 6000);
  const int64_t r = rng.Range(0, 1000);
  item.biz30day = r * r * r / 20000 + rng.Range(0, 30);
  item.totalNum = item.biz30day * rng.Range(0, 30) / 100;
  item.totalFee = item.totalNum * item.tkCommFee;
  item.dayLeft = static_cast<int>(rng.Range(1, channel && channel->highCommission ? 45 : 90));
  return item;
}

}  // namespace

std::vector<SampleItem> BuildSampleCatalog(const SampleChannel* channel, const std::string& keyword) {
  const uint64_t seed = SampleHash(keyword, SampleHash(channel ? channel->code : "search"));
  SampleRandom rng(seed);
  // How much a search finds depends on the keyword: a few pages for some,
  // dozens for others; a theme channel without a keyword lists its whole range.
  int64_t count;
  if (!channel) {
    count = rng.Range(3, 40) * 40 - rng.Range(0, 39);
  } else if (keyword.empty()) {
    count = rng.Range(150, 1800);
  } else {
    count = rng.Range(40, 600);
  }
  const int64_t basePrice = rng.Range(15, 400) * 100;
  const std::vector<std::string> tokens = Tokens(keyword);
  std::vector<SampleItem> items;
  items.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) items.push_back(MakeItem(seed, i, channel, tokens, basePrice));
  return items;
}

void FilterAndSortSampleItems(std::vector<SampleItem>& items, const SampleItemFilter& f, int sortType) {
  std::erase_if(items, [&](const SampleItem& item) {
    return (f.minPrice && item.zkPrice < *f.minPrice) || (f.maxPrice && item.zkPrice > *f.maxPrice) ||
           (f.minRate && item.tkRate < *f.minRate) || (f.maxRate && item.tkRate > *f.maxRate) ||
           (f.minSales && item.biz30day < *f.minSales) || (f.minRlRate && item.rlRate < *f.minRlRate) ||
           (f.userType && item.userType != *f.userType);
  });
  std::function<int64_t(const SampleItem&)> key;
  bool ascending = false;
  switch (sortType) {
    case 9:
      key = [](const SampleItem& i) { return i.biz30day; };
      break;
    case 3:
      key = [](const SampleItem& i) { return i.zkPrice; };
      break;
    case 4:
      key = [](const SampleItem& i) { return i.zkPrice; };
      ascending = true;
      break;
    case 1:
      key = [](const SampleItem& i) { return i.tkRate; };
      break;
    case 5:
      key = [](const SampleItem& i) { return i.totalNum; };
      break;
    case 7:
      key = [](const SampleItem& i) { return i.totalFee; };
      break;
    case 11:
      key = [](const SampleItem& i) { return static_cast<int64_t>(i.dayLeft); };
      break;
    case 12:
      key = [](const SampleItem& i) { return static_cast<int64_t>(i.dayLeft); };
      ascending = true;
      break;
    case 13:
      key = [](const SampleItem& i) { return i.auctionId; };
      break;
    default:
      return;
  }
  std::stable_sort(items.begin(), items.end(), [&](const SampleItem& a, const SampleItem& b) {
    return ascending ? key(a) < key(b) : key(a) > key(b);
  });
}
