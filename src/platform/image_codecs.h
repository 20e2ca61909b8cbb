// The individual image codecs behind imageio.h (BMP and PNG) and the limits and error wording
// they share. Internal to the platform layer.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/imageio.h"

namespace kiv::imageio::detail {

// The largest picture any reader accepts. The pixel cap matches TBitmap's; the side cap keeps
// every row and offset computation far from overflow.
inline constexpr long long kMaxSide = 65535;
inline constexpr long long kMaxPixels = 1LL << 28;

// Raises EPlatformError "<name>: <problem>".
[[noreturn]] void Fail(const std::string& name, const std::string& problem);

// Raises EPlatformError when width x height is beyond the reader limits.
void CheckReadSize(long long width, long long height, const std::string& name);

// Allocates the pixels of a decoded picture, all white; a failed allocation raises
// EPlatformError instead of std::bad_alloc.
Image AllocateImage(int width, int height, const std::string& name);

bool IsBmp(std::span<const std::uint8_t> data);
bool IsPng(std::span<const std::uint8_t> data);
// True when data is a non-empty proper prefix of the 8-byte PNG signature.
bool IsPngSignaturePrefix(std::span<const std::uint8_t> data);

Image DecodeBmp(std::span<const std::uint8_t> data, const std::string& name);
Image DecodePng(std::span<const std::uint8_t> data, const std::string& name);

}  // namespace kiv::imageio::detail
