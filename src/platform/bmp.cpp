// The .bmp codec. Reads every header generation (OS/2 core, 40-byte info, v2 to v5), palettes of
// 1, 2, 4 and 8 bits, 16/24/32-bit pixels with or without bit masks, and RLE8/RLE4; writes
// 24-bit bottom-up files. Every offset and count is checked against the bytes present before use.
#include <array>
#include <bit>
#include <cstdint>
#include <string>

#include "platform/errors.h"
#include "platform/image_codecs.h"

namespace kiv::imageio {

namespace {

using detail::Fail;

constexpr std::size_t kFileHeaderSize = 14;

enum Compression : std::uint32_t {
  kBiRgb = 0,
  kBiRle8 = 1,
  kBiRle4 = 2,
  kBiBitfields = 3,
  kBiJpeg = 4,
  kBiPng = 5,
  kBiAlphaBitfields = 6,
};

std::uint16_t U16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

constexpr TPixel Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return 0xFF000000u | r << 16 | g << 8 | b;
}

[[noreturn]] void Truncated(const std::string& name, const std::string& detail) {
  Fail(name, "truncated BMP file (" + detail + ")");
}
[[noreturn]] void Corrupt(const std::string& name, const std::string& detail) {
  Fail(name, "corrupt BMP file (" + detail + ")");
}
[[noreturn]] void Unsupported(const std::string& name, const std::string& what) {
  Fail(name, "unsupported BMP " + what);
}

// One colour channel of a bit-field pixel: where its bits sit and how they widen to 8 bits.
class Channel {
 public:
  Channel() = default;
  // mask must be contiguous (checked by the caller).
  explicit Channel(std::uint32_t mask) : mask_(mask) {
    if (mask == 0) return;
    shift_ = std::countr_zero(mask);
    bits_ = std::popcount(mask);
    if (bits_ < 8) {
      const std::uint32_t max = (1u << bits_) - 1;
      for (std::uint32_t v = 0; v <= max; ++v)
        widen_[v] = static_cast<std::uint8_t>((v * 255 + max / 2) / max);
    }
  }
  std::uint32_t Extract(std::uint32_t pixel) const {
    if (bits_ == 0) return 0;
    const std::uint32_t v = (pixel & mask_) >> shift_;
    return bits_ >= 8 ? v >> (bits_ - 8) : widen_[v];
  }

 private:
  std::uint32_t mask_ = 0;
  int shift_ = 0;
  int bits_ = 0;
  std::array<std::uint8_t, 128> widen_{};
};

bool IsContiguous(std::uint32_t mask) {
  if (mask == 0) return true;
  const std::uint64_t m = mask >> std::countr_zero(mask);
  return (m & (m + 1)) == 0;
}

// Everything the headers say about the picture, checked for consistency.
struct BmpLayout {
  int width = 0;
  int height = 0;
  bool top_down = false;
  int bpp = 0;
  std::uint32_t compression = kBiRgb;
  std::uint32_t image_size = 0;  // biSizeImage: only needed for RLE data
  std::size_t pixel_offset = 0;
  std::array<std::uint32_t, 3> masks{};  // red, green, blue (bit-field and 16/32-bit pixels)
  std::array<TPixel, 256> palette{};
  int palette_size = 0;
};

std::string HeaderKind(std::uint32_t size) {
  switch (size) {
    case 12:
      return "OS/2 core";
    case 16:
    case 64:
      return "OS/2 2.x";
    default:
      return std::to_string(size) + "-byte";
  }
}

void CheckBitCountAndCompression(const BmpLayout& l, bool core, const std::string& name) {
  const std::string bits = std::to_string(l.bpp) + " bits per pixel";
  switch (l.compression) {
    case kBiRgb:
      if (core ? (l.bpp == 1 || l.bpp == 4 || l.bpp == 8 || l.bpp == 24)
               : (l.bpp == 1 || l.bpp == 2 || l.bpp == 4 || l.bpp == 8 || l.bpp == 16 ||
                  l.bpp == 24 || l.bpp == 32))
        return;
      if (l.bpp == 0 || l.bpp > 64) Corrupt(name, bits);
      Unsupported(name, "pixel depth (" + bits + ")");
    case kBiRle8:
      if (l.bpp != 8) Corrupt(name, "RLE8 compression with " + bits);
      return;
    case kBiRle4:
      if (l.bpp != 4) Corrupt(name, "RLE4 compression with " + bits);
      return;
    case kBiBitfields:
    case kBiAlphaBitfields:
      if (l.bpp == 16 || l.bpp == 32) return;
      Unsupported(name, "bit-field pixels of " + bits);
    case kBiJpeg:
      Unsupported(name, "compression (embedded JPEG)");
    case kBiPng:
      Unsupported(name, "compression (embedded PNG)");
    default:
      Unsupported(name, "compression " + std::to_string(l.compression));
  }
}

BmpLayout ParseHeaders(std::span<const std::uint8_t> data, const std::string& name) {
  const std::size_t size = data.size();
  const std::uint8_t* d = data.data();
  if (size < kFileHeaderSize + 4) Truncated(name, "file header");
  BmpLayout l;
  const std::uint32_t offset_field = U32(d + 10);
  const std::uint32_t header_size = U32(d + 14);
  const bool core = header_size == 12;
  if (!core && header_size != 40 && header_size != 52 && header_size != 56 && header_size != 108 &&
      header_size != 124)
    Unsupported(name, "header (" + HeaderKind(header_size) + " info header)");
  if (size < kFileHeaderSize + header_size) Truncated(name, "info header");
  const std::uint8_t* h = d + kFileHeaderSize;

  long long width = 0;
  long long height = 0;
  if (core) {
    width = U16(h + 4);
    height = U16(h + 6);
    l.bpp = U16(h + 10);
  } else {
    width = static_cast<std::int32_t>(U32(h + 4));
    height = static_cast<std::int32_t>(U32(h + 8));
    l.bpp = U16(h + 14);
    l.compression = U32(h + 16);
    l.image_size = U32(h + 20);
  }
  if (width <= 0 || height == 0)
    Corrupt(name, "picture size " + std::to_string(width) + " x " + std::to_string(height));
  l.top_down = height < 0;
  if (height < 0) height = -height;
  detail::CheckReadSize(width, height, name);
  l.width = static_cast<int>(width);
  l.height = static_cast<int>(height);
  CheckBitCountAndCompression(l, core, name);
  if (l.top_down && (l.compression == kBiRle8 || l.compression == kBiRle4))
    Corrupt(name, "RLE compression in a top-down picture");

  // Bit masks: part of the info header from the 52-byte version on, after the 40-byte header
  // otherwise.
  std::size_t table_pos = kFileHeaderSize + header_size;
  const bool bitfields = l.compression == kBiBitfields || l.compression == kBiAlphaBitfields;
  if (bitfields) {
    const std::uint8_t* m = h + 40;
    if (header_size == 40) {
      const std::size_t mask_bytes = l.compression == kBiAlphaBitfields ? 16 : 12;
      if (size < table_pos + mask_bytes) Truncated(name, "colour masks");
      m = d + table_pos;
      table_pos += mask_bytes;
    }
    l.masks = {U32(m), U32(m + 4), U32(m + 8)};
    for (std::uint32_t mask : l.masks) {
      if (!IsContiguous(mask)) Corrupt(name, "colour mask with gaps");
      if (l.bpp == 16 && mask > 0xFFFF) Corrupt(name, "colour mask wider than 16 bits");
    }
  } else if (l.bpp == 16) {
    l.masks = {0x7C00, 0x03E0, 0x001F};
  } else if (l.bpp == 32) {
    l.masks = {0xFF0000, 0x00FF00, 0x0000FF};
  }

  if (offset_field >= size)
    Truncated(name, "pixel data offset " + std::to_string(offset_field) +
                        " is beyond the end of the " + std::to_string(size) + "-byte file");
  if (offset_field < table_pos)
    Corrupt(name, "pixel data offset " + std::to_string(offset_field) + " lies inside the headers");
  l.pixel_offset = offset_field;

  if (l.bpp <= 8) {
    // The colour table sits between the headers and the pixels. Core files imply a full table;
    // newer ones may say how many entries they use. A table cut short by the pixel offset holds
    // only the entries that fit.
    const std::size_t entry = core ? 3 : 4;
    const std::uint32_t full = 1u << l.bpp;
    const std::uint32_t used = core ? 0 : U32(h + 32);
    std::size_t count = used == 0 || used > full ? full : used;
    count = std::min(count, (l.pixel_offset - table_pos) / entry);
    if (count == 0) Corrupt(name, "no colour table for " + std::to_string(l.bpp) + "-bit pixels");
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint8_t* e = d + table_pos + i * entry;
      l.palette[i] = Rgb(e[2], e[1], e[0]);
    }
    l.palette_size = static_cast<int>(count);
  }
  return l;
}

// Writes decoded pixels into the image rows, which run from the top; file rows may run from the
// bottom.
class RowSink {
 public:
  RowSink(Image& img, bool top_down) : img_(img), top_down_(top_down) {}
  TPixel* Row(int file_row) {
    const int y = top_down_ ? file_row : img_.height - 1 - file_row;
    return img_.pixels.data() + static_cast<std::size_t>(y) * img_.width;
  }

 private:
  Image& img_;
  bool top_down_;
};

class PaletteLookup {
 public:
  PaletteLookup(const BmpLayout& l, const std::string& name) : l_(l), name_(name) {}
  TPixel operator()(unsigned index) const {
    if (index >= static_cast<unsigned>(l_.palette_size))
      Corrupt(name_, "colour index " + std::to_string(index) + " beyond the " +
                         std::to_string(l_.palette_size) + "-entry colour table");
    return l_.palette[index];
  }

 private:
  const BmpLayout& l_;
  const std::string& name_;
};

// Rows are padded to 4 bytes, the last one included.
std::size_t RowStride(const BmpLayout& l) {
  return ((static_cast<std::size_t>(l.width) * l.bpp + 31) / 32) * 4;
}

void CheckRowBytes(std::span<const std::uint8_t> data, const BmpLayout& l,
                   const std::string& name) {
  const std::size_t needed = RowStride(l) * static_cast<std::size_t>(l.height);
  const std::size_t present = data.size() - l.pixel_offset;
  if (needed > present)
    Truncated(name, "the pixel rows need " + std::to_string(needed) + " bytes, " +
                        std::to_string(present) + " are present");
}

// Uncompressed and bit-field rows; CheckRowBytes has made sure they are all there.
void DecodeRows(std::span<const std::uint8_t> data, const BmpLayout& l, Image& img,
                const std::string& name) {
  const std::size_t stride = RowStride(l);
  RowSink sink(img, l.top_down);
  const PaletteLookup lookup(l, name);
  const Channel red(l.masks[0]);
  const Channel green(l.masks[1]);
  const Channel blue(l.masks[2]);
  const bool plain32 =
      l.bpp == 32 && l.masks[0] == 0xFF0000 && l.masks[1] == 0xFF00 && l.masks[2] == 0xFF;
  const int w = l.width;
  for (int r = 0; r < l.height; ++r) {
    const std::uint8_t* s = data.data() + l.pixel_offset + static_cast<std::size_t>(r) * stride;
    TPixel* out = sink.Row(r);
    switch (l.bpp) {
      case 1:
      case 2:
      case 4: {
        const int per_byte = 8 / l.bpp;
        const unsigned mask = (1u << l.bpp) - 1;
        for (int x = 0; x < w; ++x) {
          const int shift = 8 - l.bpp * (x % per_byte + 1);
          out[x] = lookup((s[x / per_byte] >> shift) & mask);
        }
        break;
      }
      case 8:
        for (int x = 0; x < w; ++x) out[x] = lookup(s[x]);
        break;
      case 16:
        for (int x = 0; x < w; ++x) {
          const std::uint32_t v = U16(s + 2 * x);
          out[x] = Rgb(red.Extract(v), green.Extract(v), blue.Extract(v));
        }
        break;
      case 24:
        for (int x = 0; x < w; ++x, s += 3) out[x] = Rgb(s[2], s[1], s[0]);
        break;
      default:  // 32
        if (plain32) {
          for (int x = 0; x < w; ++x, s += 4) out[x] = Rgb(s[2], s[1], s[0]);
        } else {
          for (int x = 0; x < w; ++x, s += 4) {
            const std::uint32_t v = U32(s);
            out[x] = Rgb(red.Extract(v), green.Extract(v), blue.Extract(v));
          }
        }
        break;
    }
  }
}

// The end of the RLE data: biSizeImage bytes when the header gives them, else the end of the
// file.
std::size_t RleEnd(std::span<const std::uint8_t> data, const BmpLayout& l,
                   const std::string& name) {
  if (l.image_size == 0) return data.size();
  if (l.image_size > data.size() - l.pixel_offset)
    Truncated(name, "the RLE data needs " + std::to_string(l.image_size) + " bytes, " +
                        std::to_string(data.size() - l.pixel_offset) + " are present");
  return l.pixel_offset + l.image_size;
}

// RLE can skip pixels for free, so a few bytes could ask for a huge, nearly empty picture. Real
// files spend at least an end-of-line escape per row; one byte per 2^16 pixels is far below that
// and stops a tiny file from demanding a gigabyte.
void CheckRleDensity(const BmpLayout& l, std::size_t rle_bytes, const std::string& name) {
  const unsigned long long pixels = static_cast<unsigned long long>(l.width) * l.height;
  if (pixels / 65536 > rle_bytes)
    Corrupt(name, std::to_string(rle_bytes) + " bytes of RLE data for " + std::to_string(l.width) +
                      " x " + std::to_string(l.height) + " pixels");
}

// RLE8 and RLE4: runs of one index, absolute runs padded to 16 bits, and escapes for end of line,
// end of picture and a jump (delta). Pixels that the data skips stay white. Runs must stay inside
// their row and the data must end with the end-of-picture escape.
void DecodeRle(std::span<const std::uint8_t> data, std::size_t end, const BmpLayout& l, Image& img,
               const std::string& name) {
  const bool rle4 = l.compression == kBiRle4;
  RowSink sink(img, false);
  const PaletteLookup lookup(l, name);
  const std::uint8_t* d = data.data();
  std::size_t p = l.pixel_offset;
  long long x = 0;
  long long y = 0;  // file rows, from the bottom
  auto need = [&](std::size_t n) {
    if (end - p < n) Truncated(name, "the RLE data stops before its end marker");
  };
  auto check_run = [&](long long n) {
    if (y >= l.height) Corrupt(name, "RLE data beyond the last row");
    if (x + n > l.width) Corrupt(name, "RLE run beyond the end of a row");
  };
  for (;;) {
    need(2);
    const unsigned count = d[p];
    const unsigned value = d[p + 1];
    p += 2;
    if (count > 0) {
      check_run(count);
      TPixel* out = sink.Row(static_cast<int>(y)) + x;
      if (rle4) {
        const TPixel colours[2] = {lookup(value >> 4), lookup(value & 15)};
        for (unsigned i = 0; i < count; ++i) out[i] = colours[i & 1];
      } else {
        const TPixel colour = lookup(value);
        for (unsigned i = 0; i < count; ++i) out[i] = colour;
      }
      x += count;
    } else if (value == 0) {  // end of line
      x = 0;
      if (++y > l.height) Corrupt(name, "RLE data beyond the last row");
    } else if (value == 1) {  // end of picture
      return;
    } else if (value == 2) {  // delta: move right and up
      need(2);
      x += d[p];
      y += d[p + 1];
      p += 2;
      if (x > l.width || y > l.height) Corrupt(name, "RLE jump outside the picture");
    } else {  // absolute run of `value` pixels
      const std::size_t bytes = rle4 ? (value + 1) / 2 : value;
      need(bytes + (bytes & 1));
      check_run(value);
      TPixel* out = sink.Row(static_cast<int>(y)) + x;
      for (unsigned i = 0; i < value; ++i) {
        const unsigned index = rle4 ? (i & 1 ? d[p + i / 2] & 15u : d[p + i / 2] >> 4) : d[p + i];
        out[i] = lookup(index);
      }
      x += value;
      p += bytes + (bytes & 1);
    }
  }
}

void PutU16(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
void PutU32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

namespace detail {

Image DecodeBmp(std::span<const std::uint8_t> data, const std::string& name) {
  const BmpLayout layout = ParseHeaders(data, name);
  if (layout.compression == kBiRle8 || layout.compression == kBiRle4) {
    const std::size_t end = RleEnd(data, layout, name);
    CheckRleDensity(layout, end - layout.pixel_offset, name);
    Image img = AllocateImage(layout.width, layout.height, name);
    DecodeRle(data, end, layout, img, name);
    return img;
  }
  CheckRowBytes(data, layout, name);
  Image img = AllocateImage(layout.width, layout.height, name);
  DecodeRows(data, layout, img, name);
  return img;
}

}  // namespace detail

std::vector<std::uint8_t> EncodeBmp(const TPixel* pixels, int width, int height) {
  if (pixels == nullptr || width <= 0 || height <= 0)
    throw EPlatformError("a BMP file needs at least one pixel (the picture is " +
                         std::to_string(width) + " x " + std::to_string(height) + ")");
  constexpr std::size_t kHeaders = kFileHeaderSize + 40;
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  const std::size_t image_size = stride * static_cast<std::size_t>(height);
  if (image_size > 0xFFFFFFFFu - kHeaders) throw EPlatformError("picture too large for a BMP file");
  std::vector<std::uint8_t> out;
  try {
    out.assign(kHeaders + image_size, 0);
  } catch (const std::bad_alloc&) {
    throw EPlatformError("out of memory for a BMP file");
  }
  std::uint8_t* d = out.data();
  d[0] = 'B';
  d[1] = 'M';
  PutU32(d + 2, static_cast<std::uint32_t>(out.size()));
  PutU32(d + 10, kHeaders);
  std::uint8_t* h = d + kFileHeaderSize;
  PutU32(h, 40);
  PutU32(h + 4, static_cast<std::uint32_t>(width));
  PutU32(h + 8, static_cast<std::uint32_t>(height));  // positive: rows run bottom-up
  PutU16(h + 12, 1);                                  // planes
  PutU16(h + 14, 24);
  PutU32(h + 16, kBiRgb);
  PutU32(h + 20, static_cast<std::uint32_t>(image_size));
  PutU32(h + 24, 3780);  // 96 pixels per inch
  PutU32(h + 28, 3780);
  for (int y = 0; y < height; ++y) {
    const TPixel* src = pixels + static_cast<std::size_t>(height - 1 - y) * width;
    std::uint8_t* row = d + kHeaders + static_cast<std::size_t>(y) * stride;
    for (int x = 0; x < width; ++x, row += 3) {
      const TPixel p = src[x];
      row[0] = static_cast<std::uint8_t>(p);
      row[1] = static_cast<std::uint8_t>(p >> 8);
      row[2] = static_cast<std::uint8_t>(p >> 16);
    }
  }
  return out;
}

}  // namespace kiv::imageio
