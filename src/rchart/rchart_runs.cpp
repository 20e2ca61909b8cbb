// The large-data paths of the item loop: runs of polyline steps and of marks that continue with
// the pen and brush of the item before them, drawn in loops of their own. They give exactly
// the pixels of drawing each item by itself (tests/rchart/runs_test.cpp compares both).
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "rchart/column_run.h"
#include "rchart/item_renderer.h"
#include "services/marks.h"

namespace kiv {

using namespace itemdraw;

namespace {
#ifndef PFDIST
#define PFDIST 1536
#endif

// The bytes that consecutive items of a run share: pen and brush colour, pen style, width,
// class, kind, layer and coordinate mode. An item with the same bytes as one the run accepted
// is accepted without further tests.
struct RunKey {
  std::uint64_t colors = 0;  // Color, FillColor
  std::uint64_t kind = 0;    // LWid, ItemClass, ItemKind, two padding bytes
  std::int32_t layer = 0;
  std::uint8_t style = 0, mode = 0;
  explicit RunKey(const TrcChartItem& it) {
    std::memcpy(&colors, &it.Color, sizeof colors);
    std::memcpy(&kind, &it.LWid, sizeof kind);
    layer = it.Layer;
    style = it.PenStyle;
    mode = it.CoordMode;
  }
  bool Matches(const TrcChartItem& it) const {
    std::uint64_t c, k;
    std::memcpy(&c, &it.Color, sizeof c);
    std::memcpy(&k, &it.LWid, sizeof k);
    return c == colors && k == kind && it.Layer == layer && it.PenStyle == style &&
           it.CoordMode == mode;
  }
};
static_assert(offsetof(TrcChartItem, FillColor) == offsetof(TrcChartItem, Color) + 4);
static_assert(offsetof(TrcChartItem, Pad62) + 2 == offsetof(TrcChartItem, LWid) + 8);

// How far ahead of the item in hand the walk asks for the memory of the items to come, in
// bytes (about twenty items): reading the records is bound by memory, and asking early keeps
// more of them on their way than the hardware's own prefetching does (a repaint of 10^6 steps
// about 15% faster here).
constexpr std::uintptr_t kPrefetchAhead = 2048;

// Calls take(item) for the items from i on while it returns true; returns the index of the
// first item not taken. Items are walked by pointer within the container's blocks; the hint for
// the memory ahead is only a hint, so it may point past the block.
template <typename Take>
int Walk(const TRcItemContainer& items, int i, int end, Take&& take) {
  while (i < end) {
    const int stop = std::min(end, items.ContiguousEnd(i));
    const TrcChartItem* p = &items[i];
    for (; i < stop; ++i, ++p) {
      __builtin_prefetch(
          reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(p) + kPrefetchAhead));
      if (!take(*p)) return i;
    }
  }
  return i;
}

}  // namespace

bool TItemRenderer::Shown(const TrcChartItem& it) const {
  const std::int32_t L = it.Layer;
  return ch_.FItClassVisib[it.ItemClass] && (L == 1 || L == 2) &&
         ch_.FLayerVisib[static_cast<std::size_t>(L - 1)];
}

bool TItemRenderer::Continues(const TrcChartItem& it, const LineRunPen& pen) const {
  return it.ItemKind == tkLineto && it.Layer == layer_ && it.LWid == pen.width &&
         (blk_white_ ? clBlack : it.Color) == pen.color && ValidStyle(it.PenStyle) == pen.style &&
         it.FillColor == pen.brush;
}

template <typename Sink>
int TItemRenderer::ScanLine(const TRcItemContainer& items, int i, int end, const LineRunPen& pen,
                            bool collapse, TPoint from, Sink&& sink) const {
  RunKey key(items[pen.first]);
  // Whether the item continues the run: false to end it, skip for a hidden item.
  const bool gaps = ch_.FMissingGaps;
  const auto accept = [&](const TrcChartItem& it, bool& skip) {
    skip = false;
    // A missing value ends the run: the item loop lifts the pen for it.
    if (gaps && !FinitePoint(it)) return false;
    if (key.Matches(it)) return true;
    if (!Shown(it)) return skip = true;
    if (!Continues(it, pen)) return false;
    key = RunKey(it);
    return true;
  };
  const auto point = [&](const TrcChartItem& it) {
    return it.CoordMode == cmAllWorld ? WorldMain(it) : Main(it);
  };
  if (!collapse) {
    return Walk(items, i, end, [&](const TrcChartItem& it) {
      bool skip;
      if (!accept(it, skip)) return false;
      if (!skip) sink(point(it));
      return true;
    });
  }
  TColumnRun run;
  run.Start(from);
  const auto close = [&] {
    TPoint path[3];
    const int n = run.Path(path);
    for (int k = 0; k < n; ++k) sink(path[k]);
  };
  i = Walk(items, i, end, [&](const TrcChartItem& it) {
    bool skip;
    if (!accept(it, skip)) return false;
    if (skip) return true;
    const TPoint q = point(it);
    if (q.X == run.X()) {
      run.Add(q.Y);
      return true;
    }
    // A step into another column is drawn as it is.
    close();
    sink(q);
    run.Start(q);
    return true;
  });
  close();
  return i;
}

int TItemRenderer::LineRun(const TRcItemContainer& items, int i, int end) {
  TCustomRChart& ch = ch_;
  // The pen and brush the polyline is drawn with (the conditions of FastStep): the step before
  // the run set them, and a step that asks for anything else ends the run.
  const LineRunPen pen{ch.FLastLWidth, ch.FLastPenCol, ch.FLastBrushCol, ch.FLastPenStyle, i - 1};
  // After a missing value the next step starts a new line: the item loop draws it.
  if (ch.FPenLifted || !Continues(items[i - 1], pen)) return i;
  const TPen& p = cv_.Pen();
  // Runs inside one pixel column collapse to their short path only where that is known to give
  // the same pixels: one solid one-pixel pen in copy mode on a bitmap (column_run.h).
  const bool collapse = pen.style == psSolid && p.Style() == psSolid && p.Width() == 1 &&
                        p.Mode() == pmCopy && cv_.RasterBitmap() != nullptr && ch.FNumPPa > 0;
  const auto push = [this](TPoint q) { Push(q); };
  return ScanLine(items, i, end, pen, collapse,
                  collapse ? ch.FPPa[static_cast<std::size_t>(ch.FNumPPa - 1)] : TPoint(), push);
}

int TItemRenderer::MarkRun(const TRcItemContainer& items, int i, int end) {
  TCustomRChart& ch = ch_;
  // The mark before the run left the pen as its kind, colour and style ask (Mark); the marks
  // that follow with the same ones draw with it.
  const TrcChartItem& first = items[i - 1];
  const std::int32_t mark = first.Param3;
  const std::int32_t width = ch.FLastLWidth;
  const TColor pen = ch.FLastPenCol;
  const TPenStyle style = ch.FLastPenStyle;
  const auto continues = [&](const TrcChartItem& it) {
    return it.ItemKind == tkMarkAt && it.Layer == layer_ && it.CoordMode == cmAllWorld &&
           it.Param3 == mark && it.LWid == width && (blk_white_ ? clBlack : it.Color) == pen &&
           ValidStyle(it.PenStyle) == style;
  };
  // A mark outside the ranges leaves the pen as it was: the run starts with one that set it.
  if (!continues(first)) return i;
  TMarkStamp stamp;
  if (ch.FNumPPa != 0 || !stamp.Prepare(cv_, mark)) return i;
  const bool avoid = ch.FAvoidDupMarks && !ch.FMarkMap.Empty();
  // The marks accepted and not yet drawn, oldest at head once the queue is full.
  constexpr int kAhead = 16;
  TPoint queue[kAhead];
  int head = 0, queued = 0;
  // Marks the run draws with the stamp from item i on; returns where the run ends.
  const auto scan = [&](TMarkStamp& st) {
    // A key match also needs the same mark.
    RunKey key(first);
    return Walk(items, i, end, [&](const TrcChartItem& it) {
      if (!(key.Matches(it) && it.Param3 == mark)) {
        if (!Shown(it)) return true;
        if (!continues(it)) return false;
        key = RunKey(it);
      }
      // World marks outside the layer's ranges are not drawn (Mark).
      if (!InRanges(it)) return true;
      const TPoint q = WorldMain(it);
      if (avoid && !MarkSlotFree(q.X, q.Y, mark)) return true;
      // Drawn kAhead marks later, in the same order, its rows asked for now.
      st.Prefetch(q.X, q.Y);
      if (queued == kAhead)
        st.Draw(queue[head].X, queue[head].Y);
      else
        ++queued;
      queue[head] = q;
      head = (head + 1) % kAhead;
      return true;
    });
  };
  const int stop = scan(stamp);
  for (int k = kAhead - queued; k < kAhead; ++k) {
    const TPoint q = queue[(head + k) % kAhead];
    stamp.Draw(q.X, q.Y);
  }
  return stop;
}

}  // namespace kiv
