// The FreeType side of the font backend: opens a face file at one pixel size and renders its
// glyphs (hinted, anti-aliased or one-bit, with synthetic bold and slant when asked).
#pragma once

#include <memory>

#include "platform/font_engine.h"
#include "platform/font_match.h"

namespace kiv::fontengine {

// A font instance for a face file at pixel_size (clamped to 1..1000). Raises EPlatformError when
// FreeType cannot open or size the face.
std::shared_ptr<const FontInstance> OpenFont(const FaceMatch& face, int pixel_size, bool antialias);

}  // namespace kiv::fontengine
