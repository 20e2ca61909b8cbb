// Fuzz target for the PNG reader: whatever bytes it is given, decoding either raises the
// library's error or gives a picture within the reader limits whose opaque pixels survive
// writing as PNG (at the compression level the last input byte chooses) and reading back.
#include <cstdint>
#include <span>

#include "fuzz/image_check.h"
#include "platform/errors.h"
#include "platform/image_codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kiv::imageio;
  Image img;
  try {
    img = detail::DecodePng(std::span(data, size), "fuzz.png");
  } catch (const kiv::EPlatformError&) {
    return 0;
  }
  kiv::fuzz::CheckImage(img, "png");
  const int level = size > 0 ? data[size - 1] % 10 : 6;
  const std::vector<std::uint8_t> file = EncodePng(img.pixels.data(), img.width, img.height, level);
  kiv::fuzz::CheckSamePixels(img, detail::DecodePng(file, "again.png"), "png");
  return 0;
}
