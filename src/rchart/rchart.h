// Chief header of the two-dimensional chart: the chart item record and its containers, and the
// chart control TCustomRChart and its contour plot TContourPlot.
#pragma once

#include "rchart/chartitem.h"
#include "rchart/contourplot.h"
#include "rchart/coordmode.h"
#include "rchart/customrchart.h"
#include "rchart/itemcontainer.h"
