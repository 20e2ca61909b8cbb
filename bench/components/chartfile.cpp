// Chart files and queries on a million items: SaveData and LoadData beside one fwrite and one
// fread of the same bytes (into freshly allocated memory, as a load must), and the nearest data
// item to a pixel. Prints "task<TAB>ms<TAB>target" rows (bench/components/README.md).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "rchart/rchart.h"
#include "timing.h"

namespace {

void Fail(const std::string& what) {
  std::fprintf(stderr, "chartfile bench: %s\n", what.c_str());
  std::exit(1);
}

int Rows(const std::string& dir) {
  constexpr int kItems = 1000000;
  kiv::TCustomRChart chart(nullptr);
  chart.SetBounds(0, 0, 800, 600);
  chart.SetRange(1, 0, -1.5, kItems, 1.5);
  chart.SetAllocSize(kItems);
  for (int i = 0; i < kItems; ++i) chart.DrawTo(double(i), std::sin(i * 0.001));

  const std::string saved = dir + "/chart.dat";
  const double save = kiv::bench::BestMs(9, [&](int) { chart.SaveData(saved); });

  std::FILE* f = std::fopen(saved.c_str(), "rb");
  if (f == nullptr) Fail("cannot read " + saved);
  std::fseek(f, 0, SEEK_END);
  const auto size = static_cast<std::size_t>(std::ftell(f));
  std::fclose(f);
  std::vector<char> bytes(size);
  f = std::fopen(saved.c_str(), "rb");
  if (std::fread(bytes.data(), 1, size, f) != size) Fail("short read");
  std::fclose(f);

  const std::string plain = dir + "/plain.dat";
  const double fwrite_ms = kiv::bench::BestMs(9, [&](int) {
    std::FILE* out = std::fopen(plain.c_str(), "wb");
    if (out == nullptr || std::fwrite(bytes.data(), 1, size, out) != size) Fail("fwrite");
    std::fclose(out);
  });
  const double fread_ms = kiv::bench::BestMs(9, [&](int) {
    std::unique_ptr<char[]> buf(new char[size]);
    std::FILE* in = std::fopen(plain.c_str(), "rb");
    if (in == nullptr || std::fread(buf.get(), 1, size, in) != size) Fail("fread");
    std::fclose(in);
  });

  kiv::TCustomRChart loaded(nullptr);
  const double load = kiv::bench::BestMs(9, [&](int) {
    if (loaded.LoadData(saved, false) != kItems) Fail("LoadData");
  });

  double dist = 0;
  int hits = 0;
  const auto pick = [&](int) {
    hits += chart.FindNearestItemScreen(kItems * 0.37, 0.2, kiv::tkEverything, 255, dist) >= 0;
  };
  const double nearest = kiv::bench::BestMs(7, pick);
  const double nearest_cpu = kiv::bench::BestCpuMs(7, pick);
  if (hits == 0) Fail("nearest item not found");

  std::printf("chart SaveData 1e6 items\t%.2f\t%.2f\n", save, 2 * fwrite_ms);
  std::printf("chart LoadData 1e6 items\t%.2f\t%.2f\n", load, 2 * fread_ms);
  std::printf("fwrite/fread 1e6 items\t%.2f\t-\n", fwrite_ms + fread_ms);
  std::printf("chart nearest item 1e6\t%.2f\t10\n", nearest);
  std::printf("chart nearest item 1e6, thread CPU\t%.2f\t-\n", nearest_cpu);
  std::remove(saved.c_str());
  std::remove(plain.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "write") == 0) return 0;  // the peers need no data
  if (argc == 3 && std::strcmp(argv[1], "rows") == 0) return Rows(argv[2]);
  std::fprintf(stderr, "usage: %s write|rows DIR\n", argv[0]);
  return 2;
}
