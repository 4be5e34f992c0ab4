#pragma once
// Lengths of the path records: the perimeter tool's picking and running total,
// and the cut and rapid lengths of a whole program per layer. Every length of a
// record is measured from the end point of the record before it (the origin
// before the first), as the plot draws it; records whose points are not finite
// numbers are passed over, as the plot passes over them.

#include "core/graphic/PlotTables.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace talmir::graphic {

// How far from an element a click of the perimeter tool may be, in world units.
inline constexpr double kPickTolerance = 2.0;

// The drawn length of record `index`: the chord of a line, R times the
// counter-clockwise angle of an arc (a full circle when it ends where it
// starts); 0 for rapid moves and holes.
double elementLength(const PlotTables& tables, int index);

// The line or arc record nearest to (x, y), on a visible layer, nearer than
// `tolerance`; -1 when there is none. A line's distance is that from the
// segment, an arc's that from the arc itself (a click off the arc's angular
// range does not take it). Of two at the same distance the first wins.
int pickElement(const PlotTables& tables, double x, double y, double tolerance = kPickTolerance);

// The distance of (x, y) from record `row` drawn from (px, py): from a line's
// segment, from an arc (negative off its angular range), from a G81 point; a
// negative value for records that draw nothing to pick.
double recordDistance(const PathRow& row, double px, double py, double x, double y);

enum class PickMode {
    Single,      // the picked element
    Continuous,  // every element between the rapid moves around the picked one
};

// One click of the perimeter tool at (x, y): the elements picked are marked and
// their lengths added to `selectedLength`; with `takeBack` (Shift held) marked
// ones are unmarked and subtracted instead. Elements already in the wanted
// state are left alone, so a length is never counted twice. False when nothing
// was near enough.
bool pickForLength(PlotTables& tables, float& selectedLength, double x, double y, PickMode mode,
                   bool takeBack);

// The cut length (lines and arcs), rapid length (G0 moves) and number of cut
// elements of each named layer that has path records, in layer order, and in
// total. Lengths in the program's units (millimetres).
struct LayerMeasure {
    std::string name;
    double cutLength = 0;
    double rapidLength = 0;
    long long elements = 0;
    // For the statistics: holes (G81 records and hole rows) and the time in
    // minutes at the feeds given.
    long long holes = 0;
    double time = 0;
};

struct ProgramMeasure {
    std::vector<LayerMeasure> layers;
    LayerMeasure total;  // name empty
    // The box around every drawn point (arcs whole, holes at their centres);
    // empty when nothing is drawn.
    bool hasBox = false;
    double box[4] = {0, 0, 0, 0};  // left, bottom, right, top
};

ProgramMeasure measureProgram(const PlotTables& tables);

// Feeds for the time of a program, in millimetres a minute: rapid moves at
// `rapid`, cutting moves at the F word in force, or at `cut` before the first.
struct Feeds {
    double rapid = 10000;
    double cut = 1000;
};

// The measure with holes, box and time. `gcodeText` is the text the path records
// were scanned from, so that each cutting move takes the F word in force on its
// line.
ProgramMeasure programStatistics(const PlotTables& tables, std::string_view gcodeText,
                                 const Feeds& feeds);
std::string statisticsText(const ProgramMeasure& stats);
// Top-level cut_length, rapid_length (mm), time (minutes), elements, holes and
// box [left, bottom, right, top], and "layers" with the same keys but the box.
std::string statisticsJson(const ProgramMeasure& stats);

// The same as lines of text ("cut_length 123.456 rapid_length ... elements n"
// per layer, then the total), or as one JSON object whose top-level cut_length,
// rapid_length and elements are the totals and whose "layers" lists the rest.
std::string measureText(const ProgramMeasure& measure);
std::string measureJson(const ProgramMeasure& measure);

}  // namespace talmir::graphic
