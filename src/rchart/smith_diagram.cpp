// The Smith diagram behind the items: unit circle, real axis, resistance circles, reactance
// arcs and the value labels, drawn on the data-area canvas through layer 1's transformation.
#include <algorithm>
#include <cmath>
#include <string>

#include "platform/errors.h"
#include "rchart/smithchart.h"
#include "services/canvasutil.h"

namespace kiv {

namespace {

// Diagram coordinates stay this far inside the int range, so that the rasteriser's box and ray
// arithmetic never overflows however far the view is zoomed in.
constexpr long long kFar = 1LL << 28;

// Writes a text centred on (x, y); a system without fonts shows the diagram without labels.
void CentredText(TCanvas& c, TPoint at, const std::string& text) {
  try {
    const int w = c.TextWidth(text), h = c.TextHeight(text);
    c.TextOut(at.X - w / 2, at.Y - h / 2, text);
  } catch (const EPlatformError&) {
  }
}

}  // namespace

void TSmithChart::InitGraf(TCanvas& Canvas, int Left, int Top, int Width, int Height) {
  TCustomRChart::InitGraf(Canvas, Left, Top, Width, Height);

  const long long offX = static_cast<long long>(Left) - RcLRim;
  const long long offY = static_cast<long long>(Top) - RcTRim;
  auto px = [&](double x, double y) {
    int cx, cy;
    TCustomRChart::R2M(1, x, y, cx, cy);
    return TPoint(static_cast<int>(std::clamp(cx + offX, -kFar, kFar)),
                  static_cast<int>(std::clamp(cy + offY, -kFar, kFar)));
  };

  TPen& pen = Canvas.Pen();
  TBrush& brush = Canvas.Brush();
  pen.SetColor(FGridColDark);
  pen.SetStyle(psSolid);
  pen.SetWidth(1);
  pen.SetMode(pmCopy);
  brush.SetColor(FDiagramColor);
  brush.SetStyle(bsSolid);
  Canvas.Font().Assign(Font());
  if (Canvas.IsPrinter()) SetCanvasFontSizeScaled(Canvas, Font().Size());

  const TPoint o = px(0, 0), p1 = px(-1, -1), p2 = px(1, 1);
  Canvas.Ellipse(p1.X, p1.Y, p2.X, p2.Y);
  Canvas.MoveTo(p1.X, o.Y);
  Canvas.LineTo(p2.X, o.Y);
  const int level = smith::LabelLevel(p2.X - p1.X);

  // Resistance circles: centre (c, 0), radius rho; the arc leaves out the part within the
  // table's angle of the point (1, 0).
  brush.SetStyle(bsClear);
  for (std::size_t k = 0; k < smith::kResistance.size(); ++k) {
    const double R = smith::kResistance[k], a = smith::kArcAngle[k];
    const double c = R / (R + 1), rho = 1 / (R + 1);
    pen.SetColor(smith::ResistanceDark(static_cast<int>(k)) ? FGridColDark : FGridColLight);
    const TPoint b1 = px(c - rho, -rho), b2 = px(c + rho, rho);
    const TPoint from = px(c + std::cos(a), std::sin(a)), to = px(c + std::cos(a), -std::sin(a));
    Canvas.Arc(b1.X, b1.Y, b2.X, b2.Y, from.X, from.Y, to.X, to.Y);
  }

  // Reactance arcs: centre (1, ±v), radius v = 1 / X, from the unit circle towards (E, 0).
  for (int k = 0; k < smith::kNumReactances; ++k) {
    const double X = smith::Reactance(k), v = 1 / X;
    const double qx = (1 - v * v) / (1 + v * v), qy = 2 * v / (1 + v * v);
    const bool labelled = level >= smith::kLabelLevel[static_cast<std::size_t>(k) + 1];
    pen.SetColor(smith::ReactanceDark(k) ? FGridColDark : FGridColLight);
    const TPoint end = px(smith::kArcEnd[static_cast<std::size_t>(k)], 0);

    const TPoint q = px(qx, qy), u1 = px(1 - v, 0), u2 = px(1 + v, 2 * v);
    Canvas.Arc(u1.X, u1.Y, u2.X, u2.Y, q.X, q.Y, end.X, end.Y);
    if (labelled) CentredText(Canvas, smith::MoveOutward(q, o), smith::LabelText(X));

    const TPoint q2 = px(qx, -qy), l1 = px(1 - v, -2 * v), l2 = px(1 + v, 0);
    Canvas.Arc(l1.X, l1.Y, l2.X, l2.Y, end.X, end.Y, q2.X, q2.Y);
    if (labelled) CentredText(Canvas, smith::MoveOutward(q2, o), smith::LabelText(-X));
  }

  // Resistance labels on the real axis, where each circle crosses it on the left.
  brush.SetColor(FDiagramColor);
  brush.SetStyle(bsSolid);
  for (std::size_t k = 0; k < smith::kResistance.size(); ++k) {
    if (level < smith::kLabelLevel[k]) continue;
    const double R = smith::kResistance[k];
    CentredText(Canvas, TPoint(px((R - 1) / (R + 1), 0).X, o.Y), smith::LabelText(R));
  }
}

}  // namespace kiv
