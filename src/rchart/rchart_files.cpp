// The chart's files: saving and loading the data and the annotation container (chartfile.h),
// the text listing of the data items, and copying annotations between charts.
#include <algorithm>
#include <bitset>

#include "platform/atomicfile.h"
#include "rchart/chartfile.h"
#include "rchart/customrchart.h"
#include "rchart/itemdescription.h"

namespace kiv {

namespace {

// One container of a chart with the state that goes with it.
struct ContainerState {
  std::shared_ptr<TRcItemContainer>& c;
  int& count;
  int& alloc;
  TLongTextArray& texts;
  int& used;
  std::array<int, kNumItemKinds>* counters;  // data only
  int* last_shown;                           // data only
};

// Long-text numbers of loaded text items point into the file's own table: number k becomes
// base + k, the entry its line is stored in. A number without such a line (out of range, a line
// missing at the end of the file, or beyond the 50 entries) becomes 0, so that the item shows
// its first 15 characters instead of another item's text.
int Load(ContainerState s, const std::string& path, bool append, std::string_view marker) {
  chartfile::TChartFileReader reader;
  if (const int st = reader.Open(path, marker); st < 0) return st;
  const int first = append ? std::min(s.count, s.c->Size()) : 0;
  const int base = append ? std::clamp(s.used, 0, kMaxLongTexts) : 0;
  const int wanted = std::min(reader.Lines(), kMaxLongTexts - base);
  TRcItemContainer fresh;
  TRcItemContainer& target = append ? *s.c : fresh;
  const int old_size = target.Size();
  std::array<int, kNumItemKinds> loaded{};
  const int st = reader.ReadItems(target, first, [&](TrcChartItem& it) {
    ++loaded[it.ItemKind];
    if (IsTextKind(it.ItemKind) && it.LWid != 0)
      it.LWid = it.LWid >= 1 && it.LWid <= wanted ? base + it.LWid : 0;
  });
  if (st < 0) return st;
  std::vector<std::string> lines;
  try {
    lines = reader.ReadLines(wanted);
  } catch (...) {  // no memory for the texts: the file is refused as a whole
    target.Resize(first);
    target.Resize(old_size);
    return chartfile::kUnreadable;
  }
  const int got = static_cast<int>(lines.size());
  const int n = reader.Items();
  if (got < wanted) {
    for (int i = first; i < first + n; ++i) {
      TrcChartItem& it = target[i];
      if (IsTextKind(it.ItemKind) && it.LWid > base + got) it.LWid = 0;
    }
  }

  if (!append) {
    *s.c = std::move(fresh);
    s.texts.fill(std::string());
    if (s.counters != nullptr) s.counters->fill(0);
    if (s.last_shown != nullptr) *s.last_shown = 0;
  }
  for (int j = 0; j < got; ++j) s.texts[static_cast<std::size_t>(base + j)] = std::move(lines[j]);
  s.used = base + got;
  s.count = first + n;
  s.alloc = first + n;
  if (s.counters != nullptr) {
    for (int k = 0; k < kNumItemKinds; ++k) (*s.counters)[k] += loaded[k];
  }
  return n;
}

}  // namespace

void TCustomRChart::SaveData(const std::string& FName) {
  chartfile::WriteChartFile(FName, chartfile::kDataMarker, *FDataContainer, FNumChartItems,
                            FLongTextsData, FNumLongTextsData);
}

void TCustomRChart::SaveAnno(const std::string& FName) {
  chartfile::WriteChartFile(FName, chartfile::kAnnoMarker, *FAnnoContainer, FNumAnnoItems,
                            FLongTextsAnno, FNumLongTextsAnno);
}

int TCustomRChart::LoadData(const std::string& FName, bool AppendIt) {
  const int n = Load({FDataContainer, FNumChartItems, FNumAllocData, FLongTextsData,
                      FNumLongTextsData, &FItemCount, &FLastElemOnShow},
                     FName, AppendIt, chartfile::kDataMarker);
  if (n < 0) return n;
  AdjustCanInfoOfSharedCharts();
  Repaint();
  return n;
}

int TCustomRChart::LoadAnno(const std::string& FName, bool AppendIt) {
  const int n = Load({FAnnoContainer, FNumAnnoItems, FNumAllocAnno, FLongTextsAnno,
                      FNumLongTextsAnno, nullptr, nullptr},
                     FName, AppendIt, chartfile::kAnnoMarker);
  if (n < 0) return n;
  Repaint();
  return n;
}

void TCustomRChart::SaveDataASC(const std::string& FName) {
  try {
    TAtomicFile f(FName);
    std::string buf;
    const int n = std::min(FNumChartItems, FDataContainer->Size());
    for (int i = 0; i < n; ++i) {
      buf += "\r\n------ item " + std::to_string(i) + " ------\r\n  ";
      buf += ItemDescription((*FDataContainer)[i], -1);
      buf += "\r\n";
      if (buf.size() >= (1u << 20)) {
        f.Write(buf);
        buf.clear();
      }
    }
    f.Write(buf);
    f.Commit();
  } catch (...) {  // a listing is a convenience: failures to write it are not reported
  }
}

void TCustomRChart::CopyAnnoFrom(const TCustomRChart& SrcChart,
                                 std::span<const std::uint8_t> ClassFilter, bool AppendIt) {
  // Copied first, so that copying a chart's annotations into itself reads them unchanged.
  const int src_count = std::min(SrcChart.FNumAnnoItems, SrcChart.FAnnoContainer->Size());
  std::vector<TrcChartItem> src;
  src.reserve(static_cast<std::size_t>(src_count));
  std::bitset<256> classes;
  for (std::uint8_t cls : ClassFilter) classes.set(cls);
  for (int i = 0; i < src_count; ++i) {
    const TrcChartItem& it = (*SrcChart.FAnnoContainer)[i];
    if (ClassFilter.empty() || classes.test(it.ItemClass)) src.push_back(it);
  }
  const TLongTextArray src_texts = SrcChart.FLongTextsAnno;
  const int src_used = std::clamp(SrcChart.FNumLongTextsAnno, 0, kMaxLongTexts);

  // Built aside and taken over at the end, so that a failure leaves the chart as it was.
  TRcItemContainer fresh;
  TRcItemContainer& c = AppendIt ? *FAnnoContainer : fresh;
  TLongTextArray texts = AppendIt ? FLongTextsAnno : TLongTextArray{};
  int used = AppendIt ? std::clamp(FNumLongTextsAnno, 0, kMaxLongTexts) : 0;
  int count = AppendIt ? std::min(FNumAnnoItems, c.Size()) : 0;
  c.Resize(count + static_cast<int>(src.size()));
  for (TrcChartItem it : src) {
    if (IsTextKind(it.ItemKind) && it.LWid != 0) {
      // A number that names no text of the source, or a full table here, leaves the item its
      // first 15 characters rather than another entry's text.
      const bool named = it.LWid >= 1 && it.LWid <= src_used;
      if (named && used < kMaxLongTexts) {
        texts[static_cast<std::size_t>(used)] = src_texts[static_cast<std::size_t>(it.LWid - 1)];
        it.LWid = ++used;
      } else {
        it.LWid = 0;
      }
    }
    c[count++] = it;
  }
  if (!AppendIt) *FAnnoContainer = std::move(fresh);
  FLongTextsAnno = std::move(texts);
  FNumLongTextsAnno = used;
  FNumAnnoItems = count;
  FNumAllocAnno = count;
  Repaint();
}

}  // namespace kiv
