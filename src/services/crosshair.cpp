#include "services/crosshair.h"

namespace kiv {

void TCrossHair::SetColor(TColor v) {
  color_ = v;
  Changed();
}

void TCrossHair::SetLayer(int v) {
  layer_ = v;
  Changed();
}

void TCrossHair::SetLineType(TPenStyle v) {
  if (v > psAlternate) return;
  line_type_ = v;
  Changed();
}

void TCrossHair::SetLineWid(int v) {
  line_wid_ = v < 1 ? 1 : v;
  Changed();
}

void TCrossHair::SetMode(TCrossHMode v) {
  if (v > chBox) return;
  mode_ = v;
  Changed();
}

void TCrossHair::SetPosX(double v) {
  pos_x_ = v;
  Changed();
}

void TCrossHair::SetPosY(double v) {
  pos_y_ = v;
  Changed();
}

void TCrossHair::SetPos(double x, double y) {
  pos_x_ = x;
  pos_y_ = y;
  Changed();
}

void TCrossHair::Assign(const TPersistent& Source) {
  const auto* src = dynamic_cast<const TCrossHair*>(&Source);
  if (!src) {
    TNotifyingPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  color_ = src->color_;
  layer_ = src->layer_;
  line_type_ = src->line_type_;
  line_wid_ = src->line_wid_;
  mode_ = src->mode_;
  pos_x_ = src->pos_x_;
  pos_y_ = src->pos_y_;
  Changed();
}

void TCrossHair::AssignTo(TPersistent& Dest) const {
  if (auto* dst = dynamic_cast<TCrossHair*>(&Dest)) {
    dst->Assign(*this);
    return;
  }
  TNotifyingPersistent::AssignTo(Dest);
}

}  // namespace kiv
