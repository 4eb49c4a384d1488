#pragma once
// Pages of the sample ranking site (/index.php), as GBK HTML with the
// ranking data in a script block. Keywords and names in the data are
// written as "\u" escapes, the way the site writes them.
//
// - "rank=focus&type=up|hot&s=<offset>": the two keyword ranking lists,
//   twenty rows a page, one hundred rows each.
// - "topId=<table>&leafId=<id>&rank=<sale|search|brand>&type=<up|hot>&s=<offset>":
//   the table's sub-category tree (group headings with their sub-categories)
//   followed by the keyword rows of the leaf (or of the whole table when the
//   leaf is the table's own id), twenty rows a page.
// - anything else: the site's front page, without ranking data.
#include <string>

class SampleQuery;

std::string SampleRankingPage(const SampleQuery& query);
