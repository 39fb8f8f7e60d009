// "window.dat": a record that parses is a sane size, survives a write and a
// read, and still fits any desktop once fitted.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/WindowFile.h"

using namespace bm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::optional<WindowRecord> r = ParseWindowRecord(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!r) return 0;
  if (r->Width < kWindowMinWidth || r->Height < kWindowMinHeight || r->Width > kWindowMaxEdge ||
      r->Height > kWindowMaxEdge)
    std::abort();
  if (ParseWindowRecord(SerializeWindowRecord(*r)) != r) std::abort();
  WindowRecord fitted = FitWindowRecord(*r, 1024, 600);
  if (fitted.Width > 1024 || fitted.Height > 600 || fitted.Maximised != r->Maximised) std::abort();
  return 0;
}
