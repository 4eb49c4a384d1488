#pragma once
// Item pictures of the sample picture host, drawn on request: a product-like
// shape on a soft background, its colours and shape taken from a seed, so
// every item has its own picture and the same address always gives the
// same bytes.
#include <cstdint>
#include <string>

constexpr int kSamplePictureSide = 200;

std::string MakeSampleJpeg(uint64_t seed, int side = kSamplePictureSide);
std::string MakeSamplePng(uint64_t seed, int side = kSamplePictureSide);
