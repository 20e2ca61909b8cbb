// The order in which the chart composes its data area: data items and annotations (below or
// above), text annotations on top, class and layer visibility, and drawing only the new items.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compose_probe.h"
#include "platform/offscreen_host.h"

namespace kiv {
namespace {

// A chart with both layers at 0..10 whose drawing order is recorded as "d<index>" for data
// items and "a<index>" for annotations.
struct OrderChart : ComposeChart {
  OrderChart() {
    SetRange(0, 0, 0, 10, 10);
    OnBeforeRenderChartItem = [this](TObject*, TrcChartItem&, int index, bool anno) {
      std::string entry(1, anno ? 'a' : 'd');
      entry.append(std::to_string(index));
      order.push_back(entry);
    };
  }
  std::vector<std::string> Compose() {
    order.clear();
    TBitmap da;
    CopyToBitmapDAOnly(da, false);
    return order;
  }
  TColor At(double x, double y) {
    TBitmap da;
    CopyToBitmapDAOnly(da, false);
    int px, py;
    R2M(1, x, y, px, py);
    return PixelAt(da, px - MarginLeft(), py - MarginTop());
  }
  std::vector<std::string> order;
};

void FilledRect(TCustomRChart& c, double x1, double y1, double x2, double y2, TColor col) {
  c.SetDataColor(col);
  c.SetFillColor(col);
  c.Rectangle(x1, y1, x2, y2);
}

TEST(ChartOrder, AnnotationsAboveTheDataUnlessAnnoBelowChart) {
  OrderChart c;
  FilledRect(c, 1, 1, 6, 6, clRed);
  c.SetAnnoMode(true);
  FilledRect(c, 4, 4, 9, 9, clBlue);
  EXPECT_EQ(c.Compose(), (std::vector<std::string>{"d0", "a0"}));
  EXPECT_EQ(c.At(5, 5), clBlue);
  c.SetAnnoBelowChart(true);
  EXPECT_EQ(c.Compose(), (std::vector<std::string>{"a0", "d0"}));
  EXPECT_EQ(c.At(5, 5), clRed);
  EXPECT_EQ(c.At(8, 8), clBlue);
  c.SetAnnosVisible(false);
  EXPECT_EQ(c.Compose(), (std::vector<std::string>{"d0"}));
  EXPECT_EQ(c.At(8, 8), clWhite);
}

TEST(ChartOrder, TextAnnotationsComeLastWhileAnnoTextOnTop) {
  OrderChart c;
  c.SetAnnoMode(true);
  c.SetTextBkStyle(tbSolid);
  c.SetDataColor(clBlack);
  c.SetFillColor(clYellow);
  c.Text(5.0, 5.0, 14, "WWWW");       // annotation 0
  FilledRect(c, 2, 2, 8, 8, clBlue);  // annotation 1, drawn over the text's place
  c.Text(3.0, 3.0, 10, "x");          // annotation 2
  EXPECT_EQ(c.Compose(), (std::vector<std::string>{"a1", "a0", "a2"}));
  EXPECT_EQ(c.At(5, 5), clYellow);  // the text's background covers the rectangle
  c.SetAnnoTextOnTop(false);
  EXPECT_EQ(c.Compose(), (std::vector<std::string>{"a0", "a1", "a2"}));
  EXPECT_EQ(c.At(5, 5), clBlue);
}

TEST(ChartOrder, HiddenLayersAndClassesAreSkippedInBothContainers) {
  OrderChart c;
  FilledRect(c, 1, 1, 3, 3, clRed);  // d0, layer 1
  c.SetActiveLayer(2);
  FilledRect(c, 4, 4, 6, 6, clGreen);  // d1, layer 2
  c.SetAnnoMode(true);
  FilledRect(c, 7, 7, 9, 9, clBlue);  // a0, layer 2
  c.SetActiveLayer(1);
  c.SetClassDefault(7);
  FilledRect(c, 7, 1, 9, 3, clNavy);  // a1, layer 1, class 7
  EXPECT_EQ(c.Compose(), (std::vector<std::string>{"d0", "d1", "a0", "a1"}));
  c.SetLayerVisible(2, false);
  EXPECT_EQ(c.Compose(), (std::vector<std::string>{"d0", "a1"}));
  EXPECT_EQ(c.At(2, 2), clRed);
  EXPECT_EQ(c.At(5, 5), clWhite);
  EXPECT_EQ(c.At(8, 8), clWhite);
  c.SetAnnoClassVisible(7, false);
  EXPECT_EQ(c.Compose(), (std::vector<std::string>{"d0"}));
  c.SetLayerVisible(2, true);
  c.SetClassVisible(0, false);
  EXPECT_EQ(c.Compose(), (std::vector<std::string>{"a0"}));
}

TEST(ChartOrder, NewItemsContinueThePolylineWhereItEnded) {
  TOffscreenHost host;
  ComposeChart c;
  c.SetRange(1, 0, 0, 10, 10);
  c.SetLineWidth(2);
  c.SetDataColor(clNavy);
  host.Show(c);
  c.MoveTo(1.0, 1.0);
  for (int i = 2; i <= 5; ++i) c.DrawTo(i * 1.0, i * 1.5);
  c.ShowGraf();
  EXPECT_EQ(c.LastShown(), 4);
  for (int i = 6; i <= 9; ++i) c.DrawTo(i * 1.0, 9.0 - i * 0.5);
  c.SetDataColor(clRed);
  c.MarkAt(8.0, 8.0, 3);
  c.ShowGrafNewOnly();
  EXPECT_EQ(c.LastShown(), 9);
  TBitmap full;
  c.CopyToBitmapDAOnly(full, false);
  const TBitmap& shown = c.DataBitmap();
  ASSERT_EQ(shown.Width(), full.Width());
  for (int y = 0; y < full.Height(); ++y)
    for (int x = 0; x < full.Width(); ++x)
      ASSERT_EQ(PixelAt(shown, x, y), PixelAt(full, x, y)) << x << "," << y;
  const TBitmap screen = host.Snapshot(c);
  EXPECT_EQ(PixelAt(screen, 100, 60), PixelAt(full, 50, 40));
}

}  // namespace
}  // namespace kiv
