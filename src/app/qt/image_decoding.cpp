#include "app/qt/image_decoding.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
// clang-format on
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <memory>

bool PictureSizeAllowed(long long width, long long height) {
  return width > 0 && height > 0 && width * height <= kMaxPicturePixels;
}

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not
// return; it jumps back into DecodeJpeg. Everything that has to survive the
// jump lives in this heap record, never in locals changed after setjmp.
struct JpegJob {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  std::jmp_buf escape{};
  QImage image;
};

[[noreturn]] void JpegFail(j_common_ptr info) { std::longjmp(static_cast<JpegJob*>(info->client_data)->escape, 1); }

void JpegQuiet(j_common_ptr) {}

QImage DecodeJpeg(std::string_view bytes) {
  auto job = std::make_unique<JpegJob>();
  job->info.err = jpeg_std_error(&job->errors);
  job->errors.error_exit = JpegFail;
  job->errors.output_message = JpegQuiet;
  job->info.client_data = job.get();
  if (setjmp(job->escape)) {
    jpeg_destroy_decompress(&job->info);
    return QImage();
  }
  jpeg_create_decompress(&job->info);
  jpeg_mem_src(&job->info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&job->info, TRUE);
  if (!PictureSizeAllowed(job->info.image_width, job->info.image_height)) {
    jpeg_destroy_decompress(&job->info);
    return QImage();
  }
  // Grey and colour pictures both come out as RGBX; CMYK ones fail the
  // conversion and show nothing.
  job->info.out_color_space = JCS_EXT_RGBX;
  jpeg_start_decompress(&job->info);
  job->image = QImage(static_cast<int>(job->info.output_width), static_cast<int>(job->info.output_height),
                      QImage::Format_RGBX8888);
  if (job->image.isNull()) {
    jpeg_destroy_decompress(&job->info);
    return QImage();
  }
  while (job->info.output_scanline < job->info.output_height) {
    JSAMPROW row = job->image.scanLine(static_cast<int>(job->info.output_scanline));
    jpeg_read_scanlines(&job->info, &row, 1);
  }
  jpeg_finish_decompress(&job->info);
  jpeg_destroy_decompress(&job->info);
  return std::move(job->image);
}

QImage DecodePng(std::string_view bytes) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) return QImage();
  if (!PictureSizeAllowed(png.width, png.height)) {
    png_image_free(&png);
    return QImage();
  }
  png.format = PNG_FORMAT_RGBA;
  QImage image(static_cast<int>(png.width), static_cast<int>(png.height), QImage::Format_RGBA8888);
  if (image.isNull()) {
    png_image_free(&png);
    return QImage();
  }
  // One byte per component, so the row stride in components is the line's
  // byte length.
  bool decoded =
      png_image_finish_read(&png, nullptr, image.bits(), static_cast<png_int_32>(image.bytesPerLine()), nullptr) != 0;
  png_image_free(&png);
  return decoded ? image : QImage();
}

}  // namespace

QImage DecodeImage(std::string_view bytes) {
  if (bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xD8 && static_cast<unsigned char>(bytes[2]) == 0xFF) {
    return DecodeJpeg(bytes);
  }
  static constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() >= 8 && std::equal(bytes.begin(), bytes.begin() + 8, kPngSignature,
                                      [](char a, unsigned char b) { return static_cast<unsigned char>(a) == b; })) {
    return DecodePng(bytes);
  }
  return QImage();
}
