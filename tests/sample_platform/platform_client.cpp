#include "platform_client.h"

#include <openssl/pem.h>
#include <openssl/x509.h>

#include <cstdlib>

#include "net/remote_hosts.h"
#include "text/codepage.h"
#include "text/regex_matcher.h"
#include "text/url_encoding.h"

namespace {

Fetched FromResult(const httplib::Result& result) {
  Fetched f;
  if (!result) return f;
  f.ok = true;
  f.status = result->status;
  f.contentType = result->get_header_value("Content-Type");
  f.body = result->body;
  return f;
}

}  // namespace

X509_STORE* SampleCaStore() {
  const std::string pem = SamplePlatform::CaPem();
  BIO* bio = BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size()));
  X509* ca = PEM_read_bio_X509(bio, nullptr, nullptr, nullptr);
  BIO_free(bio);
  X509_STORE* store = X509_STORE_new();
  X509_STORE_add_cert(store, ca);
  X509_free(ca);
  return store;
}

Fetched FetchFrom(const SamplePlatform& platform, const std::string& host, const std::string& target) {
  const int port = platform.PortOf(host);
  if (host == kRankingHost || host == kSuggestionHost) {
    httplib::SSLClient client(host, port);
    client.set_hostname_addr_map({{host, "127.0.0.1"}});
    client.enable_server_certificate_verification(true);
    client.set_ca_cert_store(SampleCaStore());  // the client takes ownership
    client.set_read_timeout(10, 0);
    return FromResult(client.Get(target.c_str()));
  }
  httplib::Client client("127.0.0.1", port);
  client.set_read_timeout(10, 0);
  return FromResult(client.Get(target.c_str(), httplib::Headers{{"Host", host}}));
}

Text DecodedReply(const std::string& body) { return UrlDecode(BytesToText(body), true); }

std::vector<std::vector<Text>> MatchGroups(const Text& pattern, const Text& subject, bool caseSensitive) {
  RegexMatcher matcher;
  std::vector<std::vector<Text>> out;
  if (!matcher.Match(pattern, subject, caseSensitive, true, true)) return out;
  const int groups = matcher.SubMatchCount();
  for (int m = 1; m <= matcher.MatchCount(); ++m) {
    std::vector<Text> row;
    for (int g = 1; g <= groups; ++g) row.push_back(matcher.SubMatchText(m, g));
    out.push_back(row);
  }
  return out;
}

std::vector<Text> MatchColumn(const Text& pattern, const Text& subject, bool caseSensitive, int group) {
  std::vector<Text> out;
  for (const auto& row : MatchGroups(pattern, subject, caseSensitive)) out.push_back(row.at(group - 1));
  return out;
}

std::string EncodedKeyword(const std::string& utf8) { return UrlEncode(Utf8ToGbk(utf8), true, true); }

long long Hundredths(const Text& number) {
  const size_t dot = number.find('.');
  if (number.empty() || dot == std::string::npos || dot == 0 || dot + 1 == number.size() || number.size() - dot > 3) {
    return -1;
  }
  for (size_t i = 0; i < number.size(); ++i) {
    if (i != dot && (number[i] < '0' || number[i] > '9')) return -1;
  }
  long long value = std::atoll(number.substr(0, dot).c_str()) * 100;
  const std::string fraction = number.substr(dot + 1);
  value += fraction.size() == 1 ? (fraction[0] - '0') * 10 : std::atoi(fraction.c_str());
  return value;
}
