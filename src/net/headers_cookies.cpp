#include "net/headers_cookies.h"

#include <utility>
#include <vector>

#include "text/text_ops.h"

Text TextBetween(const Text& text, const Text& left, const Text& right, int start, bool caseInsensitive) {
  static const Text quoteMarker = Gbk("#引号");
  const Text leftText = ReplaceAll(left, quoteMarker, "\"");
  const Text rightText = ReplaceAll(right, quoteMarker, "\"");
  const int found = Find(text, leftText, start < 1 ? 1 : start, caseInsensitive);
  if (found == -1) return "";
  const int contentStart = found + static_cast<int>(leftText.size());
  const int end = Find(text, rightText, contentStart, caseInsensitive);
  if (end == -1) return "";
  return text.substr(contentStart - 1, end - contentStart);
}

Text HeaderName(const Text& line) {
  const int colon = Find(line, ":");
  if (colon == -1) return "";
  return Trim(std::string_view(line).substr(0, colon - 1));
}

Text HeaderValue(const Text& line) {
  const int colon = Find(line, ":");
  if (colon == -1) return "";
  return Trim(std::string_view(line).substr(colon));
}

Text CollectSetCookies(const Text& headerBlock) {
  Text collected;
  for (const Text& line : Split(headerBlock, "\r\n")) {
    if (!Contains(line, "Set-Cookie")) continue;
    Text piece;
    if (!Contains(line, ";")) {
      piece = Trim(ReplaceAll(line, "Set-Cookie:", "", true));
    } else {
      // Only the first name=value pair; path, expiry and the like follow it.
      piece = Trim(TextBetween(line, "Set-Cookie:", ";"));
    }
    collected += piece;
    collected += "; ";
  }
  return Left(collected, static_cast<int>(collected.size()) - 2);
}

Text CookieName(const Text& piece) {
  const int equals = Find(piece, "=");
  if (equals == -1) return Trim(piece);
  return Trim(std::string_view(piece).substr(0, equals - 1));
}

Text CookieValue(const Text& piece) {
  const int equals = Find(piece, "=");
  if (equals == -1) return "";
  return piece.substr(equals);
}

Text MergeCookies(Text& cookies, Text& newCookies) {
  cookies = RemoveBlanks(cookies);
  newCookies = RemoveBlanks(newCookies);
  if (newCookies.empty()) return cookies;

  std::vector<std::pair<Text, Text>> merged;
  for (const Text& piece : Split(cookies, ";")) merged.emplace_back(CookieName(piece), CookieValue(piece));
  for (const Text& piece : Split(newCookies, ";")) {
    Text name = CookieName(piece);
    Text value = CookieValue(piece);
    bool replaced = false;
    for (auto& pair : merged) {
      if (pair.first == name) {
        pair.second = value;
        replaced = true;
        break;
      }
    }
    if (!replaced) merged.emplace_back(std::move(name), std::move(value));
  }

  Text rebuilt;
  for (const auto& [name, value] : merged) {
    // A server deletes a cookie by setting it to "deleted"; nameless and
    // empty pairs carry nothing worth sending.
    if (value == "deleted" || name.empty() || value.empty()) continue;
    rebuilt += name;
    rebuilt += "=";
    rebuilt += value;
    rebuilt += ";";
  }
  cookies = ReplaceAll(rebuilt, ";;", ";");
  return cookies;
}

Text NormalizeSetCookie(const Text& headerBlock) { return ReplaceAll(headerBlock, "Set-Cookie", "Set-Cookie", true); }
