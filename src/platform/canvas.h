// TCanvas: the painter. It owns the drawing state (pen, brush, font, pen position, text
// alignment, copy mode, clip rectangle) and turns each call into one primitive for its device:
// pixels of a bitmap (TBitmapCanvas) or a recorded command list (the metafile canvas).
//
// Coordinates follow the classic raster-device rules (docs/architecture.md has the details):
// a line excludes its end pixel; Rectangle(x1, y1, x2, y2) covers x1..x2-1 and y1..y2-1;
// ellipses and arcs fit inside that same box; arcs run counter-clockwise on screen; polygons
// fill by the alternate rule; dashed styles apply to one-pixel pens only.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/classes.h"
#include "platform/graphics.h"
#include "platform/types.h"

namespace kiv {

class TBitmap;
class TMetafile;

// Text alignment of the device context (combine one horizontal and one vertical flag).
inline constexpr unsigned TA_NOUPDATECP = 0;
inline constexpr unsigned TA_UPDATECP = 1;
inline constexpr unsigned TA_LEFT = 0;
inline constexpr unsigned TA_RIGHT = 2;
inline constexpr unsigned TA_CENTER = 6;
inline constexpr unsigned TA_TOP = 0;
inline constexpr unsigned TA_BOTTOM = 8;
inline constexpr unsigned TA_BASELINE = 24;

// Raster operations of Draw, CopyRect and StretchDraw (the framework's copy modes).
using TCopyMode = std::int32_t;
inline constexpr TCopyMode cmBlackness = 0x00000042;
inline constexpr TCopyMode cmDstInvert = 0x00550009;
inline constexpr TCopyMode cmMergeCopy = 0x00C000CA;   // source AND brush
inline constexpr TCopyMode cmMergePaint = 0x00BB0226;  // NOT source OR dest
inline constexpr TCopyMode cmNotSrcCopy = 0x00330008;
inline constexpr TCopyMode cmNotSrcErase = 0x001100A6;  // NOT (source OR dest)
inline constexpr TCopyMode cmPatCopy = 0x00F00021;
inline constexpr TCopyMode cmPatInvert = 0x005A0049;
inline constexpr TCopyMode cmPatPaint = 0x00FB0A09;
inline constexpr TCopyMode cmSrcAnd = 0x008800C6;
inline constexpr TCopyMode cmSrcCopy = 0x00CC0020;
inline constexpr TCopyMode cmSrcErase = 0x00440328;   // source AND NOT dest
inline constexpr TCopyMode cmSrcInvert = 0x00660046;  // source XOR dest
inline constexpr TCopyMode cmSrcPaint = 0x00EE0086;   // source OR dest
inline constexpr TCopyMode cmWhiteness = 0x00FF0062;

enum TFillMode : std::uint8_t { fmAlternate, fmWinding };

class TCanvas : public TPersistent {
 public:
  TCanvas();
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  std::string ClassName() const override { return "TCanvas"; }

  TPen& Pen() { return pen_; }
  const TPen& Pen() const { return pen_; }
  TBrush& Brush() { return brush_; }
  const TBrush& Brush() const { return brush_; }
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetPen(const TPen& p) { pen_.Assign(p); }
  void SetBrush(const TBrush& b) { brush_.Assign(b); }
  void SetFont(const TFont& f) { font_.Assign(f); }

  TPoint PenPos() const { return pen_pos_; }
  void SetPenPos(TPoint p);

  TCopyMode CopyMode() const { return copy_mode_; }
  void SetCopyMode(TCopyMode m) { copy_mode_ = m; }
  unsigned TextAlign() const { return text_align_; }
  void SetTextAlign(unsigned flags) { text_align_ = flags; }
  TFillMode PolyFillMode() const { return fill_mode_; }
  void SetPolyFillMode(TFillMode m) { fill_mode_ = m; }

  // Drawing is clipped to this rectangle and to the device's own bounds.
  TRect ClipRect() const;
  void SetClipRect(const TRect& r);
  void ResetClipRect();

  // Device resolution: 96 on screen and for bitmaps; a printer canvas reports its own.
  int PixelsPerInch() const { return ppi_; }
  void SetPixelsPerInch(int ppi) { ppi_ = ppi > 0 ? ppi : 96; }
  bool IsPrinter() const { return is_printer_; }
  void SetIsPrinter(bool v) { is_printer_ = v; }

  // Lines with the pen. LineTo draws from the pen position to (X, Y), excluding (X, Y), and
  // moves the pen there. Consecutive LineTo calls continue the dash pattern; MoveTo restarts it.
  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  // Lines through all points (the last point excluded); the pen position does not change.
  void Polyline(std::span<const TPoint> points);
  // The closed outline with the pen and the interior with the brush (PolyFillMode).
  void Polygon(std::span<const TPoint> points);

  // Outline with the pen, interior with the brush; covers X1..X2-1, Y1..Y2-1.
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  // The whole rectangle with the brush; the pen and the pen mode are not used.
  void FillRect(const TRect& r);
  // A one-pixel border with the brush colour.
  void FrameRect(const TRect& r);
  // The ellipse inscribed in the rectangle: outline with the pen, interior with the brush.
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  // The part of the ellipse inscribed in (X1, Y1, X2, Y2) that runs counter-clockwise from the
  // ray through (X3, Y3) to the ray through (X4, Y4), both rays from the box centre. Equal rays
  // give the whole ellipse.
  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);

  // Pixel access. Reading outside the device gives clNone (-1 for devices without pixels).
  TColor Pixels(int X, int Y) const;
  void SetPixels(int X, int Y, TColor c);

  // Text in the font, placed by TextAlign at (X, Y). With a solid brush the text cell is first
  // filled with the brush colour (opaque background); with a clear brush only glyphs are drawn.
  // Text ignores the pen mode.
  void TextOut(int X, int Y, std::string_view text);
  // As TextOut, clipped to r (the cell is filled only inside r).
  void TextRect(const TRect& r, int X, int Y, std::string_view text);
  int TextWidth(std::string_view text) const;
  int TextHeight(std::string_view text) const;
  TSize TextExtent(std::string_view text) const;

  // Bitmap transfer with CopyMode. CopyRect stretches when the rectangles differ in size
  // (nearest pixel); a mirrored rectangle mirrors the picture.
  void Draw(int X, int Y, const TBitmap& source);
  void StretchDraw(const TRect& dest, const TBitmap& source);
  void CopyRect(const TRect& dest, const TCanvas& source, const TRect& src);
  // A recorded picture scaled into dest. Vector devices (recordings, PDF pages) keep it vector;
  // raster devices draw it at its own size and magnify that by nearest pixel, as StretchDraw
  // does with a bitmap.
  void StretchDraw(const TRect& dest, const TMetafile& picture);

  // The bitmap behind a raster canvas, or nullptr for canvases without pixels.
  virtual TBitmap* RasterBitmap() const { return nullptr; }

  // Incremented by every drawing call; hosts use it to know that a surface changed.
  std::uint64_t ChangeCount() const { return change_count_; }
  // Code that writes into RasterBitmap()'s rows itself reports it here, so that hosts see the
  // change as they see drawing calls.
  void NotifyPixelsWritten() { Touch(); }

 protected:
  // Device primitives. Coordinates are final device coordinates; the state is read from the
  // canvas (Pen(), Brush(), Font(), ...). Clipping is the device's business.
  virtual void DoLine(TPoint from, TPoint to, bool continues) = 0;
  virtual void DoPolyline(std::span<const TPoint> points) = 0;
  virtual void DoPolygon(std::span<const TPoint> points) = 0;
  virtual void DoRectangle(const TRect& r) = 0;
  virtual void DoFillRect(const TRect& r) = 0;
  virtual void DoFrameRect(const TRect& r) = 0;
  virtual void DoEllipse(const TRect& r) = 0;
  virtual void DoArc(const TRect& box, TPoint start, TPoint end) = 0;
  virtual TColor DoGetPixel(int x, int y) const = 0;
  virtual void DoSetPixel(int x, int y, TColor c) = 0;
  // Text whose cell has its top-left corner at (x, y); clip may be null.
  virtual void DoText(int x, int y, std::string_view text, const TRect* clip) = 0;
  virtual void DoStretch(const TRect& dest, const TBitmap& source, const TRect& src) = 0;
  // The default rasterises the picture and hands it to DoStretch.
  virtual void DoStretchPicture(const TRect& dest, const TMetafile& picture);
  // The device's own bounds (for ClipRect); an empty rectangle means unbounded.
  virtual TRect DeviceBounds() const = 0;
  void Touch() { ++change_count_; }

 private:
  TPen pen_;
  TBrush brush_;
  TFont font_;
  TPoint pen_pos_;
  bool line_continues_ = false;  // the last call was a LineTo ending at the pen position
  TCopyMode copy_mode_ = cmSrcCopy;
  unsigned text_align_ = TA_LEFT | TA_TOP;
  TFillMode fill_mode_ = fmAlternate;
  TRect clip_;
  bool has_clip_ = false;
  int ppi_ = 96;
  bool is_printer_ = false;
  std::uint64_t change_count_ = 0;
};

// The canvas of a bitmap: draws pixels directly into its rows.
class TBitmapCanvas final : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(&bitmap) {}
  std::string ClassName() const override { return "TBitmapCanvas"; }
  TBitmap* RasterBitmap() const override { return bitmap_; }

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
  friend class TBitmap;
  TBitmap* bitmap_;
  int dash_phase_ = 0;
};

}  // namespace kiv
