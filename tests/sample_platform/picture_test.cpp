// The sample picture host: every picture address in a reply gives a real
// JPEG or PNG picture.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <set>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "caller_patterns.h"
#include "net/remote_hosts.h"
#include "platform_client.h"
#include "sample_platform_suite.h"

namespace {

struct Decoded {
  bool ok = false;
  int width = 0, height = 0;
  std::set<unsigned> colours;  // distinct RGB values, a sign of a real drawing
};

Decoded DecodeJpeg(const std::string& bytes) {
  Decoded d;
  if (bytes.size() < 4 || bytes.compare(0, 3, "\xFF\xD8\xFF") != 0) return d;
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  d.width = static_cast<int>(info.output_width);
  d.height = static_cast<int>(info.output_height);
  std::vector<unsigned char> row(static_cast<size_t>(info.output_width) * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW r = row.data();
    jpeg_read_scanlines(&info, &r, 1);
    for (size_t x = 0; x < row.size(); x += 3) d.colours.insert(row[x] << 16 | row[x + 1] << 8 | row[x + 2]);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  d.ok = true;
  return d;
}

Decoded DecodePng(const std::string& bytes) {
  Decoded d;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return d;
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return d;
  d.width = static_cast<int>(image.width);
  d.height = static_cast<int>(image.height);
  for (size_t i = 0; i + 2 < pixels.size(); i += 3)
    d.colours.insert(pixels[i] << 16 | pixels[i + 1] << 8 | pixels[i + 2]);
  d.ok = true;
  return d;
}

using PictureTest = SamplePlatformSuite;

TEST_F(PictureTest, PictureAddressesOfARepliedPageGiveRealPictures) {
  const Fetched page = FetchFrom(*platform_, kAffiliateHost, KeywordSearchTarget({.keyword = EncodedKeyword("拖鞋")}));
  const std::vector<Text> addresses = MatchColumn(UnionPatterns()[9].pattern, DecodedReply(page.body), false);
  ASSERT_EQ(addresses.size(), 40u);
  int jpegs = 0, pngs = 0;
  std::set<std::string> bodies;
  for (const Text& address : addresses) {
    SCOPED_TRACE(address);
    const std::string prefix = std::string("http://") + kPictureHost;
    ASSERT_EQ(address.rfind(prefix, 0), 0u);
    const Fetched picture = FetchFrom(*platform_, kPictureHost, address.substr(prefix.size()));
    ASSERT_EQ(picture.status, 200);
    const bool png = address.ends_with(".png");
    EXPECT_EQ(picture.contentType, png ? "image/png" : "image/jpeg");
    const Decoded d = png ? DecodePng(picture.body) : DecodeJpeg(picture.body);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.width, 200);
    EXPECT_EQ(d.height, 200);
    EXPECT_GT(d.colours.size(), 20u);
    EXPECT_LT(picture.body.size(), 64u * 1024);
    (png ? pngs : jpegs)++;
    bodies.insert(picture.body);
    EXPECT_EQ(FetchFrom(*platform_, kPictureHost, address.substr(prefix.size())).body, picture.body);
  }
  EXPECT_GT(jpegs, 0);
  EXPECT_GT(pngs, 0);
  EXPECT_EQ(bodies.size(), 40u);  // every item its own picture
}

TEST_F(PictureTest, OtherAddressesOnThePictureHostAreNotFound) {
  for (const char* target : {"/bao/uploaded/i1/x.gif", "/other/x.jpg", "/"}) {
    EXPECT_EQ(FetchFrom(*platform_, kPictureHost, target).status, 404) << target;
  }
}

}  // namespace
