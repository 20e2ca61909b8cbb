// Fuzz target for loading chart files: whatever bytes a data or annotation file holds, loading it
// (into an empty chart and appended after items) must give a defined result, leave only items
// the chart can hold, keep the counters and long texts consistent, survive drawing, and save
// back to a file that loads into the same records.
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/bitmap.h"
#include "rchart/rchart.h"

namespace {

using namespace kiv;

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "chartfile_fuzz: %s\n", what);
    std::abort();
  }
}

std::string TempPath(const char* tag) {
  return "/tmp/kiv_chartfile_fuzz_" + std::to_string(::getpid()) + tag;
}

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  Check(f != nullptr, "cannot write the input file");
  if (size > 0) std::fwrite(data, 1, size, f);
  std::fclose(f);
}

struct Probe : TCustomRChart {
  Probe() : TCustomRChart(nullptr) { SetBounds(0, 0, 120, 100); }

  // Everything a loaded container must satisfy.
  void CheckSound(bool anno, int before, int result) {
    const int n = anno ? NumAnnos() : NumItems();
    Check(result >= -2, "result below -2");
    if (result >= 0) Check(n == before + result, "item count does not match the result");
    if (result < 0) Check(n == before, "a refused file changed the item count");
    const TRcItemContainer& c = anno ? *FAnnoContainer : *FDataContainer;
    Check(n <= c.Size(), "more items than slots");
    const int used = anno ? FNumLongTextsAnno : FNumLongTextsData;
    Check(used >= 0 && used <= kMaxLongTexts, "long-text count out of range");
    std::array<int, kNumItemKinds> kinds{};
    for (int i = 0; i < n; ++i) {
      const TrcChartItem& it = c[i];
      Check(
          it.ItemKind < kNumItemKinds && it.ItemKind != tkEverything && it.ItemKind != tkNotMoveTo,
          "stored kind out of range");
      Check(it.Layer == 1 || it.Layer == 2, "stored layer out of range");
      Check(it.CoordMode <= cmXWorldYScreen, "stored coordinate mode out of range");
      if (IsTextKind(it.ItemKind)) Check(it.LWid >= 0 && it.LWid <= used, "long-text number");
      ++kinds[it.ItemKind];
    }
    if (!anno) {
      for (int k = 0; k < kNumItemKinds; ++k)
        Check(ItemCount(static_cast<TrcItem>(k)) == kinds[k], "per-kind counter out of step");
    }
  }

  void Reset() {
    ClearGraf();
    ClearAnnotations();
    FLongTextsData.fill(std::string());
    FNumLongTextsData = 0;
    // Something to append to, with a long text of its own.
    MarkAt(1.0, 2.0, 3);
    Text(1.0, 1.0, 8, "a text longer than fifteen");
    SetAnnoMode(true);
    Line(0.0, 0.0, 1.0, 1.0);
    SetAnnoMode(false);
  }
};

Probe& Chart() {
  static Probe* chart = [] {
    auto* c = new Probe;
    c->SetRange(1, -10, -10, 10, 10);
    return c;
  }();
  return *chart;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string in = TempPath(".in");
  static const std::string out = TempPath(".out");
  WriteFile(in, data, size);
  Probe& c = Chart();
  for (bool anno : {false, true}) {
    for (bool append : {false, true}) {
      c.Reset();
      const int before = append ? (anno ? c.NumAnnos() : c.NumItems()) : 0;
      const int r = anno ? c.LoadAnno(in, append) : c.LoadData(in, append);
      if (r < 0 && !append) {
        // A refused file leaves the chart as it was: the two items and one annotation.
        c.CheckSound(anno, anno ? 1 : 2, r);
        continue;
      }
      c.CheckSound(anno, before, r);
      TBitmap bmp(40, 30);
      c.RenderItems(bmp.Canvas());
      if (r < 0) continue;
      // What was loaded saves and loads back into the same records.
      anno ? c.SaveAnno(out) : c.SaveData(out);
      const int n = anno ? c.NumAnnos() : c.NumItems();
      std::string first(static_cast<std::size_t>(n) * sizeof(TrcChartItem), '\0');
      for (int i = 0; i < n; ++i) {
        const TrcChartItem it = anno ? c.GetAnnoItem(i) : c.GetChartItem(i);
        std::memcpy(first.data() + static_cast<std::size_t>(i) * sizeof it, &it, sizeof it);
      }
      const int r2 = anno ? c.LoadAnno(out, false) : c.LoadData(out, false);
      Check(r2 == n, "a saved file does not load back");
      for (int i = 0; i < n; ++i) {
        const TrcChartItem it = anno ? c.GetAnnoItem(i) : c.GetChartItem(i);
        Check(std::memcmp(first.data() + static_cast<std::size_t>(i) * sizeof it, &it, sizeof it) ==
                  0,
              "a record changed in a save and load");
      }
    }
  }
  return 0;
}
