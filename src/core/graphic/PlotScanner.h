#pragma once
// The plot-table scanner: rebuilds the plot tables from the texts of the
// hole-data window and the G-code window, whichever of the two is visible.

#include "core/graphic/PlotTables.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace talmir::graphic {

// The snapshots (the pane joined with CR LF, as written to the work file) of the
// windows that are visible; an absent text is a hidden window and leaves its list
// empty (count -1).
struct ScanTexts {
    std::optional<std::string_view> holeText;
    std::optional<std::string_view> gcodeText;
};

// Empties the tables (names and widths of every layer slot, both lists) and fills
// them again: first the hole pass, then the G-code pass, with the layer in force
// carried from one into the other. Matching is case-sensitive and never looks at
// the second byte of a double-byte character. Text that matches no rule is
// skipped; nothing here fails.
void scanPlotTables(PlotTables& tables, const ScanTexts& texts);

// The number of comma-separated fields of a text (every line has at least one),
// the size the scanner gives the lists before it fills them.
std::size_t countCommaFields(std::string_view text);

// The number after the letter at byte offset `letter` of `field`: the numeric
// value of the text that follows it, or of the whole field when `letter` is npos.
// Plain decimals are read in place; anything else goes through the shared reader.
double numberAfter(std::string_view field, std::size_t letter);

}  // namespace talmir::graphic
