// The gallery's registry: each picture renderer registers itself under a name with
// KIV_GALLERY(name) { ... } and writes its files into the directory it is given.
#pragma once

#include <filesystem>
#include <string>

namespace kiv::gallery {

using Renderer = void (*)(const std::filesystem::path& dir);

int Register(const char* name, Renderer render);

}  // namespace kiv::gallery

#define KIV_GALLERY(name)                                                                      \
  static void name(const std::filesystem::path& dir);                                          \
  [[maybe_unused]] static const int name##_registered = ::kiv::gallery::Register(#name, name); \
  static void name(const std::filesystem::path& dir)
