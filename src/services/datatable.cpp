#include "services/datatable.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <new>

#include "platform/atomicfile.h"
#include "platform/errors.h"
#include "services/allocsize.h"
#include "services/percentile.h"
#include "services/summary.h"

namespace kiv {

namespace {

// Keeps the one-line-per-row, tab-separated layout intact whatever a text contains.
std::string FieldText(std::string text) {
  for (char& ch : text) {
    if (ch == '\t' || ch == '\n' || ch == '\r') ch = ' ';
  }
  return text;
}

}  // namespace

std::string FormatTableNumber(double value, int precision) {
  char buf[512];
  std::to_chars_result res;
  if (precision < 0) {
    // Plain decimals where they stay short, the exponent form for very large or small values.
    const double mag = std::fabs(value);
    const bool plain = mag == 0 || (mag >= 1e-4 && mag < 1e15);
    res = plain ? std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed)
                : std::to_chars(buf, buf + sizeof buf, value);
  } else {
    res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed,
                        std::min(precision, 20));
  }
  // 512 characters hold every double in fixed notation with 20 decimals (at most 309 digits
  // before the point); the fallback only guards against a library that disagrees.
  if (res.ec != std::errc()) return "";
  return std::string(buf, res.ptr);
}

TDataTable::TDataTable(const TDataTable& other) : TPersistent(other) {
  CopyFrom(other);
}

TDataTable::~TDataTable() {
  if (OnDestroy) OnDestroy(this);
}

TDataTable& TDataTable::operator=(const TDataTable& other) {
  if (this != &other) {
    CopyFrom(other);
    Changed();
  }
  return *this;
}

void TDataTable::CopyFrom(const TDataTable& other) {
  std::vector<TCell> cells;
  std::vector<std::string> names;
  try {
    cells = other.cells_;
    names = other.names_;
  } catch (const std::bad_alloc&) {
    RaiseOutOfMemory(ClassName(), other.cells_.size());
  }
  cells_ = std::move(cells);
  names_ = std::move(names);
  cols_ = other.cols_;
  rows_ = other.rows_;
}

std::string TDataTable::DefaultColName(int col) {
  return "Col " + std::to_string(col);
}

void TDataTable::Resize(int cols, int rows) {
  const std::size_t count = CheckedCellCount(ClassName(), cols, rows, kMaxCells);
  if (cols == cols_ && rows == rows_) return;
  std::vector<TCell> cells;
  std::vector<std::string> names;
  try {
    cells.resize(count);
    names.resize(static_cast<std::size_t>(cols));
  } catch (const std::bad_alloc&) {
    RaiseOutOfMemory(ClassName(), count);
  }
  const int keep_cols = std::min(cols, cols_);
  const int keep_rows = std::min(rows, rows_);
  for (int c = 0; c < keep_cols; ++c) {
    const auto src = cells_.begin() + static_cast<std::ptrdiff_t>(c) * rows_;
    const auto dst = cells.begin() + static_cast<std::ptrdiff_t>(c) * rows;
    std::move(src, src + keep_rows, dst);
  }
  for (int c = 0; c < cols; ++c) {
    names[static_cast<std::size_t>(c)] =
        c < keep_cols ? std::move(names_[static_cast<std::size_t>(c)]) : DefaultColName(c + 1);
  }
  cells_ = std::move(cells);
  names_ = std::move(names);
  cols_ = cols;
  rows_ = rows;
  Changed();
}

void TDataTable::Clear() {
  for (TCell& cell : cells_) cell = std::monostate{};
  Changed();
}

void TDataTable::SetElem(int col, int row, double value) {
  if (!IsInside(col, row)) return;
  if (std::isnan(value)) {
    cells_[Index(col, row)] = std::monostate{};
  } else {
    cells_[Index(col, row)] = value;
  }
  Changed();
}

void TDataTable::SetElem(int col, int row, const std::string& text) {
  if (!IsInside(col, row)) return;
  cells_[Index(col, row)] = text;
  Changed();
}

void TDataTable::ClearElem(int col, int row) {
  if (!IsInside(col, row)) return;
  cells_[Index(col, row)] = std::monostate{};
  Changed();
}

TCellKind TDataTable::CellKind(int col, int row) const {
  if (!IsInside(col, row)) return ckEmpty;
  const TCell& cell = cells_[Index(col, row)];
  if (std::holds_alternative<double>(cell)) return ckNumber;
  if (std::holds_alternative<std::string>(cell)) return ckText;
  return ckEmpty;
}

double TDataTable::GetElem(int col, int row) const {
  if (!IsInside(col, row)) return 0.0;
  const double* value = std::get_if<double>(&cells_[Index(col, row)]);
  return value ? *value : 0.0;
}

std::string TDataTable::GetText(int col, int row) const {
  if (!IsInside(col, row)) return {};
  const std::string* text = std::get_if<std::string>(&cells_[Index(col, row)]);
  return text ? *text : std::string();
}

std::string TDataTable::GetColName(int col) const {
  if (col < 1 || col > cols_) return {};
  return names_[static_cast<std::size_t>(col - 1)];
}

void TDataTable::SetColName(int col, const std::string& name) {
  if (col < 1 || col > cols_) return;
  names_[static_cast<std::size_t>(col - 1)] = name;
  Changed();
}

bool TDataTable::ClipBlock(int& c1, int& r1, int& c2, int& r2) const {
  if (c1 > c2) std::swap(c1, c2);
  if (r1 > r2) std::swap(r1, r2);
  c1 = std::max(c1, 1);
  r1 = std::max(r1, 1);
  c2 = std::min(c2, cols_);
  r2 = std::min(r2, rows_);
  return c1 <= c2 && r1 <= r2;
}

std::vector<double> TDataTable::NumCells(int c1, int r1, int c2, int r2) const {
  std::vector<double> values;
  if (!ClipBlock(c1, r1, c2, r2)) return values;
  values.reserve(static_cast<std::size_t>(c2 - c1 + 1) * static_cast<std::size_t>(r2 - r1 + 1));
  for (int c = c1; c <= c2; ++c) {
    for (int r = r1; r <= r2; ++r) {
      if (const double* v = std::get_if<double>(&cells_[Index(c, r)])) values.push_back(*v);
    }
  }
  return values;
}

int TDataTable::CountNumCells(int c1, int r1, int c2, int r2) const {
  if (!ClipBlock(c1, r1, c2, r2)) return 0;
  int count = 0;
  for (int c = c1; c <= c2; ++c) {
    for (int r = r1; r <= r2; ++r) {
      if (std::holds_alternative<double>(cells_[Index(c, r)])) ++count;
    }
  }
  return count;
}

int TDataTable::MinMaxOfNumCells(int c1, int r1, int c2, int r2, double& min, double& max) const {
  const std::vector<double> values = NumCells(c1, r1, c2, r2);
  min = 0.0;
  max = 0.0;
  if (values.empty()) return 0;
  const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
  min = *lo;
  max = *hi;
  return static_cast<int>(values.size());
}

int TDataTable::MeanVarOfNumCells(int c1, int r1, int c2, int r2, double& mean,
                                  double& variance) const {
  return MeanVarOfValues(NumCells(c1, r1, c2, r2), mean, variance);
}

TBoxStatistics TDataTable::BoxStatisticsOfNumCells(int c1, int r1, int c2, int r2) const {
  std::vector<double> values = NumCells(c1, r1, c2, r2);
  return BoxStatisticsOfValues(values);
}

int TDataTable::QuartilesOfNumCells(int c1, int r1, int c2, int r2, double& q1, double& median,
                                    double& q3) const {
  std::vector<double> values = NumCells(c1, r1, c2, r2);
  q1 = PercentileOfValues(values, 25.0);
  median = PercentileOfValues(values, 50.0);
  q3 = PercentileOfValues(values, 75.0);
  return static_cast<int>(values.size());
}

double TDataTable::PercentileOfNumCells(double p, int c1, int r1, int c2, int r2) const {
  std::vector<double> values = NumCells(c1, r1, c2, r2);
  return PercentileOfValues(values, p);
}

void TDataTable::ForEachAscLine(int precision,
                                const std::function<void(const std::string&)>& emit) const {
  std::string line;
  for (int c = 1; c <= cols_; ++c) {
    if (c > 1) line += '\t';
    line += FieldText(names_[static_cast<std::size_t>(c - 1)]);
  }
  line += '\n';
  emit(line);
  for (int r = 1; r <= rows_; ++r) {
    line.clear();
    for (int c = 1; c <= cols_; ++c) {
      if (c > 1) line += '\t';
      const TCell& cell = cells_[Index(c, r)];
      if (const double* v = std::get_if<double>(&cell)) {
        line += FormatTableNumber(*v, precision);
      } else if (const std::string* text = std::get_if<std::string>(&cell)) {
        line += FieldText(*text);
      }
    }
    line += '\n';
    emit(line);
  }
}

std::string TDataTable::AscText(int precision) const {
  std::string text;
  ForEachAscLine(precision, [&](const std::string& line) { text += line; });
  return text;
}

void TDataTable::ExportAsASC(const std::string& fileName, int precision) const {
  try {
    TAtomicFile file(fileName);
    std::string chunk;
    ForEachAscLine(precision, [&](const std::string& line) {
      chunk += line;
      if (chunk.size() >= (1u << 16)) {
        file.Write(chunk);
        chunk.clear();
      }
    });
    file.Write(chunk);
    file.Commit();
  } catch (const EPlatformError& e) {
    // The writer's message ends with the reason ("...: No space left on device").
    const std::string m = e.what();
    const std::size_t colon = m.rfind(": ");
    throw EKIVError("Cannot write the data table to file \"" + fileName + "\"" +
                    (colon == std::string::npos ? std::string() : m.substr(colon)));
  }
}

void TDataTable::EndUpdate() {
  if (update_depth_ == 0) return;
  if (--update_depth_ == 0 && change_pending_) Changed();
}

void TDataTable::Changed() {
  if (update_depth_ > 0) {
    change_pending_ = true;
    return;
  }
  change_pending_ = false;
  if (OnChange) OnChange(this);
}

void TDataTable::Assign(const TPersistent& Source) {
  if (const auto* src = dynamic_cast<const TDataTable*>(&Source)) {
    *this = *src;
    return;
  }
  TPersistent::Assign(Source);
}

}  // namespace kiv
