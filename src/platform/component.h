// TComponent: the named, owned, notifiable base of every control. An owner lists the components
// it owns and passes removal notices on to them; it never deletes them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/classes.h"
#include "platform/types.h"

namespace kiv {

enum TComponentStateFlag : std::uint8_t {
  csLoading,  // properties are being read; Loaded follows
  csReading,  // the reader is still working on this component
  csWriting,
  csDestroying,  // the component is being destroyed
  csDesigning,   // the component lives in a form designer
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,  // other components asked to hear of this one's destruction
  csInline,
  csDesignInstance
};
using TComponentState = TSet<TComponentStateFlag>;

enum TOperation : std::uint8_t { opInsert, opRemove };

// Ownership here is bookkeeping only: C++ ownership stays with whoever created the component (a
// member or a std::unique_ptr). When an owner dies first, its components simply lose their owner;
// when a component dies first, its owner drops it from the list. Either way no pointer dangles.
//
// Notification(AComponent, opRemove) reaches (1) the owner of a dying component, (2) through the
// owner, every other component of the same owner, and (3) every component that asked for it with
// FreeNotification. A dying component is already past its derived destructors when the notices
// go out: receivers compare the pointer and clear their references, nothing more.
class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner);
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;
  ~TComponent() override;
  std::string ClassName() const override { return "TComponent"; }

  // The name must be empty or an identifier (letter or underscore, then letters, digits and
  // underscores) and unique, ignoring case, among the owner's components; otherwise
  // EPlatformError is raised and the name stays.
  const std::string& Name() const { return name_; }
  void SetName(const std::string& NewName);
  std::intptr_t Tag() const { return tag_; }
  void SetTag(std::intptr_t v) { tag_ = v; }

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  // The owned component at Index; nullptr for an index out of range.
  TComponent* Components(int Index) const;
  // Position in the owner's list, -1 without owner.
  int ComponentIndex() const;
  // The owned component with this name (ignoring case), or nullptr.
  TComponent* FindComponent(const std::string& AName) const;
  // Moves a component under this owner (taking it from its previous owner).
  void InsertComponent(TComponent& AComponent);
  void RemoveComponent(TComponent& AComponent);

  TComponentState ComponentState() const { return state_; }

  // Streaming as the form reader does it: BeginLoading sets csLoading and csReading; EndLoading
  // clears csReading and calls Loaded, whose base implementation clears csLoading. Both act on
  // this component only.
  void BeginLoading();
  void EndLoading();
  // Sets or clears csDesigning here and, when SetChildren, in every owned component. New
  // components inherit the flag from their owner.
  void SetDesigning(bool Value, bool SetChildren = true);

  // Asks for Notification(AComponent, opRemove) when AComponent dies, and tells AComponent when
  // this one dies. Components refer to each other through such plain pointers.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

 protected:
  // Called after streaming; overrides call the inherited Loaded first.
  virtual void Loaded();
  // The base passes the notice on to every owned component and forgets a removed component's
  // free-notification link. Overrides clear their references and call the inherited handler.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  // Sets csDestroying. Destructors of descendants call it first, so that code running during
  // their destruction sees the flag.
  void Destroying() { state_.Include(csDestroying); }
  // Changes the state flags directly (for descendants that track extra streaming state).
  void SetComponentState(TComponentState State) { state_ = State; }

 private:
  void Unlink(TComponent* AComponent);
  std::string name_;
  std::intptr_t tag_ = 0;
  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> free_notifies_;
  TComponentState state_;
};

}  // namespace kiv
