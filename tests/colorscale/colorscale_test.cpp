// The colour scale: conversions between values, colours and pixels (at both ends, for an empty
// and a reversed range), its settings' limits, the bar in both orientations, the crosshair
// line, and dragging the range and the crosshair with the mouse.
#include "colorscale/colorscale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/offscreen_host.h"

namespace kiv {
namespace {

TColor PixelAt(const TBitmap& b, int x, int y) {
  return const_cast<TBitmap&>(b).Canvas().Pixels(x, y);
}

// Five colours 1..5 that are easy to tell apart.
void FiveColours(TColorScale& cs) {
  cs.ColorArray().SetSize(5);
  const TColor c[] = {clRed, clLime, clBlue, clYellow, clFuchsia};
  for (int i = 0; i < 5; ++i) cs.ColorArray().SetColorElem(i + 1, c[i]);
}

TEST(ColorScaleConversions, ValuesColoursAndPixels) {
  TColorScale cs(nullptr);  // 300 x 75, margins 8, 22, 16, 16
  FiveColours(cs);
  cs.SetScaleRange(0, 10);
  EXPECT_EQ(cs.ValueToColor(-3), clRed);  // below the colour range: colour 1
  EXPECT_EQ(cs.ValueToColor(0), clRed);
  EXPECT_EQ(cs.ValueToColor(5), clLime);    // 2.5: halves go to the even index
  EXPECT_EQ(cs.ValueToColor(7), clYellow);  // 3.5
  EXPECT_EQ(cs.ValueToColor(6.1), clBlue);
  EXPECT_EQ(cs.ValueToColor(10), clFuchsia);
  EXPECT_EQ(cs.ValueToColor(99), clFuchsia);
  EXPECT_EQ(cs.ColorToValue(clBlue), 6.0);  // index 3 of 5
  EXPECT_EQ(cs.ColorToValue(clFuchsia), 10.0);
  EXPECT_EQ(cs.ColorToValue(clAqua), 0.0);  // unknown colours map to the low end
  EXPECT_EQ(cs.ValueToPixel(0), 16);        // the bar's ends
  EXPECT_EQ(cs.ValueToPixel(10), 283);
  EXPECT_NEAR(cs.PixelToValue(150), 5.0, 0.05);

  cs.SetColorLow(4);  // an empty colour range gives the middle colour, N / 2 rounded
  cs.SetColorHigh(4);
  EXPECT_EQ(cs.ColorLow(), 4.0);
  EXPECT_EQ(cs.ValueToColor(-100), clLime);  // 2.5 -> 2
  cs.SetColorLow(6);                         // above ColorHigh: drags it along
  EXPECT_EQ(cs.ColorHigh(), 6.0);

  cs.SetScaleRange(5, 5);  // equal ends are spread to 4..6
  EXPECT_EQ(cs.ScaleRangeLow(), 4.0);
  EXPECT_EQ(cs.ColorHigh(), 6.0);

  cs.SetScaleRange(10, 0);  // reversed: the low end is at the right, colour 1 at value 10
  EXPECT_EQ(cs.ValueToPixel(10), 16);
  EXPECT_EQ(cs.ValueToPixel(0), 283);
  EXPECT_EQ(cs.ValueToColor(10), clRed);
  EXPECT_EQ(cs.ValueToColor(0), clFuchsia);
  EXPECT_EQ(cs.ColorToValue(clFuchsia), 0.0);

  cs.ColorArray().SetSize(0);
  EXPECT_EQ(cs.ValueToColor(3), clBlack);
  EXPECT_EQ(cs.ValueToColor(std::nan("")), clBlack);
}

TEST(ColorScaleSettings, LimitsAndRangeEnds) {
  TColorScale cs(nullptr);
  cs.SetMarginTop(60);  // the bar keeps one row: 75 - 22 - 1
  EXPECT_EQ(cs.MarginTop(), 52);
  cs.SetMarginRight(400);
  EXPECT_EQ(cs.MarginRight(), 300 - 16 - 1);
  cs.SetMarginLeft(-4);
  EXPECT_EQ(cs.MarginLeft(), 0);
  cs.SetMinTicks(1);
  EXPECT_EQ(cs.MinTicks(), 2);
  cs.SetMinTicks(25);
  EXPECT_EQ(cs.MinTicks(), 10);
  cs.SetScaleRangeHigh(cs.ScaleRangeLow());  // equal ends: the scale moves the other one
  EXPECT_EQ(cs.ScaleRangeLow(), cs.ScaleRangeHigh() + 1);

  TBitmap b(5, 5);
  cs.PaintTo(b, -1, 0);  // a negative position sizes the target to the picture
  EXPECT_EQ(b.Width(), 300);
  EXPECT_EQ(b.Height(), 75);
  cs.CopyToBitMap(nullptr, 0, 0);
}

// The colours met along a line of the picture, each run once.
std::vector<TColor> Runs(const TBitmap& b, int x0, int y0, int dx, int dy, int n) {
  std::vector<TColor> runs;
  for (int i = 0; i < n; ++i) {
    const TColor c = PixelAt(b, x0 + i * dx, y0 + i * dy);
    if (runs.empty() || runs.back() != c) runs.push_back(c);
  }
  return runs;
}

// The bar spreads the colours over the colour range; outside it shows the background unless
// ExtendColors; a colour range on one column shows colour N div 2.
TEST(ColorScalePicture, TheBarInBothOrientations) {
  TColorScale cs(nullptr);
  FiveColours(cs);
  cs.SetScaleRange(0, 100);
  cs.SetColorLow(20);
  cs.SetColorHigh(60);
  cs.CrossHair().SetMode(chOff);
  const int row = 30;
  TBitmap b;
  cs.PaintTo(b, -1, -1);
  const int lo = cs.ValueToPixel(20), hi = cs.ValueToPixel(60);
  EXPECT_EQ(PixelAt(b, lo, row), clRed);
  EXPECT_EQ(PixelAt(b, hi, row), clFuchsia);
  const std::vector<TColor> all = {clRed, clLime, clBlue, clYellow, clFuchsia};
  EXPECT_EQ(Runs(b, lo, row, 1, 0, hi - lo + 1), all);
  EXPECT_EQ(PixelAt(b, lo - 5, row), clSilver);  // background
  EXPECT_EQ(PixelAt(b, hi + 5, row), clSilver);
  EXPECT_EQ(PixelAt(b, cs.MarginLeft(), cs.MarginTop()), clBlack);  // the bar's frame
  cs.SetExtendColors(true);
  cs.PaintTo(b, -1, -1);
  EXPECT_EQ(PixelAt(b, lo - 5, row), clRed);
  EXPECT_EQ(PixelAt(b, hi + 5, row), clFuchsia);
  cs.SetColorLow(60.1);  // one column
  cs.SetExtendColors(false);
  cs.PaintTo(b, -1, -1);
  EXPECT_EQ(PixelAt(b, hi, row), clLime);

  cs.SetOrientation(csoVertical);
  cs.SetBounds(0, 0, 90, 260);
  cs.SetMarginRight(40);
  cs.SetScaleRange(0, 100);
  cs.SetExtendColors(false);
  cs.PaintTo(b, -1, -1);
  const int col = 35, bottom = cs.ValueToPixel(1), top = cs.ValueToPixel(99);
  EXPECT_EQ(Runs(b, col, bottom, 0, -1, bottom - top + 1), all);  // low end at the bottom
}

// ExtendColors fills the bar outside the colour range with the end colours right up to the
// frame and never past it: the pictures with and without it differ only inside the bar.
TEST(ColorScalePicture, ExtendedColoursStayInsideTheBar) {
  for (const TColScaleOrientation orientation : {csoHorizontal, csoVertical}) {
    TColorScale cs(nullptr);
    FiveColours(cs);
    if (orientation == csoVertical) {
      cs.SetOrientation(csoVertical);
      cs.SetBounds(0, 0, 90, 260);
      cs.SetMarginRight(40);
    }
    cs.SetScaleRange(0, 100);
    cs.SetColorLow(20);
    cs.SetColorHigh(60);
    cs.CrossHair().SetMode(chOff);
    TBitmap plain, extended;
    cs.PaintTo(plain, -1, -1);
    cs.SetExtendColors(true);
    cs.PaintTo(extended, -1, -1);
    // The bar's strip; its frame lies on the strip's outer lines.
    const TRect bar(cs.MarginLeft(), cs.MarginTop(), cs.Width() - cs.MarginRight(),
                    cs.Height() - cs.MarginBottom());
    int inside = 0, outside = 0;
    for (int y = 0; y < cs.Height(); ++y)
      for (int x = 0; x < cs.Width(); ++x) {
        if (PixelAt(plain, x, y) == PixelAt(extended, x, y)) continue;
        const bool in = x >= bar.Left && x < bar.Right && y >= bar.Top && y < bar.Bottom;
        ++(in ? inside : outside);
        if (!in && outside == 1) ADD_FAILURE() << "changed outside the bar at " << x << ", " << y;
      }
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);
    if (orientation == csoHorizontal) {
      EXPECT_EQ(PixelAt(extended, bar.Left + 1, 30), clRed);
      EXPECT_EQ(PixelAt(extended, bar.Right - 2, 30), clFuchsia);
    } else {
      EXPECT_EQ(PixelAt(extended, 30, bar.Bottom - 2), clRed);
      EXPECT_EQ(PixelAt(extended, 30, bar.Top + 1), clFuchsia);
    }
  }
}

TEST(ColorScalePicture, TheCrosshairMarksItsValue) {
  TColorScale cs(nullptr);
  cs.SetScaleRange(0, 10);
  cs.CrossHair().SetPosX(7.5);
  cs.CrossHair().SetLineType(psSolid);
  cs.CrossHair().SetColor(clBlack);
  TBitmap b;
  cs.PaintTo(b, -1, -1);
  const int p = cs.ValueToPixel(7.5);
  for (int y = cs.MarginTop() + 1; y < 75 - cs.MarginBottom(); ++y)
    EXPECT_EQ(PixelAt(b, p, y), clBlack) << y;
  EXPECT_NE(PixelAt(b, p + 2, 30), clBlack);
}

struct Dragging : ::testing::Test {
  TOffscreenHost host;
  TColorScale cs{nullptr};
  int zoomPans = 0;
  void SetUp() override {
    cs.SetScaleRange(0, 100);  // strip 268 pixels: columns 16..283
    cs.SetMouseAction(mactScaleDrag);
    cs.OnZoomPan = [this](TObject* s) {
      EXPECT_EQ(s, &cs);
      ++zoomPans;
    };
    host.Show(cs);
  }
};

TEST_F(Dragging, TheLeftPartMovesTheLowEndTheMiddlePansTheRightPartMovesTheHighEnd) {
  const double S = 268;
  host.Drag(60, 30, 87, 30, 1);  // left 42 %: the high end stays
  EXPECT_DOUBLE_EQ(cs.ScaleRangeLow(), 0 - 27 * 100 / S);
  EXPECT_EQ(cs.ScaleRangeHigh(), 100.0);
  EXPECT_EQ(cs.ColorLow(), cs.ScaleRangeLow());  // the colour range follows
  EXPECT_EQ(zoomPans, 1);

  cs.SetScaleRange(0, 100);
  host.Drag(150, 30, 110, 30, 4);  // middle: pans
  EXPECT_DOUBLE_EQ(cs.ScaleRangeLow(), 40 * 100 / S);
  EXPECT_DOUBLE_EQ(cs.ScaleRangeHigh(), 100 + 40 * 100 / S);
  EXPECT_EQ(zoomPans, 2);

  cs.SetScaleRange(0, 100);
  host.Drag(250, 30, 200, 30, 5);  // right part: the low end stays
  EXPECT_EQ(cs.ScaleRangeLow(), 0.0);
  EXPECT_GT(cs.ScaleRangeHigh(), 100.0);
  EXPECT_EQ(cs.Scale().RangeHigh(), cs.ScaleRangeHigh());

  cs.SetMouseAction(mactNone);  // no drag in other modes
  cs.SetScaleRange(0, 100);
  host.Drag(150, 30, 110, 30, 2);
  EXPECT_EQ(cs.ScaleRangeLow(), 0.0);
  EXPECT_EQ(zoomPans, 3);
}

TEST_F(Dragging, AVerticalBarDragsAlongItsRows) {
  cs.SetOrientation(csoVertical);
  cs.SetBounds(0, 0, 90, 284);  // strip 284 - 8 - 22 rows
  const double S = cs.Height() - cs.MarginTop() - cs.MarginBottom();
  host.Drag(40, 20, 40, 60, 1);  // the upper part moves the high end
  EXPECT_EQ(cs.ScaleRangeLow(), 0.0);
  EXPECT_DOUBLE_EQ(cs.ScaleRangeHigh(), 100 + 40 * 100 / S);
}

TEST_F(Dragging, TheCrosshairFollowsThePointerWithinTheRange) {
  cs.SetMouseAction(mactDragCrosshair);
  int moves = 0;
  cs.OnCrossHairMove = [&](TObject*) { ++moves; };
  host.MouseDown(mbLeft, 100, 30);
  host.MouseMove(120, 30);  // the first move only starts the drag
  EXPECT_EQ(moves, 0);
  host.MouseMove(150, 30);
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(cs.CrossHair().PosX(), cs.PixelToValue(150));
  EXPECT_EQ(cs.CrossHair().PosY(), cs.PixelToValue(150));
  host.MouseMove(299, 30);  // beyond the bar: held at the range end
  EXPECT_EQ(cs.CrossHair().PosX(), 100.0);
  host.MouseUp(mbLeft, 299, 30);
  EXPECT_EQ(moves, 2);
  host.MouseMove(60, 30);  // no button: nothing
  EXPECT_EQ(cs.CrossHair().PosX(), 100.0);
  EXPECT_EQ(zoomPans, 0);
}

TEST_F(Dragging, MouseMovesReportTheValueAndWhetherThePointerIsOverTheBar) {
  bool inScale = false;
  double value = 0;
  cs.OnMouseMoveInScale = [&](TObject*, bool in, TShiftState, double v) {
    inScale = in;
    value = v;
  };
  host.MouseMove(150, 30);
  EXPECT_TRUE(inScale);
  EXPECT_EQ(value, cs.PixelToValue(150));
  host.MouseMove(150, 70);  // below the bar, over the labels
  EXPECT_FALSE(inScale);
  host.MouseMove(5, 30);
  EXPECT_FALSE(inScale);
  EXPECT_LT(value, 0);
}

TEST(ColorScaleCopy, AssignTakesSettingsRangesAndColours) {
  TColorScale a(nullptr), b(nullptr);
  FiveColours(a);
  a.SetScaleRange(-3, 8);
  a.SetColorLow(-1);
  a.SetCaption("T [K]");
  a.SetExtendColors(true);
  a.SetMarginLeft(30);
  a.SetMouseAction(mactScaleDrag);
  a.Scale().SetDecPlaces(2);
  b.Assign(a);
  EXPECT_EQ(b.ScaleRangeLow(), -3.0);
  EXPECT_EQ(b.ColorLow(), -1.0);
  EXPECT_EQ(b.Caption(), "T [K]");
  EXPECT_TRUE(b.ExtendColors());
  EXPECT_EQ(b.MarginLeft(), 30);
  EXPECT_EQ(b.MouseAction(), mactScaleDrag);
  EXPECT_EQ(b.Scale().DecPlaces(), 2);
  EXPECT_EQ(b.ColorArray().ColorElem(4), clYellow);
  TBitmap pa, pb;
  a.PaintTo(pa, -1, -1);
  b.PaintTo(pb, -1, -1);
  for (int y = 0; y < 75; y += 3)
    for (int x = 0; x < 300; x += 3) ASSERT_EQ(PixelAt(pa, x, y), PixelAt(pb, x, y));
}

}  // namespace
}  // namespace kiv
