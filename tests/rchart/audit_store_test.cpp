// The item store, item creation, auto-ranging and the axis settings checked field by field
// against values worked out by hand: what each creating method writes and leaves alone, how
// slots are reused, the long-text table, scaling of every kind, the two auto-ranging paths, the
// window query and the rules of the axis setters.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/offscreen_host.h"
#include "probe_chart.h"
#include "rchart/rchart.h"
#include "render_util.h"

namespace kiv {
namespace {

void ExpectFreshItem(const TrcChartItem& it) {
  EXPECT_EQ(it.x, 0.0);
  EXPECT_EQ(it.y, 0.0);
  EXPECT_EQ(it.x2, 0.0);
  EXPECT_EQ(it.y2, 0.0);
  EXPECT_EQ(it.Color, 0);
  EXPECT_EQ(it.FillColor, 16777215);
  EXPECT_EQ(it.ShadowColor, 8421504);
  EXPECT_EQ(it.HiLightColor, 16777215);
  EXPECT_EQ(it.PenStyle, psSolid);
  EXPECT_EQ(it.Tag, 0);
  EXPECT_EQ(it.LWid, 0);
  EXPECT_EQ(it.ItemClass, 0);
  EXPECT_EQ(it.ItemKind, tkNone);
  EXPECT_EQ(it.Layer, 1);
  EXPECT_EQ(it.Transp, 0);
  EXPECT_EQ(it.FrameStyle, 0);
  EXPECT_EQ(it.Text.Length, 0);
  EXPECT_EQ(it.Param1, 0);
  EXPECT_EQ(it.Param2, 0);
  EXPECT_EQ(it.Param3, 0);
  EXPECT_EQ(it.CoordMode, cmAllWorld);
}

// --- Reading outside the items.

TEST(AuditStore, ReadingOutsideTheItemsGivesAFreshRecord) {
  ProbeChart c;
  c.SetFillColor(clRed);
  c.SetDataTag(5);
  c.Line(1.0, 2.0, 3.0, 4.0);
  ExpectFreshItem(c.GetChartItem(1));
  ExpectFreshItem(c.GetChartItem(-1));
  ExpectFreshItem(c.GetAnnoItem(0));
  ExpectFreshItem(c.DataContainer(7));
}

TEST(AuditStore, TheChartFillsAFreshRecordForItemsBuiltByHand) {
  ProbeChart c;
  c.SetDataColor(clRed);
  c.Text(1.0, 2.0, 8, "a text of more than fifteen");
  TrcChartItem item = c.GetChartItem(0);
  c.ClearChartItem(item);
  ExpectFreshItem(item);
  item.ItemKind = tkMarkAt;
  item.x = 3;
  c.SetItemParams(0, item);
  EXPECT_EQ(c.ItemCount(tkText), 0);
  EXPECT_EQ(c.ItemCount(tkMarkAt), 1);
  EXPECT_EQ(c.DataLongText(0), "");  // no longer a text
  TCustomRChart::ClearChartItem(item);
  EXPECT_EQ(item.ItemKind, tkNone);
}

// --- What the creating methods write, and what they leave as the slot holds it.

struct Attr {
  bool fill;
  bool transp;
  int lwid;  // -1: the line width
};

TEST(AuditCreation, EachMethodSetsItsFieldsAndLeavesTheOthersZero) {
  ProbeChart c;
  c.SetDataColor(clRed);
  c.SetPenStyle(psDash);
  c.SetLineWidth(3);
  c.SetFillColor(clLime);
  c.SetTransparentItems(true);
  c.SetClassDefault(7);
  c.SetDataTag(-99);
  c.SetActiveLayer(2);

  c.MoveTo(1.0, 2.0);
  c.DrawTo(1.0, 2.0);
  c.MoveToRelPix(1, 2);
  c.DrawToRelPix(1, 2);
  c.DrawToRelPix(1.0, 2.0, 3, 4);
  c.Line(1.0, 2.0, 3.0, 4.0);
  c.LineOffset(1.0, 2.0, 3.0, 4.0, 5, 6);
  c.Rectangle(1.0, 2.0, 3.0, 4.0);
  c.RectangleRelPix(1.0, 2.0, 5, 6);
  c.RectFrame(1.0, 2.0, 3.0, 4.0, rbRaised, clMaroon, clYellow);
  c.Arrow(1.0, 2.0, 3.0, 4.0, 9);
  c.DoubleArrow(1.0, 2.0, 3.0, 4.0, 9);
  c.MarkAt(1.0, 2.0, 4);
  c.MarkErrorBar(1.0, 2.0, 3.0, 4.0, orHorizontal, 4);
  c.Text(1.0, 2.0, 10, "t");
  c.Text(1.0, 2.0, 10, "t", 3, 4, taLeftJustify);
  c.Bar3D(1.0, 2.0, 3.0, 4.0, 5, 30);
  c.Ellipse(1.0, 2.0, 3.0, 4.0);
  c.Arc(1.0, 2.0, 3.0, 4.0, 0.5, 1.5);
  c.CursorVert(1.0);
  c.CursorHoriz(2.0);

  const struct {
    TrcItem kind;
    Attr a;
  } expect[] = {
      {tkMoveTo, {false, false, -1}},
      {tkLineto, {true, false, -1}},
      {tkMoveRelPix, {false, false, -1}},
      {tkLineRelPix, {true, false, -1}},
      {tkLineRelPixOrig, {true, false, -1}},
      {tkLine, {true, false, -1}},
      {tkLineOffs, {true, false, -1}},
      {tkRect, {true, true, -1}},
      {tkRectRelPix, {true, true, -1}},
      {tkRectFrame, {true, false, 1}},
      {tkArrow, {true, true, -1}},
      {tkDoubleArrow, {true, true, -1}},
      {tkMarkAt, {false, false, -1}},
      {tkMarkEBar, {false, false, -1}},
      {tkText, {true, false, 0}},
      {tkTextOfs, {true, false, 0}},
      {tk3DBar, {true, false, -1}},
      {tkEllipse, {true, true, -1}},
      {tkArc, {true, true, -1}},
      {tkCursorVert, {true, false, -1}},
      {tkCursorHoriz, {true, false, -1}},
  };
  ASSERT_EQ(c.NumItems(), static_cast<int>(std::size(expect)));
  for (int i = 0; i < c.NumItems(); ++i) {
    const TrcChartItem it = c.GetChartItem(i);
    const Attr a = expect[i].a;
    SCOPED_TRACE(i);
    EXPECT_EQ(it.ItemKind, expect[i].kind);
    EXPECT_EQ(it.Color, clRed);
    EXPECT_EQ(it.PenStyle, psDash);
    EXPECT_EQ(it.ItemClass, 7);
    EXPECT_EQ(it.Tag, -99);
    EXPECT_EQ(it.Layer, 2);
    EXPECT_EQ(it.CoordMode, cmAllWorld);
    EXPECT_EQ(it.FillColor, a.fill ? 65280 : 0);
    EXPECT_EQ(it.Transp, a.transp ? 1 : 0);
    EXPECT_EQ(it.LWid, a.lwid < 0 ? 3 : a.lwid);
    if (it.ItemKind != tkRectFrame) {
      EXPECT_EQ(it.ShadowColor, 0);
      EXPECT_EQ(it.HiLightColor, 0);
      EXPECT_EQ(it.FrameStyle, 0);
    }
    if (!IsTextKind(it.ItemKind)) {
      EXPECT_EQ(it.Text.Length, 0);
    }
  }
  // Kinds without a secondary point or parameters leave those fields zero.
  for (int i : {0, 1, 2, 3, 12, 19, 20}) {
    EXPECT_EQ(c.GetChartItem(i).x2, 0.0) << i;
    EXPECT_EQ(c.GetChartItem(i).y2, 0.0) << i;
  }
  for (int i : {0, 1, 2, 3, 4, 5, 7, 8, 9, 17, 18, 19, 20}) {
    EXPECT_EQ(c.GetChartItem(i).Param3, 0) << i;
  }
  EXPECT_EQ(c.GetChartItem(5).Param1, 0);  // a line has no parameters
  EXPECT_EQ(c.GetChartItem(8).x2, 0.0);    // the rectangle's half size is in Param1, Param2
  EXPECT_EQ(c.GetChartItem(8).Param1, 5);
  EXPECT_EQ(c.GetChartItem(8).Param2, 6);
  EXPECT_EQ(c.GetChartItem(10).Param2, 0);  // the head size only
  EXPECT_EQ(c.GetChartItem(13).Param2, 0);
  EXPECT_EQ(c.GetChartItem(13).Param1, 1);  // orHorizontal
  EXPECT_EQ(c.GetChartItem(15).x2, 3.0);
  EXPECT_EQ(c.GetChartItem(15).y2, 4.0);
  EXPECT_EQ(c.GetChartItem(15).Param3, 0);  // taLeftJustify
  EXPECT_EQ(c.GetChartItem(14).Param3, 2);  // the current alignment, centre
  EXPECT_EQ(c.GetChartItem(16).Param1, 30);
  EXPECT_EQ(c.GetChartItem(16).Param2, 5);
  EXPECT_EQ(c.GetChartItem(16).Param3, 0);
  EXPECT_EQ(c.GetChartItem(18).Param1, 50000000);
  EXPECT_EQ(c.GetChartItem(18).Param2, 150000000);
}

TEST(AuditCreation, ScreenOverloadsStoreWorldModeInTheDataContainer) {
  ProbeChart c;
  c.Rectangle(1, 2, 3, 4);
  c.RectFrame(1, 2, 3.5, 4.5, rbLowered, clGray, clWhite);
  c.DoubleArrow(1.5, 2, 3.5, 4, 6);
  c.MarkAt(7, 8, 1);
  c.CursorHoriz(9);
  c.DrawTo(10, 11.5);
  c.Text(12, 13, 8, "x");
  for (int i = 0; i < c.NumItems(); ++i) EXPECT_EQ(c.GetChartItem(i).CoordMode, cmAllWorld) << i;
  EXPECT_EQ(c.GetChartItem(0).x2, 3.0);
  EXPECT_EQ(c.GetChartItem(2).y, 2.0);
  EXPECT_EQ(c.GetChartItem(3).y, 8.0);
  EXPECT_EQ(c.GetChartItem(4).y, 9.0);
  EXPECT_EQ(c.GetChartItem(5).x, 10.0);
  EXPECT_EQ(c.GetChartItem(6).y, 13.0);

  // The same calls as annotations keep their modes.
  c.SetAnnoMode(true);
  c.Rectangle(1, 2, 3, 4);
  c.RectFrame(1, 2, 3.5, 4.5, rbLowered, clGray, clWhite);
  c.DoubleArrow(1.5, 2, 3.5, 4, 6);
  c.MarkAt(7, 8, 1);
  c.CursorHoriz(9);
  c.DrawTo(10, 11.5);
  c.Text(12, 13, 8, "x");
  const TCoordMode modes[] = {cmAllScreen, cmScreenMainWorldSec, cmXWorldYScreen, cmAllScreen,
                              cmAllScreen, cmXScreenYWorld,      cmAllScreen};
  for (int i = 0; i < c.NumAnnos(); ++i) EXPECT_EQ(c.GetAnnoItem(i).CoordMode, modes[i]) << i;
}

TEST(AuditCreation, ASlotLeftByClearGrafKeepsWhatTheNewItemDoesNotSet) {
  ProbeChart c;
  c.SetFillColor(clRed);
  c.SetTransparentItems(true);
  c.Rectangle(1.0, 2.0, 3.0, 4.0);
  c.Rectangle(5.0, 6.0, 7.0, 8.0);
  c.ClearGraf();
  c.MoveTo(9.0, 9.0);  // back in slot 0, which the container kept
  c.MoveTo(8.0, 8.0);  // slot 1 was dropped and comes back by growth
  const TrcChartItem kept = c.GetChartItem(0);
  EXPECT_EQ(kept.ItemKind, tkMoveTo);
  EXPECT_EQ(kept.x, 9.0);
  EXPECT_EQ(kept.x2, 3.0);
  EXPECT_EQ(kept.y2, 4.0);
  EXPECT_EQ(kept.FillColor, clRed);
  EXPECT_EQ(kept.Transp, 1);
  const TrcChartItem fresh = c.GetChartItem(1);
  EXPECT_EQ(fresh.x, 8.0);
  EXPECT_EQ(fresh.x2, 0.0);
  EXPECT_EQ(fresh.y2, 0.0);
  EXPECT_EQ(fresh.FillColor, 0);
  EXPECT_EQ(fresh.Transp, 0);
}

// --- Counters and growth.

TEST(AuditStore, EveryCreatingMethodCountsItsKindOnce) {
  ProbeChart c;
  c.MoveTo(0.0, 0.0);
  c.DrawTo(1.0, 1.0);
  c.MoveToRelPix(1, 1);
  c.DrawToRelPix(1, 1);
  c.DrawToRelPix(1.0, 1.0, 1, 1);
  c.Line(0.0, 0.0, 1.0, 1.0);
  c.LineOffset(0.0, 0.0, 1.0, 1.0, 1, 1);
  c.Rectangle(0.0, 0.0, 1.0, 1.0);
  c.RectangleRelPix(0.0, 0.0, 1, 1);
  c.RectFrame(0.0, 0.0, 1.0, 1.0, rbRaised, clGray, clWhite);
  c.Arrow(0.0, 0.0, 1.0, 1.0, 1);
  c.DoubleArrow(0.0, 0.0, 1.0, 1.0, 1);
  c.MarkAt(0.0, 0.0, 1);
  c.MarkErrorBar(0.0, 0.0, 1.0, 1.0, orVertical, 1);
  c.Text(0.0, 0.0, 8, "a");
  c.Text(0.0, 0.0, 8, "b", 0, -1, taCenter);
  c.Bar3D(0.0, 0.0, 1.0, 1.0, 1, 1);
  c.Ellipse(0.0, 0.0, 1.0, 1.0);
  c.Arc(0.0, 0.0, 1.0, 1.0, 0, 1);
  c.CursorVert(0.0);
  c.CursorHoriz(0.0);
  EXPECT_EQ(c.NumItems(), 21);
  for (int k = 0; k < kNumItemKinds; ++k) {
    const bool selector = k == tkNone || k == tkEverything || k == tkNotMoveTo;
    EXPECT_EQ(c.ItemCount(TrcItem(k)), selector ? 0 : 1) << k;
  }
  c.SetAnnoMode(true);
  c.MarkAt(0.0, 0.0, 1);
  c.Text(0.0, 0.0, 8, "c", 2, 0, taCenter);
  EXPECT_EQ(c.ItemCount(tkMarkAt), 1);
  EXPECT_EQ(c.ItemCount(tkTextOfs), 1);
  c.ClearAnnotations();
  EXPECT_EQ(c.ItemCount(tkMarkAt), 1);
  c.ClearGraf();
  for (int k = 0; k < kNumItemKinds; ++k) EXPECT_EQ(c.ItemCount(TrcItem(k)), 0) << k;
}

TEST(AuditStore, AccountedAllocationGrowsByTheStepInForceAtEachGrowth) {
  ProbeChart c;
  c.SetAllocSize(2);
  const int expect[] = {2, 2, 4, 4, 6};
  for (int n = 1; n <= 5; ++n) {
    c.MarkAt(0.0, 0.0, 0);
    EXPECT_EQ(c.NumAllocData(), expect[n - 1]) << n;
    EXPECT_EQ(c.DataSlots(), expect[n - 1]) << n;
  }
  c.SetAllocSize(5);  // takes effect at the next growth only
  c.MarkAt(0.0, 0.0, 0);
  EXPECT_EQ(c.NumAllocData(), 6);
  c.MarkAt(0.0, 0.0, 0);
  EXPECT_EQ(c.NumAllocData(), 11);
  EXPECT_EQ(c.DataSlots(), 11);

  c.SetAnnoMode(true);
  c.MarkAt(0, 0, 0);
  EXPECT_EQ(c.NumAllocAnno(), 5);
  c.ClearAnnotations();
  c.SetAllocSize(3);
  c.MarkAt(0, 0, 0);
  EXPECT_EQ(c.NumAllocAnno(), 3);
  EXPECT_EQ(c.AnnoSlots(), 3);
}

// --- Long texts.

TEST(AuditLongTexts, EntriesAreNeverReusedUntilTheContainerIsCleared) {
  ProbeChart c;
  c.Text(0.0, 0.0, 8, "a first text of some length");
  EXPECT_EQ(c.GetChartItem(0).LWid, 1);
  c.SetDataLongText(0, "short");
  EXPECT_EQ(c.GetChartItem(0).LWid, 0);
  EXPECT_EQ(c.DataLongText(0), "short");
  c.SetDataLongText(0, "long once more, twenty-eight");
  EXPECT_EQ(c.GetChartItem(0).LWid, 2);  // entry 1 stays used but is no longer named
  EXPECT_EQ(c.NumLongTextsData(), 2);
  EXPECT_EQ(ItemTextToUtf8(c.GetChartItem(0).Text), "long once more,");
  EXPECT_EQ(c.DataLongText(0), "long once more, twenty-eight");
  EXPECT_EQ(c.GetChartItem(0).Text.Length, 15);
}

TEST(AuditLongTexts, FifteenCharactersNotBytes) {
  ProbeChart c;
  std::string fifteen, sixteen;
  for (int i = 0; i < 15; ++i) fifteen += "\u00e9";  // two bytes each
  sixteen = fifteen + "\u00e9";
  c.Text(0.0, 0.0, 8, fifteen);
  EXPECT_EQ(c.GetChartItem(0).LWid, 0);
  EXPECT_EQ(c.GetChartItem(0).Text.Length, 15);
  EXPECT_EQ(c.DataLongText(0), fifteen);
  c.Text(0.0, 0.0, 8, sixteen);
  EXPECT_EQ(c.GetChartItem(1).LWid, 1);
  EXPECT_EQ(ItemTextToUtf8(c.GetChartItem(1).Text), fifteen);
  EXPECT_EQ(c.DataLongText(1), sixteen);
}

TEST(AuditLongTexts, AFullTableStillReplacesAnItemsOwnEntry) {
  ProbeChart c;
  for (int i = 0; i < 50; ++i) c.Text(0.0, 0.0, 8, "long text number " + std::to_string(i));
  c.Text(0.0, 0.0, 8, "short one");
  EXPECT_EQ(c.NumLongTextsData(), 50);
  c.SetDataLongText(50, "now a long text for this item");
  EXPECT_EQ(c.GetChartItem(50).LWid, 0);
  EXPECT_EQ(c.DataLongText(50), "now a long text");
  c.SetDataLongText(0, "entry one replaced by this text");
  EXPECT_EQ(c.GetChartItem(0).LWid, 1);
  EXPECT_EQ(c.DataLongText(0), "entry one replaced by this text");
  EXPECT_EQ(ItemTextToUtf8(c.GetChartItem(0).Text), "entry one repla");
  EXPECT_EQ(c.DataLongText(1), "long text number 1");

  // Invalid indices and other kinds are ignored; the annotation table is untouched.
  c.SetDataLongText(51, "nobody is here to take this");
  c.SetDataLongText(-1, "nobody is here to take this");
  EXPECT_EQ(c.NumLongTextsAnno(), 0);
  c.SetAnnoMode(true);
  c.MarkAt(0.0, 0.0, 0);
  c.SetAnnoLongText(0, "not a text item, so ignored");
  EXPECT_EQ(c.AnnoLongText(0), "");
  EXPECT_EQ(c.NumLongTextsAnno(), 0);
}

// --- Scaling.

TEST(AuditScaling, EveryKindMovesItsMainPointAndOnlyTheListedKindsTheSecond) {
  ProbeChart c;
  const double kx = 2, dx = 1, ky = 3, dy = -1;  // (1, 2) -> (3, 5); (3, 4) -> (7, 11)
  c.Line(1.0, 2.0, 3.0, 4.0);
  c.Rectangle(1.0, 2.0, 3.0, 4.0);
  c.RectFrame(1.0, 2.0, 3.0, 4.0, rbRaised, clGray, clWhite);
  c.Bar3D(1.0, 2.0, 3.0, 4.0, 5, 45);
  c.Ellipse(1.0, 2.0, 3.0, 4.0);
  c.Arrow(1.0, 2.0, 3.0, 4.0, 5);
  c.DoubleArrow(1.0, 2.0, 3.0, 4.0, 5);
  c.LineOffset(1.0, 2.0, 3.0, 4.0, 5, 6);
  c.Arc(1.0, 2.0, 3.0, 4.0, 0.0, 1.0);
  const int with_second = c.NumItems();
  c.MarkErrorBar(1.0, 2.0, 3.0, 4.0, orVertical, 0);
  c.Text(1.0, 2.0, 8, "t", 3.0, 4.0, taCenter);
  c.DrawToRelPix(1.0, 2.0, 3.0, 4.0);
  c.RectangleRelPix(1.0, 2.0, 3, 4);
  c.MoveToRelPix(1.0, 2.0);  // even the pixel offsets of the relative kinds
  c.DrawToRelPix(1.0, 2.0);
  c.MarkAt(1.0, 2.0, 0);
  c.MoveTo(1.0, 2.0);
  c.DrawTo(1.0, 2.0);
  c.CursorVert(1.0);
  c.SetAnnoMode(true);
  c.Line(1.0, 2.0, 3.0, 4.0);

  c.ScaleAllItems(kx, dx, ky, dy);
  for (int i = 0; i < c.NumItems(); ++i) {
    const TrcChartItem it = c.GetChartItem(i);
    SCOPED_TRACE(i);
    EXPECT_EQ(it.x, 3.0);
    EXPECT_EQ(it.y, it.ItemKind == tkCursorVert ? -1.0 : 5.0);
    if (i < with_second) {
      EXPECT_EQ(it.x2, 7.0);
      EXPECT_EQ(it.y2, 11.0);
    } else if (i < with_second + 3) {
      EXPECT_EQ(it.x2, 3.0);
      EXPECT_EQ(it.y2, 4.0);
    } else {
      EXPECT_EQ(it.x2, 0.0);
      EXPECT_EQ(it.y2, 0.0);
    }
  }
  EXPECT_EQ(c.GetChartItem(with_second + 3).Param1, 3);  // half sizes in pixels stay
  const TrcChartItem anno = c.GetAnnoItem(0);
  EXPECT_EQ(anno.x, 1.0);
  EXPECT_EQ(anno.y2, 4.0);
}

TEST(AuditScaling, SelectedItemsAreThoseOfTheClassInTheDataContainerOnly) {
  ProbeChart c;
  c.SetClassDefault(4);
  c.Line(1.0, 1.0, 2.0, 2.0);
  c.SetClassDefault(5);
  c.Line(1.0, 1.0, 2.0, 2.0);
  c.SetAnnoMode(true);
  c.SetClassDefault(4);
  c.Line(1.0, 1.0, 2.0, 2.0);
  c.ScaleSelectedItems(10, 0, 1, 5, 4);
  EXPECT_EQ(c.GetChartItem(0).x2, 20.0);
  EXPECT_EQ(c.GetChartItem(0).y2, 7.0);
  EXPECT_EQ(c.GetChartItem(1).x2, 2.0);
  EXPECT_EQ(c.GetAnnoItem(0).x2, 2.0);
  c.ScaleItem(1, 1, -1, 1, 0);
  EXPECT_EQ(c.GetChartItem(1).x, 0.0);
  EXPECT_EQ(c.GetChartItem(1).x2, 1.0);
  EXPECT_EQ(c.GetChartItem(0).x, 10.0);
  EXPECT_EQ(c.repaints, 1);  // only SetAnnoMode repainted
}

// --- Search and count.

TEST(AuditSearch, FiltersCombineAndTheSearchStartsAtStartIx) {
  ProbeChart c;
  c.SetAnnoMode(true);
  const struct {
    int tag, cls;
  } items[] = {{0x101, 1}, {0x102, 2}, {0x201, 1}, {0x101, 2}, {0x101, 1}};
  for (const auto& s : items) {
    c.SetDataTag(s.tag);
    c.SetClassDefault(static_cast<std::uint8_t>(s.cls));
    c.MarkAt(0.0, 0.0, 0);
  }
  c.Line(0.0, 0.0, 1.0, 1.0);  // tag 0x101, class 1
  EXPECT_EQ(c.SearchAnnoItem(0, 0x101, 0xFFF, 1, tkMarkAt), 0);
  EXPECT_EQ(c.SearchAnnoItem(1, 0x101, 0xFFF, 1, tkMarkAt), 4);
  EXPECT_EQ(c.SearchAnnoItem(5, 0x101, 0xFFF, 1, tkMarkAt), -1);
  EXPECT_EQ(c.SearchAnnoItem(5, 0x101, 0xFFF, 1, tkEverything), 5);
  EXPECT_EQ(c.SearchAnnoItem(6, 0, 0, 255, tkEverything), -1);
  EXPECT_EQ(c.CountAnnos(0x001, 0x00F, 255, tkMarkAt), 4);
  EXPECT_EQ(c.CountAnnos(0x100, 0xF00, 255, tkEverything), 5);
  EXPECT_EQ(c.CountAnnos(0x100, 0xF00, 2, tkEverything), 2);
  EXPECT_EQ(c.CountAnnos(0x7777, 0, 1, tkLine), 1);  // mask 0: any tag
  EXPECT_EQ(c.CountAnnoByClass({1, 2, 1}), 4 + 2 + 4);
  EXPECT_EQ(c.SearchDataItem(0, 0, 0, 255, tkEverything), -1);  // no data items at all
}

// --- Auto-ranging.

struct R {
  double xlo, xhi, ylo, yhi;
};
R RangesOf(TCustomRChart& c, int layer) {
  return {c.ScalePropsX(layer).RangeLow(), c.ScalePropsX(layer).RangeHigh(),
          c.ScalePropsY(layer).RangeLow(), c.ScalePropsY(layer).RangeHigh()};
}
void ExpectRanges(const R& r, double xlo, double xhi, double ylo, double yhi) {
  EXPECT_NEAR(r.xlo, xlo, 1e-9);
  EXPECT_NEAR(r.xhi, xhi, 1e-9);
  EXPECT_NEAR(r.ylo, ylo, 1e-9);
  EXPECT_NEAR(r.yhi, yhi, 1e-9);
}

TEST(AuditAutoRange, TheTwoPathsApplyMarginAndMinimumRangeInTheirOwnOrder) {
  // One layer: margin and minimum range on the bare extent 5..5, then nothing is equal any more.
  ProbeChart one;
  one.MarkAt(5.0, 5.0, 0);
  one.AutoRange(1, 10, 50);  // s = 50 * 5 / 100 = 2.5
  ExpectRanges(RangesOf(one, 1), 2.5, 7.5, 2.5, 7.5);

  // All layers: 5..5 becomes 4..6 first, the margin gives 3.8..6.2, the minimum range 2.5 then
  // widens that (2.4 < 2.5) to 1.3..8.7. The empty layer 2: -1..1, then -1.2..1.2 (s = 0).
  ProbeChart all;
  all.MarkAt(5.0, 5.0, 0);
  all.AutoRange(0, 10, 50);
  ExpectRanges(RangesOf(all, 1), 1.3, 8.7, 1.3, 8.7);
  ExpectRanges(RangesOf(all, 2), -1.2, 1.2, -1.2, 1.2);
}

TEST(AuditAutoRange, AllLayersWithoutMarginApplyNoMinimumRange) {
  ProbeChart c;
  c.MarkAt(99.0, 0.0, 0);
  c.MarkAt(101.0, 1000.0, 0);
  c.AutoRange(0, 0, 50);
  ExpectRanges(RangesOf(c, 1), 99, 101, 0, 1000);
  ExpectRanges(RangesOf(c, 2), -1, 1, -1, 1);
  c.AutoRange(1, 0, 50);
  ExpectRanges(RangesOf(c, 1), 49, 151, 0, 1000);
}

TEST(AuditAutoRange, AllLayersStayInsideTheZoomLimits) {
  ProbeChart c;
  c.MarkAt(-2.0, 1.0, 0);
  c.MarkAt(10.0, 3.0, 0);
  c.ConfineZoomRange(0, 0, 5, 5);
  c.AutoRange(0, 0);
  ExpectRanges(RangesOf(c, 1), 0, 5, 1, 3);  // cut: MouseAction is mactNone
  c.AutoRange(1, 0);                         // the single-layer path is not confined
  ExpectRanges(RangesOf(c, 1), -2, 10, 1, 3);
  c.SetMouseAction(mactPanX);  // x keeps its width of 12: 0..12, then the right end: -7..5
  c.AutoRange(0, 0);
  ExpectRanges(RangesOf(c, 1), -7, 5, 1, 3);
}

TEST(AuditAutoRange, OnlyTheSingleLayerPathWithBothAxesIsIsometric) {
  testing::DrawChart c;  // data area 200 x 150
  c.MarkAt(0.0, 0.0, 0);
  c.MarkAt(20.0, 5.0, 0);
  c.SetIsometric(true);
  c.AutoRange(0, 0);
  ExpectRanges(RangesOf(c, 1), 0, 20, 0, 5);
  c.SetRange(1, 0.0L, 0.0L, 4.0L, 4.0L);  // isometric: y 2 - 1.5 .. 2 + 1.5
  ExpectRanges(RangesOf(c, 1), 0, 4, 0.5, 3.5);
  c.AutoRangeXOnly(1, 0);
  ExpectRanges(RangesOf(c, 1), 0, 20, 0.5, 3.5);
  c.AutoRangeYOnly(1, 0);
  ExpectRanges(RangesOf(c, 1), 0, 20, 0, 5);
  c.AutoRange(1, 0);  // g = 20 * 150 / 200 = 15 around 2.5
  ExpectRanges(RangesOf(c, 1), 0, 20, -5, 10);
}

TEST(AuditAutoRange, OneAxisFormsTakeMarginAndMinimumRangeOnTheirAxis) {
  ProbeChart c;
  c.SetRange(1, 0.0L, 0.0L, 1.0L, 1.0L);
  c.MarkAt(99.0, 10.0, 0);
  c.MarkAt(101.0, 30.0, 0);
  c.AutoRangeXOnly(1, 0, 50);
  ExpectRanges(RangesOf(c, 1), 49, 151, 0, 1);
  c.AutoRangeYOnly(1, 25);
  ExpectRanges(RangesOf(c, 1), 49, 151, 5, 35);
  c.SetRange(0, 0.0L, 0.0L, 1.0L, 1.0L);
  c.AutoRangeXOnly(0, 10);
  ExpectRanges(RangesOf(c, 1), 98.8, 101.2, 0, 1);
  ExpectRanges(RangesOf(c, 2), -1.2, 1.2, 0, 1);
  c.AutoRangeYOnly(0, 0);
  ExpectRanges(RangesOf(c, 1), 98.8, 101.2, 10, 30);
  ExpectRanges(RangesOf(c, 2), -1.2, 1.2, -1, 1);
}

TEST(AuditAutoRange, LogarithmicMarginsOnY) {
  ProbeChart c;
  c.SetRange(1, 0.0L, 1.0L, 1.0L, 10.0L);
  c.Scale1Y().SetLogarithmic(true);
  c.MarkAt(0.0, 10.0, 0);
  c.MarkAt(1.0, 1000.0, 0);
  c.AutoRange(1, 50);  // half of two decades on each side
  EXPECT_NEAR(c.Scale1Y().RangeLow(), 1, 1e-12);
  EXPECT_NEAR(c.Scale1Y().RangeHigh(), 10000, 1e-8);
  EXPECT_NEAR(c.Scale1X().RangeLow(), -0.5, 1e-12);
  EXPECT_NEAR(c.Scale1X().RangeHigh(), 1.5, 1e-12);
  c.AutoRange(0, 50);  // the same numbers through the all-layers path
  EXPECT_NEAR(c.Scale1Y().RangeLow(), 1, 1e-12);
  EXPECT_NEAR(c.Scale1Y().RangeHigh(), 10000, 1e-8);
}

TEST(AuditAutoRange, LogarithmicAxisWithANonPositiveMinimumKeepsItsLowEnd) {
  ProbeChart c;
  c.SetRange(1, 1.0L, 0.0L, 10.0L, 1.0L);
  c.Scale1X().SetLogarithmic(true);
  c.MarkAt(0.0, 0.0, 0);
  c.MarkAt(10.0, 1.0, 0);
  c.AutoRange(1, 10);  // L = ln 10: the high end is 10 * 10^0.1, the low end 0 is refused
  EXPECT_EQ(c.Scale1X().RangeLow(), 1.0);
  EXPECT_NEAR(c.Scale1X().RangeHigh(), 10 * std::pow(10.0, 0.1), 1e-9);
  EXPECT_NEAR(c.Scale1Y().RangeLow(), -0.1, 1e-12);
  EXPECT_NEAR(c.Scale1Y().RangeHigh(), 1.1, 1e-12);
}

TEST(AuditAutoRange, AnnotationsAndOtherLayersNeverCount) {
  ProbeChart c;
  c.MarkAt(5.0, 5.0, 0);
  c.SetActiveLayer(2);
  c.MarkAt(50.0, 50.0, 0);
  c.SetActiveLayer(1);
  c.SetAnnoMode(true);
  c.MarkAt(100.0, 100.0, 0);
  c.AutoRange(1, 0);
  ExpectRanges(RangesOf(c, 1), 4, 6, 4, 6);
  c.AutoRange(2, 0);
  ExpectRanges(RangesOf(c, 2), 49, 51, 49, 51);
}

class ExtentChart : public ProbeChart {
 public:
  using TCustomRChart::LLCalcExtents;
};

TEST(AuditAutoRange, ExtentOfOneLayerWithMarginAndMinimumRange) {
  ExtentChart c;
  double x0 = 9, y0 = 9, x1 = 9, y1 = 9;
  c.LLCalcExtents(1, 10, 50, x0, y0, x1, y1);  // no items: all zero, nothing widens
  EXPECT_EQ(x0, 0.0);
  EXPECT_EQ(y0, 0.0);
  EXPECT_EQ(x1, 0.0);
  EXPECT_EQ(y1, 0.0);

  c.MarkErrorBar(10.0, 20.0, 1.0, 3.0, orVertical, 0);  // y 19..23
  c.MarkErrorBar(30.0, 20.0, 1.0, 3.0, orVertical, 0);
  TrcChartItem along_x = c.GetChartItem(1);
  along_x.Param1 = 7;  // any direction but 0 means along x: x 29..33
  c.SetChartItem(1, along_x);
  c.LLCalcExtents(1, 25, 0, x0, y0, x1, y1);  // margin 25 % of 23 and of 4
  EXPECT_DOUBLE_EQ(x0, 10 - 5.75);
  EXPECT_DOUBLE_EQ(x1, 33 + 5.75);
  EXPECT_DOUBLE_EQ(y0, 19 - 1.0);
  EXPECT_DOUBLE_EQ(y1, 23 + 1.0);
  c.LLCalcExtents(1, 0, 30, x0, y0, x1, y1);  // s = 30 % of 21.5 = 6.45 < 23; 30 % of 21 > 4
  EXPECT_DOUBLE_EQ(x0, 10);
  EXPECT_DOUBLE_EQ(x1, 33);
  EXPECT_DOUBLE_EQ(y0, 19 - 6.3);
  EXPECT_DOUBLE_EQ(y1, 23 + 6.3);
  c.LLCalcExtents(2, 10, 50, x0, y0, x1, y1);  // layer 2 holds nothing
  EXPECT_EQ(x1, 0.0);
}

TEST(AuditFindMinMax, OnlyMainAndSecondPointsStrictlyInsideCount) {
  ProbeChart c;
  c.Ellipse(5.0, 5.0, 3.9, 3.9);                        // corners would reach 1.1 and 8.9
  c.MarkErrorBar(5.0, 5.0, 3.95, 3.95, orVertical, 0);  // errors would reach 1.05, 8.95
  c.MoveToRelPix(1.01, 8.99);                           // pixel offsets
  c.Rectangle(3.0, 2.0, 6.0, 7.5);                      // both corners
  c.Text(4.0, 4.0, 8, "t", 8.5, 8.5, taCenter);         // offsets are no point
  c.DrawToRelPix(2.5, 2.5, 8.7, 1.2);                   // nor here
  c.MarkAt(1.0, 5.0, 0);                                // on the border: outside
  c.MarkAt(5.0, 9.0, 0);
  c.SetActiveLayer(2);
  c.MarkAt(1.5, 1.5, 0);
  double x0, y0, x1, y1;
  c.FindMinMax(1, 1, 1, 9, 9, x0, y0, x1, y1);
  EXPECT_EQ(x0, 2.5);
  EXPECT_EQ(y0, 2.0);
  EXPECT_EQ(x1, 6.0);
  EXPECT_EQ(y1, 7.5);
  c.FindMinMax(0, 1, 1, 9, 9, x0, y0, x1, y1);
  EXPECT_EQ(x0, 1.5);
  EXPECT_EQ(y0, 1.5);
  EXPECT_EQ(x1, 6.0);
  EXPECT_EQ(y1, 7.5);
  c.FindMinMax(2, 1, 1, 9, 9, x0, y0, x1, y1);
  EXPECT_EQ(x0, 1.5);
  EXPECT_EQ(x1, 1.5);

  const TLayerSet used = c.FindUsedLayers();
  EXPECT_TRUE(used.Contains(1));
  EXPECT_TRUE(used.Contains(2));
}

// --- Axis settings.

TEST(AuditScaleProps, EveryDefaultOfAnAxisObject) {
  TScalePropsVert p;
  EXPECT_EQ(p.Caption(), "");
  EXPECT_EQ(p.CaptionPosX(), 0);
  EXPECT_EQ(p.CaptionPosY(), 0);
  EXPECT_EQ(p.CaptionAlignment(), taCenter);
  EXPECT_EQ(p.CaptionAnchor(), uaSclTopLft);
  EXPECT_EQ(p.ColorScale(), clBlack);
  EXPECT_EQ(p.DateFormat().TimeFormat(), 0);
  EXPECT_EQ(p.DateFormat().DateSeparator(), '-');
  EXPECT_EQ(p.DateFormat().TimeSeparator(), ':');
  EXPECT_EQ(p.DateFormat().YearLength(), 2);
  EXPECT_TRUE(p.DateFormat().MonthName());
  EXPECT_EQ(p.DateFormat().DateForTime(), 2);
  EXPECT_EQ(p.DateFormat().DateOrder(), 1);
  EXPECT_EQ(p.DecPlaces(), -2);
  EXPECT_FALSE(p.Logarithmic());
  EXPECT_EQ(p.LabelType(), fgtNumeric);
  EXPECT_EQ(p.MinTicks(), 3);
  EXPECT_TRUE(p.NotYetLoaded());
  EXPECT_EQ(p.RangeLow(), 0);
  EXPECT_EQ(p.RangeHigh(), 1);
  EXPECT_TRUE(p.ShortTicks());
  EXPECT_EQ(p.ScaleInscript(), "");
  EXPECT_EQ(p.ScalePos(), 0);
  EXPECT_EQ(p.MinRange(), 1e-10);
  EXPECT_EQ(p.MouseAction(), mactNone);
  EXPECT_EQ(p.UserTickText(), "");
  EXPECT_FALSE(p.Visible());
  EXPECT_EQ(p.GetScaleCenter(), 0.5);
}

TEST(AuditScaleProps, EverySetterReportsOnceEvenWhenItRefusesOrClamps) {
  TScalePropsHoriz p;
  int changes = 0;
  p.OnChange = [&](TObject*) { ++changes; };
  p.SetNotYetLoaded(false);
  p.SetDecPlaces(99);
  EXPECT_EQ(p.DecPlaces(), 12);
  EXPECT_EQ(changes, 1);
  p.SetRangeLow(-1);  // 0..1 becomes -1..1
  EXPECT_EQ(p.RangeLow(), -1);
  EXPECT_EQ(changes, 2);
  p.SetLogarithmic(true);  // refused over -1..1
  EXPECT_FALSE(p.Logarithmic());
  EXPECT_EQ(changes, 3);
  p.SetRangeLow(1e-100);
  p.SetLogarithmic(true);  // 1e-100 is still accepted
  EXPECT_TRUE(p.Logarithmic());
  EXPECT_EQ(changes, 5);
  p.SetRangeLow(1e-101);  // below the floor: kept, but reported
  EXPECT_EQ(p.RangeLow(), 1e-100);
  EXPECT_EQ(changes, 6);
  p.SetRangeHigh(-3);  // a logarithmic axis takes no high end below the floor either
  EXPECT_EQ(p.RangeHigh(), 1);
  EXPECT_EQ(changes, 7);
  p.SetMinRange(0);  // ignored silently
  p.SetMinRange(-5);
  EXPECT_EQ(p.MinRange(), 1e-10);
  EXPECT_EQ(changes, 7);
  p.SetLabelType(fgtDateTime);
  EXPECT_FALSE(p.Logarithmic());
  EXPECT_EQ(changes, 8);
  p.SetScalePos(4);
  p.SetMinTicks(7);
  p.SetShortTicks(false);
  p.SetVisible(true);
  EXPECT_EQ(changes, 12);
  EXPECT_EQ(p.GetScaleCenter(), (1e-100 + 1) / 2);
}

TEST(AuditScaleProps, RangeEndsCloserThanMinRangePushTheOtherEnd) {
  TScalePropsVert p;
  p.SetRangeHigh(10);
  p.SetMinRange(2);  // 0..10 is wide enough
  EXPECT_EQ(p.RangeLow(), 0);
  p.SetRangeLow(9);  // |10 - 9| < 2: 9..11
  EXPECT_EQ(p.RangeLow(), 9);
  EXPECT_EQ(p.RangeHigh(), 11);
  p.SetRangeHigh(10);  // |9 - 10| < 2: 8..10
  EXPECT_EQ(p.RangeLow(), 8);
  EXPECT_EQ(p.RangeHigh(), 10);
  p.SetRangeHigh(-20);  // far enough: a reversed range is taken as it is
  EXPECT_EQ(p.RangeLow(), 8);
  EXPECT_EQ(p.RangeHigh(), -20);
  p.SetMinRange(40);  // wider than 28: about the centre -6
  EXPECT_EQ(p.RangeLow(), -26);
  EXPECT_EQ(p.RangeHigh(), 14);
}

TEST(AuditScaleProps, TheChartsAxisObjectsByIndex) {
  ProbeChart c;
  EXPECT_EQ(&c.ScalePropsX(0), &c.Scale1X());
  EXPECT_EQ(&c.ScalePropsX(3), &c.Scale1X());
  EXPECT_EQ(&c.ScalePropsY(-1), &c.Scale1Y());
  EXPECT_EQ(&c.ScalePropsX(2), &c.Scale2X());
  EXPECT_EQ(&c.ScalePropsY(2), &c.Scale2Y());

  TScalePropsHoriz p;
  p.SetRangeHigh(7);
  p.SetRangeLow(3);
  p.SetCaption("time");
  c.SetScalePropsX(3, p);
  c.SetScalePropsX(0, p);
  EXPECT_EQ(c.Scale1X().Caption(), "");
  EXPECT_EQ(c.Scale2X().Caption(), "");
  c.SetScalePropsX(2, p);
  EXPECT_EQ(c.Scale2X().Caption(), "time");
  EXPECT_EQ(c.Scale2X().RangeLow(), 3);
  // The chart takes the new range, and keeps listening to the object.
  int px, py;
  c.R2M(2, 7, 0, px, py);
  EXPECT_EQ(px, c.Width() - c.MarginRight() - c.ShadowWidth());
  c.Scale2X().SetRangeHigh(11);
  c.R2M(2, 11, 0, px, py);
  EXPECT_EQ(px, c.Width() - c.MarginRight() - c.ShadowWidth());
  c.R2M(2, 3, 0, px, py);
  EXPECT_EQ(px, c.MarginLeft());
}

TEST(AuditScaleProps, ScalePosPlacesTheStripOfEachAxis) {
  ProbeChart c;  // 280 x 200; margins 50, 20, 20, 40
  c.SetShadowWidth(4);
  c.Scale2X().SetScaleLocation(slTop);
  c.Scale2Y().SetScaleLocation(slRight);
  c.Scale1X().SetScalePos(5);   // labels below: top margin 5 + 200 - 40 - 4
  c.Scale1Y().SetScalePos(-3);  // labels left: right margin -3 + 280 - 50 - 1
  c.Scale2X().SetScalePos(2);   // labels above: bottom margin 2 + 200 - 20 - 1
  c.Scale2Y().SetScalePos(6);   // labels right: left margin 6 + 280 - 20 - 4
  EXPECT_EQ(c.ScaleX(1).MarginTop(), 161);
  EXPECT_EQ(c.ScaleY(1).MarginRight(), 226);
  EXPECT_EQ(c.ScaleX(2).MarginBottom(), 181);
  EXPECT_EQ(c.ScaleY(2).MarginLeft(), 262);
}

TEST(AuditScaleProps, TickLabelHelpersOfTheChart) {
  ProbeChart c;
  EXPECT_EQ(c.ExtractUserText("a|b|c", 2), "b");
  EXPECT_EQ(c.ExtractUserText("a|b|c", 1), "a");
  EXPECT_EQ(c.ExtractUserText("a|b|c", 9), "c");
  EXPECT_EQ(c.ExtractUserText("a|b|c", 0), "");
  EXPECT_EQ(c.ExtractUserText("abc", 1), "abc");
  EXPECT_EQ(c.AddScaleInscription("5", "U=&V"), "U=5V");
  EXPECT_EQ(c.AddScaleInscription("5", "U=&V&W"), "U=5V&W");
  EXPECT_EQ(c.AddScaleInscription("5", "Hz "), "Hz 5");
  EXPECT_EQ(TCustomRChart::AddScaleInscription("", "U=&V"), "");
}

TEST(AuditScaleProps, TickPositionsCountFromTheLowEndOfTheRange) {
  TOffscreenHost host;
  TCustomRChart down(nullptr);
  down.SetRange(1, 10.0L, 10.0L, 0.0L, 0.0L);
  down.Scale1X().SetVisible(true);
  down.Scale1Y().SetVisible(true);
  host.Show(down);
  const int n = down.TickNumX();
  ASSERT_GT(n, 1);
  EXPECT_EQ(down.TickPosX(0), 0);
  EXPECT_EQ(down.TickPosX(n + 1), 0);
  EXPECT_LT(down.TickPosX(1), down.TickPosX(n));
  EXPECT_LT(down.TickPosY(1), down.TickPosY(down.TickNumY()));
}

}  // namespace
}  // namespace kiv
