#pragma once
// The category tables of the sample ranking site: for each top-level table
// (its topId and its own category id) the groups of sub-categories that the
// site shows as a tree, each sub-category with its leaf id.
#include <string_view>
#include <vector>

struct SampleCategoryLeaf {
  const char* name;
  const char* id;
};

struct SampleCategoryGroup {
  const char* name;
  std::vector<SampleCategoryLeaf> leaves;
};

struct SampleCategoryTable {
  const char* topId;
  const char* categoryId;
  const char* name;
  std::vector<SampleCategoryGroup> groups;
};

const std::vector<SampleCategoryTable>& SampleCategoryTables();
// nullptr for an unknown topId.
const SampleCategoryTable* FindSampleCategoryTable(std::string_view topId);
// The leaf of `table` with that id; nullptr when the table has none.
const SampleCategoryLeaf* FindSampleCategoryLeaf(const SampleCategoryTable& table, std::string_view leafId);

// Words that keyword rankings put before and after a category name.
const std::vector<const char*>& SampleKeywordPrefixes();
const std::vector<const char*>& SampleKeywordSuffixes();
