// Builders for hand-made .bmp and .png files used by the image codec tests: every header field,
// palette entry and sample is spelled out by the test, so the decoders are checked against
// bytes written independently of them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/imageio.h"

namespace kiv::testimg {

using Bytes = std::vector<std::uint8_t>;

void PutU16(Bytes& b, std::size_t at, std::uint32_t v);
void PutU32(Bytes& b, std::size_t at, std::uint32_t v);

struct BmpRecipe {
  std::uint32_t header_size = 40;  // 12, 40, 52, 56, 108, 124 (or anything, to test refusals)
  std::int32_t width = 1;
  std::int32_t height = 1;  // negative: rows run from the top
  std::uint16_t bpp = 24;
  std::uint32_t compression = 0;
  std::vector<std::uint32_t> masks;    // red, green, blue[, alpha]: inside headers of 52 bytes
                                       // or more, after a 40-byte one
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB
  std::uint32_t colors_used = 0;
  std::uint32_t image_size = 0;
  Bytes pixels;  // exactly as stored after the headers and the colour table
  std::optional<std::uint32_t> pixel_offset;  // default: right after the colour table
};
Bytes BuildBmp(const BmpRecipe& recipe);

// Joins rows, padding each to a multiple of 4 bytes as BMP rows are.
Bytes PadRows(const std::vector<Bytes>& rows);

enum PngColourType : std::uint8_t { kGrey = 0, kRgb = 2, kPalette = 3, kGreyAlpha = 4, kRgba = 6 };

struct PngRecipe {
  int width = 1;
  int height = 1;
  int bit_depth = 8;
  PngColourType colour_type = kRgb;
  bool interlaced = false;
  std::vector<std::uint16_t> samples;  // channel values, pixel after pixel, rows from the top
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB, for kPalette
  Bytes trns;                          // raw tRNS chunk body; empty = no chunk
};
// A valid file with the image data in stored (uncompressed) deflate blocks.
Bytes BuildPng(const PngRecipe& recipe);

// Offset of the first byte of the named chunk's data in a PNG file, or npos.
std::size_t FindPngChunk(const Bytes& png, const std::string& type);

// Recomputes every chunk checksum, so that edited chunk contents reach the decoder proper.
void FixPngCrcs(Bytes& png);

imageio::Image Decode(const Bytes& bytes, const std::string& name = "test.img");

// Runs the decoder on data and expects an EPlatformError whose message contains every part.
void ExpectDecodeError(const Bytes& bytes, const std::vector<std::string>& parts);

// Decodes every proper prefix of a file; each must raise EPlatformError.
void ExpectEveryTruncationFails(const Bytes& bytes);

// Flips random bytes of a valid file many times (fixed seed); the decoder must either return a
// picture of a plausible size or raise EPlatformError.
void ExpectMutationsHandled(const Bytes& bytes, int rounds, unsigned seed);

}  // namespace kiv::testimg
