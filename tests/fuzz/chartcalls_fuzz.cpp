// Fuzz target for sequences of chart calls: the input's bytes are read as calls on a small chart
// (ranges with huge, infinite and NaN ends, logarithmic switches, margins, sizes, layouts, items
// of every kind, text labels, duplicate-mark suppression) interleaved with its outputs (bitmaps,
// the scaled picture, SVG, a vector file). The library's own errors are expected; any other
// exception, a crash or a sanitizer report is a finding. After each call the chart's ranges must
// still be finite with a finite span.
#include <unistd.h>

#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/errors.h"
#include "rchart/rchart.h"

namespace {

using namespace kiv;

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "chartcalls_fuzz: %s\n", what);
    std::abort();
  }
}

// Reads the input front to back; past its end every value is 0.
class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool More() const { return pos_ < size_; }
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  int Int() {
    static constexpr std::array<int, 12> kInts = {0,   1,       -1,      5,       40,     -40,
                                                  300, INT_MAX, INT_MIN, -100000, 100000, 1 << 24};
    const std::uint8_t b = Byte();
    if (b < 192) return static_cast<int>(b) - 96;
    if (b < 192 + kInts.size()) return kInts[b - 192];
    int v = 0;
    for (int k = 0; k < 4; ++k) v = static_cast<int>(static_cast<unsigned>(v) << 8 | Byte());
    return v;
  }
  double Double() {
    const double inf = std::numeric_limits<double>::infinity();
    static const std::array<double, 16> kDoubles = {
        0,      1,
        -1,     10,
        -10,    1e-100,
        1e-300, 1e9,
        1e300,  -1e308,
        1e308,  inf,
        -inf,   std::numeric_limits<double>::quiet_NaN(),
        0.5,    std::numeric_limits<double>::max()};
    const std::uint8_t b = Byte();
    if (b < 160) return (static_cast<int>(b) - 40) * 0.25;
    if (b < 160 + kDoubles.size()) return kDoubles[b - 160];
    std::uint64_t bits = 0;
    for (int k = 0; k < 8; ++k) bits = bits << 8 | Byte();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
  }
  std::string Text() {
    const std::size_t n = Byte() % 12;
    std::string s;
    for (std::size_t k = 0; k < n; ++k) s.push_back(static_cast<char>(Byte()));
    return s;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

struct Chart : TCustomRChart {
  Chart() : TCustomRChart(nullptr) {}
};

void CheckRanges(Chart& c) {
  for (int L = 1; L <= 2; ++L) {
    for (const TScaleProps* p :
         std::initializer_list<const TScaleProps*>{&c.ScalePropsX(L), &c.ScalePropsY(L)}) {
      Check(TScaleProps::IsValidRange(p->RangeLow(), p->RangeHigh()), "a range not finite");
      if (p->Logarithmic())
        Check(p->RangeLow() > 0 && p->RangeHigh() > 0, "a logarithmic axis over a bad range");
    }
  }
}

// Pictures are drawn only while they (and the data area's bitmap) stay small, so that a run
// stays fast.
bool SmallEnough(const Chart& c) {
  const TSize d = c.DataBitmapSize();
  return static_cast<long long>(c.Width()) * c.Height() <= 400 * 300 &&
         static_cast<long long>(d.cx) * d.cy <= 1000 * 1000;
}

std::string TempFile() {
  return "/tmp/kiv_chartcalls_fuzz_" + std::to_string(::getpid()) + ".svg";
}

void AddItem(Chart& c, Reader& in) {
  const int kind = in.Byte() % 20;
  const double x1 = in.Double(), y1 = in.Double(), x2 = in.Double(), y2 = in.Double();
  const int a = in.Int(), b = in.Int();
  switch (kind) {
    case 0:
      c.MoveTo(x1, y1);
      break;
    case 1:
      c.DrawTo(x1, y1);
      break;
    case 2:
      c.DrawTo(a, b);
      break;
    case 3:
      c.Line(x1, y1, x2, y2);
      break;
    case 4:
      c.Rectangle(a, b, in.Int(), in.Int());
      break;
    case 5:
      c.RectFrame(x1, y1, x2, y2, static_cast<TFrameStyle>(in.Byte() % kFrameStyleCount), clRed,
                  clWhite);
      break;
    case 6:
      c.Arrow(x1, y1, x2, y2, a);
      break;
    case 7:
      c.DoubleArrow(x1, y1, x2, y2, a);
      break;
    case 8:
      c.MarkAt(x1, y1, in.Byte());
      break;
    case 9:
      c.MarkAt(a, b, in.Byte());
      break;
    case 10:
      c.MarkErrorBar(x1, y1, x2, y2, in.Byte() % 2 ? orVertical : orHorizontal, in.Byte());
      break;
    case 11:
      c.Text(x1, y1, a, in.Text());
      break;
    case 12:
      c.Text(x1, y1, a, in.Text(), x2, y2, static_cast<TAlignment>(in.Byte() % 3));
      break;
    case 13:
      c.Bar3D(x1, y1, x2, y2, a, b);
      break;
    case 14:
      c.Ellipse(x1, y1, x2, y2);
      break;
    case 15:
      c.Arc(x1, y1, x2, y2, in.Double(), in.Double());
      break;
    case 16:
      in.Byte() % 2 ? c.CursorVert(x1) : c.CursorHoriz(b);
      break;
    case 17:
      c.LineOffset(x1, y1, x2, y2, a, b);
      break;
    case 18:
      c.RectangleRelPix(x1, y1, a, b);
      break;
    default: {
      const std::vector<double> xs = {x1, x2, in.Double()}, ys = {y1, y2, in.Double()};
      if (in.Byte() % 2)
        c.Polyline(xs, ys);
      else
        c.Marks(xs, ys, in.Byte());
      break;
    }
  }
  c.SetDataColor(static_cast<TColor>(in.Int() & 0xFFFFFF));
  c.SetLineWidth(in.Byte());
}

void OneCall(Chart& c, Reader& in) {
  const int layer = in.Byte() % 4;  // 0 (both), 1, 2 and 3 (clamped)
  switch (in.Byte() % 20) {
    case 0: {
      const double a = in.Double(), b = in.Double(), d = in.Double(), e = in.Double();
      c.SetRange(layer, a, b, d, e);
      break;
    }
    case 1: {
      const double a = in.Double(), b = in.Double(), d = in.Double(), e = in.Double();
      c.ForceRange(layer, a, b, d, e, in.Byte() % 2, in.Byte() % 2);
      break;
    }
    case 2: {
      TScaleProps& p = in.Byte() % 2 ? static_cast<TScaleProps&>(c.ScalePropsX(layer))
                                     : static_cast<TScaleProps&>(c.ScalePropsY(layer));
      const int what = in.Byte() % 4;
      const double v = in.Double();
      if (what == 0) p.SetRangeLow(v);
      if (what == 1) p.SetRangeHigh(v);
      if (what == 2) p.SetMinRange(v);
      if (what == 3) p.SetScalePos(in.Int());
      break;
    }
    case 3: {
      TScaleProps& p = in.Byte() % 2 ? static_cast<TScaleProps&>(c.ScalePropsX(layer))
                                     : static_cast<TScaleProps&>(c.ScalePropsY(layer));
      p.SetVisible(true);
      p.SetLogarithmic(in.Byte() % 2);
      break;
    }
    case 4: {
      const int v = in.Int();
      switch (in.Byte() % 5) {
        case 0:
          c.SetMarginLeft(v);
          break;
        case 1:
          c.SetMarginRight(v);
          break;
        case 2:
          c.SetMarginTop(v);
          break;
        case 3:
          c.SetMarginBottom(v);
          break;
        default:
          c.SetShadowWidth(v);
          break;
      }
      break;
    }
    case 5: {
      const int w = in.Int(), h = in.Int();
      c.SetBounds(in.Int(), in.Int(), w, h);
      break;
    }
    case 6:
      c.SetStandardLayout(static_cast<TrcLayout>(in.Byte() % 6));
      break;
    case 7:
    case 8:
      AddItem(c, in);
      break;
    case 9: {
      const double x = in.Double(), y = in.Double();
      const int ix = c.AddTextLabel(x, y, clBlue, in.Text());
      if (ix >= 1 && ix <= 30) {
        TTextLabel& lb = c.TextLabels(ix);
        lb.SetAttachToData(static_cast<TTxtLblAttachMode>(in.Byte() % 4));
        lb.SetMode(static_cast<TTxtLblMode>(in.Byte() % 5));
        lb.SetAlignment(static_cast<TAlignment>(in.Byte() % 3));
        lb.SetShadowDx(in.Int());
      }
      break;
    }
    case 10:
      c.SetAvoidDuplicateMarks(in.Byte() % 2);
      break;
    case 11:
      c.SetMinDupMarkDist(in.Int());
      break;
    case 12:
      c.SetIsometric(in.Byte() % 2);
      break;
    case 13:
      c.SetCaption(in.Text());
      break;
    case 14:
      c.ClearGraf();
      break;
    case 15:
      if (SmallEnough(c)) {
        TBitmap bmp;
        if (in.Byte() % 2)
          c.CopyToBitmap(bmp, in.Byte() % 2, true);
        else
          c.CopyToBitmapDAOnly(bmp, false);
      }
      break;
    case 16:
      if (SmallEnough(c)) {
        TBitmap bmp;
        c.CopyToBitmapScaled(bmp, 1 + in.Byte() % 2, in.Byte() % 2, false);
      }
      break;
    case 17: {
      const std::string svg = c.ToSvg(in.Byte() % 2);
      for (const char* bad : {"=\"nan", "=\"-nan", "=\"inf", "=\"-inf"})
        Check(svg.find(bad) == std::string::npos, "a number that is not finite in the SVG");
      break;
    }
    case 18:
      c.CopyToWMF(TempFile(), false);
      break;
    default: {
      TBitmap bmp(40, 30);
      c.RenderItems(bmp.Canvas());
      break;
    }
  }
}

}  // namespace

// fontconfig keeps its configuration, made on the first font lookup, for the life of the
// process; that one allocation is not a leak of the library.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader in(data, size);
  Chart c;
  c.SetBounds(0, 0, 120, 90);
  c.SetRange(0, 0, 0, 10, 10);
  int calls = 0;
  while (in.More() && calls++ < 64) {
    try {
      OneCall(c, in);
    } catch (const EKIVError&) {
      // The library's own refusals are part of its behaviour.
    }
    CheckRanges(c);
  }
  std::remove(TempFile().c_str());
  return 0;
}
