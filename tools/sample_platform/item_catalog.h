#pragma once
// The items the sample affiliate platform "has" for one search: a catalog
// drawn deterministically from the search's source (keyword search or theme
// channel) and keyword, then filtered, sorted and cut into pages as the
// request asks.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct SampleChannel;

struct SampleItem {
  int64_t auctionId = 0;
  int64_t sellerId = 0;
  int userType = 0;  // 1: mall shop, 0: marketplace shop
  std::string nick;
  std::string shopTitle;
  std::string title;  // UTF-8, keyword tokens inside "<span class=H>" … "</span>"
  std::string pictUrl;
  int64_t rootCatId = 0;
  int64_t leafCatId = 0;
  // Money in fen (hundredths of a yuan), rates in hundredths of a percent.
  int64_t reservePrice = 0;
  int64_t zkPrice = 0;
  int64_t tkRate = 0;
  int64_t tkCommFee = 0;
  int64_t eventRate = 0;
  int64_t rlRate = 0;
  int64_t biz30day = 0;
  int64_t totalNum = 0;
  int64_t totalFee = 0;
  int dayLeft = 0;
};

// `channel` nullptr: the keyword search. `keyword` is UTF-8; blanks separate
// the tokens that titles highlight.
std::vector<SampleItem> BuildSampleCatalog(const SampleChannel* channel, const std::string& keyword);

struct SampleItemFilter {
  std::optional<int64_t> minPrice, maxPrice;  // fen
  std::optional<int64_t> minRate, maxRate;    // hundredths of a percent
  std::optional<int64_t> minSales;            // biz30day
  std::optional<int64_t> minRlRate;           // hundredths of a percent
  std::optional<int> userType;
};

// Sort codes as the platform takes them in `sortType`: 9 sales, 3 price high
// to low, 4 price low to high, 1 commission rate, 5 promotions, 7 commission
// paid, 11 / 12 days left long to short / short to long, 13 newest event
// first; anything else keeps the catalog's own order.
void FilterAndSortSampleItems(std::vector<SampleItem>& items, const SampleItemFilter& filter, int sortType);
