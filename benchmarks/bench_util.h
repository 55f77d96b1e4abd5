#ifndef QOR_BENCH_BENCH_UTIL_H_
#define QOR_BENCH_BENCH_UTIL_H_

#include <chrono>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double MicrosSince(Clock::time_point start) {
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// The p-th percentile (0..100) of `samples`, which it sorts.
double Percentile(std::vector<double>& samples, double p);

// Peak resident memory of this process so far, in MiB.
double PeakRssMib();

void PrintFigure(const std::string& name, double value, const std::string& unit);

}  // namespace bench

#endif  // QOR_BENCH_BENCH_UTIL_H_
