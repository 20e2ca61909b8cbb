#include "scale/rescale.h"

#include <cmath>

namespace kiv {

bool Rescale(int MouseX, int MouseY, int AnchorX, int AnchorY, int CtrlWidth, int CtrlHeight,
             int MargLeft, int MargRight, int MargTop, int MargBottom, double AnchorLow,
             double AnchorHigh, TMouseActMode MouseAction, TScaleType ScaleType, bool LogScale,
             double RangeLow, double RangeHigh, double& NewLow, double& NewHigh) {
  if (MouseAction != mactPan && MouseAction != mactZoomDrag && MouseAction != mactStretch)
    return false;
  if (ScaleType > sctLabelsLeft) return false;
  const bool horizontal = ScaleType == sctLabelsAbove || ScaleType == sctLabelsBelow;
  // Doubles throughout: differences of extreme ints must not overflow.
  const double mx = MouseX, my = MouseY, ax = AnchorX, ay = AnchorY;
  const double W = CtrlWidth, H = CtrlHeight;
  const double ML = MargLeft, MR = MargRight, MT = MargTop, MB = MargBottom;
  const double dx = mx - ax;
  const double dy = my - ay;
  const double Sx = W - ML - MR;
  const double Sy = H - MT - MB;
  const double A = AnchorLow;
  const double B = AnchorHigh;
  const double L = RangeLow;
  const double Hi = RangeHigh;
  const double g = std::sqrt(A * B);
  double lo = 0;
  double hi = 0;

  switch (MouseAction) {
    case mactPan:
      if (horizontal) {
        if (LogScale) {
          const double f = std::exp(std::log(Hi / L) * (-dx) / Sx);
          lo = A * f;
          hi = B * f;
        } else {
          const double delta = dx * (Hi - L) / Sx;
          lo = A - delta;
          hi = B - delta;
        }
      } else {
        if (LogScale) {
          const double f = std::exp(std::log(Hi / L) * dy / Sy);
          lo = A * f;
          hi = B * f;
        } else {
          const double delta = dy * (Hi - L) / Sy;
          lo = A + delta;
          hi = B + delta;
        }
      }
      break;
    case mactZoomDrag: {
      const double j = horizontal ? 1 - dx / W : 1 + dy / H;
      if (LogScale) {
        const double f = std::exp(std::log(B / g) * j);
        lo = g / f;
        hi = g * f;
      } else {
        const double c = (A + B) / 2;
        const double r = (B - A) * j / 2;
        lo = c - r;
        hi = c + r;
      }
      break;
    }
    default:  // mactStretch
      if (horizontal) {
        if (ax < ML + Sx / 2) {  // anchor near the low end: the high end stays
          if (LogScale) {
            const double j = 1 + dx / Sx;
            lo = g / std::exp(std::log(B / g) * j);
          } else {
            const double t = (W - mx - MR) / (W - ax - MR);
            lo = B - (B - A) / t;
          }
          hi = B;
        } else {
          lo = A;
          if (LogScale) {
            const double j = 1 - dx / Sx;
            hi = g * std::exp(std::log(B / g) * j);
          } else {
            const double t = (mx - ML) / (ax - ML);
            hi = A + (B - A) / t;
          }
        }
      } else {
        if (ay > MT + Sy / 2) {  // anchor in the lower half, near the low end
          if (LogScale) {
            const double j = 1 - dy / Sy;
            lo = g / std::exp(std::log(B / g) * j);
          } else {
            const double t = (my - MT) / (ay - MT);
            lo = B - (B - A) / t;
          }
          hi = B;
        } else {
          lo = A;
          if (LogScale) {
            const double j = 1 + dy / Sy;
            hi = g * std::exp(std::log(B / g) * j);
          } else {
            const double t = (H - my - MB) / (H - ay - MB);
            hi = A + (B - A) / t;
          }
        }
      }
      break;
  }
  if (!std::isfinite(lo) || !std::isfinite(hi)) return false;
  if (LogScale && !(lo > 0 && hi > 0)) return false;
  // Equal ends (the anchor on the margin column of a stretch) are no range at all.
  if (lo == hi) return false;
  NewLow = lo;
  NewHigh = hi;
  return true;
}

}  // namespace kiv
