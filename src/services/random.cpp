#include "services/random.h"

#include <cmath>
#include <mutex>

namespace kiv {

void TGaussRandom::Seed(std::uint64_t seed) {
  state_ = seed;
  has_spare_ = false;
  spare_ = 0.0;
}

std::uint64_t TGaussRandom::NextU64() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

double TGaussRandom::NextUniform() {
  return static_cast<double>(NextU64() >> 11) * 0x1.0p-53;
}

double TGaussRandom::NextGauss() {
  if (has_spare_) {
    has_spare_ = false;
    return spare_;
  }
  double u;
  double v;
  double s;
  do {
    u = 2.0 * NextUniform() - 1.0;
    v = 2.0 * NextUniform() - 1.0;
    s = u * u + v * v;
  } while (s >= 1.0 || s == 0.0);
  const double factor = std::sqrt(-2.0 * std::log(s) / s);
  spare_ = v * factor;
  has_spare_ = true;
  return u * factor;
}

namespace {

// Function-local, so a component constructed during static initialisation finds it ready.
struct SharedStream {
  std::mutex mutex;
  TGaussRandom random;
};

SharedStream& Shared() {
  static SharedStream stream;
  return stream;
}

}  // namespace

double GRandom() {
  SharedStream& s = Shared();
  const std::lock_guard<std::mutex> lock(s.mutex);
  return s.random.NextGauss();
}

void GRandomSeed(std::uint64_t seed) {
  SharedStream& s = Shared();
  const std::lock_guard<std::mutex> lock(s.mutex);
  s.random.Seed(seed);
}

}  // namespace kiv
