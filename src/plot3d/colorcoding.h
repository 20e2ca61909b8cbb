// Colour coding of the surface plot: a value becomes a colour on a two- or three-colour
// gradient or an entry of a colour table, over the value range ColorScaleLow..ColorScaleHigh.
#pragma once

#include "platform/color.h"
#include "plot3d/plot3d_types.h"
#include "services/colorarray.h"

namespace kiv::plot3d {

struct TColorCodingSettings {
  TColorCodingMode Mode = ccmTwoColors;
  TColor Low = clBlack;
  TColor Mid = clBlue;
  TColor High = clYellow;
  double ScaleLow = 0;
  double ScaleHigh = 100;
  const TColorArray* Table = nullptr;  // for ccmColorArray
};

// Resolves the colours once, so that the colour of each of many cells costs a few operations.
class TColorCoder {
 public:
  explicit TColorCoder(const TColorCodingSettings& s);
  // The value is limited to the scale range; f = its fraction of the range. Gradients mix each
  // channel linearly (three colours: Low to Mid over the lower half, Mid to High over the upper)
  // and round; the table mode takes entry Round(f * entries), which is 0 (black, outside the
  // table) for f below half an entry. NaN counts as the low end.
  TColor operator()(double v) const;

 private:
  struct Rgb {
    double r, g, b;
  };
  static Rgb Split(TColor c);
  TColorCodingSettings s_;
  Rgb low_, mid_, high_;
};

}  // namespace kiv::plot3d
