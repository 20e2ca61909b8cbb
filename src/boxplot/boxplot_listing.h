// The text report of a box plot's statistics that SaveDataASC appends to the table's export.
#pragma once

#include <span>
#include <string>

#include "services/datatable.h"
#include "services/summary.h"

namespace kiv {

// An empty line, the title line, an empty line, a line of the column names (each abbreviated to
// 12 characters and centred in 12, followed by a blank, after 6 blanks), then one line per
// statistic: a 6-character label and, per column, the value in 12 characters (strff, automatic
// precision) and a blank. Stats[i] belongs to column i + 1; lines end in "\n".
std::string BoxParametersText(const TDataTable& Data, std::span<const TBoxStatistics> Stats);

}  // namespace kiv
