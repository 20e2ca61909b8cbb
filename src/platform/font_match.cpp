#include "platform/font_match.h"

#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <map>
#include <memory>
#include <mutex>
#include <tuple>
#include <variant>

#include "platform/errors.h"

namespace kiv::fontengine {

std::vector<std::string> FaceSearch::DefaultFallbackPaths() {
  // Debian/Ubuntu, Fedora (old and new layout), Arch, and the Liberation fonts as a last try.
  return {
      "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
      "/usr/share/fonts/dejavu/DejaVuSans.ttf",
      "/usr/share/fonts/dejavu-sans-fonts/DejaVuSans.ttf",
      "/usr/share/fonts/TTF/DejaVuSans.ttf",
      "/usr/local/share/fonts/DejaVuSans.ttf",
      "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf",
      "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
      "/usr/share/fonts/liberation-sans/LiberationSans-Regular.ttf",
  };
}

namespace {

bool Readable(const std::string& path) {
  return !path.empty() && access(path.c_str(), R_OK) == 0;
}

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

// fontconfig's own configuration is not safe for concurrent first use.
std::mutex& FontconfigMutex() {
  static std::mutex m;
  return m;
}

bool MatchWithFontconfig(const std::string& family, bool bold, bool italic, FaceMatch& out) {
  std::lock_guard lock(FontconfigMutex());
  static const bool initialised = FcInit() == FcTrue;
  if (!initialised) return false;

  PatternPtr pattern(FcPatternCreate());
  if (!pattern) return false;
  // For names it does not know, fontconfig's default substitution appends the generic
  // sans-serif family, so the default sans face stands in.
  const std::string& name = family.empty() ? std::string("sans-serif") : family;
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
  if (!FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern)) return false;
  FcDefaultSubstitute(pattern.get());

  FcResult result = FcResultNoMatch;
  PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
  if (!match || result != FcResultMatch) return false;

  FcChar8* file = nullptr;
  if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || file == nullptr)
    return false;
  FcBool outline = FcFalse;
  if (FcPatternGetBool(match.get(), FC_OUTLINE, 0, &outline) == FcResultMatch && !outline)
    return false;  // bitmap-only faces look wrong at any size but their own
  out.path = reinterpret_cast<const char*>(file);
  if (!Readable(out.path)) return false;

  int index = 0;
  if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &index) != FcResultMatch) index = 0;
  out.index = index & 0xFFFF;  // the high bits select named instances of variable fonts
  FcChar8* fam = nullptr;
  out.family = FcPatternGetString(match.get(), FC_FAMILY, 0, &fam) == FcResultMatch && fam
                   ? reinterpret_cast<const char*>(fam)
                   : family;
  int weight = FC_WEIGHT_REGULAR;
  FcPatternGetInteger(match.get(), FC_WEIGHT, 0, &weight);
  int slant = FC_SLANT_ROMAN;
  FcPatternGetInteger(match.get(), FC_SLANT, 0, &slant);
  out.synthetic_bold = bold && weight < FC_WEIGHT_DEMIBOLD;
  out.synthetic_italic = italic && slant == FC_SLANT_ROMAN;
  return true;
}

}  // namespace

FaceMatch FindFace(const std::string& family, bool bold, bool italic, const FaceSearch& search) {
  FaceMatch m;
  if (search.use_fontconfig && MatchWithFontconfig(family, bold, italic, m)) return m;
  for (const std::string& path : search.fallback_paths) {
    if (!Readable(path)) continue;
    m.path = path;
    m.index = 0;
    m.family = path.find("Liberation") != std::string::npos ? "Liberation Sans" : "DejaVu Sans";
    m.synthetic_bold = bold;
    m.synthetic_italic = italic;
    return m;
  }
  throw EPlatformError("No font found for \"" + family +
                       "\": fontconfig knows no usable face and no fallback font file exists. "
                       "Install fonts, e.g. with: apt-get install fonts-dejavu-core");
}

FaceMatch MatchFace(const std::string& family, bool bold, bool italic) {
  using Key = std::tuple<std::string, bool, bool>;
  // A failure is remembered too, so that a machine without fonts does not ask fontconfig on
  // every text call.
  using Entry = std::variant<FaceMatch, std::string>;
  static std::mutex mutex;
  static std::map<Key, Entry> cache;
  Key key(family, bold, italic);
  {
    std::lock_guard lock(mutex);
    if (auto it = cache.find(key); it != cache.end()) {
      if (const auto* m = std::get_if<FaceMatch>(&it->second)) return *m;
      throw EPlatformError(std::get<std::string>(it->second));
    }
  }
  Entry entry;
  try {
    entry = FindFace(family, bold, italic);
  } catch (const EPlatformError& e) {
    entry = std::string(e.what());
  }
  std::lock_guard lock(mutex);
  const Entry& stored = cache.emplace(std::move(key), std::move(entry)).first->second;
  if (const auto* m = std::get_if<FaceMatch>(&stored)) return *m;
  throw EPlatformError(std::get<std::string>(stored));
}

}  // namespace kiv::fontengine
