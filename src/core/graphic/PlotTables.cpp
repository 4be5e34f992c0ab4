#include "core/graphic/PlotTables.h"

namespace talmir::graphic {

void PlotTables::reset() {
    holes.clear();
    paths.clear();
    pathLines.clear();
    holeLines.clear();
    HoleCount = -1;
    PathCount = -1;
    for (LayerSlot& slot : layers) {
        slot.name.clear();
        slot.width = 0;
    }
}

}  // namespace talmir::graphic
