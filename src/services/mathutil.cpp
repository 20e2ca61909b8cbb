#include "services/mathutil.h"

#include <climits>
#include <cmath>
#include <utility>

namespace kiv {

long long IntNeg(double x) {
  if (std::isnan(x)) return 0;
  // 2^63 is exactly representable; every double below it and at or above -2^63 converts
  // without overflow once floored.
  constexpr double kTwo63 = 9223372036854775808.0;
  if (x >= kTwo63) return LLONG_MAX;
  if (x < -kTwo63) return LLONG_MIN;
  return static_cast<long long>(std::floor(x));
}

void ExChange(int& a, int& b) {
  std::swap(a, b);
}
void ExChange(double& a, double& b) {
  std::swap(a, b);
}
void ExChange(long double& a, long double& b) {
  std::swap(a, b);
}

}  // namespace kiv
