#include "storage/ItemStatus.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

namespace bm {
namespace {

// Every slot different, every used object away from the new game's values.
ItemStatus Varied() {
  ItemStatus st = NewGameItemStatus();
  for (int s = 0; s < kItemSlots; ++s) {
    ItemRecord& items = st.items[std::size_t(s)];
    ItemRecord& stars = st.stars[std::size_t(s)];
    GradeRecord& g = st.grades[std::size_t(s)];
    for (int i = 0; i < kPlacedObjects; ++i) {
      PlacedObject& o = items.Object[std::size_t(i)];
      o.Flag = (i + s) % 2 ? -1 : 0;
      o.PosX += s * 0.5;
      o.Reserved[std::size_t(i)] = std::uint8_t(s + 1);
      stars.Object[std::size_t(i)].Flag = (i * s) % 3 ? -1 : 0;
      stars.Object[std::size_t(i)].PosY -= s;
    }
    Lock(items, 1 + s % 10).Index = 10 - s % 10;
    items.Dragged = s;
    stars.Dragged = 21 - s;
    for (int i = 1; i <= kShopItems; ++i) {
      g.ChanceGrade[std::size_t(i)] = std::int16_t((i + s) % 4);
      g.PowerGrade[std::size_t(i)] = std::int16_t((i * s) % 4);
    }
    g.ChanceMark[0][std::size_t(s)] = {s * 1.5, -s * 2.0};
    g.Reserved[std::size_t(s % 8)] = 0xAB;
  }
  return st;
}

TEST(ItemStatusFiles, RecordSizesAndFieldOrder) {
  const ItemStatus st = NewGameItemStatus();
  const std::string items = EncodeItemRecords(st.items);
  ASSERT_EQ(items.size(), 11u * 2248);
  EXPECT_EQ(EncodeGradeRecords(st.grades).size(), 11u * 1460);
  // Slot 0 object 12 (the lock of item 1): Flag -1, Index 1, home (216, 191).
  const std::size_t at = 12 * 102;
  EXPECT_EQ(items.substr(at, 6), std::string("\xFF\xFF\x01\0\0\0", 6));
  EXPECT_EQ(items.substr(at + 6, 8), std::string("\0\0\0\0\0\0\x6B\x40", 8));  // 216.0
  EXPECT_EQ(items.substr(at + 14, 8), std::string("\0\0\0\0\0\xE0\x67\x40", 8));  // 191.0
  // Grade marks: chance mark 1 of item 1 after the 44 bytes of grades.
  const std::string grades = EncodeGradeRecords(st.grades);
  const std::size_t mark = 44 + (1 * 11 + 1) * 16;
  EXPECT_EQ(grades.substr(mark, 8), std::string("\0\0\0\0\0\0\x68\x40", 8));  // 192.0
}

TEST(ItemStatusFiles, NewGameLocksEveryItemAndHidesEveryKeyAndStar) {
  const ItemRecord items = NewGameItems();
  for (int k = 1; k <= kShopItems; ++k) {
    EXPECT_EQ(std::tuple(int(Key(items, k).Flag), int(Key(items, k).Index), int(Lock(items, k).Flag), int(Lock(items, k).Index)),
              std::tuple(0, k, -1, k)) << k;
  }
  for (const PlacedObject& o : NewGameStars().Object) EXPECT_EQ(o.Flag, 0);
  const GradeRecord g = NewGameGrades();
  for (int s = 0; s < 11; ++s) EXPECT_EQ(g.ChanceGrade[std::size_t(s)] + g.PowerGrade[std::size_t(s)], 0);
}

TEST(ItemStatusFiles, ResetAndCopyTouchOnlyTheirSlot) {
  ItemStatus st = Varied();
  const ItemStatus before = st;
  ResetSlot(st, 6);
  CopySlot(st, 2, before, 9);
  CopySlot(st, 3, before, kItemSlots);  // out of range: nothing
  CopySlot(st, -1, before, 4);
  auto slot = [](const ItemStatus& x, int s) { return std::tie(x.items[std::size_t(s)], x.stars[std::size_t(s)], x.grades[std::size_t(s)]); };
  for (int s = 0; s < kItemSlots; ++s)
    EXPECT_TRUE(s == 6 || slot(st, s) == slot(before, s == 2 ? 9 : s)) << s;
  EXPECT_EQ(slot(st, 6), std::make_tuple(NewGameItems(), NewGameStars(), NewGameGrades()));
}

// Eleven varied slots come back byte for byte; wrong sizes fail whole, odd values go back to a new game's.
TEST(ItemStatusFiles, RoundTripsWrongSizesFailWholeAndOddValuesGoBackToTheNewGames) {
  const ItemStatus st = Varied();
  const std::string items = EncodeItemRecords(st.items);
  EXPECT_EQ(DecodeItemRecords(items), st.items);
  EXPECT_EQ(DecodeItemRecords(EncodeItemRecords(st.stars)), st.stars);
  EXPECT_EQ(DecodeGradeRecords(EncodeGradeRecords(st.grades)), st.grades);
  std::array<ItemRecord, kItemSlots> clean = st.items, cleanStars = st.stars;
  std::array<GradeRecord, kItemSlots> cleanGrades = st.grades;
  EXPECT_TRUE(SanitizeItemRecords(clean).empty() && SanitizeStarRecords(cleanStars).empty() &&
              SanitizeGradeRecords(cleanGrades).empty());
  for (std::size_t n : {std::size_t(0), std::size_t(1), items.size() - 1, items.size() + 1, items.size() * 2})
    EXPECT_FALSE(DecodeItemRecords(std::string(n, '\0'))) << n;
  EXPECT_FALSE(DecodeGradeRecords(EncodeGradeRecords(st.grades) + "x"));

  std::array<ItemRecord, kItemSlots> bad = st.items;
  Key(bad[3], 4).Flag = 5;
  Key(bad[3], 4).PosX = std::numeric_limits<double>::infinity();
  Lock(bad[3], 2).Index = -7;
  bad[3].Dragged = 22;
  bad[3].Object[0].Flag = 99;  // an unused index is carried as it is
  const std::vector<std::string> lines = SanitizeItemRecords(bad);
  EXPECT_EQ(lines.size(), 4u);
  EXPECT_EQ(std::tuple(int(Key(bad[3], 4).Flag), Key(bad[3], 4).PosX, int(Lock(bad[3], 2).Index), int(bad[3].Dragged), int(bad[3].Object[0].Flag)),
            std::tuple(0, Key(NewGameItems(), 4).PosX, 2, 0, 99));

  std::array<GradeRecord, kItemSlots> grades = st.grades;
  grades[9].ChanceGrade[3] = 4;
  grades[9].PowerGrade[1] = -1;
  grades[9].PowerMark[2][5].Y = std::nan("");
  EXPECT_EQ(SanitizeGradeRecords(grades).size(), 3u);
  EXPECT_EQ(std::pair(int(grades[9].ChanceGrade[3]), int(grades[9].PowerGrade[1])), std::pair(0, 0));
  EXPECT_EQ(grades[9].PowerMark[2][5], NewGameGrades().PowerMark[2][5]);
}

TEST(MapPointsFile, TheTailIsCarriedUnchanged) {
  MapPoints m;
  for (int n = 0; n < kMapPoints; ++n) m.point[std::size_t(n)] = {n * 11 + 3, 1024 - n};
  for (std::size_t i = 0; i < kMapPointsKept; ++i) m.kept[i] = std::uint8_t(i * 31 + 5);
  const std::string b = EncodeMapPoints(m);
  ASSERT_EQ(b.size(), 1616u);
  EXPECT_EQ(b.substr(8, 8), std::string("\x0E\0\0\0\xFF\x03\0\0", 8));  // level 1
  EXPECT_EQ(std::uint8_t(b[808]), 5);
  EXPECT_EQ(DecodeMapPoints(b), m);
  EXPECT_FALSE(DecodeMapPoints(b.substr(0, 808)) || DecodeMapPoints(b + b));
  // A point off the map (the int32 extremes too) is no map point file.
  for (MapPoint off : {MapPoint{-1, 0}, MapPoint{0, 1025}, MapPoint{INT32_MAX, 5}, MapPoint{5, INT32_MIN}}) {
    MapPoints bad = m;
    bad.point[64] = off;
    EXPECT_FALSE(DecodeMapPoints(EncodeMapPoints(bad))) << off.X << ", " << off.Y;
  }
}

}  // namespace
}  // namespace bm
