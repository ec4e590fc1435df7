// Durations of single ticks, for medians and percentiles over a run: the
// wall time, and the CPU time of the thread next to it (the two part when the
// machine is busy with something else).
#pragma once

#include <time.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace kestrilo::bench {

class TTickTimes {
 public:
  template <class F>
  void Time(F&& step) {
    const double cpuStart = ThreadCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    step();
    const auto end = std::chrono::steady_clock::now();
    cpuSeconds_.push_back(ThreadCpuSeconds() - cpuStart);
    seconds_.push_back(std::chrono::duration<double>(end - start).count());
  }
  size_t Count() const { return seconds_.size(); }
  // The last tick's wall time, in seconds.
  double Last() const { return seconds_.empty() ? 0 : seconds_.back(); }
  // The q-quantile (0.5 the median) of the first `first` ticks (all by default), in seconds.
  double Quantile(double q, size_t first = static_cast<size_t>(-1)) const { return QuantileOf(seconds_, q, first); }
  // The same of the CPU times.
  double CpuQuantile(double q, size_t first = static_cast<size_t>(-1)) const {
    return QuantileOf(cpuSeconds_, q, first);
  }

 private:
  static double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
  }
  static double QuantileOf(const std::vector<double>& all, double q, size_t first) {
    std::vector<double> s(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(std::min(first, all.size())));
    if (s.empty()) return 0;
    const auto k = static_cast<std::ptrdiff_t>(q * static_cast<double>(s.size() - 1));
    std::nth_element(s.begin(), s.begin() + k, s.end());
    return s[static_cast<size_t>(k)];
  }

  std::vector<double> seconds_;
  std::vector<double> cpuSeconds_;
};

}  // namespace kestrilo::bench
