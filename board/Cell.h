// The board's cell records. Only cells 0..115 are played; indices up to 500
// exist so that i + 5, i + 6 or i + 11 never leaves the array.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace bm {

inline constexpr int kCellCount = 116;   // cells 0..115 are loaded, played and drawn
inline constexpr int kCellSlots = 501;   // indices 0..500
inline constexpr int kNoCell = 500;      // no parent, no hover
inline constexpr int kNoSelection = 999;

// The removal states of a cell's item; the numbers are the ones the board's
// rules have always used (saved games carry them).
enum class Removal : int {
  None = 0,           // at rest
  Start = 1,          // matched or triggered: the reward shows, then Removing
  Removing = 11,      // the item shrinks away, or, when bubbled, a bubble bursts
  Award = 2,          // the item is paid, its tile gilded and the cell emptied
  BurstAward = 3,     // a bubble burst is paid; the item stays
  Dropping = 12,      // the reshuffle drops the item off the board
  DropDone = 21,      // the dropped item is gone; the cell is ready to refill
  EmptyAfterTip = 22, // Award waited a frame for the gold tip; now the cell empties
};

struct CellPos {
  double X = 0, Y = 0;        // home (the cell's centre), board units
  double CurX = 0, CurY = 0;  // where the item is drawn now
  double ToX = 0, ToY = 0;    // target of a running fall
  double SpeedX = 0, SpeedY = 0;
  double AccelX = 0, AccelY = 0;
  double Size = 0;  // offset added to the drawn size, display-scaled pixels
  int DirX = 0, DirY = 0;
};

struct Cell {
  Removal Disappear = Removal::None;
  bool IsUpper = false;
  bool IsSelected = false;
  bool IsAvailable = false;
  bool IsExists = false;
  CellPos Pos;
  double CenterX = 0, CenterY = 0;  // fixed centre; the only positions adjacency uses
  double OriginX = 0, OriginY = 0;
  double Spare[4] = {0, 0, 0, 0};  // carried in saved games, no behaviour
  int Gnd = 0;                     // 1 = golden tile
  int Gem = 0;                     // item code
  int Ice = 0;                     // bubbles around the item
  bool Front = false;
  bool Fronter = false;
  int ColFade = 255;
  std::uint32_t GemCol[4] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
  std::uint32_t GndCol[4] = {0x999999, 0x999999, 0x999999, 0x999999};
  double Phase = 0;
  int Shimmer[4] = {0, 0, 0, 0};
  bool Move = false;
  double Rotation = 0;
  int Parent = kNoCell;
  int ParentGem = 1;
  double Wave = 1.0;
  double Shine = 0;
};

// The points text shown above a cell.
struct CellFx {
  std::string Text;
  int Points = 0;
  int Alpha = 255;
  bool Active = false;
  double X = 0, Y = 0;
  double BaseX = 0, BaseY = 0;
  double Rise = 0, Speed = 0, Accel = 0;
};

struct Cells {
  std::array<Cell, kCellSlots> cell{};
  std::array<CellFx, kCellSlots> fx{};
  // IsNear threshold in board units: 1.5 x distance(cell 0, cell 1).
  double nearReference = 0;

  Cell& operator[](int i) { return cell[std::size_t(i)]; }
  const Cell& operator[](int i) const { return cell[std::size_t(i)]; }
  static constexpr bool InRange(int i) { return i >= 0 && i <= 500; }
};

}  // namespace bm
