#include "platform/classes.h"

#include "platform/errors.h"

namespace kiv {

void TPersistent::Assign(const TPersistent& Source) {
  Source.AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent& Dest) const {
  throw EKIVError("Cannot assign a " + ClassName() + " to a " + Dest.ClassName());
}

}  // namespace kiv
