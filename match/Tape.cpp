#include "match/Tape.h"

#include <algorithm>
#include <cinttypes>
#include <memory>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "match/Carryover.h"
#include "match/Match.h"
#include "match/MatchFlow.h"
#include "storage/BoardFile.h"
#include "storage/ItemStatus.h"

namespace bm {

namespace {

constexpr const char* kMagic = "brinemoor-tape 1";

int ButtonBits(const MatchInput& in) {
  return (in.leftDown ? 1 : 0) | (in.rightDown ? 2 : 0) | (in.pointerInClient ? 4 : 0) | (in.pointerOverGame ? 8 : 0);
}

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

bool Unhex(const std::string& text, std::string& out) {
  if (text.size() % 2) return false;
  auto nibble = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  out.clear();
  for (std::size_t i = 0; i < text.size(); i += 2) {
    int hi = nibble(text[i]), lo = nibble(text[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out += char(hi * 16 + lo);
  }
  return true;
}

// A line of the screens' kinds: "<kind> <now> <values...> [blob]".
bool ParseScreenLine(const std::string& line, TapeStep& s) {
  const int count = TapeValueCount(s.kind);
  std::istringstream in(line.substr(1));
  if (!(in >> s.in.now)) return false;
  for (int i = 0; i < count; ++i) {
    double v = 0;
    if (!(in >> v) || !std::isfinite(v)) return false;
    s.values.push_back(v);
  }
  if (s.kind == 'D') {
    std::string blob;
    if (!(in >> blob)) return false;
    if (blob != "-" && (blob.empty() || !Unhex(blob, s.blob))) return false;
  }
  std::string rest;
  return !(in >> rest);
}

}  // namespace

int TapeValueCount(char kind) {
  switch (kind) {
    case 'L':
    case 'S':
    case 'T':
    case 'O':
    case 'E':
    case 'D': return 0;
    case 'B': return 1;
    case 'C': return 5;
    case 'P': return 8;
    case 'I': return 1 + 3 * kPlacedObjects + 2 * 11;
    default: return -1;
  }
}

TapeWriter::~TapeWriter() = default;

bool TapeWriter::Open(const std::string& path, std::uint64_t seed, bool invariants, std::string* error) {
  if (!file_.Open(path, error)) return false;
  char head[96];
  std::snprintf(head, sizeof head, "%s\nseed %" PRIu64 " invariants %d\n", kMagic, seed, invariants ? 1 : 0);
  file_.Write(head);
  return true;
}

void TapeWriter::Write(const TapeStep& s) {
  if (!file_.IsOpen()) return;
  char line[192];
  switch (s.kind) {
    case 'N': std::snprintf(line, sizeof line, "N %d %.17g %d %d\n", s.level, s.in.now, s.in.screenW, s.in.screenH); break;
    case 'R': std::snprintf(line, sizeof line, "R %.17g\n", s.in.now); break;
    case 'F':
      std::snprintf(line, sizeof line, "F %.17g %.17g %.17g %d %x %d %d\n", s.in.now, s.in.pointerX, s.in.pointerY,
                    ButtonBits(s.in), unsigned(s.in.keys), s.in.screenW, s.in.screenH);
      break;
    default: {
      std::string text = std::string(1, s.kind);
      char number[40];
      std::snprintf(number, sizeof number, " %.17g", s.in.now);
      text += number;
      for (double v : s.values) {
        std::snprintf(number, sizeof number, " %.17g", v);
        text += number;
      }
      if (s.kind == 'D') text += " " + (s.blob.empty() ? std::string("-") : Hex(s.blob));
      text += '\n';
      file_.Write(text);
      return;
    }
  }
  file_.Write(line);
}

bool TapeWriter::Close(std::string* error) { return file_.IsOpen() && file_.Commit(error); }

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
    } else if (TapeValueCount(s.kind) >= 0) {
      ok = ParseScreenLine(line, s);
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

void RecordStep(Match& m, const TapeStep& step) {
  if (m.tape) m.tape->Write(step);
}

namespace {

int Int(double v) { return int(std::clamp(v, -2e9, 2e9)); }

void PlayPlayer(Match& m, const TapeStep& s) {
  const std::vector<double>& v = s.values;
  BoardPlayer p = m.player;
  p.sunCount = Int(v[0]);
  p.parrotCount = Int(v[1]);
  p.shuffleCount = Int(v[2]);
  p.rumCount = Int(v[3]);
  p.anchorCount = Int(v[4]);
  p.rumSwap = v[5] != 0;
  p.tipsOn = v[6] != 0;
  const auto bits = std::uint64_t(std::clamp(v[7], 0.0, 4294967295.0));
  for (std::size_t i = 0; i < p.tipSeen.size(); ++i) p.tipSeen[i] = (bits >> i) & 1;
  SetMatchPlayer(m, p, s.in.now);
}

void PlayShop(Match& m, const TapeStep& s) {
  const std::vector<double>& v = s.values;
  ItemStatus status = m.items;
  const int slot = std::clamp(Int(v[0]), 0, kItemSlots - 1);
  const std::size_t at = std::size_t(slot);
  std::size_t i = 1;
  auto i16 = [&] { return std::int16_t(std::clamp(Int(v[i++]), -32768, 32767)); };
  for (PlacedObject& o : status.items[at].Object) o.Flag = i16();
  for (PlacedObject& o : status.items[at].Object) o.Index = Int(v[i++]);
  for (PlacedObject& o : status.stars[at].Object) o.Flag = i16();
  for (std::int16_t& g : status.grades[at].ChanceGrade) g = i16();
  for (std::int16_t& g : status.grades[at].PowerGrade) g = i16();
  // A hand-edited tape gets the same repairs as a damaged item file.
  SanitizeItemRecords(status.items);
  SanitizeStarRecords(status.stars);
  SanitizeGradeRecords(status.grades);
  SetShopState(m, status, slot, s.in.now);
}

void PlayBoard(Match& m, const TapeStep& s) {
  auto saved = std::make_unique<Cells>();
  if (DecodeBoard(s.blob, *saved) && BoardFitsLevel(*saved, m.cells)) PutSavedBoard(m, *saved, s.in.now);
}

}  // namespace

void PlayTape(Match& m, const Tape& tape, const std::function<void(const BoardEvent&)>& onEvent) {
  for (const TapeStep& s : tape.steps) {
    const double now = s.in.now;
    switch (s.kind) {
      case 'N':
        m.metrics = ScreenMetrics::For(s.in.screenW, s.in.screenH);
        NewGame(m, s.level, now);
        break;
      case 'R': ResumeFrames(m, now); break;
      case 'F': AdvanceFrame(m, s.in); break;
      case 'P': PlayPlayer(m, s); break;
      case 'I': PlayShop(m, s); break;
      case 'C':
        ContinueLevel(m, {Int(s.values[0]), Int(s.values[1]), Int(s.values[2]), s.values[3], s.values[4]}, now);
        break;
      case 'D': PlayBoard(m, s); break;
      case 'L': LeaveLevel(m); break;
      case 'B': BetweenLevelsDone(m, now, Int(s.values[0])); break;
      case 'S': EnterLevel(m, now); break;
      case 'T': FlipTipClosed(m, now); break;
      case 'O': EndLostGame(m); break;
      case 'E': EndFinishedGame(m); break;
      default: break;
    }
    for (const BoardEvent& e : TakeEvents(m))
      if (onEvent) onEvent(e);
  }
}

}  // namespace bm
