// Chief header of the two-dimensional chart: the chart item record and its containers, and the
// chart controls TCustomRChart and TRChart, item descriptions, the Smith chart TSmithChart and
// the contour plot TContourPlot.
#pragma once

#include "rchart/chartitem.h"
#include "rchart/contourplot.h"
#include "rchart/coordmode.h"
#include "rchart/customrchart.h"
#include "rchart/itemcontainer.h"
#include "rchart/itemdescription.h"
#include "rchart/smithchart.h"
#include "rchart/trchart.h"
