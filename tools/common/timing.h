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

// The same for several bodies whose samples are taken in turn, so that a busy spell of the
// machine falls on all of them alike; one median per body.
template <typename Body>
std::vector<double> MedianMicrosecondsInTurn(int samples, int repeats,
                                             const std::vector<Body>& bodies) {
  std::vector<std::vector<double>> times(bodies.size());
  for (int s = 0; s < samples; ++s) {
    for (size_t b = 0; b < bodies.size(); ++b) {
      times[b].push_back(MedianMicroseconds(1, repeats, bodies[b]));
    }
  }
  std::vector<double> medians;
  for (const auto& sampled : times) medians.push_back(Median(sampled));
  return medians;
}

}  // namespace tesk::tools
