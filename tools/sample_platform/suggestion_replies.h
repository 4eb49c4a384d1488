#pragma once
// Reply of the sample suggestion service (/sug?code=utf-8&q=...): UTF-8 JSON
// whose "result" holds up to ten [completion, count] pairs. A keyword of
// blanks only, or none, has no completions.
#include <string>

class SampleQuery;

std::string SampleSuggestionReply(const SampleQuery& query);
