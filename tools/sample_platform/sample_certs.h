#pragma once
// TEST-ONLY certificates of the sample platform, built into the library from
// tools/sample_platform/certs/ (see the README there). Their private keys are
// public: trust the sample CA only inside tests and the demo.
#include <string_view>

std::string_view SampleCaPem();
std::string_view SampleRankingCertificatePem();
std::string_view SampleRankingKeyPem();
std::string_view SampleSuggestionCertificatePem();
std::string_view SampleSuggestionKeyPem();
