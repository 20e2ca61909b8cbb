// TDataTable: a table of numeric, text and empty cells with named columns, the statistics of
// its numeric cells over column and row ranges, and its export as a tab-separated text file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "platform/classes.h"
#include "services/summary.h"

namespace kiv {

enum TCellKind : std::uint8_t { ckEmpty, ckNumber, ckText };

// Columns and rows count from 1. Reading outside the table gives an empty cell (value 0, empty
// text) and writing outside it is ignored. Statistics look at numeric cells only and take a
// block given by two corner cells (c1, r1) and (c2, r2), in any order and clipped to the table.
class TDataTable : public TPersistent {
 public:
  // At most this many cells per table: a text-capable cell is larger than a matrix cell.
  static constexpr long long kMaxCells = 1LL << 24;

  TDataTable() = default;
  TDataTable(int cols, int rows) { Resize(cols, rows); }
  // A copy takes cells and column names, not the change notification.
  TDataTable(const TDataTable& other);
  // Fires OnDestroy: objects that refer to the table drop it.
  ~TDataTable() override;
  // Takes cells and column names and keeps its own change notification, which then fires.
  TDataTable& operator=(const TDataTable& other);
  std::string ClassName() const override { return "TDataTable"; }

  int NrOfColumns() const { return cols_; }
  int NrOfRows() const { return rows_; }
  bool IsInside(int col, int row) const {
    return col >= 1 && col <= cols_ && row >= 1 && row <= rows_;
  }

  // New size; cells and names of columns inside both sizes are kept, new cells are empty and
  // new columns are named "Col <number>". A negative or too large size raises EKIVError and
  // leaves the table as it was.
  void Resize(int cols, int rows);
  // Empties every cell; names and size stay.
  void Clear();

  // A number cell. NaN is not a number a statistic could use, so it empties the cell instead.
  void SetElem(int col, int row, double value);
  void SetElem(int col, int row, const std::string& text);
  void ClearElem(int col, int row);

  TCellKind CellKind(int col, int row) const;
  bool IsNumber(int col, int row) const { return CellKind(col, row) == ckNumber; }
  // The value of a number cell; 0 for text, empty and outside cells.
  double GetElem(int col, int row) const;
  // The text of a text cell; empty for every other cell.
  std::string GetText(int col, int row) const;

  // Column names; reading outside the table gives an empty name, writing is ignored.
  std::string GetColName(int col) const;
  void SetColName(int col, const std::string& name);

  int CountNumCells(int c1, int r1, int c2, int r2) const;
  // Returns the number of numeric cells; with none, min and max are 0.
  int MinMaxOfNumCells(int c1, int r1, int c2, int r2, double& min, double& max) const;
  // Mean and sample variance (divisor n - 1) of the numeric cells; returns their number. One
  // cell gives variance 0; no cells give mean and variance 0.
  int MeanVarOfNumCells(int c1, int r1, int c2, int r2, double& mean, double& variance) const;
  // Count, extremes, mean, and the 10th, 25th, 50th, 75th and 90th percentiles of the numeric
  // cells at once (the numbers the single statistics give).
  TBoxStatistics BoxStatisticsOfNumCells(int c1, int r1, int c2, int r2) const;
  // First quartile, median and third quartile: the 25th, 50th and 75th percentiles by the rule
  // of PercentileOfValues (linear interpolation between closest ranks). Returns the
  // number of numeric cells; with none, all three are 0.
  int QuartilesOfNumCells(int c1, int r1, int c2, int r2, double& q1, double& median,
                          double& q3) const;
  // The p-th percentile (p in percent, 0..100) of the numeric cells; 0 when there are none.
  double PercentileOfNumCells(double p, int c1, int r1, int c2, int r2) const;

  // Writes the table as text: a header line of the column names, then one line per row; fields
  // separated by one tab, lines ended by "\n". Number cells are written with `precision`
  // decimals (at most 20) or, for a negative precision, with the fewest digits that read back
  // as the same double (plain decimals for magnitudes from 1e-4 to below 1e15, otherwise
  // with an exponent); text cells as they are, with tabs and line breaks turned into blanks;
  // empty cells as empty fields. Raises EKIVError, with the reason, when the file cannot be
  // written; the file is replaced only when complete, so a failure leaves an older one as it was.
  void ExportAsASC(const std::string& fileName, int precision) const;
  // The text ExportAsASC writes.
  std::string AscText(int precision) const;

  // Called after every change (cells inside the table, names, Resize to a new size, Clear,
  // Assign). Between BeginUpdate and the matching EndUpdate changes are reported once.
  TNotifyEvent OnChange;
  // Called when the table is destroyed (never copied with it).
  TNotifyEvent OnDestroy;
  void BeginUpdate() { ++update_depth_; }
  void EndUpdate();
  void Changed();

  void Assign(const TPersistent& Source) override;

 private:
  using TCell = std::variant<std::monostate, double, std::string>;

  std::size_t Index(int col, int row) const {
    return static_cast<std::size_t>(col - 1) * static_cast<std::size_t>(rows_) +
           static_cast<std::size_t>(row - 1);
  }
  // The numbers of the numeric cells of a block.
  std::vector<double> NumCells(int c1, int r1, int c2, int r2) const;
  bool ClipBlock(int& c1, int& r1, int& c2, int& r2) const;
  void CopyFrom(const TDataTable& other);
  static std::string DefaultColName(int col);

  int cols_ = 0;
  int rows_ = 0;
  std::vector<TCell> cells_;  // column after column
  std::vector<std::string> names_;
  int update_depth_ = 0;
  // Each line of the ASC text in turn, line end included.
  void ForEachAscLine(int precision, const std::function<void(const std::string&)>& emit) const;
  bool change_pending_ = false;
};

// The text of a number as ExportAsASC writes it: `precision` decimals (clamped to 20), or the
// shortest exact form for a negative precision. Independent of the C locale; infinities are
// "inf" and "-inf".
std::string FormatTableNumber(double value, int precision);

}  // namespace kiv
