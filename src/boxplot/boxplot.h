// TBoxPlot: box-and-whisker plots of the columns of a data table, built as items of the
// two-dimensional chart, with the column names as text labels and a text report of the
// statistics.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "boxplot/boxplot_label.h"
#include "rchart/customrchart.h"
#include "services/datatable.h"
#include "services/summary.h"

namespace kiv {

enum TBoxPlotGridStyle : std::uint8_t { bpgsNone, bpgsLines, bpgsDotLines };
enum TBoxPlotOrientation : std::uint8_t { bpltHorizontal, bpltVertical };

// Before each box is built: the column (1..n) and the six colours it will be drawn with.
using TOnBeforeBoxDrawEvent = std::function<void(
    TObject* Sender, int Column, TColor& ColorLines, TColor& ColorBody, TColor& ColorMinMax,
    TColor& Color90Perc, TColor& ColorMean, TColor& ColorMedian)>;

// Column c of the table is drawn at position c of the category axis (x in the vertical
// orientation, y in the horizontal one) on layer 1: whiskers from the minimum to the first
// quartile and from the third quartile to the maximum, a box between the quartiles, and marks or
// bars for the extremes, the 10th and 90th percentiles, the median and the mean. Text labels 1
// to 30 carry the column names. Every change of the data or of a setting rebuilds the items
// (CreateChart) and repaints; while painting is suppressed, data changes wait until it is
// allowed again (or until Update).
class TBoxPlot : public TCustomRChart {
 public:
  explicit TBoxPlot(TComponent* AOwner);
  ~TBoxPlot() override;
  std::string ClassName() const override { return "TBoxPlot"; }

  // --- Data. A new box plot owns a table of one column of 100 normally distributed values.
  TDataTable& Data() { return *FData; }
  // Uses a table that belongs to the caller (the box plot never frees it; a table destroyed
  // while in use is replaced by an empty one of the box plot's own), then rebuilds.
  void AssignAnotherDataTable(TDataTable& DTab);
  // The statistics of column c (1..n) as the last computation found them; all 0 outside.
  TBoxStatistics ColumnStatistics(int c) const;

  // Rebuilds the items and repaints (this is also the framework's Update of the control, which
  // a repaint of the box plot does not go through).
  void Update() override { CreateChart(); }
  void Repaint() override;
  // Statistics, then layer 1's range: the columns 0..n + 1 along the category axis and the
  // values from the smallest minimum to the largest maximum widened by Margin percent of that
  // span on each side.
  void AutoRange(double Margin);
  void SetRange(long double xLo, long double yLo, long double xHi, long double yHi) {
    TCustomRChart::SetRange(1, xLo, yLo, xHi, yHi);
  }
  // Appends to the table's text export (written to FName first) the box parameters of every
  // column: mean, minimum, 10th percentile, quartiles, 90th percentile and maximum.
  void SaveDataASC(const std::string& FName);

  // --- Look (each change rebuilds and repaints).
  TColor ColorBody() const { return FColorBody; }
  void SetColorBody(TColor v);
  TColor ColorLines() const { return FColorLines; }
  void SetColorLines(TColor v);
  TColor ColorMedian() const { return FColorMedian; }
  void SetColorMedian(TColor v);
  TColor ColorMean() const { return FColorMean; }
  void SetColorMean(TColor v);
  TColor Color90Perc() const { return FColor90Perc; }
  void SetColor90Perc(TColor v);
  TColor ColorMinMax() const { return FColorMinMax; }
  void SetColorMinMax(TColor v);
  bool Show90Perc() const { return FShow90Perc; }
  void SetShow90Perc(bool v);
  bool ShowMean() const { return FShowMean; }
  void SetShowMean(bool v);
  bool ShowMedian() const { return FShowMedian; }
  void SetShowMedian(bool v);
  bool ShowMinMax() const { return FShowMinMax; }
  void SetShowMinMax(bool v);
  // World units along the category axis, clamped to 0..1.
  double BoxWidth() const { return FBPlotWidth; }
  void SetBoxWidth(double v);
  TBoxPlotGridStyle GridStyle() const { return FGridStyle; }
  void SetGridStyle(TBoxPlotGridStyle v);
  // Swaps layer 1's x and y ranges and the visible axis.
  TBoxPlotOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TBoxPlotOrientation v);
  // Mark numbers (0..51; larger values are ignored). A median or percentile symbol 0 draws a
  // bar across the box instead of a mark.
  std::uint8_t SymbolMin() const { return FMinMark; }
  void SetSymbolMin(std::uint8_t v);
  std::uint8_t SymbolMax() const { return FMaxMark; }
  void SetSymbolMax(std::uint8_t v);
  std::uint8_t SymbolMean() const { return FMeanMark; }
  void SetSymbolMean(std::uint8_t v);
  std::uint8_t SymbolMedian() const { return FMedianMark; }
  void SetSymbolMedian(std::uint8_t v);
  std::uint8_t Symbol90Perc() const { return FPerc90Mark; }
  void SetSymbol90Perc(std::uint8_t v);
  // The template of the column labels; its changes rebuild.
  TBoxPlotLabel& Labels() { return *FLabels; }
  void SetLabels(const TBoxPlotLabel& v);

  TOnBeforeBoxDrawEvent OnBeforeBoxDraw;

  // Storing false computes the statistics, rebuilds and repaints.
  void SetSuppressPaint(bool value) override;
  // The chart's bounds, then the column labels follow the new size.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

 protected:
  void CreateWnd() override;
  // Clears the items and builds grid, boxes and column labels from the statistics.
  void CreateChart();
  // Statistics and label captions of a changed table (or label template), then CreateChart.
  void DataChanged(TObject* Sender);
  // The statistics of every column.
  void CommitChangedData();

 private:
  void ConnectData();
  void DisconnectData();
  void DataDestroyed();
  void SetLabelCaptions();
  // Places label c (1..30) by orientation and Position.
  void PlaceLabel(int c);
  void PlaceLabels();
  void BuildBox(int c, const TBoxStatistics& s);
  // Stores a changed setting and rebuilds.
  template <typename T>
  void Rebuild(T& field, const T& v) {
    if (field == v) return;
    field = v;
    CreateChart();
  }

  std::unique_ptr<TDataTable> FOwnedData;
  TDataTable* FData = nullptr;
  bool FExtMatAssigned = false;
  std::vector<TBoxStatistics> FStats;  // columns 1..n at 0..n-1
  bool FStatsStale = true;
  std::unique_ptr<TBoxPlotLabel> FLabels;

  TColor FColorBody = 15329769;
  TColor FColorLines = clBlack;
  TColor FColorMedian = clBlack;
  TColor FColorMean = 16711680;
  TColor FColor90Perc = 16711680;
  TColor FColorMinMax = clBlack;
  bool FShow90Perc = false;
  bool FShowMean = true;
  bool FShowMedian = true;
  bool FShowMinMax = true;
  double FBPlotWidth = 0.5;
  TBoxPlotGridStyle FGridStyle = bpgsNone;
  TBoxPlotOrientation FOrientation = bpltVertical;
  std::uint8_t FMinMark = 26;
  std::uint8_t FMaxMark = 26;
  std::uint8_t FMeanMark = 5;
  std::uint8_t FMedianMark = 0;
  std::uint8_t FPerc90Mark = 0;
};

}  // namespace kiv
