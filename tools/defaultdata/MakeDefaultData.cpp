// Writes the default "config.dat" and "data.ini" into the program folder.
// Files already there are kept (they may hold the player's own choices)
// unless --force is given.
#include <cstdio>
#include <filesystem>
#include <string>

#include "diag/Logs.h"
#include "io/AtomicWrite.h"
#include "storage/DataIni.h"
#include "storage/Settings.h"

int main(int argc, char** argv) {
  std::string dir;
  bool force = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--force")
      force = true;
    else
      dir = arg;
  }
  if (dir.empty()) {
    std::fprintf(stderr, "usage: make_default_data [--force] <program folder>\n");
    return 2;
  }
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  bm::Logs logs(dir);
  logs.SetEcho(true);
  int failures = 0;

  if (force || !std::filesystem::exists(dir + "/" + bm::kSettingsFileName)) {
    if (!bm::SaveSettings(dir, bm::DefaultSettings(), logs)) ++failures;
  }
  if (force || !std::filesystem::exists(dir + "/" + bm::kDataIniFileName)) {
    std::string error;
    if (!bm::WriteFileAtomic(dir + "/" + bm::kDataIniFileName, bm::DefaultDataIniText(), &error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
