#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/font_engine.h"
#include "platform/raster/blend.h"
#include "platform/raster/text.h"

namespace kiv {
namespace {

// The obvious per-channel formula: dst + (src - dst) * a / 255, rounded to nearest.
unsigned ReferenceChannel(int d, int s, int a) {
  const double v = d + (s - d) * a / 255.0;
  return static_cast<unsigned>(std::lround(v));
}

TEST(TextBlend, MatchesTheRoundedFormulaForEveryValue) {
  for (int a = 0; a < 256; ++a) {
    for (int d = 0; d < 256; ++d) {
      for (int s = 0; s < 256; ++s) {
        // Each channel gets different values, so that lanes cannot leak into each other.
        const TPixel dst = 0x12000000u | (d << 16) | ((255 - d) << 8) | (d ^ 0x5A);
        const TPixel src = 0xFF000000u | (s << 16) | ((255 - s) << 8) | (s ^ 0xA5);
        const TPixel got = raster::BlendCoverage(dst, src, a);
        const TPixel want = 0xFF000000u | (ReferenceChannel(d, s, a) << 16) |
                            (ReferenceChannel(255 - d, 255 - s, a) << 8) |
                            ReferenceChannel(d ^ 0x5A, s ^ 0xA5, a);
        if (got != want) {
          FAIL() << std::hex << "dst " << dst << " src " << src << " a " << std::dec << a
                 << ": got " << std::hex << got << " want " << want;
        }
      }
    }
  }
}

// Glyph runs clipped to a rectangle equal the unclipped run with everything outside the
// rectangle left alone, for random rectangles and positions.
TEST(TextBlit, ClippingIsExact) {
  fontengine::FontRequest req;
  req.family = "Arial";
  req.pixel_size = 15;
  const auto font = fontengine::Resolve(req);
  const std::string text = "Ag|j\xE2\x82\xAC\xC2\xB5 W";
  constexpr int W = 60, H = 30;
  constexpr TPixel bg = 0xFF204060u, ink = 0xFFF0E0D0u;
  std::mt19937 rng(7);
  auto target = [&](std::vector<TPixel>& px, TRect clip) {
    raster::Target t;
    t.pixels = px.data();
    t.width = W;
    t.height = H;
    t.stride = W;
    t.clip = clip;
    return t;
  };
  for (int iter = 0; iter < 500; ++iter) {
    const int x = static_cast<int>(rng() % 120) - 60;
    const int baseline = static_cast<int>(rng() % 60) - 15;
    int l = rng() % W, r = rng() % W, t = rng() % H, b = rng() % H;
    const TRect clip = TRect(l, t, r, b).Normalized();
    std::vector<TPixel> full(W * H, bg), clipped(W * H, bg);
    raster::DrawGlyphRun(target(full, TRect(0, 0, W, H)), *font, x, baseline, text, ink);
    raster::DrawGlyphRun(target(clipped, clip), *font, x, baseline, text, ink);
    for (int y = 0; y < H; ++y)
      for (int xx = 0; xx < W; ++xx) {
        const TPixel want = clip.Contains(xx, y) ? full[y * W + xx] : bg;
        ASSERT_EQ(clipped[y * W + xx], want) << "pixel " << xx << "," << y << " iter " << iter;
      }
  }
}

}  // namespace
}  // namespace kiv
