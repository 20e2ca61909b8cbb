// Whole-array item creation of TCustomRChart: polylines and marks from x and y arrays, written
// straight into the container's blocks with the fields the per-point calls would set.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "rchart/customrchart.h"
#include "rchart/errors.h"

namespace kiv {

namespace {

// A whole record: the shared fields of tmpl with the point and colour of one item. The record
// is assembled in registers and stored in one go.
inline void WriteRecord(TrcChartItem& dest, const TrcChartItem& tmpl, double x, double y,
                        TColor color) {
  TrcChartItem r = tmpl;
  r.x = x;
  r.y = y;
  r.Color = color;
  std::memcpy(static_cast<void*>(&dest), &r, sizeof r);
}

// count consecutive records (colors may be null: tmpl's colour for all). Millions of records
// do not fit the caches: pairs of records (208 bytes, 16-byte aligned when the first one has an
// even index in its block) are streamed to memory without reading the lines they replace.
void WriteRecords(TrcChartItem* dest, const TrcChartItem& tmpl, const double* x, const double* y,
                  const TColor* colors, int count) {
  int i = 0;
  const auto one = [&](int k) {
    WriteRecord(dest[k], tmpl, x[k], y[k], colors != nullptr ? colors[k] : tmpl.Color);
  };
#ifdef __SSE2__
  if (count > 0 && reinterpret_cast<std::uintptr_t>(dest) % 16 != 0) one(i++);
  alignas(16) TrcChartItem pair[2] = {tmpl, tmpl};
  static_assert(sizeof pair == 13 * 16);
  for (; i + 1 < count; i += 2) {
    pair[0].x = x[i];
    pair[0].y = y[i];
    pair[1].x = x[i + 1];
    pair[1].y = y[i + 1];
    if (colors != nullptr) {
      pair[0].Color = colors[i];
      pair[1].Color = colors[i + 1];
    }
    const auto* src = reinterpret_cast<const __m128i*>(pair);
    auto* out = reinterpret_cast<__m128i*>(dest + i);
    for (int k = 0; k < 13; ++k) _mm_stream_si128(out + k, _mm_load_si128(src + k));
  }
  _mm_sfence();
#endif
  for (; i < count; ++i) one(i);
}

}  // namespace

int TCustomRChart::ReserveItems(int count) {
  const bool anno = FAnnoMode;
  TRcItemContainer& c = anno ? *FAnnoContainer : *FDataContainer;
  const int first = anno ? FNumAnnoItems : FNumChartItems;
  int& alloc = anno ? FNumAllocAnno : FNumAllocData;
  const long long end = static_cast<long long>(first) + count;
  if (end > TRcItemContainer::kMaxSlots) {
    c.Resize(TRcItemContainer::kMaxSlots + 1);  // raises the container's own error
  }
  // The accounting of NewItemSlot, replayed only at the items where it grows: an append at
  // `at` grows when at >= alloc or at >= the slots so far.
  int grown_alloc = alloc;
  int slots = c.Size();
  for (long long at = first; at < end;) {
    if (at >= grown_alloc || at >= slots) {
      grown_alloc = static_cast<int>(std::min<long long>(
          static_cast<long long>(grown_alloc) + FAllocSize, TRcItemContainer::kMaxSlots));
      slots = std::max({slots, grown_alloc, static_cast<int>(at) + 1});
    }
    at = std::max(at + 1, static_cast<long long>(std::min(grown_alloc, slots)));
  }
  // The slots this call adds for its items are written whole (AppendArray): they need no
  // zeroing first. May raise; nothing has changed then.
  if (c.Size() < slots) c.Resize(slots, static_cast<int>(end));
  alloc = grown_alloc;
  return first;
}

void TCustomRChart::AppendArray(const char* what, TrcItem first, TrcItem rest,
                                std::span<const double> x, std::span<const double> y,
                                std::span<const TColor> colors, std::uint8_t mk) {
  if (x.size() != y.size())
    throw EKIVRChartError(std::string(what) + ": x and y differ in length (" +
                          std::to_string(x.size()) + " and " + std::to_string(y.size()) + ")");
  if (!colors.empty() && colors.size() != x.size())
    throw EKIVRChartError(std::string(what) + ": " + std::to_string(colors.size()) +
                          " colours for " + std::to_string(x.size()) + " points");
  if (x.empty()) return;
  if (x.size() > static_cast<std::size_t>(TRcItemContainer::kMaxSlots))
    throw EKIVRChartError(std::string(what) + ": too many points (" + std::to_string(x.size()) +
                          ")");
  const int n = static_cast<int>(x.size());
  TRcItemContainer& c = FAnnoMode ? *FAnnoContainer : *FDataContainer;
  const int old_slots = c.Size();
  const int start = ReserveItems(n);

  // The fields every item of the call shares. Slots the container had before hold what they
  // held (an old item after clearing, say): there only the fields the per-point calls set are
  // written. Slots added by growing would read as zero, so there a whole record (zero but for
  // those fields) is written at once, one pass over the memory, without zeroing it first.
  const int zero_from = std::max(start, old_slots);
  TrcChartItem tmpl{};
  tmpl.PenStyle = RcPenStyle;
  tmpl.Tag = FDataTag;
  tmpl.LWid = RcLineWid;
  tmpl.ItemClass = RcClassDefault;
  tmpl.Layer = FActiveLayer;
  tmpl.CoordMode = cmAllWorld;
  tmpl.Color = RcDataCol;
  if (rest == tkMarkAt) tmpl.Param3 = mk;
  const auto write = [&](int i, TrcChartItem& tmpl_k, TrcItem kind, bool whole) {
    TrcChartItem& p = c[start + i];
    const auto ui = static_cast<std::size_t>(i);
    if (whole) {
      WriteRecord(p, tmpl_k, x[ui], y[ui], colors.empty() ? RcDataCol : colors[ui]);
      return;
    }
    p.x = x[ui];
    p.y = y[ui];
    p.Color = colors.empty() ? RcDataCol : colors[ui];
    if (kind == tkLineto) p.FillColor = RcFillCol;
    p.PenStyle = tmpl_k.PenStyle;
    p.Tag = tmpl_k.Tag;
    p.LWid = tmpl_k.LWid;
    p.ItemClass = tmpl_k.ItemClass;
    p.ItemKind = kind;
    p.Layer = tmpl_k.Layer;
    if (kind == tkMarkAt) p.Param3 = mk;
    p.CoordMode = cmAllWorld;
  };
  TrcChartItem head = tmpl;
  head.ItemKind = first;
  if (first == tkLineto) head.FillColor = RcFillCol;
  TrcChartItem body = tmpl;
  body.ItemKind = rest;
  if (rest == tkLineto) body.FillColor = RcFillCol;
  write(0, head, first, start >= zero_from);
  int i = 1;
  for (; i < n && start + i < zero_from; ++i) write(i, body, rest, false);
  // The zero slots, walked block by block.
  while (i < n) {
    const int stop = std::min(start + n, c.ContiguousEnd(start + i)) - start;
    WriteRecords(&c[start + i], body, x.data() + i, y.data() + i,
                 colors.empty() ? nullptr : colors.data() + i, stop - i);
    i = stop;
  }
  if (FAnnoMode) {
    FNumAnnoItems += n;
    return;
  }
  FNumChartItems += n;
  ++FItemCount[first];
  FItemCount[rest] += n - 1;
  AdjustCanInfoOfSharedCharts();
}

void TCustomRChart::Polyline(std::span<const double> x, std::span<const double> y) {
  AppendArray("Polyline", tkMoveTo, tkLineto, x, y, {}, 0);
}

void TCustomRChart::Polyline(std::span<const double> x, std::span<const double> y,
                             std::span<const TColor> colors) {
  AppendArray("Polyline", tkMoveTo, tkLineto, x, y, colors, 0);
}

void TCustomRChart::Marks(std::span<const double> x, std::span<const double> y, std::uint8_t mk) {
  AppendArray("Marks", tkMarkAt, tkMarkAt, x, y, {}, mk);
}

void TCustomRChart::Marks(std::span<const double> x, std::span<const double> y, std::uint8_t mk,
                          std::span<const TColor> colors) {
  AppendArray("Marks", tkMarkAt, tkMarkAt, x, y, colors, mk);
}

}  // namespace kiv
