// TCustomRChart: the two-dimensional chart control that keeps everything it shows as a display
// list of chart items in two containers (data and annotations), fed by pen-plotter-like calls.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/color.h"
#include "platform/controls.h"
#include "platform/graphics.h"
#include "platform/types.h"
#include "rchart/bakgndimg.h"
#include "rchart/chart_legend.h"
#include "rchart/chartitem.h"
#include "rchart/composition_types.h"
#include "rchart/coordmode.h"
#include "rchart/itemcontainer.h"
#include "rchart/jointlayers.h"
#include "rchart/mark_occupancy.h"
#include "rchart/mouse_types.h"
#include "rchart/render_types.h"
#include "rchart/scaleprops.h"
#include "rchart/textlabel.h"
#include "scale/scale.h"
#include "services/crosshair.h"
#include "services/types.h"

namespace kiv {

class TMetafile;

enum GridStyleType : std::uint8_t {
  gsNone,
  gsPoints,
  gsVertLines,
  gsHorizLines,
  gsLines,
  gsHorizDotLines,
  gsVertDotLines,
  gsDotLines
};

// Nothing is drawn when items are created: every creating call appends one record to the data
// container, or to the annotation container while AnnoMode is set, and painting replays the
// containers. Class numbers are 0..254 (255 is the wildcard of every class filter), layers 1..2.
//
// Coordinates: the creating methods take integers as screen pixels (counted from the top-left
// corner of the data area) and floating-point values as world values of the active layer; the
// combination of argument types chooses the item's TCoordMode. Items in the data container always
// store cmAllWorld (data feed auto-ranging and queries, which work in world units), so there
// the numbers of a screen call are world values; annotations keep the mode of the call.
class TCustomRChart : public TCustomControl {
 public:
  explicit TCustomRChart(TComponent* AOwner);
  ~TCustomRChart() override;
  std::string ClassName() const override { return "TCustomRChart"; }

  // ======================================================================================
  // Item store
  // ======================================================================================

  int NumItems() const { return FNumChartItems; }
  int NumAnnos() const { return FNumAnnoItems; }
  // Growth step of the containers in slots; only 1..1000000 is accepted.
  int AllocSize() const { return FAllocSize; }
  void SetAllocSize(int value);

  // Data item idx. Reading outside 0..NumItems-1 gives a fresh item (kind tkNone); writing there
  // is ignored. The per-kind counters are not touched.
  TrcChartItem GetChartItem(int idx) const;
  void SetChartItem(int idx, const TrcChartItem& item);
  TrcChartItem DataContainer(int idx) const { return GetChartItem(idx); }
  void SetDataContainer(int idx, const TrcChartItem& item) { SetChartItem(idx, item); }
  // The same for annotations.
  TrcChartItem GetAnnoItem(int idx) const;
  void SetAnnoItem(int idx, const TrcChartItem& item);
  TrcChartItem AnnoContainer(int idx) const { return GetAnnoItem(idx); }
  void SetAnnoContainer(int idx, const TrcChartItem& item) { SetAnnoItem(idx, item); }

  // Data item access that keeps the per-kind counters in step. A valid index is the caller's
  // duty; an invalid one reads a tkNone item and writes nothing. The write is ignored when the
  // new kind is tkNone or one of the query selectors tkEverything and tkNotMoveTo (or no kind).
  TrcChartItem GetItemParams(int Item) const;
  void SetItemParams(int Item, const TrcChartItem& ItParams);

  // Full UTF-8 text of a data (annotation) text item; empty for an invalid index or a kind other
  // than tkText and tkTextOfs, whose writes are ignored. Texts the 8-bit field cannot hold
  // exactly use the container's table of kMaxLongTexts long texts.
  std::string GetDataLongText(int idx) const;
  void SetDataLongText(int idx, std::string_view txt);
  std::string DataLongText(int idx) const { return GetDataLongText(idx); }
  std::string GetAnnoLongText(int idx) const;
  void SetAnnoLongText(int idx, std::string_view txt);
  std::string AnnoLongText(int idx) const { return GetAnnoLongText(idx); }

  // Number of data items of a kind (0 for a value that is no kind).
  int GetItemCount(TrcItem it) const;
  int ItemCount(TrcItem it) const { return GetItemCount(it); }

  // Fills a record with the values of a fresh item, for building items to store with
  // SetChartItem or SetItemParams.
  static void ClearChartItem(TrcChartItem& item) { kiv::ClearChartItem(item); }

  // Empties the data container; annotations and the data long-text table stay.
  void ClearGraf();
  // Empties the annotation container and its long-text table, then repaints.
  void ClearAnnotations();

  // x <- kx*x + dx, y <- ky*y + dy for data items, and the same for the secondary point of the
  // kinds that have one (HasSecondaryPoint). No repaint. ScaleItem ignores an invalid index;
  // ScaleSelectedItems takes the items of exactly that class (255 is no wildcard here).
  void ScaleItem(int Item, double kx, double dx, double ky, double dy);
  void ScaleAllItems(double kx, double dx, double ky, double dy);
  void ScaleSelectedItems(double kx, double dx, double ky, double dy, std::uint8_t ClassNumber);
  // Sets the colour of every data item of the class, of all data items for class 255. No repaint.
  void NewColorOfClassItems(TColor Newcol, std::uint8_t ClassNumber);

  // Filters: an item matches when TagMask is 0 or its tag agrees with Tag in the bits of
  // TagMask, ItemKind is tkEverything or its kind, and ItemClass is 255 or its class.
  // Index of the first matching item at or after StartIx, or -1 (also for a negative StartIx).
  int SearchDataItem(int StartIx, std::int32_t Tag, std::uint32_t TagMask, std::uint8_t ItemClass,
                     TrcItem ItemKind) const;
  int SearchAnnoItem(int StartIx, std::int32_t Tag, std::uint32_t TagMask, std::uint8_t ItemClass,
                     TrcItem ItemKind) const;
  int CountAnnos(std::int32_t Tag, std::uint32_t TagMask, std::uint8_t ItemClass,
                 TrcItem ItemKind) const;
  // Number of annotations whose class is listed; a class listed twice counts twice, numbers
  // outside 0..255 count nothing.
  int CountAnnoByClass(std::span<const int> ClList) const;
  int CountAnnoByClass(std::initializer_list<int> ClList) const {
    return CountAnnoByClass(std::span<const int>(ClList.begin(), ClList.size()));
  }

  // ======================================================================================
  // Annotation switches and visibility (setters repaint when AutoRedraw is on or designing)
  // ======================================================================================

  // New items go to the annotation container while set.
  bool AnnoMode() const { return FAnnoMode; }
  void SetAnnoMode(bool value);
  // Hiding or showing annotations also marks cached data pictures as stale (FInvalidDataBmp).
  bool AnnosVisible() const { return FAnnosVisible; }
  void SetAnnosVisible(bool value);
  // Annotations drawn below the data items instead of above them.
  bool AnnoBelowChart() const { return FAnnoBelowChart; }
  void SetAnnoBelowChart(bool value);
  void SetAnnoBelow(bool value) { SetAnnoBelowChart(value); }
  // Text annotations drawn after all other annotations.
  bool AnnoTextOnTop() const { return FAnnoTextOnTop; }
  void SetAnnoTextOnTop(bool value);

  // Per-class visibility of data items and of annotations (class 0..255; reading another
  // number gives false, writing it is ignored). Setters repaint when the value changes.
  bool ClassVisible(int cnum) const { return GetClassVisib(cnum); }
  void SetClassVisible(int cnum, bool value) { SetClassVisib(cnum, value); }
  bool GetClassVisib(int cnum) const;
  void SetClassVisib(int cnum, bool value);
  bool AnnoClassVisible(int cnum) const { return GetAnnoClassVisib(cnum); }
  void SetAnnoClassVisible(int cnum, bool value) { SetAnnoClassVisib(cnum, value); }
  bool GetAnnoClassVisib(int cnum) const;
  void SetAnnoClassVisib(int cnum, bool value);
  // Per-layer visibility, for both containers. A layer outside 1..2 is the caller's error: it
  // reads false and is not written.
  bool LayerVisible(int Layer) const { return GetLayerVisib(Layer); }
  void SetLayerVisible(int Layer, bool value) { SetLayerVisib(Layer, value); }
  bool GetLayerVisib(int Layer) const;
  void SetLayerVisib(int Layer, bool value);
  // Whether mouse zoom and pan act on a layer; false outside 1..2. No repaint.
  bool MouseAffectsLayer(int layer) const { return GetMAffLayer(layer); }
  void SetMouseAffectsLayer(int layer, bool value) { SetMAffLayer(layer, value); }
  bool GetMAffLayer(int layer) const;
  void SetMAffLayer(int layer, bool value);

  // Property setters repaint only while this is set (or while the chart is being designed).
  bool AutoRedraw() const { return FAutoRedraw; }
  void SetAutoRedraw(bool value) { FAutoRedraw = value; }

  // ======================================================================================
  // Layers, axes and the coordinate transformation
  // ======================================================================================

  // Margins between the control's edges and the data area (the drop shadow comes in addition
  // at the right and bottom). LRim, RRim, TRim, BRim are the same properties. A margin is
  // clamped to kMinMargin..kMaxMargin: a negative one lets the data area reach past the
  // control's edge, where nothing of it is seen, by at most 1000 pixels, so the data bitmap stays
  // near the control's size; a large positive one makes the control grow (SetBounds).
  static constexpr int kMinMargin = -1000;
  static constexpr int kMaxMargin = 10000;
  // The control's width and height are at most kMaxSide (and at least the margins and the
  // shadow plus 80 x 20 pixels), so that every pixel sum of the chart's geometry fits an int.
  static constexpr int kMaxSide = 1 << 24;
  int MarginLeft() const { return RcLRim; }
  void SetMarginLeft(int v) { SetLRim(v); }
  int MarginRight() const { return RcRRim; }
  void SetMarginRight(int v) { SetRRim(v); }
  int MarginTop() const { return RcTRim; }
  void SetMarginTop(int v) { SetTRim(v); }
  int MarginBottom() const { return RcBRim; }
  void SetMarginBottom(int v) { SetBRim(v); }
  int LRim() const { return RcLRim; }
  int RRim() const { return RcRRim; }
  int TRim() const { return RcTRim; }
  int BRim() const { return RcBRim; }
  void SetLRim(int v);
  void SetRRim(int v);
  void SetTRim(int v);
  void SetBRim(int v);
  // Width of the drop shadow right of and below the data area, clamped to 0..32.
  int ShadowWidth() const { return F3DRim; }
  void SetShadowWidth(int v) { SetF3DRim(v); }
  void SetF3DRim(int v);
  // The data area: from (MarginLeft, MarginTop) to (Width - MarginRight - ShadowWidth,
  // Height - MarginBottom - ShadowWidth), both corners included.
  TRect DataArea() const;
  // Size of the data bitmap: the data area, never below 0.
  TSize DataBitmapSize() const;

  // The axes' settings and ranges. Reading an index outside 1..2 gives layer 1's object;
  // writing one copies the given settings (an index outside 1..2 is ignored).
  TScalePropsHoriz& ScalePropsX(int sclix);
  TScalePropsVert& ScalePropsY(int sclix);
  void SetScalePropsX(int sclix, const TScalePropsHoriz& props);
  void SetScalePropsY(int sclix, const TScalePropsVert& props);
  TScalePropsHoriz& Scale1X() { return ScalePropsX(1); }
  TScalePropsHoriz& Scale2X() { return ScalePropsX(2); }
  TScalePropsVert& Scale1Y() { return ScalePropsY(1); }
  TScalePropsVert& Scale2Y() { return ScalePropsY(2); }
  void SetScale1X(const TScalePropsHoriz& p) { SetScalePropsX(1, p); }
  void SetScale2X(const TScalePropsHoriz& p) { SetScalePropsX(2, p); }
  void SetScale1Y(const TScalePropsVert& p) { SetScalePropsY(1, p); }
  void SetScale2Y(const TScalePropsVert& p) { SetScalePropsY(2, p); }
  // The internal scale components that draw the axes (layer 1..2; others give layer 1's).
  TScale& ScaleX(int layer) const;
  TScale& ScaleY(int layer) const;
  // Copies a scale-property object into a scale component: type, position of the strip by
  // ScalePos, then range, visibility, caption, colours, label settings, font and date format.
  void SetScaleProps(TScale& Scale, const TScaleProps& Props);
  // Ticks recorded by the last drawing of the active layer's x (y) scale; TickPosX(ix) counts
  // from the low end of the range (1..TickNumX, 0 outside).
  int TickNumX() const;
  int TickNumY() const;
  double TickPosX(int ix) const;
  double TickPosY(int ix) const;
  double GetTickPosX(int ix) const { return TickPosX(ix); }
  double GetTickPosY(int ix) const { return TickPosY(ix); }
  // The tick-label helpers of the axes, for labels made in OnBeforeTickLabel: segment Index
  // (from 1) of a text with "|" separators, and a label put into an inscription at its "&".
  static std::string ExtractUserText(std::string_view Text, int Index) {
    return kiv::ExtractUserText(Text, Index);
  }
  static std::string AddScaleInscription(std::string_view Text, std::string_view Inscr) {
    return kiv::AddScaleInscription(Text, Inscr);
  }

  // Recomputes the transformation of both layers from ranges, margins and size. Raises
  // EKIVRChartError "Logarithmic axis must not be negative." for a logarithmic axis with a bound
  // <= 0 (the axes before it are already updated).
  virtual void AdjustScaling();
  // World values of a layer (clamped into 1..2) to control pixels: non-finite results are
  // clamped to +-2147483647 (NaN to 2147483647), then rounded half to even. Values <= 1e-100 on
  // a logarithmic axis fall off the low end of the axis.
  void R2M(int Layer, double xin, double yin, int& xout, int& yout) const;
  // R2M for the picture Scale times larger: the nearest pixels to Scale times the transformed
  // values (R2M's for Scale 1).
  void R2MScaled(int Layer, double xin, double yin, int Scale, int& xout, int& yout) const;
  // Control pixels to world values of a layer.
  void M2R(int Layer, int xin, int yin, double& xout, double& yout) const;
  void GetTransformParams(int Layer, double& kx, double& dx, double& ky, double& dy) const;

  // Sets the ranges of a layer, or of both for layer 0: equal bounds are widened (by MinRange
  // on a linear axis, by a factor 1.1 on a logarithmic one), the isometric mode recentres y,
  // then ForceRange with a zoom-history push. Repaints (AutoRedraw or designing).
  void SetRange(int Layer, long double xLo, long double yLo, long double xHi, long double yHi);
  // Stores ranges following the layer coupling: a coupled axis keeps its master's range, and
  // layers following this one take its new range. Ranges narrower than 0.99 * MinRange and
  // logarithmic bounds below 1e-100 are refused per axis. PushZoom records the result in the
  // zoom history when something changed; Confine keeps it inside the zoom limits.
  void ForceRange(int Layer, long double xLo, long double yLo, long double xHi, long double yHi,
                  bool PushZoom = true, bool Confine = false);
  // Gives every listed layer (1, 2) the union of their ranges: both axes, x only, y only.
  void SetEqualRange(std::initializer_list<int> Layers);
  void SetEqualRangeXOnly(std::initializer_list<int> Layers);
  void SetEqualRangeYOnly(std::initializer_list<int> Layers);
  // Limits of mouse zoom and pan (all zero: none). Takes effect in later confined range changes.
  void ConfineZoomRange(double xLo, double yLo, double xHi, double yHi);
  // Keeps one world unit as long in y as in x (on the device's pixel aspect) by recentring y.
  bool Isometric() const { return FIsometric; }
  void SetIsometric(bool value) { SetIsoMetric(value); }
  void SetIsoMetric(bool value);
  // Pushes the current ranges of both layers onto the 16-entry zoom history.
  void ZoomStateOnStack();
  // A zoom-history entry (x low, y high, x high, y low) of a layer, StackIx -15..0 steps back
  // from the latest push; all zero outside.
  TRectDouble GetZoomStackEntry(int Layer, int StackIx) const;
  TRectDouble ZoomStack(int Layer, int StackIx) const { return GetZoomStackEntry(Layer, StackIx); }

  // The pool of text labels, 1..30. Raises EKIVRChartError 'Component "<Name>": invalid index
  // into TextLabel array' for another index; writing copies the settings and repaints
  // (AutoRedraw or designing).
  TTextLabel& TextLabels(int ix);
  const TTextLabel& TextLabels(int ix) const;
  void SetTextLabels(int ix, const TTextLabel& label);
  TTextLabel& GetFTextLabel(int ix) { return TextLabels(ix); }
  void SetFTextLabel(int ix, const TTextLabel& label) { SetTextLabels(ix, label); }

  // What a left-button drag in the data area does (stored only).
  TMouseActMode MouseAction() const { return RcMouseAction; }
  void SetMouseAction(TMouseActMode v) { RcMouseAction = v; }

  // Painting is skipped while set; clearing it repaints.
  bool SuppressPaint() const { return FSuppressPaint; }
  virtual void SetSuppressPaint(bool value);

  // Layer coupling and the data-area background; writing copies the settings and repaints
  // (AutoRedraw or designing).
  TJointLayers& JointLayers() { return *FJointLayers; }
  void SetJointLayers(const TJointLayers& v);
  TBakGndImg& BackGroundImg() { return FBakGndFile; }
  void SetBackGroundImg(const TBakGndImg& v);

  // Repaints when AutoRedraw is on or the chart is being designed: the change handler of
  // crosshairs, text labels, the background image and the layer coupling.
  void StyleChanged(TObject* Sender);
  // Change handlers of the scale properties and of the scale components: copy all four
  // property objects into their scales and take over their ranges, then repaint.
  void ScalePropsChanged(TObject* Sender);
  void ScaleZoomPan(TObject* Sender);

  // ======================================================================================
  // Colours and grid of the picture (setters repaint when AutoRedraw is on or designing)
  // ======================================================================================

  // Background of the data area.
  TColor ChartColor() const { return RcChartCol; }
  void SetChartColor(TColor v);
  // Grid behind the items: its style, colour and steps (0: at the scale ticks; > 0: world
  // distance; on a logarithmic axis -1, -2, -3: per decade 1 / 1, 2, 5 / 1..9). Steps below -3
  // are ignored.
  GridStyleType GridStyle() const { return RcGridStyle; }
  void SetGridStyle(GridStyleType v);
  TColor GridColor() const { return RcGridCol; }
  void SetGridColor(TColor v);
  double GridDx() const { return RcGridDx; }
  void SetGridDx(double v);
  double GridDy() const { return RcGridDy; }
  void SetGridDy(double v);

  // ======================================================================================
  // Current drawing attributes, copied into every new item (setters only store, except
  // ActiveLayer)
  // ======================================================================================

  TColor DataColor() const { return RcDataCol; }
  void SetDataColor(TColor value) { RcDataCol = value; }
  TPenStyle PenStyle() const { return RcPenStyle; }
  void SetPenStyle(TPenStyle value) { RcPenStyle = value; }
  // Pen width; texts and frames ignore it.
  std::uint8_t LineWidth() const { return RcLineWid; }
  void SetLineWidth(std::uint8_t value) { RcLineWid = value; }
  // Brush colour of filled items and background of texts; TextBkColor is the same field.
  TColor FillColor() const { return RcFillCol; }
  void SetFillColor(TColor value) { RcFillCol = value; }
  TColor TextBkColor() const { return RcFillCol; }
  void SetTextBkColor(TColor value) { RcFillCol = value; }
  bool TransparentItems() const { return FTranspItems; }
  void SetTransparentItems(bool value) { FTranspItems = value; }
  // Class of new items; 255 is refused (it is the wildcard of the class filters).
  std::uint8_t ClassDefault() const { return RcClassDefault; }
  void SetClassDefault(std::uint8_t value);
  std::int32_t DataTag() const { return FDataTag; }
  void SetDataTag(std::int32_t value) { FDataTag = value; }
  // Layer of new items, 1 or 2; other values are refused. Repaints (AutoRedraw or designing).
  int ActiveLayer() const { return FActiveLayer; }
  void SetActiveLayer(int value);
  TTextBkg TextBkStyle() const { return FTextBkStyle; }
  void SetTextBkStyle(TTextBkg value) { FTextBkStyle = value; }
  // Alignment of texts created without an explicit one.
  TAlignment TextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(TAlignment value) { FTextAlignment = value; }
  // Name and style of the font texts are drawn with (their size is stored per item).
  TFont& TextFont() { return FTextFont; }
  const TFont& TextFont() const { return FTextFont; }
  void SetTextFont(const TFont& value) { FTextFont.Assign(value); }
  TFontStyles TextFontStyle() const { return FTextFont.Style(); }
  void SetTextFontStyle(TFontStyles value) { FTextFont.SetStyle(value); }

  // ======================================================================================
  // Item creation: each call appends exactly one item and draws nothing. Integer arguments are
  // screen pixels, floating-point ones world values (see the class comment).
  // ======================================================================================

  // tkMoveTo / tkLineto (DrawTo also stores the fill colour). Any mix of x and y.
  template <ChartCoord X, ChartCoord Y>
  void MoveTo(X x, Y y) {
    MoveToIntern(static_cast<double>(x), static_cast<double>(y), PointMode<X, Y>());
  }
  template <ChartCoord X, ChartCoord Y>
  void DrawTo(X x, Y y) {
    DrawToIntern(static_cast<double>(x), static_cast<double>(y), PointMode<X, Y>());
  }
  // Pen moves and polyline steps by a pixel offset (world mode always).
  void MoveToRelPix(double dx, double dy);
  void DrawToRelPix(double dx, double dy);
  // A line from the world point (x, y) to the point dx, dy pixels away from it.
  void DrawToRelPix(double x, double y, double dx, double dy);

  // Two-point items: each point all world or all screen.
  template <ChartCoord X1, ChartCoord Y1, ChartCoord X2, ChartCoord Y2>
  requires TwoPointCoords<X1, Y1, X2, Y2>
  void Line(X1 x1, Y1 y1, X2 x2, Y2 y2) {
    TwoPointIntern(tkLine, static_cast<double>(x1), static_cast<double>(y1),
                   static_cast<double>(x2), static_cast<double>(y2),
                   TwoPointMode<X1, Y1, X2, Y2>());
  }
  template <ChartCoord X1, ChartCoord Y1, ChartCoord X2, ChartCoord Y2>
  requires TwoPointCoords<X1, Y1, X2, Y2>
  void Rectangle(X1 x1, Y1 y1, X2 x2, Y2 y2) {
    TwoPointIntern(tkRect, static_cast<double>(x1), static_cast<double>(y1),
                   static_cast<double>(x2), static_cast<double>(y2),
                   TwoPointMode<X1, Y1, X2, Y2>());
  }
  // A rectangle with a three-dimensional frame in the given colours; always pen width 1.
  template <ChartCoord X1, ChartCoord Y1, ChartCoord X2, ChartCoord Y2>
  requires TwoPointCoords<X1, Y1, X2, Y2>
  void RectFrame(X1 x1, Y1 y1, X2 x2, Y2 y2, TFrameStyle FrameStyle, TColor ShadowColor,
                 TColor HiLightColor) {
    RectFrameIntern(static_cast<double>(x1), static_cast<double>(y1), static_cast<double>(x2),
                    static_cast<double>(y2), TwoPointMode<X1, Y1, X2, Y2>(), FrameStyle,
                    ShadowColor, HiLightColor);
  }
  // Arrows from (x1, y1) to the head at (x2, y2), HeadSize in pixels (0: no head). Besides the
  // two-point forms, x values of one sort with y values of the other.
  template <ChartCoord X1, ChartCoord Y1, ChartCoord X2, ChartCoord Y2>
  requires ArrowCoords<X1, Y1, X2, Y2>
  void Arrow(X1 x1, Y1 y1, X2 x2, Y2 y2, int HeadSize) {
    ArrowIntern(tkArrow, static_cast<double>(x1), static_cast<double>(y1), static_cast<double>(x2),
                static_cast<double>(y2), ArrowMode<X1, Y1, X2, Y2>(), HeadSize);
  }
  template <ChartCoord X1, ChartCoord Y1, ChartCoord X2, ChartCoord Y2>
  requires ArrowCoords<X1, Y1, X2, Y2>
  void DoubleArrow(X1 x1, Y1 y1, X2 x2, Y2 y2, int HeadSize) {
    ArrowIntern(tkDoubleArrow, static_cast<double>(x1), static_cast<double>(y1),
                static_cast<double>(x2), static_cast<double>(y2), ArrowMode<X1, Y1, X2, Y2>(),
                HeadSize);
  }
  // A line between two world points, drawn shifted by dx, dy pixels.
  void LineOffset(double x1, double y1, double x2, double y2, int dx, int dy);
  // A rectangle of half size dx, dy pixels centred at a world point.
  void RectangleRelPix(double centx, double centy, int dx, int dy);

  // A mark of type mk (0..255); x and y both world or both screen.
  template <ChartCoord X, ChartCoord Y>
  requires UniformPoint<X, Y>
  void MarkAt(X x, Y y, std::uint8_t mk) {
    MarkAtIntern(static_cast<double>(x), static_cast<double>(y), ValueMode<X>(), mk);
  }
  // A mark with error bars reaching dlower below and dupper above the point, along y
  // (orVertical) or along x (orHorizontal).
  void MarkErrorBar(double x, double y, double dlower, double dupper, TOrientation Dir,
                    std::uint8_t mk);

  // A text of font size `size` (points) in the text colour DataColor, background TextBkStyle
  // and FillColor, alignment TextAlignment. Any mix of x and y.
  template <ChartCoord X, ChartCoord Y>
  void Text(X x, Y y, int size, std::string_view txt) {
    TextIntern(static_cast<double>(x), static_cast<double>(y), PointMode<X, Y>(), size, txt, 0, 0,
               FTextAlignment);
  }
  // A text at a world point shifted by dx, dy pixels (tkTextOfs unless both are 0), with its own
  // alignment.
  void Text(double x, double y, int size, std::string_view txt, double dx, double dy,
            TAlignment Alignment);

  // A three-dimensional bar; Angle (degrees) is clamped to 0..180, Depth in pixels.
  void Bar3D(double llx, double lly, double urx, double ury, int Depth, int Angle);
  // An ellipse with centre (cx, cy) and half axes in world units.
  void Ellipse(double cx, double cy, double HorizAxLeng, double VertAxLeng);
  // An elliptic arc from Angle1 to Angle2 (radians, counter-clockwise, each clamped to -pi..pi,
  // NaN taken as pi) stored as angle * 10^8 rounded half to even.
  void Arc(double cx, double cy, double HorizAxLeng, double VertAxLeng, double Angle1,
           double Angle2);
  // Lines across the whole data area at x (vertical) or y (horizontal).
  template <ChartCoord V>
  void CursorVert(V x) {
    CursorIntern(tkCursorVert, static_cast<double>(x), 0.0, ValueMode<V>());
  }
  template <ChartCoord V>
  void CursorHoriz(V y) {
    CursorIntern(tkCursorHoriz, 0.0, static_cast<double>(y), ValueMode<V>());
  }

  // Whole arrays (rchart_arrays.cpp): one call appends exactly the items the per-point calls
  // would append, with the current drawing attributes, at a fraction of their cost. x and y are
  // world values and must be equally long (else EKIVRChartError, and nothing is appended); a
  // colour array, when given, holds the colour of every item (DataColor itself is not changed).
  // Polyline: MoveTo(x[0], y[0]), then DrawTo(x[i], y[i]) for the other points.
  void Polyline(std::span<const double> x, std::span<const double> y);
  void Polyline(std::span<const double> x, std::span<const double> y,
                std::span<const TColor> colors);
  // Marks: MarkAt(x[i], y[i], mk) for every point.
  void Marks(std::span<const double> x, std::span<const double> y, std::uint8_t mk);
  void Marks(std::span<const double> x, std::span<const double> y, std::uint8_t mk,
             std::span<const TColor> colors);

  // ======================================================================================
  // Item rendering, grid, text-label drawing, scale hit test and auto-ranging
  // ======================================================================================

  // Suppresses a mark where a mark of the same type was drawn within MinDupMarkDist pixels
  // (a square of 2 * MinDupMarkDist + 1 pixels). Both setters repaint when the value changes;
  // the distance is clamped to 1..3.
  bool AvoidDuplicateMarks() const { return FAvoidDupMarks; }
  void SetAvoidDuplicateMarks(bool value);
  int MinDupMarkDist() const { return FDupMarksMinD; }
  void SetMinDupMarkDist(int value);

  // Gaps for missing values (off by default, when a non-finite world value is clamped to the
  // edge of the data area like any far-out value). When set, an item whose coordinates are not
  // all finite draws nothing, and a polyline step or pen move among them lifts the pen: the line
  // breaks there and continues at the next finite point. Repaints (AutoRedraw or designing).
  bool MissingValueGaps() const { return FMissingGaps; }
  void SetMissingValueGaps(bool value);

  // Hooks just before an item, and the text of a text item, are drawn.
  TBeforeRenderCItemEvent OnBeforeRenderChartItem;
  TBeforeRenderTextEvent OnBeforeRenderText;

  // Draws the items of both containers onto a canvas of the data area's size (origin at the
  // data area's top-left corner), in the order and with the visibility rules of painting, but
  // without background, grid, labels and frame. For pictures of the items alone and for
  // measuring their drawing.
  void RenderItems(TCanvas& Canvas);

  // Which scale lies under a control pixel: 1 or 2 for the visible y scale of that layer, -1 or
  // -2 for its visible x scale, 0 for none. Y scales are tested first.
  int DetectScale(int CoordX, int CoordY) const;

  // Fit the ranges of a layer (0: both layers) to its data items, widened on each side by
  // Margin percent of the extent (a logarithmic axis by that share of its decades) and to at
  // least MinRange percent of the mid value. The X-only and Y-only forms keep the other axis.
  void AutoRange(int Layer, double Margin) { AutoRange(Layer, Margin, 0); }
  void AutoRange(int Layer, double Margin, double MinRange);
  void AutoRangeXOnly(int Layer, double Margin) { AutoRangeXOnly(Layer, Margin, 0); }
  void AutoRangeXOnly(int Layer, double Margin, double MinRange);
  void AutoRangeYOnly(int Layer, double Margin) { AutoRangeYOnly(Layer, Margin, 0); }
  void AutoRangeYOnly(int Layer, double Margin, double MinRange);
  // Extent of the data points of a layer (0: all layers) strictly inside the window; without
  // such a point the minima stay uc_MaxDouble and the maxima -uc_MaxDouble.
  void FindMinMax(int Layer, double RangeLoX, double RangeLoY, double RangeHiX, double RangeHiY,
                  double& MinX, double& MinY, double& MaxX, double& MaxY) const;
  // The layers that hold at least one data item.
  TLayerSet FindUsedLayers() const;

 protected:
  // --- Seams for the parts built on the store.
  // Hands the data container and its counters to charts sharing this chart's data; called after
  // every change of the data container. Does not repaint.
  virtual void AdjustCanInfoOfSharedCharts();
  // Resizes the data-area bitmap and paints its background again; ClearGraf calls it.
  virtual void ResetDataBitmap();

  // Repaints when AutoRedraw is on or the chart is being designed, unless painting is
  // suppressed: the reaction of property setters that change the picture.
  void RepaintIfAutoRedraw();

  // Returns the item store (containers, counts, AllocSize, long texts, counters, annotation
  // switches, visibility and mouse flags) to its state of a fresh chart.
  void ResetItemStore();
  // Returns the drawing attributes to their defaults; TextFont becomes a copy of Font.
  void ResetDrawingAttributes();

  // Whether idx names a data item or an annotation (never beyond the container's slots).
  bool ValidDataIndex(int idx) const;
  bool ValidAnnoIndex(int idx) const;

  // --- Appending. NewItemSlot chooses the container by AnnoMode, grows it by AllocSize when it
  // is full and returns the slot at the item count with kind, layer, class, colour, pen style,
  // tag, line width and coordinate mode set (cmAllWorld in the data container); the caller sets
  // the rest and then calls ItemAdded, which counts the item. Fields the caller does not set keep
  // what the slot held (zero in a slot added by growth).
  TrcChartItem& NewItemSlot(TrcItem kind, TCoordMode mode);
  void ItemAdded(TrcItem kind);

  void MoveToIntern(double x, double y, TCoordMode mode);
  void DrawToIntern(double x, double y, TCoordMode mode);
  void TwoPointIntern(TrcItem kind, double x1, double y1, double x2, double y2, TCoordMode mode);
  void RectFrameIntern(double x1, double y1, double x2, double y2, TCoordMode mode,
                       TFrameStyle FrameStyle, TColor ShadowColor, TColor HiLightColor);
  void ArrowIntern(TrcItem kind, double x1, double y1, double x2, double y2, TCoordMode mode,
                   int HeadSize);
  void MarkAtIntern(double x, double y, TCoordMode mode, std::uint8_t mk);
  void TextIntern(double x, double y, TCoordMode mode, int size, std::string_view txt, double dx,
                  double dy, TAlignment Alignment);
  void CursorIntern(TrcItem kind, double x, double y, TCoordMode mode);
  // Whole-array appending: grows the container new items go to as count single appends would
  // and returns the index of the first new slot; AppendArray writes the items.
  int ReserveItems(int count);
  void AppendArray(const char* what, TrcItem first, TrcItem rest, std::span<const double> x,
                   std::span<const double> y, std::span<const TColor> colors, std::uint8_t mk);

  // --- Layers and transformation.
  friend class TJointLayers;
  // Creates the axes' property objects and scale components and connects their notifications.
  void InitLayers();
  // Stores the ranges of one layer (the second half of ForceRange, without the coupling).
  void ForceRngIntern(int Layer, long double xLo, long double yLo, long double xHi, long double yHi,
                      bool PushZoom, bool Confine);
  // The isometric centre of y for an x range: half the y extent that keeps units equal.
  long double IsometricHalfHeight(long double xLo, long double xHi) const;
  void RecentreIsometric(int Layer);
  // Puts the scale components' strips next to the data area (after margin changes).
  void PlaceScales();
  // The data bitmap, the scale strips and the transformation follow a change of a margin or
  // of the shadow width. An isometric chart recentres its y ranges for a margin (Recentre), not
  // for the shadow width.
  void MarginChanged(bool Recentre = true);
  void BoundsChanged(bool Resized) override;
  void CopyScaleProps();
  void EqualRange(std::initializer_list<int> Layers, bool x, bool y);
  static int ClampLayer(int Layer) { return Layer < 1 ? 1 : (Layer > 2 ? 2 : Layer); }

  int RcLRim = 50;
  int RcRRim = 10;
  int RcTRim = 16;
  int RcBRim = 32;
  int F3DRim = 0;
  std::array<std::unique_ptr<TScalePropsHoriz>, 2> FScalePropsX;
  std::array<std::unique_ptr<TScalePropsVert>, 2> FScalePropsY;
  std::array<std::unique_ptr<TScale>, 2> FScalesX;
  std::array<std::unique_ptr<TScale>, 2> FScalesY;
  std::array<long double, 2> Cpkx{}, Cpdx{}, Cpky{}, Cpdy{};
  int Fxasp = 36;
  int Fyasp = 36;
  std::array<long double, 4> FZoomRange{};  // x low, y low, x high, y high
  std::array<std::array<TRectDouble, 16>, 2> FZoomStack{};
  int FZStackPoi = 1;
  bool FIsometric = false;
  bool FSuppressPaint = false;
  TMouseActMode RcMouseAction = mactNone;
  std::unique_ptr<TJointLayers> FJointLayers;
  TBakGndImg FBakGndFile;
  TBitmap GrafBmp;  // the data area's picture
  TColor RcChartCol = clWhite;
  TColor RcGridCol = clBlack;
  GridStyleType RcGridStyle = gsNone;
  double RcGridDx = 0;
  double RcGridDy = 0;

  std::array<std::unique_ptr<TTextLabel>, kNumTextLabels> FTextLabels;

  // --- Containers and counters. The data container is held shared: charts that share data
  // hold the same container object.
  std::shared_ptr<TRcItemContainer> FDataContainer;
  std::shared_ptr<TRcItemContainer> FAnnoContainer;
  int FNumChartItems = 0;
  int FNumAnnoItems = 0;
  int FNumAllocData = 0;  // slots accounted as allocated; grows by FAllocSize
  int FNumAllocAnno = 0;
  int FAllocSize = 1000;
  TLongTextArray FLongTextsData;
  TLongTextArray FLongTextsAnno;
  int FNumLongTextsData = 0;
  int FNumLongTextsAnno = 0;
  std::array<int, kNumItemKinds> FItemCount{};  // data items per kind
  int FLastElemOnShow = 0;                      // last item index shown by ShowGrafNewOnly
  int FNumMTrace = 0;                           // points of the mouse trace

  // --- Annotation switches and visibility.
  bool FAnnoMode = false;
  bool FAnnosVisible = true;
  bool FAnnoBelowChart = false;
  bool FAnnoTextOnTop = true;
  bool FInvalidDataBmp = false;  // a cached picture of the data area must be rebuilt
  std::array<bool, 256> FItClassVisib{};
  std::array<bool, 256> FAnnoClassVisib{};
  std::array<bool, 2> FLayerVisib{};     // layers 1, 2
  std::array<bool, 2> FMouseAffLayer{};  // layers 1, 2
  bool FAutoRedraw = true;

  // --- Drawing attributes.
  TColor RcDataCol = clBlack;
  TPenStyle RcPenStyle = psSolid;
  std::uint8_t RcLineWid = 1;
  TColor RcFillCol = clSilver;
  bool FTranspItems = false;
  std::uint8_t RcClassDefault = 0;
  std::int32_t FDataTag = 0;
  int FActiveLayer = 1;
  TTextBkg FTextBkStyle = tbClear;
  TAlignment FTextAlignment = taCenter;
  TFont FTextFont;

  // ======================================================================================
  // Composition, painting, defaults, layouts, text-label pool and output
  // ======================================================================================
 public:
  // Returns every setting to its default (containers emptied, colours, caption, shadow, flags,
  // crosshairs, text labels, background, layer coupling, the four axes, the standard layout
  // rcl_X1Bottom_Y1Left, an empty zoom history) and registers the chart's four mouse cursors.
  // Ends with painting suppressed.
  virtual void ResetComp();
  // The size never drops below the margins and the shadow plus 80 x 20 pixels of data area; an
  // isometric chart recentres its y ranges for the new aspect.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // --- The picture outside the data area (setters repaint when AutoRedraw is on or designing).
  // Background of the control around the data area.
  TColor WindColor() const { return RcWindCol; }
  void SetWindColor(TColor v);
  // Outline of the data area (and pen of the caption).
  TColor ChartFrameColor() const { return FChartFrameCol; }
  void SetChartFrameColor(TColor v);
  // The drop shadow right of and below the chart face (ShadowWidth pixels): shsPlain fills it
  // with ShadowColor, shsFramed outlines it in black, shsBackFramed in ShadowBakColor, which
  // also fills the two corners the shadow leaves open.
  TShadowStyle ShadowStyle() const { return RcShadowStyle; }
  void SetShadowStyle(TShadowStyle v);
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor v);
  TColor ShadowBakColor() const { return RcShadowBakCol; }
  void SetShadowBakColor(TColor v);
  // The caption, in the control's font, at (CaptionPosX, CaptionPosY) from the point the two
  // anchors choose, aligned to it by CaptionAlignment.
  const std::string& Caption() const { return FChartCaption; }
  void SetCaption(const std::string& v);
  int CaptionPosX() const { return FCaptPosX; }
  void SetCaptionPosX(int v);
  int CaptionPosY() const { return FCaptPosY; }
  void SetCaptionPosY(int v);
  TAlignment CaptionAlignment() const { return FCaptAlignment; }
  void SetCaptionAlignment(TAlignment v);
  TCaptionAnchorHoriz CaptionAnchorHoriz() const { return FCaptAnchorX; }
  void SetCaptionAnchorHoriz(TCaptionAnchorHoriz v);
  TCaptionAnchorVert CaptionAnchorVert() const { return FCaptAnchorY; }
  void SetCaptionAnchorVert(TCaptionAnchorVert v);
  // 0: no trimming; else the percentage (5..100, clamped) of the data-area width the caption may
  // take: a longer caption is cut and ends in "...".
  int CaptionTrim() const { return FCaptTrim; }
  void SetCaptionTrim(int v);

  // One of the standard arrangements of margins, caption and axes; reads back the last one set.
  TrcLayout StandardLayout() const { return FStdLayout; }
  void SetStandardLayout(TrcLayout v) { SetStdLayout(v); }
  void SetStdLayout(TrcLayout value);

  // Shows the current items: with AutoRedraw only the data area is rebuilt (axes, caption and
  // mouse trace stay as they are), without it the whole chart is painted.
  void ShowGraf();
  // Draws the items added since the last show over the current data area (no grid).
  void ShowGrafNewOnly();

  // Saves the colours of the picture and switches them to black and white: white backgrounds,
  // black frame, fonts, axes, labels (on white boxes) and crosshairs, a grey grid, silver shadow
  // and background area. ReloadBackupColors restores them exactly. Neither repaints.
  void BackupColorsAndMakeBW();
  void ReloadBackupColors();

  // --- Crosshairs, drawn over the finished picture. Writing copies the settings and repaints
  // (AutoRedraw or designing).
  TCrossHair& CrossHair1() { return *FCrossHair[0]; }
  TCrossHair& CrossHair2() { return *FCrossHair[1]; }
  TCrossHair& CrossHair3() { return *FCrossHair[2]; }
  TCrossHair& CrossHair4() { return *FCrossHair[3]; }
  void SetCrossHair1(const TCrossHair& v) { SetCrossHair(1, v); }
  void SetCrossHair2(const TCrossHair& v) { SetCrossHair(2, v); }
  void SetCrossHair3(const TCrossHair& v) { SetCrossHair(3, v); }
  void SetCrossHair4(const TCrossHair& v) { SetCrossHair(4, v); }
  // Draws the crosshairs (4 first, 1 on top) onto a bitmap holding the control's picture
  // shifted by (-dx, -dy); nothing when all are off.
  void DrawCrossHairs(int dx, int dy, TBitmap& Bitmap);

  // The legend: entries of a sample line or mark and a text, drawn over the items and labels in
  // a corner of the data area, or beside it (chart_legend.h). Nothing is drawn without entries.
  // Writing copies the settings and entries; changes repaint (AutoRedraw or designing).
  TChartLegend& Legend() { return *FLegend; }
  void SetLegend(const TChartLegend& v) { FLegend->Assign(v); }

  // Empties the zoom history and records the current ranges as its first entry.
  void ClearZoomHistory();

  // --- Mouse settings the chart keeps for its mouse handling (stored only).
  TColor MouseTraceColor() const { return FColorMTrace; }
  void SetMouseTraceColor(TColor v) { FColorMTrace = v; }
  bool MouseTraceInvert() const { return FMTraceInvert; }
  void SetMouseTraceInvert(bool v) { FMTraceInvert = v; }
  bool MouseCursorFixed() const { return FMCurFixed; }
  void SetMouseCursorFixed(bool v) { FMCurFixed = v; }
  double PanGridDx() const { return FPanGridDx; }
  void SetPanGridDx(double v) { FPanGridDx = v; }
  double PanGridDy() const { return FPanGridDy; }
  void SetPanGridDy(double v) { FPanGridDy = v; }
  double PanGridOffsX() const { return FPanGridOffsX; }
  void SetPanGridOffsX(double v) { FPanGridOffsX = v; }
  double PanGridOffsY() const { return FPanGridOffsY; }
  void SetPanGridOffsY(double v) { FPanGridOffsY = v; }

  // --- The pool of text labels. AddTextLabel fills the first free label (Mode tlmNone) and
  // returns its index, or 0 when all 30 are in use; SetTextLabel fills label Idx (1..30, other
  // indices do nothing). The label takes the position, the active layer, the caption and the
  // text colour; attachment, alignment, colours, shadow and mode come from label
  // PropertyTemplate (1..30) when given, else from the chart (taXY, centred, ChartColor box,
  // ChartFrameColor border, no shadow offset, tlmPlain).
  int AddTextLabel(double PosX, double PosY, TColor TxtColor, const std::string& Txt,
                   int PropertyTemplate = 0);
  void SetTextLabel(int Idx, double PosX, double PosY, TColor TxtColor, const std::string& Txt,
                    int PropertyTemplate = 0);
  // Hide (free) all 30 labels, repainting once.
  void HideAllTextLabels();
  void ClearAllTextLabels();

  // --- Output of the picture painting produces, built afresh (the screen is not touched).
  // BlkWhite gives monochrome output; IncludeCrossHairs adds the crosshairs. The DAOnly forms
  // give the data area alone.
  void CopyToBitmap(TBitmap& ABitmap, bool BlkWhite, bool IncludeCrossHairs = false);
  void CopyToBitmapDAOnly(TBitmap& ABitmap, bool BlkWhite, bool IncludeCrossHairs = false);
  // A picture file: PNG when the name ends in ".png", else BMP. Raises EPlatformError when the
  // file cannot be written. PNG files are compressed at PngCompressionLevel, on zlib's scale 0
  // (none) to 9 (smallest), other values ignored: TBitmap::kPngSize (the default, small files)
  // or TBitmap::kPngSpeed (the fastest).
  void CopyToBMP(const std::string& FName, bool BlkWhite);
  int PngCompressionLevel() const { return FPngLevel; }
  void SetPngCompressionLevel(int level) {
    if (level >= 0 && level <= 9) FPngLevel = level;
  }
  // The picture Scale times larger (1..4), for dense screens and print: pen widths and fonts
  // grow as printing scales them, texts are drawn afresh at the larger size, and the items are
  // placed at the larger picture's own pixels (world values to round(Scale (k v + d)), centred in
  // the blocks of the picture's pixels). Smooth draws it four times larger again and reduces it
  // with an exact box filter, so that curves and texts are anti-aliased. The screen picture
  // stays as it is.
  void CopyToBitmapScaled(TBitmap& ABitmap, int Scale, bool Smooth, bool BlkWhite);
  void CopyToBMPScaled(const std::string& FName, int Scale, bool Smooth, bool BlkWhite);
  // A vector picture: the file receives an SVG document (whatever its name) in which items,
  // axes and texts are vector shapes and the data area is clipped.
  void CopyToWMF(const std::string& FName, bool BlkWhite);
  // The picture recorded as a metafile (replayed onto a bitmap it gives the pixels of
  // CopyToBitmap), and the SVG document CopyToWMF writes from it.
  void CopyToMetafile(TMetafile& Metafile, bool BlkWhite);
  std::string ToSvg(bool BlkWhite);
  void CopyToClipboard(bool BlkWhite, bool IncludeCrossHairs = false);
  void CopyToClipboardDAOnly(bool BlkWhite, bool IncludeCrossHairs = false);
  void CopyToClipboardWMF(bool BlkWhite);
  // Printing goes to Printer(): the picture, magnified ScaleF times (ScaleF <= 0: its size on
  // screen at the printer's resolution), as one page. CopyToOpenPrinter puts it on the open
  // page at (x, y) and returns the bottom-right corner below and right of it in x, y; without an
  // open document it does nothing.
  void PrintIt(double ScaleF, bool BlkWhite);
  void CopyToOpenPrinter(int& x, int& y, double ScaleF, bool BlkWhite);

  // --- Events around the composition: before and after the data area is drawn (its canvas,
  // Top = MarginTop, Left = MarginLeft), and after the axes (the chart bitmap, 0, 0).
  TRenderEvent OnBeforeRenderData;
  TRenderEvent OnDataRendered;
  TRenderEvent OnScalesRendered;
  // Passed on from the four axes.
  TScaleTickDrawnEvent OnScaleTickDrawn;
  TBeforeTickLabelEvent OnBeforeTickLabel;

 protected:
  // The whole composition onto the control's canvas: chart bitmap, data bitmap at the
  // top-left margin, crosshairs. Skipped while invisible (unless designing), loading or
  // suppressed.
  void Paint() override;
  // Painting happens: visible (or designing), not loading, not suppressed.
  bool CanPaint() const;
  // The window exists: painting is allowed from now on (no repaint of its own).
  void CreateWnd() override;
  // After streaming: the axes take their properties (which from now on check the logarithmic
  // switch), the transformation follows, the chart repaints.
  void Loaded() override;

  // Background, drop shadow, chart-face outline, caption and the four axes onto a canvas the
  // size of the control (the bitmap behind it, when there is one, is sized first).
  void ConstructChartBmp(TCanvas& Canvas);
  // The data-area background at (Left, Top): ChartColor, the background image (unscaled,
  // stretched, tiled) or the coloured background area. An image that cannot be read is dropped.
  virtual void InitGraf(TCanvas& Canvas, int Left, int Top, int Width, int Height);
  virtual void ConstructDataBmp(TBitmap& Bitmap, int XOffset, int YOffset, bool BlkWhite,
                                int FirstItem);
  // Grid, data items and annotations in their order, text labels and the data-area frame, with
  // the data area's origin at (XOffset, YOffset); items from FirstItem on (grid only from 0).
  virtual void ConstructDataBmpCanvas(TCanvas& Canvas, int XOffset, int YOffset, bool BlkWhite,
                                      int FirstItem);
  // Before drawing items from FirstItem > 0 over an earlier picture: puts the pen where the
  // polyline ended and returns the item to draw from (0 when FirstItem <= 0).
  int PrimePolyline(TCanvas& Canvas, int XOffset, int YOffset, bool BlkWhite, int FirstItem);
  // Copies Bitmap to Canvas at (x, y) with the crosshairs drawn over it (on a copy, so the
  // bitmap stays free of them); x, y is also the bitmap's place in the control.
  void DrawFinish(int x, int y, TCanvas& Canvas, const TBitmap& Bitmap);
  // Draws the crosshairs onto any canvas holding the control's picture shifted by (-dx, -dy).
  void DrawCrossHairsOnCanvas(int dx, int dy, TCanvas& Canvas);
  // The crosshairs again over the last composed picture: copies the data bitmap into the chart
  // bitmap and finishes onto the control's canvas.
  void RefreshCrossHairOverlay();
  void DoOnScaleTickDrawn(TObject* Sender, TCanvas& Canvas, TScaleType ScaleType,
                          double CurrentTickPos, int ChartX, int ChartY);
  void DoOnBeforeTickLabel(TObject* Sender, TScaleType ScaleType, double CurrentTickPos,
                           std::string& TickLabel);

  // --- Seam for data sharing.
  // Calls StyleChanged of the charts linked to this one by data sharing; ShowGraf calls it.
  virtual void RefreshSharingCharts();

  // Builds the whole picture (chart and data bitmap; items in black for BlkWhite, the colours
  // are the caller's business), leaving the data area's picture in data.
  void ComposePicture(TBitmap& chart, TBitmap& data, bool BlkWhite);
  void SetCrossHair(int n, const TCrossHair& v);
  void FillTextLabel(TTextLabel& L, double PosX, double PosY, TColor TxtColor,
                     const std::string& Txt, int PropertyTemplate);
  void ResetCrossHairsAndLabels();
  // The legend for a data area given in the canvas's pixels (Right and Bottom exclusive).
  void DrawLegend(TCanvas& Canvas, const TRect& Area, bool BlkWhite);
  void ResetScales();

  // Colours saved by BackupColorsAndMakeBW.
  struct TBackupColors {
    TColor Wind, ChartFrame, Chart, Font, Shadow, ShadowBak, Grid, Area;
    bool ParentFont;
    std::array<TColor, 4> Scale, ScaleFont;                    // X1, Y1, X2, Y2
    std::array<std::array<TColor, 4>, kNumTextLabels> Labels;  // font, box, border, shadow
    std::array<TColor, 4> CrossHairs;
  };

  TColor RcWindCol = clBtnFace;
  TColor FChartFrameCol = clBlack;
  TShadowStyle RcShadowStyle = shsPlain;
  TColor FShadowColor = clGrayText;
  TColor RcShadowBakCol = clBtnFace;
  std::string FChartCaption;
  int FCaptPosX = 0;
  int FCaptPosY = -16;
  TAlignment FCaptAlignment = taRightJustify;
  TCaptionAnchorHoriz FCaptAnchorX = cahChartRight;
  TCaptionAnchorVert FCaptAnchorY = cavChartTop;
  int FCaptTrim = 100;
  TrcLayout FStdLayout = rcl_X1Bottom_Y1Left;
  std::array<std::unique_ptr<TCrossHair>, 4> FCrossHair;
  std::unique_ptr<TChartLegend> FLegend;
  bool FBlackWhite = false;  // BackupColorsAndMakeBW is in force
  TBitmap ChartBmp;          // the control's picture without crosshairs
  TBitmap AuxBmp;            // device queries and the loaded background image
  TBackupColors FBackupColors{};
  TColor FColorMTrace = clWhite;
  bool FMTraceInvert = true;
  bool FMCurFixed = true;
  double FPanGridDx = 1;
  double FPanGridDy = 1;
  double FPanGridOffsX = 0;
  double FPanGridOffsY = 0;

  // ======================================================================================
  // Item rendering, grid, text-label drawing, scale hit test and auto-ranging
  // ======================================================================================

  // The state the item drawing starts from: sizes and clears the duplicate-mark map, sets pen
  // width LineWidth, pen at (XOffset, YOffset) as the polyline start, solid pen, pen, brush and
  // font colour ChartColor, text alignment left/top, and the drawing caches to match.
  void PrepareRenderState(TCanvas& Canvas, int XOffset, int YOffset);
  // The grid behind the items, on the active layer's axes.
  void DrawGrid(TCanvas& Canvas, int XOffset, int YOffset);
  // The text labels, label 30 first so that label 1 ends on top.
  void RenderTextLabels(TCanvas& Canvas, int XOffset, int YOffset);
  // The same with world positions through layer PosLayer (0: each label's own layer), and the
  // top and centre alignments measured by one line (AlignByOneLine) or the whole text.
  void DrawTextLabels(TCanvas& Canvas, int XOffset, int YOffset, int PosLayer, bool AlignByOneLine);
  // Data items from FirstItem on and the annotations, in painting order (AnnoBelowChart,
  // AnnosVisible, AnnoTextOnTop, class and layer visibility), each through
  // OnBeforeRenderChartItem; the polyline is flushed after each container.
  void RenderContainers(TCanvas& Canvas, int XOffset, int YOffset, bool BlkWhite, int FirstItem);
  // Draws one item (PrepareRenderState must have run). LongTexts is the table of the item's
  // container; Index and IsAnnotation are passed on to OnBeforeRenderText.
  void DrawContainerItemOnCanvas(TCanvas& Canvas, const TrcChartItem& Item, int Index,
                                 bool IsAnnotation, const TLongTextArray& LongTexts, bool BlkWhite,
                                 int XOffset, int YOffset);
  void DoOnBeforeRenderChartItem(TObject* Sender, TrcChartItem& ChartItem, int Index,
                                 bool IsAnnotation);
  // Polyline batching: points collect into one polyline call of at most kPolyBatch points.
  void EnterPolyline(int x, int y, TCanvas& Canvas);
  void FinishPolyLine(TCanvas& Canvas);
  // Lines of a text (separated by line feeds) in the canvas font: returns the number of lines.
  int CalcTextExtents(std::string_view Text, TCanvas& Canvas, int& LineHeight, int& TotalHeight,
                      int& MaxWidth);
  // Extent of one layer's data items with margin and minimum range applied (all 0 without
  // items).
  void LLCalcExtents(int Layer, double Margin, double MinRange, double& xmin, double& ymin,
                     double& xmax, double& ymax) const;
  // The two auto-ranging paths (single layer, layer 0) for the chosen axes.
  void AutoRangeAxes(int Layer, double Margin, double MinRange, bool DoX, bool DoY);
  bool ScaleLog(int Layer, bool XAxis) const;
  void LLCalcMinMax(int Layer, double RangeLoX, double RangeLoY, double RangeHiX, double RangeHiY,
                    double& MinX, double& MinY, double& MaxX, double& MaxY) const;

  friend class TItemRenderer;
  static constexpr int kPolyBatch = 200;
  TColor FLastPenCol = clBlack;
  TPenStyle FLastPenStyle = psSolid;
  TColor FLastBrushCol = clWhite;
  TColor FLastFontCol = clBlack;
  int FLastLWidth = 1;
  std::array<TPoint, kPolyBatch> FPPa{};
  int FNumPPa = 0;
  int FLastMoveToX = 0;
  int FLastMoveToY = 0;
  // Occupancy map of the duplicate-mark suppression: cell (x, y) is picture pixel
  // (x - MinDupMarkDist, y - MinDupMarkDist).
  TMarkOccupancy FMarkMap;
  bool FAvoidDupMarks = false;
  bool FMissingGaps = false;
  bool FPenLifted = false;  // a missing value lifted the pen: the next step starts a new line
  int FDupMarksMinD = 1;
  std::array<TRenderLayerMap, 2> FRenderMaps;  // layers 1, 2
  int FPngLevel = TBitmap::kDefaultPngLevel;

  // ======================================================================================
  // Data sharing, item queries and removal, chart files
  // ======================================================================================
 public:
  // Copies another chart's whole state: items, long texts and counters, switches, visibility,
  // colours, margins, caption, text and mouse settings, the mouse, window and mouse-box state,
  // axes and transformation, zoom history, background image, crosshairs, text labels, layer
  // coupling, text font and event handlers. The copy takes part in no data sharing. Then repaints.
  // Other sources: TPersistent's rule.
  void Assign(const TPersistent& Source) override;

  // --- Data sharing. A chart that uses another chart's data (the owner) shows the owner's data
  // container: one item store, count and per-kind counters for the whole group, each chart with
  // its own scales, annotations, long texts and settings. At most kMaxDataUsers charts use one
  // owner; users always attach to the owner itself.
  static constexpr int kMaxDataUsers = 4;
  TCustomRChart* UseDataOf() const { return FUseDataOf; }
  // Joins (Value), changes or leaves (nullptr) a sharing group. Refusals are shown as an
  // information dialog and change nothing: Value is this chart, other charts use this chart's
  // data, or the owner already has four users. A chart that leaves keeps a copy of the items it
  // showed. Repaints (AutoRedraw or designing).
  void SetUseDataOf(TCustomRChart* Value);
  // The charts that use this chart's data, slots 1..DataUsersNum in the order they joined
  // (nullptr for other slots).
  int DataUsersNum() const { return FDataUsersNum; }
  TCustomRChart* DataUsers(int Slot) const;

  // --- Nearest items. Filters: ItemID tkNone matches nothing, tkEverything every kind,
  // tkNotMoveTo every kind but tkMoveTo (for annotations also but tkMoveRelPix); ClassNumber 255
  // every class; VisLayersOnly only items on visible layers. Each returns the index of the best
  // item (the first of equal ones) and its distance in Dist, or -1 and Dist =
  // sqrt(uc_MaxDouble) when nothing matched.
  // Data items by their main point as stored, in world units.
  int FindNearestItemReal(double mx, double my, TrcItem ItemID, std::uint8_t ClassNumber,
                          double& Dist) const;
  int FindNearestItemReal(double mx, double my, TrcItem ItemID, std::uint8_t ClassNumber,
                          bool VisLayersOnly, double& Dist) const;
  // Data items by their main point in pixels of the active layer (the items' own layers and
  // coordinate modes are not consulted).
  int FindNearestItemScreen(double mx, double my, TrcItem ItemID, std::uint8_t ClassNumber,
                            double& Dist) const;
  int FindNearestItemScreen(double mx, double my, TrcItem ItemID, std::uint8_t ClassNumber,
                            bool VisLayersOnly, double& Dist) const;
  // Data items measured in pixels along one axis of the active layer (0: x, 1: y) from the
  // world position pos. Another Axis returns -1 with dist = uc_MaxDouble; without a match dist
  // is uc_MaxDouble too.
  int FindNearestItemAlongAxis(double pos, int Axis, TrcItem ItemID, std::uint8_t ClassNumber,
                               double& dist) const;
  int FindNearestItemAlongAxis(double pos, int Axis, TrcItem ItemID, std::uint8_t ClassNumber,
                               bool VisLayersOnly, double& dist) const;
  // Annotations by the shape they draw, in pixels of the active layer (ellipses by the
  // focal-distance excess in world units). Text annotations are measured with the data
  // bitmap's current font after OnBeforeRenderText.
  int FindNearestAnnoElem(double mx, double my, TrcItem ItemID, std::uint8_t ClassNumber,
                          bool VisLayersOnly, double& Dist);
  // Both points of an item in control pixels by its coordinate mode, on its layer (screen
  // values are shifted by the top-left margins). An unknown mode leaves the four unchanged.
  void ConvertToScreenCoords(const TrcChartItem& Item, int& x1, int& y1, int& x2, int& y2) const;

  // --- Marking sets the class of data items (no repaint). Class 255 or kind tkNone mark nothing.
  void MarkAllItems(TrcItem ItemID, std::uint8_t ClassNumber);
  // Items whose main point lies in the window, bounds included and given in any order; returns
  // how many were marked.
  int MarkItemsInWindow(double xLo, double YLo, double XHi, double YHi, TrcItem ItemID,
                        std::uint8_t ClassNumber);

  // --- Removal keeps the order of the remaining items, the long-text tables and the per-kind
  // counters in step; removing the only item shrinks the container to one slot. Invalid indices
  // change nothing. No repaint.
  void RemoveItem(int Index);
  void RemoveFirstItem() { RemoveItem(0); }
  void RemoveLastItem();
  void RemoveAnnoItem(int Index);
  // Return the number of items removed; 255 is an ordinary class here.
  int RemoveItemsByClass(std::uint8_t ClassNumber);
  int RemoveItemsByLayer(int Layer);
  // Kind of the first (last) data item, tkNone without items.
  TrcItem TypeOfFirstItem() const { return GetTypeOfFirstItem(); }
  TrcItem TypeOfLastItem() const { return GetTypeOfLastItem(); }
  TrcItem GetTypeOfFirstItem() const;
  TrcItem GetTypeOfLastItem() const;

  // --- Chart files: a header record, the item records and the long-text lines (chartfile.h).
  // The save operations replace the file only once it is completely written; they raise
  // EPlatformError when it cannot be written.
  void SaveData(const std::string& FName);
  void SaveAnno(const std::string& FName);
  // Read a file into the container (after the items present when AppendIt). Return the number
  // of items read, -2 for a file of another kind or with impossible contents, -1 when the file
  // cannot be opened or is shorter than its header says. A refused file changes nothing.
  int LoadData(const std::string& FName, bool AppendIt);
  int LoadAnno(const std::string& FName, bool AppendIt);
  // A text listing of the data items (ItemDescription with all parts); errors are ignored.
  void SaveDataASC(const std::string& FName);
  // Copies the source's annotations, all of them for an empty filter, else those of the listed
  // classes, with their long texts. Repaints.
  void CopyAnnoFrom(const TCustomRChart& SrcChart, std::span<const std::uint8_t> ClassFilter,
                    bool AppendIt);
  void CopyAnnoFrom(const TCustomRChart& SrcChart, std::initializer_list<std::uint8_t> ClassFilter,
                    bool AppendIt) {
    CopyAnnoFrom(SrcChart, std::span<const std::uint8_t>(ClassFilter.begin(), ClassFilter.size()),
                 AppendIt);
  }

 protected:
  friend class TQueryPointMap;
  // Another chart takes this chart's state (Assign); other targets: TPersistent's rule.
  void AssignTo(TPersistent& Dest) const override;
  // Takes the shared part of the data state (container, count, last shown item, counters).
  void TakeSharedDataState(const TCustomRChart& From);
  // Leaves the sharing group: a user leaves its owner's list, an owner releases its users, each
  // of which keeps the items (the first the container itself, the others a copy).
  void LeaveSharingGroup();
  // Removes this chart from its owner's list (nothing when it uses no other chart's data).
  void DetachFromOwner();

  TCustomRChart* FUseDataOf = nullptr;
  std::array<TCustomRChart*, kMaxDataUsers> FDataUsers{};
  int FDataUsersNum = 0;

  // ======================================================================================
  // Mouse interaction: pan, zoom, windows, zoom history, scale drags, crosshairs, text label
  // drags and the mouse trace (the state machine is TChartMouse, chart_mouse.h)
  // ======================================================================================
 public:
  // A window or rubber band is being drawn (zsDrawing) or not.
  TZoomState ZoomState() const { return FZoomState; }
  // World coordinates (active layer) of the last mouse position inside the data area.
  double MousePosX() const { return FMousePosX; }
  double MousePosY() const { return FMousePosY; }
  // Returns both layers to the zoom-history entry Index steps back (0: the latest push) and
  // repaints; empty entries leave their layer alone. Indices outside -15..0 do nothing.
  void ZoomHistory(int Index);
  // Asks the user for a rectangle: waits, processing messages, until the user has pressed,
  // dragged (an XOR box follows the pointer inside the data area) and released a button. Gives
  // the corners in world coordinates of the active layer, ordered low to high, and true; false
  // (the variables untouched) when the user starts or ends with the right button, MouseBoxAbort
  // ends the query, or the chart has no window to be answered in.
  bool MouseBox(double& xLo, double& yLo, double& xHi, double& yHi);
  // Ends a pending MouseBox query and a window being drawn.
  void MouseBoxAbort();

  // Crosshair n (1..4; other numbers do nothing): both coordinates, or colour, mode, line type
  // and width at once. Only the crosshairs are drawn again (over the last composed picture).
  void CrossHairSetPos(int chnum, double x, double y);
  void CrossHairSetup(int ch, TColor chColor, TCrossHMode Mode, TPenStyle LineType, int LineWidth);
  // One coordinate of crosshair n; reading another number gives 0.
  double CrossHairPosX(int chnum) const { return GetCHPosX(chnum); }
  double CrossHairPosY(int chnum) const { return GetCHPosY(chnum); }
  void SetCrossHairPosX(int chnum, double v) { SetCHPosX(chnum, v); }
  void SetCrossHairPosY(int chnum, double v) { SetCHPosY(chnum, v); }
  double GetCHPosX(int chnum) const;
  double GetCHPosY(int chnum) const;
  void SetCHPosX(int chnum, double v);
  void SetCHPosY(int chnum, double v);

  // The free-hand trace recorded in mactTrace: up to kMaxMouseTracePoints points in world
  // coordinates of the active layer, 1-based. An index outside 1..NumMTracePoints gives a
  // zeroed point with State $FFFF.
  int NumMTracePoints() const { return FNumMTrace; }
  TColoredPoint MouseTrace(int idx) const { return GetMTracePoint(idx); }
  TColoredPoint GetMTracePoint(int idx) const;
  // Forgets the trace and paints.
  void ClearMouseTrace();
  // Draws the trace onto a bitmap holding the data area shifted by (dx, dy); painting calls it
  // after the items.
  virtual void DrawMouseTrace(int dx, int dy, TBitmap& Bitmap);

  // After every pan or zoom-drag step, a scale drag step that changed a range, and a finished
  // window (rubber band, zoom window, selection).
  TZoomPanEvent OnZoomPan;
  // A finished rubber band / selection rectangle, once per mouse-affected layer in its world
  // coordinates: (x1, y1) where the drag started, (x2, y2) its end (a selection is ordered).
  TSelectRectEvent OnRubberBand;
  TSelectRectEvent OnSelectRect;
  TMouseMoveInChartEvent OnMouseMoveInChart;
  TBeforeCrossHMoveEvent OnBeforeCrossHairMove;
  TCrossHairMoveEvent OnCrossHairMove;
  TTextLabelMoveEvent OnTextLabelMove;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  // Fires OnMouseMoveInChart after the usual handling of every mouse-move message (not again
  // while a handler of it pumps messages).
  void WMMouseMove(TWMMouse& Message) override;
  // The chart wants the arrow and tab keys.
  void WMGetDlgCode(TWMGetDlgCode& Message) override;
  // A pointer shape the chart set goes when the pointer leaves the control.
  void CMMouseLeave(TMessage& Message) override;
  // Fires OnMouseMoveInChart.
  virtual void MouseMoveInChart(bool InChart, TShiftState Shift, double x, double y);
  void DoZoomPanEvent();
  // The interaction fields back to their state of a fresh chart (ResetComp).
  void ResetMouseState();

  friend class TChartMouse;
  TZoomState FZoomState = zsIdle;
  int WindAnchorX = 0, WindAnchorY = 0;        // where the window or band started
  int WindOldCornerX = 0, WindOldCornerY = 0;  // its corner as last drawn (also the mouse box)
  bool LButtonWasDown = false;                 // a left-button drag is in progress
  // Per layer: where the drag started and the ranges then.
  std::array<int, 2> FMAnchorScrX{}, FMAnchorScrY{};
  std::array<double, 2> FMAnchorRcLoX{}, FMAnchorRcLoY{}, FMAnchorRcHiX{}, FMAnchorRcHiY{};
  bool FWasDblClk = false;  // the next MouseDown or MouseUp is swallowed
  int LastMouseX = 0, LastMouseY = 0;
  double FMousePosX = 0, FMousePosY = 0;
  TMouseBoxState MouseBoxState = mbsIdle;
  int MouseBoxX1 = 0, MouseBoxY1 = 0, MouseBoxX2 = 0, MouseBoxY2 = 0;
  bool MouseMoveActive = false;
  int CHNext = 1;                      // crosshair of the current drag
  int TLNext = 1;                      // text label of the current drag
  TCursor FCursorSet = crDefault;      // the screen cursor the chart set last
  std::vector<TColoredPoint> FMTrace;  // kMaxMouseTracePoints slots, FNumMTrace used
};

}  // namespace kiv
