// TBitmap: a 32-bit BGRA picture in memory with its own canvas, loaded from and saved to .bmp
// and .png files.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes.h"
#include "platform/color.h"

namespace kiv {

class TCanvas;
class TBitmapCanvas;

// One pixel of a 32-bit bitmap row as bytes: blue, green, red, alpha.
struct TRGB32 {
  std::uint8_t B;
  std::uint8_t G;
  std::uint8_t R;
  std::uint8_t A;
};
static_assert(sizeof(TRGB32) == 4);

// The pixel format a bitmap reports. Pixels are always stored as 32-bit BGRA; the format is
// recorded so that code that asks for pf32bit before writing rows directly reads it back.
enum TPixelFormat : std::uint8_t {
  pfDevice,
  pf1bit,
  pf4bit,
  pf8bit,
  pf15bit,
  pf16bit,
  pf24bit,
  pf32bit,
  pfCustom
};

// Image file formats a bitmap reads and writes.
enum class TImageFormat : std::uint8_t { Bmp, Png };

class TBitmap : public TPersistent {
 public:
  TBitmap();
  TBitmap(int width, int height);
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);
  TBitmap(TBitmap&& other) noexcept;
  TBitmap& operator=(TBitmap&& other) noexcept;
  ~TBitmap() override;
  std::string ClassName() const override { return "TBitmap"; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  // Resizes the picture. The overlapping part keeps its pixels; new pixels are white. Negative
  // sizes count as 0. A size that cannot be allocated raises EPlatformError.
  void SetSize(int width, int height);
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }

  TPixelFormat PixelFormat() const { return pixel_format_; }
  void SetPixelFormat(TPixelFormat f) { pixel_format_ = f; }

  // Row y of the picture (0 = top). Raises EPlatformError "Scan line index out of range" for a
  // row outside 0 .. Height-1.
  TPixel* ScanLine(int y);
  const TPixel* ScanLine(int y) const;
  TRGB32* ScanLineRGB(int y) { return reinterpret_cast<TRGB32*>(ScanLine(y)); }
  const TRGB32* ScanLineRGB(int y) const { return reinterpret_cast<const TRGB32*>(ScanLine(y)); }

  // All pixels, row after row, Width() pixels per row.
  TPixel* Bits() { return pixels_.data(); }
  const TPixel* Bits() const { return pixels_.data(); }

  // The bitmap's canvas (created on first use, lives as long as the bitmap).
  TCanvas& Canvas();

  // Reads a .bmp or .png file (recognised by its content, not its name). A missing, truncated,
  // corrupt or unsupported file raises EPlatformError and leaves the bitmap unchanged.
  // Transparent PNG pixels are flattened onto white, the colour of a fresh bitmap.
  void LoadFromFile(const std::string& file_name);
  // Writes a .png file when the name ends in ".png" (any case), else a .bmp file (24-bit rows,
  // bottom-up). Raises EPlatformError when the file cannot be written.
  void SaveToFile(const std::string& file_name) const;
  void SaveToFile(const std::string& file_name, TImageFormat format) const;

  // Compression of PNG output on zlib's scale of levels: 0 (none) to 9 (smallest); -1 or
  // out-of-range values keep the previous setting. kPngSpeed is the fastest; kPngSize, the
  // default, makes files no larger than zlib's level 6 in a fraction of its time.
  int PngCompressionLevel() const { return png_level_; }
  void SetPngCompressionLevel(int level);

  void Assign(const TPersistent& Source) override;

  static constexpr int kPngSpeed = 1;
  static constexpr int kPngSize = 6;
  static constexpr int kDefaultPngLevel = kPngSize;
  static constexpr TPixel kFreshPixel = 0xFFFFFFFFu;  // opaque white

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<TPixel> pixels_;
  TPixelFormat pixel_format_ = pfDevice;
  int png_level_ = kDefaultPngLevel;
  std::unique_ptr<TBitmapCanvas> canvas_;
};

}  // namespace kiv
