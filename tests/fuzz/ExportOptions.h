#pragma once
// Options of the exports that the G-code and hole-data harnesses both choose from
// the input's last bytes.

#include <cstddef>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "core/export/GcodeToDxf.h"
#include "core/export/GcodeToGerber.h"

namespace talmir::fuzz {

// Any unit, block end and form of the Gerber dialog.
inline exporters::GerberOptions gerberOptions(FuzzInput& input) {
    exporters::GerberOptions options;
    options.unit = input.choice(4);
    options.blockEnd = static_cast<exporters::GerberBlockEnd>(input.choice(4));
    options.rs274x = input.flag();
    return options;
}

// The colours of the DXF colour dialog for the layers a DXF export found (none when
// it failed), either colouring, with a common colour that may lie off the colour
// table on both sides.
inline exporters::DxfOptions dxfOptions(FuzzInput& input,
                                        const Result<std::vector<std::string>>& layers) {
    using exporters::DxfColourMode;
    const DxfColourMode mode = input.flag() ? DxfColourMode::Same : DxfColourMode::All;
    const double colour = input.choice(300) - 20;
    const std::size_t count = layers ? layers.value().size() : 0;
    return {exporters::dxfDialogColours(mode, colour, count)};
}

}  // namespace talmir::fuzz
