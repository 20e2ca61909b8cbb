#include "services/marks.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "platform/bitmap.h"

namespace kiv {

namespace {

struct Picture {
  int width;
  const char* pixels;  // rows of `width` characters, top row first
};

// The marks as pixel pictures, centred on the middle pixel: '#' is drawn with the pen, 'o' with
// the brush, '.' is left alone. Pictures rather than geometry keep every mark exactly symmetric
// and crisp at these small sizes, where rounding in a line rasteriser would make the two
// halves of a triangle or a star differ.
// clang-format off
constexpr std::array<Picture, kNumMarks> kPictures = {{
    {1,  // 0: pixel, 1 x 1
     "#"},
    {3,  // 1: dot, 3 x 3
     "###"
     "###"
     "###"},
    {5,  // 2: round dot, 5 x 5
     ".###."
     "#####"
     "#####"
     "#####"
     ".###."},
    {5,  // 3: diagonal cross, 5 x 5
     "#...#"
     ".#.#."
     "..#.."
     ".#.#."
     "#...#"},
    {9,  // 4: diagonal cross, 9 x 9
     "#.......#"
     ".#.....#."
     "..#...#.."
     "...#.#..."
     "....#...."
     "...#.#..."
     "..#...#.."
     ".#.....#."
     "#.......#"},
    {5,  // 5: plus, 5 x 5
     "..#.."
     "..#.."
     "#####"
     "..#.."
     "..#.."},
    {9,  // 6: plus, 9 x 9
     "....#...."
     "....#...."
     "....#...."
     "....#...."
     "#########"
     "....#...."
     "....#...."
     "....#...."
     "....#...."},
    {5,  // 7: asterisk, 5 x 5
     "#.#.#"
     ".###."
     "#####"
     ".###."
     "#.#.#"},
    {9,  // 8: asterisk, 9 x 9
     "#...#...#"
     ".#..#..#."
     "..#.#.#.."
     "...###..."
     "#########"
     "...###..."
     "..#.#.#.."
     ".#..#..#."
     "#...#...#"},
    {5,  // 9: square, hollow, 5 x 5
     "#####"
     "#...#"
     "#...#"
     "#...#"
     "#####"},
    {9,  // 10: square, hollow, 9 x 9
     "#########"
     "#.......#"
     "#.......#"
     "#.......#"
     "#.......#"
     "#.......#"
     "#.......#"
     "#.......#"
     "#########"},
    {5,  // 11: square, filled, 5 x 5
     "#####"
     "#ooo#"
     "#ooo#"
     "#ooo#"
     "#####"},
    {9,  // 12: square, filled, 9 x 9
     "#########"
     "#ooooooo#"
     "#ooooooo#"
     "#ooooooo#"
     "#ooooooo#"
     "#ooooooo#"
     "#ooooooo#"
     "#ooooooo#"
     "#########"},
    {7,  // 13: diamond, hollow, 7 x 7
     "...#..."
     "..#.#.."
     ".#...#."
     "#.....#"
     ".#...#."
     "..#.#.."
     "...#..."},
    {11,  // 14: diamond, hollow, 11 x 11
     ".....#....."
     "....#.#...."
     "...#...#..."
     "..#.....#.."
     ".#.......#."
     "#.........#"
     ".#.......#."
     "..#.....#.."
     "...#...#..."
     "....#.#...."
     ".....#....."},
    {7,  // 15: diamond, filled, 7 x 7
     "...#..."
     "..#o#.."
     ".#ooo#."
     "#ooooo#"
     ".#ooo#."
     "..#o#.."
     "...#..."},
    {11,  // 16: diamond, filled, 11 x 11
     ".....#....."
     "....#o#...."
     "...#ooo#..."
     "..#ooooo#.."
     ".#ooooooo#."
     "#ooooooooo#"
     ".#ooooooo#."
     "..#ooooo#.."
     "...#ooo#..."
     "....#o#...."
     ".....#....."},
    {7,  // 17: triangle up, hollow, 7 x 7
     "...#..."
     "..#.#.."
     "..#.#.."
     ".#...#."
     ".#...#."
     "#.....#"
     "#######"},
    {11,  // 18: triangle up, hollow, 11 x 11
     ".....#....."
     "....#.#...."
     "....#.#...."
     "...#...#..."
     "...#...#..."
     "..#.....#.."
     "..#.....#.."
     ".#.......#."
     ".#.......#."
     "#.........#"
     "###########"},
    {7,  // 19: triangle up, filled, 7 x 7
     "...#..."
     "..#o#.."
     "..#o#.."
     ".#ooo#."
     ".#ooo#."
     "#ooooo#"
     "#######"},
    {11,  // 20: triangle up, filled, 11 x 11
     ".....#....."
     "....#o#...."
     "....#o#...."
     "...#ooo#..."
     "...#ooo#..."
     "..#ooooo#.."
     "..#ooooo#.."
     ".#ooooooo#."
     ".#ooooooo#."
     "#ooooooooo#"
     "###########"},
    {7,  // 21: triangle down, hollow, 7 x 7
     "#######"
     "#.....#"
     ".#...#."
     ".#...#."
     "..#.#.."
     "..#.#.."
     "...#..."},
    {11,  // 22: triangle down, hollow, 11 x 11
     "###########"
     "#.........#"
     ".#.......#."
     ".#.......#."
     "..#.....#.."
     "..#.....#.."
     "...#...#..."
     "...#...#..."
     "....#.#...."
     "....#.#...."
     ".....#....."},
    {7,  // 23: triangle down, filled, 7 x 7
     "#######"
     "#ooooo#"
     ".#ooo#."
     ".#ooo#."
     "..#o#.."
     "..#o#.."
     "...#..."},
    {11,  // 24: triangle down, filled, 11 x 11
     "###########"
     "#ooooooooo#"
     ".#ooooooo#."
     ".#ooooooo#."
     "..#ooooo#.."
     "..#ooooo#.."
     "...#ooo#..."
     "...#ooo#..."
     "....#o#...."
     "....#o#...."
     ".....#....."},
    {5,  // 25: circle, hollow, 5 x 5
     ".###."
     "#...#"
     "#...#"
     "#...#"
     ".###."},
    {9,  // 26: circle, hollow, 9 x 9
     "...###..."
     "..#...#.."
     ".#.....#."
     "#.......#"
     "#.......#"
     "#.......#"
     ".#.....#."
     "..#...#.."
     "...###..."},
    {5,  // 27: circle, filled, 5 x 5
     ".###."
     "#ooo#"
     "#ooo#"
     "#ooo#"
     ".###."},
    {9,  // 28: circle, filled, 9 x 9
     "...###..."
     "..#ooo#.."
     ".#ooooo#."
     "#ooooooo#"
     "#ooooooo#"
     "#ooooooo#"
     ".#ooooo#."
     "..#ooo#.."
     "...###..."},
    {7,  // 29: triangle left, hollow, 7 x 7
     ".....##"
     "...##.#"
     ".##...#"
     "#.....#"
     ".##...#"
     "...##.#"
     ".....##"},
    {11,  // 30: triangle left, hollow, 11 x 11
     ".........##"
     ".......##.#"
     ".....##...#"
     "...##.....#"
     ".##.......#"
     "#.........#"
     ".##.......#"
     "...##.....#"
     ".....##...#"
     ".......##.#"
     ".........##"},
    {7,  // 31: triangle left, filled, 7 x 7
     ".....##"
     "...##o#"
     ".##ooo#"
     "#ooooo#"
     ".##ooo#"
     "...##o#"
     ".....##"},
    {11,  // 32: triangle left, filled, 11 x 11
     ".........##"
     ".......##o#"
     ".....##ooo#"
     "...##ooooo#"
     ".##ooooooo#"
     "#ooooooooo#"
     ".##ooooooo#"
     "...##ooooo#"
     ".....##ooo#"
     ".......##o#"
     ".........##"},
    {7,  // 33: triangle right, hollow, 7 x 7
     "##....."
     "#.##..."
     "#...##."
     "#.....#"
     "#...##."
     "#.##..."
     "##....."},
    {11,  // 34: triangle right, hollow, 11 x 11
     "##........."
     "#.##......."
     "#...##....."
     "#.....##..."
     "#.......##."
     "#.........#"
     "#.......##."
     "#.....##..."
     "#...##....."
     "#.##......."
     "##........."},
    {7,  // 35: triangle right, filled, 7 x 7
     "##....."
     "#o##..."
     "#ooo##."
     "#ooooo#"
     "#ooo##."
     "#o##..."
     "##....."},
    {11,  // 36: triangle right, filled, 11 x 11
     "##........."
     "#o##......."
     "#ooo##....."
     "#ooooo##..."
     "#ooooooo##."
     "#ooooooooo#"
     "#ooooooo##."
     "#ooooo##..."
     "#ooo##....."
     "#o##......."
     "##........."},
    {9,  // 37: horizontal bar, 9 x 1
     "#########"},
    {1,  // 38: vertical bar, 1 x 9
     "#"
     "#"
     "#"
     "#"
     "#"
     "#"
     "#"
     "#"
     "#"},
    {15,  // 39: horizontal bar, 15 x 1
     "###############"},
    {1,  // 40: vertical bar, 1 x 15
     "#"
     "#"
     "#"
     "#"
     "#"
     "#"
     "#"
     "#"
     "#"
     "#"
     "#"
     "#"
     "#"
     "#"
     "#"},
    {9,  // 41: square with x, 9 x 9
     "#########"
     "##.....##"
     "#.#...#.#"
     "#..#.#..#"
     "#...#...#"
     "#..#.#..#"
     "#.#...#.#"
     "##.....##"
     "#########"},
    {9,  // 42: square with +, 9 x 9
     "#########"
     "#...#...#"
     "#...#...#"
     "#...#...#"
     "#########"
     "#...#...#"
     "#...#...#"
     "#...#...#"
     "#########"},
    {9,  // 43: circle with +, 9 x 9
     "...###..."
     "..#.#.#.."
     ".#..#..#."
     "#...#...#"
     "#########"
     "#...#...#"
     ".#..#..#."
     "..#.#.#.."
     "...###..."},
    {11,  // 44: circle with x, 11 x 11
     "...#####..."
     "..#.....#.."
     ".#.......#."
     "#..#...#..#"
     "#...#.#...#"
     "#....#....#"
     "#...#.#...#"
     "#..#...#..#"
     ".#.......#."
     "..#.....#.."
     "...#####..."},
    {9,  // 45: circle with centre dot, 9 x 9
     "...###..."
     "..#...#.."
     ".#.....#."
     "#..###..#"
     "#..###..#"
     "#..###..#"
     ".#.....#."
     "..#...#.."
     "...###..."},
    {9,  // 46: square with centre dot, 9 x 9
     "#########"
     "#.......#"
     "#.......#"
     "#..###..#"
     "#..###..#"
     "#..###..#"
     "#.......#"
     "#.......#"
     "#########"},
    {11,  // 47: five-point star, hollow, 11 x 11
     ".....#....."
     ".....#....."
     "....#.#...."
     "....#.#...."
     "####...####"
     ".#.......#."
     "..#.....#.."
     "..#..#..#.."
     ".#..#.#..#."
     ".#.#...#.#."
     ".##.....##."},
    {11,  // 48: five-point star, filled, 11 x 11
     ".....#....."
     ".....#....."
     "....#o#...."
     "....#o#...."
     "####ooo####"
     ".#ooooooo#."
     "..#ooooo#.."
     "..#oo#oo#.."
     ".#oo#.#oo#."
     ".#o#...#o#."
     ".##.....##."},
    {9,  // 49: hourglass, filled, 9 x 9
     "#########"
     ".#ooooo#."
     "..#ooo#.."
     "...#o#..."
     "....#...."
     "...#o#..."
     "..#ooo#.."
     ".#ooooo#."
     "#########"},
    {9,  // 50: bow tie, filled, 9 x 9
     "#.......#"
     "##.....##"
     "#o#...#o#"
     "#oo#.#oo#"
     "#ooo#ooo#"
     "#oo#.#oo#"
     "#o#...#o#"
     "##.....##"
     "#.......#"},
    {13,  // 51: circle, hollow, 13 x 13
     "....#####...."
     "...#.....#..."
     "..#.......#.."
     ".#.........#."
     "#...........#"
     "#...........#"
     "#...........#"
     "#...........#"
     "#...........#"
     ".#.........#."
     "..#.......#.."
     "...#.....#..."
     "....#####...."},
}};
// clang-format on

constexpr int kDefaultMark = 1;

// Pixels of one ink as offsets from the centre, both ends included: a pen run is horizontal,
// vertical or diagonal, a brush span may be a rectangle.
struct Span {
  std::int8_t x0, y0, x1, y1;
  bool brush;
};

// The spans of all marks, built once from the pictures: brush rectangles first (so that a wide
// pen draws over the interior's edge), then pen runs. Equal brush runs in consecutive rows form
// one rectangle; horizontal runs of two or more pen pixels are kept and the single pen pixels
// left over are joined into vertical and diagonal runs, which keeps outlines to a few calls.
class SpanTable {
 public:
  SpanTable() {
    for (int m = 0; m < kNumMarks; ++m) {
      first_[static_cast<std::size_t>(m)] = spans_.size();
      Add(kPictures[static_cast<std::size_t>(m)]);
    }
    first_[kNumMarks] = spans_.size();
  }
  std::span<const Span> Of(int mark) const {
    const std::size_t a = first_[static_cast<std::size_t>(mark)];
    const std::size_t b = first_[static_cast<std::size_t>(mark) + 1];
    return std::span<const Span>(spans_).subspan(a, b - a);
  }

 private:
  void Add(const Picture& p) {
    const int w = p.width;
    const int h = static_cast<int>(std::strlen(p.pixels)) / w;
    const int cx = w / 2, cy = h / 2;
    const auto at = [&](int x, int y) {
      if (x < 0 || y < 0 || x >= w || y >= h) return '.';
      return p.pixels[y * w + x];
    };
    const auto push = [&](int x0, int y0, int x1, int y1, bool brush) {
      spans_.push_back({static_cast<std::int8_t>(x0 - cx), static_cast<std::int8_t>(y0 - cy),
                        static_cast<std::int8_t>(x1 - cx), static_cast<std::int8_t>(y1 - cy),
                        brush});
    };
    // Horizontal runs of each ink; one-pixel pen runs are set aside for the pass below.
    std::vector<char> single(static_cast<std::size_t>(w * h), 0);
    for (const char ink : {'o', '#'}) {
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w;) {
          if (at(x, y) != ink) {
            ++x;
            continue;
          }
          int e = x;
          while (at(e + 1, y) == ink) ++e;
          if (ink == '#' && e == x) {
            single[static_cast<std::size_t>(y * w + x)] = 1;
          } else if (ink == 'o' && !spans_.empty() && spans_.back().brush &&
                     spans_.back().x0 == x - cx && spans_.back().x1 == e - cx &&
                     spans_.back().y1 == y - cy - 1) {
            ++spans_.back().y1;  // the same run one row lower: one rectangle for both
          } else {
            push(x, y, e, y, ink == 'o');
          }
          x = e + 1;
        }
      }
    }
    const auto is_single = [&](int x, int y) {
      return x >= 0 && x < w && y < h && single[static_cast<std::size_t>(y * w + x)] != 0;
    };
    // The pixels left over, top row first: each starts the longest run of further single pixels
    // straight down or diagonally down (the canvas draws 45-degree lines exactly), or stays alone.
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if (!is_single(x, y)) continue;
        int best_dx = 0, best_len = 0;
        for (const int dx : {0, 1, -1}) {
          int len = 0;
          while (is_single(x + dx * (len + 1), y + len + 1)) ++len;
          if (len > best_len) {
            best_len = len;
            best_dx = dx;
          }
        }
        for (int k = 0; k <= best_len; ++k) {
          single[static_cast<std::size_t>((y + k) * w + x + best_dx * k)] = 0;
        }
        push(x, y, x + best_dx * best_len, y + best_len, false);
      }
    }
  }

  std::vector<Span> spans_;
  std::array<std::size_t, kNumMarks + 1> first_{};
};

const SpanTable& Spans() {
  static const SpanTable table;
  return table;
}

void DrawSpans(TCanvas& c, std::span<const Span> spans, int x, int y) {
  const TBrushStyle brush_style = c.Brush().Style();
  TPen& pen = c.Pen();
  const bool copy = pen.Mode() == pmCopy;
  const TPenStyle saved_style = pen.Style();
  // One-pixel lines exclude their end point, wider pens cover both ends.
  const int end_step = pen.Width() > 1 ? 0 : 1;
  for (const Span& s : spans) {
    const int x0 = x + s.x0, y0 = y + s.y0, x1 = x + s.x1, y1 = y + s.y1;
    if (s.brush) {
      if (brush_style == bsClear) continue;
      if (copy) {
        c.FillRect(TRect(x0, y0, x1 + 1, y1 + 1));
      } else {
        // Interiors follow the pen mode, as the canvas's own figures do; a rectangle without
        // outline covers one pixel less on the right and at the bottom.
        if (pen.Style() != psClear) pen.SetStyle(psClear);
        c.Rectangle(x0, y0, x1 + 2, y1 + 2);
      }
      continue;
    }
    if (pen.Style() != saved_style) pen.SetStyle(saved_style);
    // Runs go right, down or diagonally down; a line one step beyond the last pixel.
    const int sx = x1 > x0 ? 1 : (x1 < x0 ? -1 : 0);
    const int sy = y1 > y0 ? 1 : 0;
    c.MoveTo(x0, y0);
    if (sx == 0 && sy == 0)
      c.LineTo(x0 + end_step, y0);
    else
      c.LineTo(x1 + sx * end_step, y1 + sy * end_step);
  }
  if (pen.Style() != saved_style) pen.SetStyle(saved_style);
}

int MarkIndex(int mark) {
  return (mark >= 0 && mark < kNumMarks) ? mark : kDefaultMark;
}

}  // namespace

// The pictures as horizontal runs of one ink each, for writing straight into pixel rows.
struct TMarkPixelRun {
  std::int8_t dy, x0, len;  // offsets from the centre; len pixels from x0
};

namespace {

using Run = TMarkPixelRun;

// A mark's pen runs, then its brush runs (the two inks never share a pixel, so their order
// does not matter).
struct MarkRuns {
  std::uint16_t first = 0, pen = 0, brush = 0;
  std::int8_t half = 0;  // half the side of the square that holds the mark
};

class RunTable {
 public:
  RunTable() {
    for (std::size_t m = 0; m < kNumMarks; ++m) {
      const Picture& p = kPictures[m];
      const int w = p.width;
      const int h = static_cast<int>(std::strlen(p.pixels)) / w;
      MarkRuns& mr = marks_[m];
      mr.first = static_cast<std::uint16_t>(runs_.size());
      mr.half = static_cast<std::int8_t>(std::max(w, h) / 2);
      for (const char ink : {'#', 'o'}) {
        const std::size_t before = runs_.size();
        for (int y = 0; y < h; ++y) {
          for (int x = 0; x < w;) {
            int e = x;
            while (e + 1 < w && p.pixels[y * w + e + 1] == p.pixels[y * w + x]) ++e;
            if (p.pixels[y * w + x] == ink) {
              runs_.push_back({static_cast<std::int8_t>(y - h / 2),
                               static_cast<std::int8_t>(x - w / 2),
                               static_cast<std::int8_t>(e - x + 1)});
            }
            x = e + 1;
          }
        }
        (ink == '#' ? mr.pen : mr.brush) = static_cast<std::uint16_t>(runs_.size() - before);
      }
    }
  }
  const MarkRuns& Of(int mark) const { return marks_[static_cast<std::size_t>(mark)]; }
  const Run* Data() const { return runs_.data(); }

 private:
  std::vector<Run> runs_;
  std::array<MarkRuns, kNumMarks> marks_{};
};

const RunTable& Runs() {
  static const RunTable table;
  return table;
}

// Every pixel the canvas writes is opaque.
TPixel OpaquePixel(TColor c) {
  return (ColorToPixel(c) & 0x00FFFFFFu) | 0xFF000000u;
}

// Runs are a few pixels long: plain stores beat a general fill's set-up.
inline void FillPixels(TPixel* p, int n, TPixel v) {
  for (; n >= 4; n -= 4, p += 4) p[0] = p[1] = p[2] = p[3] = v;
  if (n >= 2) p[0] = p[1] = v, p += 2, n -= 2;
  if (n == 1) p[0] = v;
}

void FillRuns(const Run* r, const Run* end, TPixel* centre, std::ptrdiff_t stride, TPixel v) {
  for (; r != end; ++r) FillPixels(centre + r->dy * stride + r->x0, r->len, v);
}

void FillRunsClipped(const Run* r, const Run* end, TPixel* bits, std::ptrdiff_t stride, int x,
                     int y, const TRect& clip, TPixel v) {
  for (; r != end; ++r) {
    const int row = y + r->dy;
    if (row < clip.Top || row >= clip.Bottom) continue;
    const int x0 = std::max(x + r->x0, clip.Left);
    const int x1 = std::min(x + r->x0 + r->len, clip.Right);
    if (x0 < x1) FillPixels(bits + row * stride + x0, x1 - x0, v);
  }
}

}  // namespace

// With a one-pixel solid (or clear) pen in copy mode and a solid (or clear) brush the spans
// paint exactly the picture, each pixel once, in its ink's colour: on a bitmap canvas the
// pixels are written directly, several times faster than drawing the spans.
bool TMarkStamp::Prepare(TCanvas& c, int Mark) {
  canvas_ = nullptr;
  TBitmap* bmp = c.RasterBitmap();
  if (bmp == nullptr) return false;
  const TPen& pen = c.Pen();
  const TPenStyle ps = pen.Style();
  if (pen.Mode() != pmCopy || pen.Width() > 1 ||
      (ps != psSolid && ps != psInsideFrame && ps != psClear))
    return false;
  const TBrushStyle bs = c.Brush().Style();
  if (bs != bsSolid && bs != bsClear) return false;
  canvas_ = &c;
  clip_ = c.ClipRect();
  visible_ = !clip_.IsEmpty() && !bmp->Empty();
  const RunTable& table = Runs();
  const MarkRuns& mr = table.Of(MarkIndex(Mark));
  pen_runs_ = table.Data() + mr.first;
  brush_runs_ = pen_runs_ + mr.pen;
  end_ = brush_runs_ + mr.brush;
  use_pen_ = ps != psClear && mr.pen > 0;
  use_brush_ = bs != bsClear && mr.brush > 0;
  bits_ = bmp->Bits();
  stride_ = bmp->Width();
  half_ = mr.half;
  pen_pixel_ = OpaquePixel(pen.Color());
  brush_pixel_ = OpaquePixel(c.Brush().Color());
  // The strokes of a whole mark: its pen runs, then its brush runs.
  strokes_count_ = 0;
  const auto add = [&](const Run* r, const Run* e) {
    for (; r != e; ++r) {
      if (strokes_count_ == kMaxStrokes || r->len > 16) {
        strokes_count_ = -1;
        return;
      }
      strokes_[strokes_count_++] = {r->dy * stride_ + r->x0, r->len};
    }
  };
  if (use_pen_) add(pen_runs_, brush_runs_);
  pen_strokes_ = strokes_count_;
  if (use_brush_ && strokes_count_ >= 0) add(brush_runs_, end_);
  const int cols = clip_.Right - clip_.Left - 2 * half_,
            rows = clip_.Bottom - clip_.Top - 2 * half_;
  whole_ = visible_ && strokes_count_ >= 0 && cols > 0 && rows > 0;
  inner_ = TRect(clip_.Left + half_, clip_.Top + half_, cols, rows);
  return true;
}

void TMarkStamp::DrawClipped(int x, int y) {
  // Offsets are at most 7 pixels; positions this far out can never be visible and would only
  // overflow.
  constexpr int kLimit = 1 << 30;
  if (!visible_ || x < -kLimit || x > kLimit || y < -kLimit || y > kLimit) return;
  if (x + half_ < clip_.Left || x - half_ >= clip_.Right || y + half_ < clip_.Top ||
      y - half_ >= clip_.Bottom) {
    // Nothing of it is inside.
  } else if (x - half_ >= clip_.Left && x + half_ < clip_.Right && y - half_ >= clip_.Top &&
             y + half_ < clip_.Bottom) {
    TPixel* const centre = bits_ + y * stride_ + x;
    if (use_pen_) FillRuns(pen_runs_, brush_runs_, centre, stride_, pen_pixel_);
    if (use_brush_) FillRuns(brush_runs_, end_, centre, stride_, brush_pixel_);
  } else {
    if (use_pen_) FillRunsClipped(pen_runs_, brush_runs_, bits_, stride_, x, y, clip_, pen_pixel_);
    if (use_brush_) FillRunsClipped(brush_runs_, end_, bits_, stride_, x, y, clip_, brush_pixel_);
  }
  canvas_->NotifyPixelsWritten();
}

std::string MarkPicture(int Mark) {
  const Picture& p = kPictures[static_cast<std::size_t>(MarkIndex(Mark))];
  const std::string_view pixels(p.pixels);
  std::string out;
  for (std::size_t row = 0; row < pixels.size(); row += static_cast<std::size_t>(p.width)) {
    out.append(pixels.substr(row, static_cast<std::size_t>(p.width)));
    out.push_back('\n');
  }
  return out;
}

void DrawMarkOnCanvas(TCanvas& Canvas, int Mark, int X, int Y) {
  const int ix = MarkIndex(Mark);
  // Offsets are at most 7 pixels; positions this far out can never be visible and would only
  // overflow.
  constexpr int kLimit = 1 << 30;
  if (X < -kLimit || X > kLimit || Y < -kLimit || Y > kLimit) return;
  TMarkStamp direct;
  if (direct.Prepare(Canvas, ix)) {
    direct.Draw(X, Y);
    return;
  }
  const TPoint pen_pos = Canvas.PenPos();
  DrawSpans(Canvas, Spans().Of(ix), X, Y);
  Canvas.MoveTo(pen_pos.X, pen_pos.Y);
}

}  // namespace kiv
