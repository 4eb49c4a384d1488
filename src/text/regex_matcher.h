#pragma once
// The program's one tool for pulling values out of fetched pages, on PCRE2.
// Construct, Match a pattern over a subject, read MatchCount and the capture
// groups, destroy. The subject is matched as Unicode text; captures come
// back as GBK. Matching the same subject again with another pattern reuses
// its conversion, so a run that extracts many fields converts its page once.
#include <memory>

#include "text/text.h"

class RegexMatcher {
 public:
  RegexMatcher();
  ~RegexMatcher();
  RegexMatcher(const RegexMatcher& other);
  RegexMatcher& operator=(const RegexMatcher&) = delete;

  // "." always matches line breaks. Returns false when the pattern is
  // rejected; the reads then find nothing. Stops early (keeping the matches
  // found so far) when a hostile subject hits the engine's match limit.
  bool Match(const Text& pattern, const Text& subject, bool caseSensitive = false, bool multiline = true,
             bool global = true, bool quoteMarkers = false);
  int MatchCount() const;
  // Match and group indices count from 1; out of range gives "". `position`,
  // when given, receives the zero-based GBK byte offset (-2 when not found).
  Text MatchText(int matchIndex, int* position = nullptr) const;
  Text SubMatchText(int matchIndex, int groupIndex, int* position = nullptr) const;
  int SubMatchCount() const;
  Text Replace(const Text& replacement) const;
  Text GetPattern() const;
  // True when the last Match stopped at the match limit.
  bool HitMatchLimit() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};
