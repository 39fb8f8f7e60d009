#include "storage/BoardFile.h"

#include <cmath>

#include "board/ItemCodes.h"
#include "io/Bytes.h"

namespace bm {

namespace {

constexpr double kCoordinateLimit = 1e7;  // far beyond any board, still a number

// One field list for both directions, so the two can never drift apart.
template <class IO>
void Fields(IO& io, Cell& c) {
  io.Int(c.Disappear);
  io.Bool(c.IsUpper);
  io.Bool(c.IsSelected);
  io.Bool(c.IsAvailable);
  io.Bool(c.IsExists);
  CellPos& p = c.Pos;
  for (double* d : {&p.X, &p.Y, &p.CurX, &p.CurY, &p.ToX, &p.ToY, &p.SpeedX, &p.SpeedY, &p.AccelX, &p.AccelY, &p.Size})
    io.Real(*d);
  io.Int(p.DirX);
  io.Int(p.DirY);
  for (double* d : {&c.CenterX, &c.CenterY, &c.OriginX, &c.OriginY}) io.Real(*d);
  for (double& d : c.Spare) io.Real(d);
  io.Int(c.Gnd);
  io.Int(c.Gem);
  io.Int(c.Ice);
  io.Bool(c.Front);
  io.Bool(c.Fronter);
  io.Int(c.ColFade);
  for (std::uint32_t& v : c.GemCol) io.Int(v);
  for (std::uint32_t& v : c.GndCol) io.Int(v);
  io.Real(c.Phase);
  for (int& v : c.Shimmer) io.Int(v);
  io.Bool(c.Move);
  io.Real(c.Rotation);
  io.Int(c.Parent);
  io.Int(c.ParentGem);
  io.Real(c.Wave);
  io.Real(c.Shine);
}

struct Out {
  ByteWriter w;
  template <class T>
  void Int(T& v) {
    w.I32(static_cast<std::int32_t>(v));
  }
  void Bool(bool& b) { w.I16(b ? -1 : 0); }
  void Real(double& d) { w.F64(d); }
};

struct In {
  ByteReader& r;
  std::size_t cell = 0;
  template <class T>
  void Int(T& v) {
    v = static_cast<T>(r.I32());
  }
  void Bool(bool& b) {
    const std::int16_t v = r.I16();
    if (v != -1 && v != 0) Bad("a boolean of " + std::to_string(v));
    b = v != 0;
  }
  void Real(double& d) {
    d = r.F64();
    if (!std::isfinite(d) || std::fabs(d) > kCoordinateLimit) Bad("a number out of range");
  }
  void Bad(const std::string& what) {
    if (r.ok()) r.Fail("cell " + std::to_string(cell) + " holds " + what);
  }
};

bool KnownRemoval(int v) {
  for (int s : {0, 1, 2, 3, 11, 12, 21, 22})
    if (v == s) return true;
  return false;
}

// Values the board itself never holds.
void CheckCell(In& in, const Cell& c, int i) {
  const int gem = c.Gem;
  if (gem != 0 && !IsItem(gem)) in.Bad("item code " + std::to_string(gem));
  if (c.Ice < 0 || c.Ice > 8 || (c.Ice > 0 && gem == 0)) in.Bad(std::to_string(c.Ice) + " bubbles");
  if (c.Gnd != 0 && c.Gnd != 1) in.Bad("tile " + std::to_string(c.Gnd));
  if (!KnownRemoval(static_cast<int>(c.Disappear))) in.Bad("removal state " + std::to_string(int(c.Disappear)));
  if (!Cells::InRange(c.Parent)) in.Bad("parent " + std::to_string(c.Parent));
  if ((i >= kCellCount || !c.IsExists) && (gem != 0 || c.Ice != 0)) in.Bad("an item outside the board");
}

}  // namespace

std::string BoardFileName(int slot) { return "dump" + std::to_string(slot) + ".dat"; }

std::string EncodeBoard(const Cells& cells) {
  Out out;
  for (int i = 0; i < kCellSlots; ++i) {
    Cell c = cells[i];
    Fields(out, c);
  }
  return out.w.Take();
}

bool DecodeBoard(std::string_view bytes, Cells& out, std::string* error) {
  ByteReader r(bytes);
  if (bytes.size() != kBoardFileSize)
    r.Fail(std::to_string(bytes.size()) + " bytes where " + std::to_string(kBoardFileSize) + " belong");
  In in{r};
  // Decoded aside: a file that fails half-way leaves out untouched.
  auto cells = std::make_unique<std::array<Cell, kCellSlots>>();
  for (int i = 0; i < kCellSlots && r.ok(); ++i) {
    in.cell = std::size_t(i);
    Fields(in, (*cells)[std::size_t(i)]);
    if (r.ok()) CheckCell(in, (*cells)[std::size_t(i)], i);
  }
  r.ExpectEnd();
  if (!r.ok()) {
    if (error) *error = r.error();
    return false;
  }
  out.cell = *cells;
  return true;
}

bool BoardFitsLevel(const Cells& saved, const Cells& level, std::string* error) {
  for (int i = 0; i < kCellCount; ++i) {
    const Cell& s = saved[i];
    const Cell& l = level[i];
    if (s.IsExists != l.IsExists || s.IsUpper != l.IsUpper || s.CenterX != l.CenterX || s.CenterY != l.CenterY) {
      if (error) *error = "cell " + std::to_string(i) + " is not laid out as in this level";
      return false;
    }
  }
  return true;
}

std::vector<std::string> RepairSavedFalls(Cells& saved) {
  std::vector<std::string> repairs;
  for (int i = 0; i < kCellCount; ++i) {
    Cell& c = saved[i];
    if (!c.Move) continue;
    const int below = i + 11;
    if (below < kCellCount && saved[below].IsExists && saved[below].Gem == 0) continue;
    c.Move = false;
    CellPos& p = c.Pos;
    p.CurX = p.ToX = p.X;
    p.CurY = p.ToY = p.Y;
    p.SpeedX = p.SpeedY = p.AccelX = p.AccelY = 0;
    p.DirX = p.DirY = 0;
    repairs.push_back("cell " + std::to_string(i) + " fell onto " +
                      (below < kCellCount && saved[below].IsExists ? "an item" : "no cell") + "; set down in its cell");
  }
  return repairs;
}

}  // namespace bm
