#include "platform/bitmap.h"

#include <algorithm>
#include <cctype>
#include <new>

#include "platform/canvas.h"
#include "platform/errors.h"
#include "platform/imageio.h"

namespace kiv {

namespace {
// Largest picture accepted: 2^28 pixels (1 GiB of pixel data).
constexpr long long kMaxPixels = 1LL << 28;
}  // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) {
  SetSize(width, height);
}

TBitmap::TBitmap(const TBitmap& other)
    : TPersistent(),
      width_(other.width_),
      height_(other.height_),
      pixels_(other.pixels_),
      pixel_format_(other.pixel_format_),
      png_level_(other.png_level_) {}

TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this != &other) {
    pixels_ = other.pixels_;
    width_ = other.width_;
    height_ = other.height_;
    pixel_format_ = other.pixel_format_;
    png_level_ = other.png_level_;
  }
  return *this;
}

// Moving transfers the pixels only; each bitmap keeps its own canvas.
TBitmap::TBitmap(TBitmap&& other) noexcept
    : TPersistent(),
      width_(other.width_),
      height_(other.height_),
      pixels_(std::move(other.pixels_)),
      pixel_format_(other.pixel_format_),
      png_level_(other.png_level_) {
  other.width_ = other.height_ = 0;
  other.pixels_.clear();
}

TBitmap& TBitmap::operator=(TBitmap&& other) noexcept {
  if (this != &other) {
    pixels_ = std::move(other.pixels_);
    width_ = other.width_;
    height_ = other.height_;
    pixel_format_ = other.pixel_format_;
    png_level_ = other.png_level_;
    other.width_ = other.height_ = 0;
    other.pixels_.clear();
  }
  return *this;
}

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  if (width == 0 || height == 0) {
    width_ = width;
    height_ = height;
    pixels_.clear();
    return;
  }
  if (static_cast<long long>(width) * height > kMaxPixels)
    throw EPlatformError("Bitmap size " + std::to_string(width) + " x " + std::to_string(height) +
                         " is too large");
  std::vector<TPixel> fresh;
  try {
    fresh.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kFreshPixel);
  } catch (const std::bad_alloc&) {
    throw EPlatformError("Out of memory for a bitmap of " + std::to_string(width) + " x " +
                         std::to_string(height) + " pixels");
  }
  const int keep_w = std::min(width, width_);
  const int keep_h = std::min(height, height_);
  for (int y = 0; y < keep_h; ++y) {
    const TPixel* src = pixels_.data() + static_cast<std::size_t>(y) * width_;
    std::copy(src, src + keep_w, fresh.data() + static_cast<std::size_t>(y) * width);
  }
  pixels_ = std::move(fresh);
  width_ = width;
  height_ = height;
}

TPixel* TBitmap::ScanLine(int y) {
  if (y < 0 || y >= height_) throw EPlatformError("Scan line index out of range");
  return pixels_.data() + static_cast<std::size_t>(y) * width_;
}

const TPixel* TBitmap::ScanLine(int y) const {
  if (y < 0 || y >= height_) throw EPlatformError("Scan line index out of range");
  return pixels_.data() + static_cast<std::size_t>(y) * width_;
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(*this);
  return *canvas_;
}

void TBitmap::LoadFromFile(const std::string& file_name) {
  imageio::Image img = imageio::ReadImageFile(file_name);
  pixels_ = std::move(img.pixels);
  width_ = img.width;
  height_ = img.height;
  pixel_format_ = pf32bit;
}

void TBitmap::SaveToFile(const std::string& file_name) const {
  std::string lower = file_name;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const bool png = lower.size() >= 4 && lower.compare(lower.size() - 4, 4, ".png") == 0;
  SaveToFile(file_name, png ? TImageFormat::Png : TImageFormat::Bmp);
}

void TBitmap::SaveToFile(const std::string& file_name, TImageFormat format) const {
  if (format == TImageFormat::Png)
    imageio::WritePng(file_name, pixels_.data(), width_, height_, png_level_);
  else
    imageio::WriteBmp(file_name, pixels_.data(), width_, height_);
}

void TBitmap::SetPngCompressionLevel(int level) {
  if (level >= 0 && level <= 9) png_level_ = level;
}

void TBitmap::Assign(const TPersistent& Source) {
  if (auto* b = dynamic_cast<const TBitmap*>(&Source)) {
    *this = *b;
    return;
  }
  TPersistent::Assign(Source);
}

}  // namespace kiv
