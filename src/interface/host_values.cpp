#include "interface/host_values.h"

namespace tesk {

HostValues& SharedHostValues() {
  static HostValues values;
  return values;
}

}  // namespace tesk
