#include "platform/font_freetype.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <atomic>
#include <climits>
#include <cmath>
#include <mutex>
#include <unordered_map>

#include "platform/errors.h"

namespace kiv::fontengine {

namespace {

constexpr int kMaxPixelSize = 1000;

// Hinting: FreeType's native TrueType hinter with the v40 interpreter snaps stems and the
// x-height to whole rows while keeping the designed widths, which gives the crispest small UI
// text with the hinted fonts this library meets (Liberation, DejaVu); faces without hints get
// the auto-hinter. One-bit rendering asks for the monochrome hints.
constexpr FT_Int32 kLoadAntialiased = FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP;
constexpr FT_Int32 kLoadMono = FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP;

// Slant of synthetic italics: tan(12 degrees) in 16.16.
constexpr FT_Fixed kObliqueShear = 0x0366A;

// The process's FreeType library. Faces keep it alive, so instances held in static objects
// can still close their faces after the library's owner is gone.
class Library {
 public:
  Library() {
    if (FT_Init_FreeType(&lib_) != 0) throw EPlatformError("FreeType could not be initialised");
  }
  ~Library() { FT_Done_FreeType(lib_); }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  FT_Library Handle() const { return lib_; }
  // Opening and closing faces touches the library's shared state.
  std::mutex& Mutex() { return mutex_; }

  static std::shared_ptr<Library> Get() {
    static const std::shared_ptr<Library> lib = std::make_shared<Library>();
    return lib;
  }

 private:
  FT_Library lib_ = nullptr;
  std::mutex mutex_;
};

int RoundPixels(FT_Pos v26_6) {
  return static_cast<int>((v26_6 + 32) >> 6);
}
int CeilPixels(FT_Pos v26_6) {
  return static_cast<int>((v26_6 + 63) >> 6);
}

class FtFont final : public FontInstance {
 public:
  FtFont(std::shared_ptr<Library> lib, const FaceMatch& match, int pixel_size, bool antialias);
  ~FtFont() override;
  FtFont(const FtFont&) = delete;
  FtFont& operator=(const FtFont&) = delete;

  int Ascent() const override { return ascent_; }
  int Descent() const override { return descent_; }
  int UnderlinePosition() const override { return underline_position_; }
  int LineThickness() const override { return line_thickness_; }
  int StrikeoutPosition() const override { return strikeout_position_; }

  const GlyphBitmap& Glyph(char32_t code_point) const override {
    if (code_point < kFlatSize) {
      if (const GlyphBitmap* g = flat_[code_point].load(std::memory_order_acquire)) return *g;
    }
    return SlowGlyph(code_point);
  }

  int TextWidth(std::string_view utf8) const override {
    long long width = 0;
    const std::size_t n = utf8.size();
    std::size_t i = 0;
    while (i < n) {
      const auto c = static_cast<unsigned char>(utf8[i]);
      if (c < 0x80) {
        width += ascii_advance_[c];
        ++i;
      } else {
        width += Glyph(NextCodePoint(utf8, i)).advance;
      }
    }
    return static_cast<int>(std::clamp<long long>(width, INT_MIN, INT_MAX));
  }

  const std::string& FamilyName() const override { return family_; }
  const std::string& FilePath() const override { return path_; }
  bool IsBold() const override { return bold_; }
  bool IsItalic() const override { return italic_; }

 private:
  static constexpr char32_t kFlatSize = 256;

  const GlyphBitmap& SlowGlyph(char32_t code_point) const;
  FT_UInt GlyphIndex(char32_t code_point) const;
  // Both need mutex_ held.
  const GlyphBitmap& GlyphByIndex(FT_UInt index) const;
  GlyphBitmap Render(FT_UInt index) const;
  void ComputeMetrics();

  std::shared_ptr<Library> lib_;
  FT_Face face_ = nullptr;
  std::string family_;
  std::string path_;
  bool antialias_;
  bool synthetic_bold_;
  bool synthetic_italic_;
  bool bold_;
  bool italic_;
  bool symbol_charmap_ = false;
  int pixel_size_;
  FT_Pos embolden_ = 0;  // horizontal emboldening in 26.6 pixels

  int ascent_ = 0;
  int descent_ = 0;
  int underline_position_ = 0;
  int line_thickness_ = 1;
  int strikeout_position_ = 0;

  // The face and the lazily filled caches below are guarded by mutex_; readers of flat_ that
  // find a glyph there need no lock.
  mutable std::mutex mutex_;
  mutable std::array<std::atomic<const GlyphBitmap*>, kFlatSize> flat_{};
  mutable std::unordered_map<char32_t, const GlyphBitmap*> by_code_point_;
  mutable std::unordered_map<FT_UInt, std::unique_ptr<GlyphBitmap>> by_index_;
  std::array<int, 128> ascii_advance_{};
};

FtFont::FtFont(std::shared_ptr<Library> lib, const FaceMatch& match, int pixel_size, bool antialias)
    : lib_(std::move(lib)),
      family_(match.family),
      path_(match.path),
      antialias_(antialias),
      synthetic_bold_(match.synthetic_bold),
      synthetic_italic_(match.synthetic_italic),
      pixel_size_(std::clamp(pixel_size, 1, kMaxPixelSize)) {
  {
    std::lock_guard lock(lib_->Mutex());
    if (FT_New_Face(lib_->Handle(), match.path.c_str(), match.index, &face_) != 0) face_ = nullptr;
  }
  if (face_ == nullptr) throw EPlatformError("FreeType cannot open the font file " + match.path);
  try {
    if (FT_IS_SCALABLE(face_)) {
      if (FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixel_size_)) != 0)
        throw EPlatformError("FreeType cannot scale the font " + match.path);
    } else {
      // A bitmap face: take the strike nearest to the asked size.
      if (face_->num_fixed_sizes <= 0)
        throw EPlatformError("The font " + match.path + " has no usable size");
      int best = 0;
      for (int i = 1; i < face_->num_fixed_sizes; ++i) {
        if (std::abs(face_->available_sizes[i].height - pixel_size_) <
            std::abs(face_->available_sizes[best].height - pixel_size_))
          best = i;
      }
      if (FT_Select_Size(face_, best) != 0)
        throw EPlatformError("FreeType cannot size the font " + match.path);
      synthetic_bold_ = synthetic_italic_ = false;  // only outlines can be synthesised
    }
  } catch (...) {
    std::lock_guard lock(lib_->Mutex());
    FT_Done_Face(face_);
    throw;
  }
  if (FT_Select_Charmap(face_, FT_ENCODING_UNICODE) != 0)
    symbol_charmap_ = FT_Select_Charmap(face_, FT_ENCODING_MS_SYMBOL) == 0;
  if (face_->family_name != nullptr) family_ = face_->family_name;
  bold_ = synthetic_bold_ || (face_->style_flags & FT_STYLE_FLAG_BOLD) != 0;
  italic_ = synthetic_italic_ || (face_->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
  if (synthetic_bold_) {
    // Like a bold face drawn at this size: at least one whole pixel wider, one 24th of the em
    // at large sizes.
    embolden_ = std::max<FT_Pos>(64, ((pixel_size_ * 64 / 24) + 32) & ~63);
  }

  std::lock_guard lock(mutex_);
  for (char32_t c = 0; c < 128; ++c) {
    const GlyphBitmap& g = GlyphByIndex(GlyphIndex(c));
    flat_[c].store(&g, std::memory_order_release);
    ascii_advance_[c] = g.advance;
  }
  ComputeMetrics();
}

FtFont::~FtFont() {
  std::lock_guard lock(lib_->Mutex());
  FT_Done_Face(face_);
}

void FtFont::ComputeMetrics() {
  const FT_Size_Metrics& sm = face_->size->metrics;
  int ascent;
  int descent;
  if (FT_IS_SCALABLE(face_)) {
    ascent = CeilPixels(FT_MulFix(face_->ascender, sm.y_scale));
    descent = CeilPixels(-FT_MulFix(face_->descender, sm.y_scale));
  } else {
    ascent = CeilPixels(sm.ascender);
    descent = CeilPixels(-sm.descender);
  }
  // Hinting can push a glyph a row beyond the designed extent, and some faces declare tight
  // metrics: the cell grows until every ASCII glyph (and the replacement box) fits.
  auto fit = [&](const GlyphBitmap& g) {
    if (g.width == 0 || g.height == 0) return;
    ascent = std::max(ascent, g.top);
    descent = std::max(descent, g.height - g.top);
  };
  for (char32_t c = 0; c < 128; ++c) fit(*flat_[c].load(std::memory_order_relaxed));
  fit(GlyphByIndex(0));
  ascent = std::max(ascent, 1);
  descent = std::max(descent, 0);
  ascent_ = ascent;
  descent_ = descent;

  // Underline and strike-out share one thickness, from the face (at least one row).
  const FT_Fixed y_scale = FT_IS_SCALABLE(face_) ? sm.y_scale : 0;
  const FT_Pos thickness = FT_MulFix(face_->underline_thickness, y_scale);
  line_thickness_ = std::max(1, RoundPixels(thickness));
  // underline_position is the centre of the line, negative below the baseline. Small sizes
  // round it onto the row right under the letters; one free row reads better and is where
  // underlines classically sit, so it stays at least one row down while the cell has room.
  int under = RoundPixels(-FT_MulFix(face_->underline_position, y_scale) - thickness / 2);
  if (y_scale == 0 || face_->underline_thickness == 0) under = descent_ / 2;
  const int lowest = std::max(0, descent_ - line_thickness_);
  underline_position_ = std::clamp(under, std::min(1, lowest), lowest);

  // The strike-out runs through the middle of the x-height: that of the hinted 'x' when the
  // face has one, else the OS/2 table's, else half the ascent.
  FT_Pos x_height = 0;
  const GlyphBitmap& x = *flat_['x'].load(std::memory_order_relaxed);
  if (GlyphIndex('x') != 0 && x.height > 0) {
    x_height = x.top * 64;
  } else if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
             os2 != nullptr && os2->version >= 2 && os2->sxHeight > 0 && y_scale != 0) {
    x_height = FT_MulFix(os2->sxHeight, y_scale);
  } else {
    x_height = ascent_ * 32;
  }
  const int strike = RoundPixels((x_height + line_thickness_ * 64) / 2);
  strikeout_position_ = std::clamp(strike, line_thickness_, std::max(line_thickness_, ascent_));
}

FT_UInt FtFont::GlyphIndex(char32_t code_point) const {
  FT_UInt index = FT_Get_Char_Index(face_, code_point);
  // Symbol fonts put their characters at U+F020..U+F0FF.
  if (index == 0 && symbol_charmap_ && code_point < 0x100)
    index = FT_Get_Char_Index(face_, 0xF000 + code_point);
  return index;
}

const GlyphBitmap& FtFont::SlowGlyph(char32_t code_point) const {
  std::lock_guard lock(mutex_);
  if (code_point < kFlatSize) {
    if (const GlyphBitmap* g = flat_[code_point].load(std::memory_order_relaxed)) return *g;
    const GlyphBitmap& g = GlyphByIndex(GlyphIndex(code_point));
    flat_[code_point].store(&g, std::memory_order_release);
    return g;
  }
  if (auto it = by_code_point_.find(code_point); it != by_code_point_.end()) return *it->second;
  const FT_UInt index = code_point <= 0x10FFFF ? GlyphIndex(code_point) : 0;
  // Code points the face lacks all share the replacement glyph and are not remembered, so the
  // map stays as small as the face.
  if (index == 0) return GlyphByIndex(0);
  const GlyphBitmap& g = GlyphByIndex(index);
  by_code_point_.emplace(code_point, &g);
  return g;
}

const GlyphBitmap& FtFont::GlyphByIndex(FT_UInt index) const {
  if (auto it = by_index_.find(index); it != by_index_.end()) return *it->second;
  auto g = std::make_unique<GlyphBitmap>(Render(index));
  return *by_index_.emplace(index, std::move(g)).first->second;
}

GlyphBitmap FtFont::Render(FT_UInt index) const {
  GlyphBitmap out;
  const FT_Int32 flags = antialias_ ? kLoadAntialiased : kLoadMono;
  if (FT_Load_Glyph(face_, index, flags) != 0 && (index == 0 || FT_Load_Glyph(face_, 0, flags)))
    return out;  // a broken glyph draws nothing
  FT_GlyphSlot slot = face_->glyph;
  FT_Pos advance = slot->advance.x;
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (embolden_ > 0) {
      // Grow the stems to the right only, so hinted left edges stay on the pixel grid.
      FT_Outline_EmboldenXY(&slot->outline, embolden_, 0);
      FT_Outline_Translate(&slot->outline, embolden_ / 2, 0);
      if (advance != 0) advance += embolden_;
    }
    if (synthetic_italic_) {
      FT_Matrix shear{0x10000, kObliqueShear, 0, 0x10000};
      FT_Outline_Transform(&slot->outline, &shear);
    }
  }
  out.advance = RoundPixels(advance);
  if (FT_Render_Glyph(slot, antialias_ ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0)
    return out;
  const FT_Bitmap& bm = slot->bitmap;
  const int w = static_cast<int>(bm.width);
  const int h = static_cast<int>(bm.rows);
  if (w <= 0 || h <= 0 || bm.buffer == nullptr) return out;
  out.width = w;
  out.height = h;
  out.left = slot->bitmap_left;
  out.top = slot->bitmap_top;
  out.coverage.assign(static_cast<std::size_t>(w) * h, 0);
  for (int y = 0; y < h; ++y) {
    const unsigned char* src = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
    std::uint8_t* dst = out.coverage.data() + static_cast<std::size_t>(y) * w;
    for (int x = 0; x < w; ++x) {
      unsigned v = 0;
      switch (bm.pixel_mode) {
        case FT_PIXEL_MODE_MONO:
          v = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
          break;
        case FT_PIXEL_MODE_GRAY:
          v = bm.num_grays == 256 || bm.num_grays < 2 ? src[x]
                                                      : src[x] * 255u / (bm.num_grays - 1u);
          break;
        case FT_PIXEL_MODE_GRAY2:
          v = ((src[x >> 2] >> (6 - 2 * (x & 3))) & 3) * 85u;
          break;
        case FT_PIXEL_MODE_GRAY4:
          v = ((src[x >> 1] >> (4 - 4 * (x & 1))) & 15) * 17u;
          break;
        case FT_PIXEL_MODE_BGRA:
          v = src[4 * x + 3];
          break;
        default:
          break;
      }
      // One-bit text has exactly two colours, whatever the face's bitmaps say.
      if (!antialias_) v = v >= 128 ? 255 : 0;
      dst[x] = static_cast<std::uint8_t>(std::min(v, 255u));
    }
  }
  return out;
}

}  // namespace

std::shared_ptr<const FontInstance> OpenFont(const FaceMatch& face, int pixel_size,
                                             bool antialias) {
  return std::make_shared<FtFont>(Library::Get(), face, pixel_size, antialias);
}

}  // namespace kiv::fontengine
