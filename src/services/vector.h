// TVector: a resizable 1-based vector of doubles with range statistics; reads outside it give
// 0 and writes outside it are ignored, like the matrices.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/classes.h"

namespace kiv {

class TVector : public TPersistent {
 public:
  TVector() = default;
  explicit TVector(int size) { Resize(size); }
  // A copy takes the values, not the change notification.
  TVector(const TVector& other);
  // Takes the values and keeps its own change notification, which then fires.
  TVector& operator=(const TVector& other);
  std::string ClassName() const override { return "TVector"; }

  int NrOfElem() const { return static_cast<int>(elems_.size()); }
  bool IsInside(int ix) const { return ix >= 1 && ix <= NrOfElem(); }

  // New size; the first min(old, new) values are kept, new elements are 0. A negative or too
  // large size raises EKIVError and leaves the vector as it was.
  void Resize(int size);
  void SetVecSize(int size) { Resize(size); }
  void Fill(double value);

  double GetVal(int ix) const { return IsInside(ix) ? elems_[Pos(ix)] : 0.0; }
  void SetVal(int ix, double value);
  // The indexed property Elem[ix].
  double Elem(int ix) const { return GetVal(ix); }
  void SetElem(int ix, double value) { SetVal(ix, value); }

  // Smallest and largest value of elements first..last (in any order, clipped to the vector);
  // returns the number of values seen, NaN skipped; with none, min and max are 0.
  int MinMax(int first, int last, double& min, double& max) const;
  int MinMax(double& min, double& max) const { return MinMax(1, NrOfElem(), min, max); }

  // The p-th percentile (p in percent) of elements first..last, clipped to the vector, by the
  // rule of PercentileOfValues: linear interpolation between closest ranks, NaN ignored, 0 for
  // an empty range.
  double Percentile(double p, int first, int last) const;
  double Percentile(double p) const { return Percentile(p, 1, NrOfElem()); }

  // Called after every change (SetVal inside the vector, Resize to a new size, Fill, Assign).
  TNotifyEvent OnChange;
  void Changed();

  void Assign(const TPersistent& Source) override;

 private:
  static std::size_t Pos(int ix) { return static_cast<std::size_t>(ix - 1); }
  // Clips first..last to the vector; false when nothing is left.
  bool ClipRange(int& first, int& last) const;

  std::vector<double> elems_;
};

}  // namespace kiv
