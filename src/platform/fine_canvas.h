// TFineCanvas: a canvas on a bitmap that holds a picture Scale times larger, with coordinates in
// the bitmap's own pixels while pens, dash patterns and fonts keep the picture's units.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/picture_stamp.h"

namespace kiv {

class TScaledCanvas;

// Picture pixel p is the block of Scale x Scale pixels at Scale p. Its centre pixel is
// Centre(p) = Scale p + Offset(), Offset() = (Scale - 1) / 2: a pen Scale pixels wide centred
// there covers exactly the block. Points name pixels of the bitmap, so geometry computed at the
// finer resolution lands where it belongs instead of on the picture's pixels. A pen of width w
// draws w Scale pixels wide (pens of even widths lean half a picture pixel right and down, as
// the picture's own do), dash patterns are Scale times as long, and the font has Scale times the
// resolution, so that texts are measured and drawn in the bitmap's pixels (AssignFont keeps
// that when a picture's font is assigned).
//
// Lines and outlines are the wide pen's strokes through their points, both ends covered, as a
// printer draws them; but an axis-parallel line between block centres, with a pen up to three
// pixels wide, covers exactly the blocks of the picture's line (a one-pixel line stops a block
// before its end), so that shapes on the picture's pixels stay as sharp as in the picture.
// Rectangles are rings of the wide pen around the blocks of their outermost pixels (exactly the
// picture's blocks for corners at block centres); SetPixels paints the block centred on the
// point; texts, fills and bitmaps are placed by the corners given. Drawing is clipped to the
// bitmap and the clip rectangle.
class TFineCanvas final : public TCanvas {
 public:
  // The bitmap keeps its size; Scale is clamped to 1..16.
  TFineCanvas(TBitmap& target, int Scale);
  ~TFineCanvas() override;
  std::string ClassName() const override { return "TFineCanvas"; }
  int Scale() const { return s_; }
  int Offset() const { return (s_ - 1) / 2; }
  // The centre pixel of the block of picture column (row) v.
  long long Centre(long long v) const { return s_ * v + Offset(); }
  // A picture's font at Scale times its resolution.
  void AssignFont(const TFont& font);
  // A canvas in the picture's pixels whose pixel (0, 0) is the block centred on `centre`, with
  // this canvas's pen, brush and modes: pixel pictures such as marks drawn magnified around a
  // point computed here. Valid until the next call.
  TCanvas& PictureAt(TPoint centre);
  // What draw paints on PictureAt(centre), reaching at most Radius picture pixels from (0, 0).
  // With a copy-mode pen and a solid or clear brush the drawing is recorded once per Key and
  // drawing state and then copied (the same pixels, many times faster for many copies).
  void DrawPictureAt(TPoint centre, int Key, int Radius, const std::function<void(TCanvas&)>& draw);

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
  // The target canvas with this canvas's state, the pen Scale times as wide; returns it.
  TCanvas& Prepare();
  int PenWidth() const;
  bool Dashed() const;
  // How far the wide pen's strokes are shifted so that a pen of even width leans as the
  // picture's does.
  int Lean() const;
  bool OnGrid(TPoint p) const;
  // A line from a to b: the blocks of the picture's line where that applies, else the wide
  // stroke; the dash pattern goes on from phase_.
  void Segment(TCanvas& t, TPoint a, TPoint b);
  // The axis-parallel line between picture pixels a and b as blocks.
  void BlockLine(TCanvas& t, TPoint a, TPoint b);
  // The wide stroke from a to b, dashed as a one-pixel picture pen asks.
  void Stroke(TCanvas& t, TPoint a, TPoint b);
  // A closed or open outline through the points.
  void Outline(TCanvas& t, std::span<const TPoint> points, bool closed);
  // Pixels of r (exclusive) in colour c with the pen mode, as figure interiors are painted.
  void Fill(TCanvas& t, const TRect& r, TColor c);

  TBitmap* target_;
  int s_;
  long long phase_ = 0;  // steps of the dash pattern drawn so far, in the bitmap's pixels
  std::unique_ptr<TScaledCanvas> picture_;
  // Recorded pictures: the key, the pen and brush they were drawn with.
  struct Stamp {
    int key, radius;
    TColor pen, brush;
    int width;
    TPenStyle pen_style;
    TBrushStyle brush_style;
    TPictureStamp stamp;
  };
  std::vector<Stamp> stamps_;
};

}  // namespace kiv
