#include "sample_platform/picture_maker.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include <memory>
#include <vector>

#include "sample_platform/seeded_random.h"

namespace {

struct Rgb {
  int r, g, b;
};

Rgb Mix(Rgb a, Rgb b, int percentOfB) {
  return {a.r + (b.r - a.r) * percentOfB / 100, a.g + (b.g - a.g) * percentOfB / 100,
          a.b + (b.b - a.b) * percentOfB / 100};
}

// RGB rows, top to bottom.
std::vector<unsigned char> Draw(uint64_t seed, int side) {
  SampleRandom rng(seed);
  const Rgb background{static_cast<int>(rng.Range(200, 250)), static_cast<int>(rng.Range(200, 250)),
                       static_cast<int>(rng.Range(200, 250))};
  const Rgb product{static_cast<int>(rng.Range(30, 220)), static_cast<int>(rng.Range(30, 220)),
                    static_cast<int>(rng.Range(30, 220))};
  const Rgb stripe = Mix(product, {255, 255, 255}, 45);
  const int shape = static_cast<int>(rng.Range(0, 2));
  const int stripeEvery = static_cast<int>(rng.Range(8, 20));
  const int c = side / 2;
  const int radius = side * static_cast<int>(rng.Range(28, 40)) / 100;

  std::vector<unsigned char> pixels(static_cast<size_t>(side) * side * 3);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const int dx = x - c, dy = y - c;
      bool inside;
      switch (shape) {
        case 0:
          inside = dx * dx + dy * dy <= radius * radius;
          break;  // round
        case 1:
          inside = std::abs(dx) <= radius && std::abs(dy) <= radius * 4 / 5;
          break;  // box
        default:
          inside = std::abs(dx) + std::abs(dy) <= radius * 6 / 5;
          break;  // diamond
      }
      Rgb p = Mix(background, {255, 255, 255}, y * 60 / side);  // light from above
      if (inside) p = ((x + y) / stripeEvery) % 3 == 0 ? stripe : Mix(product, {0, 0, 0}, dy * 25 / side + 10);
      if (x < 3 || y < 3 || x >= side - 3 || y >= side - 3) p = Mix(product, background, 50);  // frame
      unsigned char* out = &pixels[(static_cast<size_t>(y) * side + x) * 3];
      out[0] = static_cast<unsigned char>(p.r);
      out[1] = static_cast<unsigned char>(p.g);
      out[2] = static_cast<unsigned char>(p.b);
    }
  }
  return pixels;
}

void AppendPngBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::string*>(png_get_io_ptr(png));
  out->append(reinterpret_cast<const char*>(data), length);
}

}  // namespace

std::string MakeSampleJpeg(uint64_t seed, int side) {
  std::vector<unsigned char> pixels = Draw(seed, side);
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(side);
  info.image_height = static_cast<JDIMENSION>(side);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 85, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = &pixels[static_cast<size_t>(info.next_scanline) * side * 3];
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string out(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return out;
}

std::string MakeSamplePng(uint64_t seed, int side) {
  const std::vector<unsigned char> pixels = Draw(seed, side);
  // Held through a pointer that does not change after setjmp, so libpng's
  // longjmp on an error leaves it well defined.
  const auto out = std::make_unique<std::string>();
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    png_destroy_write_struct(&png, &info);
    return std::string();
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return std::string();
  }
  png_set_write_fn(png, out.get(), AppendPngBytes, nullptr);
  png_set_IHDR(png, info, static_cast<png_uint_32>(side), static_cast<png_uint_32>(side), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < side; ++y) png_write_row(png, &pixels[static_cast<size_t>(y) * side * 3]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return *out;
}
