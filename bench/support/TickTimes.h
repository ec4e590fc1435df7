// Durations of single ticks, for medians and percentiles over a run.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

namespace kestrilo::bench {

class TTickTimes {
 public:
  template <class F>
  void Time(F&& step) {
    const auto start = std::chrono::steady_clock::now();
    step();
    const auto end = std::chrono::steady_clock::now();
    seconds_.push_back(std::chrono::duration<double>(end - start).count());
  }
  size_t Count() const { return seconds_.size(); }
  // The q-quantile (0.5 the median) of the first `first` ticks (all by default), in seconds.
  double Quantile(double q, size_t first = static_cast<size_t>(-1)) const {
    std::vector<double> s(seconds_.begin(), seconds_.begin() + static_cast<std::ptrdiff_t>(std::min(first, Count())));
    if (s.empty()) return 0;
    const auto k = static_cast<std::ptrdiff_t>(q * static_cast<double>(s.size() - 1));
    std::nth_element(s.begin(), s.begin() + k, s.end());
    return s[static_cast<size_t>(k)];
  }

 private:
  std::vector<double> seconds_;
};

}  // namespace kestrilo::bench
