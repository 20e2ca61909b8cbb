// The .png reader on hand-built files: every colour type and bit depth, transparency flattened
// onto white, interlacing, and the refusals of damaged files.
#include <gtest/gtest.h>

#include <random>

#include "image_test_util.h"
#include "platform/errors.h"

namespace kiv {
namespace {

using testimg::BuildPng;
using testimg::Bytes;
using testimg::Decode;
using testimg::ExpectDecodeError;
using testimg::PngRecipe;

constexpr TPixel Px(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return 0xFF000000u | r << 16 | g << 8 | b;
}
constexpr TPixel Grey(std::uint32_t v) {
  return Px(v, v, v);
}
constexpr TPixel kWhite = Px(255, 255, 255);

PngRecipe Recipe(testimg::PngColourType type, int depth, int width,
                 std::vector<std::uint16_t> samples) {
  PngRecipe s;
  s.colour_type = type;
  s.bit_depth = depth;
  s.width = width;
  s.height = 1;
  s.samples = std::move(samples);
  return s;
}

std::vector<TPixel> Pixels(const PngRecipe& recipe) {
  return Decode(BuildPng(recipe)).pixels;
}

TEST(PngRead, GreyAtEveryDepthWidensToEightBits) {
  EXPECT_EQ(Pixels(Recipe(testimg::kGrey, 1, 3, {0, 1, 0})),
            (std::vector<TPixel>{Grey(0), Grey(255), Grey(0)}));
  EXPECT_EQ(Pixels(Recipe(testimg::kGrey, 2, 4, {0, 1, 2, 3})),
            (std::vector<TPixel>{Grey(0), Grey(85), Grey(170), Grey(255)}));
  EXPECT_EQ(Pixels(Recipe(testimg::kGrey, 4, 3, {0, 5, 15})),
            (std::vector<TPixel>{Grey(0), Grey(85), Grey(255)}));
  EXPECT_EQ(Pixels(Recipe(testimg::kGrey, 8, 2, {77, 255})),
            (std::vector<TPixel>{Grey(77), Grey(255)}));
  // Sixteen-bit samples are scaled with rounding (0x12FF / 257 = 18.9), not cut to the high byte.
  EXPECT_EQ(Pixels(Recipe(testimg::kGrey, 16, 3, {0, 0x12FF, 0xFFFF})),
            (std::vector<TPixel>{Grey(0), Grey(19), Grey(255)}));
}

TEST(PngRead, RgbAtEightAndSixteenBits) {
  EXPECT_EQ(Pixels(Recipe(testimg::kRgb, 8, 2, {10, 20, 30, 255, 128, 0})),
            (std::vector<TPixel>{Px(10, 20, 30), Px(255, 128, 0)}));
  EXPECT_EQ(Pixels(Recipe(testimg::kRgb, 16, 1, {0xFFFF, 0x8080, 0x12FF})),
            (std::vector<TPixel>{Px(255, 128, 19)}));
}

TEST(PngRead, PaletteAtEveryDepth) {
  const std::vector<std::uint32_t> palette = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456};
  for (int depth : {1, 2, 4, 8}) {
    const int colours = depth == 1 ? 2 : 4;
    PngRecipe s = Recipe(testimg::kPalette, depth, 5, {});
    s.palette.assign(palette.begin(), palette.begin() + colours);
    std::vector<TPixel> expected;
    for (int x = 0; x < 5; ++x) {
      const int index = (x * 3) % colours;
      s.samples.push_back(static_cast<std::uint16_t>(index));
      expected.push_back(0xFF000000u | palette[index]);
    }
    EXPECT_EQ(Pixels(s), expected) << depth << "-bit";
  }
}

TEST(PngRead, AlphaIsFlattenedOntoWhite) {
  // colour * a + white * (1 - a), rounded: (200, 100, 0) at 128/255 gives (227, 177, 127).
  EXPECT_EQ(Pixels(Recipe(testimg::kRgba, 8, 3, {200, 100, 0, 128, 1, 2, 3, 0, 1, 2, 3, 255})),
            (std::vector<TPixel>{Px(227, 177, 127), kWhite, Px(1, 2, 3)}));
  EXPECT_EQ(Pixels(Recipe(testimg::kRgba, 16, 1, {0xFFFF, 0, 0, 0x8080})),
            (std::vector<TPixel>{Px(255, 127, 127)}));
  EXPECT_EQ(Pixels(Recipe(testimg::kGreyAlpha, 8, 3, {0, 0, 0, 255, 100, 51})),
            (std::vector<TPixel>{kWhite, Grey(0), Grey(224)}));
  EXPECT_EQ(Pixels(Recipe(testimg::kGreyAlpha, 16, 1, {0, 0x8080})),
            (std::vector<TPixel>{Grey(127)}));
}

TEST(PngRead, TransparencyChunkForPaletteGreyAndRgb) {
  PngRecipe palette = Recipe(testimg::kPalette, 8, 4, {0, 1, 2, 2});
  palette.palette = {0xFF0000, 0x0000FF, 0x00FF00};
  palette.trns = {0, 64};  // the third entry has no alpha value: opaque
  EXPECT_EQ(Pixels(palette),
            (std::vector<TPixel>{kWhite, Px(191, 191, 255), Px(0, 255, 0), Px(0, 255, 0)}));

  PngRecipe grey = Recipe(testimg::kGrey, 8, 2, {5, 6});
  grey.trns = {0, 5};
  EXPECT_EQ(Pixels(grey), (std::vector<TPixel>{kWhite, Grey(6)}));

  PngRecipe deep_grey = Recipe(testimg::kGrey, 16, 2, {0x1234, 0x1235});
  deep_grey.trns = {0x12, 0x34};
  EXPECT_EQ(Pixels(deep_grey), (std::vector<TPixel>{kWhite, Grey(18)}));

  PngRecipe rgb = Recipe(testimg::kRgb, 8, 2, {0, 0, 0, 0, 0, 1});
  rgb.trns = {0, 0, 0, 0, 0, 0};
  EXPECT_EQ(Pixels(rgb), (std::vector<TPixel>{kWhite, Px(0, 0, 1)}));
}

TEST(PngRead, InterlacedFilesGiveTheSamePicture) {
  std::mt19937 rng(7);
  for (auto [type, depth] : {std::pair{testimg::kRgb, 8}, std::pair{testimg::kPalette, 2},
                             std::pair{testimg::kRgba, 16}}) {
    PngRecipe s;
    s.colour_type = type;
    s.bit_depth = depth;
    s.width = 13;
    s.height = 11;
    if (type == testimg::kPalette) s.palette = {0x000000, 0xFF8000, 0x0080FF, 0xFFFFFF};
    const int channels = type == testimg::kRgb ? 3 : type == testimg::kRgba ? 4 : 1;
    std::uniform_int_distribution<int> sample(0, (1 << depth) - 1);
    for (int i = 0; i < s.width * s.height * channels; ++i)
      s.samples.push_back(static_cast<std::uint16_t>(sample(rng)));
    const imageio::Image plain = Decode(BuildPng(s));
    s.interlaced = true;
    const imageio::Image interlaced = Decode(BuildPng(s));
    EXPECT_EQ(interlaced.width, 13);
    EXPECT_EQ(interlaced.height, 11);
    EXPECT_EQ(interlaced.pixels, plain.pixels) << "colour type " << int{type};
  }
}

Bytes OnePixel() {
  return BuildPng(Recipe(testimg::kRgb, 8, 1, {1, 2, 3}));
}

// Rewrites the picture size in the header (and its checksum).
Bytes WithSize(std::uint32_t width, std::uint32_t height) {
  Bytes png = OnePixel();
  const std::size_t ihdr = testimg::FindPngChunk(png, "IHDR");
  for (int i = 0; i < 4; ++i) {
    png[ihdr + i] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
    png[ihdr + 4 + i] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
  }
  testimg::FixPngCrcs(png);
  return png;
}

TEST(PngRead, DamagedFilesAreRefused) {
  Bytes bad_crc = OnePixel();
  bad_crc[testimg::FindPngChunk(bad_crc, "IHDR")] ^= 0x40;
  ExpectDecodeError(bad_crc, {"corrupt PNG file", "CRC"});

  Bytes bad_data = OnePixel();
  bad_data[testimg::FindPngChunk(bad_data, "IDAT") + 2] ^= 0xFF;  // stored block kind
  testimg::FixPngCrcs(bad_data);
  ExpectDecodeError(bad_data, {"corrupt PNG file"});

  Bytes bad_checksum = OnePixel();
  const std::size_t idat = testimg::FindPngChunk(bad_checksum, "IDAT");
  bad_checksum[idat + 2 + 5 + 4 + 3] ^= 1;  // last byte of the zlib checksum
  testimg::FixPngCrcs(bad_checksum);
  ExpectDecodeError(bad_checksum, {"corrupt PNG file"});

  ExpectDecodeError(BuildPng(Recipe(testimg::kRgb, 4, 1, {1, 2, 3})), {"corrupt PNG file"});
  ExpectDecodeError(WithSize(0, 1), {"corrupt PNG file"});
}

TEST(PngRead, OversizedPicturesAreRefusedBeforeAllocating) {
  ExpectDecodeError(WithSize(70000, 1), {"image too large (70000 x 1 pixels"});
  ExpectDecodeError(WithSize(20000, 20000), {"image too large (20000 x 20000 pixels"});
  // Within the limits, but no deflate stream this short can hold 60000 x 4000 pixels.
  ExpectDecodeError(WithSize(60000, 4000), {"truncated PNG file", "cannot hold 60000 x 4000"});
  ExpectDecodeError(WithSize(2, 2), {"corrupt PNG file"});
}

std::vector<Bytes> SampleFiles() {
  PngRecipe palette = Recipe(testimg::kPalette, 2, 5, {0, 1, 2, 3, 1});
  palette.height = 1;
  palette.palette = {0x000000, 0xFF8000, 0x0080FF, 0xFFFFFF};
  palette.trns = {0, 128};
  PngRecipe rgba = Recipe(testimg::kRgba, 16, 3, {});
  rgba.height = 3;
  rgba.interlaced = true;
  for (int i = 0; i < 36; ++i) rgba.samples.push_back(static_cast<std::uint16_t>(i * 1800));
  const std::vector<TPixel> encoded = {0xFF102030u, 0xFF405060u, 0xFFFFFFFFu, 0xFF000000u};
  return {OnePixel(), BuildPng(palette), BuildPng(rgba),
          imageio::EncodePng(encoded.data(), 2, 2, 6)};
}

TEST(PngRead, EveryTruncationOfAFileIsRefused) {
  for (const Bytes& file : SampleFiles()) {
    ASSERT_NO_THROW(Decode(file));
    testimg::ExpectEveryTruncationFails(file);
  }
}

TEST(PngRead, RandomlyDamagedFilesNeverCrash) {
  unsigned seed = 100;
  for (const Bytes& file : SampleFiles()) testimg::ExpectMutationsHandled(file, 400, seed++);
}

}  // namespace
}  // namespace kiv
