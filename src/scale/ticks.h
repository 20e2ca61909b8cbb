// The tick engine of the scale: from a range and the label settings to the list of ticks (value,
// kind, label) in drawing order, in one of four modes: linear, logarithmic, elapsed time and
// calendar date/time. The drawing pass (TScale::DrawXScale, DrawYScale) only draws that list.
#pragma once

#include <string>

#include "scale/scale_types.h"
#include "services/dtlabel.h"
#include "services/types.h"

namespace kiv {

// How date/time labels are written (a plain copy of a TDTLabel's settings).
struct TScaleDateFormat {
  TTimeFormat TimeFormat = tfColon;
  char DateSeparator = '-';
  char TimeSeparator = ':';
  TYearLength YearLength = ylFourDigits;
  bool MonthName = true;
  TDateForTime DateForTime = dftDayChange;
  TDateOrder DateOrder = doDayMonthYear;
};
TScaleDateFormat ScaleDateFormatOf(const TDTLabel& label);

// Everything the tick modes read.
struct TScaleTickSettings {
  double Low = 0;
  double High = 100;
  int NumTicks = 3;  // wanted number of intervals, 0 or 2..10
  bool ShortTicks = true;
  bool Logarithmic = false;
  TScaleType ScaleType = sctLabelsAbove;
  TFigType LabelType = fgtNumeric;
  int DecPlaces = -2;
  std::string UserText;  // label pieces separated by "|" for fgtUserText
  std::string Inscript;  // decoration of numeric labels, see AddScaleInscription
  TScaleDateFormat DateFormat;
};

// The time and date/time modes divide the range into this many intervals when NumTicks is 0,
// as the numeric modes do.
inline constexpr int kDefaultTimeTicks = 5;

// Chooses the mode and computes the ticks: fgtDateTime uses the date/time mode; fgtTime the
// elapsed-time mode unless the step would be under a millisecond or a day or more; otherwise
// the logarithmic or the linear mode (a logarithmic scale under one decade gets linear ticks).
TScaleTickList ComputeScaleTicks(const TScaleTickSettings& s);

// The label of the index-th major tick (from 1) of the linear mode at value. A value a hair away
// from zero (under 1e-14 of the span) is labelled as zero and value is set to exactly 0.
std::string LinearTickLabel(const TScaleTickSettings& s, double& value, int index);

// The single modes, appending to out (ComputeScaleTicks picks one).
void LinearScaleTicks(const TScaleTickSettings& s, TScaleTickList& out);
void LogScaleTicks(const TScaleTickSettings& s, TScaleTickList& out);
// Returns false (and appends nothing) when the mode declines.
bool TimeScaleTicks(const TScaleTickSettings& s, TScaleTickList& out);
void DateTimeScaleTicks(const TScaleTickSettings& s, TScaleTickList& out);

}  // namespace kiv
