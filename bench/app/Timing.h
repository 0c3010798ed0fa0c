#pragma once
// What the window benchmarks time with: the performance counter, and the
// median of the runs, which a run disturbed by the machine does not move.
#include <windows.h>

#include <algorithm>
#include <vector>

inline double Seconds(const LARGE_INTEGER& start, const LARGE_INTEGER& end) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}
