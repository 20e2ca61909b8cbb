// Helpers of the composition tests: a chart that opens its composition steps and bitmaps, a
// canvas that records the texts drawn on it, and pixel helpers.
#pragma once

#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "rchart/rchart.h"

namespace kiv {

class ComposeChart : public TCustomRChart {
 public:
  explicit ComposeChart(TComponent* owner = nullptr) : TCustomRChart(owner) {}
  using TCustomRChart::ConstructChartBmp;
  using TCustomRChart::ConstructDataBmpCanvas;
  using TCustomRChart::DrawFinish;
  using TCustomRChart::InitGraf;
  using TCustomRChart::Paint;
  const TBitmap& ChartBitmap() const { return ChartBmp; }
  const TBitmap& DataBitmap() const { return GrafBmp; }
  int LastShown() const { return FLastElemOnShow; }
};

// A canvas without pixels that draws nothing; recorders override the primitives they keep.
class TNullCanvas : public TCanvas {
 public:
  TNullCanvas(int w, int h) : w_(w), h_(h) {}

 protected:
  void DoLine(TPoint, TPoint, bool) override {}
  void DoPolyline(std::span<const TPoint>) override {}
  void DoPolygon(std::span<const TPoint>) override {}
  void DoRectangle(const TRect&) override {}
  void DoFillRect(const TRect&) override {}
  void DoFrameRect(const TRect&) override {}
  void DoEllipse(const TRect&) override {}
  void DoArc(const TRect&, TPoint, TPoint) override {}
  TColor DoGetPixel(int, int) const override { return clNone; }
  void DoSetPixel(int, int, TColor) override {}
  void DoText(int, int, std::string_view, const TRect*) override {}
  void DoStretch(const TRect&, const TBitmap&, const TRect&) override {}
  TRect DeviceBounds() const override { return TRect(0, 0, w_, h_); }

 private:
  int w_, h_;
};

// A canvas without pixels that keeps every text drawn on it with the top-left corner of its
// cell.
class TTextRecorder final : public TNullCanvas {
 public:
  struct Text {
    int x, y;
    std::string text;
  };
  TTextRecorder(int w, int h) : TNullCanvas(w, h) {}
  std::vector<Text> texts;

 protected:
  void DoText(int x, int y, std::string_view text, const TRect*) override {
    texts.push_back({x, y, std::string(text)});
  }
};

inline TColor PixelAt(const TBitmap& b, int x, int y) {
  return const_cast<TBitmap&>(b).Canvas().Pixels(x, y);
}

}  // namespace kiv
