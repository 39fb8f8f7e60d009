// levelc: compiles levels/lvlNN.txt into the game's lvlN.dat and lvlN.dat2.
//
//   levelc -o <levels folder> levels/lvl01.txt ...   compile (nothing is written if any file is bad)
//   levelc --check levels/lvl01.txt ...              only check
//   levelc --summary levels/lvl01.txt ...            check and print one line per level
//   levelc --decompile <levels folder> <n>           print a compiled level as text
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "progress/LevelFile.h"
#include "board/LevelState.h"
#include "tools/levelc/LevelText.h"

namespace {

int Usage() {
  std::cerr << "usage: levelc [-o <levels folder>] [--check] [--summary] lvlNN.txt ...\n"
               "       levelc --decompile <levels folder> <n>\n";
  return 2;
}

int Decompile(const std::string& dir, const std::string& number) {
  int n = std::atoi(number.c_str());
  bm::LevelLayout layout;
  bm::LevelRules rules;
  std::string error;
  if (n < 1 || !bm::ReadLevelFiles(dir, n, layout, rules, &error)) {
    std::cerr << "levelc: " << (error.empty() ? "bad level number " + number : error) << "\n";
    return 1;
  }
  std::cout << bm::FormatLevelText(layout, rules, "level " + std::to_string(n));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 3 && args[0] == "--decompile") return Decompile(args[1], args[2]);

  std::string outDir;
  bool summary = false;
  std::vector<std::string> files;
  for (std::size_t a = 0; a < args.size(); ++a) {
    if (args[a] == "-o" && a + 1 < args.size()) outDir = args[++a];
    else if (args[a] == "--check") outDir.clear();
    else if (args[a] == "--summary") summary = true;
    else if (!args[a].empty() && args[a][0] == '-') return Usage();
    else files.push_back(args[a]);
  }
  if (files.empty()) return Usage();

  std::vector<std::string> errors;
  std::vector<std::pair<int, bm::LevelText>> levels;
  for (const std::string& file : files) {
    int n = bm::LevelNumberOfFile(file);
    if (n < 1 || n > bm::kLevelCount) {
      errors.push_back(file + ":1: the file name must be lvl<number>.txt with a number 1.." +
                       std::to_string(bm::kLevelCount));
      continue;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
      errors.push_back(file + ":1: cannot read the file");
      continue;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t before = errors.size();
    bm::LevelText level = bm::ParseLevelText(text, file, errors);
    if (errors.size() == before) levels.emplace_back(n, std::move(level));
  }
  for (const std::string& e : errors) std::cerr << e << "\n";
  if (!errors.empty()) {
    std::cerr << "levelc: " << errors.size() << " problem(s); no level written\n";
    return 1;
  }

  if (summary) {
    std::cout << "level stage cells bubbles max kinds time  name\n";
    for (const auto& [n, level] : levels) {
      std::printf("%5d %5d %5d %7d %3d %5zu %2d:%02d %s\n", n, bm::StageOfLevel(n), bm::CountCells(level.layout),
                  bm::CountBubbles(level.layout), bm::MaxBubbles(level.layout), level.kinds.size(),
                  level.seconds / 60, level.seconds % 60, level.name.c_str());
    }
  }
  if (outDir.empty()) return 0;

  std::error_code ec;
  std::filesystem::create_directories(outDir, ec);
  for (const auto& [n, level] : levels) {
    std::string error;
    if (!bm::WriteLevelFiles(outDir, n, level.layout, level.rules, &error)) {
      std::cerr << "levelc: " << error << "\n";
      return 1;
    }
  }
  return 0;
}
