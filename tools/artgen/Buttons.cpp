#include "Canvas.h"
#include "Painters.h"

namespace bm::art {

void addButtons(PainterMap&) {}

}  // namespace bm::art
