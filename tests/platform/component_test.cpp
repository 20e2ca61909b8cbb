#include "platform/component.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/errors.h"

namespace kiv {
namespace {

// A component that refers to another one, the way a chart refers to the chart whose data it
// shows.
class TUser : public TComponent {
 public:
  using TComponent::TComponent;
  TComponent* Source = nullptr;
  int Removals = 0;
  void SetSource(TComponent* s) {
    Source = s;
    if (s != nullptr) FreeNotification(s);
  }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == Source) {
      Source = nullptr;
      ++Removals;
    }
  }
};

class TLoadable : public TComponent {
 public:
  using TComponent::TComponent;
  bool LoadingSeenInLoaded = false;

 protected:
  void Loaded() override {
    TComponent::Loaded();
    LoadingSeenInLoaded = ComponentState().Contains(csLoading);
  }
};

TEST(ComponentOwnership, OwnerListsItsComponentsAndForgetsThoseThatDie) {
  TComponent owner(nullptr);
  TComponent a(&owner);
  {
    TComponent b(&owner);
    EXPECT_EQ(owner.ComponentCount(), 2);
    EXPECT_EQ(owner.Components(1), &b);
    EXPECT_EQ(b.Owner(), &owner);
  }
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), &a);
  EXPECT_EQ(owner.Components(5), nullptr);
}

TEST(ComponentOwnership, ComponentsOutliveTheirOwnerWithoutDanglingPointer) {
  auto owner = std::make_unique<TComponent>(nullptr);
  TComponent a(owner.get());
  owner.reset();
  EXPECT_EQ(a.Owner(), nullptr);
}

TEST(ComponentOwnership, InsertComponentMovesBetweenOwners) {
  TComponent first(nullptr), second(nullptr);
  TComponent c(&first);
  second.InsertComponent(c);
  EXPECT_EQ(first.ComponentCount(), 0);
  EXPECT_EQ(second.ComponentCount(), 1);
  EXPECT_EQ(c.Owner(), &second);
}

TEST(ComponentNames, NamesAreIdentifiersUniqueUnderOneOwner) {
  TComponent owner(nullptr);
  TComponent a(&owner), b(&owner);
  a.SetName("RC_FScale_X_1");
  EXPECT_EQ(owner.FindComponent("rc_fscale_x_1"), &a);
  EXPECT_THROW(b.SetName("RC_FSCALE_X_1"), EPlatformError);
  EXPECT_THROW(b.SetName("1st"), EPlatformError);
  EXPECT_THROW(b.SetName("has space"), EPlatformError);
  EXPECT_EQ(b.Name(), "");
  b.SetName("Second");
  a.SetName("RC_FScale_X_1");  // its own name again is fine
  EXPECT_EQ(b.Name(), "Second");
}

TEST(ComponentNotification, FreeNotificationClearsTheReferenceWhenTheSourceDies) {
  TUser user(nullptr);
  {
    TComponent source(nullptr);
    user.SetSource(&source);
    EXPECT_TRUE(source.ComponentState().Contains(csFreeNotification));
  }
  EXPECT_EQ(user.Source, nullptr);
  EXPECT_EQ(user.Removals, 1);
}

TEST(ComponentNotification, DyingUserUnregistersSoTheSourceCanDieLater) {
  auto source = std::make_unique<TComponent>(nullptr);
  {
    TUser user(nullptr);
    user.SetSource(source.get());
  }
  EXPECT_FALSE(source->ComponentState().Contains(csFreeNotification));
  source.reset();  // must not call into the destroyed user
}

TEST(ComponentNotification, SiblingsHearOfEachOthersDeathThroughTheirOwner) {
  TComponent form(nullptr);
  TUser user(&form);
  {
    TComponent sibling(&form);
    user.Source = &sibling;  // no FreeNotification: the owner passes the notice on
  }
  EXPECT_EQ(user.Source, nullptr);
}

TEST(ComponentNotification, OwnerDyingFirstLeavesUserWithoutSource) {
  auto form = std::make_unique<TComponent>(nullptr);
  auto source = std::make_unique<TComponent>(form.get());
  TUser user(nullptr);
  user.SetSource(source.get());
  form.reset();
  EXPECT_EQ(source->Owner(), nullptr);
  source.reset();
  EXPECT_EQ(user.Source, nullptr);
}

TEST(ComponentState, LoadedClearsLoadingAfterTheInheritedCall) {
  TLoadable c(nullptr);
  c.BeginLoading();
  EXPECT_TRUE(c.ComponentState().Contains(csLoading));
  EXPECT_TRUE(c.ComponentState().Contains(csReading));
  c.EndLoading();
  EXPECT_FALSE(c.ComponentState().Contains(csLoading));
  EXPECT_FALSE(c.ComponentState().Contains(csReading));
  EXPECT_FALSE(c.LoadingSeenInLoaded);
}

TEST(ComponentState, DesigningPassesToOwnedAndNewComponents) {
  TComponent form(nullptr);
  TComponent early(&form);
  form.SetDesigning(true);
  TComponent late(&form);
  EXPECT_TRUE(early.ComponentState().Contains(csDesigning));
  EXPECT_TRUE(late.ComponentState().Contains(csDesigning));
  form.SetDesigning(false);
  EXPECT_FALSE(late.ComponentState().Contains(csDesigning));
}

}  // namespace
}  // namespace kiv
