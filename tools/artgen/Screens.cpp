#include "Canvas.h"
#include "Painters.h"

namespace bm::art {

void addScreens(PainterMap&) {}

}  // namespace bm::art
