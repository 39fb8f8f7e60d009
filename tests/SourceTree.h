// The project's own source files, read for checks on how the code is written.
#pragma once
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace bm::testing {

// Every .h and .cpp below the named top-level folders, with its path relative
// to the source root ("board/GameFrame.cpp") and its lines.
inline void ForEachSource(const std::vector<std::string>& folders,
                          const std::function<void(const std::string& path, const std::vector<std::string>& lines)>& fn) {
  namespace fs = std::filesystem;
  const fs::path root = BM_SOURCE_DIR;
  for (const std::string& folder : folders) {
    if (!fs::is_directory(root / folder)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
      const std::string ext = entry.path().extension().string();
      if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
      std::ifstream in(entry.path());
      std::vector<std::string> lines;
      for (std::string line; std::getline(in, line);) lines.push_back(line);
      fn(fs::relative(entry.path(), root).generic_string(), lines);
    }
  }
}

// The line without its // comment (a "//" inside a string is rare enough here).
inline std::string CodeOf(const std::string& line) {
  const std::size_t at = line.find("//");
  return at == std::string::npos ? line : line.substr(0, at);
}

}  // namespace bm::testing
