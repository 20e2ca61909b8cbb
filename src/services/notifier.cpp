#include "services/notifier.h"

namespace kiv {

void TNotifyingPersistent::EndUpdate() {
  if (update_depth_ == 0) return;
  if (--update_depth_ == 0 && change_pending_) Changed();
}

void TNotifyingPersistent::Changed() {
  if (update_depth_ > 0) {
    change_pending_ = true;
    return;
  }
  change_pending_ = false;
  if (OnChange) OnChange(this);
}

}  // namespace kiv
