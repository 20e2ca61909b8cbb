// Item rendering: polyline batching, relative pixel paths, the geometry of every kind (single
// pixels, rectangles, frames, 3D bars, arcs, arrows, error bars, texts, cursors), coordinate
// modes and the clamp, cached pens, duplicate marks, monochrome output, the hooks and the
// drawing order of the containers.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "render_util.h"

namespace kiv {
namespace {

using testing::At;
using testing::Call;
using testing::CountInk;
using testing::DrawChart;
using testing::OfKind;
using testing::RecordingCanvas;

std::vector<Call> Record(DrawChart& ch) {
  RecordingCanvas rc;
  ch.RenderItems(rc);
  return rc.calls;
}

// --- Polylines

TEST(RenderPolyline, FourHundredFiftyStepsMakeThreeBatches) {
  DrawChart ch;
  ch.SetDataColor(clRed);
  ch.MoveTo(5.0, 5.0);
  for (int i = 1; i <= 450; ++i) ch.DrawTo(5.0 + i % 190, 5.0 + i / 190 * 20);
  const auto lines = OfKind(Record(ch), "polyline");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].points.size(), 200u);
  EXPECT_EQ(lines[1].points.size(), 200u);
  EXPECT_EQ(lines[2].points.size(), 53u);
  EXPECT_EQ(lines[0].points.front(), TPoint(5, 5));
  EXPECT_EQ(lines[1].points.front(), lines[0].points.back());
  EXPECT_EQ(lines[2].points.front(), lines[1].points.back());
  EXPECT_EQ(lines[2].points.back(), TPoint(5 + 450 % 190, 45));
  EXPECT_EQ(lines[0].pen, clRed);
}

TEST(RenderPolyline, PenChangesEndTheBatchAndTheNextOneContinues) {
  DrawChart ch;
  ch.MoveTo(0.0, 0.0);
  ch.SetDataColor(clRed);
  for (int i = 1; i <= 10; ++i) ch.DrawTo(i * 10.0, 20.0);
  ch.SetDataColor(clBlue);
  for (int i = 11; i <= 15; ++i) ch.DrawTo(i * 10.0, 20.0);
  ch.SetLineWidth(3);
  ch.DrawTo(160.0, 40.0);
  ch.SetLineWidth(1);
  ch.SetPenStyle(psDot);
  ch.DrawTo(170.0, 40.0);
  const auto lines = OfKind(Record(ch), "polyline");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].points.size(), 11u);
  EXPECT_EQ(lines[0].pen, clRed);
  EXPECT_EQ(lines[1].points.front(), TPoint(100, 20));
  EXPECT_EQ(lines[1].points.size(), 6u);
  EXPECT_EQ(lines[1].pen, clBlue);
  EXPECT_EQ(lines[2].pen_width, 3);
  EXPECT_EQ(lines[2].points, (std::vector<TPoint>{{150, 20}, {160, 40}}));
  EXPECT_EQ(lines[3].pen_width, 1);
  EXPECT_EQ(lines[3].pen_style, psDot);
}

TEST(RenderPolyline, RelativePixelStepsFollowThePenAcrossItems) {
  DrawChart ch;
  ch.MoveTo(5.0, 5.0);
  for (int i = 0; i < 3; ++i) ch.DrawToRelPix(10, 0);
  ch.MoveToRelPix(0, 10);
  ch.DrawToRelPix(5, -2.4);  // offsets round half to even
  ch.DrawToRelPix(50.0, 50.0, 10, -5);
  ch.DrawToRelPix(80.0, 80.0, 0, 0);
  const auto calls = Record(ch);
  const auto lines = OfKind(calls, "polyline");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].points, (std::vector<TPoint>{{5, 5}, {15, 5}, {25, 5}, {35, 5}}));
  EXPECT_EQ(lines[1].points, (std::vector<TPoint>{{35, 15}, {40, 13}}));
  EXPECT_EQ(lines[2].points, (std::vector<TPoint>{{50, 50}, {60, 45}}));
  const auto pixels = OfKind(calls, "pixel");
  ASSERT_EQ(pixels.size(), 1u);  // a zero offset is a single pixel
  EXPECT_EQ(pixels[0].points[0], TPoint(80, 80));
}

TEST(RenderPolyline, FirstStepStartsAtThePolylineStartAndThePenEndsAtTheLastPoint) {
  DrawChart ch;
  ch.DrawTo(30.0, 40.0);
  RecordingCanvas rc;
  ch.PrepareRenderState(rc, 0, 0);
  ch.RenderContainers(rc, 0, 0, false, 0);
  const auto lines = rc.Of("polyline");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].points, (std::vector<TPoint>{{0, 0}, {30, 40}}));
  EXPECT_EQ(rc.PenPos(), TPoint(30, 40));
  EXPECT_EQ(ch.LastMoveToX(), 30);
  EXPECT_EQ(ch.LastMoveToY(), 40);
  EXPECT_EQ(ch.PendingPoints(), 0);
}

// --- Geometry of the kinds

TEST(RenderItems, ItemsThatCollapseToOnePointSetOnePixel) {
  for (int kind = 0; kind < 5; ++kind) {
    DrawChart ch;
    ch.SetDataColor(clRed);
    switch (kind) {
      case 0:
        ch.Line(20.0, 30.0, 20.4, 29.6);
        break;
      case 1:
        ch.Rectangle(20.0, 30.0, 20.2, 30.3);
        break;
      case 2:
        ch.Arrow(20.0, 30.0, 20.0, 30.0, 10);
        break;
      case 3:
        ch.Ellipse(20.0, 30.0, 0.1, 0.2);
        break;
      case 4:
        ch.Arc(20.0, 30.0, 0.0, 0.0, 0.0, 1.0);
        break;
    }
    const TBitmap b = ch.Render();
    EXPECT_EQ(CountInk(b), 1) << "kind " << kind;
    EXPECT_EQ(At(b, 20, 30), clRed) << "kind " << kind;
  }
}

TEST(RenderItems, RectanglesCoverBothCorners) {
  DrawChart ch;
  ch.SetDataColor(clRed);
  ch.SetFillColor(clBlue);
  ch.SetAnnoMode(true);
  ch.Rectangle(10, 10, 20, 20);
  ch.SetAnnoMode(false);
  ch.Rectangle(70.0, 40.0, 60.0, 30.0);  // corners in any order
  ch.SetTransparentItems(true);
  ch.Rectangle(100.0, 10.0, 110.0, 20.0);
  const TBitmap b = ch.Render();
  for (const int ox : {0, 50}) {
    const int oy = ox / 50 * 20;
    EXPECT_EQ(At(b, 10 + ox, 10 + oy), clRed);
    EXPECT_EQ(At(b, 20 + ox, 20 + oy), clRed);
    EXPECT_EQ(At(b, 15 + ox, 15 + oy), clBlue);
    EXPECT_EQ(At(b, 21 + ox, 20 + oy), clWhite);
    EXPECT_EQ(At(b, 20 + ox, 21 + oy), clWhite);
    EXPECT_EQ(At(b, 9 + ox, 10 + oy), clWhite);
  }
  EXPECT_EQ(At(b, 110, 20), clRed);
  EXPECT_EQ(At(b, 105, 15), clWhite);  // no fill
}

TEST(RenderItems, RectangleByPixelHalfSizeAroundAWorldCentre) {
  DrawChart ch;
  ch.RectangleRelPix(50.0, 60.0, 5, 3);
  const auto r = OfKind(Record(ch), "rect");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].rect, TRect(45, 57, 56, 64));
}

TEST(RenderItems, ArrowHeadsAtTwentyDegreesFromTheShaft) {
  DrawChart ch;
  ch.SetAnnoMode(true);
  ch.Arrow(0, 50, 100, 50, 10);
  ch.DoubleArrow(0, 100, 100, 100, 10);
  ch.Arrow(50, 10, 50, 60, 10);   // pointing down the screen
  ch.Arrow(150, 10, 190, 10, 0);  // no head
  const auto calls = Record(ch);
  const auto heads = OfKind(calls, "polygon");
  ASSERT_EQ(heads.size(), 4u);
  EXPECT_EQ(heads[0].points, (std::vector<TPoint>{{100, 50}, {91, 47}, {91, 53}}));
  EXPECT_EQ(heads[1].points, (std::vector<TPoint>{{0, 100}, {9, 103}, {9, 97}}));  // tail first
  EXPECT_EQ(heads[2].points, (std::vector<TPoint>{{100, 100}, {91, 97}, {91, 103}}));
  EXPECT_EQ(heads[3].points, (std::vector<TPoint>{{50, 60}, {53, 51}, {47, 51}}));
  const auto shafts = OfKind(calls, "line");
  ASSERT_EQ(shafts.size(), 4u);
  EXPECT_EQ(shafts[3].points, (std::vector<TPoint>{{150, 10}, {190, 10}}));
}

TEST(RenderItems, OpenArrowHeadsAreTwoStrokes) {
  DrawChart ch;
  ch.SetTransparentItems(true);
  ch.SetAnnoMode(true);
  ch.Arrow(0, 50, 100, 50, 10);
  const auto calls = Record(ch);
  EXPECT_TRUE(OfKind(calls, "polygon").empty());
  const auto lines = OfKind(calls, "line");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].points, (std::vector<TPoint>{{100, 50}, {91, 47}}));
  EXPECT_EQ(lines[2].points, (std::vector<TPoint>{{100, 50}, {91, 53}}));
}

TEST(RenderItems, BarsShowTheirSideRightBelowNinetyDegreesAndLeftAbove) {
  DrawChart ch;
  ch.SetFillColor(clYellow);
  ch.Bar3D(20.0, 100.0, 40.0, 60.0, 10, 45);
  ch.Bar3D(20.0, 100.0, 40.0, 60.0, 10, 135);
  const auto calls = Record(ch);
  const auto faces = OfKind(calls, "polygon");
  const auto fronts = OfKind(calls, "rect");
  ASSERT_EQ(faces.size(), 4u);
  ASSERT_EQ(fronts.size(), 2u);
  EXPECT_EQ(faces[0].points, (std::vector<TPoint>{{20, 60}, {27, 53}, {47, 53}, {40, 60}}));
  EXPECT_EQ(faces[1].points, (std::vector<TPoint>{{47, 53}, {40, 60}, {40, 100}, {47, 93}}));
  EXPECT_EQ(faces[2].points, (std::vector<TPoint>{{40, 60}, {33, 53}, {13, 53}, {20, 60}}));
  EXPECT_EQ(faces[3].points, (std::vector<TPoint>{{13, 53}, {20, 60}, {20, 100}, {13, 93}}));
  EXPECT_EQ(fronts[0].rect, TRect(20, 60, 41, 101));
  EXPECT_EQ(fronts[1].rect, TRect(20, 60, 41, 101));
  EXPECT_EQ(fronts[0].brush, clYellow);
}

TEST(RenderItems, ArcsRunCounterClockwiseBetweenTheirRays) {
  DrawChart ch;
  ch.SetDataColor(clRed);
  ch.Arc(100.0, 75.0, 20.0, 10.0, 0.0, std::numbers::pi / 2);
  const auto arcs = OfKind(Record(ch), "arc");
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_EQ(arcs[0].rect, TRect(80, 65, 121, 86));
  EXPECT_EQ(arcs[0].points, (std::vector<TPoint>{{100000100, 75}, {100, -99999925}}));
  // The quarter from the right end up to the top: nothing left of the centre column or below
  // the centre row.
  const TBitmap b = ch.Render();
  EXPECT_EQ(At(b, 120, 75), clRed);
  EXPECT_GT(CountInk(b), 15);
  for (int y = 60; y < 90; ++y)
    for (int x = 75; x < 125; ++x) {
      if (x < 100 || y > 76) {
        ASSERT_EQ(At(b, x, y), clWhite) << x << ", " << y;
      }
    }
}

TEST(RenderItems, EllipseBoxFromCentreAndHalfAxes) {
  DrawChart ch;
  ch.Ellipse(100.0, 75.0, 20.0, 10.0);
  const auto e = OfKind(Record(ch), "ellipse");
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].rect, TRect(80, 65, 121, 86));
}

TEST(RenderItems, ErrorBarsEndInSevenPixelTicks) {
  DrawChart ch;
  ch.SetDataColor(clRed);
  ch.MarkErrorBar(100.0, 75.0, 10, 20, orVertical, 0);
  ch.MarkErrorBar(50.0, 30.0, -5, 8, orHorizontal, 0);  // the sign of an error is dropped
  const TBitmap b = ch.Render();
  for (int x = 97; x <= 103; ++x) {
    EXPECT_EQ(At(b, x, 65), clRed);
    EXPECT_EQ(At(b, x, 95), clRed);
  }
  EXPECT_EQ(At(b, 96, 65), clWhite);
  EXPECT_EQ(At(b, 104, 95), clWhite);
  for (int y = 65; y <= 95; ++y) EXPECT_EQ(At(b, 100, y), clRed);
  EXPECT_EQ(At(b, 100, 64), clWhite);
  EXPECT_EQ(At(b, 100, 96), clWhite);
  for (int y = 27; y <= 33; ++y) {
    EXPECT_EQ(At(b, 45, y), clRed);
    EXPECT_EQ(At(b, 58, y), clRed);
  }
  EXPECT_EQ(At(b, 45, 34), clWhite);
  EXPECT_EQ(CountInk(b), 31 + 12 + 14 + 14 - 2);
}

TEST(RenderItems, RaisedAndEmbossedFrames) {
  DrawChart ch;
  ch.SetFillColor(clYellow);
  ch.RectFrame(20.0, 20.0, 40.0, 30.0, rbLowered, clRed, clBlue);
  ch.RectFrame(60.0, 20.0, 80.0, 30.0, rbEmbossed, clRed, clBlue);
  const TBitmap b = ch.Render();
  EXPECT_EQ(At(b, 20, 30), clRed);  // shadow: left and top
  EXPECT_EQ(At(b, 20, 20), clRed);
  EXPECT_EQ(At(b, 39, 20), clRed);
  EXPECT_EQ(At(b, 40, 20), clBlue);  // highlight: right and bottom
  EXPECT_EQ(At(b, 40, 30), clBlue);
  EXPECT_EQ(At(b, 21, 30), clBlue);
  EXPECT_EQ(At(b, 30, 25), clYellow);
  EXPECT_EQ(At(b, 41, 25), clWhite);
  // Embossed: an inner shadow ring and an outer highlight ring, one pixel apart.
  EXPECT_EQ(At(b, 60, 25), clBlue);
  EXPECT_EQ(At(b, 61, 25), clRed);
  EXPECT_EQ(At(b, 79, 25), clBlue);
  EXPECT_EQ(At(b, 80, 25), clRed);
  EXPECT_EQ(At(b, 70, 20), clBlue);
  EXPECT_EQ(At(b, 70, 21), clRed);
}

TEST(RenderItems, CursorsSpanTheDataArea) {
  DrawChart ch;
  ch.CursorVert(50.0);
  ch.SetAnnoMode(true);
  ch.CursorHoriz(30);
  const auto lines = OfKind(Record(ch), "line");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].points, (std::vector<TPoint>{{50, 0}, {50, 149}}));
  EXPECT_EQ(lines[1].points, (std::vector<TPoint>{{0, 30}, {199, 30}}));
}

// --- Coordinates

TEST(RenderCoordinates, ModesMixWorldAndScreenPerPointAndAxis) {
  DrawChart ch;
  ch.SetRange(1, 0.0L, 0.0L, 19.9L, 14.9L);  // ten pixels per unit, y upwards
  ch.SetAnnoMode(true);
  ch.Line(1.0, 2.0, 30, 40);      // main world, secondary screen
  ch.Line(30, 40, 1.0, 2.0);      // main screen, secondary world
  ch.Arrow(30, 2.0, 50, 3.0, 0);  // x screen, y world
  ch.Arrow(1.0, 40, 2.0, 60, 0);  // x world, y screen
  ch.MoveTo(7, 8);
  ch.DrawTo(9, 1.0);
  const auto calls = Record(ch);
  const auto lines = OfKind(calls, "line");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].points, (std::vector<TPoint>{{10, 129}, {30, 40}}));
  EXPECT_EQ(lines[1].points, (std::vector<TPoint>{{30, 40}, {10, 129}}));
  EXPECT_EQ(lines[2].points, (std::vector<TPoint>{{30, 129}, {50, 119}}));
  EXPECT_EQ(lines[3].points, (std::vector<TPoint>{{10, 40}, {20, 60}}));
  EXPECT_EQ(OfKind(calls, "polyline")[0].points, (std::vector<TPoint>{{7, 8}, {9, 139}}));
}

TEST(RenderCoordinates, DrawingCoordinatesAreClampedToThirtyThousand) {
  DrawChart ch;
  ch.Line(0.0, 0.0, 1e12, -1e300);
  ch.Line(std::nan(""), 5.0, -1e9, 5.0);
  ch.SetAnnoMode(true);
  ch.Line(0, 0, 2000000000, 40000);
  const auto lines = OfKind(Record(ch), "line");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].points[1], TPoint(30000, -30000));
  EXPECT_EQ(lines[1].points, (std::vector<TPoint>{{30000, 5}, {-30000, 5}}));
  EXPECT_EQ(lines[2].points[1], TPoint(30000, 30000));
}

TEST(RenderCoordinates, WorldPixelsAreThoseOfR2M) {
  // A range of one unit over 200 pixels puts many values on or near half pixels.
  DrawChart ch;
  ch.SetRange(1, -0.3L, 0.0L, 0.7L, 1.0L);
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> u(-0.3, 0.7);
  std::vector<std::pair<double, double>> pts;
  for (int i = 0; i < 400; ++i) pts.push_back({i / 398.0 - 0.3, u(rng) + 0.3});
  for (int i = 0; i < 400; ++i) pts.push_back({u(rng), (i + 0.5) / 149.0});
  for (const auto& [x, y] : pts) ch.Line(x, y, x, y);
  const auto pixels = OfKind(Record(ch), "pixel");
  ASSERT_EQ(pixels.size(), pts.size());
  for (std::size_t i = 0; i < pts.size(); ++i) {
    int px = 0, py = 0;
    ch.R2M(1, pts[i].first, pts[i].second, px, py);
    ASSERT_EQ(pixels[i].points[0], TPoint(px - 10, py - 10))
        << pts[i].first << ", " << pts[i].second;
  }
}

TEST(RenderCoordinates, LogarithmicAxesMapThroughR2M) {
  DrawChart ch;
  ch.SetRange(1, 1.0L, 149.0L, 1000.0L, 0.0L);
  ch.Scale1X().SetLogarithmic(true);
  ch.MarkAt(10.0, 20.0, 0);
  ch.MarkAt(0.0, 20.0, 0);  // outside the range: not drawn
  const TBitmap b = ch.Render();
  int px = 0, py = 0;
  ch.R2M(1, 10.0, 20.0, px, py);
  EXPECT_EQ(At(b, px - 10, py - 10), clBlack);
  EXPECT_EQ(CountInk(b), 1);
}

// --- Marks

TEST(RenderMarks, WorldMarksOnTheRangeBoundAreDrawn) {
  DrawChart ch;
  ch.MarkAt(199.0, 0.0, 0);
  ch.MarkAt(0.0, 149.0, 0);
  ch.MarkAt(199.0001, 10.0, 0);
  ch.MarkAt(10.0, -0.0001, 0);
  ch.SetAnnoMode(true);
  ch.MarkAt(199, 149, 0);
  ch.MarkAt(200, 10, 0);
  ch.MarkAt(10, -1, 0);
  const TBitmap b = ch.Render();
  EXPECT_EQ(At(b, 199, 0), clBlack);
  EXPECT_EQ(At(b, 0, 149), clBlack);
  EXPECT_EQ(At(b, 199, 149), clBlack);
  EXPECT_EQ(CountInk(b), 3);
}

TEST(RenderMarks, DuplicatesOfTheSameTypeAreSuppressed) {
  DrawChart ch;
  const auto mark = [&](double x, TColor c, int type) {
    ch.SetDataColor(c);
    ch.MarkAt(x, 50.0, static_cast<std::uint8_t>(type));
  };
  mark(50, clRed, 0);
  mark(50, clBlue, 0);   // same pixel, same type: dropped
  mark(51, clBlue, 0);   // within the reserved square: dropped
  mark(53, clBlue, 0);   // outside it: drawn
  mark(50, clGreen, 1);  // another type: drawn, and takes the square over
  mark(50, clRed, 0);    // so this one is drawn again
  mark(100, clBlue, 0);
  mark(100, clRed, 0);
  ch.SetAvoidDuplicateMarks(true);
  TBitmap b = ch.Render();
  EXPECT_EQ(At(b, 50, 50), clRed);
  EXPECT_EQ(At(b, 51, 50), clGreen);  // part of the green dot
  EXPECT_EQ(At(b, 53, 50), clBlue);
  EXPECT_EQ(At(b, 100, 50), clBlue);
  ch.SetAvoidDuplicateMarks(false);
  b = ch.Render();
  EXPECT_EQ(At(b, 100, 50), clRed);
}

TEST(RenderMarks, TheReservedSquareGrowsWithTheDistance) {
  DrawChart ch;
  ch.SetAvoidDuplicateMarks(true);
  ch.SetMinDupMarkDist(2);
  ch.SetDataColor(clRed);
  ch.MarkAt(50.0, 50.0, 0);
  ch.SetDataColor(clBlue);
  ch.MarkAt(52.0, 52.0, 0);  // dropped with d = 2
  ch.MarkAt(53.0, 50.0, 0);  // drawn
  const TBitmap b = ch.Render();
  EXPECT_EQ(At(b, 52, 52), clWhite);
  EXPECT_EQ(At(b, 53, 50), clBlue);
}

TEST(RenderMarks, SettingsClampAndRepaintOnlyOnChange) {
  DrawChart ch;
  ch.repaints = 0;
  ch.SetMinDupMarkDist(7);
  EXPECT_EQ(ch.MinDupMarkDist(), 3);
  ch.SetMinDupMarkDist(3);
  ch.SetMinDupMarkDist(0);
  EXPECT_EQ(ch.MinDupMarkDist(), 1);
  ch.SetAvoidDuplicateMarks(true);
  ch.SetAvoidDuplicateMarks(true);
  EXPECT_EQ(ch.repaints, 3);
}

// --- Texts

struct TextMetrics {
  int h, w;
};
TextMetrics Measure(const DrawChart& ch, int size, const std::string& s) {
  TBitmap b(1, 1);
  b.Canvas().Font().SetName(ch.TextFont().Name());
  b.Canvas().Font().SetSize(size);
  return {b.Canvas().TextHeight(s) + 1, b.Canvas().TextWidth(s)};
}

TEST(RenderTexts, AnchorAtTheMiddleOfTheFirstLineAndAlignment) {
  DrawChart ch;
  ch.SetAnnoMode(true);
  ch.SetDataColor(clRed);
  for (const TAlignment a : {taLeftJustify, taRightJustify, taCenter}) {
    ch.SetTextAlignment(a);
    ch.Text(100, 50, 10, "Chart");
  }
  ch.SetAnnoMode(false);
  ch.Text(100.0, 50.0, 10, "ofs", 5, -3, taLeftJustify);
  const auto texts = OfKind(Record(ch), "text");
  ASSERT_EQ(texts.size(), 4u);
  const TextMetrics m = Measure(ch, 10, "Chart");
  EXPECT_EQ(texts[0].points[0], TPoint(105, 47 - Measure(ch, 10, "ofs").h / 2));  // data first
  EXPECT_EQ(texts[1].points[0], TPoint(100, 50 - m.h / 2));
  EXPECT_EQ(texts[2].points[0], TPoint(100 - m.w, 50 - m.h / 2));
  EXPECT_EQ(texts[3].points[0], TPoint(100 - m.w / 2, 50 - m.h / 2));
  EXPECT_EQ(texts[1].font, clRed);
  EXPECT_EQ(texts[1].brush_style, bsClear);
}

TEST(RenderTexts, LinesOfAMultiLineTextAlignOnTheWidestLine) {
  DrawChart ch;
  ch.SetTextBkStyle(tbSolid);
  ch.SetFillColor(clYellow);
  ch.SetTextAlignment(taCenter);
  ch.Text(100.0, 60.0, 10, "a\nlonger line\nmid");
  const auto calls = Record(ch);
  const auto texts = OfKind(calls, "text");
  ASSERT_EQ(texts.size(), 3u);
  const TextMetrics line = Measure(ch, 10, "a\nlonger line\nmid");
  const int w = Measure(ch, 10, "longer line").w;
  const int px = 100 - w / 2, py = 60 - line.h / 2;
  EXPECT_EQ(texts[0].text, "a");
  EXPECT_EQ(texts[0].points[0], TPoint(px + (w - Measure(ch, 10, "a").w) / 2, py));
  EXPECT_EQ(texts[1].points[0], TPoint(px, py + line.h));
  EXPECT_EQ(texts[2].points[0], TPoint(px + (w - Measure(ch, 10, "mid").w) / 2, py + 2 * line.h));
  const auto box = OfKind(calls, "rect");
  ASSERT_EQ(box.size(), 1u);
  EXPECT_EQ(box[0].rect, TRect(px - 4, py - 2, px + w + 4, py + 3 * line.h + 2));
  EXPECT_EQ(box[0].pen, clYellow);
  EXPECT_EQ(box[0].brush, clYellow);
}

TEST(RenderTexts, LongTextsAndTheTextHook) {
  DrawChart ch;
  ch.Text(10.0, 10.0, 8, "a text longer than fifteen characters");
  ch.Text(10.0, 40.0, 8, "short");
  std::vector<std::pair<int, bool>> seen;
  ch.OnBeforeRenderText = [&](TObject* sender, std::string& text, int index, bool anno) {
    EXPECT_EQ(sender, &ch);
    seen.push_back({index, anno});
    if (index == 1) text = "replaced";
  };
  const auto texts = OfKind(Record(ch), "text");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "a text longer than fifteen characters");
  EXPECT_EQ(texts[1].text, "replaced");
  EXPECT_EQ(seen, (std::vector<std::pair<int, bool>>{{0, false}, {1, false}}));
}

TEST(RenderTexts, TextExtentsCountLinesAndAddOneToTheLineHeight) {
  DrawChart ch;
  TBitmap b(1, 1);
  int h = 0, total = 0, w = 0;
  EXPECT_EQ(ch.CalcTextExtents("ab\n\nlonger", b.Canvas(), h, total, w), 3);
  EXPECT_EQ(h, b.Canvas().TextHeight("x") + 1);
  EXPECT_EQ(total, 3 * h);
  EXPECT_EQ(w, b.Canvas().TextWidth("longer"));
}

// --- State, hooks and order

TEST(RenderState, MonochromeOutputUsesBlackSilverAndWhite) {
  DrawChart ch;
  ch.SetDataColor(clRed);
  ch.SetFillColor(clYellow);
  ch.Rectangle(10.0, 10.0, 20.0, 20.0);
  ch.SetTextBkStyle(tbSolid);
  ch.Text(50.0, 50.0, 8, "bw");
  RecordingCanvas rc;
  ch.PrepareRenderState(rc, 0, 0);
  ch.RenderContainers(rc, 0, 0, true, 0);
  const auto r = rc.Of("rect");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].pen, clBlack);
  EXPECT_EQ(r[0].brush, clSilver);
  const auto t = rc.Of("text");
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].font, clBlack);
  EXPECT_EQ(t[0].brush, clWhite);
}

TEST(RenderState, PreparationSetsPenBrushFontAndTextAlignment) {
  DrawChart ch;
  ch.SetChartColor(clAqua);
  ch.SetLineWidth(2);
  RecordingCanvas rc;
  rc.SetTextAlign(TA_RIGHT | TA_BOTTOM);
  rc.Pen().SetStyle(psDot);
  ch.PrepareRenderState(rc, 7, 9);
  EXPECT_EQ(rc.Pen().Width(), 2);
  EXPECT_EQ(rc.Pen().Color(), clAqua);
  EXPECT_EQ(rc.Pen().Style(), psSolid);
  EXPECT_EQ(rc.Brush().Color(), clAqua);
  EXPECT_EQ(rc.Font().Color(), clAqua);
  EXPECT_EQ(rc.TextAlign(), TA_LEFT | TA_TOP);
  EXPECT_EQ(rc.PenPos(), TPoint(7, 9));
  EXPECT_EQ(ch.LastMoveToX(), 7);
  EXPECT_EQ(ch.LastMoveToY(), 9);
}

TEST(RenderState, TheItemHookChangesWhatIsDrawnButNotTheStore) {
  DrawChart ch;
  ch.SetDataColor(clRed);
  ch.Line(10.0, 10.0, 50.0, 10.0);
  ch.SetAnnoMode(true);
  ch.Line(10, 20, 50, 20);
  std::vector<std::pair<int, bool>> seen;
  ch.OnBeforeRenderChartItem = [&](TObject* sender, TrcChartItem& item, int index, bool anno) {
    EXPECT_EQ(sender, &ch);
    seen.push_back({index, anno});
    item.Color = clGreen;
  };
  const TBitmap b = ch.Render();
  EXPECT_EQ(At(b, 30, 10), clGreen);
  EXPECT_EQ(At(b, 30, 20), clGreen);
  EXPECT_EQ(ch.GetChartItem(0).Color, clRed);
  EXPECT_EQ(seen, (std::vector<std::pair<int, bool>>{{0, false}, {0, true}}));
}

TEST(RenderOrder, TextAnnotationsOnTopAndAnnotationsBelowTheData) {
  DrawChart ch;
  ch.SetAnnoMode(true);
  ch.Text(50, 50, 8, "text");
  ch.Rectangle(40, 40, 80, 60);
  ch.SetAnnoMode(false);
  ch.Line(0.0, 0.0, 10.0, 10.0);
  const auto kinds = [&] {
    std::string out;
    for (const Call& c : Record(ch)) out += c.kind[0];
    return out;
  };
  EXPECT_EQ(kinds(), "lrt");  // data, then annotations with texts last
  ch.SetAnnoTextOnTop(false);
  EXPECT_EQ(kinds(), "ltr");
  ch.SetAnnoBelowChart(true);
  EXPECT_EQ(kinds(), "trl");
  ch.SetAnnosVisible(false);
  EXPECT_EQ(kinds(), "l");
}

TEST(RenderOrder, HiddenLayersAndClassesAreSkipped) {
  DrawChart ch;
  ch.Line(0.0, 0.0, 10.0, 10.0);
  ch.SetActiveLayer(2);
  ch.Line(0.0, 0.0, 10.0, 10.0);
  ch.SetAnnoMode(true);
  ch.Line(0, 0, 10, 10);
  ch.SetActiveLayer(1);
  ch.SetClassDefault(7);
  ch.Line(0, 0, 10, 10);
  ch.SetLayerVisible(2, false);
  EXPECT_EQ(OfKind(Record(ch), "line").size(), 2u);
  ch.SetAnnoClassVisible(7, false);
  EXPECT_EQ(OfKind(Record(ch), "line").size(), 1u);
  ch.SetLayerVisible(2, true);
  ch.SetClassVisible(0, false);
  EXPECT_EQ(OfKind(Record(ch), "line").size(), 1u);  // the layer-2 annotation
}

}  // namespace
}  // namespace kiv
