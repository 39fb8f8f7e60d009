// "saves/Items.dat", "ItemsS.dat", "ItemsB.dat" and "apo.dat": any bytes give
// whole records or none, read back byte for byte; repairs leave sound records;
// map points read are on the map.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/ItemStatus.h"

using namespace bm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // Short inputs are stretched to the record sizes so the fuzzer reaches the values.
  std::string items(bytes);
  items.resize(kItemSlots * kItemRecordSize, '\0');
  std::string grades(bytes);
  grades.resize(kItemSlots * kGradeRecordSize, '\0');
  std::string map(bytes);
  map.resize(kMapPointsSize, '\0');

  if (auto m = DecodeMapPoints(map)) {
    if (EncodeMapPoints(*m) != map) std::abort();
    for (const MapPoint& p : m->point)
      if (p.X < 0 || p.X > kMapWidth || p.Y < 0 || p.Y > kMapHeight) std::abort();
  }
  if (DecodeItemRecords(bytes) && bytes.size() != items.size()) std::abort();

  auto r = DecodeItemRecords(items);
  if (!r || EncodeItemRecords(*r) != items) std::abort();
  auto s = *r;
  SanitizeItemRecords(*r);
  if (!SanitizeItemRecords(*r).empty()) std::abort();
  SanitizeStarRecords(s);
  if (!SanitizeStarRecords(s).empty()) std::abort();
  for (const ItemRecord& rec : *r) {
    if (rec.Dragged < 0 || rec.Dragged >= kPlacedObjects) std::abort();
    for (int k = 1; k <= kShopItems; ++k)
      if (!std::isfinite(Key(rec, k).PosX) || (Lock(rec, k).Flag != 0 && Lock(rec, k).Flag != -1)) std::abort();
  }

  auto g = DecodeGradeRecords(grades);
  if (!g || EncodeGradeRecords(*g) != grades) std::abort();
  SanitizeGradeRecords(*g);
  if (!SanitizeGradeRecords(*g).empty()) std::abort();
  for (const GradeRecord& rec : *g)
    for (int i = 1; i <= kShopItems; ++i)
      if (rec.ChanceGrade[std::size_t(i)] < 0 || rec.ChanceGrade[std::size_t(i)] > kMaxGrade) std::abort();
  return 0;
}
