// Figures the benchmarks report.
#pragma once
#include <algorithm>
#include <vector>

namespace zt::bench {

// The middle value of the samples (the upper one of an even count); 0 without samples.
inline double Mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace zt::bench
