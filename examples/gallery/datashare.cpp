// Two charts on one set of data items: the owner shows the whole measurement, a second chart
// uses its data (UseDataOf) with its own range, marks and annotations, and picks the data item
// nearest to a point with a description of it.
#include <cmath>
#include <filesystem>
#include <random>
#include <string>

#include "gallery.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "rchart/rchart.h"

namespace {

using namespace kiv;

constexpr TColor kFace = RGB(244, 244, 240);

void Frame(TCustomRChart& c, const char* caption) {
  c.SetBounds(0, 0, 360, 260);
  c.SetWindColor(kFace);
  c.SetCaption(caption);
  c.SetCaptionAlignment(taLeftJustify);
  c.SetCaptionAnchorHoriz(cahChartLeft);
  c.SetGridStyle(gsDotLines);
  c.SetGridColor(clSilver);
}

}  // namespace

KIV_GALLERY(datashare) {
  TCustomRChart owner(nullptr), zoom(nullptr);
  Frame(owner, "Owner: the whole run");
  Frame(zoom, "UseDataOf: the peak, with its own marks");
  owner.SetRange(1, 0.0, -0.2, 10.0, 1.4);
  owner.SetDataColor(RGB(20, 60, 150));
  std::mt19937 rng(5);
  std::normal_distribution<double> noise(0, 0.03);
  for (int i = 0; i <= 400; ++i) {
    const double x = i * 0.025;
    const double y = std::exp(-std::pow((x - 4.2) / 0.6, 2)) + noise(rng);
    if (i == 0)
      owner.MoveTo(x, y);
    else
      owner.DrawTo(x, y);
  }
  zoom.SetUseDataOf(&owner);
  zoom.SetRange(1, 3.0, 0.6, 5.4, 1.15);
  // Items added through the second chart land in the owner's container as well.
  zoom.SetDataColor(RGB(200, 40, 40));
  for (int i = 0; i <= 400; i += 8) zoom.MarkAt(i * 0.025, owner.GetChartItem(i).y, 2);

  // The data item nearest to a point, picked in pixels, circled and described.
  double dist = 0;
  const int hit = zoom.FindNearestItemScreen(4.55, 1.05, tkMarkAt, 255, dist);
  const TrcChartItem item = zoom.GetChartItem(hit);
  zoom.SetAnnoMode(true);
  zoom.SetDataColor(RGB(0, 130, 60));
  zoom.SetTransparentItems(true);
  zoom.RectangleRelPix(item.x, item.y, 7, 7);
  zoom.SetTextAlignment(taLeftJustify);
  zoom.SetDataColor(clBlack);
  // Its kind and point (the end-point line says nothing for a mark).
  std::string text = ItemDescription(item, 3);
  text.erase(text.rfind("\r\n"));
  std::erase(text, '\r');  // texts break lines at line feeds
  zoom.Text(item.x, item.y, 8, "nearest item #" + std::to_string(hit) + "\n" + text, -128.0, -50.0,
            taLeftJustify);

  TBitmap both(720, 260);
  TBitmap left, right;
  owner.CopyToBitmap(left, false);
  zoom.CopyToBitmap(right, false);
  both.Canvas().Draw(0, 0, left);
  both.Canvas().Draw(360, 0, right);
  both.SaveToFile((dir / "datashare.png").string());
}
