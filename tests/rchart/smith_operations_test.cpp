// The chart's operations on a Smith chart, as an RF engineer uses them: impedances plotted as
// marks and texts in reflection coordinates, found again, marked, removed, saved and loaded,
// labelled, and the mouse trace left out of the picture.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/application.h"
#include "platform/offscreen_host.h"
#include "rchart/smithchart.h"
#include "rchart/trchart.h"

namespace kiv {
namespace {

TColor PixelAt(const TBitmap& b, int x, int y) {
  return const_cast<TBitmap&>(b).Canvas().Pixels(x, y);
}

::testing::AssertionResult SamePicture(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height())
    return ::testing::AssertionFailure() << "sizes differ";
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (PixelAt(a, x, y) != PixelAt(b, x, y))
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ")";
  return ::testing::AssertionSuccess();
}

std::string TempName(const char* stem) {
  return (std::filesystem::temp_directory_path() /
          (std::string(stem) + std::to_string(::getpid()) + ".dat"))
      .string();
}

// Normalised impedances: a matched load, two near it, and three far from it.
struct Load {
  double r, x;
};
constexpr Load kLoads[] = {{1, 0}, {1.2, 0.1}, {0.9, -0.15}, {0.2, 1}, {4, -2}, {0.1, 0}};

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
    host.Show(chart);  // the window exists: painting is allowed from now on
  }
  ~Plotted() { Application().SetHost(nullptr); }
  TPoint Pixel(const Load& z) const {
    int px, py;
    chart.R2M(TSmithChart::CalcReflectionReal(z.r, z.x), TSmithChart::CalcReflectionImag(z.r, z.x),
              px, py);
    return TPoint(px, py);
  }
};

TEST(SmithOperations, ItemsAreFoundMarkedAndRemovedInReflectionCoordinates) {
  Plotted p;
  TSmithChart& c = p.chart;
  ASSERT_FALSE(c.SuppressPaint());
  ASSERT_EQ(c.NumItems(), 12);
  EXPECT_EQ(c.GetChartItem(1).ItemKind, tkText);
  EXPECT_DOUBLE_EQ(c.GetChartItem(8).x, TSmithChart::CalcReflectionReal(4, -2));

  // The marks drawn where the impedances lie on the diagram.
  const TBitmap shown = p.host.Snapshot(c);
  for (const Load& z : kLoads) {
    const TPoint at = p.Pixel(z);
    EXPECT_EQ(PixelAt(shown, at.X, at.Y), clRed) << z.r << " " << z.x;
  }

  double d = 0;
  EXPECT_EQ(c.FindNearestItemReal(0.01, 0.0, tkMarkAt, 255, d), 0);  // the matched load
  EXPECT_NEAR(d, 0.01, 1e-12);
  // In pixels: the mark 3 pixels right of the point asked for.
  const TPoint far = p.Pixel(kLoads[4]);
  double qx, qy;
  c.M2R(far.X - 3, far.Y, qx, qy);
  EXPECT_EQ(c.FindNearestItemScreen(qx, qy, tkMarkAt, 255, d), 8);
  EXPECT_EQ(d, 3);

  // The loads within |Γ| < 0.15 of the centre, taken in a window, get class 7 and go.
  EXPECT_EQ(c.MarkItemsInWindow(0.15, 0.15, -0.15, -0.15, tkMarkAt, 7), 3);
  EXPECT_EQ(c.GetChartItem(2).ItemClass, 7);
  EXPECT_EQ(c.GetChartItem(3).ItemClass, 0);  // the text beside it is not a mark
  EXPECT_EQ(c.RemoveItemsByClass(7), 3);
  EXPECT_EQ(c.NumItems(), 9);
  c.RemoveLastItem();
  EXPECT_EQ(c.GetItemCount(tkText), 5);
  c.ShowGraf();
  const TBitmap after = p.host.Snapshot(c);
  const TPoint centre = p.Pixel(kLoads[0]);
  EXPECT_NE(PixelAt(after, centre.X, centre.Y), clRed);
}

TEST(SmithOperations, ItemsGoToAFileAndComeBackIntoAnotherSmithChart) {
  Plotted p;
  const std::string name = TempName("kiv_smith_");
  p.chart.SaveData(name);
  TSmithChart other(nullptr);
  other.SetBounds(0, 0, 300, 300);
  EXPECT_EQ(other.LoadData(name, false), 12);
  std::remove(name.c_str());
  TBitmap a, b;
  p.chart.CopyToBitmap(a, false);
  other.CopyToBitmap(b, false);
  EXPECT_TRUE(SamePicture(a, b));
}

TEST(SmithOperations, LabelsAndCrosshairsSitAtReflectionCoordinates) {
  Plotted p;
  TSmithChart& c = p.chart;
  const TPoint open = p.Pixel({1e9, 0});  // the open circuit at Γ = 1
  const TBitmap before = p.host.Snapshot(c);
  const int ix = c.AddTextLabel(1.0, 0.0, clBlue, "open");
  ASSERT_GT(ix, 0);
  EXPECT_EQ(c.TextLabels(ix).PosX(), 1.0);
  c.Repaint();
  // The label shows at its point on the diagram and changes nothing elsewhere.
  const TBitmap shown = p.host.Snapshot(c);
  int near = 0, far = 0;
  for (int y = 0; y < shown.Height(); ++y)
    for (int x = 0; x < shown.Width(); ++x)
      if (PixelAt(shown, x, y) != PixelAt(before, x, y))
        ++(std::abs(x - open.X) <= 30 && std::abs(y - open.Y) <= 20 ? near : far);
  EXPECT_GT(near, 20);
  EXPECT_EQ(far, 0);

  c.CrossHairSetup(clLime, chBoth, psSolid, 1);
  c.CrossHairSetPos(1.0, 0.0);
  const TBitmap crossed = p.host.Snapshot(c);
  EXPECT_EQ(PixelAt(crossed, open.X, c.MarginTop() + 5), clLime);
  EXPECT_EQ(PixelAt(crossed, c.MarginLeft() + 5, open.Y), clLime);
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
  TRChart chart(nullptr);
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

// A Smith chart records a mouse trace like any chart, but its picture leaves the trace out.
TEST(SmithOperations, TheMouseTraceIsRecordedButNotPainted) {
  Plotted p;
  TSmithChart& c = p.chart;
  c.SetMouseAction(mactTrace);
  c.SetMouseTraceInvert(false);
  c.SetMouseTraceColor(clFuchsia);
  p.host.Drag(100, 150, 200, 150, 8);
  EXPECT_GT(c.NumMTracePoints(), 1);
  c.Repaint();
  TBitmap picture;
  c.CopyToBitmap(picture, false);
  for (int x = 100; x <= 200; ++x) ASSERT_NE(PixelAt(picture, x, 150), clFuchsia) << x;
}

}  // namespace
}  // namespace kiv
