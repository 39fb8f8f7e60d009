// The JSON summary a run writes at exit (--report).
#pragma once
#include <string>

namespace bm {

struct Services;
struct Match;

void WriteReport(Services& s, const Match& m, const std::string& path);

}  // namespace bm
