// Counting change notifications in the tests of the settings objects (text labels, crosshairs,
// date/time labels, colour arrays).
#pragma once

#include "platform/classes.h"
#include "services/notifier.h"

namespace kiv::testing {

// Connects itself to an object's OnChange and counts the notifications and their sender.
struct ChangeCounter {
  explicit ChangeCounter(TNotifyingPersistent& target) {
    target.OnChange = [this](TObject* sender) {
      ++count;
      last_sender = sender;
    };
  }
  int count = 0;
  TObject* last_sender = nullptr;
};

}  // namespace kiv::testing
