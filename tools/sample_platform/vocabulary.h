#pragma once
// Word lists from which the sample replies build titles, shop names and
// category lists, and the thirteen theme channels of the affiliate platform.
#include <cstdint>
#include <string_view>
#include <vector>

struct SampleChannelCategory {
  const char* name;
  int64_t id;
};

struct SampleChannel {
  const char* code;  // channel code in the request path
  const char* name;
  std::vector<const char*> nouns;  // what the channel's items are
  int64_t minPriceCents;
  int64_t maxPriceCents;
  bool highCommission;  // event rates well above the ordinary rate
  std::vector<SampleChannelCategory> categories;
};

// nullptr for a code that is no channel.
const SampleChannel* FindSampleChannel(std::string_view code);

struct SampleTitleWords {
  std::vector<const char*> prefixes;  // "2016夏季新款"
  std::vector<const char*> styles;    // "韩版"
  std::vector<const char*> suffixes;  // "显瘦"
  std::vector<const char*> nouns;     // items of a search without a keyword
};
const SampleTitleWords& SampleTitleWordLists();

struct SampleShopWords {
  std::vector<const char*> heads;  // "绿野"
  std::vector<const char*> tails;  // "服饰"
  std::vector<const char*> mallSuffixes;
  std::vector<const char*> marketSuffixes;
};
const SampleShopWords& SampleShopWordLists();

// Top-level categories that a keyword search lists beside its items.
const std::vector<SampleChannelCategory>& SampleSearchCategories();
