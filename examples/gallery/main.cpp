// Renders every registered gallery picture into the directory given as the first argument
// (default out/gallery); a second argument renders only the pictures whose name contains it.
#include <cstdio>
#include <exception>
#include <map>
#include <string>

#include "gallery.h"

namespace kiv::gallery {

static std::map<std::string, Renderer>& Entries() {
  static std::map<std::string, Renderer> entries;
  return entries;
}

int Register(const char* name, Renderer render) {
  Entries()[name] = render;
  return 0;
}

}  // namespace kiv::gallery

int main(int argc, char** argv) {
  const std::filesystem::path dir = argc > 1 ? argv[1] : "out/gallery";
  const std::string filter = argc > 2 ? argv[2] : "";
  std::filesystem::create_directories(dir);
  int failed = 0;
  for (const auto& [name, render] : kiv::gallery::Entries()) {
    if (!filter.empty() && name.find(filter) == std::string::npos) continue;
    try {
      render(dir);
      std::printf("rendered %s\n", name.c_str());
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s failed: %s\n", name.c_str(), e.what());
      ++failed;
    }
  }
  return failed == 0 ? 0 : 1;
}
