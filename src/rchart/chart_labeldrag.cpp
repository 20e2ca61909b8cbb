// Dragging the chart's text labels with the mouse: the press takes the visible label whose
// anchor lies nearest, the following moves put its anchor under the pointer.
#include <limits>

#include "rchart/chart_mouse.h"
#include "rchart/paintscope.h"
#include "services/rounding.h"

namespace kiv {

void TChartMouse::DragLabel(TShiftState Shift, int X, int Y) {
  if (!Shift.Contains(ssLeft)) {
    c_.LButtonWasDown = false;
    return;
  }
  if (!c_.LButtonWasDown) {
    StoreDragAnchors(X, Y);
    c_.TLNext = 1;
    double best = std::numeric_limits<double>::max();
    for (int n = 1; n <= kNumTextLabels; ++n) {
      const TTextLabel& L = c_.TextLabels(n);
      if (L.Mode() == tlmNone || !L.Visible()) continue;
      int rx, ry;
      c_.R2M(L.Layer(), L.PosX(), L.PosY(), rx, ry);
      const TTxtLblAttachMode a = L.AttachToData();
      const int sx = a == taX || a == taXY ? rx : RoundToInt(L.PosX());
      const int sy = a == taY || a == taXY ? ry : RoundToInt(L.PosY());
      const double ex = static_cast<double>(sx) - X, ey = static_cast<double>(sy) - Y;
      if (ex * ex + ey * ey < best) {
        best = ex * ex + ey * ey;
        c_.TLNext = n;
      }
    }
    c_.LButtonWasDown = true;
    return;
  }
  TTextLabel& L = c_.TextLabels(c_.TLNext);
  double wx, wy;
  c_.M2R(L.Layer(), X, Y, wx, wy);
  Silently(L, [&](TTextLabel& l) {
    switch (l.AttachToData()) {
      case taNone:
        l.SetPosX(X);
        l.SetPosY(Y);
        break;
      case taX:
        l.SetPosX(wx);
        l.SetPosY(Y);
        break;
      case taY:
        l.SetPosX(X);
        l.SetPosY(wy);
        break;
      case taXY:
        l.SetPosX(wx);
        l.SetPosY(wy);
        break;
    }
  });
  c_.Repaint();
  if (c_.OnTextLabelMove) c_.OnTextLabelMove(&c_, L);
}

}  // namespace kiv
