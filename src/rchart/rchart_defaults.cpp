// Construction and defaults of TCustomRChart: the constructor, ResetComp, the size limits of
// SetBounds, the five standard layouts, the switch to black and white for monochrome output and
// the zoom history's reset.
#include <algorithm>
#include <array>

#include "platform/screen.h"
#include "rchart/chartcursors.h"
#include "rchart/customrchart.h"
#include "rchart/errors.h"
#include "rchart/paintscope.h"
#include "services/colorarray.h"

namespace kiv {

namespace {

struct ChartLayout {
  int MarginBottom, MarginTop, MarginLeft, MarginRight;
  int CaptionPosX, CaptionPosY;
  TAlignment CaptionAlignment;
  TCaptionAnchorHoriz AnchorHoriz;
  TCaptionAnchorVert AnchorVert;
};

struct AxisLayout {
  std::uint8_t Location;  // slBottom/slTop for x, slLeft/slRight for y
  bool Visible;
  int ScalePos, CaptionPosX, CaptionPosY;
  TAlignment CaptionAlignment;
  TScaleUnitAnchor CaptionAnchor;
};

constexpr std::array<ChartLayout, 5> kChartLayouts = {{
    {40, 20, 50, 20, 0, -16, taRightJustify, cahChartRight, cavChartTop},
    {40, 24, 100, 20, 0, -16, taRightJustify, cahChartRight, cavChartTop},
    {40, 24, 50, 50, 0, -20, taCenter, cahChartCenter, cavChartTop},
    {70, 24, 100, 20, 0, -16, taRightJustify, cahChartRight, cavChartTop},
    {40, 64, 50, 50, 0, -60, taCenter, cahChartCenter, cavChartTop},
}};

// Per layout: X1, Y1, X2, Y2.
constexpr std::array<std::array<AxisLayout, 4>, 5> kAxisLayouts = {{
    {{{slBottom, true, 0, 0, 22, taCenter, uaSclCenter},
      {slLeft, true, 0, 0, -16, taLeftJustify, uaSclTopLft},
      {slBottom, false, 0, 10, 100, taCenter, uaSclCenter},
      {slLeft, false, 0, 10, 100, taRightJustify, uaSclTopLft}}},
    {{{slBottom, true, 0, 0, 22, taCenter, uaSclCenter},
      {slLeft, true, 0, 0, -23, taRightJustify, uaSclTopLft},
      {slBottom, false, 0, 10, 100, taCenter, uaSclCenter},
      {slLeft, true, 50, 0, -23, taRightJustify, uaSclTopLft}}},
    {{{slBottom, true, 0, 0, 22, taCenter, uaSclCenter},
      {slLeft, true, 0, 0, -23, taRightJustify, uaSclTopLft},
      {slBottom, false, 0, 10, 100, taCenter, uaSclCenter},
      {slRight, true, 0, 0, -23, taLeftJustify, uaSclTopLft}}},
    {{{slBottom, true, 0, -20, 7, taRightJustify, uaSclTopLft},
      {slLeft, true, 0, 0, -23, taRightJustify, uaSclTopLft},
      {slBottom, true, 30, -20, 7, taRightJustify, uaSclTopLft},
      {slLeft, true, 50, 0, -23, taRightJustify, uaSclTopLft}}},
    {{{slBottom, true, 0, 0, 20, taCenter, uaSclCenter},
      {slLeft, true, 0, 0, -40, taRightJustify, uaSclTopLft},
      {slTop, true, 0, 0, -40, taCenter, uaSclCenter},
      {slRight, true, 0, 0, -40, taLeftJustify, uaSclTopLft}}},
}};

void ApplyAxisLayout(TScaleProps& p, const AxisLayout& a) {
  p.SetCaptionPosX(a.CaptionPosX);
  p.SetCaptionPosY(a.CaptionPosY);
  p.SetCaptionAlignment(a.CaptionAlignment);
  p.SetCaptionAnchor(a.CaptionAnchor);
  p.SetScalePos(a.ScalePos);
  p.SetVisible(a.Visible);
}

}  // namespace

TCustomRChart::TCustomRChart(TComponent* AOwner) : TCustomControl(AOwner) {
  FSuppressPaint = true;
  // Paint covers every pixel, and a suppressed paint must leave the last picture in place.
  SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
  // A chart made only for pictures (CopyToBitmap, files) never needs its screen surface.
  SetLazySurface(true);
  for (auto& ch : FCrossHair) ch = std::make_unique<TCrossHair>();
  FLegend = std::make_unique<TChartLegend>();
  ResetItemStore();
  ResetDrawingAttributes();
  InitLayers();  // the owned objects, 280 x 200 pixels, margins 50, 10, 16, 32
  ResetComp();
  FSuppressPaint = true;
}

void TCustomRChart::ResetComp() {
  FSuppressPaint = true;
  ResetItemStore();
  ResetDrawingAttributes();

  FAvoidDupMarks = false;
  FDupMarksMinD = 1;
  RcWindCol = clBtnFace;
  FChartFrameCol = clBlack;
  RcChartCol = clWhite;
  RcGridCol = clBlack;
  RcGridStyle = gsNone;
  RcGridDx = RcGridDy = 0;
  F3DRim = 0;
  RcShadowStyle = shsPlain;
  FShadowColor = clGrayText;
  RcShadowBakCol = clBtnFace;
  FChartCaption.clear();
  FCaptPosX = 0;
  FCaptPosY = -16;
  FCaptAlignment = taRightJustify;
  FCaptAnchorX = cahChartRight;
  FCaptAnchorY = cavChartTop;
  FCaptTrim = 100;
  FIsometric = false;
  FColorMTrace = clWhite;
  FMTraceInvert = true;
  FMCurFixed = true;
  FPanGridDx = FPanGridDy = 1;
  FPanGridOffsX = FPanGridOffsY = 0;

  ResetCrossHairsAndLabels();
  Silently(FBakGndFile, [](TBakGndImg& b) { b.ResetComp(); });
  FBakGndFile.OnChange = [this](TObject* s) { StyleChanged(s); };
  Silently(*FJointLayers, [](TJointLayers& j) { j.ResetComp(); });
  FJointLayers->OnChange = [this](TObject* s) { StyleChanged(s); };
  FLegend->ResetComp();
  FLegend->OnChange = [this](TObject* s) { StyleChanged(s); };

  RegisterChartCursors();

  GrafBmp.SetPixelFormat(pf32bit);
  AuxBmp.SetSize(10, 10);
  Fxasp = GetDeviceCaps(AuxBmp.Canvas(), ASPECTX);
  Fyasp = GetDeviceCaps(AuxBmp.Canvas(), ASPECTY);
  if (Fxasp <= 0 || Fyasp <= 0) Fxasp = Fyasp = 1;

  ResetScales();
  SetStdLayout(rcl_X1Bottom_Y1Left);
  ClearZoomHistory();
  FZoomRange = {};
  RcMouseAction = mactNone;
  ResetMouseState();
  FAutoRedraw = true;
  FSuppressPaint = true;
}

void TCustomRChart::ResetCrossHairsAndLabels() {
  for (std::size_t i = 0; i < FCrossHair.size(); ++i) {
    Silently(*FCrossHair[i], [i](TCrossHair& ch) {
      ch.SetPos(0, 0);
      ch.SetLayer(static_cast<int>(i) + 1);
      ch.SetColor(clRed);
      ch.SetMode(chOff);
      ch.SetLineType(psDashDotDot);
      ch.SetLineWid(1);
    });
    FCrossHair[i]->OnChange = [this](TObject* s) { StyleChanged(s); };
  }
  for (auto& label : FTextLabels) {
    Silently(*label, [this](TTextLabel& L) {
      L.SetPosX(0);
      L.SetPosY(0);
      L.SetLayer(1);
      L.SetAttachToData(taXY);
      L.SetAlignment(taCenter);
      L.SetVerticalAlignment(vaBottom);
      L.SetColorBkg(clWhite);
      L.SetColorBorder(clBlack);
      L.SetShadowDx(3);
      L.SetShadowDy(3);
      L.SetColorShadow(clGray);
      L.SetTransparent(false);
      L.SetCaption("");
      L.SetFont(Font());
      L.SetVisible(false);
      L.SetMode(tlmNone);
    });
    label->OnChange = [this](TObject* s) { StyleChanged(s); };
  }
}

void TCustomRChart::ResetScales() {
  for (std::size_t i = 0; i < 2; ++i) {
    TScalePropsHoriz& px = *FScalePropsX[i];
    TScalePropsVert& py = *FScalePropsY[i];
    px.OnChange = nullptr;
    py.OnChange = nullptr;
    px.ResetComp();
    py.ResetComp();
    px.SetColorScale(PredefinedColors(static_cast<int>(i)));
    py.SetColorScale(PredefinedColors(static_cast<int>(i)));
    px.SetScaleLocation(i == 0 ? slBottom : slTop);
    py.SetScaleLocation(i == 0 ? slLeft : slRight);
    px.SetScalePos(0);
    py.SetScalePos(0);
    px.OnChange = [this](TObject* s) { ScalePropsChanged(s); };
    py.OnChange = [this](TObject* s) { ScalePropsChanged(s); };

    const std::string layer = std::to_string(i + 1);
    for (TScale* sc : {FScalesX[i].get(), FScalesY[i].get()}) {
      sc->ResetComp();
      sc->OnZoomPan = [this](TObject* s) { ScaleZoomPan(s); };
      sc->OnScaleTickDrawn = [this](TObject* s, TCanvas& c, TScaleType t, double v, int x, int y) {
        DoOnScaleTickDrawn(s, c, t, v, x, y);
      };
      sc->OnBeforeTickLabel = [this](TObject* s, TScaleType t, double v, std::string& label) {
        DoOnBeforeTickLabel(s, t, v, label);
      };
      // The axes draw straight onto the chart's picture when the chart asks them to.
      sc->SetIsHelperComponent(true);
      sc->SetTransparent(true);
      sc->UseForeignCanvas(&ChartBmp.Canvas(), 0, 0);
      sc->SetSuppressPaint(true);
    }
    FScalesX[i]->SetMouseAction(mactStretch);
    FScalesX[i]->SetName("RC_FScale_X_" + layer);
    FScalesY[i]->SetName("RC_FScale_Y_" + layer);
  }
  PlaceScales();
  CopyScaleProps();
}

void TCustomRChart::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const bool saved = FSuppressPaint;
  FSuppressPaint = true;
  struct Restore {
    bool& flag;
    bool value;
    ~Restore() { flag = value; }
  } restore{FSuppressPaint, saved};
  // Margins are bounded, so these minimums are far below kMaxSide.
  AHeight = std::clamp(AHeight, RcTRim + RcBRim + F3DRim + 20, kMaxSide);
  AWidth = std::clamp(AWidth, RcLRim + RcRRim + F3DRim + 80, kMaxSide);
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FIsometric && FScalePropsX[0]) {
    try {
      RecentreIsometric(1);
      RecentreIsometric(2);
    } catch (const EKIVRChartError&) {
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Standard layouts

void TCustomRChart::SetStdLayout(TrcLayout value) {
  if (value > rcl_X2Both_Y2Both) return;
  TPaintSuppressor suppress(*this);
  FStdLayout = value;
  const ChartLayout& c = kChartLayouts[value];
  SetMarginLeft(c.MarginLeft);
  SetMarginRight(c.MarginRight);
  SetMarginTop(c.MarginTop);
  SetMarginBottom(c.MarginBottom);
  FCaptPosX = c.CaptionPosX;
  FCaptPosY = c.CaptionPosY;
  FCaptAlignment = c.CaptionAlignment;
  FCaptAnchorX = c.AnchorHoriz;
  FCaptAnchorY = c.AnchorVert;
  const auto& axes = kAxisLayouts[value];
  for (std::size_t i = 0; i < 2; ++i) {
    const AxisLayout& ax = axes[2 * i];
    const AxisLayout& ay = axes[2 * i + 1];
    FScalePropsX[i]->SetScaleLocation(static_cast<TScaleLocationHoriz>(ax.Location));
    ApplyAxisLayout(*FScalePropsX[i], ax);
    FScalePropsY[i]->SetScaleLocation(static_cast<TScaleLocationVert>(ay.Location));
    ApplyAxisLayout(*FScalePropsY[i], ay);
  }
  CopyScaleProps();
}

// ---------------------------------------------------------------------------------------------
// Black and white

void TCustomRChart::BackupColorsAndMakeBW() {
  TBackupColors& b = FBackupColors;
  b.Wind = RcWindCol;
  b.ChartFrame = FChartFrameCol;
  b.Chart = RcChartCol;
  b.Font = Font().Color();
  b.ParentFont = ParentFont();
  b.Shadow = FShadowColor;
  b.ShadowBak = RcShadowBakCol;
  b.Grid = RcGridCol;
  b.Area = FBakGndFile.AreaColor();
  for (std::size_t i = 0; i < 4; ++i) {
    TScaleProps& p = i % 2 == 0 ? static_cast<TScaleProps&>(*FScalePropsX[i / 2])
                                : static_cast<TScaleProps&>(*FScalePropsY[i / 2]);
    b.Scale[i] = p.ColorScale();
    b.ScaleFont[i] = p.Font().Color();
    Silently(p, [](TScaleProps& q) {
      q.SetColorScale(clBlack);
      q.Font().SetColor(clBlack);
    });
  }
  for (std::size_t i = 0; i < FTextLabels.size(); ++i) {
    TTextLabel& L = *FTextLabels[i];
    b.Labels[i] = {L.Font().Color(), L.ColorBkg(), L.ColorBorder(), L.ColorShadow()};
    Silently(L, [](TTextLabel& l) {
      l.Font().SetColor(clBlack);
      l.SetColorBkg(clWhite);
      l.SetColorBorder(clBlack);
      l.SetColorShadow(clSilver);
    });
  }
  for (std::size_t i = 0; i < FCrossHair.size(); ++i) {
    b.CrossHairs[i] = FCrossHair[i]->Color();
    Silently(*FCrossHair[i], [](TCrossHair& ch) { ch.SetColor(clBlack); });
  }
  FBlackWhite = true;
  RcWindCol = clWhite;
  RcChartCol = clWhite;
  FChartFrameCol = clBlack;
  Font().SetColor(clBlack);
  FShadowColor = clSilver;
  RcShadowBakCol = clWhite;
  RcGridCol = clGray;
  Silently(FBakGndFile, [](TBakGndImg& g) { g.SetAreaColor(clSilver); });
  CopyScaleProps();
}

void TCustomRChart::ReloadBackupColors() {
  const TBackupColors& b = FBackupColors;
  FBlackWhite = false;
  RcWindCol = b.Wind;
  FChartFrameCol = b.ChartFrame;
  RcChartCol = b.Chart;
  Font().SetColor(b.Font);
  if (b.ParentFont) SetParentFont(true);
  FShadowColor = b.Shadow;
  RcShadowBakCol = b.ShadowBak;
  RcGridCol = b.Grid;
  Silently(FBakGndFile, [&b](TBakGndImg& g) { g.SetAreaColor(b.Area); });
  for (std::size_t i = 0; i < 4; ++i) {
    TScaleProps& p = i % 2 == 0 ? static_cast<TScaleProps&>(*FScalePropsX[i / 2])
                                : static_cast<TScaleProps&>(*FScalePropsY[i / 2]);
    Silently(p, [&b, i](TScaleProps& q) {
      q.SetColorScale(b.Scale[i]);
      q.Font().SetColor(b.ScaleFont[i]);
    });
  }
  for (std::size_t i = 0; i < FTextLabels.size(); ++i) {
    const auto& c = b.Labels[i];
    Silently(*FTextLabels[i], [&c](TTextLabel& l) {
      l.Font().SetColor(c[0]);
      l.SetColorBkg(c[1]);
      l.SetColorBorder(c[2]);
      l.SetColorShadow(c[3]);
    });
  }
  for (std::size_t i = 0; i < FCrossHair.size(); ++i)
    Silently(*FCrossHair[i], [&b, i](TCrossHair& ch) { ch.SetColor(b.CrossHairs[i]); });
  CopyScaleProps();
}

// ---------------------------------------------------------------------------------------------
// Zoom history

void TCustomRChart::ClearZoomHistory() {
  for (auto& layer : FZoomStack) layer.fill(TRectDouble{});
  FZStackPoi = 1;
  ZoomStateOnStack();
}

}  // namespace kiv
