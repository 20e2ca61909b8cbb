// The pool of 30 text labels: adding takes the first free label, templates give their look,
// hiding and clearing repaint once.
#include <gtest/gtest.h>

#include "rchart/errors.h"
#include "rchart/rchart.h"

namespace kiv {
namespace {

struct CountingChart : TCustomRChart {
  CountingChart() : TCustomRChart(nullptr) { FSuppressPaint = false; }
  void Repaint() override { ++repaints; }
  int repaints = 0;
};

TEST(ChartLabelPool, AddTakesTheFirstFreeLabelUntilThePoolIsFull) {
  TCustomRChart c(nullptr);
  for (int i = 1; i <= kNumTextLabels; ++i) EXPECT_EQ(c.AddTextLabel(i, 2 * i, clBlue, "L"), i);
  EXPECT_EQ(c.AddTextLabel(0, 0, clBlue, "one too many"), 0);
  c.TextLabels(12).SetMode(tlmNone);  // freeing one label makes it the next
  EXPECT_EQ(c.AddTextLabel(5, 5, clRed, "again"), 12);
  c.ClearAllTextLabels();
  for (int i = 1; i <= kNumTextLabels; ++i) EXPECT_EQ(c.TextLabels(i).Mode(), tlmNone);
  EXPECT_EQ(c.AddTextLabel(0, 0, clBlue, "first"), 1);
}

TEST(ChartLabelPool, ALabelWithoutTemplateTakesTheChartsLook) {
  TCustomRChart c(nullptr);
  c.SetChartColor(clYellow);
  c.SetChartFrameColor(clNavy);
  c.SetActiveLayer(2);
  ASSERT_EQ(c.AddTextLabel(1.5, -2.5, clRed, "line one\nline two"), 1);
  const TTextLabel& L = c.TextLabels(1);
  EXPECT_EQ(L.PosX(), 1.5);
  EXPECT_EQ(L.PosY(), -2.5);
  EXPECT_EQ(L.Layer(), 2);
  EXPECT_EQ(L.AttachToData(), taXY);
  EXPECT_EQ(L.Alignment(), taCenter);
  EXPECT_EQ(L.ShadowDx(), 0);
  EXPECT_EQ(L.ShadowDy(), 0);
  EXPECT_EQ(L.ColorShadow(), clGray);
  EXPECT_EQ(L.ColorBkg(), clYellow);
  EXPECT_EQ(L.ColorBorder(), clNavy);
  EXPECT_FALSE(L.Transparent());
  EXPECT_EQ(L.Caption(), "line one\nline two");
  EXPECT_EQ(L.Font().Color(), clRed);
  EXPECT_EQ(L.Mode(), tlmPlain);
  EXPECT_TRUE(L.Visible());
}

TEST(ChartLabelPool, ATemplateGivesItsLookButNotItsFontOrVerticalAlignment) {
  TCustomRChart c(nullptr);
  TTextLabel& t = c.TextLabels(5);
  t.SetMode(tlmShadowed);
  t.SetAttachToData(taNone);
  t.SetAlignment(taRightJustify);
  t.SetShadowDx(6);
  t.SetShadowDy(-2);
  t.SetColorShadow(clMaroon);
  t.SetColorBkg(clAqua);
  t.SetColorBorder(clPurple);
  t.SetTransparent(true);
  t.SetVerticalAlignment(vaTop);
  t.Font().SetSize(20);
  const int ix = c.AddTextLabel(100, 50, clGreen, "shadowed", 5);
  ASSERT_EQ(ix, 1);
  const TTextLabel& L = c.TextLabels(ix);
  EXPECT_EQ(L.Mode(), tlmShadowed);
  EXPECT_EQ(L.AttachToData(), taNone);
  EXPECT_EQ(L.Alignment(), taRightJustify);
  EXPECT_EQ(L.ShadowDx(), 6);
  EXPECT_EQ(L.ShadowDy(), -2);
  EXPECT_EQ(L.ColorShadow(), clMaroon);
  EXPECT_EQ(L.ColorBkg(), clAqua);
  EXPECT_EQ(L.ColorBorder(), clPurple);
  EXPECT_TRUE(L.Transparent());
  EXPECT_EQ(L.VerticalAlignment(), vaBottom);
  EXPECT_NE(L.Font().Size(), 20);
  EXPECT_EQ(L.Font().Color(), clGreen);
  // A free template gives a plain label; an invalid template number is no template.
  c.TextLabels(5).SetMode(tlmNone);
  EXPECT_EQ(c.TextLabels(c.AddTextLabel(0, 0, clBlack, "a", 5)).Mode(), tlmPlain);
  EXPECT_EQ(c.TextLabels(c.AddTextLabel(0, 0, clBlack, "b", 31)).ColorBorder(), clBlack);
}

TEST(ChartLabelPool, SetTextLabelFillsThatLabelWhetherFreeOrNot) {
  TCustomRChart c(nullptr);
  c.AddTextLabel(0, 0, clBlack, "first");
  c.SetTextLabel(1, 3, 4, clBlue, "replaced");
  EXPECT_EQ(c.TextLabels(1).Caption(), "replaced");
  c.SetTextLabel(9, 3, 4, clBlue, "ninth", 1);
  EXPECT_EQ(c.TextLabels(9).Mode(), tlmPlain);
  EXPECT_TRUE(c.TextLabels(9).Visible());
  c.SetTextLabel(31, 0, 0, clBlue, "nothing");
  c.SetTextLabel(0, 0, 0, clBlue, "nothing");
  EXPECT_EQ(c.AddTextLabel(0, 0, clBlack, "x"), 2);
  EXPECT_THROW(c.TextLabels(0), EKIVRChartError);
}

TEST(ChartLabelPool, FillingHidingAndClearingRepaintOnce) {
  CountingChart c;
  c.AddTextLabel(0, 0, clBlack, "a");
  EXPECT_EQ(c.repaints, 1);
  c.AddTextLabel(0, 0, clBlack, "b");
  c.repaints = 0;
  c.HideAllTextLabels();
  EXPECT_EQ(c.repaints, 1);
  EXPECT_FALSE(c.TextLabels(1).Visible());
  EXPECT_EQ(c.TextLabels(2).Mode(), tlmPlain);  // hidden, still in use
  EXPECT_EQ(c.AddTextLabel(0, 0, clBlack, "c"), 3);
  c.repaints = 0;
  c.ClearAllTextLabels();
  EXPECT_EQ(c.repaints, 1);
  c.SetAutoRedraw(false);
  c.repaints = 0;
  c.AddTextLabel(0, 0, clBlack, "quiet");
  EXPECT_EQ(c.repaints, 0);
}

}  // namespace
}  // namespace kiv
