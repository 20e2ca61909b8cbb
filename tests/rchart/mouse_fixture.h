// A chart shown on the offscreen host for the mouse tests: 570 x 340 pixels with the standard
// margins, so the data area runs from (50, 20) to (550, 300): 500 x 280 pixels between its
// edges, 50 pixels per unit on layer 1's x range 0..10 and 28 on its y range 0..10.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/application.h"
#include "platform/offscreen_host.h"
#include "rchart/rchart.h"

namespace kiv {

class MouseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application().SetHost(&host);
    chart.SetBounds(0, 0, 570, 340);
    chart.SetRange(1, 0, 0, 10, 10);
    chart.SetRange(2, 0, 0, 100, 100);
    chart.MoveTo(1.0, 1.0);
    chart.DrawTo(9.0, 7.0);
    chart.MarkAt(5.0, 5.0, 3);
    host.Show(chart);
    chart.ClearZoomHistory();
    chart.OnZoomPan = [this](TObject*) { log.push_back("zoompan"); };
  }

  // A user's drag: press, a first move at the press point (where the drag anchors), a move to
  // the end and the release there.
  void Drag(int x1, int y1, int x2, int y2, TMouseButton button = mbLeft) {
    host.MouseDown(button, x1, y1);
    host.MouseMove(x1, y1);
    host.MouseMove(x2, y2);
    host.MouseUp(button, x2, y2);
  }

  TBitmap Shown() const { return host.Snapshot(chart); }

  static std::string Ranges(TCustomRChart& c, int layer) {
    std::ostringstream s;
    s << c.ScalePropsX(layer).RangeLow() << ".." << c.ScalePropsX(layer).RangeHigh() << " x "
      << c.ScalePropsY(layer).RangeLow() << ".." << c.ScalePropsY(layer).RangeHigh();
    return s.str();
  }

  TOffscreenHost host;
  TCustomRChart chart{nullptr};
  std::vector<std::string> log;
};

// Both pictures the same size and pixel for pixel equal; otherwise the first difference.
inline ::testing::AssertionResult SamePicture(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height())
    return ::testing::AssertionFailure() << "sizes differ";
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      const TPixel p = a.ScanLine(y)[x], q = b.ScanLine(y)[x];
      if (p != q)
        return ::testing::AssertionFailure()
               << "pixel (" << x << ", " << y << "): " << std::hex << p << " vs " << q;
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace kiv
