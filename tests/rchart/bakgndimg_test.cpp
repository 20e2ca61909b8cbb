// Background settings of the data area.
#include "rchart/bakgndimg.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(BakGndImg, NameKeepsItsPathOnlyWhenAsked) {
  TBakGndImg b;
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  b.SetName("/data/maps/grid.png");
  EXPECT_EQ(b.Name(), "grid.png");
  b.SetIncludePath(true);
  b.SetName("/data/maps/grid.png");
  EXPECT_EQ(b.Name(), "/data/maps/grid.png");
  b.SetIncludePath(false);
  EXPECT_EQ(b.Name(), "grid.png");
  b.SetName("C:\\pictures\\bg.bmp");
  EXPECT_EQ(b.Name(), "bg.bmp");
  EXPECT_EQ(changes, 5);
}

TEST(BakGndImg, DefaultsAndCopy) {
  TBakGndImg a, b;
  EXPECT_EQ(a.FillMode(), bfStretched);
  EXPECT_EQ(a.AreaMode(), bamNone);
  EXPECT_EQ(a.AreaColor(), 0xDDDDDD);
  EXPECT_EQ(a.AreaLeft(), -1);
  EXPECT_EQ(a.AreaTop(), 1);
  a.SetAreaMode(bamHStripeInv);
  a.SetAreaBottom(-3);
  b.Assign(a);
  EXPECT_EQ(b.AreaMode(), bamHStripeInv);
  EXPECT_EQ(b.AreaBottom(), -3);
}

}  // namespace
}  // namespace kiv
