#include "rchart/chart_legend.h"

#include <algorithm>

#include "platform/bitmap.h"
#include "platform/errors.h"
#include "services/marks.h"

namespace kiv {

namespace {

bool Usable(const TFont& f) {
  try {
    f.Instance();
    return true;
  } catch (const EPlatformError&) {
    return false;  // a system without any font: the legend goes without its texts
  }
}

}  // namespace

TLegendEntry TChartLegend::Entry(int idx) const {
  if (idx < 0 || idx >= Count()) return {};
  return entries_[static_cast<std::size_t>(idx)];
}

void TChartLegend::SetEntry(int idx, const TLegendEntry& e) {
  if (idx < 0 || idx >= Count()) return;
  entries_[static_cast<std::size_t>(idx)] = e;
  Changed();
}

int TChartLegend::Add(const TLegendEntry& e) {
  entries_.push_back(e);
  Changed();
  return Count() - 1;
}

int TChartLegend::AddLine(const std::string& text, TColor color, int width, TPenStyle style) {
  TLegendEntry e;
  e.Text = text;
  e.Color = color;
  e.LineWidth = std::max(width, 1);
  e.PenStyle = style;
  return Add(e);
}

int TChartLegend::AddMark(const std::string& text, TColor color, int mark, TColor fill) {
  TLegendEntry e;
  e.Text = text;
  e.Color = color;
  e.LineWidth = 0;
  e.Mark = mark;
  e.MarkFill = fill;
  return Add(e);
}

void TChartLegend::Delete(int idx) {
  if (idx < 0 || idx >= Count()) return;
  entries_.erase(entries_.begin() + idx);
  Changed();
}

void TChartLegend::Clear() {
  entries_.clear();
  Changed();
}

void TChartLegend::SetCorner(TLegendCorner v) {
  if (v > lcBottomRight) return;
  Store(corner_, v);
}

void TChartLegend::SetFont(const TFont& f) {
  font_.Assign(f);
  Changed();
}

void TChartLegend::ResetComp() {
  entries_.clear();
  visible_ = true;
  corner_ = lcTopRight;
  inside_ = true;
  margin_ = 8;
  framed_ = true;
  transparent_ = false;
  color_bkg_ = clWhite;
  color_frame_ = clBlack;
  font_.Assign(TFont());
}

void TChartLegend::Assign(const TPersistent& Source) {
  if (const auto* o = dynamic_cast<const TChartLegend*>(&Source)) {
    entries_ = o->entries_;
    visible_ = o->visible_;
    corner_ = o->corner_;
    inside_ = o->inside_;
    margin_ = o->margin_;
    framed_ = o->framed_;
    transparent_ = o->transparent_;
    color_bkg_ = o->color_bkg_;
    color_frame_ = o->color_frame_;
    font_.Assign(o->font_);
    Changed();
    return;
  }
  TNotifyingPersistent::Assign(Source);
}

// --- Layout: a padding, then one row per entry (as high as the text or the largest mark, 13
// pixels), the sample on the left and the text beside it.

int TChartLegend::RowHeight(TCanvas& Canvas) const {
  Canvas.Font().Assign(font_);
  const int text = Usable(Canvas.Font()) ? Canvas.TextHeight("Ag") : 0;
  return std::max(text, 13);
}

TSize TChartLegend::Extent(TCanvas& Canvas) const {
  if (entries_.empty()) return TSize{0, 0};
  const int row = RowHeight(Canvas);
  int text = 0;
  if (Usable(Canvas.Font()))
    for (const TLegendEntry& e : entries_) text = std::max(text, Canvas.TextWidth(e.Text));
  const int n = Count();
  return TSize{2 * kPadding + kSampleWidth + kGap + text,
               2 * kPadding + n * row + (n - 1) * kRowGap};
}

TSize TChartLegend::Extent() const {
  TBitmap probe(1, 1);
  return Extent(probe.Canvas());
}

TPoint TChartLegend::Origin(const TRect& DataArea, TSize extent) const {
  const bool right = corner_ == lcTopRight || corner_ == lcBottomRight;
  const bool bottom = corner_ == lcBottomLeft || corner_ == lcBottomRight;
  const TRect& a = DataArea;
  if (inside_) {
    return TPoint(right ? a.Right - margin_ - extent.cx : a.Left + margin_,
                  bottom ? a.Bottom - margin_ - extent.cy : a.Top + margin_);
  }
  return TPoint(right ? a.Right + margin_ : a.Left - margin_ - extent.cx,
                bottom ? a.Bottom - extent.cy : a.Top);
}

void TChartLegend::Draw(TCanvas& Canvas, int x, int y, bool BlkWhite) const {
  if (!visible_ || entries_.empty()) return;
  const TSize ext = Extent(Canvas);
  const int row = RowHeight(Canvas);
  TPen& pen = Canvas.Pen();
  TBrush& brush = Canvas.Brush();
  pen.SetMode(pmCopy);
  pen.SetStyle(psSolid);
  pen.SetWidth(1);
  pen.SetColor(BlkWhite ? clBlack : color_frame_);
  brush.SetColor(BlkWhite ? clWhite : color_bkg_);
  brush.SetStyle(transparent_ ? bsClear : bsSolid);
  if (framed_)
    Canvas.Rectangle(x, y, x + ext.cx, y + ext.cy);
  else if (!transparent_)
    Canvas.FillRect(TRect(x, y, x + ext.cx, y + ext.cy));

  const bool texts = Usable(Canvas.Font());
  const int th = texts ? Canvas.TextHeight("Ag") : 0;
  const int x0 = x + kPadding;
  for (int i = 0; i < Count(); ++i) {
    const TLegendEntry& e = entries_[static_cast<std::size_t>(i)];
    const int yc = y + kPadding + i * (row + kRowGap) + row / 2;
    const TColor ink = BlkWhite ? clBlack : e.Color;
    if (e.LineWidth > 0) {
      pen.SetColor(ink);
      pen.SetWidth(e.LineWidth);
      pen.SetStyle(e.PenStyle);
      brush.SetStyle(bsClear);
      Canvas.MoveTo(x0, yc);
      Canvas.LineTo(x0 + kSampleWidth, yc);
    }
    if (e.Mark >= 0) {
      pen.SetColor(ink);
      pen.SetWidth(1);
      pen.SetStyle(psSolid);
      brush.SetStyle(bsSolid);
      brush.SetColor(BlkWhite ? clSilver : (e.MarkFill == clNone ? e.Color : e.MarkFill));
      DrawMarkOnCanvas(Canvas, e.Mark, x0 + kSampleWidth / 2, yc);
    }
    if (texts && !e.Text.empty()) {
      Canvas.Font().SetColor(BlkWhite ? clBlack : font_.Color());
      brush.SetStyle(bsClear);
      Canvas.SetTextAlign(TA_LEFT | TA_TOP);
      Canvas.TextOut(x0 + kSampleWidth + kGap, yc - th / 2, e.Text);
    }
  }
  pen.SetWidth(1);
  pen.SetStyle(psSolid);
  brush.SetStyle(bsSolid);
}

}  // namespace kiv
