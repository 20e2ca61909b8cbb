#include "services/datatable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "platform/errors.h"

namespace kiv {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// Column 1: 1..10 with a text cell and an empty cell between; column 2: 2, 4, 6.
TDataTable SampleTable() {
  TDataTable t(2, 12);
  for (int i = 1; i <= 10; ++i) t.SetElem(1, i, 11.0 - i);
  t.SetElem(1, 11, std::string("n/a"));
  for (int i = 1; i <= 3; ++i) t.SetElem(2, i, 2.0 * i);
  t.SetColName(1, "Width");
  t.SetColName(2, "Height");
  return t;
}

TEST(DataTable, CellsAreNumbersTextsOrEmpty) {
  TDataTable t(2, 2);
  t.SetElem(1, 1, 2.5);
  t.SetElem(2, 1, "label");
  t.SetElem(1, 2, 0);  // an int literal stores a number, not a text
  EXPECT_EQ(t.CellKind(1, 1), ckNumber);
  EXPECT_EQ(t.GetElem(1, 1), 2.5);
  EXPECT_EQ(t.CellKind(2, 1), ckText);
  EXPECT_EQ(t.GetText(2, 1), "label");
  EXPECT_EQ(t.GetElem(2, 1), 0.0);
  EXPECT_EQ(t.CellKind(1, 2), ckNumber);
  EXPECT_EQ(t.CellKind(2, 2), ckEmpty);
  t.SetElem(1, 1, std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(t.CellKind(1, 1), ckEmpty);
  t.SetElem(2, 2, 1.0);
  t.ClearElem(2, 2);
  EXPECT_EQ(t.CellKind(2, 2), ckEmpty);
}

TEST(DataTable, OutsideTheTableReadsAreEmptyAndWritesIgnored) {
  TDataTable t(1, 1);
  t.SetElem(0, 1, 5.0);
  t.SetElem(2, 1, "x");
  t.SetColName(2, "nope");
  EXPECT_EQ(t.CellKind(0, 1), ckEmpty);
  EXPECT_EQ(t.GetElem(1, 2), 0.0);
  EXPECT_EQ(t.GetText(-1, -1), "");
  EXPECT_EQ(t.GetColName(0), "");
  EXPECT_EQ(t.GetColName(2), "");
  EXPECT_EQ(t.CountNumCells(1, 1, 5, 5), 0);
}

TEST(DataTable, ResizeKeepsCellsAndNames) {
  TDataTable t = SampleTable();
  t.Resize(3, 4);
  EXPECT_EQ(t.NrOfColumns(), 3);
  EXPECT_EQ(t.NrOfRows(), 4);
  EXPECT_EQ(t.GetElem(1, 1), 10.0);
  EXPECT_EQ(t.GetElem(2, 3), 6.0);
  EXPECT_EQ(t.GetColName(2), "Height");
  EXPECT_EQ(t.GetColName(3), "Col 3");
  EXPECT_EQ(t.CellKind(3, 4), ckEmpty);
  EXPECT_THROW(t.Resize(-1, 1), EKIVError);
  EXPECT_THROW(t.Resize(100000, 100000), EKIVError);
  EXPECT_EQ(t.NrOfColumns(), 3);
  EXPECT_EQ(t.GetColName(1), "Width");
}

TEST(DataTable, StatisticsUseNumericCellsOnly) {
  const TDataTable t = SampleTable();
  EXPECT_EQ(t.CountNumCells(1, 1, 1, 12), 10);
  EXPECT_EQ(t.CountNumCells(1, 1, 2, 12), 13);
  double lo, hi;
  EXPECT_EQ(t.MinMaxOfNumCells(1, 1, 1, 12, lo, hi), 10);
  EXPECT_EQ(lo, 1.0);
  EXPECT_EQ(hi, 10.0);
  double mean, var;
  // 1..10: mean 5.5, sum of squared deviations 82.5, sample variance 82.5 / 9.
  EXPECT_EQ(t.MeanVarOfNumCells(1, 1, 1, 12, mean, var), 10);
  EXPECT_DOUBLE_EQ(mean, 5.5);
  EXPECT_DOUBLE_EQ(var, 82.5 / 9);
  // 2, 4, 6: mean 4, sample variance (4 + 0 + 4) / 2.
  EXPECT_EQ(t.MeanVarOfNumCells(2, 1, 2, 12, mean, var), 3);
  EXPECT_DOUBLE_EQ(mean, 4.0);
  EXPECT_DOUBLE_EQ(var, 4.0);
  double q1, med, q3;
  EXPECT_EQ(t.QuartilesOfNumCells(1, 1, 1, 12, q1, med, q3), 10);
  EXPECT_DOUBLE_EQ(q1, 3.25);
  EXPECT_DOUBLE_EQ(med, 5.5);
  EXPECT_DOUBLE_EQ(q3, 7.75);
  EXPECT_DOUBLE_EQ(t.PercentileOfNumCells(10, 1, 1, 1, 12), 1.9);
  EXPECT_DOUBLE_EQ(t.PercentileOfNumCells(90, 1, 12, 1, 1), 9.1);
  // Both columns: 1..10 plus 2, 4, 6 -> 13 values, median is the 7th of the sorted list.
  EXPECT_DOUBLE_EQ(t.PercentileOfNumCells(50, 1, 1, 2, 12), 5.0);
}

TEST(DataTable, StatisticsOfABlockWithoutNumbersAreZero) {
  TDataTable t(1, 3);
  t.SetElem(1, 1, "a");
  double a = 1, b = 1, c = 1;
  EXPECT_EQ(t.MinMaxOfNumCells(1, 1, 1, 3, a, b), 0);
  EXPECT_EQ(a, 0.0);
  EXPECT_EQ(b, 0.0);
  EXPECT_EQ(t.MeanVarOfNumCells(1, 1, 1, 3, a, b), 0);
  EXPECT_EQ(a, 0.0);
  EXPECT_EQ(t.QuartilesOfNumCells(1, 1, 1, 3, a, b, c), 0);
  EXPECT_EQ(c, 0.0);
  EXPECT_EQ(t.PercentileOfNumCells(50, 1, 1, 1, 3), 0.0);
  t.SetElem(1, 2, 4.0);
  EXPECT_EQ(t.MeanVarOfNumCells(1, 1, 1, 3, a, b), 1);
  EXPECT_EQ(a, 4.0);
  EXPECT_EQ(b, 0.0);  // one value: no spread
}

TEST(DataTable, ExportWritesHeaderAndTabSeparatedRows) {
  TDataTable t(3, 2);
  t.SetColName(1, "x");
  t.SetColName(2, "y\tvalue");
  t.SetColName(3, "note");
  t.SetElem(1, 1, 1.0);
  t.SetElem(2, 1, -2.3456);
  t.SetElem(3, 1, "first\nline");
  t.SetElem(1, 2, 1e6);
  const std::string path = std::string(KIV_TEST_OUT_DIR) + "/datatable_export.txt";
  t.ExportAsASC(path, 2);
  EXPECT_EQ(ReadFile(path),
            "x\ty value\tnote\n"
            "1.00\t-2.35\tfirst line\n"
            "1000000.00\t\t\n");
  t.ExportAsASC(path, -2);  // negative precision: shortest exact form
  EXPECT_EQ(ReadFile(path),
            "x\ty value\tnote\n"
            "1\t-2.3456\tfirst line\n"
            "1000000\t\t\n");
}

TEST(DataTable, ExportToAnUnwritablePathRaises) {
  const TDataTable t = SampleTable();
  EXPECT_THROW(t.ExportAsASC("/nonexistent-dir/table.txt", 3), EKIVError);
  EXPECT_THROW(t.ExportAsASC(KIV_TEST_OUT_DIR, 3), EKIVError);  // a directory
}

TEST(DataTable, NumberTextsIgnoreTheLocaleAndRoundTrip) {
  EXPECT_EQ(FormatTableNumber(0.1 + 0.2, -1), "0.30000000000000004");
  EXPECT_EQ(FormatTableNumber(-2e20, -1), "-2e+20");
  EXPECT_EQ(FormatTableNumber(1.5e-7, -1), "1.5e-07");
  EXPECT_EQ(FormatTableNumber(123456789012.5, -1), "123456789012.5");
  EXPECT_EQ(FormatTableNumber(2.5, 0), "2");  // to the nearest, halves to even
  EXPECT_EQ(FormatTableNumber(-0.125, 2), "-0.12");
  EXPECT_EQ(FormatTableNumber(1.0 / 3, 50).size(), 22u);  // 20 decimals at most
  EXPECT_EQ(FormatTableNumber(-std::numeric_limits<double>::infinity(), 3), "-inf");
}

TEST(DataTable, NotifiesChangesAndCopiesWithoutTheHandler) {
  TDataTable t(1, 1);
  int calls = 0;
  t.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &t);
    ++calls;
  };
  t.SetElem(1, 1, 3.0);
  t.SetColName(1, "a");
  t.SetElem(5, 5, 3.0);
  EXPECT_EQ(calls, 2);
  t.BeginUpdate();
  t.Resize(2, 2);
  t.Clear();
  t.EndUpdate();
  EXPECT_EQ(calls, 3);
  TDataTable copy(t);
  EXPECT_FALSE(copy.OnChange);
  EXPECT_EQ(copy.GetColName(1), "a");
  copy.SetElem(2, 2, "z");
  t.Assign(copy);
  EXPECT_EQ(t.GetText(2, 2), "z");
  EXPECT_EQ(calls, 4);
}

}  // namespace
}  // namespace kiv
