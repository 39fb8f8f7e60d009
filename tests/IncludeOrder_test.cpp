// The folders include one another in one direction only: every rules folder
// sees itself and the folders below it; the front folders see what is listed
// for them. A program's main file (main.cpp, *_main.cpp) stands above them all,
// as the shell does; tools/, bench/, tests/ and fuzz/ may include anything.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "tests/SourceTree.h"

namespace bm {
namespace {

// Low to high. The README's Layout section shows the same order.
const std::vector<std::string> kRules = {"diag", "io",       "lang",  "board", "storage", "bonus",
                                         "bot",  "progress", "match", "saves"};

const char* kOrder =
    "diag -> io -> lang -> board -> storage -> bonus -> bot -> progress -> match -> saves; platform -> diag, io; "
    "audio -> platform, io, diag; render -> platform and the rules; shell -> all of these";

// The folders that `from` may include, itself among them.
std::vector<std::string> Allowed(const std::string& from) {
  auto rule = std::find(kRules.begin(), kRules.end(), from);
  if (rule != kRules.end()) return {kRules.begin(), rule + 1};
  if (from == "platform") return {"platform", "diag", "io"};
  if (from == "audio") return {"audio", "platform", "io", "diag"};
  std::vector<std::string> all = kRules;
  all.push_back("platform");
  all.push_back("render");
  if (from == "render") return all;
  all.push_back("audio");
  all.push_back("shell");
  return all;  // shell
}

TEST(IncludeOrder, NoFolderIncludesOneAboveIt) {
  std::vector<std::string> folders = kRules;
  for (const char* front : {"platform", "audio", "render", "shell"}) folders.push_back(front);
  const std::regex include(R"(^\s*#\s*include\s+"([A-Za-z_]+)/)");
  std::string wrong;
  int seen = 0;
  testing::ForEachSource(folders, [&](const std::string& path, const std::vector<std::string>& lines) {
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

}  // namespace
}  // namespace bm
