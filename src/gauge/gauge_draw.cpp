// The gauge's backgrounds and index marks, drawn with one-pixel lines.
#include "gauge/gauge_draw.h"

#include <algorithm>

#include "services/colorarray.h"

namespace kiv {

namespace {

// Pixel positions are kept this far from the int limits, so that index arithmetic never
// overflows; anything beyond is far outside every bitmap.
constexpr int kFar = 1 << 24;

int Near(int v) {
  return std::clamp(v, -kFar, kFar);
}

// The fraction of a gradient; a window without extent shows the first colour.
double Fraction(int num, int den) {
  return den != 0 ? static_cast<double>(num) / den : 0.0;
}

void SetPen(TCanvas& c, TColor color) {
  c.Pen().SetColor(color);
  c.Pen().SetWidth(1);
  c.Pen().SetStyle(psSolid);
  c.Pen().SetMode(pmCopy);
}

// Lines in gauge coordinates: a runs along the scale, b across it. A horizontal gauge has a =
// column and b = row; a vertical gauge is the same picture turned, a = row and b = column.
struct TGaugePen {
  TCanvas& c;
  bool vertical;
  void Line(int a1, int b1, int a2, int b2) const {
    if (vertical) {
      c.MoveTo(b1, a1);
      c.LineTo(b2, a2);
    } else {
      c.MoveTo(a1, b1);
      c.LineTo(a2, b2);
    }
  }
  // The small triangle below (right of) the base line pointing at it; `shift` moves it by whole
  // rows (columns) away from the line.
  void Triangle(int p, int base, int shift) const {
    for (int i = 1; i <= 10; ++i) {
      const int b = base + i - 1 + shift;
      Line(p - i / 2, b, p + i / 2 + 1, b);
    }
  }
};

}  // namespace

void DrawGaugeBackground(TCanvas& Canvas, TGaugeBackground Background, TColor c1, TColor c2,
                         const TGaugeGeometry& g) {
  const int W = g.Width, H = g.Height;
  if (Background == gbPlain) {
    SetPen(Canvas, c1);
    Canvas.Brush().SetColor(c1);
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Rectangle(0, 0, W, H);
    return;
  }
  const bool columns = Background == gbVertGrad || Background == gbVertMidBand;
  const int first = columns ? g.Left : g.Top;
  const int last = columns ? W - g.Right : H - g.Bottom;
  const int n = last - first;
  if (n < 0) return;
  auto line = [&](int at, TColor color) {
    SetPen(Canvas, color);
    if (columns) {
      Canvas.MoveTo(at, 0);
      Canvas.LineTo(at, H);
    } else {
      Canvas.MoveTo(0, at);
      Canvas.LineTo(W, at);
    }
  };
  if (Background == gbVertGrad || Background == gbHorizGrad) {
    for (int i = 0; i <= n; ++i) line(first + i, InterpolateColor(c1, c2, Fraction(i, n)));
  } else if (Background == gbVertMidBand || Background == gbHorizMidBand) {
    for (int i = 0; i <= n / 2; ++i) {
      const TColor color = InterpolateColor(c1, c2, Fraction(2 * i, n));
      line(first + i, color);
      line(last - i, color);
    }
  }
}

void DrawGaugeIndex(TCanvas& Canvas, const TGaugeIndex& Index, const TGaugeGeometry& g) {
  const bool vertical = g.Vertical();
  const TGaugePen pen{Canvas, vertical};
  const int p = Near(Index.Pos);
  const int base = g.IndexBase();
  const int across = vertical ? g.Width : g.Height;  // extent of a thread
  // Positions along the scale that can show on the bitmap.
  const int visibleEnd = (vertical ? g.Height : g.Width) - 1;
  const TColor k1 = Index.Color1, k2 = Index.Color2;
  auto thread = [&] {
    SetPen(Canvas, k1);
    pen.Line(p, 0, p, across);
  };

  switch (Index.Mode) {
    case gimThread:
      thread();
      break;
    case gimTriangle:
      SetPen(Canvas, k1);
      pen.Triangle(p, base, 0);
      break;
    case gimThreadTriangle:
      thread();
      SetPen(Canvas, k2);
      // Below a horizontal base line the triangle starts one row lower than gimTriangle's.
      pen.Triangle(p, base, vertical ? 0 : 1);
      break;
    case gimThreadTwoTriangles: {
      thread();
      SetPen(Canvas, k2);
      const int edge = vertical ? g.Left : g.Top;
      for (int i = 1; i <= 10; ++i) {
        const int b = edge - i + 10;  // hanging from the window's top (left) edge
        pen.Line(p - i / 2, b, p + i / 2 + 1, b);
      }
      pen.Triangle(p, base, 0);
      break;
    }
    case gimBand:
      // From the window's low end (left, resp. bottom) up to the index, graded k1 -> k2.
      if (!vertical) {
        const int L = g.Left, R = g.Width - g.Right;
        for (int x = std::max(L, 0); x <= std::min(p, visibleEnd); ++x) {
          SetPen(Canvas, InterpolateColor(k1, k2, Fraction(x - L, R - L)));
          pen.Line(x, base, x, base + 7);
        }
      } else {
        const int B = g.Height - g.Bottom, T = g.Top;
        for (int y = std::min(B, visibleEnd); y >= std::max(p, 0); --y) {
          SetPen(Canvas, InterpolateColor(k1, k2, Fraction(y - B, T - B)));
          pen.Line(y, base, y, base + 7);
        }
      }
      break;
    case gimDualColorBand: {
      const int v = Near(Index.ValuePixel), z = Near(Index.ZeroPixel);
      const int first = Index.ZeroAboveValue ? v : z;
      const int second = Index.ZeroAboveValue ? z : v;
      SetPen(Canvas, Index.ZeroAboveValue ? k2 : k1);
      if (!vertical) {
        for (int x = std::max(first, 0); x <= std::min(second, visibleEnd); ++x)
          pen.Line(x, base, x, base + 7);
      } else {
        for (int y = std::min(first, visibleEnd); y >= std::max(second, 0); --y)
          pen.Line(y, base, y, base + 7);
      }
      break;
    }
    case gimBar:
      SetPen(Canvas, k1);
      pen.Line(p - 1, base + 2, p - 1, base + 10);
      pen.Line(p, base + 1, p, base + 10);
      pen.Line(p + 1, base + 2, p + 1, base + 10);
      break;
  }
}

}  // namespace kiv
