#include "services/vector.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "services/allocsize.h"
#include "services/percentile.h"

namespace kiv {

TVector::TVector(const TVector& other) : TPersistent(other) {
  try {
    elems_ = other.elems_;
  } catch (const std::bad_alloc&) {
    RaiseOutOfMemory(ClassName(), other.elems_.size());
  }
}

TVector& TVector::operator=(const TVector& other) {
  if (this == &other) return *this;
  std::vector<double> copy;
  try {
    copy = other.elems_;
  } catch (const std::bad_alloc&) {
    RaiseOutOfMemory(ClassName(), other.elems_.size());
  }
  elems_ = std::move(copy);
  Changed();
  return *this;
}

void TVector::Resize(int size) {
  const std::size_t count = CheckedElemCount(ClassName(), size);
  if (count == elems_.size()) return;
  try {
    elems_.resize(count, 0.0);  // vector::resize keeps the old contents if it throws
  } catch (const std::bad_alloc&) {
    RaiseOutOfMemory(ClassName(), count);
  }
  Changed();
}

void TVector::Fill(double value) {
  std::fill(elems_.begin(), elems_.end(), value);
  Changed();
}

void TVector::SetVal(int ix, double value) {
  if (!IsInside(ix)) return;
  elems_[Pos(ix)] = value;
  Changed();
}

bool TVector::ClipRange(int& first, int& last) const {
  if (first > last) std::swap(first, last);
  first = std::max(first, 1);
  last = std::min(last, NrOfElem());
  return first <= last;
}

int TVector::MinMax(int first, int last, double& min, double& max) const {
  min = 0.0;
  max = 0.0;
  if (!ClipRange(first, last)) return 0;
  int count = 0;
  for (int i = first; i <= last; ++i) {
    const double v = elems_[Pos(i)];
    if (std::isnan(v)) continue;
    if (count == 0) {
      min = max = v;
    } else {
      min = std::min(min, v);
      max = std::max(max, v);
    }
    ++count;
  }
  return count;
}

double TVector::Percentile(double p, int first, int last) const {
  if (!ClipRange(first, last)) return PercentileOfValues({}, p);
  std::vector<double> values(elems_.begin() + static_cast<std::ptrdiff_t>(Pos(first)),
                             elems_.begin() + static_cast<std::ptrdiff_t>(Pos(last)) + 1);
  return PercentileOfValues(values, p);
}

void TVector::Changed() {
  if (OnChange) OnChange(this);
}

void TVector::Assign(const TPersistent& Source) {
  if (const auto* src = dynamic_cast<const TVector*>(&Source)) {
    *this = *src;
    return;
  }
  TPersistent::Assign(Source);
}

}  // namespace kiv
