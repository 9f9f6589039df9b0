#pragma once
// Steps whose failure is passed over: the failing step is skipped and the next one runs, as the
// bug-report fetch and window load do with a missing network, file or picture.

#include <exception>

namespace tesk {

template <typename Step>
void PassOverFailure(Step&& step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

}  // namespace tesk
