#include <gtest/gtest.h>

#include "control_probe.h"
#include "platform/canvas.h"
#include "platform/errors.h"
#include "platform/forms.h"
#include "platform/offscreen_host.h"

namespace kiv {
namespace {

using test::TProbe;

TEST(Painting, WithoutAWindowNothingPaints) {
  TProbe c(nullptr, nullptr, Bounds(0, 0, 20, 20));
  c.Invalidate();
  c.Repaint();
  EXPECT_FALSE(c.HandleAllocated());
  EXPECT_EQ(c.PaintCalls, 0);
  EXPECT_EQ(c.CreateWndCount, 0);
}

TEST(Painting, ShowCreatesEachWindowOnceAndPaintsIt) {
  TOffscreenHost host;
  TForm form(nullptr);
  TProbe chart(nullptr, &form, Bounds(10, 10, 100, 50));
  host.Show(form);
  host.Show(form);
  EXPECT_TRUE(chart.HandleAllocated());
  EXPECT_EQ(chart.CreateWndCount, 1);
  EXPECT_EQ(chart.PaintCalls, 1);
  EXPECT_EQ(host.PaintCount(chart), 1);
  EXPECT_EQ(host.PaintCount(form), 1);
}

TEST(Painting, InvalidateTwiceThenProcessMessagesPaintsOnce) {
  TOffscreenHost host;
  TProbe c(nullptr, nullptr, Bounds(0, 0, 30, 30));
  host.Show(c);
  c.Invalidate();
  c.Invalidate();
  EXPECT_EQ(c.PaintCalls, 1);
  host.ProcessMessages();
  EXPECT_EQ(c.PaintCalls, 2);
  host.ProcessMessages();
  EXPECT_EQ(c.PaintCalls, 2);
}

TEST(Painting, RepaintPaintsAtOnce) {
  TOffscreenHost host;
  TProbe c(nullptr, nullptr, Bounds(0, 0, 30, 30));
  host.Show(c);
  c.Repaint();
  EXPECT_EQ(c.PaintCalls, 2);
  host.ProcessMessages();
  EXPECT_EQ(c.PaintCalls, 2);
}

TEST(Painting, HiddenControlsPaintWhenTheyShowAgain) {
  TOffscreenHost host;
  TForm form(nullptr);
  TProbe c(nullptr, &form, Bounds(0, 0, 30, 30));
  host.Show(form);
  c.Hide();
  c.Invalidate();
  host.ProcessMessages();
  EXPECT_EQ(c.PaintCalls, 1);
  c.Show();
  host.ProcessMessages();
  EXPECT_EQ(c.PaintCalls, 2);
}

TEST(Painting, ChildAddedToAShownFormGetsItsWindowAndPaint) {
  TOffscreenHost host;
  TForm form(nullptr);
  host.Show(form);
  TProbe late(nullptr, &form, Bounds(0, 0, 10, 10));
  EXPECT_EQ(late.CreateWndCount, 1);
  host.ProcessMessages();
  EXPECT_EQ(late.PaintCalls, 1);
  late.SetParent(nullptr);
  EXPECT_FALSE(late.HandleAllocated());
}

TEST(Painting, DrawingOutsidePaintIsPresented) {
  TOffscreenHost host;
  TProbe c(nullptr, nullptr, Bounds(0, 0, 30, 30));
  host.Show(c);
  const int before = host.PresentCount(c);
  host.ProcessMessages();
  EXPECT_EQ(host.PresentCount(c), before);  // nothing changed
  c.Canvas().Pen().SetMode(pmXor);
  c.Canvas().MoveTo(0, 0);
  c.Canvas().LineTo(10, 10);  // a rubber band drawn from a mouse handler
  host.ProcessMessages();
  EXPECT_EQ(host.PresentCount(c), before + 1);
  EXPECT_EQ(c.PaintCalls, 1);
}

TEST(Painting, DestroyingTheHostTakesTheWindowsAway) {
  TProbe c(nullptr, nullptr, Bounds(0, 0, 30, 30));
  {
    TOffscreenHost host;
    Application().SetHost(&host);
    host.Show(c);
    EXPECT_TRUE(c.HandleAllocated());
  }
  EXPECT_FALSE(c.HandleAllocated());
  EXPECT_EQ(Application().Host(), nullptr);
  c.Repaint();  // headless again: nothing happens
}

TEST(Painting, ControlsMayDieWhileShown) {
  TOffscreenHost host;
  TForm form(nullptr);
  auto child = std::make_unique<TProbe>(nullptr, &form, Bounds(0, 0, 30, 30));
  host.Show(form);
  host.MouseMove(5, 5);
  child->Invalidate();
  child.reset();
  host.ProcessMessages();
  host.MouseMove(6, 6);
  EXPECT_EQ(host.ControlUnderPointer(), &form);
}

TEST(Painting, AFormMayDieBeforeItsShownChildren) {
  TOffscreenHost host;
  TProbe child(nullptr, nullptr, Bounds(0, 0, 30, 30));
  {
    TForm form(nullptr);
    child.SetParent(&form);
    host.Show(form);
    host.MouseDown(mbLeft, 5, 5);  // the child holds the mouse
  }
  EXPECT_EQ(child.Parent(), nullptr);
  EXPECT_FALSE(child.HandleAllocated());
  EXPECT_TRUE(host.Windows().empty());
  EXPECT_THROW(host.MouseUp(mbLeft, 5, 5), EPlatformError);  // no window left for input
}

TEST(Snapshot, ComposesVisibleChildrenOverTheirParent) {
  TOffscreenHost host;
  TForm form(nullptr);
  form.SetBounds(0, 0, 40, 30);
  form.SetColor(clBlue);
  TProbe red(nullptr, &form, Bounds(5, 5, 10, 10));
  red.SetColor(clRed);
  TProbe green(nullptr, &form, Bounds(30, 20, 20, 20));  // sticks out: clipped
  green.SetColor(clLime);
  TProbe hidden(nullptr, &form, Bounds(0, 0, 4, 4));
  hidden.SetColor(clYellow);
  hidden.Hide();
  host.Show(form);
  const TBitmap shot = host.Snapshot(form);
  ASSERT_EQ(shot.Width(), 40);
  ASSERT_EQ(shot.Height(), 30);
  EXPECT_EQ(shot.ScanLine(0)[0], RGBToPixel(clBlue));
  EXPECT_EQ(shot.ScanLine(5)[5], RGBToPixel(clRed));
  EXPECT_EQ(shot.ScanLine(14)[14], RGBToPixel(clRed));
  EXPECT_EQ(shot.ScanLine(15)[15], RGBToPixel(clBlue));
  EXPECT_EQ(shot.ScanLine(29)[39], RGBToPixel(clLime));
  EXPECT_EQ(shot.ScanLine(19)[39], RGBToPixel(clBlue));
}

TEST(Snapshot, ShowsPixelsWrittenByPaint) {
  class TDot : public TCustomControl {
   public:
    using TCustomControl::TCustomControl;

   protected:
    void Paint() override { Canvas().RasterBitmap()->ScanLine(2)[3] = 0xFF123456u; }
  };
  TOffscreenHost host;
  TDot dot(nullptr);
  dot.SetBounds(0, 0, 8, 8);
  host.Show(dot);
  EXPECT_EQ(host.Snapshot(dot).ScanLine(2)[3], 0xFF123456u);
}

}  // namespace
}  // namespace kiv
