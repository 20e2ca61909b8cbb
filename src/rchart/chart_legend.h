// TChartLegend: a chart's legend, a box of entries (a sample line and/or mark and a text) placed
// in a corner of the data area or beside it, with its layout and drawing onto any canvas.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/graphics.h"
#include "platform/types.h"
#include "services/notifier.h"

namespace kiv {

enum TLegendCorner : std::uint8_t { lcTopLeft, lcTopRight, lcBottomLeft, lcBottomRight };

// One line of the legend: the sample drawn as the chart draws the data it stands for.
struct TLegendEntry {
  std::string Text;
  TColor Color = clBlack;  // pen of the line and the mark
  int LineWidth = 1;       // 0: no line in the sample
  TPenStyle PenStyle = psSolid;
  int Mark = -1;             // mark number (DrawMarkOnCanvas), or -1 for none
  TColor MarkFill = clNone;  // interior of filled marks; clNone: Color
  bool operator==(const TLegendEntry&) const = default;
};

// The legend's settings and entries. It is drawn when it is visible and has entries: a chart
// with no entries looks as it always did. Every change is reported through OnChange.
class TChartLegend : public TNotifyingPersistent {
 public:
  TChartLegend() = default;
  std::string ClassName() const override { return "TChartLegend"; }

  // --- Entries, drawn from the top in the order of their indices.
  int Count() const { return static_cast<int>(entries_.size()); }
  // Entry idx; an index outside 0..Count-1 reads an empty entry and is not written.
  TLegendEntry Entry(int idx) const;
  void SetEntry(int idx, const TLegendEntry& e);
  // Append an entry and return its index.
  int Add(const TLegendEntry& e);
  int AddLine(const std::string& text, TColor color, int width = 1, TPenStyle style = psSolid);
  int AddMark(const std::string& text, TColor color, int mark, TColor fill = clNone);
  void Delete(int idx);
  void Clear();

  // --- Placement. Inside: in the corner of the data area, Margin pixels from its edges.
  // Outside: beside the data area (right of it for the right corners, left of it for the left
  // ones), Margin pixels away, its top or bottom level with the data area's; the chart's margin
  // on that side must leave room for it (Extent tells how much).
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { Store(visible_, v); }
  TLegendCorner Corner() const { return corner_; }
  void SetCorner(TLegendCorner v);
  bool Inside() const { return inside_; }
  void SetInside(bool v) { Store(inside_, v); }
  int Margin() const { return margin_; }
  void SetMargin(int v) { Store(margin_, v); }

  // --- Look: a frame in ColorFrame and a background in ColorBkg, or neither.
  bool Framed() const { return framed_; }
  void SetFramed(bool v) { Store(framed_, v); }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { Store(transparent_, v); }
  TColor ColorBkg() const { return color_bkg_; }
  void SetColorBkg(TColor v) { Store(color_bkg_, v); }
  TColor ColorFrame() const { return color_frame_; }
  void SetColorFrame(TColor v) { Store(color_frame_, v); }
  // Font of the texts (its colour is the text colour).
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& f);

  // The box's size in pixels with the font as the canvas measures it; 0 x 0 without entries.
  TSize Extent(TCanvas& Canvas) const;
  // The same measured at the screen's resolution.
  TSize Extent() const;
  // The box's top-left corner for a data area given in the canvas's pixels (Right and Bottom
  // one past its last column and row, as TCustomRChart::DataArea gives it).
  TPoint Origin(const TRect& DataArea, TSize extent) const;
  // Draws the box with its top-left corner at (x, y). BlkWhite draws frame, samples and texts
  // black on white (filled marks silver).
  void Draw(TCanvas& Canvas, int x, int y, bool BlkWhite) const;

  // Returns every setting to its default and drops the entries (no notification).
  void ResetComp();
  // Copies settings and entries of another legend (not its OnChange); one notification.
  void Assign(const TPersistent& Source) override;

  // Layout constants of the box, in pixels.
  static constexpr int kPadding = 6;       // inside the frame
  static constexpr int kSampleWidth = 28;  // line sample
  static constexpr int kGap = 6;           // between sample and text
  static constexpr int kRowGap = 3;        // between rows

 private:
  template <typename T>
  void Store(T& field, const T& v) {
    field = v;
    Changed();
  }
  int RowHeight(TCanvas& Canvas) const;

  std::vector<TLegendEntry> entries_;
  bool visible_ = true;
  TLegendCorner corner_ = lcTopRight;
  bool inside_ = true;
  int margin_ = 8;
  bool framed_ = true;
  bool transparent_ = false;
  TColor color_bkg_ = clWhite;
  TColor color_frame_ = clBlack;
  TFont font_;
};

}  // namespace kiv
