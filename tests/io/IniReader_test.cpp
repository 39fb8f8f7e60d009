#include "io/IniReader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/TempDir.h"

namespace bm {
namespace {

using test::TempDir;

// What a key reads as in a file: ReadIniValue (data.ini) when no section is named, else ReadIniSectionValue
// (Sounds.ini). The hand-written files expect the key anywhere in a line, the last match, the value upper-cased
// and trimmed of blanks after the last "=", and any line end (a Linux editor saves bare line feeds).
TEST(IniReader, KeysAndValuesAsTheHandWrittenFilesExpect) {
  const std::string rasterizer = "Force Reference Rasterizer (REF) = true\r\na=b=c\r\ntabbed=\tx \r\n";
  const std::string sounds = "pop=outside\r\n[sfx:begin]\r\npop=1 // note\r\nbang=2 /* note */\r\n/* hidden=3\r\n"
                             "hidden2=4 */\r\nMixed = Case\r\n[SFX:END]\r\nlate=5\r\n";
  const std::string lineFeeds = "[SFX:BEGIN]\npop=1,a.wav // first\nbang=2,b.wav\n/* gone=3\n*/\nzap=4,c.wav\n[SFX:END]\n";
  const struct {
    std::string text;
    const char* section;
    const char* key;
    const char* want;
  } kCases[] = {
      {"REF=1\r\nPREFIX=2\r\nnothing here\r\n", "", "ref", "2"},   // inside "PREFIX", and later
      {"ref = first\r\nref mentioned again\r\n", "", "REF", "FIRST"},  // a line without "=" keeps the earlier
      {rasterizer, "", "force reference rasterizer (ref)", "TRUE"},
      {rasterizer, "", "a=b", "C"},
      {rasterizer, "", "tabbed", "\tX"},  // tabs are not trimmed
      {"key=one\nCheat Mode Code = parrot\nForce Reference Rasterizer (REF) = FALSE\n", "", "key", "ONE"},
      {"key=one\rCheat Mode Code = parrot\rForce Reference Rasterizer (REF) = FALSE\r", "", "Cheat Mode Code", "PARROT"},
      {"key=one\nForce Reference Rasterizer (REF) = FALSE\n", "", "Force Reference Rasterizer (REF)", "FALSE"},
      {"key=one\r\n  key = two  \nlast=3\r", "", "key", "TWO"},  // mixed line ends in one file
      {"key=one\r\n  key = two  \nlast=3\r", "", "last", "3"},
      {"Cheat Mode Code = A\r\n// Cheat Mode Code = X\r\n", "", "Cheat Mode Code", "X"},  // no comments in data.ini
      {"a=1\r\n", "", "absent key", ""},
      // Sounds.ini: only inside the section, its comments removed, names in any case.
      {sounds, "SFX", "pop", "1"},
      {sounds, "sfx", "bang", "2"},
      {sounds, "SFX", "hidden", ""},
      {sounds, "SFX", "hidden2", ""},
      {sounds, "SFX", "mixed", "CASE"},
      {sounds, "SFX", "late", ""},
      {sounds, "OTHER", "pop", ""},
      {lineFeeds, "SFX", "pop", "1,A.WAV"},  // line-feed files keep every cue apart
      {lineFeeds, "SFX", "bang", "2,B.WAV"},
      {lineFeeds, "SFX", "gone", ""},
      {lineFeeds, "SFX", "zap", "4,C.WAV"},
      // Markers need not stand alone, and a second begin marker is ignored.
      {"x [S:BEGIN]k=1 [S:BEGIN] [S:END] k=3 [S:END]", "S", "k", "1 [S:BEGIN]"},
      {"[S:BEGIN]\r\nk=1\r\n", "S", "k", ""},                           // no end marker
      {"[S:END]\r\n[S:BEGIN]\r\nk=1\r\n[S:END]\r\n", "S", "k", ""},   // the end before the begin
  };
  TempDir dir;
  const std::string file = dir.File("a.ini");
  for (const auto& c : kCases) {
    dir.Write("a.ini", c.text);
    EXPECT_EQ(*c.section ? ReadIniSectionValue(file, c.section, c.key) : ReadIniValue(file, c.key), c.want)
        << c.section << " " << c.key << " in:\n" << c.text;
  }
  // A missing file reads as nothing and is never made by reading.
  EXPECT_EQ(ReadIniValue(dir.File("missing.ini"), "key"), "");
  EXPECT_EQ(ReadIniSectionValue(dir.File("missing.ini"), "S", "k"), "");
  EXPECT_FALSE(std::filesystem::exists(dir.File("missing.ini")));
}

TEST(IniReader, StripCommentsTakesLineCommentsFirstThenBlocks) {
  const std::pair<std::string, std::string> kCases[] = {
      {"no comments", "no comments"},
      {"a=1 // x\r\nb=2 // y\r\nc=3", "a=1 \r\nb=2 \r\nc=3"},
      {"a=1 // to the end", "a=1 \r"},          // a line comment leaves a carriage return
      {"url=http://x\r\n", "url=http:\r\n"},    // "//" inside a value starts one too
      {"a/* x */b/* y */c", "abc"},
      {"a/* spans\r\nlines */b", "ab"},
      {"a/* never closed\r\nb=1", "a"},
      {"a/*/b", "ab"},                          // the closer is looked for from the opener on
      {"a/* x // y */\r\nb=1", "a"},            // a "//" inside a block eats its closer
      {"a/* x // y\r\n*/b", "ab"},
  };
  for (const auto& [text, want] : kCases) EXPECT_EQ(StripComments(text), want) << text;
}

}  // namespace
}  // namespace bm
