// The large-data paths of the item loop: runs of polyline steps and of marks that continue with
// the pen and brush of the item before them, drawn in loops of their own. They give exactly
// the pixels of drawing each item by itself (tests/rchart/runs_test.cpp compares both).
#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "rchart/column_run.h"
#include "rchart/item_renderer.h"
#include "services/marks.h"

namespace kiv {

using namespace itemdraw;

namespace {

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

// Calls take(item) for the items from i on while it returns true; returns the index of the
// first item not taken. Items are walked by pointer within the container's blocks.
template <typename Take>
int Walk(const TRcItemContainer& items, int i, int end, Take&& take) {
  while (i < end) {
    const int stop = std::min(end, items.ContiguousEnd(i));
    const TrcChartItem* p = &items[i];
    for (; i < stop; ++i, ++p)
      if (!take(*p)) return i;
  }
  return i;
}

}  // namespace

// A second thread for the rounds of a long run: Run hands it a job, Wait waits until it is done.
// Without a second core, or when no thread can be made, Run says no and the caller does the work.
class TItemRenderer::TRoundWorker {
 public:
  TRoundWorker() {
    if (std::thread::hardware_concurrency() < 2) return;
    try {
      thread_ = std::thread([this] { Loop(); });
    } catch (const std::system_error&) {
    }
  }
  ~TRoundWorker() {
    if (!thread_.joinable()) return;
    {
      std::lock_guard lock(mutex_);
      quit_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  bool Run(std::function<void()> job) {
    if (!thread_.joinable()) return false;
    {
      std::lock_guard lock(mutex_);
      job_ = std::move(job);
      busy_ = true;
    }
    wake_.notify_all();
    return true;
  }
  void Wait() {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return !busy_; });
  }

 private:
  void Loop() {
    std::unique_lock lock(mutex_);
    while (true) {
      wake_.wait(lock, [this] { return quit_ || busy_; });
      if (quit_) return;
      lock.unlock();
      job_();
      lock.lock();
      busy_ = false;
      done_.notify_all();
    }
  }
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable wake_, done_;
  std::function<void()> job_;
  bool busy_ = false, quit_ = false;
};

bool TItemRenderer::Shown(const TrcChartItem& it) const {
  const std::int32_t L = it.Layer;
  return ch_.FItClassVisib[it.ItemClass] && (L == 1 || L == 2) &&
         ch_.FLayerVisib[static_cast<std::size_t>(L - 1)];
}

// The steps of one stretch of a run that collapses its columns (see LineRun): the points of its
// path, its first accepted step's point drawn as it is, and where the run ended.
struct TItemRenderer::LineSlice {
  int begin = 0, end = 0;
  int stop = 0;        // the first item the run does not take (end when it takes them all)
  bool broke = false;  // an item in the stretch ended the run
  std::vector<TPoint> points;
};

bool TItemRenderer::Continues(const TrcChartItem& it, const LineRunPen& pen) const {
  return it.ItemKind == tkLineto && it.Layer == layer_ && it.LWid == pen.width &&
         (blk_white_ ? clBlack : it.Color) == pen.color && ValidStyle(it.PenStyle) == pen.style &&
         it.FillColor == pen.brush;
}

template <typename Sink>
int TItemRenderer::ScanLine(const TRcItemContainer& items, int i, int end, const LineRunPen& pen,
                            bool collapse, bool started, TPoint from, Sink&& sink) const {
  RunKey key(items[pen.first]);
  // Whether the item continues the run: false to end it, skip for a hidden item.
  const auto accept = [&](const TrcChartItem& it, bool& skip) {
    skip = false;
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
    if (started && q.X == run.X()) {
      run.Add(q.Y);
      return true;
    }
    // The first step of a stretch is drawn as it is; so is every step into another column.
    if (started) close();
    started = true;
    sink(q);
    run.Start(q);
    return true;
  });
  if (started) close();
  return i;
}

int TItemRenderer::LineRun(const TRcItemContainer& items, int i, int end) {
  TCustomRChart& ch = ch_;
  // The pen and brush the polyline is drawn with (the conditions of FastStep): the step before
  // the run set them, and a step that asks for anything else ends the run.
  const LineRunPen pen{ch.FLastLWidth, ch.FLastPenCol, ch.FLastBrushCol, ch.FLastPenStyle, i - 1};
  if (!Continues(items[i - 1], pen)) return i;
  const TPen& p = cv_.Pen();
  // Runs inside one pixel column collapse to their short path only where that is known to give
  // the same pixels: one solid one-pixel pen in copy mode on a bitmap (column_run.h).
  const bool collapse = pen.style == psSolid && p.Style() == psSolid && p.Width() == 1 &&
                        p.Mode() == pmCopy && cv_.RasterBitmap() != nullptr && ch.FNumPPa > 0;
  const auto push = [this](TPoint q) { Push(q); };
  if (!collapse || end - i < kParallelRun)
    return ScanLine(items, i, end, pen, collapse, collapse,
                    collapse ? ch.FPPa[static_cast<std::size_t>(ch.FNumPPa - 1)] : TPoint(), push);
  // A long run is read by two threads, a round of two stretches at a time: reading the items
  // is bound by memory, and two cores read it almost twice as fast as one. The stretches'
  // paths then join in order: each begins with its first step as it is, so together they cover
  // what the whole run covers.
  LineSlice a, b;
  const auto scan = [&](LineSlice& s) {
    s.points.clear();
    s.stop = ScanLine(items, s.begin, s.end, pen, true, false, TPoint(),
                      [&s](TPoint q) { s.points.push_back(q); });
    s.broke = s.stop < s.end;
  };
  TRoundWorker worker;
  while (i < end) {
    a.begin = i;
    a.end = b.begin =
        static_cast<int>(std::min<long long>(end, i + static_cast<long long>(kRound)));
    b.end = static_cast<int>(std::min<long long>(end, b.begin + static_cast<long long>(kRound)));
    const bool two = b.begin < b.end && worker.Run([&] { scan(b); });
    scan(a);
    if (two) worker.Wait();
    for (const TPoint q : a.points) Push(q);
    if (a.broke) return a.stop;
    if (!two) {
      i = a.end;
      continue;
    }
    for (const TPoint q : b.points) Push(q);
    if (b.broke) return b.stop;
    i = b.end;
  }
  return i;
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
  const bool avoid = ch.FAvoidDupMarks && !ch.FPixMap.empty();
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
      st.Draw(q.X, q.Y);
      return true;
    });
  };
  // Two threads drawing disjoint bands of rows would each have to read every item: the
  // reading and mapping, not the stamping, is most of the cost, so one thread does it all.
  return scan(stamp);
}

}  // namespace kiv
