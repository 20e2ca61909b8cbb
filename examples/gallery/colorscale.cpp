// The colour scale gallery: a horizontal legend with a caption and a crosshair marking a value,
// and vertical legends with the colour range narrower than the scale, plain and extended.
#include <filesystem>

#include "colorscale/colorscale.h"
#include "gallery.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace {

using namespace kiv;

constexpr TColor kFace = RGB(244, 244, 240);

void Terrain(TColorScale& cs) {
  cs.ColorArray().SetSize(48);
  cs.ColorArray().FillByInterpolation(
      1, {RGB(20, 60, 150), RGB(60, 150, 210), RGB(90, 170, 90), RGB(230, 210, 120),
          RGB(150, 100, 60), RGB(250, 250, 250)});
}

KIV_GALLERY(colorscale_horizontal) {
  TColorScale cs(nullptr);
  cs.SetBounds(0, 0, 420, 86);
  cs.SetColorSclBkgd(kFace);
  Terrain(cs);
  cs.SetMarginTop(26);
  cs.SetMarginBottom(30);
  cs.SetMarginLeft(24);
  cs.SetMarginRight(24);
  cs.SetScaleRange(-4000, 4000);
  cs.SetCaption("Elevation [m]");
  cs.SetCaptionSize(10);
  cs.SetCaptionPosX(24);
  cs.SetCaptionPosY(6);
  cs.CrossHair().SetPosX(1350);  // the value under the user's pointer elsewhere
  cs.CrossHair().SetColor(clBlack);
  cs.CrossHair().SetLineWid(2);
  cs.CrossHair().SetLineType(psSolid);
  TBitmap picture;
  cs.PaintTo(picture, -1, -1);
  picture.SaveToFile((dir / "colorscale-horizontal.png").string());
}

KIV_GALLERY(colorscale_vertical) {
  TBitmap picture(300, 320);
  picture.Canvas().Brush().SetColor(kFace);
  picture.Canvas().FillRect(TRect(0, 0, 300, 320));
  for (int i = 0; i < 3; ++i) {
    TColorScale cs(nullptr);
    cs.SetOrientation(csoVertical);
    cs.SetBounds(0, 0, 100, 320);
    cs.SetColorSclBkgd(kFace);
    Terrain(cs);
    cs.SetMarginTop(36);
    cs.SetMarginBottom(14);
    cs.SetMarginLeft(14);
    cs.SetMarginRight(50);
    cs.SetScaleRange(-4000, 4000);
    cs.CrossHair().SetMode(chOff);
    cs.SetCaptionSize(9);
    cs.SetCaptionStyle({});
    cs.SetCaptionPosX(14);
    if (i == 0) {
      cs.SetCaption("full range");
    } else {
      cs.SetColorLow(-1500);  // colours spread over a part of the scale only
      cs.SetColorHigh(2500);
      cs.SetCaption(i == 1 ? "colour range" : "extended");
      cs.SetExtendColors(i == 2);
    }
    cs.PaintTo(picture, i * 100, 0);
  }
  picture.SaveToFile((dir / "colorscale-vertical.png").string());
}

}  // namespace
