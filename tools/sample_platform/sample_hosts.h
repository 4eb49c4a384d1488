#pragma once
// Host of the item pictures whose addresses the affiliate replies carry
// (scheme http). The other remote hosts are in net/remote_hosts.h.

constexpr const char* kPictureHost = "img.alicdn.com";
