#include "lang/Language.h"

#include <cctype>
#include <memory>

#include "diag/Logs.h"
#include "io/SafeRead.h"
#include "lang/Tr.h"

namespace bm {

std::string LanguageCodes() {
  std::string out;
  for (const LanguageInfo& l : kLanguages) out += (out.empty() ? "" : ", ") + std::string(l.code);
  return out;
}

std::string LanguageOfLocale(std::string_view name) {
  name = name.substr(0, name.find_first_of(".@"));
  if (name == "C" || name == "POSIX") return kEnglish;
  // "pt_BR", "pt-BR" (a browser's tag), "PT_br": the language, then the region.
  std::size_t cut = name.find_first_of("_-");
  std::string language, region;
  for (char ch : name.substr(0, cut)) language.push_back(char(std::tolower((unsigned char)ch)));
  if (cut != std::string_view::npos)
    for (char ch : name.substr(cut + 1)) region.push_back(char(std::toupper((unsigned char)ch)));
  if (language.empty()) return {};
  const std::string full = language + "_" + region;
  for (const LanguageInfo& l : kLanguages)
    if (full == l.code) return l.code;
  // Another region of a language we have: its first variant.
  for (const LanguageInfo& l : kLanguages) {
    std::string_view code = l.code;
    if (code.substr(0, code.find('_')) == language) return l.code;
  }
  return {};
}

std::string LanguageFromEnvironment(const EnvironmentLookup& env) {
  auto get = [&](const char* name) -> std::string_view {
    const char* v = env(name);
    return v ? std::string_view(v) : std::string_view();
  };
  std::string_view locale;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
    if (!(locale = get(name)).empty()) break;
  // gettext reads LANGUAGE only when the locale is not the plain "C" one.
  std::string_view bare = locale.substr(0, locale.find_first_of(".@"));
  if (bare.empty() || bare == "C" || bare == "POSIX") return kEnglish;
  for (std::string_view list = get("LANGUAGE"); !list.empty();) {
    std::size_t colon = list.find(':');
    std::string found = LanguageOfLocale(list.substr(0, colon));
    if (!found.empty()) return found;
    list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
  }
  std::string ours = LanguageOfLocale(locale);
  return ours.empty() ? kEnglish : ours;
}

std::string ChooseLanguage(const std::string& commandLine, const std::string& kept, const EnvironmentLookup& env) {
  for (const std::string* given : {&commandLine, &kept}) {
    std::string ours = given->empty() ? std::string() : LanguageOfLocale(*given);
    if (!ours.empty()) return ours;
  }
  return LanguageFromEnvironment(env);
}

std::string LoadLanguage(const std::string& gameDir, const std::string& code, Logs& logs) {
  constexpr const char* kPlace = "LoadLanguage";
  if (code == kEnglish || code.empty()) {
    UseCatalogue(nullptr, kEnglish);
    logs.WriteRunLog(kPlace, "Language: en");
    return kEnglish;
  }
  const std::string path = gameDir + "/locale/" + code + ".mo";
  ReadResult raw = ReadFileBounded(path, kCatalogueMaxBytes);
  if (!raw.ok()) {
    LogReadFailure(logs, kPlace, raw, "texts in English");
    UseCatalogue(nullptr, kEnglish);
    return kEnglish;
  }
  std::string error;
  std::optional<Catalogue> c = ParseCatalogue(raw.bytes, &error);
  if (!c) {
    logs.WriteRunLog(kPlace, "\"" + path + "\" damaged (" + error + "); texts in English");
    UseCatalogue(nullptr, kEnglish);
    return kEnglish;
  }
  UseCatalogue(std::make_unique<const Catalogue>(std::move(*c)), code);
  logs.WriteRunLog(kPlace, "Language: " + code);
  return code;
}

}  // namespace bm
