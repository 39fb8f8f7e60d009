#include "shell/Replay.h"

#include <cstdio>
#include <iostream>
#include <memory>

#include "diag/Logs.h"
#include "match/Match.h"
#include "match/MatchReport.h"
#include "match/Tape.h"
#include "io/AtomicWrite.h"

namespace bm {

int ReplayGame(const RunOptions& o, Logs& logs) {
  Tape tape;
  std::string error;
  if (!ReadTape(o.replayPath, tape, &error)) {
    logs.WriteRunLog("Replay", "Cannot replay " + o.replayPath + ": " + error, true);
    std::cerr << "brinemoor: cannot replay " << o.replayPath << ": " << error << "\n";
    return 1;
  }
  auto m = std::make_unique<Match>(tape.seed, o.gameDir + "/levels");
  m->checkInvariants = tape.invariants;
  PlayTape(*m, tape, [&](const BoardEvent& e) {
    if (e.kind == BoardEvent::Kind::Log) logs.WriteRunLog(e.place, e.text, e.critical);
  });
  std::string report = "{\n" + MatchReportFields(*m, tape.seed) + "  \"replayed_steps\": " +
                       std::to_string(tape.steps.size()) + "\n}\n";
  if (o.reportPath.empty()) {
    std::cout << report;
    return 0;
  }
  if (!WriteFileAtomic(o.reportPath, report, &error)) {
    logs.WriteRunLog("Replay", "Cannot write " + o.reportPath + ": " + error, true);
    std::cerr << "brinemoor: cannot write " << o.reportPath << ": " << error << "\n";
    return 1;
  }
  return 0;
}

}  // namespace bm
