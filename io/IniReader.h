// Lookups in the hand-edited text settings files ("data.ini", "Sounds.ini").
// Every call reads the whole file afresh; nothing is cached or written.
#pragma once
#include <string>

namespace bm {

class Logs;

// The value of the last line that contains key (case-insensitive), upper-cased,
// taken after the last "="; empty when nothing matches or the file is missing.
// Lines may end in CR, LF or CR LF. A file that cannot be read (a folder, too
// large, no permission) reads as empty, with a run-log line when logs is given.
std::string ReadIniValue(const std::string& path, const std::string& key, Logs* logs = nullptr);

// The same, only between "[section:BEGIN]" and "[section:END]", comments removed.
std::string ReadIniSectionValue(const std::string& path, const std::string& section, const std::string& key,
                                Logs* logs = nullptr);

// The file's text through the safe reader (at most kTextFileMaxBytes); empty on any failure.
std::string ReadIniText(const std::string& path, Logs* logs = nullptr);

// The lookups on text already read.
std::string IniValueIn(const std::string& text, const std::string& key);
std::string IniSectionValueIn(const std::string& text, const std::string& section, const std::string& key);

// Removes "//" line comments and then "/* */" block comments.
std::string StripComments(const std::string& text);

}  // namespace bm
