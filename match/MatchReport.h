// The game's part of a run's JSON summary: the same for a run and its replay.
#pragma once
#include <cstdint>
#include <string>

#include "match/Match.h"

namespace bm {

// JSON members, one a line, each line "  \"key\": value,"; seed is the run's seed.
std::string MatchReportFields(const Match& m, std::uint64_t seed);

}  // namespace bm
