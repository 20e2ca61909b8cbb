// Item descriptions: a multi-line text naming a chart item's kind, points, tag, colours, class and
// kind parameters, for text listings of the display list and for showing a picked item.
#pragma once

#include <string>

#include "rchart/chartitem.h"

namespace kiv {

// Parts chosen by Flags, each on its own line (lines separated by CR LF): 1 the kind, 2 the
// points, 8 the tag, 4 colour and pen style, 16 the class; -1 adds the lines of the kind's
// parameters. Without bit 0 the text begins with a line break.
std::string ItemDescription(const TrcChartItem& Item, int Flags);

}  // namespace kiv
