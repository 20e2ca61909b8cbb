#include "services/scalepars.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace kiv {

namespace {

// Relative slack for decisions that rounding of the range could flip (20.0 / 10 giving
// 1.9999999, low = 0.30000000000000004 for a tick at 0.3).
constexpr long double kSlack = 1e-9L;

// 10^e for an integral e, exact where the power is representable: for negative e the result is
// the correctly rounded reciprocal of an exact power rather than an accumulated product.
long double Pow10(long double e) {
  if (e >= 0) return std::pow(10.0L, e);
  const long double inv = std::pow(10.0L, -e);
  if (std::isfinite(inv)) return 1.0L / inv;
  return std::pow(10.0L, e);
}

struct TNiceStep {
  long double step = 0;
  std::uint16_t subdivisions = 1;
};

// The largest value 1, 2 or 5 times a power of ten that is not above rough (rough > 0).
TNiceStep NiceStepBelow(long double rough) {
  TNiceStep result;
  if (!std::isfinite(rough)) {
    // Only a range wider than the largest number, asked for a single interval.
    result.step = Pow10(std::floor(std::log10(LDBL_MAX)));
    result.subdivisions = 5;
    return result;
  }
  long double e = std::floor(std::log10(rough));
  long double p10 = Pow10(e);
  if (!(p10 > 0) || !std::isfinite(p10)) return result;
  long double mant = rough / p10;
  // log10 may be off by one at exact powers of ten.
  if (mant >= 10.0L * (1 - kSlack)) {
    e += 1;
    p10 = Pow10(e);
    mant = rough / p10;
  } else if (mant < 1 - kSlack) {
    e -= 1;
    p10 = Pow10(e);
    mant = rough / p10;
  }
  int m = 1;
  if (mant >= 5.0L * (1 - kSlack)) {
    m = 5;
  } else if (mant >= 2.0L * (1 - kSlack)) {
    m = 2;
  }
  const long double inv = e < 0 ? std::pow(10.0L, -e) : 0.0L;
  result.step = (e < 0 && std::isfinite(inv)) ? m / inv : m * p10;
  result.subdivisions = m == 2 ? 4 : 5;
  return result;
}

}  // namespace

void CalcScalePars(int numTicks, long double low, long double high, long double& firstTick,
                   long double& tickDistance, std::uint16_t& subdivisions) {
  firstTick = 0;
  tickDistance = 0;
  subdivisions = 1;
  if (!std::isfinite(low) || !std::isfinite(high)) return;
  firstTick = low;
  if (low == high) return;

  const int n = numTicks <= 0 ? kDefaultScaleTicks : std::min(numTicks, kMaxScaleTicks);
  long double span = std::fabs(high - low);
  long double rough;
  if (std::isfinite(span)) {
    rough = span / n;
  } else {  // ends of opposite sign near the largest number: halve first
    span = std::fabs(high / 2 - low / 2);
    rough = span / n * 2;
  }
  // Finer steps would be lost in the rounding of the tick values themselves.
  const long double magnitude = std::max(std::fabs(low), std::fabs(high));
  rough = std::max(rough, std::ldexp(magnitude, -40));
  if (!(rough > 0)) rough = span;  // a subnormal span divided down to nothing

  TNiceStep nice = NiceStepBelow(rough);
  if (!(nice.step > 0) || !std::isfinite(nice.step)) {
    nice.step = span;  // powers of ten out of reach: one interval over the whole range
    nice.subdivisions = 1;
  }

  const long double ratio = low / nice.step;
  const long double k = high > low ? std::ceil(ratio - kSlack) : std::floor(ratio + kSlack);
  firstTick = k * nice.step + 0.0L;  // + 0 turns -0 into 0
  // The multiple may fall a hair short of low: 0.1 as a double lies above 0.1 in extended
  // precision. Low is then that round value itself, and the first tick never lies before it.
  if (high > low ? firstTick < low : firstTick > low) firstTick = low;
  tickDistance = high > low ? nice.step : -nice.step;
  subdivisions = nice.subdivisions;
}

}  // namespace kiv
