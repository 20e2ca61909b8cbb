// Reproducible random numbers: a small 64-bit generator with normally distributed output, and
// the library-wide GRandom stream that components use for sample data.
#pragma once

#include <cstdint>

namespace kiv {

// splitmix64 feeding Marsaglia's polar method. The uniform stream is bit-identical on every
// platform; the normal values go through log and sqrt, so they match to the last few bits.
class TGaussRandom {
 public:
  explicit TGaussRandom(std::uint64_t seed = kDefaultSeed) { Seed(seed); }
  static constexpr std::uint64_t kDefaultSeed = 0x6B69764368617274ULL;

  void Seed(std::uint64_t seed);
  std::uint64_t NextU64();
  // Uniform in [0, 1) with 53 random bits.
  double NextUniform();
  // Normally distributed with mean 0 and standard deviation 1.
  double NextGauss();

 private:
  std::uint64_t state_ = 0;
  double spare_ = 0.0;
  bool has_spare_ = false;
};

// The next value of the shared normal stream (mean 0, standard deviation 1). The stream starts
// from a fixed seed, so a program sees the same numbers on every run unless it seeds it; it is
// safe to call from several threads.
double GRandom();
// Restarts the shared stream from `seed`.
void GRandomSeed(std::uint64_t seed);

}  // namespace kiv
