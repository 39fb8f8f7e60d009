// The JSON summary a run writes at exit (--report).
#pragma once
#include <string>

namespace bm {

struct Services;
struct Match;

// False (logged, and told on standard error) when the file cannot be written.
bool WriteReport(Services& s, const Match& m, const std::string& path);
// Whether the report can be written there at all, before the run: false with why.
bool CanWriteReport(const std::string& path, std::string& error);

}  // namespace bm
