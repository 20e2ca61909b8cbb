// DrawMarkOnCanvas: the 52 data marks (dots, crosses, squares, circles, diamonds, triangles,
// bars, stars, ...) that charts draw at data points.
#pragma once

#include <cstddef>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <string>

#include "platform/canvas.h"

namespace kiv {

// Number of distinct marks; mark numbers 0 .. kNumMarks - 1.
inline constexpr int kNumMarks = 52;

// Draws mark number `Mark` centred on (X, Y) with the canvas's current pen (colour, width,
// style, mode) and brush (colour, style). Hollow marks and dots use the pen only and never touch
// pixels with the brush; filled marks have a pen outline and a brush interior, which follows the
// pen mode as the canvas's own figures do. Sizes are the width and height in pixels with a
// one-pixel pen; every mark covers X - size/2 .. X + size/2 and likewise in Y, and every mark
// has a centred bounding box. A wider pen thickens each pen pixel of the mark as it thickens a
// line. The canvas's pen position is left where it was.
//
//   0 pixel                   1   18 triangle up, hollow     11   36 triangle right, filled 11
//   1 dot (square)            3   19 triangle up, filled      7   37 horizontal bar      9 x 1
//   2 dot (round)             5   20 triangle up, filled     11   38 vertical bar        1 x 9
//   3 diagonal cross x        5   21 triangle down, hollow    7   39 horizontal bar     15 x 1
//   4 diagonal cross x        9   22 triangle down, hollow   11   40 vertical bar       1 x 15
//   5 plus +                  5   23 triangle down, filled    7   41 square with x          9
//   6 plus +                  9   24 triangle down, filled   11   42 square with +          9
//   7 asterisk (+ and x)      5   25 circle, hollow           5   43 circle with +          9
//   8 asterisk (+ and x)      9   26 circle, hollow           9   44 circle with x         11
//   9 square, hollow          5   27 circle, filled           5   45 circle with centre dot 9
//  10 square, hollow          9   28 circle, filled           9   46 square with centre dot 9
//  11 square, filled          5   29 triangle left, hollow    7   47 five-point star, hollow 11
//  12 square, filled          9   30 triangle left, hollow   11   48 five-point star, filled 11
//  13 diamond, hollow         7   31 triangle left, filled    7   49 hourglass, filled      9
//  14 diamond, hollow        11   32 triangle left, filled   11   50 bow tie, filled        9
//  15 diamond, filled         7   33 triangle right, hollow   7   51 circle, hollow        13
//  16 diamond, filled        11   34 triangle right, hollow  11
//  17 triangle up, hollow     7   35 triangle right, filled   7
//
// Other mark numbers draw the square dot of mark 1 (charts that show larger numbers as
// characters handle those themselves). Drawing is clipped by the canvas, never throws and
// allocates nothing of its own.
void DrawMarkOnCanvas(TCanvas& Canvas, int Mark, int X, int Y);

struct TMarkPixelRun;

// Many marks of one kind, written with the canvas's current pen and brush straight into the rows
// of its bitmap: the pixels DrawMarkOnCanvas gives, without resolving the drawing state for each
// mark. Prepare says whether the canvas allows it (a bitmap canvas, a one-pixel solid or clear
// pen in copy mode, a solid or clear brush); the canvas's state, clip rectangle and bitmap size
// must stay as they are while the stamp is used.
class TMarkStamp {
 public:
  bool Prepare(TCanvas& Canvas, int Mark);
  // Mark centred on (X, Y), clipped; only after Prepare returned true.
  // Asks for the memory of the rows a whole mark at (X, Y) writes, some marks before Draw
  // writes them: marks scattered over a large bitmap miss the caches with every row.
  void Prefetch(int X, int Y) const {
    if (!(whole_ && static_cast<unsigned>(X - inner_.Left) < static_cast<unsigned>(inner_.Right) &&
          static_cast<unsigned>(Y - inner_.Top) < static_cast<unsigned>(inner_.Bottom)))
      return;
    const TPixel* row = bits_ + (Y - half_) * stride_ + X;
    for (int dy = -half_; dy <= half_; ++dy, row += stride_) {
      __builtin_prefetch(row - half_, 1);
      __builtin_prefetch(row + half_, 1);
    }
  }
  void Draw(int X, int Y) {
    // The common case, a whole mark inside the clip rectangle, without calls.
    if (whole_ && static_cast<unsigned>(X - inner_.Left) < static_cast<unsigned>(inner_.Right) &&
        static_cast<unsigned>(Y - inner_.Top) < static_cast<unsigned>(inner_.Bottom)) {
      TPixel* const centre = bits_ + Y * stride_ + X;
      for (int k = 0; k < pen_strokes_; ++k)
        FillShort(centre + strokes_[k].offset, strokes_[k].len, pen_pixel_);
      for (int k = pen_strokes_; k < strokes_count_; ++k)
        FillShort(centre + strokes_[k].offset, strokes_[k].len, brush_pixel_);
      canvas_->NotifyPixelsWritten();
      return;
    }
    DrawClipped(X, Y);
  }

 private:
  void DrawClipped(int X, int Y);
  // A run of 1 to 16 pixels in at most four stores (overlapping where the run is shorter).
  static void FillShort(TPixel* p, int n, TPixel v) {
#ifdef __SSE2__
    if (n >= 4) {
      const __m128i q = _mm_set1_epi32(static_cast<int>(v));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(p), q);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(p + n - 4), q);
      if (n > 8) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 4), q);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + n - 8), q);
      }
      return;
    }
#else
    for (; n > 3; --n) p[n - 1] = v;
#endif
    p[0] = v;
    p[n >> 1] = v;
    p[n - 1] = v;
  }
  TCanvas* canvas_ = nullptr;
  // Centres whose whole mark is inside the clip rectangle: Left, Top and the counts of columns
  // and rows from there (Right, Bottom).
  TRect inner_;
  bool whole_ = false;
  TRect clip_;
  bool visible_ = false;  // the canvas has pixels inside its clip rectangle
  bool use_pen_ = false, use_brush_ = false;
  const TMarkPixelRun* pen_runs_ = nullptr;
  const TMarkPixelRun* brush_runs_ = nullptr;
  const TMarkPixelRun* end_ = nullptr;
  TPixel* bits_ = nullptr;
  std::ptrdiff_t stride_ = 0;
  int half_ = 0;
  TPixel pen_pixel_ = 0, brush_pixel_ = 0;
  // The runs of the mark's inks as offsets from the centre pixel, for marks drawn whole.
  struct Stroke {
    std::ptrdiff_t offset;
    int len;
  };
  static constexpr int kMaxStrokes = 64;
  Stroke strokes_[kMaxStrokes] = {};
  int pen_strokes_ = 0, strokes_count_ = -1;  // -1: the runs are drawn one by one
};

// The pixel picture DrawMarkOnCanvas draws with a one-pixel pen, as text: one line per row, each
// ended by a line feed, '#' for a pen pixel, 'o' for a brush pixel and '.' for a pixel left
// alone; the centre pixel is the middle of the picture. Unknown numbers give mark 1's picture.
std::string MarkPicture(int Mark);

}  // namespace kiv
