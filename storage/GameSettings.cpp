#include "storage/GameSettings.h"

#include "diag/Logs.h"
#include "io/AtomicWrite.h"
#include "io/SafeRead.h"
#include "lang/Language.h"
#include "storage/SaveFolder.h"

namespace bm {

namespace {
std::string FilePath(const std::string& dir) { return (dir.empty() ? std::string(".") : dir) + "/" + kGameSettingsFile; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}
}  // namespace

std::optional<GameSettings> ParseGameSettings(std::string_view text) {
  if (text.size() > kGameSettingsMaxBytes) return std::nullopt;
  for (char ch : text)
    if ((unsigned char)ch < 0x20 && ch != '\n' && ch != '\r' && ch != '\t') return std::nullopt;
  GameSettings s;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty() || line.front() == '#') continue;
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || eq == 0) return std::nullopt;
    std::string_view key = Trim(line.substr(0, eq)), value = Trim(line.substr(eq + 1));
    if (key == "Language") {
      s.Language = value.empty() ? std::string() : LanguageOfLocale(value);
      if (!value.empty() && s.Language.empty()) return std::nullopt;
    } else {
      s.Others.append(line).push_back('\n');
    }
  }
  return s;
}

std::string SerializeGameSettings(const GameSettings& s) {
  std::string out = "# Brinemoor's own settings (config.dat keeps the classic options)\n";
  if (!s.Language.empty()) out += "Language=" + s.Language + "\n";
  return out + s.Others;
}

GameSettings LoadGameSettings(const std::string& dataDir, Logs& logs) {
  constexpr const char* kPlace = "LoadGameSettings";
  const std::string path = FilePath(dataDir);
  const ReadResult raw = ReadFileBounded(path, kGameSettingsMaxBytes);
  if (raw.status == ReadStatus::Missing) return {};
  std::optional<GameSettings> s;
  if (raw.ok()) s = ParseGameSettings(raw.bytes);
  if (s) return *s;
  if (!raw.ok() && raw.status != ReadStatus::TooLarge) {
    LogReadFailure(logs, kPlace, raw, "the desktop's language is used");
    return {};
  }
  logs.WriteRunLog(kPlace, "\"" + path + "\" damaged; the desktop's language is used");
  SaveFolder folder;
  folder.dataDir = dataDir;
  folder.logs = &logs;
  KeepDamagedFile(folder, kPlace, path);
  return {};
}

bool SaveGameSettings(const std::string& dataDir, const GameSettings& s, Logs& logs) {
  std::string error;
  if (WriteFileAtomic(FilePath(dataDir), SerializeGameSettings(s), &error)) return true;
  logs.WriteRunLog("SaveGameSettings", error);
  return false;
}

}  // namespace bm
