#include "Canvas.h"
#include "Painters.h"

namespace bm::art {

void addGlyphPages(PainterMap&) {}

}  // namespace bm::art
