#pragma once
// The running processes, seen through a snapshot of their executable names.

#include <functional>
#include <string>

namespace tesk::platform {

class ProcessList {
 public:
  virtual ~ProcessList() = default;
  // Calls `visit` with each process's executable name (as the snapshot records it, possibly
  // with a path) until it returns false. Without a snapshot there is nothing to visit.
  virtual void ForEachExecutable(const std::function<bool(const std::string&)>& visit) = 0;
};

}  // namespace tesk::platform
