// Range bookkeeping of the chart worked out by hand: what the layer coupling passes on and when
// the zoom history records it, confinement of shifted and cut ranges, the isometric mode through
// margins and equal ranges, the scale hit bands, the label pool's templates and the background
// settings.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "rchart/errors.h"
#include "rchart/rchart.h"

namespace kiv {
namespace {

// A 280 x 200 chart with the margins 50, 10, 16, 32 (left, right, top, bottom): the data area is
// 221 x 153 pixels. Both layers start at 0..10 on both axes; painting is allowed and counted.
struct Chart : TCustomRChart {
  Chart() : TCustomRChart(nullptr) {
    SetMarginRight(10);
    SetMarginTop(16);
    SetMarginBottom(32);
    SetRange(0, 0, 0, 10, 10);
    FSuppressPaint = false;
  }
  void Repaint() override { ++repaints; }
  using TCustomRChart::ForceRngIntern;
  int StackPos() const { return FZStackPoi; }
  // Pushes since a position read earlier, counted around the ring of 16.
  int PushesSince(int pos) const { return (StackPos() - pos + 16) % 16; }
  TRectDouble Latest(int layer, int back = 0) const { return GetZoomStackEntry(layer, -back); }
  int repaints = 0;
};

TRectDouble Entry(double xlo, double yhi, double xhi, double ylo) {
  return TRectDouble{xlo, yhi, xhi, ylo};
}

std::string Message(const std::function<void()>& f) {
  try {
    f();
  } catch (const EKIVRChartError& e) {
    return e.what();
  }
  return "no error";
}

// --- Layer coupling and the zoom history

TEST(AuditCoupling, AFollowerIsStoredAndPushedAfterItsMaster) {
  Chart c;
  c.JointLayers().SetL01yControlledBy(2);  // layer 1's y follows layer 2
  const int pos = c.StackPos();
  c.SetRange(2, 0, -5, 10, 5);
  // One push for the master, one more for the follower once it has taken the new y range.
  EXPECT_EQ(c.PushesSince(pos), 2);
  EXPECT_EQ(c.Latest(1), Entry(0, 5, 10, -5));
  EXPECT_EQ(c.Latest(1, 1), Entry(0, 10, 10, 0));
  EXPECT_EQ(c.Latest(2, 1), Entry(0, 5, 10, -5));
  // The follower keeps its coupled axis but takes its own x; nothing follows it, one push.
  c.SetRange(1, 2, 100, 4, 200);
  EXPECT_EQ(c.PushesSince(pos), 3);
  EXPECT_EQ(c.Latest(1), Entry(2, 5, 4, -5));
  EXPECT_EQ(c.Latest(2), Entry(0, 5, 10, -5));
}

TEST(AuditCoupling, AFollowerPushesEvenWhenItsMasterDoesNot) {
  Chart c;
  c.JointLayers().SetL02xControlledBy(1);
  const int pos = c.StackPos();
  const TRectDouble before = c.Latest(1);
  c.ForceRange(1, -5, 0, 5, 10, false, false);  // as a pan step does
  EXPECT_EQ(c.PushesSince(pos), 1);
  EXPECT_EQ(c.Latest(1), Entry(-5, 10, 5, 0));
  EXPECT_EQ(c.Latest(2), Entry(-5, 10, 5, 0));
  EXPECT_EQ(c.Latest(1, 1), before);
}

TEST(AuditCoupling, CouplingCopiesWithoutPushAndNotifiesUncouplingDoesNeither) {
  Chart c;
  c.SetRange(1, 3, 0, 7, 50);
  c.repaints = 0;
  const int pos = c.StackPos();
  c.JointLayers().SetL02yControlledBy(1);
  EXPECT_EQ(c.ScalePropsY(2).RangeLow(), 0);
  EXPECT_EQ(c.ScalePropsY(2).RangeHigh(), 50);
  EXPECT_EQ(c.ScalePropsX(2).RangeLow(), 0);  // x untouched
  EXPECT_EQ(c.ScalePropsX(2).RangeHigh(), 10);
  EXPECT_EQ(c.PushesSince(pos), 0);
  EXPECT_EQ(c.repaints, 1);  // the change notification
  c.repaints = 0;
  c.JointLayers().SetL02yControlledBy(2);
  EXPECT_EQ(c.repaints, 0);
  EXPECT_EQ(c.ScalePropsY(2).RangeHigh(), 50);
  EXPECT_EQ(c.JointLayers().L02yControlledBy(), 2);
}

TEST(AuditCoupling, RefusedCouplingsChangeNothing) {
  Chart c;
  c.JointLayers().SetL02xControlledBy(1);
  c.repaints = 0;
  // Layer 2 already follows layer 1, so layer 1 cannot follow layer 2.
  EXPECT_EQ(Message([&] { c.JointLayers().SetL01xControlledBy(2); }),
            "Destination layer 2 is already joined");
  EXPECT_EQ(Message([&] { c.JointLayers().SetL02yControlledBy(0); }),
            "Destination layer 0 is out of range");
  EXPECT_EQ(Message([&] { c.JointLayers().SetL01yControlledBy(-7); }),
            "Destination layer -7 is out of range");
  EXPECT_EQ(c.JointLayers().L01xControlledBy(), 1);
  EXPECT_EQ(c.JointLayers().L02xControlledBy(), 1);
  EXPECT_EQ(c.JointLayers().L02yControlledBy(), 2);
  EXPECT_EQ(c.repaints, 0);
}

TEST(AuditCoupling, AssignedCouplingsWorkOnTheReceivingChart) {
  Chart c;
  TJointLayers settings(nullptr);
  settings.SetL02yControlledBy(1);  // no chart: only the setting
  c.SetJointLayers(settings);
  EXPECT_EQ(c.JointLayers().L02yControlledBy(), 1);
  c.SetRange(1, 0, 20, 10, 30);
  EXPECT_EQ(c.ScalePropsY(2).RangeLow(), 20);
  EXPECT_EQ(c.ScalePropsY(2).RangeHigh(), 30);
  c.ResetComp();
  EXPECT_EQ(c.JointLayers().L02yControlledBy(), 2);
}

// --- Confinement

TEST(AuditConfinement, TheFourTestsRunInOrderOnTheOriginalWidth) {
  Chart c;
  c.ConfineZoomRange(0, 100, 10, 200);  // x 0..10, y 100..200
  c.SetMouseAction(mactPan);
  // Wider than the limits: moved to the low limit, then its high end slides it back down.
  c.ForceRange(1, -2, 120, 15, 150, false, true);
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), -7);
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 10);
  EXPECT_EQ(c.ScalePropsY(1).RangeLow(), 120);  // inside: kept
  EXPECT_EQ(c.ScalePropsY(1).RangeHigh(), 150);
  // A reversed range keeps its negative width: its low end is moved back to the high limit.
  c.ForceRange(1, 12, 90, 4, 120, false, true);
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), 10);
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 2);
  EXPECT_EQ(c.ScalePropsY(1).RangeLow(), 100);  // y against its own limits
  EXPECT_EQ(c.ScalePropsY(1).RangeHigh(), 130);
  // Without a shifting action the same request is cut at the limits.
  c.SetMouseAction(mactNone);
  c.ForceRange(1, -2, 120, 15, 150, false, true);
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), 0);
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 10);
}

TEST(AuditConfinement, PanSnapShiftsBothAxesAndACutToNothingIsRefused) {
  Chart c;
  c.ConfineZoomRange(0, 0, 10, 10);
  c.SetMouseAction(mactPanSnap);
  c.ForceRange(1, 12, 12, 15, 15, false, true);
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), 7);
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 10);
  EXPECT_EQ(c.ScalePropsY(1).RangeLow(), 7);
  EXPECT_EQ(c.ScalePropsY(1).RangeHigh(), 10);
  // Panning in y only: x beyond the limits is cut to 10..10, narrower than MinRange, so x keeps
  // its range while y slides.
  c.SetMouseAction(mactPanY);
  c.ForceRange(1, 12, -4, 15, 2, false, true);
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), 7);
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 10);
  EXPECT_EQ(c.ScalePropsY(1).RangeLow(), 0);
  EXPECT_EQ(c.ScalePropsY(1).RangeHigh(), 6);
}

TEST(AuditConfinement, SettingTheLimitsLeavesTheRangesAndThePicture) {
  Chart c;
  c.repaints = 0;
  c.ConfineZoomRange(2, 2, 3, 3);
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), 0);
  EXPECT_EQ(c.ScalePropsY(1).RangeHigh(), 10);
  EXPECT_EQ(c.repaints, 0);
}

// --- What the zoom history records

TEST(AuditZoomStack, EveryTakenRangeIsPushedEvenAnUnchangedOne) {
  Chart c;
  const int pos = c.StackPos();
  c.SetRange(1, 0, 0, 10, 10);
  EXPECT_EQ(c.PushesSince(pos), 1);
  EXPECT_EQ(c.Latest(1), c.Latest(1, 1));
}

TEST(AuditZoomStack, LayerZeroPushesOnceForEachLayerInTurn) {
  Chart c;
  const int pos = c.StackPos();
  c.SetRange(0, -1, -2, 1, 2);
  EXPECT_EQ(c.PushesSince(pos), 2);
  EXPECT_EQ(c.Latest(1, 1), Entry(-1, 2, 1, -2));
  EXPECT_EQ(c.Latest(2, 1), Entry(0, 10, 10, 0));  // layer 2 not yet set at the first push
  EXPECT_EQ(c.Latest(2), Entry(-1, 2, 1, -2));
}

TEST(AuditZoomStack, LogarithmicBoundsAtTheFloorAreTakenBelowItKept) {
  Chart c;
  c.SetRange(1, 1, 0, 100, 10);
  c.ScalePropsX(1).SetLogarithmic(true);
  c.ScalePropsY(1).SetMinRange(5);
  const int pos = c.StackPos();
  // x: both bounds below the floor; y: narrower than 0.99 * 5. Nothing is taken, nothing pushed.
  c.ForceRange(1, 0, 0, -1, 1, true, false);
  EXPECT_EQ(c.PushesSince(pos), 0);
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), 1);
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 100);
  c.ForceRange(1, 1e-100, 0, 1000, 1, true, false);
  EXPECT_EQ(c.PushesSince(pos), 1);
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), 1e-100);
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 1000);
  c.ForceRange(1, 9e-101, 0, 50, 1, true, false);
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), 1e-100);
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 50);
  EXPECT_EQ(c.PushesSince(pos), 2);
}

// --- The transformation after a failed adjustment

TEST(AuditTransform, ARefusedLogarithmicSwitchLeavesEveryAxisMappedAfterwards) {
  Chart c;
  c.SetRange(2, 0, -1, 10, 10);
  c.ScalePropsY(2).SetNotYetLoaded(true);
  EXPECT_THROW(c.ScalePropsY(2).SetLogarithmic(true), EKIVRChartError);
  EXPECT_NO_THROW(c.SetMarginLeft(60));
  double kx, dx, ky, dy;
  c.GetTransformParams(1, kx, dx, ky, dy);
  EXPECT_DOUBLE_EQ(kx, 21);  // (280 - 60 - 10) / 10
  EXPECT_DOUBLE_EQ(dx, 60);
  c.GetTransformParams(2, kx, dx, ky, dy);
  EXPECT_DOUBLE_EQ(kx, 21);
  EXPECT_DOUBLE_EQ(dx, 60);
  EXPECT_DOUBLE_EQ(ky, -152.0 / 11);  // y of layer 2 linear over -1..10
}

// --- The isometric mode

TEST(AuditIsometric, SwitchingOnRecentresBothLayersAndPushesOnce) {
  Chart c;
  c.SetRange(2, 0, 0, 20, 10);
  const int pos = c.StackPos();
  c.SetIsometric(true);
  EXPECT_EQ(c.PushesSince(pos), 1);
  const double half1 = 10.0 * 153 / 221 / 2, half2 = 20.0 * 153 / 221 / 2;
  EXPECT_DOUBLE_EQ(c.ScalePropsY(1).RangeHigh(), 5 + half1);
  EXPECT_DOUBLE_EQ(c.ScalePropsY(2).RangeLow(), 5 - half2);
  EXPECT_DOUBLE_EQ(c.ScalePropsY(2).RangeHigh(), 5 + half2);
  EXPECT_DOUBLE_EQ(c.Latest(2).Bottom, 5 - half2);
  EXPECT_EQ(c.ScalePropsX(2).RangeHigh(), 20);  // x never moves
}

TEST(AuditIsometric, MarginSettersRecentreTheShadowWidthDoesNot) {
  Chart c;
  c.SetIsometric(true);
  const int pos = c.StackPos();
  c.SetMarginLeft(60);  // data area 211 x 153
  EXPECT_DOUBLE_EQ(c.ScalePropsY(1).RangeLow(), 5 - 10.0 * 153 / 211 / 2);
  EXPECT_DOUBLE_EQ(c.ScalePropsY(1).RangeHigh(), 5 + 10.0 * 153 / 211 / 2);
  c.SetMarginBottom(42);  // data area 211 x 143
  EXPECT_DOUBLE_EQ(c.ScalePropsY(2).RangeHigh(), 5 + 10.0 * 143 / 211 / 2);
  // The shadow width keeps the ranges as they are (a deliberate difference to the margins).
  c.SetShadowWidth(4);
  EXPECT_DOUBLE_EQ(c.ScalePropsY(2).RangeHigh(), 5 + 10.0 * 143 / 211 / 2);
  EXPECT_EQ(c.PushesSince(pos), 0);  // margins never record history
}

TEST(AuditIsometric, EqualBoundsAreWidenedBeforeYIsRecentred) {
  Chart c;
  c.ScalePropsX(1).SetMinRange(2);
  c.SetIsometric(true);
  c.SetRange(1, 5, 0, 5, 4);
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), 4);
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 6);
  EXPECT_DOUBLE_EQ(c.ScalePropsY(1).RangeLow(), 2 - 2.0 * 153 / 221 / 2);
  EXPECT_DOUBLE_EQ(c.ScalePropsY(1).RangeHigh(), 2 + 2.0 * 153 / 221 / 2);
}

TEST(AuditIsometric, EqualRangesAreRecentredByTheUnitedX) {
  Chart c;
  c.SetRange(1, 0, 0, 4, 2);
  c.SetRange(2, 2, 6, 8, 8);
  c.SetIsometric(true);
  c.SetEqualRangeXOnly({1, 2});  // x 0..8 for both; each keeps its own y centre
  const double half = 8.0 * 153 / 221 / 2;
  EXPECT_DOUBLE_EQ(c.ScalePropsY(1).RangeHigh(), 1 + half);
  EXPECT_DOUBLE_EQ(c.ScalePropsY(2).RangeLow(), 7 - half);
}

// --- Equal ranges

TEST(AuditEqualRanges, TheUnionTakesLowsAndHighsLiterally) {
  Chart c;
  c.SetRange(1, 10, 0, 0, 10);  // x reversed
  c.SetRange(2, 2, -3, 8, 1);
  const int pos = c.StackPos();
  c.SetEqualRangeXOnly({1, 2});  // lows: 10 and 2, highs: 0 and 8
  EXPECT_EQ(c.PushesSince(pos), 2);
  for (int L = 1; L <= 2; ++L) {
    EXPECT_EQ(c.ScalePropsX(L).RangeLow(), 2);
    EXPECT_EQ(c.ScalePropsX(L).RangeHigh(), 8);
  }
  EXPECT_EQ(c.ScalePropsY(2).RangeLow(), -3);  // y kept per layer
  c.SetEqualRangeYOnly({1, 2});
  for (int L = 1; L <= 2; ++L) {
    EXPECT_EQ(c.ScalePropsY(L).RangeLow(), -3);
    EXPECT_EQ(c.ScalePropsY(L).RangeHigh(), 10);
  }
}

TEST(AuditEqualRanges, OneListedLayerIsSetToItsOwnRanges) {
  Chart c;
  c.SetRange(2, 1, 2, 3, 4);
  const int pos = c.StackPos();
  c.SetEqualRange({2});
  EXPECT_EQ(c.PushesSince(pos), 1);
  EXPECT_EQ(c.Latest(2), Entry(1, 4, 3, 2));
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 10);
}

// --- Scale hit bands

TEST(AuditDetectScale, RightAndTopBandsFollowTheirOffsets) {
  Chart c;
  c.Scale2X().SetVisible(true);
  c.Scale2Y().SetVisible(true);
  c.Scale2X().SetScaleLocation(slTop);
  c.Scale2Y().SetScaleLocation(slRight);
  // Right: 270 < x < 320 beside the rows 16 < y < 168; the shadow does not move the band.
  c.SetShadowWidth(10);
  EXPECT_EQ(c.DetectScale(270, 100), 0);
  EXPECT_EQ(c.DetectScale(271, 100), 2);
  EXPECT_EQ(c.DetectScale(319, 100), 2);
  EXPECT_EQ(c.DetectScale(320, 100), 0);
  EXPECT_EQ(c.DetectScale(300, 168), 0);
  EXPECT_EQ(c.DetectScale(300, 167), 2);
  c.Scale2Y().SetScalePos(5);
  EXPECT_EQ(c.DetectScale(275, 100), 0);
  EXPECT_EQ(c.DetectScale(276, 100), 2);
  // Top: -24 < y < 16 above the columns 50 < x < 270.
  EXPECT_EQ(c.DetectScale(100, 15), -2);
  EXPECT_EQ(c.DetectScale(100, 16), 0);
  EXPECT_EQ(c.DetectScale(100, -23), -2);
  EXPECT_EQ(c.DetectScale(100, -24), 0);
  EXPECT_EQ(c.DetectScale(270, 10), 0);
  c.Scale2X().SetScalePos(4);  // -28 < y < 12
  EXPECT_EQ(c.DetectScale(100, 12), 0);
  EXPECT_EQ(c.DetectScale(100, 11), -2);
  EXPECT_EQ(c.DetectScale(100, -27), -2);
}

TEST(AuditDetectScale, YScalesWinOverXScalesAndLayerOneOverLayerTwo) {
  Chart c;
  c.Scale1X().SetVisible(true);
  c.Scale1Y().SetVisible(true);
  c.Scale1X().SetScalePos(-30);  // bottom band 138 < y < 178
  c.Scale1Y().SetScalePos(-20);  // left band 20 < x < 70
  EXPECT_EQ(c.DetectScale(60, 150), 1);
  EXPECT_EQ(c.DetectScale(100, 150), -1);
  c.Scale2Y().SetVisible(true);
  c.Scale2Y().SetScaleLocation(slLeft);  // left band 0 < x < 50
  EXPECT_EQ(c.DetectScale(30, 100), 1);
  c.Scale1Y().SetVisible(false);
  EXPECT_EQ(c.DetectScale(30, 100), 2);
}

// --- The label pool

TEST(AuditLabelPool, AFreeTemplateStillGivesItsLook) {
  Chart c;
  TTextLabel& t = c.TextLabels(5);  // free, but dressed
  t.SetAttachToData(taNone);
  t.SetColorBkg(clAqua);
  t.SetColorBorder(clPurple);
  t.SetShadowDx(6);
  ASSERT_EQ(c.AddTextLabel(10, 20, clRed, "from a free template", 5), 1);
  const TTextLabel& L = c.TextLabels(1);
  EXPECT_EQ(L.Mode(), tlmPlain);
  EXPECT_EQ(L.AttachToData(), taNone);
  EXPECT_EQ(L.ColorBkg(), clAqua);
  EXPECT_EQ(L.ColorBorder(), clPurple);
  EXPECT_EQ(L.ShadowDx(), 6);
}

TEST(AuditLabelPool, ALabelCanBeItsOwnTemplate) {
  Chart c;
  TTextLabel& t = c.TextLabels(3);
  t.SetMode(tlmUnderlined);
  t.SetColorBkg(clYellow);
  t.SetShadowDy(4);
  t.SetTransparent(true);
  t.SetVisible(false);
  c.SetActiveLayer(2);
  c.SetTextLabel(3, 1.5, 2.5, clBlue, "again", 3);
  EXPECT_EQ(t.Mode(), tlmUnderlined);
  EXPECT_EQ(t.ColorBkg(), clYellow);
  EXPECT_EQ(t.ShadowDy(), 4);
  EXPECT_TRUE(t.Transparent());
  EXPECT_TRUE(t.Visible());
  EXPECT_EQ(t.Layer(), 2);
  EXPECT_EQ(t.PosX(), 1.5);
  EXPECT_EQ(t.Caption(), "again");
  EXPECT_EQ(t.Font().Color(), clBlue);
  // The first free label used as its own template: its colours, a plain look.
  c.TextLabels(1).SetColorBorder(clLime);
  ASSERT_EQ(c.AddTextLabel(0, 0, clBlack, "self", 1), 1);
  EXPECT_EQ(c.TextLabels(1).ColorBorder(), clLime);
  EXPECT_EQ(c.TextLabels(1).Mode(), tlmPlain);
}

TEST(AuditLabelPool, ClearingFreesWithoutHidingAndSuppressedChartsStayQuiet) {
  Chart c;
  c.AddTextLabel(0, 0, clBlack, "a");
  c.ClearAllTextLabels();
  EXPECT_EQ(c.TextLabels(1).Mode(), tlmNone);
  EXPECT_TRUE(c.TextLabels(1).Visible());
  EXPECT_EQ(c.TextLabels(1).Caption(), "a");
  c.SetSuppressPaint(true);
  c.repaints = 0;
  c.AddTextLabel(0, 0, clBlack, "b");
  c.HideAllTextLabels();
  c.ClearAllTextLabels();
  EXPECT_EQ(c.repaints, 0);
  EXPECT_TRUE(c.SuppressPaint());
}

TEST(AuditLabelPool, WritingALabelCopiesItsSettingsIntoThePoolsObject) {
  Chart c;
  TTextLabel src;
  src.SetCaption("copied");
  src.SetMode(tlmFramed);
  src.SetPosX(12);
  src.SetLayer(2);
  src.SetVisible(true);
  TTextLabel* const own = &c.TextLabels(7);
  c.SetTextLabels(7, src);
  EXPECT_EQ(&c.TextLabels(7), own);
  EXPECT_EQ(own->Caption(), "copied");
  EXPECT_EQ(own->Mode(), tlmFramed);
  EXPECT_EQ(own->PosX(), 12);
  EXPECT_EQ(own->Layer(), 2);
  // The pool's label keeps its connection to the chart.
  c.repaints = 0;
  own->SetCaption("changed");
  EXPECT_EQ(c.repaints, 1);
  EXPECT_EQ(src.Caption(), "copied");
  // The first free label is now 1; label 7 is in use.
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(c.AddTextLabel(0, 0, clBlack, "x"), i);
  EXPECT_EQ(c.AddTextLabel(0, 0, clBlack, "x"), 8);
  EXPECT_EQ(Message([&] { c.SetTextLabels(31, src); }),
            "Component \"\": invalid index into TextLabel array");
}

// --- Background settings

TEST(AuditBackground, EverySetterNotifiesAndACopyKeepsItsOwnNotification) {
  TBakGndImg a, b;
  int changes_a = 0, changes_b = 0;
  a.OnChange = [&](TObject*) { ++changes_a; };
  b.OnChange = [&](TObject*) { ++changes_b; };
  a.SetFillMode(bfTiled);
  a.SetAreaMode(bamRect);
  a.SetAreaColor(clRed);
  a.SetAreaLeft(-2);
  a.SetAreaRight(3);
  a.SetAreaTop(4);
  a.SetAreaBottom(-5);
  a.SetIncludePath(true);
  a.SetName("/pics/sky.png");
  EXPECT_EQ(changes_a, 9);
  changes_a = 0;
  b.Assign(a);
  EXPECT_EQ(changes_a, 0);
  EXPECT_EQ(b.Name(), "/pics/sky.png");
  EXPECT_TRUE(b.IncludePath());
  EXPECT_EQ(b.FillMode(), bfTiled);
  EXPECT_EQ(b.AreaColor(), clRed);
  EXPECT_EQ(b.AreaRight(), 3);
  changes_b = 0;
  b.SetIncludePath(false);
  EXPECT_EQ(b.Name(), "sky.png");
  EXPECT_EQ(changes_b, 1);
  EXPECT_EQ(a.Name(), "/pics/sky.png");
  b.SetIncludePath(true);  // the cut path does not come back
  EXPECT_EQ(b.Name(), "sky.png");
}

TEST(AuditBackground, TheChartCopiesAndResetsItsBackground) {
  Chart c;
  TBakGndImg settings;
  settings.SetIncludePath(true);
  settings.SetName("/pics/sky.png");
  settings.SetAreaMode(bamHStripe);
  c.SetBackGroundImg(settings);
  EXPECT_EQ(c.BackGroundImg().Name(), "/pics/sky.png");
  EXPECT_EQ(c.BackGroundImg().AreaMode(), bamHStripe);
  c.repaints = 0;
  c.BackGroundImg().SetAreaColor(clBlue);  // still connected to the chart
  EXPECT_EQ(c.repaints, 1);
  c.ResetComp();
  EXPECT_EQ(c.BackGroundImg().Name(), "");
  EXPECT_FALSE(c.BackGroundImg().IncludePath());
  EXPECT_EQ(c.BackGroundImg().AreaMode(), bamNone);
}

}  // namespace
}  // namespace kiv
