#pragma once
// The trace between the plot and the program text, and the comparison of two
// programs by what they draw.

#include "core/graphic/PlotTables.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace talmir::graphic {

// A drawn element: a path record or a hole row.
struct TracedElement {
    bool hole = false;
    int index = -1;
};

// The element drawn nearest to (x, y), nearer than `tolerance`, on a visible
// layer: lines and arcs by their distance, G81 records and holes by their
// centre. Of two at the same distance the first wins.
std::optional<TracedElement> elementAt(const PlotTables& tables, double x, double y,
                                       double tolerance);

// The records read from lines `first` to `last` (0-based, inclusive) of the
// scanned text: indices into `lines` (a table's pathLines or holeLines), found
// by halving since the lines never go back.
std::pair<int, int> recordsOfLines(const std::vector<std::uint32_t>& lines, std::uint32_t first,
                                   std::uint32_t last);

// The path records `records` and hole rows `holes` of `from` on their own, for
// drawing them over the plot: each record after a rapid move to where it
// starts, marked; every layer (with its width) visible.
PlotTables extractElements(const PlotTables& from, const std::vector<int>& records,
                           const std::vector<int>& holes = {});

// Two programs compared by what they draw: every line, arc, rapid move and G81
// point (moves of no length pass over) with its points within `tolerance`.
struct ProgramDiff {
    std::vector<int> onlyInA;  // path records of A that B does not draw
    std::vector<int> onlyInB;
    // The first place where the two sequences of elements part, as 1-based
    // lines of A and B (none when they draw the same in the same order).
    std::optional<std::size_t> firstLineA;
    std::optional<std::size_t> firstLineB;
    bool same() const { return onlyInA.empty() && onlyInB.empty() && !firstLineA; }
};

ProgramDiff diffPrograms(const PlotTables& a, const PlotTables& b, double tolerance = 0.001);

// "first difference: line 12 of A, line 14 of B\nonly in A: 3\nonly in B: 1\n".
std::string diffText(const ProgramDiff& diff);

}  // namespace talmir::graphic
