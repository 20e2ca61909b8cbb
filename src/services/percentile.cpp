#include "services/percentile.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

namespace kiv {

namespace {

// NaN breaks the ordering that selection relies on, so it is moved out of the way first;
// returns the number of the other values, which now come first.
std::size_t MoveNaNsBack(std::span<double> values) {
  const auto valid_end =
      std::partition(values.begin(), values.end(), [](double v) { return !std::isnan(v); });
  return static_cast<std::size_t>(valid_end - values.begin());
}

// The 0-based rank lo of the p-th percentile among n values and the fraction towards lo + 1.
struct TRank {
  std::size_t lo;
  double frac;
};

TRank RankOf(std::size_t n, double p) {
  p = std::clamp(p, 0.0, 100.0);
  const double h = static_cast<double>(n - 1) * p / 100.0;
  const std::size_t lo = std::min(static_cast<std::size_t>(h), n - 1);
  return {lo, h - static_cast<double>(lo)};
}

// x_lo interpolated a fraction of the way towards the next order statistic x_hi.
double Interpolate(double x_lo, double x_hi, double frac) {
  if (x_hi == x_lo) return x_lo;  // also keeps equal infinities from producing NaN
  return x_lo + frac * (x_hi - x_lo);
}

// Selects rank lo among the first n values and interpolates towards the next rank.
double SelectAndInterpolate(std::span<double> values, std::size_t n, TRank r) {
  const auto first = values.begin();
  const auto end = first + static_cast<std::ptrdiff_t>(n);
  std::nth_element(first, first + static_cast<std::ptrdiff_t>(r.lo), end);
  const double x_lo = values[r.lo];
  if (r.frac <= 0.0 || r.lo + 1 >= n) return x_lo;
  // After selection every element right of lo is >= x_lo; the smallest of them is x[lo + 1].
  return Interpolate(x_lo, *std::min_element(first + static_cast<std::ptrdiff_t>(r.lo) + 1, end),
                     r.frac);
}

}  // namespace

double PercentileOfValues(std::span<double> values, double p) {
  if (std::isnan(p)) return std::numeric_limits<double>::quiet_NaN();
  const std::size_t n = MoveNaNsBack(values);
  if (n == 0) return 0.0;
  return SelectAndInterpolate(values, n, RankOf(n, p));
}

namespace {

// Puts the order statistics of the given ranks (ascending, distinct) in place within
// values[left, right): the middle rank first, then each side within its part, so that every
// element is looked at about log(number of ranks) times instead of once per rank.
void SelectRanks(std::span<double> values, std::size_t left, std::size_t right,
                 std::span<const std::size_t> ranks) {
  if (ranks.empty() || left >= right) return;
  const std::size_t mid = ranks.size() / 2, r = ranks[mid];
  const auto first = values.begin();
  std::nth_element(first + static_cast<std::ptrdiff_t>(left),
                   first + static_cast<std::ptrdiff_t>(r),
                   first + static_cast<std::ptrdiff_t>(right));
  SelectRanks(values, left, r, ranks.first(mid));
  SelectRanks(values, r + 1, right, ranks.subspan(mid + 1));
}

}  // namespace

void PercentilesOfValues(std::span<double> values, std::span<const double> ps,
                         std::span<double> out) {
  const std::size_t n = MoveNaNsBack(values);
  std::vector<std::size_t> ranks;
  for (double p : ps)
    if (!std::isnan(p) && n > 0) ranks.push_back(RankOf(n, p).lo);
  std::sort(ranks.begin(), ranks.end());
  ranks.erase(std::unique(ranks.begin(), ranks.end()), ranks.end());
  SelectRanks(values, 0, n, ranks);
  const auto first = values.begin();
  for (std::size_t i = 0; i < ps.size(); ++i) {
    if (std::isnan(ps[i]) || n == 0) {
      out[i] = std::isnan(ps[i]) ? std::numeric_limits<double>::quiet_NaN() : 0.0;
      continue;
    }
    const TRank r = RankOf(n, ps[i]);
    const double x_lo = values[r.lo];
    if (r.frac <= 0.0 || r.lo + 1 >= n) {
      out[i] = x_lo;
      continue;
    }
    // Between rank lo and the next selected rank (included) lie exactly the values of the
    // ranks in between: the next order statistic is their smallest.
    const auto next = std::upper_bound(ranks.begin(), ranks.end(), r.lo);
    const std::size_t last = next == ranks.end() ? n - 1 : *next;
    const double x_hi = *std::min_element(first + static_cast<std::ptrdiff_t>(r.lo) + 1,
                                          first + static_cast<std::ptrdiff_t>(last) + 1);
    out[i] = Interpolate(x_lo, x_hi, r.frac);
  }
}

}  // namespace kiv
