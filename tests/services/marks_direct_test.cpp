// Marks written straight into bitmap rows (copy-mode pens on bitmap canvases) against the same
// marks drawn span by span through a canvas without pixels (a metafile replayed onto a bitmap):
// every mark, pen and brush style, pen mode, position at and across the edges, clip rectangle.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/bitmap.h"
#include "platform/metafile.h"
#include "services/marks.h"

namespace kiv {
namespace {

constexpr int kW = 23;
constexpr int kH = 17;

// A picture of random opaque pixels, so that pixels a mark must leave alone are checked too.
TBitmap Noise(std::uint32_t seed) {
  TBitmap b(kW, kH);
  std::mt19937 rng(seed);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) b.ScanLine(y)[x] = 0xFF000000u | (rng() & 0xFFFFFFu);
  return b;
}

struct Setup {
  TPenStyle pen_style = psSolid;
  TPenMode pen_mode = pmCopy;
  int pen_width = 1;
  TBrushStyle brush_style = bsSolid;
  bool clip = false;
};

void Apply(TCanvas& c, const Setup& s) {
  c.Pen().SetColor(RGB(10, 20, 200));
  c.Pen().SetStyle(s.pen_style);
  c.Pen().SetMode(s.pen_mode);
  c.Pen().SetWidth(s.pen_width);
  c.Brush().SetColor(clYellow);
  c.Brush().SetStyle(s.brush_style);
  if (s.clip) c.SetClipRect(TRect(3, 2, 19, 14));
}

// The first pixel where the two pictures differ, as text; empty when they agree.
std::string FirstDifference(const TBitmap& a, const TBitmap& b) {
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      if (a.ScanLine(y)[x] != b.ScanLine(y)[x]) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "pixel (%d, %d): %08X direct, %08X by spans", x, y,
                      a.ScanLine(y)[x], b.ScanLine(y)[x]);
        return buf;
      }
    }
  }
  return "";
}

// Draws the mark on a bitmap canvas and, through a metafile, span by span; compares.
void ExpectSamePixels(int mark, int x, int y, const Setup& s, std::uint32_t seed) {
  TBitmap direct = Noise(seed);
  Apply(direct.Canvas(), s);
  direct.Canvas().MoveTo(4, 5);
  DrawMarkOnCanvas(direct.Canvas(), mark, x, y);
  EXPECT_EQ(direct.Canvas().PenPos(), TPoint(4, 5));

  TMetafile mf(kW, kH);
  {
    TMetafileCanvas rec(mf);
    Apply(rec, s);
    DrawMarkOnCanvas(rec, mark, x, y);
  }
  TBitmap spans = Noise(seed);
  mf.Replay(spans.Canvas());
  EXPECT_EQ(FirstDifference(direct, spans), "")
      << "mark " << mark << " at (" << x << ", " << y << "), pen style " << int(s.pen_style)
      << ", mode " << int(s.pen_mode) << ", width " << s.pen_width << ", brush style "
      << int(s.brush_style) << (s.clip ? ", clipped" : "");
}

TEST(MarksDirect, EveryMarkInEveryStyleMatchesTheSpans) {
  std::mt19937 rng(2024);
  std::uniform_int_distribution<int> px(-8, kW + 7), py(-8, kH + 7);
  for (int mark = 0; mark <= kNumMarks; ++mark) {  // kNumMarks: an unknown number
    for (const TPenStyle ps : {psSolid, psInsideFrame, psClear}) {
      for (const TBrushStyle bs : {bsSolid, bsClear}) {
        for (const bool clip : {false, true}) {
          // The centre, then positions across every edge and corner.
          ExpectSamePixels(mark, kW / 2, kH / 2, {ps, pmCopy, 1, bs, clip}, 1);
          for (int k = 0; k < 6; ++k)
            ExpectSamePixels(mark, px(rng), py(rng), {ps, pmCopy, 1, bs, clip}, rng());
        }
      }
    }
  }
}

TEST(MarksDirect, OtherPensAndBrushesKeepTheirLook) {
  // These take the drawing calls on bitmaps too; both devices agree.
  std::mt19937 rng(99);
  std::uniform_int_distribution<int> px(-4, kW + 3), py(-4, kH + 3);
  for (int mark = 0; mark < kNumMarks; ++mark) {
    for (const TPenMode mode : {pmXor, pmNot, pmMerge, pmMask, pmNotCopy, pmBlack}) {
      ExpectSamePixels(mark, px(rng), py(rng), {psSolid, mode, 1, bsSolid, false}, rng());
    }
    ExpectSamePixels(mark, kW / 2, kH / 2, {psDot, pmCopy, 1, bsSolid, false}, 5);
    ExpectSamePixels(mark, kW / 2, kH / 2, {psSolid, pmCopy, 3, bsSolid, false}, 6);
    ExpectSamePixels(mark, kW / 2, kH / 2, {psSolid, pmCopy, 1, bsDiagCross, true}, 7);
  }
}

TEST(MarksDirect, EachMarkPaintsItsPictureInPenAndBrushColours) {
  for (int mark = 0; mark < kNumMarks; ++mark) {
    TBitmap b(kW, kH);
    TCanvas& c = b.Canvas();
    c.Pen().SetColor(clRed);
    c.Brush().SetColor(clBlue);
    DrawMarkOnCanvas(c, mark, 11, 8);
    const std::string pic = MarkPicture(mark);
    const int w = static_cast<int>(pic.find('\n'));
    const int h = static_cast<int>(pic.size()) / (w + 1);
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        const int u = x - 11 + w / 2, v = y - 8 + h / 2;
        const char ink = (u >= 0 && u < w && v >= 0 && v < h) ? pic[v * (w + 1) + u] : '.';
        const TColor want = ink == '#' ? clRed : (ink == 'o' ? clBlue : clWhite);
        ASSERT_EQ(b.Canvas().Pixels(x, y), want)
            << "mark " << mark << " at (" << x << ", " << y << ")";
      }
    }
  }
}

TEST(MarksDirect, DirectWritesCountAsCanvasChanges) {
  TBitmap b(kW, kH);
  const auto before = b.Canvas().ChangeCount();
  DrawMarkOnCanvas(b.Canvas(), 12, 11, 8);
  EXPECT_GT(b.Canvas().ChangeCount(), before);
}

}  // namespace
}  // namespace kiv
