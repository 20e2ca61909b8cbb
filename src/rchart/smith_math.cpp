// Smith chart arithmetic: the four conversions in scaled closed form, the dark-line rule, the
// label levels, texts and anchors.
#include "rchart/smith_math.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "services/rounding.h"
#include "services/stringutil.h"
#include "services/types.h"

namespace kiv {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Infinite results stand for "beyond the double range" and are reported as its ends.
double Finite(double v) {
  if (v == std::numeric_limits<double>::infinity()) return uc_MaxReal;
  if (v == -std::numeric_limits<double>::infinity()) return -uc_MaxReal;
  return v;
}

// The power of two 2^-e that brings the larger of |a| and |b| into [1, 2): multiplying by it is
// exact, so scaled squares neither overflow nor underflow and lose nothing.
int ScaleExponent(double a, double b) {
  return std::ilogb(std::max(std::fabs(a), std::fabs(b)));
}

// Both conversions divide by d = p² + q² (p = r + 1, q = x forwards; p = 1 - Γr, q = Γi
// backwards) and share their numerators' form: (s·p - q²) / d and 2q / d.
struct TScaledQuotient {
  double real, imag;
};

TScaledQuotient Quotient(double p, double q, double s, double sign) {
  const int e = ScaleExponent(p, q);
  const double ps = std::ldexp(p, -e), qs = std::ldexp(q, -e), ss = std::ldexp(s, -e);
  const double d = ps * ps + qs * qs;
  return {Finite((ss * ps + sign * qs * qs) / d), Finite(std::ldexp(2 * qs / d, -e))};
}

}  // namespace

// Γr = ((r - 1)(r + 1) + x²) / ((r + 1)² + x²): near the matched load r - 1 is exact, so the
// centre of the chart keeps its relative precision.
double CalcReflectionReal(double Resistance, double Reactance) {
  const double r = Resistance, x = Reactance;
  if (std::isnan(r) || std::isnan(x)) return kNaN;
  if (std::isinf(r) || std::isinf(x)) return 1.0;
  if (r + 1 == 0 && x == 0) return uc_MaxReal;
  return Quotient(r + 1, x, r - 1, 1).real;
}

double CalcReflectionImag(double Resistance, double Reactance) {
  const double r = Resistance, x = Reactance;
  if (std::isnan(r) || std::isnan(x)) return kNaN;
  if (x == 0 || std::isinf(r) || std::isinf(x)) return 0.0;
  return Quotient(r + 1, x, r - 1, 1).imag;
}

// r = ((1 - Γr)(1 + Γr) - Γi²) / ((1 - Γr)² + Γi²).
double CalcResistance(double ReflectionReal, double ReflectionImag) {
  const double gr = ReflectionReal, gi = ReflectionImag;
  if (std::isnan(gr) || std::isnan(gi)) return kNaN;
  if (std::isinf(gr) || std::isinf(gi)) return -1.0;
  if (gr == 1 && gi == 0) return uc_MaxReal;
  return Quotient(1 - gr, gi, 1 + gr, -1).real;
}

double CalcReactance(double ReflectionReal, double ReflectionImag) {
  const double gr = ReflectionReal, gi = ReflectionImag;
  if (std::isnan(gr) || std::isnan(gi)) return kNaN;
  if (std::isinf(gr) || std::isinf(gi)) return 0.0;
  if (gr == 1 && gi == 0) return uc_MaxReal;
  return Quotient(1 - gr, gi, 1 + gr, -1).imag;
}

namespace smith {

bool ResistanceDark(int k) {
  return k == 0 || k == 2 || k == 5 || k == 10 || k == 13 || k == 18 || k == 19;
}

bool ReactanceDark(int k) {
  return k == 1 || k == 4 || k == 9 || k == 12 || k == 17 || k == 18;
}

int LabelLevel(int width) {
  if (width > 900) return 5;
  if (width > 750) return 4;
  if (width > 500) return 3;
  if (width > 300) return 2;
  return 1;
}

std::string LabelText(double value) {
  const double frac = value - std::trunc(value);
  return SigDigStr(value, 1, std::fabs(frac) <= 0.01 ? 0 : 1, false);
}

TPoint MoveOutward(TPoint at, TPoint o) {
  if (at.X == o.X) return TPoint(at.X, at.Y + (at.Y > o.Y ? 10 : -10));
  const double s = static_cast<double>(at.Y - o.Y) / (at.X - o.X);
  const int dx = RoundToInt(10 / std::sqrt(s * s + 1));
  const int dy = s == 0 ? 0 : RoundToInt(10 / std::sqrt(1 / (s * s) + 1));
  return TPoint(at.X + (at.X > o.X ? dx : -dx), at.Y + (at.Y > o.Y ? dy : at.Y < o.Y ? -dy : 0));
}

}  // namespace smith
}  // namespace kiv
