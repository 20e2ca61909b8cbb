// Lines and polylines. A one-pixel line steps along its major axis; the minor coordinate of step
// i is the exact line value rounded to the nearest pixel (halves towards +infinity), so a line
// and its reverse cover the same pixels. Clipping computes the first and last visible step in
// exact integer arithmetic, so a clipped line draws exactly the visible pixels of the unclipped
// one, whatever the coordinates.
#include <algorithm>
#include <array>
#include <cstdlib>

#include "platform/raster/line_internal.h"
#include "platform/raster/raster.h"
#include "platform/raster/rop.h"
#include "platform/raster/spans.h"

namespace kiv::raster {

DashPattern PatternOf(TPenStyle style) {
  DashPattern p;
  auto set = [&p](std::initializer_list<int> r) {
    for (int v : r) {
      p.runs[static_cast<std::size_t>(p.count++)] = v;
      p.total += v;
    }
  };
  switch (style) {
    case psDash:
      set({18, 6});
      break;
    case psDot:
      set({3, 3});
      break;
    case psDashDot:
      set({9, 6, 3, 6});
      break;
    case psDashDotDot:
      set({9, 3, 3, 3, 3, 3});
      break;
    case psAlternate:
      set({1, 1});
      break;
    default:
      set({1});
      break;  // solid
  }
  return p;
}

bool DashOn(const DashPattern& p, long long k) {
  long long pos = k % p.total;
  if (pos < 0) pos += p.total;
  for (int i = 0; i < p.count; ++i) {
    if (pos < p.runs[static_cast<std::size_t>(i)]) return (i % 2) == 0;
    pos -= p.runs[static_cast<std::size_t>(i)];
  }
  return true;
}

namespace {

__extension__ typedef __int128 int128;

long long FloorDiv(int128 a, long long b) {  // b > 0
  int128 q = a / b;
  if ((a % b != 0) && (a < 0)) --q;
  return static_cast<long long>(q);
}

}  // namespace

bool LineGeometry::Setup(TPoint a, TPoint b, long long count_in) {
  const long long dx = static_cast<long long>(b.X) - a.X;
  const long long dy = static_cast<long long>(b.Y) - a.Y;
  x_major = std::llabs(dx) >= std::llabs(dy);
  major0 = x_major ? a.X : a.Y;
  minor0 = x_major ? a.Y : a.X;
  major_step = (x_major ? dx : dy) >= 0 ? 1 : -1;
  d_major = std::llabs(x_major ? dx : dy);
  d_minor = x_major ? dy : dx;
  count = count_in;
  return count > 0;
}

long long LineGeometry::Minor(long long i) const {
  if (d_major == 0) return minor0;
  const int128 num = static_cast<int128>(2) * i * d_minor + d_major;
  return minor0 + FloorDiv(num, 2 * d_major);
}

bool LineGeometry::ClipRange(const TRect& clip, long long& first, long long& last) const {
  if (clip.IsEmpty()) return false;
  long long lo = 0, hi = count - 1;
  // Major axis: major0 + major_step * i in [cmin, cmax].
  const long long cmin = x_major ? clip.Left : clip.Top;
  const long long cmax = (x_major ? clip.Right : clip.Bottom) - 1;
  if (major_step > 0) {
    lo = std::max(lo, cmin - major0);
    hi = std::min(hi, cmax - major0);
  } else {
    lo = std::max(lo, major0 - cmax);
    hi = std::min(hi, major0 - cmin);
  }
  if (lo > hi) return false;
  // Minor axis: Minor(i) is monotone; find the sub-range inside [nmin, nmax].
  const long long nmin = x_major ? clip.Top : clip.Left;
  const long long nmax = (x_major ? clip.Bottom : clip.Right) - 1;
  const bool rising = d_minor >= 0;
  auto inside_low = [&](long long i) { return rising ? Minor(i) >= nmin : Minor(i) <= nmax; };
  auto inside_high = [&](long long i) { return rising ? Minor(i) <= nmax : Minor(i) >= nmin; };
  if (!inside_low(lo)) {
    if (!inside_low(hi)) return false;
    long long a = lo, b = hi;  // inside_low(b) true, inside_low(a) false
    while (b - a > 1) {
      const long long m = a + (b - a) / 2;
      (inside_low(m) ? b : a) = m;
    }
    lo = b;
  }
  if (!inside_high(hi)) {
    if (!inside_high(lo)) return false;
    long long a = lo, b = hi;  // inside_high(a) true, inside_high(b) false
    while (b - a > 1) {
      const long long m = a + (b - a) / 2;
      (inside_high(m) ? a : b) = m;
    }
    hi = a;
  }
  if (lo > hi) return false;
  first = lo;
  last = hi;
  return true;
}

namespace {

// Walks steps first..last of a line, calling plot(ptr) with the address of each pixel and the
// step index.
template <typename Plot>
inline void Walk(const Target& t, const LineGeometry& g, long long first, long long last,
                 Plot&& plot) {
  const long long two_d = 2 * g.d_major;
  // The error term of step i is (2 i d_minor + d_major) mod 2 d_major; at step 0 it is d_major.
  long long minor = g.minor0;
  long long rem = g.d_major;
  if (first != 0 && g.d_major != 0) {
    const int128 num = static_cast<int128>(2) * first * g.d_minor + g.d_major;
    const long long q = FloorDiv(num, two_d);
    minor = g.minor0 + q;
    rem = static_cast<long long>(num - static_cast<int128>(q) * two_d);
  }
  const long long major = g.major0 + g.major_step * first;
  const int x = static_cast<int>(g.x_major ? major : minor);
  const int y = static_cast<int>(g.x_major ? minor : major);
  TPixel* p = t.Row(y) + x;
  const std::ptrdiff_t major_inc = g.x_major ? g.major_step : g.major_step * t.stride;
  const std::ptrdiff_t minor_inc = g.x_major ? t.stride : 1;
  const long long step = 2 * g.d_minor;
  for (long long i = first;; ++i) {
    plot(p, i);
    if (i == last) break;  // never step the pointer outside the picture
    // Branch-free error update: slopes of random data would defeat the branch predictor.
    rem += step;
    const long long up = rem >= two_d;
    const long long down = rem < 0;
    rem += (down - up) * two_d;
    p += major_inc + (up - down) * minor_inc;
  }
}

// A solid one-pixel segment whose end points both lie inside the clip rectangle: the common
// case of dense data, walked with nothing but pointer steps and the error term.
template <TPenMode M>
inline void InsideSegment(const Target& t, TPoint a, TPoint b, TPixel color) {
  const int dx = b.X - a.X, dy = b.Y - a.Y;
  const int adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  TPixel* p = t.Row(a.Y) + a.X;
  // Major axis step, minor axis step, number of pixels, error increment and wrap.
  std::ptrdiff_t major, minor;
  int n, inc, wrap;
  if (adx >= ady) {
    major = dx > 0 ? 1 : -1;
    minor = t.stride;
    n = adx;
    inc = 2 * dy;
    wrap = 2 * adx;
  } else {
    major = dy > 0 ? t.stride : -t.stride;
    minor = 1;
    n = ady;
    inc = 2 * dx;
    wrap = 2 * ady;
  }
  int rem = n;  // the error term of step 0
  if (inc >= 0) {
    for (; n > 0; --n) {
      *p = Combine<M>(*p, color);
      if (n == 1) break;  // never step the pointer outside the picture
      p += major;
      rem += inc;
      if (rem >= wrap) {
        rem -= wrap;
        p += minor;
      }
    }
  } else {
    for (; n > 0; --n) {
      *p = Combine<M>(*p, color);
      if (n == 1) break;
      p += major;
      rem += inc;
      if (rem < 0) {
        rem += wrap;
        p -= minor;
      }
    }
  }
}

inline bool InsideClip(const TRect& c, TPoint p) {
  return static_cast<unsigned>(p.X - c.Left) < static_cast<unsigned>(c.Right - c.Left) &&
         static_cast<unsigned>(p.Y - c.Top) < static_cast<unsigned>(c.Bottom - c.Top);
}

template <TPenMode M, bool kDashed>
void ThinLineT(const Target& t, TPoint a, TPoint b, const Stroke& s, const DashPattern& dash,
               long long phase, bool include_last) {
  const bool inside = InsideClip(t.clip, a) && InsideClip(t.clip, b);
  if constexpr (!kDashed) {
    if (inside && !include_last) {
      InsideSegment<M>(t, a, b, s.color);
      return;
    }
  }
  LineGeometry g;
  const long long steps = std::max(std::llabs(static_cast<long long>(b.X) - a.X),
                                   std::llabs(static_cast<long long>(b.Y) - a.Y));
  if (!g.Setup(a, b, include_last ? steps + 1 : steps)) return;
  long long first = 0, last = 0;
  if (inside) {
    last = g.count - 1;
  } else if (!g.ClipRange(t.clip, first, last)) {
    return;
  }
  const TPixel color = s.color;
  if constexpr (!kDashed) {
    Walk(t, g, first, last, [color](TPixel* p, long long) { *p = Combine<M>(*p, color); });
  } else {
    const TPixel gap = s.gap_color;
    const bool opaque = s.opaque_gaps;
    Walk(t, g, first, last, [&](TPixel* p, long long i) {
      if (DashOn(dash, phase + i))
        *p = Combine<M>(*p, color);
      else if (opaque)
        *p = Combine<M>(*p, gap);
    });
  }
}

// Extents, per row, of a round pen moved along the line from a to b (both ends included).
bool WideSegmentExtents(const Target& t, TPoint a, TPoint b, const PenDisc& disc,
                        RowExtents& rows) {
  LineGeometry g;
  const long long steps = std::max(std::llabs(static_cast<long long>(b.X) - a.X),
                                   std::llabs(static_cast<long long>(b.Y) - a.Y));
  g.Setup(a, b, steps + 1);
  // Only pen positions whose disc can reach the clip rectangle matter.
  const TRect grown(t.clip.Left - disc.Hi(), t.clip.Top - disc.Hi(), t.clip.Right - disc.Lo(),
                    t.clip.Bottom - disc.Lo());
  long long first = 0, last = 0;
  if (!g.ClipRange(grown, first, last)) return false;
  const long long top = std::max<long long>(t.clip.Top, std::min<long long>(a.Y, b.Y) + disc.Lo());
  const long long bottom =
      std::min<long long>(t.clip.Bottom - 1, std::max<long long>(a.Y, b.Y) + disc.Hi());
  if (top > bottom) return false;
  rows.Reset(static_cast<int>(top), static_cast<int>(bottom - top + 1));
  for (long long i = first; i <= last; ++i) {
    const long long major = g.major0 + g.major_step * i;
    const long long minor = g.Minor(i);
    const int cx = static_cast<int>(g.x_major ? major : minor);
    const int cy = static_cast<int>(g.x_major ? minor : major);
    for (int dy = disc.Lo(); dy <= disc.Hi(); ++dy)
      rows.Touch(cy + dy, cx + disc.Left(dy), cx + disc.Right(dy));
  }
  return true;
}

}  // namespace

void ThinLine(const Target& t, TPoint a, TPoint b, const Stroke& s, long long phase,
              bool include_last) {
  if (!s.Visible()) return;
  const bool dashed = s.Dashed();
  const DashPattern dash = PatternOf(dashed ? s.style : psSolid);
  WithMode(s.mode, [&](auto m) {
    if (dashed)
      ThinLineT<decltype(m)::value, true>(t, a, b, s, dash, phase, include_last);
    else
      ThinLineT<decltype(m)::value, false>(t, a, b, s, dash, phase, include_last);
  });
}

void WideSegment(const Target& t, TPoint a, TPoint b, int width, SpanSet* collect, TPixel color,
                 TPenMode mode) {
  // Pens and row buffers are reused across the segments of a figure.
  thread_local PenDisc disc(1);
  thread_local RowExtents rows;
  if (disc.Width() != width) disc = PenDisc(width);
  if (!WideSegmentExtents(t, a, b, disc, rows)) return;
  if (collect) {
    rows.ForEach([&](int y, int x0, int x1) { collect->Add(y, x0, x1); });
  } else {
    WithMode(mode, [&](auto m) {
      rows.ForEach([&](int y, int x0, int x1) { SpanT<decltype(m)::value>(t, y, x0, x1, color); });
    });
  }
}

void Line(const Target& t, TPoint a, TPoint b, const Stroke& s, int& dash_phase) {
  if (!s.Visible()) return;
  if (s.width <= 1) {
    ThinLine(t, a, b, s, dash_phase, false);
    const long long steps = std::max(std::llabs(static_cast<long long>(b.X) - a.X),
                                     std::llabs(static_cast<long long>(b.Y) - a.Y));
    const DashPattern p = PatternOf(s.Dashed() ? s.style : psSolid);
    dash_phase = static_cast<int>((dash_phase + steps) % p.total);
    return;
  }
  WideSegment(t, a, b, s.width, nullptr, s.color, s.mode);
}

void Polyline(const Target& t, std::span<const TPoint> points, const Stroke& s, int& dash_phase,
              bool closed) {
  if (!s.Visible() || points.empty()) return;
  const std::size_t n = points.size();
  if (s.width <= 1) {
    const bool dashed = s.Dashed();
    const DashPattern dash = PatternOf(dashed ? s.style : psSolid);
    long long phase = dash_phase;
    auto segment = [&](TPoint a, TPoint b, auto m, auto is_dashed) {
      ThinLineT<decltype(m)::value, decltype(is_dashed)::value>(t, a, b, s, dash, phase, false);
      if constexpr (decltype(is_dashed)::value)
        phase = (phase + std::max(std::llabs(static_cast<long long>(b.X) - a.X),
                                  std::llabs(static_cast<long long>(b.Y) - a.Y))) %
                dash.total;
    };
    WithMode(s.mode, [&](auto m) {
      auto run = [&](auto is_dashed) {
        for (std::size_t i = 0; i + 1 < n; ++i) segment(points[i], points[i + 1], m, is_dashed);
        if (closed && n > 1) segment(points[n - 1], points[0], m, is_dashed);
      };
      if (dashed)
        run(std::true_type{});
      else
        run(std::false_type{});
    });
    dash_phase = static_cast<int>(phase);
    return;
  }
  // Wide pens: the segments overlap at the joints; paint their union once unless painting twice
  // gives the same result.
  const bool once = !ModeIgnoresDestination(s.mode);
  SpanSet all;
  SpanSet* collect = once ? &all : nullptr;
  if (n == 1) {
    WideSegment(t, points[0], points[0], s.width, collect, s.color, s.mode);
  } else {
    for (std::size_t i = 0; i + 1 < n; ++i)
      WideSegment(t, points[i], points[i + 1], s.width, collect, s.color, s.mode);
    if (closed) WideSegment(t, points[n - 1], points[0], s.width, collect, s.color, s.mode);
  }
  if (once) {
    all.Normalize();
    all.Paint(t, s.color, s.mode);
  }
}

void OutlineSpans(const Target& t, std::span<const TPoint> points, const Stroke& s, bool closed,
                  SpanSet& out) {
  const std::size_t n = points.size();
  if (n == 0 || !s.Visible()) return;
  if (s.width > 1) {
    if (n == 1) WideSegment(t, points[0], points[0], s.width, &out, s.color, s.mode);
    for (std::size_t i = 0; i + 1 < n; ++i)
      WideSegment(t, points[i], points[i + 1], s.width, &out, s.color, s.mode);
    if (closed && n > 1) WideSegment(t, points[n - 1], points[0], s.width, &out, s.color, s.mode);
    return;
  }
  auto thin = [&](TPoint a, TPoint b) {
    LineGeometry g;
    const long long steps = std::max(std::llabs(static_cast<long long>(b.X) - a.X),
                                     std::llabs(static_cast<long long>(b.Y) - a.Y));
    if (!g.Setup(a, b, steps)) return;
    long long first = 0, last = 0;
    if (!g.ClipRange(t.clip, first, last)) return;
    for (long long i = first; i <= last; ++i) {
      const long long major = g.major0 + g.major_step * i;
      const long long minor = g.Minor(i);
      const int x = static_cast<int>(g.x_major ? major : minor);
      const int y = static_cast<int>(g.x_major ? minor : major);
      out.Add(y, x, x + 1);
    }
  };
  for (std::size_t i = 0; i + 1 < n; ++i) thin(points[i], points[i + 1]);
  if (closed && n > 1) thin(points[n - 1], points[0]);
}

}  // namespace kiv::raster
