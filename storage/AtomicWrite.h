// Whole-file writes that never leave a half-written file behind.
#pragma once
#include <string>

namespace bm {

// Writes bytes to path + ".tmp", flushes it to disk and renames it over path.
// On failure path is untouched, the temporary file is removed, and error (when
// given) says what went wrong.
bool WriteFileAtomic(const std::string& path, const std::string& bytes, std::string* error = nullptr);

}  // namespace bm
