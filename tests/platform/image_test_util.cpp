#include "image_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>

#include "platform/errors.h"

namespace kiv::testimg {

void PutU16(Bytes& b, std::size_t at, std::uint32_t v) {
  b.at(at) = static_cast<std::uint8_t>(v);
  b.at(at + 1) = static_cast<std::uint8_t>(v >> 8);
}

void PutU32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.at(at + i) = static_cast<std::uint8_t>(v >> (8 * i));
}

Bytes BuildBmp(const BmpRecipe& s) {
  const bool core = s.header_size == 12;
  Bytes header(std::max<std::size_t>(s.header_size, 40), 0);
  PutU32(header, 0, s.header_size);
  if (core) {
    PutU16(header, 4, static_cast<std::uint32_t>(s.width));
    PutU16(header, 6, static_cast<std::uint32_t>(s.height));
    PutU16(header, 8, 1);
    PutU16(header, 10, s.bpp);
  } else {
    PutU32(header, 4, static_cast<std::uint32_t>(s.width));
    PutU32(header, 8, static_cast<std::uint32_t>(s.height));
    PutU16(header, 12, 1);
    PutU16(header, 14, s.bpp);
    PutU32(header, 16, s.compression);
    PutU32(header, 20, s.image_size);
    PutU32(header, 32, s.colors_used);
  }
  Bytes masks_after;
  for (std::size_t i = 0; i < s.masks.size(); ++i) {
    if (s.header_size >= 52) {
      if (40 + 4 * i + 4 <= s.header_size) PutU32(header, 40 + 4 * i, s.masks[i]);
    } else {
      masks_after.resize(masks_after.size() + 4);
      PutU32(masks_after, 4 * i, s.masks[i]);
    }
  }
  header.resize(s.header_size);

  Bytes file(14 + header.size() + masks_after.size(), 0);
  file[0] = 'B';
  file[1] = 'M';
  std::copy(header.begin(), header.end(), file.begin() + 14);
  std::copy(masks_after.begin(), masks_after.end(),
            file.begin() + 14 + static_cast<std::ptrdiff_t>(header.size()));
  for (std::uint32_t c : s.palette) {
    file.push_back(static_cast<std::uint8_t>(c));
    file.push_back(static_cast<std::uint8_t>(c >> 8));
    file.push_back(static_cast<std::uint8_t>(c >> 16));
    if (!core) file.push_back(0);
  }
  PutU32(file, 10, s.pixel_offset.value_or(static_cast<std::uint32_t>(file.size())));
  file.insert(file.end(), s.pixels.begin(), s.pixels.end());
  PutU32(file, 2, static_cast<std::uint32_t>(file.size()));
  return file;
}

Bytes PadRows(const std::vector<Bytes>& rows) {
  Bytes out;
  for (const Bytes& row : rows) {
    out.insert(out.end(), row.begin(), row.end());
    out.resize((out.size() + 3) & ~std::size_t{3}, 0);
  }
  return out;
}

namespace {

std::uint32_t Crc32(const std::uint8_t* p, std::size_t n) {
  static const auto table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < n; ++i) c = table[(c ^ p[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void PutBE32(Bytes& b, std::uint32_t v) {
  for (int i = 3; i >= 0; --i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void AddChunk(Bytes& png, const char* type, const Bytes& data) {
  PutBE32(png, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  PutBE32(png, Crc32(png.data() + start, png.size() - start));
}

int Channels(PngColourType t) {
  switch (t) {
    case kGrey:
    case kPalette:
      return 1;
    case kGreyAlpha:
      return 2;
    case kRgb:
      return 3;
    case kRgba:
      return 4;
  }
  return 1;
}

// Appends the filter-0 rows of the sub-image starting at (x0, y0) with steps (dx, dy).
void AddPass(const PngRecipe& s, int x0, int y0, int dx, int dy, Bytes& raw) {
  const int ch = Channels(s.colour_type);
  for (int y = y0; y < s.height; y += dy) {
    if (x0 >= s.width) return;
    raw.push_back(0);
    std::uint32_t acc = 0;
    int nbits = 0;
    for (int x = x0; x < s.width; x += dx) {
      for (int c = 0; c < ch; ++c) {
        const std::uint16_t v = s.samples.at((static_cast<std::size_t>(y) * s.width + x) * ch + c);
        if (s.bit_depth == 16) {
          raw.push_back(static_cast<std::uint8_t>(v >> 8));
          raw.push_back(static_cast<std::uint8_t>(v));
          continue;
        }
        acc = (acc << s.bit_depth) | v;
        nbits += s.bit_depth;
        if (nbits == 8) {
          raw.push_back(static_cast<std::uint8_t>(acc));
          acc = 0;
          nbits = 0;
        }
      }
    }
    if (nbits > 0) raw.push_back(static_cast<std::uint8_t>(acc << (8 - nbits)));
  }
}

}  // namespace

Bytes BuildPng(const PngRecipe& s) {
  Bytes raw;
  if (s.interlaced) {
    const int passes[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                              {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    for (const auto& p : passes) AddPass(s, p[0], p[1], p[2], p[3], raw);
  } else {
    AddPass(s, 0, 0, 1, 1, raw);
  }
  // zlib stream of stored blocks.
  Bytes z = {0x78, 0x01};
  std::size_t pos = 0;
  do {
    const std::size_t n = std::min<std::size_t>(raw.size() - pos, 65535);
    const bool last = pos + n == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<std::uint8_t>(n));
    z.push_back(static_cast<std::uint8_t>(n >> 8));
    z.push_back(static_cast<std::uint8_t>(~n));
    z.push_back(static_cast<std::uint8_t>(~n >> 8));
    z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
             raw.begin() + static_cast<std::ptrdiff_t>(pos + n));
    pos += n;
  } while (pos < raw.size());
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (std::uint8_t v : raw) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  PutBE32(z, b << 16 | a);

  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes ihdr;
  PutBE32(ihdr, static_cast<std::uint32_t>(s.width));
  PutBE32(ihdr, static_cast<std::uint32_t>(s.height));
  ihdr.insert(ihdr.end(), {static_cast<std::uint8_t>(s.bit_depth), s.colour_type, 0, 0,
                           static_cast<std::uint8_t>(s.interlaced ? 1 : 0)});
  AddChunk(png, "IHDR", ihdr);
  if (!s.palette.empty()) {
    Bytes plte;
    for (std::uint32_t c : s.palette)
      plte.insert(plte.end(), {static_cast<std::uint8_t>(c >> 16),
                               static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c)});
    AddChunk(png, "PLTE", plte);
  }
  if (!s.trns.empty()) AddChunk(png, "tRNS", s.trns);
  AddChunk(png, "IDAT", z);
  AddChunk(png, "IEND", {});
  return png;
}

std::size_t FindPngChunk(const Bytes& png, const std::string& type) {
  std::size_t pos = 8;
  while (pos + 8 <= png.size()) {
    const std::uint32_t len = static_cast<std::uint32_t>(png[pos]) << 24 | png[pos + 1] << 16 |
                              png[pos + 2] << 8 | png[pos + 3];
    if (std::equal(type.begin(), type.end(), png.begin() + static_cast<std::ptrdiff_t>(pos + 4)))
      return pos + 8;
    pos += 12 + static_cast<std::size_t>(len);
  }
  return std::string::npos;
}

void FixPngCrcs(Bytes& png) {
  std::size_t pos = 8;
  while (pos + 12 <= png.size()) {
    const std::uint64_t len = static_cast<std::uint32_t>(png[pos]) << 24 | png[pos + 1] << 16 |
                              png[pos + 2] << 8 | png[pos + 3];
    if (pos + 12 + len > png.size()) return;
    const std::uint32_t crc = Crc32(png.data() + pos + 4, static_cast<std::size_t>(len) + 4);
    for (int i = 0; i < 4; ++i)
      png[pos + 8 + len + i] = static_cast<std::uint8_t>(crc >> (8 * (3 - i)));
    pos += 12 + len;
  }
}

imageio::Image Decode(const Bytes& bytes, const std::string& name) {
  return imageio::DecodeImage(bytes, name);
}

void ExpectDecodeError(const Bytes& bytes, const std::vector<std::string>& parts) {
  try {
    Decode(bytes, "sample.img");
    ADD_FAILURE() << "decoding succeeded; expected an error mentioning " << parts.front();
  } catch (const EPlatformError& e) {
    const std::string message = e.what();
    EXPECT_EQ(message.rfind("sample.img: ", 0), 0u) << message;
    for (const std::string& part : parts)
      EXPECT_NE(message.find(part), std::string::npos) << "\"" << message << "\" lacks " << part;
  }
}

void ExpectEveryTruncationFails(const Bytes& bytes) {
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    const Bytes prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_THROW(Decode(prefix), EPlatformError) << "prefix of " << n << " bytes";
  }
}

void ExpectMutationsHandled(const Bytes& bytes, int rounds, unsigned seed) {
  const bool png = bytes.size() > 8 && bytes[1] == 'P';
  std::mt19937 rng(seed);
  std::uniform_int_distribution<std::size_t> where(png ? 8 : 0, bytes.size() - 1);
  std::uniform_int_distribution<int> value(0, 255);
  std::uniform_int_distribution<int> flips(1, 4);
  for (int round = 0; round < rounds; ++round) {
    Bytes m = bytes;
    for (int k = flips(rng); k > 0; --k) m[where(rng)] = static_cast<std::uint8_t>(value(rng));
    if (png) FixPngCrcs(m);
    try {
      const imageio::Image img = Decode(m);
      ASSERT_GT(img.width, 0);
      ASSERT_GT(img.height, 0);
      ASSERT_EQ(img.pixels.size(), static_cast<std::size_t>(img.width) * img.height);
      for (TPixel p : img.pixels) ASSERT_EQ(p >> 24, 0xFFu) << "round " << round;
    } catch (const EPlatformError&) {
    }
  }
}

}  // namespace kiv::testimg
