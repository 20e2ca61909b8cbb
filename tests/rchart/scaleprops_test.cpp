// Axis settings: setter rules, notifications, locations and copying.
#include "rchart/scaleprops.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(ScaleProps, DefaultsOfAnAxis) {
  TScalePropsHoriz x;
  TScalePropsVert y;
  EXPECT_EQ(x.RangeLow(), 0);
  EXPECT_EQ(x.RangeHigh(), 1);
  EXPECT_EQ(x.MinRange(), 1e-10);
  EXPECT_EQ(x.DecPlaces(), -2);
  EXPECT_EQ(x.MinTicks(), 3);
  EXPECT_FALSE(x.Visible());
  EXPECT_EQ(x.ScaleLocation(), slBottom);
  EXPECT_EQ(x.ScaleType(), sctLabelsBelow);
  EXPECT_EQ(y.ScaleLocation(), slLeft);
  EXPECT_EQ(y.ScaleType(), sctLabelsLeft);
  EXPECT_EQ(x.CaptionAlignment(), taCenter);
}

TEST(ScaleProps, RangeEndsKeepTheMinimumRange) {
  TScalePropsHoriz p;
  p.SetRangeLow(0.99999999999);
  EXPECT_EQ(p.RangeLow(), 0.99999999999);
  EXPECT_EQ(p.RangeHigh(), 0.99999999999 + 1e-10);
  p.SetRangeHigh(p.RangeLow());
  EXPECT_EQ(p.RangeLow(), 0.99999999999 - 1e-10);
}

TEST(ScaleProps, AWiderMinimumWidensTheRangeAboutItsCentre) {
  TScalePropsHoriz p;
  int changes = 0;
  p.OnChange = [&](TObject*) { ++changes; };
  p.SetMinRange(10);
  EXPECT_EQ(p.RangeLow(), -4.5);
  EXPECT_EQ(p.RangeHigh(), 5.5);
  EXPECT_EQ(changes, 1);
  p.SetMinRange(5);  // wide enough: stored without a change report
  EXPECT_EQ(p.MinRange(), 5);
  EXPECT_EQ(changes, 1);
  p.SetMinRange(1e-101);  // ignored
  EXPECT_EQ(p.MinRange(), 5);
}

TEST(ScaleProps, LogarithmicSwitchIsCheckedOnlyAfterLoading) {
  TScalePropsHoriz p;
  p.SetRangeLow(-1);
  p.SetLogarithmic(true);
  EXPECT_TRUE(p.Logarithmic());  // before loading: taken unchecked
  p.SetLogarithmic(false);
  p.SetNotYetLoaded(false);
  p.SetLogarithmic(true);
  EXPECT_FALSE(p.Logarithmic());  // -1..1 refused after loading
  p.SetRangeLow(0.5);
  p.SetLogarithmic(true);
  EXPECT_TRUE(p.Logarithmic());
  p.SetRangeLow(0);  // a logarithmic axis takes no end below 1e-100
  EXPECT_EQ(p.RangeLow(), 0.5);
  p.SetLabelType(fgtDateTime);
  EXPECT_FALSE(p.Logarithmic());
  p.SetLogarithmic(true);
  EXPECT_FALSE(p.Logarithmic());
  p.SetLabelType(fgtTime);
  EXPECT_EQ(p.DecPlaces(), 4);
  p.SetDecPlaces(-7);
  EXPECT_EQ(p.DecPlaces(), -3);
  p.SetDecPlaces(20);
  EXPECT_EQ(p.DecPlaces(), 12);
}

TEST(ScaleProps, ScalePosBelongsToTheAxisDirection) {
  TScalePropsHoriz x;
  x.SetScalePos(30);
  EXPECT_EQ(x.ScalePos(), 30);
  x.SetScaleLocation(slTop);
  EXPECT_EQ(x.ScaleType(), sctLabelsAbove);
  EXPECT_EQ(x.ScalePos(), 30);
  TScalePropsVert y;
  y.SetScaleLocation(slRight);
  EXPECT_EQ(y.ScaleType(), sctLabelsRight);
  y.SetScalePos(50);
  EXPECT_EQ(y.ScalePos(), 50);
}

TEST(ScaleProps, FontAndDateFormatChangesAreReported) {
  TScalePropsVert p;
  int changes = 0;
  p.OnChange = [&](TObject*) { ++changes; };
  p.Font().SetSize(12);
  p.DateFormat().SetYearLength(ylTwoDigits);
  EXPECT_EQ(changes, 2);
}

TEST(ScaleProps, AssignCopiesSettingsButKeepsTheHandler) {
  TScalePropsHoriz a, b;
  a.SetCaption("Frequency [Hz]");
  a.SetRangeHigh(50);
  a.SetScaleLocation(slTop);
  a.Font().SetSize(11);
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  b.Assign(a);
  EXPECT_EQ(b.Caption(), "Frequency [Hz]");
  EXPECT_EQ(b.RangeHigh(), 50);
  EXPECT_EQ(b.ScaleLocation(), slTop);
  EXPECT_EQ(b.Font().Size(), 11);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(a.OnChange);
}

}  // namespace
}  // namespace kiv
