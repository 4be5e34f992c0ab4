#pragma once
// G-code to HPGL in plotter units of 0.025 mm (40 units per millimetre): feeds as
// pen-down PA moves, arcs as AA with the sweep in degrees followed by a pen-up move
// to the end point, full circles as CI, everything else as pen-up moves. The text
// is read as comma-separated items of the G-code window's snapshot; every item
// holding a "G" is a motion record (single precision, a missing word counts as 0).
// The result is one line: the commands run together and only the last is followed
// by CR LF.

#include "core/Failure.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace talmir::exporters {

class ExportSink;

// The dialog-free command has no options; the struct keeps the shape of the others.
struct HpglOptions {};

// The whole HPGL text. Fails with the message "変換可能なコマンドが、見つかりませんでした"
// when no item holds a "G", and with error 6 for a number that is not finite. An
// item whose D code is below 4 (D01, D02, D03: Gerber data, not a program) stops
// the command quietly: the failure says so, but the window shows no message and
// keeps its text (see isQuietStop). A "D" without a number after it (a comment
// such as "(DRILL 3/4)") is no drawing code.
Result<std::string> gcodeToHpgl(std::string_view gcode, const HpglOptions& options = {});

// The same bytes handed to `sink` piece by piece; gives their number. A failure
// (the quiet stop too) can come after some pieces were handed over.
Result<std::uint64_t> gcodeToHpgl(std::string_view gcode, ExportSink& sink,
                                  const HpglOptions& options = {});

// True for the quiet stop of gcodeToHpgl, which the window does not report.
bool isQuietStop(const Failure& failure);

}  // namespace talmir::exporters
