// Reading and writing image files: .bmp (1 to 32 bits per pixel, palettes, bit fields, RLE)
// and .png (through libpng). Every reader validates sizes and offsets against the data it has.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/color.h"

namespace kiv::imageio {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<TPixel> pixels;  // opaque 0xFFRRGGBB, row after row from the top
};

// Reads a .bmp or .png file, recognised by its first bytes. Raises EPlatformError with a message
// that names the file and the problem (missing, truncated, corrupt, unsupported).
Image ReadImageFile(const std::string& path);
// The same for data in memory; name is used in messages.
Image DecodeImage(std::span<const std::uint8_t> data, const std::string& name);

// Writers; raise EPlatformError when the file cannot be written.
void WriteBmp(const std::string& path, const TPixel* pixels, int width, int height);
void WritePng(const std::string& path, const TPixel* pixels, int width, int height, int level);
std::vector<std::uint8_t> EncodeBmp(const TPixel* pixels, int width, int height);
std::vector<std::uint8_t> EncodePng(const TPixel* pixels, int width, int height, int level);

}  // namespace kiv::imageio
