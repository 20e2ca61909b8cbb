// The box plot: statistics against a hand-computed table, the listing byte for byte, the items
// of a box in both orientations, the column labels, settings, painting switch and the
// caller's table.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "boxplot/boxplot.h"
#include "boxplot/boxplot_listing.h"
#include "platform/offscreen_host.h"

namespace kiv {
namespace {

class ProbeBoxPlot : public TBoxPlot {
 public:
  ProbeBoxPlot() : TBoxPlot(nullptr) {}
  void Repaint() override { ++repaints; }
  int repaints = 0;
};

// Odd, even, tied, single-value and number-free columns, padded with empty and text cells:
//   Odd     7 1 3 9 5       sorted 1 3 5 7 9
//   Even    4 10 2 8        sorted 2 4 8 10
//   Tied    3 3 3 5 3 5     sorted 3 3 3 3 5 5
//   Single  -2.5 and "n/a"
//   Words   "a" "b"
void FillTable(TDataTable& t) {
  t.Resize(5, 6);
  t.Clear();
  const char* names[] = {"Odd", "Even", "Tied", "Single", "Words"};
  for (int c = 1; c <= 5; ++c) t.SetColName(c, names[c - 1]);
  const double odd[] = {7, 1, 3, 9, 5}, even[] = {4, 10, 2, 8}, tied[] = {3, 3, 3, 5, 3, 5};
  for (int r = 1; r <= 5; ++r) t.SetElem(1, r, odd[r - 1]);
  for (int r = 1; r <= 4; ++r) t.SetElem(2, r, even[r - 1]);
  for (int r = 1; r <= 6; ++r) t.SetElem(3, r, tied[r - 1]);
  t.SetElem(4, 2, -2.5);
  t.SetElem(4, 5, std::string("n/a"));
  t.SetElem(5, 1, std::string("a"));
  t.SetElem(5, 6, std::string("b"));
}

TEST(BoxPlotStatistics, HandComputedColumns) {
  ProbeBoxPlot bp;
  FillTable(bp.Data());
  bp.Update();
  // Percentile rank h = (n - 1) p / 100 from 0, interpolated towards the next value.
  struct Row {
    int count;
    double mean, min, p10, q1, median, q3, p90, max;
  };
  const Row expected[] = {
      {5, 5, 1, 1.8, 3, 5, 7, 8.2, 9},       // h = 0.4, 1, 2, 3, 3.6
      {4, 6, 2, 2.6, 3.5, 6, 8.5, 9.4, 10},  // h = 0.3, 0.75, 1.5, 2.25, 2.7
      {6, 22.0 / 6, 3, 3, 3, 3, 4.5, 5, 5},  // h = 0.5, 1.25, 2.5, 3.75, 4.5
      {1, -2.5, -2.5, -2.5, -2.5, -2.5, -2.5, -2.5, -2.5},
      {0, 0, 0, 0, 0, 0, 0, 0, 0},
  };
  for (int c = 1; c <= 5; ++c) {
    const TBoxStatistics s = bp.ColumnStatistics(c);
    const Row& e = expected[c - 1];
    EXPECT_EQ(s.Count, e.count) << c;
    EXPECT_DOUBLE_EQ(s.Mean, e.mean) << c;
    EXPECT_DOUBLE_EQ(s.Min, e.min) << c;
    EXPECT_DOUBLE_EQ(s.P10, e.p10) << c;
    EXPECT_DOUBLE_EQ(s.Q1, e.q1) << c;
    EXPECT_DOUBLE_EQ(s.Median, e.median) << c;
    EXPECT_DOUBLE_EQ(s.Q3, e.q3) << c;
    EXPECT_DOUBLE_EQ(s.P90, e.p90) << c;
    EXPECT_DOUBLE_EQ(s.Max, e.max) << c;
  }
  // The column statistics are the table's own numbers.
  double q1, med, q3;
  bp.Data().QuartilesOfNumCells(3, 1, 3, 6, q1, med, q3);
  EXPECT_EQ(bp.ColumnStatistics(3).Q3, q3);
  EXPECT_EQ(bp.ColumnStatistics(2).P90, bp.Data().PercentileOfNumCells(90, 2, 1, 2, 6));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(BoxPlotListing, TableExportThenBoxParametersByteForByte) {
  ProbeBoxPlot bp;
  FillTable(bp.Data());
  bp.Data().SetColName(2, "A rather long column name");
  const std::string path = std::string(KIV_TEST_OUT_DIR) + "/boxplot_listing.txt";
  std::remove(path.c_str());
  bp.SaveDataASC(path);  // creates the file
  EXPECT_EQ(ReadFile(path),
            "Odd\tA rather long column name\tTied\tSingle\tWords\n"
            "7\t4\t3\t\ta\n"
            "1\t10\t3\t-2.5\t\n"
            "3\t2\t3\t\t\n"
            "9\t8\t5\t\t\n"
            "5\t\t3\tn/a\t\n"
            "\t\t5\t\tb\n"
            "\n"
            "------------------------------ Box Parameters ------------------------------\n"
            "\n"
            "          Odd      A rather lo.     Tied        Single       Words     \n"
            "Mean:            5            6     3.666667         -2.5            0 \n"
            " Min:            1            2            3         -2.5            0 \n"
            " P10:          1.8          2.6            3         -2.5            0 \n"
            "  Q1:            3          3.5            3         -2.5            0 \n"
            "  Q2:            5            6            3         -2.5            0 \n"
            "  Q3:            7          8.5          4.5         -2.5            0 \n"
            " P90:          8.2          9.4            5         -2.5            0 \n"
            " Max:            9           10            5         -2.5            0 \n");
  EXPECT_THROW(bp.SaveDataASC(std::string(KIV_TEST_OUT_DIR) + "/no/such/dir/x.txt"), EKIVError);
}

struct ItemRow {
  TrcItem kind;
  double x, y, x2, y2;
  TColor color;
  int mark;
};

std::vector<ItemRow> Items(const TCustomRChart& c) {
  std::vector<ItemRow> rows;
  for (int i = 0; i < c.NumItems(); ++i) {
    const TrcChartItem it = c.GetChartItem(i);
    const bool two = it.ItemKind == tkLine || it.ItemKind == tkRect;
    rows.push_back({it.ItemKind, it.x, it.y, two ? it.x2 : 0, two ? it.y2 : 0, it.Color,
                    it.ItemKind == tkMarkAt ? it.Param3 : 0});
  }
  return rows;
}

void ExpectItems(const std::vector<ItemRow>& got, const std::vector<ItemRow>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].kind, want[i].kind) << "item " << i;
    EXPECT_DOUBLE_EQ(got[i].x, want[i].x) << "item " << i;
    EXPECT_DOUBLE_EQ(got[i].y, want[i].y) << "item " << i;
    EXPECT_DOUBLE_EQ(got[i].x2, want[i].x2) << "item " << i;
    EXPECT_DOUBLE_EQ(got[i].y2, want[i].y2) << "item " << i;
    EXPECT_EQ(got[i].color, want[i].color) << "item " << i;
    EXPECT_EQ(got[i].mark, want[i].mark) << "item " << i;
  }
}

TEST(BoxPlotItems, OneBoxInBothOrientations) {
  ProbeBoxPlot bp;
  FillTable(bp.Data());
  bp.Data().Resize(1, 6);  // the odd column alone: 1, 3, 5, 7, 9
  bp.SetBoxWidth(0.4);
  bp.SetShow90Perc(true);
  bp.SetColorMean(clRed);
  bp.SetColor90Perc(clGreen);
  bp.SetColorMinMax(clBlue);
  std::vector<int> columns;
  bp.OnBeforeBoxDraw = [&](TObject*, int c, TColor& lines, TColor&, TColor&, TColor&, TColor&,
                           TColor& median) {
    columns.push_back(c);
    lines = clNavy;
    median = clMaroon;
  };
  bp.Update();
  EXPECT_EQ(columns, std::vector<int>{1});
  // Whiskers, extreme marks, box, 10/90 bars of half width w / 4, median bar, mean mark.
  ExpectItems(Items(bp), {{tkLine, 1, 3, 1, 1, clBlue, 0},
                          {tkLine, 1, 7, 1, 9, clBlue, 0},
                          {tkMarkAt, 1, 1, 0, 0, clBlue, 26},
                          {tkMarkAt, 1, 9, 0, 0, clBlue, 26},
                          {tkRect, 0.8, 3, 1.2, 7, clNavy, 0},
                          {tkLine, 0.9, 1.8, 1.1, 1.8, clGreen, 0},
                          {tkLine, 0.9, 8.2, 1.1, 8.2, clGreen, 0},
                          {tkLine, 0.8, 5, 1.2, 5, clMaroon, 0},
                          {tkMarkAt, 1, 5, 0, 0, clRed, 5}});
  EXPECT_EQ(bp.GetChartItem(4).FillColor, 15329769);  // the body colour

  bp.SetSymbol90Perc(3);
  bp.SetSymbolMedian(9);
  bp.SetShowMinMax(false);
  bp.SetShowMean(false);
  bp.SetOrientation(bpltHorizontal);
  ExpectItems(Items(bp), {{tkLine, 3, 1, 1, 1, clBlue, 0},
                          {tkLine, 7, 1, 9, 1, clBlue, 0},
                          {tkRect, 3, 0.8, 7, 1.2, clNavy, 0},
                          {tkMarkAt, 1.8, 1, 0, 0, clGreen, 3},
                          {tkMarkAt, 8.2, 1, 0, 0, clGreen, 3},
                          {tkMarkAt, 5, 1, 0, 0, clMaroon, 9}});
}

TEST(BoxPlotSettings, ClampsOrientationAndGrid) {
  ProbeBoxPlot bp;
  EXPECT_EQ(bp.Caption(), "BoxPlot");
  EXPECT_EQ(bp.MarginBottom(), 24);
  EXPECT_FALSE(bp.Scale1X().Visible());
  EXPECT_EQ(bp.Orientation(), bpltVertical);
  EXPECT_EQ(bp.Scale1X().RangeHigh(), 2);
  EXPECT_EQ(bp.Scale1Y().RangeLow(), -1);
  bp.SetBoxWidth(2);
  EXPECT_EQ(bp.BoxWidth(), 1);
  bp.SetBoxWidth(-1);
  EXPECT_EQ(bp.BoxWidth(), 0);
  bp.SetSymbolMean(60);
  EXPECT_EQ(bp.SymbolMean(), 5);
  bp.SetSymbolMax(51);
  EXPECT_EQ(bp.SymbolMax(), 51);
  bp.SetGridStyle(bpgsDotLines);
  EXPECT_EQ(bp.TCustomRChart::GridStyle(), gsHorizDotLines);
  bp.SetOrientation(bpltHorizontal);
  EXPECT_EQ(bp.TCustomRChart::GridStyle(), gsVertDotLines);
  EXPECT_TRUE(bp.Scale1X().Visible());
  EXPECT_FALSE(bp.Scale1Y().Visible());
  EXPECT_EQ(bp.Scale1X().RangeLow(), -1);  // the ranges swapped
  EXPECT_EQ(bp.Scale1Y().RangeHigh(), 2);
  // AutoRange over the values, widened by 10 % of their span on each side.
  FillTable(bp.Data());
  bp.AutoRange(10);  // values -2.5 .. 10: e = 1.25; 5 columns
  EXPECT_DOUBLE_EQ(bp.Scale1X().RangeLow(), -3.75);
  EXPECT_DOUBLE_EQ(bp.Scale1X().RangeHigh(), 11.25);
  EXPECT_DOUBLE_EQ(bp.Scale1Y().RangeHigh(), 6);
  // A column that lost its numbers counts as empty: no stale extremes, no pull towards 0.
  bp.Data().Resize(2, 6);
  for (int r = 1; r <= 6; ++r) bp.Data().SetElem(2, r, std::string("gone"));
  bp.SetOrientation(bpltVertical);
  bp.AutoRange(0);
  EXPECT_EQ(bp.ColumnStatistics(2).Count, 0);
  EXPECT_EQ(bp.ColumnStatistics(2).Max, 0);
  EXPECT_DOUBLE_EQ(bp.Scale1Y().RangeLow(), 1);  // the odd column alone: 1 .. 9
  EXPECT_DOUBLE_EQ(bp.Scale1Y().RangeHigh(), 9);
}

TEST(BoxPlotLabels, NamesPlacesAndTemplate) {
  {
    ProbeBoxPlot fresh;  // one column of 100 random values
    EXPECT_EQ(fresh.Data().NrOfColumns(), 1);
    EXPECT_EQ(fresh.ColumnStatistics(1).Count, 100);
    EXPECT_GT(fresh.NumItems(), 0);
    EXPECT_TRUE(fresh.TextLabels(1).Visible());
    EXPECT_EQ(fresh.TextLabels(1).Caption(), "Col 1");
    EXPECT_EQ(fresh.TextLabels(1).Mode(), tlmShadowed);
    EXPECT_FALSE(fresh.TextLabels(2).Visible());
  }
  ProbeBoxPlot bp;
  bp.SetSuppressPaint(false);
  bp.Data().Resize(35, 3);
  bp.Data().SetColName(2, "T [\\B0C]");
  EXPECT_EQ(bp.TextLabels(2).Caption(), "T [\u00B0C]");
  EXPECT_TRUE(bp.TextLabels(30).Visible());
  EXPECT_EQ(bp.TextLabels(30).Caption(), "Col 30");
  // Vertical: x at the column, y Position pixels above the bottom margin.
  EXPECT_EQ(bp.TextLabels(7).PosX(), 7);
  EXPECT_EQ(bp.TextLabels(7).PosY(), 200 - 8 - 24);
  EXPECT_EQ(bp.TextLabels(7).AttachToData(), taX);
  EXPECT_EQ(bp.TextLabels(7).VerticalAlignment(), vaBottom);
  bp.Labels().SetPosition(-10);
  EXPECT_EQ(bp.TextLabels(7).PosY(), 20 + 10);
  EXPECT_EQ(bp.TextLabels(7).VerticalAlignment(), vaTop);
  bp.SetBounds(0, 0, 300, 260);
  bp.Labels().SetPosition(5);
  bp.Labels().SetColorBkg(clYellow);
  EXPECT_EQ(bp.TextLabels(3).PosY(), 260 - 5 - 24);
  EXPECT_EQ(bp.TextLabels(3).ColorBkg(), clYellow);
  // Horizontal: y at the column, x Position pixels left of the right margin.
  bp.SetOrientation(bpltHorizontal);
  EXPECT_EQ(bp.TextLabels(3).PosY(), 3);
  EXPECT_EQ(bp.TextLabels(3).PosX(), 300 - 5 - 20);
  EXPECT_EQ(bp.TextLabels(3).AttachToData(), taY);
  EXPECT_EQ(bp.TextLabels(3).Alignment(), taRightJustify);
  bp.Data().Resize(3, 3);
  EXPECT_TRUE(bp.TextLabels(3).Visible());
  EXPECT_FALSE(bp.TextLabels(4).Visible());
}

TEST(BoxPlotPainting, DataChangesWaitWhileSuppressed) {
  ProbeBoxPlot bp;  // painting suppressed until the window exists
  FillTable(bp.Data());
  EXPECT_EQ(bp.repaints, 0);
  EXPECT_EQ(bp.TextLabels(2).Caption(), "");  // nothing rebuilt yet
  // Update builds from the current data, not from the statistics of the old table.
  bp.Update();
  EXPECT_EQ(bp.ColumnStatistics(2).Max, 10);
  EXPECT_EQ(bp.TextLabels(2).Caption(), "Even");
  bp.Data().SetElem(2, 1, 40.0);
  EXPECT_EQ(bp.ColumnStatistics(2).Max, 10);
  bp.SetSuppressPaint(false);  // statistics, rebuild, one repaint
  EXPECT_EQ(bp.ColumnStatistics(2).Max, 40);
  EXPECT_EQ(bp.repaints, 1);
  bp.Data().SetElem(2, 2, 50.0);
  EXPECT_EQ(bp.ColumnStatistics(2).Max, 50);
  EXPECT_EQ(bp.repaints, 2);
}

TEST(BoxPlotPainting, AShownBoxPlotFollowsItsData) {
  TOffscreenHost host;
  TBoxPlot bp(nullptr);
  bp.SetBounds(0, 0, 200, 160);
  bp.Data().Resize(1, 3);
  host.Show(bp);  // the window: statistics, items, picture
  bp.SetRange(0, 0, 2, 10);
  bp.Data().SetElem(1, 1, 2.0);
  bp.Data().SetElem(1, 2, 6.0);
  bp.Data().SetElem(1, 3, 8.0);  // box from 4 to 7 at x = 1
  host.ProcessMessages();
  int x, y;
  bp.R2M(1, 1.1, 5.5, x, y);
  EXPECT_EQ(host.Snapshot(bp).Canvas().Pixels(x, y), bp.ColorBody());
  bp.Data().SetElem(1, 2, 2.0);  // box from 2 to 5
  host.ProcessMessages();
  EXPECT_EQ(host.Snapshot(bp).Canvas().Pixels(x, y), bp.ChartColor());
}

TEST(BoxPlotData, TheCallersTableMayGoFirst) {
  ProbeBoxPlot bp;
  bp.SetSuppressPaint(false);
  {
    TDataTable external(2, 3);
    external.SetElem(2, 1, 4.0);
    bp.AssignAnotherDataTable(external);
    EXPECT_EQ(&bp.Data(), &external);
    EXPECT_EQ(bp.ColumnStatistics(2).Max, 4);
    external.SetElem(2, 2, 6.0);
    EXPECT_EQ(bp.ColumnStatistics(2).Max, 6);
  }
  // The table is gone: the box plot goes on with an empty table of its own.
  EXPECT_EQ(bp.Data().NrOfColumns(), 1);
  EXPECT_EQ(bp.ColumnStatistics(1).Count, 0);
  EXPECT_EQ(bp.NumItems(), 0);

  auto table = std::make_unique<TDataTable>(1, 1);
  {
    ProbeBoxPlot other;
    other.AssignAnotherDataTable(*table);
  }
  table->SetElem(1, 1, 2.0);  // the dead box plot hears nothing
  EXPECT_FALSE(table->OnChange);
}

}  // namespace
}  // namespace kiv
