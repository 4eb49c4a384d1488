#include "text/url_encoding.h"

#include <gtest/gtest.h>

#include "text/codepage.h"

TEST(UrlEncode, WorkedExampleRoundTrips) {
  const Text text = Gbk("中 a-b_c.~/");
  EXPECT_EQ(Text("\xD6\xD0", 2), Gbk("中"));
  EXPECT_EQ(UrlEncode(text, true, true), "%E4%B8%AD%20a-b%5Fc.%7E%2F");
  EXPECT_EQ(UrlDecode("%E4%B8%AD%20a-b%5Fc.%7E%2F", true), text);
  EXPECT_EQ(UrlDecode("a+b%41", true), "a+bA");
}

TEST(UrlEncode, Cases) {
  struct Case {
    Text in;
    bool keepUnreserved, asUtf8;
    Text out;
  } cases[] = {
      {"", true, true, ""},           {"A", true, true, "A"},        {" ", true, true, "%20"},
      {"_", true, true, "%5F"},       {"\t", true, true, "%09"},     {"ab", false, true, "%61%62"},
      {Gbk("中"), true, false, "%D6%D0"}, {"+~/", true, true, "%2B%7E%2F"}, {"09AZaz-.", true, true, "09AZaz-."},
  };
  for (const Case& c : cases) EXPECT_EQ(UrlEncode(c.in, c.keepUnreserved, c.asUtf8), c.out) << c.in;
}

TEST(UrlDecode, Cases) {
  struct Case {
    Text in, out;
  } cases[] = {
      {"%2f", "/"},          {"100%00", "100"},   {"100%", "100%"},  {"%4", "%4"},      {"%zz1", "%zz1"},
      {"%%41", "%A"},        {"a%4g", "a%4g"},    {"", ""},          {"%41%42", "AB"},
  };
  for (const Case& c : cases) EXPECT_EQ(UrlDecode(c.in, false), c.out) << c.in;
}

TEST(UrlDecode, ReplyWithoutPercentIsConvertedOnly) {
  const std::string reply = "{\"title\":\"\xE8\xBF\x9E\xE8\xA1\xA3\xE8\xA3\x99\",\"price\":\"12.90\"}";
  EXPECT_EQ(UrlDecode(reply, true), Gbk("{\"title\":\"连衣裙\",\"price\":\"12.90\"}"));
  EXPECT_EQ(UrlDecode(reply, true), Utf8ToGbk(reply));
}

TEST(UrlDecode, PercentEscapesDecodeBeforeTheUtf8Conversion) {
  // %E4%B8%AD is 中 in UTF-8: decoded to bytes first, then converted.
  EXPECT_EQ(UrlDecode("x%E4%B8%ADy", true), Gbk("x中y"));
  // A stray escape that yields invalid UTF-8 turns into "?" without losing the rest.
  EXPECT_EQ(UrlDecode("%FFabc", true), "?abc");
}

TEST(UrlDecode, TextEndsAtTheFirstZeroByte) {
  EXPECT_EQ(UrlDecode(std::string_view("ab\0%41", 6), false), "ab");
}
