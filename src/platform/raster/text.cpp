#include "platform/raster/text.h"

#include <algorithm>

#include "platform/raster/blend.h"

namespace kiv::raster {

namespace {

// One glyph's coverage into the rows, clipped to t.clip.
void BlitGlyph(const Target& t, const fontengine::GlyphBitmap& g, long long left, long long top,
               TPixel color) {
  const TRect& c = t.clip;
  const long long x0 = std::max<long long>(left, c.Left);
  const long long x1 = std::min<long long>(left + g.width, c.Right);
  const long long y0 = std::max<long long>(top, c.Top);
  const long long y1 = std::min<long long>(top + g.height, c.Bottom);
  if (x0 >= x1 || y0 >= y1) return;
  const int cols = static_cast<int>(x1 - x0);
  const std::uint8_t* src = g.coverage.data() + (y0 - top) * g.width + (x0 - left);
  for (long long y = y0; y < y1; ++y, src += g.width) {
    TPixel* row = t.Row(static_cast<int>(y)) + x0;
    for (int i = 0; i < cols; ++i) {
      const unsigned a = src[i];
      if (a == 0) continue;
      row[i] = a == 255 ? color : BlendCoverage(row[i], color, a);
    }
  }
}

}  // namespace

void DrawGlyphRun(const Target& t, const fontengine::FontInstance& font, int x, int baseline,
                  std::string_view text, TPixel color) {
  const TRect& c = t.clip;
  if (c.IsEmpty() || text.empty()) return;
  color = (color & 0x00FFFFFFu) | kOpaque;
  // Glyphs reach beyond the text cell only by little (accents, italic overhang); a run whose
  // cell is an em or more away from the clip rectangle cannot touch it.
  const long long margin = font.Height() + 1;
  if (static_cast<long long>(baseline) + font.Descent() + margin <= c.Top ||
      static_cast<long long>(baseline) - font.Ascent() - margin >= c.Bottom)
    return;
  const long long stop = static_cast<long long>(c.Right) + margin;
  long long pen = x;
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n && pen < stop) {
    const auto b = static_cast<unsigned char>(text[i]);
    char32_t cp;
    if (b < 0x80) {
      cp = b;
      ++i;
    } else {
      cp = fontengine::NextCodePoint(text, i);
    }
    const fontengine::GlyphBitmap& g = font.Glyph(cp);
    if (g.width > 0) BlitGlyph(t, g, pen + g.left, static_cast<long long>(baseline) - g.top, color);
    pen += g.advance;
  }
}

}  // namespace kiv::raster
