#include "services/textlabel.h"

namespace kiv {

TCustomTextLabel::TCustomTextLabel() {
  font_.OnChange = [this](TObject*) { Changed(); };
}

void TCustomTextLabel::SetCaption(const std::string& v) {
  Store(caption_, v);
}

void TCustomTextLabel::SetFont(const TFont& v) {
  // The font reports its own change when it differs; the update bracket folds that into the
  // single notification of this setter.
  BeginUpdate();
  font_.Assign(v);
  Changed();
  EndUpdate();
}

void TCustomTextLabel::SetPosX(double v) {
  Store(pos_x_, v);
}

void TCustomTextLabel::SetPosY(double v) {
  Store(pos_y_, v);
}

void TCustomTextLabel::SetAttachToData(TTxtLblAttachMode v) {
  if (v > taXY) return;
  Store(attach_, v);
}

void TCustomTextLabel::SetLayer(int v) {
  Store(layer_, v);
}

void TCustomTextLabel::SetMode(TTxtLblMode v) {
  if (v > tlmShadowed) return;
  Store(mode_, v);
}

void TCustomTextLabel::SetAlignment(TAlignment v) {
  if (v > taCenter) return;
  Store(alignment_, v);
}

void TCustomTextLabel::SetVerticalAlignment(TVerticalAlignment v) {
  if (v > vaBottom) return;
  Store(valign_, v);
}

void TCustomTextLabel::SetColorBkg(TColor v) {
  Store(color_bkg_, v);
}

void TCustomTextLabel::SetColorBorder(TColor v) {
  Store(color_border_, v);
}

void TCustomTextLabel::SetColorShadow(TColor v) {
  Store(color_shadow_, v);
}

void TCustomTextLabel::SetShadowDx(int v) {
  Store(shadow_dx_, v);
}

void TCustomTextLabel::SetShadowDy(int v) {
  Store(shadow_dy_, v);
}

void TCustomTextLabel::SetTransparent(bool v) {
  Store(transparent_, v);
}

void TCustomTextLabel::SetVisible(bool v) {
  Store(visible_, v);
}

void TCustomTextLabel::Assign(const TPersistent& Source) {
  const auto* src = dynamic_cast<const TCustomTextLabel*>(&Source);
  if (!src) {
    TNotifyingPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  BeginUpdate();
  caption_ = src->caption_;
  font_.Assign(src->font_);
  pos_x_ = src->pos_x_;
  pos_y_ = src->pos_y_;
  attach_ = src->attach_;
  layer_ = src->layer_;
  mode_ = src->mode_;
  alignment_ = src->alignment_;
  valign_ = src->valign_;
  color_bkg_ = src->color_bkg_;
  color_border_ = src->color_border_;
  color_shadow_ = src->color_shadow_;
  shadow_dx_ = src->shadow_dx_;
  shadow_dy_ = src->shadow_dy_;
  transparent_ = src->transparent_;
  visible_ = src->visible_;
  Changed();
  EndUpdate();
}

void TCustomTextLabel::AssignTo(TPersistent& Dest) const {
  if (auto* dst = dynamic_cast<TCustomTextLabel*>(&Dest)) {
    dst->Assign(*this);
    return;
  }
  TNotifyingPersistent::AssignTo(Dest);
}

}  // namespace kiv
