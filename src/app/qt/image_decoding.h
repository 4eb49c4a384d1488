#pragma once
// Item pictures arrive as bytes of a JPEG or PNG file. They are decoded with
// libjpeg-turbo and libpng straight into a QImage. Anything else, a broken
// file or one over the size limit gives a null image; bad bytes from a
// server never crash the program.
#include <QImage>
#include <string_view>

// Pictures past this many pixels are refused rather than allocated.
constexpr long long kMaxPicturePixels = 40LL * 1000 * 1000;

bool PictureSizeAllowed(long long width, long long height);

QImage DecodeImage(std::string_view bytes);
