// The Pirate Shop's state of every player slot 0..10, in three files of the
// saves folder, plus the map points file "apo.dat" beside them.
//
//   "saves/Items.dat"  11 item records: keys 1..10 at indices 1..10 (Flag =
//                      found), locks of shop items 1..10 at 12..21 (Flag =
//                      locked, Index = colour of the key that fits).
//   "saves/ItemsS.dat" 11 star records, same layout: blue-star slots at 1..6,
//                      gold-star slots at 12..17 (Flag = held).
//   "saves/ItemsB.dat" 11 grade records: chance and power grades 0..3 of shop
//                      items 1..10 and where their marks are drawn.
//   "apo.dat"          101 map points (32-bit X, Y; point n is level n's), then
//                      808 bytes the game carries unchanged.
//
// Byte layouts, little-endian, records in slot order:
//   PlacedObject  102 bytes: Flag i16, Index i32, HomeX, HomeY, PosX, PosY
//                 (double), Reserved[64]
//   ItemRecord    2248 bytes: PlacedObject[22], Dragged i32
//   GradeRecord   1460 bytes: ChanceGrade[11] i16, PowerGrade[11] i16,
//                 ChanceMark[4][11], PowerMark[4][11] (two doubles each),
//                 Reserved[8]
//
// Decoding fails on a wrong size (and a map point off the map); the Sanitize functions below put values
// the game never writes back to a new game's values, field by field.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bm {

inline constexpr int kItemSlots = 11;       // player slots 0..10, as in the player table
inline constexpr int kPlacedObjects = 22;   // indices 0..21
inline constexpr int kShopItems = 10;       // shop items 1..10
inline constexpr int kKeyBase = 0;          // key k at index k (1..10)
inline constexpr int kLockBase = 11;        // lock of item s at index 11 + s (12..21)
inline constexpr int kBlueStars = 6;        // blue-star slots at indices 1..6
inline constexpr int kGoldStarBase = 11;    // gold-star slot g at index 11 + g (12..17)
inline constexpr int kGradeMarks = 4;       // marks 0..3; 0 is never placed
inline constexpr int kMaxGrade = 3;
inline constexpr int kMapPoints = 101;
inline constexpr std::size_t kPlacedObjectSize = 102;
inline constexpr std::size_t kItemRecordSize = kPlacedObjects * kPlacedObjectSize + 4;  // 2248
inline constexpr std::size_t kGradeRecordSize = 2 * 11 * 2 + 2 * kGradeMarks * 11 * 16 + 8;  // 1460
inline constexpr std::size_t kMapPointsSize = 1616;
inline constexpr std::size_t kMapPointsKept = 808;  // the tail carried unchanged
// Every map point lies on the map: 0..1280 across, 0..1024 down (reference-screen pixels).
inline constexpr std::int32_t kMapWidth = 1280, kMapHeight = 1024;

struct PlacedObject {
  std::int16_t Flag = 0;  // -1/0: key found, item locked, star held
  std::int32_t Index = 0;
  double HomeX = 0, HomeY = 0;  // reference-screen pixels
  double PosX = 0, PosY = 0;    // equals home except while dragged
  std::array<std::uint8_t, 64> Reserved{};
  bool operator==(const PlacedObject&) const = default;
};

// Used for both the keys-and-locks record and the star record.
struct ItemRecord {
  std::array<PlacedObject, kPlacedObjects> Object{};
  std::int32_t Dragged = 0;  // index being dragged, 0 = none
  bool operator==(const ItemRecord&) const = default;
};

struct MarkPoint {
  double X = 0, Y = 0;
  bool operator==(const MarkPoint&) const = default;
};

struct GradeRecord {
  std::array<std::int16_t, 11> ChanceGrade{};  // index = shop item 1..10
  std::array<std::int16_t, 11> PowerGrade{};   // items 1..4 use it
  std::array<std::array<MarkPoint, 11>, kGradeMarks> ChanceMark{};  // [mark][item]
  std::array<std::array<MarkPoint, 11>, kGradeMarks> PowerMark{};
  std::array<std::uint8_t, 8> Reserved{};
  bool operator==(const GradeRecord&) const = default;
};

struct ItemStatus {
  std::array<ItemRecord, kItemSlots> items{};   // "Items.dat"
  std::array<ItemRecord, kItemSlots> stars{};   // "ItemsS.dat"
  std::array<GradeRecord, kItemSlots> grades{};  // "ItemsB.dat"
  bool operator==(const ItemStatus&) const = default;
};

struct MapPoint {
  std::int32_t X = 0, Y = 0;
  bool operator==(const MapPoint&) const = default;
};

struct MapPoints {
  std::array<MapPoint, kMapPoints> point{};  // point n = level n's
  std::array<std::uint8_t, kMapPointsKept> kept{};
  bool operator==(const MapPoints&) const = default;
};

// Convenience views of a slot's records.
inline PlacedObject& Key(ItemRecord& r, int k) { return r.Object[std::size_t(kKeyBase + k)]; }
inline PlacedObject& Lock(ItemRecord& r, int item) { return r.Object[std::size_t(kLockBase + item)]; }
inline const PlacedObject& Key(const ItemRecord& r, int k) { return r.Object[std::size_t(kKeyBase + k)]; }
inline const PlacedObject& Lock(const ItemRecord& r, int item) { return r.Object[std::size_t(kLockBase + item)]; }

// A new game's records: every key missing, every item locked (key s fits item
// s), no star held, every grade 0, every object and mark at its place.
ItemRecord NewGameItems();
ItemRecord NewGameStars();
GradeRecord NewGameGrades();
// Resets one slot's three records (the other slots are untouched).
void ResetSlot(ItemStatus& status, int slot);
// Slot fromSlot's three records of `from` into slot toSlot of `to`; nothing
// when either slot is out of range.
void CopySlot(ItemStatus& to, int toSlot, const ItemStatus& from, int fromSlot);
// Every slot reset: what a missing or unreadable file is replaced by.
ItemStatus NewGameItemStatus();

std::string EncodeItemRecords(const std::array<ItemRecord, kItemSlots>& records);
std::optional<std::array<ItemRecord, kItemSlots>> DecodeItemRecords(std::string_view bytes,
                                                                    std::string* error = nullptr);
std::string EncodeGradeRecords(const std::array<GradeRecord, kItemSlots>& records);
std::optional<std::array<GradeRecord, kItemSlots>> DecodeGradeRecords(std::string_view bytes,
                                                                      std::string* error = nullptr);
std::string EncodeMapPoints(const MapPoints& points);
// nullopt (and why) for a wrong size or a point off the map.
std::optional<MapPoints> DecodeMapPoints(std::string_view bytes, std::string* error = nullptr);

// Per-file repairs; each puts an odd value back to the new game's value.
std::vector<std::string> SanitizeItemRecords(std::array<ItemRecord, kItemSlots>& items);
std::vector<std::string> SanitizeStarRecords(std::array<ItemRecord, kItemSlots>& stars);
std::vector<std::string> SanitizeGradeRecords(std::array<GradeRecord, kItemSlots>& grades);

}  // namespace bm
