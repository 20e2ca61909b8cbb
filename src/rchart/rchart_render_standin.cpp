// TEMPORARY: empty stand-ins for the item rendering methods until that work is merged.
#include "rchart/customrchart.h"

namespace kiv {

void TCustomRChart::PrepareRenderState(TCanvas&, int, int) {}
void TCustomRChart::DrawContainerItemOnCanvas(TCanvas&, TrcChartItem, int, bool,
                                              const TLongTextArray&, bool, int, int) {}
void TCustomRChart::FinishPolyLine(TCanvas&) {}
void TCustomRChart::DoOnBeforeRenderChartItem(TObject*, TrcChartItem&, int, bool) {}
void TCustomRChart::DrawGrid(TCanvas&, int, int) {}
void TCustomRChart::RenderTextLabels(TCanvas&, int, int) {}

}  // namespace kiv
