#pragma once
// The category tables of the sample ranking site: for each top-level table
// (its topId and its own category id) the groups of sub-categories that the
// site shows as a tree, each sub-category with its leaf id.
#include <string_view>
#include <vector>

struct CategoryLeaf {
  const char* name;
  const char* id;
};

struct CategoryGroup {
  const char* name;
  std::vector<CategoryLeaf> leaves;
};

struct CategoryTable {
  const char* topId;
  const char* categoryId;
  const char* name;
  std::vector<CategoryGroup> groups;
};

const std::vector<CategoryTable>& CategoryTables();
// nullptr for an unknown topId.
const CategoryTable* FindCategoryTable(std::string_view topId);
// The leaf of `table` with that id; nullptr when the table has none.
const CategoryLeaf* FindCategoryLeaf(const CategoryTable& table, std::string_view leafId);

// Words that keyword rankings put before and after a category name.
const std::vector<const char*>& KeywordPrefixes();
const std::vector<const char*>& KeywordSuffixes();
