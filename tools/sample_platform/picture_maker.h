#pragma once
// Item pictures of the sample picture host, drawn on request: a product-like
// shape on a soft background, its colours and shape taken from a seed, so
// every item has its own picture and the same address always gives the
// same bytes.
#include <cstdint>
#include <string>

constexpr int kPictureSide = 200;

std::string MakeJpegPicture(uint64_t seed, int side = kPictureSide);
std::string MakePngPicture(uint64_t seed, int side = kPictureSide);
