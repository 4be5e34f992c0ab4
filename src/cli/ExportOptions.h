#pragma once
// The option rows that several export commands share, with the same spelling and
// defaults wherever they appear:
//   --colours all|same, --colour 1..7                     (DXF layer colours)
//   --caption NAME, --timestamp yyyymmddhhnnss            (IGES global section)
//   --unit 0..3, --block-end cr|lf|crlf|star, --rs274x    (Gerber)

#include "cli/OptionTable.h"

#include "core/export/GcodeToDxf.h"
#include "core/export/GcodeToGerber.h"
#include "core/export/GcodeToIges.h"

#include <vector>

namespace talmir::cli {

// The two choices of the colour dialog; the layer colours follow from them.
struct DxfColourChoice {
    exporters::DxfColourMode mode = exporters::DxfColourMode::All;
    int colour = 5;  // the common colour of mode Same

    exporters::DxfOptions dxfOptions() const;
};

std::vector<Option<DxfColourChoice>> dxfColourOptions();
// The caption defaults to the input's file name, the date and time to the clock.
std::vector<Option<exporters::IgesOptions>> igesOptions();
std::vector<Option<exporters::GerberOptions>> gerberOptions();

}  // namespace talmir::cli
