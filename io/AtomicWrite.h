// Whole-file writes that leave, at every instant, either the old file or the
// new one: never a torn, empty or half-written file, whatever kills the process
// and whenever.
#pragma once
#include <cstdint>
#include <string>

namespace bm {

// Writes bytes to a fresh temporary file in path's folder ("<name>.tmp.<pid>"),
// flushes it to disk, renames it over path and flushes the folder so the rename
// itself survives a power cut. On failure (full disk, read-only folder, missing
// folder) path is untouched, the temporary file is removed, and error (when
// given) says what went wrong.
bool WriteFileAtomic(const std::string& path, const std::string& bytes, std::string* error = nullptr);

// How many files WriteFileAtomic replaced in this process so far: the browser
// build compares it after each pass and copies the folder to the browser's
// persistent storage when it moved.
std::uint64_t AtomicWritesDone();

// Removes temporary files a killed writer left in folder; returns how many.
int RemoveStaleTempFiles(const std::string& folder);

}  // namespace bm
