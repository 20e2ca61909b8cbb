// TCustomTextLabel: the settings of a captioned text box that a chart draws on top of its items
// (caption, font, anchor position and attachment, colours, shadow, visibility).
#pragma once

#include <string>

#include "platform/graphics.h"
#include "platform/types.h"
#include "services/notifier.h"
#include "services/types.h"

namespace kiv {

// The label only stores settings; the chart that owns it draws it. Every setter stores its value
// and reports the change through OnChange (one notification per call, also when the value stays
// the same); changes made through Font() are reported too. Enumeration values outside their
// type are ignored.
class TCustomTextLabel : public TNotifyingPersistent {
 public:
  TCustomTextLabel();
  TCustomTextLabel(const TCustomTextLabel&) = delete;
  TCustomTextLabel& operator=(const TCustomTextLabel&) = delete;
  std::string ClassName() const override { return "TCustomTextLabel"; }

  // Line feeds (code 10) separate the lines of the caption.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v);

  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& v);

  // Anchor position: world coordinates of Layer or control pixels, as AttachToData says.
  double PosX() const { return pos_x_; }
  void SetPosX(double v);
  double PosY() const { return pos_y_; }
  void SetPosY(double v);
  TTxtLblAttachMode AttachToData() const { return attach_; }
  void SetAttachToData(TTxtLblAttachMode v);
  int Layer() const { return layer_; }
  void SetLayer(int v);

  // tlmNone marks a free label slot of a chart.
  TTxtLblMode Mode() const { return mode_; }
  void SetMode(TTxtLblMode v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TVerticalAlignment VerticalAlignment() const { return valign_; }
  void SetVerticalAlignment(TVerticalAlignment v);

  TColor ColorBkg() const { return color_bkg_; }
  void SetColorBkg(TColor v);
  TColor ColorBorder() const { return color_border_; }
  void SetColorBorder(TColor v);
  TColor ColorShadow() const { return color_shadow_; }
  void SetColorShadow(TColor v);
  int ShadowDx() const { return shadow_dx_; }
  void SetShadowDx(int v);
  int ShadowDy() const { return shadow_dy_; }
  void SetShadowDy(int v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);

  // Copies every setting of another text label (not its OnChange) and reports one change.
  void Assign(const TPersistent& Source) override;

 protected:
  void AssignTo(TPersistent& Dest) const override;

 private:
  template <typename T>
  void Store(T& field, const T& v) {
    field = v;
    Changed();
  }

  std::string caption_;
  TFont font_;
  double pos_x_ = 0;
  double pos_y_ = 0;
  TTxtLblAttachMode attach_ = taXY;
  int layer_ = 1;
  TTxtLblMode mode_ = tlmNone;
  TAlignment alignment_ = taCenter;
  TVerticalAlignment valign_ = vaBottom;
  TColor color_bkg_ = clWhite;
  TColor color_border_ = clBlack;
  TColor color_shadow_ = clGray;
  int shadow_dx_ = 3;
  int shadow_dy_ = 3;
  bool transparent_ = false;
  bool visible_ = false;
};

}  // namespace kiv
