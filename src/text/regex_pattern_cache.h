#pragma once
// Compiled PCRE2 patterns for RegexMatcher, shared by every matcher of the
// process. A run matches the same eleven or thirteen patterns on every page,
// so each distinct pattern and option set is compiled (and JIT-compiled) once.
// Private to the matcher: nothing outside src/text includes PCRE2.
#ifndef PCRE2_CODE_UNIT_WIDTH
#define PCRE2_CODE_UNIT_WIDTH 8
#endif
#include <pcre2.h>

#include <cstdint>
#include <memory>
#include <string>

// Read-only once built, so several worker threads may match with it at once.
struct CompiledPattern {
  CompiledPattern(pcre2_code* code, uint32_t captureCount) : code(code), captureCount(captureCount) {}
  ~CompiledPattern() { pcre2_code_free(code); }
  CompiledPattern(const CompiledPattern&) = delete;
  CompiledPattern& operator=(const CompiledPattern&) = delete;

  pcre2_code* code;
  uint32_t captureCount;
};

// `utf8Pattern` compiled with PCRE2 `options` (the matcher's option bits;
// UTF mode and the program's fixed options are added here). nullptr when
// PCRE2 rejects the pattern.
std::shared_ptr<const CompiledPattern> CompilePattern(const std::string& utf8Pattern, uint32_t options);
