// Fuzz target for the PNG reader: whatever bytes it is given, decoding either raises the
// library's error or gives a picture within the reader limits whose opaque pixels survive
// writing as PNG (at the compression level the last input byte chooses) and reading back.
// The chunk checksums are made right first, so that mutated chunks reach the decoder instead of
// being refused for their checksum alone.
#include <cstdint>
#include <vector>

#include "fuzz/image_check.h"
#include "platform/errors.h"
#include "platform/image_codecs.h"

namespace {

std::uint32_t Be32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// The CRC-32 of PNG chunks (reflected polynomial 0xEDB88320), bit by bit: inputs are small.
std::uint32_t Crc32(const std::uint8_t* p, std::size_t n) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
  }
  return ~c;
}

// The file with the CRC of every whole chunk recomputed.
std::vector<std::uint8_t> WithRightChecksums(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> f(data, data + size);
  std::size_t pos = 8;  // after the signature
  while (pos + 12 <= f.size()) {
    const std::size_t len = Be32(&f[pos]);
    if (len > f.size() - pos - 12) break;
    const std::uint32_t crc = Crc32(&f[pos + 4], len + 4);
    for (int i = 0; i < 4; ++i)
      f[pos + 8 + len + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    pos += len + 12;
  }
  return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kiv::imageio;
  const std::vector<std::uint8_t> input = WithRightChecksums(data, size);
  Image img;
  try {
    img = detail::DecodePng(input, "fuzz.png");
  } catch (const kiv::EPlatformError&) {
    return 0;
  }
  kiv::fuzz::CheckImage(img, "png");
  const int level = size > 0 ? data[size - 1] % 10 : 6;
  const std::vector<std::uint8_t> file = EncodePng(img.pixels.data(), img.width, img.height, level);
  kiv::fuzz::CheckSamePixels(img, detail::DecodePng(file, "again.png"), "png");
  return 0;
}
