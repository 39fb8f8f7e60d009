#include "storage/ItemStatus.h"

#include <cmath>

#include "io/Bytes.h"

namespace bm {

namespace {

constexpr double kPositionLimit = 10000;  // far outside any screen, still a number

int Column(int item) { return (item - 1) % 5 + 1; }
bool FirstRow(int item) { return item <= 5; }

PlacedObject At(std::int16_t flag, std::int32_t index, double x, double y) {
  PlacedObject o;
  o.Flag = flag;
  o.Index = index;
  o.HomeX = o.PosX = x;
  o.HomeY = o.PosY = y;
  return o;
}

// Each record's fields in file order; IO is a ByteWriter or a ByteReader, so
// writing and reading share one list. Writers work on a copy of the records.
template <class IO>
void Fields(IO& io, PlacedObject& o) {
  io.Field(o.Flag);
  io.Field(o.Index);
  io.Field(o.HomeX);
  io.Field(o.HomeY);
  io.Field(o.PosX);
  io.Field(o.PosY);
  io.Raw(o.Reserved.data(), o.Reserved.size());
}

template <class IO>
void Fields(IO& io, ItemRecord& r) {
  for (PlacedObject& o : r.Object) Fields(io, o);
  io.Field(r.Dragged);
}

template <class IO>
void Fields(IO& io, GradeRecord& g) {
  io.Field(g.ChanceGrade);
  io.Field(g.PowerGrade);
  for (auto* marks : {&g.ChanceMark, &g.PowerMark})
    for (auto& row : *marks)
      for (MarkPoint& p : row) {
        io.Field(p.X);
        io.Field(p.Y);
      }
  io.Raw(g.Reserved.data(), g.Reserved.size());
}

template <class IO>
void Fields(IO& io, MapPoints& m) {
  for (MapPoint& p : m.point) {
    io.Field(p.X);
    io.Field(p.Y);
  }
  io.Raw(m.kept.data(), m.kept.size());
}

template <class Record>
std::string Encode(Record copy) {
  ByteWriter w;
  Fields(w, copy);
  return w.Take();
}

template <class Record, std::size_t N>
std::string Encode(std::array<Record, N> copy) {
  ByteWriter w;
  for (Record& r : copy) Fields(w, r);
  return w.Take();
}

template <class T>
std::optional<T> Finish(ByteReader& r, T value, std::string* error) {
  r.ExpectEnd();
  if (!r.ok()) {
    if (error) *error = r.error();
    return std::nullopt;
  }
  return value;
}

bool GoodPosition(double v) { return std::isfinite(v) && std::fabs(v) <= kPositionLimit; }

std::string Where(int slot, int index) { return "slot " + std::to_string(slot) + " object " + std::to_string(index); }

// Checks one used object against its new-game twin; a bad flag becomes false,
// a bad index or position the new game's.
void FixObject(PlacedObject& o, const PlacedObject& fresh, int slot, int index, std::vector<std::string>& lines) {
  if (o.Flag != -1 && o.Flag != 0) {
    lines.push_back(Where(slot, index) + ": flag " + std::to_string(o.Flag) + " is neither -1 nor 0, set to 0");
    o.Flag = 0;
  }
  if (o.Index < 0 || o.Index > kShopItems) {
    lines.push_back(Where(slot, index) + ": index " + std::to_string(o.Index) + " out of 0..10, set to " +
                    std::to_string(fresh.Index));
    o.Index = fresh.Index;
  }
  if (!GoodPosition(o.HomeX) || !GoodPosition(o.HomeY) || !GoodPosition(o.PosX) || !GoodPosition(o.PosY)) {
    lines.push_back(Where(slot, index) + ": position out of range, put back at its place");
    o.HomeX = fresh.HomeX;
    o.HomeY = fresh.HomeY;
    o.PosX = fresh.PosX;
    o.PosY = fresh.PosY;
  }
}

void FixDragged(std::int32_t& d, int slot, std::vector<std::string>& lines) {
  if (d >= 0 && d < kPlacedObjects) return;
  lines.push_back("slot " + std::to_string(slot) + ": dragged index " + std::to_string(d) + " out of 0..21, set to 0");
  d = 0;
}

template <class UsedFn>
std::vector<std::string> FixRecords(std::array<ItemRecord, kItemSlots>& records, const ItemRecord& fresh, UsedFn used) {
  std::vector<std::string> lines;
  for (int s = 0; s < kItemSlots; ++s) {
    ItemRecord& r = records[std::size_t(s)];
    for (int i = 0; i < kPlacedObjects; ++i)
      if (used(i)) FixObject(r.Object[std::size_t(i)], fresh.Object[std::size_t(i)], s, i, lines);
    FixDragged(r.Dragged, s, lines);
  }
  return lines;
}

}  // namespace

ItemRecord NewGameItems() {
  ItemRecord r;
  for (int k = 1; k <= kShopItems; ++k)
    Key(r, k) = At(0, k, 650 + 85.0 * (Column(k) - 1), FirstRow(k) ? 602 : 689);
  for (int s = 1; s <= kShopItems; ++s)
    Lock(r, s) = At(-1, s, 216 + 190.0 * (Column(s) - 1), FirstRow(s) ? 191 : 388);
  return r;
}

ItemRecord NewGameStars() {
  ItemRecord r;
  for (int b = 1; b <= kBlueStars; ++b) {
    const double x = 244 + 60.5 * (b - 1);
    const bool odd = b % 2 == 1;
    r.Object[std::size_t(b)] = At(0, 0, x, odd ? 631 : 619);
    r.Object[std::size_t(kGoldStarBase + b)] = At(0, 0, x, odd ? 724 : 712);
  }
  return r;
}

GradeRecord NewGameGrades() {
  GradeRecord g;
  for (int s = 1; s <= kShopItems; ++s) {
    const double dx = 190.0 * (Column(s) - 1);
    const double y[3] = {FirstRow(s) ? 196.0 : 393.0, FirstRow(s) ? 214.0 : 411.0, FirstRow(s) ? 231.0 : 428.0};
    const double chanceX[3] = {192, 178, 192};
    const double powerX[3] = {288, 302, 288};
    for (int m = 1; m < kGradeMarks; ++m) {
      g.ChanceMark[std::size_t(m)][std::size_t(s)] = {chanceX[m - 1] + dx, y[m - 1]};
      g.PowerMark[std::size_t(m)][std::size_t(s)] = {powerX[m - 1] + dx, y[m - 1]};
    }
  }
  return g;
}

void ResetSlot(ItemStatus& status, int slot) {
  if (slot < 0 || slot >= kItemSlots) return;
  status.items[std::size_t(slot)] = NewGameItems();
  status.stars[std::size_t(slot)] = NewGameStars();
  status.grades[std::size_t(slot)] = NewGameGrades();
}

void CopySlot(ItemStatus& to, int toSlot, const ItemStatus& from, int fromSlot) {
  if (toSlot < 0 || toSlot >= kItemSlots || fromSlot < 0 || fromSlot >= kItemSlots) return;
  to.items[std::size_t(toSlot)] = from.items[std::size_t(fromSlot)];
  to.stars[std::size_t(toSlot)] = from.stars[std::size_t(fromSlot)];
  to.grades[std::size_t(toSlot)] = from.grades[std::size_t(fromSlot)];
}

ItemStatus NewGameItemStatus() {
  ItemStatus s;
  for (int i = 0; i < kItemSlots; ++i) ResetSlot(s, i);
  return s;
}

std::string EncodeItemRecords(const std::array<ItemRecord, kItemSlots>& records) { return Encode(records); }

std::optional<std::array<ItemRecord, kItemSlots>> DecodeItemRecords(std::string_view bytes, std::string* error) {
  ByteReader r(bytes);
  std::array<ItemRecord, kItemSlots> records{};
  // The size is fixed: check it first so a wrong file never half-decodes.
  if (bytes.size() != kItemSlots * kItemRecordSize)
    r.Fail(std::to_string(bytes.size()) + " bytes where " + std::to_string(kItemSlots * kItemRecordSize) +
           " belong");
  for (ItemRecord& rec : records) Fields(r, rec);
  return Finish(r, records, error);
}

std::string EncodeGradeRecords(const std::array<GradeRecord, kItemSlots>& records) { return Encode(records); }

std::optional<std::array<GradeRecord, kItemSlots>> DecodeGradeRecords(std::string_view bytes, std::string* error) {
  ByteReader r(bytes);
  std::array<GradeRecord, kItemSlots> records{};
  if (bytes.size() != kItemSlots * kGradeRecordSize)
    r.Fail(std::to_string(bytes.size()) + " bytes where " + std::to_string(kItemSlots * kGradeRecordSize) +
           " belong");
  for (GradeRecord& g : records) Fields(r, g);
  return Finish(r, records, error);
}

std::string EncodeMapPoints(const MapPoints& points) { return Encode(points); }

std::optional<MapPoints> DecodeMapPoints(std::string_view bytes, std::string* error) {
  ByteReader r(bytes);
  MapPoints m;
  if (bytes.size() != kMapPointsSize)
    r.Fail(std::to_string(bytes.size()) + " bytes where " + std::to_string(kMapPointsSize) + " belong");
  Fields(r, m);
  for (int n = 0; n < kMapPoints && r.ok(); ++n) {
    const MapPoint& p = m.point[std::size_t(n)];
    if (p.X < 0 || p.X > kMapWidth || p.Y < 0 || p.Y > kMapHeight)
      r.Fail("point " + std::to_string(n) + " (" + std::to_string(p.X) + ", " + std::to_string(p.Y) +
             ") is off the map");
  }
  return Finish(r, m, error);
}

std::vector<std::string> SanitizeItemRecords(std::array<ItemRecord, kItemSlots>& items) {
  return FixRecords(items, NewGameItems(), [](int i) { return i != 0 && i != kLockBase; });
}

std::vector<std::string> SanitizeStarRecords(std::array<ItemRecord, kItemSlots>& stars) {
  return FixRecords(stars, NewGameStars(), [](int i) {
    return (i >= 1 && i <= kBlueStars) || (i > kGoldStarBase && i <= kGoldStarBase + kBlueStars);
  });
}

std::vector<std::string> SanitizeGradeRecords(std::array<GradeRecord, kItemSlots>& grades) {
  std::vector<std::string> lines;
  const GradeRecord fresh = NewGameGrades();
  for (int s = 0; s < kItemSlots; ++s) {
    GradeRecord& g = grades[std::size_t(s)];
    const std::string who = "slot " + std::to_string(s) + " item ";
    for (int i = 1; i <= kShopItems; ++i) {
      for (auto* grade : {&g.ChanceGrade[std::size_t(i)], &g.PowerGrade[std::size_t(i)]}) {
        if (*grade >= 0 && *grade <= kMaxGrade) continue;
        lines.push_back(who + std::to_string(i) + ": grade " + std::to_string(*grade) + " out of 0..3, set to 0");
        *grade = 0;
      }
      for (int m = 0; m < kGradeMarks; ++m) {
        for (auto [mark, freshMark] :
             {std::pair{&g.ChanceMark[std::size_t(m)][std::size_t(i)], fresh.ChanceMark[std::size_t(m)][std::size_t(i)]},
              std::pair{&g.PowerMark[std::size_t(m)][std::size_t(i)], fresh.PowerMark[std::size_t(m)][std::size_t(i)]}}) {
          if (GoodPosition(mark->X) && GoodPosition(mark->Y)) continue;
          lines.push_back(who + std::to_string(i) + ": mark position out of range, put back at its place");
          *mark = freshMark;
        }
      }
    }
  }
  return lines;
}

}  // namespace bm
