// Colour services: TColorArray (a resizable 1-based colour table with gradient filling), the 17
// predefined series colours and linear interpolation between two colours.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "platform/color.h"
#include "services/notifier.h"

namespace kiv {

// The colour at fraction f between c1 (f = 0) and c2 (f = 1): per channel
// c1 + (c2 - c1) * f rounded to the nearest integer (halves to even). System colours are
// resolved first; f is clamped to 0..1 and NaN counts as 0.
TColor InterpolateColor(TColor c1, TColor c2, double f);

// Number of predefined colours (indices 0 .. kNumPredefinedColors - 1).
inline constexpr int kNumPredefinedColors = 17;

// Seventeen distinct colours, readable on white and on the light grey window colour, chosen to be
// far apart from each other (at least 35 CIELAB units between any two). Colours 0 (black) and
// 1 (blue) are the scale colours of chart layers 1 and 2. Indices outside 0..16 give black.
//   0 black       1 blue        2 red         3 dark green  4 orange      5 magenta
//   6 sky blue    7 brown       8 violet      9 olive      10 maroon     11 spring green
//  12 plum       13 navy       14 lime       15 cyan       16 grey
TColor PredefinedColors(int i);

// A resizable table of colours with 1-based indices. Reading outside 1..Size gives black (0) and
// writing there is ignored, so index arithmetic that lands on 0 or Size + 1 is harmless. Every
// change (size, element, copy, fill, assignment) fires OnChange once.
class TColorArray : public TNotifyingPersistent {
 public:
  // Size entries, all black. A negative or too large size raises EKIVError.
  explicit TColorArray(int size = 0);
  // A copy takes the colours, not the change notification.
  TColorArray(const TColorArray& other);
  // Takes the colours, keeps its own change notification, which then fires.
  TColorArray& operator=(const TColorArray& other);
  std::string ClassName() const override { return "TColorArray"; }

  int Size() const { return static_cast<int>(colors_.size()); }
  // New number of entries; existing entries keep their colours, new ones are black. A negative
  // or too large size raises EKIVError and leaves the array unchanged.
  void SetSize(int size);

  TColor GetColorElem(int ix) const { return IsInside(ix) ? colors_[Slot(ix)] : clBlack; }
  void SetColorElem(int ix, TColor c);
  // The indexed property ColorElem[ix].
  TColor ColorElem(int ix) const { return GetColorElem(ix); }
  bool IsInside(int ix) const { return ix >= 1 && ix <= Size(); }

  // Becomes an exact copy of Source: its size and all its colours.
  void CopyFrom(const TColorArray& Source);
  // Copies Count entries from Source, starting at SourceFirst, into this array starting at
  // DestFirst. The size does not change; entries outside either array are skipped.
  void CopyFrom(const TColorArray& Source, int SourceFirst, int DestFirst, int Count);

  // Fills entries First .. Size with a gradient through Colors: the first colour at entry First,
  // the last at entry Size, the others at equal distances in between, and InterpolateColor
  // between neighbours. First below 1 counts as 1, so 0 and 1 both mean the whole array; entries
  // before First keep their colours. With one colour the range becomes that colour; with none,
  // or First beyond Size, nothing changes.
  void FillByInterpolation(int First, std::span<const TColor> Colors);
  void FillByInterpolation(int First, std::initializer_list<TColor> Colors) {
    FillByInterpolation(First, std::span<const TColor>(Colors.begin(), Colors.size()));
  }

  // The lowest index whose colour equals c, comparing resolved RGB values exactly (system
  // colours are resolved on both sides). 0 when no entry matches: no entry has index 0, and a
  // colour scale then maps the colour to the low end of its colour range.
  int ColorToIndex(TColor c) const;

  void Assign(const TPersistent& Source) override;

 protected:
  void AssignTo(TPersistent& Dest) const override;

 private:
  static std::size_t Slot(int ix) { return static_cast<std::size_t>(ix - 1); }
  std::vector<TColor> colors_;
};

}  // namespace kiv
