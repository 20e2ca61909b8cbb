// TCairoCanvas: a canvas whose device is a cairo context (a PDF page). Shapes stay vector and
// text becomes glyphs of the embedded face, placed so that the page matches the raster canvas.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/canvas.h"

typedef struct _cairo cairo_t;

namespace kiv {

// Coordinates are the canvas' pixels; the caller sets up the context's transformation (for a
// page: points per pixel). Shapes follow the raster rules as far as a vector device can: lines
// and outlines run through pixel centres, one-pixel lines stop half a pixel short of their end
// so they cover the pixels the raster line covers, fills cover the pixel squares. XOR-like pen
// modes become a difference blend; pixels cannot be read (they read as clNone).
class TCairoCanvas final : public TCanvas {
 public:
  // Draws into cr (not owned) within Width x Height pixels.
  TCairoCanvas(cairo_t* cr, int Width, int Height);
  ~TCairoCanvas() override;
  std::string ClassName() const override { return "TCairoCanvas"; }

  // Strokes a pending polyline; call before the context is used by anyone else.
  void Flush();

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
  void DoStretchPicture(const TRect& dest, const TMetafile& picture) override;
  TRect DeviceBounds() const override;

 private:
  struct Fonts;
  // Opens a drawing scope clipped to the clip rectangle (and extra, when given); false when
  // nothing can be visible.
  bool Begin(const TRect* extra = nullptr);
  bool BeginClip(const TRect& clip);
  void End();
  bool SetPenSource();
  void SetBrushSource();
  void StrokePath();
  void FillPath();
  // The position of a pen centred on pixel p.
  double PenCentre(int v) const;

  cairo_t* cr_;
  TRect bounds_;
  std::unique_ptr<Fonts> fonts_;
  // A one-pixel polyline built from consecutive LineTo calls, stroked as one path so that its
  // joins and dash pattern run through.
  std::vector<TPoint> path_;
  TPen path_pen_;
  TBrush path_brush_;
  TRect path_clip_;
};

}  // namespace kiv
