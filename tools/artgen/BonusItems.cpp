#include "Canvas.h"
#include "Painters.h"

namespace bm::art {

void addBonusItems(PainterMap&) {}

}  // namespace bm::art
