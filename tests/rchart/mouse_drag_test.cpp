// Crosshairs placed by program and dragged with the mouse, and text labels dragged with it.
#include "mouse_fixture.h"

namespace kiv {
namespace {

using Log = std::vector<std::string>;

class CrossHairs : public MouseTest {
 protected:
  void SetUp() override {
    MouseTest::SetUp();
    chart.OnDataRendered = [this](TObject*, TCanvas&, int, int) { ++items_drawn; };
    chart.CrossHairSetup(1, clRed, chHoriz, psSolid, 1);
    chart.CrossHairSetup(2, clBlue, chVert, psSolid, 1);
    chart.CrossHair2().SetLayer(1);
    chart.CrossHairSetPos(1, 0, 7);  // row 104
    chart.CrossHairSetPos(2, 5, 0);  // column 300
    auto name = [this](TCrossHair& ch) {
      return std::to_string(&ch == &chart.CrossHair1() ? 1 : &ch == &chart.CrossHair2() ? 2 : 0);
    };
    chart.OnBeforeCrossHairMove = [=, this](TObject*, TCrossHair& ch, int dx, int dy, bool& ok) {
      log.push_back("before " + name(ch) + " " + std::to_string(dx) + " " + std::to_string(dy));
      ok = allow;
    };
    chart.OnCrossHairMove = [=, this](TObject*, TCrossHair& ch) {
      log.push_back("move " + name(ch));
    };
  }
  TBitmap Fresh() {
    TBitmap b;
    chart.CopyToBitmap(b, false, true);
    return b;
  }
  int items_drawn = 0;
  bool allow = true;
};

// Placing crosshairs draws only the overlay: the items are not drawn again, and the screen shows
// what a fresh picture with crosshairs shows.
TEST_F(CrossHairs, MovingACrossHairRedrawsOnlyTheOverlay) {
  const int before = items_drawn;
  chart.CrossHairSetPos(1, 0, 3);
  chart.SetCrossHairPosX(2, 8);
  chart.CrossHairSetup(3, clGreen, chCrossBox, psDot, 1);
  chart.CrossHairSetPos(3, 4, 4);
  EXPECT_EQ(items_drawn, before);
  const TBitmap shown = Shown();
  EXPECT_TRUE(SamePicture(Fresh(), shown));
  EXPECT_EQ(shown.ScanLine(216)[200], 0xFFFF0000u);  // crosshair 1 at y = 3 across
  EXPECT_EQ(chart.CrossHairPosX(2), 8);
  chart.CrossHairSetPos(5, 1, 1);  // no such crosshair
  EXPECT_EQ(chart.CrossHairPosX(5), 0);
  EXPECT_TRUE(SamePicture(shown, Shown()));
}

// The press picks the crosshair whose line is nearest across it (crosshair 2's column is 10
// pixels away, crosshair 1's row 46); it jumps to the pointer and follows it.
TEST_F(CrossHairs, ADragTakesTheNearestCrossHair) {
  chart.SetMouseAction(mactDragCrosshair);
  const int before = items_drawn;
  Drag(290, 150, 310, 160);
  EXPECT_EQ(log, (Log{"before 2 -10 -150", "move 2", "move 2"}));
  EXPECT_DOUBLE_EQ(chart.CrossHairPosX(2), 5.2);
  EXPECT_DOUBLE_EQ(chart.CrossHairPosY(2), 5);
  EXPECT_EQ(chart.CrossHairPosY(1), 7);
  EXPECT_EQ(items_drawn, before);
  EXPECT_TRUE(SamePicture(Fresh(), Shown()));
}

TEST_F(CrossHairs, AVetoedDragLeavesTheCrossHairAndAsksAgain) {
  chart.SetMouseAction(mactDragCrosshair);
  allow = false;
  Drag(100, 110, 120, 140);
  EXPECT_EQ(log, (Log{"before 1 50 6", "before 1 70 36"}));  // pointer minus crosshair
  EXPECT_EQ(chart.CrossHairPosY(1), 7);
}

// The label nearest to the press follows the moves after it, in the units its attachment names.
TEST_F(MouseTest, ADragMovesTheNearestVisibleLabel) {
  chart.OnTextLabelMove = [this](TObject*, TTextLabel& L) { log.push_back(L.Caption()); };
  chart.AddTextLabel(2.0, 5.0, clBlack, "world");
  chart.AddTextLabel(400, 250, clBlack, "pixel");
  chart.TextLabels(2).SetAttachToData(taNone);
  chart.AddTextLabel(9.0, 2.0, clBlack, "hidden");
  chart.TextLabels(3).SetVisible(false);
  chart.SetMouseAction(mactDragLabel);
  Drag(430, 300, 420, 260);  // (9, 2) is nearest, but hidden
  Drag(150, 160, 200, 188);
  EXPECT_EQ(log, (Log{"pixel", "world"}));
  EXPECT_EQ(chart.TextLabels(2).PosX(), 420);
  EXPECT_EQ(chart.TextLabels(2).PosY(), 260);
  EXPECT_EQ(chart.TextLabels(1).PosX(), 3);
  EXPECT_EQ(chart.TextLabels(1).PosY(), 4);
  TBitmap fresh;
  chart.CopyToBitmap(fresh, false);
  EXPECT_TRUE(SamePicture(fresh, Shown()));
}

}  // namespace
}  // namespace kiv
