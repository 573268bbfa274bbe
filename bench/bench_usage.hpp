// CPU time and peak memory of this process (and of the children it has
// waited for), for benchmarks that report more than wall time.
#pragma once

#include <sys/resource.h>

namespace tarvik::bench {

inline double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; }

inline double cpu_seconds(int who = RUSAGE_SELF) {
  rusage usage{};
  getrusage(who, &usage);
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

inline double peak_rss_mb(int who = RUSAGE_SELF) {
  rusage usage{};
  getrusage(who, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace tarvik::bench
