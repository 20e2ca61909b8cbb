// The published chart: its defaults as a form designer sees them, the size limits, and copying a
// whole chart with Assign.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/bitmap.h"
#include "platform/errors.h"
#include "rchart/rchart.h"

namespace kiv {
namespace {

// The chart's own construction values are checked in defaults_test.cpp; these are the rest of
// the published set.
TEST(PublishedChart, AFreshChartHasTheDeclaredDefaults) {
  TRChart c(nullptr);
  EXPECT_EQ(c.ClassName(), "TRChart");
  EXPECT_EQ(c.Align(), alNone);
  EXPECT_TRUE(c.Visible());
  EXPECT_EQ(c.StyleElements(), (TStyleElements{seFont, seClient, seBorder}));
  EXPECT_FALSE(c.AvoidDuplicateMarks());
  EXPECT_EQ(c.AllocSize(), 1000);
  EXPECT_EQ((std::array{c.LRim(), c.RRim(), c.TRim(), c.BRim()}), (std::array{50, 20, 20, 40}));
  EXPECT_EQ(c.MinDupMarkDist(), 1);
  EXPECT_EQ(c.ClassDefault(), 0);
  EXPECT_EQ(c.GridDx(), 0);
  EXPECT_EQ(c.GridDy(), 0);
  EXPECT_FALSE(c.Isometric());
  EXPECT_EQ(c.PenStyle(), psSolid);
  EXPECT_EQ(c.WindColor(), TColor(0xFF00000F));
  EXPECT_EQ(c.LineWidth(), 1);
  EXPECT_EQ(c.UseDataOf(), nullptr);
  EXPECT_EQ(c.TextFont().Name(), c.Font().Name());
  EXPECT_EQ(c.TextFontStyle(), c.TextFont().Style());
  EXPECT_EQ(c.TextBkStyle(), tbClear);
  EXPECT_EQ(c.TextAlignment(), taCenter);
  EXPECT_FALSE(c.OnClick || c.OnDblClick || c.OnMouseMove || c.OnMouseDown || c.OnMouseUp ||
               c.OnKeyDown || c.OnKeyUp || c.OnKeyPress || c.OnMouseEnter || c.OnMouseLeave ||
               c.OnMouseWheel || c.OnMouseWheelUp || c.OnMouseWheelDown || c.OnDragDrop ||
               c.OnDragOver || c.OnEndDrag || c.OnStartDrag || c.OnScaleTickDrawn ||
               c.OnBeforeTickLabel || c.OnBeforeRenderData || c.OnBeforeRenderChartItem ||
               c.OnBeforeRenderText || c.OnDataRendered || c.OnScalesRendered || c.OnCanResize ||
               c.OnResize);
}

// A chart with items in both containers, long texts, settings, an axis range, a crosshair, a text
// label and a handler, using another chart's data.
struct Source {
  TRChart owner{nullptr};
  TRChart chart{nullptr};
  Source() {
    chart.SetBounds(0, 0, 240, 180);
    chart.SetUseDataOf(&owner);
    chart.SetRange(1, -5, 0, 5, 100);
    chart.SetDataColor(clBlue);
    for (int i = 0; i <= 10; ++i) chart.DrawTo(double(i - 5), double(i * i));
    chart.Text(0.0, 50.0, 9, "a data text longer than fifteen");
    chart.SetAnnoMode(true);
    chart.Rectangle(-4.0, 10.0, -2.0, 30.0);
    chart.Text(2.0, 20.0, 8, "an annotation text, long too");
    chart.SetAnnoMode(false);
    chart.SetCaption("copied");
    chart.SetChartColor(clAqua);
    chart.SetGridStyle(gsLines);
    chart.SetMarginLeft(60);
    chart.Scale1Y().SetCaption("volts");
    chart.CrossHair1().SetMode(chBoth);
    chart.CrossHair1().SetPos(1, 40);
    chart.AddTextLabel(-3, 80, clRed, "label");
    chart.SetClassVisible(9, false);
    chart.SetTag(42);
    chart.OnBeforeRenderData = [](TObject*, TCanvas&, int, int) {};
    chart.OnZoomPan = [](TObject*) {};
  }
};

TEST(ChartAssign, ACopyHasTheSameItemsSettingsAndPictureButSharesNothing) {
  Source s;
  TCustomRChart copy(nullptr);
  copy.SetBounds(0, 0, 240, 180);
  copy.Assign(s.chart);

  EXPECT_EQ(copy.UseDataOf(), nullptr);
  EXPECT_EQ(s.owner.DataUsersNum(), 1);
  ASSERT_EQ(copy.NumItems(), s.chart.NumItems());
  ASSERT_EQ(copy.NumAnnos(), 2);
  for (int i = 0; i < copy.NumItems(); ++i) {
    const TrcChartItem a = copy.GetChartItem(i), b = s.chart.GetChartItem(i);
    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << i;
  }
  EXPECT_EQ(copy.GetDataLongText(11), "a data text longer than fifteen");
  EXPECT_EQ(copy.GetAnnoLongText(1), "an annotation text, long too");
  EXPECT_EQ(copy.ItemCount(tkLineto), 11);
  EXPECT_EQ(copy.Caption(), "copied");
  EXPECT_EQ(copy.MarginLeft(), 60);
  EXPECT_EQ(copy.ScalePropsY(1).RangeHigh(), 100);
  EXPECT_EQ(copy.Scale1Y().Caption(), "volts");
  EXPECT_EQ(copy.CrossHair1().Mode(), chBoth);
  EXPECT_EQ(copy.TextLabels(1).Caption(), "label");
  EXPECT_FALSE(copy.ClassVisible(9));
  EXPECT_EQ(copy.Tag(), 42);
  EXPECT_TRUE(copy.OnBeforeRenderData && copy.OnZoomPan);
  EXPECT_EQ(copy.ZoomStack(1, 0).Right, 5);

  TBitmap a, b;
  s.chart.CopyToBitmap(a, false, true);
  copy.CopyToBitmap(b, false, true);
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  int differing = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      differing += a.Canvas().Pixels(x, y) != b.Canvas().Pixels(x, y);
  EXPECT_EQ(differing, 0);

  // Independent: neither the copy's items nor its axes' reports reach the source.
  copy.DrawTo(9.0, 9.0);
  EXPECT_EQ(s.owner.NumItems(), 12);
  int src_ticks = 0, copy_ticks = 0;
  s.chart.OnScaleTickDrawn = [&](TObject*, TCanvas&, TScaleType, double, int, int) { ++src_ticks; };
  copy.OnScaleTickDrawn = [&](TObject*, TCanvas&, TScaleType, double, int, int) { ++copy_ticks; };
  copy.CopyToBitmap(b, false);
  EXPECT_GT(copy_ticks, 0);
  EXPECT_EQ(src_ticks, 0);
}

TEST(ChartAssign, AnOwnerThatTakesACopyReleasesItsUsers) {
  Source s;
  TRChart target(nullptr), user(nullptr);
  target.MarkAt(1.0, 1.0, 3);
  user.SetUseDataOf(&target);
  target.Assign(s.chart);
  EXPECT_EQ(target.DataUsersNum(), 0);
  EXPECT_EQ(user.UseDataOf(), nullptr);
  EXPECT_EQ(user.NumItems(), 1);  // the user keeps what it showed
  EXPECT_EQ(target.NumItems(), 12);
}

TEST(ChartAssign, OnlyChartsAreAssignedToCharts) {
  TRChart c(nullptr);
  TFont font;
  TBitmap bitmap(2, 2);
  EXPECT_THROW(c.Assign(font), EKIVError);
  EXPECT_THROW(bitmap.Assign(c), EKIVError);
  c.Assign(c);  // itself: nothing happens
  EXPECT_EQ(c.NumItems(), 0);
}

}  // namespace
}  // namespace kiv
