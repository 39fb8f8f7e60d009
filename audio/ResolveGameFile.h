// Finds a file of the program folder from the name the data files give it:
// backslashes as separators and, because text settings come back upper-cased,
// any letter case.
#pragma once
#include <string>

namespace bm {

// dir joined with relative ("\sounds\X.WAV" or "sounds/x.wav"). When that exact
// path does not exist, each part is matched ignoring case; when nothing matches,
// the plain joined path is returned so that opening it fails in the usual way.
std::string ResolveGameFile(const std::string& dir, const std::string& relative);

}  // namespace bm
