// Fuzz target for the BMP reader: whatever bytes it is given, decoding either raises the
// library's error or gives a picture within the reader limits whose opaque pixels survive
// writing as BMP and reading back.
#include <cstdint>
#include <span>

#include "fuzz/image_check.h"
#include "platform/errors.h"
#include "platform/image_codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kiv::imageio;
  Image img;
  try {
    img = detail::DecodeBmp(std::span(data, size), "fuzz.bmp");
  } catch (const kiv::EPlatformError&) {
    return 0;
  }
  kiv::fuzz::CheckImage(img, "bmp");
  const std::vector<std::uint8_t> file = EncodeBmp(img.pixels.data(), img.width, img.height);
  kiv::fuzz::CheckSamePixels(img, detail::DecodeBmp(file, "again.bmp"), "bmp");
  return 0;
}
