#include "io/IniReader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/TempDir.h"

namespace bm {
namespace {

using test::TempDir;

TEST(IniReaderValue, MatchesKeyAnywhereInLineAndLastMatchWins) {
  TempDir dir;
  dir.Write("data.ini", "REF=1\r\nPREFIX=2\r\nnothing here\r\n");
  // "REF" also occurs inside "PREFIX", and the later line wins.
  EXPECT_EQ(ReadIniValue(dir.File("data.ini"), "ref"), "2");
  // A matching line without "=" keeps the earlier result.
  dir.Write("data.ini", "ref = first\r\nref mentioned again\r\n");
  EXPECT_EQ(ReadIniValue(dir.File("data.ini"), "REF"), "FIRST");
}

TEST(IniReaderValue, ValueIsUpperCasedTrimmedAndTakenAfterLastEquals) {
  TempDir dir;
  dir.Write("data.ini", "Force Reference Rasterizer (REF) = true\r\na=b=c\r\ntabbed=\tx \r\n");
  EXPECT_EQ(ReadIniValue(dir.File("data.ini"), "force reference rasterizer (ref)"), "TRUE");
  EXPECT_EQ(ReadIniValue(dir.File("data.ini"), "a=b"), "C");
  EXPECT_EQ(ReadIniValue(dir.File("data.ini"), "tabbed"), "\tX");  // tabs are not trimmed
}

TEST(IniReaderValue, CrLfAndCrLfLineEndsReadAlike) {
  TempDir dir;
  // A Linux editor saves bare line feeds; each one ends a line like CR LF does.
  for (const char* eol : {"\r\n", "\n", "\r"}) {
    std::string e = eol;
    dir.Write("data.ini", "key=one" + e + "other=two" + e + "Cheat Mode Code = parrot" + e +
                              "Force Reference Rasterizer (REF) = FALSE" + e);
    EXPECT_EQ(ReadIniValue(dir.File("data.ini"), "key"), "ONE") << "line end " << int(eol[0]);
    EXPECT_EQ(ReadIniValue(dir.File("data.ini"), "Cheat Mode Code"), "PARROT");
    EXPECT_EQ(ReadIniValue(dir.File("data.ini"), "Force Reference Rasterizer (REF)"), "FALSE");
  }
  // Mixed in one file, and no line feed ever reaches a value.
  dir.Write("data.ini", "key=one\r\n  key = two  \nlast=3\r");
  EXPECT_EQ(ReadIniValue(dir.File("data.ini"), "key"), "TWO");
  EXPECT_EQ(ReadIniValue(dir.File("data.ini"), "last"), "3");
}

TEST(IniReaderSection, LineFeedFilesKeepEveryCueApart) {
  TempDir dir;
  dir.Write("Sounds.ini", "[SFX:BEGIN]\npop=1,a.wav // first\nbang=2,b.wav\n/* gone=3\n*/\nzap=4,c.wav\n[SFX:END]\n");
  EXPECT_EQ(ReadIniSectionValue(dir.File("Sounds.ini"), "SFX", "pop"), "1,A.WAV");
  EXPECT_EQ(ReadIniSectionValue(dir.File("Sounds.ini"), "SFX", "bang"), "2,B.WAV");
  EXPECT_EQ(ReadIniSectionValue(dir.File("Sounds.ini"), "SFX", "gone"), "");
  EXPECT_EQ(ReadIniSectionValue(dir.File("Sounds.ini"), "SFX", "zap"), "4,C.WAV");
}

TEST(IniReaderValue, CommentsAreNotStrippedAndMissingFilesStayMissing) {
  TempDir dir;
  dir.Write("data.ini", "Cheat Mode Code = A\r\n// Cheat Mode Code = X\r\n");
  EXPECT_EQ(ReadIniValue(dir.File("data.ini"), "Cheat Mode Code"), "X");
  EXPECT_EQ(ReadIniValue(dir.File("data.ini"), "absent key"), "");
  EXPECT_EQ(ReadIniValue(dir.File("nofile.ini"), "key"), "");
  EXPECT_FALSE(std::filesystem::exists(dir.File("nofile.ini")));  // reading never writes
}

TEST(IniReaderSection, LooksOnlyInsideTheSectionWithCommentsRemoved) {
  TempDir dir;
  dir.Write("Sounds.ini",
            "pop=outside\r\n"
            "[sfx:begin]\r\n"
            "pop=1 // note\r\n"
            "bang=2 /* note */\r\n"
            "/* hidden=3\r\n"
            "hidden2=4 */\r\n"
            "Mixed = Case\r\n"
            "[SFX:END]\r\n"
            "late=5\r\n");
  const std::string f = dir.File("Sounds.ini");
  EXPECT_EQ(ReadIniSectionValue(f, "SFX", "pop"), "1");
  EXPECT_EQ(ReadIniSectionValue(f, "sfx", "bang"), "2");
  EXPECT_EQ(ReadIniSectionValue(f, "SFX", "hidden"), "");
  EXPECT_EQ(ReadIniSectionValue(f, "SFX", "hidden2"), "");
  EXPECT_EQ(ReadIniSectionValue(f, "SFX", "mixed"), "CASE");
  EXPECT_EQ(ReadIniSectionValue(f, "SFX", "late"), "");
  EXPECT_EQ(ReadIniSectionValue(f, "OTHER", "pop"), "");
}

TEST(IniReaderSection, MarkersAnywhereFirstOccurrenceAndBrokenSections) {
  TempDir dir;
  // Markers need not stand alone, and a second begin marker is ignored.
  dir.Write("a.ini", "x [S:BEGIN]k=1 [S:BEGIN] [S:END] k=3 [S:END]");
  EXPECT_EQ(ReadIniSectionValue(dir.File("a.ini"), "S", "k"), "1 [S:BEGIN]");
  // End marker missing, or before the begin marker: the section is absent.
  dir.Write("b.ini", "[S:BEGIN]\r\nk=1\r\n");
  EXPECT_EQ(ReadIniSectionValue(dir.File("b.ini"), "S", "k"), "");
  dir.Write("c.ini", "[S:END]\r\n[S:BEGIN]\r\nk=1\r\n[S:END]\r\n");
  EXPECT_EQ(ReadIniSectionValue(dir.File("c.ini"), "S", "k"), "");
  EXPECT_EQ(ReadIniSectionValue(dir.File("missing.ini"), "S", "k"), "");
  EXPECT_FALSE(std::filesystem::exists(dir.File("missing.ini")));
}

TEST(IniReaderStripComments, LineCommentsLeaveACarriageReturn) {
  EXPECT_EQ(StripComments("no comments"), "no comments");
  EXPECT_EQ(StripComments("a=1 // x\r\nb=2 // y\r\nc=3"), "a=1 \r\nb=2 \r\nc=3");
  EXPECT_EQ(StripComments("a=1 // to the end"), "a=1 \r");
  // "//" inside a value starts a comment too.
  EXPECT_EQ(StripComments("url=http://x\r\n"), "url=http:\r\n");
}

TEST(IniReaderStripComments, BlockComments) {
  EXPECT_EQ(StripComments("a/* x */b/* y */c"), "abc");
  EXPECT_EQ(StripComments("a/* spans\r\nlines */b"), "ab");
  EXPECT_EQ(StripComments("a/* never closed\r\nb=1"), "a");
  // The search for the closer starts at the opener, so "/*/" is a whole comment.
  EXPECT_EQ(StripComments("a/*/b"), "ab");
  // Line comments go first: a "//" inside a block eats its closer up to the line end.
  EXPECT_EQ(StripComments("a/* x // y */\r\nb=1"), "a");
  EXPECT_EQ(StripComments("a/* x // y\r\n*/b"), "ab");
}

}  // namespace
}  // namespace bm
