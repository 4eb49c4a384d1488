#pragma once
// How the sample platform's tests talk to it: plain cpp-httplib clients that
// send the real host names (over TLS with the sample CA and a hostname
// check), and the program's own way of reading a reply: text up to the first
// zero byte, percent-decoded from UTF-8 to GBK, matched with RegexMatcher.
#include <httplib.h>
#include <openssl/x509.h>

#include <string>
#include <vector>

#include "sample_platform/sample_platform.h"
#include "text/text.h"

struct Fetched {
  bool ok = false;  // a reply arrived
  int status = 0;
  std::string contentType;
  std::string body;
};

// A new certificate store holding only the sample CA; the caller owns it
// (an httplib::SSLClient given it with set_ca_cert_store takes it over).
X509_STORE* SampleCaStore();

// GET `target` ("/path?query") from `host` of the running platform.
Fetched FetchFrom(const SamplePlatform& platform, const std::string& host, const std::string& target);

// A reply body as the union and high-commission searches read it.
Text DecodedReply(const std::string& body);

// All matches of `pattern` (global, multi-line); each entry holds groups 1..n.
std::vector<std::vector<Text>> MatchGroups(const Text& pattern, const Text& subject, bool caseSensitive);
// Group `group` of every match.
std::vector<Text> MatchColumn(const Text& pattern, const Text& subject, bool caseSensitive, int group = 1);

// A keyword as the program sends it: UTF-8, percent-encoded with upper-case digits.
std::string EncodedKeyword(const std::string& utf8);

// Hundredths of a number text such as "59.9" or "12.28"; -1 when it is none.
long long Hundredths(const Text& number);
