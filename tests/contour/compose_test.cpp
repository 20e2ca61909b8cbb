// The contour plot as a control: when its cached picture is rebuilt, the level setters and the
// attached colour scale, items and text labels over the field, output and copying.
#include <gtest/gtest.h>

#include <memory>

#include "colorscale/colorscale.h"
#include "contour_probe.h"
#include "platform/offscreen_host.h"

namespace kiv {
namespace {

struct Shown {
  TOffscreenHost host;
  ProbePlot plot;
  int calls = 0;
  Shown() {
    plot.IsoColors.SetSize(16);
    plot.IsoColors.FillByInterpolation(1, {clBlue, clYellow, clRed});
    plot.OnEstimateZVal = [this](TObject*, double x, double y, int, int, double& z, std::uint8_t&) {
      ++calls;
      z = 0.2 * x - 0.1 * y;
    };
    host.Show(plot);
  }
  int Points() const { return plot.NumPivotsX() * plot.NumPivotsY(); }
  TColor At(int x, int y) { return PixelAt(host.Snapshot(plot), x, y); }
};

// The picture is rebuilt (and the field asked for again) only when something changed: by the
// plot's setters, by range and size changes however they come, and never by an export.
TEST(ContourPicture, RebuiltOnlyWhenSomethingChanged) {
  Shown s;
  const int n = s.Points();
  EXPECT_EQ(s.calls, n);
  s.plot.Repaint();
  EXPECT_EQ(s.calls, n);  // the cached picture is reused

  s.plot.SetRange(-1.0, -1.0, 1.0, 1.0);
  EXPECT_EQ(s.calls, 2 * n);
  s.plot.Scale1X().SetRangeHigh(3.0);  // through the scale properties
  EXPECT_EQ(s.calls, 3 * n);
  s.plot.SetBounds(0, 0, 300, 220);  // resizing keeps the grid; the picture follows the size
  s.host.ProcessMessages();
  EXPECT_EQ(s.calls, 4 * n);
  EXPECT_EQ(s.plot.DataBitmap().Width(), 231);

  TBitmap out;
  s.plot.CopyToBitmap(out, false);  // an export builds its own picture ...
  EXPECT_EQ(s.calls, 5 * n);
  s.plot.Repaint();  // ... and leaves the screen's picture valid
  EXPECT_EQ(s.calls, 5 * n);
  EXPECT_TRUE(SamePicture(out, s.host.Snapshot(s.plot)));

  s.plot.SetEnabled(false);  // repaints without a rebuild
  EXPECT_EQ(s.calls, 5 * n);
  s.plot.SetEnabled(true);
  s.plot.DrawPlot();
  EXPECT_EQ(s.calls, 6 * n);
  s.plot.SetPlotMode(cpmDots);
  EXPECT_EQ(s.calls, 7 * n);
  s.plot.SetSuppressPaint(true);
  s.plot.SetIsoDist(0.05);
  EXPECT_EQ(s.calls, 7 * n);
  s.plot.SetSuppressPaint(false);
  EXPECT_EQ(s.calls, 8 * n);
}

// A pan with the mouse moves the field with the pointer: the picture is rebuilt for the new
// ranges, also when the application put a handler of its own into OnZoomPan.
TEST(ContourPicture, FollowsMousePans) {
  for (const bool ownHandler : {false, true}) {
    Shown s;
    int zoomPans = 0;
    if (ownHandler) s.plot.OnZoomPan = [&](TObject*) { ++zoomPans; };
    s.plot.SetMouseAction(mactPan);
    const int calls = s.calls;
    s.host.Drag(150, 100, 120, 100, 3);
    s.host.ProcessMessages();
    EXPECT_GT(s.calls, calls);
    EXPECT_GT(s.plot.Scale1X().RangeLow(), -5.2);  // dragged to the left
    EXPECT_EQ(zoomPans, ownHandler ? 2 : 0);       // the first move only anchors the drag
    TBitmap fresh;
    s.plot.CopyToBitmap(fresh, false);
    EXPECT_TRUE(SamePicture(fresh, s.host.Snapshot(s.plot))) << ownHandler;
  }
}

TEST(ContourPicture, AnExportWhileThePictureIsStaleLeavesItStale) {
  Shown s;
  s.plot.SetSuppressPaint(true);
  s.plot.SetChartColor(clLime);
  s.plot.SetPlotMode(cpmColorSurfNoIpTransp);
  TBitmap out;
  s.plot.CopyToBitmapDAOnly(out, false);
  EXPECT_TRUE(s.plot.InvalidDataBmp());
  s.plot.SetSuppressPaint(false);
  TBitmap da;
  s.plot.CopyToBitmapDAOnly(da, false);
  EXPECT_TRUE(SamePicture(out, da));
  const TBitmap& shown = s.plot.DataBitmap();  // the screen shows the new settings
  for (int y = 1; y < shown.Height() - 1; y += 7)
    for (int x = 1; x < shown.Width() - 1; x += 7)
      ASSERT_EQ(PixelAt(shown, x, y), PixelAt(out, x, y)) << x << "," << y;
}

TEST(ContourLevels, SettersCorrectTheOtherEndAndDriveTheColourScale) {
  TContourPlot p(nullptr);
  p.SetIsoParams(5, 3, 0.5);
  EXPECT_EQ(p.IsoLow(), 2.0);
  EXPECT_EQ(p.IsoHigh(), 3.0);
  EXPECT_EQ(p.IsoDist(), 0.5);

  auto scale = std::make_unique<TColorScale>(nullptr);
  p.SetAttachedColorScale(scale.get());
  p.IsoColors.SetSize(3);  // the colour scale takes the level colours ...
  p.IsoColors.SetColorElem(2, clRed);
  EXPECT_EQ(scale->ColorArray().Size(), 3);
  EXPECT_EQ(scale->ColorArray().ColorElem(2), clRed);
  EXPECT_EQ(scale->ColorLow(), 2.0);  // ... and their range
  EXPECT_EQ(scale->ScaleRangeHigh(), 3.0);

  p.SetIsoLow(3.0);  // at IsoHigh: IsoHigh moves to IsoLow + 1
  EXPECT_EQ(p.IsoHigh(), 4.0);
  EXPECT_EQ(scale->ColorLow(), 3.0);
  EXPECT_EQ(scale->ColorHigh(), 4.0);
  p.SetIsoHigh(-2.0);
  EXPECT_EQ(p.IsoLow(), -3.0);
  EXPECT_EQ(scale->ScaleRangeLow(), -3.0);
  p.SetIsoLow(std::nan(""));  // ignored
  EXPECT_EQ(p.IsoLow(), -3.0);

  scale.reset();  // a destroyed colour scale is forgotten
  EXPECT_EQ(p.AttachedColorScale(), nullptr);
  p.SetIsoLow(-10);
}

// Items and labels lie over the field; labels take world positions in layer 1 and change the
// picture through their own settings.
TEST(ContourPicture, ItemsAndLabelsOverTheField) {
  Shown s;
  s.plot.SetDataColor(clBlack);
  s.plot.SetLineWidth(3);
  s.plot.MoveTo(-4.0, 0.0);
  s.plot.DrawTo(4.0, 0.0);
  s.plot.ShowGraf();
  int px, py;
  s.plot.R2M(0.0, 0.0, px, py);
  EXPECT_EQ(s.At(px, py), clBlack);
  EXPECT_NE(s.At(px, py - 10), clBlack);

  s.plot.SetActiveLayer(2);  // labels of either layer are placed through layer 1
  s.plot.SetRange(2, 100.0, 100.0, 200.0, 200.0);
  const int calls = s.calls;
  const int ix = s.plot.AddTextLabel(2.0, 3.0, clBlack, "peak");
  EXPECT_EQ(s.calls, calls + s.Points());  // one rebuild
  TTextLabel& lb = s.plot.TextLabels(ix);
  lb.SetColorBkg(clWhite);
  lb.SetVerticalAlignment(vaTop);
  lb.SetAlignment(taLeftJustify);
  s.plot.R2M(2.0, 3.0, px, py);
  const TBitmap shown = s.host.Snapshot(s.plot);
  EXPECT_EQ(PixelAt(shown, px + 1, py + 1), clWhite);  // the label's box hangs below the anchor
  EXPECT_NE(PixelAt(shown, px + 1, py - 4), clWhite);
  lb.SetCaption("peak\nvalley");  // top alignment moves by one line: the first one is above
  EXPECT_EQ(s.At(px - 2, py - 4), clWhite);  // in the box, left of the text
  EXPECT_EQ(s.At(px + 1, py + 1), clWhite);
  s.plot.ClearAllTextLabels();
  EXPECT_NE(s.At(px + 1, py + 1), clWhite);

  s.plot.ClearGraf();  // the items go, the field stays
  s.plot.Repaint();
  s.plot.R2M(0.0, 0.0, px, py);
  EXPECT_NE(s.At(px, py), clBlack);
  EXPECT_NE(s.At(px, py), s.plot.ChartColor());
}

TEST(ContourPicture, TheVectorOutputEmbedsTheField) {
  Shown s;
  s.plot.MoveTo(-4.0, 0.0);
  s.plot.DrawTo(4.0, 0.0);
  const std::string svg = s.plot.ToSvg(false);
  EXPECT_NE(svg.find("data:image/png"), std::string::npos);
  EXPECT_NE(svg.find("polyline"), std::string::npos);
}

// A copy is the same plot in the same chart: grid, levels, colours and events, and the chart
// around the field (ranges, margins, caption, items, text labels), so it shows the same picture.
// The events it inherits act on the copy, not on the plot it was copied from.
TEST(ContourCopy, AssignTakesThePlotAndTheChartAroundIt) {
  Shown s;
  s.plot.SetNumPivotsX(7);
  s.plot.SetPlotMode(cpmDots);
  s.plot.SetIsoParams(-2, 2, 0.25);
  s.plot.SetMaskVal(3, 4, 9);
  s.plot.SetRange(-2.0, -1.0, 3.0, 4.0);
  s.plot.SetMarginLeft(72);
  s.plot.SetCaption("copied");
  s.plot.SetDataColor(clRed);
  s.plot.MoveTo(-1.0, 0.0);
  s.plot.DrawTo(2.0, 3.0);
  s.plot.AddTextLabel(0.5, 1.5, clBlue, "label");
  s.plot.CalculatePivotPoints(false);
  ProbePlot copy;
  copy.SetBounds(0, 0, s.plot.Width(), s.plot.Height());
  copy.Assign(s.plot);
  EXPECT_EQ(copy.NumPivotsX(), 7);
  EXPECT_EQ(copy.NumPivotsY(), s.plot.NumPivotsY());
  EXPECT_EQ(copy.PlotMode(), cpmDots);
  EXPECT_EQ(copy.IsoDist(), 0.25);
  EXPECT_EQ(copy.GetMaskVal(3, 4), 9);
  EXPECT_EQ(copy.GetPivotVal(7, 1), s.plot.GetPivotVal(7, 1));
  EXPECT_EQ(copy.MaxPivot(), s.plot.MaxPivot());
  EXPECT_EQ(copy.IsoColors.Size(), 16);
  EXPECT_EQ(copy.Scale1X().RangeLow(), -2.0);
  EXPECT_EQ(copy.MarginLeft(), 72);
  EXPECT_EQ(copy.NumItems(), 2);
  const int calls = s.calls;
  copy.CalculatePivotPoints(false);  // the event came along
  EXPECT_EQ(s.calls, calls + copy.NumPivotsX() * copy.NumPivotsY());
  TBitmap a, b;
  s.plot.CopyToBitmap(a, false);
  copy.CopyToBitmap(b, false);
  EXPECT_TRUE(SamePicture(a, b));

  TOffscreenHost other;
  other.Show(copy);
  s.host.ProcessMessages();
  ASSERT_FALSE(copy.InvalidDataBmp());
  ASSERT_FALSE(s.plot.InvalidDataBmp());
  copy.OnZoomPan(&copy);
  EXPECT_TRUE(copy.InvalidDataBmp());
  EXPECT_FALSE(s.plot.InvalidDataBmp());
  copy.Repaint();
  copy.OnResize(&copy);
  EXPECT_TRUE(copy.InvalidDataBmp());
  EXPECT_FALSE(s.plot.InvalidDataBmp());
  // A plain chart that takes the plot's state takes its events too, which leave the plot alone.
  TRChart chart(nullptr);
  chart.Assign(s.plot);
  chart.OnZoomPan(&chart);
  EXPECT_FALSE(s.plot.InvalidDataBmp());
}

}  // namespace
}  // namespace kiv
