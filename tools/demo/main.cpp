// marvane-demo: starts the sample platform in this process, points the
// program's connections at it and runs the program itself: the same windows
// and code paths as `marvane`, with the remote services imitated on loopback.
#include <cstdio>
#include <string>

#include "app/shell/program.h"
#include "sample_platform/program_connection.h"
#include "sample_platform/sample_platform.h"

int main(int argc, char** argv) {
  // Never destroyed: closing the main window ends the process at once.
  auto* platform = new SamplePlatform;
  std::string error;
  if (!platform->Start({}, &error)) {
    std::fprintf(stderr, "marvane-demo: the sample platform did not start: %s\n", error.c_str());
    return 1;
  }
  ConnectProgramToSamplePlatform(*platform);
  std::fprintf(stderr, "marvane-demo: the remote services are imitated on loopback:\n");
  for (const SamplePlatform::Redirect& redirect : platform->Redirects())
    std::fprintf(stderr, "  %s:%d -> %s\n", redirect.host.c_str(), redirect.port, redirect.target.c_str());
  return RunProgram(argc, argv);
}
