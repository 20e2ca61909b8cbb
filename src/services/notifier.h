// TNotifyingPersistent: the change notification shared by the settings objects of the base
// services (text labels, crosshairs, date formats, colour arrays).
#pragma once

#include <string>

#include "platform/classes.h"

namespace kiv {

// An object that reports every change of its settings through OnChange. Between BeginUpdate and
// the matching EndUpdate the changes are collected and reported once, so an owner that sets
// several properties in a row repaints once.
class TNotifyingPersistent : public TPersistent {
 public:
  TNotifyingPersistent() = default;
  // Copies never take the other object's handler: it belongs to the other object's owner.
  TNotifyingPersistent(const TNotifyingPersistent&) : TPersistent() {}
  TNotifyingPersistent& operator=(const TNotifyingPersistent&) { return *this; }
  std::string ClassName() const override { return "TNotifyingPersistent"; }

  TNotifyEvent OnChange;

  void BeginUpdate() { ++update_depth_; }
  // Unbalanced calls are ignored.
  void EndUpdate();
  bool Updating() const { return update_depth_ > 0; }

 protected:
  // Fires OnChange with this object as the sender, or defers it while an update is open.
  virtual void Changed();

 private:
  int update_depth_ = 0;
  bool change_pending_ = false;
};

}  // namespace kiv
