#pragma once
// Which sample service answers a request: by the Host header (the program
// connects through a host redirect, so requests name the real hosts) and the
// path. Pure: the same request always gets the same reply.
#include "sample_platform/http_message.h"

SampleReply RouteSampleRequest(const SampleRequest& request);
