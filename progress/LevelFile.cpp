#include "progress/LevelFile.h"

#include "io/AtomicWrite.h"
#include "io/SafeRead.h"

namespace bm {
namespace {

void PutLE(std::vector<unsigned char>& out, std::uint32_t v, int bytes) {
  for (int b = 0; b < bytes; ++b) out.push_back(static_cast<unsigned char>(v >> (8 * b)));
}

std::uint32_t GetLE(const std::vector<unsigned char>& in, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int b = 0; b < bytes; ++b) v |= std::uint32_t(in[at + b]) << (8 * b);
  return v;
}

void SetError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

// Reads no more than the record itself: anything past it is ignored, however large.
bool ReadBytes(const std::string& path, std::size_t need, std::vector<unsigned char>& bytes, std::string* error) {
  ReadResult r = ReadFileBounded(path, need);
  if (!r.ok() && r.status != ReadStatus::TooLarge) {
    SetError(error, r.error);
    return false;
  }
  bytes.assign(r.bytes.begin(), r.bytes.end());
  if (bytes.size() < need) {
    SetError(error, path + ": " + std::to_string(bytes.size()) + " bytes, expected " + std::to_string(need));
    return false;
  }
  return true;
}

bool WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes, std::string* error) {
  return WriteFileAtomic(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), error);
}

}  // namespace

LevelLayout EmptyLatticeLayout() {
  LevelLayout layout;
  for (int i = 0; i < kBoardCellCount; ++i) {
    layout.x[i] = LatticeX(i);
    layout.y[i] = LatticeY(i);
  }
  return layout;
}

std::vector<unsigned char> EncodeLayout(const LevelLayout& layout) {
  std::vector<unsigned char> out;
  out.reserve(kLayoutBytes);
  for (int i = 0; i < kLayoutRecords; ++i) {
    PutLE(out, static_cast<std::uint32_t>(layout.x[i]), 4);
    PutLE(out, static_cast<std::uint32_t>(layout.y[i]), 4);
    PutLE(out, static_cast<std::uint32_t>(layout.kind[i]), 4);
  }
  return out;
}

std::vector<unsigned char> EncodeRules(const LevelRules& rules) {
  std::vector<unsigned char> out;
  out.reserve(kRulesBytes);
  for (int k = 0; k < kJewelSlots; ++k) PutLE(out, static_cast<std::uint16_t>(rules.allowed[k]), 2);
  PutLE(out, static_cast<std::uint32_t>(rules.time), 4);
  return out;
}

bool DecodeLayout(const std::vector<unsigned char>& bytes, LevelLayout& layout) {
  if (bytes.size() < static_cast<std::size_t>(kLayoutBytes)) return false;
  for (int i = 0; i < kLayoutRecords; ++i) {
    layout.x[i] = static_cast<std::int32_t>(GetLE(bytes, 12 * i, 4));
    layout.y[i] = static_cast<std::int32_t>(GetLE(bytes, 12 * i + 4, 4));
    layout.kind[i] = static_cast<std::int32_t>(GetLE(bytes, 12 * i + 8, 4));
  }
  return true;
}

bool DecodeRules(const std::vector<unsigned char>& bytes, LevelRules& rules) {
  if (bytes.size() < static_cast<std::size_t>(kRulesBytes)) return false;
  for (int k = 0; k < kJewelSlots; ++k) rules.allowed[k] = static_cast<std::int16_t>(GetLE(bytes, 2 * k, 2));
  rules.time = static_cast<std::int32_t>(GetLE(bytes, 2 * kJewelSlots, 4));
  return true;
}

std::string LevelFilePath(const std::string& levelsDir, int n, const std::string& ext) {
  return levelsDir + "/lvl" + std::to_string(n) + ext;
}

bool ReadLayoutFile(const std::string& path, LevelLayout& layout, std::string* error) {
  std::vector<unsigned char> bytes;
  return ReadBytes(path, kLayoutBytes, bytes, error) && DecodeLayout(bytes, layout);
}

bool ReadRulesFile(const std::string& path, LevelRules& rules, std::string* error) {
  std::vector<unsigned char> bytes;
  return ReadBytes(path, kRulesBytes, bytes, error) && DecodeRules(bytes, rules);
}

bool ReadLevelFiles(const std::string& levelsDir, int n, LevelLayout& layout, LevelRules& rules,
                    std::string* error) {
  // Read into scratch copies so a half-good pair never replaces the caller's level.
  LevelLayout newLayout;
  LevelRules newRules;
  if (!ReadLayoutFile(LevelFilePath(levelsDir, n, ".dat"), newLayout, error)) return false;
  if (!ReadRulesFile(LevelFilePath(levelsDir, n, ".dat2"), newRules, error)) return false;
  layout = newLayout;
  rules = newRules;
  return true;
}

bool WriteLayoutFile(const std::string& path, const LevelLayout& layout, std::string* error) {
  return WriteBytes(path, EncodeLayout(layout), error);
}

bool WriteRulesFile(const std::string& path, const LevelRules& rules, std::string* error) {
  return WriteBytes(path, EncodeRules(rules), error);
}

bool WriteLevelFiles(const std::string& levelsDir, int n, const LevelLayout& layout, const LevelRules& rules,
                     std::string* error) {
  return WriteLayoutFile(LevelFilePath(levelsDir, n, ".dat"), layout, error) &&
         WriteRulesFile(LevelFilePath(levelsDir, n, ".dat2"), rules, error);
}

}  // namespace bm
