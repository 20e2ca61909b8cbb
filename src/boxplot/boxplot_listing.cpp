// The box parameters listing and SaveDataASC.
#include "boxplot/boxplot_listing.h"

#include "boxplot/boxplot.h"
#include "platform/atomicfile.h"
#include "services/stringutil.h"

namespace kiv {

std::string BoxParametersText(const TDataTable& Data, std::span<const TBoxStatistics> Stats) {
  std::string text = "\n";
  text += MultiChar('-', 30);
  text += " Box Parameters ";
  text += MultiChar('-', 30);
  text += "\n\n";
  text += MultiChar(' ', 6);
  for (std::size_t i = 0; i < Stats.size(); ++i) {
    const std::string name = Data.GetColName(static_cast<int>(i) + 1);
    text += CenterString(AbbrevString(name, 12), 12);
    text += ' ';
  }
  text += "\n";
  struct Row {
    const char* label;
    double TBoxStatistics::*value;
  };
  static constexpr Row kRows[] = {
      {"Mean: ", &TBoxStatistics::Mean},   {" Min: ", &TBoxStatistics::Min},
      {" P10: ", &TBoxStatistics::P10},    {"  Q1: ", &TBoxStatistics::Q1},
      {"  Q2: ", &TBoxStatistics::Median}, {"  Q3: ", &TBoxStatistics::Q3},
      {" P90: ", &TBoxStatistics::P90},    {" Max: ", &TBoxStatistics::Max}};
  for (const Row& row : kRows) {
    text += row.label;
    for (const TBoxStatistics& s : Stats) {
      text += strff(s.*row.value, 12, -2);
      text += ' ';
    }
    text += "\n";
  }
  return text;
}

void TBoxPlot::SaveDataASC(const std::string& FName) {
  if (FStatsStale) CommitChangedData();
  // One file written whole: the table followed by the box parameters.
  WriteFileAtomically(FName, FData->AscText(-2) + BoxParametersText(*FData, FStats));
}

}  // namespace kiv
