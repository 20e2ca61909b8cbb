// The enumerations and event signatures of the surface plot TPlot3D.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/canvas.h"
#include "platform/messages.h"
#include "services/types.h"

namespace kiv::plot3d {

// How a cell's value becomes its colour: a gradient between two or three colours, or an entry
// of the colour table IsoColors.
enum TColorCodingMode : std::uint8_t { ccmTwoColors, ccmThreeColors, ccmColorArray };

// How a cell is drawn: a filled quadrilateral outlined in the mesh colour, filled cells with
// mesh lines along one direction only (x, y or the diagonal), or filled cells with a mesh
// dot at each corner.
enum TMeshKind : std::uint8_t { mkMesh, mkWaterfallHorz, mkWaterfallVert, mkWaterfallDiag, mkGrid };

// The three axes of the surface plot.
enum TP3ScaleKind : std::uint8_t { p3skX, p3skY, p3skZ };

// A mouse drag changed the view; the handler may change the new view before it is used.
using TMouseActionEvent =
    std::function<void(TObject* Sender, int& CenterX, int& CenterY, double& RotXAngle,
                       double& RotZAngle, double& Magnification, TShiftState Shift)>;
// The mouse moved: the grid cell under it (OverPlot false and cells 0 when there is none).
using TMouseMoveOverPlotEvent = std::function<void(
    TObject* Sender, bool OverPlot, TShiftState Shift, int MouseCellX, int MouseCellY)>;
// A cell is about to be drawn: the handler may draw it itself (Handled) or change its colour.
using TBeforeRenderPolygonEvent =
    std::function<void(TObject* Sender, TCanvas& Canvas, bool& Handled, int CellX, int CellY,
                       const TQuad& quad, TColor& color)>;
// A tick label of an axis is about to be written at the tick (ChartX, ChartY).
using Tp3BeforeDrawScaleLabelEvent =
    std::function<void(TObject* Sender, TCanvas& Canvas, TP3ScaleKind ScaleType,
                       std::string& CurrentTickLabel, int ChartX, int ChartY)>;
using TRenderEvent = std::function<void(TObject* Sender, TCanvas& Canvas)>;

}  // namespace kiv::plot3d
