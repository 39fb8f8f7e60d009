#include "storage/DataIni.h"

#include "io/IniReader.h"

namespace bm {

namespace {
std::string DataIniPath(const std::string& dir) { return (dir.empty() ? std::string(".") : dir) + "/" + kDataIniFileName; }
}  // namespace

bool ForceReferenceRasterizer(const std::string& dir, Logs* logs) {
  return ReadIniValue(DataIniPath(dir), kReferenceRasterizerKey, logs) == "TRUE";
}

std::string CheatModeCode(const std::string& dir, Logs* logs) {
  std::string code = ReadIniValue(DataIniPath(dir), kCheatModeCodeKey, logs);
  return code.empty() ? kBuiltInCheatCode : code;
}

// The lookup matches a key anywhere in any line, comments included, and the last
// match wins; so the notes must never repeat a key's words, and hold no "=".
std::string DefaultDataIniText() {
  return "; Brinemoor installer switches. Letter case does not matter.\r\n"
         ";\r\n"
         "; Software drawing: TRUE draws every frame in software, slow but safe on\r\n"
         "; machines whose graphics driver misbehaves. Anything else uses the hardware.\r\n"
         "Force Reference Rasterizer (REF) = FALSE\r\n"
         ";\r\n"
         "; Secret word: typed during play it toggles the hidden test mode.\r\n"
         "; Left empty, the game's own word applies.\r\n"
         "Cheat Mode Code = \r\n";
}

}  // namespace bm
