// TRot3D: the picture. Box faces and axis lines first, hidden edges, the rotation objects
// (moves, lines, marks with their labels, character marks), then the front edges and the axis
// names on top.
#include <algorithm>
#include <string>

#include "rot3d/rot3d.h"
#include "services/box3d.h"
#include "services/canvasutil.h"
#include "services/frame.h"
#include "services/marks.h"

namespace kiv::rot3d {

namespace {

constexpr std::int64_t kDrawLimit = 30000;

TPoint Limited(TScreenPoint p) {
  return TPoint(static_cast<int>(std::clamp(p.X, -kDrawLimit, kDrawLimit)),
                static_cast<int>(std::clamp(p.Y, -kDrawLimit, kDrawLimit)));
}

// The text of a character mark: 200..209 are the digits, other numbers their Latin-1
// character.
std::string MarkCharacter(int mark) {
  if (mark >= 200 && mark <= 209) return std::string(1, static_cast<char>('0' + mark - 200));
  if (mark < 0x80) return std::string(1, static_cast<char>(mark));
  return {static_cast<char>(0xC0 | (mark >> 6)), static_cast<char>(0x80 | (mark & 0x3F))};
}

}  // namespace

void TRot3D::InitGraf(TCanvas& Canvas, bool BlkWhite, bool ResizeBitmap) {
  if (ResizeBitmap) {
    GrafBmp.SetSize(Width(), Height());
    GrafBmp.SetPixelFormat(pf32bit);
  }
  const TColor bg = BlkWhite ? clWhite : FColorChart;
  Canvas.Pen().SetStyle(psSolid);
  Canvas.Pen().SetMode(pmCopy);
  Canvas.Pen().SetWidth(1);
  Canvas.Pen().SetColor(bg);
  Canvas.Brush().SetStyle(bsSolid);
  Canvas.Brush().SetColor(bg);
  Canvas.FillRect(TRect(0, 0, Width(), Height()));
}

void TRot3D::DrawPicture(TCanvas& Canvas, bool BlkWhite, bool IncludeFrame) {
  InitGraf(Canvas, BlkWhite, false);
  ConstructDataBmp(Canvas, BlkWhite);
  if (IncludeFrame)
    DrawFrame(Canvas, FFrameStyle, 0, 0, Width() - 1, Height() - 1, clWhite, clSilver, clGray,
              clBlack, FColorFrame);
}

void TRot3D::Paint() {
  InitGraf(GrafBmp.Canvas(), false, true);
  TCanvas& c = GrafBmp.Canvas();
  ConstructDataBmp(c, false);
  DrawFrame(c, FFrameStyle, 0, 0, Width() - 1, Height() - 1, clWhite, clSilver, clGray, clBlack,
            FColorFrame);
  Canvas().SetCopyMode(cmSrcCopy);
  Canvas().Draw(0, 0, GrafBmp);
}

void TRot3D::ConstructDataBmp(TCanvas& Canvas, bool BlkWhite) {
  if (OnBeforeRenderData) OnBeforeRenderData(this, Canvas);
  Canvas.Pen().SetWidth(1);
  const bool box = FBoundBoxStyle != bbNone;
  int s = 0;
  if (box) {
    const int r31 = FRotMat[2][0], r32 = FRotMat[2][1], r33 = FRotMat[2][2];
    s = box3d::CornerWithSmallest([&](int c) { return box3d::CornerComponent(c, r31, r32, r33); });
    DrawBox(Canvas, s, true);
  }
  if (FShowAxes) DrawAxisLines(Canvas);
  if (box) {
    Canvas.Pen().SetColor(FColorCubeHidLin);
    DrawBox(Canvas, 7 - s, false);
  }
  DrawObjects(Canvas, BlkWhite);
  Canvas.Pen().SetWidth(1);
  if (box) {
    Canvas.Pen().SetColor(FColorCubeFrame);
    DrawBox(Canvas, s, false);
  }
  if (FShowAxes) DrawAxisNames(Canvas);
  if (OnDataRendered) OnDataRendered(this, Canvas);
}

// With faces: the three faces around the corner, shaded by how far they turn to the viewer.
// Without: the three edges from the corner in the current pen.
void TRot3D::DrawBox(TCanvas& Canvas, int corner, bool faces) {
  const TIntProjection proj = Projection();
  auto at = [&](int c) {
    const auto& p = CubeCorners[static_cast<std::size_t>(c)];
    return Limited(proj.Project(p[0], p[1], p[2]));
  };
  if (!faces) {
    const TPoint a = at(corner);
    for (int nb : box3d::kNeighbours[static_cast<std::size_t>(corner)]) {
      const TPoint b = at(nb);
      Canvas.MoveTo(a.X, a.Y);
      Canvas.LineTo(b.X, b.Y);
    }
    return;
  }
  const int r31 = FRotMat[2][0], r32 = FRotMat[2][1], r33 = FRotMat[2][2];
  Canvas.Pen().SetColor(FColorCubeFrame);
  Canvas.Brush().SetStyle(FBoundBoxStyle == bbOutline ? bsClear : bsSolid);
  for (int face : box3d::kFacesOfCorner[static_cast<std::size_t>(corner)]) {
    TPoint q[4];
    int sum = 0;
    for (int k = 0; k < 4; ++k) {
      const int c = box3d::kFaces[static_cast<std::size_t>(face)][static_cast<std::size_t>(k)];
      q[k] = at(c);
      sum += box3d::CornerComponent(c, r31, r32, r33);
    }
    Canvas.Brush().SetColor(
        box3d::FaceShade(FColorCubeFaceLow, FColorCubeFaceHigh, -sum / 10, 400));
    Canvas.Polygon(q);
  }
  Canvas.Brush().SetStyle(bsSolid);
}

// From the origin along each axis: the part inside the box in the hidden-line colour, the rest
// in the frame colour.
void TRot3D::DrawAxisLines(TCanvas& Canvas) {
  const TIntProjection proj = Projection();
  const int len = std::min(FAxSize, FBBSize);
  for (int axis = 2; axis >= 0; --axis) {
    auto along = [&](int l) {
      std::int64_t v[3] = {0, 0, 0};
      v[axis] = l;
      return Limited(proj.Project(v[0], v[1], v[2]));
    };
    const TPoint inner = along(len), outer = along(FAxSize);
    Canvas.Pen().SetColor(FColorCubeHidLin);
    Canvas.MoveTo(FCentX, FCentY);
    Canvas.LineTo(inner.X, inner.Y);
    Canvas.Pen().SetColor(FColorCubeFrame);
    Canvas.LineTo(outer.X, outer.Y);
  }
}

void TRot3D::DrawObjects(TCanvas& Canvas, bool BlkWhite) {
  if (NRotObj <= 0) return;
  const TIntProjection proj = Projection();
  auto colorOf = [&](std::size_t k) {
    return BlkWhite ? TColor{0} : static_cast<TColor>(FRotProp[k] & 0xFFFFFFu);
  };
  TColor last = colorOf(0);
  Canvas.Brush().SetStyle(bsSolid);
  Canvas.Pen().SetColor(last);
  Canvas.Brush().SetColor(last);
  // Marks of one kind and colour are stamped straight into the rows while no handler runs
  // between them and the pen allows it.
  TMarkStamp stamp;
  int stampMark = -1;
  TColor stampColor = 0;
  const bool stamps = !OnLblRequest;
  for (int i = 0; i < NRotObj; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const std::uint32_t prop = FRotProp[k];
    const int kind = static_cast<int>(prop >> 24);
    if (kind < 1 || kind > 3) continue;
    const TColor color = colorOf(k);
    if (color != last) {
      Canvas.Pen().SetColor(color);
      Canvas.Brush().SetColor(color);
      last = color;
    }
    const TPoint p = Limited(proj.Project(FRotDataX[k], FRotDataY[k], FRotDataZ[k]));
    if (kind == 1) {
      Canvas.MoveTo(p.X, p.Y);
      continue;
    }
    if (kind == 2) {
      Canvas.Pen().SetWidth(std::max<int>(FLineWid[k], 1));
      Canvas.LineTo(p.X, p.Y);
      stampMark = -1;  // the pen may have changed
      continue;
    }
    const int mark = FRotMark[k];
    if (mark >= kNumMarks) {
      TFont& font = Canvas.Font();
      font.SetName(Font().Name());
      font.SetStyle(FTextFontStyle);
      SetCanvasFontSizeScaled(Canvas, FTextMarkSize);
      font.SetColor(color);
      Canvas.Brush().SetStyle(bsClear);
      const std::string text = MarkCharacter(mark);
      const TSize ext = Canvas.TextExtent(text);
      Canvas.TextOut(p.X - ext.cx / 2, p.Y - ext.cy / 2, text);
      Canvas.Brush().SetStyle(bsSolid);
      stampMark = -1;
      continue;
    }
    if (stamps) {
      if (mark != stampMark || color != stampColor) {
        stampMark = stamp.Prepare(Canvas, mark) ? mark : -1;
        stampColor = color;
      }
      if (stampMark >= 0) {
        stamp.Draw(p.X, p.Y);
        continue;
      }
    }
    DrawMarkOnCanvas(Canvas, mark, p.X, p.Y);
    if (!OnLblRequest) continue;
    std::string text;
    int dx = 0, dy = 0;
    TAlignment ha = taCenter;
    TVerticalAlignment va = vaCenter;
    OnLblRequest(this, i, text, dx, dy, ha, va, Canvas.Font());
    if (text.empty()) continue;
    const TSize ext = Canvas.TextExtent(text);
    if (ha == taRightJustify) dx -= ext.cx;
    if (ha == taCenter) dx -= ext.cx / 2;
    if (va == vaCenter) dy -= ext.cy / 2;
    if (va == vaBottom) dy -= ext.cy;
    Canvas.Brush().SetStyle(bsClear);
    Canvas.TextOut(p.X + dx, p.Y + dy, text);
    Canvas.Brush().SetStyle(bsSolid);
  }
}

void TRot3D::DrawAxisNames(TCanvas& Canvas) {
  const TIntProjection proj = Projection();
  Canvas.Font().Assign(Font());
  Canvas.Brush().SetStyle(bsClear);
  for (int axis = 2; axis >= 0; --axis) {
    std::int64_t v[3] = {0, 0, 0};
    v[axis] = FAxSize + 50;
    const TPoint p = Limited(proj.Project(v[0], v[1], v[2]));
    const std::string& name = FAxName[static_cast<std::size_t>(axis)];
    const TSize ext = Canvas.TextExtent(name);
    Canvas.TextOut(p.X - ext.cx / 2, p.Y - ext.cy / 2, name);
  }
  Canvas.Brush().SetStyle(bsSolid);
}

}  // namespace kiv::rot3d
