// Finding the font file for a family name and style: fontconfig first, then a few well-known
// paths, with a note of which style the chosen face lacks so the renderer can synthesise it.
#pragma once

#include <string>
#include <vector>

namespace kiv::fontengine {

// A face file and how to use it for the style that was asked for.
struct FaceMatch {
  std::string path;
  int index = 0;                  // face index inside the file (collections)
  std::string family;             // the family the file declares, e.g. "Liberation Sans"
  bool synthetic_bold = false;    // bold was asked for but the face is not bold
  bool synthetic_italic = false;  // italic was asked for but the face is upright
};

// Where to look. The defaults ask fontconfig and then try the usual install locations of the
// DejaVu and Liberation fonts.
struct FaceSearch {
  bool use_fontconfig = true;
  std::vector<std::string> fallback_paths = DefaultFallbackPaths();
  static std::vector<std::string> DefaultFallbackPaths();
};

// Finds the face for a family and style. An unknown family gets the default sans face. Raises
// EPlatformError when nothing usable is found (the message says which package to install).
FaceMatch FindFace(const std::string& family, bool bold, bool italic,
                   const FaceSearch& search = FaceSearch());

// FindFace with the default search, remembered per (family, bold, italic).
FaceMatch MatchFace(const std::string& family, bool bold, bool italic);

}  // namespace kiv::fontengine
