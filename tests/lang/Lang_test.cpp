// The translations at run time: the catalogue reader (plural forms of each of our
// languages, lookups with a context, damaged files refused), Format, the choice
// of language from the command line, the kept choice and the desktop, and a
// missing or damaged catalogue.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "diag/Logs.h"
#include "lang/Catalogue.h"
#include "lang/Language.h"
#include "lang/Tr.h"
#include "tests/TempDir.h"

namespace bm {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using Entries = std::vector<std::pair<std::string, std::string>>;

// A ".mo" file as msgfmt writes one (little-endian, no hash table).
std::string MakeMo(const Entries& entries) {
  auto u32 = [](std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s.push_back(char(v >> (8 * i)));
  };
  const std::uint32_t n = std::uint32_t(entries.size()), originals = 28, translations = 28 + 8 * n;
  std::string head, tables, strings;
  for (std::uint32_t v : {0x950412deu, 0u, n, originals, translations, 0u, 28 + 16 * n}) u32(head, v);
  std::string keys, values;
  std::uint32_t at = 28 + 16 * n;
  for (int pass = 0; pass < 2; ++pass)
    for (const auto& [key, value] : entries) {
      const std::string& s = pass == 0 ? key : value;
      u32(pass == 0 ? keys : values, std::uint32_t(s.size()));
      u32(pass == 0 ? keys : values, at);
      strings += s + '\0';
      at += std::uint32_t(s.size()) + 1;
    }
  return head + keys + values + strings;
}

std::string Header(const std::string& plural) {
  return "Project-Id-Version: Brinemoor\nContent-Type: text/plain; charset=UTF-8\nLanguage: xx\nPlural-Forms: " +
         plural + "\n";
}

const char* kPolish = "nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);";

TEST(Catalogue, PluralFormsOfOurLanguages) {
  const struct {
    const char* rule;
    std::vector<std::pair<std::uint64_t, int>> forms;  // n, its form
  } kCases[] = {
      {"nplurals=2; plural=(n != 1);", {{0, 1}, {1, 0}, {2, 1}, {21, 1}}},   // en de es it nl
      {"nplurals=2; plural=(n > 1);", {{0, 0}, {1, 0}, {2, 1}, {1000, 1}}},  // fr pt_BR
      {kPolish, {{1, 0}, {2, 1}, {4, 1}, {5, 2}, {12, 2}, {13, 2}, {22, 1}, {25, 2}, {112, 2}, {122, 1}, {0, 2}}},
      {"nplurals=2; plural=n*5;", {{0, 0}, {1, 0}}},  // a form past the last one: the first
      {"nplurals=1; plural=0;", {{1, 0}, {7, 0}}},
      {" nplurals = 3 ; plural = n%3 ; ", {{4, 1}, {5, 2}}},
      {"nplurals=2; plural=!(n<=1) && 1 ? 1 : 0;", {{1, 0}, {2, 1}}},
      {"nplurals=2; plural=n/0 + n%0;", {{3, 0}}},  // dividing by zero gives 0
  };
  for (const auto& k : kCases) {
    std::optional<Catalogue> c = ParseCatalogue(MakeMo({{"", Header(k.rule)}, {std::string("day\0days", 8), std::string("1\0002\0003", 5)}}));
    ASSERT_TRUE(c) << k.rule;
    for (auto [n, form] : k.forms) {
      EXPECT_EQ(c->plural.FormOf(n), form) << k.rule << " n=" << n;
      const std::string* t = c->Find("", "day", n);
      ASSERT_TRUE(t) << k.rule << " n=" << n;
      EXPECT_EQ(*t, std::to_string(form + 1)) << k.rule << " n=" << n;
    }
  }
  for (const char* bad : {"nplurals=2; plural=(n != 1;", "nplurals=0; plural=0;", "nplurals=7; plural=n;",
                          "nplurals=2;", "nplurals=2; plural=n ? 1;", "nplurals=2; plural=k;",
                          "nplurals=2; plural=((((((((((((((((((((((((((((((((((((((((((n))))))))))))))))))))))))))))))))))))));"})
    EXPECT_FALSE(PluralRule::Parse(bad)) << bad;
}

TEST(Catalogue, LooksUpTextsWithTheirContextFormatsAndRefusesDamage) {
  const std::string mo = MakeMo({{"", Header(kPolish)},
                                 {"Play", "Graj"},
                                 {std::string("button\x04OK"), "OK!"},
                                 {"Untranslated", ""},
                                 {"%s, kept", "%s, zostaje"},
                                 {"\"%s\" is a FIFO", "\u201E%s\u201D to FIFO"},
                                 {std::string("+%d second\0+%d seconds", 22), std::string("+%d sekunda\0+%d sekundy\0+%d sekund", 34)}});
  std::string error;
  std::optional<Catalogue> c = ParseCatalogue(mo, &error);
  ASSERT_TRUE(c) << error;
  EXPECT_EQ(std::tuple(c->language, *c->Find("", "Play"), *c->Find("button", "OK"), *c->Find("", "+%d second", 5)),
            std::tuple("xx"s, "Graj"s, "OK!"s, "+%d sekund"s));
  EXPECT_TRUE(!c->Find("", "OK") && !c->Find("", "Untranslated"))
      << "the context is part of the key; an empty translation is none";

  UseCatalogue(std::make_unique<const Catalogue>(*c), "pl");
  EXPECT_STREQ(Tr("Play"), "Graj");
  EXPECT_STREQ(Tr("Exit Game"), "Exit Game") << "a text the catalogue lacks stays English";
  EXPECT_STREQ(TrC("button", "OK"), "OK!");
  EXPECT_EQ(Format(TrN("+%d second", "+%d seconds", 22), {"22"}), "+22 sekundy");
  EXPECT_EQ(Tr(Words("%s, kept", {Words("\"%s\" is a FIFO", {AsIs("Play")})})), "\u201EPlay\u201D to FIFO, zostaje")
      << "a wording's parts translated in turn, a file name as it is";
  EXPECT_EQ(Tr(Wording()), "") << "no notice is not the catalogue's head";
  UseCatalogue(nullptr, kEnglish);
  EXPECT_STREQ(TrN("+%d second", "+%d seconds", 1), "+%d second");
  EXPECT_STREQ(TrN("+%d second", "+%d seconds", 30), "+%d seconds");
  EXPECT_EQ(CurrentLanguage(), "en");

  // Cut short anywhere, or with a string's end (its NUL) or a table's offset (far past the end) broken, it is
  // refused with a reason.
  for (std::size_t n = 0; n < mo.size(); ++n) EXPECT_FALSE(ParseCatalogue(mo.substr(0, n), &error)) << "cut at " << n;
  for (auto [at, byte] : {std::pair(mo.find("Graj") + 4, 'x'), std::pair(std::size_t(15), char(0x7F))}) {
    std::string damaged = mo;
    damaged[at] = byte;
    EXPECT_FALSE(ParseCatalogue(damaged, &error)) << at;
  }
  EXPECT_FALSE(ParseCatalogue(MakeMo({{"", Header("nplurals=2; plural=(n != 1;")}}), &error));
  EXPECT_NE(error.find("Plural-Forms"), std::string::npos) << error;
  // Format puts the arguments where the pattern says.
  EXPECT_EQ(Format("Stage: %d Level: %d", {"3", "4"}), "Stage: 3 Level: 4");
  EXPECT_EQ(Format("%2$s, %1$s!", {"Anne", "Ahoy"}), "Ahoy, Anne!");
  EXPECT_EQ(Format("Chance: %s%%", {"12,50"}), "Chance: 12,50%");
  EXPECT_EQ(Format("%s %s %q %", {"one"}), "one %s %q %") << "a directive without its argument stays";
}

TEST(Language, ChosenFromTheCommandLineTheKeptChoiceOrTheDesktop) {
  const struct {
    const char* commandLine;
    const char* kept;
    std::map<std::string, std::string> env;
    const char* want;
  } kCases[] = {
      {"", "", {}, "en"},
      {"", "", {{"LANG", "de_DE.UTF-8"}}, "de"},
      {"", "", {{"LANG", "de_AT.UTF-8"}}, "de"},
      {"", "", {{"LANG", "pt_BR.UTF-8"}}, "pt_BR"},
      {"", "", {{"LANG", "pt_PT.UTF-8"}}, "pt_BR"},  // the only Portuguese we have
      {"", "", {{"LANG", "sv_SE.UTF-8"}}, "en"},
      {"", "", {{"LANG", "fr_FR.UTF-8"}, {"LC_MESSAGES", "pl_PL.UTF-8"}}, "pl"},
      {"", "", {{"LC_MESSAGES", "pl_PL"}, {"LC_ALL", "it_IT.UTF-8"}}, "it"},
      {"", "", {{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "sv:nl:de"}}, "nl"},  // LANGUAGE's first of ours
      {"", "", {{"LANG", "C.UTF-8"}, {"LANGUAGE", "de"}}, "en"},            // as gettext: no LANGUAGE under C
      {"", "", {{"LANGUAGE", "de"}}, "en"},
      {"", "", {{"LC_ALL", "POSIX"}, {"LANG", "de_DE"}}, "en"},
      {"", "", {{"LC_ALL", ""}, {"LANG", "es_ES@euro"}}, "es"},
      {"", "fr", {{"LANG", "de_DE.UTF-8"}}, "fr"},
      {"pl", "fr", {{"LANG", "de_DE.UTF-8"}}, "pl"},
      {"pt-BR", "", {}, "pt_BR"},
      {"xx", "", {{"LANG", "nl_BE.UTF-8"}}, "nl"},
  };
  for (const auto& k : kCases) {
    auto env = [&](const char* name) -> const char* {
      auto it = k.env.find(name);
      return it == k.env.end() ? nullptr : it->second.c_str();
    };
    EXPECT_EQ(ChooseLanguage(k.commandLine, k.kept, env), k.want)
        << "--language '" << k.commandLine << "', kept '" << k.kept << "', LANG " << env("LANG");
  }
}

TEST(Language, AMissingOrDamagedCatalogueLeavesTheGameInEnglish) {
  test::TempDir dir;
  Logs logs(dir.str());
  fs::create_directories(dir.File("locale"));
  dir.Write("locale/de.mo", MakeMo({{"", Header("nplurals=2; plural=(n != 1);")}, {"Play", "Spielen"},
                                    {std::string("%d minute\0%d minutes", 20), std::string("%d Minute\0%d Minuten", 20)}}));
  dir.Write("locale/fr.mo", "not a catalogue");
  EXPECT_EQ(LoadLanguage(dir.str(), "de", logs), "de");
  EXPECT_STREQ(Tr("Play"), "Spielen");
  EXPECT_STREQ(TrN("%d minute", "%d minutes", 2), "%d Minuten") << "a language of two forms takes its second";
  EXPECT_EQ(LoadLanguage(dir.str(), "fr", logs), "en");
  EXPECT_STREQ(Tr("Play"), "Play");
  LoadLanguage(dir.str(), "de", logs);
  EXPECT_EQ(LoadLanguage(dir.str(), "pl", logs), "en");
  EXPECT_STREQ(Tr("Play"), "Play");
  std::string log = dir.Read("run.log");
  EXPECT_NE(log.find("fr.mo\" damaged"), std::string::npos) << log;
  EXPECT_NE(log.find("pl.mo"), std::string::npos) << log;
  for (const LanguageInfo& l : kLanguages) EXPECT_EQ(LoadLanguage(BM_GAME_DIR, l.code, logs), l.code) << "shipped";
  UseCatalogue(nullptr, kEnglish);
}

}  // namespace
}  // namespace bm
