// Item rendering of TCustomRChart: the geometry, pens and brushes of every stored item kind,
// duplicate-mark suppression and texts.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "rchart/item_renderer.h"
#include "services/marks.h"

namespace kiv {

using namespace itemdraw;

namespace {

constexpr double kHeadAngle = 0.3490658503988659;  // 20 degrees: half the opening of a head

}  // namespace

void TItemRenderer::Draw(const TrcChartItem& it, int index, bool is_anno,
                         const TLongTextArray& texts) {
  const TrcItem kind = it.ItemKind;
  if (kind == tkNone || kind == tkEverything || kind == tkNotMoveTo || kind >= kNumItemKinds)
    return;
  if (ch_.FMissingGaps && MissingValue(it)) {
    Flush();
    if (kind == tkLineto || kind == tkMoveTo || kind == tkLineRelPix || kind == tkMoveRelPix ||
        kind == tkLineRelPixOrig)
      ch_.FPenLifted = true;
    return;
  }
  if (!IsTextKind(kind) && it.LWid != ch_.FLastLWidth) {
    Flush();
    cv_.Pen().SetWidth(std::clamp(it.LWid, 1, kMaxPenWidth));
    ch_.FLastLWidth = it.LWid;
  }
  c_ = blk_white_ ? clBlack : it.Color;
  const TPenStyle style = ValidStyle(it.PenStyle);
  switch (kind) {
    case tkLineto:
      if (ch_.FPenLifted)
        StepAfterGap(c_, style, it.FillColor, Main(it));
      else
        PolyStep(c_, style, it.FillColor, Main(it));
      break;
    case tkMoveTo: {
      const TPoint p = Main(it);
      ch_.FPenLifted = false;
      Flush();
      cv_.MoveTo(p.X, p.Y);
      ch_.FLastMoveToX = p.X;
      ch_.FLastMoveToY = p.Y;
      break;
    }
    case tkMoveRelPix: {
      const TPoint p = Shift(Current(), RoundLen(it.x), RoundLen(it.y));
      ch_.FPenLifted = false;
      Flush();
      cv_.MoveTo(p.X, p.Y);
      ch_.FLastMoveToX = p.X;
      ch_.FLastMoveToY = p.Y;
      break;
    }
    case tkLineRelPix: {
      const TPoint p = Shift(Current(), RoundLen(it.x), RoundLen(it.y));
      if (ch_.FPenLifted)
        StepAfterGap(c_, style, it.FillColor, p);
      else
        PolyStep(c_, style, it.FillColor, p);
      break;
    }
    case tkLineRelPixOrig: {
      const TPoint a = World(it.x, it.y);
      const TPoint b = Shift(a, RoundLen(it.x2), RoundLen(it.y2));
      ch_.FPenLifted = false;
      Flush();
      if (a == b) {
        cv_.SetPixels(a.X, a.Y, c_);
      } else {
        ch_.FLastMoveToX = a.X;
        ch_.FLastMoveToY = a.Y;
        PolyStep(c_, style, it.FillColor, b);
      }
      break;
    }
    case tkLine:
    case tkLineOffs: {
      Flush();
      PenColor(c_);
      PenStyle(style);
      BrushColor(it.FillColor);
      if (kind == tkLine) {
        Line(Main(it), Secondary(it));
      } else {
        Line(Shift(World(it.x, it.y), Len(it.Param1), Len(it.Param2)),
             Shift(World(it.x2, it.y2), Len(it.Param1), Len(it.Param2)));
      }
      break;
    }
    case tkRect:
      Box(it, Main(it), Secondary(it), false);
      break;
    case tkRectRelPix: {
      const TPoint c = World(it.x, it.y);
      Box(it, Shift(c, -Len(it.Param1), -Len(it.Param2)), Shift(c, Len(it.Param1), Len(it.Param2)),
          false);
      break;
    }
    case tkEllipse:
      Box(it, World(it.x - it.x2, it.y + it.y2), World(it.x + it.x2, it.y - it.y2), true);
      break;
    case tkRectFrame:
      RectFrame(it);
      break;
    case tk3DBar:
      Bar3D(it);
      break;
    case tkArc:
      Arc(it);
      break;
    case tkArrow:
    case tkDoubleArrow:
      Arrow(it);
      break;
    case tkMarkAt:
      Mark(it);
      break;
    case tkMarkEBar:
      ErrorBar(it);
      break;
    case tkText:
    case tkTextOfs:
      Text(it, index, is_anno, texts);
      break;
    case tkCursorVert: {
      Flush();
      PenColor(c_);
      PenStyle(style);
      BrushColor(it.FillColor);
      const int x = X(it.x, FlagsOf(it.CoordMode).mx);
      const int bottom = ClampTo(
          Centre(static_cast<long long>(ch_.Height()) - ch_.RcBRim - ch_.RcTRim + yoff_), lim_);
      cv_.MoveTo(x, ClampTo(Centre(yoff_), lim_));
      cv_.LineTo(x, bottom);
      break;
    }
    case tkCursorHoriz: {
      Flush();
      PenColor(c_);
      PenStyle(style);
      BrushColor(it.FillColor);
      const int y = Y(it.y, FlagsOf(it.CoordMode).my);
      const int right = ClampTo(
          Centre(static_cast<long long>(ch_.Width()) - ch_.RcLRim - ch_.RcRRim + xoff_), lim_);
      cv_.MoveTo(ClampTo(Centre(xoff_), lim_), y);
      cv_.LineTo(right, y);
      break;
    }
    default:
      break;
  }
}

// A line from a to b, or the single pixel when both coincide (a line excludes its end pixel
// and would draw nothing).
void TItemRenderer::Line(TPoint a, TPoint b) {
  if (a == b) {
    cv_.SetPixels(a.X, a.Y, c_);
    return;
  }
  cv_.MoveTo(a.X, a.Y);
  cv_.LineTo(b.X, b.Y);
}

// Rectangles and ellipses between two corners, both corners included.
void TItemRenderer::Box(const TrcChartItem& it, TPoint a, TPoint b, bool ellipse) {
  Flush();
  PenColor(c_);
  BrushColor(Fill(it));
  PenStyle(ValidStyle(it.PenStyle));
  cv_.Brush().SetStyle(it.Transp ? bsClear : bsSolid);
  if (a == b) {
    cv_.SetPixels(a.X, a.Y, c_);
    return;
  }
  const int l = std::min(a.X, b.X), r = std::max(a.X, b.X) + 1;
  const int t = std::min(a.Y, b.Y), btm = std::max(a.Y, b.Y) + 1;
  if (ellipse)
    cv_.Ellipse(l, t, r, btm);
  else
    cv_.Rectangle(l, t, r, btm);
}

void TItemRenderer::RectFrame(const TrcChartItem& it) {
  Flush();
  const TPoint a = Main(it), b = Secondary(it);
  const int L = std::min(a.X, b.X), R = std::max(a.X, b.X);
  const int T = std::min(a.Y, b.Y), B = std::max(a.Y, b.Y);
  const TColor f = Fill(it);
  PenStyle(ValidStyle(it.PenStyle));
  PenColor(f);
  BrushColor(f);
  // The rectangle covers L .. R - 1 of the picture: its last pixel is one picture pixel (u)
  // before R.
  const int u = s_;
  if (a == b) {
    cv_.SetPixels(a.X, a.Y, f);
  } else {
    cv_.Rectangle(L, T, R - u + 1, B - u + 1);
  }
  const auto path = [&](TColor c, std::initializer_list<TPoint> pts) {
    PenColor(c);
    auto p = pts.begin();
    cv_.MoveTo(p->X, p->Y);
    for (++p; p != pts.end(); ++p) cv_.LineTo(p->X, p->Y);
  };
  const TColor S = it.ShadowColor, K = it.HiLightColor;
  switch (it.FrameStyle) {
    case rbLowered:
    case rbRaised: {
      const bool lowered = it.FrameStyle == rbLowered;
      path(lowered ? S : K, {TPoint(L, B), TPoint(L, T), TPoint(R, T)});
      path(lowered ? K : S, {TPoint(R, T), TPoint(R, B), TPoint(L, B)});
      break;
    }
    case rbEmbossed:
    case rbEngraved: {
      const bool embossed = it.FrameStyle == rbEmbossed;
      path(embossed ? S : K, {TPoint(L + u, B), TPoint(L + u, T + u), TPoint(R, T + u),
                              TPoint(R, B), TPoint(L + u, B)});
      path(embossed ? K : S, {TPoint(L, B - u), TPoint(L, T), TPoint(R - u, T),
                              TPoint(R - u, B - u), TPoint(L, B - u)});
      break;
    }
    default:
      break;
  }
}

void TItemRenderer::Bar3D(const TrcChartItem& it) {
  Flush();
  PenColor(c_);
  BrushColor(Fill(it));
  PenStyle(ValidStyle(it.PenStyle));
  const TPoint a = World(it.x, it.y), b = World(it.x2, it.y2);
  int x1 = std::min(a.X, b.X), x2 = std::max(a.X, b.X);
  const int top = std::min(a.Y, b.Y), bottom = std::max(a.Y, b.Y);
  const double angle = it.Param1 * (std::numbers::pi / 180);
  const long long e = RoundToInt(std::cos(angle) * it.Param2 * s_);
  const long long f = RoundToInt(std::sin(angle) * it.Param2 * s_);
  if (it.Param1 > 90) std::swap(x1, x2);
  const auto P = [this](long long x, long long y) {
    return TPoint(ClampTo(x, lim_), ClampTo(y, lim_));
  };
  const TPoint top_face[4] = {P(x1, top), P(x1 + e, top - f), P(x2 + e, top - f), P(x2, top)};
  cv_.Polygon(top_face);
  const TPoint side_face[4] = {P(x2 + e, top - f), P(x2, top), P(x2, bottom),
                               P(x2 + e, bottom - f)};
  cv_.Polygon(side_face);
  cv_.Rectangle(std::min(x1, x2), top, std::max(x1, x2) + 1, bottom + 1);
}

void TItemRenderer::Arc(const TrcChartItem& it) {
  Flush();
  PenColor(c_);
  const TPoint a = World(it.x - it.x2, it.y - it.y2), b = World(it.x + it.x2, it.y + it.y2);
  if (a == b) {
    cv_.SetPixels(a.X, a.Y, c_);
    return;
  }
  const TPoint c = World(it.x, it.y);
  const double a1 = it.Param1 / 1e8, a2 = it.Param2 / 1e8;
  cv_.Arc(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X) + 1, std::max(a.Y, b.Y) + 1,
          c.X + RoundToInt(std::cos(a1) * 1e8), c.Y - RoundToInt(std::sin(a1) * 1e8),
          c.X + RoundToInt(std::cos(a2) * 1e8), c.Y - RoundToInt(std::sin(a2) * 1e8));
}

void TItemRenderer::Arrow(const TrcChartItem& it) {
  Flush();
  PenColor(c_);
  BrushColor(Fill(it));
  PenStyle(ValidStyle(it.PenStyle));
  cv_.Brush().SetStyle(it.Transp ? bsClear : bsSolid);
  const TPoint p1 = Main(it), p2 = Secondary(it);
  if (p1 == p2) {
    cv_.SetPixels(p1.X, p1.Y, c_);
    return;
  }
  cv_.MoveTo(p1.X, p1.Y);
  cv_.LineTo(p2.X, p2.Y);
  const double h = it.Param1;
  if (h < 1) return;
  const double hs = h * s_;
  constexpr double pi = std::numbers::pi;
  double alpha;
  const long long dx = static_cast<long long>(p2.X) - p1.X;
  const long long dy = static_cast<long long>(p2.Y) - p1.Y;
  if (dx == 0)
    alpha = dy >= 1 ? pi : 2 * pi;
  else
    alpha = std::atan(static_cast<double>(dy) / static_cast<double>(dx)) +
            (dx > 0 ? pi / 2 : 3 * pi / 2);
  const long long sp = RoundToInt(std::sin(alpha + kHeadAngle) * hs);
  const long long cp = RoundToInt(std::cos(alpha + kHeadAngle) * hs);
  const long long sm = RoundToInt(std::sin(alpha - kHeadAngle) * hs);
  const long long cm = RoundToInt(std::cos(alpha - kHeadAngle) * hs);
  // A head's corners: its point and the two ends of its flanks (sign -1 at the tip, where the
  // flanks reach back along the shaft, +1 at the tail).
  const auto head = [&](TPoint p, int sign) {
    const TPoint c1(ClampTo(p.X + sign * sp, lim_), ClampTo(p.Y - sign * cp, lim_));
    const TPoint c2(ClampTo(p.X + sign * sm, lim_), ClampTo(p.Y - sign * cm, lim_));
    if (!it.Transp) {
      const TPoint tri[3] = {p, c1, c2};
      cv_.Polygon(tri);
    } else {
      cv_.MoveTo(p.X, p.Y);
      cv_.LineTo(c1.X, c1.Y);
      cv_.MoveTo(p.X, p.Y);
      cv_.LineTo(c2.X, c2.Y);
    }
  };
  if (it.ItemKind == tkDoubleArrow) head(p1, 1);
  head(p2, -1);
}

// The occupancy test of duplicate-mark suppression: a mark is dropped when the cell under its
// centre holds its type; otherwise it claims the square of 2d + 1 cells around its centre.
bool TItemRenderer::MarkSlotFree(int px, int py, int mark) {
  const long long d = ch_.FDupMarksMinD;
  TMarkOccupancy& map = ch_.FMarkMap;
  const long long cx = px + d, cy = py + d;
  if (cx >= 0 && cx < map.Width() && cy >= 0 && cy < map.Height() && map.At(cx, cy) == mark)
    return false;
  map.Claim(px, py, px + 2 * d, py + 2 * d, mark);
  return true;
}

void TItemRenderer::Mark(const TrcChartItem& it) {
  const bool screen = it.CoordMode != cmAllWorld;
  if (screen) {
    const double w = static_cast<double>(ch_.Width()) - ch_.RcRRim - ch_.RcLRim;
    const double h = static_cast<double>(ch_.Height()) - ch_.RcBRim - ch_.RcTRim;
    if (!(0 <= it.x && it.x <= w && 0 <= it.y && it.y <= h)) return;
  } else if (!(xlo_ <= it.x && it.x <= xhi_ && ylo_ <= it.y && it.y <= yhi_)) {
    return;
  }
  Flush();
  PenColor(c_);
  PenStyle(ValidStyle(it.PenStyle));
  const int px = screen ? ScreenX(it.x) : WorldX(it.x);
  const int py = screen ? ScreenY(it.y) : WorldY(it.y);
  if (ch_.FAvoidDupMarks && !ch_.FMarkMap.Empty()) {
    const TPoint q = fine_ ? PicturePixel(it, screen) : TPoint(px, py);
    if (!MarkSlotFree(q.X, q.Y, it.Param3)) return;
  }
  DrawMark(it.Param3, TPoint(px, py));
}

TPoint TItemRenderer::PicturePixel(const TrcChartItem& it, bool screen) const {
  if (screen)
    return TPoint(Clamp30k(RoundToInt(it.x) + static_cast<long long>(xoff_)),
                  Clamp30k(RoundToInt(it.y) + static_cast<long long>(yoff_)));
  int x, y, unused;
  if (!px_.Pixel(it.x, x)) ch_.R2M(layer_, it.x, 0, x, unused);
  if (!py_.Pixel(it.y, y)) ch_.R2M(layer_, 0, it.y, unused, y);
  return TPoint(Clamp30k(x + static_cast<long long>(xoff_) - ch_.RcLRim),
                Clamp30k(y + static_cast<long long>(yoff_) - ch_.RcTRim));
}

// On a fine canvas a mark is its pixel picture magnified, centred on the point. The largest
// marks reach 7 pixels from their centre, and a wide pen thickens them by half its width.
void TItemRenderer::DrawMark(int mark, TPoint p) {
  if (!fine_) {
    DrawMarkOnCanvas(cv_, mark, p.X, p.Y);
    return;
  }
  const int reach = 8 + cv_.Pen().Width();
  fine_->DrawPictureAt(p, mark, reach, [mark](TCanvas& c) { DrawMarkOnCanvas(c, mark, 0, 0); });
}

void TItemRenderer::ErrorBar(const TrcChartItem& it) {
  const double lower = std::fabs(it.x2), upper = std::fabs(it.y2);
  if (!(it.x - lower <= xhi_ && it.x + upper >= xlo_ && it.y - lower <= yhi_ &&
        it.y + upper >= ylo_))
    return;
  Flush();
  PenColor(c_);
  PenStyle(ValidStyle(it.PenStyle));
  BrushColor(it.FillColor);
  const TPoint c = World(it.x, it.y);
  if (it.Param1 != 0) {
    for (const double v : {it.x - lower, it.x + upper}) {
      const int vx = WorldX(v);
      cv_.MoveTo(c.X, c.Y);
      cv_.LineTo(vx, c.Y);
      cv_.MoveTo(vx, ClampTo(c.Y - Len(3), lim_));
      cv_.LineTo(vx, ClampTo(c.Y + Len(4), lim_));
    }
  } else {
    for (const double v : {it.y - lower, it.y + upper}) {
      const int vy = WorldY(v);
      cv_.MoveTo(c.X, c.Y);
      cv_.LineTo(c.X, vy);
      cv_.MoveTo(ClampTo(c.X - Len(3), lim_), vy);
      cv_.LineTo(ClampTo(c.X + Len(4), lim_), vy);
    }
  }
  DrawMark(it.Param3, c);
}

void TItemRenderer::Text(const TrcChartItem& stored, int index, bool is_anno,
                         const TLongTextArray& texts) {
  // The text hook may change the chart's containers: work on a copy of the item.
  const TrcChartItem it = stored;
  Flush();
  FontColor(c_);
  TFont& font = cv_.Font();
  font.SetName(ch_.FTextFont.Name());
  font.SetStyle(ch_.FTextFont.Style());
  font.SetSize(it.Param1);
  const TColor bkg = blk_white_ ? clWhite : it.FillColor;
  BrushColor(bkg);
  const bool solid = it.Param2 != 0;
  cv_.Brush().SetStyle(solid ? bsSolid : bsClear);
  TPoint p;
  if (it.ItemKind == tkText) {
    p = Main(it);
  } else {
    int rx = 0, ry = 0;
    ch_.R2MScaled(it.Layer, it.x, it.y, s_, rx, ry);
    const double sx = std::min(static_cast<double>(rx) + it.x2 * s_, 2147483647.0);
    const double sy = std::max(static_cast<double>(ry) + it.y2 * s_, -2147483647.0);
    p = TPoint(ClampTo(RoundToInt(sx) + ox_, lim_), ClampTo(RoundToInt(sy) + oy_, lim_));
  }
  // A text is placed by the corner of its cell: the corner of the anchor's block.
  p = TPoint(p.X - o_, p.Y - o_);
  std::string text = ItemText(it, texts);
  if (ch_.OnBeforeRenderText) ch_.OnBeforeRenderText(&ch_, text, index, is_anno);
  if (!FontUsable(cv_)) return;
  int h = 0, total = 0, w = 0;
  const int n = ch_.CalcTextExtents(text, cv_, h, total, w);
  long long px = p.X, py = p.Y - h / 2;
  if (it.Param3 == taRightJustify)
    px -= w;
  else if (it.Param3 == taCenter)
    px -= w / 2;
  const auto I = [](long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
  };
  if (n <= 1) {
    cv_.TextOut(I(px), I(py), text);
    return;
  }
  if (solid) {
    // Four picture pixels left and right of the lines, two above and below: the box's outermost
    // pixels are the centres of those blocks.
    PenColor(bkg);
    const long long u = s_, o = o_;
    cv_.Rectangle(I(px - 4 * u + o), I(py - 2 * u + o), I(px + w + 3 * u + o + 1),
                  I(py + static_cast<long long>(n) * h + u + o + 1));
  }
  std::size_t start = 0;
  for (int k = 0; k < n; ++k) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + start, end - start);
    const int wk = cv_.TextWidth(line);
    long long s = 0;
    if (it.Param3 == taRightJustify)
      s = w - wk;
    else if (it.Param3 == taCenter)
      s = (w - wk) / 2;
    cv_.TextOut(I(px + s), I(py + static_cast<long long>(k) * h), line);
    start = end + 1;
  }
}

}  // namespace kiv
