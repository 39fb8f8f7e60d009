#include "match/Tape.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "match/Match.h"

namespace bm {

namespace {

constexpr const char* kMagic = "brinemoor-tape 1";

int ButtonBits(const MatchInput& in) {
  return (in.leftDown ? 1 : 0) | (in.rightDown ? 2 : 0) | (in.pointerInClient ? 4 : 0) | (in.pointerOverGame ? 8 : 0);
}

}  // namespace

TapeWriter::~TapeWriter() {
  if (!file_) return;
  std::fclose(file_);
  std::remove(temp_.c_str());
}

bool TapeWriter::Open(const std::string& path, std::uint64_t seed, bool invariants, std::string* error) {
  path_ = path;
  temp_ = path + ".tmp";
  file_ = std::fopen(temp_.c_str(), "w");
  if (!file_) {
    if (error) *error = "cannot write " + temp_;
    return false;
  }
  std::fprintf(file_, "%s\nseed %" PRIu64 " invariants %d\n", kMagic, seed, invariants ? 1 : 0);
  return true;
}

void TapeWriter::Write(const TapeStep& s) {
  if (!file_) return;
  int n = 0;
  switch (s.kind) {
    case 'N': n = std::fprintf(file_, "N %d %.17g %d %d\n", s.level, s.in.now, s.in.screenW, s.in.screenH); break;
    case 'R': n = std::fprintf(file_, "R %.17g\n", s.in.now); break;
    default:
      n = std::fprintf(file_, "F %.17g %.17g %.17g %d %x %d %d\n", s.in.now, s.in.pointerX, s.in.pointerY,
                       ButtonBits(s.in), unsigned(s.in.keys), s.in.screenW, s.in.screenH);
  }
  if (n < 0) failed_ = true;
}

bool TapeWriter::Close(std::string* error) {
  if (!file_) return false;
  bool ok = !failed_ && std::fflush(file_) == 0;
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  if (ok) ok = std::rename(temp_.c_str(), path_.c_str()) == 0;
  if (!ok) {
    std::remove(temp_.c_str());
    if (error) *error = "cannot write " + path_;
  }
  return ok;
}

bool ParseTape(const std::string& text, Tape& tape, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line != kMagic) return fail("not a tape (first line)");
  if (!std::getline(in, line)) return fail("no seed line");
  unsigned long long seed = 0;
  int inv = 0;
  if (std::sscanf(line.c_str(), "seed %llu invariants %d", &seed, &inv) != 2) return fail("garbled seed line");
  tape = Tape{};
  tape.seed = seed;
  tape.invariants = inv != 0;
  for (int number = 3; std::getline(in, line); ++number) {
    if (line.empty()) continue;
    TapeStep s;
    s.kind = line[0];
    bool ok = false;
    if (s.kind == 'N') {
      ok = std::sscanf(line.c_str(), "N %d %lf %d %d", &s.level, &s.in.now, &s.in.screenW, &s.in.screenH) == 4 &&
           s.level >= 1 && s.level <= 65;
    } else if (s.kind == 'R') {
      ok = std::sscanf(line.c_str(), "R %lf", &s.in.now) == 1;
    } else if (s.kind == 'F') {
      int bits = 0;
      unsigned keys = 0;
      ok = std::sscanf(line.c_str(), "F %lf %lf %lf %d %x %d %d", &s.in.now, &s.in.pointerX, &s.in.pointerY, &bits,
                       &keys, &s.in.screenW, &s.in.screenH) == 7;
      s.in.leftDown = bits & 1;
      s.in.rightDown = bits & 2;
      s.in.pointerInClient = bits & 4;
      s.in.pointerOverGame = bits & 8;
      s.in.keys = keys;
    }
    ok = ok && s.in.screenW > 0 && s.in.screenH > 0 && s.in.screenW <= 16384 && s.in.screenH <= 16384 &&
         std::isfinite(s.in.now) && std::isfinite(s.in.pointerX) && std::isfinite(s.in.pointerY);
    if (!ok) return fail("garbled line " + std::to_string(number));
    tape.steps.push_back(s);
  }
  return true;
}

bool ReadTape(const std::string& path, Tape& tape, std::string* error) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    if (error) *error = "cannot open " + path;
    return false;
  }
  // An hour of frames is a few tens of megabytes; far more is not a tape.
  constexpr std::size_t kMaxTapeBytes = std::size_t(1) << 30;
  std::string text;
  char buf[65536];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0 && text.size() <= kMaxTapeBytes;) text.append(buf, n);
  std::fclose(f);
  if (text.size() > kMaxTapeBytes) {
    if (error) *error = path + " is too large for a tape";
    return false;
  }
  return ParseTape(text, tape, error);
}

void PlayTape(Match& m, const Tape& tape, const std::function<void(const BoardEvent&)>& onEvent) {
  for (const TapeStep& s : tape.steps) {
    switch (s.kind) {
      case 'N':
        m.metrics = ScreenMetrics::For(s.in.screenW, s.in.screenH);
        NewGame(m, s.level, s.in.now);
        break;
      case 'R': ResumeFrames(m, s.in.now); break;
      default: AdvanceFrame(m, s.in); break;
    }
    for (const BoardEvent& e : TakeEvents(m))
      if (onEvent) onEvent(e);
  }
}

}  // namespace bm
