#include "services/frame.h"

#include <algorithm>
#include <array>

namespace kiv {

namespace {

struct Ring {
  TColor top_left;
  TColor bottom_right;
};

// Inclusive pixel runs; empty runs draw nothing.
void HLine(TCanvas& c, int x1, int x2, int y) {
  if (x2 < x1) return;
  c.MoveTo(x1, y);
  c.LineTo(x2 + 1, y);
}

void VLine(TCanvas& c, int x, int y1, int y2) {
  if (y2 < y1) return;
  c.MoveTo(x, y1);
  c.LineTo(x, y2 + 1);
}

// One ring of the frame: the top row and the left column without their far ends in one colour,
// then the bottom row and the right column in full in the other.
void DrawRing(TCanvas& c, int l, int t, int r, int b, const Ring& ring) {
  TPen& pen = c.Pen();
  pen.SetColor(ring.top_left);
  HLine(c, l, r - 1, t);
  VLine(c, l, t, b - 1);
  pen.SetColor(ring.bottom_right);
  HLine(c, l, r, b);
  VLine(c, r, t, b);
}

}  // namespace

int FrameWidth(TFrameStyle Style) {
  switch (Style) {
    case rbSimple:
      return 1;
    case rbLowered:
    case rbRaised:
    case rbEmbossed:
    case rbEngraved:
      return 2;
    case rbDoubleLowered:
    case rbDoubleRaised:
      return 3;
    default:
      return 0;
  }
}

void DrawFrame(TCanvas& Canvas, TFrameStyle Style, int Left, int Top, int Right, int Bottom,
               TColor HighLight, TColor Light, TColor Shadow, TColor DkShadow, TColor FrameColor) {
  if (Right < Left || Bottom < Top) return;
  // No device is this large; limiting the corners keeps the line ends below from overflowing
  // while every visible pixel stays where it was.
  constexpr int kLimit = 1 << 30;
  Left = std::clamp(Left, -kLimit, kLimit);
  Top = std::clamp(Top, -kLimit, kLimit);
  Right = std::clamp(Right, -kLimit, kLimit);
  Bottom = std::clamp(Bottom, -kLimit, kLimit);
  std::array<Ring, 3> rings{};
  int count = 0;
  const Ring plain{FrameColor, FrameColor};
  const Ring lowered[2] = {{Shadow, HighLight}, {DkShadow, Light}};
  const Ring raised[2] = {{Light, DkShadow}, {HighLight, Shadow}};
  const auto add = [&](const Ring& r) { rings[static_cast<std::size_t>(count++)] = r; };
  switch (Style) {
    case rbSimple:
      add(plain);
      break;
    case rbLowered:
      add(lowered[0]);
      add(lowered[1]);
      break;
    case rbRaised:
      add(raised[0]);
      add(raised[1]);
      break;
    case rbEmbossed:
      add({HighLight, Shadow});
      add({Shadow, HighLight});
      break;
    case rbEngraved:
      add({Shadow, HighLight});
      add({HighLight, Shadow});
      break;
    case rbDoubleLowered:
      add(plain);
      add(lowered[0]);
      add(lowered[1]);
      break;
    case rbDoubleRaised:
      add(plain);
      add(raised[0]);
      add(raised[1]);
      break;
    default:
      return;
  }

  TPen& pen = Canvas.Pen();
  const TColor old_color = pen.Color();
  const int old_width = pen.Width();
  const TPenStyle old_style = pen.Style();
  const TPenMode old_mode = pen.Mode();
  const TPoint old_pos = Canvas.PenPos();
  pen.SetWidth(1);
  pen.SetStyle(psSolid);
  pen.SetMode(pmCopy);
  for (int i = 0; i < count; ++i) {
    const int l = Left + i, t = Top + i, r = Right - i, b = Bottom - i;
    if (r < l || b < t) break;
    DrawRing(Canvas, l, t, r, b, rings[static_cast<std::size_t>(i)]);
  }
  pen.SetColor(old_color);
  pen.SetWidth(old_width);
  pen.SetStyle(old_style);
  pen.SetMode(old_mode);
  Canvas.MoveTo(old_pos.X, old_pos.Y);
}

}  // namespace kiv
