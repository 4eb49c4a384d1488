#include "text/unescape.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

// Cases are written in UTF-8 and compared as GBK texts.
struct UnescapeCase {
  std::string in;
  std::string out;
};

static void ExpectUnescapes(Text (*decode)(const Text&), const UnescapeCase& c) {
  EXPECT_EQ(decode(Gbk(c.in)), Gbk(c.out)) << "input: " << c.in;
}

TEST(UnescapeText, KeywordsFromRankingReplies) {
  const UnescapeCase cases[] = {
      {"\\u8fde\\u8863\\u88d9", "连衣裙"},
      {"\\u8FDE\\u8863 2024\\u65b0", "连衣 2024新"},
      {"a\\/b", "a/b"},
      {"\\\"q\\\" \\\\ x", "\"q\" \\ x"},
      {"it's", "it's"},
      {"it\\'s", "it's"},
      {"’", "'"},  // a right quotation mark already in the text comes back as an apostrophe too
      {"x\r\ny", "x\r\ny"},
      {"\r\n\\u4e2d\r\n", "\r\n中\r\n"},
      {"100%", "100%"},
      {"", ""},
      {"%41%u4e2d", "A中"},
      {"%u4e2", "%u4e2"},
      {"\rabc", "abc"},  // a leading lone CR is dropped before the literal is read
  };
  for (const UnescapeCase& c : cases) ExpectUnescapes(UnescapeText, c);
}

TEST(UnescapeText, EscapesOfTheScriptLiteral) {
  const UnescapeCase cases[] = {
      {"\\b\\f\\n\\r\\t", "\b\f\n\r\t"},
      {"\\v", "v"},  // the old engine has no "\v" escape
      {"\\x41\\x4e2d", "AN2d"},
      {"\\101\\61\\7", "A1\a"},
      {"\\400", " 0"},  // \40 is the longest octal escape starting with 4
      {"x\\0y", "x"},   // a zero character ends the text
      {"\\0", "\\0"},   // and nothing before it leaves the result to the fallback
      {"\\8\\9", "89"},
      {"\\q\\中", "q中"},
      {"a\\\nb", "ab"},  // backslash and line break continue the literal
      {"a\\\rb", "ab"},
      // CR LF travels as a marker, so "\" before it escapes the marker's "{".
      {"a\\\r\nb", "a\r\nb"},
      // "\u" is turned into "%u" first, even after an escaped backslash.
      {"\\\\u4e2d", "中"},
  };
  for (const UnescapeCase& c : cases) ExpectUnescapes(UnescapeText, c);
}

TEST(UnescapeText, RefusedLiteralsFallBackToThePercentDecoder) {
  const UnescapeCase cases[] = {
      {"a\n\\u4e2d", "a\n中"},                              // a lone line feed ends a script literal
      {"a\r\\u4e2d", "a\r中"},                              // so does a lone CR after the first byte
      {"abc\\", "abc\\"},                                   // a trailing backslash would escape the closing quote
      {"\\x4", "\\x4"},                                     // malformed hexadecimal escape
      {"\\xZZ%41", "\\xZZA"},  {"a\n\\/b%2F", "a\n\\/b/"},  // the fallback resolves no backslash escapes
      {"%00abc", "abc"},                                    // ...and an empty script result also falls back
      {"\\08", "\\08"},
  };
  for (const UnescapeCase& c : cases) ExpectUnescapes(UnescapeText, c);
}

TEST(UnescapeText, CharactersWithoutAGbkFormBecomeQuestionMarks) {
  const UnescapeCase cases[] = {
      {"\\ud83d\\ude00!", "?!"},  // one character outside the BMP
      {"%uD800x", "?x"},          // a lone surrogate
  };
  for (const UnescapeCase& c : cases) ExpectUnescapes(UnescapeText, c);
}

TEST(UnescapeText, BackslashBytesInsideGbkCharactersAreNotEscapes) {
  // 乗 is 81 5C in GBK: its second byte is a backslash, but the literal is
  // read as characters.
  EXPECT_EQ(UnescapeText(Gbk("乗u4e2d")), Gbk("乗u4e2d"));
  EXPECT_EQ(UnescapeText(Gbk("乗")), Gbk("乗"));
  EXPECT_EQ(UnescapeText(Gbk("a\n乗")), Gbk("a\n乗"));
}

TEST(PercentUnescape, DecodesPercentEscapesByteByByte) {
  const UnescapeCase cases[] = {
      {"%41%u4e2d", "A中"},  {"中文%41", "中文A"},
      {"%2f%2F", "//"},      {"%uFF0C%u00E9%u00e9", "，éé"},  // every escape of four hexadecimal digits
      {"%u0000x%00y", "xy"}, {"%uD83D%uDE00", "??"},          // code units one at a time
      {"100%", "100%"},      {"%", "%"},
      {"%4", "%4"},          {"50%off", "50%off"},
      {"%uZZZZ", "%uZZZZ"},  {"%u12", "%u12"},
      {"%u4e2d%", "中%"},    {"\\u4e2d\\/", "\\u4e2d\\/"},
      {"%%41", "%A"},
  };
  for (const UnescapeCase& c : cases) ExpectUnescapes(PercentUnescape, c);
}

TEST(HexToInt64, ReadsTheLastSixteenDigits) {
  struct Case {
    const char* in;
    int64_t out;
  } cases[] = {
      {"", 0},
      {"0", 0},
      {"ff", 255},
      {"FF0C", 0xFF0C},
      {"00e9", 0xE9},
      {"7FFFFFFFFFFFFFFF", INT64_MAX},
      {"FFFFFFFFFFFFFFFF", -1},
      {"123456789ABCDEF01", 0x23456789ABCDEF01},
      {"1z", 0x10},  // a character that is not a digit counts as 0
      {"zz", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(HexToInt64(c.in), c.out) << c.in;
}
