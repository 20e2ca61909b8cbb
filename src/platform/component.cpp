#include "platform/component.h"

#include <algorithm>
#include <cctype>

#include "platform/errors.h"

namespace kiv {

namespace {

bool IsIdentifier(const std::string& s) {
  if (s.empty()) return false;
  const auto first = static_cast<unsigned char>(s[0]);
  if (!std::isalpha(first) && first != '_') return false;
  return std::all_of(s.begin(), s.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return std::isalnum(u) || u == '_';
  });
}

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

void Erase(std::vector<TComponent*>& list, TComponent* c) {
  list.erase(std::remove(list.begin(), list.end(), c), list.end());
}

}  // namespace

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner != nullptr) AOwner->InsertComponent(*this);
}

TComponent::~TComponent() {
  state_.Include(csDestroying);
  // Tell everyone who asked. Each receiver is taken off the list before it is called, so a
  // handler may change the lists freely.
  while (!free_notifies_.empty()) {
    TComponent* other = free_notifies_.back();
    free_notifies_.pop_back();
    Erase(other->free_notifies_, this);
    other->Notification(this, opRemove);
  }
  for (TComponent* c : components_) c->owner_ = nullptr;
  components_.clear();
  if (owner_ != nullptr) owner_->RemoveComponent(*this);
}

void TComponent::SetName(const std::string& NewName) {
  if (NewName == name_) return;
  if (!NewName.empty() && !IsIdentifier(NewName))
    throw EPlatformError("'" + NewName + "' is not a valid component name");
  if (!NewName.empty() && owner_ != nullptr) {
    const TComponent* other = owner_->FindComponent(NewName);
    if (other != nullptr && other != this)
      throw EPlatformError("A component named " + NewName + " already exists");
  }
  name_ = NewName;
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount()) return nullptr;
  return components_[static_cast<std::size_t>(Index)];
}

int TComponent::ComponentIndex() const {
  if (owner_ == nullptr) return -1;
  const auto& list = owner_->components_;
  const auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, AName)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent& AComponent) {
  if (AComponent.owner_ == this) return;
  if (!AComponent.name_.empty()) {
    const TComponent* other = FindComponent(AComponent.name_);
    if (other != nullptr)
      throw EPlatformError("A component named " + AComponent.name_ + " already exists");
  }
  if (AComponent.owner_ != nullptr) AComponent.owner_->RemoveComponent(AComponent);
  components_.push_back(&AComponent);
  AComponent.owner_ = this;
  if (state_.Contains(csDesigning)) AComponent.SetDesigning(true);
  Notification(&AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent& AComponent) {
  if (AComponent.owner_ != this) return;
  Notification(&AComponent, opRemove);
  Erase(components_, &AComponent);
  AComponent.owner_ = nullptr;
}

void TComponent::BeginLoading() {
  state_ = state_ + TComponentState{csLoading, csReading};
}

void TComponent::EndLoading() {
  state_.Exclude(csReading);
  Loaded();
}

void TComponent::Loaded() {
  state_.Exclude(csLoading);
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  if (Value)
    state_.Include(csDesigning);
  else
    state_.Exclude(csDesigning);
  if (SetChildren)
    for (TComponent* c : components_) c->SetDesigning(Value, true);
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr || AComponent == this) return;
  if (std::find(free_notifies_.begin(), free_notifies_.end(), AComponent) == free_notifies_.end())
    free_notifies_.push_back(AComponent);
  auto& theirs = AComponent->free_notifies_;
  if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
  state_.Include(csFreeNotification);
  AComponent->state_.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr) return;
  Unlink(AComponent);
}

void TComponent::Unlink(TComponent* AComponent) {
  Erase(free_notifies_, AComponent);
  Erase(AComponent->free_notifies_, this);
  if (free_notifies_.empty()) state_.Exclude(csFreeNotification);
  if (AComponent->free_notifies_.empty()) AComponent->state_.Exclude(csFreeNotification);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (AComponent == nullptr) return;
  if (Operation == opRemove) Unlink(AComponent);
  // Handlers may remove components from the list while it is walked: index from the end and
  // re-check the bound each time.
  for (std::size_t i = components_.size(); i > 0; --i) {
    if (i > components_.size()) continue;
    TComponent* c = components_[i - 1];
    if (c != AComponent) c->Notification(AComponent, Operation);
  }
}

}  // namespace kiv
