// The drawing tools a canvas owns: pen, brush and font. Setters store the value and, when it
// changed, fire OnChange; the font also keeps a generation number so that the font backend
// can cache the face it resolved.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/classes.h"
#include "platform/color.h"
#include "platform/types.h"

namespace kiv {

// Pen styles; the ordinals are stored in chart items and files.
enum TPenStyle : std::uint8_t {
  psSolid,
  psDash,
  psDot,
  psDashDot,
  psDashDotDot,
  psClear,
  psInsideFrame,
  psUserStyle,
  psAlternate
};

// How a pen or brush colour P combines with the destination pixel D.
enum TPenMode : std::uint8_t {
  pmBlack,        // 0
  pmWhite,        // 1
  pmNop,          // D
  pmNot,          // not D
  pmCopy,         // P
  pmNotCopy,      // not P
  pmMergePenNot,  // P or not D
  pmMaskPenNot,   // P and not D
  pmMergeNotPen,  // not P or D
  pmMaskNotPen,   // not P and D
  pmMerge,        // P or D
  pmNotMerge,     // not (P or D)
  pmMask,         // P and D
  pmNotMask,      // not (P and D)
  pmXor,          // P xor D
  pmNotXor        // not (P xor D)
};

enum TBrushStyle : std::uint8_t {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

// Text rendering quality. fqNonAntialiased renders one-bit glyphs; everything else blends
// anti-aliased coverage.
enum TFontQuality : std::uint8_t {
  fqDefault,
  fqDraft,
  fqProof,
  fqNonAntialiased,
  fqAntialiased,
  fqClearType,
  fqClearTypeNatural
};

// Base of pen, brush and font: an object whose changes are reported through OnChange.
class TGraphicsObject : public TPersistent {
 public:
  TNotifyEvent OnChange;

 protected:
  void Changed() {
    if (OnChange) OnChange(this);
  }
};

class TPen : public TGraphicsObject {
 public:
  std::string ClassName() const override { return "TPen"; }
  TColor Color() const { return color_; }
  void SetColor(TColor v) { Set(color_, v); }
  // Width in pixels; values below 1 are stored as 1.
  int Width() const { return width_; }
  void SetWidth(int v) { Set(width_, v < 1 ? 1 : v); }
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle v) { Set(style_, v); }
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode v) { Set(mode_, v); }
  void Assign(const TPersistent& Source) override;

 private:
  template <typename T>
  void Set(T& field, T v) {
    if (field == v) return;
    field = v;
    Changed();
  }
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
};

class TBrush : public TGraphicsObject {
 public:
  std::string ClassName() const override { return "TBrush"; }
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle v);
  void Assign(const TPersistent& Source) override;

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};

namespace fontengine {
class FontInstance;
}

// A font request: family name, size in points at PixelsPerInch, style, colour and quality.
// The pixel size is round(Size * PixelsPerInch / 72) (halves away from zero).
class TFont : public TGraphicsObject {
 public:
  TFont();
  TFont(const TFont& other);
  TFont& operator=(const TFont& other);
  ~TFont() override;
  std::string ClassName() const override { return "TFont"; }

  static constexpr const char* kDefaultName = "Arial";
  static constexpr int kDefaultSize = 8;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& v);
  // Size in points. Setting 0 or a negative value is ignored.
  int Size() const { return size_; }
  void SetSize(int v);
  // Height in the framework's sense: the negative character height in pixels. Setting a
  // negative value sets the size in points that gives that many pixels; a positive value is
  // taken as the cell height in pixels and converted the same way.
  int Height() const;
  void SetHeight(int v);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles v);
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  int PixelsPerInch() const { return ppi_; }
  // Changing the resolution keeps the size in points, so the pixel size follows.
  void SetPixelsPerInch(int v);
  TFontQuality Quality() const { return quality_; }
  void SetQuality(TFontQuality v);

  // The character height (em size) in pixels this font asks for.
  int PixelSize() const;
  // Increases whenever a setting that changes the glyphs (not the colour) changes.
  std::uint64_t Generation() const { return generation_; }
  // The resolved face at the requested pixel size, with its metrics and glyph cache. Resolved
  // lazily and cached until the font changes. Raises EPlatformError when no font at all is
  // available on the system.
  const fontengine::FontInstance& Instance() const;

  void Assign(const TPersistent& Source) override;

 private:
  void GlyphsChanged();
  std::string name_ = kDefaultName;
  int size_ = kDefaultSize;
  TFontStyles style_;
  TColor color_ = clWindowText;
  int ppi_ = 96;
  TFontQuality quality_ = fqDefault;
  std::uint64_t generation_ = 0;
  mutable std::shared_ptr<const fontengine::FontInstance> instance_;
  mutable std::uint64_t instance_generation_ = ~std::uint64_t{0};
};

}  // namespace kiv
