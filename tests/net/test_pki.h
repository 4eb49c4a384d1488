#pragma once
// A certificate authority made up for one test run, and a TLS server context
// whose certificate it issued for the given host names (and 127.0.0.1).
// Generated at run time so nothing in the tree can expire.
#include <openssl/ssl.h>

#include <string>
#include <vector>

struct TestPki {
  std::string caPem;             // the authority's certificate
  SSL_CTX* serverTls = nullptr;  // owned; freed with the TestPki

  explicit TestPki(const std::vector<std::string>& hosts);
  ~TestPki();
  TestPki(const TestPki&) = delete;
  TestPki& operator=(const TestPki&) = delete;
};
