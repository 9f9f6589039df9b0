#pragma once
// A platform call that failed, carrying the system's own description of the failure.

#include <stdexcept>

namespace tesk::platform {

class PlatformError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tesk::platform
