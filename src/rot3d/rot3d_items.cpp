// TRot3D: the item list (adding, reading, replacing and removing items) and the searches for
// the item nearest to a world point or a screen point.
#include <cmath>
#include <limits>

#include "rot3d/rot3d.h"

namespace kiv::rot3d {

// The capacity is accounted in steps of AllocSize; the vector underneath grows geometrically,
// so that appending stays amortised constant time whatever the step.
void TRot3D::Append(const Tr3ChartItem& item) {
  if (FNumChartItems >= FNumAllocated) FNumAllocated += FAllocSize;
  FDataContainer.push_back(item);
  ++FNumChartItems;
}

Tr3ChartItem TRot3D::NewItem(Tr3Item kind, double x, double y, double z) const {
  Tr3ChartItem it;
  it.x = x;
  it.y = y;
  it.z = z;
  it.color = FColorData;
  it.tag = FDataTag;
  it.ItemKind = kind;
  return it;
}

void TRot3D::MarkAt(double x, double y, double z, std::uint8_t mk) {
  Tr3ChartItem it = NewItem(tkMarkAt, x, y, z);
  it.marklw = mk;
  Append(it);
}

void TRot3D::Moveto(double x, double y, double z) {
  Append(NewItem(tkMoveto, x, y, z));
}

void TRot3D::Drawto(double x, double y, double z) {
  Tr3ChartItem it = NewItem(tkLineto, x, y, z);
  it.marklw = static_cast<std::uint8_t>(FLineWidth);
  Append(it);
}

void TRot3D::Line(double x1, double y1, double z1, double x2, double y2, double z2) {
  Tr3ChartItem it = NewItem(tkLine, x1, y1, z1);
  it.x2 = x2;
  it.y2 = y2;
  it.z2 = z2;
  it.marklw = static_cast<std::uint8_t>(FLineWidth);
  Append(it);
}

void TRot3D::RemoveItem(int Index) {
  if (Index < 0 || Index >= FNumChartItems) return;
  if (FNumChartItems == 1) {
    FDataContainer.clear();
    FDataContainer.shrink_to_fit();
    FNumChartItems = FNumAllocated = 0;
    return;
  }
  FDataContainer.erase(FDataContainer.begin() + Index);
  --FNumChartItems;
}

void TRot3D::RemoveLastItem() {
  if (FNumChartItems == 0) return;
  if (FNumChartItems == 1) {
    RemoveItem(0);
    return;
  }
  FDataContainer.pop_back();
  --FNumChartItems;
}

Tr3ChartItem TRot3D::GetChartItem(int idx) const {
  if (idx < 0 || idx >= FNumChartItems) return Tr3ChartItem{};
  return FDataContainer[static_cast<std::size_t>(idx)];
}

void TRot3D::SetChartitem(int idx, const Tr3ChartItem& item) {
  if (idx < 0 || idx >= FNumChartItems) return;
  FDataContainer[static_cast<std::size_t>(idx)] = item;
}

void TRot3D::SetItemParams(int Item, const Tr3ChartItem& ItParams) {
  if (ItParams.ItemKind == tkNone || ItParams.ItemKind == tkEverything) return;
  SetChartitem(Item, ItParams);
}

Tr3Item TRot3D::TypeOfFirstItem() const {
  return FNumChartItems > 0 ? FDataContainer.front().ItemKind : tkNone;
}

Tr3Item TRot3D::TypeOfLastItem() const {
  return FNumChartItems > 0 ? FDataContainer.back().ItemKind : tkNone;
}

void TRot3D::Clear() {
  if (!GrafBmp.Empty()) InitGraf(GrafBmp.Canvas(), false, false);
  FDataContainer.clear();
  FDataContainer.shrink_to_fit();
  FNumChartItems = FNumAllocated = 0;
}

// ---------------------------------------------------------------------------------------------
// Searches: squared distances compared, the first of equal ones kept.

int TRot3D::FindNearestItemReal(double mx, double my, double mz, Tr3Item ItemID,
                                double& dist) const {
  double best = std::numeric_limits<double>::max();
  int found = -1;
  if (ItemID != tkNone) {
    for (int i = 0; i < FNumChartItems; ++i) {
      const Tr3ChartItem& it = FDataContainer[static_cast<std::size_t>(i)];
      if (ItemID != tkEverything && it.ItemKind != ItemID) continue;
      const double dx = it.x - mx, dy = it.y - my, dz = it.z - mz;
      const double d = dx * dx + dy * dy + dz * dz;
      if (d < best) {
        best = d;
        found = i;
      }
    }
  }
  dist = std::sqrt(best);
  return found;
}

int TRot3D::FindNearestItemScreen(int mx, int my, Tr3Item ItemID, double& dist) const {
  double best = std::numeric_limits<double>::max();
  int found = -1;
  const TIntProjection proj = Projection();
  for (int i = 0; i < NRotObj; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const int item = FBackLink[k];
    if (item < 0 || item >= FNumChartItems) continue;  // the item was removed since
    if (ItemID != tkEverything && FDataContainer[static_cast<std::size_t>(item)].ItemKind != ItemID)
      continue;
    const TScreenPoint p = proj.Project(FRotDataX[k], FRotDataY[k], FRotDataZ[k]);
    const double dx = static_cast<double>(p.X - mx), dy = static_cast<double>(p.Y - my);
    const double d = dx * dx + dy * dy;
    if (d < best) {
      best = d;
      found = item;
    }
  }
  dist = std::sqrt(best);
  return found;
}

}  // namespace kiv::rot3d
