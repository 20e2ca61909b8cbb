// Types shared by the scale engine and TScale: caption anchors, the tick list that the tick
// modes hand to the drawing pass, and the scale's event signatures.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/classes.h"
#include "services/types.h"

namespace kiv {

class TCanvas;

// Where along the strip the caption (unit label) is anchored: the top or left end, the middle,
// or the bottom or right end.
enum TScaleUnitAnchor : std::uint8_t { uaSclTopLft, uaSclCenter, uaSclBotRgt };

// At most this many tick values are recorded per drawing pass (NumTicks, GetTickPos); further
// ticks are drawn but not recorded.
inline constexpr int kMaxRecordedTicks = 250;

// A major tick has the long mark and may carry a label; a minor tick is short and unlabelled.
enum TScaleTickKind : std::uint8_t { stkMinor, stkMajor };

// Which tick mode produced a tick list. Vertical labels of the date/time mode are centred on
// their own text height, the others on the height of "0".
enum TScaleTickMode : std::uint8_t { stmNone, stmLinear, stmLogarithmic, stmTime, stmDateTime };

// A date/time range the calendar ticks cannot show: the drawing pass writes a message instead.
enum TScaleMessage : std::uint8_t { smNone, smInvalidDateTime, smBelowOneSecond };

// One tick in drawing order. Every tick of a list fires OnScaleTickDrawn; DrawMark is false only
// for logarithmic minor candidates while minor ticks are off, which are accepted (and reported)
// but neither drawn nor recorded.
struct TScaleTick {
  double Value = 0;
  TScaleTickKind Kind = stkMinor;
  bool DrawMark = true;
  bool Record = false;  // appended to the recorded tick positions (while fewer than 250)
  bool HasLabel = false;
  std::string Label;
  // The value the label stands for (a tick a hair away from zero is labelled as exactly 0).
  double LabelValue = 0;
  // A date written one line further out under a time label (date/time mode, sub-day levels).
  bool HasDate = false;
  std::string DateLabel;
};

struct TScaleTickList {
  TScaleTickMode Mode = stmNone;
  TScaleMessage Message = smNone;
  std::vector<TScaleTick> Ticks;
};

// The texts of the two date/time messages.
inline constexpr const char* kMsgInvalidDateTime = "invalid DateTime scale";
inline constexpr const char* kMsgBelowOneSecond = "DateTime range is below 1 second";

using TScaleTickDrawnEvent =
    std::function<void(TObject* Sender, TCanvas& Canvas, TScaleType ScaleType,
                       double CurrentTickPos, int ChartX, int ChartY)>;
using TBeforeTickLabelEvent = std::function<void(TObject* Sender, TScaleType ScaleType,
                                                 double CurrentTickPos, std::string& TickLabel)>;
using TScaleRenderedEvent = std::function<void(TObject* Sender, TCanvas& Canvas)>;

// Horizontal types lay the strip along x (ticks above or below), vertical types along y.
constexpr bool IsHorizontalScale(TScaleType t) {
  return t == sctLabelsAbove || t == sctLabelsBelow;
}

}  // namespace kiv
