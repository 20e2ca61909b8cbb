// Shared value types, enumerations, constants and event types of the base services that every
// component uses.
#pragma once

#include <array>
#include <cfloat>
#include <cstdint>
#include <functional>

#include "platform/classes.h"
#include "platform/color.h"
#include "platform/errors.h"
#include "platform/types.h"

namespace kiv {

// Largest finite values, the start values of minimum searches.
inline constexpr double uc_MaxDouble = DBL_MAX;
inline constexpr double uc_MaxReal = DBL_MAX;
inline constexpr double uc_ln10 = 2.302585092994045684;

struct TPointDouble {
  double x = 0;
  double y = 0;
  friend constexpr bool operator==(const TPointDouble&, const TPointDouble&) = default;
};

// Four doubles; the zoom history stores (x low, y high, x high, y low) as (Left, Top, Right,
// Bottom).
struct TRectDouble {
  double Left = 0;
  double Top = 0;
  double Right = 0;
  double Bottom = 0;
  friend constexpr bool operator==(const TRectDouble&, const TRectDouble&) = default;
};

// Four screen points, e.g. the corners of a surface cell.
using TQuad = std::array<TPoint, 4>;

// A point of a free-hand trace: world position, a 16-bit state word and a colour.
struct TColoredPoint {
  double x = 0;
  double y = 0;
  std::uint16_t State = 0;
  TColor Color = clBlack;
};

// Frame looks drawn by DrawFrame.
enum TFrameStyle : std::uint8_t {
  rbNone,           // nothing
  rbSimple,         // one line in the frame colour
  rbLowered,        // sunken: dark top-left, light bottom-right, two lines deep
  rbRaised,         // raised: light top-left, dark bottom-right, two lines deep
  rbEmbossed,       // a raised ridge
  rbEngraved,       // a sunken groove
  rbDoubleLowered,  // lowered bevel inside a frame line
  rbDoubleRaised    // raised bevel inside a frame line
};
inline constexpr int kFrameStyleCount = 8;

// Orientation and tick side of a scale.
enum TScaleType : std::uint8_t { sctLabelsAbove, sctLabelsBelow, sctLabelsRight, sctLabelsLeft };

// Label mode of a scale.
enum TFigType : std::uint8_t { fgtNone, fgtNumeric, fgtTime, fgtDateTime, fgtUserText };

enum TAxis : std::uint8_t { axX, axY };

// Direction of error bars: errors along y (vertical bars) or along x.
enum TOrientation : std::uint8_t { orVertical, orHorizontal };

// Drop shadow of the chart face: plain (outlined in the shadow colour), framed in black, or
// outlined with the pen left by the shadow background.
enum TShadowStyle : std::uint8_t { shsPlain, shsFramed, shsBackFramed };

enum TVerticalAlignment : std::uint8_t { vaTop, vaCenter, vaBottom };

// How a background image covers the data area.
enum TBkgFill : std::uint8_t { bfUnscaled, bfStretched, bfTiled };

// Frame shading: grey and white (0) or the system shadow and highlight colours.
enum TColorScheme : std::uint8_t { csClassic, csSystem };

// Box around three-dimensional charts: none, outlines only, shaded faces.
enum TBoundingBox : std::uint8_t { bbNone, bbOutline, bbFaced };

enum TCrossHMode : std::uint8_t { chOff, chHoriz, chVert, chBoth, chCrossBox, chBox };

enum TZoomState : std::uint8_t { zsIdle, zsDrawing };

enum TMouseBoxState : std::uint8_t { mbsIdle, mbsWaiting, mbsDragging, mbsDone };

enum TZoomPanMode : std::uint8_t { zpmBoth, zpmXOnly, zpmYOnly };

// What a left-button drag does.
enum TMouseActMode : std::uint8_t {
  mactNone,               // 0
  mactPan,                // 1
  mactPanX,               // 2
  mactPanY,               // 3
  mactPanSnap,            // 4
  mactRubberBand,         // 5
  mactStretch,            // 6
  mactZoomWindow,         // 7
  mactZoomWindowOrdered,  // 8
  mactZoomDrag,           // 9
  mactDragCrosshair,      // 10
  mactDragLabel,          // 11
  mactRotate,             // 12 rotation of the three-dimensional charts
  mactRotateZoom,         // 13
  mactRotateX,            // 14
  mactRotateZ,            // 15
  mactSelectRect,         // 16
  mactTrace,              // 17
  mactScaleDrag           // 18 pans or stretches the range of a colour scale
};

enum TTxtLblMode : std::uint8_t { tlmNone, tlmPlain, tlmFramed, tlmUnderlined, tlmShadowed };

enum TTxtLblAttachMode : std::uint8_t { taNone, taX, taY, taXY };

using TZoomPanEvent = std::function<void(TObject* Sender)>;
using TSelectRectEvent =
    std::function<void(TObject* Sender, int Layer, double x1, double y1, double x2, double y2)>;
using TOnPercentDoneEvent = std::function<void(TObject* Sender, int Percent)>;

}  // namespace kiv
