#include "boxplot/boxplot_label.h"

namespace kiv {

TBoxPlotLabel::TBoxPlotLabel() {
  BeginUpdate();
  SetColorBkg(clSilver);
  SetColorBorder(clBlack);
  SetColorShadow(clGray);
  Font().SetColor(clBlack);
  SetShadowDx(3);
  SetShadowDy(2);
  SetTransparent(false);
  SetMode(tlmShadowed);
  SetVisible(true);
  EndUpdate();
}

void TBoxPlotLabel::SetPosition(int v) {
  if (v == FLabelPos) return;
  FLabelPos = v;
  Changed();
}

void TBoxPlotLabel::Assign(const TPersistent& Source) {
  BeginUpdate();
  TCustomTextLabel::Assign(Source);
  if (const auto* src = dynamic_cast<const TBoxPlotLabel*>(&Source)) {
    if (src->FLabelPos != FLabelPos) {
      FLabelPos = src->FLabelPos;
      Changed();
    }
  }
  EndUpdate();
}

}  // namespace kiv
