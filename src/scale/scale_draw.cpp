// TScale drawing: the drawing pass (tick marks, labels, date/time messages, caption) and Paint,
// which frames it in an off-screen bitmap or draws it straight onto a transparent target.
#include <algorithm>
#include <exception>
#include <string>
#include <string_view>

#include "platform/bitmap.h"
#include "platform/screen.h"
#include "scale/placement.h"
#include "scale/scale.h"
#include "services/frame.h"

namespace kiv {

namespace {

// Tick coordinates are clamped this far before they reach the canvas, so the rasteriser never
// sees coordinates it could overflow on; events still get the exact pixel.
constexpr int kDrawLimit = 30000;

int ForCanvas(int v) {
  return std::clamp(v, -kDrawLimit, kDrawLimit);
}

// Text calls that cannot throw: a system without any font draws the scale without its texts
// rather than failing the paint.
int SafeTextWidth(const TCanvas& c, std::string_view text) {
  try {
    return c.TextWidth(text);
  } catch (const std::exception&) {
    return 0;
  }
}

int SafeTextHeight(const TCanvas& c, std::string_view text) {
  try {
    return c.TextHeight(text);
  } catch (const std::exception&) {
    return 0;
  }
}

void SafeTextOut(TCanvas& c, int x, int y, std::string_view text) {
  if (text.empty()) return;
  try {
    c.TextOut(ForCanvas(x), ForCanvas(y), text);
  } catch (const std::exception&) {
  }
}

void Line(TCanvas& c, int x1, int y1, int x2, int y2) {
  c.MoveTo(ForCanvas(x1), ForCanvas(y1));
  c.LineTo(ForCanvas(x2), ForCanvas(y2));
}

}  // namespace

void TScale::PrepareCanvas(TCanvas& canvas) {
  if (canvas.IsPrinter()) {
    // The printed font keeps the scale font's point size at the printer's resolution.
    canvas.Font().SetPixelsPerInch(Screen().PixelsPerInch());
    canvas.Font().SetSize(Font().Size());
    canvas.Font().SetPixelsPerInch(canvas.PixelsPerInch());
  }
  canvas.Brush().SetStyle(FTransparent ? bsClear : bsSolid);
}

void TScale::DrawHorizontalLabel(TCanvas& canvas, const std::string& label, double value, int x,
                                 int y) {
  std::string text = label;
  if (OnBeforeTickLabel) OnBeforeTickLabel(this, FScaleType, value, text);
  if (text.empty()) return;
  const int w = SafeTextWidth(canvas, text);
  const int h = SafeTextHeight(canvas, text);
  const TScaleType side = FScaleType == sctLabelsBelow ? sctLabelsBelow : sctLabelsAbove;
  SafeTextOut(canvas, HorizontalLabelLeft(x, w, Width()), HorizontalLabelTop(side, y, h), text);
}

void TScale::DrawVerticalLabel(TCanvas& canvas, const std::string& label, double value, int x,
                               int y, int refHeight) {
  std::string text = label;
  if (OnBeforeTickLabel) OnBeforeTickLabel(this, FScaleType, value, text);
  if (text.empty()) return;
  const int w = SafeTextWidth(canvas, text);
  const TScaleType side = FScaleType == sctLabelsRight ? sctLabelsRight : sctLabelsLeft;
  if (refHeight < 0) refHeight = SafeTextHeight(canvas, text);
  SafeTextOut(canvas, VerticalLabelLeft(side, x, w), VerticalLabelTop(y, refHeight), text);
}

void TScale::DrawTicks(TCanvas& canvas, int base, bool horizontal) {
  ResetTickList();
  const TScaleTickList list = ComputeTicks();
  // Major and minor tick lengths towards the label side.
  const int sign = horizontal ? (FScaleType == sctLabelsBelow ? 1 : -1)
                              : (FScaleType == sctLabelsRight ? 1 : -1);
  const int majorLen = horizontal ? 7 : 6;
  const int minorLen = 4;
  for (const TScaleTick& tick : list.Ticks) {
    const int p = R2M(tick.Value);
    if (tick.DrawMark) {
      const int len = sign * (tick.Kind == stkMajor ? majorLen : minorLen);
      if (horizontal)
        Line(canvas, p, base, p, base + len);
      else
        Line(canvas, base, p, base + len, p);
    }
    if (tick.Record) RecordTick(tick.Value);
    if (OnScaleTickDrawn) {
      if (horizontal)
        OnScaleTickDrawn(this, canvas, FScaleType, tick.Value, p, base);
      else
        OnScaleTickDrawn(this, canvas, FScaleType, tick.Value, base, p);
    }
    if (tick.HasLabel) {
      if (horizontal) {
        DrawHorizontalLabel(canvas, tick.Label, tick.LabelValue, p, base);
      } else {
        // Date/time labels centre on their own height, the others on that of "0".
        const int ref = list.Mode == stmDateTime ? -1 : SafeTextHeight(canvas, "0");
        DrawVerticalLabel(canvas, tick.Label, tick.LabelValue, base, p, ref);
      }
    }
    if (tick.HasDate) {
      const int h = SafeTextHeight(canvas, tick.DateLabel);
      if (horizontal) {
        DrawHorizontalLabel(canvas, tick.DateLabel, tick.LabelValue, p,
                            FScaleType == sctLabelsBelow ? base + h : base - h);
      } else {
        std::string text = tick.DateLabel;
        if (OnBeforeTickLabel) OnBeforeTickLabel(this, FScaleType, tick.LabelValue, text);
        const int w = SafeTextWidth(canvas, text);
        const int hd = SafeTextHeight(canvas, text);
        const TScaleType side = FScaleType == sctLabelsRight ? sctLabelsRight : sctLabelsLeft;
        SafeTextOut(canvas, VerticalLabelLeft(side, base, w), p - 3 * (hd / 2), text);
      }
    }
  }
  if (list.Message != smNone) DrawMessage(canvas, list.Message, base, horizontal);
}

void TScale::DrawMessage(TCanvas& canvas, TScaleMessage message, int base, bool horizontal) {
  const int mid = R2M((FRangeLow + FRangeHigh) / 2);
  if (horizontal) {
    const char* text = message == smInvalidDateTime ? kMsgInvalidDateTime : kMsgBelowOneSecond;
    SafeTextOut(canvas, mid - SafeTextWidth(canvas, text) / 2, base + 7, text);
    return;
  }
  static constexpr const char* kInvalid[] = {"invalid", "DateTime", "scale"};
  static constexpr const char* kBelow[] = {"DateTime", "range is", "below 1", "second"};
  const int h = SafeTextHeight(canvas, "T");
  const bool invalid = message == smInvalidDateTime;
  const int lines = invalid ? 3 : 4;
  for (int i = 0; i < lines; ++i) {
    const char* text = invalid ? kInvalid[i] : kBelow[i];
    const int left =
        FScaleType == sctLabelsRight ? base + 2 : base - SafeTextWidth(canvas, text) - 2;
    SafeTextOut(canvas, left, mid + (i - 1) * h, text);
  }
}

void TScale::DrawCaption(TCanvas& canvas, int base, bool horizontal) {
  if (FUnitLabel.empty()) return;
  const int w = SafeTextWidth(canvas, FUnitLabel);
  int x = 0;
  int y = 0;
  if (horizontal) {
    int anchor = FMarginLeft;
    if (FLblAnchor == uaSclCenter)
      anchor = FMarginLeft + (Width() - FMarginLeft - FMarginRight) / 2;
    if (FLblAnchor == uaSclBotRgt) anchor = Width() - FMarginRight;
    x = anchor + FLblPosX;
    y = base + FLblPosY;
  } else {
    int anchor = FMarginTop;
    if (FLblAnchor == uaSclCenter)
      anchor = FMarginTop + (Height() - FMarginTop - FMarginBottom) / 2;
    if (FLblAnchor == uaSclBotRgt) anchor = Height() - FMarginBottom;
    x = base + FLblPosX;
    y = anchor + FLblPosY;
  }
  SafeTextOut(canvas, CaptionLeft(FLblAlign, x, w), y, FUnitLabel);
}

void TScale::DrawXScale(TCanvas& canvas, int y) {
  PrepareCanvas(canvas);
  DrawTicks(canvas, y, true);
  DrawCaption(canvas, y, true);
}

void TScale::DrawYScale(TCanvas& canvas, int x) {
  PrepareCanvas(canvas);
  DrawTicks(canvas, x, false);
  DrawCaption(canvas, x, false);
}

void TScale::DrawScaleAndBaseLine(TCanvas& target, int ox, int oy) {
  const int W = Width();
  const int H = Height();
  int base = 0;
  switch (FScaleType) {
    case sctLabelsBelow:
      base = oy + FMarginTop;
      DrawXScale(target, base);
      break;
    case sctLabelsRight:
      base = ox + FMarginLeft;
      DrawYScale(target, base);
      break;
    case sctLabelsLeft:
      base = ox + W - FMarginRight - 1;
      DrawYScale(target, base);
      break;
    default:
      base = oy + H - FMarginBottom - 1;
      DrawXScale(target, base);
      break;
  }
  if (!FDrawBaseLine) return;
  // The base line covers the strip's first to last pixel (the line call leaves out its end).
  if (IsHorizontalScale(FScaleType)) {
    if (W - FMarginRight > FMarginLeft) Line(target, FMarginLeft, base, W - FMarginRight, base);
  } else {
    if (H - FMarginBottom > FMarginTop) Line(target, base, FMarginTop, base, H - FMarginBottom);
  }
}

void TScale::Paint() {
  const TComponentState state = ComponentState();
  if (state.Contains(csLoading) || FSuppressPaint) return;
  if (!Visible() && (FIsHelper || !state.Contains(csDesigning))) return;
  TCanvas& target = FForeignCv != nullptr ? *FForeignCv : Canvas();
  const int ox = FForeignCv != nullptr ? FForCvPosX : 0;
  const int oy = FForeignCv != nullptr ? FForCvPosY : 0;
  target.Font().Assign(Font());
  if (OnBeforeScaleRendered) OnBeforeScaleRendered(this, target);

  if (FTransparent) {
    target.Pen().SetColor(FColorFG);
    DrawScaleAndBaseLine(target, ox, oy);
    if (OnAfterScaleRendered) OnAfterScaleRendered(this, Canvas());
    return;
  }
  const int W = Width();
  const int H = Height();
  TBitmap bmp(W, H);
  TCanvas& bc = bmp.Canvas();
  bc.Font().Assign(Font());
  bc.Pen().SetColor(FColorBG);
  bc.Brush().SetColor(FColorBG);
  bc.Brush().SetStyle(bsSolid);
  bc.Rectangle(0, 0, W, H);
  bc.Pen().SetColor(FColorFG);
  DrawScaleAndBaseLine(bc, 0, 0);
  if (OnAfterScaleRendered) OnAfterScaleRendered(this, bc);
  DrawFrame(bc, FFrameStyle, 0, 0, W - 1, H - 1, FColWhiteLine, clSilver, FColGrayLine,
            FColBlackLine, FColBlackLine);
  target.Draw(ox, oy, bmp);
}

}  // namespace kiv
