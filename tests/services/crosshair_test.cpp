// Crosshair settings: defaults, one change notification per setter, SetPos, Assign.
#include "services/crosshair.h"

#include <gtest/gtest.h>

#include "change_util.h"

namespace kiv {
namespace {

using testing::ChangeCounter;

TEST(CrossHair, StartsOffAsARedDashDotDotLine) {
  TCrossHair ch;
  EXPECT_EQ(ch.Mode(), chOff);
  EXPECT_EQ(ch.Color(), clRed);
  EXPECT_EQ(ch.LineType(), psDashDotDot);
  EXPECT_EQ(ch.LineWid(), 1);
  EXPECT_EQ(ch.Layer(), 1);
  EXPECT_EQ(ch.PosX(), 0);
  EXPECT_EQ(ch.PosY(), 0);
}

TEST(CrossHair, EachSetterNotifiesOnce) {
  TCrossHair ch;
  ChangeCounter changes(ch);
  ch.SetColor(clBlue);
  ch.SetLayer(2);
  ch.SetLineType(psDot);
  ch.SetLineWid(3);
  ch.SetMode(chCrossBox);
  ch.SetPosX(1.25);
  ch.SetPosY(-7.5);
  EXPECT_EQ(changes.count, 7);
  EXPECT_EQ(changes.last_sender, &ch);
  EXPECT_EQ(ch.Color(), clBlue);
  EXPECT_EQ(ch.Layer(), 2);
  EXPECT_EQ(ch.LineType(), psDot);
  EXPECT_EQ(ch.LineWid(), 3);
  EXPECT_EQ(ch.Mode(), chCrossBox);
  EXPECT_EQ(ch.PosX(), 1.25);
  EXPECT_EQ(ch.PosY(), -7.5);
}

TEST(CrossHair, SetPosMovesBothCoordinatesWithOneNotification) {
  TCrossHair ch;
  double seen_x = 0, seen_y = 0;
  int changes = 0;
  ch.OnChange = [&](TObject*) {
    ++changes;
    seen_x = ch.PosX();
    seen_y = ch.PosY();
  };
  ch.SetPos(4, 5);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(seen_x, 4);  // the handler already sees both new coordinates
  EXPECT_EQ(seen_y, 5);
}

TEST(CrossHair, InvalidValuesAreLimitedOrIgnored) {
  TCrossHair ch;
  ch.SetLineWid(0);
  EXPECT_EQ(ch.LineWid(), 1);
  ch.SetLineWid(-5);
  EXPECT_EQ(ch.LineWid(), 1);
  ch.SetMode(static_cast<TCrossHMode>(6));
  EXPECT_EQ(ch.Mode(), chOff);
  ch.SetLineType(static_cast<TPenStyle>(40));
  EXPECT_EQ(ch.LineType(), psDashDotDot);
}

TEST(CrossHair, AssignCopiesEverySettingButNotTheHandler) {
  TCrossHair src;
  int src_changes = 0;
  src.OnChange = [&](TObject*) { ++src_changes; };
  src.SetColor(clLime);
  src.SetLayer(2);
  src.SetLineType(psSolid);
  src.SetLineWid(4);
  src.SetMode(chBox);
  src.SetPos(-1, 2);

  TCrossHair dst;
  ChangeCounter changes(dst);
  dst.Assign(src);
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(dst.Color(), clLime);
  EXPECT_EQ(dst.Layer(), 2);
  EXPECT_EQ(dst.LineType(), psSolid);
  EXPECT_EQ(dst.LineWid(), 4);
  EXPECT_EQ(dst.Mode(), chBox);
  EXPECT_EQ(dst.PosX(), -1);
  EXPECT_EQ(dst.PosY(), 2);
  const int before = src_changes;
  dst.SetPosX(0);
  EXPECT_EQ(src_changes, before);
}

}  // namespace
}  // namespace kiv
