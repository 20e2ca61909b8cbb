// The Smith chart's conversions against the reflection-coefficient formulas, their limits, and
// the label helpers of the diagram.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <vector>

#include "rchart/smithchart.h"

namespace kiv {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// The closed forms in extended precision with the tolerance their conditioning allows: a
// few units in the last place of the sum of the numerator's magnitudes over the denominator
// (the numerator of a real part cancels where the true value is near 0; the imaginary parts
// never cancel, so their tolerance is relative), and no finer than the smallest double.
struct TExpected {
  long double value;
  long double tolerance;
};

constexpr long double kFloor = 4 * std::numeric_limits<double>::denorm_min();

TExpected Forward(double r, double x, bool real) {
  const long double a = static_cast<long double>(r) + 1, b = x;
  const long double d = a * a + b * b;
  const long double s = (static_cast<long double>(r) - 1) * a;
  if (real) return {(s + b * b) / d, 4 * DBL_EPSILON * (std::fabs(s) + b * b) / d + kFloor};
  const long double v = 2 * b / d;
  return {v, 4 * DBL_EPSILON * std::fabs(v) + kFloor};
}

TExpected Backward(double gr, double gi, bool real) {
  const long double p = 1 - static_cast<long double>(gr), q = gi;
  const long double d = p * p + q * q;
  const long double s = (1 + static_cast<long double>(gr)) * p;
  if (real) return {(s - q * q) / d, 4 * DBL_EPSILON * (std::fabs(s) + q * q) / d + kFloor};
  const long double v = 2 * q / d;
  return {v, 4 * DBL_EPSILON * std::fabs(v) + kFloor};
}

TEST(SmithConversions, MatchTheClosedFormsOverAGridOfImpedances) {
  // Short circuits, matched and near-matched loads, purely reactive loads, tiny and huge values
  // whose squares would leave the double range.
  const std::vector<double> rs = {0, 1e-300, 1e-9, 0.1,   0.5,   1 - 1e-12, 1,  1 + 1e-12,
                                  2, 10,     1e6,  1e160, 1e300, -0.5,      -1, -3};
  const std::vector<double> xs = {0,  1e-300, 1e-9, -1e-9, 0.3,   -0.3,   1,
                                  -1, 1.5,    50,   -50,   1e160, -1e300, 1e-170};
  for (double r : rs) {
    for (double x : xs) {
      if (r == -1 && x == 0) continue;  // the pole, below
      const TExpected er = Forward(r, x, true), ei = Forward(r, x, false);
      const double gr = CalcReflectionReal(r, x), gi = CalcReflectionImag(r, x);
      EXPECT_LE(std::fabs(gr - er.value), er.tolerance) << "r " << r << " x " << x;
      EXPECT_LE(std::fabs(gi - ei.value), ei.tolerance) << "r " << r << " x " << x;
      // And back from the exact coefficient.
      const TExpected br = Backward(gr, gi, true), bi = Backward(gr, gi, false);
      if (std::fabs(br.value) < DBL_MAX && std::fabs(bi.value) < DBL_MAX) {
        EXPECT_LE(std::fabs(CalcResistance(gr, gi) - br.value), br.tolerance)
            << "gr " << gr << " gi " << gi;
        EXPECT_LE(std::fabs(CalcReactance(gr, gi) - bi.value), bi.tolerance)
            << "gr " << gr << " gi " << gi;
      }
    }
  }
}

TEST(SmithConversions, LimitsAndTheTextbookPoints) {
  // Matched load at the centre, short circuit at -1, the open circuit at +1.
  EXPECT_EQ(CalcReflectionReal(1, 0), 0);
  EXPECT_EQ(CalcReflectionImag(1, 0), 0);
  EXPECT_EQ(CalcReflectionReal(0, 0), -1);
  EXPECT_EQ(CalcReflectionReal(kInf, 3), 1);
  EXPECT_EQ(CalcReflectionImag(kInf, 3), 0);
  EXPECT_EQ(CalcReflectionReal(2, -kInf), 1);
  EXPECT_EQ(CalcResistance(1, 0), uc_MaxReal);
  EXPECT_EQ(CalcReactance(1, 0), uc_MaxReal);
  // Purely reactive loads lie on the unit circle: j1 is (0, 1), -j1 is (0, -1).
  EXPECT_EQ(CalcReflectionReal(0, 1), 0);
  EXPECT_EQ(CalcReflectionImag(0, 1), 1);
  EXPECT_EQ(CalcReflectionImag(0, -1), -1);
  EXPECT_EQ(CalcResistance(0, 1), 0);
  EXPECT_EQ(CalcReactance(0, 1), 1);
  // The pole z = -1 and an infinite coefficient.
  EXPECT_EQ(CalcReflectionReal(-1, 0), uc_MaxReal);
  EXPECT_EQ(CalcReflectionImag(-1, 0), 0);
  EXPECT_EQ(CalcResistance(kInf, 0), -1);
  EXPECT_EQ(CalcReactance(0, -kInf), 0);
  // Beyond the double range: 2 / 1e-320 is reported as the largest double.
  EXPECT_EQ(CalcReactance(1, 1e-320), uc_MaxReal);
  EXPECT_TRUE(std::isnan(CalcReflectionReal(std::nan(""), 1)));
  // Round trip of 2 + j1.
  const double gr = CalcReflectionReal(2, 1), gi = CalcReflectionImag(2, 1);
  EXPECT_DOUBLE_EQ(gr, 0.4);  // (4 + 1 - 1) / (9 + 1)
  EXPECT_DOUBLE_EQ(gi, 0.2);
  EXPECT_DOUBLE_EQ(CalcResistance(gr, gi), 2);
  EXPECT_DOUBLE_EQ(CalcReactance(gr, gi), 1);
  // Close to the centre the relative precision survives: r = 1 + 2^-40 gives 2^-40 / (2 + 2^-40).
  const double eps = std::ldexp(1.0, -40);
  EXPECT_DOUBLE_EQ(CalcReflectionReal(1 + eps, 0), eps / (2 + eps));
}

TEST(SmithLabels, TextsAndAnchors) {
  EXPECT_EQ(smith::LabelText(0), "0");
  EXPECT_EQ(smith::LabelText(10), "10");
  EXPECT_EQ(smith::LabelText(0.2), "0.2");
  EXPECT_EQ(smith::LabelText(-1.5), "-1.5");
  EXPECT_EQ(smith::LabelText(-5), "-5");
  EXPECT_EQ(smith::LabelText(3.005), "3");
  // Moved 10 pixels away from the centre (100, 100): straight up and down on its column, along
  // a 3-4-5 slope (6 and 8 pixels), horizontally on its row.
  EXPECT_EQ(smith::MoveOutward(TPoint(100, 40), TPoint(100, 100)), TPoint(100, 30));
  EXPECT_EQ(smith::MoveOutward(TPoint(100, 160), TPoint(100, 100)), TPoint(100, 170));
  EXPECT_EQ(smith::MoveOutward(TPoint(130, 60), TPoint(100, 100)), TPoint(136, 52));
  EXPECT_EQ(smith::MoveOutward(TPoint(70, 140), TPoint(100, 100)), TPoint(64, 148));
  EXPECT_EQ(smith::MoveOutward(TPoint(40, 100), TPoint(100, 100)), TPoint(30, 100));
  // 45 degrees: 10 / sqrt 2 = 7.07 -> 7 both ways.
  EXPECT_EQ(smith::MoveOutward(TPoint(110, 90), TPoint(100, 100)), TPoint(117, 83));
  // Levels by the unit circle's width.
  const int widths[] = {0, 300, 301, 500, 501, 750, 751, 900, 901};
  const int levels[] = {1, 1, 2, 2, 3, 3, 4, 4, 5};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(smith::LabelLevel(widths[i]), levels[i]) << widths[i];
}

}  // namespace
}  // namespace kiv
