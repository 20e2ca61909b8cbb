// Text label settings: defaults, one change notification per setter, the owned font, Assign.
#include "services/textlabel.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "change_util.h"
#include "platform/errors.h"
#include "services/crosshair.h"

namespace kiv {
namespace {

using testing::ChangeCounter;

TEST(TextLabel, StartsAsAFreeInvisibleSlotWithChartDefaults) {
  TCustomTextLabel l;
  EXPECT_EQ(l.Mode(), tlmNone);
  EXPECT_FALSE(l.Visible());
  EXPECT_EQ(l.Caption(), "");
  EXPECT_EQ(l.AttachToData(), taXY);
  EXPECT_EQ(l.Layer(), 1);
  EXPECT_EQ(l.Alignment(), taCenter);
  EXPECT_EQ(l.VerticalAlignment(), vaBottom);
  EXPECT_EQ(l.ColorBkg(), clWhite);
  EXPECT_EQ(l.ColorBorder(), clBlack);
  EXPECT_EQ(l.ColorShadow(), 8421504);
  EXPECT_EQ(l.ShadowDx(), 3);
  EXPECT_EQ(l.ShadowDy(), 3);
  EXPECT_FALSE(l.Transparent());
}

TEST(TextLabel, EverySetterStoresItsValueAndNotifiesOnce) {
  TCustomTextLabel l;
  ChangeCounter changes(l);
  const std::vector<std::function<void()>> setters = {
      [&] { l.SetCaption("Peak\nA"); },
      [&] { l.SetPosX(1.5); },
      [&] { l.SetPosY(-2.25); },
      [&] { l.SetAttachToData(taX); },
      [&] { l.SetLayer(2); },
      [&] { l.SetMode(tlmShadowed); },
      [&] { l.SetAlignment(taRightJustify); },
      [&] { l.SetVerticalAlignment(vaCenter); },
      [&] { l.SetColorBkg(clYellow); },
      [&] { l.SetColorBorder(clRed); },
      [&] { l.SetColorShadow(clSilver); },
      [&] { l.SetShadowDx(5); },
      [&] { l.SetShadowDy(-4); },
      [&] { l.SetTransparent(true); },
      [&] { l.SetVisible(true); },
  };
  for (std::size_t i = 0; i < setters.size(); ++i) {
    setters[i]();
    EXPECT_EQ(changes.count, static_cast<int>(i) + 1) << "setter " << i;
  }
  EXPECT_EQ(changes.last_sender, &l);
  EXPECT_EQ(l.Caption(), "Peak\nA");
  EXPECT_EQ(l.PosX(), 1.5);
  EXPECT_EQ(l.PosY(), -2.25);
  EXPECT_EQ(l.AttachToData(), taX);
  EXPECT_EQ(l.Layer(), 2);
  EXPECT_EQ(l.Mode(), tlmShadowed);
  EXPECT_EQ(l.Alignment(), taRightJustify);
  EXPECT_EQ(l.VerticalAlignment(), vaCenter);
  EXPECT_EQ(l.ColorBkg(), clYellow);
  EXPECT_EQ(l.ColorBorder(), clRed);
  EXPECT_EQ(l.ColorShadow(), clSilver);
  EXPECT_EQ(l.ShadowDx(), 5);
  EXPECT_EQ(l.ShadowDy(), -4);
  EXPECT_TRUE(l.Transparent());
  EXPECT_TRUE(l.Visible());

  // Storing the same value again is a change request too.
  l.SetVisible(true);
  EXPECT_EQ(changes.count, static_cast<int>(setters.size()) + 1);
}

TEST(TextLabel, FontChangesAreReportedOncePerChange) {
  TCustomTextLabel l;
  ChangeCounter changes(l);
  l.Font().SetSize(14);
  EXPECT_EQ(changes.count, 1);

  TFont f;
  f.SetName("Courier New");
  f.SetColor(clGreen);
  l.SetFont(f);
  EXPECT_EQ(changes.count, 2);
  EXPECT_EQ(l.Font().Name(), "Courier New");
  EXPECT_EQ(l.Font().Color(), clGreen);
}

TEST(TextLabel, UpdateBracketReportsOnceAtTheEnd) {
  TCustomTextLabel l;
  ChangeCounter changes(l);
  l.BeginUpdate();
  l.SetPosX(1);
  l.SetPosY(2);
  l.Font().SetSize(20);
  EXPECT_EQ(changes.count, 0);
  l.EndUpdate();
  EXPECT_EQ(changes.count, 1);
  l.EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(changes.count, 1);
}

TEST(TextLabel, OutOfRangeEnumerationValuesAreIgnored) {
  TCustomTextLabel l;
  ChangeCounter changes(l);
  l.SetMode(static_cast<TTxtLblMode>(9));
  l.SetAttachToData(static_cast<TTxtLblAttachMode>(4));
  l.SetAlignment(static_cast<TAlignment>(3));
  l.SetVerticalAlignment(static_cast<TVerticalAlignment>(200));
  EXPECT_EQ(changes.count, 0);
  EXPECT_EQ(l.Mode(), tlmNone);
  EXPECT_EQ(l.AttachToData(), taXY);
  EXPECT_EQ(l.Alignment(), taCenter);
  EXPECT_EQ(l.VerticalAlignment(), vaBottom);
}

TEST(TextLabel, AssignCopiesEverySettingButNotTheHandler) {
  TCustomTextLabel src;
  int src_changes = 0;
  src.OnChange = [&](TObject*) { ++src_changes; };
  src.SetCaption("Max");
  src.Font().SetSize(11);
  src.Font().SetColor(clRed);
  src.SetPosX(3);
  src.SetPosY(4);
  src.SetAttachToData(taNone);
  src.SetLayer(2);
  src.SetMode(tlmFramed);
  src.SetAlignment(taLeftJustify);
  src.SetVerticalAlignment(vaTop);
  src.SetColorBkg(clAqua);
  src.SetColorBorder(clNavy);
  src.SetColorShadow(clMaroon);
  src.SetShadowDx(7);
  src.SetShadowDy(8);
  src.SetTransparent(true);
  src.SetVisible(true);
  const int src_changes_before = src_changes;

  TCustomTextLabel dst;
  ChangeCounter changes(dst);
  dst.Assign(src);
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(src_changes, src_changes_before);
  EXPECT_EQ(dst.Caption(), "Max");
  EXPECT_EQ(dst.Font().Size(), 11);
  EXPECT_EQ(dst.Font().Color(), clRed);
  EXPECT_EQ(dst.PosX(), 3);
  EXPECT_EQ(dst.PosY(), 4);
  EXPECT_EQ(dst.AttachToData(), taNone);
  EXPECT_EQ(dst.Layer(), 2);
  EXPECT_EQ(dst.Mode(), tlmFramed);
  EXPECT_EQ(dst.Alignment(), taLeftJustify);
  EXPECT_EQ(dst.VerticalAlignment(), vaTop);
  EXPECT_EQ(dst.ColorBkg(), clAqua);
  EXPECT_EQ(dst.ColorBorder(), clNavy);
  EXPECT_EQ(dst.ColorShadow(), clMaroon);
  EXPECT_EQ(dst.ShadowDx(), 7);
  EXPECT_EQ(dst.ShadowDy(), 8);
  EXPECT_TRUE(dst.Transparent());
  EXPECT_TRUE(dst.Visible());

  // The copy keeps its own handler: later changes reach the destination's owner only.
  dst.SetPosX(10);
  EXPECT_EQ(changes.count, 2);
  EXPECT_EQ(src_changes, src_changes_before);
  // The copied font is independent and still reports to the destination.
  dst.Font().SetSize(30);
  EXPECT_EQ(changes.count, 3);
  EXPECT_EQ(src.Font().Size(), 11);
}

TEST(TextLabel, AssignFromAnUnrelatedObjectRaises) {
  TCustomTextLabel l;
  TCrossHair ch;
  EXPECT_THROW(l.Assign(ch), EKIVError);
  EXPECT_THROW(ch.Assign(l), EKIVError);
}

}  // namespace
}  // namespace kiv
