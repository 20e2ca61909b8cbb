// Small helpers for reading tick lists in the scale tests.
#pragma once

#include <string>
#include <vector>

#include "scale/ticks.h"

namespace kiv::test {

inline TScaleTickSettings Settings(double low, double high, int numTicks = 3,
                                   TScaleType type = sctLabelsAbove) {
  TScaleTickSettings s;
  s.Low = low;
  s.High = high;
  s.NumTicks = numTicks;
  s.ScaleType = type;
  return s;
}

inline std::vector<double> Values(const TScaleTickList& l, TScaleTickKind kind) {
  std::vector<double> v;
  for (const TScaleTick& t : l.Ticks)
    if (t.Kind == kind) v.push_back(t.Value);
  return v;
}

inline std::vector<double> Recorded(const TScaleTickList& l) {
  std::vector<double> v;
  for (const TScaleTick& t : l.Ticks)
    if (t.Record) v.push_back(t.Value);
  return v;
}

inline std::vector<std::string> Labels(const TScaleTickList& l) {
  std::vector<std::string> v;
  for (const TScaleTick& t : l.Ticks)
    if (t.HasLabel) v.push_back(t.Label);
  return v;
}

inline std::vector<std::string> DateLabels(const TScaleTickList& l) {
  std::vector<std::string> v;
  for (const TScaleTick& t : l.Ticks)
    if (t.HasDate) v.push_back(t.DateLabel);
  return v;
}

inline std::vector<double> Range(double first, double step, int count) {
  std::vector<double> v;
  for (int i = 0; i < count; ++i) v.push_back(first + i * step);
  return v;
}

}  // namespace kiv::test
