// Vector pictures: a metafile is the command list recorded by a TMetafileCanvas. It replays onto
// any canvas (giving the same pixels as drawing directly) and writes itself as SVG.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace kiv {

class TMetafileCanvas;

class TMetafile : public TPersistent {
 public:
  TMetafile();
  TMetafile(int width, int height);
  TMetafile(const TMetafile& other);
  TMetafile(TMetafile&& other) noexcept;
  TMetafile& operator=(const TMetafile& other);
  TMetafile& operator=(TMetafile&& other) noexcept;
  ~TMetafile() override;
  std::string ClassName() const override { return "TMetafile"; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // The picture's extent in pixels (the SVG's view box); drawing outside it is kept but clipped
  // by viewers.
  void SetSize(int width, int height);

  void Clear();
  std::size_t CommandCount() const;

  // Draws the recorded picture onto target, shifted by (dx, dy). The target's drawing state is
  // changed as the recording changed it.
  void Replay(TCanvas& target, int dx = 0, int dy = 0) const;

  // The picture as an SVG document. Lines and outlines lie on pixel centres so that the vector
  // picture covers the pixels the canvas would paint; bitmaps are embedded as PNG. Raster modes
  // other than copy are approximated (XOR and NOT as a "difference" blend).
  std::string ToSvg() const;
  // Writes ToSvg() to a file; raises EPlatformError when it cannot be written.
  void SaveToFile(const std::string& file_name) const;

  void Assign(const TPersistent& Source) override;

  struct State;
  struct Command;

 private:
  friend class TMetafileCanvas;
  // The SVG elements of the picture; clip_id numbers the clip paths of the whole document.
  void WriteSvgBody(std::ostream& o, int& clip_id) const;
  int width_ = 0;
  int height_ = 0;
  std::vector<State> states_;
  std::vector<Command> commands_;
};

// A canvas that records into a metafile instead of painting pixels. Pixels cannot be read back
// (they read as clNone).
class TMetafileCanvas final : public TCanvas {
 public:
  explicit TMetafileCanvas(TMetafile& metafile);
  std::string ClassName() const override { return "TMetafileCanvas"; }

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
  std::uint32_t CurrentState();
  TMetafile::Command& Add(int kind);
  TMetafile* mf_;
};

}  // namespace kiv
