// The manual page (data/brinemoor.6) and --help list the same options, each with
// the same value name, and every option the page names is one the program takes.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "tests/TempDir.h"
#include "shell/Options.h"
#include "storage/DataIni.h"

namespace bm {
namespace {

using OptionList = std::map<std::string, std::string>;  // option -> its value's name, "" for a switch

OptionList HelpOptions() {
  OptionList out;
  std::regex line(R"(\n  (--[a-z-]+)( [A-Z]+)? )");
  std::string help = "\n" + UsageText();
  for (std::sregex_iterator it(help.begin(), help.end(), line), end; it != end; ++it)
    out[(*it)[1]] = (*it)[2].matched ? std::string((*it)[2]).substr(1) : "";
  return out;
}

// The page's text with roff's escaped hyphens and font changes taken out.
std::string PlainPage() {
  std::string page = test::ReadText(std::string(BM_SOURCE_DIR) + "/data/brinemoor.6");
  page = std::regex_replace(page, std::regex(R"(\\-)"), "-");
  return std::regex_replace(page, std::regex(R"(\\f[BIRP])"), "");
}

TEST(ManualPage, ListsEveryOptionOfHelpWithItsValueAndTheLineTakesOnlyWhatIsThere) {
  OptionList help = HelpOptions();
  ASSERT_GE(help.size(), 20u) << UsageText();
  std::string page = PlainPage();
  // An item of the page: ".TP" then ".B --name" or ".BI --name \" VALUE\"".
  OptionList items;
  std::regex item(R"re(\.TP\n\.BI? (--[a-z-]+)(?: " ([A-Z]+)")?\n)re");
  for (std::sregex_iterator it(page.begin(), page.end(), item), end; it != end; ++it) items[(*it)[1]] = (*it)[2];
  EXPECT_EQ(items, help) << "each option of --help has one item in OPTIONS, with the value name --help gives";

  std::regex named(R"(--[a-z][a-z-]*)");
  for (std::sregex_iterator it(page.begin(), page.end(), named), end; it != end; ++it) {
    std::string option = it->str();
    auto known = help.find(option);
    EXPECT_NE(known, help.end()) << option << " is named by the page but not by --help";
    RunOptions o;
    std::string error;
    std::vector<std::string> args = {"brinemoor", option};
    if (known != help.end() && !known->second.empty())
      args.push_back(option == "--renderer" ? "auto" : option == "--language" ? "de" : "1");
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    EXPECT_TRUE(ParseCommandLine(int(argv.size()), argv.data(), o, error)) << option << ": " << error;
  }
  // Both tell the keys and how cheat mode goes on.
  for (const std::string& text : {UsageText(), page})
    for (const char* word : {"F12", "Escape", "Backspace", kBuiltInCheatCode, "Cheat Mode Code", "Page Down"})
      EXPECT_NE(text.find(word), std::string::npos) << word << " missing from:\n" << text;
  // The command line takes only a language the game has, a named data folder and a renderer of three.
  const std::tuple<std::string, std::string, bool> cases[] = {
      {"--language", "de_AT", true}, {"--language", "pt-BR", true}, {"--language", "xx", false},
      {"--data-dir", "", false},     {"--renderer", "software", true}, {"--renderer", "vulkan", false}};
  for (auto [option, value, ok] : cases) {
    RunOptions o;
    std::string error, name = "brinemoor";
    char* argv[] = {name.data(), option.data(), value.data()};
    EXPECT_EQ(ParseCommandLine(3, argv, o, error), ok) << option << " " << value << ": " << error;
  }
}

}  // namespace
}  // namespace bm
