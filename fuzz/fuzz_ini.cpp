// The ini reader ("data.ini", "Sounds.ini"): any text, any key and section.
// The first line of the input is the key, the second the section, the rest the file.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "io/IniReader.h"

using namespace bm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string in(reinterpret_cast<const char*>(data), size);
  std::size_t a = in.find('\n');
  std::string key = in.substr(0, a);
  std::size_t b = a == std::string::npos ? a : in.find('\n', a + 1);
  std::string section = a == std::string::npos ? "" : in.substr(a + 1, b == std::string::npos ? b : b - a - 1);
  std::string text = b == std::string::npos ? "" : in.substr(b + 1);
  std::string v = IniValueIn(text, key);
  std::string s = IniSectionValueIn(text, section, key);
  // A value never holds a line break and never grows beyond the text.
  for (const std::string& value : {v, s})
    if (value.find_first_of("\r\n") != std::string::npos || value.size() > text.size()) std::abort();
  if (StripComments(text).size() > text.size()) std::abort();  // comments only ever shrink the text
  return 0;
}
