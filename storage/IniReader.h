// Lookups in the hand-edited text settings files ("data.ini", "Sounds.ini").
// Every call reads the whole file afresh; nothing is cached or written.
#pragma once
#include <string>

namespace bm {

// The value of the last line that contains key (case-insensitive), upper-cased,
// taken after the last "="; empty when nothing matches or the file is missing.
std::string ReadIniValue(const std::string& path, const std::string& key);

// The same, only between "[section:BEGIN]" and "[section:END]", comments removed.
std::string ReadIniSectionValue(const std::string& path, const std::string& section, const std::string& key);

// Removes "//" line comments and then "/* */" block comments.
std::string StripComments(const std::string& text);

}  // namespace bm
