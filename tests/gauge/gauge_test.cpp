#include <gtest/gtest.h>

#include <string>

#include "gauge/gauge.h"
#include "platform/offscreen_host.h"
#include "services/colorarray.h"

namespace kiv {
namespace {

// The pixels of a rectangle (both corners included) as text: '.' white, '#' black, 'R' red,
// 'B' blue (the cover of the test gauges), '?' anything else; rows separated by '/'.
std::string Zone(TBitmap& b, int x0, int y0, int x1, int y1) {
  std::string s;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const TColor c = b.Canvas().Pixels(x, y);
      s += c == clWhite ? '.' : c == clBlack ? '#' : c == clRed ? 'R' : c == clBlue ? 'B' : '?';
    }
    if (y < y1) s += '/';
  }
  return s;
}

// A horizontal gauge of 100 x 60 pixels (vertical: 60 x 100) with the default margins: the
// window spans columns 20..89 and rows 10..39 (vertical: columns 20..49, rows 10..79), on a
// white background with a blue cover and no frames.
void PlainTestGauge(TScaleGauge& g, TGaugeOrientation o) {
  if (o == goVertical) {
    g.SetBounds(0, 0, 60, 100);
    g.SetOrientation(goVertical);
  } else {
    g.SetBounds(0, 0, 100, 60);
  }
  g.SetBackground(gbPlain);
  g.SetColorBg1(clWhite);
  g.SetColorCover(clBlue);
  g.SetFrameStyleInner(rbNone);
  g.SetFrameStyleOuter(rbNone);
}

TEST(GaugeProperties, DefaultsAndTheScaleLaidOutInTheWindow) {
  TScaleGauge g(nullptr);
  EXPECT_EQ(g.Width(), 300);
  EXPECT_EQ(g.Height(), 75);
  EXPECT_EQ(g.MinTicks(), 0);
  EXPECT_FALSE(g.ShortTicks());
  EXPECT_EQ(g.IndexMode(), gimTriangle);
  EXPECT_EQ(g.Background(), gbVertGrad);
  EXPECT_EQ(g.MarginLeft(), 20);
  EXPECT_EQ(g.MarginRight(), 10);
  EXPECT_EQ(g.MarginTop(), 10);
  EXPECT_EQ(g.MarginBottom(), 20);
  EXPECT_EQ(g.FrameStyleOuter(), rbRaised);
  EXPECT_EQ(g.CaptionStyle(), TFontStyles{fsBold});
  // The scale keeps its own tick settings until the gauge's are changed.
  const TScale& s = g.GaugeScale();
  EXPECT_EQ(s.Name(), "GaugeScale");
  EXPECT_TRUE(s.IsHelperComponent());
  EXPECT_TRUE(s.Transparent());
  EXPECT_EQ(s.MinTicks(), 3);
  EXPECT_TRUE(s.ShortTicks());
  EXPECT_EQ(s.RangeLow(), -10);
  EXPECT_EQ(s.RangeHigh(), 10);
  // Base line 11 pixels above the window's bottom edge: row 75 - 30 - 1 = 44.
  EXPECT_EQ(s.ScaleType(), sctLabelsAbove);
  EXPECT_EQ(s.MarginBottom(), 30);
  EXPECT_EQ(s.MarginTop(), 10);
  EXPECT_EQ(s.MarginLeft(), 20);
  EXPECT_EQ(s.MarginRight(), 10);
  EXPECT_EQ(g.ConvertPixelToScale(20), -10);
  EXPECT_DOUBLE_EQ(g.ConvertPixelToScale(289), 10);
  g.SetMinTicks(25);
  g.SetShortTicks(true);
  g.SetShortTicks(false);
  EXPECT_EQ(s.MinTicks(), 10);
  EXPECT_FALSE(s.ShortTicks());
  g.SetOrientation(goVertical);
  EXPECT_EQ(s.ScaleType(), sctLabelsLeft);
  EXPECT_EQ(s.MarginRight(), 20);
  EXPECT_EQ(s.MarginBottom(), 20);
}

TEST(GaugeProperties, ValueRangeAndLogarithmicSwitch) {
  TScaleGauge g(nullptr);
  g.SetValue(15);
  EXPECT_EQ(g.Value(), 10);
  g.SetMin(10);
  g.SetMax(-10);
  g.SetValue(-12);
  EXPECT_EQ(g.Value(), -10);
  EXPECT_EQ(g.GaugeScale().RangeLow(), 10);
  EXPECT_EQ(g.GaugeScale().RangeHigh(), -10);

  TScaleGauge lg(nullptr);
  lg.SetLogarithmic(true);  // Min is -10: ignored
  EXPECT_FALSE(lg.Logarithmic());
  lg.SetMin(1);
  lg.SetMax(1000);
  lg.SetLogarithmic(true);
  EXPECT_TRUE(lg.Logarithmic());
  EXPECT_TRUE(lg.GaugeScale().Logarithmic());
  lg.SetMin(0);  // not positive: ignored
  lg.SetMax(-5);
  EXPECT_EQ(lg.Min(), 1);
  EXPECT_EQ(lg.Max(), 1000);
  lg.SetLogarithmic(false);
  EXPECT_FALSE(lg.GaugeScale().Logarithmic());
}

TEST(GaugeProperties, MarginsKeepAWindowOfTwentyPixels) {
  TScaleGauge g(nullptr);  // 300 x 75
  g.SetMarginLeft(500);
  EXPECT_EQ(g.MarginLeft(), 270);  // 300 - 10 - 20
  g.SetMarginRight(100);
  EXPECT_EQ(g.MarginRight(), 10);
  g.SetMarginBottom(60);
  EXPECT_EQ(g.MarginBottom(), 45);  // 75 - 10 - 20
  g.SetMarginTop(-4);
  EXPECT_EQ(g.MarginTop(), 0);
  EXPECT_EQ(g.GaugeScale().MarginLeft(), 270);
  EXPECT_EQ(g.GaugeScale().MarginBottom(), 55);
}

// Every index mode where the value sits at one end of the range: a horizontal gauge at Min
// (index at the window's first column 20, the cover at column 19), pictured over columns
// 19..26 and the ten rows 30..39 below the base line; a vertical gauge at Max (index at the
// window's top row 10, the cover on row 9), pictured over rows 9..16 and columns 40..50 right
// of the base line (the cover from column 50).
TEST(GaugePicture, IndexModesAtTheRangeEnds) {
  struct Case {
    TGaugeIndexMode mode;
    const char* picture;
  };
  const Case horizontalAtMin[] = {
      {gimThread,
       "B#....../B#....../B#....../B#....../B#....../B#....../B#....../B#....../B#....../B#......"},
      {gimTriangle,
       "B#....../B##...../B##...../B###..../B###..../B####.../B####.../B#####../B#####../B######."},
      {gimThreadTriangle,
       "B#....../BR....../BRR...../BRR...../BRRR..../BRRR..../BRRRR.../BRRRR.../BRRRRR../BRRRRR.."},
      {gimThreadTwoTriangles,
       "BR....../BRR...../BRR...../BRRR..../BRRR..../BRRRR.../BRRRR.../BRRRRR../BRRRRR../BRRRRRR."},
      {gimBand,
       "B#....../B#....../B#....../B#....../B#....../B#....../B#....../B......./B......./B......."},
      {gimDualColorBand,
       "BRRRRRRR/BRRRRRRR/BRRRRRRR/BRRRRRRR/BRRRRRRR/BRRRRRRR/BRRRRRRR/B......./B......./B......."},
      {gimBar,
       "B......./B#....../B##...../B##...../B##...../B##...../B##...../B##...../B##...../B##....."},
  };
  for (const Case& c : horizontalAtMin) {
    TScaleGauge g(nullptr);
    PlainTestGauge(g, goHorizontal);
    g.SetIndexMode(c.mode);
    g.SetValue(-10);
    TBitmap b;
    g.CopyToBitmap(b);
    EXPECT_EQ(Zone(b, 19, 30, 26, 39), c.picture) << "mode " << int(c.mode);
  }
  const Case verticalAtMax[] = {
      {gimThread,
       "BBBBBBBBBBB/##########B/..........B/..........B/..........B/..........B/..........B/"
       "..........B"},
      {gimTriangle,
       "BBBBBBBBBBB/##########B/.#########B/...#######B/.....#####B/.......###B/.........#B/"
       "..........B"},
      {gimThreadTriangle,
       "BBBBBBBBBBB/RRRRRRRRRRB/.RRRRRRRRRB/...RRRRRRRB/.....RRRRRB/.......RRRB/.........RB/"
       "..........B"},
      {gimThreadTwoTriangles,
       "BBBBBBBBBBB/RRRRRRRRRRB/.RRRRRRRRRB/...RRRRRRRB/.....RRRRRB/.......RRRB/.........RB/"
       "..........B"},
      {gimBand,
       "BBBBBBBBBBB/RRRRRRR...B/???????...B/???????...B/???????...B/???????...B/???????...B/"
       "???????...B"},
      {gimDualColorBand,
       "BBBBBBBBBBB/#######...B/#######...B/#######...B/#######...B/#######...B/#######...B/"
       "#######...B"},
      {gimBar,
       "BBBBBBBBBBB/.#########B/..########B/..........B/..........B/..........B/..........B/"
       "..........B"},
  };
  for (const Case& c : verticalAtMax) {
    TScaleGauge g(nullptr);
    PlainTestGauge(g, goVertical);
    g.SetIndexMode(c.mode);
    g.SetValue(10);
    TBitmap b;
    g.CopyToBitmap(b);
    EXPECT_EQ(Zone(b, 40, 9, 50, 16), c.picture) << "mode " << int(c.mode);
  }
}

TEST(GaugePicture, TheOtherEndsBandsAndTheUpperTriangle) {
  TBitmap b;
  {
    TScaleGauge g(nullptr);
    PlainTestGauge(g, goHorizontal);
    g.SetValue(10);  // the default triangle at the window's last column 89
    g.CopyToBitmap(b);
    EXPECT_EQ(Zone(b, 83, 37, 90, 39), "..#####B/..#####B/.######B");
  }
  {
    // The upper triangle hangs from the window's top row 10, its tip on row 19.
    TScaleGauge g(nullptr);
    PlainTestGauge(g, goHorizontal);
    g.Font().SetColor(clWhite);  // labels out of the way
    g.SetIndexMode(gimThreadTwoTriangles);
    g.SetValue(-10);
    g.CopyToBitmap(b);
    EXPECT_EQ(Zone(b, 19, 9, 26, 11), "BBBBBBBB/BRRRRRR./BRRRRR..");
    EXPECT_EQ(Zone(b, 19, 18, 22, 19), "BRR./BR..");
  }
  {
    // The band runs from the window's first column (ColorIndex1) to the index, graded towards
    // ColorIndex2 over the window's 70 columns: 140 * 35 / 70 = 70 and 140 * 69 / 70 = 138.
    TScaleGauge g(nullptr);
    PlainTestGauge(g, goHorizontal);
    g.SetIndexMode(gimBand);
    g.SetColorIndex2(RGB(140, 0, 0));
    g.SetValue(10);
    g.CopyToBitmap(b);
    EXPECT_EQ(b.Canvas().Pixels(20, 30), clBlack);
    EXPECT_EQ(b.Canvas().Pixels(55, 33), RGB(70, 0, 0));
    EXPECT_EQ(b.Canvas().Pixels(89, 36), RGB(138, 0, 0));
    EXPECT_EQ(b.Canvas().Pixels(89, 37), clWhite);  // seven rows deep
    // A value billions of pixels beyond the range (kept from before the range shrank) fills
    // the window and costs no more than that.
    g.SetMin(-1e-9);
    g.SetMax(1e-9);
    g.CopyToBitmap(b);
    EXPECT_EQ(b.Canvas().Pixels(89, 36), RGB(138, 0, 0));
  }
  {
    // Zero 0 above the value -4: the band from -4 (column 20 + 6 * 69 / 20 = 40.7 -> 41) to 0
    // (54.5 -> 54) in ColorIndex2; with the value above zero it turns to ColorIndex1.
    TScaleGauge g(nullptr);
    PlainTestGauge(g, goHorizontal);
    g.SetIndexMode(gimDualColorBand);
    g.SetValue(-4);
    g.CopyToBitmap(b);
    EXPECT_EQ(Zone(b, 40, 30, 55, 30), ".RRRRRRRRRRRRRR.");
    g.SetValue(4);  // 54 .. 20 + 14 * 69 / 20 = 68.3 -> 68
    g.CopyToBitmap(b);
    EXPECT_EQ(Zone(b, 53, 36, 69, 37), ".###############./.................");
  }
}

TEST(GaugePicture, BackgroundGradientsOverTheWindow) {
  // Window columns 20..89 (n = 70) and rows 10..40 (n = 30) of a 100 x 60 gauge.
  const TColor c1 = clBlack, c2 = RGB(140, 60, 30);
  struct Case {
    TGaugeBackground bg;
    int x, y;
    TColor expected;
  };
  const Case cases[] = {
      {gbPlain, 50, 20, c1},
      {gbVertGrad, 20, 20, c1},
      {gbVertGrad, 89, 20, RGB(138, 59, 30)},  // i = 69: 69 / 70 of the way (29.57 -> 30)
      {gbVertGrad, 55, 12, RGB(70, 30, 15)},
      {gbHorizGrad, 50, 10, c1},
      {gbHorizGrad, 50, 25, RGB(70, 30, 15)},
      {gbHorizGrad, 50, 39, RGB(135, 58, 29)},  // i = 29: 29 / 30
      {gbVertMidBand, 20, 20, c1},
      {gbVertMidBand, 89, 20, RGB(4, 2, 1)},  // W - R - i for i = 1: f = 2 / 70
      {gbVertMidBand, 55, 20, c2},
      {gbVertMidBand, 54, 20, RGB(136, 58, 29)},  // i = 34: f = 68 / 70
      {gbHorizMidBand, 30, 25, c2},
      {gbHorizMidBand, 30, 10, c1},
      {gbHorizMidBand, 30, 39, RGB(9, 4, 2)},  // H - B - i for i = 1: f = 2 / 30
  };
  for (const Case& c : cases) {
    TScaleGauge g(nullptr);
    g.SetBounds(0, 0, 100, 60);
    g.SetFrameStyleInner(rbNone);
    g.SetBackground(c.bg);
    g.SetColorBg1(c1);
    g.SetColorBg2(c2);
    g.SetIndexMode(gimBar);
    g.SetValue(-10);
    TBitmap b;
    g.CopyToBitmap(b);
    EXPECT_EQ(b.Canvas().Pixels(c.x, c.y), c.expected)
        << "background " << int(c.bg) << " at " << c.x << ", " << c.y;
  }
}

TEST(GaugePicture, DisabledGaugesPaintInGreys) {
  TScaleGauge g(nullptr);
  PlainTestGauge(g, goHorizontal);
  g.SetIndexMode(gimThread);
  g.SetValue(2);
  g.SetCaption("Pressure");
  g.SetEnabled(false);
  TBitmap b;
  g.CopyToBitmap(b);
  EXPECT_EQ(b.Canvas().Pixels(30, 35), 15329774);  // background
  EXPECT_EQ(b.Canvas().Pixels(30, 29), clGray);    // base line
  EXPECT_EQ(b.Canvas().Pixels(61, 35), clGray);    // thread at 20 + 12 * 69 / 20 = 61.4
  EXPECT_EQ(b.Canvas().Pixels(5, 5), clBlue);      // the cover keeps its colour
  int black = 0, grey = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      black += b.Canvas().Pixels(x, y) == clBlack;
      grey += b.Canvas().Pixels(x, y) == clGray;
    }
  EXPECT_EQ(black, 0);
  EXPECT_GT(grey, 100);
}

TEST(GaugePicture, AMovingDialCentresTheScaleOnTheValue) {
  TScaleGauge g(nullptr);
  PlainTestGauge(g, goHorizontal);
  g.SetIndexMode(gimThread);
  g.SetFixedDial(false);
  g.SetValue(3);
  TBitmap b;
  g.CopyToBitmap(b);
  EXPECT_EQ(g.GaugeScale().RangeLow(), -7);
  EXPECT_EQ(g.GaugeScale().RangeHigh(), 13);
  EXPECT_EQ(Zone(b, 54, 33, 56, 33), ".#.");  // 20 + 70 div 2
  g.SetFixedDial(true);
  EXPECT_EQ(g.GaugeScale().RangeLow(), -10);

  TScaleGauge lg(nullptr);
  lg.SetMin(1);
  lg.SetMax(100);
  lg.SetLogarithmic(true);
  lg.SetFixedDial(false);
  lg.SetValue(50);
  lg.CopyToBitmap(b);
  EXPECT_DOUBLE_EQ(lg.GaugeScale().RangeLow(), 5);  // 50 / sqrt(100)
  EXPECT_DOUBLE_EQ(lg.GaugeScale().RangeHigh(), 500);
}

TEST(GaugeMouse, MovesReportTheScaleValueAndWhetherInsideTheStrip) {
  TOffscreenHost host;
  TScaleGauge g(nullptr);
  g.SetBounds(0, 0, 100, 60);
  host.Show(g);
  struct Report {
    bool in;
    double v;
  };
  std::vector<Report> reports;
  g.OnMouseMoveInGauge = [&](TObject* s, bool in, TShiftState, double v) {
    EXPECT_EQ(s, &g);
    reports.push_back({in, v});
  };
  host.MouseMove(g, 20, 10);  // the strip's top-left corner
  host.MouseMove(g, 90, 30);  // its right and bottom ends (100 - 10, 60 - 30)
  host.MouseMove(g, 91, 30);
  host.MouseMove(g, 50, 31);
  ASSERT_EQ(reports.size(), 4u);
  EXPECT_TRUE(reports[0].in);
  EXPECT_EQ(reports[0].v, -10);
  EXPECT_TRUE(reports[1].in);
  EXPECT_FALSE(reports[2].in);
  EXPECT_FALSE(reports[3].in);
  EXPECT_DOUBLE_EQ(reports[3].v, -10 + 30 * 20 / 69.0);
}

TEST(GaugeAssign, CopiesTheLookAndTheValueOnly) {
  TScaleGauge a(nullptr), b(nullptr);
  a.SetFrameStyleOuter(rbSimple);
  a.SetFrameStyleInner(rbEmbossed);
  a.SetValue(7);
  a.SetColorBg1(clNavy);
  a.SetColorBg2(clYellow);
  a.SetColorScheme(csSystem);
  a.SetEnabled(false);
  a.SetIndexMode(gimBar);
  a.SetMax(50);
  b.Assign(a);
  EXPECT_EQ(b.FrameStyleOuter(), rbSimple);
  EXPECT_EQ(b.FrameStyleInner(), rbEmbossed);
  EXPECT_EQ(b.Value(), 7);
  EXPECT_EQ(b.ColorBg1(), clNavy);
  EXPECT_EQ(b.ColorBg2(), clYellow);
  EXPECT_EQ(b.ColorScheme(), csSystem);
  EXPECT_FALSE(b.Enabled());
  EXPECT_EQ(b.IndexMode(), gimTriangle);
  EXPECT_EQ(b.Max(), 10);
  TScale other(nullptr);
  EXPECT_THROW(b.Assign(other), EKIVError);
}

}  // namespace
}  // namespace kiv
