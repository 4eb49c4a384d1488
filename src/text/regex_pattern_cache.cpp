#include "text/regex_pattern_cache.h"

#include <mutex>
#include <unordered_map>

// Enough for every pattern the program uses; a caller feeding endless new
// patterns only costs recompiles, never unbounded memory.
static constexpr size_t kMaxCachedPatterns = 64;

struct RegexPatternCache {
  std::mutex mutex;
  std::unordered_map<std::string, std::shared_ptr<const CompiledPattern>> patterns;
};

static RegexPatternCache& Cache() {
  static RegexPatternCache* cache = new RegexPatternCache;  // never destroyed: workers may match during exit
  return *cache;
}

static std::shared_ptr<const CompiledPattern> Compile(const std::string& utf8Pattern, uint32_t options) {
  pcre2_compile_context* context = pcre2_compile_context_create(nullptr);
  if (!context) return nullptr;
  // Lines of a reply end in CR, LF or CR LF; "^" and "$" of a multi-line
  // search honour all three, as the script engines' regular expressions do.
  pcre2_set_newline(context, PCRE2_NEWLINE_ANYCRLF);
  // UCP stays off so that \w, \d, \s and \b keep to ASCII as callers expect;
  // case folding of non-ASCII letters still works in UTF mode.
  // ALT_BSUX reads \uHHHH and \xHH the way script patterns write them;
  // MATCH_UNSET_BACKREF lets a back reference to an unset group match "";
  // DOLLAR_ENDONLY keeps a single-line "$" off a final line break.
  // \C could split a character and is refused.
  uint32_t allOptions =
      options | PCRE2_UTF | PCRE2_ALT_BSUX | PCRE2_MATCH_UNSET_BACKREF | PCRE2_DOLLAR_ENDONLY | PCRE2_NEVER_BACKSLASH_C;
  int errorCode = 0;
  PCRE2_SIZE errorOffset = 0;
  pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(utf8Pattern.data()), utf8Pattern.size(), allOptions,
                                   &errorCode, &errorOffset, context);
  pcre2_compile_context_free(context);
  if (!code) return nullptr;
  // Without JIT (an unsupported processor, or memory for executable code
  // refused) the interpreter runs the same pattern, only slower.
  pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
  uint32_t captureCount = 0;
  pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &captureCount);
  return std::make_shared<const CompiledPattern>(code, captureCount);
}

std::shared_ptr<const CompiledPattern> CompilePattern(const std::string& utf8Pattern, uint32_t options) {
  std::string key(reinterpret_cast<const char*>(&options), sizeof options);
  key += utf8Pattern;
  RegexPatternCache& cache = Cache();
  std::lock_guard<std::mutex> lock(cache.mutex);
  auto found = cache.patterns.find(key);
  if (found != cache.patterns.end()) return found->second;
  std::shared_ptr<const CompiledPattern> compiled = Compile(utf8Pattern, options);
  if (!compiled) return nullptr;
  if (cache.patterns.size() >= kMaxCachedPatterns) cache.patterns.clear();
  cache.patterns.emplace(std::move(key), compiled);
  return compiled;
}
