#include "platform/raster/spans.h"

#include <algorithm>
#include <climits>

namespace kiv::raster {

namespace {

bool HatchPixel(TBrushStyle style, int x, int y) {
  switch (style) {
    case bsHorizontal:
      return (y & 7) == 0;
    case bsVertical:
      return (x & 7) == 0;
    case bsFDiagonal:
      return ((x - y) & 7) == 0;
    case bsBDiagonal:
      return ((x + y) & 7) == 0;
    case bsCross:
      return (x & 7) == 0 || (y & 7) == 0;
    case bsDiagCross:
      return ((x - y) & 7) == 0 || ((x + y) & 7) == 0;
    default:
      return true;
  }
}

}  // namespace

void FillSpan(const Target& t, int y, int x0, int x1, const Fill& f) {
  if (f.style == bsClear) return;
  if (f.style == bsSolid) {
    Span(t, y, x0, x1, f.color, f.mode);
    return;
  }
  if (y < t.clip.Top || y >= t.clip.Bottom) return;
  x0 = std::max(x0, t.clip.Left);
  x1 = std::min(x1, t.clip.Right);
  WithMode(f.mode, [&](auto m) {
    TPixel* row = t.Row(y);
    for (int x = x0; x < x1; ++x)
      if (HatchPixel(f.style, x, y)) row[x] = Combine<decltype(m)::value>(row[x], f.color);
  });
}

void SpanSet::Normalize() {
  if (runs_.empty()) return;
  std::sort(runs_.begin(), runs_.end(), [](const SpanRun& a, const SpanRun& b) {
    return a.y != b.y ? a.y < b.y : a.x0 < b.x0;
  });
  std::size_t out = 0;
  for (std::size_t i = 1; i < runs_.size(); ++i) {
    SpanRun& last = runs_[out];
    const SpanRun& r = runs_[i];
    if (r.y == last.y && r.x0 <= last.x1) {
      last.x1 = std::max(last.x1, r.x1);
    } else {
      runs_[++out] = r;
    }
  }
  runs_.resize(out + 1);
}

void SpanSet::Subtract(const SpanSet& other) {
  std::vector<SpanRun> result;
  result.reserve(runs_.size());
  std::size_t j = 0;
  const auto& cut = other.runs_;
  for (const SpanRun& r : runs_) {
    while (j < cut.size() && (cut[j].y < r.y || (cut[j].y == r.y && cut[j].x1 <= r.x0))) ++j;
    int x = r.x0;
    std::size_t k = j;
    while (x < r.x1 && k < cut.size() && cut[k].y == r.y && cut[k].x0 < r.x1) {
      if (cut[k].x0 > x) result.push_back({r.y, x, cut[k].x0});
      x = std::max(x, cut[k].x1);
      ++k;
    }
    if (x < r.x1) result.push_back({r.y, x, r.x1});
  }
  runs_ = std::move(result);
}

void SpanSet::Paint(const Target& t, TPixel color, TPenMode mode) const {
  WithMode(mode, [&](auto m) {
    for (const SpanRun& r : runs_) SpanT<decltype(m)::value>(t, r.y, r.x0, r.x1, color);
  });
}

void SpanSet::Paint(const Target& t, const Fill& f) const {
  for (const SpanRun& r : runs_) FillSpan(t, r.y, r.x0, r.x1, f);
}

PenDisc::PenDisc(int width) {
  width = std::max(width, 1);
  width_ = width;
  lo_ = -((width - 1) / 2);
  hi_ = width / 2;
  // Centre of the disc relative to pixel centres: between pixels for even widths.
  const double c = (width % 2 == 0) ? 0.5 : 0.0;
  const double r2 = (width / 2.0) * (width / 2.0);
  for (int dy = lo_; dy <= hi_; ++dy) {
    int left = INT_MAX;
    int right = INT_MIN;
    for (int dx = lo_; dx <= hi_; ++dx) {
      const double ex = dx - c;
      const double ey = dy - c;
      if (ex * ex + ey * ey <= r2 + 1e-9) {
        left = std::min(left, dx);
        right = std::max(right, dx);
      }
    }
    if (left > right) left = right = 0;  // cannot happen for a round pen, kept for safety
    left_.push_back(left);
    right_.push_back(right);
  }
}

void RowExtents::Reset(int first_row, int rows) {
  first_ = first_row;
  const auto n = static_cast<std::size_t>(std::max(rows, 0));
  lo_.assign(n, INT_MAX);
  hi_.assign(n, INT_MIN);
}

}  // namespace kiv::raster
