// The folders include one another in one direction only: every rules folder
// sees itself and the folders below it; the front folders see what is listed
// for them. A program's main file (main.cpp, *_main.cpp) stands above them all,
// as the shell does; tools/, bench/, tests/ and fuzz/ may include anything.
// Nor does a folder call a function that only a folder above it defines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/SourceTree.h"

namespace bm {
namespace {

// Low to high. The README's Layout section shows the same order.
const std::vector<std::string> kRules = {"diag", "io",       "lang",  "board", "storage", "bonus",
                                         "bot",  "progress", "match", "saves"};

const char* kOrder =
    "diag -> io -> lang -> board -> storage -> bonus -> bot -> progress -> match -> saves; platform -> diag, io; "
    "audio -> platform and the rules; render -> platform and the rules; shell -> all of these";

// The folders that `from` may include, itself among them.
std::vector<std::string> Allowed(const std::string& from) {
  auto rule = std::find(kRules.begin(), kRules.end(), from);
  if (rule != kRules.end()) return {kRules.begin(), rule + 1};
  if (from == "platform") return {"platform", "diag", "io"};
  std::vector<std::string> all = kRules;
  all.push_back("platform");
  if (from == "audio") {
    all.push_back("audio");
    return all;
  }
  all.push_back("render");
  if (from == "render") return all;
  all.push_back("audio");
  all.push_back("shell");
  return all;  // shell
}

std::vector<std::string> Folders() {
  std::vector<std::string> folders = kRules;
  for (const char* front : {"platform", "audio", "render", "shell"}) folders.push_back(front);
  return folders;
}

TEST(IncludeOrder, NoFolderIncludesOneAboveIt) {
  const std::regex include(R"(^\s*#\s*include\s+"([A-Za-z_]+)/)");
  std::string wrong;
  int seen = 0;
  testing::ForEachSource(Folders(), [&](const std::string& path, const std::vector<std::string>& lines) {
    const std::string name = path.substr(path.rfind('/') + 1);
    const bool program = name == "main.cpp" || name.ends_with("_main.cpp");
    const std::vector<std::string> allowed = Allowed(program ? "shell" : path.substr(0, path.find('/')));
    for (std::size_t n = 0; n < lines.size(); ++n) {
      std::smatch m;
      if (!std::regex_search(lines[n], m, include)) continue;
      ++seen;
      if (std::find(allowed.begin(), allowed.end(), m[1].str()) != allowed.end()) continue;
      wrong += path + ":" + std::to_string(n + 1) + ": " + lines[n] + "\n";
    }
  });
  EXPECT_GT(seen, 500) << "the scan found the sources";
  EXPECT_EQ(wrong, "") << "these includes run against the order " << kOrder;
}

// A header below may declare what only a .cpp above defines: the linker ties
// them where the includes show nothing. The objects' symbol tables show it.
TEST(IncludeOrder, NoFolderCallsWhatOnlyAFolderAboveDefines) {
  namespace fs = std::filesystem;
  std::map<std::string, std::string> folderOf;  // "shell/Autoplay.cpp.o" -> "shell"
  testing::ForEachSource(Folders(), [&](const std::string& path, const std::vector<std::string>&) {
    folderOf[path + ".o"] = path.substr(0, path.find('/'));
  });
  // The objects of every library, named by their sources' paths; one of a
  // source since removed is not read.
  std::map<std::string, std::string> objects;  // object file -> folder
  std::istringstream dirs(BM_OBJECT_DIRS);
  for (std::string dir; dirs >> dir;) {
    if (!fs::is_directory(dir)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
      auto folder = folderOf.find(fs::relative(entry.path(), dir).generic_string());
      if (folder != folderOf.end()) objects[entry.path().string()] = folder->second;
    }
  }
  std::string command = "nm -A";
  for (const auto& [object, folder] : objects) command += " " + object;
  std::map<std::string, std::string> definedIn;           // symbol -> the folder of its strong definition
  std::vector<std::pair<std::string, std::string>> used;  // folder, symbol
  FILE* nm = popen((command + " 2>/dev/null").c_str(), "r");
  ASSERT_NE(nm, nullptr);
  char buf[4096];
  while (std::fgets(buf, sizeof buf, nm)) {
    // "OBJECT:ADDRESS TYPE SYMBOL", no address for an undefined symbol.
    std::istringstream line(buf);
    std::string object, type, symbol;
    if (!std::getline(line, object, ':') || !objects.count(object)) continue;
    for (std::string word; line >> word;) type = std::exchange(symbol, word);
    if (type == "U") used.emplace_back(objects[object], symbol);
    if (type == "T" || type == "D" || type == "B" || type == "R") definedIn[symbol] = objects[object];
  }
  pclose(nm);
  EXPECT_GT(definedIn.size(), 500u) << "the scan read the objects' symbols (nm) in " << BM_OBJECT_DIRS;
  std::string wrong;
  for (const auto& [folder, symbol] : used) {
    auto def = definedIn.find(symbol);  // the standard library's are not there
    std::vector<std::string> allowed = Allowed(folder);
    if (def != definedIn.end() && std::find(allowed.begin(), allowed.end(), def->second) == allowed.end())
      wrong += folder + " calls " + symbol + " (c++filt reads it), defined in " + def->second + "/\n";
  }
  EXPECT_EQ(wrong, "") << "these calls run against the order " << kOrder;
}

}  // namespace
}  // namespace bm
