#pragma once
// Reply bodies of the sample affiliate platform (UTF-8 JSON): the keyword
// and super search (/items/search.json) and the theme channels
// (/items/channel/<code>.json, the high-commission channel "qqhd" among
// them). A page of items carries the channel's or the search's category
// list beside its items; a page past the last one is the platform's short
// "nothing found" reply, which holds no item fields at all.
#include <string>

class SampleQuery;

std::string SampleSearchReply(const SampleQuery& query);
// `code` is the channel code of the path; an unknown code gets an error reply.
std::string SampleChannelReply(const std::string& code, const SampleQuery& query);
