#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "probe_chart.h"
#include "rchart/rchart.h"

namespace kiv {
namespace {

// The last annotation, or the last data item.
TrcChartItem LastAnno(const TCustomRChart& c) {
  return c.GetAnnoItem(c.NumAnnos() - 1);
}
TrcChartItem LastData(const TCustomRChart& c) {
  return c.GetChartItem(c.NumItems() - 1);
}

// --- Drawing attributes.

TEST(DrawingAttributes, Defaults) {
  ProbeChart c;
  EXPECT_EQ(c.DataColor(), 0);
  EXPECT_EQ(c.PenStyle(), psSolid);
  EXPECT_EQ(c.LineWidth(), 1);
  EXPECT_EQ(c.FillColor(), 12632256);
  EXPECT_EQ(c.TextBkColor(), 12632256);
  EXPECT_FALSE(c.TransparentItems());
  EXPECT_EQ(c.ClassDefault(), 0);
  EXPECT_EQ(c.DataTag(), 0);
  EXPECT_EQ(c.ActiveLayer(), 1);
  EXPECT_EQ(c.TextBkStyle(), tbClear);
  EXPECT_EQ(c.TextAlignment(), taCenter);
  EXPECT_EQ(c.TextFont().Name(), c.Font().Name());
  EXPECT_EQ(c.TextFont().Size(), c.Font().Size());
}

TEST(DrawingAttributes, SettersRefuseWhatCannotBeStored) {
  ProbeChart c;
  c.SetClassDefault(254);
  c.SetClassDefault(255);  // the class wildcard
  EXPECT_EQ(c.ClassDefault(), 254);
  c.SetActiveLayer(2);
  c.SetActiveLayer(3);
  c.SetActiveLayer(0);
  EXPECT_EQ(c.ActiveLayer(), 2);
  EXPECT_EQ(c.repaints, 1);  // only the accepted layer repaints
}

TEST(DrawingAttributes, FillColorAndTextBkColorAreOneField) {
  ProbeChart c;
  c.SetTextBkColor(clYellow);
  EXPECT_EQ(c.FillColor(), clYellow);
  c.SetFillColor(clAqua);
  EXPECT_EQ(c.TextBkColor(), clAqua);
}

TEST(DrawingAttributes, TextFontStyleIsTheStyleOfTextFont) {
  ProbeChart c;
  c.SetTextFontStyle({fsBold, fsItalic});
  EXPECT_TRUE(c.TextFont().Style().Contains(fsBold));
  c.TextFont().SetStyle({fsUnderline});
  EXPECT_EQ(c.TextFontStyle(), TFontStyles({fsUnderline}));
  EXPECT_EQ(c.repaints, 0);
}

TEST(DrawingAttributes, NewItemsTakeTheCurrentAttributes) {
  ProbeChart c;
  c.SetDataColor(clRed);
  c.SetPenStyle(psDot);
  c.SetLineWidth(3);
  c.SetClassDefault(9);
  c.SetDataTag(-77);
  c.SetActiveLayer(2);
  c.SetFillColor(clLime);
  c.DrawTo(1.0, 2.0);
  TrcChartItem item = LastData(c);
  EXPECT_EQ(item.ItemKind, tkLineto);
  EXPECT_EQ(item.Color, clRed);
  EXPECT_EQ(item.PenStyle, psDot);
  EXPECT_EQ(item.LWid, 3);
  EXPECT_EQ(item.ItemClass, 9);
  EXPECT_EQ(item.Tag, -77);
  EXPECT_EQ(item.Layer, 2);
  EXPECT_EQ(item.FillColor, clLime);
  // Later changes leave stored items alone.
  c.SetDataColor(clBlue);
  EXPECT_EQ(c.GetChartItem(0).Color, clRed);
}

// --- Overloads and coordinate modes.

TEST(CoordinateModes, DataItemsAlwaysStoreWorldCoordinates) {
  ProbeChart c;
  c.MoveTo(10, 20);
  EXPECT_EQ(LastData(c).CoordMode, cmAllWorld);
  EXPECT_EQ(LastData(c).x, 10.0);
  EXPECT_EQ(LastData(c).y, 20.0);
  c.Line(1, 2, 3.5, 4.5);
  c.Arrow(1, 2.0, 3, 4.0, 5);
  c.Text(1, 2.0, 8, "t");
  c.CursorVert(7);
  for (int i = 0; i < c.NumItems(); ++i) EXPECT_EQ(c.GetChartItem(i).CoordMode, cmAllWorld);
}

TEST(CoordinateModes, AnnotationsStoreTheModeOfTheirArguments) {
  ProbeChart c;
  c.SetAnnoMode(true);
  const auto mode = [&] { return LastAnno(c).CoordMode; };

  c.MoveTo(10, 20);
  EXPECT_EQ(mode(), cmAllScreen);
  EXPECT_EQ(LastAnno(c).x, 10.0);
  c.MoveTo(10.0, 20.0);
  EXPECT_EQ(mode(), cmAllWorld);
  c.MoveTo(10, 20.0);
  EXPECT_EQ(mode(), cmXScreenYWorld);
  c.MoveTo(10.0, 20);
  EXPECT_EQ(mode(), cmXWorldYScreen);
  c.DrawTo(1, 2);
  EXPECT_EQ(mode(), cmAllScreen);
  c.DrawTo(1.5, 2);
  EXPECT_EQ(mode(), cmXWorldYScreen);

  c.Line(1.0, 2.0, 3.0, 4.0);
  EXPECT_EQ(mode(), cmAllWorld);
  c.Line(1, 2, 3, 4);
  EXPECT_EQ(mode(), cmAllScreen);
  c.Rectangle(1.0, 2.0, 3, 4);
  EXPECT_EQ(mode(), cmWorldMainScreenSec);
  c.RectFrame(1, 2, 3.0, 4.0, rbRaised, clGray, clWhite);
  EXPECT_EQ(mode(), cmScreenMainWorldSec);

  c.Arrow(1, 2.0, 3, 4.0, 5);
  EXPECT_EQ(mode(), cmXScreenYWorld);
  c.DoubleArrow(1.0, 2, 3.0, 4, 5);
  EXPECT_EQ(mode(), cmXWorldYScreen);
  c.Arrow(1.0, 2.0, 3, 4, 5);
  EXPECT_EQ(mode(), cmWorldMainScreenSec);

  c.MarkAt(1, 2, 3);
  EXPECT_EQ(mode(), cmAllScreen);
  c.MarkAt(1.0, 2.0, 3);
  EXPECT_EQ(mode(), cmAllWorld);
  c.CursorVert(5);
  EXPECT_EQ(mode(), cmAllScreen);
  c.CursorHoriz(5.0);
  EXPECT_EQ(mode(), cmAllWorld);
  c.Text(1, 2, 8, "s");
  EXPECT_EQ(mode(), cmAllScreen);
  c.Text(1.0, 2, 8, "s");
  EXPECT_EQ(mode(), cmXWorldYScreen);
}

TEST(CoordinateModes, AnyIntegerIsScreenAndAnyFloatingTypeIsWorld) {
  ProbeChart c;
  c.SetAnnoMode(true);
  const auto mode = [&] { return LastAnno(c).CoordMode; };
  const long l = 3;
  const unsigned u = 4;
  const std::int64_t big = 5;
  const short s = 6;
  const std::size_t z = 7;
  const float f = 1.5f;
  const long double ld = 2.5L;

  c.MoveTo(l, u);
  EXPECT_EQ(mode(), cmAllScreen);
  EXPECT_EQ(LastAnno(c).y, 4.0);
  c.MoveTo(big, s);
  EXPECT_EQ(mode(), cmAllScreen);
  c.MoveTo(f, ld);
  EXPECT_EQ(mode(), cmAllWorld);
  EXPECT_EQ(LastAnno(c).x, 1.5);
  EXPECT_EQ(LastAnno(c).y, 2.5);
  c.MoveTo(z, f);
  EXPECT_EQ(mode(), cmXScreenYWorld);
  c.Line(f, ld, u, l);
  EXPECT_EQ(mode(), cmWorldMainScreenSec);
  c.Arrow(u, f, l, 2.0, 1);
  EXPECT_EQ(mode(), cmXScreenYWorld);
  c.MarkAt(f, 2.0, 0);
  EXPECT_EQ(mode(), cmAllWorld);
  c.CursorHoriz(s);
  EXPECT_EQ(mode(), cmAllScreen);
}

TEST(CoordinateModes, WorldOnlyMethodsStoreWorldModeEvenAsAnnotations) {
  ProbeChart c;
  c.SetAnnoMode(true);
  c.MoveToRelPix(3, 4);
  c.DrawToRelPix(3, 4);
  c.DrawToRelPix(1, 2, 3, 4);
  c.LineOffset(1, 2, 3, 4, 5, 6);
  c.RectangleRelPix(1, 2, 3, 4);
  c.MarkErrorBar(1, 2, 3, 4, orHorizontal, 5);
  c.Text(1, 2, 8, "t", 1, 1, taLeftJustify);
  c.Bar3D(1, 2, 3, 4, 5, 6);
  c.Ellipse(1, 2, 3, 4);
  c.Arc(1, 2, 3, 4, 0.5, 1.5);
  EXPECT_EQ(c.NumAnnos(), 10);
  for (int i = 0; i < c.NumAnnos(); ++i) EXPECT_EQ(c.GetAnnoItem(i).CoordMode, cmAllWorld) << i;
}

// Combinations without a coordinate mode do not compile.
template <typename... A>
concept CanLine = requires(TCustomRChart& c, A... a) {
  c.Line(a...);
};
template <typename... A>
concept CanArrow = requires(TCustomRChart& c, A... a) {
  c.Arrow(a..., 5);
};
template <typename... A>
concept CanMarkAt = requires(TCustomRChart& c, A... a) {
  c.MarkAt(a..., 1);
};
static_assert(CanLine<int, int, double, double>);
static_assert(!CanLine<int, double, int, double>);
static_assert(!CanLine<double, int, int, int>);
static_assert(CanArrow<int, double, int, double>);
static_assert(!CanArrow<int, double, double, int>);
static_assert(CanMarkAt<float, double>);
static_assert(!CanMarkAt<int, double>);
static_assert(!CanLine<bool, bool, bool, bool>);

TEST(ItemCreation, DataAppendsInformSharingChartsAndAnnotationsDoNot) {
  ProbeChart c;
  c.MoveTo(0, 0);
  c.DrawTo(1, 1);
  EXPECT_EQ(c.shared_updates, 2);
  c.SetAnnoMode(true);
  c.DrawTo(1, 1);
  EXPECT_EQ(c.shared_updates, 2);
  EXPECT_EQ(c.repaints, 1);  // from SetAnnoMode; creating items never repaints
}

// --- What each kind stores.

TEST(ItemCreation, PenMovesAndSteps) {
  ProbeChart c;
  c.SetFillColor(clRed);
  c.SetLineWidth(2);
  c.MoveToRelPix(-3, 4);
  EXPECT_EQ(LastData(c).ItemKind, tkMoveRelPix);
  EXPECT_EQ(LastData(c).x, -3.0);
  EXPECT_EQ(LastData(c).FillColor, 0);  // moves take no fill colour
  c.DrawToRelPix(5, 6);
  EXPECT_EQ(LastData(c).ItemKind, tkLineRelPix);
  EXPECT_EQ(LastData(c).y, 6.0);
  EXPECT_EQ(LastData(c).FillColor, clRed);
  c.DrawToRelPix(1.5, 2.5, 7, -8);
  TrcChartItem it = LastData(c);
  EXPECT_EQ(it.ItemKind, tkLineRelPixOrig);
  EXPECT_EQ(it.x, 1.5);
  EXPECT_EQ(it.x2, 7.0);
  EXPECT_EQ(it.y2, -8.0);
  EXPECT_EQ(it.LWid, 2);
  EXPECT_EQ(c.ItemCount(tkMoveRelPix), 1);
  EXPECT_EQ(c.ItemCount(tkLineRelPix), 1);
  EXPECT_EQ(c.ItemCount(tkLineRelPixOrig), 1);
}

TEST(ItemCreation, TransparencyGoesToFilledShapesAndArrowsOnly) {
  ProbeChart c;
  c.SetTransparentItems(true);
  c.Rectangle(0.0, 0.0, 1.0, 1.0);
  c.RectangleRelPix(0, 0, 4, 5);
  c.Ellipse(0, 0, 1, 1);
  c.Arc(0, 0, 1, 1, 0, 1);
  c.Arrow(0.0, 0.0, 1.0, 1.0, 8);
  c.DoubleArrow(0.0, 0.0, 1.0, 1.0, 0);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(c.GetChartItem(i).Transp, 1) << i;
  c.Line(0.0, 0.0, 1.0, 1.0);
  c.RectFrame(0.0, 0.0, 1.0, 1.0, rbLowered, clGray, clWhite);
  c.Bar3D(0, 0, 1, 1, 5, 30);
  for (int i = 6; i < 9; ++i) EXPECT_EQ(c.GetChartItem(i).Transp, 0) << i;

  EXPECT_EQ(c.GetChartItem(1).Param1, 4);
  EXPECT_EQ(c.GetChartItem(1).Param2, 5);
  EXPECT_EQ(c.GetChartItem(4).Param1, 8);
  EXPECT_EQ(c.GetChartItem(5).ItemKind, tkDoubleArrow);
}

TEST(ItemCreation, RectFrameStoresItsColoursAndWidthOne) {
  ProbeChart c;
  c.SetLineWidth(5);
  c.RectFrame(1.0, 2.0, 3.0, 4.0, rbEmbossed, clMaroon, clYellow);
  const TrcChartItem it = LastData(c);
  EXPECT_EQ(it.ItemKind, tkRectFrame);
  EXPECT_EQ(it.LWid, 1);
  EXPECT_EQ(it.FrameStyle, rbEmbossed);
  EXPECT_EQ(it.ShadowColor, clMaroon);
  EXPECT_EQ(it.HiLightColor, clYellow);
  EXPECT_EQ(it.FillColor, clSilver);
  EXPECT_EQ(it.y2, 4.0);
}

TEST(ItemCreation, MarksAndErrorBars) {
  ProbeChart c;
  c.MarkAt(1.0, 2.0, 200);
  EXPECT_EQ(LastData(c).ItemKind, tkMarkAt);
  EXPECT_EQ(LastData(c).Param3, 200);
  c.MarkErrorBar(1.0, 2.0, 0.1, 0.2, orHorizontal, 4);
  const TrcChartItem it = LastData(c);
  EXPECT_EQ(it.ItemKind, tkMarkEBar);
  EXPECT_EQ(it.x2, 0.1);
  EXPECT_EQ(it.y2, 0.2);
  EXPECT_EQ(it.Param1, orHorizontal);
  EXPECT_EQ(it.Param3, 4);
}

TEST(ItemCreation, LineOffsetAndCursors) {
  ProbeChart c;
  c.LineOffset(1.0, 2.0, 3.0, 4.0, -5, 6);
  EXPECT_EQ(LastData(c).ItemKind, tkLineOffs);
  EXPECT_EQ(LastData(c).Param1, -5);
  EXPECT_EQ(LastData(c).Param2, 6);
  c.CursorVert(2.5);
  EXPECT_EQ(LastData(c).ItemKind, tkCursorVert);
  EXPECT_EQ(LastData(c).x, 2.5);
  EXPECT_EQ(LastData(c).y, 0.0);
  c.CursorHoriz(-1.5);
  EXPECT_EQ(LastData(c).ItemKind, tkCursorHoriz);
  EXPECT_EQ(LastData(c).x, 0.0);
  EXPECT_EQ(LastData(c).y, -1.5);
}

TEST(ItemCreation, Bar3DClampsTheAngleAndKeepsTheDepth) {
  ProbeChart c;
  c.Bar3D(0, 0, 1, 1, 10, 270);
  EXPECT_EQ(LastData(c).ItemKind, tk3DBar);
  EXPECT_EQ(LastData(c).Param1, 180);
  EXPECT_EQ(LastData(c).Param2, 10);
  EXPECT_EQ(LastData(c).x2, 1.0);
  c.Bar3D(0, 0, 1, 1, -4, -30);
  EXPECT_EQ(LastData(c).Param1, 0);
  EXPECT_EQ(LastData(c).Param2, -4);
  c.Bar3D(0, 0, 1, 1, 7, 45);
  EXPECT_EQ(LastData(c).Param1, 45);
}

TEST(ItemCreation, ArcAnglesAreClampedAndScaledBy1e8) {
  ProbeChart c;
  c.Arc(0, 0, 1, 1, 4.0, -4.0);
  EXPECT_EQ(LastData(c).ItemKind, tkArc);
  EXPECT_EQ(LastData(c).Param1, 314159265);
  EXPECT_EQ(LastData(c).Param2, -314159265);
  c.Arc(0, 0, 2, 3, std::numeric_limits<double>::quiet_NaN(),
        -std::numeric_limits<double>::infinity());
  EXPECT_EQ(LastData(c).Param1, 314159265);
  EXPECT_EQ(LastData(c).Param2, -314159265);
  EXPECT_EQ(LastData(c).x2, 2.0);
  EXPECT_EQ(LastData(c).y2, 3.0);
  // Halves go to the even neighbour (these angles times 10^8 are exact halves in doubles).
  c.Arc(0, 0, 1, 1, 2.5e-8, 4.5e-8);
  EXPECT_EQ(LastData(c).Param1, 2);
  EXPECT_EQ(LastData(c).Param2, 4);
  c.Arc(0, 0, 1, 1, 1.000000005, -1.000000025);
  EXPECT_EQ(LastData(c).Param1, 100000000);
  EXPECT_EQ(LastData(c).Param2, -100000002);
}

TEST(ItemCreation, CoordinatesAreStoredUnchecked) {
  ProbeChart c;
  const double inf = std::numeric_limits<double>::infinity();
  c.Line(-inf, 1e300, inf, -0.0);
  EXPECT_EQ(LastData(c).x, -inf);
  EXPECT_EQ(LastData(c).y, 1e300);
  c.DrawTo(std::numeric_limits<double>::quiet_NaN(), 0.0);
  EXPECT_TRUE(std::isnan(LastData(c).x));
}

// --- Texts.

TEST(TextItems, TheFourFormsStoreNoOffsetAndTheCurrentAlignment) {
  ProbeChart c;
  c.SetDataColor(clNavy);
  c.SetFillColor(clYellow);
  c.SetTextBkStyle(tbSolid);
  c.SetTextAlignment(taRightJustify);
  c.SetLineWidth(4);
  c.Text(1.0, 2.0, 12, "Label");
  const TrcChartItem it = LastData(c);
  EXPECT_EQ(it.ItemKind, tkText);
  EXPECT_EQ(it.x2, 0.0);
  EXPECT_EQ(it.y2, 0.0);
  EXPECT_EQ(it.Param1, 12);
  EXPECT_EQ(it.Param2, tbSolid);
  EXPECT_EQ(it.Param3, taRightJustify);
  EXPECT_EQ(it.Color, clNavy);
  EXPECT_EQ(it.FillColor, clYellow);
  EXPECT_EQ(it.LWid, 0);  // the long-text number, not the line width
  EXPECT_EQ(ItemTextToUtf8(it.Text), "Label");
  EXPECT_EQ(c.ItemCount(tkText), 1);
}

TEST(TextItems, OffsetsChooseTkTextOfs) {
  ProbeChart c;
  c.Text(1.0, 2.0, 8, "no offset", 0, 0, taLeftJustify);
  EXPECT_EQ(LastData(c).ItemKind, tkText);
  EXPECT_EQ(LastData(c).Param3, taLeftJustify);
  c.Text(1.0, 2.0, 8, "offset", 3, 0, taCenter);
  EXPECT_EQ(LastData(c).ItemKind, tkTextOfs);
  EXPECT_EQ(LastData(c).x2, 3.0);
  EXPECT_EQ(LastData(c).y2, 0.0);
  EXPECT_EQ(c.ItemCount(tkTextOfs), 1);
}

TEST(TextItems, LongTextsUseTheTableOfTheirContainer) {
  ProbeChart c;
  c.Text(0.0, 0.0, 8, "exactly 15 char");
  EXPECT_EQ(LastData(c).LWid, 0);
  c.Text(0.0, 0.0, 8, "twenty characters!!!");
  EXPECT_EQ(ItemTextToUtf8(LastData(c).Text), "twenty characte");
  EXPECT_EQ(LastData(c).LWid, 1);
  EXPECT_EQ(c.DataLongText(1), "twenty characters!!!");
  for (int i = 2; i <= 50; ++i) c.Text(0.0, 0.0, 8, "long text number " + std::to_string(i));
  EXPECT_EQ(LastData(c).LWid, 50);
  c.Text(0.0, 0.0, 8, "the 51st long text");
  EXPECT_EQ(LastData(c).LWid, 0);
  EXPECT_EQ(c.DataLongText(c.NumItems() - 1), "the 51st long t");
  // The annotation table is a table of its own.
  c.SetAnnoMode(true);
  c.Text(0.0, 0.0, 8, "an annotation's long text");
  EXPECT_EQ(LastAnno(c).LWid, 1);
}

TEST(TextItems, ASlotReusedAfterClearingGetsAFreshLongTextNumber) {
  ProbeChart c;
  c.Text(0.0, 0.0, 8, "a first long text here");
  c.ClearGraf();  // slot 0 stays and still holds the old record
  c.Text(0.0, 0.0, 8, "a second long text here");
  EXPECT_EQ(LastData(c).LWid, 2);  // the data table was kept, so this is entry 2
  EXPECT_EQ(c.DataLongText(0), "a second long text here");
}

}  // namespace
}  // namespace kiv
