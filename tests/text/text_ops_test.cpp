#include "text/text_ops.h"

#include <gtest/gtest.h>

#include <limits>

TEST(TextOps, FindNeverStartsOnATrailByte) {
  // 中 is D6 D0 and 婴 is D3 A4; "\xD0\xD3" straddles the two characters.
  const Text text = Gbk("中婴") + "x";
  EXPECT_EQ(Find(text, "\xD0\xD3"), -1);
  EXPECT_EQ(Find(text, Gbk("婴")), 3);
  // A trail byte that equals an ASCII letter: 乇 is D8 40 ('@').
  EXPECT_EQ(Find(Gbk("乇@"), "@"), 3);
  EXPECT_EQ(Find("abcabc", "c", 4), 6);
  EXPECT_EQ(Find("abc", ""), -1);
  EXPECT_EQ(Find("aBc", "b", 1, true), 2);
  EXPECT_EQ(Find("aBc", "b"), -1);
}

TEST(TextOps, Parts) {
  EXPECT_EQ(Left("abc", 2), "ab");
  EXPECT_EQ(Left("abc", 0), "");
  EXPECT_EQ(Left("abc", -1), "");
  EXPECT_EQ(Right("abc", 5), "abc");
  EXPECT_EQ(Right("abc", 0), "");
  EXPECT_EQ(Mid("abcdef", 2, 3), "bcd");
  EXPECT_EQ(Mid("abc", 9, 3), "");
}

TEST(TextOps, TrimKnowsOnlySpaceAndIdeographicSpace) {
  const Text ideo = "\xA1\xA1";
  EXPECT_EQ(Trim(ideo + " a b " + ideo), "a b");
  EXPECT_EQ(Trim("\ta\r\n"), "\ta\r\n");
  EXPECT_EQ(RemoveBlanks("a b" + ideo + "c\t"), "abc\t");
  // "\xB0\xA1" is a character whose trail byte is A1: not half of a blank.
  EXPECT_EQ(TrimRight("\xB0\xA1\xA1"), "\xB0\xA1\xA1");
}

TEST(TextOps, Split) {
  using V = std::vector<Text>;
  EXPECT_EQ(Split("a,,b", ","), (V{"a", "", "b"}));
  EXPECT_EQ(Split(",a", ","), (V{"", "a"}));
  EXPECT_EQ(Split("a,", ","), (V{"a"}));
  EXPECT_EQ(Split("a", ","), (V{"a"}));
  EXPECT_EQ(Split("", ","), V{});
  EXPECT_EQ(Split("a\r\nb\r\n", "\r\n"), (V{"a", "b"}));
}

TEST(TextOps, WholeNumberReading) {
  struct Case {
    Text in;
    int64_t out;
  } cases[] = {
      {"12.9", 12},
      {"-5", -5},
      {"", 0},
      {"abc", 0},
      {"  +42x", 42},
      {"\t7", 7},
      {Gbk("１２３"), 123},
      {Gbk("－４５"), -45},
      {Gbk("　＋６"), 6},
      {"99999999999999999999999", std::numeric_limits<int64_t>::max()},
      {"-99999999999999999999999", std::numeric_limits<int64_t>::min()},
  };
  for (const Case& c : cases) EXPECT_EQ(ToInt64(c.in), c.out) << c.in;
  EXPECT_EQ(ToInt("3000000000"), std::numeric_limits<int>::max());
  EXPECT_EQ(ToInt("-3000000000"), std::numeric_limits<int>::min());
}

TEST(TextOps, ReplaceAll) {
  EXPECT_EQ(ReplaceAll("a\r\nb\r\n", "\r\n", "{$}"), "a{$}b{$}");
  EXPECT_EQ(ReplaceAll("SET-cookie: x", "set-cookie", "Set-Cookie", true), "Set-Cookie: x");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}
