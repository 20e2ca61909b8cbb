// Small numeric helpers of the math services: sign, floor to a 64-bit integer and swapping.
#pragma once

#include <type_traits>

namespace kiv {

// -1, 0 or 1 by the sign of x; 0 also for NaN (and for -0.0).
template <typename T>
requires std::is_arithmetic_v<T>
constexpr int Signum(T x) {
  if constexpr (std::is_unsigned_v<T>) {
    return x != T{} ? 1 : 0;
  } else {
    return (T{} < x) - (x < T{});
  }
}

// The largest integer not above x (floor). Values beyond the range of long long give its
// nearest end; NaN gives 0, so date arithmetic on bad input stays defined.
long long IntNeg(double x);

void ExChange(int& a, int& b);
void ExChange(double& a, double& b);
void ExChange(long double& a, long double& b);

}  // namespace kiv
