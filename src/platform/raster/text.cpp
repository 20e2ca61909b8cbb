// Placeholder until the glyph blitter lands.
#include "platform/raster/text.h"

namespace kiv::raster {

void DrawGlyphRun(const Target&, const fontengine::FontInstance&, int, int, std::string_view,
                  TPixel) {}

}  // namespace kiv::raster
