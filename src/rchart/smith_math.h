// The arithmetic of the Smith chart: conversions between normalised impedances and reflection
// coefficients, and the tables and rules of the diagram drawn behind the items.
#pragma once

#include <array>
#include <string>

#include "platform/types.h"

namespace kiv {

// Reflection coefficient Γ = (z - 1) / (z + 1) of the normalised impedance z = r + jx, and its
// inverse z = (1 + Γ) / (1 - Γ). The results are the closed forms to within a few units in the
// last place: every sum is arranged so that it cancels only where the true value does, and the
// operands are scaled by powers of two so that no square overflows or underflows.
//   Γr = (r² + x² - 1) / ((r + 1)² + x²)      Γi = 2x / ((r + 1)² + x²)
//   r  = (1 - Γr² - Γi²) / ((1 - Γr)² + Γi²)   x  = 2Γi / ((1 - Γr)² + Γi²)
// Limits: an infinite r or x is the open circuit Γ = 1 + j0; z = -1 (the pole) gives Γr =
// uc_MaxReal and Γi = 0; Γ = 1 gives r = x = uc_MaxReal; an infinite Γ is z = -1 + j0. Results
// beyond the double range are ±uc_MaxReal. Γi is 0 for x = 0; NaN stays NaN.
double CalcReflectionReal(double Resistance, double Reactance);
double CalcReflectionImag(double Resistance, double Reactance);
double CalcResistance(double ReflectionReal, double ReflectionImag);
double CalcReactance(double ReflectionReal, double ReflectionImag);

namespace smith {

// Resistance circles of the diagram, in drawing order, and the angle (radians) of the gap each
// leaves around the point (1, 0) as seen from its centre; 3.142 draws the full circle.
inline constexpr std::array<double, 20> kResistance = {0,   0.1, 0.2, 0.3, 0.4,  0.5, 0.6,
                                                       0.7, 0.8, 0.9, 1.0, 1.2,  1.5, 2.0,
                                                       2.5, 3.0, 4.0, 7.0, 10.0, 5.0};
inline constexpr std::array<double, 20> kArcAngle = {
    3.142, 0.829, 0.578, 0.957, 1.019, 0.42,  1.14, 0.801, 1.248, 1.296,
    0.395, 0.834, 0.921, 1.073, 0.673, 1.036, 0.92, 1.35,  3.142, 3.142};
// The smallest label level (1..5) at which the value's label is written.
inline constexpr std::array<int, 20> kLabelLevel = {1, 3, 1, 3, 3, 1, 5, 2, 5, 5,
                                                    1, 3, 2, 1, 4, 3, 4, 4, 1, 1};

// Reactance arcs: the resistance values without the leading 0, and the point (E, 0) on the real
// axis towards which each arc runs from the unit circle (it stops short of the crowded (1, 0)).
inline constexpr int kNumReactances = 19;
inline double Reactance(int k) {
  return kResistance[static_cast<std::size_t>(k) + 1];
}
inline constexpr std::array<double, 19> kArcEnd = {0.2,   0.33,  0.498, 0.18, 0.819, 0.15,  0.133,
                                                   0.48,  0.084, 1.0,   0.45, 0.645, 0.625, 0.81,
                                                   0.558, 0.669, 0.7,   1.0,  0.95};

// Lines of the values 0, 0.2, 0.5, 1, 2, 5 and 10 are drawn dark, all others light.
bool ResistanceDark(int k);
bool ReactanceDark(int k);

// The label level of a diagram whose unit circle is `width` pixels wide: 1 up to 300 pixels,
// then 2, 3, 4 above 300, 500, 750 and 5 above 900 (all labels).
int LabelLevel(int width);

// A value as the diagram writes it: no decimals when its fractional part is at most 0.01 in
// magnitude, else one decimal ("0.2", "10", "-1.5").
std::string LabelText(double value);

// The anchor of a label at the point where an arc meets the unit circle: `at` moved 10 pixels
// further away from the centre `o` along the line through both (vertically when they share a
// column), each coordinate rounded to the nearest pixel.
TPoint MoveOutward(TPoint at, TPoint o);

}  // namespace smith
}  // namespace kiv
