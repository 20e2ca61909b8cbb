// Drawing of the scale gauge's picture parts: the five backgrounds of its window and the seven
// index modes, as pure functions of the geometry so that they can be checked pixel by pixel.
#pragma once

#include <cstdint>

#include "platform/canvas.h"
#include "platform/color.h"

namespace kiv {

enum TGaugeOrientation : std::uint8_t { goHorizontal, goVertical };

enum TGaugeIndexMode : std::uint8_t {
  gimThread,              // a line across the whole gauge
  gimTriangle,            // a small triangle pointing at the base line from its free side
  gimThreadTriangle,      // thread and triangle
  gimThreadTwoTriangles,  // thread and a triangle at either end
  gimBand,                // a graded band from the window's low end up to the value
  gimDualColorBand,       // a band between the zero reference and the value
  gimBar                  // a short three-pixel bar
};

enum TGaugeBackground : std::uint8_t {
  gbPlain,         // one colour
  gbVertGrad,      // vertical lines graded from left to right
  gbHorizGrad,     // horizontal lines graded from top to bottom
  gbVertMidBand,   // vertical lines graded from both sides to the middle
  gbHorizMidBand,  // horizontal lines graded from top and bottom to the middle
};

// The gauge's layout in pixels: the control's size and the four cover margins around the
// window. The scale's base line lies 11 pixels inside the window's bottom edge (horizontal
// gauges) or right edge (vertical gauges); the index lives in those pixels.
struct TGaugeGeometry {
  int Width = 0;
  int Height = 0;
  int Left = 0;
  int Right = 0;
  int Top = 0;
  int Bottom = 0;
  TGaugeOrientation Orientation = goHorizontal;

  bool Vertical() const { return Orientation == goVertical; }
  // The first row (column) below (right of) the scale's base line: H - MB, resp. W - MR, with
  // the scale's margin 10 pixels wider than the cover margin.
  int IndexBase() const { return Vertical() ? Width - Right - 10 : Height - Bottom - 10; }
};

// Fills the window with the background; c1 and c2 are the two gradient colours (c1 alone for
// gbPlain, which covers the whole bitmap). The gradients draw full-height (full-width) lines
// over the window's columns (rows) and nothing when the window has no room.
void DrawGaugeBackground(TCanvas& Canvas, TGaugeBackground Background, TColor c1, TColor c2,
                         const TGaugeGeometry& g);

// What the index shows: its position along the scale (a column of horizontal gauges, a row of
// vertical ones), the pixels of the value and of the zero reference for the dual-colour band,
// and whether the reference lies above the value.
struct TGaugeIndex {
  TGaugeIndexMode Mode = gimTriangle;
  int Pos = 0;
  int ValuePixel = 0;
  int ZeroPixel = 0;
  bool ZeroAboveValue = false;
  TColor Color1 = clBlack;
  TColor Color2 = clRed;
};

// Draws the index with a one-pixel solid pen. Positions far outside the bitmap draw what they
// would draw there (nothing), without walking the pixels in between.
void DrawGaugeIndex(TCanvas& Canvas, const TGaugeIndex& Index, const TGaugeGeometry& g);

}  // namespace kiv
