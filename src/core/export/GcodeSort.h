#pragma once
// G-code sorting: the program regrouped by its section lines. Every distinct
// section line is written once, in order of first appearance, followed by all
// motion lines that stood under it anywhere in the program, in their input order.

#include "core/Failure.h"

#include <string>
#include <string_view>

namespace talmir::exporters {

// `gcode` is the G-code window's text (CR LF, LF or CR lines, Shift-JIS bytes kept
// as they are). A motion line is any line containing "G00", "G01", "G02" or "G03";
// every other line, an empty one included, is a section line. Motion lines before
// the first section line stay first, without a heading (or go under an empty
// section line when the program has one). A rapid move that repeats the motion
// line just before it in the same section is written once. The result has every
// line ended by CR LF. A program without motion lines gives the program's message
// (number 0) and no text.
Result<std::string> sortGcode(std::string_view gcode);

}  // namespace talmir::exporters
