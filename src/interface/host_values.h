#pragma once
// Values the host hands over through the public classes and the windows read when they load.
// They live once per loaded library, start empty and keep the last value stored.

#include <string>

namespace tesk {

struct HostValues {
  std::string aboutProductName;
  std::string aboutUserInfo;
  std::string aboutVersion;
  bool aboutIsRegistered = false;
  std::string productSymbol;
};

HostValues& SharedHostValues();

}  // namespace tesk
