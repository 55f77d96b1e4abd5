#include "bench_util.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

namespace bench {

double Percentile(std::vector<double>& samples, double p) {
  if (samples.empty()) return 0;
  std::sort(samples.begin(), samples.end());
  size_t index = static_cast<size_t>(p / 100.0 * static_cast<double>(samples.size() - 1) + 0.5);
  return samples[std::min(index, samples.size() - 1)];
}

double PeakRssMib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}

void PrintFigure(const std::string& name, double value, const std::string& unit) {
  std::printf("figure: %s %.2f %s\n", name.c_str(), value, unit.c_str());
  std::fflush(stdout);
}

}  // namespace bench
