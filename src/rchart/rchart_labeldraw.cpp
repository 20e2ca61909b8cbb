// Drawing of the chart's text labels over the items: anchor by attachment, multi-line text
// aligned on its widest line, and the box of each label mode (plain, framed, underlined,
// shadowed).
#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/errors.h"
#include "rchart/customrchart.h"
#include "services/rounding.h"

namespace kiv {

namespace {

// Label geometry reaches a canvas within the range items are clamped to, whatever the world
// position: pixel sums stay small and every output (bitmap, SVG) gets the same coordinates.
constexpr long long kCoordLimit = 30000;

int Sat(long long v) {
  return static_cast<int>(std::clamp<long long>(v, -kCoordLimit, kCoordLimit));
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      return lines;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

}  // namespace

void TCustomRChart::RenderTextLabels(TCanvas& Canvas, int XOffset, int YOffset) {
  DrawTextLabels(Canvas, XOffset, YOffset, 0, false);
}

void TCustomRChart::DrawTextLabels(TCanvas& Canvas, int XOffset, int YOffset, int PosLayer,
                                   bool AlignByOneLine) {
  for (int ix = kNumTextLabels; ix >= 1; --ix) {
    const TTextLabel& lb = *FTextLabels[static_cast<std::size_t>(ix - 1)];
    if (lb.Mode() == tlmNone || !lb.Visible() || !GetLayerVisib(lb.Layer())) continue;

    // Anchor in control pixels, world coordinates through the label's layer (or PosLayer).
    int wx = 0, wy = 0;
    const TTxtLblAttachMode att = lb.AttachToData();
    if (att != taNone) R2M(PosLayer != 0 ? PosLayer : lb.Layer(), lb.PosX(), lb.PosY(), wx, wy);
    long long x = (att == taX || att == taXY) ? wx : RoundToInt(lb.PosX());
    long long y = (att == taY || att == taXY) ? wy : RoundToInt(lb.PosY());
    x = std::clamp<long long>(x + static_cast<long long>(XOffset) - RcLRim, -kCoordLimit,
                              kCoordLimit);
    y = std::clamp<long long>(y + static_cast<long long>(YOffset) - RcTRim, -kCoordLimit,
                              kCoordLimit);

    Canvas.Font().Assign(lb.Font());
    TPen& pen = Canvas.Pen();
    pen.SetColor(lb.ColorBorder());
    pen.SetStyle(psSolid);
    pen.SetWidth(1);
    Canvas.Brush().SetColor(lb.ColorBkg());
    Canvas.Brush().SetStyle(lb.Transparent() ? bsClear : bsSolid);
    try {
      Canvas.Font().Instance();
    } catch (const EPlatformError&) {
      continue;  // no fonts on this system: nothing to write
    }

    const std::string& caption = lb.Caption();
    const std::vector<std::string_view> lines = SplitLines(caption);
    std::vector<int> widths(lines.size());
    long long w = 0;
    for (std::size_t k = 0; k < lines.size(); ++k) {
      widths[k] = Canvas.TextWidth(lines[k]);
      w = std::max<long long>(w, widths[k]);
    }
    if (w == 0) w = Canvas.TextWidth(caption);
    const long long h = Canvas.TextHeight(caption);
    const long long n = static_cast<long long>(lines.size());
    const long long shift = AlignByOneLine ? h : n * h;
    long long bottom = y;
    if (lb.VerticalAlignment() == vaTop)
      bottom = y + shift;
    else if (lb.VerticalAlignment() == vaCenter)
      bottom = y + shift / 2;
    if (lb.Alignment() == taRightJustify)
      x -= w;
    else if (lb.Alignment() == taCenter)
      x -= w / 2;

    const long long l = x - 4, t = bottom - n * h - 2, r = x + w + 4, b = bottom + 2;
    const auto box = [&](long long dx, long long dy) {
      Canvas.Rectangle(Sat(l + dx), Sat(t + dy), Sat(r + dx), Sat(b + dy));
    };
    switch (lb.Mode()) {
      case tlmPlain:
      case tlmUnderlined:
        if (!lb.Transparent()) {
          pen.SetColor(lb.ColorBkg());
          box(0, 0);
          pen.SetColor(lb.ColorBorder());
        }
        if (lb.Mode() == tlmUnderlined) {
          Canvas.MoveTo(Sat(x), Sat(bottom));
          Canvas.LineTo(Sat(x + w), Sat(bottom));
        }
        break;
      case tlmFramed:
        box(0, 0);
        break;
      case tlmShadowed:
        pen.SetColor(lb.ColorShadow());
        Canvas.Brush().SetColor(lb.ColorShadow());
        box(lb.ShadowDx(), lb.ShadowDy());
        pen.SetColor(lb.ColorBorder());
        Canvas.Brush().SetColor(lb.ColorBkg());
        box(0, 0);
        break;
      default:
        break;
    }
    for (std::size_t k = 0; k < lines.size(); ++k) {
      long long s = 0;
      if (lb.Alignment() == taRightJustify)
        s = w - widths[k];
      else if (lb.Alignment() == taCenter)
        s = (w - widths[k]) / 2;
      Canvas.TextOut(Sat(x + s), Sat(bottom - (n - static_cast<long long>(k)) * h), lines[k]);
    }
  }
  // Items drawn after the labels must not trust the caches.
  FLastPenCol = Canvas.Pen().Color();
  FLastPenStyle = Canvas.Pen().Style();
  FLastBrushCol = Canvas.Brush().Color();
  FLastFontCol = Canvas.Font().Color();
  FLastLWidth = Canvas.Pen().Width();
}

}  // namespace kiv
