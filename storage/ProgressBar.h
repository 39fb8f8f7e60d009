// The loading bar's length: how many steps the loading pass took last time,
// kept as "pbar.val" (4 bytes, a little-endian 32-bit count) in the data folder.
#pragma once
#include <string>

namespace bm {

class Logs;

inline constexpr const char* kProgressBarFile = "pbar.val";
inline constexpr int kMaxLoadingSteps = 100000;

struct LoadProgress {
  int StepsDone = 0;
  int StepsTotal = 1;  // a first run's bar stays full and its count sizes the next run's
};

// The stored count; 1 (and a run-log line unless the file is simply missing)
// for a missing, short, long or out-of-range file.
int LoadPBar(const std::string& dataDir, Logs& logs);
// Writes the count atomically; false (logged) when it cannot.
bool SavePBar(const std::string& dataDir, int steps, Logs& logs);
// How full the bar is, 0..1.
double BarFraction(const LoadProgress& p);
// How many of the loading picture's 1024 columns the filled bar covers at a
// percentage: the bar runs from column 85 to 942; 0 % shows none, 100 % all.
int LoadingBarCut(int percent);

}  // namespace bm
