#include "platform/font_engine.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <tuple>

#include "platform/errors.h"
#include "platform/font_freetype.h"
#include "platform/font_match.h"

namespace kiv::fontengine {

namespace {

using Key = std::tuple<std::string, int, bool, bool, bool>;

// Instances nobody else holds any more are dropped once the cache grows past this.
constexpr std::size_t kCacheTrimSize = 256;

std::shared_ptr<const FontInstance> Open(const FontRequest& r) {
  const FaceMatch match = MatchFace(r.family, r.bold, r.italic);
  try {
    return OpenFont(match, r.pixel_size, r.antialias);
  } catch (const EPlatformError&) {
    // fontconfig named a file FreeType cannot use: fall back to the well-known fonts.
    FaceSearch search;
    search.use_fontconfig = false;
    return OpenFont(FindFace(r.family, r.bold, r.italic, search), r.pixel_size, r.antialias);
  }
}

}  // namespace

std::shared_ptr<const FontInstance> Resolve(const FontRequest& request) {
  static std::mutex mutex;
  static std::map<Key, std::shared_ptr<const FontInstance>> cache;
  FontRequest r = request;
  r.pixel_size = std::clamp(r.pixel_size, 1, 1000);
  Key key(r.family, r.pixel_size, r.bold, r.italic, r.antialias);
  {
    std::lock_guard lock(mutex);
    if (auto it = cache.find(key); it != cache.end()) return it->second;
  }
  // Opened outside the lock: rendering the first glyphs takes a while and other sizes need not
  // wait. Two threads asking at once both open the font; the first one stored wins.
  std::shared_ptr<const FontInstance> instance = Open(r);
  std::lock_guard lock(mutex);
  if (cache.size() >= kCacheTrimSize) {
    std::erase_if(cache, [](const auto& entry) { return entry.second.use_count() == 1; });
  }
  return cache.emplace(std::move(key), std::move(instance)).first->second;
}

}  // namespace kiv::fontengine
