// The balance table: every level played by the bot at a player's pace with
// many seeds, as a whole game would meet it (lives, bonuses, the shop state of
// a player arriving there), one row per level.
//
//   balance [--levels 1-65] [--seeds 10] [--think-ms 1500] [--lives 3] [--jobs 1]
//           [--levels-dir DIR] [--no-bonuses] [--check] [--untimed]
//
// Columns: games won of games played with the lives a player has; attempts
// used per game; the median share of the hourglass used on a won first
// attempt (and how many first attempts were won); "NO MORE MOVES" reshuffles
// per attempt; bonuses collected per game; tiles still plain when the
// hourglass ran out, per lost attempt.
//
// --untimed stops the hourglass and plays one attempt of each game to its end:
// the table then gives the game seconds a level takes (median, the slowest of
// the fastest 80 %, the slowest) and the games not won within half an hour. tools/balance.sh builds and runs it.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "board/LevelState.h"
#include "bench/harness/LevelTrial.h"

using namespace bm;

namespace {

struct Args {
  std::vector<int> levels;
  int seeds = 10;
  double thinkMs = 1500;
  int lives = 3;
  int jobs = 1;
  std::string levelsDir = "build/game/levels";
  bool bonuses = true;
  bool check = false;
  bool untimed = false;
};

// "1-65", "3 17 40", "1-8,20"
bool ParseLevels(const std::string& text, std::vector<int>& out) {
  std::string t = text;
  std::replace(t.begin(), t.end(), ',', ' ');
  const char* p = t.c_str();
  while (*p) {
    while (*p == ' ') ++p;
    if (!*p) break;
    char* end = nullptr;
    long a = std::strtol(p, &end, 10);
    if (end == p) return false;
    long b = a;
    p = end;
    if (*p == '-') {
      b = std::strtol(p + 1, &end, 10);
      if (end == p + 1) return false;
      p = end;
    }
    for (long n = std::max(1L, a); n <= std::min(65L, b); ++n) out.push_back(int(n));
  }
  return !out.empty();
}

bool Parse(int argc, char** argv, Args& a) {
  for (int i = 1; i < argc; ++i) {
    std::string k = argv[i];
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    const char* v = nullptr;
    if (k == "--no-bonuses") a.bonuses = false;
    else if (k == "--check") a.check = true;
    else if (k == "--untimed") a.untimed = true;
    else if (!(v = value())) return false;
    else if (k == "--levels") { if (!ParseLevels(v, a.levels)) return false; }
    else if (k == "--seeds") a.seeds = std::max(1, std::atoi(v));
    else if (k == "--think-ms") a.thinkMs = std::max(0.0, std::atof(v));
    else if (k == "--lives") a.lives = std::max(0, std::atoi(v));
    else if (k == "--jobs") a.jobs = std::clamp(std::atoi(v), 1, 16);
    else if (k == "--levels-dir") a.levelsDir = v;
    else return false;
  }
  if (a.levels.empty())
    for (int n = 1; n <= 65; ++n) a.levels.push_back(n);
  return true;
}

double Median(std::vector<double> v) {
  if (v.empty()) return -1;
  std::sort(v.begin(), v.end());
  std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Quantile(std::vector<double> v, double q) {
  if (v.empty()) return -1;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, std::size_t(q * double(v.size() - 1) + 0.5))];
}

struct Job {
  int level;
  std::uint64_t seed;
  LevelTrialResult r;
};

int PrintUntimed(const Args& a, const std::vector<Job>& jobs, double wall) {
  std::printf("| level | stage | time | finish s median | 80 %% | slowest | not won |\n");
  std::printf("|---:|---:|---:|---:|---:|---:|---:|\n");
  double game = 0;
  for (int n : a.levels) {
    std::vector<double> t;
    int lost = 0;
    double limit = 0;
    for (const Job& j : jobs) {
      if (j.level != n) continue;
      limit = j.r.timeLimit;
      game += j.r.gameMs / 1000;
      if (j.r.won) t.push_back(j.r.finishSeconds);
      else ++lost;
    }
    int tl = int(limit + 0.5);
    std::printf("| %d | %d | %d:%02d | %.0f | %.0f | %.0f | %d |\n", n, StageOfLevel(n), tl / 60, tl % 60, Median(t),
                Quantile(t, 0.8), Quantile(t, 1.0), lost);
  }
  std::printf("\n%zu games, %.0f game s in %.1f wall s\n", jobs.size(), game, wall);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Args a;
  if (!Parse(argc, argv, a)) {
    std::fprintf(stderr,
                 "usage: balance [--levels 1-65] [--seeds 10] [--think-ms 1500] [--lives 3] [--jobs 1]\n"
                 "               [--levels-dir DIR] [--no-bonuses] [--check] [--untimed]\n");
    return 2;
  }
  std::vector<Job> jobs;
  for (int n : a.levels)
    for (int s = 1; s <= a.seeds; ++s) jobs.push_back({n, std::uint64_t(s), {}});
  std::atomic<std::size_t> next{0};
  auto t0 = std::chrono::steady_clock::now();
  auto work = [&] {
    for (std::size_t k; (k = next++) < jobs.size();) {
      LevelTrialOptions o;
      o.level = jobs[k].level;
      o.seed = jobs[k].seed;
      o.levelsDir = a.levelsDir;
      o.thinkMs = a.thinkMs;
      o.lives = a.lives;
      o.bonusesOn = a.bonuses;
      o.checkInvariants = a.check;
      o.untimed = a.untimed;
      jobs[k].r = RunLevelTrial(o);
    }
  };
  std::vector<std::thread> threads;
  for (int j = 1; j < a.jobs; ++j) threads.emplace_back(work);
  work();
  for (std::thread& t : threads) t.join();
  double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();

  if (a.untimed) return PrintUntimed(a, jobs, wall);
  std::printf("| level | stage | time | kinds | cells | bubbles | won | attempts | first won, hourglass used | "
              "reshuffles / attempt | bonuses / game | tiles left at time-up |\n");
  std::printf("|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
  double game = 0;
  int violations = 0;
  for (int n : a.levels) {
    int won = 0, games = 0, attempts = 0, reshuffles = 0, plainLeft = 0;
    long bonuses = 0;
    std::vector<double> shares;
    const LevelTrialResult* any = nullptr;
    for (const Job& j : jobs) {
      if (j.level != n) continue;
      any = &j.r;
      ++games;
      won += j.r.won;
      attempts += j.r.attempts;
      reshuffles += j.r.reshuffles;
      plainLeft += j.r.plainAtTimeUp;
      bonuses += j.r.bonusesUsed;
      if (j.r.firstShare >= 0) shares.push_back(j.r.firstShare);
      game += j.r.gameMs / 1000;
      violations += j.r.violations;
    }
    if (!any) continue;
    double median = Median(shares);
    char share[32];
    if (median < 0) std::snprintf(share, sizeof share, "- (0)");
    else std::snprintf(share, sizeof share, "%.0f %% (%zu)", 100 * median, shares.size());
    int t = int(any->timeLimit + 0.5);
    int lost = attempts - won;
    char left[16] = "-";
    if (lost > 0) std::snprintf(left, sizeof left, "%.1f", double(plainLeft) / lost);
    std::printf("| %d | %d | %d:%02d | %d | %d | %d | %d/%d | %.1f | %s | %.1f | %.1f | %s |\n", n, StageOfLevel(n),
                t / 60, t % 60, any->kinds, any->cells, any->bubbles, won, games, double(attempts) / games, share,
                double(reshuffles) / std::max(1, attempts), double(bonuses) / games, left);
  }
  std::printf("\n%zu games, %.0f game s in %.1f wall s (%d job%s): %.0fx real time%s\n", jobs.size(), game, wall,
              a.jobs, a.jobs > 1 ? "s" : "", game / std::max(wall, 1e-9), a.check ?
              (violations ? ", INVARIANT VIOLATIONS" : ", 0 invariant violations") : "");
  return 0;
}
