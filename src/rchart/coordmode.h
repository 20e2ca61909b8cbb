// How the argument types of the chart's drawing methods select an item's coordinate mode: an
// integer argument is a screen pixel, a floating-point argument a world value.
#pragma once

#include <concepts>

#include "rchart/chartitem.h"

namespace kiv {

// A pixel counted from the top-left corner of the data area: any integer type but bool.
template <typename T>
concept ScreenCoord = std::integral<T> && !std::same_as<T, bool>;
// A value in the units of a layer's axes: any floating-point type.
template <typename T>
concept WorldCoord = std::floating_point<T>;
template <typename T>
concept ChartCoord = ScreenCoord<T> || WorldCoord<T>;

// Both values of a point of the same sort.
template <typename X, typename Y>
concept UniformPoint = (ScreenCoord<X> && ScreenCoord<Y>) || (WorldCoord<X> && WorldCoord<Y>);

// One point (MoveTo, DrawTo, Text): all four combinations exist.
template <ChartCoord X, ChartCoord Y>
constexpr TCoordMode PointMode() {
  if constexpr (WorldCoord<X> && WorldCoord<Y>) return cmAllWorld;
  if constexpr (ScreenCoord<X> && ScreenCoord<Y>) return cmAllScreen;
  if constexpr (ScreenCoord<X>) return cmXScreenYWorld;
  return cmXWorldYScreen;
}

// Two points, each uniform (Line, Rectangle, RectFrame): the sort of the main point and of the
// secondary point.
template <typename X1, typename Y1, typename X2, typename Y2>
concept TwoPointCoords = UniformPoint<X1, Y1> && UniformPoint<X2, Y2>;

template <typename X1, typename Y1, typename X2, typename Y2>
requires TwoPointCoords<X1, Y1, X2, Y2>
constexpr TCoordMode TwoPointMode() {
  if constexpr (WorldCoord<X1> && WorldCoord<X2>) return cmAllWorld;
  if constexpr (ScreenCoord<X1> && ScreenCoord<X2>) return cmAllScreen;
  if constexpr (WorldCoord<X1>) return cmWorldMainScreenSec;
  return cmScreenMainWorldSec;
}

// Arrows also take the x values of both points as one sort and the y values as the other.
template <typename X1, typename Y1, typename X2, typename Y2>
concept ArrowCoords = TwoPointCoords<X1, Y1, X2, Y2> ||
                      (ScreenCoord<X1>&& WorldCoord<Y1>&& ScreenCoord<X2>&& WorldCoord<Y2>) ||
                      (WorldCoord<X1> && ScreenCoord<Y1> && WorldCoord<X2> && ScreenCoord<Y2>);

template <typename X1, typename Y1, typename X2, typename Y2>
requires ArrowCoords<X1, Y1, X2, Y2>
constexpr TCoordMode ArrowMode() {
  if constexpr (TwoPointCoords<X1, Y1, X2, Y2>) {
    return TwoPointMode<X1, Y1, X2, Y2>();
  } else if constexpr (ScreenCoord<X1>) {
    return cmXScreenYWorld;
  } else {
    return cmXWorldYScreen;
  }
}

// A single value (CursorVert, CursorHoriz) or a uniform point (MarkAt).
template <ChartCoord V>
constexpr TCoordMode ValueMode() {
  return WorldCoord<V> ? cmAllWorld : cmAllScreen;
}

}  // namespace kiv
