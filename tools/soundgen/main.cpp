// soundgen: writes the game's sound effects, music and "Sounds.ini" into the
// program folder. Usage: soundgen <program folder> [--jobs N] [--only NAME]
// [--music-quality Q]: only the music, at Vorbis quality Q (the page's smaller
// download), into the given folder.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "Cues.h"
#include "Dsp.h"
#include "MusicTracks.h"
#include "OggWriter.h"
#include "io/AtomicWrite.h"

namespace {

using namespace bm::snd;
using Clock = std::chrono::steady_clock;

struct Job {
  std::string name;
  std::string file;  // below the program folder
  int id = 0;
  int instances = 0;
  float quality = 0.4f;
  std::function<Sound()> render;
};

struct Result {
  bool ok = false;
  std::string error;
  double seconds = 0;
  int channels = 1;
  Levels levels;
  std::size_t bytes = 0;
  double ms = 0;
};

std::vector<Job> AllJobs() {
  std::vector<Job> jobs;
  auto music = [&](const char* name, Score (*score)()) {
    Job j;
    j.name = name;
    j.file = std::string("music/") + name + ".ogg";
    j.quality = 0.35f;
    j.render = [score] {
      Sound s = RenderScore(score());
      // Level by loudness and let the limiter round off the few plucked and
      // drummed peaks that stick out.
      NormaliseRms(s, -16.0, 6.0);
      SoftLimit(s, 0.5, DbToGain(-3.0));
      return s;
    };
    jobs.push_back(j);
  };
  // The long jobs first, so the two workers finish together.
  music("track-menu", MenuTrack);
  music("track01", StageTrackA);
  music("track02", StageTrackB);
  for (const Cue& c : CueTable()) {
    Job j;
    j.name = c.name;
    j.file = CueFile(c);
    j.id = c.id;
    j.instances = c.instances;
    j.quality = c.kind == CueKind::Loop ? 0.3f : 0.4f;
    const Cue* cue = &c;
    j.render = [cue] { return RenderCue(*cue); };
    jobs.push_back(j);
  }
  return jobs;
}

Result RunJob(const Job& job, const std::string& dir) {
  Result r;
  auto start = Clock::now();
  Sound s = job.render();
  r.seconds = s.Seconds();
  r.channels = s.IsStereo() ? 2 : 1;
  r.levels = Measure(s);
  r.bytes = WriteOggVorbis(dir + "/" + job.file, s, job.quality, std::uint32_t(Noise::Hash(job.name)), r.error);
  r.ok = r.bytes > 0;
  r.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  std::string dir;
  std::string only;
  float musicQuality = -1;  // below -0.1: the music as the desktop has it, with everything else
  unsigned jobsWanted = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--jobs") && i + 1 < argc) {
      jobsWanted = unsigned(std::max(1, std::atoi(argv[++i])));
    } else if (!std::strcmp(argv[i], "--only") && i + 1 < argc) {
      only = argv[++i];
    } else if (!std::strcmp(argv[i], "--music-quality") && i + 1 < argc) {
      musicQuality = std::clamp(float(std::atof(argv[++i])), -0.1f, 1.0f);
    } else if (argv[i][0] != '-' && dir.empty()) {
      dir = argv[i];
    } else {
      std::fprintf(stderr, "usage: soundgen <program folder> [--jobs N] [--only NAME] [--music-quality Q]\n");
      return 2;
    }
  }
  if (dir.empty()) {
    std::fprintf(stderr, "usage: soundgen <program folder> [--jobs N] [--only NAME] [--music-quality Q]\n");
    return 2;
  }
  if (std::string missing = MissingBonusCues(); !missing.empty()) {
    std::fprintf(stderr, "soundgen: the bonus cues and their recipes differ: %s\n", missing.c_str());
    return 1;
  }
  auto start = Clock::now();
  std::error_code ec;
  std::filesystem::create_directories(dir + "/sfx", ec);
  std::filesystem::create_directories(dir + "/music", ec);
  if (ec) {
    std::fprintf(stderr, "soundgen: cannot create folders in %s: %s\n", dir.c_str(), ec.message().c_str());
    return 1;
  }

  std::string error;
  bool musicOnly = musicQuality >= -0.1f;
  if (only.empty() && !musicOnly && !bm::WriteFileAtomic(dir + "/Sounds.ini", SoundsIniText(), &error)) {
    std::fprintf(stderr, "soundgen: %s\n", error.c_str());
    return 1;
  }

  std::vector<Job> jobs = AllJobs();
  if (musicOnly) {
    jobs.erase(std::remove_if(jobs.begin(), jobs.end(), [](const Job& j) { return j.file.rfind("music/", 0) != 0; }),
               jobs.end());
    for (Job& j : jobs) j.quality = musicQuality;
  }
  if (!only.empty()) {
    jobs.erase(std::remove_if(jobs.begin(), jobs.end(), [&](const Job& j) { return j.name != only; }), jobs.end());
    if (jobs.empty()) {
      std::fprintf(stderr, "soundgen: no cue or track named %s\n", only.c_str());
      return 2;
    }
  }
  std::vector<Result> results(jobs.size());
  std::atomic<std::size_t> next{0};
  auto worker = [&] {
    for (std::size_t i = next++; i < jobs.size(); i = next++) results[i] = RunJob(jobs[i], dir);
  };
  std::vector<std::thread> pool;
  for (unsigned t = 1; t < std::min<std::size_t>(jobsWanted, jobs.size()); ++t) pool.emplace_back(worker);
  worker();
  for (std::thread& t : pool) t.join();

  std::printf("%-20s %3s %4s  %-28s %2s %6s %7s %7s %7s %8s %6s\n", "cue", "id", "inst", "file", "ch", "sec",
              "peak", "loud", "rms", "bytes", "ms");
  std::size_t total = 0;
  int failures = 0;
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    const Job& j = jobs[i];
    const Result& r = results[i];
    total += r.bytes;
    std::printf("%-20s %3d %4d  %-28s %2d %6.2f %7.1f %7.1f %7.1f %8zu %6.0f\n", j.name.c_str(), j.id, j.instances,
                j.file.c_str(), r.channels, r.seconds, r.levels.peakDb, r.levels.loudDb, r.levels.rmsDb, r.bytes, r.ms);
    if (!r.ok) {
      std::fprintf(stderr, "soundgen: %s: %s\n", j.name.c_str(), r.error.c_str());
      ++failures;
    }
  }
  double secs = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("%zu files, %.2f MB, %.1f s with %u workers\n", jobs.size(), double(total) / 1e6, secs, jobsWanted);
  return failures ? 1 : 0;
}
