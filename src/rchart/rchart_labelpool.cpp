// The chart's pool of 30 text labels: filling a free or a given label from a template, hiding
// and freeing them all.
#include "rchart/customrchart.h"
#include "rchart/paintscope.h"

namespace kiv {

void TCustomRChart::FillTextLabel(TTextLabel& L, double PosX, double PosY, TColor TxtColor,
                                  const std::string& Txt, int PropertyTemplate) {
  const TTextLabel* T = PropertyTemplate >= 1 && PropertyTemplate <= kNumTextLabels
                            ? FTextLabels[static_cast<std::size_t>(PropertyTemplate - 1)].get()
                            : nullptr;
  // The template may be L itself: read what it gives before anything of L changes.
  const TTxtLblAttachMode attach = T ? T->AttachToData() : taXY;
  const TAlignment alignment = T ? T->Alignment() : taCenter;
  const int shadowDx = T ? T->ShadowDx() : 0;
  const int shadowDy = T ? T->ShadowDy() : 0;
  const TColor shadow = T ? T->ColorShadow() : clGray;
  const TColor bkg = T ? T->ColorBkg() : RcChartCol;
  const TColor border = T ? T->ColorBorder() : FChartFrameCol;
  const bool transparent = T ? T->Transparent() : false;
  const TTxtLblMode mode = T && T->Mode() != tlmNone ? T->Mode() : tlmPlain;

  // One change notification (one repaint) for the whole filling.
  L.BeginUpdate();
  L.SetPosX(PosX);
  L.SetPosY(PosY);
  L.SetLayer(FActiveLayer);
  L.SetAttachToData(attach);
  L.SetAlignment(alignment);
  L.SetShadowDx(shadowDx);
  L.SetShadowDy(shadowDy);
  L.SetColorShadow(shadow);
  L.SetColorBkg(bkg);
  L.SetColorBorder(border);
  L.SetTransparent(transparent);
  L.SetCaption(Txt);
  L.Font().SetColor(TxtColor);
  L.SetMode(mode);
  L.SetVisible(true);
  L.EndUpdate();
}

int TCustomRChart::AddTextLabel(double PosX, double PosY, TColor TxtColor, const std::string& Txt,
                                int PropertyTemplate) {
  for (std::size_t i = 0; i < FTextLabels.size(); ++i) {
    if (FTextLabels[i]->Mode() != tlmNone) continue;
    FillTextLabel(*FTextLabels[i], PosX, PosY, TxtColor, Txt, PropertyTemplate);
    return static_cast<int>(i) + 1;
  }
  return 0;
}

void TCustomRChart::SetTextLabel(int Idx, double PosX, double PosY, TColor TxtColor,
                                 const std::string& Txt, int PropertyTemplate) {
  if (Idx < 1 || Idx > kNumTextLabels) return;
  FillTextLabel(*FTextLabels[static_cast<std::size_t>(Idx - 1)], PosX, PosY, TxtColor, Txt,
                PropertyTemplate);
}

void TCustomRChart::HideAllTextLabels() {
  TPaintSuppressor suppress(*this);
  for (auto& label : FTextLabels) label->SetVisible(false);
}

void TCustomRChart::ClearAllTextLabels() {
  TPaintSuppressor suppress(*this);
  for (auto& label : FTextLabels) label->SetMode(tlmNone);
}

}  // namespace kiv
