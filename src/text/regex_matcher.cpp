#include "text/regex_matcher.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "text/codepage.h"
#include "text/regex_pattern_cache.h"
#include "text/regex_utf8_scan.h"
#include "text/text_ops.h"

// A reply crafted to make a pattern backtrack must not hold a worker for
// long: past these limits a search ends with the matches found so far. The
// program's own patterns stay far below them on real pages (a lazy capture
// costs about one step per character it spans).
static constexpr uint32_t kMatchLimit = 100000;
static constexpr uint32_t kDepthLimit = 10000;
// The JIT's backtracking stack; a pattern that needs more ends like a
// pattern that hits the match limit.
static constexpr size_t kJitStackStart = 32 * 1024;
static constexpr size_t kJitStackMax = 1024 * 1024;

// Match context, JIT stack and match data of one thread. A matcher belongs
// to the thread that runs it, so each thread reuses its own.
struct RegexThreadResources {
  RegexThreadResources() {
    context = pcre2_match_context_create(nullptr);
    if (context) {
      pcre2_set_match_limit(context, kMatchLimit);
      pcre2_set_depth_limit(context, kDepthLimit);
      jitStack = pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr);
      if (jitStack) pcre2_jit_stack_assign(context, nullptr, jitStack);
    }
  }
  ~RegexThreadResources() {
    pcre2_match_data_free(matchData);
    pcre2_jit_stack_free(jitStack);
    pcre2_match_context_free(context);
  }
  RegexThreadResources(const RegexThreadResources&) = delete;
  RegexThreadResources& operator=(const RegexThreadResources&) = delete;

  // Match data with room for at least `pairs` offset pairs.
  pcre2_match_data* MatchData(uint32_t pairs) {
    if (!matchData || pcre2_get_ovector_count(matchData) < pairs) {
      pcre2_match_data_free(matchData);
      matchData = pcre2_match_data_create(pairs, nullptr);
    }
    return matchData;
  }

  pcre2_match_context* context = nullptr;
  pcre2_jit_stack* jitStack = nullptr;
  pcre2_match_data* matchData = nullptr;
};

static RegexThreadResources& ThreadResources() {
  thread_local RegexThreadResources resources;
  return resources;
}

static bool IsLimitError(int rc) {
  return rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT || rc == PCRE2_ERROR_HEAPLIMIT ||
         rc == PCRE2_ERROR_JIT_STACKLIMIT || rc == PCRE2_ERROR_NOMEMORY;
}

struct RegexMatcher::State {
  // The pattern as handed to the engine (quote markers already replaced).
  Text pattern;
  bool caseSensitive = false;
  std::shared_ptr<const CompiledPattern> compiled;  // null: no search, or the pattern was rejected
  bool hitMatchLimit = false;

  // The last subject, kept in both forms so the next Match over the same
  // page skips the conversion and the UTF-8 check.
  bool hasSubject = false;
  Text subject;
  std::string subjectUtf8;
  bool subjectUtf8Valid = false;

  // Byte offsets into subjectUtf8: `pairsPerMatch` (start, end) pairs per
  // match, group 0 first; PCRE2_UNSET for a group that took no part.
  std::vector<size_t> offsets;
  uint32_t pairsPerMatch = 1;
  int matchCount = 0;

  void SetSubject(const Text& text) {
    if (hasSubject && text.size() == subject.size() && std::memcmp(text.data(), subject.data(), text.size()) == 0) {
      return;
    }
    subject = text;
    subjectUtf8 = GbkToUtf8(subject);
    subjectUtf8Valid = IsValidUtf8(subjectUtf8);
    hasSubject = true;
  }

  void Search(bool global) {
    RegexThreadResources& resources = ThreadResources();
    pcre2_match_data* matchData = resources.MatchData(pairsPerMatch);
    if (!matchData || !resources.context) {
      hitMatchLimit = true;
      return;
    }
    const auto* data = reinterpret_cast<PCRE2_SPTR>(subjectUtf8.data());
    const size_t length = subjectUtf8.size();
    size_t start = 0;
    while (start <= length) {
      // The subject was checked once when it was converted; letting PCRE2
      // check it again on every call would make a global search quadratic.
      int rc = pcre2_match(compiled->code, data, length, start, PCRE2_NO_UTF_CHECK, matchData, resources.context);
      if (rc < 0) {
        if (rc != PCRE2_ERROR_NOMATCH && IsLimitError(rc)) hitMatchLimit = true;
        return;
      }
      const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(matchData);
      offsets.insert(offsets.end(), ovector, ovector + 2 * pairsPerMatch);
      ++matchCount;
      if (!global) return;
      // After an empty match the next search starts one whole character
      // further on, as the script engines do; it never splits a character.
      size_t next = ovector[1];
      if (next <= ovector[0] || next <= start) {
        next = std::max<size_t>(next, start);
        if (next >= length) return;
        next += Utf8SequenceLength(subjectUtf8, next);
      }
      start = next;
    }
  }

  bool HasGroup(int matchIndex, int groupIndex) const {
    return matchIndex >= 1 && matchIndex <= matchCount && groupIndex >= 0 &&
           static_cast<uint32_t>(groupIndex) < pairsPerMatch;
  }

  // The text of group `groupIndex` (0: the whole match) of match
  // `matchIndex`; "" for an unset group.
  Text GroupText(int matchIndex, int groupIndex) const {
    if (!HasGroup(matchIndex, groupIndex)) return Text();
    size_t pair = (static_cast<size_t>(matchIndex - 1) * pairsPerMatch + groupIndex) * 2;
    size_t begin = offsets[pair];
    size_t end = offsets[pair + 1];
    if (begin == PCRE2_UNSET || end <= begin) return Text();
    std::string_view utf8(subjectUtf8.data() + begin, end - begin);
    // Plain ASCII reads the same in both encodings; most captures (numbers,
    // addresses) are, and skip the converter.
    if (IsAscii(utf8)) return Text(utf8);
    return Utf8ToGbk(utf8);
  }

  // Where the text read from match `matchIndex` lies in the GBK subject. The
  // engine counts characters while the program counts bytes, so the text is
  // looked for again in the subject from the byte position equal to the
  // match's character index; that search may land on an earlier copy of the
  // same text, exactly as the program has always reported it.
  int Position(int matchIndex, const Text& text) const {
    if (matchIndex < 1 || matchIndex > matchCount) return -2;
    size_t matchStart = offsets[static_cast<size_t>(matchIndex - 1) * pairsPerMatch * 2];
    size_t firstIndex = Utf16Length(std::string_view(subjectUtf8.data(), matchStart));
    int start = firstIndex < 1 ? 1 : static_cast<int>(firstIndex);
    int found = Find(subject, text, start, !caseSensitive);
    return found < 0 ? -2 : found - 1;
  }

  // One replacement text, with the script engines' "$" forms resolved
  // against match `matchIndex`.
  void AppendReplacement(std::string& out, std::string_view replacement, int matchIndex) const {
    const size_t* pairs = &offsets[static_cast<size_t>(matchIndex - 1) * pairsPerMatch * 2];
    const size_t groups = pairsPerMatch - 1;
    auto appendRange = [&](size_t begin, size_t end) {
      if (begin != PCRE2_UNSET && end > begin) out.append(subjectUtf8, begin, end - begin);
    };
    for (size_t i = 0; i < replacement.size(); ++i) {
      char c = replacement[i];
      if (c != '$' || i + 1 >= replacement.size()) {
        out += c;
        continue;
      }
      char next = replacement[i + 1];
      if (next == '$') {
        out += '$';
        ++i;
      } else if (next == '&') {
        appendRange(pairs[0], pairs[1]);
        ++i;
      } else if (next == '`') {
        appendRange(0, pairs[0]);
        ++i;
      } else if (next == '\'') {
        appendRange(pairs[1], subjectUtf8.size());
        ++i;
      } else if (next >= '0' && next <= '9') {
        // $nn when that group exists, else $n when that one does, else the
        // text stays as written.
        size_t one = next - '0';
        bool hasTwo = i + 2 < replacement.size() && replacement[i + 2] >= '0' && replacement[i + 2] <= '9';
        size_t two = hasTwo ? one * 10 + (replacement[i + 2] - '0') : 0;
        if (hasTwo && two >= 1 && two <= groups) {
          appendRange(pairs[2 * two], pairs[2 * two + 1]);
          i += 2;
        } else if (one >= 1 && one <= groups) {
          appendRange(pairs[2 * one], pairs[2 * one + 1]);
          ++i;
        } else {
          out += c;
        }
      } else {
        out += c;
      }
    }
  }
};

RegexMatcher::RegexMatcher() : state_(std::make_unique<State>()) {}
RegexMatcher::~RegexMatcher() = default;
RegexMatcher::RegexMatcher(const RegexMatcher& other) : state_(std::make_unique<State>(*other.state_)) {}

bool RegexMatcher::Match(const Text& pattern, const Text& subject, bool caseSensitive, bool multiline, bool global,
                         bool quoteMarkers) {
  static const Text kQuoteMarker = Gbk("#引号");
  State& state = *state_;
  state.pattern = quoteMarkers ? ReplaceAll(pattern, kQuoteMarker, "\"") : pattern;
  state.caseSensitive = caseSensitive;
  state.compiled.reset();
  state.hitMatchLimit = false;
  state.offsets.clear();
  state.pairsPerMatch = 1;
  state.matchCount = 0;
  state.SetSubject(subject);

  // "." always crosses line breaks.
  uint32_t options = PCRE2_DOTALL;
  if (!caseSensitive) options |= PCRE2_CASELESS;
  if (multiline) options |= PCRE2_MULTILINE;
  state.compiled = CompilePattern(GbkToUtf8(state.pattern), options);
  if (!state.compiled) return false;
  state.pairsPerMatch = state.compiled->captureCount + 1;
  // A subject that is not valid UTF-8 cannot come out of the converter; if
  // it ever did, it is treated as a page without matches.
  if (state.subjectUtf8Valid) state.Search(global);
  return true;
}

int RegexMatcher::MatchCount() const { return state_->matchCount; }

Text RegexMatcher::MatchText(int matchIndex, int* position) const {
  Text text = state_->GroupText(matchIndex, 0);
  if (position) *position = state_->Position(matchIndex, text);
  return text;
}

Text RegexMatcher::SubMatchText(int matchIndex, int groupIndex, int* position) const {
  Text text = groupIndex >= 1 ? state_->GroupText(matchIndex, groupIndex) : Text();
  if (position) *position = state_->Position(matchIndex, text);
  return text;
}

int RegexMatcher::SubMatchCount() const {
  return state_->matchCount > 0 ? static_cast<int>(state_->pairsPerMatch - 1) : 0;
}

Text RegexMatcher::Replace(const Text& replacement) const {
  const State& state = *state_;
  if (!state.compiled || !state.hasSubject) return Text();
  if (state.matchCount == 0) return state.subject;
  std::string replacementUtf8 = GbkToUtf8(replacement);
  std::string out;
  size_t copied = 0;
  for (int match = 1; match <= state.matchCount; ++match) {
    size_t pair = static_cast<size_t>(match - 1) * state.pairsPerMatch * 2;
    size_t begin = state.offsets[pair];
    size_t end = state.offsets[pair + 1];
    out.append(state.subjectUtf8, copied, begin - copied);
    state.AppendReplacement(out, replacementUtf8, match);
    copied = end;
  }
  out.append(state.subjectUtf8, copied, std::string::npos);
  return Utf8ToGbk(out);
}

Text RegexMatcher::GetPattern() const { return state_->pattern; }

bool RegexMatcher::HitMatchLimit() const { return state_->hitMatchLimit; }
