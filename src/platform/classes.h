// Root classes of the platform layer: TObject, TPersistent (objects that copy their settings
// with Assign) and the notification event type used throughout the library.
#pragma once

#include <functional>
#include <string>

namespace kiv {

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = default;
  TObject& operator=(const TObject&) = default;
  virtual ~TObject() = default;
  // The class name, for messages.
  virtual std::string ClassName() const { return "TObject"; }
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// An object whose settings can be copied from another object of a compatible class.
class TPersistent : public TObject {
 public:
  std::string ClassName() const override { return "TPersistent"; }
  // Copies the settings of Source. The default asks Source to assign itself to this object
  // (AssignTo) and raises EKIVError "Cannot assign a <Source class> to a <this class>" when
  // neither side knows the other.
  virtual void Assign(const TPersistent& Source);

 protected:
  virtual void AssignTo(TPersistent& Dest) const;
};

}  // namespace kiv
