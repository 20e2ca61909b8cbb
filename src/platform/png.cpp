// The .png codec on top of libpng. libpng reports errors by longjmp, so every call into it runs
// inside a small function whose frame holds only trivially destructible values, with setjmp at
// its top; the C++ objects (buffers, the libpng struct guards) live in the caller's frame.
#include <png.h>
#include <zlib.h>

#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "platform/errors.h"
#include "platform/image_codecs.h"
#include "platform/png_deflate.h"

namespace kiv::imageio {

namespace {

using detail::Fail;

// Deflate cannot shrink data by more than about 1032:1, so a file too small for the rows its
// header promises is refused before the rows are allocated.
constexpr unsigned long long kMaxDeflateRatio = 1100;

// State shared with the libpng callbacks; plain data so it survives a longjmp untouched.
struct PngContext {
  const std::uint8_t* data = nullptr;  // reading: the whole file
  std::size_t size = 0;
  std::size_t pos = 0;
  std::vector<std::uint8_t>* out = nullptr;  // writing: the file being built
  bool truncated = false;
  bool out_of_memory = false;
  char message[200] = {};
};

void OnError(png_structp png, png_const_charp message) {
  auto* ctx = static_cast<PngContext*>(png_get_error_ptr(png));
  std::snprintf(ctx->message, sizeof ctx->message, "%s", message != nullptr ? message : "");
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Hands libpng the next bytes of the file and refuses to go past its end.
void ReadBytes(png_structp png, png_bytep dest, std::size_t length) {
  auto* ctx = static_cast<PngContext*>(png_get_io_ptr(png));
  if (length > ctx->size - ctx->pos) {
    ctx->truncated = true;
    png_error(png, "unexpected end of data");
  }
  std::memcpy(dest, ctx->data + ctx->pos, length);
  ctx->pos += length;
}

bool Append(std::vector<std::uint8_t>& out, const std::uint8_t* bytes, std::size_t n) noexcept {
  try {
    out.insert(out.end(), bytes, bytes + n);
    return true;
  } catch (...) {
    return false;
  }
}

void WriteBytes(png_structp png, png_bytep bytes, std::size_t length) {
  auto* ctx = static_cast<PngContext*>(png_get_io_ptr(png));
  if (!Append(*ctx->out, bytes, length)) {
    ctx->out_of_memory = true;
    png_error(png, "out of memory");
  }
}

void Flush(png_structp) {}

struct PngHeader {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int bit_depth = 0;
  int colour_type = 0;
  int interlace = 0;
};

// The size of the filtered rows of a non-interlaced file (interlacing only adds to it).
unsigned long long RawImageBytes(const PngHeader& h, unsigned channels) {
  const unsigned long long row_bits =
      static_cast<unsigned long long>(h.width) * channels * static_cast<unsigned>(h.bit_depth);
  return ((row_bits + 7) / 8 + 1) * h.height;
}

// Reads the chunks up to the first image data. False after a libpng error.
bool ReadHeader(png_structp png, png_infop info, PngHeader* header) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  png_get_IHDR(png, info, &header->width, &header->height, &header->bit_depth, &header->colour_type,
               &header->interlace, nullptr, nullptr);
  return true;
}

enum class RowsResult { kOk, kFailed, kLayout };

// Asks libpng for 8-bit RGBA whatever the file holds, then reads every row (all passes of an
// interlaced file) and the chunks after the image data.
RowsResult ReadRows(png_structp png, png_infop info, const PngHeader* header, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return RowsResult::kFailed;
  const int type = header->colour_type;
  if (header->bit_depth == 16) png_set_scale_16(png);
  if (type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (type == PNG_COLOR_TYPE_GRAY && header->bit_depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  bool alpha = (type & PNG_COLOR_MASK_ALPHA) != 0;
  if (png_get_valid(png, info, PNG_INFO_tRNS) != 0) {
    png_set_tRNS_to_alpha(png);
    alpha = true;
  }
  if ((type & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
  if (!alpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  if (header->interlace != PNG_INTERLACE_NONE) png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<std::size_t>(header->width) * 4)
    return RowsResult::kLayout;
  png_read_image(png, rows);
  png_read_end(png, nullptr);
  return RowsResult::kOk;
}

class ReadStructs {
 public:
  explicit ReadStructs(PngContext* ctx)
      : png_(png_create_read_struct(PNG_LIBPNG_VER_STRING, ctx, OnError, OnWarning)),
        info_(png_ != nullptr ? png_create_info_struct(png_) : nullptr) {}
  ReadStructs(const ReadStructs&) = delete;
  ReadStructs& operator=(const ReadStructs&) = delete;
  ~ReadStructs() { png_destroy_read_struct(&png_, info_ != nullptr ? &info_ : nullptr, nullptr); }
  bool ok() const { return png_ != nullptr && info_ != nullptr; }
  png_structp png() const { return png_; }
  png_infop info() const { return info_; }

 private:
  png_structp png_;
  png_infop info_;
};

class WriteStructs {
 public:
  explicit WriteStructs(PngContext* ctx)
      : png_(png_create_write_struct(PNG_LIBPNG_VER_STRING, ctx, OnError, OnWarning)),
        info_(png_ != nullptr ? png_create_info_struct(png_) : nullptr) {}
  WriteStructs(const WriteStructs&) = delete;
  WriteStructs& operator=(const WriteStructs&) = delete;
  ~WriteStructs() { png_destroy_write_struct(&png_, info_ != nullptr ? &info_ : nullptr); }
  bool ok() const { return png_ != nullptr && info_ != nullptr; }
  png_structp png() const { return png_; }
  png_infop info() const { return info_; }

 private:
  png_structp png_;
  png_infop info_;
};

[[noreturn]] void FailPng(const PngContext& ctx, const std::string& name) {
  if (ctx.truncated) Fail(name, "truncated PNG file");
  if (ctx.out_of_memory) Fail(name, "out of memory while reading a PNG file");
  Fail(name, std::string("corrupt PNG file (") + ctx.message + ")");
}

// Rounded alpha * colour + (1 - alpha) * white.
std::uint32_t OntoWhite(std::uint32_t colour, std::uint32_t alpha) {
  return (alpha * colour + (255 - alpha) * 255 + 127) / 255;
}

// Turns the RGBA bytes libpng wrote into the pixel words, in place.
void RgbaToPixels(std::vector<TPixel>& pixels) {
  for (TPixel& p : pixels) {
    const auto* b = reinterpret_cast<const std::uint8_t*>(&p);
    std::uint32_t r = b[0];
    std::uint32_t g = b[1];
    std::uint32_t bl = b[2];
    const std::uint32_t a = b[3];
    if (a != 255) {
      r = OntoWhite(r, a);
      g = OntoWhite(g, a);
      bl = OntoWhite(bl, a);
    }
    p = 0xFF000000u | r << 16 | g << 8 | bl;
  }
}

// Compression settings per zlib level. The fast levels use one filter: "up" turns the flat areas
// and the repeated rows of charts into runs of zeros, and run-length matching is the quickest
// deflate mode that still finds them (trying all five filters on every row would cost more than
// the deflate itself). The higher levels pay for adaptive filtering and full match search.
struct PngSettings {
  int filters;
  int strategy;
};

PngSettings SettingsForLevel(int level) {
  if (level == 0) return {PNG_FILTER_NONE, Z_DEFAULT_STRATEGY};
  if (level == 1) return {PNG_FILTER_UP, Z_RLE};
  if (level == 2) return {PNG_FILTER_UP, Z_DEFAULT_STRATEGY};
  return {PNG_ALL_FILTERS, Z_DEFAULT_STRATEGY};
}

// The colours of a picture with at most 256 of them, for writing it with a palette: a quarter of
// the bytes to filter, compress and check, and the same pixels when read back. Charts have flat
// areas, a few ink colours and the greys of anti-aliased text, and nearly always fit.
class Palette {
 public:
  // Rows first..last-1 as a PNG filter stream: each row a filter byte (none) and the palette
  // index of every pixel. False when the picture has more than 256 colours.
  bool Index(const TPixel* pixels, int width, int first, int last, std::uint8_t* out) {
    const auto w = static_cast<std::size_t>(width);
    for (int y = first; y < last; ++y, out += w + 1) {
      const TPixel* src = pixels + static_cast<std::size_t>(y) * w;
      out[0] = 0;
      for (std::size_t x = 0; x < w;) {
        const TPixel c = src[x] & 0x00FFFFFFu;
        int index = Find(c);
        if (index < 0) {
          if (size_ == 256) return false;
          index = Insert(c);
        }
        const std::size_t e = RunEnd(src, x + 1, w, c);
        std::memset(out + 1 + x, index, e - x);
        x = e;
      }
    }
    return true;
  }
  int Size() const { return size_; }
  const std::array<png_color, 256>& Colours() const { return colours_; }

 private:
  // The first index from i on whose pixel is not of colour c (alpha ignored): flat areas are
  // passed four pixels at a time.
  static std::size_t RunEnd(const TPixel* p, std::size_t i, std::size_t n, TPixel c) {
#ifdef __SSE2__
    const __m128i mask = _mm_set1_epi32(0x00FFFFFF);
    const __m128i cc = _mm_set1_epi32(static_cast<int>(c));
    while (i + 4 <= n) {
      const __m128i v =
          _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), mask);
      if (_mm_movemask_epi8(_mm_cmpeq_epi32(v, cc)) != 0xFFFF) break;
      i += 4;
    }
#endif
    while (i < n && (p[i] & 0x00FFFFFFu) == c) ++i;
    return i;
  }
  static constexpr std::size_t kSlots = 1024;  // open addressing, at most a quarter full
  static constexpr TPixel kEmpty = ~0u;        // no RGB value has its top byte set
  static std::size_t Hash(TPixel c) {
    return (c * 0x9E3779B1u) >> 22;
  }
  int Find(TPixel c) const {
    for (std::size_t h = Hash(c);; h = (h + 1) & (kSlots - 1)) {
      if (keys_[h] == c) return index_[h];
      if (keys_[h] == kEmpty) return -1;
    }
  }
  int Insert(TPixel c) {
    std::size_t h = Hash(c);
    while (keys_[h] != kEmpty) h = (h + 1) & (kSlots - 1);
    keys_[h] = c;
    index_[h] = static_cast<std::uint8_t>(size_);
    colours_[static_cast<std::size_t>(size_)] = {
        static_cast<png_byte>(c >> 16), static_cast<png_byte>(c >> 8), static_cast<png_byte>(c)};
    return size_++;
  }
  std::array<TPixel, kSlots> keys_ = Filled();
  std::array<std::uint8_t, kSlots> index_{};
  std::array<png_color, 256> colours_{};
  int size_ = 0;
  static std::array<TPixel, kSlots> Filled() {
    std::array<TPixel, kSlots> a;
    a.fill(kEmpty);
    return a;
  }
};

bool WriteImage(png_structp png, png_infop info, const TPixel* pixels, int width, int height,
                int level, png_bytep row) {
  if (setjmp(png_jmpbuf(png))) return false;
  const PngSettings settings = SettingsForLevel(level);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, level);
  png_set_compression_strategy(png, settings.strategy);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, settings.filters);
  png_set_compression_buffer_size(png, 1 << 16);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    const TPixel* src = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    png_bytep d = row;
    for (int x = 0; x < width; ++x, d += 3) {
      d[0] = static_cast<png_byte>(src[x] >> 16);
      d[1] = static_cast<png_byte>(src[x] >> 8);
      d[2] = static_cast<png_byte>(src[x]);
    }
    png_write_row(png, row);
  }
  png_write_end(png, info);
  return true;
}

void PutBE32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::uint8_t* data,
              std::size_t size) {
  PutBE32(out, static_cast<std::uint32_t>(size));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  if (size > 0) out.insert(out.end(), data, data + size);
  PutBE32(out, static_cast<std::uint32_t>(
                   crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

// A picture of at most 256 colours written directly with a palette: the rows (filter "none",
// which suits palette indices) indexed and compressed at the level (png_deflate.h), and the
// chunks around them. False when the picture has more colours; out is then undefined.
bool WriteIndexed(const TPixel* pixels, int width, int height, int level,
                  std::vector<std::uint8_t>& out) {
  const std::size_t row_bytes = static_cast<std::size_t>(width) + 1;
  Palette palette;
  std::vector<std::uint8_t> idat;
  std::size_t used = 0;
  {
    // All rows at once (libdeflate compresses whole buffers). The buffer of a picture of common
    // size is kept for the next one.
    thread_local std::vector<std::uint8_t> raw;
    raw.resize(row_bytes * static_cast<std::size_t>(height));
    const bool indexed = palette.Index(pixels, width, 0, height, raw.data());
    if (indexed) idat = detail::CompressRows(raw.data(), raw.size(), row_bytes, level);
    if (raw.capacity() > (std::size_t{16} << 20)) std::vector<std::uint8_t>().swap(raw);
    if (!indexed) return false;
    used = idat.size();
  }
  static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  out.assign(kSignature, kSignature + 8);
  std::vector<std::uint8_t> ihdr;
  PutBE32(ihdr, static_cast<std::uint32_t>(width));
  PutBE32(ihdr, static_cast<std::uint32_t>(height));
  ihdr.insert(ihdr.end(), {8, 3, 0, 0, 0});  // 8-bit indices, palette, deflate, filters, rows
  PutChunk(out, "IHDR", ihdr.data(), ihdr.size());
  std::vector<std::uint8_t> plte;
  for (int i = 0; i < palette.Size(); ++i) {
    const png_color& c = palette.Colours()[static_cast<std::size_t>(i)];
    plte.insert(plte.end(), {c.red, c.green, c.blue});
  }
  PutChunk(out, "PLTE", plte.data(), plte.size());
  PutChunk(out, "IDAT", idat.data(), used);
  PutChunk(out, "IEND", nullptr, 0);
  return true;
}

}  // namespace

namespace detail {

Image DecodePng(std::span<const std::uint8_t> data, const std::string& name) {
  PngContext ctx;
  ctx.data = data.data();
  ctx.size = data.size();
  ReadStructs s(&ctx);
  if (!s.ok()) Fail(name, "out of memory while reading a PNG file");
  png_set_read_fn(s.png(), &ctx, ReadBytes);
  PngHeader header;
  if (!ReadHeader(s.png(), s.info(), &header)) FailPng(ctx, name);
  CheckReadSize(header.width, header.height, name);
  const unsigned long long raw_bytes =
      RawImageBytes(header, static_cast<unsigned>(png_get_channels(s.png(), s.info())));
  if (raw_bytes / kMaxDeflateRatio > data.size())
    Fail(name, "truncated PNG file (" + std::to_string(data.size()) + " bytes cannot hold " +
                   std::to_string(header.width) + " x " + std::to_string(header.height) +
                   " pixels)");
  Image img = AllocateImage(static_cast<int>(header.width), static_cast<int>(header.height), name);
  std::vector<png_bytep> rows;
  try {
    rows.resize(header.height);
  } catch (const std::bad_alloc&) {
    Fail(name, "out of memory while reading a PNG file");
  }
  for (png_uint_32 y = 0; y < header.height; ++y)
    rows[y] =
        reinterpret_cast<png_bytep>(img.pixels.data() + static_cast<std::size_t>(y) * header.width);
  switch (ReadRows(s.png(), s.info(), &header, rows.data())) {
    case RowsResult::kOk:
      break;
    case RowsResult::kFailed:
      FailPng(ctx, name);
    case RowsResult::kLayout:
      Fail(name, "unsupported PNG pixel layout");
  }
  RgbaToPixels(img.pixels);
  return img;
}

}  // namespace detail

std::vector<std::uint8_t> EncodePng(const TPixel* pixels, int width, int height, int level) {
  if (pixels == nullptr || width <= 0 || height <= 0)
    throw EPlatformError("a PNG file needs at least one pixel (the picture is " +
                         std::to_string(width) + " x " + std::to_string(height) + ")");
  // Out-of-range levels: negative means the fast default, above 9 the strongest.
  if (level < 0) level = 1;
  if (level > 9) level = 9;
  std::vector<std::uint8_t> out;
  try {
    // Most charts have at most 256 colours: written with a palette, a quarter of the bytes to
    // compress and check, and the same pixels read back.
    if (WriteIndexed(pixels, width, height, level, out)) return out;
    out.clear();
  } catch (const std::bad_alloc&) {
    throw EPlatformError("out of memory for a PNG file");
  }
  std::vector<png_byte> row;
  try {
    row.resize(static_cast<std::size_t>(width) * 3);
    out.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) / 8 + 1024);
  } catch (const std::bad_alloc&) {
    throw EPlatformError("out of memory for a PNG file");
  }
  PngContext ctx;
  ctx.out = &out;
  WriteStructs s(&ctx);
  if (!s.ok()) throw EPlatformError("out of memory for a PNG file");
  png_set_write_fn(s.png(), &ctx, WriteBytes, Flush);
  if (!WriteImage(s.png(), s.info(), pixels, width, height, level, row.data())) {
    if (ctx.out_of_memory) throw EPlatformError("out of memory for a PNG file");
    throw EPlatformError(std::string("PNG encoding failed (") + ctx.message + ")");
  }
  return out;
}

}  // namespace kiv::imageio
