#include "platform/cursors.h"

#include <algorithm>
#include <cstdlib>

#include "platform/bitmap.h"

namespace kiv {

namespace {

constexpr int kMaxCursorSize = 256;
constexpr TPixel kBlack = 0xFF000000u;
constexpr TPixel kWhite = 0xFFFFFFFFu;

// The drawn standard shapes live in a 21 x 21 box around the centre (10, 10).
constexpr int kBox = 21;
constexpr int kMid = 10;

template <typename Pred>
TCursorImage Shape(TPoint hot, Pred inside) {
  TCursorImage img(kBox, kBox, hot);
  for (int y = 0; y < kBox; ++y)
    for (int x = 0; x < kBox; ++x)
      if (inside(x - kMid, y - kMid)) img.SetPixel(x, y, kBlack);
  img.Outline(kWhite);
  return img;
}

// A line along the axis with arrow heads at both ends (dx, dy are coordinates from the centre,
// u runs along the arrow, v across it).
bool DoubleArrow(int u, int v) {
  const int a = std::abs(u);
  if (v == 0 && a <= kMid) return true;
  return a >= kMid - 4 && a <= kMid && std::abs(v) <= kMid - a;
}

// The diagonal from the top-left to the bottom-right corner with a head in both corners.
bool DiagonalArrow(int x, int y) {
  if (x == y) return true;
  const bool top_left = x <= -4 && y <= -4 && x + y <= -14;
  const bool bottom_right = x >= 4 && y >= 4 && x + y >= 14;
  return top_left || bottom_right;
}

bool UpArrow(int u, int v) {
  // u grows downwards from the tip at u = -kMid.
  if (v == 0 && u >= -kMid) return true;
  const int depth = u + kMid;
  return depth >= 0 && depth <= 5 && std::abs(v) <= depth;
}

TCursorImage Arrow() {
  return TCursorImage::FromPattern(
      {"X", "XX", "X.X", "X..X", "X...X", "X....X", "X.....X", "X......X", "X.......X",
       "X........X", "X.........X", "X......XXXXX", "X...X..X", "X..XX..X", "X.X  X..X",
       "XX   X..X", "X     X..X", "      X..X", "       XX"},
      TPoint(0, 0));
}

TCursorImage HandPoint() {
  return TCursorImage::FromPattern(
      {"     XX",          "    X..X",         "    X..X",         "    X..X",
       "    X..X",         "    X..XXX",       "    X..X..XXX",    "    X..X..X..XX",
       " XX X..X..X..X.X", "X..XX........X.X", "X...X..........X", " X.............X",
       "  X............X", "  X...........X",  "   X..........X",  "   X.........X",
       "    X........X",   "     X......X",    "     X......X",    "     XXXXXXXX"},
      TPoint(5, 0));
}

TCursorImage HourGlass() {
  return TCursorImage::FromPattern(
      {"XXXXXXXXXXXXX", "X...........X", "XXXXXXXXXXXXX", " X.........X", " X.........X",
       "  X.XXXXX.X", "   X.XXX.X", "    X.X.X", "     X.X", "    X...X", "   X..X..X",
       "  X...X...X", " X..XXXXX..X", " X.XXXXXXX.X", "XXXXXXXXXXXXX", "X...........X",
       "XXXXXXXXXXXXX"},
      TPoint(6, 8));
}

TCursorImage IBeam() {
  return TCursorImage::FromPattern(
      {"XXX XXX", "   X", "   X", "   X", "   X", "   X", "   X", "   X", "   X", "   X", "   X",
       "   X", "   X", "   X", "   X", "XXX XXX"},
      TPoint(3, 8));
}

}  // namespace

TCursorImage::TCursorImage(int Width, int Height, TPoint HotSpot)
    : width_(std::clamp(Width, 0, kMaxCursorSize)),
      height_(std::clamp(Height, 0, kMaxCursorSize)),
      hot_(HotSpot),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0) {}

TCursorImage TCursorImage::FromPattern(std::initializer_list<std::string_view> Rows,
                                       TPoint HotSpot) {
  std::size_t w = 0;
  for (std::string_view r : Rows) w = std::max(w, r.size());
  TCursorImage img(static_cast<int>(std::min<std::size_t>(w, kMaxCursorSize)),
                   static_cast<int>(std::min<std::size_t>(Rows.size(), kMaxCursorSize)), HotSpot);
  int y = 0;
  for (std::string_view r : Rows) {
    for (std::size_t x = 0; x < r.size(); ++x) {
      const char c = r[x];
      if (c == '#' || c == 'X')
        img.SetPixel(static_cast<int>(x), y, kBlack);
      else if (c == '.' || c == 'o')
        img.SetPixel(static_cast<int>(x), y, kWhite);
    }
    ++y;
  }
  return img;
}

TCursorImage TCursorImage::FromBitmap(const TBitmap& Image, TColor Transparent, TPoint HotSpot) {
  TCursorImage img(Image.Width(), Image.Height(), HotSpot);
  const TPixel clear = ColorToPixel(Transparent) & 0xFFFFFFu;
  for (int y = 0; y < img.height_; ++y) {
    const TPixel* row = Image.ScanLine(y);
    for (int x = 0; x < img.width_; ++x) {
      const TPixel p = row[x] & 0xFFFFFFu;
      if (p != clear) img.SetPixel(x, y, kOpaque | p);
    }
  }
  return img;
}

TPixel TCursorImage::Pixel(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= width_ || Y >= height_) return 0;
  return pixels_[static_cast<std::size_t>(Y) * static_cast<std::size_t>(width_) +
                 static_cast<std::size_t>(X)];
}

void TCursorImage::SetPixel(int X, int Y, TPixel p) {
  if (X < 0 || Y < 0 || X >= width_ || Y >= height_) return;
  pixels_[static_cast<std::size_t>(Y) * static_cast<std::size_t>(width_) +
          static_cast<std::size_t>(X)] = p;
}

void TCursorImage::Outline(TPixel Color) {
  const std::vector<TPixel> before = pixels_;
  auto opaque = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    return (before[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)] >>
            24) != 0;
  };
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      if (opaque(x, y)) continue;
      bool near = false;
      for (int dy = -1; dy <= 1 && !near; ++dy)
        for (int dx = -1; dx <= 1 && !near; ++dx) near = opaque(x + dx, y + dy);
      if (near) SetPixel(x, y, Color);
    }
}

TCursorImage StandardCursorImage(TCursor Cursor) {
  const TPoint centre(kMid, kMid);
  switch (Cursor) {
    case crNone:
      return TCursorImage();
    case crCross:
      return Shape(centre, [](int x, int y) { return x == 0 || y == 0; });
    case crIBeam:
      return IBeam();
    case crSizeNS:
      return Shape(centre, [](int x, int y) { return DoubleArrow(y, x); });
    case crSizeWE:
      return Shape(centre, [](int x, int y) { return DoubleArrow(x, y); });
    case crSizeNWSE:
      return Shape(centre, [](int x, int y) { return DiagonalArrow(x, y); });
    case crSizeNESW:
      return Shape(centre, [](int x, int y) { return DiagonalArrow(-x, y); });
    case crSizeAll:
      return Shape(centre, [](int x, int y) { return DoubleArrow(x, y) || DoubleArrow(y, x); });
    case crUpArrow:
      return Shape(TPoint(kMid, 0), [](int x, int y) { return UpArrow(y, x); });
    case crHSplit:
      return Shape(centre, [](int x, int y) {
        return ((x == -1 || x == 1) && std::abs(y) <= 7) || (std::abs(x) >= 3 && DoubleArrow(x, y));
      });
    case crVSplit:
      return Shape(centre, [](int x, int y) {
        return ((y == -1 || y == 1) && std::abs(x) <= 7) || (std::abs(y) >= 3 && DoubleArrow(y, x));
      });
    case crHourGlass:
    case crSQLWait:
      return HourGlass();
    case crNo:
    case crNoDrop:
      return Shape(centre, [](int x, int y) {
        const int d2 = x * x + y * y;
        return (d2 >= 49 && d2 <= 81) || (std::abs(x - y) <= 1 && d2 <= 64);
      });
    case crHandPoint:
      return HandPoint();
    default:
      return Arrow();
  }
}

}  // namespace kiv
