// Data sharing between charts: joining and leaving a group of charts that show one owner's data
// container, handing the shared state around after every change, and repainting the group.
#include <algorithm>
#include <array>

#include "platform/dialogs.h"
#include "rchart/customrchart.h"

namespace kiv {

namespace {

// An information dialog with an OK button.
void Refuse(const char* text) {
  ShowMessage(text);
}

}  // namespace

TCustomRChart* TCustomRChart::DataUsers(int Slot) const {
  if (Slot < 1 || Slot > FDataUsersNum) return nullptr;
  return FDataUsers[static_cast<std::size_t>(Slot - 1)];
}

void TCustomRChart::TakeSharedDataState(const TCustomRChart& From) {
  if (&From == this) return;
  FDataContainer = From.FDataContainer;
  FNumChartItems = From.FNumChartItems;
  FLastElemOnShow = From.FLastElemOnShow;
  FItemCount = From.FItemCount;
}

void TCustomRChart::DetachFromOwner() {
  TCustomRChart* owner = FUseDataOf;
  if (owner == nullptr) return;
  auto& users = owner->FDataUsers;
  const auto end = users.begin() + owner->FDataUsersNum;
  const auto it = std::find(users.begin(), end, this);
  if (it != end) {
    std::move(it + 1, end, it);
    users[static_cast<std::size_t>(owner->FDataUsersNum - 1)] = nullptr;
    --owner->FDataUsersNum;
  }
  FUseDataOf = nullptr;
}

// Released users must not keep writing into one container without being a group any more
// (one could shrink it under the other's count), so all but the first get their own copy. The
// first keeps the container: the owner calls this only when it is about to drop or replace its
// own. Never throws, since the destructor calls it: a copy that finds no memory leaves that user
// with an empty chart rather than a shared container.
void TCustomRChart::LeaveSharingGroup() {
  DetachFromOwner();
  for (int i = 0; i < FDataUsersNum; ++i) {
    TCustomRChart* user = FDataUsers[static_cast<std::size_t>(i)];
    FDataUsers[static_cast<std::size_t>(i)] = nullptr;
    user->FUseDataOf = nullptr;
    if (i == 0) continue;
    try {
      user->FDataContainer = std::make_shared<TRcItemContainer>(*user->FDataContainer);
    } catch (...) {
      user->FDataContainer = std::make_shared<TRcItemContainer>();
      user->FNumChartItems = 0;
      user->FNumAllocData = 0;
      user->FLastElemOnShow = 0;
      user->FItemCount.fill(0);
    }
  }
  FDataUsersNum = 0;
}

void TCustomRChart::SetUseDataOf(TCustomRChart* Value) {
  if (Value == this) {
    Refuse("RChart: Cannot share data with myself");
    return;
  }
  if (FDataUsersNum > 0) {
    Refuse("RChart: Cannot use foreign data. Other RCharts are using my own data.");
    return;
  }
  if (Value == FUseDataOf) return;
  if (Value == nullptr) {
    // The chart keeps what it showed, but later changes of the group must not reach it.
    auto own = std::make_shared<TRcItemContainer>(*FDataContainer);
    DetachFromOwner();
    FDataContainer = std::move(own);
  } else {
    TCustomRChart* owner = Value->FUseDataOf != nullptr ? Value->FUseDataOf : Value;
    // Naming another user of the own owner changes nothing (and must not be refused as a fifth
    // user).
    if (owner == FUseDataOf) return;
    if (owner->FDataUsersNum >= kMaxDataUsers) {
      Refuse("RChart: Max. number of data shares exceeded");
      return;
    }
    DetachFromOwner();
    FUseDataOf = owner;
    // The counters come along with the container, so that ItemCount agrees at once.
    TakeSharedDataState(*owner);
    owner->FDataUsers[static_cast<std::size_t>(owner->FDataUsersNum)] = this;
    ++owner->FDataUsersNum;
  }
  RepaintIfAutoRedraw();
}

void TCustomRChart::AdjustCanInfoOfSharedCharts() {
  if (TCustomRChart* owner = FUseDataOf) {
    owner->TakeSharedDataState(*this);
    for (int i = 0; i < owner->FDataUsersNum; ++i)
      owner->FDataUsers[static_cast<std::size_t>(i)]->TakeSharedDataState(*this);
  }
  for (int i = 0; i < FDataUsersNum; ++i)
    FDataUsers[static_cast<std::size_t>(i)]->TakeSharedDataState(*this);
}

// This chart has just shown its own picture; the others of its group follow.
// The group is listed first, since painting runs user code that may change it.
void TCustomRChart::RefreshSharingCharts() {
  std::array<TCustomRChart*, kMaxDataUsers + 1> group{};
  std::size_t n = 0;
  const TCustomRChart* owner = FUseDataOf != nullptr ? FUseDataOf : this;
  if (owner != this) group[n++] = FUseDataOf;
  for (int i = 0; i < owner->FDataUsersNum; ++i) {
    TCustomRChart* user = owner->FDataUsers[static_cast<std::size_t>(i)];
    if (user != this) group[n++] = user;
  }
  for (std::size_t i = 0; i < n; ++i) group[i]->StyleChanged(this);
}

}  // namespace kiv
