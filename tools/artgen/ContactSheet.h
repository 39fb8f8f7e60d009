#pragma once
#include <string>

namespace bm::art {

// Lays every catalogued picture (whose path contains `only`, when given) out on one
// sheet with its file name under it, over a checkerboard so transparency shows.
bool writeContactSheet(const std::string& gameDir, const std::string& outPng, const std::string& only);

}  // namespace bm::art
