// The chart's two layers: axis properties and scale components, margins, the world-to-pixel
// transformation, range setting with coupling and confinement, equal ranges, the isometric mode
// and the zoom history.
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "platform/screen.h"
#include "rchart/customrchart.h"
#include "rchart/errors.h"
#include "rchart/paintscope.h"
#include "services/colorarray.h"
#include "services/rounding.h"

namespace kiv {

namespace {

// The double nearest 1e-100: values arrive as doubles and are compared with this one.
constexpr long double kLogFloor = 1e-100;
constexpr long double kPixelLimit = 2147483647.0L;

// A pixel coordinate from a transformed value: clamped to the int range (NaN to its top),
// rounded half to even.
int PixelOf(long double v) {
  if (std::isnan(v)) return 2147483647;
  v = std::clamp(v, -kPixelLimit, kPixelLimit);
  return static_cast<int>(RoundHalfEven(static_cast<double>(v)));
}

}  // namespace

void TCustomRChart::InitLayers() {
  FJointLayers = std::make_unique<TJointLayers>(this);
  FJointLayers->OnChange = [this](TObject* s) { StyleChanged(s); };
  FBakGndFile.OnChange = [this](TObject* s) { StyleChanged(s); };
  for (auto& label : FTextLabels) {
    label = std::make_unique<TTextLabel>();
    label->OnChange = [this](TObject* s) { StyleChanged(s); };
  }
  for (int i = 0; i < 2; ++i) {
    auto& px = FScalePropsX[static_cast<std::size_t>(i)];
    auto& py = FScalePropsY[static_cast<std::size_t>(i)];
    px = std::make_unique<TScalePropsHoriz>();
    py = std::make_unique<TScalePropsVert>();
    px->SetColorScale(PredefinedColors(i));
    py->SetColorScale(PredefinedColors(i));
    if (i == 1) {
      px->SetScaleLocation(slTop);
      py->SetScaleLocation(slRight);
    }
    px->OnChange = [this](TObject* s) { ScalePropsChanged(s); };
    py->OnChange = [this](TObject* s) { ScalePropsChanged(s); };
    for (auto* sc :
         {&FScalesX[static_cast<std::size_t>(i)], &FScalesY[static_cast<std::size_t>(i)]}) {
      *sc = std::make_unique<TScale>(this);
      (*sc)->SetSuppressPaint(true);
      (*sc)->SetIsHelperComponent(true);
      (*sc)->OnZoomPan = [this](TObject* s) { ScaleZoomPan(s); };
    }
    FScalesX[static_cast<std::size_t>(i)]->SetName("RC_FScale_X_" + std::to_string(i + 1));
    FScalesY[static_cast<std::size_t>(i)]->SetName("RC_FScale_Y_" + std::to_string(i + 1));
    FScalesX[static_cast<std::size_t>(i)]->SetMouseAction(mactStretch);
  }
  {
    TBitmap aux(10, 10);
    Fxasp = GetDeviceCaps(aux.Canvas(), ASPECTX);
    Fyasp = GetDeviceCaps(aux.Canvas(), ASPECTY);
    if (Fxasp <= 0 || Fyasp <= 0) Fxasp = Fyasp = 1;
  }
  GrafBmp.SetPixelFormat(pf32bit);
  SetBounds(Left(), Top(), 280, 200);
  PlaceScales();
  CopyScaleProps();
  AdjustScaling();
}

// ---------------------------------------------------------------------------------------------
// Data area and margins

TRect TCustomRChart::DataArea() const {
  return TRect(RcLRim, RcTRim, Width() - RcRRim - F3DRim + 1, Height() - RcBRim - F3DRim + 1);
}

TSize TCustomRChart::DataBitmapSize() const {
  return TSize{std::max(0, Width() - RcLRim - RcRRim - F3DRim + 1),
               std::max(0, Height() - RcTRim - RcBRim - F3DRim + 1)};
}

void TCustomRChart::PlaceScales() {
  for (int i = 0; i < 2; ++i) {
    TScale& sx = *FScalesX[static_cast<std::size_t>(i)];
    TScale& sy = *FScalesY[static_cast<std::size_t>(i)];
    sx.SetBounds(0, 0, Width(), Height());
    sy.SetBounds(0, 0, Width(), Height());
    sx.SetMarginLeft(RcLRim);
    sx.SetMarginRight(RcRRim + F3DRim - 1);
    sy.SetMarginTop(RcTRim);
    sy.SetMarginBottom(RcBRim + F3DRim - 1);
  }
}

void TCustomRChart::CopyScaleProps() {
  for (int i = 0; i < 2; ++i) {
    SetScaleProps(*FScalesX[static_cast<std::size_t>(i)],
                  *FScalePropsX[static_cast<std::size_t>(i)]);
    SetScaleProps(*FScalesY[static_cast<std::size_t>(i)],
                  *FScalePropsY[static_cast<std::size_t>(i)]);
  }
}

void TCustomRChart::SetLRim(int v) {
  RcLRim = std::clamp(v, kMinMargin, kMaxMargin);
  MarginChanged();
}
void TCustomRChart::SetRRim(int v) {
  RcRRim = std::clamp(v, kMinMargin, kMaxMargin);
  MarginChanged();
}
void TCustomRChart::SetTRim(int v) {
  RcTRim = std::clamp(v, kMinMargin, kMaxMargin);
  MarginChanged();
}
void TCustomRChart::SetBRim(int v) {
  RcBRim = std::clamp(v, kMinMargin, kMaxMargin);
  MarginChanged();
}
void TCustomRChart::SetF3DRim(int v) {
  F3DRim = std::clamp(v, 0, 32);
  MarginChanged(false);
}

void TCustomRChart::MarginChanged(bool Recentre) {
  const TSize s = DataBitmapSize();
  // The data bitmap gets its pixels with the first paint (a chart made only for pictures
  // never needs them); after that it follows the size of the data area.
  if (!GrafBmp.Empty()) GrafBmp.SetSize(s.cx, s.cy);
  if (FIsometric && Recentre) {
    RecentreIsometric(1);
    RecentreIsometric(2);
  }
  CopyScaleProps();
  PlaceScales();
  AdjustScaling();
  RepaintIfAutoRedraw();
}

void TCustomRChart::BoundsChanged(bool Resized) {
  TCustomControl::BoundsChanged(Resized);
  if (!Resized || !FScalesX[0]) return;
  const TSize s = DataBitmapSize();
  if (!GrafBmp.Empty()) GrafBmp.SetSize(s.cx, s.cy);
  PlaceScales();
  CopyScaleProps();
  // A resize must not fail: an axis that cannot be mapped keeps its previous transformation.
  try {
    AdjustScaling();
  } catch (const EKIVRChartError&) {
  }
}

// ---------------------------------------------------------------------------------------------
// Scale properties and scale components

TScalePropsHoriz& TCustomRChart::ScalePropsX(int sclix) {
  return *FScalePropsX[static_cast<std::size_t>(sclix == 2 ? 1 : 0)];
}

TScalePropsVert& TCustomRChart::ScalePropsY(int sclix) {
  return *FScalePropsY[static_cast<std::size_t>(sclix == 2 ? 1 : 0)];
}

void TCustomRChart::SetScalePropsX(int sclix, const TScalePropsHoriz& props) {
  if (sclix < 1 || sclix > 2) return;
  ScalePropsX(sclix).Assign(props);
}

void TCustomRChart::SetScalePropsY(int sclix, const TScalePropsVert& props) {
  if (sclix < 1 || sclix > 2) return;
  ScalePropsY(sclix).Assign(props);
}

TScale& TCustomRChart::ScaleX(int layer) const {
  return *FScalesX[static_cast<std::size_t>(layer == 2 ? 1 : 0)];
}

TScale& TCustomRChart::ScaleY(int layer) const {
  return *FScalesY[static_cast<std::size_t>(layer == 2 ? 1 : 0)];
}

void TCustomRChart::SetScaleProps(TScale& Scale, const TScaleProps& Props) {
  const long long W = Width(), H = Height();
  const long long p = Props.ScalePos();
  // A strip pushed beyond the control by its offset lies outside all the same; its margin is
  // kept within twice the control's largest side so that the scale's own sums fit an int.
  const auto strip = [](long long v) {
    return static_cast<int>(std::clamp<long long>(v, -2LL * kMaxSide, 2LL * kMaxSide));
  };
  Scale.SetScaleType(Props.ScaleType());
  switch (Props.ScaleType()) {
    case sctLabelsAbove:
      Scale.SetMarginBottom(strip(p + H - RcTRim - 1));
      break;
    case sctLabelsBelow:
      Scale.SetMarginTop(strip(p + H - RcBRim - F3DRim));
      break;
    case sctLabelsRight:
      Scale.SetMarginLeft(strip(p + W - RcRRim - F3DRim));
      break;
    case sctLabelsLeft:
      Scale.SetMarginRight(strip(p + W - RcLRim - 1));
      break;
  }
  Scale.SetRangeLow(Props.RangeLow());
  Scale.SetRangeHigh(Props.RangeHigh());
  Scale.SetVisible(Props.Visible());
  Scale.SetUnitLabel(Props.Caption());
  Scale.SetUnitLabelPosX(Props.CaptionPosX());
  Scale.SetUnitLabelPosY(Props.CaptionPosY());
  Scale.SetCaptAlign(Props.CaptionAlignment());
  Scale.SetCaptAnchor(Props.CaptionAnchor());
  Scale.SetColorFG(Props.ColorScale());
  Scale.SetDecPlaces(Props.DecPlaces());
  Scale.SetAxLinLog(Props.Logarithmic());
  Scale.SetLabelType(Props.LabelType());
  Scale.SetShortTicks(Props.ShortTicks());
  Scale.SetNumTicks(Props.MinTicks());
  Scale.SetScaleInscript(Props.ScaleInscript());
  Scale.SetUserTickText(Props.UserTickText());
  Scale.SetFont(Props.Font());
  Scale.SetDateFormat(Props.DateFormat());
}

int TCustomRChart::TickNumX() const {
  return ScaleX(FActiveLayer).NumTicks();
}
int TCustomRChart::TickNumY() const {
  return ScaleY(FActiveLayer).NumTicks();
}

double TCustomRChart::TickPosX(int ix) const {
  const int n = TickNumX();
  if (ix < 1 || ix > n) return 0;
  const TScaleProps& p = *FScalePropsX[static_cast<std::size_t>(FActiveLayer - 1)];
  if (p.RangeHigh() < p.RangeLow()) ix = n - ix + 1;
  return ScaleX(FActiveLayer).GetTickPos(ix);
}

double TCustomRChart::TickPosY(int ix) const {
  const int n = TickNumY();
  if (ix < 1 || ix > n) return 0;
  const TScaleProps& p = *FScalePropsY[static_cast<std::size_t>(FActiveLayer - 1)];
  if (p.RangeHigh() < p.RangeLow()) ix = n - ix + 1;
  return ScaleY(FActiveLayer).GetTickPos(ix);
}

// ---------------------------------------------------------------------------------------------
// Transformation

void TCustomRChart::AdjustScaling() {
  if (ComponentState().Contains(csLoading)) return;
  const long double W = Width(), H = Height();
  for (std::size_t L = 0; L < 2; ++L) {
    const TScaleProps& px = *FScalePropsX[L];
    const TScaleProps& py = *FScalePropsY[L];
    // A logarithmic axis over a non-positive range is refused whether or not the data area has
    // room, so that no size of the control lets such an axis in.
    if (px.Logarithmic() && (px.RangeHigh() <= 0 || px.RangeLow() <= 0))
      throw EKIVRChartError("Logarithmic axis must not be negative.");
    const long double A = W - RcLRim - RcRRim - F3DRim;
    if (A > 0) {
      const long double lo = px.RangeLow(), hi = px.RangeHigh();
      const long double right = W - RcRRim - F3DRim;
      if (px.Logarithmic()) {
        const long double d = std::log(hi) - std::log(lo);
        Cpkx[L] = A / d;
        Cpdx[L] = (std::log(hi) * RcLRim - std::log(lo) * right) / d;
      } else {
        Cpkx[L] = A * (1 / (hi - lo));
        Cpdx[L] = (RcLRim * hi - right * lo) / (hi - lo);
      }
    } else {
      Cpkx[L] = 0;
      Cpdx[L] = W / 2;
    }
    if (py.Logarithmic() && (py.RangeHigh() <= 0 || py.RangeLow() <= 0))
      throw EKIVRChartError("Logarithmic axis must not be negative.");
    const long double B = H - RcTRim - RcBRim - F3DRim;
    if (B > 0) {
      const long double lo = py.RangeLow(), hi = py.RangeHigh();
      const long double bottom = H - RcBRim - F3DRim;
      if (py.Logarithmic()) {
        const long double d = std::log(hi) - std::log(lo);
        Cpky[L] = -B / d;
        Cpdy[L] = (std::log(hi) * bottom - std::log(lo) * RcTRim) / d;
      } else {
        Cpky[L] = -B / (hi - lo);
        Cpdy[L] = (bottom * hi - RcTRim * lo) / (hi - lo);
      }
    } else {
      Cpky[L] = 0;
      Cpdy[L] = H / 2;
    }
  }
}

void TCustomRChart::R2M(int Layer, double xin, double yin, int& xout, int& yout) const {
  R2MScaled(Layer, xin, yin, 1, xout, yout);
}

void TCustomRChart::R2MScaled(int Layer, double xin, double yin, int Scale, int& xout,
                              int& yout) const {
  const auto L = static_cast<std::size_t>(ClampLayer(Layer) - 1);
  const TScaleProps& px = *FScalePropsX[L];
  const TScaleProps& py = *FScalePropsY[L];
  long double x, y;
  if (!px.Logarithmic())
    x = Cpkx[L] * xin + Cpdx[L];
  else if (xin > kLogFloor)
    x = Cpkx[L] * std::log(static_cast<long double>(xin)) + Cpdx[L];
  else
    x = px.RangeLow() > px.RangeHigh() ? Width() : 0;
  if (!py.Logarithmic())
    y = Cpky[L] * yin + Cpdy[L];
  else if (yin > kLogFloor)
    y = Cpky[L] * std::log(static_cast<long double>(yin)) + Cpdy[L];
  else
    y = py.RangeLow() > py.RangeHigh() ? 0 : Height();
  if (Scale != 1) {
    x *= Scale;
    y *= Scale;
  }
  xout = PixelOf(x);
  yout = PixelOf(y);
}

void TCustomRChart::M2R(int Layer, int xin, int yin, double& xout, double& yout) const {
  const auto L = static_cast<std::size_t>(ClampLayer(Layer) - 1);
  long double x = (xin - Cpdx[L]) / Cpkx[L];
  long double y = (yin - Cpdy[L]) / Cpky[L];
  if (FScalePropsX[L]->Logarithmic()) x = std::exp(x);
  if (FScalePropsY[L]->Logarithmic()) y = std::exp(y);
  xout = static_cast<double>(x);
  yout = static_cast<double>(y);
}

void TCustomRChart::GetTransformParams(int Layer, double& kx, double& dx, double& ky,
                                       double& dy) const {
  const auto L = static_cast<std::size_t>(ClampLayer(Layer) - 1);
  kx = static_cast<double>(Cpkx[L]);
  dx = static_cast<double>(Cpdx[L]);
  ky = static_cast<double>(Cpky[L]);
  dy = static_cast<double>(Cpdy[L]);
}

// ---------------------------------------------------------------------------------------------
// Ranges

long double TCustomRChart::IsometricHalfHeight(long double xLo, long double xHi) const {
  const long double h = Height() - RcTRim - RcBRim - F3DRim + 1;
  const long double w = Width() - RcLRim - RcRRim - F3DRim + 1;
  return (xHi - xLo) * h / w * Fyasp / Fxasp / 2;
}

void TCustomRChart::RecentreIsometric(int Layer) {
  TScaleProps& px = ScalePropsX(Layer);
  TScaleProps& py = ScalePropsY(Layer);
  const long double g = IsometricHalfHeight(px.RangeLow(), px.RangeHigh());
  const long double m = (static_cast<long double>(py.RangeHigh()) + py.RangeLow()) / 2;
  py.SetRangeHigh(static_cast<double>(m + g));
  py.SetRangeLow(static_cast<double>(m - g));
}

void TCustomRChart::SetRange(int Layer, long double xLo, long double yLo, long double xHi,
                             long double yHi) {
  auto one = [&](int L) {
    long double x0 = xLo, x1 = xHi, y0 = yLo, y1 = yHi;
    const TScaleProps& px = ScalePropsX(L);
    const TScaleProps& py = ScalePropsY(L);
    if (x0 == x1) {
      if (px.Logarithmic()) {
        x1 *= 1.1L;
        x0 /= 1.1L;
      } else {
        x1 += px.MinRange() / 2;
        x0 -= px.MinRange() / 2;
      }
    }
    if (y0 == y1) {
      if (py.Logarithmic()) {
        y1 *= 1.1L;
        y0 /= 1.1L;
      } else {
        y1 += py.MinRange() / 2;
        y0 -= py.MinRange() / 2;
      }
    }
    if (FIsometric) {
      const long double g = IsometricHalfHeight(x0, x1);
      const long double m = (y1 + y0) / 2;
      y1 = m + g;
      y0 = m - g;
    }
    ForceRange(L, x0, y0, x1, y1, true, false);
  };
  if (Layer == 0) {
    one(1);
    one(2);
  } else {
    one(ClampLayer(Layer));
  }
  if (!ComponentState().Contains(csLoading)) RepaintIfAutoRedraw();
}

void TCustomRChart::ForceRange(int Layer, long double xLo, long double yLo, long double xHi,
                               long double yHi, bool PushZoom, bool Confine) {
  const int L = ClampLayer(Layer);
  TPaintSuppressor suppress(*this);
  const TJointLayers& joint = *FJointLayers;
  if (joint.GetControlledLayerX(L) != L) {
    xLo = ScalePropsX(L).RangeLow();
    xHi = ScalePropsX(L).RangeHigh();
  }
  if (joint.GetControlledLayerY(L) != L) {
    yLo = ScalePropsY(L).RangeLow();
    yHi = ScalePropsY(L).RangeHigh();
  }
  ForceRngIntern(L, xLo, yLo, xHi, yHi, PushZoom, Confine);
  for (int other = 1; other <= 2; ++other) {
    if (other == L) continue;
    const int mx = joint.GetControlledLayerX(other), my = joint.GetControlledLayerY(other);
    if (mx != L && my != L) continue;
    ForceRngIntern(other, ScalePropsX(mx).RangeLow(), ScalePropsY(my).RangeLow(),
                   ScalePropsX(mx).RangeHigh(), ScalePropsY(my).RangeHigh(), true, false);
  }
}

namespace {

// Brings a range into limits (lo, hi): a shifting action keeps the width and moves the range
// back, any other change is cut at the limits. The four tests run in order.
void Confine(long double& a, long double& b, long double lim_lo, long double lim_hi, bool shift) {
  const long double w = b - a;
  if (a < lim_lo) {
    a = lim_lo;
    if (shift) b = lim_lo + w;
  }
  if (a > lim_hi) {
    a = lim_hi;
    if (shift) b = lim_hi + w;
  }
  if (b < lim_lo) {
    b = lim_lo;
    if (shift) a = lim_lo - w;
  }
  if (b > lim_hi) {
    b = lim_hi;
    if (shift) a = lim_hi - w;
  }
}

// Takes a new range for one axis by the minimum-range and logarithmic rules; true when a value
// was taken.
bool TakeRange(TScaleProps& p, long double lo, long double hi, double& new_lo, double& new_hi) {
  new_lo = p.RangeLow();
  new_hi = p.RangeHigh();
  // Ends are stored as doubles: both of them and their span must be finite there, or the
  // axis could not be mapped.
  if (!TScaleProps::IsValidRange(static_cast<double>(lo), static_cast<double>(hi))) return false;
  if (0.99L * p.MinRange() > std::fabs(lo - hi)) return false;
  bool changed = false;
  if (!p.Logarithmic() || lo >= kLogFloor) {
    new_lo = static_cast<double>(lo);
    changed = true;
  }
  if (!p.Logarithmic() || hi >= kLogFloor) {
    new_hi = static_cast<double>(hi);
    changed = true;
  }
  return changed;
}

}  // namespace

void TCustomRChart::ForceRngIntern(int Layer, long double xLo, long double yLo, long double xHi,
                                   long double yHi, bool PushZoom, bool Confine_) {
  const int L = ClampLayer(Layer);
  const bool limited = Confine_ && std::any_of(FZoomRange.begin(), FZoomRange.end(),
                                               [](long double v) { return v != 0; });
  if (limited) {
    const auto m = RcMouseAction;
    Confine(xLo, xHi, FZoomRange[0], FZoomRange[2],
            m == mactPan || m == mactPanX || m == mactPanSnap);
    Confine(yLo, yHi, FZoomRange[1], FZoomRange[3],
            m == mactPan || m == mactPanY || m == mactPanSnap);
  }
  TScaleProps& px = ScalePropsX(L);
  TScaleProps& py = ScalePropsY(L);
  double lo, hi;
  bool changed = false;
  if (TakeRange(px, xLo, xHi, lo, hi)) {
    px.StoreRange(lo, hi);
    changed = true;
  }
  if (TakeRange(py, yLo, yHi, lo, hi)) {
    py.StoreRange(lo, hi);
    changed = true;
  }
  SetScaleProps(ScaleX(L), px);
  SetScaleProps(ScaleY(L), py);
  if (PushZoom && changed) ZoomStateOnStack();
  AdjustScaling();
}

void TCustomRChart::EqualRange(std::initializer_list<int> Layers, bool x, bool y) {
  bool first = true;
  long double xlo = 0, xhi = 0, ylo = 0, yhi = 0;
  for (int L : Layers) {
    if (L < 1 || L > 2) continue;
    const TScaleProps& px = ScalePropsX(L);
    const TScaleProps& py = ScalePropsY(L);
    if (first) {
      xlo = px.RangeLow();
      xhi = px.RangeHigh();
      ylo = py.RangeLow();
      yhi = py.RangeHigh();
      first = false;
    } else {
      xlo = std::min<long double>(xlo, px.RangeLow());
      xhi = std::max<long double>(xhi, px.RangeHigh());
      ylo = std::min<long double>(ylo, py.RangeLow());
      yhi = std::max<long double>(yhi, py.RangeHigh());
    }
  }
  if (first) return;
  // The steps of SetRange for each listed layer, without its final repaint.
  const bool saved = FAutoRedraw;
  FAutoRedraw = false;
  struct Restore {
    bool& flag;
    bool value;
    ~Restore() { flag = value; }
  } restore{FAutoRedraw, saved};
  for (int L = 1; L <= 2; ++L) {
    if (std::find(Layers.begin(), Layers.end(), L) == Layers.end()) continue;
    const TScaleProps& px = ScalePropsX(L);
    const TScaleProps& py = ScalePropsY(L);
    SetRange(L, x ? xlo : px.RangeLow(), y ? ylo : py.RangeLow(), x ? xhi : px.RangeHigh(),
             y ? yhi : py.RangeHigh());
  }
}

void TCustomRChart::SetEqualRange(std::initializer_list<int> Layers) {
  EqualRange(Layers, true, true);
}
void TCustomRChart::SetEqualRangeXOnly(std::initializer_list<int> Layers) {
  EqualRange(Layers, true, false);
}
void TCustomRChart::SetEqualRangeYOnly(std::initializer_list<int> Layers) {
  EqualRange(Layers, false, true);
}

void TCustomRChart::ConfineZoomRange(double xLo, double yLo, double xHi, double yHi) {
  FZoomRange = {xLo, yLo, xHi, yHi};
}

void TCustomRChart::SetIsoMetric(bool value) {
  FIsometric = value;
  if (!value) return;
  RecentreIsometric(1);
  RecentreIsometric(2);
  ZoomStateOnStack();
  RepaintIfAutoRedraw();
}

void TCustomRChart::ZoomStateOnStack() {
  if (ComponentState().Contains(csLoading)) return;
  for (std::size_t L = 0; L < 2; ++L) {
    const TScaleProps& px = *FScalePropsX[L];
    const TScaleProps& py = *FScalePropsY[L];
    FZoomStack[L][static_cast<std::size_t>(FZStackPoi - 1)] =
        TRectDouble{px.RangeLow(), py.RangeHigh(), px.RangeHigh(), py.RangeLow()};
  }
  FZStackPoi = FZStackPoi >= 16 ? 1 : FZStackPoi + 1;
}

TRectDouble TCustomRChart::GetZoomStackEntry(int Layer, int StackIx) const {
  if (Layer < 1 || Layer > 2 || StackIx < -15 || StackIx > 0) return TRectDouble{};
  int k = FZStackPoi - 1 + StackIx;
  if (k < 1) k += 16;
  return FZoomStack[static_cast<std::size_t>(Layer - 1)][static_cast<std::size_t>(k - 1)];
}

// Both layers are restored with painting held back, so the chart paints once.
void TCustomRChart::ZoomHistory(int Index) {
  if (Index < -15 || Index > 0) return;
  TPaintSuppressor once(*this);
  for (int L = 1; L <= 2; ++L) {
    const TRectDouble e = GetZoomStackEntry(L, Index);
    if (e != TRectDouble{}) ForceRange(L, e.Left, e.Bottom, e.Right, e.Top, false, false);
  }
}

// ---------------------------------------------------------------------------------------------
// Text labels and settings

TTextLabel& TCustomRChart::TextLabels(int ix) {
  return const_cast<TTextLabel&>(std::as_const(*this).TextLabels(ix));
}

const TTextLabel& TCustomRChart::TextLabels(int ix) const {
  if (ix < 1 || ix > kNumTextLabels)
    throw EKIVRChartError("Component \"" + Name() + "\": invalid index into TextLabel array");
  return *FTextLabels[static_cast<std::size_t>(ix - 1)];
}

void TCustomRChart::SetTextLabels(int ix, const TTextLabel& label) {
  TextLabels(ix).Assign(label);
  RepaintIfAutoRedraw();
}

void TCustomRChart::SetChartColor(TColor v) {
  RcChartCol = v;
  RepaintIfAutoRedraw();
}
void TCustomRChart::SetGridStyle(GridStyleType v) {
  RcGridStyle = v;
  RepaintIfAutoRedraw();
}
void TCustomRChart::SetGridColor(TColor v) {
  RcGridCol = v;
  RepaintIfAutoRedraw();
}
void TCustomRChart::SetGridDx(double v) {
  if (!(v >= -3)) return;  // below -3, or NaN
  RcGridDx = v;
  RepaintIfAutoRedraw();
}
void TCustomRChart::SetGridDy(double v) {
  if (!(v >= -3)) return;
  RcGridDy = v;
  RepaintIfAutoRedraw();
}

void TCustomRChart::SetJointLayers(const TJointLayers& v) {
  FJointLayers->Assign(v);
  RepaintIfAutoRedraw();
}

void TCustomRChart::SetBackGroundImg(const TBakGndImg& v) {
  FBakGndFile.Assign(v);
  RepaintIfAutoRedraw();
}

}  // namespace kiv
