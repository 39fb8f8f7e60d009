// "saves/dumpN.dat": any bytes give a whole board the rules can run on, or
// leave the board as it was; an accepted board reads back byte for byte.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "board/ItemCodes.h"
#include "storage/BoardFile.h"

using namespace bm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static auto cells = std::make_unique<Cells>();
  static const std::string before = EncodeBoard(*cells);
  // The input overwrites a sound board from an offset given by its first three
  // bytes, so the fuzzer reaches the checks of every field of every cell.
  std::string bytes = before;
  if (size >= 3) {
    std::size_t at = (std::size_t(data[0]) | std::size_t(data[1]) << 8 | std::size_t(data[2]) << 16) % bytes.size();
    for (std::size_t i = 3; i < size && at < bytes.size(); ++i, ++at) bytes[at] = char(data[i]);
  }
  auto out = std::make_unique<Cells>();
  if (!DecodeBoard(bytes, *out)) {
    if (EncodeBoard(*out) != before) std::abort();  // untouched
    return 0;
  }
  if (EncodeBoard(*out) != bytes) std::abort();
  for (int i = 0; i < kCellSlots; ++i) {
    const Cell& c = (*out)[i];
    if (c.Gem != 0 && !IsItem(c.Gem)) std::abort();
    if (c.Ice < 0 || c.Ice > 8 || !Cells::InRange(c.Parent)) std::abort();
  }
  std::string_view raw(reinterpret_cast<const char*>(data), size);
  auto direct = std::make_unique<Cells>();
  if (DecodeBoard(raw, *direct) && size != kBoardFileSize) std::abort();
  return 0;
}
