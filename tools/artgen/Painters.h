#pragma once
// Each painter draws one picture file; the registers below hand them to the generator.

#include "Canvas.h"

#include <functional>
#include <map>
#include <string>

namespace bm::art {

// Relative catalogue path -> painter writing that picture to the given full path.
using Painter = std::function<void(const std::string& fullPath)>;
using PainterMap = std::map<std::string, Painter>;

void addJewels(PainterMap& m);
void addBonusItems(PainterMap& m);
void addShopPieces(PainterMap& m);   // keys, locks, map point sprites
void addBoardPieces(PainterMap& m);  // tiles, holes, gold, frames, effects, digits, cursor
void addButtons(PainterMap& m);
void addScreens(PainterMap& m);      // backgrounds, menus, shop, logo, tips
void addGlyphPages(PainterMap& m);
void addIslandMap(PainterMap& m);

// Draws jewel kind 0..15 into a 512 x 512 canvas.
void paintJewel(Canvas& cv, int kind);
// Draws a board tile (gold or not) into a canvas of any size.
void paintTile(Canvas& cv, bool gold);

// Paths and gradients only (no pixel work), so they draw on any cairo surface:
// jewel kind 0..15 without its shadow, in 512 x 512 units; a bevelled hexagonal
// tile in 100 x 100 units.
void paintJewelStone(cairo_t* cr, int kind);
void bevelTile(cairo_t* cr, Rgb top, Rgb bottom, Rgb rim, double squeeze = 1, double shade = 0);

// The game's icon, `size` pixels square, as PNG or (by the file's extension) SVG.
void writeIcon(const std::string& path, int size);

// Draws bonus item `file` (e.g. "256/parrot2.png") into a canvas of any size.
void drawBonusIcon(Canvas& cv, const std::string& file);

// The map points of the island map, in 1280 x 1024 screen pixels, levels 1 to 65.
struct MapPoint {
    int x, y;
};
const MapPoint* islandLevelPoints();  // 66 entries, index 0 unused
void writeMapPointFile(const std::string& fullPath);

}  // namespace bm::art
