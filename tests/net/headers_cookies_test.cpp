#include "net/headers_cookies.h"

#include <gtest/gtest.h>

#include "text/text.h"

namespace {

struct MergeCase {
  const char* cookies;
  const char* newCookies;
  const char* merged;    // the result, and `cookies` afterwards
  const char* newAfter;  // `newCookies` afterwards
};

TEST(MergeCookiesTest, MergesRemovesBlanksAndDropsEmptyOrDeletedPairs) {
  const MergeCase cases[] = {
      {"a=1; b=2", "b=3;c=4", "a=1;b=3;c=4;", "b=3;c=4"},
      {"a=1;b=2;", "a=deleted", "b=2;", "a=deleted"},
      {"", "x=1; y=", "x=1;", "x=1;y="},
      {"t=ab==", "u=1", "t=ab==;u=1;", "u=1"},
      {"a=1", "", "a=1", ""},
      {"x = 1; y=2", "", "x=1;y=2", ""},
      {"a=1", "a=2;a=3", "a=3;", "a=2;a=3"},
      {"k=x y", "z=1", "k=xy;z=1;", "z=1"},
      {";a=1", "b=2", "a=1;b=2;", "b=2"},          // a leading empty piece has no name
      {"a=1;noequals", "c=3", "a=1;c=3;", "c=3"},  // a pair without "=" has an empty value
      {"B=1", "b=2", "B=1;b=2;", "b=2"},           // names compare case-sensitively
  };
  for (const MergeCase& c : cases) {
    Text cookies = c.cookies;
    Text newCookies = c.newCookies;
    const Text merged = MergeCookies(cookies, newCookies);
    EXPECT_EQ(merged, c.merged) << c.cookies << " + " << c.newCookies;
    EXPECT_EQ(cookies, c.merged) << c.cookies << " + " << c.newCookies;
    EXPECT_EQ(newCookies, c.newAfter) << c.cookies << " + " << c.newCookies;
  }
}

TEST(MergeCookiesTest, IdeographicSpaceIsABlank) {
  Text cookies = Gbk("a=1;　b=2");
  Text newCookies = Gbk("c=　3");
  EXPECT_EQ(MergeCookies(cookies, newCookies), "a=1;b=2;c=3;");
  EXPECT_EQ(newCookies, "c=3");
}

TEST(CollectSetCookiesTest, TakesTheFirstPairOfEachSetCookieLine) {
  struct Case {
    const char* block;
    const char* collected;
  } cases[] = {
      {"Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\nContent-Length: 0", "a=1; b=2"},
      {"HTTP/1.1 200 OK\r\nSet-Cookie:  c=3 \r\n\r\n", "c=3"},
      {"Content-Length: 0\r\n", ""},
      {"", ""},
      {"Set-Cookie: s=v; Expires=Wed, 21 Oct 2026 07:28:00 GMT; HttpOnly", "s=v"},
      // Only the exact spelling counts; the fetchers normalise it first.
      {"set-cookie: a=1", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CollectSetCookies(c.block), c.collected) << c.block;
}

TEST(NormalizeSetCookieTest, RewritesAnyCaseMix) {
  EXPECT_EQ(NormalizeSetCookie("set-cookie: a=1; path=/\r\nSET-COOKIE: b=2\r\nX: sEt-CoOkIe"),
            "Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\nX: Set-Cookie");
  EXPECT_EQ(CollectSetCookies(NormalizeSetCookie("set-cookie: a=1; path=/\r\nSET-COOKIE: b=2")), "a=1; b=2");
}

TEST(TextBetweenTest, Cases) {
  struct Case {
    Text text, left, right;
    int start;
    bool caseInsensitive;
    Text expected;
  } cases[] = {
      {"xaybz", "a", "b", 1, false, "y"},
      {"xay", "a", "b", 1, false, ""},
      {"xyb", "a", "b", 1, false, ""},
      {"a1ba2b", "a", "b", 2, false, "2"},
      {"a1ba2b", "a", "b", -5, false, "1"},
      {"xAyBz", "a", "b", 1, false, ""},
      {"xAyBz", "a", "b", 1, true, "y"},
      {"ab", "a", "b", 1, false, ""},
      {"k=\"v\";", Gbk("k=#引号"), Gbk("#引号"), 1, false, "v"},
      {Gbk("前中间后"), Gbk("前"), Gbk("后"), 1, false, Gbk("中间")},
      {"abc", "", "c", 1, false, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TextBetween(c.text, c.left, c.right, c.start, c.caseInsensitive), c.expected)
        << c.text << " [" << c.left << "," << c.right << "]";
}

TEST(HeaderLineTest, NameAndValueAroundTheFirstColon) {
  struct Case {
    Text line, name, value;
  } cases[] = {
      {"Host: a.example:8080", "Host", "a.example:8080"},
      {"NoColon", "", ""},
      {"  X-A :  v  ", "X-A", "v"},
      {Gbk("　X:　v　"), "X", "v"},
      {"X:\tv", "X", "\tv"},  // only spaces are blanks
      {"Empty:", "Empty", ""},
      {": v", "", "v"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HeaderName(c.line), c.name) << c.line;
    EXPECT_EQ(HeaderValue(c.line), c.value) << c.line;
  }
}

TEST(CookiePieceTest, NameTrimmedValueNot) {
  EXPECT_EQ(CookieName(" a =1"), "a");
  EXPECT_EQ(CookieValue(" a = 1 "), " 1 ");
  EXPECT_EQ(CookieName(" solo "), "solo");
  EXPECT_EQ(CookieValue("solo"), "");
  EXPECT_EQ(CookieValue("t=ab=="), "ab==");
}

}  // namespace
