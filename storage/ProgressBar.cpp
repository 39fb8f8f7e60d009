#include "storage/ProgressBar.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "diag/LogTags.h"
#include "diag/Logs.h"
#include "io/AtomicWrite.h"
#include "io/SafeRead.h"
#include "lang/Tr.h"

namespace bm {

namespace {
std::string PathIn(const std::string& dir) { return dir + "/" + kProgressBarFile; }
}  // namespace

int LoadPBar(const std::string& dataDir, Logs& logs) {
  const std::string path = PathIn(dataDir);
  ReadResult r = ReadFileBounded(path, 4);
  if (r.status == ReadStatus::Missing) return 1;
  if (r.status == ReadStatus::IoError || r.status == ReadStatus::NotRegularFile) {
    logs.WriteRunLog(logtag::kLoadPBar, r.error + "; the bar starts full; it is left as it is, never saved over");
    NoticeUnreadable(r, path);
    return 1;
  }
  std::string why;
  std::int32_t n = 0;
  if (!r.ok() || r.bytes.size() != 4) {
    why = r.ok() ? std::string(kProgressBarFile) + " holds " + std::to_string(r.bytes.size()) + " bytes, not 4"
                 : std::string(kProgressBarFile) + " is longer than 4 bytes";
  } else {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | std::uint8_t(r.bytes[std::size_t(i)]);
    n = std::int32_t(v);
    if (n >= 1 && n <= kMaxLoadingSteps) return n;
    why = std::string(kProgressBarFile) + " holds " + std::to_string(n) + ", out of range";
  }
  logs.WriteRunLog(logtag::kLoadPBar, why + "; the bar starts full");
  KeepDamagedFile(&logs, logtag::kLoadPBar, path);
  return 1;
}

bool SavePBar(const std::string& dataDir, int steps, Logs& logs) {
  auto v = std::uint32_t(std::clamp(steps, 1, kMaxLoadingSteps));
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[std::size_t(i)] = char((v >> (8 * i)) & 255);
  Wording error;
  if (WriteFileAtomic(PathIn(dataDir), bytes, &error)) return true;
  logs.WriteRunLog(logtag::kSavePBar, "Cannot write " + std::string(kProgressBarFile) + ": " + error.English());
  // TRANSLATORS: A notice over any screen (and the web page's status line), %s the reason ("cannot write
  // \"/home/mary/.local/share/brinemoor/saves/players.dat\": No space left on device"). Wrapped over several lines;
  // room: about half again as long as the English.
  NoticeNotSaved(TrNoop("The loading bar's length could not be saved: %s. The last save is kept."), PathIn(dataDir),
                 error);
  return false;
}

int LoadingBarCut(int percent) {
  if (percent <= 0) return 0;
  if (percent >= 100) return 1023;
  return int(std::nearbyint(percent * 857 / 100.0 + 85));
}

double BarFraction(const LoadProgress& p) {
  if (p.StepsTotal <= 0) return 1;
  return std::clamp(double(p.StepsDone) / p.StepsTotal, 0.0, 1.0);
}

}  // namespace bm
