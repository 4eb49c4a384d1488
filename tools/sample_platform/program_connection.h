#pragma once
// Points the program's fetchers at a running sample platform: every host it
// imitates is redirected to its loopback port, and its TEST-ONLY CA is
// trusted for HTTPS. Request addresses and Host headers stay the real ones.
#include "sample_platform/sample_platform.h"

void ConnectProgramToSamplePlatform(const SamplePlatform& platform);
// Back to the real hosts and the system's CAs only.
void DisconnectProgramFromSamplePlatform();
