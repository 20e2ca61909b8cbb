// The item store of TCustomRChart: construction of the store, item access, long texts,
// clearing, scaling, search and count, switches and visibility.
#include <algorithm>

#include "rchart/customrchart.h"

namespace kiv {

namespace {

TrcChartItem NoItem() {
  TrcChartItem item;
  ClearChartItem(item);
  return item;
}

bool Matches(const TrcChartItem& item, std::int32_t tag, std::uint32_t mask, std::uint8_t cls,
             TrcItem kind) {
  if (mask != 0 &&
      (static_cast<std::uint32_t>(item.Tag) & mask) != (static_cast<std::uint32_t>(tag) & mask)) {
    return false;
  }
  if (kind != tkEverything && item.ItemKind != kind) return false;
  return cls == 255 || item.ItemClass == cls;
}

int Search(const TRcItemContainer& c, int count, int start, std::int32_t tag, std::uint32_t mask,
           std::uint8_t cls, TrcItem kind) {
  if (start < 0) return -1;
  const int n = std::min(count, c.Size());
  for (int i = start; i < n; ++i) {
    if (Matches(c[i], tag, mask, cls, kind)) return i;
  }
  return -1;
}

void ScaleRecord(TrcChartItem& item, double kx, double dx, double ky, double dy) {
  item.x = kx * item.x + dx;
  item.y = ky * item.y + dy;
  if (HasSecondaryPoint(item.ItemKind)) {
    item.x2 = kx * item.x2 + dx;
    item.y2 = ky * item.y2 + dy;
  }
}

bool IsStorableKind(TrcItem kind) {
  return kind != tkNone && kind != tkEverything && kind != tkNotMoveTo && kind < kNumItemKinds;
}

}  // namespace

// A chart leaves its sharing group before it goes, so that no chart keeps a pointer to it.
TCustomRChart::~TCustomRChart() {
  Destroying();
  LeaveSharingGroup();
}

void TCustomRChart::ResetItemStore() {
  LeaveSharingGroup();
  FDataContainer = std::make_shared<TRcItemContainer>(1);
  FAnnoContainer = std::make_shared<TRcItemContainer>(1);
  FNumChartItems = 0;
  FNumAnnoItems = 0;
  FNumAllocData = 0;
  FNumAllocAnno = 0;
  FAllocSize = 1000;
  FLongTextsData.fill(std::string());
  FLongTextsAnno.fill(std::string());
  FNumLongTextsData = 0;
  FNumLongTextsAnno = 0;
  FItemCount.fill(0);
  FLastElemOnShow = 0;
  FNumMTrace = 0;
  FAnnoMode = false;
  FAnnosVisible = true;
  FAnnoBelowChart = false;
  FAnnoTextOnTop = true;
  FItClassVisib.fill(true);
  FAnnoClassVisib.fill(true);
  FLayerVisib = {true, true};
  FMouseAffLayer = {true, false};
}

void TCustomRChart::ResetDrawingAttributes() {
  RcDataCol = clBlack;
  RcPenStyle = psSolid;
  RcLineWid = 1;
  RcFillCol = clSilver;
  FTranspItems = false;
  RcClassDefault = 0;
  FDataTag = 0;
  FActiveLayer = 1;
  FTextBkStyle = tbClear;
  FTextAlignment = taCenter;
  FTextFont.Assign(Font());
}

// While painting is suppressed a repaint would paint nothing: the change is shown when the
// suppression ends.
void TCustomRChart::RepaintIfAutoRedraw() {
  if (FSuppressPaint) return;
  if (FAutoRedraw || ComponentState().Contains(csDesigning)) Repaint();
}

// A shared container can be smaller than this chart's count only through a fault elsewhere;
// checking both keeps every access inside the slots.
bool TCustomRChart::ValidDataIndex(int idx) const {
  return idx >= 0 && idx < FNumChartItems && FDataContainer->Contains(idx);
}

bool TCustomRChart::ValidAnnoIndex(int idx) const {
  return idx >= 0 && idx < FNumAnnoItems && FAnnoContainer->Contains(idx);
}

void TCustomRChart::SetAllocSize(int value) {
  if (value >= 1 && value <= 1000000) FAllocSize = value;
}

// --- Item access.

TrcChartItem TCustomRChart::GetChartItem(int idx) const {
  return ValidDataIndex(idx) ? (*FDataContainer)[idx] : NoItem();
}

void TCustomRChart::SetChartItem(int idx, const TrcChartItem& item) {
  if (!ValidDataIndex(idx)) return;
  (*FDataContainer)[idx] = item;
  AdjustCanInfoOfSharedCharts();
}

TrcChartItem TCustomRChart::GetAnnoItem(int idx) const {
  return ValidAnnoIndex(idx) ? (*FAnnoContainer)[idx] : NoItem();
}

void TCustomRChart::SetAnnoItem(int idx, const TrcChartItem& item) {
  if (ValidAnnoIndex(idx)) (*FAnnoContainer)[idx] = item;
}

// The index check is the caller's duty here; an invalid index is treated as in GetChartItem,
// so a wrong index cannot reach outside the container.
TrcChartItem TCustomRChart::GetItemParams(int Item) const {
  return GetChartItem(Item);
}

// Besides tkNone and tkEverything, the selector tkNotMoveTo and values that are no kind are
// refused too: no stored item may carry them, and the counters have no place for the latter.
void TCustomRChart::SetItemParams(int Item, const TrcChartItem& ItParams) {
  if (!ValidDataIndex(Item) || !IsStorableKind(ItParams.ItemKind)) return;
  TrcChartItem& slot = (*FDataContainer)[Item];
  if (slot.ItemKind < kNumItemKinds) --FItemCount[slot.ItemKind];
  slot = ItParams;
  ++FItemCount[slot.ItemKind];
  AdjustCanInfoOfSharedCharts();
}

int TCustomRChart::GetItemCount(TrcItem it) const {
  return it < kNumItemKinds ? FItemCount[it] : 0;
}

// --- Long texts.

std::string TCustomRChart::GetDataLongText(int idx) const {
  if (!ValidDataIndex(idx)) return {};
  const TrcChartItem& item = (*FDataContainer)[idx];
  if (!IsTextKind(item.ItemKind)) return {};
  return FullItemText(item, FLongTextsData, FNumLongTextsData);
}

void TCustomRChart::SetDataLongText(int idx, std::string_view txt) {
  if (!ValidDataIndex(idx)) return;
  TrcChartItem& item = (*FDataContainer)[idx];
  if (!IsTextKind(item.ItemKind)) return;
  StoreTextWithTable(item, txt, FLongTextsData, FNumLongTextsData);
  AdjustCanInfoOfSharedCharts();
}

std::string TCustomRChart::GetAnnoLongText(int idx) const {
  if (!ValidAnnoIndex(idx)) return {};
  const TrcChartItem& item = (*FAnnoContainer)[idx];
  if (!IsTextKind(item.ItemKind)) return {};
  return FullItemText(item, FLongTextsAnno, FNumLongTextsAnno);
}

void TCustomRChart::SetAnnoLongText(int idx, std::string_view txt) {
  if (!ValidAnnoIndex(idx)) return;
  TrcChartItem& item = (*FAnnoContainer)[idx];
  if (IsTextKind(item.ItemKind)) StoreTextWithTable(item, txt, FLongTextsAnno, FNumLongTextsAnno);
}

// --- Clearing.

void TCustomRChart::ClearGraf() {
  ResetDataBitmap();
  FNumChartItems = 0;
  FNumAllocData = 0;
  FDataContainer->Resize(1);
  FNumMTrace = 0;
  FLastElemOnShow = 0;
  FItemCount.fill(0);
  AdjustCanInfoOfSharedCharts();
}

void TCustomRChart::ClearAnnotations() {
  FNumAnnoItems = 0;
  FNumAllocAnno = 0;
  FAnnoContainer->Resize(1);
  FLongTextsAnno.fill(std::string());
  FNumLongTextsAnno = 0;
  Repaint();
}

// --- Scaling and recolouring.

void TCustomRChart::ScaleItem(int Item, double kx, double dx, double ky, double dy) {
  if (!ValidDataIndex(Item)) return;
  ScaleRecord((*FDataContainer)[Item], kx, dx, ky, dy);
  AdjustCanInfoOfSharedCharts();
}

void TCustomRChart::ScaleAllItems(double kx, double dx, double ky, double dy) {
  TRcItemContainer& c = *FDataContainer;
  const int n = std::min(FNumChartItems, c.Size());
  for (int i = 0; i < n; ++i) ScaleRecord(c[i], kx, dx, ky, dy);
  AdjustCanInfoOfSharedCharts();
}

void TCustomRChart::ScaleSelectedItems(double kx, double dx, double ky, double dy,
                                       std::uint8_t ClassNumber) {
  TRcItemContainer& c = *FDataContainer;
  const int n = std::min(FNumChartItems, c.Size());
  for (int i = 0; i < n; ++i) {
    if (c[i].ItemClass == ClassNumber) ScaleRecord(c[i], kx, dx, ky, dy);
  }
  AdjustCanInfoOfSharedCharts();
}

void TCustomRChart::NewColorOfClassItems(TColor Newcol, std::uint8_t ClassNumber) {
  TRcItemContainer& c = *FDataContainer;
  const int n = std::min(FNumChartItems, c.Size());
  for (int i = 0; i < n; ++i) {
    if (ClassNumber == 255 || c[i].ItemClass == ClassNumber) c[i].Color = Newcol;
  }
  AdjustCanInfoOfSharedCharts();
}

// --- Search and count.

int TCustomRChart::SearchDataItem(int StartIx, std::int32_t Tag, std::uint32_t TagMask,
                                  std::uint8_t ItemClass, TrcItem ItemKind) const {
  return Search(*FDataContainer, FNumChartItems, StartIx, Tag, TagMask, ItemClass, ItemKind);
}

int TCustomRChart::SearchAnnoItem(int StartIx, std::int32_t Tag, std::uint32_t TagMask,
                                  std::uint8_t ItemClass, TrcItem ItemKind) const {
  return Search(*FAnnoContainer, FNumAnnoItems, StartIx, Tag, TagMask, ItemClass, ItemKind);
}

int TCustomRChart::CountAnnos(std::int32_t Tag, std::uint32_t TagMask, std::uint8_t ItemClass,
                              TrcItem ItemKind) const {
  const TRcItemContainer& c = *FAnnoContainer;
  const int n = std::min(FNumAnnoItems, c.Size());
  int count = 0;
  for (int i = 0; i < n; ++i) {
    if (Matches(c[i], Tag, TagMask, ItemClass, ItemKind)) ++count;
  }
  return count;
}

int TCustomRChart::CountAnnoByClass(std::span<const int> ClList) const {
  std::array<int, 256> histogram{};
  const TRcItemContainer& c = *FAnnoContainer;
  const int n = std::min(FNumAnnoItems, c.Size());
  for (int i = 0; i < n; ++i) ++histogram[c[i].ItemClass];
  int count = 0;
  for (int cls : ClList) {
    if (cls >= 0 && cls <= 255) count += histogram[static_cast<std::size_t>(cls)];
  }
  return count;
}

// --- Switches and visibility.

void TCustomRChart::SetAnnoMode(bool value) {
  FAnnoMode = value;
  RepaintIfAutoRedraw();
}

void TCustomRChart::SetAnnosVisible(bool value) {
  FAnnosVisible = value;
  FInvalidDataBmp = true;
  RepaintIfAutoRedraw();
}

void TCustomRChart::SetAnnoBelowChart(bool value) {
  FAnnoBelowChart = value;
  RepaintIfAutoRedraw();
}

void TCustomRChart::SetAnnoTextOnTop(bool value) {
  FAnnoTextOnTop = value;
  RepaintIfAutoRedraw();
}

bool TCustomRChart::GetClassVisib(int cnum) const {
  return cnum >= 0 && cnum <= 255 && FItClassVisib[static_cast<std::size_t>(cnum)];
}

void TCustomRChart::SetClassVisib(int cnum, bool value) {
  if (cnum < 0 || cnum > 255 || FItClassVisib[static_cast<std::size_t>(cnum)] == value) return;
  FItClassVisib[static_cast<std::size_t>(cnum)] = value;
  RepaintIfAutoRedraw();
}

bool TCustomRChart::GetAnnoClassVisib(int cnum) const {
  return cnum >= 0 && cnum <= 255 && FAnnoClassVisib[static_cast<std::size_t>(cnum)];
}

void TCustomRChart::SetAnnoClassVisib(int cnum, bool value) {
  if (cnum < 0 || cnum > 255 || FAnnoClassVisib[static_cast<std::size_t>(cnum)] == value) return;
  FAnnoClassVisib[static_cast<std::size_t>(cnum)] = value;
  RepaintIfAutoRedraw();
}

bool TCustomRChart::GetLayerVisib(int Layer) const {
  return Layer >= 1 && Layer <= 2 && FLayerVisib[static_cast<std::size_t>(Layer - 1)];
}

void TCustomRChart::SetLayerVisib(int Layer, bool value) {
  if (Layer < 1 || Layer > 2 || FLayerVisib[static_cast<std::size_t>(Layer - 1)] == value) return;
  FLayerVisib[static_cast<std::size_t>(Layer - 1)] = value;
  RepaintIfAutoRedraw();
}

bool TCustomRChart::GetMAffLayer(int layer) const {
  return layer >= 1 && layer <= 2 && FMouseAffLayer[static_cast<std::size_t>(layer - 1)];
}

void TCustomRChart::SetMAffLayer(int layer, bool value) {
  if (layer >= 1 && layer <= 2) FMouseAffLayer[static_cast<std::size_t>(layer - 1)] = value;
}

// --- Drawing attributes with rules.

void TCustomRChart::SetClassDefault(std::uint8_t value) {
  if (value != 255) RcClassDefault = value;
}

void TCustomRChart::SetActiveLayer(int value) {
  if (value < 1 || value > 2) return;
  FActiveLayer = value;
  RepaintIfAutoRedraw();
}

}  // namespace kiv
