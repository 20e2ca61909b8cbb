#include "platform/graphics.h"

#include <algorithm>
#include <cstdlib>

#include "platform/font_engine.h"

namespace kiv {

void TPen::Assign(const TPersistent& Source) {
  if (auto* p = dynamic_cast<const TPen*>(&Source)) {
    if (color_ == p->color_ && width_ == p->width_ && style_ == p->style_ && mode_ == p->mode_)
      return;
    color_ = p->color_;
    width_ = p->width_;
    style_ = p->style_;
    mode_ = p->mode_;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TBrush::SetColor(TColor v) {
  if (color_ == v) return;
  color_ = v;
  Changed();
}

void TBrush::SetStyle(TBrushStyle v) {
  if (style_ == v) return;
  style_ = v;
  Changed();
}

void TBrush::Assign(const TPersistent& Source) {
  if (auto* b = dynamic_cast<const TBrush*>(&Source)) {
    if (color_ == b->color_ && style_ == b->style_) return;
    color_ = b->color_;
    style_ = b->style_;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

namespace {
// Multiplies and divides with rounding to nearest, halves away from zero.
int MulDiv(int a, int b, int c) {
  const long long p = static_cast<long long>(a) * b;
  const long long q = (std::llabs(p) + c / 2) / c;
  return static_cast<int>(p < 0 ? -q : q);
}
}  // namespace

TFont::TFont() = default;
TFont::TFont(const TFont& other)
    : TGraphicsObject(),
      name_(other.name_),
      size_(other.size_),
      style_(other.style_),
      color_(other.color_),
      ppi_(other.ppi_),
      quality_(other.quality_) {}
TFont& TFont::operator=(const TFont& other) {
  if (this != &other) Assign(other);
  return *this;
}
TFont::~TFont() = default;

void TFont::GlyphsChanged() {
  ++generation_;
  Changed();
}

void TFont::SetName(const std::string& v) {
  if (name_ == v || v.empty()) return;
  name_ = v;
  GlyphsChanged();
}

void TFont::SetSize(int v) {
  if (v <= 0 || size_ == v) return;
  size_ = v;
  GlyphsChanged();
}

int TFont::PixelSize() const {
  const int px = MulDiv(size_, ppi_, 72);
  return px < 1 ? 1 : px;
}

int TFont::Height() const {
  return -PixelSize();
}

void TFont::SetHeight(int v) {
  if (v == 0) return;
  SetSize(std::max(1, MulDiv(std::abs(v), 72, ppi_)));
}

void TFont::SetStyle(TFontStyles v) {
  if (style_ == v) return;
  style_ = v;
  GlyphsChanged();
}

void TFont::SetColor(TColor v) {
  if (color_ == v) return;
  color_ = v;
  Changed();
}

void TFont::SetPixelsPerInch(int v) {
  if (v <= 0 || ppi_ == v) return;
  ppi_ = v;
  GlyphsChanged();
}

void TFont::SetQuality(TFontQuality v) {
  if (quality_ == v) return;
  quality_ = v;
  GlyphsChanged();
}

const fontengine::FontInstance& TFont::Instance() const {
  if (!instance_ || instance_generation_ != generation_) {
    fontengine::FontRequest req;
    req.family = name_;
    req.pixel_size = PixelSize();
    req.bold = style_.Contains(fsBold);
    req.italic = style_.Contains(fsItalic);
    req.antialias = quality_ != fqNonAntialiased;
    instance_ = fontengine::Resolve(req);
    instance_generation_ = generation_;
  }
  return *instance_;
}

void TFont::Assign(const TPersistent& Source) {
  if (auto* f = dynamic_cast<const TFont*>(&Source)) {
    const bool glyphs = name_ != f->name_ || size_ != f->size_ || style_ != f->style_ ||
                        ppi_ != f->ppi_ || quality_ != f->quality_;
    if (!glyphs && color_ == f->color_) return;
    name_ = f->name_;
    size_ = f->size_;
    style_ = f->style_;
    color_ = f->color_;
    ppi_ = f->ppi_;
    quality_ = f->quality_;
    if (glyphs) {
      ++generation_;
      // Share the other font's resolved face when it is current.
      if (f->instance_ && f->instance_generation_ == f->generation_) {
        instance_ = f->instance_;
        instance_generation_ = generation_;
      }
    }
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

}  // namespace kiv
