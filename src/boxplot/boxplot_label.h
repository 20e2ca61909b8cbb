// TBoxPlotLabel: the template of a box plot's column labels: the settings of a text label and
// the labels' distance from the edge of the chart.
#pragma once

#include <string>

#include "services/textlabel.h"

namespace kiv {

// Defaults: shown, shadowed (tlmShadowed) with a grey shadow 3 pixels right and 2 below, on a
// silver box framed in black, black text, 8 pixels from the edge.
class TBoxPlotLabel : public TCustomTextLabel {
 public:
  TBoxPlotLabel();
  std::string ClassName() const override { return "TBoxPlotLabel"; }

  // Distance in pixels of the column labels from the chart's bottom edge (vertical box plots)
  // or right edge (horizontal ones); a negative value measures from the top or left edge.
  // Reports a change only when the value changes.
  int Position() const { return FLabelPos; }
  void SetPosition(int v);

  // Copies every setting, with Position from another TBoxPlotLabel, and reports one change.
  void Assign(const TPersistent& Source) override;

 private:
  int FLabelPos = 8;
};

}  // namespace kiv
