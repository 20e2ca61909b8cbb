#include <gtest/gtest.h>

#include "control_probe.h"
#include "platform/forms.h"
#include "platform/offscreen_host.h"

namespace kiv {
namespace {

using test::TProbe;

class Cursors : public ::testing::Test {
 protected:
  void SetUp() override {
    Application().SetHost(&host);
    form.SetBounds(0, 0, 200, 100);
    host.Show(form);
  }
  void TearDown() override { Screen().SetCursor(crDefault); }
  TOffscreenHost host;
  TForm form{nullptr};
  TProbe chart{nullptr, &form, Bounds(50, 20, 100, 60)};
};

TEST_F(Cursors, TheShapeFollowsTheControlUnderThePointer) {
  chart.SetCursor(crCross);
  host.MouseMove(10, 10);
  EXPECT_EQ(host.CurrentCursor(), crArrow);  // the form keeps crDefault
  host.MouseMove(60, 30);
  EXPECT_EQ(host.CurrentCursor(), crCross);
  chart.SetCursor(crHandPoint);  // changes while the pointer is over it
  EXPECT_EQ(host.CurrentCursor(), crHandPoint);
}

TEST_F(Cursors, ScreenCursorOverridesEveryControl) {
  chart.SetCursor(crCross);
  host.MouseMove(60, 30);
  Screen().SetCursor(crHourGlass);
  EXPECT_EQ(host.CurrentCursor(), crHourGlass);
  host.MouseMove(10, 10);
  EXPECT_EQ(host.CurrentCursor(), crHourGlass);
  Screen().SetCursor(crDefault);
  EXPECT_EQ(host.CurrentCursor(), crArrow);
}

TEST_F(Cursors, TheDraggedControlKeepsItsShapeOutsideItsBounds) {
  chart.SetCursor(crSizeWE);
  host.MouseDown(mbLeft, 60, 30);
  host.MouseMove(5, 5);
  EXPECT_EQ(host.CurrentCursor(), crSizeWE);
  host.MouseUp(mbLeft, 5, 5);
  EXPECT_EQ(host.CurrentCursor(), crArrow);
}

TEST(CursorTable, ComponentsRegisterTheirOwnShapes) {
  const TCursorImage hand = TCursorImage::FromPattern({" XX ", "X..X", " XX "}, Point(1, 1));
  EXPECT_EQ(hand.Width(), 4);
  EXPECT_EQ(hand.Pixel(0, 1), 0xFF000000u);
  EXPECT_EQ(hand.Pixel(1, 1), 0xFFFFFFFFu);
  EXPECT_EQ(hand.Pixel(0, 0), 0u);
  Screen().SetCursors(1, hand);
  EXPECT_TRUE(Screen().HasCursor(1));
  EXPECT_EQ(Screen().Cursors(1), hand);
  EXPECT_EQ(Screen().Cursors(77), StandardCursorImage(crArrow));  // not registered
}

TEST(CursorTable, StandardShapesHaveDistinctImagesWithTheHotSpotInside) {
  const TCursor standard[] = {crArrow,    crCross,  crIBeam,     crSizeNESW,  crSizeNS,
                              crSizeNWSE, crSizeWE, crUpArrow,   crHourGlass, crNo,
                              crHSplit,   crVSplit, crHandPoint, crSizeAll};
  std::vector<TCursorImage> seen;
  for (TCursor c : standard) {
    const TCursorImage img = Screen().Cursors(c);
    ASSERT_FALSE(img.Empty()) << c;
    EXPECT_TRUE(Rect(0, 0, img.Width(), img.Height()).Contains(img.HotSpot())) << c;
    EXPECT_EQ(std::count(seen.begin(), seen.end(), img), 0) << c;
    seen.push_back(img);
  }
  EXPECT_TRUE(Screen().Cursors(crNone).Empty());
}

TEST(DeviceCaps, ScreenPixelsAreSquareAt96Dpi) {
  TBitmap aux(10, 10);
  EXPECT_EQ(GetDeviceCaps(aux.Canvas(), ASPECTX), 36);
  EXPECT_EQ(GetDeviceCaps(aux.Canvas(), ASPECTY), 36);
  EXPECT_EQ(GetDeviceCaps(aux.Canvas(), LOGPIXELSX), 96);
  EXPECT_EQ(Screen().PixelsPerInch(), 96);
  EXPECT_EQ(Screen().Width(), 1920);
}

}  // namespace
}  // namespace kiv
