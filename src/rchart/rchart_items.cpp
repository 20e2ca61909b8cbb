// Item creation of TCustomRChart: appending to the container chosen by AnnoMode and the
// pen-plotter-like creating methods with the attributes each kind stores.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "rchart/customrchart.h"
#include "services/rounding.h"

namespace kiv {

TrcChartItem& TCustomRChart::NewItemSlot(TrcItem kind, TCoordMode mode) {
  const bool anno = FAnnoMode;
  TRcItemContainer& c = anno ? *FAnnoContainer : *FDataContainer;
  const int count = anno ? FNumAnnoItems : FNumChartItems;
  int& alloc = anno ? FNumAllocAnno : FNumAllocData;
  if (count >= alloc || count >= c.Size()) {
    // The accounted allocation grows by AllocSize. A shared container may already be larger
    // (another chart grew it) and must never shrink below the items in it.
    const int grown = static_cast<int>(std::min<long long>(
        static_cast<long long>(alloc) + FAllocSize, TRcItemContainer::kMaxSlots));
    const int slots = std::max(grown, count + 1);
    if (c.Size() < slots) c.Resize(slots);
    alloc = grown;
  }
  TrcChartItem& item = c[count];
  item.ItemKind = kind;
  item.Layer = FActiveLayer;
  item.ItemClass = RcClassDefault;
  item.Color = RcDataCol;
  item.PenStyle = RcPenStyle;
  item.Tag = FDataTag;
  item.LWid = RcLineWid;
  item.CoordMode = anno ? mode : cmAllWorld;
  return item;
}

void TCustomRChart::ItemAdded(TrcItem kind) {
  if (FAnnoMode) {
    ++FNumAnnoItems;
    return;
  }
  ++FNumChartItems;
  ++FItemCount[kind];
  AdjustCanInfoOfSharedCharts();
}

// --- Pen moves and polyline steps.

void TCustomRChart::MoveToIntern(double x, double y, TCoordMode mode) {
  TrcChartItem& item = NewItemSlot(tkMoveTo, mode);
  item.x = x;
  item.y = y;
  ItemAdded(tkMoveTo);
}

void TCustomRChart::DrawToIntern(double x, double y, TCoordMode mode) {
  TrcChartItem& item = NewItemSlot(tkLineto, mode);
  item.x = x;
  item.y = y;
  item.FillColor = RcFillCol;
  ItemAdded(tkLineto);
}

void TCustomRChart::MoveToRelPix(double dx, double dy) {
  TrcChartItem& item = NewItemSlot(tkMoveRelPix, cmAllWorld);
  item.x = dx;
  item.y = dy;
  ItemAdded(tkMoveRelPix);
}

void TCustomRChart::DrawToRelPix(double dx, double dy) {
  TrcChartItem& item = NewItemSlot(tkLineRelPix, cmAllWorld);
  item.x = dx;
  item.y = dy;
  item.FillColor = RcFillCol;
  ItemAdded(tkLineRelPix);
}

void TCustomRChart::DrawToRelPix(double x, double y, double dx, double dy) {
  TrcChartItem& item = NewItemSlot(tkLineRelPixOrig, cmAllWorld);
  item.x = x;
  item.y = y;
  item.x2 = dx;
  item.y2 = dy;
  item.FillColor = RcFillCol;
  ItemAdded(tkLineRelPixOrig);
}

// --- Two-point items.

void TCustomRChart::TwoPointIntern(TrcItem kind, double x1, double y1, double x2, double y2,
                                   TCoordMode mode) {
  TrcChartItem& item = NewItemSlot(kind, mode);
  item.x = x1;
  item.y = y1;
  item.x2 = x2;
  item.y2 = y2;
  item.FillColor = RcFillCol;
  if (kind == tkRect) item.Transp = FTranspItems;
  ItemAdded(kind);
}

void TCustomRChart::RectFrameIntern(double x1, double y1, double x2, double y2, TCoordMode mode,
                                    TFrameStyle FrameStyle, TColor ShadowColor,
                                    TColor HiLightColor) {
  TrcChartItem& item = NewItemSlot(tkRectFrame, mode);
  item.x = x1;
  item.y = y1;
  item.x2 = x2;
  item.y2 = y2;
  item.FillColor = RcFillCol;
  item.FrameStyle = FrameStyle;
  item.ShadowColor = ShadowColor;
  item.HiLightColor = HiLightColor;
  item.LWid = 1;
  ItemAdded(tkRectFrame);
}

void TCustomRChart::ArrowIntern(TrcItem kind, double x1, double y1, double x2, double y2,
                                TCoordMode mode, int HeadSize) {
  TrcChartItem& item = NewItemSlot(kind, mode);
  item.x = x1;
  item.y = y1;
  item.x2 = x2;
  item.y2 = y2;
  item.Param1 = HeadSize;
  item.FillColor = RcFillCol;
  item.Transp = FTranspItems;
  ItemAdded(kind);
}

void TCustomRChart::LineOffset(double x1, double y1, double x2, double y2, int dx, int dy) {
  TrcChartItem& item = NewItemSlot(tkLineOffs, cmAllWorld);
  item.x = x1;
  item.y = y1;
  item.x2 = x2;
  item.y2 = y2;
  item.Param1 = dx;
  item.Param2 = dy;
  item.FillColor = RcFillCol;
  ItemAdded(tkLineOffs);
}

void TCustomRChart::RectangleRelPix(double centx, double centy, int dx, int dy) {
  TrcChartItem& item = NewItemSlot(tkRectRelPix, cmAllWorld);
  item.x = centx;
  item.y = centy;
  item.Param1 = dx;
  item.Param2 = dy;
  item.FillColor = RcFillCol;
  item.Transp = FTranspItems;
  ItemAdded(tkRectRelPix);
}

// --- Marks.

void TCustomRChart::MarkAtIntern(double x, double y, TCoordMode mode, std::uint8_t mk) {
  TrcChartItem& item = NewItemSlot(tkMarkAt, mode);
  item.x = x;
  item.y = y;
  item.Param3 = mk;
  ItemAdded(tkMarkAt);
}

void TCustomRChart::MarkErrorBar(double x, double y, double dlower, double dupper, TOrientation Dir,
                                 std::uint8_t mk) {
  TrcChartItem& item = NewItemSlot(tkMarkEBar, cmAllWorld);
  item.x = x;
  item.y = y;
  item.x2 = dlower;
  item.y2 = dupper;
  item.Param1 = Dir;
  item.Param3 = mk;
  ItemAdded(tkMarkEBar);
}

// --- Texts.

void TCustomRChart::TextIntern(double x, double y, TCoordMode mode, int size, std::string_view txt,
                               double dx, double dy, TAlignment Alignment) {
  const TrcItem kind = (dx != 0 || dy != 0) ? tkTextOfs : tkText;
  TrcChartItem& item = NewItemSlot(kind, mode);
  item.x = x;
  item.y = y;
  item.x2 = dx;
  item.y2 = dy;
  item.Param1 = size;
  item.Param2 = FTextBkStyle;
  item.Param3 = Alignment;
  item.FillColor = RcFillCol;
  // LWid of a text is its long-text number; a reused slot must not lend it an old one.
  item.LWid = 0;
  if (FAnnoMode) {
    StoreTextWithTable(item, txt, FLongTextsAnno, FNumLongTextsAnno);
  } else {
    StoreTextWithTable(item, txt, FLongTextsData, FNumLongTextsData);
  }
  ItemAdded(kind);
}

void TCustomRChart::Text(double x, double y, int size, std::string_view txt, double dx, double dy,
                         TAlignment Alignment) {
  TextIntern(x, y, cmAllWorld, size, txt, dx, dy, Alignment);
}

// --- Bars, ellipses, arcs, cursors.

void TCustomRChart::Bar3D(double llx, double lly, double urx, double ury, int Depth, int Angle) {
  TrcChartItem& item = NewItemSlot(tk3DBar, cmAllWorld);
  item.x = llx;
  item.y = lly;
  item.x2 = urx;
  item.y2 = ury;
  item.Param1 = std::clamp(Angle, 0, 180);
  item.Param2 = Depth;
  item.FillColor = RcFillCol;
  ItemAdded(tk3DBar);
}

void TCustomRChart::Ellipse(double cx, double cy, double HorizAxLeng, double VertAxLeng) {
  TrcChartItem& item = NewItemSlot(tkEllipse, cmAllWorld);
  item.x = cx;
  item.y = cy;
  item.x2 = HorizAxLeng;
  item.y2 = VertAxLeng;
  item.FillColor = RcFillCol;
  item.Transp = FTranspItems;
  ItemAdded(tkEllipse);
}

namespace {

// An arc angle as stored: clamped to -pi..pi (NaN as pi), times 10^8, halves to even.
std::int32_t StoredArcAngle(double a) {
  constexpr double pi = std::numbers::pi;
  if (std::isnan(a) || a > pi) a = pi;
  if (a < -pi) a = -pi;
  return RoundToInt(a * 1e8);
}

}  // namespace

void TCustomRChart::Arc(double cx, double cy, double HorizAxLeng, double VertAxLeng, double Angle1,
                        double Angle2) {
  TrcChartItem& item = NewItemSlot(tkArc, cmAllWorld);
  item.x = cx;
  item.y = cy;
  item.x2 = HorizAxLeng;
  item.y2 = VertAxLeng;
  item.Param1 = StoredArcAngle(Angle1);
  item.Param2 = StoredArcAngle(Angle2);
  item.FillColor = RcFillCol;
  item.Transp = FTranspItems;
  ItemAdded(tkArc);
}

void TCustomRChart::CursorIntern(TrcItem kind, double x, double y, TCoordMode mode) {
  TrcChartItem& item = NewItemSlot(kind, mode);
  item.x = x;
  item.y = y;
  item.FillColor = RcFillCol;
  ItemAdded(kind);
}

}  // namespace kiv
