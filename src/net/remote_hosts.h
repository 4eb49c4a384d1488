#pragma once
// The remote services the program talks to. Request addresses, Host and
// Referer always name these hosts; tests and the demo only redirect the
// connection (net/host_redirect.h).

constexpr const char* kAffiliateHost = "pub.alimama.com";      // http
constexpr const char* kItemHost = "item.taobao.com";           // marketplace item pages
constexpr const char* kMallItemHost = "detail.tmall.com";      // mall item pages
constexpr const char* kRankingHost = "top.taobao.com";         // https
constexpr const char* kSuggestionHost = "suggest.taobao.com";  // https
constexpr const char* kPictureHost = "img.alicdn.com";         // http, item pictures
