#include <gtest/gtest.h>

#include <vector>

#include "probe_chart.h"
#include "rchart/rchart.h"

namespace kiv {
namespace {

// --- A fresh chart and the growth of its containers.

TEST(ItemStore, FreshChartHasEmptyContainersOfOneSlot) {
  ProbeChart c;
  EXPECT_EQ(c.ClassName(), "TCustomRChart");
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.NumAnnos(), 0);
  EXPECT_EQ(c.DataSlots(), 1);
  EXPECT_EQ(c.AnnoSlots(), 1);
  EXPECT_EQ(c.NumAllocData(), 0);
  EXPECT_EQ(c.AllocSize(), 1000);
  EXPECT_FALSE(c.AnnoMode());
  EXPECT_TRUE(c.AnnosVisible());
  EXPECT_FALSE(c.AnnoBelowChart());
  EXPECT_TRUE(c.AnnoTextOnTop());
  EXPECT_TRUE(c.AutoRedraw());
  for (int k = 0; k < kNumItemKinds; ++k) EXPECT_EQ(c.ItemCount(TrcItem(k)), 0);
  EXPECT_TRUE(c.ClassVisible(0));
  EXPECT_TRUE(c.ClassVisible(255));
  EXPECT_TRUE(c.AnnoClassVisible(17));
  EXPECT_TRUE(c.LayerVisible(1));
  EXPECT_TRUE(c.LayerVisible(2));
  EXPECT_TRUE(c.MouseAffectsLayer(1));
  EXPECT_FALSE(c.MouseAffectsLayer(2));
}

TEST(ItemStore, ContainersGrowByAllocSize) {
  ProbeChart c;
  c.DrawTo(1.0, 1.0);
  EXPECT_EQ(c.DataSlots(), 1000);
  EXPECT_EQ(c.NumAllocData(), 1000);
  for (int i = 1; i < 1000; ++i) c.DrawTo(1.0, 1.0);
  EXPECT_EQ(c.DataSlots(), 1000);
  c.DrawTo(1.0, 1.0);  // the 1001st
  EXPECT_EQ(c.DataSlots(), 2000);
  EXPECT_EQ(c.NumAllocData(), 2000);
  EXPECT_EQ(c.NumItems(), 1001);

  c.SetAllocSize(10);  // the next step only
  for (int i = 0; i < 1000; ++i) c.DrawTo(1.0, 1.0);
  c.DrawTo(1.0, 1.0);
  EXPECT_EQ(c.DataSlots(), 2010);
  EXPECT_EQ(c.AnnoSlots(), 1);  // the other container is untouched
}

TEST(ItemStore, AnnotationsGrowTheirOwnContainer) {
  ProbeChart c;
  c.SetAllocSize(3);
  c.SetAnnoMode(true);
  for (int i = 0; i < 4; ++i) c.MarkAt(1, 1, 0);
  EXPECT_EQ(c.NumAnnos(), 4);
  EXPECT_EQ(c.AnnoSlots(), 6);
  EXPECT_EQ(c.NumAllocAnno(), 6);
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.DataSlots(), 1);
  EXPECT_EQ(c.ItemCount(tkMarkAt), 0);  // counters count data items only
}

TEST(ItemStore, AllocSizeAcceptsOnly1To1000000) {
  ProbeChart c;
  c.SetAllocSize(0);
  EXPECT_EQ(c.AllocSize(), 1000);
  c.SetAllocSize(-7);
  EXPECT_EQ(c.AllocSize(), 1000);
  c.SetAllocSize(1000001);
  EXPECT_EQ(c.AllocSize(), 1000);
  c.SetAllocSize(1);
  EXPECT_EQ(c.AllocSize(), 1);
  c.SetAllocSize(1000000);
  EXPECT_EQ(c.AllocSize(), 1000000);
}

TEST(ItemStore, SlotsAddedByGrowthAreZero) {
  ProbeChart c;
  c.SetFillColor(clRed);
  c.MoveTo(1.0, 2.0);  // MoveTo sets no fill colour: the slot's zero shows through
  EXPECT_EQ(c.GetChartItem(0).FillColor, 0);
  EXPECT_EQ(c.GetChartItem(0).x2, 0.0);
}

// --- Item access.

TEST(ItemStore, InvalidIndicesReadTkNoneAndWriteNothing) {
  ProbeChart c;
  c.Line(0.0, 0.0, 1.0, 1.0);
  c.SetAnnoMode(true);
  c.Line(0.0, 0.0, 1.0, 1.0);
  for (int idx : {-1, 1, 1000, -2147483647 - 1}) {
    EXPECT_EQ(c.GetChartItem(idx).ItemKind, tkNone);
    EXPECT_EQ(c.GetChartItem(idx).Layer, 1);  // a fresh item, not garbage
    EXPECT_EQ(c.GetAnnoItem(idx).ItemKind, tkNone);
    EXPECT_EQ(c.GetItemParams(idx).ItemKind, tkNone);
    EXPECT_EQ(c.DataLongText(idx), "");
  }
  TrcChartItem item = c.GetChartItem(0);
  item.x = 99;
  c.SetChartItem(1, item);
  c.SetChartItem(-1, item);
  c.SetAnnoItem(1, item);
  c.SetItemParams(1, item);
  c.SetItemParams(-1, item);
  c.ScaleItem(1, 2, 0, 2, 0);
  c.ScaleItem(-1, 2, 0, 2, 0);
  EXPECT_EQ(c.NumItems(), 1);
  EXPECT_EQ(c.GetChartItem(0).x, 0.0);
  EXPECT_EQ(c.ItemCount(tkLine), 1);
}

TEST(ItemStore, SetChartItemOverwritesWithoutCounting) {
  ProbeChart c;
  c.MoveTo(0.0, 0.0);
  TrcChartItem item = c.GetChartItem(0);
  item.ItemKind = tkMarkAt;
  item.Param3 = 4;
  c.SetChartItem(0, item);
  EXPECT_EQ(c.DataContainer(0).ItemKind, tkMarkAt);
  EXPECT_EQ(c.ItemCount(tkMoveTo), 1);
  EXPECT_EQ(c.ItemCount(tkMarkAt), 0);

  c.SetAnnoMode(true);
  c.MoveTo(0.0, 0.0);
  c.SetAnnoContainer(0, item);
  EXPECT_EQ(c.AnnoContainer(0).Param3, 4);
}

TEST(ItemStore, SetItemParamsKeepsTheCountersInStep) {
  ProbeChart c;
  c.MoveTo(0.0, 0.0);
  c.DrawTo(1.0, 1.0);
  const int updates = c.shared_updates;
  TrcChartItem item = c.GetItemParams(1);
  item.ItemKind = tkMarkAt;
  c.SetItemParams(1, item);
  EXPECT_EQ(c.ItemCount(tkLineto), 0);
  EXPECT_EQ(c.ItemCount(tkMarkAt), 1);
  EXPECT_EQ(c.GetChartItem(1).ItemKind, tkMarkAt);
  EXPECT_EQ(c.shared_updates, updates + 1);

  // Kinds that must never be stored are refused.
  for (TrcItem bad : {tkNone, tkEverything, tkNotMoveTo, TrcItem(24), TrcItem(200)}) {
    item.ItemKind = bad;
    item.x = 42;
    c.SetItemParams(1, item);
    EXPECT_EQ(c.GetChartItem(1).ItemKind, tkMarkAt) << int(bad);
    EXPECT_EQ(c.GetChartItem(1).x, 1.0);
  }
  EXPECT_EQ(c.ItemCount(TrcItem(200)), 0);
}

// --- Long texts through the chart.

TEST(ItemStore, LongTextsFollowTheItemsContainer) {
  ProbeChart c;
  c.Text(0.0, 0.0, 10, "a data text longer than fifteen");
  c.SetAnnoMode(true);
  c.Text(0.0, 0.0, 10, "an annotation text, also long");
  EXPECT_EQ(c.NumLongTextsData(), 1);
  EXPECT_EQ(c.NumLongTextsAnno(), 1);
  EXPECT_EQ(c.DataLongText(0), "a data text longer than fifteen");
  EXPECT_EQ(c.AnnoLongText(0), "an annotation text, also long");

  c.SetDataLongText(0, "replaced, still a long text");
  EXPECT_EQ(c.GetDataLongText(0), "replaced, still a long text");
  EXPECT_EQ(c.NumLongTextsData(), 1);
  EXPECT_EQ(c.GetChartItem(0).LWid, 1);

  c.SetAnnoLongText(0, "short");
  EXPECT_EQ(c.GetAnnoLongText(0), "short");
  EXPECT_EQ(c.GetAnnoItem(0).LWid, 0);
}

TEST(ItemStore, LongTextAccessorsIgnoreOtherKinds) {
  ProbeChart c;
  c.MarkAt(1.0, 1.0, 3);
  c.SetDataLongText(0, "not a text item, so ignored");
  EXPECT_EQ(c.DataLongText(0), "");
  EXPECT_EQ(c.GetChartItem(0).Text.Length, 0);
  EXPECT_EQ(c.NumLongTextsData(), 0);
}

TEST(ItemStore, NonLatin1TextsReadBackAsGiven) {
  ProbeChart c;
  c.Text(0.0, 0.0, 8, "λ = 532 nm");
  EXPECT_EQ(c.DataLongText(0), "λ = 532 nm");
  EXPECT_EQ(ItemTextToUtf8(c.GetChartItem(0).Text), "? = 532 nm");
  c.Text(0.0, 0.0, 8, "Größe");  // Latin-1 fits the field: no entry
  EXPECT_EQ(c.DataLongText(1), "Größe");
  EXPECT_EQ(c.NumLongTextsData(), 1);
}

// --- Clearing.

TEST(ItemStore, ClearGrafEmptiesTheDataAndKeepsAnnotations) {
  ProbeChart c;
  c.MoveTo(0.0, 0.0);
  c.DrawTo(1.0, 1.0);
  c.Text(0.0, 0.0, 8, "a long data text, kept in the table");
  c.SetAnnoMode(true);
  c.Line(0, 0, 5, 5);
  c.SetLastElemOnShow(2);
  c.SetNumMTrace(17);
  const int updates = c.shared_updates;

  c.ClearGraf();
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.NumAllocData(), 0);
  EXPECT_EQ(c.DataSlots(), 1);
  EXPECT_EQ(c.ItemCount(tkLineto), 0);
  EXPECT_EQ(c.ItemCount(tkMoveTo), 0);
  EXPECT_EQ(c.LastElemOnShow(), 0);
  EXPECT_EQ(c.NumMTrace(), 0);
  EXPECT_EQ(c.bitmap_resets, 1);
  EXPECT_EQ(c.shared_updates, updates + 1);
  EXPECT_EQ(c.NumLongTextsData(), 1);  // the data long texts stay
  EXPECT_EQ(c.NumAnnos(), 1);
  EXPECT_EQ(c.GetAnnoItem(0).ItemKind, tkLine);

  // Growth starts again from the accounted 0.
  c.SetAnnoMode(false);
  c.DrawTo(1.0, 1.0);
  EXPECT_EQ(c.DataSlots(), 1000);
  EXPECT_EQ(c.ItemCount(tkLineto), 1);
}

TEST(ItemStore, ClearAnnotationsKeepsTheDataAndRepaints) {
  ProbeChart c;
  c.MoveTo(0.0, 0.0);
  c.SetAnnoMode(true);
  c.Text(0.0, 0.0, 8, "a long annotation text");
  c.Line(0, 0, 5, 5);
  const int repaints = c.repaints;
  c.ClearAnnotations();
  EXPECT_EQ(c.NumAnnos(), 0);
  EXPECT_EQ(c.NumAllocAnno(), 0);
  EXPECT_EQ(c.AnnoSlots(), 1);
  EXPECT_EQ(c.NumLongTextsAnno(), 0);
  EXPECT_EQ(c.repaints, repaints + 1);
  EXPECT_EQ(c.NumItems(), 1);
  EXPECT_EQ(c.ItemCount(tkMoveTo), 1);
}

// --- Scaling and recolouring.

TEST(ItemStore, ScalingMovesSecondaryPointsOnlyWhereTheyArePoints) {
  ProbeChart c;
  c.Line(1.0, 2.0, 3.0, 4.0);
  c.MarkErrorBar(1.0, 2.0, 0.5, 0.25, orVertical, 1);
  c.Text(1.0, 2.0, 8, "ofs", 5, 6, taLeftJustify);
  c.Arc(1.0, 2.0, 3.0, 4.0, 0.0, 1.0);
  c.DrawToRelPix(1.0, 2.0, 9, 8);

  c.ScaleAllItems(2, 1, 1, 0);
  const TrcChartItem line = c.GetChartItem(0);
  EXPECT_EQ(line.x, 3.0);
  EXPECT_EQ(line.y, 2.0);
  EXPECT_EQ(line.x2, 7.0);
  EXPECT_EQ(line.y2, 4.0);
  const TrcChartItem ebar = c.GetChartItem(1);
  EXPECT_EQ(ebar.x, 3.0);
  EXPECT_EQ(ebar.x2, 0.5);  // error values are lengths, not points
  const TrcChartItem text = c.GetChartItem(2);
  EXPECT_EQ(text.x, 3.0);
  EXPECT_EQ(text.x2, 5.0);  // a pixel offset
  EXPECT_EQ(c.GetChartItem(3).x2, 7.0);
  EXPECT_EQ(c.GetChartItem(4).x2, 9.0);  // pixel offset of tkLineRelPixOrig

  c.ScaleItem(0, 1, 0, 10, -1);
  EXPECT_EQ(c.GetChartItem(0).y, 19.0);
  EXPECT_EQ(c.GetChartItem(0).y2, 39.0);
  EXPECT_EQ(c.GetChartItem(1).y, 2.0);
}

TEST(ItemStore, ScaleSelectedItemsTakesExactlyOneClass) {
  ProbeChart c;
  c.SetClassDefault(3);
  c.MoveTo(1.0, 1.0);
  c.SetClassDefault(4);
  c.MoveTo(1.0, 1.0);
  c.ScaleSelectedItems(5, 0, 5, 0, 3);
  EXPECT_EQ(c.GetChartItem(0).x, 5.0);
  EXPECT_EQ(c.GetChartItem(1).x, 1.0);
  c.ScaleSelectedItems(5, 0, 5, 0, 255);  // 255 is an ordinary class here: nothing has it
  EXPECT_EQ(c.GetChartItem(0).x, 5.0);
  EXPECT_EQ(c.GetChartItem(1).x, 1.0);
}

TEST(ItemStore, NewColorOfClassItemsRecoloursOneClassOrAll) {
  ProbeChart c;
  c.SetClassDefault(1);
  c.MoveTo(0.0, 0.0);
  c.SetClassDefault(2);
  c.DrawTo(1.0, 1.0);
  c.SetAnnoMode(true);
  c.DrawTo(1.0, 1.0);
  const int repaints = c.repaints;
  c.NewColorOfClassItems(clRed, 2);
  EXPECT_EQ(c.GetChartItem(0).Color, clBlack);
  EXPECT_EQ(c.GetChartItem(1).Color, clRed);
  c.NewColorOfClassItems(clBlue, 255);
  EXPECT_EQ(c.GetChartItem(0).Color, clBlue);
  EXPECT_EQ(c.GetChartItem(1).Color, clBlue);
  EXPECT_EQ(c.GetAnnoItem(0).Color, clBlack);  // annotations are not data items
  EXPECT_EQ(c.repaints, repaints);
}

// --- Search and count.

// Data items: 0 MoveTo tag 0x10 class 1, 1 DrawTo tag 0x11 class 1, 2 DrawTo tag 0x20 class 2,
// 3 MarkAt tag 0x21 class 2.
void FillSearchChart(ProbeChart& c) {
  const struct { int tag, cls; } spec[] = {{0x10, 1}, {0x11, 1}, {0x20, 2}, {0x21, 2}};
  for (int i = 0; i < 4; ++i) {
    c.SetDataTag(spec[i].tag);
    c.SetClassDefault(static_cast<std::uint8_t>(spec[i].cls));
    if (i == 0) c.MoveTo(0.0, 0.0);
    if (i == 1 || i == 2) c.DrawTo(1.0, 1.0);
    if (i == 3) c.MarkAt(1.0, 1.0, 2);
  }
}

TEST(ItemSearch, EverythingMatchesWithoutMaskKindOrClass) {
  ProbeChart c;
  FillSearchChart(c);
  for (int start = 0; start < 4; ++start) {
    EXPECT_EQ(c.SearchDataItem(start, 0, 0, 255, tkEverything), start);
  }
  EXPECT_EQ(c.SearchDataItem(4, 0, 0, 255, tkEverything), -1);  // never beyond NumItems
  EXPECT_EQ(c.SearchDataItem(1000, 0, 0, 255, tkEverything), -1);
  EXPECT_EQ(c.SearchDataItem(-1, 0, 0, 255, tkEverything), -1);
}

TEST(ItemSearch, TagMaskComparesTheMaskedBitsOnly) {
  ProbeChart c;
  FillSearchChart(c);
  EXPECT_EQ(c.SearchDataItem(0, 0x20, 0xF0, 255, tkEverything), 2);
  EXPECT_EQ(c.SearchDataItem(0, 0x01, 0x0F, 255, tkEverything), 1);
  EXPECT_EQ(c.SearchDataItem(2, 0x01, 0x0F, 255, tkEverything), 3);
  EXPECT_EQ(c.SearchDataItem(0, 0x31, 0xFF, 255, tkEverything), -1);
  // Negative tags compare bit by bit as well.
  c.SetDataTag(-1);
  c.MoveTo(0.0, 0.0);
  EXPECT_EQ(c.SearchDataItem(0, -1, 0xFFFFFFFFu, 255, tkEverything), 4);
  EXPECT_EQ(c.SearchDataItem(0, 0x7FFFFFFF, 0x80000000u, 255, tkEverything), 0);
}

TEST(ItemSearch, KindAndClassNarrowTheSearch) {
  ProbeChart c;
  FillSearchChart(c);
  EXPECT_EQ(c.SearchDataItem(0, 0, 0, 255, tkLineto), 1);
  EXPECT_EQ(c.SearchDataItem(0, 0, 0, 2, tkLineto), 2);
  EXPECT_EQ(c.SearchDataItem(0, 0, 0, 1, tkMarkAt), -1);
  EXPECT_EQ(c.SearchDataItem(0, 0, 0, 2, tkEverything), 2);
  // tkNotMoveTo is no selector here: no stored item has that kind.
  EXPECT_EQ(c.SearchDataItem(0, 0, 0, 255, tkNotMoveTo), -1);
}

TEST(ItemSearch, AnnotationsAreSearchedAndCountedWithTheSameFilter) {
  ProbeChart c;
  c.SetAnnoMode(true);
  FillSearchChart(c);
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.SearchAnnoItem(0, 0x20, 0xF0, 255, tkEverything), 2);
  EXPECT_EQ(c.SearchAnnoItem(-5, 0, 0, 255, tkEverything), -1);
  EXPECT_EQ(c.CountAnnos(0, 0, 255, tkEverything), 4);
  EXPECT_EQ(c.CountAnnos(0x20, 0xF0, 255, tkEverything), 2);
  EXPECT_EQ(c.CountAnnos(0, 0, 1, tkLineto), 1);
  EXPECT_EQ(c.CountAnnos(0, 0, 255, tkLineto), 2);
  EXPECT_EQ(c.CountAnnos(0, 0, 7, tkEverything), 0);
}

TEST(ItemSearch, CountAnnoByClassSumsAHistogram) {
  ProbeChart c;
  c.SetAnnoMode(true);
  for (int cls : {3, 3, 5, 7}) {
    c.SetClassDefault(static_cast<std::uint8_t>(cls));
    c.MoveTo(0, 0);
  }
  EXPECT_EQ(c.CountAnnoByClass({3}), 2);
  EXPECT_EQ(c.CountAnnoByClass({3, 3}), 4);  // a class listed twice counts twice
  EXPECT_EQ(c.CountAnnoByClass({5, 7, 9}), 2);
  EXPECT_EQ(c.CountAnnoByClass({}), 0);
  EXPECT_EQ(c.CountAnnoByClass({-1, 256, 100000}), 0);
  const std::vector<int> list{3, 5};
  EXPECT_EQ(c.CountAnnoByClass(list), 3);
}

// --- Switches, visibility and repainting.

TEST(ChartSwitches, AnnotationSwitchesStoreAndRepaint) {
  ProbeChart c;
  c.SetAnnoMode(true);
  c.SetAnnoBelowChart(true);
  c.SetAnnoTextOnTop(false);
  EXPECT_TRUE(c.AnnoMode());
  EXPECT_TRUE(c.AnnoBelowChart());
  EXPECT_FALSE(c.AnnoTextOnTop());
  EXPECT_EQ(c.repaints, 3);
  c.SetAnnoBelow(false);
  EXPECT_FALSE(c.AnnoBelowChart());

  EXPECT_FALSE(c.InvalidDataBmp());
  c.SetAnnosVisible(false);
  EXPECT_FALSE(c.AnnosVisible());
  EXPECT_TRUE(c.InvalidDataBmp());
  EXPECT_EQ(c.repaints, 5);
}

TEST(ChartSwitches, RepaintsNeedAutoRedrawOrTheDesigner) {
  ProbeChart c;
  c.SetAutoRedraw(false);
  c.SetAnnoMode(true);
  c.SetActiveLayer(2);
  c.SetClassVisib(4, false);
  EXPECT_EQ(c.repaints, 0);
  EXPECT_FALSE(c.ClassVisible(4));
  c.SetDesigning(true);
  c.SetAnnoMode(false);
  EXPECT_EQ(c.repaints, 1);
}

TEST(ChartSwitches, VisibilityFlagsRepaintOnlyOnChange) {
  ProbeChart c;
  c.SetClassVisib(7, true);  // already true
  EXPECT_EQ(c.repaints, 0);
  c.SetClassVisible(7, false);
  c.SetAnnoClassVisible(7, false);
  c.SetLayerVisible(2, false);
  EXPECT_EQ(c.repaints, 3);
  EXPECT_FALSE(c.GetClassVisib(7));
  EXPECT_FALSE(c.GetAnnoClassVisib(7));
  EXPECT_TRUE(c.GetClassVisib(8));
  EXPECT_FALSE(c.GetLayerVisib(2));
  EXPECT_TRUE(c.GetLayerVisib(1));
  c.SetLayerVisib(2, false);
  EXPECT_EQ(c.repaints, 3);

  // Numbers outside the ranges read false and are not written.
  c.SetClassVisib(256, false);
  c.SetClassVisib(-1, false);
  c.SetLayerVisib(0, false);
  c.SetLayerVisib(3, false);
  EXPECT_EQ(c.repaints, 3);
  EXPECT_FALSE(c.ClassVisible(256));
  EXPECT_FALSE(c.LayerVisible(3));
}

TEST(ChartSwitches, MouseAffectedLayersNeverRepaint) {
  ProbeChart c;
  c.SetMAffLayer(2, true);
  c.SetMouseAffectsLayer(1, false);
  EXPECT_TRUE(c.GetMAffLayer(2));
  EXPECT_FALSE(c.MouseAffectsLayer(1));
  c.SetMAffLayer(3, true);
  EXPECT_FALSE(c.GetMAffLayer(3));
  EXPECT_FALSE(c.GetMAffLayer(0));
  EXPECT_EQ(c.repaints, 0);
}

}  // namespace
}  // namespace kiv
