#pragma once
// A fuzz target's check: a broken invariant aborts, and libFuzzer keeps the input that broke it.

#include <cstdlib>

namespace tesk::fuzz {

inline void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace tesk::fuzz
