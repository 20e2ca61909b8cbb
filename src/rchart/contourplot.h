// TContourPlot: a two-dimensional chart that shows a scalar field z(x, y) over the ranges of
// its layer 1 as isoline dots or colour surfaces, computed on a grid of pivot points.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "rchart/contour_levels.h"
#include "rchart/customrchart.h"
#include "services/bytematrix.h"
#include "services/colorarray.h"
#include "services/matrix.h"

namespace kiv {

class TColorScale;

enum TContourPlotMode : std::uint8_t {
  cpmDots,                // isoline dots in the level colours
  cpmMonoDots,            // isoline dots in IsoColors entry 1
  cpmColorSurface,        // interpolated colour surface
  cpmColorSurfNoIp,       // one flat colour per pivot cell
  cpmColorSurfNoIpTransp  // flat cells, cells below IsoLow left out
};

// Asks the application for the value z at pivot (pivx, pivy), world point (x, y). z arrives as
// 0, Mask with the point's mask byte; the handler may change both.
using TEstimateZValEvent = std::function<void(TObject* Sender, double x, double y, int pivx,
                                              int pivy, double& z, std::uint8_t& Mask)>;

// The field is sampled at NumPivotsX x NumPivotsY pivots: pivot (ix, iy) lies at
// x = XLow + (XHigh - XLow) * (ix - 1) / (NumPivotsX - 1), y likewise, so the first and last
// pivots lie on the range limits. Each pivot owns a tile of one grid spacing centred on it.
//
// Mask bytes: 0 ordinary; 1 not drawn (a hole); 2..254 covered by MaskPalette entry `mask`;
// 255 drawn and shown with inverted colours. A point whose mask is not 0 does not take part in
// the corner values of its neighbours' tiles.
//
// The picture of the data area is cached: it is rebuilt only when marked invalid (setters,
// zoom, resizing, text labels, DrawPlot, exports) or when the ranges, margins, size or chart
// colour changed since it was built; each rebuild asks for the pivot values again unless they
// were computed in advance with CalculatePivotPoints(true).
class TContourPlot : public TCustomRChart {
 public:
  explicit TContourPlot(TComponent* AOwner);
  ~TContourPlot() override;
  std::string ClassName() const override { return "TContourPlot"; }

  // Every setting back to its default (the chart's, then the plot's); painting stays suppressed.
  void ResetComp() override;
  // From another contour plot: mode, pivot and mask values, levels and their colours, the mask
  // palette, the grid size, the statistics and the two events (not Enabled, the precomputed flag
  // or the attached colour scale), then the whole chart state as TCustomRChart::Assign copies
  // it; repaints once. From any other chart: the chart's Assign.
  void Assign(const TPersistent& Source) override;

  // --- The pivot grid.
  int NumPivotsX() const { return FNumPivotsX; }
  int NumPivotsY() const { return FNumPivotsY; }
  void SetNumPivotsX(int n) { SetPivotResX(n); }
  void SetNumPivotsY(int n) { SetPivotResY(n); }
  // At least 2 each; the grid is made anew (values 0, masks 0) and the plot repaints.
  void SetPivotResX(int n);
  void SetPivotResY(int n);
  // 5 x the larger pivot count. Setting it (at least 10) sizes the grid to the data area's
  // aspect: r div 5 + 1 pivots along its longer side.
  int PivotResolution() const { return GetPivotRes(); }
  void SetPivotResolution(int r) { SetPivotRes(r); }
  int GetPivotRes() const;
  void SetPivotRes(int r);

  // Fills the grid from OnEstimateZVal (zeros without a handler or while not Enabled), with
  // OnProgress and message processing at every progress step. With PreCalcFlag the values are
  // kept for the next rebuild of the picture, which then does not ask again (once).
  void CalculatePivotPoints(bool PreCalcFlag);
  // Sets every pivot to 0 (unless values computed in advance wait and PreCalcFlag is false)
  // and stores PreCalcFlag as the precomputed flag.
  void ClearPivotPoints(bool PreCalcFlag);
  // Values and mask bytes; 0 outside the grid, writes there are ignored. No repaint.
  double GetPivotVal(int ix, int iy) const { return FPivotMat.GetVal(ix, iy); }
  double PivotMat(int ix, int iy) const { return GetPivotVal(ix, iy); }
  std::uint8_t GetMaskVal(int ix, int iy) const { return FMaskMat.GetByte(ix, iy); }
  void SetMaskVal(int ix, int iy, std::uint8_t Value) { FMaskMat.SetByte(ix, iy, Value); }
  std::uint8_t Mask(int ix, int iy) const { return GetMaskVal(ix, iy); }
  void SetMask(int ix, int iy, std::uint8_t Value) { SetMaskVal(ix, iy, Value); }
  void FillMask(std::uint8_t value) { FMaskMat.Fill(value); }
  // The prob-th percentile (in percent) of the pivot values; with UseMask only of the points
  // whose mask is 0 (0 when there are none).
  double PercentilePivots(double prob) const;
  double PercentilePivots(double prob, bool UseMask) const;
  // Extremes of the last computation (masked points included).
  double MaxPivot() const { return FMaximum; }
  double MinPivot() const { return FMinimum; }
  // While false the estimation event is not called (every pivot becomes 0). The control itself
  // stays enabled for the mouse.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);

  // --- Levels and drawing.
  double IsoLow() const { return FIsoLow; }
  double IsoHigh() const { return FIsoHigh; }
  double IsoDist() const { return FIsoDist; }
  // IsoLow at or above IsoHigh moves IsoHigh to IsoLow + 1; IsoHigh at or below IsoLow moves
  // IsoLow to IsoHigh - 1. Non-finite values are ignored. The attached colour scale follows.
  void SetIsoLow(double v);
  void SetIsoHigh(double v);
  void SetIsoDist(double v);
  // The three at once (IsoLow first, then IsoHigh, each with its correction), one repaint.
  void SetIsoParams(double iLow, double iHigh, double iDist);
  TContourPlotMode PlotMode() const { return FPlotMode; }
  void SetPlotMode(TContourPlotMode v);
  // Marks the picture invalid and repaints.
  void DrawPlot();
  bool InvalidDataBmp() const { return FInvalidDataBmp; }

  // Level colours (1-based; the application sizes and fills them; every change repaints and
  // updates the attached colour scale) and the overlay colours of mask values 2..254.
  TColorArray IsoColors;
  TColorArray MaskPalette;

  // A colour scale kept in step with the levels and their colours (not owned; cleared when it
  // is destroyed).
  TColorScale* AttachedColorScale() const { return FExtColScale; }
  void SetAttachedColorScale(TColorScale* v);

  TEstimateZValEvent OnEstimateZVal;
  TOnPercentDoneEvent OnProgress;

  // --- Layer-1 forms of the chart's coordinate operations.
  using TCustomRChart::CrossHairSetPos;
  using TCustomRChart::GetTransformParams;
  using TCustomRChart::M2R;
  using TCustomRChart::R2M;
  using TCustomRChart::SetRange;
  void M2R(int xin, int yin, double& xout, double& yout) const { M2R(1, xin, yin, xout, yout); }
  void R2M(double xin, double yin, int& xout, int& yout) const { R2M(1, xin, yin, xout, yout); }
  void GetTransformParams(double& kx, double& dx, double& ky, double& dy) const {
    GetTransformParams(1, kx, dx, ky, dy);
  }
  void SetRange(long double xLo, long double yLo, long double xHi, long double yHi);
  // Moves the first crosshair (redrawn over the picture).
  void CrossHairSetPos(double x, double y);
  // The chart's first crosshair.
  TCrossHair& CrossHair() { return CrossHair1(); }
  void SetCrossHair(const TCrossHair& v) { SetCrossHair1(v); }

  // --- Settings of the chart that change the cached picture.
  void SetChartColor(TColor v);
  void SetChartFrameColor(TColor v);
  void SetMarginLeft(int v);
  void SetMarginRight(int v);
  void SetMarginTop(int v);
  void SetMarginBottom(int v);
  void SetShadowWidth(int v);
  void SetClassVisib(int cnum, bool value);
  void SetAnnoClassVisib(int cnum, bool value);
  void SetClassVisible(int cnum, bool value) { SetClassVisib(cnum, value); }
  void SetAnnoClassVisible(int cnum, bool value) { SetAnnoClassVisib(cnum, value); }
  int AddTextLabel(double PosX, double PosY, TColor TxtColor, const std::string& Txt,
                   int PropertyTemplate = 0);
  void HideAllTextLabels();
  void ClearAllTextLabels();
  void SetSuppressPaint(bool value) override;
  // Items added since the last picture are shown by rebuilding it.
  void ShowGraf();
  void ShowGrafNewOnly();

  // --- Output: the picture built afresh (the screen's cached picture stays as it was).
  void CopyToBitmap(TBitmap& ABitmap, bool BlkWhite, bool IncludeCrossHairs = false);
  void CopyToBitmapDAOnly(TBitmap& ABitmap, bool BlkWhite, bool IncludeCrossHairs = false);
  void CopyToBMP(const std::string& FName, bool BlkWhite);
  void CopyToClipboard(bool BlkWhite, bool IncludeCrossHairs = false);
  void CopyToClipboardDAOnly(bool BlkWhite, bool IncludeCrossHairs = false);
  void CopyToClipBoardWMF(bool BlkWhite);
  void CopyToClipboardWMF(bool BlkWhite) { CopyToClipBoardWMF(BlkWhite); }
  void PrintIt(double ScaleF, bool BlkWhite);

 protected:
  void AssignTo(TPersistent& Dest) const override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Paint() override;
  void ConstructDataBmp(TBitmap& Bmp, int XOffs, int YOffs, bool BlkWhite, int FirstItem) override;
  // The vector form (SVG output): the field as an embedded picture, items and labels as shapes.
  void ConstructDataBmpCanvas(TCanvas& Canvas, int XOffset, int YOffset, bool BlkWhite,
                              int FirstItem) override;
  void ResetDataBitmap() override;

  // Sizes the grid from a pixel size (each clamped to 10..5000): w div 5 by h div 5 pivots.
  void ResizePivotMatrix(int w, int h);
  void FeedbackProgress(int percent);
  // The grid into a 32-bit bitmap whose data-area origin is at (XOffs, YOffs): tiles (pass 1),
  // then the mask overlays (pass 2).
  void RenderFromPivotPoints(TBitmap& Bmp, int XOffs, int YOffs);
  // One tile drawn straight into pixel rows (row y at rows + y * pitch, |pitch| pixels per row)
  // or onto a canvas: isoline dots, or the colour surface. (x0, y0) is the tile's lower-left
  // world corner, (dx, dy) its size, nx and ny the sub-steps.
  void IsoQuadSL(TRGB32* rows, int pitch, int height, int XOffs, int YOffs, double x0, double y0,
                 double dx, double dy, double z00, double z10, double z01, double z11, int nx,
                 int ny);
  void IsoColQuadSL(TRGB32* rows, int pitch, int height, int XOffs, int YOffs, double x0, double y0,
                    double dx, double dy, double z00, double z10, double z01, double z11, int nx,
                    int ny);
  void IsoQuad(TCanvas& Canvas, int XOffs, int YOffs, double x0, double y0, double dx, double dy,
               double z00, double z10, double z01, double z11, int nx, int ny);
  void IsoColQuad(TCanvas& Canvas, int XOffs, int YOffs, double x0, double y0, double dx, double dy,
                  double z00, double z10, double z01, double z11, int nx, int ny);
  // The 30 text labels in layer-1 coordinates, label 30 first.
  void RenderLabels(TCanvas& Canvas, int XOffs, int YOffs);
  // Copies the level colours and range into the attached colour scale.
  void IsoColorsChanged();

  // Sub-steps per tile side: 5, or 500 div NumPivotsX for grids of at most 100 pivots.
  int SubSteps() const { return 5 * FNumPivotsX > 500 ? 5 : 500 / FNumPivotsX; }
  // World position of pivot i of n between low and high.
  static double PivotCoord(double low, double high, int i, int n) {
    return low + (high - low) * (i - 1) / (n - 1);
  }
  void InvalidateAndRepaint();
  // The internal OnZoomPan and OnResize handlers: the sender's picture is marked invalid.
  static void MarkPictureInvalid(TObject* Sender);
  // The grid made anew at n x m (values and masks 0); the counts change only when it worked.
  void RecreateGrid(int n, int m);
  // Geometry and colour the cached picture depends on besides the flags.
  struct TPictureKey {
    long double k[4] = {};
    bool log[2] = {};
    double range[4] = {};
    int margin[2] = {};
    int size[2] = {};
    TColor chart = 0;
    friend bool operator==(const TPictureKey&, const TPictureKey&) = default;
  };
  TPictureKey CurrentPictureKey() const;
  bool DataBmpStale() const;
  // Steps of the picture shared by the bitmap and the vector forms.
  void BeforeRenderData(TCanvas& Canvas, int XOffs, int YOffs);
  void DrawItemsAndLabels(TCanvas& Canvas, int XOffs, int YOffs, bool BlkWhite, int FirstItem);
  void FinishDataArea(TCanvas& Canvas, int XOffs, int YOffs);
  // Runs an output with the cached picture's state kept.
  template <class F>
  void Exporting(F f);

  TContourPlotMode FPlotMode = cpmColorSurface;
  TMatrix FPivotMat;
  TByteMatrix FMaskMat;
  int FNumPivotsX = 2;
  int FNumPivotsY = 2;
  double FIsoLow = -1;
  double FIsoHigh = 1;
  double FIsoDist = 0.1;
  double FMaximum = 0;
  double FMinimum = 0;
  bool FEnabled = true;
  bool FPivotPreCalc = false;
  TColorScale* FExtColScale = nullptr;
  // Counts grid re-creations, so that a computation or rendering that let application code run
  // notices that the grid it walks is gone.
  std::uint64_t FGridGeneration = 0;
  TPictureKey FPictureKey;
};

}  // namespace kiv
