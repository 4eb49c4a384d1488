#pragma once
// Where the fetchers really connect, for tests and the demo. Request
// addresses, Host and Referer stay exactly as the program builds them; only
// the TCP connection of a redirected host:port goes to a loopback port, and
// an extra certificate authority can be trusted beside the system's own.
// Set at start-up (or by a test before it fetches), read by every fetch from
// any thread. Empty by default: the product talks to the real hosts.
#include <memory>
#include <string>
#include <vector>

// Connections to host:port go to 127.0.0.1:loopbackPort instead. A second
// call for the same host:port replaces the first.
void RedirectHost(const std::string& host, int port, int loopbackPort);
void ClearHostRedirects();

// Trusts one more CA for HTTPS, given as PEM text or as the path of a PEM
// file, in addition to the system's CAs. "" trusts no extra CA. Returns false
// (and changes nothing) when the file cannot be read or holds no certificate.
bool TrustExtraCa(const std::string& pemOrPath);

// What one fetch applies: libcurl connect-to entries
// ("host:port:127.0.0.1:loopbackPort"), and the CA bundle to verify with
// (system CAs followed by the extra one), or nullptr to use the system's.
struct HostRedirectView {
  std::vector<std::string> connectTo;
  std::shared_ptr<const std::string> caBundle;
};
HostRedirectView CurrentHostRedirect();
