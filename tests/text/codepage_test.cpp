#include "text/codepage.h"

#include <gtest/gtest.h>

TEST(Codepage, RoundTripsChineseThroughEveryForm) {
  const std::string utf8 = "连衣裙 2024 新款，女装【包邮】";
  const Text gbk = Utf8ToGbk(utf8);
  EXPECT_EQ(gbk.substr(0, 6), "\xC1\xAC\xD2\xC2\xC8\xB9");
  EXPECT_EQ(GbkToUtf8(gbk), utf8);
  EXPECT_EQ(Utf16ToGbk(GbkToUtf16(gbk)), gbk);
  EXPECT_EQ(TextToUtf16(utf8, kCodePageUtf8), GbkToUtf16(gbk));
  EXPECT_EQ(Utf16ToText(GbkToUtf16(gbk), kCodePageUtf8), utf8);
}

TEST(Codepage, UnconvertibleAndInvalidInputBecomeQuestionMarksAndGoOn) {
  EXPECT_EQ(Utf8ToGbk("a\xF0\x9F\x98\x80" "b中"), "a?b" + Gbk("中"));       // emoji
  EXPECT_EQ(Utf8ToGbk("a\xC3(b"), "a?(b");                                   // broken sequence
  EXPECT_EQ(Utf8ToGbk("\xE4\xB8"), "??");                                    // cut at the end
  EXPECT_EQ(Utf8ToGbk("\xC0\xAF"), "??");                                    // overlong
  EXPECT_EQ(Utf8ToGbk("\xED\xA0\x80x"), "???x");                             // surrogate
  EXPECT_EQ(GbkToUtf8("a\xFF" "b"), "a?b");                                  // not a GBK byte
  EXPECT_EQ(GbkToUtf8("a\xD6"), "a?");                                       // lead byte at the end
  EXPECT_EQ(GbkToUtf8("\xD6\"x"), "?\"x");                                   // lead byte before ASCII
  EXPECT_EQ(Utf16ToGbk(u"a\xD800" "b"), "a?b");                              // lone surrogate
  EXPECT_EQ(Utf16ToGbk(u"\U0001F600"), "?");                                 // one "?" for a pair
}

TEST(Codepage, InputEndsAtTheFirstZero) {
  EXPECT_EQ(Utf8ToGbk(std::string_view("ab\0cd", 5)), "ab");
  EXPECT_EQ(GbkToUtf8(std::string_view("ab\0cd", 5)), "ab");
  EXPECT_EQ(Utf16ToGbk(std::u16string_view(u"ab\0cd", 5)), "ab");
  EXPECT_TRUE(GbkToUtf16("").empty());
}

TEST(Codepage, LongMixedTextMatchesByteForByte) {
  std::string utf8;
  for (int i = 0; i < 2000; ++i) utf8 += "{\"k\":\"价格\",\"v\":12.5}ab中文";
  EXPECT_EQ(GbkToUtf8(Utf8ToGbk(utf8)), utf8);
}

TEST(Codepage, DeclaredCharsets) {
  Text out;
  ASSERT_TRUE(CharsetToGbk("\xE4\xB8\xAD", "UTF-8", out));
  EXPECT_EQ(out, Gbk("中"));
  ASSERT_TRUE(CharsetToGbk("caf\xE9 \xFE", "iso-8859-1", out));
  EXPECT_EQ(out, "caf" + Gbk("é") + " ?");  // the thorn has no GBK form
  ASSERT_TRUE(CharsetToGbk("\xA4\xA4", "big5", out));
  EXPECT_EQ(out, Gbk("中"));
  out = "unchanged";
  EXPECT_FALSE(CharsetToGbk("abc", "no-such-charset", out));
  EXPECT_EQ(out, "unchanged");
}
