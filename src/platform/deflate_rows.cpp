#include "platform/deflate_rows.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace kiv::imageio::detail {

namespace {

// A code of the fixed tables as it goes into the stream: the Huffman code bit-reversed (the
// stream is read from the low bit up, Huffman codes from their top bit), extra bits above it.
struct Code {
  std::uint32_t bits = 0;
  int length = 0;
};

std::uint32_t Reversed(std::uint32_t code, int length) {
  std::uint32_t r = 0;
  for (int i = 0; i < length; ++i) r |= ((code >> i) & 1u) << (length - 1 - i);
  return r;
}

// Fixed literal/length codes (RFC 1951, 3.2.6).
Code Symbol(int v) {
  if (v < 144) return {Reversed(0x30u + static_cast<std::uint32_t>(v), 8), 8};
  if (v < 256) return {Reversed(0x190u + static_cast<std::uint32_t>(v - 144), 9), 9};
  if (v < 280) return {Reversed(static_cast<std::uint32_t>(v - 256), 7), 7};
  return {Reversed(0xC0u + static_cast<std::uint32_t>(v - 280), 8), 8};
}

constexpr std::array<int, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                             15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                             67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                            6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

struct Tables {
  std::array<Code, 256> literal;
  std::array<Code, 259> length;  // match lengths 3..258, code and extra bits
  Code end_of_block;
  Tables() {
    for (int v = 0; v < 256; ++v) literal[static_cast<std::size_t>(v)] = Symbol(v);
    end_of_block = Symbol(256);
    for (int len = 3; len <= 258; ++len) {
      int s = 28;
      while (kLengthBase[static_cast<std::size_t>(s)] > len) --s;
      if (len == 258) s = 28;
      const Code c = Symbol(257 + s);
      const int extra = kLengthExtra[static_cast<std::size_t>(s)];
      const auto value = static_cast<std::uint32_t>(len - kLengthBase[static_cast<std::size_t>(s)]);
      length[static_cast<std::size_t>(len)] = {c.bits | value << c.length, c.length + extra};
    }
  }
};

const Tables& FixedCodes() {
  static const Tables t;
  return t;
}

// The distance code with its extra bits (fixed distance codes are five bits).
Code Distance(std::size_t d) {
  int s = 29;
  while (static_cast<std::size_t>(kDistBase[static_cast<std::size_t>(s)]) > d) --s;
  const auto value = static_cast<std::uint32_t>(d) -
                     static_cast<std::uint32_t>(kDistBase[static_cast<std::size_t>(s)]);
  return {Reversed(static_cast<std::uint32_t>(s), 5) | value << 5,
          5 + kDistExtra[static_cast<std::size_t>(s)]};
}

// How many bytes from a on equal those from b, at most max.
std::size_t MatchLength(const std::uint8_t* a, const std::uint8_t* b, std::size_t max) {
  std::size_t k = 0;
  if constexpr (std::endian::native == std::endian::little) {
    while (k + 8 <= max) {
      std::uint64_t x, y;
      std::memcpy(&x, a + k, 8);
      std::memcpy(&y, b + k, 8);
      if (x != y) return k + static_cast<std::size_t>(std::countr_zero(x ^ y)) / 8;
      k += 8;
    }
  }
  while (k < max && a[k] == b[k]) ++k;
  return k;
}

class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  void Put(Code c) {
    acc_ |= static_cast<std::uint64_t>(c.bits) << used_;
    used_ += c.length;
    if (used_ >= 32) {
      Reserve(4);
      for (int i = 0; i < 4; ++i) out_[size_++] = static_cast<std::uint8_t>(acc_ >> (8 * i));
      acc_ >>= 32;
      used_ -= 32;
    }
  }
  void PutByte(std::uint8_t b) {
    Reserve(1);
    out_[size_++] = b;
  }
  // Pads the last byte with zero bits.
  void Flush() {
    while (used_ > 0) {
      PutByte(static_cast<std::uint8_t>(acc_));
      acc_ >>= 8;
      used_ = std::max(0, used_ - 8);
    }
  }
  void Finish() { out_.resize(size_); }

 private:
  void Reserve(std::size_t n) {
    if (size_ + n > out_.size()) out_.resize(std::max<std::size_t>(2 * out_.size(), 1024));
  }
  std::vector<std::uint8_t>& out_;
  std::size_t size_ = 0;
  std::uint64_t acc_ = 0;
  int used_ = 0;
};

}  // namespace

std::vector<std::uint8_t> DeflateRows(const std::uint8_t* data, std::size_t size,
                                      std::size_t row_bytes) {
  const Tables& t = FixedCodes();
  std::vector<std::uint8_t> out(std::max<std::size_t>(1024, size / 16));
  BitWriter w(out);
  w.PutByte(0x78);  // deflate, 32 KiB window
  w.PutByte(0x01);  // fastest, no dictionary; 0x7801 is a multiple of 31
  w.Put({3, 3});    // the last block, fixed codes
  const Code run = Distance(1);
  // Rows longer than the window cannot refer to the row above.
  const bool up = row_bytes >= 1 && row_bytes <= 32768;
  const Code above = up ? Distance(row_bytes) : Code{};
  for (std::size_t i = 0; i < size;) {
    const std::size_t max = std::min<std::size_t>(258, size - i);
    const std::size_t by_run = i >= 1 ? MatchLength(data + i, data + i - 1, max) : 0;
    const std::size_t by_row =
        up && i >= row_bytes ? MatchLength(data + i, data + i - row_bytes, max) : 0;
    const std::size_t len = std::max(by_run, by_row);
    if (len >= 3) {
      w.Put(t.length[len]);
      w.Put(by_row > by_run ? above : run);
      i += len;
    } else {
      w.Put(t.literal[data[i]]);
      ++i;
    }
  }
  w.Put(t.end_of_block);
  w.Flush();
  const uLong check = adler32(adler32(0L, Z_NULL, 0), data, static_cast<uInt>(size));
  for (int shift = 24; shift >= 0; shift -= 8) w.PutByte(static_cast<std::uint8_t>(check >> shift));
  w.Finish();
  return out;
}

}  // namespace kiv::imageio::detail
