#include "Canvas.h"
#include "Painters.h"

namespace bm::art {

void addShopPieces(PainterMap&) {}

}  // namespace bm::art
