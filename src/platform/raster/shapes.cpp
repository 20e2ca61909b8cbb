// Filled figures: rectangles, polygons, ellipses and arcs. A figure's interior and its outline
// never share a pixel, so every pixel of a figure is painted once and XOR figures drawn twice
// restore the picture.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <span>
#include <vector>

#include "platform/raster/line_internal.h"
#include "platform/raster/raster.h"
#include "platform/raster/rop.h"
#include "platform/raster/spans.h"

namespace kiv::raster {

namespace {

__extension__ typedef __int128 int128;

long long CeilDiv(int128 a, long long b) {  // b > 0
  int128 q = a / b;
  if ((a % b != 0) && (a > 0)) ++q;
  return static_cast<long long>(q);
}

// Rows of r that lie inside the clip, as [first, last).
bool ClipRows(const Target& t, long long top, long long bottom, int& first, int& last) {
  first = static_cast<int>(std::max<long long>(top, t.clip.Top));
  last = static_cast<int>(std::min<long long>(bottom, t.clip.Bottom));
  return first < last;
}

void FillBox(const Target& t, long long l, long long tp, long long r, long long b, const Fill& f,
             SpanSet* collect) {
  if (l >= r || tp >= b) return;
  int y0, y1;
  if (!ClipRows(t, tp, b, y0, y1)) return;
  const int x0 = static_cast<int>(std::max<long long>(l, t.clip.Left - 1));
  const int x1 = static_cast<int>(std::min<long long>(r, t.clip.Right + 1));
  for (int y = y0; y < y1; ++y) {
    if (collect)
      collect->Add(y, x0, x1);
    else
      FillSpan(t, y, x0, x1, f);
  }
}

// ---------------------------------------------------------------------------------------------
// Polygons: a pixel is inside when its position, taken as a point, is inside the polygon; points
// on a left or top edge are inside, points on a right or bottom edge are not.

struct Edge {
  long long x0, y0, x1, y1;  // y0 < y1
  int dir;
};

void PolygonInterior(const Target& t, std::span<const TPoint> pts, bool winding, SpanSet& out) {
  const std::size_t n = pts.size();
  if (n < 3) return;
  std::vector<Edge> edges;
  edges.reserve(n);
  long long ymin = pts[0].Y, ymax = pts[0].Y;
  for (std::size_t i = 0; i < n; ++i) {
    const TPoint a = pts[i];
    const TPoint b = pts[(i + 1) % n];
    ymin = std::min<long long>(ymin, a.Y);
    ymax = std::max<long long>(ymax, a.Y);
    if (a.Y == b.Y) continue;
    if (a.Y < b.Y)
      edges.push_back({a.X, a.Y, b.X, b.Y, 1});
    else
      edges.push_back({b.X, b.Y, a.X, a.Y, -1});
  }
  int y0, y1;
  if (!ClipRows(t, ymin, ymax, y0, y1) || edges.empty()) return;
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });
  struct Crossing {
    long long x;
    int dir;
  };
  std::vector<const Edge*> active;
  std::vector<Crossing> xs;
  std::size_t next = 0;
  for (int y = y0; y < y1; ++y) {
    while (next < edges.size() && edges[next].y0 <= y) active.push_back(&edges[next++]);
    active.erase(
        std::remove_if(active.begin(), active.end(), [y](const Edge* e) { return e->y1 <= y; }),
        active.end());
    xs.clear();
    for (const Edge* e : active) {
      const int128 num = static_cast<int128>(y - e->y0) * (e->x1 - e->x0);
      xs.push_back({e->x0 + CeilDiv(num, e->y1 - e->y0), e->dir});
    }
    std::sort(xs.begin(), xs.end(), [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
    auto add = [&](long long a, long long b) {
      a = std::max<long long>(a, t.clip.Left);
      b = std::min<long long>(b, t.clip.Right);
      if (a < b) out.Add(y, static_cast<int>(a), static_cast<int>(b));
    };
    if (!winding) {
      for (std::size_t i = 0; i + 1 < xs.size(); i += 2) add(xs[i].x, xs[i + 1].x);
    } else {
      int w = 0;
      for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
        w += xs[i].dir;
        if (w != 0) add(xs[i].x, xs[i + 1].x);
      }
    }
  }
}

// Paints a figure's interior and outline so that no pixel is painted twice.
void PaintFigure(const Target& t, SpanSet& interior, SpanSet& outline, const Stroke& s,
                 const Fill& f, bool outline_painted_separately) {
  interior.Normalize();
  if (!outline.Empty()) {
    outline.Normalize();
    interior.Subtract(outline);
  }
  interior.Paint(t, f);
  if (!outline_painted_separately) outline.Paint(t, s.color, s.mode);
}

// ---------------------------------------------------------------------------------------------
// Ellipses: the outline is traced with an integer error-term algorithm that fits the ellipse
// into the box exactly (it touches all four sides and is symmetric), in the spirit of the
// classic midpoint algorithms generalised to boxes of any parity.

constexpr long long kMaxTracedAxis = 1LL << 17;

bool Traceable(const TRect& box) {
  return static_cast<long long>(box.Right) - box.Left <= kMaxTracedAxis &&
         static_cast<long long>(box.Bottom) - box.Top <= kMaxTracedAxis;
}

// Calls put(quarter, x, y) for the outline pixels of the ellipse in the box x0..x1, y0..y1
// (inclusive). Each quarter is traced from the middle row(s) towards the top or bottom row:
// 0 bottom right, 1 bottom left, 2 top left, 3 top right.
template <typename Put>
void TraceEllipse(long long x0, long long y0, long long x1, long long y1, Put&& put) {
  long long a = x1 - x0, b = y1 - y0;
  long long b1 = b & 1;
  long long dx = 4 * (1 - a) * b * b, dy = 4 * (b1 + 1) * a * a;
  long long err = dx + dy + b1 * a * a, e2;
  y0 += (b + 1) / 2;
  y1 = y0 - b1;
  const long long aa = 8 * a * a;
  const long long bb = 8 * b * b;
  do {
    put(0, x1, y0);
    put(1, x0, y0);
    put(2, x0, y1);
    put(3, x1, y1);
    e2 = 2 * err;
    if (e2 <= dy) {
      ++y0;
      --y1;
      err += dy += aa;
    }
    if (e2 >= dx || 2 * err > dy) {
      ++x0;
      --x1;
      err += dx += bb;
    }
  } while (x0 <= x1);
  while (y0 - y1 <= b) {  // flat ellipses stop early: finish the tips
    put(1, x0 - 1, y0);
    put(0, x1 + 1, y0++);
    put(2, x0 - 1, y1);
    put(3, x1 + 1, y1--);
  }
}

// The outline pixels of the ellipse in box (normalised, non-empty, traceable), each once, in
// the order of a walk counter-clockwise on screen that starts at the right end of the middle
// row (the upper one of two): the path a pen style's pattern runs along.
void EllipsePath(const TRect& box, std::vector<TPoint>& path) {
  std::vector<TPoint> quarter[4];
  TraceEllipse(box.Left, box.Top, box.Right - 1LL, box.Bottom - 1LL,
               [&quarter](int q, long long x, long long y) {
                 quarter[q].push_back(TPoint(static_cast<int>(x), static_cast<int>(y)));
               });
  path.clear();
  path.insert(path.end(), quarter[3].begin(), quarter[3].end());    // east to north
  path.insert(path.end(), quarter[2].rbegin(), quarter[2].rend());  // north to west
  path.insert(path.end(), quarter[1].begin(), quarter[1].end());    // west to south
  path.insert(path.end(), quarter[0].rbegin(), quarter[0].rend());  // south to east
  // Quarters share their end pixels, and flat ellipses trace some pixels twice: keep each
  // pixel where the walk first reaches it.
  std::vector<std::size_t> order(path.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  const auto less = [&path](std::size_t a, std::size_t b) {
    const TPoint p = path[a], q = path[b];
    return p.Y != q.Y ? p.Y < q.Y : (p.X != q.X ? p.X < q.X : a < b);
  };
  std::sort(order.begin(), order.end(), less);
  std::vector<bool> repeated(path.size(), false);
  for (std::size_t k = 1; k < order.size(); ++k)
    if (path[order[k]] == path[order[k - 1]]) repeated[order[k]] = true;
  std::size_t n = 0;
  for (std::size_t i = 0; i < path.size(); ++i)
    if (!repeated[i]) path[n++] = path[i];
  path.resize(n);
}

// Paints the pixels of a one-pixel path in the pen's pattern, from its start: pattern pixels
// in the pen colour, gap pixels in the gap colour when gaps are opaque.
void PaintDashedPath(const Target& t, std::span<const TPoint> path, const Stroke& s) {
  const DashPattern dash = PatternOf(s.style);
  WithMode(s.mode, [&](auto m) {
    constexpr TPenMode M = decltype(m)::value;
    long long k = 0;
    for (const TPoint p : path) {
      const bool on = DashOn(dash, k++);
      if (!t.Visible(p.X, p.Y) || (!on && !s.opaque_gaps)) continue;
      TPixel* px = t.Row(p.Y) + p.X;
      *px = Combine<M>(*px, on ? s.color : s.gap_color);
    }
  });
}

// Ellipses too large to trace are computed row by row, for the rows near the clip only: each
// row covers the pixel centres inside the ellipse, and its outline reaches towards the extent of
// the neighbouring rows so that the outline stays connected. Columns far outside the clip are
// pulled in to just outside it, which keeps the row structure and never reaches the picture.
void HugeEllipseRuns(const Target& t, TRect box, int margin, std::vector<SpanRun>& runs) {
  const long double a = (static_cast<long double>(box.Right) - box.Left) / 2;
  const long double b = (static_cast<long double>(box.Bottom) - box.Top) / 2;
  const long double cx = box.Left + a, cy = box.Top + b;
  const long long lim_l = static_cast<long long>(t.clip.Left) - margin - 2;
  const long long lim_r = static_cast<long long>(t.clip.Right) + margin + 2;
  auto row = [&](long long y, long long& l, long long& r) {
    const long double dy = (y + 0.5L - cy) / b;
    if (y < box.Top || y >= box.Bottom) return false;
    const long double hw = a * std::sqrt(std::max(0.0L, 1 - dy * dy));
    l = static_cast<long long>(std::ceil(cx - hw - 0.5L));
    r = static_cast<long long>(std::floor(cx + hw - 0.5L));
    if (l > r) l = r = static_cast<long long>(std::floor(cx));
    return true;
  };
  const long long y0 = std::max<long long>(box.Top, static_cast<long long>(t.clip.Top) - margin);
  const long long y1 =
      std::min<long long>(box.Bottom, static_cast<long long>(t.clip.Bottom) + margin);
  auto clampx = [&](long long x) { return static_cast<int>(std::clamp(x, lim_l, lim_r)); };
  for (long long y = y0; y < y1; ++y) {
    long long l, r, ul, ur, dl, dr;
    if (!row(y, l, r)) continue;
    const bool up = row(y - 1, ul, ur), down = row(y + 1, dl, dr);
    const int yy = static_cast<int>(y);
    if (!up || !down) {
      runs.push_back({yy, clampx(l), clampx(r) + 1});
      continue;
    }
    const long long left_end = std::max(l, std::min(ul, dl) - 1);
    const long long right_start = std::min(r, std::max(ur, dr) + 1);
    if (left_end + 1 >= right_start) {
      runs.push_back({yy, clampx(l), clampx(r) + 1});
    } else {
      runs.push_back({yy, clampx(l), clampx(left_end) + 1});
      runs.push_back({yy, clampx(right_start), clampx(r) + 1});
    }
  }
}

// The outline of the ellipse inscribed in box (normalised, non-empty) as runs of neighbouring
// pixels, sorted by row and column.
void EllipseRuns(const Target& t, TRect box, int margin, std::vector<SpanRun>& runs) {
  runs.clear();
  if (!Traceable(box)) {
    HugeEllipseRuns(t, box, margin, runs);
    return;
  }
  std::vector<TPoint> pts;
  TraceEllipse(box.Left, box.Top, box.Right - 1LL, box.Bottom - 1LL,
               [&pts](int, long long x, long long y) {
                 pts.push_back(TPoint(static_cast<int>(x), static_cast<int>(y)));
               });
  std::sort(pts.begin(), pts.end(),
            [](TPoint a, TPoint b) { return a.Y != b.Y ? a.Y < b.Y : a.X < b.X; });
  pts.erase(std::unique(pts.begin(), pts.end()), pts.end());
  for (std::size_t i = 0; i < pts.size();) {
    std::size_t j = i + 1;
    while (j < pts.size() && pts[j].Y == pts[i].Y && pts[j].X == pts[j - 1].X + 1) ++j;
    runs.push_back({pts[i].Y, pts[i].X, pts[j - 1].X + 1});
    i = j;
  }
}

// Outline runs as spans, and the interior between the first and the last run of each row.
void OutlineRuns(std::span<const SpanRun> runs, SpanSet* outline, SpanSet* interior) {
  std::size_t i = 0;
  while (i < runs.size()) {
    const int y = runs[i].y;
    std::size_t j = i;
    while (j < runs.size() && runs[j].y == y) {
      if (outline) outline->Add(y, runs[j].x0, runs[j].x1);
      ++j;
    }
    if (interior && j - i >= 2) interior->Add(y, runs[i].x1, runs[j - 1].x0);
    i = j;
  }
}

void StampOutline(const Target& t, std::span<const SpanRun> runs, int width, SpanSet& out) {
  const PenDisc disc(width);
  for (const SpanRun& r : runs) {
    if (r.y + disc.Hi() < t.clip.Top || r.y + disc.Lo() >= t.clip.Bottom) continue;
    for (int dy = disc.Lo(); dy <= disc.Hi(); ++dy)
      out.Add(r.y + dy, r.x0 + disc.Left(dy), r.x1 - 1 + disc.Right(dy) + 1);
  }
}

bool BoxMisses(const Target& t, const TRect& box, int margin) {
  return static_cast<long long>(box.Right) + margin <= t.clip.Left ||
         static_cast<long long>(box.Left) - margin >= t.clip.Right ||
         static_cast<long long>(box.Bottom) + margin <= t.clip.Top ||
         static_cast<long long>(box.Top) - margin >= t.clip.Bottom;
}

}  // namespace

void SetPixel(const Target& t, int x, int y, TPixel color, TPenMode mode) {
  if (!t.Visible(x, y)) return;
  TPixel* p = t.Row(y) + x;
  WithMode(mode, [&](auto m) { *p = Combine<decltype(m)::value>(*p, color); });
}

void FillRect(const Target& t, TRect r, const Fill& f) {
  r = r.Normalized();
  FillBox(t, r.Left, r.Top, r.Right, r.Bottom, f, nullptr);
}

void Rectangle(const Target& t, TRect r, const Stroke& s, const Fill& f) {
  r = r.Normalized();
  if (r.IsEmpty()) return;
  const long long L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
  if (!s.Visible()) {
    // Without an outline the interior keeps its place: the right column and bottom row that
    // the outline would have covered stay unpainted.
    FillBox(t, L, T, R - 1, B - 1, f, nullptr);
    return;
  }
  if (s.Dashed()) {
    FillBox(t, L + 1, T + 1, R - 1, B - 1, f, nullptr);
    const TPoint corners[4] = {TPoint(r.Left, r.Top), TPoint(r.Right - 1, r.Top),
                               TPoint(r.Right - 1, r.Bottom - 1), TPoint(r.Left, r.Bottom - 1)};
    int phase = 0;
    Polyline(t, corners, s, phase, true);
    return;
  }
  // The outline is a ring of the pen's width centred on the box edge (inside the box for
  // psInsideFrame); the interior is what the ring encloses.
  const long long w = s.width;
  const long long out = (s.style == psInsideFrame) ? 0 : (w - 1) / 2;
  const long long oL = L - out, oT = T - out, oR = R + out, oB = B + out;
  const long long iL = oL + w, iT = oT + w, iR = oR - w, iB = oB - w;
  FillBox(t, iL, iT, iR, iB, f, nullptr);
  int y0, y1;
  if (!ClipRows(t, oT, oB, y0, y1)) return;
  const bool hollow = iL < iR && iT < iB;
  const int cl = t.clip.Left - 1, cr = t.clip.Right + 1;
  auto clampx = [&](long long x) { return static_cast<int>(std::clamp<long long>(x, cl, cr)); };
  WithMode(s.mode, [&](auto m) {
    constexpr TPenMode M = decltype(m)::value;
    for (int y = y0; y < y1; ++y) {
      if (hollow && y >= iT && y < iB) {
        SpanT<M>(t, y, clampx(oL), clampx(iL), s.color);
        SpanT<M>(t, y, clampx(iR), clampx(oR), s.color);
      } else {
        SpanT<M>(t, y, clampx(oL), clampx(oR), s.color);
      }
    }
  });
}

void Polygon(const Target& t, std::span<const TPoint> points, const Stroke& s, const Fill& f,
             bool winding) {
  if (points.empty()) return;
  SpanSet interior, outline;
  if (f.Visible()) PolygonInterior(t, points, winding, interior);
  const bool simple = ModeIgnoresDestination(f.mode) && ModeIgnoresDestination(s.mode);
  if (simple) {
    // Painting the interior first and the outline over it gives the same picture.
    interior.Paint(t, f);
  } else {
    if (s.Visible()) OutlineSpans(t, points, s, true, outline);
    PaintFigure(t, interior, outline, s, f, true);
  }
  if (s.Visible()) {
    int phase = 0;
    Polyline(t, points, s, phase, true);
  }
}

void Ellipse(const Target& t, TRect r, const Stroke& s, const Fill& f) {
  r = r.Normalized();
  if (r.IsEmpty()) return;
  if (s.Visible() && s.width > 1 && s.style == psInsideFrame) {
    // Keep the whole pen inside the box.
    const PenDisc disc(s.width);
    r = TRect(r.Left - disc.Lo(), r.Top - disc.Lo(), r.Right - disc.Hi(), r.Bottom - disc.Hi());
    if (r.IsEmpty()) return;
  }
  const int margin = s.Visible() ? s.width : 0;
  if (BoxMisses(t, r, margin)) return;
  std::vector<SpanRun> runs;
  EllipseRuns(t, r, margin, runs);
  SpanSet interior, outline;
  if (!s.Visible()) {
    // Without a pen the interior extends over the outline's place.
    OutlineRuns(runs, &interior, &interior);
    interior.Normalize();
    interior.Paint(t, f);
    return;
  }
  if (s.Dashed() && Traceable(r)) {
    // The interior leaves out every pixel of the outline, gaps included.
    OutlineRuns(runs, &outline, f.Visible() ? &interior : nullptr);
    PaintFigure(t, interior, outline, s, f, true);
    std::vector<TPoint> path;
    EllipsePath(r, path);
    PaintDashedPath(t, path, s);
    return;
  }
  const bool thin = s.width <= 1;
  OutlineRuns(runs, thin ? &outline : nullptr, f.Visible() ? &interior : nullptr);
  if (!thin) StampOutline(t, runs, s.width, outline);
  PaintFigure(t, interior, outline, s, f, false);
}

void Arc(const Target& t, TRect box, TPoint start, TPoint end, const Stroke& s) {
  box = box.Normalized();
  if (box.IsEmpty() || !s.Visible() || BoxMisses(t, box, s.width)) return;
  std::vector<SpanRun> runs;
  EllipseRuns(t, box, s.width, runs);
  // Directions in doubled coordinates relative to the box centre, y pointing up.
  const long long cx2 = static_cast<long long>(box.Left) + box.Right;
  const long long cy2 = static_cast<long long>(box.Top) + box.Bottom;
  auto dir = [&](TPoint p, long long& vx, long long& vy) {
    vx = 2LL * p.X + 1 - cx2;
    vy = cy2 - (2LL * p.Y + 1);
  };
  long long sx, sy, ex, ey;
  dir(start, sx, sy);
  dir(end, ex, ey);
  if (sx == 0 && sy == 0) sx = 1;
  if (ex == 0 && ey == 0) ex = 1;
  auto cross = [](long long ax, long long ay, long long bx, long long by) {
    const int128 c = static_cast<int128>(ax) * by - static_cast<int128>(ay) * bx;
    return c > 0 ? 1 : (c < 0 ? -1 : 0);
  };
  const int cse = cross(sx, sy, ex, ey);
  const int128 dot = static_cast<int128>(sx) * ex + static_cast<int128>(sy) * ey;
  const bool full = cse == 0 && dot > 0;
  // Whether the pixel lies on the arc: between the rays, counter-clockwise from the start.
  const auto on_arc = [&](TPoint p) {
    if (full) return true;
    long long vx, vy;
    dir(p, vx, vy);
    const int c1 = cross(sx, sy, vx, vy);
    const int c2 = cross(vx, vy, ex, ey);
    if (cse > 0) return c1 >= 0 && c2 >= 0;
    if (cse < 0) return c1 >= 0 || c2 >= 0;
    return c1 >= 0;
  };
  if (s.Dashed() && Traceable(box)) {
    // The pattern runs along the arc from the start ray: the walk around the ellipse, cut to
    // the arc and begun at its pixel nearest the start ray counter-clockwise.
    std::vector<TPoint> path;
    EllipsePath(box, path);
    std::erase_if(path, [&](TPoint p) { return !on_arc(p); });
    const auto from_start = [&](TPoint p) {
      long long vx, vy;
      dir(p, vx, vy);
      const long double c = static_cast<long double>(sx) * vy - static_cast<long double>(sy) * vx;
      const long double d = static_cast<long double>(sx) * vx + static_cast<long double>(sy) * vy;
      const long double a = std::atan2(c, d);
      return a < 0 ? a + 2 * std::numbers::pi_v<long double> : a;
    };
    std::size_t first = 0;
    long double least = 10;
    for (std::size_t i = 0; i < path.size(); ++i) {
      const long double a = from_start(path[i]);
      if (a < least) least = a, first = i;
    }
    std::rotate(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(first), path.end());
    PaintDashedPath(t, path, s);
    return;
  }
  std::vector<SpanRun> kept;
  auto keep = [&kept](TPoint p) {
    if (!kept.empty() && kept.back().y == p.Y && kept.back().x1 == p.X)
      ++kept.back().x1;
    else
      kept.push_back({p.Y, p.X, p.X + 1});
  };
  for (const SpanRun& run : runs) {
    for (int x = run.x0; x < run.x1; ++x) {
      const TPoint p(x, run.y);
      if (on_arc(p)) keep(p);
    }
  }
  SpanSet outline;
  if (s.width <= 1) {
    OutlineRuns(kept, &outline, nullptr);
  } else {
    StampOutline(t, kept, s.width, outline);
  }
  outline.Normalize();
  outline.Paint(t, s.color, s.mode);
}

}  // namespace kiv::raster
