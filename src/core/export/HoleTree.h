#pragma once
// The tool tree of the hole-data window: the hole-data text split into one node per
// tool, and the text built again from the nodes. Each node stands for the node file
// named by its tool code in the "Tcode/" folder: the definition rest (C1.0 of
// T01C1.0) as its first line, then the coordinate lines selected under the tool.
//
//     T01C1.0  T02C2.0  T01  X1.Y1.  T02  X2.Y2.
//       -> nodes T01 (C1.0; X1.Y1.) and T02 (C2.0; X2.Y2.)
//       -> rebuilt as T01C1.0  T02C2.0  T01  X1.Y1.  T02  X2.Y2.

#include "core/Failure.h"

#include <string>
#include <string_view>
#include <vector>

namespace talmir::exporters {

struct HoleNode {
    std::string code;        // node text: the definition line before its first "C"
    std::string definition;  // the definition line from its first "C" on ("C1.0")
    std::string lines;       // the coordinate lines, each followed by CR LF
};

// Splits `holes` (CR LF, LF or CR lines) by this rule, line by line:
//   a line holding "C" defines a tool: its code is the text before the first "C";
//     a code defined again keeps its node and its lines and takes the new rest;
//   otherwise a line holding "T" selects the tool whose code is the whole line;
//   otherwise a line holding "X" or "Y" goes to the selected tool;
//   other lines are dropped.
// Fails with "エラーが発生しました" (the window's message; the window keeps its text)
// when a code cannot name a node file (empty, holding "/", "\", "..", or a control
// character), when a line selects a tool that was not defined, and when a
// coordinate line comes before the first selection.
Result<std::vector<HoleNode>> holeTree(std::string_view holes);

// The text of the nodes: first each node's definition line (code + rest when the
// rest holds "C", else the rest alone), then for each node its code as a line and
// its coordinate lines; every line ended by CR LF.
std::string holeText(const std::vector<HoleNode>& nodes);

}  // namespace talmir::exporters
