#pragma once
// The timing tools' clock and statistics: the performance counter in seconds, and medians,
// which noisy machines disturb less than means.

#include <windows.h>

#include <algorithm>
#include <vector>

namespace tesk::tools {

inline double Now() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

// Microseconds per run of `body`: the median of `samples` timings of `repeats` runs each.
template <typename Body>
double MedianMicroseconds(int samples, int repeats, Body&& body) {
  std::vector<double> times;
  for (int s = 0; s < samples; ++s) {
    const double start = Now();
    for (int r = 0; r < repeats; ++r) body();
    times.push_back((Now() - start) / repeats * 1e6);
  }
  return Median(times);
}

}  // namespace tesk::tools
