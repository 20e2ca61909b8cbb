// Construction and defaults of the chart: the values after creation and after ResetComp, the
// size limits, the five standard layouts, the black-and-white switch and the chart cursors.
#include <gtest/gtest.h>

#include "platform/offscreen_host.h"
#include "platform/screen.h"
#include "rchart/chartcursors.h"
#include "rchart/rchart.h"
#include "services/colorarray.h"

namespace kiv {
namespace {

struct Margins {
  int left, right, top, bottom;
  friend bool operator==(const Margins&, const Margins&) = default;
};

Margins MarginsOf(const TCustomRChart& c) {
  return {c.MarginLeft(), c.MarginRight(), c.MarginTop(), c.MarginBottom()};
}

void ExpectFreshDefaults(TCustomRChart& c) {
  EXPECT_EQ(c.Width(), 280);
  EXPECT_EQ(c.Height(), 200);
  EXPECT_EQ(MarginsOf(c), (Margins{50, 20, 20, 40}));
  EXPECT_EQ(c.StandardLayout(), rcl_X1Bottom_Y1Left);
  EXPECT_EQ(c.ShadowWidth(), 0);
  EXPECT_EQ(c.ShadowStyle(), shsPlain);
  EXPECT_EQ(c.ShadowColor(), clGrayText);
  EXPECT_EQ(c.ShadowBakColor(), clBtnFace);
  EXPECT_EQ(c.WindColor(), clBtnFace);
  EXPECT_EQ(c.ChartColor(), clWhite);
  EXPECT_EQ(c.ChartFrameColor(), clBlack);
  EXPECT_EQ(c.GridColor(), clBlack);
  EXPECT_EQ(c.DataColor(), clBlack);
  EXPECT_EQ(c.GridStyle(), gsNone);
  EXPECT_EQ(c.FillColor(), clSilver);
  EXPECT_EQ(c.Caption(), "");
  EXPECT_EQ(c.CaptionPosX(), 0);
  EXPECT_EQ(c.CaptionPosY(), -16);
  EXPECT_EQ(c.CaptionAlignment(), taRightJustify);
  EXPECT_EQ(c.CaptionAnchorHoriz(), cahChartRight);
  EXPECT_EQ(c.CaptionAnchorVert(), cavChartTop);
  EXPECT_EQ(c.CaptionTrim(), 100);
  EXPECT_TRUE(c.AnnosVisible());
  EXPECT_TRUE(c.AnnoTextOnTop());
  EXPECT_FALSE(c.AnnoBelowChart());
  EXPECT_TRUE(c.AutoRedraw());
  EXPECT_TRUE(c.MouseCursorFixed());
  EXPECT_EQ(c.MouseAction(), mactNone);
  EXPECT_EQ(c.MouseTraceColor(), clWhite);
  EXPECT_TRUE(c.MouseTraceInvert());
  EXPECT_EQ(c.PanGridDx(), 1);
  EXPECT_EQ(c.PanGridOffsY(), 0);
  EXPECT_EQ(c.ActiveLayer(), 1);
  EXPECT_TRUE(c.MouseAffectsLayer(1));
  EXPECT_FALSE(c.MouseAffectsLayer(2));
  EXPECT_TRUE(c.SuppressPaint());
  // Axes: layer 1 bottom and left in predefined colour 0, layer 2 in colour 1 and hidden.
  EXPECT_TRUE(c.Scale1X().Visible());
  EXPECT_TRUE(c.Scale1Y().Visible());
  EXPECT_FALSE(c.Scale2X().Visible());
  EXPECT_FALSE(c.Scale2Y().Visible());
  EXPECT_EQ(c.Scale1X().ColorScale(), PredefinedColors(0));
  EXPECT_EQ(c.Scale2Y().ColorScale(), PredefinedColors(1));
  EXPECT_EQ(c.ScaleX(1).Name(), "RC_FScale_X_1");
  EXPECT_EQ(c.ScaleY(2).Name(), "RC_FScale_Y_2");
  EXPECT_EQ(c.ScaleX(2).MouseAction(), mactStretch);
  // Crosshairs 1..4 on their own layer, red, off, dash-dot-dot; labels free and hidden.
  EXPECT_EQ(c.CrossHair3().Layer(), 3);
  EXPECT_EQ(c.CrossHair1().Color(), clRed);
  EXPECT_EQ(c.CrossHair2().Mode(), chOff);
  EXPECT_EQ(c.CrossHair4().LineType(), psDashDotDot);
  for (int i = 1; i <= kNumTextLabels; ++i) {
    EXPECT_EQ(c.TextLabels(i).Mode(), tlmNone);
    EXPECT_FALSE(c.TextLabels(i).Visible());
  }
  EXPECT_EQ(c.TextLabels(7).ShadowDx(), 3);
  EXPECT_EQ(c.TextLabels(7).VerticalAlignment(), vaBottom);
  // The zoom history holds the current ranges as its only entry.
  EXPECT_EQ(c.ZoomStack(1, 0).Right, c.Scale1X().RangeHigh());
  EXPECT_EQ(c.ZoomStack(1, -1).Right, 0);
}

TEST(ChartDefaults, AfterConstruction) {
  TCustomRChart c(nullptr);
  ExpectFreshDefaults(c);
}

TEST(ChartDefaults, ResetCompRestoresEverySetting) {
  TCustomRChart c(nullptr);
  c.SetStandardLayout(rcl_X2Both_Y2Both);
  c.SetCaption("x");
  c.SetWindColor(clRed);
  c.SetShadowWidth(5);
  c.SetCaptionTrim(40);
  c.SetMouseTraceColor(clBlue);
  c.CrossHair2().SetMode(chBoth);
  c.AddTextLabel(1, 2, clBlue, "label");
  c.BackGroundImg().SetName("picture.png");
  c.SetRange(1, 5, 5, 6, 6);
  c.MoveTo(1.0, 2.0);
  c.ResetComp();
  ExpectFreshDefaults(c);
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.BackGroundImg().Name(), "");
}

TEST(ChartDefaults, AWindowAllowsPainting) {
  TOffscreenHost host;
  TCustomRChart c(nullptr);
  EXPECT_TRUE(c.SuppressPaint());
  host.Show(c);
  EXPECT_FALSE(c.SuppressPaint());
  EXPECT_GE(host.PaintCount(c), 1);
}

TEST(ChartDefaults, LoadingFinishesWithTheAxesAndTheTransformation) {
  TCustomRChart c(nullptr);
  c.BeginLoading();
  c.Scale1X().SetRangeHigh(100);
  c.Scale1X().SetCaption("streamed");
  EXPECT_TRUE(c.Scale1X().NotYetLoaded());
  c.EndLoading();
  EXPECT_FALSE(c.Scale1X().NotYetLoaded());
  EXPECT_FALSE(c.Scale2Y().NotYetLoaded());
  EXPECT_EQ(c.ScaleX(1).Caption(), "streamed");
  int px, py;
  c.R2M(1, 100, 0, px, py);
  EXPECT_EQ(px, 280 - 20);  // the right edge of the data area
}

TEST(ChartDefaults, SizeNeverDropsBelowTheMarginsPlusARestOfTheDataArea) {
  TCustomRChart c(nullptr);
  c.SetMarginRight(10);
  c.SetMarginTop(16);
  c.SetMarginBottom(32);
  c.SetBounds(0, 0, 10, 10);
  EXPECT_EQ(c.Width(), 140);  // 50 + 10 + 0 + 80
  EXPECT_EQ(c.Height(), 68);  // 16 + 32 + 0 + 20
  c.SetShadowWidth(4);
  c.SetBounds(0, 0, 10, 10);
  EXPECT_EQ(c.Width(), 144);
}

TEST(ChartDefaults, IsometricChartsKeepEqualUnitsWhenResized) {
  TCustomRChart c(nullptr);
  c.SetRange(1, 0, 0, 10, 10);
  c.SetIsometric(true);
  c.SetBounds(0, 0, 400, 300);
  const double w = c.Scale1X().RangeHigh() - c.Scale1X().RangeLow();
  const double h = c.Scale1Y().RangeHigh() - c.Scale1Y().RangeLow();
  const TSize s = c.DataBitmapSize();
  EXPECT_NEAR(h / w, static_cast<double>(s.cy) / s.cx, 1e-12);
}

// --- Standard layouts

struct AxisRow {
  bool visible;
  int pos, captX, captY;
  TAlignment align;
  TScaleUnitAnchor anchor;
};

void ExpectAxis(const TScaleProps& p, const AxisRow& r) {
  EXPECT_EQ(p.Visible(), r.visible);
  EXPECT_EQ(p.ScalePos(), r.pos);
  EXPECT_EQ(p.CaptionPosX(), r.captX);
  EXPECT_EQ(p.CaptionPosY(), r.captY);
  EXPECT_EQ(p.CaptionAlignment(), r.align);
  EXPECT_EQ(p.CaptionAnchor(), r.anchor);
}

TEST(ChartLayouts, OneYAxisLeft) {
  TCustomRChart c(nullptr);
  c.SetStandardLayout(rcl_X1Bottom_Y2Left);
  c.SetStandardLayout(rcl_X1Bottom_Y1Left);
  EXPECT_EQ(MarginsOf(c), (Margins{50, 20, 20, 40}));
  ExpectAxis(c.Scale1X(), {true, 0, 0, 22, taCenter, uaSclCenter});
  ExpectAxis(c.Scale1Y(), {true, 0, 0, -16, taLeftJustify, uaSclTopLft});
  ExpectAxis(c.Scale2X(), {false, 0, 10, 100, taCenter, uaSclCenter});
  ExpectAxis(c.Scale2Y(), {false, 0, 10, 100, taRightJustify, uaSclTopLft});
  EXPECT_EQ(c.Scale2Y().ScaleLocation(), slLeft);
  EXPECT_EQ(c.Scale2X().ScaleLocation(), slBottom);
}

TEST(ChartLayouts, TwoYAxesLeft) {
  TCustomRChart c(nullptr);
  c.SetStandardLayout(rcl_X1Bottom_Y2Left);
  EXPECT_EQ(c.StandardLayout(), rcl_X1Bottom_Y2Left);
  EXPECT_EQ(MarginsOf(c), (Margins{100, 20, 24, 40}));
  EXPECT_EQ(c.CaptionPosY(), -16);
  ExpectAxis(c.Scale1Y(), {true, 0, 0, -23, taRightJustify, uaSclTopLft});
  ExpectAxis(c.Scale2Y(), {true, 50, 0, -23, taRightJustify, uaSclTopLft});
  ExpectAxis(c.Scale2X(), {false, 0, 10, 100, taCenter, uaSclCenter});
}

TEST(ChartLayouts, TwoYAxesOnBothSides) {
  TCustomRChart c(nullptr);
  c.SetStandardLayout(rcl_X1Bottom_Y2Both);
  EXPECT_EQ(MarginsOf(c), (Margins{50, 50, 24, 40}));
  EXPECT_EQ(c.CaptionPosY(), -20);
  EXPECT_EQ(c.CaptionAlignment(), taCenter);
  EXPECT_EQ(c.CaptionAnchorHoriz(), cahChartCenter);
  ExpectAxis(c.Scale2Y(), {true, 0, 0, -23, taLeftJustify, uaSclTopLft});
  EXPECT_EQ(c.Scale2Y().ScaleLocation(), slRight);
}

TEST(ChartLayouts, TwoXAxesBelowTwoYAxesLeft) {
  TCustomRChart c(nullptr);
  c.SetStandardLayout(rcl_X2Bottom_Y2Left);
  EXPECT_EQ(MarginsOf(c), (Margins{100, 20, 24, 70}));
  ExpectAxis(c.Scale1X(), {true, 0, -20, 7, taRightJustify, uaSclTopLft});
  ExpectAxis(c.Scale2X(), {true, 30, -20, 7, taRightJustify, uaSclTopLft});
  ExpectAxis(c.Scale2Y(), {true, 50, 0, -23, taRightJustify, uaSclTopLft});
  EXPECT_EQ(c.Scale2X().ScaleLocation(), slBottom);
}

TEST(ChartLayouts, AxesOnAllFourSides) {
  TCustomRChart c(nullptr);
  c.SetStandardLayout(rcl_X2Both_Y2Both);
  EXPECT_EQ(c.StandardLayout(), rcl_X2Both_Y2Both);
  EXPECT_EQ(MarginsOf(c), (Margins{50, 50, 64, 40}));
  EXPECT_EQ(c.CaptionPosY(), -60);
  ExpectAxis(c.Scale1X(), {true, 0, 0, 20, taCenter, uaSclCenter});
  ExpectAxis(c.Scale1Y(), {true, 0, 0, -40, taRightJustify, uaSclTopLft});
  ExpectAxis(c.Scale2X(), {true, 0, 0, -40, taCenter, uaSclCenter});
  ExpectAxis(c.Scale2Y(), {true, 0, 0, -40, taLeftJustify, uaSclTopLft});
  EXPECT_EQ(c.Scale2X().ScaleLocation(), slTop);
  EXPECT_EQ(c.Scale2Y().ScaleLocation(), slRight);
  // The components follow their properties.
  EXPECT_EQ(c.ScaleX(2).ScaleType(), sctLabelsAbove);
  EXPECT_EQ(c.ScaleY(2).ScaleType(), sctLabelsRight);
  EXPECT_TRUE(c.ScaleX(2).Visible());
}

TEST(ChartLayouts, ALayoutRestoresTheSuppressionItFound) {
  TOffscreenHost host;
  TCustomRChart c(nullptr);
  host.Show(c);
  host.ResetCounts();
  c.SetStandardLayout(rcl_X2Both_Y2Both);
  EXPECT_FALSE(c.SuppressPaint());
  host.ProcessMessages();
  EXPECT_GE(host.PaintCount(c), 1);
}

// --- Black and white

TEST(ChartBlackAndWhite, SwitchesAndRestoresEveryColour) {
  TCustomRChart c(nullptr);
  c.SetWindColor(clYellow);
  c.SetChartColor(clNavy);
  c.SetChartFrameColor(clRed);
  c.Font().SetColor(clGreen);
  c.SetShadowColor(clMaroon);
  c.SetShadowBakColor(clTeal);
  c.SetGridColor(clLime);
  c.Scale2Y().SetColorScale(clFuchsia);
  c.Scale1X().Font().SetColor(clOlive);
  c.AddTextLabel(0, 0, clBlue, "label");
  c.CrossHair2().SetColor(clAqua);

  c.BackupColorsAndMakeBW();
  EXPECT_EQ(c.WindColor(), clWhite);
  EXPECT_EQ(c.ChartColor(), clWhite);
  EXPECT_EQ(c.ChartFrameColor(), clBlack);
  EXPECT_EQ(c.Font().Color(), clBlack);
  EXPECT_EQ(c.ShadowColor(), clSilver);
  EXPECT_EQ(c.ShadowBakColor(), clWhite);
  EXPECT_EQ(c.Scale2Y().ColorScale(), clBlack);
  EXPECT_EQ(c.Scale1X().Font().Color(), clBlack);
  EXPECT_EQ(c.ScaleY(2).ColorScale(), clBlack);  // copied into the component
  EXPECT_EQ(c.TextLabels(1).Font().Color(), clBlack);

  c.ReloadBackupColors();
  EXPECT_EQ(c.WindColor(), clYellow);
  EXPECT_EQ(c.ChartColor(), clNavy);
  EXPECT_EQ(c.ChartFrameColor(), clRed);
  EXPECT_EQ(c.Font().Color(), clGreen);
  EXPECT_EQ(c.ShadowColor(), clMaroon);
  EXPECT_EQ(c.ShadowBakColor(), clTeal);
  EXPECT_EQ(c.GridColor(), clLime);
  EXPECT_EQ(c.Scale2Y().ColorScale(), clFuchsia);
  EXPECT_EQ(c.Scale1X().Font().Color(), clOlive);
  EXPECT_EQ(c.ScaleY(2).ColorScale(), clFuchsia);
  EXPECT_EQ(c.TextLabels(1).Font().Color(), clBlue);
  EXPECT_EQ(c.CrossHair2().Color(), clAqua);
}

// --- Cursors

TEST(ChartCursors, FourShapesAreRegisteredUnderOneToFour) {
  TCustomRChart c(nullptr);
  for (TCursor n = 1; n <= 4; ++n) {
    ASSERT_TRUE(Screen().HasCursor(n));
    const TCursorImage image = Screen().Cursors(n);
    EXPECT_FALSE(image.Empty());
    EXPECT_EQ(image, ChartCursorImage(n));
  }
  // Four different pictures; the magnifiers point with the centre of their lens.
  EXPECT_NE(ChartCursorImage(2), ChartCursorImage(3));
  EXPECT_NE(ChartCursorImage(3), ChartCursorImage(4));
  EXPECT_EQ(ChartCursorImage(crChartZoomPlus).HotSpot(), TPoint(7, 7));
  EXPECT_TRUE(ChartCursorImage(5).Empty());
}

}  // namespace
}  // namespace kiv
