// TScaledCanvas: a canvas that paints every call a whole number of times larger into a bitmap,
// as printing does (pen widths and fonts scaled), and the pictures made with it: scaled and
// smoothed renderings of recorded pictures.
#pragma once

#include <memory>

#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace kiv {

class TMetafile;
class TFineCanvas;

// Coordinates are those of the picture at its own size; pixel (x, y) becomes the block of
// Scale x Scale pixels at (Scale x, Scale y) of the bitmap. Pens are Scale times as wide and fonts
// keep their point size at Scale times the resolution, so texts are drawn afresh at the larger
// size, not magnified. Fills, pixels, bitmaps and axis-parallel lines of one-pixel pens cover
// exactly the blocks of the pixels they cover at the picture's size; slanted lines, ellipses
// and arcs are drawn with the wider pen along the scaled geometry. Dash patterns keep their
// lengths in the picture's pixels. Drawing is clipped to the bitmap.
class TScaledCanvas final : public TCanvas {
 public:
  // The bitmap keeps its size; Scale is clamped to 1..16.
  TScaledCanvas(TBitmap& target, int Scale);
  ~TScaledCanvas() override;
  std::string ClassName() const override { return "TScaledCanvas"; }
  int Scale() const { return s_; }
  // Where the block of picture pixel (0, 0) starts in the bitmap (0, 0 unless set): a picture
  // drawn around a point that lies between the blocks of another one.
  TPoint Origin() const { return origin_; }
  void SetOrigin(TPoint p) { origin_ = p; }
  // A clip rectangle in the bitmap's pixels besides the picture's own (none unless set): for a
  // picture that is part of another one with a clip of its own.
  void SetBitmapClip(const TRect& r) {
    bitmap_clip_ = r;
    has_bitmap_clip_ = true;
  }
  // The same bitmap with coordinates in its own pixels, pens and fonts still in the picture's
  // units (fine_canvas.h): for geometry that is computed at the finer resolution, such as the
  // exact places of a chart's data, drawn between the parts that stay on the picture's pixels.
  // It takes this canvas's clip rectangle.
  TFineCanvas& Fine();

 protected:
  void DoLine(TPoint from, TPoint to, bool continues) override;
  void DoPolyline(std::span<const TPoint> points) override;
  void DoPolygon(std::span<const TPoint> points) override;
  void DoRectangle(const TRect& r) override;
  void DoFillRect(const TRect& r) override;
  void DoFrameRect(const TRect& r) override;
  void DoEllipse(const TRect& r) override;
  void DoArc(const TRect& box, TPoint start, TPoint end) override;
  TColor DoGetPixel(int x, int y) const override;
  void DoSetPixel(int x, int y, TColor c) override;
  void DoText(int x, int y, std::string_view text, const TRect* clip) override;
  void DoStretch(const TRect& dest, const TBitmap& source, const TRect& src) override;
  TRect DeviceBounds() const override;

 private:
  // The target canvas with this canvas's state (pen width Scale times, font resolution Scale
  // times, clip rectangle scaled); returns it.
  TCanvas& Prepare();
  // The bitmap coordinate where the block of picture column x (row y) starts.
  int BlockX(long long x) const;
  int BlockY(long long y) const;
  // The centre pixel of the block of picture pixel p.
  TPoint Centre(TPoint p) const;
  TRect Block(const TRect& r) const;
  // A line from a to b, its end included for wide pens, dashed as a one-pixel pen asks (the
  // pattern going on from phase_).
  void Segment(TCanvas& t, TPoint a, TPoint b, bool last_included);
  // Pixels i0..i1 (included) of the n steps of a line from a to b, with the inner pen.
  void Stroke(TCanvas& t, TPoint a, TPoint b, long long i0, long long i1, long long n);
  // The interior of a rectangle or the box of a clear-pen figure, exactly the blocks.
  void FillBlocks(TCanvas& t, const TRect& picture_rect, TColor color, bool pen_mode);

  TBitmap* target_;
  int s_;
  TPoint origin_;
  TRect bitmap_clip_;
  bool has_bitmap_clip_ = false;
  int phase_ = 0;  // pixels of the dash pattern drawn so far
  std::unique_ptr<TFineCanvas> fine_;
};

// The recorded picture drawn Scale times larger (1..16) into bitmap, which takes the size
// Scale x the metafile's and starts white.
void RenderScaled(const TMetafile& picture, int Scale, TBitmap& bitmap);
// The smooth picture at Scale times the size (1..4): drawn four times larger again and reduced
// by averaging each block of 4 x 4 pixels (box_filter.h), so that edges get intermediate
// colours.
void RenderSmooth(const TMetafile& picture, int Scale, TBitmap& bitmap);

}  // namespace kiv
