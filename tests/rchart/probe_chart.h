// A chart for the tests: counts repaints and the calls of the seams for later parts, and exposes
// the store's accounting fields.
#pragma once

#include "rchart/rchart.h"

namespace kiv {

class ProbeChart : public TCustomRChart {
 public:
  // Painting allowed, as in a chart that has its window.
  ProbeChart() : TCustomRChart(nullptr) { FSuppressPaint = false; }

  void Repaint() override { ++repaints; }

  int DataSlots() const { return FDataContainer->Size(); }
  int AnnoSlots() const { return FAnnoContainer->Size(); }
  int NumAllocData() const { return FNumAllocData; }
  int NumAllocAnno() const { return FNumAllocAnno; }
  int NumLongTextsData() const { return FNumLongTextsData; }
  int NumLongTextsAnno() const { return FNumLongTextsAnno; }
  bool InvalidDataBmp() const { return FInvalidDataBmp; }
  void SetLastElemOnShow(int v) { FLastElemOnShow = v; }
  int LastElemOnShow() const { return FLastElemOnShow; }
  void SetNumMTrace(int v) { FNumMTrace = v; }
  int NumMTrace() const { return FNumMTrace; }

  int repaints = 0;
  int shared_updates = 0;
  int bitmap_resets = 0;

 protected:
  void AdjustCanInfoOfSharedCharts() override {
    ++shared_updates;
    TCustomRChart::AdjustCanInfoOfSharedCharts();
  }
  void ResetDataBitmap() override { ++bitmap_resets; }
};

}  // namespace kiv
