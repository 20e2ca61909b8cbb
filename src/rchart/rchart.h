// Chief header of the two-dimensional chart: the chart item record and its containers, and the
// chart controls TCustomRChart and TRChart, item descriptions.
#pragma once

#include "rchart/chartitem.h"
#include "rchart/coordmode.h"
#include "rchart/customrchart.h"
#include "rchart/itemcontainer.h"
#include "rchart/itemdescription.h"
#include "rchart/trchart.h"
