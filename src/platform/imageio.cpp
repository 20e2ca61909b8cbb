// Placeholder until the codecs land.
#include "platform/imageio.h"

#include "platform/errors.h"

namespace kiv::imageio {

Image ReadImageFile(const std::string& path) {
  throw EPlatformError("cannot read " + path + ": image codecs not available");
}
Image DecodeImage(std::span<const std::uint8_t>, const std::string& name) {
  throw EPlatformError("cannot read " + name + ": image codecs not available");
}
void WriteBmp(const std::string& path, const TPixel*, int, int) {
  throw EPlatformError("cannot write " + path + ": image codecs not available");
}
void WritePng(const std::string& path, const TPixel*, int, int, int) {
  throw EPlatformError("cannot write " + path + ": image codecs not available");
}
std::vector<std::uint8_t> EncodeBmp(const TPixel*, int, int) {
  return {};
}
std::vector<std::uint8_t> EncodePng(const TPixel*, int, int, int) {
  return {};
}

}  // namespace kiv::imageio
