// Elapsed-time tick mode: values are seconds, ticks on round time steps from a millisecond to
// twelve hours, labelled hours:minutes:seconds.
#include <algorithm>
#include <array>
#include <cmath>

#include "scale/labels.h"
#include "scale/ticks.h"

namespace kiv {

namespace {

// Major steps in seconds and the minor intervals per major step, rows 1..28.
constexpr std::array<double, 28> kTimeSteps = {
    0.001, 0.002, 0.005, 0.01, 0.02, 0.05, 0.1,  0.2,  0.5,  1,    2,     5,     10,    20,
    30,    60,    120,   180,  300,  600,  1200, 1800, 3600, 7200, 14400, 21600, 43200, 86400};
constexpr std::array<int, 28> kTimeSubdivisions = {5, 4, 5, 5, 4, 5, 5, 4, 5, 5, 4, 5, 5, 4,
                                                   6, 6, 6, 6, 5, 5, 6, 6, 6, 4, 4, 6, 6, 6};
// Rows up to this one (steps under a second) label with milliseconds.
constexpr int kLastMillisecondRow = 9;

constexpr double kSlack = 0.999999999;

}  // namespace

bool TimeScaleTicks(const TScaleTickSettings& s, TScaleTickList& out) {
  const int n = s.NumTicks > 0 ? s.NumTicks : kDefaultTimeTicks;
  const double low = s.Low;
  const double high = s.High;
  const double per = std::fabs(high - low) / n;
  int row = 28;
  while (row >= 1 && !(kTimeSteps[row - 1] <= per)) --row;
  // Under a millisecond, or a day or more per interval: the numeric modes do better.
  if (row < 1 || row == 28) return false;

  out.Mode = stmTime;
  const int sg = low < high ? 1 : -1;
  const double major = sg * kTimeSteps[row - 1];
  const double minor = major / kTimeSubdivisions[row - 1];
  const long long count = static_cast<long long>(std::trunc((high - low) / minor)) + 5;
  const double first = std::floor(low / major / kSlack) * major;
  // The acceptance window reaches a billionth beyond both ends, so rounding never drops the
  // ticks at the ends; on a reversed range it widens outwards as well.
  const double lo = std::min(low, high);
  const double hi = std::max(low, high);
  const double lowEdge = lo >= 0 ? lo * kSlack : lo / kSlack;
  const double highEdge = hi > 0 ? hi / kSlack : hi * kSlack;
  auto inside = [&](double v) { return lowEdge <= v && v <= highEdge; };
  auto value = [&](long long j) {
    return static_cast<double>(static_cast<long double>(first) +
                               j * static_cast<long double>(minor));
  };

  if (s.ShortTicks) {
    for (long long j = 0; j <= count; ++j) {
      const double v = value(j);
      if (!inside(v)) continue;
      TScaleTick t;
      t.Value = t.LabelValue = v;
      t.Kind = stkMinor;
      t.Record = true;
      out.Ticks.push_back(std::move(t));
    }
  }
  const bool withMs = row <= kLastMillisecondRow;
  for (long long j = 0; j <= count; ++j) {
    const double v = value(j);
    const double q = v / major;
    if (!(std::fabs(q - std::round(q)) < 0.01) || !inside(v)) continue;
    TScaleTick t;
    t.Value = t.LabelValue = v;
    t.Kind = stkMajor;
    t.Record = !s.ShortTicks;
    t.HasLabel = true;
    t.Label = ElapsedTimeText(v, withMs);
    out.Ticks.push_back(std::move(t));
  }
  return true;
}

}  // namespace kiv
