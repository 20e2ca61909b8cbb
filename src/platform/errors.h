// The library's base error class and the platform layer's own error class.
#pragma once

#include <stdexcept>
#include <string>

namespace kiv {

// Base of every error the library raises; carries the message text.
class EKIVError : public std::runtime_error {
 public:
  explicit EKIVError(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// Raised by the platform layer: unreadable image files, impossible bitmap sizes, missing fonts.
class EPlatformError : public EKIVError {
 public:
  using EKIVError::EKIVError;
};

}  // namespace kiv
