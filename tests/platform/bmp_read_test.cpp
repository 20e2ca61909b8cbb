// The .bmp reader on hand-built files: every header generation, pixel depth, palette, bit-field
// layout and RLE flavour, and the refusals of damaged or unsupported files.
#include <gtest/gtest.h>

#include "image_test_util.h"
#include "platform/errors.h"

namespace kiv {
namespace {

using testimg::BmpRecipe;
using testimg::BuildBmp;
using testimg::Bytes;
using testimg::Decode;
using testimg::ExpectDecodeError;
using testimg::PadRows;

constexpr TPixel Px(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return 0xFF000000u | r << 16 | g << 8 | b;
}
constexpr TPixel kRed = Px(255, 0, 0), kGreen = Px(0, 255, 0), kBlue = Px(0, 0, 255);
constexpr TPixel kWhite = Px(255, 255, 255), kBlack = Px(0, 0, 0), kGrey = Px(128, 128, 128);

std::vector<TPixel> Pixels(const Bytes& file) {
  return Decode(file).pixels;
}

// A 3 x 2 picture, top row red, green, blue; bottom row white, black, grey; 24-bit rows.
const std::vector<TPixel> kPicture = {kRed, kGreen, kBlue, kWhite, kBlack, kGrey};
const Bytes kTopRow24 = {0, 0, 255, 0, 255, 0, 255, 0, 0};
const Bytes kBottomRow24 = {255, 255, 255, 0, 0, 0, 128, 128, 128};

BmpRecipe Rgb24BottomUp() {
  BmpRecipe s;
  s.width = 3;
  s.height = 2;
  s.pixels = PadRows({kBottomRow24, kTopRow24});
  return s;
}

TEST(BmpRead, TwentyFourBitRowsRunBottomUpByDefault) {
  const imageio::Image img = Decode(BuildBmp(Rgb24BottomUp()));
  EXPECT_EQ(img.width, 3);
  EXPECT_EQ(img.height, 2);
  EXPECT_EQ(img.pixels, kPicture);
}

TEST(BmpRead, NegativeHeightMeansTopDownRows) {
  BmpRecipe s = Rgb24BottomUp();
  s.height = -2;
  s.pixels = PadRows({kTopRow24, kBottomRow24});
  const imageio::Image img = Decode(BuildBmp(s));
  EXPECT_EQ(img.height, 2);
  EXPECT_EQ(img.pixels, kPicture);
}

TEST(BmpRead, OneBitPixelsCrossByteBoundaries) {
  BmpRecipe s;
  s.width = 10;
  s.bpp = 1;
  s.palette = {0x112233, 0xAABBCC};
  s.pixels = PadRows({{0b10110011, 0b10000000}});
  const TPixel a = Px(0x11, 0x22, 0x33), b = Px(0xAA, 0xBB, 0xCC);
  EXPECT_EQ(Pixels(BuildBmp(s)), (std::vector<TPixel>{b, a, b, b, a, a, b, b, b, a}));
}

TEST(BmpRead, TwoAndFourBitPixelsUseTheirPalette) {
  BmpRecipe two;
  two.width = 5;
  two.bpp = 2;
  two.palette = {0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
  two.pixels = PadRows({{0x1B, 0x80}});  // 0 1 2 3 | 2
  EXPECT_EQ(Pixels(BuildBmp(two)), (std::vector<TPixel>{kRed, kGreen, kBlue, kGrey, kBlue}));

  BmpRecipe four;
  four.width = 3;
  four.bpp = 4;
  four.palette.assign(16, 0);
  four.palette[0xA] = 0xFF0000;
  four.palette[0x3] = 0x00FF00;
  four.palette[0xF] = 0xFFFFFF;
  four.pixels = PadRows({{0xA3, 0xF0}});
  EXPECT_EQ(Pixels(BuildBmp(four)), (std::vector<TPixel>{kRed, kGreen, kWhite}));
}

TEST(BmpRead, EightBitPaletteMayBeShorterThanTheDepthAllows) {
  BmpRecipe s;
  s.width = 3;
  s.height = 2;
  s.bpp = 8;
  s.colors_used = 3;
  s.palette = {0xFF0000, 0x00FF00, 0x0000FF};
  s.pixels = PadRows({{2, 1, 0}, {0, 1, 2}});
  EXPECT_EQ(Pixels(BuildBmp(s)), (std::vector<TPixel>{kRed, kGreen, kBlue, kBlue, kGreen, kRed}));

  s.pixels = PadRows({{2, 1, 0}, {0, 5, 2}});
  ExpectDecodeError(BuildBmp(s), {"corrupt BMP", "colour index 5 beyond the 3-entry colour table"});
}

TEST(BmpRead, ColourTableEndsAtThePixelData) {
  // The header claims 16 colours but the pixels start after two entries.
  BmpRecipe s;
  s.width = 2;
  s.bpp = 4;
  s.palette = {0xFF0000, 0x0000FF};
  s.pixels = PadRows({{0x10}});
  EXPECT_EQ(Pixels(BuildBmp(s)), (std::vector<TPixel>{kBlue, kRed}));
  s.pixels = PadRows({{0x12}});
  ExpectDecodeError(BuildBmp(s), {"colour index 2 beyond the 2-entry colour table"});
}

TEST(BmpRead, SixteenBitPixelsDefaultToFiveFiveFive) {
  BmpRecipe s;
  s.width = 4;
  s.bpp = 16;
  s.pixels = PadRows({{0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x10, 0x42}});
  // 5-bit 16 widens to round(16 * 255 / 31) = 132.
  EXPECT_EQ(Pixels(BuildBmp(s)), (std::vector<TPixel>{kRed, kGreen, kBlue, Px(132, 132, 132)}));
}

TEST(BmpRead, SixteenBitBitFieldsFiveSixFive) {
  BmpRecipe s;
  s.width = 3;
  s.bpp = 16;
  s.compression = 3;
  s.masks = {0xF800, 0x07E0, 0x001F};
  s.pixels = PadRows({{0x00, 0xF8, 0x00, 0x04, 0x1F, 0x00}});  // red, green 32 of 63, blue
  EXPECT_EQ(Pixels(BuildBmp(s)), (std::vector<TPixel>{kRed, Px(0, 130, 0), kBlue}));
}

TEST(BmpRead, ThirtyTwoBitPixelsAreOpaqueWhateverTheirFourthByte) {
  BmpRecipe s;
  s.width = 2;
  s.bpp = 32;
  s.pixels = PadRows({{0x30, 0x20, 0x10, 0x00, 0x60, 0x50, 0x40, 0x80}});
  EXPECT_EQ(Pixels(BuildBmp(s)), (std::vector<TPixel>{Px(0x10, 0x20, 0x30), Px(0x40, 0x50, 0x60)}));
}

TEST(BmpRead, ThirtyTwoBitMasksOfAnyWidthAndPosition) {
  BmpRecipe s;
  s.width = 2;
  s.bpp = 32;
  s.compression = 3;
  // Ten bits per channel, then four-bit channels scattered over the word.
  s.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
  Bytes row(8);
  testimg::PutU32(row, 0, 1023u << 20 | 512u << 10);
  testimg::PutU32(row, 4, 4u << 20 | 1023u);
  s.pixels = row;
  EXPECT_EQ(Pixels(BuildBmp(s)), (std::vector<TPixel>{Px(255, 128, 0), Px(1, 0, 255)}));

  s.masks = {0xF0000000, 0x000F0000, 0x0000000F};
  testimg::PutU32(row, 0, 0xF0080001u);
  testimg::PutU32(row, 4, 0);
  s.pixels = row;
  EXPECT_EQ(Pixels(BuildBmp(s)), (std::vector<TPixel>{Px(255, 136, 17), kBlack}));
}

TEST(BmpRead, EveryInfoHeaderVersionCarriesTheSamePicture) {
  // 32-bit bit-field pixels: masks follow a 40-byte header and sit inside the longer ones.
  for (std::uint32_t header : {40u, 52u, 56u, 108u, 124u}) {
    BmpRecipe s;
    s.header_size = header;
    s.width = 3;
    s.height = -1;
    s.bpp = 32;
    s.compression = 3;
    s.masks = {0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF};  // bytes A, R, G, B
    s.pixels = {0, 255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255};
    if (header == 40) s.masks.pop_back();
    EXPECT_EQ(Pixels(BuildBmp(s)), (std::vector<TPixel>{kRed, kGreen, kBlue})) << header;
  }
  // Four masks after a 40-byte header: the alpha variant of bit fields.
  BmpRecipe alpha;
  alpha.width = 1;
  alpha.bpp = 32;
  alpha.compression = 6;
  alpha.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  alpha.pixels = {0x33, 0x22, 0x11, 0x00};
  EXPECT_EQ(Pixels(BuildBmp(alpha)), (std::vector<TPixel>{Px(0x11, 0x22, 0x33)}));
}

TEST(BmpRead, CoreHeaderWithThreeByteColourTable) {
  BmpRecipe s;
  s.header_size = 12;
  s.width = 3;
  s.bpp = 8;
  s.palette.assign(256, 0x000000);
  s.palette[7] = 0xFF0000;
  s.palette[200] = 0x0000FF;
  s.pixels = PadRows({{7, 200, 0}});
  EXPECT_EQ(Pixels(BuildBmp(s)), (std::vector<TPixel>{kRed, kBlue, kBlack}));

  BmpRecipe rgb = Rgb24BottomUp();
  rgb.header_size = 12;
  EXPECT_EQ(Pixels(BuildBmp(rgb)), kPicture);
}

// Palette c0..c3 for the RLE pictures.
const std::vector<std::uint32_t> kRlePalette = {0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
constexpr TPixel c0 = kRed, c1 = kGreen, c2 = kBlue, c3 = kGrey, W = kWhite;

BmpRecipe Rle8(int width, int height, Bytes data) {
  BmpRecipe s;
  s.width = width;
  s.height = height;
  s.bpp = 8;
  s.compression = 1;
  s.colors_used = 4;
  s.palette = kRlePalette;
  s.pixels = std::move(data);
  return s;
}

BmpRecipe Rle4(int width, int height, Bytes data) {
  BmpRecipe s = Rle8(width, height, std::move(data));
  s.bpp = 4;
  s.compression = 2;
  return s;
}

const Bytes kRle8Data = {
    0x03, 0x01, 0x00, 0x03, 0x02, 0x03, 0x00, 0x00,  // bottom: 3 x c1, absolute c2 c3 c0 + pad
    0x00, 0x00,                                      // end of line
    0x00, 0x02, 0x02, 0x00, 0x02, 0x03, 0x00, 0x00,  // jump 2 right, 2 x c3, end of line
    0x06, 0x00, 0x00, 0x01};                         // top: 6 x c0, end of picture

const Bytes kRle4Data = {0x05, 0x12, 0x00, 0x00,              // bottom: c1 c2 c1 c2 c1, end of line
                         0x00, 0x05, 0x20, 0x10, 0x20, 0x00,  // absolute c2 c0 c1 c0 c2 + pad
                         0x00, 0x01};                         // end of picture

TEST(BmpRead, Rle8RunsAbsoluteRunsAndJumps) {
  EXPECT_EQ(Pixels(BuildBmp(Rle8(6, 3, kRle8Data))),
            (std::vector<TPixel>{c0, c0, c0, c0, c0, c0,  //
                                 W, W, c3, c3, W, W,      //
                                 c1, c1, c1, c2, c3, c0}));
}

TEST(BmpRead, RleJumpAcrossRowsLeavesSkippedPixelsWhite) {
  const Bytes data = {0x00, 0x02, 0x01, 0x02, 0x01, 0x01, 0x00, 0x01};
  EXPECT_EQ(Pixels(BuildBmp(Rle8(2, 3, data))), (std::vector<TPixel>{W, c1, W, W, W, W}));
}

TEST(BmpRead, RleMayEndEarlyButNotDemandAHugePictureFromFewBytes) {
  const imageio::Image blank = Decode(BuildBmp(Rle8(16, 16, {0x00, 0x01})));
  EXPECT_EQ(blank.pixels, std::vector<TPixel>(256, W));
  ExpectDecodeError(BuildBmp(Rle8(4096, 4096, {0x00, 0x01})),
                    {"corrupt BMP", "2 bytes of RLE data for 4096 x 4096 pixels"});
}

TEST(BmpRead, Rle4AlternatesNibblesAndPadsAbsoluteRuns) {
  EXPECT_EQ(Pixels(BuildBmp(Rle4(5, 2, kRle4Data))),
            (std::vector<TPixel>{c2, c0, c1, c0, c2, c1, c2, c1, c2, c1}));
}

TEST(BmpRead, DamagedRleDataIsRefused) {
  ExpectDecodeError(BuildBmp(Rle8(2, 1, {0x03, 0x00, 0x00, 0x01})), {"RLE run beyond the end"});
  ExpectDecodeError(BuildBmp(Rle8(2, 1, {0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01})),
                    {"RLE run beyond the end"});
  ExpectDecodeError(BuildBmp(Rle8(2, 1, {0x00, 0x02, 0x03, 0x00, 0x00, 0x01})),
                    {"RLE jump outside the picture"});
  ExpectDecodeError(BuildBmp(Rle8(2, 1, {0x00, 0x02, 0x00, 0x02, 0x00, 0x01})),
                    {"RLE jump outside the picture"});
  ExpectDecodeError(BuildBmp(Rle8(2, 1, {0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x01})),
                    {"RLE data beyond the last row"});
  ExpectDecodeError(BuildBmp(Rle8(2, 1, {0x02, 0x00, 0x00, 0x00, 0x00, 0x00})),
                    {"RLE data beyond the last row"});
  ExpectDecodeError(BuildBmp(Rle8(2, 1, {0x02, 0x07, 0x00, 0x01})),
                    {"colour index 7 beyond the 4-entry colour table"});
  ExpectDecodeError(BuildBmp(Rle4(2, 1, {0x02, 0x05, 0x00, 0x01})), {"colour index 5"});
  ExpectDecodeError(BuildBmp(Rle8(2, 1, {0x02, 0x00, 0x00, 0x00})),
                    {"truncated BMP", "stops before its end marker"});

  BmpRecipe sized = Rle8(2, 1, {0x02, 0x00, 0x00, 0x01});
  sized.image_size = 40;
  ExpectDecodeError(BuildBmp(sized), {"truncated BMP", "RLE data needs 40 bytes, 4 are present"});
  BmpRecipe top_down = Rle8(2, -1, {0x02, 0x00, 0x00, 0x01});
  ExpectDecodeError(BuildBmp(top_down), {"corrupt BMP", "top-down"});
  BmpRecipe wrong_depth = Rle8(2, 1, {0x02, 0x00, 0x00, 0x01});
  wrong_depth.bpp = 4;
  ExpectDecodeError(BuildBmp(wrong_depth), {"RLE8 compression with 4 bits per pixel"});
}

TEST(BmpRead, UnsupportedVariantsAreNamed) {
  BmpRecipe os2 = Rgb24BottomUp();
  os2.header_size = 64;
  ExpectDecodeError(BuildBmp(os2), {"unsupported BMP header (OS/2 2.x info header)"});
  BmpRecipe odd = Rgb24BottomUp();
  odd.header_size = 20;
  ExpectDecodeError(BuildBmp(odd), {"unsupported BMP header (20-byte info header)"});

  BmpRecipe s = Rgb24BottomUp();
  s.compression = 4;
  ExpectDecodeError(BuildBmp(s), {"unsupported BMP compression (embedded JPEG)"});
  s.compression = 5;
  ExpectDecodeError(BuildBmp(s), {"unsupported BMP compression (embedded PNG)"});
  s.compression = 9;
  ExpectDecodeError(BuildBmp(s), {"unsupported BMP compression 9"});
  s.compression = 3;
  s.masks = {0xFF0000, 0xFF00, 0xFF};
  ExpectDecodeError(BuildBmp(s), {"unsupported BMP bit-field pixels of 24 bits per pixel"});

  BmpRecipe deep = Rgb24BottomUp();
  deep.bpp = 64;
  ExpectDecodeError(BuildBmp(deep), {"unsupported BMP pixel depth (64 bits per pixel)"});
  deep.bpp = 0;
  ExpectDecodeError(BuildBmp(deep), {"corrupt BMP", "0 bits per pixel"});
}

TEST(BmpRead, ImpossibleSizesAndOffsetsAreRefused) {
  BmpRecipe s = Rgb24BottomUp();
  s.width = 0;
  ExpectDecodeError(BuildBmp(s), {"corrupt BMP", "picture size 0 x 2"});
  s.width = -3;
  ExpectDecodeError(BuildBmp(s), {"corrupt BMP", "picture size -3 x 2"});
  s.width = 70000;
  ExpectDecodeError(BuildBmp(s), {"image too large (70000 x 2 pixels"});
  s.width = 40000;
  s.height = -40000;
  ExpectDecodeError(BuildBmp(s), {"image too large (40000 x 40000 pixels"});
  s.width = 1;
  s.height = std::numeric_limits<std::int32_t>::min();
  ExpectDecodeError(BuildBmp(s), {"image too large (1 x 2147483648 pixels"});

  BmpRecipe claims_more = Rgb24BottomUp();
  claims_more.height = 3;
  ExpectDecodeError(BuildBmp(claims_more),
                    {"truncated BMP", "the pixel rows need 36 bytes, 24 are present"});

  BmpRecipe far = Rgb24BottomUp();
  far.pixel_offset = 5000;
  ExpectDecodeError(BuildBmp(far), {"truncated BMP", "pixel data offset 5000 is beyond the end"});
  BmpRecipe inside = Rgb24BottomUp();
  inside.pixel_offset = 20;
  ExpectDecodeError(BuildBmp(inside), {"corrupt BMP", "offset 20 lies inside the headers"});

  BmpRecipe no_table;
  no_table.bpp = 8;
  no_table.pixels = {0, 0, 0, 0};
  ExpectDecodeError(BuildBmp(no_table), {"no colour table for 8-bit pixels"});
}

TEST(BmpRead, BadBitMasksAreRefused) {
  BmpRecipe s;
  s.bpp = 32;
  s.compression = 3;
  s.masks = {0x00FF00FF, 0x0000FF00, 0};
  s.pixels = {0, 0, 0, 0};
  ExpectDecodeError(BuildBmp(s), {"colour mask with gaps"});
  s.bpp = 16;
  s.masks = {0x1F0000, 0x3E0, 0x1F};
  ExpectDecodeError(BuildBmp(s), {"colour mask wider than 16 bits"});
}

std::vector<Bytes> SampleFiles() {
  BmpRecipe one;
  one.width = 10;
  one.height = 2;
  one.bpp = 1;
  one.palette = {0x112233, 0xAABBCC};
  one.pixels = PadRows({{0xB3, 0x80}, {0x4C, 0x40}});
  BmpRecipe sixteen;
  sixteen.width = 3;
  sixteen.height = -2;
  sixteen.bpp = 16;
  sixteen.compression = 3;
  sixteen.masks = {0xF800, 0x07E0, 0x001F};
  sixteen.pixels = PadRows({{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}});
  BmpRecipe v5;
  v5.header_size = 124;
  v5.width = 2;
  v5.height = 2;
  v5.bpp = 32;
  v5.compression = 3;
  v5.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
  v5.pixels = Bytes(16, 0x5A);
  BmpRecipe core = Rgb24BottomUp();
  core.header_size = 12;
  return {BuildBmp(Rgb24BottomUp()),
          BuildBmp(one),
          BuildBmp(sixteen),
          BuildBmp(v5),
          BuildBmp(core),
          BuildBmp(Rle8(6, 3, kRle8Data)),
          BuildBmp(Rle4(5, 2, kRle4Data))};
}

TEST(BmpRead, EveryTruncationOfAFileIsRefused) {
  for (const Bytes& file : SampleFiles()) {
    ASSERT_NO_THROW(Decode(file));
    testimg::ExpectEveryTruncationFails(file);
  }
}

TEST(BmpRead, RandomlyDamagedFilesNeverCrash) {
  unsigned seed = 1;
  for (const Bytes& file : SampleFiles()) testimg::ExpectMutationsHandled(file, 400, seed++);
}

}  // namespace
}  // namespace kiv
