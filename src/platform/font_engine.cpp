// Placeholder until the FreeType backend lands.
#include "platform/font_engine.h"

#include "platform/errors.h"

namespace kiv::fontengine {

std::shared_ptr<const FontInstance> Resolve(const FontRequest&) {
  throw EPlatformError("font engine not available");
}

char32_t NextCodePoint(std::string_view utf8, std::size_t& i) {
  return static_cast<unsigned char>(utf8[i++]);
}

}  // namespace kiv::fontengine
