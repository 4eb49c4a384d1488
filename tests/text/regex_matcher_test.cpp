#include "text/regex_matcher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "text/codepage.h"

// The time a hostile search may take. The bound holds for the optimised
// program; Debug and sanitizer builds run the same searches several times
// slower and get more room.
#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__)
static constexpr double kSecondsAllowed = 1.0;
#else
static constexpr double kSecondsAllowed = 5.0;
#endif

// Group 1 of every match, in match order: how the search runs read a field.
static std::vector<Text> Captures(const RegexMatcher& matcher) {
  std::vector<Text> out;
  for (int i = 1; i <= matcher.MatchCount(); ++i) out.push_back(matcher.SubMatchText(i, 1));
  return out;
}

TEST(RegexMatcher, GlobalLazyCaptureFindsEveryMatchLeftToRight) {
  RegexMatcher matcher;
  EXPECT_TRUE(matcher.Match("q=(.*?)&", "q=a&q=b&"));
  EXPECT_EQ(matcher.MatchCount(), 2);
  EXPECT_EQ(matcher.SubMatchText(1, 1), "a");
  EXPECT_EQ(matcher.SubMatchText(2, 1), "b");
  EXPECT_EQ(matcher.MatchText(2), "q=b&");
  EXPECT_EQ(matcher.SubMatchCount(), 1);
  EXPECT_EQ(matcher.GetPattern(), "q=(.*?)&");
  EXPECT_FALSE(matcher.HitMatchLimit());
}

TEST(RegexMatcher, OnlyTheFirstMatchWithoutGlobal) {
  RegexMatcher matcher;
  matcher.Match("q=(.*?)&", "q=a&q=b&", false, true, false);
  EXPECT_EQ(matcher.MatchCount(), 1);
  EXPECT_EQ(matcher.SubMatchText(1, 1), "a");
}

TEST(RegexMatcher, IgnoresCaseUnlessCaseSensitive) {
  struct Case {
    const char* pattern;
    const char* subject;
    bool caseSensitive;
    int count;
  } cases[] = {
      {"title:(.*?),", "TITLE:x,", false, 1},
      {"title:(.*?),", "TITLE:x,", true, 0},
      {"TkRate\":(.*?),\"", "tkrate\":12.5,\"x", false, 1},
      {"tkRate\":(.*?),\"", "tkrate\":12.5,\"x", true, 0},
      {"tkRate\":(.*?),\"", "tkRate\":12.5,\"x", true, 1},
  };
  for (const Case& c : cases) {
    RegexMatcher matcher;
    matcher.Match(c.pattern, c.subject, c.caseSensitive);
    EXPECT_EQ(matcher.MatchCount(), c.count) << c.pattern << " / " << c.subject << " / " << c.caseSensitive;
  }
}

TEST(RegexMatcher, SecondMatchForgetsTheFirst) {
  RegexMatcher matcher;
  matcher.Match("(\\d)(\\w)", "1a 2b 3c");
  ASSERT_EQ(matcher.MatchCount(), 3);
  ASSERT_EQ(matcher.SubMatchCount(), 2);

  EXPECT_TRUE(matcher.Match("z(.)", "1a 2b 3c"));
  EXPECT_EQ(matcher.MatchCount(), 0);
  EXPECT_EQ(matcher.SubMatchCount(), 0);
  EXPECT_EQ(matcher.MatchText(1), "");
  EXPECT_EQ(matcher.SubMatchText(1, 1), "");
  EXPECT_EQ(matcher.GetPattern(), "z(.)");

  // The same subject with a pattern that matches again: nothing of the
  // first search shows through the reused conversion.
  matcher.Match("(\\w)$", "1a 2b 3c");
  EXPECT_EQ(Captures(matcher), std::vector<Text>{"c"});
  EXPECT_EQ(matcher.SubMatchCount(), 1);
}

TEST(RegexMatcher, ReadsOutsideTheMatchesAndGroupsAreEmpty) {
  RegexMatcher matcher;
  matcher.Match("(\\d)", "1 2 3");
  ASSERT_EQ(matcher.MatchCount(), 3);
  struct Read {
    int match, group;
  } reads[] = {{5, 1}, {4, 1}, {0, 1}, {-1, 1}, {1, 2}, {1, 0}, {1, -1}};
  for (const Read& r : reads) {
    int position = 7;
    EXPECT_EQ(matcher.SubMatchText(r.match, r.group, &position), "") << r.match << "," << r.group;
    EXPECT_EQ(position, -2);
  }
  EXPECT_EQ(matcher.MatchText(4), "");
  EXPECT_EQ(matcher.MatchText(0), "");
}

TEST(RegexMatcher, GroupThatTookNoPartReadsEmpty) {
  RegexMatcher matcher;
  matcher.Match("(a)|(b)", "b");
  ASSERT_EQ(matcher.MatchCount(), 1);
  EXPECT_EQ(matcher.SubMatchText(1, 1), "");
  EXPECT_EQ(matcher.SubMatchText(1, 2), "b");
  EXPECT_EQ(matcher.SubMatchCount(), 2);
}

TEST(RegexMatcher, QuoteMarkersStandForDoubleQuotes) {
  const Text subject = Gbk("{\"id\":7,\"name\":\"连衣裙\",\"nick\":\"店\"}");
  const Text pattern = Gbk("#引号name#引号:#引号(.*?)#引号");
  RegexMatcher matcher;
  matcher.Match(pattern, subject, false, true, true, true);
  EXPECT_EQ(Captures(matcher), std::vector<Text>{Gbk("连衣裙")});
  EXPECT_EQ(matcher.GetPattern(), "\"name\":\"(.*?)\"");

  // Without the flag the marker is literal text and finds nothing.
  matcher.Match(pattern, subject);
  EXPECT_EQ(matcher.MatchCount(), 0);
}

TEST(RegexMatcher, ChineseCapturesComeBackAsGbk) {
  // 億, 俛 and 乗 end in the bytes "|", "a" and "\" in GBK: matching works on
  // characters, so none of those bytes is seen on its own.
  const Text subject = Gbk("[{\"title\":\"新款連衣裙 億俛乗\",\"nick\":\"小店\"},{\"title\":\"T恤\",\"nick\":\"b\"}]");
  RegexMatcher matcher;
  matcher.Match(Gbk("title\":\"(.*?)\",\"nick\":\"(.*?)\""), subject);
  ASSERT_EQ(matcher.MatchCount(), 2);
  EXPECT_EQ(matcher.SubMatchText(1, 1), Gbk("新款連衣裙 億俛乗"));
  EXPECT_EQ(matcher.SubMatchText(1, 2), Gbk("小店"));
  EXPECT_EQ(matcher.SubMatchText(2, 1), Gbk("T恤"));

  struct Case {
    const char* pattern;
    int count;
  } cases[] = {{"\\|", 0}, {"a", 0}, {"\\\\", 0}, {"小.", 1}, {"^\\[\\{", 1}};
  for (const Case& c : cases) {
    matcher.Match(Gbk(c.pattern), subject);
    EXPECT_EQ(matcher.MatchCount(), c.count) << c.pattern;
  }
}

TEST(RegexMatcher, RejectedPatternLeavesNothingToRead) {
  for (const char* pattern : {"(", "a[", "*", "q=(.*?", "\\"}) {
    RegexMatcher matcher;
    matcher.Match("(a)", "a a");  // an earlier search must not show through
    EXPECT_FALSE(matcher.Match(pattern, "a a")) << pattern;
    EXPECT_EQ(matcher.MatchCount(), 0) << pattern;
    EXPECT_EQ(matcher.SubMatchCount(), 0) << pattern;
    EXPECT_EQ(matcher.MatchText(1), "") << pattern;
    EXPECT_EQ(matcher.SubMatchText(1, 1), "") << pattern;
    EXPECT_EQ(matcher.Replace("x"), "") << pattern;
    EXPECT_FALSE(matcher.HitMatchLimit()) << pattern;
  }
}

TEST(RegexMatcher, ClassShorthandsStayAscii) {
  RegexMatcher matcher;
  matcher.Match("[-\\w]+", Gbk("中文abc_1-2汉字"));
  EXPECT_EQ(matcher.MatchCount(), 1);
  EXPECT_EQ(matcher.MatchText(1), "abc_1-2");

  matcher.Match("\\d+", Gbk("１２3"));  // full-width digits are not \d
  EXPECT_EQ(matcher.MatchCount(), 1);
  EXPECT_EQ(matcher.MatchText(1), "3");
}

TEST(RegexMatcher, CharsetPatternOfDeclaredPages) {
  const Text pattern = "<meta.+?charset=[^\\w]?([-\\w]+)";
  struct Case {
    const char* page;
    const char* charset;
  } cases[] = {
      {"<head><META http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">", "gbk"},
      {"<meta charset=\"utf-8\" />", "utf-8"},
      {"<meta name=\"x\">\r\n<meta charset='GB2312'>", "GB2312"},
  };
  for (const Case& c : cases) {
    RegexMatcher matcher;
    matcher.Match(pattern, Gbk(c.page));
    ASSERT_GE(matcher.MatchCount(), 1) << c.page;
    EXPECT_EQ(matcher.SubMatchText(1, 1), c.charset) << c.page;
  }
}

TEST(RegexMatcher, DotCrossesLinesAndMultilineAnchorsFollowTheFlag) {
  RegexMatcher matcher;
  matcher.Match("a(.*?)b", "a\r\nx\nb");
  EXPECT_EQ(Captures(matcher), std::vector<Text>{"\r\nx\n"});

  matcher.Match("^x$", "a\nx\r\nb", false, true);
  EXPECT_EQ(matcher.MatchCount(), 1);
  matcher.Match("^x$", "a\nx\r\nb", false, false);
  EXPECT_EQ(matcher.MatchCount(), 0);
  matcher.Match("^a", "a\nx\nb", false, false);
  EXPECT_EQ(matcher.MatchCount(), 1);
}

TEST(RegexMatcher, EmptyMatchesAdvanceByWholeCharacters) {
  RegexMatcher matcher;
  // After an empty match the search moves on one character, never into the
  // middle of one: 中 and 文 each take three bytes in the engine.
  matcher.Match("x*", Gbk("中x文"));
  ASSERT_EQ(matcher.MatchCount(), 4);
  EXPECT_EQ(matcher.MatchText(1), "");
  EXPECT_EQ(matcher.MatchText(2), "x");
  EXPECT_EQ(matcher.MatchText(3), "");
  EXPECT_EQ(matcher.MatchText(4), "");

  matcher.Match("", Gbk("中文"));
  EXPECT_EQ(matcher.MatchCount(), 3);
  EXPECT_EQ(matcher.Replace("-"), Gbk("-中-文-"));

  matcher.Match(
      "(.?"
      "?)",
      Gbk("汉字"));  // split: "??)" would be a trigraph
  EXPECT_EQ(matcher.MatchCount(), 3);
}

TEST(RegexMatcher, PositionIsTheGbkByteOffsetFoundAgainFromTheCharacterIndex) {
  RegexMatcher matcher;
  int position = 0;
  matcher.Match("b(c)", Gbk("中bc"));
  EXPECT_EQ(matcher.MatchText(1, &position), "bc");
  EXPECT_EQ(position, 2);  // 中 takes two bytes
  EXPECT_EQ(matcher.SubMatchText(1, 1, &position), "c");
  EXPECT_EQ(position, 3);

  // Ignoring case in the search again, unless the search was case-sensitive.
  matcher.Match("B", Gbk("汉字xb"));
  EXPECT_EQ(matcher.MatchText(1, &position), "b");
  EXPECT_EQ(position, 5);

  // The search again starts at the character index read as a 1-based byte
  // position, so an earlier copy of the text that begins there wins.
  matcher.Match("aa", "aaaa");
  ASSERT_EQ(matcher.MatchCount(), 2);
  EXPECT_EQ(matcher.MatchText(2, &position), "aa");
  EXPECT_EQ(position, 1);

  // An empty text is never found.
  matcher.Match("x*", "ab");
  matcher.MatchText(1, &position);
  EXPECT_EQ(position, -2);
}

TEST(RegexMatcher, ReplaceUsesTheScriptReplacementForms) {
  struct Case {
    const char* replacement;
    const char* out;
  } cases[] = {
      {"[$1]", "x[a]y[b]z"},      {"$&$&", "xq=a&q=a&yq=b&q=b&z"}, {"$$", "x$y$z"},    {"<$`>", "x<x>y<xq=a&y>z"},
      {"<$'>", "x<yq=b&z>y<z>z"}, {"$2$0$", "x$2$0$y$2$0$z"},      {"$10", "xa0yb0z"}, {"$01", "xaybz"},
  };
  RegexMatcher matcher;
  matcher.Match("q=(.*?)&", "xq=a&yq=b&z");
  for (const Case& c : cases) EXPECT_EQ(matcher.Replace(c.replacement), c.out) << c.replacement;

  matcher.Match(Gbk("(价)格"), Gbk("价格：12元，价格：9元"), false, true, false);
  EXPECT_EQ(matcher.Replace(Gbk("$1钱")), Gbk("价钱：12元，价格：9元"));

  matcher.Match("z", "abc");
  EXPECT_EQ(matcher.Replace("y"), "abc");
  EXPECT_EQ(RegexMatcher().Replace("y"), "");
}

TEST(RegexMatcher, CopyKeepsTheSearchAndStaysIndependent) {
  RegexMatcher matcher;
  matcher.Match("q=(.*?)&", "q=a&q=b&");
  RegexMatcher copy(matcher);
  matcher.Match("z", "zz");
  EXPECT_EQ(Captures(copy), (std::vector<Text>{"a", "b"}));
  EXPECT_EQ(copy.GetPattern(), "q=(.*?)&");
  EXPECT_EQ(matcher.MatchCount(), 2);
}

TEST(RegexMatcher, MatchLimitKeepsTheMatchesFoundSoFar) {
  // The head matches quickly; the run of "a" after it sends the second
  // alternative into exponential backtracking.
  const Text subject = "k:1,k:2,k:3," + std::string(40, 'a');
  RegexMatcher matcher;
  EXPECT_TRUE(matcher.Match("k:(\\d),|(a+)+b", subject));
  EXPECT_TRUE(matcher.HitMatchLimit());
  EXPECT_EQ(Captures(matcher), (std::vector<Text>{"1", "2", "3"}));

  // The next search starts afresh.
  matcher.Match("k:(\\d),", subject);
  EXPECT_FALSE(matcher.HitMatchLimit());
  EXPECT_EQ(matcher.MatchCount(), 3);
}

TEST(RegexMatcher, HostileFiveMegabyteSubjectsEndWithinASecond) {
  auto repeat = [](const std::string& unit, size_t bytes) {
    std::string out;
    out.reserve(bytes + unit.size());
    while (out.size() < bytes) out += unit;
    return out;
  };
  constexpr size_t kSize = 5 * 1024 * 1024;
  struct Case {
    const char* name;
    Text pattern;
    Text subject;
  } cases[] = {
      {"nested quantifier", "(a+)+b", std::string(kSize, 'a')},
      {"nested lazy star", "(.*?)*x", std::string(kSize, 'a')},
      {"alternation", "(a|aa)+$", std::string(kSize, 'a') + "!"},
      {"unterminated field", "nick\":\"(.*?)\",\"", repeat("nick\":\"", kSize)},
      {"near terminator", "nick\":\"(.*?)\",\"", repeat("nick\":\",x\"", kSize)},
      {"near terminator, second literal", "biz30day\":(.*?),\"rlRate", repeat("biz30day\":,\"rlRatxe", kSize)},
      {"Chinese", Gbk("(标题.*?)*价"), repeat(Gbk("标题"), kSize)},
  };
  for (const Case& c : cases) {
    RegexMatcher matcher;
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(matcher.Match(c.pattern, c.subject)) << c.name;
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, kSecondsAllowed) << c.name;
    // None of these subjects holds a real match: the search either proves
    // that or gives up at the limit; both end quickly with nothing found.
    EXPECT_EQ(matcher.MatchCount(), 0) << c.name;
  }
}

TEST(RegexMatcher, ManyMatchesInALargeSubjectStayLinear) {
  // A global search over a big reply must not re-check the whole subject on
  // every call of its loop.
  std::string subject;
  for (int i = 0; subject.size() < 4 * 1024 * 1024; ++i) subject += "\"id\":" + std::to_string(i) + ",";
  RegexMatcher matcher;
  auto start = std::chrono::steady_clock::now();
  matcher.Match("\"id\":(.*?),", subject);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ASSERT_GT(matcher.MatchCount(), 100000);
  EXPECT_EQ(matcher.SubMatchText(100000, 1), "99999");
  EXPECT_FALSE(matcher.HitMatchLimit());
  EXPECT_LT(seconds, kSecondsAllowed);
}

TEST(RegexMatcher, MatchersOnSeveralThreadsShareCompiledPatterns) {
  const Text subject = Gbk("{\"nick\":\"店一\",\"x\":1},{\"nick\":\"店二\",\"x\":2}");
  std::vector<std::thread> threads;
  std::vector<int> good(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      RegexMatcher matcher;
      for (int i = 0; i < 200; ++i) {
        matcher.Match("nick\":\"(.*?)\",\"", subject);
        if (Captures(matcher) == std::vector<Text>{Gbk("店一"), Gbk("店二")}) ++good[t];
        matcher.Match("x\":(.*?)}", subject + std::to_string(i));
        if (matcher.MatchCount() == 2 && matcher.SubMatchText(2, 1) == "2") ++good[t];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < 4; ++t) EXPECT_EQ(good[t], 400) << t;
}
