// "saves/generation.txt", which save wrote the saved files: any bytes give a
// whole generation or none; one read is written back as the same text, and
// every name it holds stays inside the data folder.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "io/SaveSet.h"

using namespace bm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto g = DecodeGeneration(text);
  if (!g) return 0;
  const std::string again = EncodeGeneration(*g);
  if (DecodeGeneration(again) != g) std::abort();
  for (const SavedFile& f : g->files)
    if (f.name.empty() || f.name[0] == '/' || ("/" + f.name + "/").find("/../") != std::string::npos ||
        g->Find(f.name) != &f)
      std::abort();
  return 0;
}
