// The languages the game speaks and how one is chosen.
//
// At start-up: "--language CODE" for that run; else the player's choice kept in
// "settings.ini" (storage/GameSettings.h); else the desktop's, as gettext finds
// it: the locale is the first of LC_ALL, LC_MESSAGES and LANG that is set; a
// locale of "C" or "POSIX" (or none) means English, and otherwise the entries of
// LANGUAGE (a list split by ":") come first, then the locale itself. The first
// name that is one of ours wins ("de_AT.UTF-8" is German, "pt" and "pt_PT" are
// Brazilian Portuguese, the only Portuguese we have); none means English.
#pragma once
#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace bm {

class Logs;

struct LanguageInfo {
  const char* code;  // the catalogue's name: "locale/CODE.mo" in the game folder
  const char* name;  // in its own language, for the options screen
};

inline constexpr std::array kLanguages = std::to_array<LanguageInfo>({
    {"en", "English"},
    {"de", "Deutsch"},
    {"fr", "Français"},
    {"es", "Español"},
    {"it", "Italiano"},
    {"pt_BR", "Português (Brasil)"},
    {"pl", "Polski"},
    {"nl", "Nederlands"},
});

inline constexpr const char* kEnglish = "en";

// "en, de, fr, es, it, pt_BR, pl, nl".
std::string LanguageCodes();

// Our language for a locale or language name ("de_AT.UTF-8@euro", "pt", "pl"),
// or "" when it is none of ours. "C" and "POSIX" are English.
std::string LanguageOfLocale(std::string_view name);

// The desktop's language by the rules above; env reads one variable (nullptr
// when unset), so that tests can pass their own.
using EnvironmentLookup = std::function<const char*(const char*)>;
std::string LanguageFromEnvironment(const EnvironmentLookup& env);

// Which language a run speaks: the command line's, else the kept choice, else
// the desktop's (each "" when not given).
std::string ChooseLanguage(const std::string& commandLine, const std::string& kept, const EnvironmentLookup& env);

// Reads "locale/CODE.mo" from the game folder and makes it the catalogue in use
// (English needs none). A missing or damaged catalogue is logged and English is
// used. Returns the language now in use.
std::string LoadLanguage(const std::string& gameDir, const std::string& code, Logs& logs);

}  // namespace bm
