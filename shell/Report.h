// The JSON summary a run writes at exit (--report).
#pragma once
#include <string>

namespace bm {

struct Game;

void WriteReport(Game& g, const std::string& path);

}  // namespace bm
