// Run-log lines with what the pictures (by class) and the sound bank cost,
// written at shut-down for the benchmark's memory figures.
#pragma once

namespace bm {

struct Services;

void LogMemory(Services& s);

}  // namespace bm
