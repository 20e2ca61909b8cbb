// TrcChartItem, the fixed 104-byte record of one drawing item of the two-dimensional chart, with
// its kinds, coordinate modes, the fresh-item defaults and the 8-bit text field's conversion.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/color.h"
#include "platform/graphics.h"
#include "services/types.h"

namespace kiv {

// Kind of a stored chart item. The ordinals are part of the record and of the chart files.
enum TrcItem : std::uint8_t {
  tkNone = 0,             // empty item; what reading an invalid index gives
  tkMarkAt = 1,           // a mark symbol at a point
  tkLine = 2,             // a line between two points
  tkLineto = 3,           // a polyline step from the current pen position to a point
  tkRect = 4,             // a rectangle between two corners
  tkRectFrame = 5,        // a rectangle with a three-dimensional frame
  tk3DBar = 6,            // a three-dimensional bar
  tkText = 7,             // a text at a point
  tkMoveTo = 8,           // a move of the pen to a point
  tkEllipse = 9,          // an ellipse given by centre and half axes
  tkEverything = 10,      // query selector: any kind; never stored
  tkNotMoveTo = 11,       // query selector: any kind but a move; never stored
  tkMoveRelPix = 12,      // a pen move by a pixel offset
  tkLineRelPix = 13,      // a polyline step by a pixel offset
  tkArrow = 14,           // an arrow with a head at its end point
  tkDoubleArrow = 15,     // an arrow with heads at both ends
  tkTextOfs = 16,         // a text at a point, shifted by a pixel offset
  tkRectRelPix = 17,      // a rectangle of given pixel half-size centred at a point
  tkMarkEBar = 18,        // a mark with error bars
  tkLineOffs = 19,        // a line between two points, shifted by a pixel offset
  tkArc = 20,             // an elliptic arc
  tkLineRelPixOrig = 21,  // a line from a point to a pixel offset from it
  tkCursorVert = 22,      // a vertical line across the whole data area
  tkCursorHoriz = 23      // a horizontal line across the whole data area
};
inline constexpr int kNumItemKinds = 24;

// How the main point (x, y) and the secondary point (x2, y2) of an item are read: world values
// of the item's layer, or pixels counted from the top-left corner of the data area.
enum TCoordMode : std::uint8_t {
  cmAllWorld = 0,            // both points world
  cmAllScreen = 1,           // both points screen
  cmWorldMainScreenSec = 2,  // main point world, secondary point screen
  cmScreenMainWorldSec = 3,  // main point screen, secondary point world
  cmXScreenYWorld = 4,       // in both points: x screen, y world
  cmXWorldYScreen = 5        // in both points: x world, y screen
};

// Background of text items.
enum TTextBkg : std::uint8_t { tbClear = 0, tbSolid = 1 };

// The 8-bit text field: a length byte and up to 15 single-byte (Latin-1) characters.
struct TItemText {
  static constexpr int kMaxChars = 15;
  std::uint8_t Length = 0;  // a stored value above 15 is read as 15
  char Chars[kMaxChars] = {};
};

// One drawing item, stored as is in the item containers and, record by record, in chart files
// (little-endian). Padding is explicit; writers zero it and readers ignore it.
//
// x, y     main point; for tkMoveRelPix and tkLineRelPix the pixel offset dx, dy.
// x2, y2   secondary point: end point, second corner, half axes (tkEllipse, tkArc), lower and
//          upper error (tkMarkEBar), text offset in pixels (tkTextOfs), pixel offset
//          (tkLineRelPixOrig).
// LWid     pen width in pixels; for tkText and tkTextOfs instead the long-text number (0 = none,
//          else the 1-based entry of the container's long-text table).
// Transp   fill omitted (tkRect, tkRectRelPix, tkEllipse), open heads (tkArrow, tkDoubleArrow).
//          A byte rather than bool, so that any byte read from a file is a valid value.
//
// Kind parameters:
//   kind                    Param1                      Param2                Param3
//   tkMarkAt                -                           -                     mark type 0..255
//   tkMarkEBar              direction (TOrientation:    -                     mark type
//                           0 errors along y, else x)
//   tk3DBar                 angle in degrees 0..180     depth in pixels       -
//   tkText, tkTextOfs       font size in points         TTextBkg              TAlignment
//   tkArrow, tkDoubleArrow  head size in pixels (0 none) -                    -
//   tkRectRelPix            half width in pixels        half height           -
//   tkLineOffs              pixel offset dx             pixel offset dy       -
//   tkArc                   start angle x 10^8 (rad)    end angle x 10^8      -
struct TrcChartItem {
  double x = 0;
  double y = 0;
  double x2 = 0;
  double y2 = 0;
  TColor Color = 0;         // pen colour; text colour of texts
  TColor FillColor = 0;     // brush colour; text background of texts
  TColor ShadowColor = 0;   // tkRectFrame
  TColor HiLightColor = 0;  // tkRectFrame
  TPenStyle PenStyle = psSolid;
  std::uint8_t Pad49[3] = {};
  std::int32_t Tag = 0;  // user tag, copied from the chart's DataTag
  std::int32_t LWid = 0;
  std::uint8_t ItemClass = 0;  // 0..254; 255 is the class wildcard of the filters
  TrcItem ItemKind = tkNone;
  std::uint8_t Pad62[2] = {};
  std::int32_t Layer = 0;  // 1 or 2
  std::uint8_t Transp = 0;
  TFrameStyle FrameStyle = rbNone;  // tkRectFrame
  TItemText Text;                   // tkText, tkTextOfs; longer texts keep their first 15 here
  std::uint8_t Pad86[2] = {};
  std::int32_t Param1 = 0;
  std::int32_t Param2 = 0;
  std::int32_t Param3 = 0;
  TCoordMode CoordMode = cmAllWorld;
  std::uint8_t Pad101[3] = {};
};

static_assert(sizeof(bool) == 1 && sizeof(TColor) == 4 && sizeof(TPenStyle) == 1);
static_assert(sizeof(TFrameStyle) == 1 && sizeof(TItemText) == 16);
static_assert(std::is_standard_layout_v<TrcChartItem>);
static_assert(std::is_trivially_copyable_v<TrcChartItem>);
static_assert(sizeof(TrcChartItem) == 104);
static_assert(offsetof(TrcChartItem, x) == 0);
static_assert(offsetof(TrcChartItem, y) == 8);
static_assert(offsetof(TrcChartItem, x2) == 16);
static_assert(offsetof(TrcChartItem, y2) == 24);
static_assert(offsetof(TrcChartItem, Color) == 32);
static_assert(offsetof(TrcChartItem, FillColor) == 36);
static_assert(offsetof(TrcChartItem, ShadowColor) == 40);
static_assert(offsetof(TrcChartItem, HiLightColor) == 44);
static_assert(offsetof(TrcChartItem, PenStyle) == 48);
static_assert(offsetof(TrcChartItem, Pad49) == 49);
static_assert(offsetof(TrcChartItem, Tag) == 52);
static_assert(offsetof(TrcChartItem, LWid) == 56);
static_assert(offsetof(TrcChartItem, ItemClass) == 60);
static_assert(offsetof(TrcChartItem, ItemKind) == 61);
static_assert(offsetof(TrcChartItem, Pad62) == 62);
static_assert(offsetof(TrcChartItem, Layer) == 64);
static_assert(offsetof(TrcChartItem, Transp) == 68);
static_assert(offsetof(TrcChartItem, FrameStyle) == 69);
static_assert(offsetof(TrcChartItem, Text) == 70);
static_assert(offsetof(TrcChartItem, Pad86) == 86);
static_assert(offsetof(TrcChartItem, Param1) == 88);
static_assert(offsetof(TrcChartItem, Param2) == 92);
static_assert(offsetof(TrcChartItem, Param3) == 96);
static_assert(offsetof(TrcChartItem, CoordMode) == 100);
static_assert(offsetof(TrcChartItem, Pad101) == 101);

// Fills a record with the values of a fresh item: coordinates 0, Color black, FillColor and
// HiLightColor white, ShadowColor grey, solid pen, Tag, LWid and class 0, kind tkNone, layer 1,
// not transparent, frame style 0, empty text, parameters 0, cmAllWorld; padding zero.
void ClearChartItem(TrcChartItem& item);

// Whether a kind carries a text (and with it a long-text number in LWid).
constexpr bool IsTextKind(TrcItem kind) {
  return kind == tkText || kind == tkTextOfs;
}

// Whether an item's secondary point (x2, y2) is a point in the coordinates of its main point, so
// that an affine change of the coordinates applies to it too. For the other kinds x2 and y2 are
// pixel offsets, error values or unused.
constexpr bool HasSecondaryPoint(TrcItem kind) {
  switch (kind) {
    case tkLine:
    case tkRect:
    case tkRectFrame:
    case tk3DBar:
    case tkEllipse:
    case tkArrow:
    case tkDoubleArrow:
    case tkLineOffs:
    case tkArc:
      return true;
    default:
      return false;
  }
}

// --- The 8-bit text field. Texts are UTF-8 everywhere else; the field holds a single-byte
// conversion: code points up to U+00FF as that byte (Latin-1), others and invalid UTF-8 bytes
// as '?'. Characters are code points.

// Number of characters of a UTF-8 text (an invalid byte counts as one character).
int Utf8CharCount(std::string_view utf8);

// Stores the first 15 characters of a UTF-8 text in the field. Returns true when the field now
// holds the whole text exactly, i.e. reading it back gives the text given.
bool StoreItemText(TItemText& field, std::string_view utf8);

// The field's text converted back to UTF-8.
std::string ItemTextToUtf8(const TItemText& field);

}  // namespace kiv
