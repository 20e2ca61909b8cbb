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

}  // namespace
}  // namespace kiv
