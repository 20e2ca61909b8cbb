// Crosshairs placed by program and dragged with the mouse. They live on the overlay over the
// composed picture, so moving one copies the data area back and draws the crosshairs again; the
// chart's items are not drawn again.
#include <algorithm>
#include <limits>

#include "rchart/chart_mouse.h"
#include "rchart/paintscope.h"

namespace kiv {

namespace {

bool ShowsVertical(TCrossHMode m) {
  return m == chVert || m == chBoth || m == chCrossBox || m == chBox;
}

bool ShowsHorizontal(TCrossHMode m) {
  return m == chHoriz || m == chBoth || m == chCrossBox || m == chBox;
}

// Pixel distances can exceed the int range for crosshairs far outside the data area.
int Distance(long long from, long long to) {
  return static_cast<int>(std::clamp<long long>(to - from, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

}  // namespace

void TCustomRChart::CrossHairSetPos(int chnum, double x, double y) {
  if (chnum < 1 || chnum > 4) return;
  TCrossHair& ch = *FCrossHair[static_cast<std::size_t>(chnum - 1)];
  Silently(ch, [&](TCrossHair& c) { c.SetPos(x, y); });
  if (ch.Mode() != chOff) RefreshCrossHairOverlay();
}

void TCustomRChart::CrossHairSetup(int ch, TColor chColor, TCrossHMode Mode, TPenStyle LineType,
                                   int LineWidth) {
  if (ch < 1 || ch > 4) return;
  Silently(*FCrossHair[static_cast<std::size_t>(ch - 1)], [&](TCrossHair& c) {
    c.SetColor(chColor);
    c.SetMode(Mode);
    c.SetLineType(LineType);
    c.SetLineWid(LineWidth);
  });
  RefreshCrossHairOverlay();
}

double TCustomRChart::GetCHPosX(int chnum) const {
  return chnum >= 1 && chnum <= 4 ? FCrossHair[static_cast<std::size_t>(chnum - 1)]->PosX() : 0;
}

double TCustomRChart::GetCHPosY(int chnum) const {
  return chnum >= 1 && chnum <= 4 ? FCrossHair[static_cast<std::size_t>(chnum - 1)]->PosY() : 0;
}

void TCustomRChart::SetCHPosX(int chnum, double v) {
  if (chnum < 1 || chnum > 4) return;
  TCrossHair& ch = *FCrossHair[static_cast<std::size_t>(chnum - 1)];
  Silently(ch, [v](TCrossHair& c) { c.SetPosX(v); });
  if (ch.Mode() != chOff) RefreshCrossHairOverlay();
}

void TCustomRChart::SetCHPosY(int chnum, double v) {
  if (chnum < 1 || chnum > 4) return;
  TCrossHair& ch = *FCrossHair[static_cast<std::size_t>(chnum - 1)];
  Silently(ch, [v](TCrossHair& c) { c.SetPosY(v); });
  if (ch.Mode() != chOff) RefreshCrossHairOverlay();
}

// The drag takes the crosshair whose line lies nearest to the press, measured across its line
// (both lines for a cross or a box); ties keep the lower number, hidden crosshairs never
// compete, and with all hidden crosshair 1 is taken. It jumps to the pointer at once.
void TChartMouse::DragCrossHair(TShiftState Shift, int X, int Y) {
  if (!Shift.Contains(ssLeft)) {
    c_.LButtonWasDown = false;
    return;
  }
  if (!InDataArea(X, Y)) return;
  if (!c_.LButtonWasDown) {
    c_.CHNext = 1;
    double best = std::numeric_limits<double>::max();
    for (int n = 1; n <= 4; ++n) {
      const TCrossHair& ch = *c_.FCrossHair[static_cast<std::size_t>(n - 1)];
      int sx, sy;
      c_.R2M(ch.Layer(), ch.PosX(), ch.PosY(), sx, sy);
      const double ex = static_cast<double>(sx) - X, ey = static_cast<double>(sy) - Y;
      if (ShowsVertical(ch.Mode()) && ex * ex < best) {
        best = ex * ex;
        c_.CHNext = n;
      }
      if (ShowsHorizontal(ch.Mode()) && ey * ey < best) {
        best = ey * ey;
        c_.CHNext = n;
      }
    }
    TCrossHair& ch = *c_.FCrossHair[static_cast<std::size_t>(c_.CHNext - 1)];
    int sx, sy;
    c_.R2M(ch.Layer(), ch.PosX(), ch.PosY(), sx, sy);
    bool allow = true;
    if (c_.OnBeforeCrossHairMove)
      c_.OnBeforeCrossHairMove(&c_, ch, Distance(sx, X), Distance(sy, Y), allow);
    if (!allow) return;
    StoreDragAnchors(X, Y);
    c_.LButtonWasDown = true;
  }
  if (c_.CHNext < 1 || c_.CHNext > 4) return;
  TCrossHair& ch = *c_.FCrossHair[static_cast<std::size_t>(c_.CHNext - 1)];
  double wx, wy;
  c_.M2R(ch.Layer(), X, Y, wx, wy);
  Silently(ch, [&](TCrossHair& c) { c.SetPos(wx, wy); });
  c_.RefreshCrossHairOverlay();
  if (c_.OnCrossHairMove) c_.OnCrossHairMove(&c_, ch);
}

}  // namespace kiv
