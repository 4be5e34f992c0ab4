#pragma once
// G81 drilling cycles to hole data: every section of the G-code window's tree that
// drills (see DrillCycle.h) becomes a tool, and its holes that tool's coordinates:
//
//     T01C1.0          tool table: tool code, "C", diameter, one row per section
//     T02C0.8
//     T01              then each tool with its holes in the order of its node file
//     X10.Y20.         (G81X10.Y20. without its "G81")
//     T02
//     X12.555Y8.945    (a hole of another CAM system's cycle: its X and Y words)

#include "core/Failure.h"
#include "core/export/SectionTree.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace talmir::exporters {

// One row of the dialog: a drilling section and the tool it becomes.
struct G81ToolRow {
    std::string_view sectionLine;  // the node's name
    std::string_view nodeFile;     // its data lines
    std::string code;              // "T01"
    std::string diameter;          // "1.0", written as it stands
};

// The tool code of a typed number: "T" and the number through "#00" (5 gives T05).
std::string g81ToolCode(double number);
// The diameter of a typed number, through "###0.0##" (1 gives 1.0).
std::string g81Diameter(double number);
// The row's defaults: code "T" + row number in two digits (row 1 is T01), "1.0".
G81ToolRow defaultG81ToolRow(std::size_t row);

// The sections of `nodes` that have a hole, in tree order (at most kMaxSections).
std::vector<const SectionNode*> g81Sections(const std::vector<SectionNode>& nodes);

// The hole data of `rows`, every line ended by CR LF. A hole keeps the number
// texts of its line as they stand.
std::string g81ToHoles(const std::vector<G81ToolRow>& rows);

// The whole conversion of a G-code program (CR LF, LF or CR lines) as the G-code
// window saves it, empty lines left out: the tree build,
// then every drilling section with the tool `toolOf(row, sectionLine)` gives it
// (rows from 1). Fails with the tree build's message, or with
// "変換可能なコマンドが、見つかりませんでした" when no section drills.
Result<std::string> g81ProgramToHoles(
    std::string_view program,
    const std::function<G81ToolRow(std::size_t row, std::string_view sectionLine)>& toolOf);

}  // namespace talmir::exporters
