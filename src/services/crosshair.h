// TCrossHair: the settings of one crosshair of a chart (position in world coordinates of a
// layer, colour, pen and mode); the chart draws it over its finished picture.
#pragma once

#include <string>

#include "platform/color.h"
#include "platform/graphics.h"
#include "services/notifier.h"
#include "services/types.h"

namespace kiv {

// Every setter stores its value and fires OnChange once per call; SetPos changes both
// coordinates and fires once. Enumeration values outside their type are ignored; line widths
// below 1 are stored as 1.
class TCrossHair : public TNotifyingPersistent {
 public:
  TCrossHair() = default;
  TCrossHair(const TCrossHair&) = delete;
  TCrossHair& operator=(const TCrossHair&) = delete;
  std::string ClassName() const override { return "TCrossHair"; }

  TColor Color() const { return color_; }
  void SetColor(TColor v);
  // Layer whose coordinates PosX and PosY are; charts treat numbers other than 1 as layer 2.
  int Layer() const { return layer_; }
  void SetLayer(int v);
  TPenStyle LineType() const { return line_type_; }
  void SetLineType(TPenStyle v);
  // Pen width in pixels.
  int LineWid() const { return line_wid_; }
  void SetLineWid(int v);
  TCrossHMode Mode() const { return mode_; }
  void SetMode(TCrossHMode v);
  double PosX() const { return pos_x_; }
  void SetPosX(double v);
  double PosY() const { return pos_y_; }
  void SetPosY(double v);
  void SetPos(double x, double y);

  // Copies every setting of another crosshair (not its OnChange) and reports one change.
  void Assign(const TPersistent& Source) override;

 protected:
  void AssignTo(TPersistent& Dest) const override;

 private:
  TColor color_ = clRed;
  int layer_ = 1;
  TPenStyle line_type_ = psDashDotDot;
  int line_wid_ = 1;
  TCrossHMode mode_ = chOff;
  double pos_x_ = 0;
  double pos_y_ = 0;
};

}  // namespace kiv
