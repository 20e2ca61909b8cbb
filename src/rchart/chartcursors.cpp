// Pictures of the chart's cursors: the hand is drawn as a character pattern, the magnifiers are
// computed (lens ring, handle and a symbol in the lens) and outlined so they show on any
// background.
#include "rchart/chartcursors.h"

#include <cmath>

#include "platform/screen.h"

namespace kiv {

namespace {

constexpr TPixel kBlack = 0xFF000000u;
constexpr TPixel kWhite = 0xFFFFFFFFu;

TCursorImage Hand() {
  TCursorImage image = TCursorImage::FromPattern(
      {"       XX", "   XX X..XXX", "  X..XX..X..X", "  X..XX..X..X X", "   X..X..X..XX.X",
       "   X..X..X..X..X", " XX X.......X..X", "X..XX..........X", "X...X.........X",
       " X............X", "  X...........X", "  X..........X", "   X.........X", "    X.......X",
       "     X......X", "     X......X", "     XXXXXXXX"},
      TPoint(8, 8));
  return image;
}

enum class Symbol { Window, DragArrow, Plus };

// A lens of radius 6 around (7, 7) with a handle to the bottom right; the hot spot is the
// lens centre.
TCursorImage Magnifier(Symbol symbol) {
  TCursorImage image(22, 22, TPoint(7, 7));
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const double r = std::hypot(x - 7.0, y - 7.0);
      if (r <= 6.6) image.SetPixel(x, y, r >= 4.9 ? kBlack : kWhite);
    }
  }
  for (int t = 0; t < 8; ++t) {  // the handle, three pixels thick
    for (int k = -1; k <= 1; ++k) {
      image.SetPixel(12 + t + k, 12 + t, kBlack);
      image.SetPixel(12 + t, 12 + t + k, kBlack);
    }
  }
  switch (symbol) {
    case Symbol::Window:
      for (int x = 4; x <= 10; ++x) {
        image.SetPixel(x, 5, kBlack);
        image.SetPixel(x, 9, kBlack);
      }
      for (int y = 5; y <= 9; ++y) {
        image.SetPixel(4, y, kBlack);
        image.SetPixel(10, y, kBlack);
      }
      break;
    case Symbol::DragArrow:
      for (int y = 3; y <= 11; ++y) image.SetPixel(7, y, kBlack);
      for (int k = 1; k <= 2; ++k) {
        image.SetPixel(7 - k, 3 + k, kBlack);
        image.SetPixel(7 + k, 3 + k, kBlack);
        image.SetPixel(7 - k, 11 - k, kBlack);
        image.SetPixel(7 + k, 11 - k, kBlack);
      }
      break;
    case Symbol::Plus:
      for (int k = 4; k <= 10; ++k) {
        image.SetPixel(k, 7, kBlack);
        image.SetPixel(7, k, kBlack);
      }
      break;
  }
  image.Outline(kWhite);
  return image;
}

}  // namespace

TCursorImage ChartCursorImage(TCursor Cursor) {
  switch (Cursor) {
    case crChartHand:
      return Hand();
    case crChartZoomWindow:
      return Magnifier(Symbol::Window);
    case crChartZoomDrag:
      return Magnifier(Symbol::DragArrow);
    case crChartZoomPlus:
      return Magnifier(Symbol::Plus);
    default:
      return TCursorImage();
  }
}

void RegisterChartCursors() {
  for (TCursor c = crChartHand; c <= crChartZoomPlus; ++c)
    Screen().SetCursors(c, ChartCursorImage(c));
}

}  // namespace kiv
