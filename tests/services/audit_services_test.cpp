// The base and math services as the components use them, with every expectation worked out by
// hand: hit distances of drawn rectangles, long texts in chart files, first ticks of decimal
// ranges, colour mixing on the three bytes, box-plot statistics and listings, item descriptions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "services/colorarray.h"
#include "services/datatable.h"
#include "services/distance.h"
#include "services/scalepars.h"
#include "services/stringutil.h"
#include "services/textstream.h"

namespace kiv {
namespace {

// --- Hit distances -------------------------------------------------------------------------

TEST(AuditDistFromRect, DistancesFromAPlainRectangle) {
  const TRect r(0, 0, 10, 10);
  EXPECT_EQ(DistFromRect({5, 5}, r), 0.0);
  EXPECT_EQ(DistFromRect({10, 5}, r), 0.0);  // on the right edge
  EXPECT_EQ(DistFromRect({10, 10}, r), 0.0);
  EXPECT_EQ(DistFromRect({15, 5}, r), 5.0);
  EXPECT_EQ(DistFromRect({5, -7}, r), 7.0);
  EXPECT_EQ(DistFromRect({13, 14}, r), 5.0);  // 3 and 4 beyond the corner (10, 10)
  EXPECT_EQ(DistFromRect({-6, -8}, r), 10.0);
  EXPECT_EQ(DistFromRect({-6, 18}, TRect(10, 10, 0, 0)), 10.0);  // corners in any order
}

TEST(AuditDistFromRect, ARectangleItemIsHitOnEveryPixelItDraws) {
  // A rectangle item from corner (10, 20) to corner (30, 40) is drawn with the larger x and y
  // increased by one, so it covers columns 10..30 and rows 20..40.
  TBitmap b(45, 55);
  TCanvas& c = b.Canvas();
  c.Pen().SetColor(clBlack);
  c.Brush().SetColor(clBlue);
  c.Rectangle(10, 20, 31, 41);
  const TRect item(10, 20, 30, 40);
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      const bool drawn = c.Pixels(x, y) != clWhite;
      EXPECT_EQ(DistFromRect({x, y}, item) == 0.0, drawn) << x << ", " << y;
    }
  }
  EXPECT_EQ(DistFromRect({31, 30}, item), 1.0);  // the first column right of the drawing
}

// --- Long texts of chart files ---------------------------------------------------------------

TEST(AuditTextStream, MultiLineLongTextsKeepTheirPlaces) {
  const std::vector<std::string> texts = {
      "line one\nline two",          "third entry",           "\n",
      "control byte \x10 and \x10n", "ends with a break\r\n", "last"};
  std::stringstream s;
  for (const auto& t : texts) WriteLnStream(s, t);
  const std::string bytes = s.str();
  // One CR LF per text: each text stays one line of the file.
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), static_cast<long>(texts.size()));
  bool eof = true;
  for (const auto& t : texts) {
    EXPECT_EQ(ReadLnStream(s, eof), t);
    EXPECT_FALSE(eof);
  }
  ReadLnStream(s, eof);
  EXPECT_TRUE(eof);
}

TEST(AuditTextStream, OrdinaryTextIsWrittenByteForByte) {
  std::ostringstream out;
  WriteLnStream(out,
                "T [\xC2\xB0"
                "C] \\0A C:\\data");
  EXPECT_EQ(out.str(),
            "T [\xC2\xB0"
            "C] \\0A C:\\data\r\n");
}

// --- First ticks of decimal ranges ---------------------------------------------------------

TEST(AuditCalcScalePars, TheFirstTickNeverLiesShortOfLow) {
  struct Range {
    double low, high;
  };
  for (const Range r :
       {Range{0.1, 0.9}, Range{0.2, 0.8}, Range{-0.3, 0.3}, Range{0.05, 0.35}, Range{0.7, 1.5},
        Range{45000.3, 45000.7}, Range{0.9, 0.1}, Range{0.3, -0.3}, Range{0.35, 0.05}}) {
    long double first = 0, step = 0;
    std::uint16_t sub = 0;
    CalcScalePars(5, r.low, r.high, first, step, sub);
    SCOPED_TRACE(testing::Message() << r.low << ".." << r.high);
    const long double low = r.low;
    if (r.high > r.low) {
      EXPECT_GT(step, 0);
      EXPECT_GE(first, low);
      EXPECT_LT(first - low, step);
    } else {
      EXPECT_LT(step, 0);
      EXPECT_LE(first, low);
      EXPECT_LT(low - first, -step);
    }
    EXPECT_GE(sub, 1);
  }
  // On 0.1..0.9 the first tick is the low end itself, 0.1.
  long double first = 0, step = 0;
  std::uint16_t sub = 0;
  CalcScalePars(5, 0.1, 0.9, first, step, sub);
  EXPECT_EQ(static_cast<double>(first), 0.1);
  EXPECT_EQ(static_cast<double>(step), 0.1);
}

// --- Colours -------------------------------------------------------------------------------

TEST(AuditInterpolateColor, MixesRedGreenAndBlueSeparately) {
  // 50 red, 100 green, 200 blue = 50 + 256 * 100 + 65536 * 200.
  const TColor c2 = 50 + 256 * 100 + 65536 * 200;
  EXPECT_EQ(c2, 13132850);
  // A quarter of the way from black: 12.5 (to the even 12), 25 and 50.
  EXPECT_EQ(InterpolateColor(0, c2, 0.25), 12 + 256 * 25 + 65536 * 50);
  EXPECT_EQ(InterpolateColor(c2, 0, 0.75), 12 + 256 * 25 + 65536 * 50);
  // Red halfway to blue: both channels 127.5, to the even 128.
  EXPECT_EQ(InterpolateColor(255, 16711680, 0.5), 128 + 65536 * 128);
  EXPECT_EQ(InterpolateColor(0, 3, 0.5), 2);
  EXPECT_EQ(InterpolateColor(0, 1, 0.5), 0);
}

TEST(AuditInterpolateColor, GaugeMidBandRunsFromTheEdgesToTheMiddle) {
  // n = 10 lines each side: f = 2i / n gives c1 at i = 0 and c2 at i = n div 2.
  const TColor c1 = 255;    // red
  const TColor c2 = 65280;  // green
  const int n = 10;
  EXPECT_EQ(InterpolateColor(c1, c2, 2.0 * 0 / n), c1);
  EXPECT_EQ(InterpolateColor(c1, c2, 2.0 * 5 / n), c2);
  // i = 2: f = 0.4: red 255 - 102 = 153, green 102.
  EXPECT_EQ(InterpolateColor(c1, c2, 2.0 * 2 / n), 153 + 256 * 102);
}

// --- Box plot statistics and listing -------------------------------------------------------

TEST(AuditDataTable, ColumnStatisticsSkipTextAndEmptyCells) {
  // Rows 1..7 of one column: 4, 1, "n/a", 3, empty, 5, 2.
  TDataTable t(1, 7);
  t.SetElem(1, 1, 4.0);
  t.SetElem(1, 2, 1.0);
  t.SetElem(1, 3, std::string("n/a"));
  t.SetElem(1, 4, 3.0);
  t.SetElem(1, 6, 5.0);
  t.SetElem(1, 7, 2.0);
  EXPECT_EQ(t.CountNumCells(1, 1, 1, 7), 5);
  double lo = 0, hi = 0;
  EXPECT_EQ(t.MinMaxOfNumCells(1, 1, 1, 7, lo, hi), 5);
  EXPECT_EQ(lo, 1.0);
  EXPECT_EQ(hi, 5.0);
  double mean = 0, var = 0;
  t.MeanVarOfNumCells(1, 1, 1, 7, mean, var);
  EXPECT_DOUBLE_EQ(mean, 3.0);
  EXPECT_DOUBLE_EQ(var, (4 + 1 + 0 + 1 + 4) / 4.0);  // squared deviations over n - 1
  double q1 = 0, med = 0, q3 = 0;
  t.QuartilesOfNumCells(1, 1, 1, 7, q1, med, q3);
  EXPECT_DOUBLE_EQ(q1, 2.0);
  EXPECT_DOUBLE_EQ(med, 3.0);
  EXPECT_DOUBLE_EQ(q3, 4.0);
  // Sorted 1..5, position 1 + 4 p / 100: 1.4 and 4.6.
  EXPECT_DOUBLE_EQ(t.PercentileOfNumCells(10, 1, 1, 1, 7), 1.4);
  EXPECT_DOUBLE_EQ(t.PercentileOfNumCells(90, 1, 1, 1, 7), 4.6);
}

TEST(AuditDataTable, TheExportReplacesAnOlderFileAndTheListingFollowsIt) {
  const std::string path = std::string(KIV_TEST_OUT_DIR) + "/audit_boxplot_listing.txt";
  {
    std::ofstream old(path, std::ios::binary);
    for (int i = 0; i < 20; ++i) old << "an older and much longer file\n";
  }
  TDataTable t(1, 2);
  t.SetColName(1, "Temperature inside");
  t.SetElem(1, 1, 2.5);
  t.SetElem(1, 2, 3.5);
  t.ExportAsASC(path, -2);
  {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out << "      " << CenterString(AbbrevString(t.GetColName(1), 12), 12) << " \n";
    out << "Mean: " << strff(3, 12, -2) << " \n";
  }
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(),
            "Temperature inside\n"
            "2.5\n"
            "3.5\n"
            "      Temperature. \n"
            "Mean:            3 \n");
}

TEST(AuditStrings, ItemDescriptionParts) {
  // An arc angle stored as 157079633 / 10^8 radians with eight decimals in ten characters.
  EXPECT_EQ(SigDigStr(157079633 / 1e8, 10, 8, true), "1.57079633");
  // A text item's short text reduced to letters and digits.
  EXPECT_EQ(ReduceStringToAZ09("Peak #1: 3.5 V"), "Peak135V");
  // The corner of a rectangle item: each coordinate right-aligned in ten characters.
  std::string corner = "   corner: [";
  corner += SigDigStr(-2.5, 10, 5, true);
  corner += '/';
  corner += SigDigStr(1e3, 10, 5, true);
  corner += ']';
  EXPECT_EQ(corner, "   corner: [  -2.50000/1000.00000]");
}

}  // namespace
}  // namespace kiv
