// Linear and logarithmic tick modes.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "scale/labels.h"
#include "scale/ticks.h"
#include "services/rounding.h"
#include "services/scalepars.h"

namespace kiv {

namespace {

// A safety net only: CalcScalePars bounds the tick loops to a few dozen rounds.
constexpr long long kMaxLoopRounds = 100000;

// Relative slack of the logarithmic candidate tests.
constexpr long double kLogSlack = 0.999999999L;

std::string FinishLabel(const TScaleTickSettings& s, std::string text, int count) {
  if (s.LabelType == fgtUserText) return ExtractUserText(s.UserText, count);
  return AddScaleInscription(text, s.Inscript);
}

TScaleTick MakeTick(double value, TScaleTickKind kind, bool record) {
  TScaleTick t;
  t.Value = value;
  t.LabelValue = value;
  t.Kind = kind;
  t.Record = record;
  return t;
}

}  // namespace

std::string LinearTickLabel(const TScaleTickSettings& s, double& value, int index) {
  const int e = EffectiveDecPlacesLinear(s.DecPlaces, s.Low, s.High);
  const double span = s.High - s.Low;
  std::string text;
  if (std::fabs(value / span) < 1e-14) {
    value = 0;
    if (std::fabs(span) <= 100000)
      text = ScaleNumberText(0.0, e);
    else
      text = e != 0 ? "0.0" : "0";
  } else {
    text = ScaleNumberText(value, e);
  }
  if (text.size() > 14) text.resize(14);
  if (s.DecPlaces == 0 && std::fabs(value - RoundHalfEven(value)) > 1e-6) text.clear();
  return FinishLabel(s, std::move(text), index);
}

void LinearScaleTicks(const TScaleTickSettings& s, TScaleTickList& out) {
  out.Mode = stmLinear;
  long double first = 0;
  long double step = 0;
  std::uint16_t sub = 1;
  CalcScalePars(s.NumTicks, s.Low, s.High, first, step, sub);
  if (step == 0 || !std::isfinite(step) || !std::isfinite(first)) return;
  if (sub == 0) sub = 1;
  const long double minor = step / sub;
  const long double low = s.Low;
  const long double high = s.High;
  const int sg = s.Low < s.High ? 1 : -1;
  const bool horizontal = IsHorizontalScale(s.ScaleType);

  if (s.ShortTicks) {
    // From one major step before the first major tick, so the minor ticks below it show too.
    const long double start = first - step;
    for (long long i = 0; i < kMaxLoopRounds; ++i) {
      const long double v = start + i * minor;
      // A billionth of a minor interval of slack: the walk reaches a decimal low end (0.1,
      // 0.05) only up to rounding, and the tick on it belongs to the list.
      if (sg * (v - low) >= -1e-9L * std::fabs(minor))
        out.Ticks.push_back(MakeTick(static_cast<double>(v), stkMinor, true));
      if (!(sg * (start + (i + 1) * minor - high) <= sg * 0.001L * minor)) break;
    }
  }

  const bool labels = s.LabelType != fgtNone;
  // On horizontal types with minor ticks the minor pass has recorded the major positions
  // already; vertical types record them a second time.
  const bool recordMajor = !horizontal || !s.ShortTicks;
  for (long long i = 0; i < kMaxLoopRounds; ++i) {
    const long double lv = first + i * step;
    TScaleTick t = MakeTick(static_cast<double>(lv), stkMajor, recordMajor);
    if (labels) {
      double v = t.Value;
      t.HasLabel = true;
      t.Label = LinearTickLabel(s, v, static_cast<int>(i + 1));
      t.LabelValue = v;
    }
    out.Ticks.push_back(std::move(t));
    if (!(sg * (first + (i + 1) * step - high) <= sg * 0.001L * step)) break;
  }
}

void LogScaleTicks(const TScaleTickSettings& s, TScaleTickList& out) {
  out.Mode = stmLogarithmic;
  // A logarithmic scale needs two positive ends; the transformation refuses others too.
  if (!(s.Low > 0 && s.High > 0) || !std::isfinite(s.Low) || !std::isfinite(s.High)) return;
  const long double ln10 = std::log(10.0L);
  const double decades = std::fabs(std::log(s.High / s.Low) / uc_ln10);
  if (decades < 1) {
    LinearScaleTicks(s, out);
    out.Mode = stmLogarithmic;
    return;
  }
  const bool dense = s.NumTicks > decades + 0.5;
  const long double lo = std::min(s.Low, s.High);
  const long double hi = std::max(s.Low, s.High);
  const int e =
      EffectiveDecPlacesLog(s.DecPlaces, static_cast<double>(lo), static_cast<double>(hi));
  const long double base = std::exp(ln10 * std::floor(std::log(lo * kLogSlack) / ln10));
  const bool labels = s.LabelType != fgtNone;
  int count = 0;
  long double m = 1;
  for (int round = 0; round < 100000; ++round) {
    const int lastFactor = dense ? 9 : 1;
    for (int f = 1; f <= lastFactor; ++f) {
      const long double lv = f * base * m;
      if (!(lo * kLogSlack < lv && lv < hi / kLogSlack)) continue;
      const bool major = f == 1 || f == 2 || f == 5;
      if (!major) {
        TScaleTick t = MakeTick(static_cast<double>(lv), stkMinor, s.ShortTicks);
        t.DrawMark = s.ShortTicks;
        out.Ticks.push_back(std::move(t));
        continue;
      }
      TScaleTick t = MakeTick(static_cast<double>(lv), stkMajor, true);
      if (labels) {
        ++count;
        std::string text;
        if (e == -3) {
          if (f == 1) {
            const long long exponent =
                static_cast<long long>(RoundHalfEven(static_cast<double>(std::log10(base * m))));
            text = std::to_string(exponent);
          }
        } else {
          text = ScaleNumberText(t.Value, e);
        }
        if (text.size() > 14) text.resize(14);
        if (s.DecPlaces == -2 && text.find('.') != std::string::npos &&
            text.find_first_of("eE") == std::string::npos) {
          while (!text.empty() && text.back() == '0') text.pop_back();
          if (!text.empty() && text.back() == '.') text.pop_back();
        }
        t.HasLabel = true;
        t.Label = FinishLabel(s, std::move(text), count);
      }
      out.Ticks.push_back(std::move(t));
    }
    m *= 10;
    if (!(hi >= kLogSlack * base * m)) break;
  }
}

TScaleTickList ComputeScaleTicks(const TScaleTickSettings& s) {
  TScaleTickList out;
  if (s.LabelType == fgtDateTime) {
    DateTimeScaleTicks(s, out);
    return out;
  }
  if (s.LabelType == fgtTime && TimeScaleTicks(s, out)) return out;
  if (s.Logarithmic)
    LogScaleTicks(s, out);
  else
    LinearScaleTicks(s, out);
  return out;
}

}  // namespace kiv
