#include "sample_platform/program_connection.h"

#include "net/host_redirect.h"

void ConnectProgramToSamplePlatform(const SamplePlatform& platform) {
  ClearHostRedirects();
  for (const SamplePlatform::Redirect& redirect : platform.Redirects())
    RedirectHost(redirect.host, redirect.port, redirect.loopbackPort);
  TrustExtraCa(SamplePlatform::CaPem());
}

void DisconnectProgramFromSamplePlatform() {
  ClearHostRedirects();
  TrustExtraCa("");
}
