// What the benchmark programs share: the median of a set of timings, and the
// folder of 9,999 photo-like files that the desktop benchmarks rename.
// Header only, so that a benchmark source copied with it builds against an
// earlier version of the program too.
#pragma once

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace bench {

inline constexpr int kPhotoCount = 9999;

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Fills the existing folder `folder` with kPhotoCount empty files
// "IMG_nnnnn.jpg", their numbers scattered so that no order comes for free.
inline void MakePhotos(const std::string& folder) {
  for (int i = 0; i < kPhotoCount; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "/IMG_%05d.jpg", (i * 7919) % 100000);
    std::ofstream(folder + name);
  }
}

}  // namespace bench
