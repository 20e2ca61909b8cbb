// The font backend: resolves a font request to a face through fontconfig, renders glyphs with
// FreeType at one pixel size and keeps them in a cache. TFont::Instance() hands out instances;
// the rasteriser blends their glyph coverage into pixel rows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kiv::fontengine {

struct FontRequest {
  std::string family;   // as asked for, e.g. "Arial"; fontconfig finds the nearest face
  int pixel_size = 11;  // character height (em) in pixels, at least 1
  bool bold = false;
  bool italic = false;
  bool antialias = true;  // false: one-bit glyphs (coverage 0 or 255 only)
  friend bool operator==(const FontRequest&, const FontRequest&) = default;
};

// One rendered glyph: an 8-bit coverage bitmap and its placement relative to the pen position
// on the baseline.
struct GlyphBitmap {
  int width = 0;
  int height = 0;
  int left = 0;                        // columns from the pen position to the bitmap's first column
  int top = 0;                         // rows from the bitmap's first row down to the baseline
  int advance = 0;                     // pen advance in whole pixels
  std::vector<std::uint8_t> coverage;  // width * height values, row after row
};

class FontInstance {
 public:
  virtual ~FontInstance() = default;
  // Rows from the top of the text cell to the baseline, and from the baseline to the bottom.
  virtual int Ascent() const = 0;
  virtual int Descent() const = 0;
  // Height of one line of text: Ascent() + Descent().
  int Height() const { return Ascent() + Descent(); }
  // Underline: first row below the baseline and thickness in rows; strike-out: rows above the
  // baseline of its first row, same thickness.
  virtual int UnderlinePosition() const = 0;
  virtual int LineThickness() const = 0;
  virtual int StrikeoutPosition() const = 0;
  // The glyph of a code point (cached). A code point the face lacks renders the face's
  // replacement glyph.
  virtual const GlyphBitmap& Glyph(char32_t code_point) const = 0;
  // Width of a UTF-8 text: the sum of the glyph advances (no kerning).
  virtual int TextWidth(std::string_view utf8) const = 0;
  // The face actually used.
  virtual const std::string& FamilyName() const = 0;
  virtual const std::string& FilePath() const = 0;
  virtual bool IsBold() const = 0;    // bold face or synthetic emboldening
  virtual bool IsItalic() const = 0;  // italic face or synthetic slant
};

// The instance for a request, shared and cached. Raises EPlatformError when no font can be
// found at all.
std::shared_ptr<const FontInstance> Resolve(const FontRequest& request);

// Decodes the code point starting at byte i of a UTF-8 text and advances i past it. Invalid
// bytes decode as U+FFFD, one byte at a time.
char32_t NextCodePoint(std::string_view utf8, std::size_t& i);

}  // namespace kiv::fontengine
