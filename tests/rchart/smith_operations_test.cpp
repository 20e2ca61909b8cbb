// The chart's operations on a Smith chart, as an RF engineer uses them: impedances plotted as
// marks and texts in reflection coordinates, found, marked, removed, saved and loaded again,
// labelled; the mouse trace left out of the picture; and charts made while windows are shown.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "mouse_fixture.h"
#include "rchart/smithchart.h"

namespace kiv {
namespace {

TColor PixelAt(const TBitmap& b, int x, int y) {
  return const_cast<TBitmap&>(b).Canvas().Pixels(x, y);
}

// Normalised impedances: a matched load, two near it, and three far from it.
struct Load {
  double r, x;
};
constexpr Load kLoads[] = {{1, 0}, {1.2, 0.1}, {0.9, -0.15}, {0.2, 1}, {4, -2}, {0.1, 0}};

TPoint PixelOf(const TSmithChart& c, Load z) {
  int px, py;
  c.R2M(TSmithChart::CalcReflectionReal(z.r, z.x), TSmithChart::CalcReflectionImag(z.r, z.x), px,
        py);
  return TPoint(px, py);
}

// Each load as a red mark and a text at its reflection coefficient, shown in a window.
struct Plotted {
  TOffscreenHost host;
  TSmithChart chart{nullptr};
  Plotted() {
    Application().SetHost(&host);
    chart.SetBounds(0, 0, 300, 300);
    chart.SetDataColor(clRed);
    for (const Load& z : kLoads) {
      const double gr = TSmithChart::CalcReflectionReal(z.r, z.x);
      const double gi = TSmithChart::CalcReflectionImag(z.r, z.x);
      chart.MarkAt(gr, gi, 3);
      chart.Text(gr, gi, 8, "z");
    }
    host.Show(chart);
  }
  ~Plotted() { Application().SetHost(nullptr); }
};

TEST(SmithOperations, ItemsAreFoundMarkedRemovedSavedAndLoadedInReflectionCoordinates) {
  Plotted p;
  TSmithChart& c = p.chart;
  ASSERT_EQ(c.NumItems(), 12);
  EXPECT_EQ(c.GetChartItem(1).ItemKind, tkText);
  const TBitmap shown = p.host.Snapshot(c);
  for (const Load& z : kLoads) {
    const TPoint at = PixelOf(c, z);
    EXPECT_EQ(PixelAt(shown, at.X, at.Y), clRed) << z.r << " " << z.x;
  }

  double d = 0;
  EXPECT_EQ(c.FindNearestItemReal(0.01, 0.0, tkMarkAt, 255, d), 0);  // the matched load
  EXPECT_NEAR(d, 0.01, 1e-12);
  const TPoint far = PixelOf(c, kLoads[4]);
  double qx, qy;
  c.M2R(far.X - 3, far.Y, qx, qy);
  EXPECT_EQ(c.FindNearestItemScreen(qx, qy, tkMarkAt, 255, d), 8);
  EXPECT_EQ(d, 3);

  const std::string name = KIV_TEST_OUT_DIR "/smith_items.dat";
  c.SaveData(name);
  TSmithChart copy(nullptr);
  copy.SetBounds(0, 0, 300, 300);
  EXPECT_EQ(copy.LoadData(name, false), 12);
  TBitmap a, b;
  c.CopyToBitmap(a, false);
  copy.CopyToBitmap(b, false);
  EXPECT_TRUE(SamePicture(a, b));

  // The loads within 0.15 of the centre, taken in a window, get class 7 and go.
  EXPECT_EQ(c.MarkItemsInWindow(0.15, 0.15, -0.15, -0.15, tkMarkAt, 7), 3);
  EXPECT_EQ(c.GetChartItem(2).ItemClass, 7);
  EXPECT_EQ(c.GetChartItem(3).ItemClass, 0);  // the text beside it is no mark
  EXPECT_EQ(c.RemoveItemsByClass(7), 3);
  c.RemoveLastItem();
  EXPECT_EQ(c.GetItemCount(tkText), 5);
  c.ShowGraf();
  const TPoint centre = PixelOf(c, kLoads[0]);
  EXPECT_NE(PixelAt(p.host.Snapshot(c), centre.X, centre.Y), clRed);
}

// A text label at a reflection coefficient shows there and changes nothing elsewhere.
TEST(SmithOperations, TextLabelsSitAtReflectionCoordinates) {
  Plotted p;
  TSmithChart& c = p.chart;
  const TPoint open = PixelOf(c, {1e9, 0});  // the open circuit at 1 + j0
  const TBitmap before = p.host.Snapshot(c);
  ASSERT_GT(c.AddTextLabel(1.0, 0.0, clBlue, "open"), 0);
  c.Repaint();
  const TBitmap shown = p.host.Snapshot(c);
  int near = 0, far = 0;
  for (int y = 0; y < shown.Height(); ++y)
    for (int x = 0; x < shown.Width(); ++x)
      if (PixelAt(shown, x, y) != PixelAt(before, x, y))
        ++(std::abs(x - open.X) <= 30 && std::abs(y - open.Y) <= 20 ? near : far);
  EXPECT_GT(near, 20);
  EXPECT_EQ(far, 0);
}

// A Smith chart records a mouse trace like any chart, but its picture leaves the trace out.
TEST(SmithOperations, TheMouseTraceIsRecordedButNotPainted) {
  Plotted p;
  TSmithChart& c = p.chart;
  c.SetMouseAction(mactTrace);
  c.SetMouseTraceInvert(false);
  c.SetMouseTraceColor(clFuchsia);
  p.host.Drag(100, 150, 200, 150, 8);
  EXPECT_GT(c.NumMTracePoints(), 1);
  TBitmap picture;
  c.CopyToBitmap(picture, false);
  for (int x = 100; x <= 200; ++x) ASSERT_NE(PixelAt(picture, x, 150), clFuchsia) << x;
}

// Charts made while the application shows windows: their internal scales never become windows
// that paint (and record ticks) on their own. So a chart's screen shows its axes drawn once, as
// its export does, and the Smith chart's hidden axes give its point grid no points.
TEST(SmithOperations, ChartsMadeWhileWindowsAreShownLookTheSame) {
  TSmithChart before(nullptr);
  before.SetBounds(0, 0, 300, 300);
  TOffscreenHost host;
  Application().SetHost(&host);
  TSmithChart during(nullptr);
  during.SetBounds(0, 0, 300, 300);
  TCustomRChart chart(nullptr);
  chart.SetBounds(0, 0, 300, 200);
  chart.Scale1X().SetVisible(false);
  chart.Scale1X().SetVisible(true);
  host.Show(during);
  host.Show(chart);
  Application().SetHost(nullptr);
  EXPECT_FALSE(during.ScaleX(1).HandleAllocated());
  EXPECT_EQ(during.ScaleX(1).NumTicks(), 0);
  TBitmap a, b;
  before.CopyToBitmap(a, false);
  during.CopyToBitmap(b, false);
  EXPECT_TRUE(SamePicture(a, b));
  chart.CopyToBitmap(a, false);
  EXPECT_TRUE(SamePicture(host.Snapshot(chart), a));
}

}  // namespace
}  // namespace kiv
