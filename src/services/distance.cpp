#include "services/distance.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kiv {

double DistanceToSegment(TPointDouble p, TPointDouble a, TPointDouble b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  // Working in units of the segment's larger extent keeps the squares from overflowing.
  const double scale = std::max(std::fabs(dx), std::fabs(dy));
  if (!(scale > 0) || !std::isfinite(scale)) return std::hypot(p.x - a.x, p.y - a.y);
  const double ux = dx / scale;
  const double uy = dy / scale;
  const double t = ((p.x - a.x) / scale * ux + (p.y - a.y) / scale * uy) / (ux * ux + uy * uy);
  if (std::isnan(t)) return std::numeric_limits<double>::quiet_NaN();
  const double tc = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + tc * dx), p.y - (a.y + tc * dy));
}

double DistFromRect(TPoint point, TRect rect) {
  // 64-bit arithmetic: differences of two ints may not fit in an int.
  const long long left = std::min(rect.Left, rect.Right);
  const long long right = std::max(rect.Left, rect.Right);
  const long long top = std::min(rect.Top, rect.Bottom);
  const long long bottom = std::max(rect.Top, rect.Bottom);
  const long long x = point.X;
  const long long y = point.Y;
  const long long dx = x < left ? left - x : (x > right ? x - right : 0);
  const long long dy = y < top ? top - y : (y > bottom ? y - bottom : 0);
  return std::hypot(static_cast<double>(dx), static_cast<double>(dy));
}

namespace {

// The root u > 0 of (r0 z0 / (u + r0m1))^2 + (z1 / u)^2 = 1 (r0m1 = r0 - 1 >= 0) by bisection;
// g is the value at u = 1, whose sign tells on which side of the outline the point lies. The
// unknown u is the usual Lagrange parameter plus one, so that it stays accurate where it is
// tiny (points near the centre). The loop stops when the bracket cannot shrink any more, at the
// latest after the 2100 halvings that the double exponent range allows.
double EllipseRoot(double r0, double r0m1, double z0, double z1, double g) {
  const double n0 = r0 * z0;
  double u0 = z1;
  double u1 = g < 0 ? 1 : std::hypot(n0, z1);
  double u = u0;
  for (int i = 0; i < 2200; ++i) {
    u = (u0 + u1) / 2;
    if (u == u0 || u == u1) break;
    const double ratio0 = n0 / (u + r0m1);
    const double ratio1 = z1 / u;
    const double gu = ratio0 * ratio0 + ratio1 * ratio1 - 1;
    if (gu > 0) {
      u0 = u;
    } else if (gu < 0) {
      u1 = u;
    } else {
      break;
    }
  }
  return u;
}

// Closest point (x0, x1) of the ellipse with semi-axes e0 >= e1 > 0 to the point (y0, y1) of
// the first quadrant (y0, y1 >= 0), all scaled to be at most about 1.
double DistanceFirstQuadrant(double e0, double e1, double y0, double y1, double& x0, double& x1) {
  if (y1 > 0) {
    if (y0 > 0) {
      const double z0 = y0 / e0;
      const double z1 = y1 / e1;
      const double g = z0 * z0 + z1 * z1 - 1;
      if (g != 0) {
        const double r0 = (e0 / e1) * (e0 / e1);
        const double r0m1 = (e0 - e1) / e1 * ((e0 + e1) / e1);  // no cancellation near a circle
        const double u = EllipseRoot(r0, r0m1, z0, z1, g);
        x0 = r0 * y0 / (u + r0m1);
        x1 = y1 / u;
        return std::hypot(x0 - y0, x1 - y1);
      }
      x0 = y0;
      x1 = y1;
      return 0;
    }
    x0 = 0;
    x1 = e1;
    return std::fabs(y1 - e1);
  }
  // On the long axis: inside the evolute's reach the nearest point lies off the axis.
  const double numer0 = e0 * y0;
  const double denom0 = e0 * e0 - e1 * e1;
  if (numer0 < denom0) {
    const double xde0 = numer0 / denom0;
    x0 = e0 * xde0;
    x1 = e1 * std::sqrt(std::max(0.0, 1 - xde0 * xde0));
    return std::hypot(x0 - y0, x1);
  }
  x0 = e0;
  x1 = 0;
  return std::fabs(y0 - e0);
}

}  // namespace

double DistFromEllipse(TPointDouble p, TPointDouble centre, double semiAxisX, double semiAxisY,
                       TPointDouble& nearest) {
  nearest = centre;
  double a = std::fabs(semiAxisX);
  double b = std::fabs(semiAxisY);
  const double px = p.x - centre.x;
  const double py = p.y - centre.y;
  if (!std::isfinite(px) || !std::isfinite(py) || !std::isfinite(a) || !std::isfinite(b) ||
      !std::isfinite(centre.x) || !std::isfinite(centre.y)) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  if (a == 0 && b == 0) return std::hypot(px, py);
  // A semi-axis that vanishes next to the other sizes flattens the ellipse to a segment.
  const double largest = std::max({a, b, std::fabs(px), std::fabs(py)});
  if (std::min(a, b) / largest == 0) {
    if (a < b) {
      a = 0;
    } else {
      b = 0;
    }
  }
  if (a == 0 || b == 0) {  // a segment through the centre
    const TPointDouble end1{centre.x - a, centre.y - b};
    const TPointDouble end2{centre.x + a, centre.y + b};
    const double t = a > 0 ? std::clamp(px, -a, a) : std::clamp(py, -b, b);
    nearest = a > 0 ? TPointDouble{centre.x + t, centre.y} : TPointDouble{centre.x, centre.y + t};
    return DistanceToSegment(p, end1, end2);
  }
  if (a == b) {
    const double r = std::hypot(px, py);
    if (r == 0) {
      nearest = TPointDouble{centre.x + a, centre.y};
      return a;
    }
    nearest = TPointDouble{centre.x + px / r * a, centre.y + py / r * a};
    return std::fabs(r - a);
  }
  // Solve in the first quadrant with the long axis first, then mirror back. Everything is
  // scaled by the largest magnitude so that squares neither overflow nor underflow.
  const bool swapped = b > a;
  double y0 = std::fabs(swapped ? py : px);
  double y1 = std::fabs(swapped ? px : py);
  double e0 = swapped ? b : a;
  double e1 = swapped ? a : b;
  const double scale = largest;
  e0 /= scale;
  e1 /= scale;
  y0 /= scale;
  y1 /= scale;
  double x0 = 0;
  double x1 = 0;
  const double dist = DistanceFirstQuadrant(e0, e1, y0, y1, x0, x1) * scale;
  x0 = std::copysign(x0 * scale, swapped ? py : px);
  x1 = std::copysign(x1 * scale, swapped ? px : py);
  nearest = swapped ? TPointDouble{centre.x + x1, centre.y + x0}
                    : TPointDouble{centre.x + x0, centre.y + x1};
  return dist;
}

double DistFromEllipse(TPointDouble p, TPointDouble centre, double semiAxisX, double semiAxisY) {
  TPointDouble nearest;
  return DistFromEllipse(p, centre, semiAxisX, semiAxisY, nearest);
}

}  // namespace kiv
