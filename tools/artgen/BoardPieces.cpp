#include "Canvas.h"
#include "Painters.h"

namespace bm::art {

void addBoardPieces(PainterMap&) {}

}  // namespace bm::art
