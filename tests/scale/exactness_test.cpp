// Whole scale pictures, pixel for pixel. Each case works out by hand where everything belongs:
// tick pixels from pixel = k * value + d (rounded to nearest, halves to even), tick lengths and
// sides, label cells from the text metrics, caption anchors, base line and frame. It draws that
// expectation with plain canvas calls and compares it with what the scale paints.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/offscreen_host.h"
#include "rchart/rchart.h"
#include "scale/scale.h"
#include "services/frame.h"

namespace kiv {
namespace {

// Rounds to the nearest integer, halves to even (the default floating-point rounding mode).
int Round(double p) {
  return static_cast<int>(std::nearbyint(p));
}

// pixel = k * v + d (v = ln value on a logarithmic strip).
struct TMap {
  double k = 0;
  double d = 0;
  bool log = false;
  int operator()(double value) const { return Round(k * (log ? std::log(value) : value) + d); }
};

// A strip without room (no pixel between the margins) maps every value to half the width.
TMap NoRoom(int width, bool log) {
  TMap m;
  m.log = log;
  m.k = 0;
  m.d = width / 2.0;
  return m;
}

// Horizontal strip: low at column ml, high at column width - mr - 1.
TMap HorizontalMap(int width, int ml, int mr, double low, double high, bool log = false) {
  const double n = width - ml - mr - 1;
  TMap m;
  m.log = log;
  if (n <= 0) return NoRoom(width, log);
  const double a = log ? std::log(low) : low;
  const double b = log ? std::log(high) : high;
  m.k = n / (b - a);
  m.d = ml - a * m.k;
  return m;
}

// Vertical strip: high at row mt, low at row height - mb - 1. (Without room, too, everything
// goes to half the control's width.)
TMap VerticalMap(int height, int width, int mt, int mb, double low, double high, bool log = false) {
  const double n = height - mt - mb - 1;
  TMap m;
  m.log = log;
  if (n <= 0) return NoRoom(width, log);
  const double a = log ? std::log(low) : low;
  const double b = log ? std::log(high) : high;
  m.k = n / (a - b);
  m.d = mt - b * m.k;
  return m;
}

// Left edge of a horizontal label of width w at tick column x: centred, never left of column 2,
// and ending 2 columns inside a control `width` wide when centring would reach its edge.
int LabelLeft(int x, int w, int width) {
  const int half = w / 2;
  if (x + half < width - 2) return x - std::min(half, x - 2);
  return width - 2 * half - 2;
}

// "08:00" for hour 8.
std::string HourLabel(int hour) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:00", hour);
  return text;
}

// The expected picture, drawn with plain canvas calls.
class TExpected {
 public:
  TExpected(int w, int h, TColor background) : bmp_(w, h) {
    C().Brush().SetStyle(bsSolid);
    C().Brush().SetColor(background);
    C().FillRect(TRect(0, 0, w, h));
  }
  TCanvas& C() { return bmp_.Canvas(); }
  TBitmap& Bitmap() { return bmp_; }
  // Pen, font and brush as the scale's drawing pass finds them: solid brush in the background
  // colour for an opaque scale, clear brush for a transparent one.
  void Prepare(const TFont& font, TColor pen, bool transparent, TColor labelBackground) {
    C().Font().Assign(font);
    C().Pen().SetColor(pen);
    C().Brush().SetColor(labelBackground);
    C().Brush().SetStyle(transparent ? bsClear : bsSolid);
  }
  void Line(int x1, int y1, int x2, int y2) {
    C().MoveTo(x1, y1);
    C().LineTo(x2, y2);
  }
  void Text(int x, int y, const std::string& t) { C().TextOut(x, y, t); }
  int Width(const std::string& t) { return C().TextWidth(t); }
  int Height(const std::string& t) { return C().TextHeight(t); }

 private:
  TBitmap bmp_;
};

// Compares two pictures of one size and names the first differing pixel with both colours.
::testing::AssertionResult SamePicture(TBitmap& got, TBitmap& want) {
  if (got.Width() != want.Width() || got.Height() != want.Height())
    return ::testing::AssertionFailure() << "size " << got.Width() << "x" << got.Height()
                                         << ", expected " << want.Width() << "x" << want.Height();
  int count = 0;
  int fx = -1, fy = -1;
  int l = INT_MAX, t = INT_MAX, r = INT_MIN, b = INT_MIN;
  for (int y = 0; y < want.Height(); ++y) {
    const TPixel* g = got.ScanLine(y);
    const TPixel* w = want.ScanLine(y);
    for (int x = 0; x < want.Width(); ++x) {
      if (g[x] == w[x]) continue;
      if (count++ == 0) fx = x, fy = y;
      l = std::min(l, x), r = std::max(r, x), t = std::min(t, y), b = std::max(b, y);
    }
  }
  if (count == 0) return ::testing::AssertionSuccess();
  std::ostringstream s;
  s << count << " pixels differ within (" << l << "," << t << ")-(" << r << "," << b
    << "); first at (" << fx << "," << fy << "): got 0x" << std::hex << got.Canvas().Pixels(fx, fy)
    << ", expected 0x" << want.Canvas().Pixels(fx, fy);
  return ::testing::AssertionFailure() << s.str();
}

// Lowered (the reset value), raised and simple frames with the classic shading colours.
void ClassicFrame(TCanvas& c, TFrameStyle style, int w, int h) {
  DrawFrame(c, style, 0, 0, w - 1, h - 1, clWhite, clSilver, clGray, clBlack, clBlack);
}

// ---------------------------------------------------------------------------------------------
// Horizontal scales

// 0..8 over 213 columns (k = 26.5): the minor ticks at 1, 3, 5 and 7 fall on half pixels and
// round to the even column. Opaque, painted by the host into the scale's own surface.
TEST(ScaleExactness, OpaqueLabelsAboveWithHalfPixelTicks) {
  TOffscreenHost host;
  TScale s(nullptr);
  s.SetBounds(0, 0, 263, 70);
  s.SetMarginLeft(20);
  s.SetMarginRight(30);  // n = 263 - 20 - 30 - 1 = 212
  s.SetRange(0, 8);
  s.SetMinTicks(4);  // majors every 2, minors every 0.5
  s.SetColorBackGnd(0xE0FFF0);
  s.SetColorScale(clNavy);
  s.SetCaption("Volt");
  host.Show(s);
  host.ProcessMessages();
  TBitmap got = host.Snapshot(s);

  const int base = 70 - 20 - 1;  // 49
  const TMap x = HorizontalMap(263, 20, 30, 0, 8);
  ASSERT_EQ(x.k, 26.5);
  EXPECT_EQ(x(1), 46);   // 46.5
  EXPECT_EQ(x(3), 100);  // 99.5
  EXPECT_EQ(x(5), 152);  // 152.5
  EXPECT_EQ(x(7), 206);  // 205.5

  TExpected e(263, 70, 0xE0FFF0);
  e.Prepare(s.Font(), clNavy, false, 0xE0FFF0);
  for (int i = 0; i <= 16; ++i) e.Line(x(i * 0.5), base, x(i * 0.5), base - 4);
  // Span 8: 2 - round(ln 8 / 2.5) = 1 decimal.
  const char* labels[] = {"0.0", "2.0", "4.0", "6.0", "8.0"};
  for (int i = 0; i <= 4; ++i) {
    const int col = x(2.0 * i);
    e.Line(col, base, col, base - 7);
    const int w = e.Width(labels[i]), h = e.Height(labels[i]);
    e.Text(LabelLeft(col, w, 263), base - 7 - h, labels[i]);
  }
  // Caption at the left margin + 4, 4 rows below the base line, centred.
  e.Text(20 + 4 - e.Width("Volt") / 2, base + 4, "Volt");
  e.Line(20, base, 263 - 30, base);  // columns 20..232
  ClassicFrame(e.C(), rbLowered, 263, 70);
  EXPECT_TRUE(SamePicture(got, e.Bitmap()));

  // Spot checks of the rule itself: the tick at 1 is on column 46, not 47.
  EXPECT_EQ(got.Canvas().Pixels(46, base - 3), clNavy);
  EXPECT_NE(got.Canvas().Pixels(47, base - 3), clNavy);
  EXPECT_NE(got.Canvas().Pixels(46, base - 4), clNavy);    // a minor tick is 4 pixels long
  EXPECT_EQ(got.Canvas().Pixels(x(2), base - 6), clNavy);  // a major one 7
  EXPECT_NE(got.Canvas().Pixels(x(2), base - 7), clNavy);
}

// A reversed range 100..-20 on a transparent scale below its base line, painted onto a larger
// picture at an offset: the offset moves the base row only, columns stay the scale's own.
TEST(ScaleExactness, TransparentReversedLabelsBelowAtAnOffset) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 300, 60);
  s.SetScaleType(sctLabelsBelow);
  s.SetMarginLeft(25);
  s.SetMarginRight(14);  // n = 260
  s.SetMarginTop(10);
  s.SetRange(100, -20);  // majors every 20 from 100 down, minors every 5
  s.SetTransparent(true);
  s.SetColorScale(clPurple);
  s.Font().SetSize(10);
  s.SetCaption("m/s");
  s.SetCaptionAnchor(uaSclBotRgt);
  s.SetCaptionAlignment(taRightJustify);
  s.SetCaptionPosX(0);
  s.SetCaptionPosY(30);
  TBitmap target(330, 120);
  target.Canvas().Brush().SetColor(clYellow);
  target.Canvas().FillRect(TRect(0, 0, 330, 120));
  s.UseForeignCanvas(&target.Canvas(), 15, 40);
  s.ForcePaint();

  const int base = 40 + 10;
  const TMap x = HorizontalMap(300, 25, 14, 100, -20);
  EXPECT_EQ(x(100), 25);
  EXPECT_EQ(x(-20), 285);
  EXPECT_EQ(x(95), 36);  // 25 + 5 * 260 / 120 = 35.83

  TExpected e(330, 120, clYellow);
  e.Prepare(s.Font(), clPurple, true, clYellow);
  for (int v = 100; v >= -20; v -= 5) e.Line(x(v), base, x(v), base + 4);
  for (int v = 100; v >= -20; v -= 20) {
    const std::string label = std::to_string(v);  // span 120: no decimals
    e.Line(x(v), base, x(v), base + 7);
    e.Text(LabelLeft(x(v), e.Width(label), 300), base + 7, label);
  }
  // Anchor Width - MarginRight = 286, right justified: the caption ends at column 285.
  e.Text(300 - 14 - e.Width("m/s"), base + 30, "m/s");
  e.Line(25, base, 300 - 14, base);
  EXPECT_TRUE(SamePicture(target, e.Bitmap()));
  EXPECT_EQ(s.NumTicks(), 25);  // the minor positions, from the low end
  EXPECT_EQ(s.GetTickPos(1), 100);
  EXPECT_EQ(s.GetTickPos(25), -20);
}

// Labels pushed against both ends of a control: the one at column 3 starts at column 2, the one
// at the last column ends 2 pixels inside. 0..1000 over 235 columns puts 250 and 750 on half
// pixels (61.5 and 178.5).
TEST(ScaleExactness, LabelsAtTheControlEdgesWithoutBaseLine) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 240, 50);
  s.SetScaleType(sctLabelsBelow);
  s.SetMarginLeft(3);
  s.SetMarginRight(2);  // n = 234
  s.SetMarginTop(8);
  s.SetRange(0, 1000);
  s.SetMinTicks(4);  // majors every 200, minors every 50
  s.SetShowBaseLine(false);
  s.SetFrameStyle(rbSimple);
  s.SetColorBackGnd(clWhite);
  s.SetColorScale(clMaroon);
  TBitmap target(240, 50);
  s.UseForeignCanvas(&target.Canvas(), 0, 0);
  s.ForcePaint();

  const int base = 8;
  const TMap x = HorizontalMap(240, 3, 2, 0, 1000);
  EXPECT_EQ(x(250), 62);
  EXPECT_EQ(x(750), 178);
  EXPECT_EQ(x(1000), 237);

  TExpected e(240, 50, clWhite);
  e.Prepare(s.Font(), clMaroon, false, clWhite);
  for (int v = 0; v <= 1000; v += 50) e.Line(x(v), base, x(v), base + 4);
  for (int v = 0; v <= 1000; v += 200) {
    const std::string label = std::to_string(v);
    e.Line(x(v), base, x(v), base + 7);
    e.Text(LabelLeft(x(v), e.Width(label), 240), base + 7, label);
  }
  ClassicFrame(e.C(), rbSimple, 240, 50);
  EXPECT_TRUE(SamePicture(target, e.Bitmap()));
  const int w1000 = e.Width("1000");
  EXPECT_EQ(LabelLeft(x(0), e.Width("0"), 240), 2);
  EXPECT_EQ(LabelLeft(x(1000), w1000, 240), 240 - 2 * (w1000 / 2) - 2);
}

// The drawing pass on a canvas of the caller's: its pen draws the ticks and, the scale being
// opaque, its brush fills the label cells. A reversed logarithmic range 1000..1 with three
// intervals labels the decades only, drawn from 1 upwards.
TEST(ScaleExactness, DrawXScaleOnTheCallersCanvasReversedLogarithmic) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 300, 80);
  s.SetMarginLeft(30);
  s.SetMarginRight(30);  // n = 239
  s.SetRange(1000, 1);
  s.SetLogarithmic(true);
  TBitmap target(300, 80);
  TCanvas& c = target.Canvas();
  c.Brush().SetColor(clWhite);
  c.FillRect(TRect(0, 0, 300, 80));
  c.Font().SetSize(9);
  c.Pen().SetColor(clGreen);
  c.Brush().SetColor(clRed);
  s.DrawXScale(c, 60);

  const TMap x = HorizontalMap(300, 30, 30, 1000, 1, true);
  EXPECT_EQ(x(1000), 30);
  EXPECT_EQ(x(1), 269);
  EXPECT_EQ(x(10), 189);  // 30 + 239 * 2 / 3 = 189.33
  TExpected e(300, 80, clWhite);
  TFont font;
  font.Assign(c.Font());
  e.Prepare(font, clGreen, false, clRed);
  for (const char* label : {"1", "10", "100", "1000"}) {
    const int col = x(std::stod(label));
    e.Line(col, 60, col, 60 - 7);
    e.Text(LabelLeft(col, e.Width(label), 300), 60 - 7 - e.Height(label), label);
  }
  EXPECT_TRUE(SamePicture(target, e.Bitmap()));
  EXPECT_EQ(s.NumTicks(), 4);
  EXPECT_EQ(s.GetTickPos(1), 1);
  EXPECT_EQ(s.GetTickPos(4), 1000);
}

// Calendar ticks 07:12 to 16:48 on one day with hours every two: the first major tick carries
// the date one text line further from the base line, over its time label.
TEST(ScaleExactness, DateLineOverTheFirstTimeLabelAbove) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 520, 90);
  s.SetMarginLeft(30);
  s.SetMarginRight(9);  // n = 480 pixels for 0.4 day: 50 pixels an hour
  s.SetMarginBottom(10);
  s.SetLabelType(fgtDateTime);
  s.SetRange(45000.3, 45000.7);
  s.SetMinTicks(4);
  s.SetColorBackGnd(0xF0F0F0);
  s.SetColorScale(clBlack);
  s.SetFrameStyle(rbRaised);
  TBitmap target(520, 90);
  s.UseForeignCanvas(&target.Canvas(), 0, 0);
  s.ForcePaint();

  const int base = 90 - 10 - 1;
  const TMap x = HorizontalMap(520, 30, 9, 45000.3, 45000.7);
  EXPECT_EQ(x(45000 + 8 / 24.0), 70);
  EXPECT_EQ(x(45000 + 16 / 24.0), 470);

  TExpected e(520, 90, 0xF0F0F0);
  e.Prepare(s.Font(), clBlack, false, 0xF0F0F0);
  for (int hour = 8; hour <= 16; ++hour) {
    const int col = x(45000 + hour / 24.0);
    if (hour % 2 == 1) {
      e.Line(col, base, col, base - 4);
      continue;
    }
    e.Line(col, base, col, base - 7);
    const std::string label = HourLabel(hour);
    const int h = e.Height(label);
    e.Text(LabelLeft(col, e.Width(label), 520), base - 7 - h, label);
    if (hour == 8) {
      const std::string date = "15-Mar-2023";
      const int hd = e.Height(date);
      e.Text(LabelLeft(col, e.Width(date), 520), base - hd - 7 - hd, date);
    }
  }
  e.Line(30, base, 520 - 9, base);
  ClassicFrame(e.C(), rbRaised, 520, 90);
  EXPECT_TRUE(SamePicture(target, e.Bitmap()));
  EXPECT_EQ(s.NumTicks(), 9);  // every calendar tick is recorded
}

// A step under a second per interval: the message is centred on the middle of the strip and
// written 7 rows below the base line even on a scale whose labels are above it.
TEST(ScaleExactness, SubSecondMessageBelowTheBaseLineOfAnUpperScale) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 400, 80);
  s.SetMarginRight(21);  // n = 358, middle at column 20 + 179
  s.SetLabelType(fgtDateTime);
  s.SetRange(45000, 45000 + 4e-5);
  s.SetMinTicks(4);
  s.SetColorBackGnd(clWhite);
  TBitmap target(400, 80);
  s.UseForeignCanvas(&target.Canvas(), 0, 0);
  s.ForcePaint();

  const int base = 80 - 20 - 1;
  const char* text = "DateTime range is below 1 second";
  TExpected e(400, 80, clWhite);
  e.Prepare(s.Font(), clBlack, false, clWhite);
  e.Text(199 - e.Width(text) / 2, base + 7, text);
  e.Line(20, base, 400 - 21, base);
  ClassicFrame(e.C(), rbLowered, 400, 80);
  EXPECT_TRUE(SamePicture(target, e.Bitmap()));
  EXPECT_EQ(s.NumTicks(), 0);
}

// ---------------------------------------------------------------------------------------------
// Vertical scales

// -1..1 over 222 rows (k = -110.5): 0 lies on row 122.5 and is drawn on row 122. Opaque, with
// the system shading colours, copied onto a larger picture at an offset.
TEST(ScaleExactness, OpaqueLabelsRightWithoutMinorTicksAtAnOffset) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 90, 251);
  s.SetScaleType(sctLabelsRight);
  s.SetMarginTop(12);
  s.SetMarginBottom(17);  // n = 251 - 12 - 17 - 1 = 221
  s.SetRange(-1, 1);
  s.SetMinTicks(4);  // majors every 0.5
  s.SetShortTicks(false);
  s.SetColorBackGnd(clAqua);
  s.SetColorScale(clBlue);
  s.SetColorScheme(csSystem);
  s.SetFrameStyle(rbRaised);
  s.SetCaption("Pa");
  s.SetCaptionAnchor(uaSclCenter);
  s.SetCaptionAlignment(taLeftJustify);
  s.SetCaptionPosX(45);
  s.SetCaptionPosY(0);
  TBitmap target(110, 270);  // white
  s.UseForeignCanvas(&target.Canvas(), 7, 9);
  s.ForcePaint();

  const TMap y = VerticalMap(251, 90, 12, 17, -1, 1);
  ASSERT_EQ(y.k, -110.5);
  EXPECT_EQ(y(0), 122);
  EXPECT_EQ(y(1), 12);
  EXPECT_EQ(y(-1), 233);

  TExpected pic(90, 251, clAqua);
  pic.Prepare(s.Font(), clBlue, false, clAqua);
  const int h0 = pic.Height("0");
  // Span 2: 2 - round(ln 2 / 2.5) = 2 decimals.
  const char* labels[] = {"-1.00", "-0.50", "0.00", "0.50", "1.00"};
  for (int i = 0; i <= 4; ++i) {
    const int row = y(-1 + 0.5 * i);
    pic.Line(20, row, 20 + 6, row);
    pic.Text(20 + 8, row - h0 / 2, labels[i]);
  }
  // Caption: anchor row 12 + (251 - 12 - 17) / 2 = 123, column base + 45.
  pic.Text(20 + 45, 123, "Pa");
  pic.Line(20, 12, 20, 251 - 17);
  DrawFrame(pic.C(), rbRaised, 0, 0, 89, 250, clBtnHighlight, clSilver, clBtnShadow, clBlack,
            clBlack);
  TExpected e(110, 270, clWhite);
  e.C().Draw(7, 9, pic.Bitmap());
  EXPECT_TRUE(SamePicture(target, e.Bitmap()));
  EXPECT_EQ(s.NumTicks(), 5);
}

// A dense logarithmic 1..1000 scale, labels on the left, transparent on a larger picture: 1, 2
// and 5 of each decade are labelled, 3, 4, 6..9 are minor ticks, all in the order of the
// decades. The offset moves the base column only.
TEST(ScaleExactness, TransparentLogarithmicLabelsLeftAtAnOffset) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 100, 300);
  s.SetScaleType(sctLabelsLeft);
  s.SetMarginTop(10);
  s.SetMarginBottom(10);  // n = 279
  s.SetRange(1, 1000);
  s.SetLogarithmic(true);
  s.SetMinTicks(5);
  s.SetTransparent(true);
  s.SetColorScale(clTeal);
  s.SetCaption("dB");
  s.SetCaptionAnchor(uaSclBotRgt);
  s.SetCaptionAlignment(taRightJustify);
  s.SetCaptionPosX(-30);
  s.SetCaptionPosY(-15);
  TBitmap target(160, 320);
  target.Canvas().Brush().SetColor(clSilver);
  target.Canvas().FillRect(TRect(0, 0, 160, 320));
  s.UseForeignCanvas(&target.Canvas(), 30, 25);
  s.ForcePaint();

  const int base = 30 + 100 - 20 - 1;  // column 109
  const TMap y = VerticalMap(300, 100, 10, 10, 1, 1000, true);
  EXPECT_EQ(y(1), 289);
  EXPECT_EQ(y(1000), 10);
  EXPECT_EQ(y(2), 261);  // 289 - 279 * log10(2) / 3 = 261.004

  TExpected e(160, 320, clSilver);
  e.Prepare(s.Font(), clTeal, true, clSilver);
  const int h0 = e.Height("0");
  for (int decade = 1; decade <= 1000; decade *= 10) {
    for (int f = 1; f <= 9 && f * decade <= 1000; ++f) {
      const int v = f * decade;
      const int row = y(v);
      if (f != 1 && f != 2 && f != 5) {
        e.Line(base, row, base - 4, row);
        continue;
      }
      const std::string label = std::to_string(v);
      e.Line(base, row, base - 6, row);
      e.Text(base - e.Width(label) - 8, row - h0 / 2, label);
    }
  }
  // Caption: anchor row Height - MarginBottom = 290, point (109 - 30, 290 - 15), right justified.
  e.Text(base - 30 - e.Width("dB"), 290 - 15, "dB");
  e.Line(base, 10, base, 300 - 10);
  EXPECT_TRUE(SamePicture(target, e.Bitmap()));
  EXPECT_EQ(s.NumTicks(), 28);
}

// Elapsed seconds 0..3600 in ten-minute steps on a vertical scale shown by the host: labels are
// centred on the height of "0" and start with a blank.
TEST(ScaleExactness, ElapsedTimeLabelsRight) {
  TOffscreenHost host;
  TScale s(nullptr);
  s.SetBounds(0, 0, 120, 381);
  s.SetScaleType(sctLabelsRight);
  s.SetMarginTop(10);
  s.SetMarginBottom(10);  // n = 360: 10 seconds a pixel
  s.SetLabelType(fgtTime);
  s.SetRange(0, 3600);
  s.SetMinTicks(4);
  s.SetColorBackGnd(clWhite);
  host.Show(s);
  host.ProcessMessages();
  TBitmap got = host.Snapshot(s);

  const TMap y = VerticalMap(381, 120, 10, 10, 0, 3600);
  EXPECT_EQ(y(0), 370);
  EXPECT_EQ(y(120), 358);
  EXPECT_EQ(y(3600), 10);
  TExpected e(120, 381, clWhite);
  e.Prepare(s.Font(), clBlack, false, clWhite);
  const int h0 = e.Height("0");
  for (int v = 0; v <= 3600; v += 120) e.Line(20, y(v), 20 + 4, y(v));
  for (int v = 0; v <= 3600; v += 600) {
    char label[16];
    std::snprintf(label, sizeof label, " %02d:%02d:00", v / 3600, v / 60 % 60);
    e.Line(20, y(v), 20 + 6, y(v));
    e.Text(20 + 8, y(v) - h0 / 2, label);
  }
  e.Line(20, 10, 20, 381 - 10);
  ClassicFrame(e.C(), rbLowered, 120, 381);
  EXPECT_TRUE(SamePicture(got, e.Bitmap()));
  EXPECT_EQ(s.NumTicks(), 31);
}

// Calendar ticks on a vertical scale: time labels centre on their own height, the date of the
// first one sits above it (top = tick row - 3 * (height div 2)), both ending 8 columns left of
// the base line.
TEST(ScaleExactness, DateLineOverTheFirstTimeLabelLeft) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 160, 440);
  s.SetScaleType(sctLabelsLeft);
  s.SetMarginTop(20);
  s.SetMarginBottom(19);  // n = 400 pixels for 0.4 day
  s.SetLabelType(fgtDateTime);
  s.SetRange(45000.3, 45000.7);
  s.SetMinTicks(4);
  s.SetTransparent(true);
  TBitmap target(160, 440);
  s.UseForeignCanvas(&target.Canvas(), 0, 0);
  s.ForcePaint();

  const int base = 160 - 20 - 1;
  const TMap y = VerticalMap(440, 160, 20, 19, 45000.3, 45000.7);
  EXPECT_EQ(y(45000 + 8 / 24.0), 387);  // 20 + 1000 * (0.7 - 1 / 3)
  EXPECT_EQ(y(45000 + 16 / 24.0), 53);
  TExpected e(160, 440, clWhite);
  e.Prepare(s.Font(), clBlack, true, clWhite);
  for (int hour = 8; hour <= 16; ++hour) {
    const int row = y(45000 + hour / 24.0);
    if (hour % 2 == 1) {
      e.Line(base, row, base - 4, row);
      continue;
    }
    e.Line(base, row, base - 6, row);
    const std::string label = HourLabel(hour);
    e.Text(base - e.Width(label) - 8, row - e.Height(label) / 2, label);
    if (hour == 8) {
      const std::string date = "15-Mar-2023";
      e.Text(base - e.Width(date) - 8, row - 3 * (e.Height(date) / 2), date);
    }
  }
  e.Line(base, 20, base, 440 - 19);
  EXPECT_TRUE(SamePicture(target, e.Bitmap()));
}

// A reversed logarithmic range 100..0.01 on a vertical scale puts 0.01 at the top. Four decades
// with three intervals label the decades only; automatic decimals for a low end of 0.01 are 3,
// trailing zeros trimmed. The caption sits at the top margin, 4 pixels right of the base line.
TEST(ScaleExactness, ReversedLogarithmicLabelsRightWithCaptionAtTheTop) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 110, 260);
  s.SetScaleType(sctLabelsRight);
  s.SetMarginLeft(15);
  s.SetMarginTop(25);
  s.SetMarginBottom(30);  // n = 204: 51 rows a decade
  s.SetRange(100, 0.01);
  s.SetLogarithmic(true);
  s.SetColorBackGnd(clWhite);
  s.SetColorScale(clOlive);
  s.SetCaption("Hz");
  TBitmap target(110, 260);
  s.UseForeignCanvas(&target.Canvas(), 0, 0);
  s.ForcePaint();

  const TMap y = VerticalMap(260, 110, 25, 30, 100, 0.01, true);
  EXPECT_EQ(y(0.01), 25);
  EXPECT_EQ(y(1), 127);
  EXPECT_EQ(y(100), 229);
  TExpected e(110, 260, clWhite);
  e.Prepare(s.Font(), clOlive, false, clWhite);
  const int h0 = e.Height("0");
  const double values[] = {0.01, 0.1, 1, 10, 100};
  const char* labels[] = {"0.01", "0.1", "1", "10", "100"};
  for (int i = 0; i < 5; ++i) {
    const int row = y(values[i]);
    e.Line(15, row, 15 + 6, row);
    e.Text(15 + 8, row - h0 / 2, labels[i]);
  }
  e.Text(15 + 4 - e.Width("Hz") / 2, 25 + 4, "Hz");
  e.Line(15, 25, 15, 260 - 30);
  ClassicFrame(e.C(), rbLowered, 110, 260);
  EXPECT_TRUE(SamePicture(target, e.Bitmap()));
}

// Under one decade a logarithmic scale takes the linear ticks (2..8: majors every 2, minors every
// 0.5) and places them through the logarithmic mapping.
TEST(ScaleExactness, LogarithmicUnderOneDecadeTakesLinearTicks) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 300, 60);
  s.SetRange(2, 8);
  s.SetLogarithmic(true);
  s.SetTransparent(true);
  TBitmap target(300, 60);  // white
  s.UseForeignCanvas(&target.Canvas(), 0, 0);
  s.ForcePaint();

  const int base = 60 - 20 - 1;
  const TMap x = HorizontalMap(300, 20, 20, 2, 8, true);
  EXPECT_EQ(x(4), 150);  // 20 + 259 / 2 = 149.5
  EXPECT_EQ(x(3), 96);   // 20 + 259 * ln 1.5 / ln 4 = 95.75
  TExpected e(300, 60, clWhite);
  e.Prepare(s.Font(), clBlack, true, clWhite);
  for (int i = 0; i <= 12; ++i) e.Line(x(2 + 0.5 * i), base, x(2 + 0.5 * i), base - 4);
  // Span 6: 2 - round(ln 6 / 2.5) = 1 decimal.
  for (const char* label : {"2.0", "4.0", "6.0", "8.0"}) {
    const int col = x(std::stod(label));
    e.Line(col, base, col, base - 7);
    e.Text(LabelLeft(col, e.Width(label), 300), base - 7 - e.Height(label), label);
  }
  e.Line(20, base, 300 - 20, base);
  EXPECT_TRUE(SamePicture(target, e.Bitmap()));
}

// An invalid calendar range on a vertical scale: three lines around the middle row, ending
// 2 columns left of the base line. The middle of 45000..44999 lies on row 99.5, drawn as 100.
TEST(ScaleExactness, InvalidDateRangeMessageLeft) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 150, 200);
  s.SetScaleType(sctLabelsLeft);  // n = 159
  s.SetLabelType(fgtDateTime);
  s.SetRange(45000, 44999);
  s.SetColorBackGnd(clWhite);
  s.SetColorScale(clRed);
  TBitmap target(150, 200);
  s.UseForeignCanvas(&target.Canvas(), 0, 0);
  s.ForcePaint();

  const TMap y = VerticalMap(200, 150, 20, 20, 45000, 44999);
  const int mid = y(44999.5);
  EXPECT_EQ(mid, 100);
  const int base = 150 - 20 - 1;
  TExpected e(150, 200, clWhite);
  e.Prepare(s.Font(), clRed, false, clWhite);
  const int h = e.Height("T");
  e.Text(base - e.Width("invalid") - 2, mid - h, "invalid");
  e.Text(base - e.Width("DateTime") - 2, mid, "DateTime");
  e.Text(base - e.Width("scale") - 2, mid + h, "scale");
  e.Line(base, 20, base, 200 - 20);
  ClassicFrame(e.C(), rbLowered, 150, 200);
  EXPECT_TRUE(SamePicture(target, e.Bitmap()));
}

// Random strips, both orientations, linear and logarithmic, rising and reversed: every tick is
// reported and drawn at the pixel the mapping formula gives.
TEST(ScaleExactness, TickPixelsFollowTheMappingOnRandomStrips) {
  std::mt19937 rng(20240611);
  auto uniform = [&](double a, double b) { return std::uniform_real_distribution<>(a, b)(rng); };
  auto between = [&](int a, int b) { return std::uniform_int_distribution<>(a, b)(rng); };
  for (int round = 0; round < 200; ++round) {
    const TScaleType type = static_cast<TScaleType>(between(0, 3));
    const bool horizontal = type == sctLabelsAbove || type == sctLabelsBelow;
    const bool log = between(0, 3) == 0;
    const int w = between(40, 320), h = between(40, 320);
    const int ml = between(0, 30), mr = between(0, 30), mt = between(0, 30), mb = between(0, 30);
    double low, high;
    if (log) {
      low = std::pow(10.0, uniform(-5, 5));
      high = low * std::pow(10.0, uniform(0.2, 6));
    } else {
      low = uniform(-1000, 1000);
      high = low + std::pow(10.0, uniform(-3, 4));
    }
    if (between(0, 1) == 1) std::swap(low, high);
    TScale s(nullptr);
    s.SetBounds(0, 0, w, h);
    s.SetScaleType(type);
    s.SetMarginLeft(ml);
    s.SetMarginRight(mr);
    s.SetMarginTop(mt);
    s.SetMarginBottom(mb);
    s.SetRange(low, high);
    s.SetLogarithmic(log);
    s.SetMinTicks(between(2, 10));
    s.SetLabelType(fgtNone);
    const TMap map = horizontal ? HorizontalMap(w, ml, mr, low, high, log)
                                : VerticalMap(h, w, mt, mb, low, high, log);
    const int base = horizontal ? h / 2 : w / 2;
    const int side = type == sctLabelsBelow || type == sctLabelsRight ? 1 : -1;
    TBitmap pic(w, h);  // white
    int ticks = 0;
    s.OnScaleTickDrawn = [&](TObject*, TCanvas&, TScaleType, double v, int x, int y) {
      ++ticks;
      const int p = map(v);
      const int px = horizontal ? p : base + side;
      const int py = horizontal ? base + side : p;
      EXPECT_EQ(horizontal ? x : y, p) << "round " << round << " value " << v;
      EXPECT_EQ(horizontal ? y : x, base);
      // The mark's pixel next to the base line is already drawn when the event fires.
      if (px >= 0 && px < w && py >= 0 && py < h) {
        EXPECT_EQ(pic.Canvas().Pixels(px, py), clBlack) << "round " << round << " value " << v;
      }
    };
    if (horizontal)
      s.DrawXScale(pic.Canvas(), base);
    else
      s.DrawYScale(pic.Canvas(), base);
    EXPECT_GT(ticks, 0) << "round " << round;
    if (::testing::Test::HasFailure()) break;
  }
}

// ---------------------------------------------------------------------------------------------
// The chart's axes

// A 300 x 200 chart with the standard margins (left 50, right 20, top 20, bottom 40) has its data
// area at columns 50..280 and rows 20..160. An x axis on top pushed out by ScalePos 5 has its
// base line on row 15, ticks upwards; a y axis on the right pushed out by 3 on column 283, ticks
// to the right. 0..10 over 230 columns puts every other minor tick on a half pixel.
TEST(ScaleExactness, ChartAxesOutsideTheDataAreaAtTheirScalePos) {
  TCustomRChart chart(nullptr);
  chart.SetBounds(0, 0, 300, 200);
  chart.Scale1X().SetVisible(true);
  chart.Scale1X().SetScaleLocation(slTop);
  chart.Scale1X().SetScalePos(5);
  chart.Scale1Y().SetVisible(true);
  chart.Scale1Y().SetScaleLocation(slRight);
  chart.Scale1Y().SetScalePos(3);
  chart.SetRange(1, 0, 0, 10, 100);  // x majors every 2, minors every 0.5; y every 20 and 5
  TBitmap b;
  chart.CopyToBitmap(b, false);
  TCanvas& c = b.Canvas();

  const int top = 20 - 5;
  const TColor ink = c.Pixels(50, top);
  ASSERT_NE(ink, c.Pixels(49, top));
  for (int col = 50; col <= 280; ++col) ASSERT_EQ(c.Pixels(col, top), ink) << col;
  EXPECT_NE(c.Pixels(281, top), ink);
  for (int j = 0; j <= 20; ++j) {
    const int col = Round(50 + 11.5 * j);  // 61.5 -> 62, 84.5 -> 84, ...
    const int len = j % 4 == 0 ? 7 : 4;
    for (int row = top - len + 1; row < top; ++row) EXPECT_EQ(c.Pixels(col, row), ink) << j;
    EXPECT_NE(c.Pixels(col, top - len), ink) << j;
    EXPECT_NE(c.Pixels(col + 1, top - 1), ink) << j;
  }

  const int right = 280 + 3;
  for (int row = 20; row <= 160; ++row) ASSERT_EQ(c.Pixels(right, row), ink) << row;
  EXPECT_NE(c.Pixels(right, 161), ink);
  for (int j = 0; j <= 20; ++j) {
    const int row = 160 - 7 * j;  // 1.4 rows per unit
    const int len = j % 4 == 0 ? 6 : 4;
    for (int col = right + 1; col < right + len; ++col) EXPECT_EQ(c.Pixels(col, row), ink) << j;
    EXPECT_NE(c.Pixels(right + len, row), ink) << j;
  }
}

}  // namespace
}  // namespace kiv
