// Writing .bmp and .png files and reading them back, file access errors, and TBitmap's loading
// and saving on top of the codecs.
#include "platform/imageio.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "image_test_util.h"
#include "platform/bitmap.h"
#include "platform/errors.h"

namespace kiv {
namespace {

using testimg::Bytes;

std::vector<TPixel> RandomPicture(int width, int height, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<TPixel> px(static_cast<std::size_t>(width) * height);
  for (TPixel& p : px) p = 0xFF000000u | (rng() & 0xFFFFFFu);
  return px;
}

std::string OutPath(const std::string& file) {
  return std::string(KIV_TEST_OUT_DIR) + "/imageio_" + file;
}

Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EPlatformError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(ImageRoundTrip, BmpAndPngKeepEveryPixel) {
  for (auto [w, h] : {std::pair{1, 1}, std::pair{3, 5}, std::pair{7, 2}, std::pair{257, 130}}) {
    const std::vector<TPixel> px = RandomPicture(w, h, static_cast<unsigned>(w * 1000 + h));
    const imageio::Image bmp = testimg::Decode(imageio::EncodeBmp(px.data(), w, h));
    EXPECT_EQ(bmp.width, w);
    EXPECT_EQ(bmp.height, h);
    EXPECT_EQ(bmp.pixels, px) << "BMP " << w << " x " << h;
    for (int level : {0, 1, 2, 6, 9}) {
      const imageio::Image png = testimg::Decode(imageio::EncodePng(px.data(), w, h, level));
      EXPECT_EQ(png.width, w);
      EXPECT_EQ(png.height, h);
      EXPECT_EQ(png.pixels, px) << "PNG level " << level << ", " << w << " x " << h;
    }
  }
}

// Pictures of up to 256 colours (alpha ignored) are written with a palette, larger ones as RGB
// rows: either way every pixel reads back as it was.
TEST(ImageRoundTrip, PngPaletteUpTo256Colours) {
  for (const int colours : {1, 2, 255, 256, 257, 600}) {
    std::vector<TPixel> px(200 * 60);
    for (std::size_t i = 0; i < px.size(); ++i) {
      const auto c = static_cast<TPixel>((i / 7) % static_cast<std::size_t>(colours));
      px[i] = 0xFF000000u | (c * 0x010307u & 0xFFFFFFu);
    }
    // A pixel that differs in alpha only is the same colour in the file.
    std::vector<TPixel> source = px;
    source[5] &= 0x00FFFFFFu;
    const Bytes png = imageio::EncodePng(source.data(), 200, 60, 1);
    EXPECT_EQ(testimg::FindPngChunk(png, "PLTE") != std::string::npos, colours <= 256) << colours;
    EXPECT_EQ(testimg::Decode(png).pixels, px) << colours << " colours";
  }
}

TEST(ImageRoundTrip, PngLevelsTradeSizeForTime) {
  // Flat areas with a few lines, like a chart: every level shrinks them, higher levels more.
  std::vector<TPixel> px(300 * 200, 0xFFFFFFFFu);
  for (int y = 0; y < 200; y += 20)
    for (int x = 0; x < 300; ++x) px[y * 300 + x] = 0xFFC0C0C0u;
  for (int x = 0; x < 300; ++x) px[(100 + (x * 7) % 60) * 300 + x] = 0xFFFF0000u;
  const std::size_t stored = imageio::EncodePng(px.data(), 300, 200, 0).size();
  const std::size_t fast = imageio::EncodePng(px.data(), 300, 200, 1).size();
  const std::size_t best = imageio::EncodePng(px.data(), 300, 200, 9).size();
  // Level 0 stores the rows as they are (one palette index per pixel for this picture).
  EXPECT_GT(stored, 300u * 200);
  EXPECT_LT(fast, stored / 20);
  EXPECT_LE(best, fast);
  // Levels outside 0..9 fall back to the fast default or the strongest.
  EXPECT_EQ(imageio::EncodePng(px.data(), 300, 200, -1),
            imageio::EncodePng(px.data(), 300, 200, 1));
  EXPECT_EQ(imageio::EncodePng(px.data(), 300, 200, 42),
            imageio::EncodePng(px.data(), 300, 200, 9));
}

TEST(BmpWrite, TwentyFourBitBottomUpRowsPaddedToFourBytes) {
  const std::vector<TPixel> px = {0xFF010203u, 0xFF040506u, 0xFF070809u, 0xFF0A0B0Cu};
  const Bytes bmp = imageio::EncodeBmp(px.data(), 1, 4);
  ASSERT_EQ(bmp.size(), 54u + 4 * 4);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(bmp[2], 54 + 16);  // file size
  EXPECT_EQ(bmp[10], 54);      // pixel offset
  EXPECT_EQ(bmp[14], 40);      // info header
  EXPECT_EQ(bmp[22], 4);       // positive height: bottom-up
  EXPECT_EQ(bmp[28], 24);      // bits per pixel
  EXPECT_EQ(bmp[30], 0);       // no compression
  EXPECT_EQ(Bytes(bmp.begin() + 54, bmp.begin() + 58), (Bytes{0x0C, 0x0B, 0x0A, 0}));  // bottom
  EXPECT_EQ(Bytes(bmp.begin() + 66, bmp.begin() + 70), (Bytes{0x03, 0x02, 0x01, 0}));  // top
}

TEST(ImageWrite, EmptyPicturesAreRefused) {
  const TPixel one = 0xFFFFFFFFu;
  EXPECT_THROW(imageio::EncodeBmp(&one, 0, 1), EPlatformError);
  EXPECT_THROW(imageio::EncodePng(&one, 1, 0, 1), EPlatformError);
  EXPECT_THROW(imageio::EncodePng(nullptr, 1, 1, 1), EPlatformError);
  EXPECT_EQ(ErrorOf([&] { imageio::WritePng(OutPath("empty.png"), &one, 0, 0, 1); }),
            "cannot write " + OutPath("empty.png") +
                ": a PNG file needs at least one pixel (the picture is 0 x 0)");
}

TEST(ImageFile, WritersAndReaderGoThroughTheFileSystem) {
  const std::vector<TPixel> px = RandomPicture(5, 3, 11);
  imageio::WriteBmp(OutPath("rt.bmp"), px.data(), 5, 3);
  imageio::WritePng(OutPath("rt.png"), px.data(), 5, 3, 1);
  EXPECT_EQ(ReadBytes(OutPath("rt.bmp")), imageio::EncodeBmp(px.data(), 5, 3));
  EXPECT_EQ(ReadBytes(OutPath("rt.png")), imageio::EncodePng(px.data(), 5, 3, 1));
  EXPECT_EQ(imageio::ReadImageFile(OutPath("rt.bmp")).pixels, px);
  EXPECT_EQ(imageio::ReadImageFile(OutPath("rt.png")).pixels, px);

  EXPECT_EQ(ErrorOf([&] { imageio::WriteBmp("/nonexistent-dir/x.bmp", px.data(), 5, 3); }),
            "cannot write /nonexistent-dir/x.bmp: No such file or directory");
}

TEST(ImageFile, ReadErrorsNameTheFileAndTheProblem) {
  EXPECT_EQ(ErrorOf([] { imageio::ReadImageFile("/nonexistent-dir/missing.png"); }),
            "cannot open /nonexistent-dir/missing.png: No such file or directory");
  EXPECT_EQ(ErrorOf([] { imageio::ReadImageFile(KIV_TEST_OUT_DIR); }),
            std::string("cannot read ") + KIV_TEST_OUT_DIR + ": not a regular file");

  WriteBytes(OutPath("empty.bmp"), {});
  EXPECT_EQ(ErrorOf([] { imageio::ReadImageFile(OutPath("empty.bmp")); }),
            OutPath("empty.bmp") + ": empty file");
  WriteBytes(OutPath("text.png"), {'h', 'e', 'l', 'l', 'o'});
  EXPECT_EQ(ErrorOf([] { imageio::ReadImageFile(OutPath("text.png")); }),
            OutPath("text.png") + ": unsupported image format (neither BMP nor PNG)");
  WriteBytes(OutPath("cut.png"), {0x89, 'P', 'N'});
  EXPECT_EQ(ErrorOf([] { imageio::ReadImageFile(OutPath("cut.png")); }),
            OutPath("cut.png") + ": truncated PNG file (signature)");
}

TEST(ImageFile, FormatIsRecognisedByContentNotName) {
  const std::vector<TPixel> px = RandomPicture(2, 2, 5);
  imageio::WritePng(OutPath("really_png.bmp"), px.data(), 2, 2, 1);
  EXPECT_EQ(imageio::ReadImageFile(OutPath("really_png.bmp")).pixels, px);
}

TEST(BitmapFile, SaveChoosesPngByNameInAnyCase) {
  TBitmap b(4, 3);
  b.ScanLine(1)[2] = 0xFF336699u;
  b.SaveToFile(OutPath("upper.PNG"));
  b.SaveToFile(OutPath("lower.png"));
  b.SaveToFile(OutPath("plain.bmp"));
  b.SaveToFile(OutPath("noext"));
  EXPECT_EQ(ReadBytes(OutPath("upper.PNG"))[1], 'P');
  EXPECT_EQ(ReadBytes(OutPath("lower.png"))[1], 'P');
  EXPECT_EQ(ReadBytes(OutPath("plain.bmp"))[0], 'B');
  EXPECT_EQ(ReadBytes(OutPath("noext"))[0], 'B');

  for (const char* name : {"upper.PNG", "plain.bmp"}) {
    TBitmap loaded;
    loaded.LoadFromFile(OutPath(name));
    EXPECT_EQ(loaded.Width(), 4);
    EXPECT_EQ(loaded.Height(), 3);
    EXPECT_EQ(loaded.ScanLine(1)[2], 0xFF336699u) << name;
    EXPECT_EQ(loaded.ScanLine(0)[0], TBitmap::kFreshPixel) << name;
  }
}

TEST(BitmapFile, FailedLoadLeavesTheBitmapUnchanged) {
  TBitmap b(2, 2);
  b.ScanLine(0)[1] = 0xFF123456u;
  const TBitmap before = b;
  Bytes cut = imageio::EncodePng(before.Bits(), 2, 2, 1);
  cut.resize(cut.size() - 5);
  WriteBytes(OutPath("cut_bitmap.png"), cut);
  for (const std::string& path : {OutPath("cut_bitmap.png"), OutPath("missing.bmp")}) {
    EXPECT_THROW(b.LoadFromFile(path), EPlatformError);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.Height(), 2);
    EXPECT_TRUE(std::equal(b.Bits(), b.Bits() + 4, before.Bits()));
  }
}

}  // namespace
}  // namespace kiv
